// What only the PostgreSQL engine does, against a real server: the private
// one that scripts/pg.sh starts, named by YERBALIS_PG_TEST_SERVER (or by
// YERBALIS_TEST_DATABASE when that names a server). Without it the tests are
// skipped. Every test works in a database of its own; the tests that stop or
// crash a server start one of their own, so that the shared one stays up for
// the tests that run beside these. The engine interface itself is tested on
// both engines by test_engine.

#include "TestDatabase.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Engine.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"
#include "store/postgres/PgEngine.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <libpq-fe.h>

using namespace yb;
using namespace yb::test;

namespace {

const TableDef& table(const char* name) { return *findTable(QString::fromUtf8(name)); }

// Runs one statement on the test database directly: only to damage it or to
// cut a connection, never to seed data.
void raw(const QString& uri, const QByteArray& sql)
{
    PGconn* c = PQconnectdb(uri.toUtf8().constData());
    QVERIFY2(PQstatus(c) == CONNECTION_OK, PQerrorMessage(c));
    PGresult* r = PQexec(c, sql.constData());
    const ExecStatusType st = PQresultStatus(r);
    const QByteArray msg = PQresultErrorMessage(r);
    PQclear(r);
    PQfinish(c);
    QVERIFY2(st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK, msg.constData());
}

// A private server of the test's own (scripts/pg.sh in a folder of its own)
// for the tests that crash and restart it; stopped and removed at the end.
struct OwnServer {
    static inline int count = 0;
    const QString dir = QStringLiteral("/tmp/yb-pg-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
    QString uri;
    int pg(const char* what) const
    {
        return QProcess::execute(QStringLiteral("bash"), {QStringLiteral(PG_SCRIPT), QLatin1String(what), dir});
    }
    ~OwnServer()
    {
        if (!uri.isEmpty())
            pg("stop");
    }
    // Starts it with the fourteen tables; the error when it did not start.
    QString start()
    {
        QProcess p;
        p.start(QStringLiteral("bash"), {QStringLiteral(PG_SCRIPT), QStringLiteral("start"), dir});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return QStringLiteral("pg.sh start %1 failed: %2")
                .arg(dir, QString::fromLocal8Bit(p.readAllStandardError()));
        uri = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return errorOf([&] { Database::createTables(uri); }).remove(QStringLiteral("<no error>"));
    }
};

} // namespace

class TestPgEngine : public QObject {
    Q_OBJECT

    QString server_;
    QString name_;
    QString uri_;
    std::unique_ptr<Engine> engine_;
    int serial_ = 0;

    WriteResult product(EngineTable& t, int code, const QString& desc, int price)
    {
        return t.insert({0, 1, 2}, {code, desc, price}, {});
    }
    WriteResult entry(EngineTable& t, const QString& key, const QString& memo = {})
    {
        // GLOSARIO.DB: "Definición:" memo, "Término médico" key.
        return t.insert({1, 0}, {key, memo.isNull() ? QVariant() : QVariant(memo)}, sortKey(key));
    }

    // Ends every other session of the test database, as a restarting server
    // does, and waits until the server has let them go.
    bool cutConnections()
    {
        const QByteArray others =
            "FROM pg_stat_activity WHERE datname = '" + name_.toUtf8() + "' AND pid <> pg_backend_pid()";
        raw(uri_, "SELECT pg_terminate_backend(pid) " + others);
        return QTest::qWaitFor(
            [&] {
                PGconn* c = PQconnectdb(uri_.toUtf8().constData());
                PGresult* r = PQexec(c, ("SELECT count(*) " + others).constData());
                const bool gone = PQresultStatus(r) == PGRES_TUPLES_OK && qstrcmp(PQgetvalue(r, 0, 0), "0") == 0;
                PQclear(r);
                PQfinish(c);
                return gone;
            },
            30000);
    }

private slots:
    void init()
    {
        server_ = qEnvironmentVariable("YERBALIS_PG_TEST_SERVER");
        if (server_.isEmpty())
            server_ = qEnvironmentVariable("YERBALIS_TEST_DATABASE");
        if (!server_.startsWith(QLatin1String("postgres")))
            QSKIP("no PostgreSQL test server is named (scripts/pg.sh start; eval \"$(scripts/pg.sh env)\")");
        name_ = QStringLiteral("yb_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial_);
        YB_REACH_TEST_SERVER({
            pg::dropDatabase(server_, name_);
            uri_ = pg::createDatabase(server_, name_);
            engine_ = pg::openEngine(uri_);
            engine_->createTables();
        });
    }

    void cleanup()
    {
        engine_.reset();
        if (!name_.isEmpty())
            pg::dropDatabase(server_, name_);
        name_.clear();
    }

    // The fourteen tables with the catalogue's fields; a second create changes
    // nothing; a missing table or column is named, and opening it fails.
    void createAndCheck()
    {
        QCOMPARE(engine_->name(), QStringLiteral("PostgreSQL"));
        QVERIFY(engine_->exists());
        for (const TableDef& t : tables()) {
            QVERIFY2(engine_->hasTable(t), qPrintable(t.fileName));
            std::unique_ptr<EngineTable> open = engine_->openTable(t);
            const QList<FieldDef> stored = open->storedFields();
            QCOMPARE(stored.size(), t.fields.size());
            for (int i = 0; i < stored.size(); ++i) {
                QCOMPARE(stored[i].name, t.fields[i].name);
                QCOMPARE(stored[i].type, t.fields[i].type);
                QCOMPARE(stored[i].size, t.fields[i].size);
                QCOMPARE(stored[i].required, t.fields[i].required);
            }
        }
        QCOMPARE(engine_->check(), QStringList());
        engine_->createTables();
        QCOMPARE(engine_->check(), QStringList());

        raw(uri_, "ALTER TABLE \"GLOSARIO.DB\" DROP COLUMN \"Definición:\"");
        raw(uri_, "DROP TABLE \"Abuela.DB\"");
        const QStringList problems = engine_->check();
        QCOMPARE(problems.size(), 2);
        QVERIFY2(problems.join(' ').contains(QStringLiteral("'Definición:'")), qPrintable(problems.join('\n')));
        QVERIFY2(problems.join(' ').contains(QStringLiteral("Abuela.DB is missing")), qPrintable(problems.join('\n')));
        QVERIFY2(problems.join(' ').contains(QStringLiteral("'yerbalis-admin create' with the same URI")),
                 qPrintable(problems.join('\n')));
        QVERIFY(!engine_->hasTable(table("Abuela.DB")));
        try {
            engine_->openTable(table("GLOSARIO.DB"));
            QFAIL("a table without its column opened");
        } catch (const EngineError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Definición:")), qPrintable(e.message()));
        }
        // create makes the missing table again; the damaged one stays as it is.
        engine_->createTables();
        QVERIFY(engine_->hasTable(table("Abuela.DB")));
        QCOMPARE(engine_->check().size(), 1);
    }

    // A database that is not there yet is made by createTables; a server that
    // cannot be reached is named with libpq's message.
    void missingDatabaseAndServer()
    {
        const QString other = name_ + QStringLiteral("_new");
        pg::dropDatabase(server_, other);
        QUrl url(server_);
        url.setPath(QLatin1Char('/') + other);
        {
            std::unique_ptr<Engine> e = openEngine(url.toString());
            QCOMPARE(e->name(), QStringLiteral("PostgreSQL"));
            QVERIFY(!e->exists());
            e->createTables();
            QVERIFY(e->exists());
            QCOMPARE(e->check(), QStringList());
        }
        pg::dropDatabase(server_, other);

        try {
            openEngine(
                QStringLiteral("postgresql://caja:secreto@/nada?host=/nonexistent/socket/dir&connect_timeout=2"));
            QFAIL("opened a database on no server");
        } catch (const EngineError& err) {
            QVERIFY2(
                err.message().startsWith(QStringLiteral("Cannot connect to the PostgreSQL server postgresql://caja@")),
                qPrintable(err.message()));
            QVERIFY2(err.message().contains(QStringLiteral("/nonexistent/socket/dir")), qPrintable(err.message()));
            QVERIFY(!err.message().contains(QStringLiteral("secreto")));
        }
    }

    // The server drops the connection (as when it restarts): the next
    // operation reconnects by itself; a transaction cut off keeps nothing.
    void lostConnection()
    {
        std::unique_ptr<EngineTable> p = engine_->openTable(table("Producto.db"));
        product(*p, 1, QStringLiteral("Uno"), 1);
        QVERIFY(cutConnections());
        QCOMPARE(p->count(), qint64(1));
        QVERIFY(cutConnections());
        QCOMPARE(product(*p, 2, QStringLiteral("Dos"), 2).outcome, WriteResult::Written);

        p->begin();
        product(*p, 3, QStringLiteral("Tres"), 3);
        QVERIFY(cutConnections());
        try {
            product(*p, 4, QStringLiteral("Cuatro"), 4);
            p->commit();
            QFAIL("a transaction went on over a lost connection");
        } catch (const EngineError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("PostgreSQL server")), qPrintable(e.message()));
        }
        p->rollback();
        QCOMPARE(p->count(), qint64(2));
        QCOMPARE(product(*p, 3, QStringLiteral("Tres"), 3).outcome, WriteResult::Written);
    }

    // A backup is SQLite table files holding the same records in the same
    // order; a directory that already holds tables is refused untouched.
    void backupToTableFiles()
    {
        std::unique_ptr<EngineTable> g = engine_->openTable(table("GLOSARIO.DB"));
        for (const char* k : {"zarza", "Ñora", "árnica", "Nabo"})
            entry(*g, QString::fromUtf8(k), QStringLiteral("memo"));
        std::unique_ptr<EngineTable> p = engine_->openTable(table("Producto.db"));
        product(*p, 3, QStringLiteral("Tila"), 120);
        QTemporaryDir tmp;
        const QString dir = tmp.path() + QStringLiteral("/copia");
        qint64 lastDone = -1, lastTotal = -1;
        const QList<BackupTableResult> results = engine_->backup(dir, [&](qint64 done, qint64 total) {
            lastDone = done;
            lastTotal = total;
        });
        QCOMPARE(results.size(), tables().size());
        QCOMPARE(lastDone, qint64(5));
        QCOMPARE(lastTotal, qint64(5));
        std::unique_ptr<Engine> copy = openEngine(dir);
        QCOMPARE(copy->name(), QStringLiteral("SQLite"));
        QCOMPARE(copy->check(), QStringList());
        QCOMPARE(texts(copy->openTable(table("GLOSARIO.DB"))->read({1}, RecordOrder::Key, {}, true, 10)),
                 texts(g->read({1}, RecordOrder::Key, {}, true, 10)));
        QCOMPARE(copy->openTable(table("Producto.db"))->readById({1}, 1)->values[0].toString(), QStringLiteral("Tila"));
        copy.reset();
        QVERIFY_THROWS_EXCEPTION(EngineError, engine_->backup(dir));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/GLOSARIO.DB")));
    }

    // Two processes each recording 1,000 sales at once: every one is there.
    void twoTillsSelling()
    {
        QProcess a, b;
        a.start(QStringLiteral(PG_WRITER), {QStringLiteral("sell"), uri_, QStringLiteral("1"), QStringLiteral("1000")});
        b.start(QStringLiteral(PG_WRITER),
                {QStringLiteral("sell"), uri_, QStringLiteral("1001"), QStringLiteral("1000")});
        QVERIFY(a.waitForFinished(300000));
        QVERIFY(b.waitForFinished(300000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        std::unique_ptr<EngineTable> sales = engine_->openTable(table("Ventas.DB"));
        QCOMPARE(sales->count(), qint64(2000));
        QSet<int> codes;
        sales->scan({2}, RecordOrder::Table, [&](const StoredRecord& r) {
            codes.insert(r.values[0].toInt());
            return true;
        });
        QCOMPARE(codes.size(), 2000);
    }

    // Two processes edit one product: the second post is refused as changed by
    // someone else, and the first value stays.
    void twoTillsEditing()
    {
        std::unique_ptr<EngineTable> p = engine_->openTable(table("Producto.db"));
        product(*p, 31, QStringLiteral("Valeriana"), 300);
        QProcess a, b;
        a.start(QStringLiteral(PG_WRITER), {QStringLiteral("edit"), uri_, QStringLiteral("31"), QStringLiteral("310")});
        b.start(QStringLiteral(PG_WRITER), {QStringLiteral("edit"), uri_, QStringLiteral("31"), QStringLiteral("320")});
        for (QProcess* pr : {&a, &b}) {
            QVERIFY(pr->waitForReadyRead(30000));
            QCOMPARE(pr->readLine().trimmed(), QByteArray("read"));
        }
        a.write("\n");
        QVERIFY(a.waitForFinished(30000));
        QCOMPARE(a.readAll().trimmed(), QByteArray("written"));
        b.write("\n");
        QVERIFY(b.waitForFinished(30000));
        QCOMPARE(b.readAll().trimmed(), QByteArray("changed"));
        QCOMPARE(onlyRecord(*p, {2}).values[0], QVariant(310));
    }

    // The server goes away under a cursor: the post fails with a message that
    // names the server, the typed values stay, and once the server is back
    // the same post goes through on a new connection by itself.
    void cursorPostWhileServerIsDown()
    {
        OwnServer server;
        const QString failed = server.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        Database::setLocation(server.uri);
        auto away = qScopeGuard([] { Database::setLocation(QString()); });
        {
            TableCursor c(cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
            c.open();
            auto type = [&](int code) {
                c.append();
                c.fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
                c.fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Manzanilla"));
                c.fieldByName(QStringLiteral("Precio")).setAsInteger(150);
            };
            type(1);
            c.post();
            QCOMPARE(server.pg("crash"), 0);
            type(2);
            QString msg;
            try {
                c.post();
            } catch (const Error& e) {
                msg = e.message();
            }
            QVERIFY2(msg.contains(QStringLiteral("PostgreSQL server")), qPrintable(msg));
            QCOMPARE(c.state(), CursorState::Insert);
            QCOMPARE(c.fieldByName(QStringLiteral("Codigo")).asInteger(), 2);
            QCOMPARE(server.pg("resume"), 0);
            c.post();
            QCOMPARE(c.state(), CursorState::Browse);
            c.first();
            int n = 0;
            for (; !c.eof(); c.next())
                ++n;
            QCOMPARE(n, 2);
        }
    }

    // The server stopped at once during a stream of sales and started again:
    // every sale reported recorded is there and whole, and the stream goes on.
    void serverCrashDuringSales()
    {
        OwnServer server;
        const QString failed = server.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QProcess seller;
        seller.setProcessChannelMode(QProcess::SeparateChannels);
        seller.start(
            QStringLiteral(PG_WRITER),
            {QStringLiteral("sell"), server.uri, QStringLiteral("1"), QStringLiteral("400"), QStringLiteral("5")});
        QVERIFY(seller.waitForStarted());
        QByteArray out;
        auto posted = [&] { return out.count("posted "); };
        QElapsedTimer t;
        t.start();
        while (posted() < 60 && t.elapsed() < 60000) {
            seller.waitForReadyRead(1000);
            out += seller.readAllStandardOutput();
        }
        QVERIFY(posted() >= 60);
        QCOMPARE(server.pg("crash"), 0);
        const int beforeRestart = posted();
        // The stream sees the server gone before it comes back.
        t.restart();
        while (!out.contains("failed ") && t.elapsed() < 60000) {
            seller.waitForReadyRead(1000);
            out += seller.readAllStandardOutput();
        }
        QCOMPARE(server.pg("resume"), 0);
        QVERIFY(seller.waitForFinished(240000));
        out += seller.readAllStandardOutput();
        QCOMPARE(seller.exitCode(), 0);
        QVERIFY2(out.contains("failed "), "the stream never saw the server go");
        QVERIFY(posted() == 400 && posted() > beforeRestart);

        engine_ = pg::openEngine(server.uri);
        std::unique_ptr<EngineTable> sales = engine_->openTable(table("Ventas.DB"));
        QMap<int, int> seen;
        sales->scan({0, 1, 2, 3, 4}, RecordOrder::Table, [&](const StoredRecord& r) {
            const int code = r.values[2].toInt();
            ++seen[code];
            // Whole: every field as the seller wrote it.
            if (r.values[0] != QVariant(2) || !r.values[1].toDateTime().isValid() ||
                r.values[3] != QVariant(100 + code) ||
                r.values[4].toString() != QStringLiteral("Venta número %1 de una prueba larga").arg(code))
                seen[-code] = 1;
            return true;
        });
        for (int i = 1; i <= 400; ++i)
            QVERIFY2(seen.value(i) >= 1, qPrintable(QStringLiteral("sale %1 is missing").arg(i)));
        QVERIFY2(seen.firstKey() > 0, "a record is not whole");
        // A sale whose commit answer was lost may be there twice; never more.
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY(it.value() <= 2);
    }
};

QTEST_GUILESS_MAIN(TestPgEngine)
#include "test_pg_engine.moc"
