#pragma once
// The on-disk form of one table: one SQLite database holding the table's
// records in `records`, its own field list in `yerbalis_fields` and its name
// and key in `yerbalis_table`. Internal to the store.

#include "store/Catalogue.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace yb::sqlite {

constexpr int kApplicationId = 0x59455242; // "YERB"
// Format 1 stores each record's sort key as given (yb::sortKey) in the
// column yb_sortkey; format 2, which new files have, stores its compact form
// (yb::compactSortKey) in the column yb_key: the same order in a third of the
// space, in the record and in its index. The other name keeps a program that
// knows only the first format from taking one key for the other: it refuses
// the file.
constexpr int kCompactKeys = 2;
constexpr int kFormatVersion = kCompactKeys;
inline const char* sortKeyColumn(int formatVersion) { return formatVersion >= kCompactKeys ? "yb_key" : "yb_sortkey"; }

// Opens an existing table file and checks that it is the catalogue's table.
// Raises EngineError with a clear message when the file is missing, cannot be
// read, or is not this table. Never modifies a file that fails the checks.
// `formatVersion` receives the file's format (1 for files made before it was kept).
sqlite3* open(const QString& path, const TableDef& table, bool readOnly, QList<FieldDef>* fileFields = nullptr,
              int* formatVersion = nullptr);

// Creates the table file at `path` (written beside it and renamed into place).
void create(const QString& path, const TableDef& table);

void close(sqlite3* db);

// The message of the engine's last error on `db`.
QString lastError(sqlite3* db);
void exec(sqlite3* db, const char* sql); // raises EngineError

QString quote(const QString& identifier);
QString columnType(FieldType t);

// Conversions between field values and SQLite columns.
void bind(sqlite3_stmt* st, int index, const QVariant& v, FieldType t);
QVariant column(sqlite3_stmt* st, int index, FieldType t);

} // namespace yb::sqlite
