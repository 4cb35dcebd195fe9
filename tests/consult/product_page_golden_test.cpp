// Golden pages of the three product pages on small generated editions, clear
// and coded, read from the database as the window and the command line do.
#include "consult/product_page_writer.h"
#include "print_helpers.h"
#include "shell/edition.h"
#include "support/edition_fixture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace farq;
using namespace farq::consult;

namespace {

enum Kind { H, G, R };
struct GoldenLine {
    Kind kind;
    const char8_t* text;
};

// farmaquion-cli consulta medicamentos-produto --produto 00001 --estado SP
const GoldenLine kMedicinesSp[] = {
    {H, u8R"(Laboratório ( ICMS 18,0 % ) )"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Indústria Química Paulista 1)"},
    {R, u8R"(   Comprimido revestido 230 mg, caixa com 60 unidades...........................  811....      600,95)"},
    {R, u8R"(   Cápsula gelatinosa dura 180 mg, caixa com 0 unidades.........................  811....       97,51)"},
    {R, u8R"(   Cápsula gelatinosa dura 350 mg, caixa com 20 unidades........................  811....      432,32)"},
    {G, u8R"(Laboratório Catarinense 2)"},
    {R, u8R"(   Bolsa plástica 170 mg, caixa com 0 unidades..................................  811....      636,69)"},
    {R, u8R"(   Cápsula gelatinosa dura 445 mg, caixa com 30 unidades........................  811....      199,28)"},
    {R, u8R"(   Cápsula gelatinosa dura 55 mg, caixa com 1 unidades acondicionadas em embalag)"},
    {R, u8R"(   em hospitalar com identificação individual e lacre de segurança..............  811....      550,20)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Caixa com envelopes 405 mg, caixa com 60 unidades............................  811....      403,36)"},
    {R, u8R"(   Creme dermatológico 15 mg, caixa com 20 unidades.............................  811....      274,32)"},
    {R, u8R"(   Suspensão oral 305 mg, caixa com 60 unidades.................................  811....      271,15)"},
};
// farmaquion-cli consulta medicamentos-produto --produto 00002 --estado RJ
const GoldenLine kMedicinesOncologicalRj[] = {
    {H, u8R"(Laboratório ( ICMS 0 % ) Medicamento Oncológico)"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Suspensão oral 295 mg, caixa com 60 unidades.................................  785....      150,23)"},
    {G, u8R"(Medquímica Indústria 3)"},
    {R, u8R"(   Solução injetável 425 mg, caixa com 0 unidades...............................  794....      514,40)"},
};
// farmaquion-cli consulta medicamentos-produto --produto 00003 --estado MG
const GoldenLine kMedicinesGenericMg[] = {
    {H, u8R"(Laboratório ( ICMS 12 % ))"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Indústria Química Paulista 1)"},
    {R, u8R"(   Caixa com envelopes 230 mg, caixa com 10 unidades............................  783....      688,16)"},
    {G, u8R"(Laboratório Catarinense 2)"},
    {R, u8R"(   Suspensão oral 400 mg, caixa com 20 unidades.................................  783....      733,86)"},
};
// farmaquion-cli consulta medicamentos-produto --produto 00001 --estado ZF
const GoldenLine kMedicinesZfPmc[] = {
    {H, u8R"(Laboratório ( ICMS 18,0 % ) )"},
    {H, u8R"(   Apresentação                                                                   Edição    Preço 17%  Preço 17.5%    Preço 18%)"},
    {G, u8R"(Indústria Química Paulista 1)"},
    {R, u8R"(   Comprimido revestido 230 mg, caixa com 60 unidades...........................  811....      543,86       545,06       546,86)"},
    {R, u8R"(   Cápsula gelatinosa dura 180 mg, caixa com 0 unidades.........................  811....       88,25        88,44        88,73)"},
    {R, u8R"(   Cápsula gelatinosa dura 350 mg, caixa com 20 unidades........................  811....      391,25       392,11       393,41)"},
    {G, u8R"(Laboratório Catarinense 2)"},
    {R, u8R"(   Bolsa plástica 170 mg, caixa com 0 unidades..................................  811....      576,20       577,48       579,39)"},
    {R, u8R"(   Cápsula gelatinosa dura 445 mg, caixa com 30 unidades........................  811....      180,35       180,75       181,34)"},
    {R, u8R"(   Cápsula gelatinosa dura 55 mg, caixa com 1 unidades acondicionadas em embalag)"},
    {R, u8R"(   em hospitalar com identificação individual e lacre de segurança..............  811....      497,93       499,03       500,68)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Caixa com envelopes 405 mg, caixa com 60 unidades............................  811....      365,04       365,85       367,06)"},
    {R, u8R"(   Creme dermatológico 15 mg, caixa com 20 unidades.............................  811....      248,26       248,81       249,63)"},
    {R, u8R"(   Suspensão oral 305 mg, caixa com 60 unidades.................................  811....      245,39       245,93       246,75)"},
};
// farmaquion-cli consulta medicamentos-produto --produto 00001 --estado RO --pfab
const GoldenLine kMedicinesRo[] = {
    {H, u8R"(Laboratório ( ICMS 17,5 % ) )"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Indústria Química Paulista 1)"},
    {R, u8R"(   Comprimido revestido 230 mg, caixa com 60 unidades...........................  811....      429,22)"},
    {R, u8R"(   Cápsula gelatinosa dura 180 mg, caixa com 0 unidades.........................  811....       69,65)"},
    {R, u8R"(   Cápsula gelatinosa dura 350 mg, caixa com 20 unidades........................  811....      308,78)"},
    {G, u8R"(Laboratório Catarinense 2)"},
    {R, u8R"(   Bolsa plástica 170 mg, caixa com 0 unidades..................................  811....      454,75)"},
    {R, u8R"(   Cápsula gelatinosa dura 445 mg, caixa com 30 unidades........................  811....      142,33)"},
    {R, u8R"(   Cápsula gelatinosa dura 55 mg, caixa com 1 unidades acondicionadas em embalag)"},
    {R, u8R"(   em hospitalar com identificação individual e lacre de segurança..............  811....      392,97)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Caixa com envelopes 405 mg, caixa com 60 unidades............................  811....      288,10)"},
    {R, u8R"(   Creme dermatológico 15 mg, caixa com 20 unidades.............................  811....      195,93)"},
    {R, u8R"(   Suspensão oral 305 mg, caixa com 60 unidades.................................  811....      193,67)"},
};
// farmaquion-cli consulta materiais-produto --produto 00004
const GoldenLine kMaterialsSp[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço         IPI)"},
    {G, u8R"(Biolab Sanus 4)"},
    {R, u8R"(   Suspensão oral 10 mg, caixa com 60 unidades..................................  787....      624,74       12,00)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Cápsula gelatinosa dura 250 mg, caixa com 60 unidades........................  777....      416,56       12,00)"},
};
// farmaquion-cli consulta materiais-produto --produto 00004
const GoldenLine kMaterialsZf[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                                   Edição    Preço 17%  Preço 17.5%    Preço 18%         IPI)"},
    {G, u8R"(Biolab Sanus 4)"},
    {R, u8R"(   Suspensão oral 10 mg, caixa com 60 unidades..................................  787....      565,39       566,64       568,51       12,00)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Cápsula gelatinosa dura 250 mg, caixa com 60 unidades........................  777....      376,99       377,82       379,07       12,00)"},
};
// farmaquion-cli consulta solucoes-produto --produto 00005
const GoldenLine kSolutionsSp[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                               Edição           Preço)"},
    {G, u8R"(Cristália Produtos 5)"},
    {R, u8R"(   Solução injetável 220 mg, caixa com 1 unidades.............................  789.....      265,90)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Bolsa plástica 160 mg, caixa com 1 unidades................................  803.....      532,68)"},
};
// farmaquion-cli consulta solucoes-produto --produto 00005
const GoldenLine kSolutionsRo[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                               Edição           Preço)"},
    {G, u8R"(Cristália Produtos 5)"},
    {R, u8R"(   Solução injetável 220 mg, caixa com 1 unidades.............................  789.....      265,90)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Bolsa plástica 160 mg, caixa com 1 unidades................................  803.....      532,68)"},
};
// farmaquion-cli consulta solucoes-produto --produto 00005
const GoldenLine kSolutionsZf[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                               Edição           Preço)"},
    {G, u8R"(Cristália Produtos 5)"},
    {R, u8R"(   Solução injetável 220 mg, caixa com 1 unidades.............................  789.....      265,90)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Bolsa plástica 160 mg, caixa com 1 unidades................................  803.....      532,68)"},
};

// farmaquion-cli consulta medicamentos-produto --produto 00001 --estado PR
const GoldenLine kMedicinesPr[] = {
    {H, u8R"(Laboratório ( ICMS 19,0 % ) )"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Indústria Química Paulista 1)"},
    {R, u8R"(   Comprimido revestido 230 mg, caixa com 60 unidades...........................  811....      618,98)"},
    {R, u8R"(   Cápsula gelatinosa dura 180 mg, caixa com 0 unidades.........................  811....      100,44)"},
    {R, u8R"(   Cápsula gelatinosa dura 350 mg, caixa com 20 unidades........................  811....      445,29)"},
    {G, u8R"(Laboratório Catarinense 2)"},
    {R, u8R"(   Bolsa plástica 170 mg, caixa com 0 unidades..................................  811....      655,79)"},
    {R, u8R"(   Cápsula gelatinosa dura 445 mg, caixa com 30 unidades........................  811....      205,26)"},
    {R, u8R"(   Cápsula gelatinosa dura 55 mg, caixa com 1 unidades acondicionadas em embalag)"},
    {R, u8R"(   em hospitalar com identificação individual e lacre de segurança..............  811....      566,71)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Caixa com envelopes 405 mg, caixa com 60 unidades............................  811....      415,46)"},
    {R, u8R"(   Creme dermatológico 15 mg, caixa com 20 unidades.............................  811....      282,55)"},
    {R, u8R"(   Suspensão oral 305 mg, caixa com 60 unidades.................................  811....      279,28)"},
};

// With the boundary rows: descriptions of W - 3, longer than L, longer than L + W - 3.
// farmaquion-cli consulta medicamentos-produto --produto A0001
const GoldenLine kBoundaryMedicine[] = {
    {H, u8R"(Laboratório ( ICMS 18,0 % ) )"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Apresentação de 155 caracteres nº 3 abcdefghijabcdefghijabcdefghijabcdefghija)"},
    {R, u8R"(   bcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghi  811....      344,39)"},
    {R, u8R"(   Apresentação de 77 caracteres nº 1 abcdefghijabcdefghijabcdefghijabcdefghijab  811....      785,06)"},
    {R, u8R"(   Apresentação de 78 caracteres nº 2 abcdefghijabcdefghijabcdefghijabcdefghijab)"},
    {R, u8R"(   c............................................................................  811....      727,09)"},
};
// farmaquion-cli consulta materiais-produto --produto A0002
const GoldenLine kBoundaryMaterial[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                                   Edição        Preço         IPI)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Apresentação de 155 caracteres nº 6 abcdefghijabcdefghijabcdefghijabcdefghija)"},
    {R, u8R"(   bcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghi  794....      560,38        5,00)"},
    {R, u8R"(   Apresentação de 77 caracteres nº 4 abcdefghijabcdefghijabcdefghijabcdefghijab  804....      359,77        5,00)"},
    {R, u8R"(   Apresentação de 78 caracteres nº 5 abcdefghijabcdefghijabcdefghijabcdefghijab)"},
    {R, u8R"(   c............................................................................  797....      525,06        5,00)"},
};
// farmaquion-cli consulta solucoes-produto --produto A0003
const GoldenLine kBoundarySolution[] = {
    {H, u8R"(Laboratório)"},
    {H, u8R"(   Apresentação                                                               Edição           Preço)"},
    {G, u8R"(Laboratório D'Ávila Ltda.)"},
    {R, u8R"(   Apresentação de 100 caracteres nº 10 abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijab)"},
    {R, u8R"(   c..........................................................................  797.....       17,76)"},
    {R, u8R"(   Apresentação de 176 caracteres nº 11 abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijab)"},
    {R, u8R"(   cdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghi  807.....      215,65)"},
    {R, u8R"(   Apresentação de 75 caracteres nº 7 abcdefghijabcdefghijabcdefghijabcdefghij  788.....       54,88)"},
    {R, u8R"(   Apresentação de 76 caracteres nº 8 abcdefghijabcdefghijabcdefghijabcdefghija  809.....      297,32)"},
    {R, u8R"(   Apresentação de 99 caracteres nº 9 abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcd  793.....      529,96)"},
};

template <std::size_t N>
std::vector<PageLine> golden(const GoldenLine (&lines)[N], int editionShift = 0, int leaderWidth = 80,
                             const QString& separator = QString())
{
    std::vector<PageLine> out;
    for (const GoldenLine& g : lines) {
        QString text = QString::fromUtf8(reinterpret_cast<const char*>(g.text));
        // A coded edition's rows carry edition numbers one higher.
        // The edition is the number just before the separator that precedes the price.
        const QRegularExpression edition(QStringLiteral("(\\d+)%1(?= +\\d)")
                                             .arg(QRegularExpression::escape(separator)));
        QRegularExpressionMatch m;
        if (g.kind == R && editionShift && text.size() > leaderWidth && text.lastIndexOf(edition, -1, &m) >= 0) {
            const QString shiftedNumber = QString::number(m.captured(1).toInt() + editionShift);
            text.replace(m.capturedStart(1), m.capturedLength(1), shiftedNumber);
        }
        out.push_back(g.kind == H ? headingLine(text) : g.kind == G ? groupLine(text) : rowLine(text));
    }
    return out;
}

struct GoldenCase {
    const char* name;
    ProductPageId page;
    const char* product;
    const char* state; // the chosen state, saved as the user's state too
    price::PriceType type;
    std::vector<PageLine> (*expected)(int editionShift);
    bool boundaryRows = false; // an edition with the layout boundary rows
};

template <std::size_t N>
std::vector<PageLine> shifted(const GoldenLine (&lines)[N], ProductPageId id, int shift)
{
    const ProductPage& p = productPage(id);
    return golden(lines, shift, p.shape.leaderWidth, p.shape.separator);
}

#define GOLDEN(lines, id) [](int s) { return shifted(lines, ProductPageId::id, s); }

const GoldenCase kCases[] = {
    {"medicines, 18 %", ProductPageId::Medicines, "00001", "SP", price::PriceType::PMC,
     GOLDEN(kMedicinesSp, Medicines)},
    {"medicines, oncological in an exempting state", ProductPageId::Medicines, "00002", "RJ", price::PriceType::PMC,
     GOLDEN(kMedicinesOncologicalRj, Medicines)},
    {"medicines, generic state, first row generic", ProductPageId::Medicines, "00003", "MG", price::PriceType::PMC,
     GOLDEN(kMedicinesGenericMg, Medicines)},
    {"medicines, ZF with PMC", ProductPageId::Medicines, "00001", "ZF", price::PriceType::PMC,
     GOLDEN(kMedicinesZfPmc, Medicines)},
    {"medicines, 19 %", ProductPageId::Medicines, "00001", "PR", price::PriceType::PMC,
     GOLDEN(kMedicinesPr, Medicines)},
    {"medicines, 17.5 % with PFAB", ProductPageId::Medicines, "00001", "RO", price::PriceType::PFAB,
     GOLDEN(kMedicinesRo, Medicines)},
    {"materials, 18 %", ProductPageId::Materials, "00004", "SP", price::PriceType::PFAB,
     GOLDEN(kMaterialsSp, Materials)},
    {"materials, ZF", ProductPageId::Materials, "00004", "ZF", price::PriceType::PFAB,
     GOLDEN(kMaterialsZf, Materials)},
    {"solutions, 18 %", ProductPageId::Solutions, "00005", "SP", price::PriceType::PFAB,
     GOLDEN(kSolutionsSp, Solutions)},
    {"solutions, 17.5 % takes the 18 % column", ProductPageId::Solutions, "00005", "RO", price::PriceType::PFAB,
     GOLDEN(kSolutionsRo, Solutions)},
    {"solutions, ZF has no ZF form", ProductPageId::Solutions, "00005", "ZF", price::PriceType::PFAB,
     GOLDEN(kSolutionsZf, Solutions)},
    {"medicines, wrap and leader boundaries", ProductPageId::Medicines, "A0001", "SP", price::PriceType::PMC,
     GOLDEN(kBoundaryMedicine, Medicines), true},
    {"materials, wrap and leader boundaries", ProductPageId::Materials, "A0002", "SP", price::PriceType::PFAB,
     GOLDEN(kBoundaryMaterial, Materials), true},
    {"solutions, wrap and leader boundaries", ProductPageId::Solutions, "A0003", "SP", price::PriceType::PFAB,
     GOLDEN(kBoundarySolution, Solutions), true},
};

gen::GeneratorOptions editionFor(bool coded, bool boundaryRows)
{
    gen::GeneratorOptions o = coded ? test::codedEdition() : test::clearEdition();
    o.layoutBoundaryRows = boundaryRows;
    return o;
}

const price::StateRecord* findState(const std::vector<price::StateRecord>& states, const QString& uf)
{
    for (const price::StateRecord& s : states)
        if (s.estado == uf)
            return &s;
    return nullptr;
}

// The request the window makes: the list entry's name and code, the chosen
// state (or the saved one) and the price type.
PageRequest requestFor(Edition& edition, const ProductPage& page, const QString& product, const QString& uf,
                       price::PriceType type)
{
    PageRequest r;
    for (const ListEntry& e : loadProductList(edition, page))
        if (e.code.trimmed() == product) {
            r.searchText = e.name;
            r.code = e.code;
        }
    if (page.state == StateSource::Chosen) {
        const auto states = loadStates(edition.db());
        const price::StateRecord* s = findState(states, uf);
        if (s)
            r.state = *s;
    } else {
        r.state = savedStateRecord(edition.db());
    }
    r.type = type;
    return r;
}

class ProductPageGolden : public ::testing::TestWithParam<bool> {};

} // namespace

TEST_P(ProductPageGolden, PagesMatchTheirGoldenLines)
{
    const bool coded = GetParam();
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    for (const GoldenCase& c : kCases) {
        Edition edition;
        edition.open(test::editionCopy(editionFor(coded, c.boundaryRows)));
        ASSERT_EQ(edition.coded(), coded);
        edition.saveState(QString::fromLatin1(c.state));
        const ProductPage& page = productPage(c.page);
        const PageRequest request =
            requestFor(edition, page, QString::fromLatin1(c.product), QString::fromLatin1(c.state), c.type);
        ASSERT_FALSE(request.code.isEmpty()) << c.name;
        ASSERT_EQ(request.state.estado, QString::fromLatin1(c.state)) << c.name;
        std::vector<QString> sent;
        edition.db().setStatementObserver([&](EditionDatabase::Sent, const QString& sql) { sent.push_back(sql); });
        const std::optional<Page> written = runProductPage(edition, page, request, br);
        ASSERT_TRUE(written) << c.name;
        EXPECT_EQ(written->lines, c.expected(coded ? 1 : 0)) << c.name << (coded ? " (coded)" : " (clear)");
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front(), priceRowsQuery(page, request.code, coded)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(ClearAndCoded, ProductPageGolden, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Coded" : "Clear"; });

TEST(ProductPageRun, EmptySearchTextStopsSilentlyWithoutQueryingPrices)
{
    Edition edition;
    edition.open(test::editionCopy(test::clearEdition()));
    int queries = 0;
    edition.db().setStatementObserver([&](EditionDatabase::Sent, const QString&) { ++queries; });
    PageRequest r;
    r.code = QStringLiteral("00001");
    EXPECT_EQ(runProductPage(edition, productPage(ProductPageId::Medicines), r), std::nullopt);
    EXPECT_EQ(queries, 0);
}

TEST(ProductPageRun, CodeWithoutPriceRowsGivesTheTwoHeadingsOnly)
{
    Edition edition;
    edition.open(test::editionCopy(test::codedEdition()));
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    for (ProductPageId id : {ProductPageId::Medicines, ProductPageId::Materials, ProductPageId::Solutions}) {
        const ProductPage& page = productPage(id);
        PageRequest r;
        r.searchText = QStringLiteral("texto sem produto");
        r.code = QString(); // typed text that matches no entry
        r.state = savedStateRecord(edition.db());
        const std::optional<Page> p = runProductPage(edition, page, r, br);
        ASSERT_TRUE(p);
        ASSERT_EQ(p->lines.size(), 2u) << page.formClass;
        EXPECT_EQ(p->lines[0].text, page.heading1Rule == HeadingRule::Fixed ? page.heading1
                                                                           : QStringLiteral("Laboratório ( ICMS 18,0 % ) "));
        EXPECT_EQ(p->lines[1].text, page.heading2);
    }
}

TEST(ProductPageRun, ListsShowClearNamesInTheEditionsOrder)
{
    for (bool coded : {false, true}) {
        Edition edition;
        edition.open(test::editionCopy(coded ? test::codedEdition() : test::clearEdition()));
        for (ProductPageId id : {ProductPageId::Medicines, ProductPageId::Materials, ProductPageId::Solutions}) {
            const std::vector<ListEntry> list = loadProductList(edition, productPage(id));
            ASSERT_GT(list.size(), 1u);
            for (std::size_t i = 1; i < list.size(); ++i)
                EXPECT_LE(list[i - 1].name.compare(list[i].name), 0) << coded << " " << list[i].name;
        }
        const std::vector<ListEntry> medicines = loadProductList(edition, productPage(ProductPageId::Medicines));
        const auto multi = std::find_if(medicines.begin(), medicines.end(),
                                        [](const ListEntry& e) { return e.code == QLatin1String("00001"); });
        ASSERT_NE(multi, medicines.end());
        EXPECT_EQ(multi->name, QStringLiteral("Amoxicilina Triidratada"));
    }
}

TEST(ProductPageRun, HierarchyOfTheFirstPriceRow)
{
    Edition edition;
    edition.open(test::editionCopy(test::codedEdition()));
    const ProductPage& page = productPage(ProductPageId::Materials);
    const QStringList chain = firstRowHierarchy(edition, page, QStringLiteral("00004"));
    ASSERT_FALSE(chain.isEmpty());
    EXPECT_LE(chain.size(), kHierarchyLevels);
    // The top level is one of the three top nodes.
    EXPECT_TRUE(QStringList({"Materiais Médicos", "Material de Enfermagem", "Órteses e Próteses"})
                    .contains(chain.first()))
        << chain.first();
    EXPECT_TRUE(firstRowHierarchy(edition, page, QStringLiteral("99999")).isEmpty());
}

// The boundary rows read column by column, as a user lines them up on screen.
TEST(ProductPageRun, BoundaryRowsColumnByColumn)
{
    Edition edition;
    edition.open(test::editionCopy(editionFor(true, true)));
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    struct Case {
        ProductPageId page;
        const char* product;
        int length;       // presentation name length
        int lines;        // lines of the row
        int editionAt;    // 1-based column of the edition field on the last line
        bool dots;        // leader dots on the last line
    } cases[] = {
        {ProductPageId::Medicines, gen::known::kBoundaryMedicine, 77, 1, 81, false},
        {ProductPageId::Medicines, gen::known::kBoundaryMedicine, 78, 2, 81, true},
        {ProductPageId::Medicines, gen::known::kBoundaryMedicine, 155, 2, 82, false},
        {ProductPageId::Materials, gen::known::kBoundaryMaterial, 77, 1, 81, false},
        {ProductPageId::Solutions, gen::known::kBoundarySolution, 75, 1, 79, false},
        {ProductPageId::Solutions, gen::known::kBoundarySolution, 76, 1, 80, false},
        {ProductPageId::Solutions, gen::known::kBoundarySolution, 99, 1, 103, false},
        {ProductPageId::Solutions, gen::known::kBoundarySolution, 100, 2, 79, true},
        {ProductPageId::Solutions, gen::known::kBoundarySolution, 176, 2, 81, false},
    };
    for (const Case& c : cases) {
        const ProductPage& page = productPage(c.page);
        const PageRequest r = requestFor(edition, page, QString::fromLatin1(c.product), QStringLiteral("SP"),
                                         price::PriceType::PFAB);
        const std::optional<Page> p = runProductPage(edition, page, r, br);
        ASSERT_TRUE(p);
        const QString name = QStringLiteral("Apresentação de %1 caracteres").arg(c.length);
        std::size_t at = 0;
        while (at < p->lines.size() && !p->lines[at].text.startsWith(QStringLiteral("   ") + name))
            ++at;
        ASSERT_LT(at + c.lines - 1, p->lines.size()) << c.length;
        const QString last = p->lines[at + c.lines - 1].text;
        if (c.lines == 2) {
            EXPECT_EQ(p->lines[at].text.size(), page.shape.wrapLimit) << c.length;
        }
        // The character just before the edition field: a leader dot, or the description itself.
        if (c.dots)
            EXPECT_EQ(last.at(c.editionAt - 2), QLatin1Char('.')) << c.length;
        else
            EXPECT_NE(last.at(c.editionAt - 2), QLatin1Char('.')) << c.length;
        EXPECT_TRUE(last.mid(c.editionAt - 1, 5).trimmed().toInt() > 700) << c.length << " " << last;
        EXPECT_EQ(last.mid(c.editionAt - 1 + 5, page.shape.separator.size()), page.shape.separator) << c.length;
    }
}
