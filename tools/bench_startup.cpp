// Start-up measure of yerbalis-bench: creating all twenty-five screens and
// opening their seventeen cursors on a database with many records in every table.

#include "store/Catalogue.h"
#include "store/Database.h"
#include "app/Registry.h"
#include "store/SortKey.h"
#include "store/TableFile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace {

// Fills one table with `count` records of plausible size, straight through SQLite.
void fillTable(const QString& path, const yb::TableDef& t, int count)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    QString cols = QStringLiteral("yb_sortkey");
    QString params = QStringLiteral("?1");
    for (int i = 0; i < t.fields.size(); ++i) {
        cols += QStringLiteral(", ") + yb::file::quote(t.fields[i].name);
        params += QStringLiteral(", ?%1").arg(i + 2);
    }
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, QStringLiteral("INSERT INTO records(%1) VALUES(%2)").arg(cols, params).toUtf8().constData(), -1,
                       &st, nullptr);
    const QDateTime start(QDate(2026, 1, 1), QTime(9, 0));
    for (int r = 0; r < count; ++r) {
        QVariant key;
        for (int i = 0; i < t.fields.size(); ++i) {
            const yb::FieldDef& f = t.fields[i];
            QVariant v;
            switch (f.type) {
            case yb::FieldType::Text:
                v = QStringLiteral("Registro %1 de %2").arg(r).arg(t.fileName).left(f.size);
                break;
            case yb::FieldType::Memo:
                v = QStringLiteral("Texto de ejemplo del registro %1, con varias palabras.").arg(r);
                break;
            case yb::FieldType::Integer:
                v = r + 1;
                break;
            case yb::FieldType::SmallInt:
                v = 1;
                break;
            case yb::FieldType::DateTime:
                v = start.addSecs(r);
                break;
            }
            if (f.name == t.keyField)
                key = v;
            yb::file::bind(st, i + 2, v, f.type);
        }
        const QByteArray sk = t.hasKey() ? yb::file::keyFor(key) : QByteArray("");
        sqlite3_bind_blob(st, 1, sk.constData(), int(sk.size()), SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

// Prints "BENCH startup_ms <median> ms": the screens created and destroyed five times.
void benchStartup(int recordsPerTable)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/db");
    yb::Database::createTables(dir);
    for (const yb::TableDef& t : yb::tables())
        fillTable(yb::Database::tablePath(dir, t.fileName), t, recordsPerTable);
    ::sync();
    yb::Database::setDirectory(dir);
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        yb::StartupFailure failure;
        if (!yb::createScreens(&failure)) {
            std::printf("# start-up failed: %s\n", failure.message.toLocal8Bit().constData());
            return;
        }
        times.push_back(t.nsecsElapsed() / 1e6);
        yb::destroyScreens();
    }
    std::sort(times.begin(), times.end());
    std::printf("# %d records in each of the %d tables\n", recordsPerTable, int(yb::tables().size()));
    std::printf("BENCH startup_ms %.3f ms\n", times[times.size() / 2]);
    std::fflush(stdout);
}
