#pragma once
// The boundary between the table store and the engine that keeps the records.
//
// An Engine is one database, named by a location string: a directory of table
// files, or a URI whose scheme names a server engine. It creates and opens the
// fourteen tables of the catalogue. An EngineTable is one open table: it reads
// records in order, by id, by key range and by equal value, and writes them.
// Above this boundary nothing knows which engine is in use: each engine
// registers itself for its locations (registerDirectoryEngine,
// registerServerEngine), and what every engine does alike (the check of the
// records, the backup) is written once here, on the interface.
//
// Values cross the boundary as QVariant by the field's FieldType: Text and
// Memo a QString, Integer and SmallInt an integer (read as int, or as qint64
// when a damaged table holds more than an int; written from int or qint64),
// DateTime a QDateTime; a null QVariant is an empty field. The engine does not check or
// convert values beyond that (FieldRules.h does, above it).
//
// Order: every record has an id (growing with each insert, never reused) and a
// revision (1 when written, one more at each update), and in tables with an
// index field a sort key: the bytes of yb::sortKey() of the key value,
// computed above the engine, and read back as they were given (an engine may
// keep them in a form of the same order: table files keep the compact key).
// Key order is (sort key, id), compared byte by byte; table order is by id.
//
// Errors: the engine raises yb::EngineError carrying its own message (without
// a table name; callers add what they were doing) and its error code.

#include "store/Catalogue.h"
#include "store/Errors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace yb {

// A place in an order: (sort key, id). Empty when it names no record.
struct Bookmark {
    QByteArray sortKey; // empty for tables without an index field
    qint64 rowId = 0;   // 0: none
    bool isValid() const { return rowId != 0; }
    bool operator==(const Bookmark& o) const { return rowId == o.rowId && sortKey == o.sortKey; }
};

enum class RecordOrder {
    Key,   // (sort key, id)
    Table, // id: the order of insertion
};

// One record as read: its place, its revision and the values of the columns
// that were asked for, in the order asked.
struct StoredRecord {
    qint64 id = 0;
    qint64 revision = 0;
    QByteArray sortKey;
    QVariantList values;
    Bookmark place() const { return {sortKey, id}; }
};

// Columns are given as indexes into TableDef::fields of the opened table.
using Columns = QList<int>;

// What a search requires of a record. All conditions hold together.
struct RecordFilter {
    // Sort key range: lo <= key < hi (a bound left empty is open). With
    // keyEquals the key must equal lo exactly (hi is ignored).
    QByteArray keyLo, keyHi;
    bool keyEquals = false;
    bool hasKeyRange = false;
    // Fields that must hold exactly a value (a null QVariant: must be empty).
    struct Equal {
        int column = 0;
        QVariant value;
    };
    QList<Equal> equals;
};

// The outcome of an insert or an update.
struct WriteResult {
    enum Outcome {
        Written,      // id and revision are those of the record now stored
        Changed,      // update refused: someone else changed the record since `revision`
        Deleted,      // update refused: the record is gone
        DuplicateKey, // refused by a unique index; `field` names its field when known
    };
    Outcome outcome = Written;
    qint64 id = 0;
    qint64 revision = 0;
    QString field;   // DuplicateKey: the field of the unique index
    QString message; // DuplicateKey: the engine's own message
    // Written, but by an earlier attempt whose answer was lost: the server
    // was found holding exactly this write (insertOnce, update).
    bool alreadyStored = false;
    // Written: the record as now stored, in the columns written, when the
    // engine read it back with the write itself (a server does, so that a
    // post costs one round trip); else the caller reads it if it needs it.
    std::optional<StoredRecord> record;
};

// Codes of the EngineError of a write whose answer was lost: the server was
// asked afterwards and does not hold it, or could not be asked.
constexpr int kWriteNotStored = 0x5701;
constexpr int kWriteUnknown = 0x5702;

// A refusal of one record in a bulk insert: the tag the caller gave it, the
// field at fault when known (a unique index), and the engine's message.
class BulkRefusal : public EngineError {
public:
    BulkRefusal(QString message, qint64 tag, QString field, QVariant value, int code = 0)
        : EngineError(std::move(message), code), tag_(tag), field_(std::move(field)), value_(std::move(value))
    {
    }
    qint64 tag() const { return tag_; }
    const QString& field() const { return field_; }  // empty: not a unique index
    const QVariant& value() const { return value_; } // the value of `field` in the refused record

private:
    qint64 tag_;
    QString field_;
    QVariant value_;
};

// Many records written into one table in one transaction, as an import does.
// Records may be sent to the engine in batches; a record refused is reported
// (as BulkRefusal) by the add() or commit() that sends it, with its tag, and
// then nothing of the bulk stays. The destructor rolls back unless committed.
// A bulk insert ends before the table that began it is closed.
class BulkInsert {
public:
    virtual ~BulkInsert() = default;
    // `values` hold every field of the table in TableDef order. Text and Memo
    // may be given as a QByteArray of valid UTF-8 (no conversion is made).
    virtual void add(const QVariantList& values, const QByteArray& sortKey, qint64 tag) = 0;
    // True when a record with this sort key was in the table when the bulk began.
    virtual bool keyExistedBefore(const QByteArray& sortKey) = 0;
    // Writes the records added so far (a refusal names its record). A refused
    // record is reported no later than 1,024 records after its add().
    virtual void flush() = 0;
    // Writes what is pending and makes it permanent; returns the records added.
    virtual qint64 commit() = 0;
    virtual void rollback() = 0;
};

// Reading one row of a scan: return false to stop.
using RecordVisitor = std::function<bool(const StoredRecord&)>;

class EngineTable {
public:
    virtual ~EngineTable() = default;

    // The catalogue's table, and the fields as the stored table declares them
    // (checked against the catalogue when the table was opened).
    virtual const TableDef& def() const = 0;
    virtual QList<FieldDef> storedFields() const = 0;

    // ---- reading
    // Up to `limit` records after (forward) or before (backward) `from` in
    // `order`; from an invalid place, from the start (forward) or the end.
    virtual QList<StoredRecord> read(const Columns& columns, RecordOrder order, const Bookmark& from, bool forward,
                                     int limit) = 0;
    // Up to `before` records before `place` (nearest first) and up to
    // `after` records after it, in `order`: the rows around a record that a
    // grid shows. A server reads both in one statement.
    virtual std::pair<QList<StoredRecord>, QList<StoredRecord>> readAround(const Columns& columns, RecordOrder order,
                                                                           const Bookmark& place, int before, int after)
    {
        return {read(columns, order, place, false, before), read(columns, order, place, true, after)};
    }
    // The record with this id, if it is there.
    virtual std::optional<StoredRecord> readById(const Columns& columns, qint64 id) = 0;
    // Records matching `filter`, in `order` (forward), visited one by one.
    virtual void find(const Columns& columns, const RecordFilter& filter, RecordOrder order,
                      const RecordVisitor& visit) = 0;
    // Every record in `order`, visited one by one (exports, reports, copies).
    void scan(const Columns& columns, RecordOrder order, const RecordVisitor& visit)
    {
        find(columns, RecordFilter{}, order, visit);
    }
    virtual qint64 count() = 0;
    virtual bool isEmpty() = 0; // without counting them all

    // ---- writing (each one durable on its own unless inside a transaction)
    // Inserts a record: `columns` and `values` side by side; fields not given
    // are empty. Returns Written with the new id and revision, or DuplicateKey.
    virtual WriteResult insert(const Columns& columns, const QVariantList& values, const QByteArray& sortKey) = 0;
    // Updates the record `id` only if its revision is still `revision`. Fields
    // not given keep their values; the sort key changes only when given.
    virtual WriteResult update(qint64 id, qint64 revision, const Columns& columns, const QVariantList& values,
                               const std::optional<QByteArray>& sortKey) = 0;
    // An insert carrying `token`, an id made by the caller and unique in the
    // table, hidden from the fields: when the answer is lost, or the same token
    // comes again, the record that holds it is returned as Written with
    // alreadyStored, never stored twice. An engine whose writes cannot lose
    // their answer (table files on this machine) simply inserts.
    virtual WriteResult insertOnce(const Columns& columns, const QVariantList& values, const QByteArray& sortKey,
                                   const QString& token)
    {
        Q_UNUSED(token);
        return insert(columns, values, sortKey);
    }
    // Deletes the record `id`; false when it was not there.
    virtual bool remove(qint64 id) = 0;
    // Deletes every record.
    virtual void clear() = 0;

    // ---- transactions (see Transaction below)
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;

    // ---- bulk
    // Starts a bulk insert; with `replace` every record is deleted first, in
    // the same transaction.
    virtual std::unique_ptr<BulkInsert> bulkInsert(bool replace) = 0;

    // ---- checking
    // The engine's own check of the table's storage (pages, indexes), one
    // sentence a problem, without the table's name. Raises EngineError when
    // the check cannot run.
    virtual QStringList checkStorage() { return {}; }
};

// A transaction on one table: begun at construction, rolled back at
// destruction unless committed.
class Transaction {
public:
    explicit Transaction(EngineTable& table) : table_(table) { table_.begin(); }
    ~Transaction()
    {
        if (open_)
            table_.rollback();
    }
    void commit()
    {
        table_.commit();
        open_ = false;
    }
    void rollback() noexcept
    {
        if (open_)
            table_.rollback();
        open_ = false;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    EngineTable& table_;
    bool open_ = true;
};

// Reports the progress of a long operation: done out of total (units chosen by the engine).
using ProgressFunction = std::function<void(qint64 done, qint64 total)>;

// Every table of the catalogue open for reading (in the order of tables()),
// all showing the database as it was at one moment, whatever others write
// meanwhile, for as long as the snapshot lives.
struct Snapshot {
    virtual ~Snapshot() = default;
    std::vector<std::unique_ptr<EngineTable>> tables;
};

struct BackupTableResult {
    QString table;
    qint64 records = 0;
    qint64 bytes = 0;
};

class Engine {
public:
    virtual ~Engine() = default;

    // The location as given, for messages ("/home/ana/.local/share/yerbalis",
    // "postgresql://caja@servidor/yerbalis" without its password).
    virtual QString location() const = 0;
    // "SQLite", "PostgreSQL".
    virtual QString name() const = 0;

    // True when the database exists (a directory present, a server reachable
    // with the database); creates nothing.
    virtual bool exists() const = 0;
    // The catalogue's tables present in the database.
    virtual bool hasTable(const TableDef& table) const = 0;
    // Where the table a screen names (any spelling of its name) is, for
    // messages: the path of its file in a directory, the server's database
    // and the table's name on a server. Every spelling gives the same.
    virtual QString tableLocation(const QString& tableAsWritten) const = 0;
    // Creates the database when needed and every missing table of the catalogue;
    // existing tables are left as they are. Raises EngineError on failure.
    virtual void createTables() = 0;
    virtual void createTable(const TableDef& table) = 0;
    // Checks the schema and the integrity of one table: it opens as the
    // catalogue's table, its storage passes the engine's own check, and every
    // record has its required fields, texts within size, integers in range and
    // the sort key of its key value. Returns the problems, one sentence each.
    QStringList checkTable(const TableDef& table);
    // The same for every table of the catalogue.
    QStringList check()
    {
        QStringList problems;
        for (const TableDef& t : tables())
            problems += checkTable(t);
        return problems;
    }

    // Forgets what the engine keeps of its tables' schemas (a server's reads
    // them once for all tables), so that the next opening reads them anew,
    // as a check must, whatever others changed meanwhile.
    virtual void forgetSchema() {}

    // Opens a table of the catalogue. Raises EngineError when it is missing or
    // is not the catalogue's table.
    virtual std::unique_ptr<EngineTable> openTable(const TableDef& table, bool readOnly = false) = 0;

    // Every table open for reading at one moment (see Snapshot). Table files:
    // a read transaction on every file, each begun by a first read, all before
    // anything is read further; a server: one repeatable-read transaction.
    virtual std::unique_ptr<Snapshot> snapshot() = 0;

    // A consistent copy of every table into the directory `destination` as
    // table files (the directory must not hold tables yet), taken from one
    // snapshot while others may be writing, by the same copy as copyTables
    // (TableCopy.h). Progress counts records. Raises EngineError and leaves
    // nothing of it in `destination` on failure.
    QList<BackupTableResult> backup(const QString& destination, const ProgressFunction& progress = {});
};

// The engine for a location: a URI ("scheme://...") opens with the server
// engine registered for its scheme, anything else is a directory of table
// files. Raises EngineError when no engine of this build serves the location
// or the engine cannot reach it.
std::unique_ptr<Engine> openEngine(const QString& location);
// True for a URI with a scheme ("postgresql://caja@servidor/yerbalis").
bool isServerLocation(const QString& location);

// Each engine registers its opening function for the locations it serves,
// from its own unit at static initialisation (nothing else names it): one
// engine for directories, any number of server engines, one per URI scheme
// (matched without regard to case). A null opener removes the registration.
using EngineOpener = std::unique_ptr<Engine> (*)(const QString& location);
void registerDirectoryEngine(EngineOpener opener);
void registerServerEngine(const QString& scheme, EngineOpener opener);

} // namespace yb
