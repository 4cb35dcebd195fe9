// Time to generate a coded edition of a given number of price rows.
#include "edition_generator.h"

#include "shell/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    farq::EditionDatabase::prepareClientEnvironment();
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    farq::gen::GeneratorOptions o;
    o.edition = 812;
    o.priceRows = rows;
    QElapsedTimer t;
    t.start();
    farq::gen::generateEdition(dir.filePath(QStringLiteral("FARQDB.GDB")), o);
    QTextStream(stdout) << "coded edition of " << rows << " price rows generated in " << t.elapsed() << " ms\n";
    return 0;
}
