#pragma once
// The ordering rule of lists: coded editions order by NOVA_ORDEM, clear ones
// by the description columns. Each list's two clauses, appended unchanged to
// the list's base text.
#include <QString>

namespace farq::ordering {

enum class List {
    MedLabLaboratories,        // TFFarConsMedLab, FormCreate
    MedLabPrices,              // TFFarConsMedLab, wwDBLookupCombo1Change
    EanProducts,               // TFFarConsultaEAN, FormCreate (products)
    EanLaboratories,           // TFFarConsultaEAN, FormCreate (laboratories)
    EanResults,                // TFFarConsultaEAN, SpeedButton6Click
    MediProducts,              // TFFarConsMedi, FormCreate
    MediPrices,                // TFFarConsMedi, wwDBLookupCombo1Change
    MediCodProducts,           // TFFarConsMediCod, FormCreate
    MediCodLaboratories,
    MediCodResults,            // TFFarConsMediCod, SpeedButton6Click
    MatLabLaboratories,        // TFFarConsMatLab, FormCreate
    MatLabPrices,              // TFFarConsMatLab, wwDBLookupCombo1Change
    MateCodProducts,           // TFFarConsMateCod, FormCreate
    MateCodLaboratories,
    MateCodResults,            // TFFarConsMateCod, SpeedButton8Click
    SolLabLaboratories,        // TFFarConsSolLab, FormCreate
    SolLabPrices,              // TFFarConsSolLab, Busca
    SolTissProducts,           // TFFarConsSolTiss, FormCreate
    SolTissLaboratories,
    SolTissResults,            // TFFarConsSolTiss, SpeedButton8Click
    SolProducts,               // TFFarConsSol, FormCreate
    SolPrices,                 // TFFarConsSol, wwDBLookupCombo1Change
    SolCodProducts,            // TFFarConsSolCod, FormCreate
    SolCodLaboratories,
    SolCodResults,             // TFFarConsSolCod, SpeedButton8Click
    ReportProducts,            // TFFarRelatorioPreco, FormCreate
    MedSubsProducts,           // TFFarConsMedSubs, FormCreate
    MedSubsPrices,             // TFFarConsMedSubs, SpeedButton6Click
    ExportProducts,            // TFFarExporta, CheckBox1Click
    ExportLaboratories,        // TFFarExporta, CheckBox2Click
    ExportPresentations,       // TFFarExporta, CheckBox3Click
    TussProducts,              // TfrmConsultaTUSS, FormCreate
    TussLaboratories,
    TussResults,               // TfrmConsultaTUSS, SpeedButton6Click
    MateTissProducts,          // TFFarConsMateTiss, FormCreate
    MateTissLaboratories,
    MateTissResults,           // TFFarConsMateTiss, SpeedButton8Click
    MateProducts,              // TFFarConsMate, FormCreate
    MatePrices,                // TFFarConsMate, wwDBLookupCombo1Change
};

struct Clauses {
    const char* coded;
    const char* clear;
};

Clauses clausesFor(List list);

// The clause for a list: lbCrypto other than "N" orders by NOVA_ORDEM.
QString orderBy(List list, const QString& lbCrypto);
inline QString orderBy(List list, bool coded) { return orderBy(list, coded ? QStringLiteral("S") : QStringLiteral("N")); }

} // namespace farq::ordering
