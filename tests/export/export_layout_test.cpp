// The export layouts without a database: number and text fields, the column
// tables of the fixed form, the delimited form, the option rules, the SQL texts.
#include "export/export_layout.h"
#include "export/export_query.h"
#include "export/export_request.h"
#include "export/export_selection.h"

#include "shell/codec.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace farq::exporter {
namespace {

using price::PriceType;

// ---------------------------------------------------------------- numbers

struct NumberCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumber, PointDecimalsNoGroupingHalvesAwayFromZero)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.decimals), QString::fromLatin1(c.expected)) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumber,
    ::testing::Values(NumberCase{0.0, 2, "0.00"}, NumberCase{12.3, 2, "12.30"}, NumberCase{1234567.891, 2, "1234567.89"},
                      NumberCase{1.005, 2, "1.01"}, NumberCase{2.675, 2, "2.68"}, NumberCase{5.125, 2, "5.13"},
                      NumberCase{999.995, 2, "1000.00"}, NumberCase{-3.5, 2, "-3.50"}, NumberCase{-1.005, 2, "-1.01"},
                      NumberCase{-0.004, 2, "0.00"}, NumberCase{1e-7, 2, "0.00"}, NumberCase{100.0, 2, "100.00"},
                      NumberCase{double(12.35f), 2, "12.35"}, NumberCase{20.0, 0, "20"}, NumberCase{0.5, 0, "1"},
                      NumberCase{2.5, 0, "3"}, NumberCase{2.4999, 0, "2"}, NumberCase{812.0, 0, "812"},
                      NumberCase{std::numeric_limits<double>::quiet_NaN(), 2, "0.00"}));

TEST(FormatNumberRange, ThousandthsRoundHalfUpLikeDecimalArithmetic)
{
    // k / 1000 read as a decimal rounds to (k + 5) / 10 hundredths, halves
    // included, whatever the binary value of k / 1000.
    for (qint64 k = 0; k <= 200000; ++k) {
        const qint64 cents = (k + 5) / 10;
        const QString expected = QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
        ASSERT_EQ(formatNumber(double(k) / 1000.0, 2), expected) << k;
        if (cents != 0)
            ASSERT_EQ(formatNumber(-double(k) / 1000.0, 2), QLatin1Char('-') + expected) << k;
    }
}

TEST(FitText, PadsOnTheRightOrCuts)
{
    EXPECT_EQ(fitLeft(QStringLiteral("AB"), 5), QStringLiteral("AB   "));
    EXPECT_EQ(fitLeft(QStringLiteral("ABCDEFG"), 5), QStringLiteral("ABCDE"));
    EXPECT_EQ(fitLeft(QString(), 3), QStringLiteral("   "));
    EXPECT_EQ(fitRight(QStringLiteral("1.50"), 6), QStringLiteral("  1.50"));
    EXPECT_EQ(fitRight(QStringLiteral("100.00"), 5), QStringLiteral("100.0"));
}

TEST(TrimBlanks, RemovesBlanksAndControlsOnlyAtTheEnds)
{
    EXPECT_EQ(trimBlanks(QStringLiteral(" \t a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(trimBlanks(QStringLiteral("   ")), QString());
    // A no-break space (0xA0) is text, not a blank.
    EXPECT_EQ(trimBlanks(QString(QChar(0xA0)) + QStringLiteral("x ")), QString(QChar(0xA0)) + QStringLiteral("x"));
}

// ---------------------------------------------------------------- a row

PriceRowValues sampleRow()
{
    PriceRowValues v;
    v.labCode = QStringLiteral("001");
    v.productCode = QStringLiteral("00002");
    v.presentationCode = QStringLiteral("0003");
    v.labName = QStringLiteral("Laboratório D'Ávila Ltda.");
    v.productName = QStringLiteral("Ciclofosfamida");
    v.presentationName = QStringLiteral("Comprimido revestido 50 mg, caixa com 20 unidades");
    v.price = 123.456;
    v.pmcZf17 = 90.5;
    v.pmcZf175 = 90.75;
    v.pmcZf18 = 91.0;
    v.pfabZf17 = 65.1;
    v.pfabZf175 = 65.2;
    v.pfabZf18 = 65.3;
    v.quantity = 20;
    v.edition = 812;
    v.ipi = 12.5;
    v.ordinance = QStringLiteral("S");
    v.hierarchy = QStringLiteral("17");
    v.ean = QStringLiteral("7891234567890");
    v.tiss = QStringLiteral("90000123");
    v.generic = QStringLiteral("s");
    v.tuss = QStringLiteral("10000013") + QString(42, QLatin1Char(' ')); // CHAR(50) as read
    return v;
}

ExportRequest request(QChar kind, Content content, FileType type, PriceType price = PriceType::PMC, bool zf = false)
{
    ExportRequest r = defaultRequest(kind, zf);
    r.content = content;
    r.fileType = type;
    r.priceType = price;
    return r;
}

QString col(const QString& line, int first, int last) { return line.mid(first - 1, last - first + 1); }

// ---------------------------------------------------------------- record fields

TEST(RecordFields, WidthsCutsAndNumbers)
{
    PriceRowValues v = sampleRow();
    v.labCode = QStringLiteral("ABCDE");
    v.productCode = QStringLiteral("12");
    v.labName = QString(45, QLatin1Char('L'));
    v.productName = QString(85, QLatin1Char('P'));
    v.presentationName = QString(160, QLatin1Char('A'));
    v.price = -12.5;
    v.ipi = 100.0;
    v.quantity = 12345;
    const RecordFields f = recordFields(v, defaultRequest(QLatin1Char('M'), false));
    EXPECT_EQ(f[Field::LabCode], QStringLiteral("ABC"));
    EXPECT_EQ(f[Field::ProductCode], QStringLiteral("12   "));
    EXPECT_EQ(f[Field::LabName], QString(40, QLatin1Char('L')));
    EXPECT_EQ(f[Field::ProductName], QString(80, QLatin1Char('P')));
    EXPECT_EQ(f[Field::PresentationName], QString(150, QLatin1Char('A')));
    EXPECT_EQ(f[Field::Price], QStringLiteral("         -12.50"));
    EXPECT_EQ(f[Field::Ipi], QStringLiteral("100.0"));
    EXPECT_EQ(f[Field::Quantity], QStringLiteral("1234"));
    EXPECT_EQ(f[Field::Edition], QStringLiteral("  812"));
    EXPECT_EQ(f[Field::PriceLabel], QStringLiteral("PMC"));
    EXPECT_EQ(f.ean, QStringLiteral("7891234567890"));
    EXPECT_EQ(f.tiss, QStringLiteral("90000123  "));
    EXPECT_EQ(f.tuss, QStringLiteral("10000013"));
    EXPECT_EQ(f.generic, QStringLiteral("S"));
    // Every field a layout writes has its width.
    for (PriceType type : {PriceType::PMC, PriceType::PFAB})
        for (bool zf : {false, true}) {
            const ExportRequest r = request(QLatin1Char('M'), Content::CodigoDescricao, FileType::TamanhoFixo, type, zf);
            const RecordFields all = recordFields(v, r);
            for (Field field : mainPart(r.content, priceGroup(r), r.fileType))
                EXPECT_EQ(all[field].size(), fieldWidth(field)) << int(field);
        }
}

TEST(RecordFields, NullsCountAsZeroAndEmpty)
{
    const RecordFields f = recordFields(PriceRowValues{}, defaultRequest(QLatin1Char('M'), false));
    EXPECT_EQ(f[Field::LabCode], QStringLiteral("   "));
    EXPECT_EQ(f[Field::Price], QStringLiteral("           0.00"));
    EXPECT_EQ(f[Field::UnitPrice], QStringLiteral("           0.00"));
    EXPECT_EQ(f[Field::Quantity], QStringLiteral("   0"));
    EXPECT_EQ(f[Field::Edition], QStringLiteral("    0"));
    EXPECT_EQ(f[Field::Ipi], QStringLiteral(" 0.00"));
    EXPECT_EQ(f[Field::OrdinanceFlag], QStringLiteral("N"));
    EXPECT_EQ(f.ean, QString(13, QLatin1Char(' ')));
    EXPECT_EQ(f.tiss, QString(10, QLatin1Char(' ')));
    EXPECT_EQ(f.tuss, QString(8, QLatin1Char(' ')));
}

TEST(RecordFields, UnitPriceDividesOnlyByAPositiveQuantity)
{
    PriceRowValues v = sampleRow();
    const ExportRequest r = defaultRequest(QLatin1Char('M'), false);
    v.quantity = 20;
    EXPECT_EQ(recordFields(v, r)[Field::UnitPrice].trimmed(), QStringLiteral("6.17")); // 123.456 / 20
    for (double q : {0.0, -3.0}) {
        v.quantity = q;
        EXPECT_EQ(recordFields(v, r)[Field::UnitPrice].trimmed(), QStringLiteral("123.46")) << q;
    }
}

struct FlagCase {
    char kind;
    const char* stored;
    const char* expected;
};

TEST(RecordFields, OrdinanceFlagByKind)
{
    const FlagCase cases[] = {
        {'M', "S", "S"}, {'M', "", "N"}, {'M', " ", "N"}, {'S', "", "N"},
        {'I', "S", "S"}, {'I', "", ""},  {'I', " ", ""},
    };
    for (const FlagCase& c : cases) {
        PriceRowValues v = sampleRow();
        v.ordinance = QString::fromLatin1(c.stored);
        EXPECT_EQ(recordFields(v, defaultRequest(QLatin1Char(c.kind), false))[Field::OrdinanceFlag],
                  QString::fromLatin1(c.expected))
            << c.kind << " '" << c.stored << "'";
    }
}

TEST(RecordFields, HierarchyWithoutNodeIsBlank)
{
    const std::pair<const char*, const char*> cases[] = {
        {"17", "17        "}, {"0", "          "}, {"", "          "}, {"-1", "          "}, {"12345678901", "1234567890"}};
    for (const auto& [stored, expected] : cases) {
        PriceRowValues v = sampleRow();
        v.hierarchy = QString::fromLatin1(stored);
        EXPECT_EQ(recordFields(v, defaultRequest(QLatin1Char('I'), false)).hierarchy, QString::fromLatin1(expected))
            << stored;
    }
}

// ---------------------------------------------------------------- fixed column tables

struct Column {
    int first;
    int last;
    QString text;
};

struct FixedCase {
    const char* name;
    Content content;
    PriceType price;
    bool zf;
    int length;
    std::vector<Column> columns;
};

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }
QString padded(const char* text, int width)
{
    const QString t = QString::fromUtf8(text);
    return t + spaces(width - int(t.size()));
}
const QString kLab = padded("Laboratório D'Ávila Ltda.", 40);
const QString kProduct = padded("Ciclofosfamida", 80);
const QString kPres = padded("Comprimido revestido 50 mg, caixa com 20 unidades", 150);

std::vector<FixedCase> fixedCases()
{
    const QString price = QStringLiteral("         123.46");
    const QString unit = QStringLiteral("           6.17");
    return {
        {"codigo-plain", Content::Codigo, PriceType::PMC, false, 60,
         {{1, 3, "001"}, {4, 8, "00002"}, {9, 12, "0003"}, {13, 27, price}, {28, 31, "  20"}, {32, 34, "PMC"},
          {35, 49, unit}, {50, 54, "  812"}, {55, 59, "12.50"}, {60, 60, "S"}}},
        {"codigo-zfpmc", Content::Codigo, PriceType::PMC, true, 56,
         {{1, 12, "001000020003"}, {13, 27, "          90.50"}, {28, 30, "PMC"}, {31, 45, unit}, {46, 50, "  812"},
          {51, 55, "12.50"}, {56, 56, "S"}}},
        {"codigo-zfpfb", Content::Codigo, PriceType::PFAB, true, 90,
         {{1, 12, "001000020003"}, {13, 27, "          65.10"}, {28, 42, "          65.20"},
          {43, 57, "          65.30"}, {58, 61, "  20"}, {62, 64, "PFB"}, {65, 79, unit}, {80, 84, "  812"},
          {85, 89, "12.50"}, {90, 90, "S"}}},
        {"descricao-plain", Content::Descricao, PriceType::PMC, false, 318,
         {{1, 40, kLab}, {41, 120, kProduct}, {121, 270, kPres}, {271, 285, price}, {286, 289, "  20"},
          {290, 292, "PMC"}, {293, 307, unit}, {308, 312, "  812"}, {313, 317, "12.50"}, {318, 318, "S"}}},
        {"descricao-zfpmc", Content::Descricao, PriceType::PMC, true, 348,
         {{1, 270, kLab + kProduct + kPres}, {271, 285, "          90.50"}, {286, 300, "          90.75"},
          {301, 315, "          91.00"}, {316, 319, "  20"}, {320, 322, "PMC"}, {323, 337, unit},
          {338, 342, "  812"}, {343, 347, "12.50"}, {348, 348, "S"}}},
        {"descricao-zfpfb", Content::Descricao, PriceType::PFAB, true, 348,
         {{271, 285, "          65.10"}, {286, 300, "          65.20"}, {301, 315, "          65.30"},
          {316, 319, "  20"}, {320, 322, "PFB"}, {348, 348, "S"}}},
        {"codigo-descricao-plain", Content::CodigoDescricao, PriceType::PMC, false, 330,
         {{1, 3, "001"}, {4, 43, kLab}, {44, 48, "00002"}, {49, 128, kProduct}, {129, 132, "0003"},
          {133, 282, kPres}, {283, 297, price}, {298, 301, "  20"}, {302, 304, "PMC"}, {305, 319, unit},
          {320, 324, "  812"}, {325, 329, "12.50"}, {330, 330, "S"}}},
        {"codigo-descricao-zfpmc", Content::CodigoDescricao, PriceType::PMC, true, 360,
         {{1, 3, "001"}, {4, 43, kLab}, {283, 297, "          90.50"}, {298, 312, "          90.75"},
          {313, 327, "          91.00"}, {328, 331, "  20"}, {332, 334, "PMC"}, {335, 349, unit},
          {350, 354, "  812"}, {355, 359, "12.50"}, {360, 360, "S"}}},
        {"codigo-descricao-zfpfb", Content::CodigoDescricao, PriceType::PFAB, true, 360,
         {{283, 297, "          65.10"}, {298, 312, "          65.20"}, {313, 327, "          65.30"},
          {332, 334, "PFB"}}},
    };
}

TEST(FixedLayout, EveryColumnTable)
{
    for (const FixedCase& c : fixedCases()) {
        ExportRequest r = request(QLatin1Char('M'), c.content, FileType::TamanhoFixo, c.price, c.zf);
        r.ean = false;
        r.tiss = false;
        r.tuss = false;
        const QString line = exportLine(recordFields(sampleRow(), r), r);
        // Without EAN, TISS and TUSS: the main part, then 10 blanks for TISS
        // (and 13 for EAN with codes and descriptions).
        const int trailing = c.content == Content::CodigoDescricao ? 23 : 10;
        ASSERT_EQ(line.size(), c.length + trailing) << c.name;
        EXPECT_EQ(line.mid(c.length), spaces(trailing)) << c.name;
        for (const Column& k : c.columns)
            EXPECT_EQ(col(line, k.first, k.last), k.text) << c.name << " columns " << k.first << "-" << k.last;
    }
}

TEST(FixedLayout, HandCheckedLineWithTrailingColumns)
{
    // Medicines, "Código", plain group, EAN and TISS checked.
    const ExportRequest r = request(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo);
    EXPECT_EQ(exportLine(recordFields(sampleRow(), r), r),
              QStringLiteral("001000020003         123.46  20PMC           6.17  81212.50S789123456789090000123  "));
    // Codes and descriptions: EAN, TISS, generic mark, TUSS cut to 8.
    ExportRequest cd = request(QLatin1Char('M'), Content::CodigoDescricao, FileType::TamanhoFixo);
    cd.generico = true;
    const QString line = exportLine(recordFields(sampleRow(), cd), cd);
    EXPECT_EQ(line.mid(330), QStringLiteral("789123456789090000123  S10000013"));
}

TEST(FixedLayout, TrailingColumnsByContentAndKind)
{
    struct Case {
        const char* name;
        char kind;
        Content content;
        bool ean, tiss, tuss, hierarquia, generico;
        const char* hierarchy;
        QString suffix; // after the main part
    };
    const Case cases[] = {
        {"codigo without ean", 'M', Content::Codigo, false, true, true, false, false, "17", "90000123  "},
        {"codigo without tiss", 'M', Content::Codigo, true, false, true, false, false, "17",
         "7891234567890" + spaces(10)},
        {"descricao ean tiss", 'S', Content::Descricao, true, true, true, false, false, "17",
         "789123456789090000123  "},
        {"material ean never", 'I', Content::Codigo, true, true, true, false, false, "17", "90000123  "},
        {"material hierarchy", 'I', Content::Codigo, false, true, true, true, false, "17", "90000123  17        "},
        {"material hierarchy 0", 'I', Content::Codigo, false, true, true, true, false, "0", "90000123  "},
        {"material hierarchy unchecked", 'I', Content::Descricao, false, true, true, false, false, "17",
         "90000123  "},
        {"cd material blank ean", 'I', Content::CodigoDescricao, false, true, true, true, false, "17",
         spaces(13) + "90000123  17        10000013"},
        {"cd no tiss no tuss", 'M', Content::CodigoDescricao, true, false, false, false, true, "",
         "7891234567890" + spaces(10) + "S"},
    };
    for (const Case& c : cases) {
        ExportRequest r = request(QLatin1Char(c.kind), c.content, FileType::TamanhoFixo);
        r.ean = c.ean;
        r.tiss = c.tiss;
        r.tuss = c.tuss;
        r.hierarquia = c.hierarquia;
        r.generico = c.generico;
        PriceRowValues v = sampleRow();
        v.hierarchy = QString::fromLatin1(c.hierarchy);
        const std::vector<Field> main = mainPart(r.content, priceGroup(r), r.fileType);
        int length = 0;
        for (Field f : main)
            length += fieldWidth(f);
        EXPECT_EQ(exportLine(recordFields(v, r), r).mid(length), c.suffix) << c.name;
    }
}

TEST(FixedLayout, MaterialsWithTheFreeTradeZoneUseTheZfPmcGroupWithFactoryLabel)
{
    // The hidden price-type group of materials stays on PMC.
    const ExportRequest r = normalised(request(QLatin1Char('I'), Content::Codigo, FileType::TamanhoFixo,
                                               PriceType::PMC, true),
                                       visibleOptions(QLatin1Char('I'), EditionFacts{812, false, false}));
    EXPECT_EQ(priceGroup(r), PriceGroup::ZfPmc);
    const QString line = exportLine(recordFields(sampleRow(), r), r);
    EXPECT_EQ(col(line, 13, 27), QStringLiteral("          90.50"));
    EXPECT_EQ(col(line, 28, 30), QStringLiteral("PFB"));
}

// ---------------------------------------------------------------- delimited

TEST(DelimitedLayout, HandCheckedLines)
{
    struct Case {
        const char* name;
        char kind;
        Content content;
        PriceType price;
        bool zf;
        bool generico;
        QString expected;
    };
    const QString lab = QStringLiteral("Laboratório D'Ávila Ltda.");
    const QString pres = QStringLiteral("Comprimido revestido 50 mg, caixa com 20 unidades");
    const Case cases[] = {
        {"codigo", 'M', Content::Codigo, PriceType::PMC, false, false,
         R"("001","00002","0003","123.46","20","PMC","6.17","812","12.50","S","7891234567890","90000123  ","10000013")"},
        {"codigo zf pmc: all twelve fields", 'M', Content::Codigo, PriceType::PMC, true, false,
         R"("001","00002","0003","90.50","90.75","91.00","20","PMC","6.17","812","12.50","S","7891234567890","90000123  ","10000013")"},
        {"descricao: no tuss", 'S', Content::Descricao, PriceType::PFAB, false, false,
         "\"" + lab + R"(","Ciclofosfamida",")" + pres
             + R"(","123.46","20","PFB","6.17","812","12.50","S","7891234567890","90000123  ")"},
        {"codigo e descricao with generic mark and whole tuss", 'M', Content::CodigoDescricao, PriceType::PFAB, false,
         true,
         "\"001\",\"" + lab + R"(","00002","Ciclofosfamida","0003",")" + pres
             + R"(","123.46","20","PFB","6.17","812","12.50","S","7891234567890","90000123  ","S","10000013")"},
    };
    for (const Case& c : cases) {
        ExportRequest r = request(QLatin1Char(c.kind), c.content, FileType::Delimitado, c.price, c.zf);
        r.generico = c.generico;
        EXPECT_EQ(exportLine(recordFields(sampleRow(), r), r), c.expected) << c.name;
    }
}

TEST(DelimitedLayout, TrailingColumnRules)
{
    PriceRowValues v = sampleRow();
    v.tuss = QStringLiteral("abc123456789"); // longer than 8
    ExportRequest cod = request(QLatin1Char('M'), Content::Codigo, FileType::Delimitado);
    EXPECT_TRUE(exportLine(recordFields(v, cod), cod).endsWith(QStringLiteral(",\"abc12345\"")));
    ExportRequest cd = request(QLatin1Char('M'), Content::CodigoDescricao, FileType::Delimitado);
    EXPECT_TRUE(exportLine(recordFields(v, cd), cd).endsWith(QStringLiteral(",\"ABC123456789\"")));

    // The placeholder of an edition without TUSS: written with "Código",
    // left out with codes and descriptions.
    v.tuss = kTussPlaceholder;
    EXPECT_TRUE(exportLine(recordFields(v, cod), cod).endsWith(QStringLiteral(",\"90000123  \",\"TESTE\"")));
    EXPECT_TRUE(exportLine(recordFields(v, cd), cd).endsWith(QStringLiteral(",\"90000123  \"")));

    // A row without a TUSS column leaves it out.
    v.tussReadable = false;
    EXPECT_TRUE(exportLine(recordFields(v, cod), cod).endsWith(QStringLiteral(",\"90000123  \"")));

    // Materials: hierarchy trimmed; with codes and descriptions only when
    // "Hierarquia" is checked; never when the row has no node.
    PriceRowValues m = sampleRow();
    ExportRequest mat = normalised(request(QLatin1Char('I'), Content::Codigo, FileType::Delimitado),
                                   visibleOptions(QLatin1Char('I'), {}));
    EXPECT_TRUE(exportLine(recordFields(m, mat), mat).endsWith(QStringLiteral("\"90000123  \",\"17\",\"10000013\"")));
    ExportRequest matCd = normalised(request(QLatin1Char('I'), Content::CodigoDescricao, FileType::Delimitado),
                                     visibleOptions(QLatin1Char('I'), {}));
    EXPECT_TRUE(exportLine(recordFields(m, matCd), matCd).endsWith(QStringLiteral("\"90000123  \",\"10000013\"")));
    matCd.hierarquia = true;
    EXPECT_TRUE(exportLine(recordFields(m, matCd), matCd).endsWith(QStringLiteral("\"90000123  \",\"17\",\"10000013\"")));
    m.hierarchy = QStringLiteral("0");
    EXPECT_TRUE(exportLine(recordFields(m, matCd), matCd).endsWith(QStringLiteral("\"90000123  \",\"10000013\"")));

    // An empty ordinance flag of a material is an empty pair of quotes.
    m.ordinance = QString();
    EXPECT_TRUE(exportLine(recordFields(m, mat), mat).contains(QStringLiteral(",\"12.50\",\"\",")));
}

TEST(DelimitedLayout, EmbeddedQuotesAreWrittenAsTheyAre)
{
    PriceRowValues v = sampleRow();
    v.productName = QStringLiteral("  Seringa 1/2\" estéril  ");
    ExportRequest r = request(QLatin1Char('M'), Content::Descricao, FileType::Delimitado);
    EXPECT_TRUE(exportLine(recordFields(v, r), r).contains(QStringLiteral(",\"Seringa 1/2\" estéril\",")));
}

TEST(LineBytes, Windows1252AndCrLf)
{
    const ExportRequest r = request(QLatin1Char('M'), Content::Descricao, FileType::Delimitado);
    const QByteArray bytes = exportLineBytes(recordFields(sampleRow(), r), r);
    EXPECT_TRUE(bytes.startsWith("\"Laborat\xf3rio D'\xc1vila Ltda.\""));
    EXPECT_TRUE(bytes.endsWith("\"\r\n"));
    EXPECT_EQ(bytes.count('\n'), 1);
}

// ---------------------------------------------------------------- options

TEST(Options, VisibilityByKindAndEdition)
{
    const EditionFacts all{812, true, true};
    const OptionVisibility m = visibleOptions(QLatin1Char('M'), all);
    EXPECT_TRUE(m.priceType && m.ean && m.generico && m.restrito && m.oncologico && m.liberado);
    EXPECT_FALSE(m.hierarquia || m.parenteral);
    const OptionVisibility i = visibleOptions(QLatin1Char('I'), all);
    EXPECT_TRUE(i.hierarquia && i.parenteral && i.filters);
    EXPECT_FALSE(i.priceType || i.ean || i.generico || i.restrito || i.oncologico || i.liberado);
    const OptionVisibility s = visibleOptions(QLatin1Char('S'), all);
    EXPECT_TRUE(s.ean && s.tiss && s.tuss);
    EXPECT_FALSE(s.priceType || s.filters || s.restrito || s.parenteral || s.hierarquia || s.generico);

    EXPECT_FALSE(visibleOptions(QLatin1Char('M'), EditionFacts{725, true, true}).restrito);
    EXPECT_TRUE(visibleOptions(QLatin1Char('M'), EditionFacts{726, true, true}).restrito);
    EXPECT_FALSE(visibleOptions(QLatin1Char('I'), EditionFacts{799, true, true}).parenteral);
    EXPECT_TRUE(visibleOptions(QLatin1Char('I'), EditionFacts{800, true, true}).parenteral);
    EXPECT_FALSE(visibleOptions(QLatin1Char('M'), EditionFacts{812, false, true}).oncologico);
    EXPECT_FALSE(visibleOptions(QLatin1Char('M'), EditionFacts{812, true, false}).liberado);
}

TEST(Options, HiddenOptionsNeverAct)
{
    ExportRequest asked = defaultRequest(QLatin1Char('S'), false);
    asked.priceType = PriceType::PMC;
    asked.hierarquia = asked.generico = asked.restrito = asked.oncologico = asked.parenteral = asked.liberado = true;
    const ExportRequest s = normalised(asked, visibleOptions(QLatin1Char('S'), EditionFacts{812, true, true}));
    EXPECT_EQ(s.priceType, PriceType::PFAB);
    EXPECT_FALSE(s.hierarquia || s.generico || s.restrito || s.oncologico || s.parenteral || s.liberado);
    EXPECT_TRUE(s.ean && s.tiss && s.tuss);

    asked.kind = QLatin1Char('I');
    asked.priceType = PriceType::PFAB;
    const ExportRequest i = normalised(asked, visibleOptions(QLatin1Char('I'), EditionFacts{812, true, true}));
    EXPECT_EQ(i.priceType, PriceType::PMC);
    EXPECT_FALSE(i.ean || i.generico || i.restrito);
    EXPECT_TRUE(i.hierarquia && i.parenteral);

    asked.kind = QLatin1Char('M');
    const ExportRequest m = normalised(asked, visibleOptions(QLatin1Char('M'), EditionFacts{725, false, false}));
    EXPECT_EQ(m.priceType, PriceType::PFAB);
    EXPECT_FALSE(m.restrito || m.oncologico || m.liberado || m.hierarquia || m.parenteral);
    EXPECT_TRUE(m.generico);
}

TEST(Options, DefaultsAndCaptions)
{
    const ExportRequest m = defaultRequest(QLatin1Char('M'), false);
    EXPECT_EQ(m.content, Content::CodigoDescricao);
    EXPECT_EQ(m.fileType, FileType::Delimitado);
    EXPECT_EQ(m.priceType, PriceType::PMC);
    EXPECT_TRUE(m.ean && m.tiss && m.tuss && m.todos);
    EXPECT_FALSE(m.hierarquia || m.generico);
    EXPECT_EQ(defaultRequest(QLatin1Char('S'), false).priceType, PriceType::PFAB);
    EXPECT_EQ(windowCaption(QLatin1Char('M'), QStringLiteral("812")),
              QStringLiteral("Farmaquion - Edição 812 - Exportação de Medicamentos"));
    EXPECT_EQ(windowCaption(QLatin1Char('I'), QStringLiteral("700")),
              QStringLiteral("Farmaquion - Edição 700 - Exportação de Materiais"));
    EXPECT_EQ(windowCaption(QLatin1Char('S'), QStringLiteral("812")),
              QStringLiteral("Farmaquion - Edição 812 - Exportação de Soluções"));
    const std::pair<ExportRequest, const char*> labels[] = {
        {request(QLatin1Char('M'), Content::Codigo, FileType::Delimitado, PriceType::PMC), "PMC"},
        {request(QLatin1Char('M'), Content::Codigo, FileType::Delimitado, PriceType::PFAB), "PFB"},
        {request(QLatin1Char('I'), Content::Codigo, FileType::Delimitado, PriceType::PMC), "PFB"},
        {request(QLatin1Char('S'), Content::Codigo, FileType::Delimitado, PriceType::PFAB), "PFB"},
    };
    for (const auto& [r, label] : labels)
        EXPECT_EQ(priceTypeLabel(r), QLatin1String(label)) << r.kind.toLatin1();
}

// ---------------------------------------------------------------- SQL texts

TEST(ExportQuery, PiecesByteForByte)
{
    ExportRequest r = defaultRequest(QLatin1Char('M'), false);
    EXPECT_EQ(exportQuery(r, {}),
              QStringLiteral(" select A.*, D.faraprqtde "
                             " from farprecos A inner JOIN farlaboratorios B "
                             " ON A.farprelabor = B.farlabcodigo INNER JOIN farmedicamentos C "
                             " ON A.farpremedic = C.farmedcodigo INNER JOIN farapresentacoes D  "
                             " ON A.farpreapre = D.faraprcodigo  "
                             " WHERE C.FARMEDTIPO = 'M'"
                             " order by A.FarPreLabor, A.FarPreMedic, A.FarPreApre "));
    r.restrito = r.liberado = r.oncologico = true;
    r.priceType = PriceType::PFAB;
    const QString all = exportQuery(r, Selection{true, true, true});
    EXPECT_TRUE(all.contains(QStringLiteral(
        " WHERE C.FARMEDTIPO = 'M' AND C.SELECAO = 'S' AND B.FLAGSELECAO = 'S' AND D.FLAGSELECAO = 'S'"
        " AND C.RESTRITO = 'S'  AND C.LIBERADO = 'S' "
        "   AND A.farpremedic IN (  "
        "   SELECT farmedicamentosubstancias.farmedsubcodigomed   "
        "   FROM farmedicamentosubstancias INNER JOIN farsubstancias   "
        "   ON farmedicamentosubstancias.farmedsubcodigosub = farsubstancias.farsubcodigo  "
        "   WHERE farsubstancias.oncologico = 'S') "
        " and A.FARPPRE_ZEROFAB > 0.00  "
        " order by A.FarPreLabor, A.FarPreMedic, A.FarPreApre ")))
        << qPrintable(all);
    r.priceType = PriceType::PMC;
    EXPECT_TRUE(exportQuery(r, {}).contains(QStringLiteral(" and A.FARPPRE_ZERO > 0.00  ")));

    ExportRequest i = defaultRequest(QLatin1Char('I'), false);
    i.parenteral = true;
    EXPECT_TRUE(exportQuery(i, Selection{false, true, false})
                    .contains(QStringLiteral(" WHERE C.FARMEDTIPO = 'I' AND B.FLAGSELECAO = 'S' AND C.PARENTERAL = 'S' "
                                             " order by")));
}

TEST(ExportQuery, FallbackReplacesOnlyTheColumnList)
{
    ExportRequest r = defaultRequest(QLatin1Char('I'), false);
    r.parenteral = true;
    const QString main = exportQuery(r, {}, QueryForm::Main);
    const QString fallback = exportQuery(r, {}, QueryForm::Fallback);
    EXPECT_TRUE(fallback.startsWith(QStringLiteral(" select A.*, D.faraprqtde, 'TESTE' AS TUSS  from farprecos A ")));
    EXPECT_EQ(fallback.mid(fallback.indexOf(QStringLiteral(" from "))), main.mid(main.indexOf(QStringLiteral(" from "))));
}

TEST(ExportQuery, CountIsExactWhenSomethingRestricts)
{
    ExportRequest r = defaultRequest(QLatin1Char('S'), false);
    EXPECT_EQ(exportCountQuery(r, {}), QStringLiteral("select count(*) from FARPRECOS where FARPREMEDSOLU = 'S'"));
    const QString marked = exportCountQuery(r, Selection{false, true, false});
    EXPECT_TRUE(marked.startsWith(QStringLiteral("select count(*)  from farprecos A inner JOIN farlaboratorios B ")));
    EXPECT_TRUE(marked.endsWith(QStringLiteral(" WHERE C.FARMEDTIPO = 'S' AND B.FLAGSELECAO = 'S'")));
    r.kind = QLatin1Char('M');
    r.restrito = true;
    EXPECT_TRUE(exportCountQuery(r, {}).endsWith(QStringLiteral(" AND C.RESTRITO = 'S' ")));
}

TEST(SelectionLists, QueriesByKindAndOrdering)
{
    EXPECT_EQ(initialProductListQuery(QLatin1Char('I')),
              QStringLiteral(" select * from FARMEDICAMENTOS  where FarMedTipo= 'I'  order by FARMEDDESCRICAO "));
    EXPECT_EQ(productListQuery(QLatin1Char('S'), true, true, true), initialProductListQuery(QLatin1Char('S')));
    EXPECT_EQ(productListQuery(QLatin1Char('M'), false, false, true),
              QStringLiteral(" select * from FARMEDICAMENTOS  where FarMedTipo='M'    order by NOVA_ORDEM "));
    EXPECT_EQ(productListQuery(QLatin1Char('M'), true, true, false),
              QStringLiteral(" select * from FARMEDICAMENTOS  where FarMedTipo='M'  AND RESTRITO = 'S' "
                             "   AND FARMEDCODIGO IN (  "
                             "   SELECT farmedicamentosubstancias.farmedsubcodigomed  "
                             "   FROM farmedicamentosubstancias INNER JOIN farsubstancias   "
                             "   ON farmedicamentosubstancias.farmedsubcodigosub = farsubstancias.farsubcodigo   "
                             "   WHERE farsubstancias.oncologico =  'S')   "
                             "   order by FARMEDDESCRICAO "));
    EXPECT_TRUE(productListQuery(QLatin1Char('M'), false, true, true, true).endsWith(QStringLiteral("   order by FARMEDDESCRICAO ")));
    EXPECT_EQ(laboratoryListQuery(true), QStringLiteral("select * from FARLABORATORIOS    ORDER BY NOVA_ORDEM"));
    EXPECT_EQ(laboratoryListQuery(false), QStringLiteral("select * from FARLABORATORIOS    ORDER BY FarLabDescricao"));
    EXPECT_EQ(presentationListQuery(false), QStringLiteral("select * from FARAPRESENTACOES  order by FARAPRDESCRICAO"));
    EXPECT_EQ(markStatement(SelectionList::Presentations, QStringLiteral("0012"), true),
              QStringLiteral("UPDATE FARAPRESENTACOES SET FLAGSELECAO = 'S' WHERE FARAPRCODIGO = '0012'"));
    EXPECT_EQ(markStatement(SelectionList::Laboratories, QStringLiteral("001"), false),
              QStringLiteral("UPDATE FARLABORATORIOS SET FLAGSELECAO = 'N' WHERE FARLABCODIGO = '001'"));
    EXPECT_EQ(resetStatements(), (QStringList{QStringLiteral("update FarMedicamentos set Selecao = 'N'"),
                                              QStringLiteral("update FarLaboratorios set FlagSelecao = 'N'"),
                                              QStringLiteral("update FarApresentacoes set FlagSelecao = 'N'")}));
}

} // namespace
} // namespace farq::exporter
