#pragma once
// The text page as one rich-text document: every line a paragraph in the
// fixed-width page font with its line's colour and weight.
#include "consult/page_lines.h"

#include <QFont>

class QTextDocument;

namespace farq::consult {

// "Courier New" 9 pt (fixed pitch, so any monospaced face stands in).
QFont pageFont(int points = 9);

// Replaces the document's content with the page, in one edit.
void fillPageDocument(QTextDocument& document, const Page& page);

} // namespace farq::consult
