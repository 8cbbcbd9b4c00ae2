#pragma once
// Copying the records of a whole database into another one, whatever the
// engines: the companion's copy and every engine's backup go through here.

#include "store/Engine.h"

#include <functional>

namespace yb {

struct CopiedTable {
    QString table;
    qint64 records = 0;
};

// Copies the records of the fourteen tables of `from`, as one snapshot of it
// shows them, into the tables of `to` (present and empty), keeping every
// table's order: new ids follow the old order, records with equal keys keep
// theirs. Each table is written by one bulk insert; all of them are committed
// at the end, and should one commit fail the tables already committed are
// emptied again. With `oneTransaction` (every table of `to` on one
// connection, as on a server) one transaction around the whole copy makes it
// all or nothing by itself. Reads every table back and compares its count.
// `starting` hears of each table before its records; progress counts records.
// Raises Error ("cannot copy T: ...").
QList<CopiedTable> copyTables(Engine& from, Engine& to, bool oneTransaction, const ProgressFunction& progress = {},
                              const std::function<void(const TableDef&)>& starting = {});

} // namespace yb
