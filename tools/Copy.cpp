#include "tools/Copy.h"

#include "tools/Progress.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Engine.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"
#include "store/SortKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace yb::admin {

namespace {

// Every table of the catalogue must be in the database copied from.
std::unique_ptr<Engine> openSource(const QString& from)
{
    if (!isServerLocation(from) && !QFileInfo(from).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(Database::shownLocation(from)));
    std::unique_ptr<Engine> source = Database::open(from);
    QStringList missing;
    for (const TableDef& t : tables())
        if (!source->hasTable(t))
            missing << t.fileName;
    if (!missing.isEmpty())
        throw Error(QStringLiteral("%1 lacks the tables %2; run 'yerbalis-admin check' on it")
                        .arg(Database::shownLocation(from), missing.join(QStringLiteral(", "))));
    return source;
}

// Refuses a destination that holds records in any table.
void requireEmpty(Engine& dest)
{
    QStringList filled;
    for (const TableDef& t : tables()) {
        if (!dest.hasTable(t))
            continue;
        const qint64 n = dest.openTable(t, true)->count();
        if (n > 0)
            filled << QStringLiteral("%1 (%2 records)").arg(t.fileName).arg(n);
    }
    if (!filled.isEmpty())
        throw Error(QStringLiteral("%1 already holds data: %2. The copy only fills a new or empty database, so that "
                                   "no record is mixed or lost")
                        .arg(Database::shownLocation(dest.location()), filled.join(QStringLiteral(", "))));
}

// The records of every table of `source` into the empty tables of `dest`.
// Each table is written by one bulk insert; all of them are committed at the
// end, and should one commit fail the tables already committed are emptied
// again. On a server every table shares one connection, so one transaction
// around the whole copy makes it all or nothing by itself.
QList<CopiedTable> copyRecords(Engine& source, Engine& dest, bool oneTransaction, Progress* progress)
{
    struct Job {
        const TableDef* table;
        std::unique_ptr<EngineTable> from, to;
        std::unique_ptr<BulkInsert> bulk;
        qint64 records = 0;
    };
    std::vector<Job> jobs;
    qint64 total = 0;
    for (const TableDef& t : tables()) {
        Job job{&t, source.openTable(t, true), dest.openTable(t), nullptr, 0};
        total += job.from->count();
        jobs.push_back(std::move(job));
    }
    if (progress)
        progress->setTotal(total);
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
        if (progress)
            progress->setLabel(QStringLiteral("Copying %1").arg(t.fileName));
        try {
            job.bulk = job.to->bulkInsert(false);
            // In the table's own order: new ids keep the order of the records,
            // and records with equal keys keep theirs.
            job.from->scan(columns, RecordOrder::Table, [&](const StoredRecord& r) {
                const QVariant& key = keyIndex >= 0 ? r.values[keyIndex] : QVariant();
                job.bulk->add(r.values, key.isNull() ? QByteArray() : sortKey(key.toString()), ++job.records);
                if (progress)
                    progress->update(++done);
                return true;
            });
            job.bulk->flush();
        } catch (const BulkRefusal& e) {
            throw Error(QStringLiteral("cannot copy %1: record %2 is refused: %3")
                            .arg(t.fileName)
                            .arg(e.tag())
                            .arg(e.message()));
        } catch (const Error& e) {
            throw Error(QStringLiteral("cannot copy %1: %2").arg(t.fileName, e.message()));
        }
    }

    QList<CopiedTable> result;
    size_t committed = 0;
    try {
        for (; committed < jobs.size(); ++committed) {
            const qint64 written = jobs[committed].bulk->commit();
            jobs[committed].bulk.reset();
            if (written != jobs[committed].records)
                throw Error(QStringLiteral("%1 of %2 records were written").arg(written).arg(jobs[committed].records));
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
        throw Error(QStringLiteral("cannot copy %1: %2").arg(table, e.message()));
    }
    // Read back: the copy holds what was read, table by table.
    for (size_t i = 0; i < jobs.size(); ++i) {
        const qint64 n = jobs[i].to->count();
        if (n != result[int(i)].records)
            throw Error(QStringLiteral("the copy of %1 holds %2 records instead of %3")
                            .arg(jobs[i].table->fileName)
                            .arg(n)
                            .arg(result[int(i)].records));
    }
    return result;
}

} // namespace

QList<CopiedTable> copyDatabase(const QString& from, const QString& to, Progress* progress)
{
    std::unique_ptr<Engine> source = openSource(from);
    if (from == to ||
        (!isServerLocation(from) && !isServerLocation(to) && QFileInfo::exists(to) &&
         QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath()))
        throw Error(QStringLiteral("%1 cannot be copied onto itself").arg(Database::shownLocation(from)));

    if (isServerLocation(to)) {
        std::unique_ptr<Engine> dest = Database::open(to);
        requireEmpty(*dest);
        dest->createTables();
        return copyRecords(*source, *dest, true, progress);
    }

    // A directory: a new or empty one is built beside its place and renamed
    // into it at the end, so a failed copy leaves nothing behind; one that
    // holds the fourteen empty tables is filled in place.
    const QFileInfo info(to);
    if (info.exists() && !info.isDir())
        throw Error(QStringLiteral("%1 is not a directory").arg(QDir::toNativeSeparators(to)));
    const bool empty = info.exists() &&
        QDir(to).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
    if (info.exists() && !empty) {
        std::unique_ptr<Engine> dest = Database::open(to);
        QStringList missing;
        for (const TableDef& t : tables())
            if (!dest->hasTable(t))
                missing << t.fileName;
        if (!missing.isEmpty())
            throw Error(QStringLiteral("%1 is not empty and is not a database of this program (it lacks %2); name a "
                                       "new or empty directory")
                            .arg(Database::shownLocation(to), missing.join(QStringLiteral(", "))));
        requireEmpty(*dest);
        return copyRecords(*source, *dest, false, progress);
    }
    const QString parent = QFileInfo(QDir::cleanPath(QFileInfo(to).absoluteFilePath())).absolutePath();
    if (!makePrivateDirectory(parent))
        throw Error(QStringLiteral("cannot create the directory %1").arg(QDir::toNativeSeparators(parent)));
    QTemporaryDir stage(parent + QStringLiteral("/.yerbalis-copy-XXXXXX"));
    if (!stage.isValid())
        throw Error(
            QStringLiteral("cannot write in %1: %2").arg(QDir::toNativeSeparators(parent), stage.errorString()));
    QList<CopiedTable> result;
    {
        std::unique_ptr<Engine> dest = Database::open(stage.path());
        dest->createTables();
        result = copyRecords(*source, *dest, false, progress);
    }
    // The copy is built private (0700); an empty directory it replaces keeps its own permissions.
    if (empty)
        QFile::setPermissions(stage.path(), info.permissions());
    if (empty && !QDir().rmdir(to))
        throw Error(QStringLiteral("cannot replace the empty directory %1").arg(QDir::toNativeSeparators(to)));
    if (!QDir().rename(stage.path(), to)) {
        if (empty)
            QDir().mkdir(to);
        throw Error(QStringLiteral("cannot move the copy into %1").arg(QDir::toNativeSeparators(to)));
    }
    stage.setAutoRemove(false);
    return result;
}

} // namespace yb::admin
