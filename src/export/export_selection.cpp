#include "export/export_selection.h"

#include "shell/database.h"
#include "shell/edition.h"
#include "shell/ordering.h"

namespace farq::exporter {
namespace {

const char* const kOncologicalProducts = "   AND FARMEDCODIGO IN (  "
                                         "   SELECT farmedicamentosubstancias.farmedsubcodigomed  "
                                         "   FROM farmedicamentosubstancias INNER JOIN farsubstancias   "
                                         "   ON farmedicamentosubstancias.farmedsubcodigosub = farsubstancias.farsubcodigo   "
                                         "   WHERE farsubstancias.oncologico =  'S')   ";

const ListColumns kLists[] = {
    {"FARMEDICAMENTOS", "FARMEDCODIGO", "SELECAO", "FARMEDDESCRICAO"},
    {"FARLABORATORIOS", "FARLABCODIGO", "FLAGSELECAO", "FARLABDESCRICAO"},
    {"FARAPRESENTACOES", "FARAPRCODIGO", "FLAGSELECAO", "FARAPRDESCRICAO"},
};

} // namespace

QString initialProductListQuery(QChar kind)
{
    return QStringLiteral(" select * from FARMEDICAMENTOS ") + QStringLiteral(" where FarMedTipo= '") + kind
         + QStringLiteral("' ") + QStringLiteral(" order by FARMEDDESCRICAO ");
}

QString productListQuery(QChar kind, bool restrito, bool oncologico, bool coded, bool oncologicalRequery)
{
    if (kind != QLatin1Char('M'))
        return initialProductListQuery(kind);
    QString sql = QStringLiteral(" select * from FARMEDICAMENTOS  where FarMedTipo='M' ");
    if (restrito)
        sql += QStringLiteral(" AND RESTRITO = 'S' ");
    if (oncologico)
        sql += QLatin1String(kOncologicalProducts);
    sql += oncologicalRequery ? QStringLiteral("   order by FARMEDDESCRICAO ")
                              : ordering::orderBy(ordering::List::ExportProducts, coded);
    return sql;
}

QString laboratoryListQuery(bool coded)
{
    return QStringLiteral("select * from FARLABORATORIOS   ")
         + ordering::orderBy(ordering::List::ExportLaboratories, coded);
}

QString presentationListQuery(bool coded)
{
    return QStringLiteral("select * from FARAPRESENTACOES ")
         + ordering::orderBy(ordering::List::ExportPresentations, coded);
}

ListColumns listColumns(SelectionList list) { return kLists[int(list)]; }

QString markStatement(SelectionList list, const QString& code, bool marked)
{
    const QString flag = sqlQuote(marked ? QStringLiteral("S") : QStringLiteral("N"));
    if (list == SelectionList::Presentations)
        return QStringLiteral("UPDATE FARAPRESENTACOES SET FLAGSELECAO = ") + flag
             + QStringLiteral(" WHERE FARAPRCODIGO = ") + sqlQuote(code);
    const ListColumns c = listColumns(list);
    return QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %4 = %5")
        .arg(QLatin1String(c.table), QLatin1String(c.mark), flag, QLatin1String(c.key), sqlQuote(code));
}

QStringList resetStatements()
{
    return {QStringLiteral("update FarMedicamentos set Selecao = 'N'"),
            QStringLiteral("update FarLaboratorios set FlagSelecao = 'N'"),
            QStringLiteral("update FarApresentacoes set FlagSelecao = 'N'")};
}

void writeMark(EditionDatabase& db, SelectionList list, const QString& code, bool marked)
{
    db.execute(markStatement(list, code, marked));
}

void resetMarks(EditionDatabase& db)
{
    for (const QString& sql : resetStatements())
        db.execute(sql);
}

} // namespace farq::exporter
