#pragma once
// Helpers shared by the export tests.
#include "shell/edition.h"

namespace farq::test {

// The export marks set in the edition: products, laboratories, presentations.
inline int exportMarks(Edition& edition)
{
    int n = 0;
    for (const char* sql : {"select count(*) from FARMEDICAMENTOS where SELECAO = 'S'",
                            "select count(*) from FARLABORATORIOS where FLAGSELECAO = 'S'",
                            "select count(*) from FARAPRESENTACOES where FLAGSELECAO = 'S'"}) {
        const DataSet ds = edition.db().query(QLatin1String(sql));
        n += int(ds.row(0).integer(ds.columns().first()));
    }
    return n;
}

} // namespace farq::test
