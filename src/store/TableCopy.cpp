#include "store/TableCopy.h"

#include "store/PrivateFiles.h"

#include "store/SortKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};
} // namespace

QList<CopiedTable> copyTables(Engine& from, Engine& to, bool oneTransaction, const ProgressFunction& progress,
                              const std::function<void(const TableDef&)>& starting)
{
    struct Job {
        const TableDef* table;
        EngineTable* from;
        std::unique_ptr<EngineTable> to;
        std::unique_ptr<BulkInsert> bulk;
        qint64 records = 0;
    };
    // Every table as it was at one moment, whatever others write meanwhile.
    const std::unique_ptr<Snapshot> snapshot = from.snapshot();
    std::vector<Job> jobs;
    qint64 total = 0;
    for (qsizetype i = 0; i < tables().size(); ++i) {
        Job job{&tables()[i], snapshot->tables[size_t(i)].get(), to.openTable(tables()[i]), nullptr, 0};
        total += job.from->count();
        jobs.push_back(std::move(job));
    }
    if (progress)
        progress(0, total);
    std::unique_ptr<Transaction> all;
    if (oneTransaction)
        all = std::make_unique<Transaction>(*jobs.front().to);

    qint64 done = 0;
    for (Job& job : jobs) {
        const TableDef& t = *job.table;
        Columns columns;
        for (int i = 0; i < t.fields.size(); ++i)
            columns << i;
        const int keyIndex = t.hasKey() ? int(t.field(t.keyField) - t.fields.constData()) : -1;
        if (starting)
            starting(t);
        try {
            job.bulk = job.to->bulkInsert(false);
            // In the table's own order: new ids keep the order of the records,
            // and records with equal keys keep theirs.
            job.from->scan(columns, RecordOrder::Table, [&](const StoredRecord& r) {
                const QVariant& key = keyIndex >= 0 ? r.values[keyIndex] : QVariant();
                job.bulk->add(r.values, key.isNull() ? QByteArray() : sortKey(key.toString()), ++job.records);
                if (progress)
                    progress(++done, total);
                return true;
            });
            job.bulk->flush();
        } catch (const BulkRefusal& e) {
            throw Error(
                Text::tr("cannot copy %1: record %2 is refused: %3").arg(t.fileName).arg(e.tag()).arg(e.message()));
        } catch (const Error& e) {
            throw Error(Text::tr("cannot copy %1: %2").arg(t.fileName, e.message()));
        }
    }

    QList<CopiedTable> result;
    size_t committed = 0;
    try {
        for (; committed < jobs.size(); ++committed) {
            const qint64 written = jobs[committed].bulk->commit();
            jobs[committed].bulk.reset();
            if (written != jobs[committed].records)
                throw Error(Text::tr("%1 of %2 records were written").arg(written).arg(jobs[committed].records));
            result << CopiedTable{jobs[committed].table->fileName, written};
        }
        if (all)
            all->commit();
    } catch (const Error& e) {
        const QString table = jobs[std::min(committed, jobs.size() - 1)].table->fileName;
        for (Job& job : jobs)
            job.bulk.reset();
        if (!all) {
            for (size_t i = 0; i < committed; ++i)
                jobs[i].to->clear();
        }
        throw Error(Text::tr("cannot copy %1: %2").arg(table, e.message()));
    }
    // Read back: the copy holds what was read, table by table.
    for (size_t i = 0; i < jobs.size(); ++i) {
        const qint64 n = jobs[i].to->count();
        if (n != result[int(i)].records)
            throw Error(Text::tr("the copy of %1 holds %2 records instead of %3")
                            .arg(jobs[i].table->fileName)
                            .arg(n)
                            .arg(result[int(i)].records));
    }
    return result;
}

QList<BackupTableResult> Engine::backup(const QString& destination, const ProgressFunction& progress)
{
    const QString shown = QDir::toNativeSeparators(destination);
    QString madeDirectory; // removed again on failure when the backup made it
    try {
        if (isServerLocation(destination))
            throw EngineError(Text::tr("a backup goes into a directory"));
        if (QFileInfo::exists(destination)) {
            if (!QFileInfo(destination).isDir())
                throw EngineError(Text::tr("%1 is not a directory").arg(shown));
            const std::unique_ptr<Engine> there = openEngine(destination);
            for (const TableDef& t : tables())
                if (there->hasTable(t))
                    throw EngineError(Text::tr("the directory %1 already holds the table %2").arg(shown, t.fileName));
        } else {
            if (!makePrivateDirectory(destination))
                throw EngineError(Text::tr("cannot create the directory %1").arg(shown));
            madeDirectory = destination;
        }
        // Written in a directory of its own inside the destination and moved
        // into place at the end, so that a failed backup leaves nothing there.
        QTemporaryDir stage(QDir(destination).filePath(QStringLiteral(".yerbalis-backup-XXXXXX")));
        if (!stage.isValid())
            throw EngineError(Text::tr("cannot write in %1: %2").arg(shown, stage.errorString()));
        QList<CopiedTable> copied;
        {
            const std::unique_ptr<Engine> copy = openEngine(stage.path());
            copy->createTables();
            copied = copyTables(*this, *copy, false, progress);
        }
        const QStringList files = QDir(stage.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        QStringList moved;
        for (const QString& f : files) {
            if (!QFile::rename(QDir(stage.path()).filePath(f), QDir(destination).filePath(f))) {
                for (const QString& m : std::as_const(moved))
                    QFile::remove(QDir(destination).filePath(m));
                throw EngineError(Text::tr("cannot move %1 into %2").arg(f, shown));
            }
            moved << f;
        }
        const std::unique_ptr<Engine> backup = openEngine(destination);
        QList<BackupTableResult> results;
        for (const CopiedTable& c : std::as_const(copied))
            results << BackupTableResult{c.table, c.records, QFileInfo(backup->tableLocation(c.table)).size()};
        return results;
    } catch (const Error& e) {
        if (!madeDirectory.isEmpty())
            QDir().rmdir(madeDirectory); // only when nothing else was put there meanwhile
        const EngineError* engine = dynamic_cast<const EngineError*>(&e);
        throw EngineError(Text::tr("Cannot back up the %1 database %2: %3").arg(name(), location(), e.message()),
                          engine ? engine->code() : 0);
    }
}

} // namespace yb
