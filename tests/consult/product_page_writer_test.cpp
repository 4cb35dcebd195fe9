// The product pages' writer over rows held in memory: headings, row layouts,
// the ZF forms, groups and decoding.
#include "consult/product_page_writer.h"
#include "print_helpers.h"
#include "shell/cipher.h"
#include "shell/codec.h"

#include <gtest/gtest.h>

#include <map>

using namespace farq;
using namespace farq::consult;
using price::PriceType;
using price::StateRecord;

namespace {

const QLocale kBr(QLocale::Portuguese, QLocale::Brazil);

const QStringList kColumns = {
    "FARPRELABOR", "FARPREMEDIC", "FARPREAPRE", "FARPREEDICAO", "FARPREGENERICO", "FARPREALIQ1", "FARPREALIQ2",
    "FARPREALIQ3", "FARPREALIQ4", "FARPREALIQ5", "FARPREALIQ6", "FARPPRE_DOZE", "FARPPRE_ZERO", "FARPPRE_DOZEFAB",
    "FARPPRE_ZEROFAB", "PMC17_5", "PFAB17_5", "FARPREZF", "FARPPRE_ZFFAB", "PMCZF17", "PMCZF17_5", "PMCZF18",
    "PFABZF17", "PFABZF17_5", "PFABZF18", "FARPREIPI", "FARLABDESCRICAO", "FARAPRDESCRICAO", "FARMEDDESCRICAO",
    "FARPREHIERARQUIA"};

// One price row: every price column carries a value that names it (PMC
// columns 1xx, PFAB columns 2xx, ZF columns 1017.. / 2017..).
std::map<QString, Value> priceRow(const QString& lab, const QString& apr, std::map<QString, Value> changes = {})
{
    std::map<QString, Value> r{
        {"FARPRELABOR", "001"}, {"FARPREMEDIC", "00001"}, {"FARPREAPRE", "0001"}, {"FARPREEDICAO", 811},
        {"FARPREGENERICO", "N"}, {"FARPREALIQ1", 118.0}, {"FARPREALIQ2", 117.0}, {"FARPREALIQ3", 120.0},
        {"FARPREALIQ4", 218.0}, {"FARPREALIQ5", 217.0}, {"FARPREALIQ6", 220.0}, {"FARPPRE_DOZE", 112.0},
        {"FARPPRE_ZERO", 100.5}, {"FARPPRE_DOZEFAB", 212.0}, {"FARPPRE_ZEROFAB", 200.5}, {"PMC17_5", 117.5},
        {"PFAB17_5", 217.5}, {"FARPREZF", 150.0}, {"FARPPRE_ZFFAB", 250.0}, {"PMCZF17", 1017.0},
        {"PMCZF17_5", 1017.5}, {"PMCZF18", 1018.0}, {"PFABZF17", 2017.0}, {"PFABZF17_5", 2017.5},
        {"PFABZF18", 2018.0}, {"FARPREIPI", 12.0}, {"FARLABDESCRICAO", lab}, {"FARAPRDESCRICAO", apr},
        {"FARMEDDESCRICAO", "Produto"}, {"FARPREHIERARQUIA", 0}};
    for (auto& [k, v] : changes)
        r[k] = v;
    return r;
}

DataSet rowsOf(const std::vector<std::map<QString, Value>>& rows)
{
    DataSet ds(kColumns);
    for (const auto& r : rows) {
        std::vector<Value> v;
        for (const QString& c : kColumns)
            v.push_back(r.at(c));
        ds.appendRow(v);
    }
    return ds;
}

StateRecord state(const char* uf, double rate, double generic = 0, const char* onco = "N")
{
    StateRecord s;
    s.estado = QString::fromLatin1(uf);
    s.descricao = s.estado;
    s.aliquota = rate;
    s.aliquotaGenerico = generic;
    s.icmsOncologico = QString::fromLatin1(onco);
    return s;
}

const ProductPage& medicines() { return productPage(ProductPageId::Medicines); }
const ProductPage& materials() { return productPage(ProductPageId::Materials); }
const ProductPage& solutions() { return productPage(ProductPageId::Solutions); }

Page write(const ProductPage& page, const StateRecord& st, PriceType type, const DataSet& rows,
           const price::OncologyContext& onco = {}, const Crypt& crypt = Crypt(false))
{
    PageRequest r;
    r.searchText = QStringLiteral("Produto");
    r.code = QStringLiteral("00001");
    r.state = st;
    r.type = type;
    return writeProductPage(page, r, rows, crypt, onco, kBr);
}

QString tailAfterDots(const QString& line, int w) { return line.mid(w); }

price::OncologyContext exempting(std::initializer_list<const char*> products)
{
    price::OncologyContext c;
    c.stateExempts = true;
    for (const char* p : products)
        c.oncologicalProducts.insert(QString::fromLatin1(p));
    return c;
}

} // namespace

TEST(MedicinesPage, HeadingLineOneTellsTheRateTheGenericOrTheOncologicalExemption)
{
    const auto generic = priceRow("Lab", "Apr", {{"FARPREGENERICO", "S"}});
    const auto genericLower = priceRow("Lab", "Apr", {{"FARPREGENERICO", "s"}});
    const auto plain = priceRow("Lab", "Apr");
    const auto onco = priceRow("Lab", "Apr", {{"FARPREMEDIC", "00002"}});
    const auto oncoNoZero = priceRow("Lab", "Apr", {{"FARPREMEDIC", "00002"}, {"FARPPRE_ZERO", 0.0}});
    struct Case {
        const char* name;
        StateRecord st;
        std::vector<std::map<QString, Value>> rows;
        price::OncologyContext onco;
        const char* heading;
    } cases[] = {
        {"18 %", state("SP", 18), {plain}, {}, "Laboratório ( ICMS 18,0 % ) "},
        {"17.5 %", state("RO", 17.5), {plain}, {}, "Laboratório ( ICMS 17,5 % ) "},
        {"19 %", state("PR", 19), {plain}, {}, "Laboratório ( ICMS 19,0 % ) "},
        {"no rows in a generic state", state("MG", 18, 12), {}, {}, "Laboratório ( ICMS 18,0 % ) "},
        {"first row generic", state("MG", 18, 12), {generic, plain}, {}, "Laboratório ( ICMS 12 % )"},
        {"lower-case generic mark", state("MG", 18, 12), {genericLower}, {}, "Laboratório ( ICMS 12 % )"},
        {"only a later row generic", state("MG", 18, 12), {plain, generic}, {}, "Laboratório ( ICMS 18,0 % ) "},
        {"generic rate rounds to 0", state("XX", 18, 0.5), {generic}, {}, "Laboratório ( ICMS 18,0 % ) "},
        {"oncological first row", state("RJ", 20, 0, "S"), {onco}, exempting({"00002"}),
         "Laboratório ( ICMS 0 % ) Medicamento Oncológico"},
        {"oncological first row without a 0 % price", state("RJ", 20, 0, "S"), {oncoNoZero, onco},
         exempting({"00002"}), "Laboratório ( ICMS 20,0 % ) "},
    };
    for (const Case& c : cases) {
        const Page p = write(medicines(), c.st, PriceType::PMC, rowsOf(c.rows), c.onco);
        ASSERT_GE(p.lines.size(), 2u) << c.name;
        EXPECT_EQ(p.lines[0], headingLine(QString::fromUtf8(c.heading))) << c.name;
        EXPECT_EQ(p.lines[1].text, medicines().heading2) << c.name;
        EXPECT_TRUE(p.lines[1].bold);
        EXPECT_FALSE(p.caretToStart) << c.name;
    }
}

TEST(MedicinesPage, OncologicalFirstRowWithoutZeroPriceLeavesTheHeadingButLaterRowsShowTheirZeroPrice)
{
    const DataSet rows = rowsOf({priceRow("Lab", "A", {{"FARPREMEDIC", "00002"}, {"FARPPRE_ZERO", 0.0}}),
                                 priceRow("Lab", "B", {{"FARPREMEDIC", "00002"}})});
    const Page p = write(medicines(), state("RJ", 20, 0, "S"), PriceType::PMC, rows, exempting({"00002"}));
    ASSERT_EQ(p.lines.size(), 5u);
    EXPECT_TRUE(p.lines[3].text.endsWith(QStringLiteral("      120,00")));
    EXPECT_TRUE(p.lines[4].text.endsWith(QStringLiteral("      100,50")));
}

TEST(MedicinesPage, RowLineIsDescriptionDotsEditionSeparatorAndPrice)
{
    const DataSet rows = rowsOf({priceRow("Laboratório D'Ávila Ltda.", "  Comprimido revestido 10 mg  ")});
    const Page p = write(medicines(), state("SP", 18), PriceType::PMC, rows);
    ASSERT_EQ(p.lines.size(), 4u);
    EXPECT_EQ(p.lines[2], groupLine(QStringLiteral("Laboratório D'Ávila Ltda.")));
    const QString expected = withLeader(QStringLiteral("   Comprimido revestido 10 mg"), 80)
                           + QStringLiteral("  811....      118,00");
    EXPECT_EQ(p.lines[3], rowLine(expected));
    EXPECT_EQ(expected.size(), 101);
}

TEST(MedicinesPage, PricesFollowTheStateAndTheBoxes)
{
    const DataSet rows = rowsOf({priceRow("Lab", "A")});
    struct Case {
        StateRecord st;
        PriceType type;
        const char* tail;
    } cases[] = {
        {state("SP", 18), PriceType::PMC, "      118,00"},  {state("SP", 18), PriceType::PFAB, "      218,00"},
        {state("RO", 17.5), PriceType::PMC, "      117,50"}, {state("PR", 19), PriceType::PMC, "      120,00"},
        {state("PR", 19), PriceType::PFAB, "      220,00"}, {state("SP", 18), PriceType::None, "        0,00"},
        {state("XV", 25), PriceType::PMC, "        0,00"},
    };
    for (const Case& c : cases) {
        const Page p = write(medicines(), c.st, c.type, rows);
        EXPECT_EQ(tailAfterDots(p.lines.back().text, 89), QString::fromUtf8(c.tail)) << c.st.estado;
    }
}

// For the state "ZF": which heading and which three prices each page writes.
TEST(ProductPages, FreeTradeZoneForms)
{
    const DataSet rows = rowsOf({priceRow("Lab", "A")});
    const StateRecord zf = state("ZF", 18);
    const QString pmcZf = QStringLiteral("    1.017,00     1.017,50     1.018,00");
    const QString pfabZf = QStringLiteral("    2.017,00     2.017,50     2.018,00");
    const QString ipi = QStringLiteral("       12,00");
    struct Case {
        const ProductPage* page;
        PriceType type;
        int headingLength;
        QString tail; // after the separator
    } cases[] = {
        {&medicines(), PriceType::PMC, 127, pmcZf},
        {&medicines(), PriceType::PFAB, 127, pfabZf},
        {&medicines(), PriceType::None, 127, pfabZf},
        {&materials(), PriceType::PFAB, 139, pfabZf + ipi},
        // Solutions have no ZF form: one price of the 18 % column.
        {&solutions(), PriceType::PFAB, 100, QStringLiteral("      218,00")},
    };
    for (const Case& c : cases) {
        const Page p = write(*c.page, zf, c.type, rows);
        EXPECT_EQ(p.lines[1].text.size(), c.headingLength) << c.page->formClass;
        EXPECT_EQ(p.lines[1].text, c.headingLength == 100 ? c.page->heading2 : c.page->heading2Zf);
        const QString line = p.lines.back().text;
        const int priceAt = c.page->shape.leaderWidth + 5 + int(c.page->shape.separator.size());
        EXPECT_EQ(line.mid(priceAt), c.tail) << c.page->formClass << int(c.type);
        EXPECT_EQ(line.size(), c.headingLength) << c.page->formClass;
    }
}

TEST(ProductPages, HeadingsOutsideTheFreeTradeZone)
{
    const DataSet rows = rowsOf({priceRow("Lab", "A")});
    struct Case {
        const ProductPage* page;
        const char* heading1;
        int heading2Length;
        int editionColumn; // "Edição" in heading 2, 1-based
        int rowLength;
    } cases[] = {
        {&medicines(), "Laboratório ( ICMS 18,0 % ) ", 101, 83, 101},
        {&materials(), "Laboratório", 113, 83, 113},
        {&solutions(), "Laboratório", 100, 79, 100},
    };
    for (const Case& c : cases) {
        const Page p = write(*c.page, state("SP", 18), PriceType::PFAB, rows);
        EXPECT_EQ(p.lines[0], headingLine(QString::fromUtf8(c.heading1)));
        EXPECT_EQ(p.lines[1].text.size(), c.heading2Length);
        EXPECT_EQ(p.lines[1].text.indexOf(QStringLiteral("Edição")) + 1, c.editionColumn);
        EXPECT_TRUE(p.lines[1].text.contains(QStringLiteral("Preço")));
        // The price column ends where the heading's "Preço" ends.
        const QString row = p.lines.back().text;
        EXPECT_EQ(row.size(), c.rowLength) << c.page->formClass;
        const int priceEnd = int(p.lines[1].text.indexOf(QStringLiteral("Preço"))) + 5;
        EXPECT_EQ(row.at(priceEnd - 1), QLatin1Char('0')) << c.page->formClass;
        EXPECT_EQ(row.mid(c.page->shape.leaderWidth, 5), QStringLiteral("  811")) << c.page->formClass;
    }
}

TEST(ProductPages, SavedStatePagesChooseTheirOwnVariant)
{
    const DataSet rows = rowsOf({priceRow("Lab", "A")});
    // At 17.5 %: materials take the exact 17.5 column, solutions the 18 % one.
    EXPECT_TRUE(write(materials(), state("RO", 17.5), PriceType::PFAB, rows)
                    .lines.back().text.endsWith(QStringLiteral("      217,50       12,00")));
    EXPECT_TRUE(write(solutions(), state("RO", 17.5), PriceType::PFAB, rows)
                    .lines.back().text.endsWith(QStringLiteral(".....      218,00")));
}

TEST(ProductPages, GroupLineForEveryChangeOfLaboratory)
{
    const DataSet rows = rowsOf({priceRow("Lab A  ", "a1"), priceRow("Lab A  ", "a2"), priceRow("Lab B", "b1"),
                                 priceRow("Lab A  ", "a3")});
    const Page p = write(materials(), state("SP", 18), PriceType::PFAB, rows);
    QStringList kinds;
    for (const PageLine& l : p.lines)
        kinds << (l.bold ? QStringLiteral("H") : l.colour == LineColour::Blue ? QStringLiteral("G:") + l.text
                                                                              : QStringLiteral("R"));
    EXPECT_EQ(kinds, QStringList({"H", "H", "G:Lab A  ", "R", "R", "G:Lab B", "R", "G:Lab A  ", "R"}));
}

TEST(ProductPages, CodedDescriptionsAreDecodedBeforeGroupingAndWriting)
{
    const QString lab = QStringLiteral("Laboratório D'Ávila Ltda.");
    const QString apr = QStringLiteral("Solução injetável 10 mL");
    // The same names coded with different start values, as editions store them.
    auto coded = [](const QString& t, int start) { return QString::fromLatin1(encodeDescription(toCp1252(t), start)); };
    const DataSet codedRows =
        rowsOf({priceRow(coded(lab, 3), coded(apr, 200)), priceRow(coded(lab, 77), coded(apr, 9))});
    const DataSet clearRows = rowsOf({priceRow(lab, apr), priceRow(lab, apr)});
    for (const ProductPage* page : {&medicines(), &materials(), &solutions()}) {
        const Page fromCoded = write(*page, state("SP", 18), PriceType::PMC, codedRows, {}, Crypt(true));
        const Page fromClear = write(*page, state("SP", 18), PriceType::PMC, clearRows);
        EXPECT_EQ(fromCoded.lines, fromClear.lines) << page->formClass;
        EXPECT_EQ(fromCoded.lines.size(), 5u) << page->formClass; // two headings, one group, two rows
        EXPECT_EQ(fromCoded.lines[2].text, lab);
    }
}

TEST(ProductPages, SqlTextsOfListsAndPriceRows)
{
    EXPECT_EQ(productListQuery(medicines(), true),
              QStringLiteral("select * from FARMEDICAMENTOS where FarMedTipo='M'  ORDER BY NOVA_ORDEM"));
    EXPECT_EQ(productListQuery(solutions(), false),
              QStringLiteral("select * from FARMEDICAMENTOS where FarMedTipo='S'  order by farmeddescricao"));
    EXPECT_EQ(priceRowsQuery(medicines(), QStringLiteral("00001"), false),
              QStringLiteral(" select * from FARPRECOS   where FarPREMEDIC = '00001' order by FarPreMedic, "
                             "FarLabDescricao, FarAprDescricao"));
    EXPECT_EQ(priceRowsQuery(medicines(), QStringLiteral("00001"), true),
              QStringLiteral(" select * from FARPRECOS   where FarPREMEDIC = '00001' ORDER BY NOVA_ORDEM"));
    EXPECT_EQ(priceRowsQuery(materials(), QStringLiteral("00004"), true),
              QStringLiteral("select * from FARPRECOS where FarPreMedSolu = 'I'  AND FARPREMEDIC  =  '00004' "
                             "ORDER BY NOVA_ORDEM"));
    // Clear editions: the laboratory and presentation names keep each laboratory's rows together.
    EXPECT_EQ(priceRowsQuery(materials(), QStringLiteral("00004"), false),
              QStringLiteral("select * from FARPRECOS where FarPreMedSolu = 'I'  AND FARPREMEDIC  =  '00004' "
                             "order by FARMEDDESCRICAO, FarLabDescricao, FarAprDescricao"));
    EXPECT_EQ(priceRowsQuery(solutions(), QStringLiteral("00005"), false),
              QStringLiteral("select * from FARPRECOS   WHERE  FARPREMEDIC =  '00005' ORDER BY FarPreMedic, "
                             "FarLabDescricao, FarAprDescricao"));
    // A quote in the lookup value cannot break out of the literal.
    EXPECT_EQ(priceRowsQuery(solutions(), QStringLiteral("0'1"), true),
              QStringLiteral("select * from FARPRECOS   WHERE  FARPREMEDIC =  '0''1' ORDER BY NOVA_ORDEM"));
}

TEST(ProductPages, DescriptionTable)
{
    struct Case {
        const ProductPage* page;
        const char* searchLabel;
        int panelHeight;
        bool rewriteOnChange;
        bool boxes;
        const char* printForm;
    } cases[] = {
        {&medicines(), "Medicamento", 95, true, true, "TFFarConsMediRel"},
        {&materials(), "Material", 75, true, false, "TFFarConsMateRel"},
        {&solutions(), "Solução", 85, false, false, "TFFarConsSolRel"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.page->searchLabel, QString::fromUtf8(c.searchLabel));
        EXPECT_EQ(c.page->panelHeight, c.panelHeight);
        EXPECT_EQ(c.page->rewriteOnChange, c.rewriteOnChange);
        EXPECT_EQ(c.page->priceBoxes, c.boxes);
        EXPECT_STREQ(c.page->printForm, c.printForm);
        EXPECT_EQ(findProductPage(QString::fromLatin1(c.page->formClass)), c.page);
        EXPECT_EQ(findProductPage(QString::fromLatin1(c.page->cliName)), c.page);
    }
    EXPECT_EQ(findProductPage(QStringLiteral("TFFarConsMedLab")), nullptr);
}

TEST(HierarchyChain, TopLevelFirstAndAtMostEightLevels)
{
    DataSet h(QStringList{"ID", "SUPERIOR", "DESCRICAO", "NIVEL"});
    // A chain of ten levels: 1 (top) .. 10, and a node whose parent is missing.
    for (int i = 1; i <= 10; ++i)
        h.appendRow({double(i), double(i - 1), QStringLiteral("Nível %1").arg(i), i});
    h.appendRow({50.0, 99.0, QStringLiteral("Órfão"), 2});
    EXPECT_EQ(hierarchyChain(h, 3), QStringList({"Nível 1", "Nível 2", "Nível 3"}));
    EXPECT_EQ(hierarchyChain(h, 1), QStringList({"Nível 1"}));
    EXPECT_EQ(hierarchyChain(h, 10), QStringList({"Nível 3", "Nível 4", "Nível 5", "Nível 6", "Nível 7", "Nível 8",
                                                  "Nível 9", "Nível 10"}));
    EXPECT_EQ(hierarchyChain(h, 50), QStringList({"Órfão"}));
    EXPECT_TRUE(hierarchyChain(h, 77).isEmpty());
}
