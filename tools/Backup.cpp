#include "tools/Backup.h"

#include "tools/TableTransfer.h"

#include "tools/Progress.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace yb::admin {

namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Backup)
};
} // namespace

BackupResult backupDatabase(const QString& dir, const QString& dest, Progress* progress)
{
    if (!isServerLocation(dir) && !QFileInfo(dir).isDir())
        throw Error(Text::tr("the database directory %1 does not exist").arg(Database::shownLocation(dir)));
    if (isServerLocation(dest))
        throw Error(Text::tr("a backup goes into a directory of table files; to fill a server, use 'copy'"));
    const QFileInfo destInfo(dest);
    if (destInfo.exists() && !destInfo.isDir())
        throw Error(Text::tr("%1 exists and is not a directory").arg(QDir::toNativeSeparators(dest)));
    if (destInfo.exists() && destInfo.canonicalFilePath() == QFileInfo(dir).canonicalFilePath())
        throw Error(Text::tr("the backup must go to another directory than the database"));
    for (const TableDef& t : tables())
        if (QFileInfo::exists(Database::tablePath(dest, t.fileName)))
            throw Error(Text::tr("%1 already holds a table (%2); back up into a new or empty directory")
                            .arg(QDir::toNativeSeparators(dest), t.fileName));
    const bool destExisted = destInfo.exists();
    if (!makePrivateDirectory(dest))
        throw Error(Text::tr("cannot create the directory %1").arg(QDir::toNativeSeparators(dest)));

    QStringList written; // files of ours in dest, removed again on failure
    try {
        // The engine copies every table as it was at one moment, whatever the
        // program writes meanwhile.
        const std::unique_ptr<Engine> engine = Database::open(dir);
        qint64 total = 0;
        const QList<BackupTableResult> copied = engine->backup(dest, [&](qint64 done, qint64 all) {
            if (!progress)
                return;
            if (all != total)
                progress->setTotal(total = all);
            progress->update(done);
        });
        BackupResult result;
        for (const BackupTableResult& t : copied) {
            written << Database::tablePath(dest, t.table);
            ++result.tables;
            result.records += t.records;
            result.bytes += t.bytes;
        }

        // The whole copy, checked as `check` checks a database directory.
        QStringList problems;
        if (progress)
            progress->setLabel(Text::tr("Checking the copy"));
        const std::unique_ptr<Engine> copy = Database::open(dest);
        for (const TableDef& t : tables())
            problems += progress ? progress->during(total, [&] { return copy->checkTable(t); }) : copy->checkTable(t);
        if (!problems.isEmpty())
            throw Error(Text::tr("the backup does not pass the check: %1").arg(problems.join(QStringLiteral("; "))));
        return result;
    } catch (...) {
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
