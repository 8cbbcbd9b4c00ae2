#include "store/sqlite/SqliteEngine.h"

#include "store/sqlite/TableFile.h"

#include "store/PrivateFiles.h"
#include "store/SortKey.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sqlite3.h>
#include <vector>

namespace yb::sqlite {

namespace {
// The messages of this unit, in the catalogue's context yb::Sqlite.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Sqlite)
};
} // namespace

namespace {

// Leading columns of every row read: id, revision, sort key; the fields follow.
constexpr int kFirstField = 3;

class StmtReset {
public:
    explicit StmtReset(sqlite3_stmt* st) : st_(st) {}
    ~StmtReset()
    {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    StmtReset(const StmtReset&) = delete;
    StmtReset& operator=(const StmtReset&) = delete;

private:
    sqlite3_stmt* st_;
};

struct Finalizer {
    sqlite3_stmt* st = nullptr;
    ~Finalizer() { sqlite3_finalize(st); }
};

[[noreturn]] void fail(sqlite3* db) { throw EngineError(lastError(db), sqlite3_extended_errcode(db)); }

sqlite3_stmt* prepareOnce(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        fail(db);
    return st;
}

void bindBlob(sqlite3_stmt* st, int i, const QByteArray& b)
{
    // An empty key is stored as an empty blob, never as NULL.
    static const char empty[] = "";
    if (b.isEmpty())
        sqlite3_bind_blob(st, i, empty, 0, SQLITE_STATIC);
    else
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}

QByteArray blobColumn(sqlite3_stmt* st, int i)
{
    return QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
}

qint64 single(sqlite3* db, const char* sql)
{
    Finalizer f;
    if (sqlite3_prepare_v2(db, sql, -1, &f.st, nullptr) != SQLITE_OK || sqlite3_step(f.st) != SQLITE_ROW)
        fail(db);
    return sqlite3_column_int64(f.st, 0);
}

// How a file keeps the sort keys that cross the engine's boundary in full.
struct KeyForm {
    bool compact = false;
    QLatin1String column() const { return QLatin1String(sortKeyColumn(compact ? kCompactKeys : 1)); }
    QByteArray stored(const QByteArray& key) const { return compact ? compactSortKey(key) : key; }
    QByteArray given(const QByteArray& stored) const { return compact ? sortKeyFromCompact(stored) : stored; }
};

// The lookup-index field named in a unique constraint's message, else the first.
QString uniqueField(const TableDef& def, const QString& message)
{
    for (const QString& ix : def.lookupIndexes)
        if (message.contains(QStringLiteral("records.") + ix))
            return ix;
    return def.lookupIndexes.isEmpty() ? QString() : def.lookupIndexes.first();
}

// ---------------------------------------------------------------- bulk insert

class SqliteBulk : public BulkInsert {
public:
    SqliteBulk(sqlite3* db, const TableDef& def, KeyForm keys, bool replace);
    ~SqliteBulk() override;

    void add(const QVariantList& values, const QByteArray& sortKey, qint64 tag) override;
    bool keyExistedBefore(const QByteArray& sortKey) override;
    void flush() override;
    qint64 commit() override;
    void rollback() override;

private:
    struct Pending {
        QVariantList values;
        QByteArray key;
        QByteArray dates; // date-time texts of the record, bound in place
        qint64 tag = 0;
    };
    void bindRecord(sqlite3_stmt* st, int base, Pending& p);
    void insertOne(Pending& p);
    void insertPendingOneByOne();
    void finalize();
    void restoreJournal();
    void restoreCache();
    [[noreturn]] void refuse(const Pending& p);

    static constexpr int kBatch = 64;
    sqlite3* db_;
    const TableDef& def_;
    KeyForm keys_;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* batch_ = nullptr;  // inserts kBatch records at once
    sqlite3_stmt* exists_ = nullptr; // a key among the records there before; null when there were none
    std::vector<Pending> pending_;   // the records bound to batch_ so far
    qsizetype pendingCount_ = 0;
    qint64 lastIdBefore_ = 0;
    bool journalSwitched_ = false;
    qint64 cacheBefore_ = 0; // the connection's cache size before the bulk; 0: unchanged
    bool inTransaction_ = false;
    QStringList recreate_; // indexes dropped for the bulk, built again at commit
    qint64 written_ = 0;
};

SqliteBulk::SqliteBulk(sqlite3* db, const TableDef& def, KeyForm keys, bool replace) : db_(db), def_(def), keys_(keys)
{
    try {
        // A large import touches many pages; a bigger cache keeps the unique
        // indexes in memory while they grow.
        cacheBefore_ = single(db_, "PRAGMA cache_size");
        exec(db_, "PRAGMA cache_size=-65536");
        // The order index is sorted at the end, on this thread alone: with
        // runs that fit the processor's cache, a second sorting thread costs
        // more than it saves, the more so on a busy machine.
        if (replace || single(db_, "SELECT NOT EXISTS(SELECT 1 FROM records)") == 1) {
            // Filling an empty table: with a rollback journal every page is
            // written once, where the write-ahead log writes it twice (into
            // the log, then into the table). Only when nobody else has the
            // table open; the log comes back when the bulk ends.
            sqlite3_busy_timeout(db_, 0);
            Finalizer q;
            if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode=DELETE", -1, &q.st, nullptr) == SQLITE_OK &&
                sqlite3_step(q.st) == SQLITE_ROW)
                journalSwitched_ = qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)), "delete") == 0;
            sqlite3_busy_timeout(db_, 5000);
        }
        if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(db_);
        inTransaction_ = true;
        if (replace)
            exec(db_, "DELETE FROM records");
        // Into an empty table, building the order index once at the end is
        // much faster than keeping it up to date record by record. Unique
        // indexes stay: they catch repeated values as they come.
        const bool empty = single(db_, "SELECT NOT EXISTS(SELECT 1 FROM records)") == 1;
        if (!empty && def_.hasKey()) {
            // Keys are looked up among the records that were there before, so
            // that a key repeated inside the bulk is not taken for one of them.
            lastIdBefore_ = single(db_, "SELECT coalesce(max(yb_id), 0) FROM records");
            exists_ = prepareOnce(
                db_, QStringLiteral("SELECT 1 FROM records WHERE %1 = ?1 AND yb_id <= ?2 LIMIT 1").arg(keys_.column()));
        }
        if (empty) {
            Finalizer q;
            q.st = prepareOnce(db_,
                               QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND "
                                              "tbl_name = 'records' AND sql IS NOT NULL AND "
                                              "sql NOT LIKE 'CREATE UNIQUE%'"));
            QStringList names;
            while (sqlite3_step(q.st) == SQLITE_ROW) {
                names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)));
                recreate_ << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 1)));
            }
            for (const QString& name : names)
                exec(db_, QStringLiteral("DROP INDEX %1").arg(quote(name)).toUtf8().constData());
        }
        QString cols = QStringLiteral("yb_rev, ") + keys_.column();
        QString params = QStringLiteral("1, ?1");
        for (int i = 0; i < def_.fields.size(); ++i) {
            cols += QStringLiteral(", ") + quote(def_.fields[i].name);
            params += QStringLiteral(", ?%1").arg(i + 2);
        }
        insert_ = prepareOnce(db_, QStringLiteral("INSERT INTO records(%1) VALUES(%2)").arg(cols, params));
        QString rows;
        const int stride = int(def_.fields.size()) + 1;
        for (int k = 0; k < kBatch; ++k) {
            rows += k ? QStringLiteral(", (1") : QStringLiteral("(1");
            for (int i = 1; i <= stride; ++i)
                rows += QStringLiteral(", ?%1").arg(k * stride + i);
            rows += QLatin1Char(')');
        }
        // Bound values point into these records: they must never move.
        pending_.resize(size_t(kBatch));
        batch_ = prepareOnce(db_, QStringLiteral("INSERT INTO records(%1) VALUES %2").arg(cols, rows));
    } catch (...) {
        rollback();
        throw;
    }
}

SqliteBulk::~SqliteBulk() { rollback(); }

void SqliteBulk::finalize()
{
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_finalize(exists_);
    exists_ = nullptr;
    sqlite3_finalize(batch_);
    batch_ = nullptr;
}

void SqliteBulk::rollback()
{
    finalize();
    pendingCount_ = 0;
    if (inTransaction_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    restoreJournal();
    restoreCache();
}

void SqliteBulk::restoreCache()
{
    if (cacheBefore_)
        sqlite3_exec(db_, QByteArray("PRAGMA cache_size=" + QByteArray::number(cacheBefore_)).constData(), nullptr,
                     nullptr, nullptr);
    cacheBefore_ = 0;
}

void SqliteBulk::restoreJournal()
{
    if (!journalSwitched_)
        return;
    // A table left with a rollback journal (when another process opened it
    // meanwhile and holds it) is still whole and durable, only without the log.
    journalSwitched_ = false;
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

bool SqliteBulk::keyExistedBefore(const QByteArray& key)
{
    if (!exists_)
        return false;
    StmtReset r(exists_);
    const QByteArray stored = keys_.stored(key);
    sqlite3_bind_blob(exists_, 1, stored.constData(), int(stored.size()), SQLITE_STATIC);
    sqlite3_bind_int64(exists_, 2, lastIdBefore_);
    const int rc = sqlite3_step(exists_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(db_);
    return rc == SQLITE_ROW;
}

void SqliteBulk::bindRecord(sqlite3_stmt* st, int base, Pending& p)
{
    // The record's values stay where they are until the statement has run.
    p.dates.clear();
    for (int i = 0; i < def_.fields.size(); ++i) {
        const FieldDef& f = def_.fields[i];
        const QVariant& v = p.values.at(i);
        const int param = base + i + 2;
        if (v.isNull()) {
            sqlite3_bind_null(st, param);
            continue;
        }
        if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray& b = *static_cast<const QByteArray*>(v.constData());
            sqlite3_bind_text(st, param, b.constData(), int(b.size()), SQLITE_STATIC);
        } else if (f.type == FieldType::DateTime) {
            // Kept in the record, so that the bound text outlives this call.
            p.dates += v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")).toUtf8();
            p.dates += '\0';
        } else {
            bind(st, param, v, f.type);
        }
    }
    // Date texts are bound once all of them are in place (the buffer may grow).
    qsizetype at = 0;
    for (int i = 0; i < def_.fields.size(); ++i) {
        const QVariant& v = p.values.at(i);
        if (v.isNull() || v.typeId() == QMetaType::QByteArray || def_.fields[i].type != FieldType::DateTime)
            continue;
        const char* s = p.dates.constData() + at;
        const int len = int(qstrlen(s));
        sqlite3_bind_text(st, base + i + 2, s, len, SQLITE_STATIC);
        at += len + 1;
    }
    static const char empty[] = "";
    sqlite3_bind_blob(st, base + 1, p.key.isEmpty() ? empty : p.key.constData(), int(p.key.size()), SQLITE_STATIC);
}

void SqliteBulk::refuse(const Pending& p)
{
    const int code = sqlite3_extended_errcode(db_);
    const QString msg = lastError(db_);
    QString field;
    QVariant value;
    if (code == SQLITE_CONSTRAINT_UNIQUE) {
        field = uniqueField(def_, msg);
        if (const FieldDef* f = def_.field(field))
            value = p.values[int(f - def_.fields.constData())];
    }
    const qint64 tag = p.tag;
    rollback();
    throw BulkRefusal(msg, tag, field, value, code);
}

void SqliteBulk::insertOne(Pending& p)
{
    sqlite3_reset(insert_);
    bindRecord(insert_, 0, p);
    const int rc = sqlite3_step(insert_);
    if (rc != SQLITE_DONE)
        refuse(p);
    sqlite3_reset(insert_);
    ++written_;
}

void SqliteBulk::insertPendingOneByOne()
{
    // Record by record, so that a refusal names its record.
    for (qsizetype k = 0; k < pendingCount_; ++k)
        insertOne(pending_[size_t(k)]);
    pendingCount_ = 0;
}

void SqliteBulk::add(const QVariantList& values, const QByteArray& sortKey, qint64 tag)
{
    if (!inTransaction_)
        throw EngineError(Text::tr("the bulk insert has already ended"));
    if (values.size() != def_.fields.size())
        throw EngineError(Text::tr("a record of %1 values for %2 fields").arg(values.size()).arg(def_.fields.size()));
    // Records go in batches: one statement for many records costs the
    // engine much less than one statement each.
    Pending& p = pending_[size_t(pendingCount_)];
    p.values = values;
    p.key = def_.hasKey() ? keys_.stored(sortKey) : QByteArray();
    p.tag = tag;
    bindRecord(batch_, int(pendingCount_) * (int(def_.fields.size()) + 1), p);
    if (++pendingCount_ < kBatch)
        return;
    const int rc = sqlite3_step(batch_);
    sqlite3_reset(batch_);
    if (rc == SQLITE_DONE) {
        written_ += pendingCount_;
        pendingCount_ = 0;
        return;
    }
    // The failed statement has written none of them: one by one, the record
    // that is refused is named.
    insertPendingOneByOne();
}

void SqliteBulk::flush()
{
    if (inTransaction_)
        insertPendingOneByOne();
}

qint64 SqliteBulk::commit()
{
    if (!inTransaction_)
        throw EngineError(Text::tr("the bulk insert has already ended"));
    insertPendingOneByOne();
    finalize();
    try {
        // The index is built by sorting its keys in runs as large as the
        // cache: runs that fit the processor's own cache sort about twice as
        // fast as the large cache's runs (a run's list is walked at random).
        restoreCache();
        for (const QString& sql : recreate_)
            exec(db_, sql.toUtf8().constData());
        exec(db_, "COMMIT");
    } catch (...) {
        rollback();
        throw;
    }
    inTransaction_ = false;
    if (journalSwitched_) {
        restoreJournal();
    } else {
        // Give back the space of the write-ahead log (others may be reading: then later).
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    return written_;
}

// ---------------------------------------------------------------- table

class SqliteTable : public EngineTable {
public:
    SqliteTable(sqlite3* db, const TableDef& def, QList<FieldDef> stored, bool readOnly, KeyForm keys)
        : db_(db), def_(def), stored_(std::move(stored)), readOnly_(readOnly), keys_(keys)
    {
    }
    ~SqliteTable() override
    {
        for (sqlite3_stmt* st : std::as_const(stmts_))
            sqlite3_finalize(st);
        if (!sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        close(db_);
    }

    const TableDef& def() const override { return def_; }
    QList<FieldDef> storedFields() const override { return stored_; }

    QList<StoredRecord> read(const Columns& columns, RecordOrder order, const Bookmark& from, bool forward,
                             int limit) override;
    std::optional<StoredRecord> readById(const Columns& columns, qint64 id) override;
    void find(const Columns& columns, const RecordFilter& filter, RecordOrder order,
              const RecordVisitor& visit) override;
    qint64 count() override;
    bool isEmpty() override;
    WriteResult insert(const Columns& columns, const QVariantList& values, const QByteArray& sortKey) override;
    WriteResult update(qint64 id, qint64 revision, const Columns& columns, const QVariantList& values,
                       const std::optional<QByteArray>& sortKey) override;
    bool remove(qint64 id) override;
    void clear() override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    std::unique_ptr<BulkInsert> bulkInsert(bool replace) override;
    QStringList checkStorage() override;

private:
    sqlite3_stmt* prepare(const QString& sql);
    QString selectList(const Columns& columns) const;
    StoredRecord row(sqlite3_stmt* st, const Columns& columns) const;
    WriteResult writeOne(sqlite3_stmt* st, bool inserting, qint64 id, qint64 revision);

    sqlite3* db_;
    const TableDef& def_;
    QList<FieldDef> stored_;
    bool readOnly_;
    KeyForm keys_;
    QHash<QString, sqlite3_stmt*> stmts_;
    QHash<QByteArray, QString> readSql_; // the statements of read(), by columns and direction
};

sqlite3_stmt* SqliteTable::prepare(const QString& sql)
{
    auto it = stmts_.constFind(sql);
    if (it != stmts_.constEnd())
        return it.value();
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) !=
        SQLITE_OK)
        fail(db_);
    stmts_.insert(sql, st);
    return st;
}

QString SqliteTable::selectList(const Columns& columns) const
{
    QString sql = QStringLiteral("SELECT yb_id, yb_rev, ") + keys_.column();
    for (int c : columns)
        sql += QStringLiteral(", ") + quote(def_.fields[c].name);
    return sql + QStringLiteral(" FROM records");
}

StoredRecord SqliteTable::row(sqlite3_stmt* st, const Columns& columns) const
{
    StoredRecord r;
    r.id = sqlite3_column_int64(st, 0);
    r.revision = sqlite3_column_int64(st, 1);
    r.sortKey = keys_.given(blobColumn(st, 2));
    r.values.reserve(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        r.values << column(st, kFirstField + i, def_.fields[columns[i]].type);
    return r;
}

QString orderBy(RecordOrder order, bool forward, QLatin1String key)
{
    if (order == RecordOrder::Key)
        return forward ? QStringLiteral(" ORDER BY %1, yb_id").arg(key)
                       : QStringLiteral(" ORDER BY %1 DESC, yb_id DESC").arg(key);
    return forward ? QStringLiteral(" ORDER BY yb_id") : QStringLiteral(" ORDER BY yb_id DESC");
}

QList<StoredRecord> SqliteTable::read(const Columns& columns, RecordOrder order, const Bookmark& from, bool forward,
                                      int limit)
{
    QList<StoredRecord> rows;
    if (limit <= 0)
        return rows;
    // The statement for these columns and this direction, built once.
    QByteArray shape;
    shape.reserve(columns.size() * 2 + 3);
    shape += char(order == RecordOrder::Key) + char(forward ? 2 : 0) + char(from.isValid() ? 4 : 0);
    for (int c : columns)
        shape += char(c);
    QString& sql = readSql_[shape];
    if (sql.isEmpty()) {
        sql = selectList(columns);
        if (from.isValid()) {
            if (order == RecordOrder::Key)
                sql += (forward ? QStringLiteral(" WHERE (%1, yb_id) > (?1, ?2)")
                                : QStringLiteral(" WHERE (%1, yb_id) < (?1, ?2)"))
                           .arg(keys_.column());
            else
                sql += forward ? QStringLiteral(" WHERE yb_id > ?2 AND ?1 IS NOT NULL")
                               : QStringLiteral(" WHERE yb_id < ?2 AND ?1 IS NOT NULL");
        }
        sql += orderBy(order, forward, keys_.column()) + QStringLiteral(" LIMIT ?3");
    }
    sqlite3_stmt* st = prepare(sql);
    StmtReset r(st);
    if (from.isValid()) {
        bindBlob(st, 1, keys_.stored(from.sortKey));
        sqlite3_bind_int64(st, 2, from.rowId);
    }
    sqlite3_bind_int(st, 3, limit);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        rows << row(st, columns);
    if (rc != SQLITE_DONE)
        fail(db_);
    return rows;
}

std::optional<StoredRecord> SqliteTable::readById(const Columns& columns, qint64 id)
{
    QByteArray shape("i");
    for (int c : columns)
        shape += char(c);
    QString& sql = readSql_[shape];
    if (sql.isEmpty())
        sql = selectList(columns) + QStringLiteral(" WHERE yb_id = ?1");
    sqlite3_stmt* st = prepare(sql);
    StmtReset r(st);
    sqlite3_bind_int64(st, 1, id);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        return row(st, columns);
    if (rc != SQLITE_DONE)
        fail(db_);
    return std::nullopt;
}

void SqliteTable::find(const Columns& columns, const RecordFilter& filter, RecordOrder order,
                       const RecordVisitor& visit)
{
    QString where;
    int p = 0;
    auto cond = [&](const QString& c) {
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + c;
    };
    if (filter.hasKeyRange) {
        if (filter.keyEquals) {
            cond(QStringLiteral("%1 = ?%2").arg(keys_.column()).arg(++p));
        } else {
            if (!filter.keyLo.isEmpty())
                cond(QStringLiteral("%1 >= ?%2").arg(keys_.column()).arg(++p));
            if (!filter.keyHi.isEmpty())
                cond(QStringLiteral("%1 < ?%2").arg(keys_.column()).arg(++p));
        }
    }
    for (const RecordFilter::Equal& e : filter.equals) {
        const QString col = quote(def_.fields[e.column].name);
        if (e.value.isNull())
            cond(col + QStringLiteral(" IS NULL"));
        else
            cond(QStringLiteral("%1 = ?%2").arg(col).arg(++p));
    }
    sqlite3_stmt* st = prepare(selectList(columns) + where + orderBy(order, true, keys_.column()));
    StmtReset r(st);
    p = 0;
    if (filter.hasKeyRange) {
        if (filter.keyEquals) {
            bindBlob(st, ++p, keys_.stored(filter.keyLo));
        } else {
            if (!filter.keyLo.isEmpty())
                bindBlob(st, ++p, keys_.stored(filter.keyLo));
            if (!filter.keyHi.isEmpty())
                bindBlob(st, ++p, keys_.stored(filter.keyHi));
        }
    }
    for (const RecordFilter::Equal& e : filter.equals)
        if (!e.value.isNull())
            bind(st, ++p, e.value, def_.fields[e.column].type);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        if (!visit(row(st, columns)))
            return;
    if (rc != SQLITE_DONE)
        fail(db_);
}

qint64 SqliteTable::count()
{
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT count(*) FROM records"));
    StmtReset r(st);
    if (sqlite3_step(st) != SQLITE_ROW)
        fail(db_);
    return sqlite3_column_int64(st, 0);
}

bool SqliteTable::isEmpty()
{
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT 1 FROM records LIMIT 1"));
    StmtReset r(st);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(db_);
    return rc == SQLITE_DONE;
}

WriteResult SqliteTable::writeOne(sqlite3_stmt* st, bool inserting, qint64 id, qint64 revision)
{
    // One statement, durable on its own: in a transaction of its own unless
    // the caller holds one.
    const bool own = sqlite3_get_autocommit(db_) != 0;
    if (own && sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db_);
    auto undo = [&] {
        if (own)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    };
    WriteResult result;
    int rc;
    {
        StmtReset r(st);
        rc = sqlite3_step(st);
        if (rc == SQLITE_DONE && inserting)
            id = sqlite3_last_insert_rowid(db_);
    }
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(db_);
        const QString msg = lastError(db_);
        undo();
        if (code == SQLITE_CONSTRAINT_UNIQUE) {
            result.outcome = WriteResult::DuplicateKey;
            result.field = uniqueField(def_, msg);
            result.message = msg;
            return result;
        }
        throw EngineError(msg, code);
    }
    if (!inserting && sqlite3_changes(db_) == 0) {
        undo();
        sqlite3_stmt* q = prepare(QStringLiteral("SELECT 1 FROM records WHERE yb_id = ?1"));
        StmtReset r(q);
        sqlite3_bind_int64(q, 1, id);
        const int qrc = sqlite3_step(q);
        if (qrc != SQLITE_ROW && qrc != SQLITE_DONE)
            fail(db_);
        result.outcome = qrc == SQLITE_ROW ? WriteResult::Changed : WriteResult::Deleted;
        result.id = id;
        return result;
    }
    if (own && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString msg = lastError(db_);
        const int code = sqlite3_extended_errcode(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw EngineError(msg, code);
    }
    result.id = id;
    result.revision = inserting ? 1 : revision + 1;
    return result;
}

WriteResult SqliteTable::insert(const Columns& columns, const QVariantList& values, const QByteArray& sortKey)
{
    QString cols = QStringLiteral("yb_rev, ") + keys_.column();
    QString params = QStringLiteral("1, ?1");
    for (int i = 0; i < columns.size(); ++i) {
        cols += QStringLiteral(", ") + quote(def_.fields[columns[i]].name);
        params += QStringLiteral(", ?%1").arg(i + 2);
    }
    sqlite3_stmt* st = prepare(QStringLiteral("INSERT INTO records(%1) VALUES(%2)").arg(cols, params));
    bindBlob(st, 1, keys_.stored(sortKey));
    for (int i = 0; i < columns.size(); ++i)
        bind(st, i + 2, values.value(i), def_.fields[columns[i]].type);
    return writeOne(st, true, 0, 0);
}

WriteResult SqliteTable::update(qint64 id, qint64 revision, const Columns& columns, const QVariantList& values,
                                const std::optional<QByteArray>& sortKey)
{
    QString sql = QStringLiteral("UPDATE records SET yb_rev = yb_rev + 1");
    if (sortKey)
        sql += QStringLiteral(", %1 = ?1").arg(keys_.column());
    for (int i = 0; i < columns.size(); ++i)
        sql += QStringLiteral(", %1 = ?%2").arg(quote(def_.fields[columns[i]].name)).arg(i + 2);
    sql += QStringLiteral(" WHERE yb_id = ?%1 AND yb_rev = ?%2").arg(columns.size() + 2).arg(columns.size() + 3);
    sqlite3_stmt* st = prepare(sql);
    if (sortKey)
        bindBlob(st, 1, keys_.stored(*sortKey));
    for (int i = 0; i < columns.size(); ++i)
        bind(st, i + 2, values.value(i), def_.fields[columns[i]].type);
    sqlite3_bind_int64(st, int(columns.size()) + 2, id);
    sqlite3_bind_int64(st, int(columns.size()) + 3, revision);
    return writeOne(st, false, id, revision);
}

bool SqliteTable::remove(qint64 id)
{
    sqlite3_stmt* st = prepare(QStringLiteral("DELETE FROM records WHERE yb_id = ?1"));
    StmtReset r(st);
    sqlite3_bind_int64(st, 1, id);
    if (sqlite3_step(st) != SQLITE_DONE)
        fail(db_);
    return sqlite3_changes(db_) > 0;
}

void SqliteTable::clear()
{
    if (sqlite3_exec(db_, "DELETE FROM records", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db_);
}

void SqliteTable::begin()
{
    // Writers take the write lock at once, so that a transaction never fails
    // half-way for a lock; a reader's transaction holds one view of the table.
    if (sqlite3_exec(db_, readOnly_ ? "BEGIN" : "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db_);
}

void SqliteTable::commit()
{
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString msg = lastError(db_);
        const int code = sqlite3_extended_errcode(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw EngineError(msg, code);
    }
}

void SqliteTable::rollback() noexcept
{
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::unique_ptr<BulkInsert> SqliteTable::bulkInsert(bool replace)
{
    return std::make_unique<SqliteBulk>(db_, def_, keys_, replace);
}

QStringList SqliteTable::checkStorage()
{
    QStringList problems;
    Finalizer f;
    f.st = prepareOnce(db_, QStringLiteral("PRAGMA integrity_check"));
    int rc;
    while ((rc = sqlite3_step(f.st)) == SQLITE_ROW) {
        const QString r = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(f.st, 0)));
        if (r != QLatin1String("ok"))
            problems << r;
    }
    if (rc != SQLITE_DONE)
        fail(db_);
    return problems;
}

} // namespace

// ---------------------------------------------------------------- engine

SqliteEngine::SqliteEngine(const QString& directory) : dir_(QDir::cleanPath(directory)) {}

bool SqliteEngine::exists() const { return QFileInfo(dir_).isDir(); }

QString SqliteEngine::tableLocation(const QString& fileAsWritten) const
{
    QDir d(dir_);
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

bool SqliteEngine::hasTable(const TableDef& table) const { return QFileInfo::exists(tableLocation(table.fileName)); }

void SqliteEngine::createTables()
{
    if (!makePrivateDirectory(dir_))
        throw EngineError(Text::tr("Cannot create the database directory %1").arg(QDir::toNativeSeparators(dir_)));
    for (const TableDef& t : tables())
        if (!hasTable(t))
            createTable(t);
}

void SqliteEngine::createTable(const TableDef& table) { create(QDir(dir_).filePath(table.fileName), table); }

std::unique_ptr<EngineTable> SqliteEngine::openTable(const TableDef& table, bool readOnly)
{
    QList<FieldDef> stored;
    int version = 0;
    sqlite3* db = open(tableLocation(table.fileName), table, readOnly, &stored, &version);
    return std::make_unique<SqliteTable>(db, table, stored, readOnly, KeyForm{version >= kCompactKeys});
}

std::unique_ptr<Snapshot> SqliteEngine::snapshot()
{
    // Every file opened and its read transaction begun by a first read before
    // anything is copied: the copies then show the tables as they were at one
    // moment, whatever the program writes meanwhile (the write-ahead log
    // keeps a reader's pages while writers go on).
    auto s = std::make_unique<Snapshot>();
    for (const TableDef& t : tables())
        s->tables.push_back(openTable(t, true));
    for (const std::unique_ptr<EngineTable>& t : s->tables) {
        t->begin();
        t->isEmpty();
    }
    return s;
}

namespace {

std::unique_ptr<Engine> openDirectory(const QString& directory) { return std::make_unique<SqliteEngine>(directory); }

} // namespace

} // namespace yb::sqlite

// The engine of directories, registered before main() runs. Nothing names
// this unit, so the store's link options name this symbol to keep the linker
// from dropping it (src/store/CMakeLists.txt).
extern "C" const bool yerbalis_sqlite_engine = (yb::registerDirectoryEngine(&yb::sqlite::openDirectory), true);
