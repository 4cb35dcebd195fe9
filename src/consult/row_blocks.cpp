#include "consult/row_blocks.h"

#include <cmath>
#include <cstdlib>

namespace farq::consult {
namespace {

// The value scaled to whole units of 10^-decimals, rounded half away from
// zero on the value's 15 significant digits (so 2.675 gives 2.68, as the
// decimal text of the stored price reads).
qint64 scaledRound(double value, int decimals)
{
    const double scaled = std::abs(value) * std::pow(10.0, decimals);
    const double shortest = QString::number(scaled, 'g', 15).toDouble();
    return qint64(std::floor(shortest + 0.5));
}

QString fixed(double value, int decimals, const QLocale& locale, bool grouped)
{
    if (!std::isfinite(value))
        value = 0.0;
    const qint64 units = scaledRound(value, decimals);
    qint64 div = 1;
    for (int i = 0; i < decimals; ++i)
        div *= 10;
    const QString whole = QString::number(units / div);
    QString out;
    if (grouped) {
        const QString sep = locale.groupSeparator();
        const qsizetype n = whole.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                out += sep;
            out += whole.at(i);
        }
    } else {
        out = whole;
    }
    if (decimals > 0)
        out += locale.decimalPoint() + QStringLiteral("%1").arg(units % div, decimals, 10, QLatin1Char('0'));
    if (value < 0 && units != 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace

QString formatMoney(double value, const QLocale& locale) { return fixed(value, 2, locale, true); }

QString formatRate(double value, const QLocale& locale) { return fixed(value, 1, locale, false); }

QString formatEdition(std::optional<qint64> edition) { return QString::number(edition.value_or(0)); }

QString rightAligned(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' ')); }

QString withLeader(const QString& line, int width)
{
    if (line.size() >= width)
        return line;
    return line + QString(width - line.size(), QLatin1Char('.'));
}

QString priceField(std::optional<double> price, int width, const QLocale& locale)
{
    return rightAligned(formatMoney(price.value_or(0.0), locale), width);
}

QString editionField(std::optional<qint64> edition) { return rightAligned(formatEdition(edition), 5); }

QStringList rowLines(const RowShape& shape, const QString& description, std::optional<qint64> edition,
                     const QString& priceColumns)
{
    QStringList out;
    QString line = kIndent + description;
    if (line.size() > shape.wrapLimit) {
        out << line.left(shape.wrapLimit);
        line = kIndent + line.mid(shape.wrapLimit);
    }
    out << withLeader(line, shape.leaderWidth) + editionField(edition) + shape.separator + priceColumns;
    return out;
}

} // namespace farq::consult
