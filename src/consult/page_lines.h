#pragma once
// The text page of a consultation: lines written once, top to bottom, each
// with its colour and weight. The window and the command line render the same
// lines.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace farq::consult {

enum class LineColour {
    Normal, // the default text colour
    Blue,   // group lines: RGB 0, 0, 255
    Red,
    Black,  // an explicit black
};

struct PageLine {
    QString text;
    LineColour colour = LineColour::Normal;
    bool bold = false;

    bool operator==(const PageLine& o) const = default;
};

// The three kinds of line.
inline PageLine headingLine(QString text) { return {std::move(text), LineColour::Normal, true}; }
inline PageLine groupLine(QString text) { return {std::move(text), LineColour::Blue, false}; }
inline PageLine rowLine(QString text) { return {std::move(text), LineColour::Normal, false}; }

struct Page {
    std::vector<PageLine> lines;
    // The caret goes to the start of the page (the page begins with the
    // page's caret word); otherwise it stays after the last line.
    bool caretToStart = false;

    void add(PageLine line) { lines.push_back(std::move(line)); }
    QStringList texts() const;
    // The page's plain text: lines joined by line feeds, no final one.
    QString plainText() const;
};

// "normal", "azul", "vermelho", "preto".
QString colourName(LineColour colour);
// The RGB of a colour; Normal gives the default text colour (black).
struct Rgb {
    int r, g, b;
};
Rgb colourRgb(LineColour colour);

// The page as the command line writes it: every line followed by a line feed.
QString pageAsText(const Page& page);
// One JSON array, one object per line: {"texto": ..., "cor": ..., "negrito": ...}.
QString pageAsJson(const Page& page);

// "Localizar": a case-insensitive substring search of the page text from a
// position to its end. Returns the start of the match.
std::optional<qsizetype> findInPage(const QString& pageText, const QString& needle, qsizetype from);

// Whether a page text begins with its caret word (case-sensitive).
bool beginsWithCaretWord(const QString& pageText, const QString& caretWord);

} // namespace farq::consult
