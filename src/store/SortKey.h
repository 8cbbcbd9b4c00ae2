#pragma once
// Binary sort keys that put text in Spanish dictionary order: letters first by
// their base letter (ñ its own letter after n), then by accent, then by case.
// Comparing two keys byte by byte (as SQLite compares BLOBs) gives that order.

#include <QByteArray>
#include <QString>

namespace yb {

// Full key of a text: primary weights, accents, case, then the text itself,
// so that only equal texts have equal keys.
QByteArray sortKey(const QString& text);
// The same key from valid UTF-8 bytes, without a detour through QString.
QByteArray sortKeyUtf8(const char* utf8, qsizetype size);
// Primary weights only: every text that begins with `prefix` (in any letter
// case or accent) has a sort key that begins with these bytes.
QByteArray sortKeyPrefix(const QString& prefix);

} // namespace yb
