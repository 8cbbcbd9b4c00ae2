#include "tools/Backup.h"

#include "tools/TableTransfer.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "tools/Progress.h"
#include "store/TableFile.h"
#include "tools/TableTransfer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <vector>

namespace yb::admin {

namespace {

struct Source {
    const TableDef* table = nullptr;
    sqlite3* db = nullptr;
    qint64 records = 0;
    int pages = 0;
};

qint64 single(sqlite3* db, const char* sql, const QString& table)
{
    sqlite3_stmt* st = nullptr;
    qint64 v = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int64(st, 0);
    const bool ok = v >= 0;
    const QString msg = file::lastError(db);
    sqlite3_finalize(st);
    if (!ok)
        throw EngineError(QStringLiteral("cannot read table %1: %2").arg(table, msg));
    return v;
}

} // namespace

BackupResult backupDatabase(const QString& dir, const QString& dest, Progress* progress)
{
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(QDir::toNativeSeparators(dir)));
    const QFileInfo destInfo(dest);
    if (destInfo.exists() && !destInfo.isDir())
        throw Error(QStringLiteral("%1 exists and is not a directory").arg(QDir::toNativeSeparators(dest)));
    if (destInfo.exists() && destInfo.canonicalFilePath() == QFileInfo(dir).canonicalFilePath())
        throw Error(QStringLiteral("the backup must go to another directory than the database"));
    for (const TableDef& t : tables())
        if (QFileInfo::exists(Database::tablePath(dest, t.fileName)))
            throw Error(QStringLiteral("%1 already holds a table (%2); back up into a new or empty directory")
                            .arg(QDir::toNativeSeparators(dest), t.fileName));
    const bool destExisted = destInfo.exists();
    if (!QDir().mkpath(dest))
        throw Error(QStringLiteral("cannot create the directory %1").arg(QDir::toNativeSeparators(dest)));

    std::vector<Source> sources;
    QStringList written; // files of ours in dest, removed again on failure
    auto cleanUp = [&] {
        for (Source& s : sources)
            file::close(s.db);
        sources.clear();
    };
    try {
        // Open every table and start a read transaction on each before copying
        // any: the copies then show the tables as they were at one moment,
        // whatever the program writes meanwhile.
        for (const TableDef& t : tables()) {
            Source s;
            s.table = &t;
            s.db = file::open(Database::tablePath(dir, t.fileName), t, true);
            sources.push_back(s);
        }
        int totalPages = 0;
        for (Source& s : sources) {
            file::exec(s.db, "BEGIN");
            s.records = single(s.db, "SELECT count(*) FROM records", s.table->fileName);
            s.pages = int(single(s.db, "PRAGMA page_count", s.table->fileName));
            totalPages += s.pages;
        }
        if (progress)
            progress->setTotal(totalPages);

        BackupResult result;
        int pagesDone = 0;
        for (Source& s : sources) {
            const QString target = QDir(dest).filePath(s.table->fileName);
            const QString part = target + QStringLiteral(".part");
            QFile::remove(part);
            written << part;
            sqlite3* out = nullptr;
            int rc = sqlite3_open_v2(QFile::encodeName(part).constData(), &out,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
            if (rc != SQLITE_OK) {
                const QString msg = out ? file::lastError(out) : QString::fromUtf8(sqlite3_errstr(rc));
                sqlite3_close_v2(out);
                throw EngineError(QStringLiteral("cannot create %1: %2").arg(QDir::toNativeSeparators(part), msg), rc);
            }
            sqlite3_backup* b = sqlite3_backup_init(out, "main", s.db, "main");
            if (!b) {
                const QString msg = file::lastError(out);
                sqlite3_close_v2(out);
                throw EngineError(QStringLiteral("cannot copy table %1: %2").arg(s.table->fileName, msg));
            }
            do {
                rc = sqlite3_backup_step(b, 1024);
                if (progress)
                    progress->update(pagesDone + (sqlite3_backup_pagecount(b) - sqlite3_backup_remaining(b)));
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(b);
            rc = sqlite3_errcode(out);
            const QString msg = file::lastError(out);
            sqlite3_close_v2(out);
            if (rc != SQLITE_OK)
                throw EngineError(QStringLiteral("cannot copy table %1: %2").arg(s.table->fileName, msg), rc);
            pagesDone += s.pages;

            // The copy must hold the records of the moment copied.
            {
                sqlite3* check = file::open(part, *s.table, true);
                qint64 n = -1;
                try {
                    n = single(check, "SELECT count(*) FROM records", s.table->fileName);
                } catch (...) {
                    file::close(check);
                    throw;
                }
                file::close(check);
                if (n != s.records)
                    throw Error(QStringLiteral("the copy of %1 has %2 instead of %3")
                                    .arg(s.table->fileName, counted(n, "record", "records"))
                                    .arg(s.records));
            }
            QFile::remove(part + QStringLiteral("-wal"));
            QFile::remove(part + QStringLiteral("-shm"));
            if (!QFile::rename(part, target))
                throw Error(QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(target)));
            written.removeOne(part);
            written << target;
            ++result.tables;
            result.records += s.records;
            result.bytes += QFileInfo(target).size();
        }
        for (Source& s : sources)
            sqlite3_exec(s.db, "COMMIT", nullptr, nullptr, nullptr);
        cleanUp();

        // The whole copy, checked as `check` checks a database directory.
        QStringList problems;
        if (progress)
            progress->setLabel(QStringLiteral("Checking the copy"));
        for (const TableDef& t : tables()) {
            const QString path = Database::tablePath(dest, t.fileName);
            problems += progress ? progress->during(totalPages, [&] { return Database::checkTable(path, t); })
                                 : Database::checkTable(path, t);
        }
        if (!problems.isEmpty())
            throw Error(QStringLiteral("the backup does not pass the check: %1").arg(problems.join(QStringLiteral("; "))));
        return result;
    } catch (...) {
        cleanUp();
        for (const QString& f : written) {
            QFile::remove(f);
            QFile::remove(f + QStringLiteral("-wal"));
            QFile::remove(f + QStringLiteral("-shm"));
        }
        if (!destExisted)
            QDir().rmdir(dest); // only when nothing else was put there meanwhile
        throw;
    }
}

} // namespace yb::admin
