#include "store/sqlite/TableFile.h"

#include "store/Errors.h"
#include "store/PrivateFiles.h"
#include "store/SortKey.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace yb::sqlite {

namespace {
// The messages of this unit, in the catalogue's context yb::Sqlite.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Sqlite)
};
} // namespace

namespace {

void ensureEngine()
{
    static int rc = sqlite3_initialize();
    if (rc != SQLITE_OK)
        throw EngineError(Text::tr("Cannot start the table engine SQLite %1: error code %2")
                              .arg(QString::fromLatin1(sqlite3_libversion()),
                                   QStringLiteral("%1").arg(rc, 4, 16, QLatin1Char('0')).toUpper()),
                          rc);
}

[[noreturn]] void fail(const QString& path, const QString& why, int code = 0)
{
    throw EngineError(Text::tr("Cannot open table %1: %2").arg(QDir::toNativeSeparators(path), why), code);
}

struct Statement {
    sqlite3_stmt* st = nullptr;
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            st = nullptr;
    }
    ~Statement() { sqlite3_finalize(st); }
};

} // namespace

namespace {
// SQLite's own words for its failures, which it does not translate.
const char* const sqliteWords[] = {
    QT_TRANSLATE_NOOP("yb::Sqlite", "SQL logic error"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "access permission denied"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "query aborted"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "database is locked"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "database table is locked"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "out of memory"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "attempt to write a readonly database"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "interrupted"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "disk I/O error"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "database disk image is malformed"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "database or disk is full"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "unable to open database file"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "locking protocol"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "constraint failed"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "datatype mismatch"),
    QT_TRANSLATE_NOOP("yb::Sqlite", "file is not a database"),
};
} // namespace

QString lastError(sqlite3* db)
{
    const char* raw = sqlite3_errmsg(db);
    QString msg = QString::fromUtf8(raw);
    for (const char* words : sqliteWords)
        if (qstrcmp(raw, words) == 0)
            msg = Text::tr(words);
    if ((sqlite3_extended_errcode(db) & 0xFF) == SQLITE_IOERR)
        msg += Text::tr(" (the disk may be full, read-only or failing)");
    return msg;
}

void exec(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : lastError(db);
        sqlite3_free(err);
        throw EngineError(msg, sqlite3_errcode(db));
    }
}

void close(sqlite3* db)
{
    if (db)
        sqlite3_close_v2(db);
}

QString quote(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString columnType(FieldType t) { return isIntegerType(t) ? QStringLiteral("INTEGER") : QStringLiteral("TEXT"); }

sqlite3* open(const QString& path, const TableDef& table, bool readOnly, QList<FieldDef>* fileFields,
              int* formatVersion)
{
    ensureEngine();
    QFileInfo info(path);
    if (!info.exists())
        fail(path, Text::tr("the file does not exist"));
    if (!info.isFile())
        fail(path, Text::tr("it is not a file"));
    sqlite3* db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? lastError(db) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        fail(path, msg, rc);
    }
    try {
        sqlite3_busy_timeout(db, 5000);
        sqlite3_extended_result_codes(db, 1);
        int appId = 0;
        {
            Statement s(db, "PRAGMA application_id");
            if (!s.st)
                fail(path, lastError(db), sqlite3_errcode(db));
            rc = sqlite3_step(s.st);
            if (rc != SQLITE_ROW)
                fail(path, lastError(db), rc);
            appId = sqlite3_column_int(s.st, 0);
        }
        if (appId != kApplicationId)
            fail(path, Text::tr("it is not a table of this program"));
        int version = 0;
        {
            Statement s(db, "PRAGMA user_version");
            if (!s.st || sqlite3_step(s.st) != SQLITE_ROW)
                fail(path, lastError(db), sqlite3_errcode(db));
            version = sqlite3_column_int(s.st, 0);
        }
        if (version > kFormatVersion)
            fail(path, Text::tr("it was made by a newer version of this program (format %1)").arg(version));
        QString name, key;
        {
            Statement s(db, "SELECT name, key_field FROM yerbalis_table");
            if (!s.st || sqlite3_step(s.st) != SQLITE_ROW)
                fail(path, Text::tr("its description is missing or damaged"));
            name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0)));
            key = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 1)));
        }
        if (name.compare(table.fileName, Qt::CaseInsensitive) != 0)
            fail(path, Text::tr("it holds the table %1, not %2").arg(name, table.fileName));
        if (key != table.keyField)
            fail(path, Text::tr("its index field '%1' is not '%2'").arg(key, table.keyField));
        QList<FieldDef> fields;
        {
            Statement s(db, "SELECT name, type, size, required FROM yerbalis_fields ORDER BY position");
            if (!s.st)
                fail(path, Text::tr("its field list is missing or damaged"));
            while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
                FieldDef f;
                f.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0)));
                const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 1)));
                if (!parseFieldType(type, &f.type))
                    fail(path, Text::tr("field '%1' has an unknown type '%2'").arg(f.name, type));
                f.size = sqlite3_column_int(s.st, 2);
                f.required = sqlite3_column_int(s.st, 3) != 0;
                fields << f;
            }
            if (rc != SQLITE_DONE)
                fail(path, lastError(db), rc);
        }
        if (fields.size() != table.fields.size())
            fail(path, Text::tr("it has %1 fields instead of %2").arg(fields.size()).arg(table.fields.size()));
        for (const FieldDef& f : fields) {
            const FieldDef* c = table.field(f.name);
            if (!c || c->name != f.name)
                fail(path, Text::tr("it has an unknown field '%1'").arg(f.name));
            if (c->type != f.type || c->size != f.size || c->required != f.required)
                fail(path, Text::tr("field '%1' is not %2").arg(f.name, fieldTypeText(c->type)));
        }
        {
            // The records table must have every column, or the first read would fail later.
            QString sql = QStringLiteral("SELECT yb_id, yb_rev, ") + QLatin1String(sortKeyColumn(version));
            for (const FieldDef& f : fields)
                sql += QStringLiteral(", ") + quote(f.name);
            sql += QStringLiteral(" FROM records LIMIT 0");
            Statement s(db, sql.toUtf8().constData());
            if (!s.st)
                fail(path, Text::tr("its records are missing or damaged (%1)").arg(lastError(db)));
        }
        if (fileFields)
            *fileFields = fields;
        if (formatVersion)
            *formatVersion = version < kCompactKeys ? 1 : version;
        if (!readOnly)
            exec(db, "PRAGMA synchronous=FULL");
        return db;
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
}

void create(const QString& path, const TableDef& table)
{
    ensureEngine();
    const QString tmp = path + QStringLiteral(".new");
    QFile::remove(tmp);
    QFile::remove(tmp + QStringLiteral("-wal"));
    QFile::remove(tmp + QStringLiteral("-shm"));
    QFile::remove(tmp + QStringLiteral("-journal"));
    // Made here, private, before SQLite opens it: its journal and log take its permissions.
    if (!createPrivateFile(tmp))
        throw EngineError(
            Text::tr("Cannot create table %1: the directory cannot be written").arg(QDir::toNativeSeparators(path)));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(tmp).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? lastError(db) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw EngineError(Text::tr("Cannot create table %1: %2").arg(QDir::toNativeSeparators(path), msg), rc);
    }
    try {
        exec(db, QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId).toUtf8().constData());
        exec(db, QStringLiteral("PRAGMA user_version=%1").arg(kFormatVersion).toUtf8().constData());
        exec(db, "BEGIN");
        exec(db, "CREATE TABLE yerbalis_table(name TEXT NOT NULL, key_field TEXT NOT NULL)");
        exec(db,
             "CREATE TABLE yerbalis_fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
             "type TEXT NOT NULL, size INTEGER NOT NULL, required INTEGER NOT NULL)");
        QString sql = QStringLiteral("INSERT INTO yerbalis_table VALUES('%1', '%2')")
                          .arg(QString(table.fileName).replace(QLatin1Char('\''), QLatin1String("''")),
                               QString(table.keyField).replace(QLatin1Char('\''), QLatin1String("''")));
        exec(db, sql.toUtf8().constData());
        const QLatin1String key(sortKeyColumn(kFormatVersion));
        QString cols = QStringLiteral("yb_id INTEGER PRIMARY KEY AUTOINCREMENT, yb_rev INTEGER NOT NULL DEFAULT 1, "
                                      "%1 BLOB NOT NULL DEFAULT x''")
                           .arg(key);
        int pos = 0;
        for (const FieldDef& f : table.fields) {
            ++pos;
            exec(db,
                 QStringLiteral("INSERT INTO yerbalis_fields VALUES(%1, '%2', '%3', %4, %5)")
                     .arg(pos)
                     .arg(QString(f.name).replace(QLatin1Char('\''), QLatin1String("''")), fieldTypeName(f.type))
                     .arg(f.size)
                     .arg(f.required ? 1 : 0)
                     .toUtf8()
                     .constData());
            cols += QStringLiteral(", ") + quote(f.name) + QLatin1Char(' ') + columnType(f.type);
        }
        exec(db, QStringLiteral("CREATE TABLE records(%1)").arg(cols).toUtf8().constData());
        if (table.hasKey())
            exec(db, QStringLiteral("CREATE INDEX records_order ON records(%1, yb_id)").arg(key).toUtf8().constData());
        int n = 0;
        for (const QString& ix : table.lookupIndexes)
            exec(db,
                 QStringLiteral("CREATE UNIQUE INDEX records_lookup%1 ON records(%2)")
                     .arg(++n)
                     .arg(quote(ix))
                     .toUtf8()
                     .constData());
        exec(db, "COMMIT");
        exec(db, "PRAGMA journal_mode=WAL");
    } catch (const EngineError& e) {
        sqlite3_close_v2(db);
        QFile::remove(tmp);
        throw EngineError(Text::tr("Cannot create table %1: %2").arg(QDir::toNativeSeparators(path), e.message()),
                          e.code());
    }
    sqlite3_close_v2(db);
    QFile::remove(tmp + QStringLiteral("-wal"));
    QFile::remove(tmp + QStringLiteral("-shm"));
    if (QFileInfo::exists(path) || !QFile::rename(tmp, path)) {
        QFile::remove(tmp);
        throw EngineError(Text::tr("Cannot create table %1: the file already exists or cannot be written")
                              .arg(QDir::toNativeSeparators(path)));
    }
}

void bind(sqlite3_stmt* st, int index, const QVariant& v, FieldType t)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, index);
        return;
    }
    switch (t) {
    case FieldType::Integer:
    case FieldType::SmallInt: sqlite3_bind_int64(st, index, v.toLongLong()); return;
    case FieldType::DateTime: {
        const QByteArray s = v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toUtf8();
        sqlite3_bind_text(st, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        const QByteArray s = v.toString().toUtf8();
        sqlite3_bind_text(st, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

QVariant column(sqlite3_stmt* st, int index, FieldType t)
{
    if (sqlite3_column_type(st, index) == SQLITE_NULL)
        return {};
    switch (t) {
    case FieldType::Integer:
    case FieldType::SmallInt: {
        // A damaged file may hold more than an int: read it whole, so that the check sees it.
        const qint64 n = sqlite3_column_int64(st, index);
        return n == qint64(int(n)) ? QVariant(int(n)) : QVariant(qlonglong(n));
    }
    case FieldType::DateTime: {
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, index)),
                                            sqlite3_column_bytes(st, index));
        QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    case FieldType::Text:
    case FieldType::Memo: break;
    }
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st, index));
    return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(st, index)));
}

} // namespace yb::sqlite
