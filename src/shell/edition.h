#pragma once
// An open edition: the one connection, the parameters row, the cipher mode.
// The main window and the command-line companion open editions through this.
#include "shell/cipher.h"
#include "shell/database.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace farq {

inline const QString kVersionLabel = QStringLiteral("8.1");
inline constexpr int kLastClearEdition = 811; // lbVersaoCripto

// The parameters row (FARPARAMETROS), nulls kept as empty optionals.
struct EditionParams {
    int id = 0;
    QString state;                 // FARPARAESTADO as stored (may be empty)
    std::optional<int> number;     // FARNUMEROEDICAO
    std::optional<QDate> date;     // FARDATAEDICAO
    QString showEan;               // FARMOSTRAEAN
};

inline const QString kParamsQuery = QStringLiteral("select * from FARPARAMETROS");

EditionParams readParams(EditionDatabase& db);

// "Revista Eletrônica Versão 8.1 - Edição N - Atualizada em D - Estado  UF";
// a null piece is empty; the date in the locale's short format.
QString editionTitle(const EditionParams& params, const QLocale& locale = QLocale());

// Editions after 811 store their descriptions coded.
bool isCodedEdition(const EditionParams& params);

// "select * from FARPARAMETROS" located by ID, writing FARPARAESTADO alone.
QString saveStateStatement(int id, const QString& state);

// A text as an SQL literal: in single quotes, quotes inside doubled.
QString sqlQuote(const QString& text);

class Edition {
public:
    // Connects to the file (the default path beside the executable when
    // empty), reads the parameters and decides the cipher mode. Throws
    // DatabaseError with the engine's reason.
    void open(const QString& path = QString());
    // Runs the schema check and upgrade of the start of the program.
    void upgrade();
    void reloadParams();

    EditionDatabase& db() { return db_; }
    Crypt& crypt() { return crypt_; }
    const Crypt& crypt() const { return crypt_; }
    const EditionParams& params() const { return params_; }
    QString title(const QLocale& locale = QLocale()) const { return editionTitle(params_, locale); }
    // lbEstado: the saved state code, trimmed.
    QString savedState() const { return params_.state.trimmed(); }
    bool coded() const { return crypt_.coded(); }

    // Saves the user's state in the parameters row. Throws DatabaseError when
    // the code is not a row of FARESTADOS.
    void saveState(const QString& state);

private:
    EditionDatabase db_;
    Crypt crypt_;
    EditionParams params_;
};

} // namespace farq
