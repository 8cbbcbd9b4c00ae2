#pragma once
// The database directory: where the fourteen table files live, how a
// directory and file name as a screen writes it reaches a real file, and the
// creation and checking of the files.

#include "store/Catalogue.h"

#include <QString>
#include <QStringList>

namespace yb {

class Database {
public:
    // The directory of this machine: C:\YERBA1 on Windows, elsewhere
    // <generic data location>/yerbalis; YERBALIS_DATA_DIR replaces it.
    static QString defaultDirectory();

    // The directory that cursors reach (set once at start-up; defaults to defaultDirectory()).
    static QString directory();
    static void setDirectory(const QString& dir);

    // First run: when `dir` does not exist, create it with the fourteen empty
    // tables. Returns true when it created them.
    static bool prepare(const QString& dir);

    // Creates every missing table file of the catalogue in `dir` (creating `dir`).
    // Existing files are left as they are. Raises EngineError on failure.
    static void createTables(const QString& dir);
    static void createTable(const QString& dir, const TableDef& table);

    // The real path of a table file as a cursor names it: the directory as written
    // ("C:\YERBA1", "c:\yerba1") is the database directory; the file name is
    // matched without regard to case against the files present. When no file
    // matches, the catalogue's name in the directory.
    static QString resolveTablePath(const QString& directoryAsWritten, const QString& fileAsWritten);
    static QString tablePath(const QString& dir, const QString& fileAsWritten);

    // Checks schema and integrity of every table in `dir`. Returns the problems
    // found, one sentence each; empty when all is well.
    static QStringList check(const QString& dir);
    static QStringList checkTable(const QString& path, const TableDef& table);
};

} // namespace yb
