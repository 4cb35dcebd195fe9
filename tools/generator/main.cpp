// gerar-edicao: writes a synthetic edition database.
#include "edition_generator.h"

#include "shell/database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    farq::EditionDatabase::prepareClientEnvironment();
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Gera uma edição sintética da revista (banco Firebird)."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("arquivo"), QStringLiteral("Arquivo .GDB a criar (sobrescrito)."));
    QCommandLineOption edition(QStringLiteral("edicao"), QStringLiteral("Número da edição (812 ou mais: codificada)."),
                               QStringLiteral("N"), QStringLiteral("811"));
    QCommandLineOption rows(QStringLiteral("linhas"), QStringLiteral("Linhas de preço aproximadas."), QStringLiteral("N"),
                            QStringLiteral("400"));
    QCommandLineOption seed(QStringLiteral("semente"), QStringLiteral("Semente."), QStringLiteral("N"), QStringLiteral("1"));
    QCommandLineOption state(QStringLiteral("estado"), QStringLiteral("Estado dos parâmetros."), QStringLiteral("UF"),
                             QStringLiteral("SP"));
    QCommandLineOption old(QStringLiteral("antiga"), QStringLiteral("Layout antigo (sem as colunas da atualização)."));
    QCommandLineOption big(QStringLiteral("apresentacoes-grande"),
                           QStringLiteral("Apresentações do produto 00006 (página longa)."), QStringLiteral("N"),
                           QStringLiteral("0"));
    p.addOptions({edition, rows, seed, state, old, big});
    p.process(app);
    QTextStream err(stderr);
    if (p.positionalArguments().size() != 1) {
        err << "uso: gerar-edicao [opções] ARQUIVO\n";
        return 2;
    }
    farq::gen::GeneratorOptions o;
    bool ok1, ok2, ok3, ok4;
    o.edition = p.value(edition).toInt(&ok1);
    o.priceRows = p.value(rows).toInt(&ok2);
    o.seed = p.value(seed).toUInt(&ok3);
    o.bigProductPresentations = p.value(big).toInt(&ok4);
    if (!ok1 || !ok2 || !ok3 || !ok4) {
        err << "gerar-edicao: valor numérico inválido\n";
        return 2;
    }
    o.state = p.value(state);
    o.oldLayout = p.isSet(old);
    QElapsedTimer t;
    t.start();
    try {
        farq::gen::generateEdition(p.positionalArguments().first(), o);
    } catch (const farq::DatabaseError& e) {
        err << "gerar-edicao: " << e.message() << "\n";
        return 1;
    }
    err << "edição " << o.edition << " gerada em " << t.elapsed() << " ms\n";
    return 0;
}
