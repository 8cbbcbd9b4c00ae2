#pragma once
// Export of a table to CSV and import from CSV. The first record of the CSV
// names the fields; values are in their text form: texts and memos as stored,
// integers as decimal digits, dates and times as YYYY-MM-DD HH:MM:SS (with
// .mmm when the milliseconds are not zero), an empty field for an empty value.
//
// An import writes every record in one transaction: either all records are
// added or, on the first record that breaks a rule of the table, none is and
// the error names the record, the field and the problem.

#include "Catalogue.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace yb::admin {

class Progress;

// The catalogue's table for a name as the user typed it (without regard to
// case, with or without the extension). Raises yb::Error listing the tables.
const TableDef& tableNamed(const QString& name);

// Writes the records of `table` in `dir` as CSV to `out`, in the table's own
// order (key order for tables with an index field). Returns the record count.
qint64 exportTable(const QString& dir, const TableDef& table, QIODevice* out, Progress* progress = nullptr);

// Adds the records of a CSV to `table` in `dir`; with `replace`, the records
// already in the table are deleted first (in the same transaction). Returns
// the number of records imported.
qint64 importTable(const QString& dir, const TableDef& table, QIODevice* in, bool replace,
                   Progress* progress = nullptr);

// Writes records given as texts, checked by the table's rules, in one
// transaction. Used by the import and by the demonstration data.
class RecordWriter {
public:
    // `columns` are field names as a CSV header gives them. Raises yb::Error
    // when a name is unknown or repeated, or a required field has no column.
    RecordWriter(const QString& dir, const TableDef& table, const QStringList& columns, bool replace);
    ~RecordWriter(); // rolls back unless committed
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Checks and writes one record (UTF-8 texts, one per column). `row` and
    // `line` only name the record in an error. On error raises yb::Error and
    // the table is left unchanged.
    void add(const std::vector<std::string>& values, qint64 row, qint64 line);
    // Makes the records permanent. Returns the count written.
    qint64 commit();

private:
    [[noreturn]] void refuse(qint64 row, qint64 line, const QString& field, const QString& problem);
    void rollback();

    const TableDef& table_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    bool inTransaction_ = false;
    QStringList recreate_;      // indexes dropped for the import, built again at commit
    std::vector<int> columnOf_; // for each field of the table: its column, or -1
    qsizetype columnCount_ = 0;
    int keyIndex_ = -1;
    qint64 written_ = 0;
};

// The CSV text form of a stored date-time, and back; an invalid QDateTime
// when the text is not a date.
QString dateTimeCsv(const QDateTime& dt);
QDateTime parseCsvDateTime(const QString& text);

} // namespace yb::admin
