#pragma once
// The skeleton every grouped consultation page follows: two bold headings,
// then for each row in query order a blue group line whenever the row's
// clear-text group key differs from the last one written (UltimoGrupo), and
// the row's own lines. A page gives its headings, its group key and its row
// layout; the skeleton does the rest.
#include "consult/page_lines.h"
#include "shell/dataset.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace farq::consult {

struct GroupedPage {
    QStringList headings;                                         // bold, in order
    std::function<QString(const Row&)> groupOf;                   // the clear-text group key, as written
    std::function<QStringList(const Row&, std::size_t)> rowLines; // the row's line(s); index in the rows
    QString caretWord;                                            // "Medicamento", "Materiais", "Solução"
};

Page writeGroupedPage(const GroupedPage& page, const DataSet& rows);

// The page writer's first step: an empty search field stops it silently.
inline bool silentStop(const QString& searchText) { return searchText.isEmpty(); }

} // namespace farq::consult
