#include "tools/TableTransfer.h"

#include "store/Conversions.h"
#include "tools/Csv.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "tools/Progress.h"
#include "store/SortKey.h"
#include "store/TableFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace yb::admin {

namespace {

// Number of characters of a UTF-8 text, or -1 when it is not valid UTF-8
// (overlong forms, surrogates and values beyond U+10FFFF are not).
qsizetype utf8Chars(const std::string& s)
{
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    qsizetype chars = 0;
    size_t i = 0;
    while (i < n) {
        // Plain ASCII eight bytes at a time.
        uint64_t word;
        while (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ull) == 0)) {
            i += 8;
            chars += 8;
        }
        if (i == n)
            break;
        const unsigned char c = p[i];
        ++chars;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else
            return -1;
        if (i + size_t(more) >= n)
            return -1;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return -1;
        for (int k = 2; k <= more; ++k)
            if ((p[i + size_t(k)] & 0xC0) != 0x80)
                return -1;
        i += size_t(more) + 1;
    }
    return chars;
}

// Reads YYYY-MM-DD[( |T)HH:MM[:SS[.mmm]]] without time-zone lookups and writes
// the stored form yyyy-MM-ddTHH:mm:ss.zzz into `out` (23 bytes). False when
// the text has another form or is not a real date and time.
bool fastDateTime(const std::string& v, char (&out)[64])
{
    const size_t n = v.size();
    if (n != 10 && n != 16 && n != 19 && n != 23)
        return false;
    auto digits = [&](size_t at, size_t count, int* value) {
        int x = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (v[i] < '0' || v[i] > '9')
                return false;
            x = x * 10 + (v[i] - '0');
        }
        *value = x;
        return true;
    };
    int y, mo, d, h = 0, mi = 0, se = 0, ms = 0;
    if (!digits(0, 4, &y) || v[4] != '-' || !digits(5, 2, &mo) || v[7] != '-' || !digits(8, 2, &d))
        return false;
    if (n > 10) {
        if ((v[10] != ' ' && v[10] != 'T') || !digits(11, 2, &h) || v[13] != ':' || !digits(14, 2, &mi))
            return false;
        if (n > 16 && (v[16] != ':' || !digits(17, 2, &se)))
            return false;
        if (n > 19 && (v[19] != '.' || !digits(20, 3, &ms)))
            return false;
    }
    if (!QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, se, ms))
        return false;
    std::snprintf(out, sizeof out, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", y, mo, d, h, mi, se, ms);
    return true;
}

struct DbCloser {
    sqlite3* db;
    ~DbCloser() { file::close(db); }
};

struct StmtFinalizer {
    sqlite3_stmt* st;
    ~StmtFinalizer() { sqlite3_finalize(st); }
};

sqlite3_stmt* prepareOrFail(sqlite3* db, const QString& sql, const QString& what)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw EngineError(QStringLiteral("%1: %2").arg(what, file::lastError(db)), sqlite3_errcode(db));
    return st;
}

QString fieldList(const TableDef& table)
{
    QStringList names;
    for (const FieldDef& f : table.fields)
        names << f.name;
    return names.join(QStringLiteral(", "));
}

// What to do about a file that is not UTF-8.
QString encodingHint()
{
    return QStringLiteral("if the file was saved in another encoding, name it with --encoding "
                          "(for example --encoding windows-1252)");
}

QString shown(const std::string& v)
{
    QString s = QString::fromUtf8(v.data(), qsizetype(v.size()));
    if (s.size() > 40)
        s = s.left(40) + QStringLiteral("…");
    return s;
}

bool tableIsEmpty(sqlite3* db, const QString& fileName)
{
    StmtFinalizer q{prepareOrFail(db, QStringLiteral("SELECT NOT EXISTS(SELECT 1 FROM records)"), fileName)};
    return sqlite3_step(q.st) == SQLITE_ROW && sqlite3_column_int(q.st, 0) == 1;
}

} // namespace

QString counted(qint64 n, const char* singular, const char* plural)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? singular : plural));
}

const TableDef& tableNamed(const QString& name)
{
    if (const TableDef* t = findTable(name))
        return *t;
    for (const TableDef& t : tables())
        if (QFileInfo(t.fileName).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return t;
    QStringList names;
    for (const TableDef& t : tables())
        names << t.fileName;
    throw Error(QStringLiteral("there is no table '%1'; the tables are %2").arg(name, names.join(QStringLiteral(", "))));
}

QString dateTimeCsv(const QDateTime& dt)
{
    if (!dt.isValid())
        return {};
    return dt.toString(dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz") : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime parseCsvDateTime(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (t.size() == 10) {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    if (t.size() > 10 && t[10] == QLatin1Char(' '))
        t[10] = QLatin1Char('T');
    QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (dt.isValid())
        return dt;
    // The form the program shows: the regional short date and long time.
    return textToDateTime(text);
}

// ---------------------------------------------------------------- export

qint64 exportTable(const QString& dir, const TableDef& table, QIODevice* out, Progress* progress, char separator,
                   CsvEncoding encoding)
{
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(QDir::toNativeSeparators(dir)));
    DbCloser db{file::open(Database::tablePath(dir, table.fileName), table, true)};
    // Key order visits the records' pages in no particular order: a bigger
    // (still bounded) page cache spares many reads of the same page.
    sqlite3_exec(db.db, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);

    QString cols;
    for (const FieldDef& f : table.fields)
        cols += (cols.isEmpty() ? QString() : QStringLiteral(", ")) + file::quote(f.name);
    // One statement: it reads one consistent state of the table, even while
    // the program writes to it.
    const QString sql = QStringLiteral("SELECT %1 FROM records ORDER BY %2")
                            .arg(cols, table.hasKey() ? QStringLiteral("yb_sortkey, yb_id") : QStringLiteral("yb_id"));
    StmtFinalizer st{prepareOrFail(db.db, sql, QStringLiteral("cannot read table %1").arg(table.fileName))};
    if (progress && Progress::wanted()) {
        StmtFinalizer count{prepareOrFail(db.db, QStringLiteral("SELECT count(*) FROM records"), table.fileName)};
        if (sqlite3_step(count.st) == SQLITE_ROW)
            progress->setTotal(sqlite3_column_int64(count.st, 0));
    }

    CsvWriter csv(out, separator, encoding);
    for (const FieldDef& f : table.fields)
        csv.field(f.name.toUtf8());
    csv.endRecord();

    const int n = int(table.fields.size());
    qint64 rows = 0;
    int rc;
    char buf[64];
    while ((rc = sqlite3_step(st.st)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            const int type = sqlite3_column_type(st.st, i);
            if (type == SQLITE_NULL) {
                csv.field("", 0);
                continue;
            }
            switch (table.fields[i].type) {
            case FieldType::Integer:
            case FieldType::SmallInt: {
                const auto r = std::to_chars(buf, buf + sizeof buf, sqlite3_column_int64(st.st, i));
                csv.field(buf, r.ptr - buf);
                break;
            }
            case FieldType::DateTime: {
                const char* p = reinterpret_cast<const char*>(sqlite3_column_text(st.st, i));
                const int len = sqlite3_column_bytes(st.st, i);
                // Stored as yyyy-MM-ddTHH:mm:ss.zzz; shown with a blank, without zero milliseconds.
                if (len == 23 && p[10] == 'T' && p[19] == '.') {
                    std::copy(p, p + len, buf);
                    buf[10] = ' ';
                    csv.field(buf, (p[20] == '0' && p[21] == '0' && p[22] == '0') ? 19 : 23);
                } else {
                    const QDateTime dt = QDateTime::fromString(QString::fromUtf8(p, len), Qt::ISODateWithMs);
                    csv.field(dt.isValid() ? dateTimeCsv(dt).toUtf8() : QByteArray(p, len));
                }
                break;
            }
            case FieldType::Text:
            case FieldType::Memo:
                csv.field(reinterpret_cast<const char*>(sqlite3_column_text(st.st, i)), sqlite3_column_bytes(st.st, i));
                break;
            }
        }
        csv.endRecord();
        ++rows;
        if (progress)
            progress->update(rows);
    }
    if (rc != SQLITE_DONE)
        throw EngineError(QStringLiteral("cannot read table %1: %2").arg(table.fileName, file::lastError(db.db)), rc);
    csv.flush();
    return rows;
}

// ---------------------------------------------------------------- import

RecordWriter::RecordWriter(const QString& dir, const TableDef& table, const QStringList& columns, bool replace,
                           ExistingKeys existing)
    : table_(table), existingKeys_(existing), columnCount_(columns.size())
{
    columnOf_.assign(size_t(table.fields.size()), -1);
    for (int c = 0; c < columns.size(); ++c) {
        const FieldDef* f = table.field(columns[c]);
        if (!f)
            throw Error(QStringLiteral("line 1: the header names a field '%1' that %2 does not have (its fields are %3)")
                            .arg(columns[c], table.fileName, fieldList(table)));
        const int i = int(f - table.fields.constData());
        if (columnOf_[size_t(i)] >= 0)
            throw Error(QStringLiteral("line 1: the header names the field '%1' twice").arg(f->name));
        columnOf_[size_t(i)] = c;
    }
    for (int i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].required && columnOf_[size_t(i)] < 0)
            throw Error(QStringLiteral("line 1: the header lacks the required field '%1'").arg(table.fields[i].name));
        if (table.hasKey() && table.fields[i].name == table.keyField)
            keyIndex_ = i;
    }

    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(QDir::toNativeSeparators(dir)));
    db_ = file::open(Database::tablePath(dir, table.fileName), table, false);
    try {
        // A large import touches many pages; a bigger cache keeps the index in memory.
        file::exec(db_, "PRAGMA cache_size=-65536");
        // The order index is sorted at the end; a second core may share that work.
        file::exec(db_, "PRAGMA threads=2");
        if (replace || tableIsEmpty(db_, table.fileName)) {
            // Filling an empty table: with a rollback journal every page is
            // written once, where the write-ahead log writes it twice (into
            // the log, then into the table). Only when nobody else has the
            // table open; the log comes back when the import ends.
            sqlite3_busy_timeout(db_, 0);
            StmtFinalizer q{nullptr};
            if (sqlite3_prepare_v2(db_, "PRAGMA journal_mode=DELETE", -1, &q.st, nullptr) == SQLITE_OK &&
                sqlite3_step(q.st) == SQLITE_ROW)
                journalSwitched_ = qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)), "delete") == 0;
            sqlite3_busy_timeout(db_, 5000);
        }
        if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw EngineError(QStringLiteral("cannot write to table %1: %2").arg(table.fileName, file::lastError(db_)),
                              sqlite3_errcode(db_));
        inTransaction_ = true;
        if (replace)
            file::exec(db_, "DELETE FROM records");
        // Into an empty table, building the order index once at the end is
        // much faster than keeping it up to date record by record. Unique
        // indexes stay: they catch repeated values as they come.
        const bool empty = tableIsEmpty(db_, table.fileName);
        if (!empty && keyIndex_ >= 0) {
            // Keys are looked up among the records that were there before, so
            // that a key repeated inside the file is not taken for one of them.
            StmtFinalizer q{prepareOrFail(db_, QStringLiteral("SELECT max(yb_id) FROM records"), table.fileName)};
            if (sqlite3_step(q.st) == SQLITE_ROW)
                lastIdBefore_ = sqlite3_column_int64(q.st, 0);
            exists_ = prepareOrFail(db_,
                                    QStringLiteral("SELECT 1 FROM records WHERE yb_sortkey = ?1 AND yb_id <= ?2 LIMIT 1"),
                                    table.fileName);
        }
        if (empty) {
            StmtFinalizer q{prepareOrFail(db_,
                                          QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND "
                                                         "tbl_name = 'records' AND sql IS NOT NULL AND "
                                                         "sql NOT LIKE 'CREATE UNIQUE%'"),
                                          table.fileName)};
            QStringList names;
            while (sqlite3_step(q.st) == SQLITE_ROW) {
                names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)));
                recreate_ << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 1)));
            }
            for (const QString& name : names)
                file::exec(db_, QStringLiteral("DROP INDEX %1").arg(file::quote(name)).toUtf8().constData());
        }
        QString cols = QStringLiteral("yb_rev, yb_sortkey");
        QString params = QStringLiteral("1, ?1");
        for (int i = 0; i < table.fields.size(); ++i) {
            cols += QStringLiteral(", ") + file::quote(table.fields[i].name);
            params += QStringLiteral(", ?%1").arg(i + 2);
        }
        insert_ = prepareOrFail(db_, QStringLiteral("INSERT INTO records(%1) VALUES(%2)").arg(cols, params),
                                QStringLiteral("cannot write to table %1").arg(table.fileName));
        QString rows;
        const int stride = int(table.fields.size()) + 1;
        for (int k = 0; k < kBatch; ++k) {
            rows += k ? QStringLiteral(", (1") : QStringLiteral("(1");
            for (int i = 1; i <= stride; ++i)
                rows += QStringLiteral(", ?%1").arg(k * stride + i);
            rows += QLatin1Char(')');
        }
        // Bound values point into these records: they must never move.
        pending_.reserve(size_t(kBatch));
        batch_ = prepareOrFail(db_, QStringLiteral("INSERT INTO records(%1) VALUES %2").arg(cols, rows),
                               QStringLiteral("cannot write to table %1").arg(table.fileName));
    } catch (...) {
        rollback();
        file::close(db_);
        db_ = nullptr;
        throw;
    }
}

RecordWriter::~RecordWriter()
{
    rollback();
    file::close(db_);
}

void RecordWriter::rollback()
{
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_finalize(exists_);
    exists_ = nullptr;
    sqlite3_finalize(batch_);
    batch_ = nullptr;
    if (inTransaction_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    restoreJournal();
}

void RecordWriter::restoreJournal()
{
    if (!journalSwitched_ || !db_)
        return;
    // A table left with a rollback journal (when another process opened it
    // meanwhile and holds it) is still whole and durable, only without the log.
    journalSwitched_ = false;
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

bool RecordWriter::keyExists(const QByteArray& key)
{
    sqlite3_reset(exists_);
    sqlite3_bind_blob(exists_, 1, key.constData(), int(key.size()), SQLITE_STATIC);
    sqlite3_bind_int64(exists_, 2, lastIdBefore_);
    const int rc = sqlite3_step(exists_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw EngineError(QStringLiteral("cannot read table %1: %2").arg(table_.fileName, file::lastError(db_)), rc);
    const bool found = rc == SQLITE_ROW;
    sqlite3_reset(exists_);
    return found;
}

void RecordWriter::refuse(qint64 row, qint64 line, const QString& field, const QString& problem)
{
    rollback();
    if (field.isEmpty())
        throw Error(QStringLiteral("row %1 (line %2): %3").arg(row).arg(line).arg(problem));
    throw Error(QStringLiteral("row %1 (line %2), field '%3': %4").arg(row).arg(line).arg(field, problem));
}

namespace {
// A record that breaks a rule of the table: the field (empty: the record) and the problem.
struct Invalid {
    QString field;
    QString problem;
};
} // namespace

bool RecordWriter::bindRecord(sqlite3_stmt* st, int base, const std::vector<std::string>& values, qint64 row,
                              QByteArray& key)
{
    // `values` and `key` stay as they are until the statement has run.
    const sqlite3_destructor_type keep = SQLITE_STATIC;
    static const char empty[] = "";
    key.clear();
    for (int i = 0; i < table_.fields.size(); ++i) {
        const FieldDef& f = table_.fields[i];
        const int col = columnOf_[size_t(i)];
        const std::string* v = col >= 0 ? &values[size_t(col)] : nullptr;
        const int param = base + i + 2;
        if (!v || v->empty()) {
            // The store keeps an empty text as an empty field.
            if (f.required)
                throw Invalid{f.name, QStringLiteral("the field must have a value")};
            sqlite3_bind_null(st, param);
            continue;
        }
        switch (f.type) {
        case FieldType::Text:
        case FieldType::Memo: {
            const qsizetype chars = utf8Chars(*v);
            if (chars < 0)
                throw Invalid{f.name, QStringLiteral("the text is not valid UTF-8; %1").arg(encodingHint())};
            if (f.type == FieldType::Text && chars > f.size)
                throw Invalid{f.name, QStringLiteral("the text has %1 characters, more than the %2 the field holds")
                                          .arg(chars)
                                          .arg(f.size)};
            sqlite3_bind_text(st, param, v->data(), int(v->size()), keep);
            if (i == keyIndex_)
                key = sortKeyUtf8(v->data(), qsizetype(v->size()));
            break;
        }
        case FieldType::Integer:
        case FieldType::SmallInt: {
            const auto n = tryTextToInt(QString::fromUtf8(v->data(), qsizetype(v->size())));
            if (!n)
                throw Invalid{f.name, QStringLiteral("'%1' is not a valid integer value").arg(shown(*v))};
            if (f.type == FieldType::SmallInt && (*n < -32768 || *n > 32767))
                throw Invalid{f.name, QStringLiteral("%1 is out of the allowed range -32768 to 32767").arg(*n)};
            sqlite3_bind_int64(st, param, *n);
            break;
        }
        case FieldType::DateTime: {
            char stored[64];
            if (fastDateTime(*v, stored)) {
                sqlite3_bind_text(st, param, stored, 23, SQLITE_TRANSIENT);
                break;
            }
            const QDateTime dt = parseCsvDateTime(QString::fromUtf8(v->data(), qsizetype(v->size())));
            if (!dt.isValid())
                throw Invalid{f.name,
                              QStringLiteral("'%1' is not a date and time (write it as YYYY-MM-DD HH:MM:SS)").arg(shown(*v))};
            file::bind(st, param, QVariant(dt), f.type);
            break;
        }
        }
    }
    if (exists_ && !key.isEmpty() && keyExists(key)) {
        if (existing_++ == 0) {
            firstExistingRow_ = row;
            firstExistingKey_ = shown(values[size_t(columnOf_[size_t(keyIndex_)])]);
        }
        return false;
    }
    if (keyIndex_ >= 0)
        sqlite3_bind_blob(st, base + 1, key.constData(), int(key.size()), keep);
    else
        sqlite3_bind_blob(st, base + 1, empty, 0, SQLITE_STATIC);
    return true;
}

void RecordWriter::insertOne(const std::vector<std::string>& values, qint64 row, qint64 line)
{
    sqlite3_stmt* st = insert_;
    sqlite3_reset(st);
    try {
        if (!bindRecord(st, 0, values, row, key_))
            return;
    } catch (const Invalid& e) {
        refuse(row, line, e.field, e.problem);
    }
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(db_);
        if (code == SQLITE_CONSTRAINT_UNIQUE) {
            for (const QString& ix : table_.lookupIndexes) {
                const FieldDef* f = table_.field(ix);
                const int col = f ? columnOf_[size_t(f - table_.fields.constData())] : -1;
                if (col >= 0)
                    refuse(row, line, f->name,
                           QStringLiteral("another record already has the value %1")
                               .arg(shown(values[size_t(col)])));
            }
        }
        refuse(row, line, {}, QStringLiteral("the table refuses the record: %1").arg(file::lastError(db_)));
    }
    sqlite3_reset(st);
    ++written_;
}

void RecordWriter::insertPendingOneByOne()
{
    // Record by record, so that a refusal names its record. Their keys were
    // counted already when they were bound to the batch.
    const qint64 counted = existing_;
    for (qsizetype k = 0; k < pendingCount_; ++k)
        insertOne(pending_[size_t(k)].values, pending_[size_t(k)].row, pending_[size_t(k)].line);
    existing_ = counted;
    pendingCount_ = 0;
}

void RecordWriter::add(const std::vector<std::string>& values, qint64 row, qint64 line)
{
    if (!inTransaction_)
        throw Error(QStringLiteral("the import has already ended"));
    if (qsizetype(values.size()) != columnCount_) {
        insertPendingOneByOne();
        refuse(row, line, {},
               QStringLiteral("it has %1 where the header names %2")
                   .arg(counted(qint64(values.size()), "field", "fields"), counted(columnCount_, "field", "fields")));
    }
    if (!batch_) {
        insertOne(values, row, line);
        return;
    }
    // Records go in batches: one statement for many records costs the
    // engine much less than one statement each.
    // Their values are kept here, bound in place, until the batch is written.
    const int stride = int(table_.fields.size()) + 1;
    if (qsizetype(pending_.size()) <= pendingCount_)
        pending_.emplace_back();
    Pending& p = pending_[size_t(pendingCount_)];
    p.values = values;
    p.row = row;
    p.line = line;
    try {
        if (!bindRecord(batch_, int(pendingCount_) * stride, p.values, row, p.key))
            return;
    } catch (const Invalid& e) {
        // An earlier record of the batch may break a rule first.
        insertPendingOneByOne();
        refuse(row, line, e.field, e.problem);
    }
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

qint64 RecordWriter::commit()
{
    if (!inTransaction_)
        throw Error(QStringLiteral("the import has already ended"));
    insertPendingOneByOne();
    if (existing_ > 0 && existingKeys_ == ExistingKeys::Refuse) {
        rollback();
        throw Error(QStringLiteral("%1 of the file %2 already in the table (the first: '%3', row %4). "
                                   "Run the import again with --skip-existing to keep "
                                   "the table's records and add only the others, or with --replace to replace "
                                   "all the records of the table by those of the file")
                        .arg(counted(existing_, "record", "records"),
                             existing_ == 1 ? QStringLiteral("has a key that is") : QStringLiteral("have keys that are"),
                             firstExistingKey_)
                        .arg(firstExistingRow_));
    }
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_finalize(exists_);
    exists_ = nullptr;
    sqlite3_finalize(batch_);
    batch_ = nullptr;
    try {
        for (const QString& sql : recreate_)
            file::exec(db_, sql.toUtf8().constData());
        file::exec(db_, "COMMIT");
    } catch (const Error& e) {
        rollback();
        throw EngineError(QStringLiteral("cannot write to table %1: %2").arg(table_.fileName, e.message()));
    }
    inTransaction_ = false;
    if (journalSwitched_) {
        restoreJournal();
    } else {
        // Give back the space of the write-ahead log (the program may be reading: then later).
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    }
    return written_;
}

ImportResult importTable(const QString& dir, const TableDef& table, QIODevice* in, const ImportOptions& options,
                         Progress* progress)
{
    if (options.existing == ExistingKeys::Skip && !table.hasKey())
        throw Error(QStringLiteral("%1 has no key field, so there are no existing keys to skip").arg(table.fileName));
    CsvReader reader(in, options.separator, options.encoding);
    std::vector<std::string> record;
    if (!reader.next(record))
        throw Error(QStringLiteral("the file is empty: its first line must name the fields"));
    QStringList columns;
    for (const std::string& c : record) {
        if (utf8Chars(c) < 0)
            throw Error(QStringLiteral("line 1: the header is not valid UTF-8; %1").arg(encodingHint()));
        columns << QString::fromUtf8(c.data(), qsizetype(c.size()));
    }
    RecordWriter writer(dir, table, columns, options.replace, options.existing);
    qint64 row = 0;
    for (;;) {
        bool more;
        try {
            more = reader.next(record);
        } catch (const Error& e) {
            throw Error(QStringLiteral("row %1, %2").arg(row + 1).arg(e.message()));
        }
        if (!more)
            break;
        writer.add(record, ++row, reader.line());
        if (progress)
            progress->update(reader.position());
    }
    ImportResult result;
    if (progress) {
        progress->setLabel(QStringLiteral("Writing %1").arg(table.fileName));
        result.imported = progress->during(reader.position(), [&writer] { return writer.commit(); });
    } else {
        result.imported = writer.commit();
    }
    result.skipped = writer.existing();
    return result;
}

qint64 importTable(const QString& dir, const TableDef& table, QIODevice* in, bool replace, Progress* progress)
{
    ImportOptions options;
    options.replace = replace;
    return importTable(dir, table, in, options, progress).imported;
}

} // namespace yb::admin
