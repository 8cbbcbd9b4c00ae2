#pragma once
// The rules of a field's values, in one place for the table cursor (values
// typed or set on a screen) and the import (values read from a file): texts
// within the field's size in characters, integers within the range of their
// type, dates and times that exist, required fields not empty.
//
// A value entered at a cursor and a value read from a file meet the same
// rules but are told apart in two respects, as their users expect: a cursor
// cuts a text that is too long to the field's size, an import refuses it;
// and each names the problem in its own words.

#include "store/Catalogue.h"

#include <QDateTime>
#include <QVariant>
#include <string_view>

namespace yb {

// The values an integer field holds.
struct IntegerRange {
    qint64 lo;
    qint64 hi;
};
IntegerRange integerRange(FieldType t);
bool inRange(FieldType t, qint64 n);

// The value the field stores for a value set at a cursor: a QString, an
// integer (or its text), a QDateTime or QDate (or its text), or null.
// Texts are cut to the field's size; an empty text is an empty field.
// Raises DatabaseError ("'x' is not a valid integer value for field 'F'",
// "n is not a valid value for field 'F'. The allowed range is lo to hi") or
// ConversionError ("'x' is not a valid date and time").
QVariant enteredValue(const FieldDef& field, const QVariant& value);

// The message of a required field left empty at a cursor.
QString requiredMessage(const QString& fieldName);

// A value read from a file (UTF-8 text) that breaks the field's rules: the
// problem as the import states it.
struct ImportProblem {
    QString problem;
};

// The value the field stores for a text read from a file: null for an empty
// text, a QByteArray holding the same valid UTF-8 for texts and memos, a
// qint64 for integers, a QDateTime for dates (YYYY-MM-DD[ HH:MM[:SS[.mmm]]],
// the 'T' form, the regional short date and long time, and, when the system's
// locale writes the day first, d/M/yyyy or d/M/yy with H:mm or H:mm:ss as
// spreadsheets write them). Raises ImportProblem; a number with a decimal
// comma or point says that the field holds whole numbers. `encodingHint` ends
// the message of a text that is not UTF-8.
QVariant importedValue(const FieldDef& field, std::string_view text, const QString& encodingHint);

// Number of characters of a UTF-8 text, or -1 when it is not valid UTF-8
// (overlong forms, surrogates and values beyond U+10FFFF are not).
qsizetype utf8Chars(std::string_view s);

// A date and time as a file writes it (see importedValue); invalid when the
// text is not one.
QDateTime parseFileDateTime(const QString& text);

} // namespace yb
