#include "export/export_request.h"

#include <iterator>

namespace farq::exporter {
namespace {

using price::PriceType;

// One row per export kind: what the window shows and offers for it.
const KindProfile kProfiles[] = {
    {QLatin1Char('M'), " - Exportação de Medicamentos", "Medicamentos", "Descrição Medicamento", "medicamento",
     PriceType::PMC, /*priceType*/ true, /*ean*/ true, /*hierarquia*/ false, /*generico*/ true, /*filters*/ true,
     /*restrito*/ true, /*oncologico*/ true, /*parenteral*/ false, /*liberado*/ true},
    {QLatin1Char('I'), " - Exportação de Materiais", "Materiais", "Descrição Materiais", "material",
     PriceType::PMC, false, false, true, false, true, false, false, true, false},
    {QLatin1Char('S'), " - Exportação de Soluções", "Soluções", "Descrição Soluções", "solução",
     PriceType::PFAB, false, true, false, false, false, false, false, false, false},
};

} // namespace

const KindProfile* kindProfile(QChar kind)
{
    for (const KindProfile& p : kProfiles)
        if (p.kind == kind)
            return &p;
    return nullptr;
}

OptionVisibility visibleOptions(QChar kind, const EditionFacts& facts)
{
    OptionVisibility v;
    const KindProfile* p = kindProfile(kind);
    if (!p)
        return v;
    v.priceType = p->priceTypeShown;
    v.ean = p->eanShown;
    v.hierarquia = p->hierarquiaShown;
    v.generico = p->genericoShown;
    v.filters = p->filtersShown;
    v.restrito = v.filters && p->restritoOffered && facts.editionNumber >= kFirstEditionWithRestricted;
    v.oncologico = v.filters && p->oncologicoOffered && facts.stateOncological;
    v.parenteral = v.filters && p->parenteralOffered && facts.editionNumber >= kFirstEditionWithParenteral;
    v.liberado = v.filters && p->liberadoOffered && facts.liberadoAvailable;
    return v;
}

ExportRequest defaultRequest(QChar kind, bool freeTradeZone)
{
    ExportRequest r;
    r.kind = kind;
    r.freeTradeZone = freeTradeZone;
    if (const KindProfile* p = kindProfile(kind))
        r.priceType = p->fixedPriceType;
    return r;
}

ExportRequest normalised(const ExportRequest& request, const OptionVisibility& visible)
{
    ExportRequest r = request;
    if (!visible.priceType) {
        const KindProfile* p = kindProfile(r.kind);
        r.priceType = p ? p->fixedPriceType : PriceType::PMC;
    }
    if (r.priceType != PriceType::PFAB)
        r.priceType = PriceType::PMC;
    r.ean = r.ean && visible.ean;
    r.tiss = r.tiss && visible.tiss;
    r.tuss = r.tuss && visible.tuss;
    r.hierarquia = r.hierarquia && visible.hierarquia;
    r.generico = r.generico && visible.generico;
    r.restrito = r.restrito && visible.restrito && r.kind == QLatin1Char('M');
    r.oncologico = r.oncologico && visible.oncologico;
    r.parenteral = r.parenteral && visible.parenteral;
    r.liberado = r.liberado && visible.liberado;
    return r;
}

PriceGroup priceGroup(const ExportRequest& r)
{
    if (!r.freeTradeZone)
        return PriceGroup::Plain;
    return r.priceType == PriceType::PFAB ? PriceGroup::ZfPfb : PriceGroup::ZfPmc;
}

QString priceTypeLabel(const ExportRequest& r) { return price::exportPriceLabel(r.kind, r.priceType); }

QString windowCaption(QChar kind, const QString& editionNumber)
{
    const KindProfile* p = kindProfile(kind);
    return QStringLiteral("Farmaquion - Edição ") + editionNumber + (p ? QString::fromUtf8(p->captionSuffix) : QString());
}

} // namespace farq::exporter
