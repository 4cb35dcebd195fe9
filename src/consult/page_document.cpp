#include "consult/page_document.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace farq::consult {

QFont pageFont(int points)
{
    QFont f(QStringLiteral("Courier New"), points);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

void fillPageDocument(QTextDocument& document, const Page& page)
{
    document.clear();
    document.setDefaultFont(pageFont());
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat formats[2][4];
    for (int bold = 0; bold < 2; ++bold)
        for (int c = 0; c < 4; ++c) {
            QTextCharFormat& f = formats[bold][c];
            f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
            const Rgb rgb = colourRgb(LineColour(c));
            if (LineColour(c) != LineColour::Normal)
                f.setForeground(QColor(rgb.r, rgb.g, rgb.b));
        }
    const QTextBlockFormat block;
    bool first = true;
    for (const PageLine& line : page.lines) {
        const QTextCharFormat& f = formats[line.bold ? 1 : 0][int(line.colour)];
        if (first) {
            cursor.setBlockCharFormat(f);
            first = false;
        } else {
            cursor.insertBlock(block, f);
        }
        cursor.insertText(line.text, f);
    }
    cursor.endEditBlock();
}

} // namespace farq::consult
