#pragma once
// The building blocks of a page's row lines: indent, leader dots, edition,
// separator, prices in fixed widths, and the one-time wrap of long
// descriptions. Column arithmetic counts characters.
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace farq::consult {

inline const QString kIndent = QStringLiteral("   ");
inline constexpr int kPriceWidth = 12;

// "#,###,##0.00" with the locale's thousands and decimal separators.
QString formatMoney(double value, const QLocale& locale = QLocale());
// "#0.0": one decimal, the locale's decimal separator, no grouping.
QString formatRate(double value, const QLocale& locale = QLocale());
// "###0": no separators, no decimals (a null edition reads as 0).
QString formatEdition(std::optional<qint64> edition);

// Right-aligned in width characters ("%Ns"); a longer text takes more room.
QString rightAligned(const QString& text, int width);
// Dots up to width W; nothing when the line is already W long or longer.
QString withLeader(const QString& line, int width);

// The price column: an empty price prints as 0,00.
QString priceField(std::optional<double> price, int width = kPriceWidth, const QLocale& locale = QLocale());
// The edition column: "###0" in "%5s".
QString editionField(std::optional<qint64> edition);

struct RowShape {
    int wrapLimit;      // L: an indented description longer than this wraps once
    int leaderWidth;    // W: dots up to this column
    QString separator;  // between edition and prices
};

// The lines of one row: the indented description (wrapped once at L), dots
// to W, the edition, the separator and the already formatted price columns.
QStringList rowLines(const RowShape& shape, const QString& description, std::optional<qint64> edition,
                     const QString& priceColumns);

} // namespace farq::consult
