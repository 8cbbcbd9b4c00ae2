#include "tools/Paradox.h"

#include "tools/Csv.h"
#include "tools/Progress.h"
#include "tools/TableTransfer.h"

#include "store/Database.h"
#include "store/Errors.h"
#include "store/PrivateFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <memory>
#include <vector>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Paradox)
};

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// A whole number as its digits (100000, never 1e+05), any other number in its
// shortest exact form.
QString shortestDouble(double d)
{
    if (!std::isfinite(d))
        return QString::number(d);
    if (d == 0)
        return QStringLiteral("0");
    char buf[400]; // the digits of the largest double and its sign
    const auto r = std::trunc(d) == d ? std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed)
                                      : std::to_chars(buf, buf + sizeof buf, d);
    return QString::fromLatin1(buf, r.ptr - buf);
}

// The old file of a table in `oldDir`, without regard to case; empty if none.
// Two spellings of one table (Producto.db and PRODUCTO.DB) stop the migration:
// which of them holds the shop's records is the owner's to say.
QString findOldFile(const QStringList& entries, const QDir& oldDir, const QString& fileName)
{
    QStringList found;
    for (const QString& e : entries)
        if (e.compare(fileName, Qt::CaseInsensitive) == 0)
            found << oldDir.filePath(e);
    if (found.size() > 1)
        throw Error(Text::tr("cannot migrate %1: the old directory holds %2 files for it, %3. Keep the one "
                             "with the shop's records and move the other away, then run the migration again")
                        .arg(fileName)
                        .arg(found.size())
                        .arg(native(found.join(Text::tr(" and ")))));
    return found.value(0);
}

qint64 recordsIn(const QString& dir, const TableDef& table)
{
    try {
        return Database::open(dir)->openTable(table, true)->count();
    } catch (const EngineError& e) {
        throw EngineError(Text::tr("cannot read table %1: %2").arg(table.fileName, e.message()), e.code());
    }
}

// How the database directory receives the records.
enum class Target {
    New,      // does not exist: built beside it and renamed into place
    Empty,    // an empty directory: the same, into its place
    Existing, // holds the fourteen tables, none with records: written in place
};

Target examineTarget(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.exists())
        return Target::New;
    if (!info.isDir())
        throw Error(Text::tr("%1 is not a directory").arg(Database::shownLocation(dir)));
    if (QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty())
        return Target::Empty;
    QStringList missing, filled;
    for (const TableDef& t : tables()) {
        const QString path = Database::tablePath(dir, t.fileName);
        if (!QFileInfo::exists(path)) {
            missing << t.fileName;
            continue;
        }
        const qint64 n = recordsIn(dir, t);
        if (n > 0)
            filled << QStringLiteral("%1 (%2)").arg(t.fileName, counted(n, "record", "records"));
    }
    if (!filled.isEmpty())
        throw Error(Text::tr("%1 already holds data: %2. The migration only fills a new or empty database, so "
                             "that no record is mixed or lost; name a new directory.")
                        .arg(Database::shownLocation(dir), filled.join(QStringLiteral(", "))));
    if (!missing.isEmpty())
        throw Error(Text::tr("%1 is not empty and is not a database of this program (it lacks %2); name a new "
                             "or empty directory")
                        .arg(Database::shownLocation(dir), missing.join(QStringLiteral(", "))));
    return Target::Existing;
}

// The store's import reports "row N (line M), field …"; the old table only has record numbers.
QString asRecordMessage(const QString& message)
{
    // The place as RecordWriter words it, in the language of the messages.
    QString place = QRegularExpression::escape(QCoreApplication::translate("TableTransfer", "row %1 (line %2)"));
    place.replace(QLatin1String("\\%1"), QLatin1String("(\\d+)")).replace(QLatin1String("\\%2"), QLatin1String("\\d+"));
    const QRegularExpression rowLine(QLatin1Char('^') + place);
    QString m = message;
    m.replace(rowLine, Text::tr("record %1").arg(QLatin1String("\\1")));
    return m;
}

// One table's migration: the old table, which of its fields feeds which column.
struct TableJob {
    const TableDef* table = nullptr;
    MigratedTable result;
    std::unique_ptr<paradox::Table> old;
    QStringList columns;     // catalogue names of the fields written
    std::vector<int> source; // for each column: the old table's field
};

TableJob prepareJob(const TableDef& t, const QString& oldPath, int codePage)
{
    TableJob job;
    job.table = &t;
    job.result.table = t.fileName;
    job.result.oldFile = oldPath;
    if (oldPath.isEmpty()) {
        job.result.notes << Text::tr("not found in the old directory: left empty");
        return job;
    }
    job.old = std::make_unique<paradox::Table>(oldPath, codePage);
    const paradox::Table& old = *job.old;
    std::vector<bool> used(size_t(old.fields().size()), false);
    for (const FieldDef& f : t.fields) {
        const int i = old.fieldIndex(f.name);
        if (i < 0) {
            if (f.required)
                throw Error(Text::tr("cannot migrate %1 from %2: the old table has no field '%3', which every "
                                     "record needs (its fields are %4)")
                                .arg(t.fileName, native(oldPath), f.name, [&] {
                                    QStringList names;
                                    for (const paradox::Field& of : old.fields())
                                        names << of.name;
                                    return names.join(QStringLiteral(", "));
                                }()));
            job.result.notes << Text::tr("field '%1' is not in the old table: left empty").arg(f.name);
            continue;
        }
        used[size_t(i)] = true;
        if (old.fields()[i].isSkipped()) {
            job.result.notes << Text::tr("field '%1' is a %2 field in the old table and holds no text: left empty")
                                    .arg(f.name, paradox::typeName(old.fields()[i].type));
            continue;
        }
        job.columns << f.name;
        job.source.push_back(i);
    }
    for (int i = 0; i < old.fields().size(); ++i)
        if (!used[size_t(i)])
            job.result.notes << Text::tr("field '%1' of the old table has no place in %2: left out")
                                    .arg(old.fields()[i].name, t.fileName);
    // A required field the old table holds only as a blob would be empty in every record.
    for (const FieldDef& f : t.fields)
        if (f.required && !job.columns.contains(f.name))
            throw Error(Text::tr("cannot migrate %1 from %2: the old field '%3' holds no text, and every record "
                                 "needs one")
                            .arg(t.fileName, native(oldPath), f.name));
    return job;
}

} // namespace

QString paradoxText(const paradox::Field& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case paradox::FieldType::Short:
    case paradox::FieldType::Long:
    case paradox::FieldType::AutoIncrement: return QString::number(value.toLongLong());
    case paradox::FieldType::Money:
    case paradox::FieldType::Number: return shortestDouble(value.toDouble());
    case paradox::FieldType::Logical: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case paradox::FieldType::Date: return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case paradox::FieldType::Time: {
        const QTime t = value.toTime();
        return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
    }
    case paradox::FieldType::Timestamp: return dateTimeCsv(value.toDateTime());
    default: return value.toString();
    }
}

qint64 paradoxToCsv(const QString& path, QIODevice* out, int codePage, Progress* progress, QStringList* notes,
                    bool guardFormulas)
{
    paradox::Table table(path, codePage);
    if (progress)
        progress->setTotal(table.recordCount());
    CsvWriter csv(out);
    csv.setFormulaGuard(guardFormulas);
    for (const paradox::Field& f : table.fields())
        csv.field(f.name.toUtf8());
    csv.endRecord();
    paradox::Record record;
    const auto& fields = table.fields();
    while (table.next(record)) {
        for (int i = 0; i < fields.size(); ++i) {
            const QByteArray value = paradoxText(fields[i], record[i]).toUtf8();
            // Texts as the export writes them: one that looks like a formula gets its apostrophe.
            const paradox::FieldType type = fields[i].type;
            if (type == paradox::FieldType::Alpha || type == paradox::FieldType::Memo ||
                type == paradox::FieldType::FormattedMemo)
                csv.text(value.constData(), value.size());
            else
                csv.field(value);
        }
        csv.endRecord();
        if (progress)
            progress->update(table.recordNumber());
    }
    csv.flush();
    if (notes)
        *notes = table.notes();
    return table.recordNumber();
}

QStringList missingOldTables(const QString& oldDir)
{
    const QDir old(oldDir);
    const QStringList entries = QFileInfo(oldDir).isDir() ? old.entryList(QDir::Files) : QStringList();
    QStringList missing;
    for (const TableDef& t : tables())
        if (!entries.isEmpty() && findOldFile(entries, old, t.fileName).isEmpty())
            missing << t.fileName;
    return missing;
}

MigrationResult migrateDatabase(const QString& oldDir, const QString& dir, bool dryRun, int codePage,
                                Progress* progress)
{
    if (isServerLocation(dir))
        throw Error(Text::tr("the migration writes a directory of table files: migrate into a new directory, "
                             "then bring it to %1 with 'yerbalis-admin copy DIR URI'")
                        .arg(Database::shownLocation(dir)));
    const QFileInfo oldInfo(oldDir);
    if (!oldInfo.isDir())
        throw Error(Text::tr("the old database directory %1 does not exist").arg(Database::shownLocation(oldDir)));
    if (QDir(oldDir).canonicalPath() == QDir(dir).canonicalPath() && QFileInfo::exists(dir))
        throw Error(
            Text::tr("the old and the new database directory are the same (%1)").arg(Database::shownLocation(dir)));
    const Target target = examineTarget(dir);

    // Every old table is opened, and its fields matched, before anything is written.
    const QDir old(oldDir);
    const QStringList entries = old.entryList(QDir::Files);
    std::vector<TableJob> jobs;
    qint64 total = 0;
    for (const TableDef& t : tables()) {
        jobs.push_back(prepareJob(t, findOldFile(entries, old, t.fileName), codePage));
        if (jobs.back().old)
            total += jobs.back().old->recordCount();
    }

    // A new database is built in a directory of its own and moved into place
    // at the end, so that a failure leaves nothing behind; so is a dry run,
    // in a directory that is then removed.
    std::unique_ptr<QTemporaryDir> stage;
    QString writeDir = dir;
    if (dryRun || target != Target::Existing) {
        if (dryRun) {
            stage = std::make_unique<QTemporaryDir>();
        } else {
            const QString parent = QFileInfo(QDir::cleanPath(QDir(dir).absolutePath())).absolutePath();
            if (!makePrivateDirectory(parent))
                throw Error(Text::tr("cannot create the directory %1").arg(native(parent)));
            stage = std::make_unique<QTemporaryDir>(parent + QStringLiteral("/.yerbalis-migrate-XXXXXX"));
        }
        if (!stage->isValid())
            throw Error(Text::tr("cannot create a working directory: %1").arg(stage->errorString()));
        writeDir = stage->path();
        Database::createTables(writeDir);
    }

    if (progress)
        progress->setTotal(total);
    qint64 done = 0;
    std::vector<std::unique_ptr<RecordWriter>> writers;
    for (TableJob& job : jobs) {
        const TableDef& t = *job.table;
        QStringList columns = job.columns;
        if (!job.old)
            for (const FieldDef& f : t.fields)
                columns << f.name; // nothing to write; the writer only checks the table
        writers.push_back(std::make_unique<RecordWriter>(writeDir, t, columns, false));
        if (target == Target::Existing && !dryRun && recordsIn(writeDir, t) > 0)
            throw Error(Text::tr("%1 received records while the migration began; nothing was written").arg(t.fileName));
        if (!job.old)
            continue;
        if (progress)
            progress->setLabel(Text::tr("Migrating %1").arg(t.fileName));
        paradox::Record record;
        std::vector<std::string> values(job.source.size());
        const auto& oldFields = job.old->fields();
        try {
            while (job.old->next(record)) {
                for (size_t c = 0; c < job.source.size(); ++c) {
                    const int i = job.source[c];
                    values[c] = paradoxText(oldFields[i], record[i]).toStdString();
                }
                const qint64 n = job.old->recordNumber();
                try {
                    writers.back()->add(values, n, n);
                } catch (const Error& e) {
                    throw Error(asRecordMessage(e.message()));
                }
                ++job.result.read;
                if (progress)
                    progress->update(++done);
            }
            // The table's own rules (a product code twice) on the last records
            // too, before anything is committed and in the dry run as well.
            try {
                writers.back()->flush();
            } catch (const Error& e) {
                throw Error(asRecordMessage(e.message()));
            }
        } catch (const Error& e) {
            throw Error(
                Text::tr("cannot migrate %1 from %2: %3").arg(t.fileName, native(job.result.oldFile), e.message()));
        }
        job.result.notes = job.old->notes() + job.result.notes;
    }

    MigrationResult result;
    if (!dryRun) {
        // Each table is its own file: commit one after the other, and should a
        // later one fail, empty again those already committed.
        size_t committed = 0;
        try {
            for (; committed < writers.size(); ++committed)
                jobs[committed].result.written = writers[committed]->commit();
        } catch (const Error& e) {
            writers.clear();
            if (target == Target::Existing) {
                for (size_t i = 0; i < committed; ++i) {
                    QStringList all;
                    for (const FieldDef& f : jobs[i].table->fields)
                        all << f.name;
                    RecordWriter(writeDir, *jobs[i].table, all, true).commit();
                }
            }
            throw Error(Text::tr("cannot write %1: %2").arg(jobs[committed].table->fileName, e.message()));
        }
        writers.clear();
        if (target != Target::Existing) {
            // Built private (0700); an empty directory it replaces keeps its own permissions.
            if (target == Target::Empty)
                QFile::setPermissions(writeDir, QFileInfo(dir).permissions());
            if (target == Target::Empty && !QDir().rmdir(dir))
                throw Error(Text::tr("cannot replace the empty directory %1").arg(Database::shownLocation(dir)));
            if (!QDir().rename(writeDir, dir)) {
                if (target == Target::Empty)
                    QDir().mkdir(dir);
                throw Error(Text::tr("cannot move the new database into %1").arg(Database::shownLocation(dir)));
            }
            stage->setAutoRemove(false);
            result.createdDirectory = target == Target::New;
        }
    }
    for (TableJob& job : jobs)
        result.tables << job.result;
    return result;
}

} // namespace yb::admin
