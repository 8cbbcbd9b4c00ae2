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

// The compact key: the same order in about a third of the bytes, as table
// files store it. Primary weights take one byte for a letter, a digit or a
// blank; accents and case drop their trailing "none" and "lower" marks; the
// text follows, so the full key can be made again from it.
QByteArray compactSortKeyUtf8(const char* utf8, qsizetype size);
// The compact form of a full key, of a prefix's key (sortKeyPrefix), or of a
// prefix's key followed by the byte 0xFF (the end of its range). The compact
// forms compare as the keys do, and a compact prefix begins exactly the
// compact keys of the texts whose key the prefix begins.
QByteArray compactSortKey(const QByteArray& sortKey);
// The full key back from its compact form (an empty key stays empty).
QByteArray sortKeyFromCompact(const QByteArray& compact);

} // namespace yb
