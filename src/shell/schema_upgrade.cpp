#include "shell/schema_upgrade.h"

#include "shell/database.h"

namespace farq {

bool VerificaNovosCampos(EditionDatabase& db)
{
    const DataSet probe = db.query(upgrade::kProbePrices);
    // The name as the database reports it, compared exactly.
    return probe.columns().contains(QStringLiteral("FARPPRE_ZERO"), Qt::CaseSensitive);
}

DataSet openStates(EditionDatabase& db)
{
    DataSet states = db.query(upgrade::kStatesQuery);
    for (const char* column : {"ESTADO", "DESCRICAO", "ALIQUOTA", "ALIQUOTAGENERICO"})
        if (!states.columns().contains(QLatin1String(column)))
            throw DatabaseError(QStringLiteral("Coluna %1 não encontrada em FARESTADOS").arg(QLatin1String(column)));
    return states;
}

namespace {

bool statesOpen(EditionDatabase& db)
{
    try {
        openStates(db);
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

void addGenericRate(EditionDatabase& db)
{
    db.execute(upgrade::kAddGenericRate);
    db.execute(upgrade::kGenericRateZero);
    db.execute(upgrade::kGenericRateMG);
    openStates(db);
}

} // namespace

void CriaNovosCampos(EditionDatabase& db)
{
    db.execute(upgrade::kAddSubstancePrices);
    db.execute(upgrade::kAddPrices);
    if (!statesOpen(db))
        addGenericRate(db);
}

void probeGenericRate(EditionDatabase& db)
{
    if (!statesOpen(db))
        addGenericRate(db);
}

void upgradeAtStart(EditionDatabase& db)
{
    if (!VerificaNovosCampos(db))
        CriaNovosCampos(db);
    probeGenericRate(db);
}

void upgradeAfterNewEdition(EditionDatabase& db)
{
    if (!VerificaNovosCampos(db))
        CriaNovosCampos(db);
}

} // namespace farq
