#include "shell/database.h"

#include "shell/codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <firebird/Interface.h>

#include <cstring>

using namespace Firebird;

namespace farq {
namespace {

IMaster* master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

QString statusText(const IStatus* st)
{
    char buf[4096];
    master()->getUtilInterface()->formatStatus(buf, sizeof buf, const_cast<IStatus*>(st));
    return fromCp1252(buf, static_cast<qsizetype>(std::strlen(buf))).trimmed();
}

// A status wrapper that throws FbException on error and frees itself.
struct Status {
    Status() : w(master()->getStatus()) {}
    ~Status() { w.dispose(); }
    ThrowStatusWrapper w;
    ThrowStatusWrapper* operator&() { return &w; }
};

[[noreturn]] void rethrow(const FbException& e) { throw DatabaseError(statusText(e.getStatus())); }

QByteArray encodePath(const QString& path) { return QFile::encodeName(QDir::toNativeSeparators(path)); }

std::vector<unsigned char> buildDpb(const ConnectionSettings& s, bool forCreate)
{
    Status st;
    IXpbBuilder* dpb = master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, s.user.toLatin1().constData());
    dpb->insertString(&st, isc_dpb_password, s.password.toLatin1().constData());
    if (!forCreate && !s.role.isEmpty())
        dpb->insertString(&st, isc_dpb_sql_role_name, s.role.toLatin1().constData());
    dpb->insertInt(&st, isc_dpb_sql_dialect, s.dialect);
    if (forCreate) {
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
        dpb->insertInt(&st, isc_dpb_set_db_sql_dialect, s.dialect);
    }
    const unsigned char* b = dpb->getBuffer(&st);
    std::vector<unsigned char> out(b, b + dpb->getBufferLength(&st));
    dpb->dispose();
    return out;
}

std::vector<unsigned char> readCommittedWaitTpb()
{
    Status st;
    IXpbBuilder* tpb = master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
    tpb->insertTag(&st, isc_tpb_write);
    tpb->insertTag(&st, isc_tpb_read_committed);
    tpb->insertTag(&st, isc_tpb_rec_version);
    tpb->insertTag(&st, isc_tpb_wait);
    const unsigned char* b = tpb->getBuffer(&st);
    std::vector<unsigned char> out(b, b + tpb->getBufferLength(&st));
    tpb->dispose();
    return out;
}

// Ends a transaction that was not committed (after an error).
void rollbackQuietly(ITransaction*& tra)
{
    if (!tra)
        return;
    IStatus* st = master()->getStatus();
    CheckStatusWrapper w(st);
    tra->rollback(&w);
    if (w.getState() & IStatus::STATE_ERRORS)
        tra->release();
    st->dispose();
    tra = nullptr;
}

struct Column {
    unsigned type;
    int scale;
    unsigned length;
    unsigned offset;
    unsigned nullOffset;
};

std::vector<Column> describe(ThrowStatusWrapper* st, IMessageMetadata* meta)
{
    std::vector<Column> cols;
    const unsigned n = meta->getCount(st);
    cols.reserve(n);
    for (unsigned i = 0; i < n; ++i)
        cols.push_back({meta->getType(st, i) & ~1u, meta->getScale(st, i), meta->getLength(st, i),
                        meta->getOffset(st, i), meta->getNullOffset(st, i)});
    return cols;
}

double scaled(std::int64_t v, int scale)
{
    double d = static_cast<double>(v);
    for (int i = 0; i < -scale; ++i)
        d /= 10.0;
    return d;
}

QString readBlob(ThrowStatusWrapper* st, IAttachment* att, ITransaction* tra, ISC_QUAD* id)
{
    IBlob* blob = att->openBlob(st, tra, id, 0, nullptr);
    QByteArray bytes;
    char chunk[16384];
    for (;;) {
        unsigned got = 0;
        const int rc = blob->getSegment(st, sizeof chunk, chunk, &got);
        if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT)
            bytes.append(chunk, got);
        else
            break;
    }
    blob->close(st);
    return fromCp1252(bytes);
}

Value decodeValue(ThrowStatusWrapper* st, IAttachment* att, ITransaction* tra, const Column& c,
                  const unsigned char* buf)
{
    if (*reinterpret_cast<const short*>(buf + c.nullOffset))
        return {};
    const unsigned char* p = buf + c.offset;
    switch (c.type) {
    case SQL_TEXT:
        return fromCp1252(reinterpret_cast<const char*>(p), c.length);
    case SQL_VARYING: {
        unsigned short len;
        std::memcpy(&len, p, sizeof len);
        return fromCp1252(reinterpret_cast<const char*>(p + 2), len);
    }
    case SQL_SHORT: {
        short v;
        std::memcpy(&v, p, sizeof v);
        return c.scale < 0 ? Value(scaled(v, c.scale)) : Value(static_cast<std::int64_t>(v));
    }
    case SQL_LONG: {
        ISC_LONG v;
        std::memcpy(&v, p, sizeof v);
        return c.scale < 0 ? Value(scaled(v, c.scale)) : Value(static_cast<std::int64_t>(v));
    }
    case SQL_INT64: {
        ISC_INT64 v;
        std::memcpy(&v, p, sizeof v);
        return c.scale < 0 ? Value(scaled(v, c.scale)) : Value(static_cast<std::int64_t>(v));
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, p, sizeof v);
        return Value(static_cast<double>(v));
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return Value(v);
    }
    case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, p, sizeof v);
        unsigned y, m, d;
        master()->getUtilInterface()->decodeDate(v, &y, &m, &d);
        return Value(QDate(int(y), int(m), int(d)));
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP v;
        std::memcpy(&v, p, sizeof v);
        unsigned y, m, d;
        master()->getUtilInterface()->decodeDate(v.timestamp_date, &y, &m, &d);
        return Value(QDate(int(y), int(m), int(d)));
    }
    case SQL_BOOLEAN:
        return Value(static_cast<std::int64_t>(*p ? 1 : 0));
    case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, p, sizeof id);
        return readBlob(st, att, tra, &id);
    }
    default:
        throw DatabaseError(QStringLiteral("Tipo de coluna não suportado (%1)").arg(c.type));
    }
}

void encodeValue(const Column& c, const Value& v, unsigned char* buf)
{
    short* nullFlag = reinterpret_cast<short*>(buf + c.nullOffset);
    if (v.isNull()) {
        *nullFlag = -1;
        return;
    }
    *nullFlag = 0;
    unsigned char* p = buf + c.offset;
    switch (c.type) {
    case SQL_TEXT: {
        const QByteArray b = toCp1252(v.toText());
        if (unsigned(b.size()) > c.length)
            throw DatabaseError(QStringLiteral("Texto longo demais para a coluna: %1").arg(v.toText()));
        std::memset(p, ' ', c.length);
        std::memcpy(p, b.constData(), size_t(b.size()));
        break;
    }
    case SQL_VARYING: {
        const QByteArray b = toCp1252(v.toText());
        if (unsigned(b.size()) > c.length)
            throw DatabaseError(QStringLiteral("Texto longo demais para a coluna: %1").arg(v.toText()));
        const unsigned short len = static_cast<unsigned short>(b.size());
        std::memcpy(p, &len, sizeof len);
        std::memcpy(p + 2, b.constData(), len);
        break;
    }
    case SQL_SHORT: {
        const short x = static_cast<short>(v.toInt());
        std::memcpy(p, &x, sizeof x);
        break;
    }
    case SQL_LONG: {
        const ISC_LONG x = static_cast<ISC_LONG>(v.toInt());
        std::memcpy(p, &x, sizeof x);
        break;
    }
    case SQL_INT64: {
        const ISC_INT64 x = v.toInt();
        std::memcpy(p, &x, sizeof x);
        break;
    }
    case SQL_FLOAT: {
        const float x = static_cast<float>(v.toDouble());
        std::memcpy(p, &x, sizeof x);
        break;
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        const double x = v.toDouble();
        std::memcpy(p, &x, sizeof x);
        break;
    }
    case SQL_TYPE_DATE: {
        const QDate d = v.toDate();
        const ISC_DATE x = master()->getUtilInterface()->encodeDate(unsigned(d.year()), unsigned(d.month()),
                                                                     unsigned(d.day()));
        std::memcpy(p, &x, sizeof x);
        break;
    }
    default:
        throw DatabaseError(QStringLiteral("Tipo de parâmetro não suportado (%1)").arg(c.type));
    }
}

} // namespace

struct EditionDatabase::Impl {
    IAttachment* att = nullptr;
    QString path;
    std::function<void(EditionDatabase::Sent, const QString&)> observer;

    ITransaction* begin(ThrowStatusWrapper* st)
    {
        static const std::vector<unsigned char> tpb = readCommittedWaitTpb();
        return att->startTransaction(st, static_cast<unsigned>(tpb.size()), tpb.data());
    }
    void requireConnection() const
    {
        if (!att)
            throw DatabaseError(QStringLiteral("Banco de dados não conectado"));
    }
    void notify(EditionDatabase::Sent kind, const QString& sql) const
    {
        if (observer)
            observer(kind, sql);
    }
};

EditionDatabase::EditionDatabase() : d(std::make_unique<Impl>()) {}
EditionDatabase::~EditionDatabase()
{
    try {
        disconnect();
    } catch (...) {
    }
}

QString EditionDatabase::defaultEditionPath()
{
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                               : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("FARQDB.GDB");
}

ConnectionSettings EditionDatabase::settingsFor(const QString& path)
{
    ConnectionSettings s;
    s.database = path.isEmpty() ? defaultEditionPath() : path;
    return s;
}

void EditionDatabase::prepareClientEnvironment()
{
    if (!qEnvironmentVariableIsEmpty("FIREBIRD"))
        return;
    const QString exeDir = QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString root = exeDir + QStringLiteral("/firebird");
    if (QFileInfo::exists(root + QStringLiteral("/firebird.conf")))
        qputenv("FIREBIRD", QFile::encodeName(root));
}

void EditionDatabase::connect(const QString& path)
{
    const ConnectionSettings s = settingsFor(path);
    if (!QFileInfo::exists(s.database))
        throw DatabaseError(QStringLiteral("Arquivo não encontrado: %1").arg(s.database));
    open(s, false);
}

void EditionDatabase::create(const QString& path) { open(settingsFor(path), true); }

void EditionDatabase::open(const ConnectionSettings& s, bool create)
{
    disconnect();
    const std::vector<unsigned char> dpb = buildDpb(s, create);
    const QByteArray file = encodePath(s.database);
    Status st;
    IProvider* prov = master()->getDispatcher();
    try {
        d->att = create ? prov->createDatabase(&st, file.constData(), static_cast<unsigned>(dpb.size()), dpb.data())
                        : prov->attachDatabase(&st, file.constData(), static_cast<unsigned>(dpb.size()), dpb.data());
        d->path = s.database;
    } catch (const FbException& e) {
        prov->release();
        rethrow(e);
    }
    prov->release();
}

void EditionDatabase::disconnect()
{
    if (!d->att)
        return;
    IStatus* raw = master()->getStatus();
    CheckStatusWrapper w(raw);
    d->att->detach(&w);
    if (w.getState() & IStatus::STATE_ERRORS)
        d->att->release();
    raw->dispose();
    d->att = nullptr;
    d->path.clear();
}

bool EditionDatabase::isConnected() const { return d->att != nullptr; }
const QString& EditionDatabase::path() const { return d->path; }

void EditionDatabase::setStatementObserver(std::function<void(Sent, const QString&)> observer)
{
    d->observer = std::move(observer);
}

DataSet EditionDatabase::query(const QString& sql)
{
    d->requireConnection();
    d->notify(Sent::Query, sql);
    const QByteArray text = toCp1252(sql);
    Status st;
    ITransaction* tra = nullptr;
    IStatement* stmt = nullptr;
    IMessageMetadata* meta = nullptr;
    IResultSet* rs = nullptr;
    try {
        tra = d->begin(&st);
        stmt = d->att->prepare(&st, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        meta = stmt->getOutputMetadata(&st);
        const std::vector<Column> cols = describe(&st, meta);
        QStringList names;
        for (unsigned i = 0; i < cols.size(); ++i)
            names << fromCp1252(QByteArray(meta->getAlias(&st, i)));
        DataSet ds(names);
        if (cols.empty()) {
            stmt->execute(&st, tra, nullptr, nullptr, nullptr, nullptr);
        } else {
            std::vector<unsigned char> buf(meta->getMessageLength(&st));
            rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
            while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
                std::vector<Value> row;
                row.reserve(cols.size());
                for (const Column& c : cols)
                    row.push_back(decodeValue(&st, d->att, tra, c, buf.data()));
                ds.appendRow(std::move(row));
            }
            rs->close(&st);
            rs = nullptr;
        }
        meta->release();
        meta = nullptr;
        stmt->free(&st);
        stmt = nullptr;
        tra->commit(&st);
        tra = nullptr;
        return ds;
    } catch (const FbException& e) {
        const QString msg = statusText(e.getStatus());
        if (rs)
            rs->release();
        if (meta)
            meta->release();
        if (stmt)
            stmt->release();
        rollbackQuietly(tra);
        throw DatabaseError(msg);
    } catch (...) {
        if (rs)
            rs->release();
        if (meta)
            meta->release();
        if (stmt)
            stmt->release();
        rollbackQuietly(tra);
        throw;
    }
}

void EditionDatabase::execute(const QString& sql)
{
    d->requireConnection();
    d->notify(Sent::Statement, sql);
    const QByteArray text = toCp1252(sql);
    Status st;
    ITransaction* tra = nullptr;
    try {
        tra = d->begin(&st);
        d->att->execute(&st, tra, 0, text.constData(), 3, nullptr, nullptr, nullptr, nullptr);
        tra->commit(&st);
        tra = nullptr;
    } catch (const FbException& e) {
        const QString msg = statusText(e.getStatus());
        rollbackQuietly(tra);
        throw DatabaseError(msg);
    }
}

struct EditionDatabase::Bulk::Impl {
    ITransaction* tra = nullptr;
    IStatement* stmt = nullptr;
    IMessageMetadata* meta = nullptr;
    std::vector<Column> cols;
    std::vector<unsigned char> buf;
};

EditionDatabase::Bulk::Bulk(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

EditionDatabase::Bulk::~Bulk()
{
    if (d->meta)
        d->meta->release();
    if (d->stmt)
        d->stmt->release();
    rollbackQuietly(d->tra);
}

void EditionDatabase::Bulk::run(const std::vector<Value>& params)
{
    if (params.size() != d->cols.size())
        throw DatabaseError(QStringLiteral("Número de parâmetros incorreto"));
    for (std::size_t i = 0; i < params.size(); ++i)
        encodeValue(d->cols[i], params[i], d->buf.data());
    Status st;
    try {
        d->stmt->execute(&st, d->tra, d->meta, d->buf.data(), nullptr, nullptr);
    } catch (const FbException& e) {
        rethrow(e);
    }
}

void EditionDatabase::Bulk::commit()
{
    Status st;
    try {
        if (d->meta) {
            d->meta->release();
            d->meta = nullptr;
        }
        if (d->stmt) {
            d->stmt->free(&st);
            d->stmt = nullptr;
        }
        if (d->tra) {
            d->tra->commit(&st);
            d->tra = nullptr;
        }
    } catch (const FbException& e) {
        rethrow(e);
    }
}

std::unique_ptr<EditionDatabase::Bulk> EditionDatabase::prepareBulk(const QString& sql)
{
    d->requireConnection();
    auto impl = std::make_unique<Bulk::Impl>();
    const QByteArray text = toCp1252(sql);
    Status st;
    try {
        impl->tra = d->begin(&st);
        impl->stmt = d->att->prepare(&st, impl->tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        impl->meta = impl->stmt->getInputMetadata(&st);
        impl->cols = describe(&st, impl->meta);
        impl->buf.assign(impl->meta->getMessageLength(&st), 0);
    } catch (const FbException& e) {
        const QString msg = statusText(e.getStatus());
        Bulk cleanup(std::move(impl));
        throw DatabaseError(msg);
    }
    return std::unique_ptr<Bulk>(new Bulk(std::move(impl)));
}

struct EditionDatabase::Cursor::Impl {
    IAttachment* att = nullptr;
    ITransaction* tra = nullptr;
    IStatement* stmt = nullptr;
    IMessageMetadata* meta = nullptr;
    IResultSet* rs = nullptr;
    std::vector<Column> cols;
    std::vector<unsigned char> buf;
    QStringList names;

    void release()
    {
        if (rs) {
            rs->release();
            rs = nullptr;
        }
        if (meta) {
            meta->release();
            meta = nullptr;
        }
        if (stmt) {
            stmt->release();
            stmt = nullptr;
        }
        rollbackQuietly(tra);
    }
};

EditionDatabase::Cursor::Cursor(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

EditionDatabase::Cursor::~Cursor() { d->release(); }

const QStringList& EditionDatabase::Cursor::columns() const { return d->names; }

bool EditionDatabase::Cursor::fetch(DataSet& batch, std::size_t maxRows)
{
    batch = DataSet(d->names);
    if (!d->rs)
        return false;
    Status st;
    try {
        while (batch.size() < maxRows) {
            if (d->rs->fetchNext(&st, d->buf.data()) != IStatus::RESULT_OK) {
                d->rs->close(&st);
                d->rs = nullptr;
                break;
            }
            std::vector<Value> row;
            row.reserve(d->cols.size());
            for (const Column& c : d->cols)
                row.push_back(decodeValue(&st, d->att, d->tra, c, d->buf.data()));
            batch.appendRow(std::move(row));
        }
    } catch (const FbException& e) {
        const QString msg = statusText(e.getStatus());
        d->release();
        throw DatabaseError(msg);
    }
    return !batch.empty();
}

std::unique_ptr<EditionDatabase::Cursor> EditionDatabase::openCursor(const QString& sql)
{
    d->requireConnection();
    d->notify(Sent::Query, sql);
    const QByteArray text = toCp1252(sql);
    auto impl = std::make_unique<Cursor::Impl>();
    impl->att = d->att;
    Status st;
    try {
        impl->tra = d->begin(&st);
        impl->stmt = d->att->prepare(&st, impl->tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        impl->meta = impl->stmt->getOutputMetadata(&st);
        impl->cols = describe(&st, impl->meta);
        for (unsigned i = 0; i < impl->cols.size(); ++i)
            impl->names << fromCp1252(QByteArray(impl->meta->getAlias(&st, i)));
        impl->buf.assign(impl->meta->getMessageLength(&st), 0);
        if (!impl->cols.empty())
            impl->rs = impl->stmt->openCursor(&st, impl->tra, nullptr, nullptr, impl->meta, 0);
    } catch (const FbException& e) {
        const QString msg = statusText(e.getStatus());
        impl->release();
        throw DatabaseError(msg);
    }
    return std::unique_ptr<Cursor>(new Cursor(std::move(impl)));
}

} // namespace farq
