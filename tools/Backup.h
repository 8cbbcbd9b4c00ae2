#pragma once
// A consistent copy of the fourteen tables of a database (a directory or a
// server) into table files, taken from one snapshot of it while the program
// may be reading and writing (Engine::backup).

#include <QString>

namespace yb::admin {

class Progress;

struct BackupResult {
    int tables = 0;
    qint64 records = 0;
    qint64 bytes = 0;
};

// Copies every table of `dir` into `dest` (created when missing; it must not
// hold tables already), then verifies the copy as `check` does and compares
// each table's record count with the state that was copied. On failure raises
// yb::Error and removes what it wrote.
BackupResult backupDatabase(const QString& dir, const QString& dest, Progress* progress = nullptr);

} // namespace yb::admin
