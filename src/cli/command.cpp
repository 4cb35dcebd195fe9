#include "cli/command.h"

namespace farq::cli {

std::vector<Command>& registry()
{
    static std::vector<Command> list;
    return list;
}

void registerCommand(Command command) { registry().push_back(std::move(command)); }
const std::vector<Command>& commands() { return registry(); }

Args::Args(const QString& command, const QStringList& argv, const std::vector<OptionSpec>& specs) : command_(command)
{
    auto find = [&](const QString& name) -> const OptionSpec* {
        for (const OptionSpec& s : specs)
            if (s.name == name)
                return &s;
        return nullptr;
    };
    for (int i = 0; i < argv.size(); ++i) {
        const QString& a = argv[i];
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--")) {
            positional_ << a;
            continue;
        }
        QString name = a;
        QString value;
        bool inlineValue = false;
        const int eq = a.indexOf(QLatin1Char('='));
        if (eq > 0) {
            name = a.left(eq);
            value = a.mid(eq + 1);
            inlineValue = true;
        }
        const OptionSpec* spec = find(name);
        if (!spec)
            throw UsageError(QStringLiteral("%1: opção desconhecida: %2").arg(command_, name));
        if (spec->takesValue) {
            if (!inlineValue) {
                if (i + 1 >= argv.size())
                    throw UsageError(QStringLiteral("%1: a opção %2 exige um valor").arg(command_, name));
                value = argv[++i];
            }
        } else if (inlineValue) {
            throw UsageError(QStringLiteral("%1: a opção %2 não aceita valor").arg(command_, name));
        }
        if (values_.contains(name))
            throw UsageError(QStringLiteral("%1: a opção %2 foi dada mais de uma vez").arg(command_, name));
        values_.insert(name, value);
    }
}

QString Args::oneOf(const QStringList& names, const QString& fallback) const
{
    QString chosen;
    for (const QString& n : names) {
        if (!has(n))
            continue;
        if (!chosen.isEmpty())
            throw UsageError(QStringLiteral("%1: as opções %2 e %3 não podem ser usadas juntas").arg(command_, chosen, n));
        chosen = n;
    }
    return chosen.isEmpty() ? fallback : chosen;
}

QString helpText(const Command& c)
{
    QString t = QStringLiteral("uso: farmaquion-cli [--banco ARQUIVO] %1\n\n%2\n").arg(c.usage, c.help);
    if (!c.options.empty()) {
        t += QStringLiteral("\nopções:\n");
        for (const OptionSpec& o : c.options)
            t += QStringLiteral("  %1%2\n      %3\n").arg(o.name, o.takesValue ? QStringLiteral(" VALOR") : QString(), o.help);
    }
    t += QStringLiteral("  --help\n      mostra esta ajuda\n");
    return t;
}

} // namespace farq::cli
