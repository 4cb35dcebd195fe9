#include "support/edition_fixture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

namespace farq::test {
namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/farq-test-XXXXXX"));
    return dir;
}

QString key(const gen::GeneratorOptions& o)
{
    return QStringLiteral("e%1-o%2-s%3-r%4-%5-b%6-L%7")
        .arg(o.edition).arg(o.oldLayout).arg(o.seed).arg(o.priceRows).arg(o.state).arg(o.bigProductPresentations)
        .arg(o.layoutBoundaryRows);
}

} // namespace

QString editionCopy(const gen::GeneratorOptions& options)
{
    static QMap<QString, QString> templates;
    static int copies = 0;
    const QString k = key(options);
    if (!templates.contains(k)) {
        const QString path = workDir().path() + QStringLiteral("/template-") + k + QStringLiteral(".gdb");
        gen::generateEdition(path, options);
        templates.insert(k, path);
    }
    const QString dir = workDir().path() + QStringLiteral("/copy%1").arg(++copies);
    QDir().mkpath(dir);
    const QString target = dir + QStringLiteral("/FARQDB.GDB");
    if (!QFile::copy(templates.value(k), target))
        throw std::runtime_error("cannot copy the generated edition");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

gen::GeneratorOptions clearEdition(int rows)
{
    gen::GeneratorOptions o;
    o.edition = 811;
    o.priceRows = rows;
    return o;
}

gen::GeneratorOptions codedEdition(int rows)
{
    gen::GeneratorOptions o;
    o.edition = 812;
    o.priceRows = rows;
    return o;
}

gen::GeneratorOptions oldLayoutEdition(int edition)
{
    gen::GeneratorOptions o;
    o.edition = edition;
    o.oldLayout = true;
    o.priceRows = 120;
    return o;
}

} // namespace farq::test
