#pragma once
// The Parameters window's logic: the states offered and the one edit it makes,
// the user's state in the parameters row.
#include "shell/dataset.h"

#include <QString>
#include <QStringList>

namespace farq {

class Edition;

class ParametersEditor {
public:
    explicit ParametersEditor(Edition& edition);

    // The states offered, "select * from FARESTADOS\r\nORDER BY Estado".
    const DataSet& states() const { return states_; }
    // The chooser's four columns for a state row.
    static QStringList columnTitles();
    static QStringList columnTexts(const Row& state);

    QString current() const { return current_; }
    // Picking a state puts the window in the editing state when it differs
    // from the stored one.
    void pick(const QString& state);
    bool editing() const { return editing_; }

    // Writes FARPARAESTADO of the row located by ID and re-reads the
    // parameters. Returns false (writing nothing) when not editing. Throws
    // DatabaseError when the database refuses.
    bool save();

private:
    Edition& edition_;
    DataSet states_;
    QString stored_;
    QString current_;
    bool editing_ = false;
};

} // namespace farq
