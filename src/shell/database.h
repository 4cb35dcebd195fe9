#pragma once
// The program's one connection to the edition database: Firebird embedded,
// opened by path through the engine's own client interface.
#include "shell/dataset.h"

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace farq {

// A failure reported by the engine (or by this layer); message() carries the
// engine's own text.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

struct ConnectionSettings {
    QString database;                 // path of the edition file
    QString user = QStringLiteral("SYSDBA");
    QString password = QStringLiteral("plumvotex");
    QString role = QStringLiteral("RoleName");
    int dialect = 3;
};

class EditionDatabase {
public:
    EditionDatabase();
    ~EditionDatabase();
    EditionDatabase(const EditionDatabase&) = delete;
    EditionDatabase& operator=(const EditionDatabase&) = delete;

    // The edition file beside the running executable.
    static QString defaultEditionPath();
    // Settings rebuilt before every connect: the path always follows the
    // executable unless an explicit path is given.
    static ConnectionSettings settingsFor(const QString& path = QString());

    void connect(const QString& path = QString());
    void disconnect();
    bool isConnected() const;
    const QString& path() const;

    // Runs a query in its own read-committed transaction and returns every
    // row. The column list is there even when no row is returned.
    DataSet query(const QString& sql);
    // Sends a statement without parameters or result rows; committed at once.
    void execute(const QString& sql);

    // Rows of a query read a batch at a time, for results too large to hold
    // in memory at once (the export of a whole edition). The cursor keeps its
    // own read-committed transaction until it is destroyed.
    class Cursor {
    public:
        ~Cursor();
        const QStringList& columns() const;
        // Replaces the rows of `batch` with the next rows, at most maxRows;
        // false (and an empty batch) once every row has been read.
        bool fetch(DataSet& batch, std::size_t maxRows);
    private:
        friend class EditionDatabase;
        struct Impl;
        explicit Cursor(std::unique_ptr<Impl> impl);
        std::unique_ptr<Impl> d;
    };
    // Prepares and opens the query; throws DatabaseError when it cannot be
    // opened (a missing column among them).
    std::unique_ptr<Cursor> openCursor(const QString& sql);

    // Every statement text sent, with whether it was a query (query()) or a
    // directly executed statement (execute()), for those who need to know.
    enum class Sent { Query, Statement };
    void setStatementObserver(std::function<void(Sent, const QString&)> observer);

    // Bulk writing with a prepared statement inside one transaction, used by
    // the edition generator.
    class Bulk {
    public:
        ~Bulk();
        void run(const std::vector<Value>& params);
        void commit();
    private:
        friend class EditionDatabase;
        struct Impl;
        explicit Bulk(std::unique_ptr<Impl> impl);
        std::unique_ptr<Impl> d;
    };
    std::unique_ptr<Bulk> prepareBulk(const QString& sql);

    // Creates an empty database file (page size 8192, no default character
    // set) and leaves this object connected to it.
    void create(const QString& path);

    // Points the client at the Firebird root beside the executable (its
    // firebird.conf lets several processes share one edition file), unless
    // FIREBIRD is already set. Must run before the first connection.
    static void prepareClientEnvironment();

private:
    void open(const ConnectionSettings& settings, bool create);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace farq
