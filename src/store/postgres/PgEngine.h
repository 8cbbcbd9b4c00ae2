#pragma once
// The PostgreSQL engine: the fourteen tables of the catalogue in one database
// of a PostgreSQL server, reached through libpq with a connection URI.
//
// Each table is a server table named as the catalogue's file ("Ventas.DB"),
// with the catalogue's fields as columns of the same names, in the same
// order (text(n) as varchar(n), memo as text, integer, smallint, date-time as
// timestamp(3); required fields NOT NULL), and three hidden columns: yb_id (an
// identity, never reused), yb_rev (the revision) and yb_sortkey (the bytes of
// the Spanish sort key; bytea compares byte by byte, so the order is the
// SQLite engine's). The table yerbalis_tables records each table's key field
// and the format version.

#include "store/Engine.h"

#include <memory>

typedef struct pg_conn PGconn;

namespace yb::pg {

constexpr int kFormatVersion = 2;

// Connects to the database of `uri`. Raises EngineError naming the server
// with libpq's message when it cannot connect; a database that does not exist
// yet is no error (createTables() makes it).
std::unique_ptr<Engine> openEngine(const QString& uri);

// Registers this engine with the store's factory for postgresql:// and
// postgres:// locations (done before main() runs in every program that links
// this library).
void registerEngine();

// The libpq connection of an engine of this kind (nullptr for another kind),
// opened if need be: the benchmark issues its own statements on it, so that
// they meet the same server process as the engine's.
PGconn* nativeConnection(Engine& engine);

// Creates the database `name` on the server of `uri` (connecting to its
// maintenance database) and returns the URI of the new database. Tests use
// it for a fresh database each.
QString createDatabase(const QString& uri, const QString& name);
void dropDatabase(const QString& uri, const QString& name);

// What libpq makes of one option of a connection URI ("host", "port",
// "user", "dbname"); empty when the URI does not give it.
QString connectionOption(const QString& uri, const char* key);

} // namespace yb::pg
