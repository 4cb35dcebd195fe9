#include "consult/page_lines.h"
#include "consult/page_writer.h"
#include "consult/row_blocks.h"
#include "print_helpers.h"

#include <gtest/gtest.h>

using namespace farq;
using namespace farq::consult;

namespace {
const QLocale kBr(QLocale::Portuguese, QLocale::Brazil);
const QLocale kC = QLocale::c();
} // namespace

TEST(MoneyFormat, FollowsThePatternWithRegionalSeparators)
{
    struct Case {
        double value;
        const QLocale* locale;
        const char* expected;
    } cases[] = {
        {0.0, &kBr, "0,00"},           {5.0, &kBr, "5,00"},
        {12.345, &kBr, "12,35"},       {2.675, &kBr, "2,68"},       // the decimal text rounds half up
        {999.999, &kBr, "1.000,00"},   {1234.5, &kBr, "1.234,50"},
        {1234567.891, &kBr, "1.234.567,89"}, {123456789.0, &kBr, "123.456.789,00"},
        {-1234.5, &kBr, "-1.234,50"},  {-0.001, &kBr, "0,00"},
        {1234567.891, &kC, "1,234,567.89"},  {0.5, &kC, "0.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatMoney(c.value, *c.locale), QString::fromUtf8(c.expected)) << c.value;
}

TEST(RateFormat, OneDecimalWithTheRegionalDecimalSeparatorAndNoGrouping)
{
    EXPECT_EQ(formatRate(18, kBr), QStringLiteral("18,0"));
    EXPECT_EQ(formatRate(17.5, kBr), QStringLiteral("17,5"));
    EXPECT_EQ(formatRate(0, kBr), QStringLiteral("0,0"));
    EXPECT_EQ(formatRate(1234, kBr), QStringLiteral("1234,0"));
    EXPECT_EQ(formatRate(17.5, kC), QStringLiteral("17.5"));
}

TEST(RowColumns, PriceAndEditionAreRightAlignedAndNeverCut)
{
    EXPECT_EQ(priceField(12.5, 12, kBr), QStringLiteral("       12,50"));
    EXPECT_EQ(priceField(std::nullopt, 12, kBr), QStringLiteral("        0,00"));
    EXPECT_EQ(priceField(123456789012.0, 12, kBr), QStringLiteral("123.456.789.012,00"));
    EXPECT_EQ(priceField(1.0, 13, kBr).size(), 13);
    EXPECT_EQ(editionField(811), QStringLiteral("  811"));
    EXPECT_EQ(editionField(std::nullopt), QStringLiteral("    0"));
    EXPECT_EQ(editionField(1234567), QStringLiteral("1234567"));
}

TEST(RowColumns, LeaderFillsWithDotsUpToTheWidthOnly)
{
    EXPECT_EQ(withLeader(QStringLiteral("abc"), 6), QStringLiteral("abc..."));
    EXPECT_EQ(withLeader(QStringLiteral("abcdef"), 6), QStringLiteral("abcdef"));
    EXPECT_EQ(withLeader(QStringLiteral("abcdefg"), 6), QStringLiteral("abcdefg"));
}

// Wrap and leader boundaries for the two row shapes of the product pages.
TEST(RowLines, WrapAndLeaderBoundaries)
{
    const RowShape medicines{80, 80, QStringLiteral("....")};
    const RowShape solutions{102, 78, QStringLiteral(".....")};
    const QString tail = QStringLiteral("PRICE");
    struct Case {
        const RowShape* shape;
        int length;            // description length
        int lines;             // lines of the row
        int lastDescLength;    // indented description on the last line (before dots)
        int editionColumn;     // 1-based column where the edition field starts
    } cases[] = {
        {&medicines, 10, 1, 13, 81},
        {&medicines, 77, 1, 80, 81},   // W - 3: exactly W long, no dots
        {&medicines, 78, 2, 4, 81},    // indented 81 > L: one character continues
        {&medicines, 85, 2, 11, 81},   // first 80 on their own line, "   " + 8 more
        {&medicines, 154, 2, 80, 81},  // indented L + W - 3: the continuation is exactly W long
        {&medicines, 155, 2, 81, 82},  // longer: the continuation passes W, no dots
        {&solutions, 75, 1, 78, 79},   // W - 3
        {&solutions, 76, 1, 79, 80},   // 79 to 102 indented: neither leader nor wrap
        {&solutions, 99, 1, 102, 103},
        {&solutions, 100, 2, 4, 79},   // indented 103 > L = 102: wraps
    };
    for (const Case& c : cases) {
        QString desc;
        for (int i = 0; i < c.length; ++i)
            desc += QChar(u'a' + i % 26);
        const QStringList lines = rowLines(*c.shape, desc, 811, tail);
        ASSERT_EQ(lines.size(), c.lines) << c.length;
        const QString indented = QStringLiteral("   ") + desc;
        if (c.lines == 2) {
            EXPECT_EQ(lines[0], indented.left(c.shape->wrapLimit)) << c.length;
            EXPECT_TRUE(lines[1].startsWith(QStringLiteral("   ") + indented.mid(c.shape->wrapLimit))) << c.length;
        }
        const QString last = lines.last();
        const int dots = std::max(0, c.shape->leaderWidth - c.lastDescLength);
        EXPECT_EQ(last.mid(c.lastDescLength, dots), QString(dots, QLatin1Char('.'))) << c.length;
        EXPECT_EQ(last.mid(c.editionColumn - 1, 5), QStringLiteral("  811")) << c.length;
        EXPECT_EQ(last.mid(c.editionColumn - 1 + 5), c.shape->separator + tail) << c.length;
    }
}

TEST(PageText, FindIsCaseInsensitiveFromThePositionOn)
{
    const QString text = QStringLiteral("Laboratório ( ICMS 18,0 % ) \n   Apresentação\nicms no fim");
    EXPECT_EQ(findInPage(text, QStringLiteral("icms"), 0), 14);
    // After the first match (selection 14..18) the next one is further on.
    EXPECT_EQ(findInPage(text, QStringLiteral("icms"), 18), text.lastIndexOf(QStringLiteral("icms")));
    // After the last match nothing more is found.
    EXPECT_EQ(findInPage(text, QStringLiteral("ICMS"), text.size() - 3), std::nullopt);
    EXPECT_EQ(findInPage(text, QStringLiteral("apresentaçÃo"), 0), text.indexOf(QStringLiteral("Apresentação")));
    EXPECT_EQ(findInPage(text, QStringLiteral("xyz"), 0), std::nullopt);
    EXPECT_EQ(findInPage(text, QString(), 0), std::nullopt);
}

TEST(PageText, CaretWordIsACaseSensitivePrefix)
{
    EXPECT_TRUE(beginsWithCaretWord(QStringLiteral("Medicamento X"), QStringLiteral("Medicamento")));
    EXPECT_FALSE(beginsWithCaretWord(QStringLiteral("medicamento X"), QStringLiteral("Medicamento")));
    EXPECT_FALSE(beginsWithCaretWord(QStringLiteral("Laboratório ( ICMS"), QStringLiteral("Medicamento")));
    EXPECT_FALSE(beginsWithCaretWord(QStringLiteral("Medic"), QStringLiteral("Medicamento")));
}

TEST(PageText, TextAndJsonRenderEveryLine)
{
    Page p;
    p.add(headingLine(QStringLiteral("Laboratório")));
    p.add(groupLine(QStringLiteral("Lab \"A\" ")));
    p.add(rowLine(QStringLiteral("   x\\y")));
    p.add({QStringLiteral("r"), LineColour::Red, false});
    p.add({QStringLiteral("b"), LineColour::Black, true});
    EXPECT_EQ(pageAsText(p), QStringLiteral("Laboratório\nLab \"A\" \n   x\\y\nr\nb\n"));
    EXPECT_EQ(pageAsJson(p),
              QStringLiteral("[\n"
                             "  {\"texto\": \"Laboratório\", \"cor\": \"normal\", \"negrito\": true},\n"
                             "  {\"texto\": \"Lab \\\"A\\\" \", \"cor\": \"azul\", \"negrito\": false},\n"
                             "  {\"texto\": \"   x\\\\y\", \"cor\": \"normal\", \"negrito\": false},\n"
                             "  {\"texto\": \"r\", \"cor\": \"vermelho\", \"negrito\": false},\n"
                             "  {\"texto\": \"b\", \"cor\": \"preto\", \"negrito\": true}\n"
                             "]\n"));
    EXPECT_EQ(pageAsJson(Page{}), QStringLiteral("[]\n"));
    EXPECT_EQ(pageAsText(Page{}), QString());
}

TEST(GroupedPageSkeleton, GroupLinesOnEveryChangeAndTheCaretWord)
{
    DataSet rows(QStringList{"G", "T"});
    for (const char* g : {"A", "A", "B", "", "A"})
        rows.appendRow({QString::fromLatin1(g), QStringLiteral("linha %1").arg(rows.size())});
    GroupedPage page;
    page.headings = QStringList{"Medicamento X", "   Apresentação"};
    page.groupOf = [](const Row& r) { return r.text(QStringLiteral("G")); };
    page.rowLines = [](const Row& r, std::size_t i) {
        return i == 1 ? QStringList{r.text(QStringLiteral("T")), QStringLiteral("   resto")}
                      : QStringList{r.text(QStringLiteral("T"))};
    };
    page.caretWord = QStringLiteral("Medicamento");
    const Page p = writeGroupedPage(page, rows);
    QStringList shape;
    for (const PageLine& l : p.lines)
        shape << (l.bold ? "H:" : l.colour == LineColour::Blue ? "G:" : "R:") + l.text;
    // An empty group key equals the cleared UltimoGrupo only at the start; after "B" it is a change.
    EXPECT_EQ(shape, QStringList({"H:Medicamento X", "H:   Apresentação", "G:A", "R:linha 0", "R:linha 1",
                                  "R:   resto", "G:B", "R:linha 2", "G:", "R:linha 3", "G:A", "R:linha 4"}));
    EXPECT_TRUE(p.caretToStart);
    page.caretWord = QStringLiteral("Materiais");
    EXPECT_FALSE(writeGroupedPage(page, rows).caretToStart);
    const Page empty = writeGroupedPage(page, DataSet(QStringList{"G", "T"}));
    EXPECT_EQ(empty.lines.size(), 2u);
    EXPECT_TRUE(silentStop(QString()));
    EXPECT_FALSE(silentStop(QStringLiteral(" ")));
}
