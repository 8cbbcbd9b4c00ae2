#pragma once
// Bringing a shop's old Paradox tables over: any old table as CSV, and the
// migration of the fourteen tables of an old database directory into a
// database of this program.

#include "paradox/ParadoxTable.h"

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

namespace yb::admin {

class Progress;

// The text of an old table's value in the form `export` writes: integers as
// digits, numbers in their shortest exact form, dates YYYY-MM-DD, times
// HH:MM:SS, timestamps YYYY-MM-DD HH:MM:SS (with .mmm when the milliseconds
// are not zero), logical values true or false, an empty field as empty.
QString paradoxText(const paradox::Field& field, const QVariant& value);

// Writes the old table at `path` as CSV to `out` (header of field names,
// then one line per record), texts that look like formulas guarded as the
// export guards them unless `guardFormulas` is false. Returns the record
// count; `notes` receives the table's notes once every record is read.
qint64 paradoxToCsv(const QString& path, QIODevice* out, int codePage = 0, Progress* progress = nullptr,
                    QStringList* notes = nullptr, bool guardFormulas = true);

struct MigratedTable {
    QString table;   // the catalogue's file name
    QString oldFile; // the old file found, empty when missing
    qint64 read = 0;
    qint64 written = 0;
    QStringList notes; // fields left out or left empty
};

struct MigrationResult {
    QList<MigratedTable> tables; // the fourteen, in the catalogue's order
    bool createdDirectory = false;
};

// The catalogue's tables that have no file in `oldDir` (none when it is not
// a directory). The migration leaves them empty; the command refuses that
// unless the owner allows it.
QStringList missingOldTables(const QString& oldDir);

// Reads the fourteen tables from `oldDir` (file and field names without
// regard to case) and writes their records into the database `dir` through
// the store's rules. `dir` must not exist, be an empty directory, or hold
// the fourteen tables with no record in any of them. All or nothing: on the
// first record that breaks a rule, yb::Error names the table, the old file,
// the record and the field, and `dir` stays as it was; so does a table with
// two old files (Producto.db and PRODUCTO.DB). With `dryRun` every check of
// the real run is made and nothing is written.
MigrationResult migrateDatabase(const QString& oldDir, const QString& dir, bool dryRun, int codePage = 0,
                                Progress* progress = nullptr);

} // namespace yb::admin
