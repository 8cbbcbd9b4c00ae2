#include "store/Database.h"

#include "store/Conversions.h"
#include "store/Errors.h"
#include "store/SortKey.h"
#include "store/TableFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <sqlite3.h>

namespace yb {

namespace {

QString& configuredDirectory()
{
    static QString dir;
    return dir;
}

bool namesDatabaseDirectory(const QString& written)
{
    QString w = written;
    w.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (w.endsWith(QLatin1Char('\\')))
        w.chop(1);
    return w.compare(QLatin1String("C:\\YERBA1"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString Database::defaultDirectory()
{
    const QString env = qEnvironmentVariable("YERBALIS_DATA_DIR");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\YERBA1");
#else
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/yerbalis");
#endif
}

QString Database::directory()
{
    QString& d = configuredDirectory();
    if (d.isEmpty())
        d = defaultDirectory();
    return d;
}

void Database::setDirectory(const QString& dir) { configuredDirectory() = QDir::cleanPath(dir); }

bool Database::prepare(const QString& dir)
{
    if (QFileInfo::exists(dir))
        return false;
    createTables(dir);
    return true;
}

void Database::createTables(const QString& dir)
{
    if (!QDir().mkpath(dir))
        throw EngineError(QStringLiteral("Cannot create the database directory %1").arg(QDir::toNativeSeparators(dir)));
    for (const TableDef& t : tables()) {
        const QString path = tablePath(dir, t.fileName);
        if (!QFileInfo::exists(path))
            createTable(dir, t);
    }
}

void Database::createTable(const QString& dir, const TableDef& table)
{
    file::create(QDir(dir).filePath(table.fileName), table);
}

QString Database::tablePath(const QString& dir, const QString& fileAsWritten)
{
    QDir d(dir);
    const QString exact = d.filePath(fileAsWritten);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    // Prefer the catalogue's own spelling when several spellings exist.
    const TableDef* def = findTable(fileAsWritten);
    if (def && entries.contains(def->fileName))
        return d.filePath(def->fileName);
    for (const QString& e : entries)
        if (e.compare(fileAsWritten, Qt::CaseInsensitive) == 0)
            return d.filePath(e);
    return d.filePath(def ? def->fileName : fileAsWritten);
}

QString Database::resolveTablePath(const QString& directoryAsWritten, const QString& fileAsWritten)
{
    const QString dir = namesDatabaseDirectory(directoryAsWritten) ? directory() : directoryAsWritten;
    return tablePath(dir, fileAsWritten);
}

QStringList Database::checkTable(const QString& path, const TableDef& table)
{
    QStringList problems;
    sqlite3* db = nullptr;
    try {
        db = file::open(path, table, false);
    } catch (const Error& e) {
        return {e.message()};
    }
    auto query = [&](const char* sql, auto&& onRow) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
            problems << QStringLiteral("%1: %2").arg(table.fileName, file::lastError(db));
            return;
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            onRow(st);
        if (rc != SQLITE_DONE)
            problems << QStringLiteral("%1: %2").arg(table.fileName, file::lastError(db));
        sqlite3_finalize(st);
    };
    query("PRAGMA integrity_check", [&](sqlite3_stmt* st) {
        const QString r = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (r != QLatin1String("ok"))
            problems << QStringLiteral("%1: %2").arg(table.fileName, r);
    });
    // Every record: required fields present, text within size, key order right.
    QString sql = QStringLiteral("SELECT yb_id, yb_sortkey");
    for (const FieldDef& f : table.fields)
        sql += QStringLiteral(", ") + file::quote(f.name);
    sql += QStringLiteral(" FROM records");
    int keyIndex = -1;
    for (int i = 0; i < table.fields.size(); ++i)
        if (table.hasKey() && table.fields[i].name == table.keyField)
            keyIndex = i;
    int reported = 0;
    auto problem = [&](const QString& p) {
        if (++reported <= 20)
            problems << p;
    };
    query(sql.toUtf8().constData(), [&](sqlite3_stmt* st) {
        const qint64 id = sqlite3_column_int64(st, 0);
        for (int i = 0; i < table.fields.size(); ++i) {
            const FieldDef& f = table.fields[i];
            const QVariant v = file::column(st, i + 2, f.type);
            if (f.required && v.isNull())
                problem(QStringLiteral("%1: record %2 has no value in the required field '%3'")
                            .arg(table.fileName).arg(id).arg(f.name));
            if (f.type == FieldType::Text && !v.isNull() && charCount(v.toString()) > f.size)
                problem(QStringLiteral("%1: record %2 has more than %3 characters in field '%4'")
                            .arg(table.fileName).arg(id).arg(f.size).arg(f.name));
            if (f.type == FieldType::SmallInt && !v.isNull() && (v.toLongLong() < -32768 || v.toLongLong() > 32767))
                problem(QStringLiteral("%1: record %2 has a value out of range in field '%3'")
                            .arg(table.fileName).arg(id).arg(f.name));
        }
        if (keyIndex >= 0) {
            const QByteArray stored(reinterpret_cast<const char*>(sqlite3_column_blob(st, 1)), sqlite3_column_bytes(st, 1));
            if (stored != file::keyFor(file::column(st, keyIndex + 2, FieldType::Text)))
                problem(QStringLiteral("%1: record %2 is out of its place in key order").arg(table.fileName).arg(id));
        }
    });
    if (reported > 20)
        problems << QStringLiteral("%1: %2 more problems").arg(table.fileName).arg(reported - 20);
    file::close(db);
    return problems;
}

QStringList Database::check(const QString& dir)
{
    QStringList problems;
    if (!QFileInfo(dir).isDir())
        return {QStringLiteral("The database directory %1 does not exist").arg(QDir::toNativeSeparators(dir))};
    for (const TableDef& t : tables())
        problems += checkTable(tablePath(dir, t.fileName), t);
    return problems;
}

} // namespace yb
