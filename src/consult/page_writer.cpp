#include "consult/page_writer.h"

namespace farq::consult {

Page writeGroupedPage(const GroupedPage& page, const DataSet& rows)
{
    Page out;
    out.lines.reserve(rows.size() + rows.size() / 4 + std::size_t(page.headings.size()));
    for (const QString& h : page.headings)
        out.add(headingLine(h));
    QString lastGroup; // UltimoGrupo, cleared before each page
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row row = rows.row(i);
        const QString group = page.groupOf(row);
        if (group != lastGroup) {
            out.add(groupLine(group));
            lastGroup = group;
        }
        for (const QString& l : page.rowLines(row, i))
            out.add(rowLine(l));
    }
    // A word never spans a line break, so the first line decides.
    out.caretToStart = !out.lines.empty() && beginsWithCaretWord(out.lines.front().text, page.caretWord);
    return out;
}

} // namespace farq::consult
