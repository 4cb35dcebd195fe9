#pragma once
// Commands of farmaquion-cli. Each command lives in its own file under
// commands/ and registers itself with a CliRegistrar.
#include "shell/edition.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <stdexcept>
#include <vector>

namespace farq::cli {

// Bad usage or bad input: exit code 2, message on stderr.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& m) : std::runtime_error(m.toStdString()), message(m) {}
    QString message;
};
// Any other failure: exit code 1.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& m) : std::runtime_error(m.toStdString()), message(m) {}
    QString message;
};

struct Context {
    Edition& edition;
    QTextStream& out; // UTF-8, the command's result only
    QTextStream& err; // messages, warnings, progress
};

// Options of one command: --name VALUE, --name=VALUE, or a flag.
struct OptionSpec {
    QString name;       // with the leading "--"
    bool takesValue;
    QString help;
};

class Args {
public:
    // Throws UsageError naming an unknown option or a missing value.
    Args(const QString& command, const QStringList& argv, const std::vector<OptionSpec>& specs);
    bool has(const QString& name) const { return values_.contains(name); }
    QString value(const QString& name, const QString& fallback = QString()) const
    {
        return values_.value(name, fallback);
    }
    const QStringList& positional() const { return positional_; }
    // The one option of a group that was given, or fallback; two of them is a
    // usage error.
    QString oneOf(const QStringList& names, const QString& fallback) const;

private:
    QString command_;
    QMap<QString, QString> values_;
    QStringList positional_;
};

struct Command {
    QString name;
    QString usage;   // one line: "estado [UF]"
    QString help;    // the text of --help
    std::vector<OptionSpec> options;
    std::function<int(Context&, const Args&)> run;
    bool needsEdition = true;
};

void registerCommand(Command command);
const std::vector<Command>& commands();

struct CliRegistrar {
    explicit CliRegistrar(Command command) { registerCommand(std::move(command)); }
};

// The help text of a command, from its usage, help and options.
QString helpText(const Command& command);

} // namespace farq::cli
