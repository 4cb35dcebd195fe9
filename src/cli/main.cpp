// farmaquion-cli: the reader's pages, exports and settings from a terminal.
#include "cli/command.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace farq;
using namespace farq::cli;

namespace {

QString generalHelp()
{
    QString t = QStringLiteral("uso: farmaquion-cli [--banco ARQUIVO] COMANDO [opções]\n\n"
                               "  --banco ARQUIVO   banco da edição (padrão: FARQDB.GDB ao lado do programa)\n"
                               "  --help            mostra esta ajuda; COMANDO --help mostra a do comando\n\n"
                               "comandos:\n");
    for (const Command& c : commands())
        t += QStringLiteral("  %1\n").arg(c.usage);
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    // Printed pages (PDF) need fonts, hence a GUI application; without a
    // display it runs on the offscreen platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A run from cron or a service has no session runtime folder; give it the
    // private one the toolkit would pick, so that nothing but the command's
    // own messages reaches stderr.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("farmaquion-cli"));
    // Numbers on pages follow the user's regional settings.
    QLocale::setDefault(QLocale::system());
    EditionDatabase::prepareClientEnvironment();

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    QString banco;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--help")) {
            out << generalHelp();
            return 0;
        }
        if (a == QLatin1String("--banco") || a.startsWith(QLatin1String("--banco="))) {
            if (a.startsWith(QLatin1String("--banco=")))
                banco = a.mid(8);
            else if (args.isEmpty()) {
                err << "farmaquion-cli: a opção --banco exige um arquivo\n";
                return 2;
            } else
                banco = args.takeFirst();
            if (banco.isEmpty()) {
                err << "farmaquion-cli: a opção --banco exige um arquivo\n";
                return 2;
            }
            continue;
        }
        err << "farmaquion-cli: opção desconhecida: " << a << "\n";
        return 2;
    }
    if (args.isEmpty()) {
        err << generalHelp();
        return 2;
    }
    const QString name = args.takeFirst();
    const Command* command = nullptr;
    for (const Command& c : commands())
        if (c.name == name)
            command = &c;
    if (!command) {
        err << "farmaquion-cli: comando desconhecido: " << name << "\n";
        return 2;
    }
    if (args.contains(QStringLiteral("--help"))) {
        out << helpText(*command);
        return 0;
    }

    Edition edition;
    try {
        const Args parsed(name, args, command->options);
        if (command->needsEdition) {
            const QString path = banco.isEmpty() ? EditionDatabase::defaultEditionPath() : banco;
            try {
                edition.open(path);
                edition.upgrade();
            } catch (const DatabaseError& e) {
                err << "farmaquion-cli: não foi possível abrir a edição " << path << ": " << e.message() << "\n";
                return 1;
            }
            edition.crypt().setErrorHandler([&err] { err << kDecryptError << "\n"; err.flush(); });
        }
        Context ctx{edition, out, err};
        const int rc = command->run(ctx, parsed);
        out.flush();
        return rc;
    } catch (const UsageError& e) {
        err << "farmaquion-cli: " << e.message << "\n";
        return 2;
    } catch (const Failure& e) {
        err << "farmaquion-cli: " << e.message << "\n";
        return 1;
    } catch (const DatabaseError& e) {
        err << "farmaquion-cli: erro do banco de dados: " << e.message() << "\n";
        return 1;
    }
}
