// yerbalis-bench --database URI: the table cursor on a PostgreSQL server,
// against the same statements issued straight through libpq in the same run.
// Our rounds and the raw rounds alternate (ours, raw, ours, raw ...), so that
// a busy machine slows both alike. The records live in a scratch database
// made on the server of URI and dropped at the end.

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Engine.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"
#include "store/postgres/PgEngine.h"

#include "bench/bench_support.h"
#include "shop/Sale.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>
#include <vector>

namespace {

using namespace yb::bench;

// The statements of the engine, issued straight through libpq: prepared
// once, values bound, results in binary form. They go over the engine's own
// connection, to the same server process: two processes would be scheduled
// apart on a busy machine, and their round trips differ more than the code.
class Raw {
public:
    explicit Raw(PGconn* c) : c_(c)
    {
        if (!c_ || PQstatus(c_) != CONNECTION_OK)
            throw yb::EngineError(QStringLiteral("no connection to measure against"));
    }
    void prepare(const char* name, const QByteArray& sql)
    {
        PGresult* r = PQprepare(c_, name, sql.constData(), 0, nullptr);
        const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        const QString msg = QString::fromUtf8(PQresultErrorMessage(r));
        PQclear(r);
        if (!ok)
            throw yb::EngineError(msg);
    }
    // Runs a prepared statement; params: (bytes, binary) pairs.
    PGresult* run(const char* name, std::initializer_list<std::pair<QByteArray, bool>> params)
    {
        const char* values[8] = {};
        int lengths[8] = {}, formats[8] = {}, n = 0;
        for (const auto& p : params) {
            values[n] = p.first.constData();
            lengths[n] = int(p.first.size());
            formats[n] = p.second ? 1 : 0;
            ++n;
        }
        PGresult* r = PQexecPrepared(c_, name, n, values, lengths, formats, 1);
        const ExecStatusType st = PQresultStatus(r);
        if (st != PGRES_TUPLES_OK && st != PGRES_COMMAND_OK) {
            const QString msg = QString::fromUtf8(PQresultErrorMessage(r));
            PQclear(r);
            throw yb::EngineError(msg);
        }
        return r;
    }

private:
    PGconn* c_;
};

} // namespace

int benchPostgres(const QString& uri, int count)
{
    using namespace yb;
    const QString scratch = QStringLiteral("yerbalis_bench_%1").arg(QCoreApplication::applicationPid());
    pg::dropDatabase(uri, scratch);
    const QString location = pg::createDatabase(uri, scratch);
    std::printf("# PostgreSQL %s, scratch database %s\n", qPrintable(Database::open(location)->location()),
                qPrintable(scratch));
    int rc = 0;
    try {
        Database::createTables(location);
        Database::setLocation(location);
        const TableDef& cosmetic = *findTable(QStringLiteral("Cosmetic.DB"));
        QElapsedTimer build;
        build.start();
        {
            std::unique_ptr<Engine> e = Database::open(location);
            std::unique_ptr<EngineTable> t = e->openTable(cosmetic);
            std::unique_ptr<BulkInsert> bulk = t->bulkInsert(false);
            QRandomGenerator rng(42);
            for (int i = 0; i < count; ++i) {
                const QString key = makeKey(rng, i);
                bulk->add({key, QStringLiteral("Aplicar sobre la piel limpia dos veces al día."),
                           QStringLiteral("Masajear suavemente hasta su completa absorción.")},
                          sortKey(key), i);
            }
            bulk->commit();
        }
        Raw raw(pg::nativeConnection(*Database::engine()));
        raw.prepare("analyze", "ANALYZE");
        PQclear(raw.run("analyze", {}));
        std::printf("# %d records built in %.1f s\n", count, build.elapsed() / 1000.0);

        std::vector<double> opens;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            TableCursor c(cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
            c.open();
            opens.push_back(t.nsecsElapsed() / 1e6);
        }
        report("open_ms", median(opens), "ms");

        const QByteArray cols = "SELECT yb_id, yb_rev, yb_sortkey, \"Producto Cosmetico\", \"Indicaciones\", "
                                "\"Modo Empleo\" FROM \"Cosmetic.DB\"";
        raw.prepare("first", cols + " ORDER BY yb_sortkey, yb_id LIMIT 1");
        raw.prepare("next",
                    cols +
                        " WHERE (yb_sortkey, yb_id) > ($1::bytea, $2::bigint) ORDER BY yb_sortkey, yb_id "
                        "LIMIT 1");
        raw.prepare("prior",
                    cols +
                        " WHERE (yb_sortkey, yb_id) < ($1::bytea, $2::bigint) ORDER BY yb_sortkey DESC, "
                        "yb_id DESC LIMIT 1");
        raw.prepare("range",
                    cols +
                        " WHERE yb_sortkey >= $1::bytea AND yb_sortkey < $2::bytea "
                        "ORDER BY yb_sortkey, yb_id LIMIT 16");
        raw.prepare("insert",
                    "INSERT INTO \"Cosmetic.DB\"(yb_sortkey, \"Producto Cosmetico\", \"Indicaciones\") "
                    "VALUES($1::bytea, $2, $3) RETURNING yb_id, yb_rev");
        QByteArray curKey;
        qint64 curId = 0;
        auto readRow = [&](PGresult* r) {
            if (PQntuples(r) == 1) {
                curId = qint64(qFromBigEndian<quint64>(PQgetvalue(r, 0, 0)));
                curKey = QByteArray(PQgetvalue(r, 0, 2), PQgetlength(r, 0, 2));
                for (int c = 3; c < 6; ++c)
                    (void)QString::fromUtf8(PQgetvalue(r, 0, c), PQgetlength(r, 0, c));
            }
            PQclear(r);
        };
        auto idBytes = [](qint64 id) { return QByteArray::number(id); };

        TableCursor cur(cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
        cur.open();
        const auto [firstUs, rawFirst] = interleaved(
            21, 100, [&] { cur.first(); }, [&] { readRow(raw.run("first", {})); });
        report("first_us", firstUs, "us");
        cur.first();
        readRow(raw.run("first", {}));
        const auto [nextUs, rawNext] = interleaved(
            21, 500, [&] { cur.next(); },
            [&] {
                readRow(raw.run("next", {{curKey, true}, {idBytes(curId), false}}));
            });
        report("next_us", nextUs, "us");
        const auto [priorUs, rawPrior] = interleaved(
            21, 500, [&] { cur.prior(); },
            [&] {
                readRow(raw.run("prior", {{curKey, true}, {idBytes(curId), false}}));
            });
        report("prior_us", priorUs, "us");

        const std::vector<QString> prefixes = samplePrefixes();
        size_t pi = 0, rpi = 0;
        auto rawRange = [&](const QString& prefix) {
            const QByteArray lo = sortKeyPrefix(prefix);
            QByteArray hi = lo;
            hi.append(char(0xFF));
            PGresult* r = raw.run("range", {{lo, true}, {hi, true}});
            for (int row = 0; row < PQntuples(r); ++row)
                if (QString::fromUtf8(PQgetvalue(r, row, 3), PQgetlength(r, row, 3)).startsWith(prefix)) {
                    curId = qint64(qFromBigEndian<quint64>(PQgetvalue(r, row, 0)));
                    break;
                }
            PQclear(r);
        };
        const auto [locUs, rawLoc] = interleaved(
            21, 100,
            [&] {
                cur.setKey();
                cur.locate(QStringLiteral("Producto Cosmetico"), prefixes[pi++ % prefixes.size()], PartialKey);
            },
            [&] { rawRange(prefixes[rpi++ % prefixes.size()]); });
        report("locate_prefix_us", locUs, "us");
        const auto [missUs, rawMiss] = interleaved(
            21, 100,
            [&] {
                cur.setKey();
                cur.locate(QStringLiteral("Producto Cosmetico"), QStringLiteral("Zzzqx"), PartialKey);
            },
            [&] { rawRange(QStringLiteral("Zzzqx")); });
        report("locate_miss_us", missUs, "us");

        // Durable posts: each its own transaction, committed to disk.
        int n = 0, rn = 0;
        const auto [insMs, rawInsMs] = interleaved(
            31, 1, [&] { postNewCosmetic(cur, n++); },
            [&] {
                const QString key = QStringLiteral("Raw %1").arg(rn++);
                PQclear(raw.run(
                    "insert",
                    {{sortKey(key), true}, {key.toUtf8(), false}, {QByteArrayLiteral("Texto de prueba"), false}}));
            });
        report("post_insert_ms", insMs / 1000.0, "ms");
        report("raw_post_insert_ms", rawInsMs / 1000.0, "ms");
        benchEdits(cur, 31);
        report("raw_first_us", rawFirst, "us");
        report("raw_next_us", rawNext, "us");
        report("raw_prior_us", rawPrior, "us");
        report("raw_locate_prefix_us", rawLoc, "us");
        report("raw_locate_miss_us", rawMiss, "us");

        benchSaleRecording();
        printRatios({{"first", firstUs, rawFirst},
                     {"next", nextUs, rawNext},
                     {"prior", priorUs, rawPrior},
                     {"locate_prefix", locUs, rawLoc},
                     {"locate_miss", missUs, rawMiss},
                     {"post_insert", insMs, rawInsMs}});
    } catch (const Error& e) {
        std::fprintf(stderr, "yerbalis-bench: %s\n", e.what());
        rc = 1;
    }
    Database::setLocation(QString());
    try {
        pg::dropDatabase(uri, scratch);
    } catch (const Error& e) {
        std::fprintf(stderr, "yerbalis-bench: %s\n", e.what());
    }
    return rc;
}
