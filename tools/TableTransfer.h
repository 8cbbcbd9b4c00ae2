#pragma once
// Export of a table to CSV and import from CSV. The first record of the CSV
// names the fields; values are in their text form: texts and memos as stored,
// integers as decimal digits, dates and times as YYYY-MM-DD HH:MM:SS (with
// .mmm when the milliseconds are not zero), an empty field for an empty value.
//
// An import writes every record in one transaction: either all records are
// added or, on the first record that breaks a rule of the table, none is and
// the error names the record, the field and the problem.
//
// A record whose key (the table's index field) the table already has is not
// added twice silently: by default the import is refused and the message
// counts those records; the caller may skip them or replace the table.

#include "tools/Csv.h"

#include "store/Catalogue.h"
#include "store/Engine.h"

#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace yb::admin {

class Progress;

// The catalogue's table for a name as the user typed it (without regard to
// case, with or without the extension). Raises yb::Error listing the tables.
const TableDef& tableNamed(const QString& name);

// Writes the records of `table` in `dir` as CSV to `out`, in the table's own
// order (key order for tables with an index field). Texts that a spreadsheet
// would run as formulas get an apostrophe in front (see needsFormulaGuard)
// unless `guardFormulas` is false. Returns the record count.
qint64 exportTable(const QString& dir, const TableDef& table, QIODevice* out, Progress* progress = nullptr,
                   char separator = ',', CsvEncoding encoding = CsvEncoding::Utf8, bool guardFormulas = true);

// What an import does with a record of the file whose key the table already
// holds (in a record that was there before the import).
enum class ExistingKeys {
    Refuse, // nothing is imported; the error counts such records
    Skip,   // the table's record stays, the file's is left out
};

struct ImportOptions {
    bool replace = false; // delete the table's records first (in the same transaction)
    ExistingKeys existing = ExistingKeys::Refuse;
    char separator = 0; // 0: the header line's own
    CsvEncoding encoding = CsvEncoding::Utf8;
    // Remove the apostrophe that the export puts before a formula-looking text
    // (see removeFormulaGuard); false takes every text as it stands.
    bool guardFormulas = true;
};

struct ImportResult {
    qint64 imported = 0;
    qint64 skipped = 0; // records left out because their key was in the table
};

// Adds the records of a CSV to `table` in `dir` as `options` say.
ImportResult importTable(const QString& dir, const TableDef& table, QIODevice* in, const ImportOptions& options,
                         Progress* progress = nullptr);
// The same with the default options but `replace`; returns the number imported.
qint64 importTable(const QString& dir, const TableDef& table, QIODevice* in, bool replace,
                   Progress* progress = nullptr);

// "1 record", "2 records": a count with its noun in the right number.
QString counted(qint64 n, const char* singular, const char* plural);

// Writes records given as texts, checked by the table's rules, in one
// transaction. Used by the import and by the demonstration data.
class RecordWriter {
public:
    // `columns` are field names as a CSV header gives them. Raises yb::Error
    // when a name is unknown or repeated, or a required field has no column.
    // `dir` is a database location: a directory or a server URI.
    RecordWriter(const QString& dir, const TableDef& table, const QStringList& columns, bool replace,
                 ExistingKeys existing = ExistingKeys::Refuse);
    ~RecordWriter(); // rolls back unless committed
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Checks and writes one record (UTF-8 texts, one per column). `row` and
    // `line` only name the record in an error. On error raises yb::Error and
    // the table is left unchanged.
    void add(const std::vector<std::string>& values, qint64 row, qint64 line);
    // Writes the records added so far: a record the table refuses raises yb::Error as add() does.
    void flush() { flushPending(); }
    // Makes the records permanent. Returns the count written. Raises yb::Error
    // (and writes nothing) when records with keys already in the table came
    // and they were to be refused.
    qint64 commit();
    // Records left out (or, when refused, met) because the table had their key.
    qint64 existing() const { return existing_; }
    // Whether the table tells the records it holds from new ones: by its
    // index field or by a field with unique values.
    static bool hasIdentity(const TableDef& table);

private:
    [[noreturn]] void refuse(qint64 row, qint64 line, const QString& field, const QString& problem);
    [[noreturn]] void refused(const BulkRefusal& r);
    void flushPending(); // writes the records sent so far; a refusal names its record
    void rollback();

    // The lines of the last records added, by row: a refusal names its record
    // by row, within the last 1,024 added.
    static constexpr qint64 kLines = 4096;

    const TableDef& table_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<EngineTable> store_;
    std::unique_ptr<BulkInsert> bulk_; // null once committed or refused
    std::vector<qint64> lines_;
    QByteArray key_;
    ExistingKeys existingKeys_;
    qint64 existing_ = 0;
    qint64 firstExistingRow_ = 0;
    QString firstExistingKey_;
    std::vector<int> columnOf_; // for each field of the table: its column, or -1
    qsizetype columnCount_ = 0;
    int keyIndex_ = -1;
    // A table without an index field may still have a field whose values are
    // unique (Producto.db's Codigo): it tells the records already there.
    int uniqueIndex_ = -1;
    QSet<QString> uniqueBefore_; // its values in the table before the import
};

// The CSV text form of a stored date-time, and back; an invalid QDateTime
// when the text is not a date.
QString dateTimeCsv(const QDateTime& dt);
QDateTime parseCsvDateTime(const QString& text);

} // namespace yb::admin
