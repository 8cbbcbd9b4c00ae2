// yerbalis-bench: measures the table cursor on a 1,000,000-record reference
// table and the same statements issued straight through SQLite, so that the
// ratio shows the cursor's own overhead.
//
// Output: one line per measure, "BENCH <name> <median> <unit>", and
// "RATIO <name> <ours/raw>" for the moves, locates and durable inserts; our
// rounds and the raw rounds alternate, so a busy moment moves both alike.
//
// yerbalis-bench --database URI [COUNT] measures the same on a PostgreSQL
// server instead (bench_pg.cpp), against libpq.

#include "bench/bench_support.h"
#include "shop/Sale.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

void benchStartup(int recordsPerTable);
int benchPostgres(const QString& uri, int count);

namespace {

using namespace yb::bench;

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void fill(const QString& path, int count)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "DROP INDEX records_order", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO records(yb_key, \"Producto Cosmetico\", \"Indicaciones\", \"Modo Empleo\") "
                       "VALUES(?1, ?2, ?3, ?4)",
                       -1, &st, nullptr);
    QRandomGenerator rng(42);
    for (int i = 0; i < count; ++i) {
        const QString key = makeKey(rng, i);
        const QByteArray k8 = key.toUtf8();
        const QByteArray sk = yb::compactSortKeyUtf8(k8.constData(), k8.size());
        sqlite3_bind_blob(st, 1, sk.constData(), int(sk.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, k8.constData(), int(k8.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, "Aplicar sobre la piel limpia dos veces al día.", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 4, "Masajear suavemente hasta su completa absorción.", -1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "CREATE INDEX records_order ON records(yb_key, yb_id)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char** argv)
{
    // The start-up measure builds the screens; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --database URI [COUNT]: the same measures on a PostgreSQL server.
    if (argc > 2 && qstrcmp(argv[1], "--database") == 0)
        return benchPostgres(QString::fromLocal8Bit(argv[2]), argc > 3 ? std::max(1000, std::atoi(argv[3])) : 100000);
    int count = 1000000;
    if (argc > 1)
        count = std::max(1000, std::atoi(argv[1]));
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/db");
    yb::Database::createTables(dir);
    yb::Database::setDirectory(dir);
    const QString path = yb::Database::tablePath(dir, QStringLiteral("Cosmetic.DB"));
    QElapsedTimer build;
    build.start();
    fill(path, count);
    // Let the kernel write the freshly built file out first, so that the
    // durable posts below are not measured while it flushes 150 MB.
    ::sync();
    std::printf("# %d records built in %.1f s\n", count, build.elapsed() / 1000.0);

    const long rssBefore = rssKb();
    std::vector<double> opens;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        yb::TableCursor c(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
        c.open();
        opens.push_back(t.nsecsElapsed() / 1e6);
    }
    report("open_ms", median(opens), "ms");

    yb::TableCursor cur(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
    cur.open();

    // The same statements straight through SQLite, on a connection of their
    // own; each measure takes a round of ours and a round of these in turn.
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const char* cols =
        "SELECT yb_id, yb_rev, yb_key, \"Producto Cosmetico\", \"Indicaciones\", \"Modo Empleo\" FROM records";
    auto prep = [&](const QByteArray& sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v3(db, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr);
        return st;
    };
    QByteArray curKey;
    qint64 curId = 0;
    auto readRow = [&](sqlite3_stmt* st) {
        curId = sqlite3_column_int64(st, 0);
        curKey = QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, 2)), sqlite3_column_bytes(st, 2));
        for (int c = 3; c < 6; ++c)
            (void)sqlite3_column_text(st, c);
    };
    sqlite3_stmt* first = prep(QByteArray(cols) + " ORDER BY yb_key, yb_id LIMIT 1");
    sqlite3_stmt* nextSt = prep(QByteArray(cols) + " WHERE (yb_key, yb_id) > (?1, ?2) ORDER BY yb_key, yb_id LIMIT 1");
    sqlite3_stmt* priorSt =
        prep(QByteArray(cols) + " WHERE (yb_key, yb_id) < (?1, ?2) ORDER BY yb_key DESC, yb_id DESC LIMIT 1");
    sqlite3_stmt* rangeSt = prep(QByteArray(cols) + " WHERE yb_key >= ?1 AND yb_key < ?2 ORDER BY yb_key, yb_id");
    auto step = [&](sqlite3_stmt* st, bool bindPlace) {
        if (bindPlace) {
            sqlite3_bind_blob(st, 1, curKey.constData(), int(curKey.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 2, curId);
        }
        if (sqlite3_step(st) == SQLITE_ROW)
            readRow(st);
        sqlite3_reset(st);
    };
    auto rawRange = [&](const QString& prefix) {
        const QByteArray lo = yb::compactSortKey(yb::sortKeyPrefix(prefix));
        QByteArray hi = lo;
        hi.append(char(0xFF));
        sqlite3_bind_blob(rangeSt, 1, lo.constData(), int(lo.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(rangeSt, 2, hi.constData(), int(hi.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(rangeSt) == SQLITE_ROW) {
            const QString k = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(rangeSt, 3)));
            if (k.startsWith(prefix)) {
                readRow(rangeSt);
                break;
            }
        }
        sqlite3_reset(rangeSt);
    };

    const auto [firstUs, rawFirst] = interleaved(
        21, 200, [&] { cur.first(); }, [&] { step(first, false); });
    report("first_us", firstUs, "us");

    cur.first();
    step(first, false);
    // All the rounds of moves stay inside the table, also on a small one.
    const int moves = std::min(2000, count / 50);
    const auto [nextUs, rawNext] = interleaved(
        21, moves, [&] { cur.next(); }, [&] { step(nextSt, true); });
    report("next_us", nextUs, "us");
    const auto [priorUs, rawPrior] = interleaved(
        21, moves, [&] { cur.prior(); }, [&] { step(priorSt, true); });
    report("prior_us", priorUs, "us");

    // Prefixes of existing keys, searched case-sensitively through the index.
    const std::vector<QString> prefixes = samplePrefixes();
    size_t ourPrefix = 0, rawPrefix = 0;
    const auto [locUs, rawLoc] = interleaved(
        21, 200,
        [&] {
            cur.setKey();
            cur.locate(QStringLiteral("Producto Cosmetico"), prefixes[ourPrefix++ % prefixes.size()], yb::PartialKey);
        },
        [&] { rawRange(prefixes[rawPrefix++ % prefixes.size()]); });
    report("locate_prefix_us", locUs, "us");
    const auto [missUs, rawMiss] = interleaved(
        21, 200,
        [&] {
            cur.setKey();
            cur.locate(QStringLiteral("Producto Cosmetico"), QStringLiteral("Zzzqx"), yb::PartialKey);
        },
        [&] { rawRange(QStringLiteral("Zzzqx")); });
    report("locate_miss_us", missUs, "us");

    // Walk a long stretch of the table: memory must not grow with it.
    cur.first();
    for (int i = 0; i < 200000 && !cur.eof(); ++i)
        cur.next();
    const long rssAfterWalk = rssKb();

    // A durable insert and commit: a post, and the same straight through SQLite.
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_stmt* insSt = prep("INSERT INTO records(yb_key, \"Producto Cosmetico\") VALUES(?1, ?2)");
    int ourInsert = 0, rawInsert = 0;
    const auto [insUs, rawInsUs] = interleaved(
        30, 1, [&] { postNewCosmetic(cur, ourInsert++); },
        [&] {
            const QString key = QStringLiteral("Raw %1").arg(rawInsert++);
            const QByteArray k8 = key.toUtf8(), sk = yb::compactSortKeyUtf8(k8.constData(), k8.size());
            sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            sqlite3_bind_blob(insSt, 1, sk.constData(), int(sk.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insSt, 2, k8.constData(), int(k8.size()), SQLITE_TRANSIENT);
            sqlite3_step(insSt);
            sqlite3_reset(insSt);
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        });
    report("post_insert_ms", insUs / 1000.0, "ms");
    benchEdits(cur, 30);
    report("rss_growth_mb", (rssAfterWalk - rssBefore) / 1024.0, "MB");

    for (sqlite3_stmt* st : {first, nextSt, priorSt, rangeSt, insSt})
        sqlite3_finalize(st);
    sqlite3_close(db);
    report("raw_first_us", rawFirst, "us");
    report("raw_next_us", rawNext, "us");
    report("raw_prior_us", rawPrior, "us");
    report("raw_locate_prefix_us", rawLoc, "us");
    report("raw_locate_miss_us", rawMiss, "us");
    report("raw_post_insert_ms", rawInsUs / 1000.0, "ms");

    benchSaleRecording();
    printRatios({{"first", firstUs, rawFirst},
                 {"next", nextUs, rawNext},
                 {"prior", priorUs, rawPrior},
                 {"locate_prefix", locUs, rawLoc},
                 {"locate_miss", missUs, rawMiss},
                 {"post_insert", insUs, rawInsUs}});
    benchStartup(100000);
    return 0;
}
