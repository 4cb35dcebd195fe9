#pragma once
// Brings an edition of an older layout up to the layout the program reads:
// the 0 % and 12 % price columns and the generics tax-rate column.
#include "shell/dataset.h"

namespace farq {

class EditionDatabase;

namespace upgrade {

inline const QString kProbePrices = QStringLiteral("select FIRST 1 * from FARPRECOS");
inline const QString kStatesQuery = QStringLiteral("select * from FARESTADOS\r\nORDER BY Estado");

inline const QString kAddSubstancePrices = QStringLiteral(
    " ALTER TABLE FARPRECOSSUBSTANCIAS  ADD FARPRE_ZERO DOUBLE PRECISION,   ADD \"FARPRE_DOZE \" DOUBLE PRECISION,  "
    "ADD FARPRE_ZEROFAB DOUBLE PRECISION,  ADD FARPRE_DOZEFAB DOUBLE PRECISION ");
inline const QString kAddPrices = QStringLiteral(
    " ALTER TABLE FARPRECOS  ADD FARPPRE_ZERO DOUBLE PRECISION,  ADD FARPPRE_DOZE DOUBLE PRECISION,  "
    "ADD FARPPRE_ZEROFAB DOUBLE PRECISION,  ADD FARPPRE_DOZEFAB DOUBLE PRECISION ");
inline const QString kAddGenericRate = QStringLiteral("ALTER TABLE FARESTADOS ADD ALIQUOTAGENERICO Float;");
inline const QString kGenericRateZero = QStringLiteral("UPDATE FARESTADOS SET  ALIQUOTAGENERICO = 0");
inline const QString kGenericRateMG = QStringLiteral("UPDATE FARESTADOS SET  ALIQUOTAGENERICO = 12 WHERE ESTADO = 'MG' ");

} // namespace upgrade

// True when FARPRECOS has the new price columns (FARPPRE_ZERO).
bool VerificaNovosCampos(EditionDatabase& db);
// Adds the missing columns; an error stops at the failing statement.
void CriaNovosCampos(EditionDatabase& db);
// Opens the states as the program's states data set does: fails when the
// table has no ALIQUOTAGENERICO.
DataSet openStates(EditionDatabase& db);
// The generics-rate probe and fix-up that the start of the program runs.
void probeGenericRate(EditionDatabase& db);

// The whole check at start: VerificaNovosCampos, CriaNovosCampos when needed,
// then the generics-rate probe.
void upgradeAtStart(EditionDatabase& db);
// After a new edition file is installed (the probe waits for the next start).
void upgradeAfterNewEdition(EditionDatabase& db);

} // namespace farq
