// estado [UF]: shows or saves the user's state, as the Parameters window does.
#include "cli/command.h"

namespace farq::cli {
namespace {

int run(Context& ctx, const Args& args)
{
    if (args.positional().size() > 1)
        throw UsageError(QStringLiteral("estado: informe no máximo um estado (UF)"));
    if (args.positional().isEmpty()) {
        ctx.out << ctx.edition.savedState() << "\n";
        return 0;
    }
    const QString uf = args.positional().first().trimmed().toUpper();
    const DataSet found = ctx.edition.db().query(
        QStringLiteral("select ESTADO from FARESTADOS where ESTADO = %1").arg(sqlQuote(uf)));
    if (uf.isEmpty() || found.empty())
        throw UsageError(QStringLiteral("estado: \"%1\" não é um estado desta edição (FARESTADOS)")
                             .arg(args.positional().first()));
    ctx.edition.saveState(uf);
    ctx.out << ctx.edition.savedState() << "\n";
    return 0;
}

const CliRegistrar reg({QStringLiteral("estado"), QStringLiteral("estado [UF]"),
                        QStringLiteral("Sem UF: mostra o estado salvo. Com UF: salva o estado, como a janela "
                                       "Paramêtros."),
                        {}, run});

} // namespace
} // namespace farq::cli
