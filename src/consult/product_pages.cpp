#include "consult/product_pages.h"

#include <iterator>

namespace farq::consult {
namespace {

const QString kHeadApresentacao = QStringLiteral(
    "   Apresentação                                                                   Edição        Preço");
const QString kHeadApresentacaoZf = QStringLiteral(
    "   Apresentação                                                                   Edição    Preço 17%  Preço "
    "17.5%    Preço 18%");

const ProductPage kPages[] = {
    {ProductPageId::Medicines, "TFFarConsMedi", "medicamentos-produto", QLatin1Char('M'),
     QStringLiteral("Medicamento"), QStringLiteral("select * from FARMEDICAMENTOS where FarMedTipo='M' "),
     ordering::List::MediProducts, QStringLiteral(" select * from FARPRECOS   where FarPREMEDIC = "),
     ordering::List::MediPrices, QString(), HeadingRule::IcmsRate, QString(), kHeadApresentacao,
     kHeadApresentacaoZf, RowShape{80, 80, QStringLiteral("....")}, ZfForm::ByPriceType, false,
     price::Variant::MedicinesByProduct, StateSource::Chosen, true, true, QStringLiteral("Medicamento"), 95, true,
     "TFFarConsMediRel"},
    // Every row of a page has the same product, so the clear edition's order
    // by the product name alone would scatter a laboratory's rows into
    // several groups; the laboratory and presentation names keep them together.
    {ProductPageId::Materials, "TFFarConsMate", "materiais-produto", QLatin1Char('I'), QStringLiteral("Material"),
     QStringLiteral("select * from FARMEDICAMENTOS where FarMedTipo='I' "), ordering::List::MateProducts,
     QStringLiteral("select * from FARPRECOS where FarPreMedSolu = 'I'  AND FARPREMEDIC  =  "),
     ordering::List::MatePrices, QStringLiteral(", FarLabDescricao, FarAprDescricao"), HeadingRule::Fixed,
     QStringLiteral("Laboratório"), kHeadApresentacao + QStringLiteral("         IPI"),
     kHeadApresentacaoZf + QStringLiteral("         IPI"), RowShape{80, 80, QStringLiteral("....")},
     ZfForm::AlwaysPfab, true, price::Variant::MaterialsByProduct, StateSource::Saved, false, false,
     QStringLiteral("Medicamento"), 75, true, "TFFarConsMateRel"},
    {ProductPageId::Solutions, "TFFarConsSol", "solucoes-produto", QLatin1Char('S'), QStringLiteral("Solução"),
     QStringLiteral("select * from FARMEDICAMENTOS where FarMedTipo='S' "), ordering::List::SolProducts,
     QStringLiteral("select * from FARPRECOS   WHERE  FARPREMEDIC =  "), ordering::List::SolPrices, QString(),
     HeadingRule::Fixed, QStringLiteral("Laboratório"),
     QStringLiteral("   Apresentação                                                               Edição           "
                    "Preço"),
     QString(), RowShape{102, 78, QStringLiteral(".....")}, ZfForm::None, false, price::Variant::SolutionsByProduct,
     StateSource::Saved, false, false, QStringLiteral("Medicamento"), 85, false, "TFFarConsSolRel"},
};

} // namespace

const ProductPage& productPage(ProductPageId id)
{
    for (const ProductPage& p : kPages)
        if (p.id == id)
            return p;
    return kPages[0];
}

const ProductPage* findProductPage(const QString& name)
{
    for (const ProductPage& p : kPages)
        if (name == QLatin1String(p.formClass) || name == QLatin1String(p.cliName))
            return &p;
    return nullptr;
}

} // namespace farq::consult
