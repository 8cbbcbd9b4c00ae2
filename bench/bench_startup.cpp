// Start-up measure of yerbalis-bench: creating all twenty-five screens and
// opening their seventeen cursors on a database with many records in every table.

#include "app/Registry.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/SortKey.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// Fills one table with `count` records of plausible size, in one bulk insert.
void fillTable(yb::Engine& engine, const yb::TableDef& t, int count)
{
    const std::unique_ptr<yb::EngineTable> table = engine.openTable(t);
    const std::unique_ptr<yb::BulkInsert> bulk = table->bulkInsert(false);
    const QDateTime start(QDate(2026, 1, 1), QTime(9, 0));
    for (int r = 0; r < count; ++r) {
        QVariantList values;
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
            case yb::FieldType::Integer: v = r + 1; break;
            case yb::FieldType::SmallInt: v = 1; break;
            case yb::FieldType::DateTime: v = start.addSecs(r); break;
            }
            if (f.name == t.keyField)
                key = v;
            values << v;
        }
        bulk->add(values, t.hasKey() ? yb::sortKey(key.toString()) : QByteArray(), r);
    }
    bulk->commit();
}

} // namespace

// Prints "BENCH startup_ms <median> ms": the screens created and destroyed five times.
void benchStartup(int recordsPerTable)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/db");
    yb::Database::createTables(dir);
    const std::unique_ptr<yb::Engine> engine = yb::Database::open(dir);
    for (const yb::TableDef& t : yb::tables())
        fillTable(*engine, t, recordsPerTable);
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
