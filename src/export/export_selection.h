#pragma once
// The selection lists of the export window (products of the kind,
// laboratories, presentations) and the marks written for them.
#include <QChar>
#include <QString>
#include <QStringList>

namespace farq {
class EditionDatabase;
}

namespace farq::exporter {

enum class SelectionList { Products, Laboratories, Presentations };

// The product list of the kind. For medicines the list follows "Restrito
// Hospitalar" and "Oncológico"; `oncologicalRequery` is the re-query of the
// oncological click, always ordered by name. Materials and solutions keep the
// list of the window's creation.
QString productListQuery(QChar kind, bool restrito, bool oncologico, bool coded, bool oncologicalRequery = false);
// The product list as the window's creation sets it.
QString initialProductListQuery(QChar kind);
QString laboratoryListQuery(bool coded);
QString presentationListQuery(bool coded);

// The list's key, mark and description columns.
struct ListColumns {
    const char* table;
    const char* key;
    const char* mark;
    const char* description;
};
ListColumns listColumns(SelectionList list);

// The statement that writes one mark ("S" or "N"), keyed by the code alone.
QString markStatement(SelectionList list, const QString& code, bool marked);

// The statements that reset every mark when the window closes, in order.
QStringList resetStatements();

void writeMark(EditionDatabase& db, SelectionList list, const QString& code, bool marked);
void resetMarks(EditionDatabase& db);

} // namespace farq::exporter
