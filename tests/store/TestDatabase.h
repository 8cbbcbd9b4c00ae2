#pragma once
// A fresh database for each store test: a directory of table files, or, when
// YERBALIS_TEST_DATABASE names a PostgreSQL server, a new database on that
// server, so that the same tests run on either engine.

#include "store/Database.h"
#include "store/Engine.h"
#include "store/postgres/PgEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <QThread>
#include <functional>
#include <libpq-fe.h>

namespace yb::test {

// The server the tests run on; empty for table files.
inline QString testServer()
{
    const QString s = qEnvironmentVariable("YERBALIS_TEST_DATABASE");
    return isServerLocation(s) ? s : QString();
}
inline bool onServer() { return !testServer().isEmpty(); }

// Runs a step that reaches the test server. Should the server not answer,
// the test fails with a message that names it, rather than let the engine's
// error end the whole test program.
#define YB_REACH_TEST_SERVER(...)                                                                                      \
    do {                                                                                                               \
        try {                                                                                                          \
            __VA_ARGS__;                                                                                               \
        } catch (const yb::Error& e) {                                                                                 \
            QFAIL(qPrintable(QStringLiteral("the test database cannot be reached: %1").arg(e.message())));             \
        }                                                                                                              \
    } while (0)

// The message of the error `f` raises; "<no error>" when it raises none.
inline QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

// The texts of one column of records read, and the first record of a table.
inline QStringList texts(const QList<StoredRecord>& rs, int col = 0)
{
    QStringList l;
    for (const StoredRecord& r : rs)
        l << r.values[col].toString();
    return l;
}
inline StoredRecord onlyRecord(EngineTable& t, const Columns& cols)
{
    return t.read(cols, RecordOrder::Table, {}, true, 10).value(0);
}

// A process killed while it wrote may leave its last statement running on the
// server, to be committed a moment later: wait until no other session of the
// database at `location` is busy, so that a count sees its outcome. Nothing
// to wait for with table files.
inline void settle(const QString& location)
{
    if (!isServerLocation(location))
        return;
    PGconn* c = PQconnectdb(location.toUtf8().constData());
    QElapsedTimer t;
    t.start();
    while (PQstatus(c) == CONNECTION_OK && t.elapsed() < 20000) {
        PGresult* r = PQexec(c,
                             "SELECT count(*) FROM pg_stat_activity WHERE datname = current_database() "
                             "AND pid <> pg_backend_pid() AND state NOT IN ('idle')");
        const bool busy = PQresultStatus(r) == PGRES_TUPLES_OK && qstrcmp(PQgetvalue(r, 0, 0), "0") != 0;
        PQclear(r);
        if (!busy)
            break;
        QThread::msleep(10);
    }
    PQfinish(c);
}

class FreshDatabases {
public:
    FreshDatabases() = default;
    FreshDatabases(const FreshDatabases&) = delete;
    FreshDatabases& operator=(const FreshDatabases&) = delete;
    ~FreshDatabases()
    {
        try {
            dropPrevious();
        } catch (...) {
        }
    }

    // Makes a database with the fourteen empty tables (`dir` on table files),
    // points the store at it and returns its location. The database of the
    // previous call is dropped from the server.
    QString make(const QString& dir)
    {
        const QString server = testServer();
        if (server.isEmpty()) {
            Database::prepare(dir);
            Database::setLocation(dir);
            return dir;
        }
        Database::setLocation(dir); // lets go of the previous database's connection
        dropPrevious();
        previous_ = QStringLiteral("yb_%1_%2_%3")
                        .arg(QCoreApplication::applicationName().left(20))
                        .arg(QCoreApplication::applicationPid())
                        .arg(++serial_);
        pg::dropDatabase(server, previous_);
        const QString location = pg::createDatabase(server, previous_);
        Database::createTables(location);
        Database::setLocation(location);
        return location;
    }

private:
    void dropPrevious()
    {
        if (!previous_.isEmpty())
            pg::dropDatabase(testServer(), previous_);
        previous_.clear();
    }

    QString previous_;
    int serial_ = 0;
};

} // namespace yb::test
