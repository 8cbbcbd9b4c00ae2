#pragma once
// The database: where the fourteen tables live, how a directory and file name
// as a screen writes it reaches a table, and the creation and checking of the
// tables. A database location is a directory of table files, or the URI of a
// PostgreSQL database ("postgresql://...").

#include "store/Catalogue.h"
#include "store/Engine.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace yb {

class Database {
public:
    // The directory of this machine: C:\YERBA1 on Windows, elsewhere
    // <generic data location>/yerbalis; YERBALIS_DATA_DIR replaces it.
    static QString defaultDirectory();
    // The database of this machine: YERBALIS_DATABASE when set (a directory or
    // a URI), else defaultDirectory().
    static QString defaultLocation();

    // The database that cursors reach (set once at start-up; defaults to
    // defaultLocation()). directory() and setDirectory() are the same for a
    // directory of table files.
    static QString location();
    static void setLocation(const QString& location);
    static QString directory() { return location(); }
    static void setDirectory(const QString& dir) { setLocation(dir); }

    // A location as every message shows it: a directory in the system's own
    // separators, a server's URI without its password (kept in ~/.pgpass or
    // PGPASSFILE, libpq's own ways, it is never shown at all).
    static QString shownLocation(const QString& location);

    // The engine of location(), opened at first use and shared by the cursors.
    static std::shared_ptr<Engine> engine();
    // An engine of its own for another location.
    static std::unique_ptr<Engine> open(const QString& location) { return openEngine(location); }

    // First run: when the directory `location` does not exist, create it with
    // the fourteen empty tables. Returns true when it created them. A server
    // database is created by the administrator (yerbalis-admin create).
    static bool prepare(const QString& location);

    // Creates every missing table of the catalogue at `location` (creating the
    // directory). Existing tables are left as they are. Raises EngineError on failure.
    static void createTables(const QString& location);
    static void createTable(const QString& location, const TableDef& table);

    // Where a table is at `location`, as its engine says (Engine::tableLocation):
    // in a directory the real path of its file, the name matched without
    // regard to case against the files present (when none matches, the
    // catalogue's name in the directory).
    static QString tablePath(const QString& location, const QString& fileAsWritten);
    // True when a screen's directory as written ("C:\YERBA1", "c:\yerba1")
    // names the database.
    static bool namesDatabase(const QString& directoryAsWritten);

    // Checks schema and integrity of every table at `location`. Returns the problems
    // found, one sentence each; empty when all is well.
    static QStringList check(const QString& location);
};

} // namespace yb
