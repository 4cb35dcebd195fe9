#pragma once
// What one export of price files asks for: the product kind, the content and
// file type, the price type, the optional columns and the filters, and which
// of those options the export window offers for a kind and an edition.
#include "catalogue/price_rule.h"

#include <QChar>
#include <QString>

namespace farq::exporter {

// RadioGroup1 "Gerar arquivo com ": the item index is the value.
enum class Content { Codigo = 0, Descricao = 1, CodigoDescricao = 2 };
// RadioGroup2 "Tipo de Arquivo".
enum class FileType { Delimitado = 0, TamanhoFixo = 1 };
// Which prices the main part of a line carries.
enum class PriceGroup { Plain, ZfPmc, ZfPfb };

struct ExportRequest {
    QChar kind = QLatin1Char('M');    // M medicines, I materials, S solutions
    bool freeTradeZone = false;       // the user's state is "ZF"
    Content content = Content::CodigoDescricao;
    FileType fileType = FileType::Delimitado;
    price::PriceType priceType = price::PriceType::PMC; // PMC or PFAB ("PFB")
    bool ean = true;                  // chk_ean "Código EAN"
    bool tiss = true;                 // chk_tiss "Código TISS"
    bool tuss = true;                 // chkTUSS "Código TUSS"
    bool hierarquia = false;          // chkHierarquia "Hierarquia"
    bool generico = false;            // chkGenerico "Genérico S/N"
    bool restrito = false;            // chkRestritoHosp "Restrito Hospitalar"
    bool oncologico = false;          // chkOncologico "Oncológico"
    bool parenteral = false;          // chkParenteral "Nutrição Parenteral"
    bool liberado = false;            // chkLiberado "Liberado"
    bool todos = true;                // CheckBox4 "Todos": no selection marks apply

    bool operator==(const ExportRequest&) const = default;
};

// What the window's options depend on besides the kind.
struct EditionFacts {
    int editionNumber = 0;            // FARNUMEROEDICAO
    bool stateOncological = false;    // ICMS_ONCOLOGICO of the user's state is "S"
    bool liberadoAvailable = false;   // some product is marked LIBERADO = 'S'
};

// The options the export window shows; a hidden option never acts.
struct OptionVisibility {
    bool priceType = false;           // RadioGroup3 "Tipo"
    bool ean = false;
    bool tiss = true;
    bool tuss = true;
    bool hierarquia = false;
    bool generico = false;
    bool filters = false;             // group grp2 "Filtros"
    bool restrito = false;
    bool oncologico = false;
    bool parenteral = false;
    bool liberado = false;
};

// The fixed texts and settings of one export kind.
struct KindProfile {
    QChar kind;
    const char* captionSuffix;        // after "Farmaquion - Edição N"
    const char* listCaption;          // CheckBox1
    const char* gridTitle;            // title of the CRYPTO column of the product list
    const char* familyName;           // for messages: "medicamento", "material", "solução"
    price::PriceType fixedPriceType;  // the price type when the group is hidden (or the default)
    bool priceTypeShown;
    bool eanShown;
    bool hierarquiaShown;
    bool genericoShown;
    bool filtersShown;
    bool restritoOffered;             // before the edition rule
    bool oncologicoOffered;           // before the state's rule
    bool parenteralOffered;           // before the edition rule
    bool liberadoOffered;             // before the probe
};

// The profile of M, I or S; nullptr for any other letter.
const KindProfile* kindProfile(QChar kind);

inline constexpr int kFirstEditionWithRestricted = 726;
inline constexpr int kFirstEditionWithParenteral = 800;

OptionVisibility visibleOptions(QChar kind, const EditionFacts& facts);

// The window's defaults for a kind (solutions start on "PFB").
ExportRequest defaultRequest(QChar kind, bool freeTradeZone);

// Unchecks every option the window hides, so that it cannot act; the price
// type of a hidden price-type group is the kind's fixed one.
ExportRequest normalised(const ExportRequest& request, const OptionVisibility& visible);

PriceGroup priceGroup(const ExportRequest& request);

// "PMC" for medicines with the consumer price, "PFB" in every other case.
QString priceTypeLabel(const ExportRequest& request);

// "Farmaquion - Edição 812 - Exportação de Medicamentos".
QString windowCaption(QChar kind, const QString& editionNumber);

} // namespace farq::exporter
