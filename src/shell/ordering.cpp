#include "shell/ordering.h"

#include <array>
#include <utility>

namespace farq::ordering {
namespace {

constexpr const char* kNova = " ORDER BY NOVA_ORDEM";
constexpr const char* kNovaSp = " ORDER BY NOVA_ORDEM ";

struct Entry {
    List list;
    Clauses clauses;
};

constexpr Entry kTable[] = {
    {List::MedLabLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::MedLabPrices, {kNova, " ORDER BY FarPreLabor, FarMedDescricao,FarAprDescricao"}},
    {List::EanProducts, {kNova, " order by farmeddescricao"}},
    {List::EanLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::EanResults, {kNovaSp, " ORDER BY farmeddescricao "}},
    {List::MediProducts, {kNova, " order by farmeddescricao"}},
    {List::MediPrices, {kNova, " order by FarPreMedic, FarLabDescricao, FarAprDescricao"}},
    {List::MediCodProducts, {kNova, " order by farmeddescricao"}},
    {List::MediCodLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::MediCodResults, {kNovaSp, " order by farmeddescricao "}},
    {List::MatLabLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::MatLabPrices, {kNova, "  order by FarPreLabor, FarMedDescricao, FarAprDescricao"}},
    {List::MateCodProducts, {kNova, " order by farmeddescricao"}},
    {List::MateCodLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::MateCodResults, {kNova, " ORDER BY farlabdescricao, faraprdescricao "}},
    {List::SolLabLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::SolLabPrices, {kNova, " ORDER BY FarPreLabor, FarMedDescricao,FarAprDescricao"}},
    {List::SolTissProducts, {kNova, " order by farmeddescricao"}},
    {List::SolTissLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::SolTissResults, {kNova, " ORDER BY farmeddescricao "}},
    {List::SolProducts, {kNova, " order by farmeddescricao"}},
    {List::SolPrices, {kNova, " ORDER BY FarPreMedic, FarLabDescricao, FarAprDescricao"}},
    {List::SolCodProducts, {kNova, " order by farmeddescricao"}},
    {List::SolCodLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::SolCodResults, {kNovaSp, " ORDER BY farmeddescricao "}},
    {List::ReportProducts, {" order by FarMedicamentos.NOVA_ORDEM", " order by farmedicamentos.FarMedDescricao"}},
    {List::MedSubsProducts, {kNova, " order by farmeddescricao"}},
    {List::MedSubsPrices, {" order by NOVA_ORDEM", " order by farmeddescricao"}},
    {List::ExportProducts, {"   order by NOVA_ORDEM ", "   order by FARMEDDESCRICAO "}},
    {List::ExportLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::ExportPresentations, {kNova, " order by FARAPRDESCRICAO"}},
    {List::TussProducts, {kNova, " order by farmeddescricao"}},
    {List::TussLaboratories, {kNova, " ORDER BY FarLabDescricao"}},
    {List::TussResults, {kNovaSp, " order by farmeddescricao "}},
    {List::MateTissProducts, {kNova, " order by farmeddescricao"}},
    {List::MateTissLaboratories, {kNova, " Order by A.farlabdescricao"}},
    {List::MateTissResults, {kNovaSp, " ORDER BY farlabdescricao, faraprdescricao "}},
    {List::MateProducts, {kNova, " order by farmeddescricao"}},
    {List::MatePrices, {kNova, " order by FARMEDDESCRICAO"}},
};

} // namespace

Clauses clausesFor(List list)
{
    for (const Entry& e : kTable)
        if (e.list == list)
            return e.clauses;
    return {kNova, ""};
}

QString orderBy(List list, const QString& lbCrypto)
{
    const Clauses c = clausesFor(list);
    return QString::fromLatin1(lbCrypto != QLatin1String("N") ? c.coded : c.clear);
}

} // namespace farq::ordering
