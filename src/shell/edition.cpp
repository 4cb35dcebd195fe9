#include "shell/edition.h"

#include "shell/schema_upgrade.h"

namespace farq {

EditionParams readParams(EditionDatabase& db)
{
    const DataSet ds = db.query(kParamsQuery);
    EditionParams p;
    if (ds.empty())
        return p;
    const Row r = ds.row(0);
    p.id = static_cast<int>(r.integer(QStringLiteral("ID")));
    p.state = r.text(QStringLiteral("FARPARAESTADO"));
    if (!r.isNull(QStringLiteral("FARNUMEROEDICAO")))
        p.number = static_cast<int>(r.integer(QStringLiteral("FARNUMEROEDICAO")));
    if (!r.isNull(QStringLiteral("FARDATAEDICAO")))
        p.date = r.date(QStringLiteral("FARDATAEDICAO"));
    if (r.has(QStringLiteral("FARMOSTRAEAN")))
        p.showEan = r.text(QStringLiteral("FARMOSTRAEAN"));
    return p;
}

QString editionTitle(const EditionParams& p, const QLocale& locale)
{
    QString t = QStringLiteral("Revista Eletrônica Versão ");
    t += kVersionLabel;
    t += QStringLiteral(" - Edição ");
    if (p.number)
        t += QString::number(*p.number);
    t += QStringLiteral(" - Atualizada em ");
    if (p.date && p.date->isValid())
        t += locale.toString(*p.date, QLocale::ShortFormat);
    t += QStringLiteral(" - Estado  ");
    t += p.state;
    return t;
}

bool isCodedEdition(const EditionParams& p) { return p.number && kLastClearEdition < *p.number; }

QString sqlQuote(const QString& text)
{
    QString q = text;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString saveStateStatement(int id, const QString& state)
{
    return QStringLiteral("UPDATE FARPARAMETROS SET FARPARAESTADO = %1 WHERE ID = %2").arg(sqlQuote(state)).arg(id);
}

void Edition::open(const QString& path)
{
    db_.connect(path);
    reloadParams();
    crypt_.setCoded(isCodedEdition(params_));
}

void Edition::upgrade() { upgradeAtStart(db_); }

void Edition::reloadParams() { params_ = readParams(db_); }

void Edition::saveState(const QString& state)
{
    const QString code = state.trimmed().toUpper();
    const DataSet found =
        db_.query(QStringLiteral("select ESTADO from FARESTADOS where ESTADO = %1").arg(sqlQuote(code)));
    if (code.isEmpty() || found.empty())
        throw DatabaseError(QStringLiteral("O estado \"%1\" não existe nesta edição.").arg(state));
    db_.execute(saveStateStatement(params_.id, code));
    reloadParams();
}

} // namespace farq
