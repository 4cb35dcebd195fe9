#include "consult/page_lines.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace farq::consult {

QStringList Page::texts() const
{
    QStringList out;
    out.reserve(qsizetype(lines.size()));
    for (const PageLine& l : lines)
        out << l.text;
    return out;
}

QString Page::plainText() const { return texts().join(QLatin1Char('\n')); }

QString colourName(LineColour colour)
{
    switch (colour) {
    case LineColour::Normal: return QStringLiteral("normal");
    case LineColour::Blue: return QStringLiteral("azul");
    case LineColour::Red: return QStringLiteral("vermelho");
    case LineColour::Black: return QStringLiteral("preto");
    }
    return QStringLiteral("normal");
}

Rgb colourRgb(LineColour colour)
{
    switch (colour) {
    case LineColour::Blue: return {0, 0, 255};
    case LineColour::Red: return {255, 0, 0};
    case LineColour::Normal:
    case LineColour::Black: break;
    }
    return {0, 0, 0};
}

QString pageAsText(const Page& page)
{
    QString out;
    for (const PageLine& l : page.lines) {
        out += l.text;
        out += QLatin1Char('\n');
    }
    return out;
}

namespace {

QString jsonString(const QString& s)
{
    // The array form escapes the text exactly as JSON wants it.
    QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

} // namespace

QString pageAsJson(const Page& page)
{
    QString out = QStringLiteral("[");
    bool first = true;
    for (const PageLine& l : page.lines) {
        out += first ? QStringLiteral("\n") : QStringLiteral(",\n");
        first = false;
        out += QStringLiteral("  {\"texto\": %1, \"cor\": \"%2\", \"negrito\": %3}")
                   .arg(jsonString(l.text), colourName(l.colour),
                        l.bold ? QStringLiteral("true") : QStringLiteral("false"));
    }
    out += first ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out;
}

std::optional<qsizetype> findInPage(const QString& pageText, const QString& needle, qsizetype from)
{
    if (needle.isEmpty() || from < 0 || from > pageText.size())
        return std::nullopt;
    const qsizetype at = pageText.indexOf(needle, from, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return at;
}

bool beginsWithCaretWord(const QString& pageText, const QString& caretWord)
{
    return !caretWord.isEmpty() && pageText.left(caretWord.size()) == caretWord;
}

} // namespace farq::consult
