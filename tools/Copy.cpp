#include "tools/Copy.h"

#include "tools/Progress.h"
#include "tools/TableTransfer.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Engine.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"
#include "store/SortKey.h"
#include "store/TableCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Copy)
};

// Every table of the catalogue must be in the database copied from.
std::unique_ptr<Engine> openSource(const QString& from)
{
    if (!isServerLocation(from) && !QFileInfo(from).isDir())
        throw Error(Text::tr("the database directory %1 does not exist").arg(Database::shownLocation(from)));
    std::unique_ptr<Engine> source = Database::open(from);
    QStringList missing;
    for (const TableDef& t : tables())
        if (!source->hasTable(t))
            missing << t.fileName;
    if (!missing.isEmpty())
        throw Error(Text::tr("%1 lacks the tables %2; run 'yerbalis-admin check' on it")
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
            filled << QStringLiteral("%1 (%2)").arg(t.fileName, counted(n, "record", "records"));
    }
    if (!filled.isEmpty())
        throw Error(Text::tr("%1 already holds data: %2. The copy only fills a new or empty database, so that "
                             "no record is mixed or lost")
                        .arg(Database::shownLocation(dest.location()), filled.join(QStringLiteral(", "))));
}

// The records of every table of `source` into the empty tables of `dest`.
QList<CopiedTable> copyRecords(Engine& source, Engine& dest, bool oneTransaction, Progress* progress)
{
    if (!progress)
        return copyTables(source, dest, oneTransaction);
    return copyTables(
        source, dest, oneTransaction,
        [progress](qint64 done, qint64 total) {
            progress->setTotal(total);
            progress->update(done);
        },
        [progress](const TableDef& t) { progress->setLabel(Text::tr("Copying %1").arg(t.fileName)); });
}

} // namespace

QList<CopiedTable> copyDatabase(const QString& from, const QString& to, Progress* progress)
{
    std::unique_ptr<Engine> source = openSource(from);
    if (from == to ||
        (!isServerLocation(from) && !isServerLocation(to) && QFileInfo::exists(to) &&
         QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath()))
        throw Error(Text::tr("%1 cannot be copied onto itself").arg(Database::shownLocation(from)));

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
        throw Error(Text::tr("%1 is not a directory").arg(QDir::toNativeSeparators(to)));
    const bool empty = info.exists() &&
        QDir(to).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
    if (info.exists() && !empty) {
        std::unique_ptr<Engine> dest = Database::open(to);
        QStringList missing;
        for (const TableDef& t : tables())
            if (!dest->hasTable(t))
                missing << t.fileName;
        if (!missing.isEmpty())
            throw Error(Text::tr("%1 is not empty and is not a database of this program (it lacks %2); name a "
                                 "new or empty directory")
                            .arg(Database::shownLocation(to), missing.join(QStringLiteral(", "))));
        requireEmpty(*dest);
        return copyRecords(*source, *dest, false, progress);
    }
    const QString parent = QFileInfo(QDir::cleanPath(QFileInfo(to).absoluteFilePath())).absolutePath();
    if (!makePrivateDirectory(parent))
        throw Error(Text::tr("cannot create the directory %1").arg(QDir::toNativeSeparators(parent)));
    QTemporaryDir stage(parent + QStringLiteral("/.yerbalis-copy-XXXXXX"));
    if (!stage.isValid())
        throw Error(Text::tr("cannot write in %1: %2").arg(QDir::toNativeSeparators(parent), stage.errorString()));
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
        throw Error(Text::tr("cannot replace the empty directory %1").arg(QDir::toNativeSeparators(to)));
    if (!QDir().rename(stage.path(), to)) {
        if (empty)
            QDir().mkdir(to);
        throw Error(Text::tr("cannot move the copy into %1").arg(QDir::toNativeSeparators(to)));
    }
    stage.setAutoRemove(false);
    return result;
}

} // namespace yb::admin
