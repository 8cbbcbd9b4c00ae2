#pragma once
// Copying a whole database to another one: a shop's table files to its new
// PostgreSQL server, the server back into files, or files to files.

#include "store/TableCopy.h"

#include <QList>
#include <QString>

namespace yb::admin {

class Progress;

using yb::CopiedTable;

// Copies the records of the fourteen tables of `from` into `to` (each a
// directory of table files or a PostgreSQL URI), keeping every table's order.
// All or nothing: when anything fails, `to` is left as it was. `to` must not
// exist yet, be an empty directory, or hold the fourteen tables with no record
// in any of them (as 'create' makes them; on a server the missing tables are
// made), so that the copy never mixes its records with others. Nothing should
// be writing to `from` meanwhile: what is written after the copy began is not
// in it (the copy reads one snapshot of `from`).
QList<CopiedTable> copyDatabase(const QString& from, const QString& to, Progress* progress = nullptr);

} // namespace yb::admin
