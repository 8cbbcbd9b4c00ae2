#pragma once
// Conversions between texts and values shared by every screen.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace yb {

// Optional leading blanks, an optional sign, then decimal digits or '$' and
// hexadecimal digits; nothing may follow; the value must fit 32 bits signed.
std::optional<int32_t> tryTextToInt(const QString& text);
// As tryTextToInt; raises ConversionError "'%s' is not a valid integer value".
int32_t textToInt(const QString& text);
// Plain decimal digits, a leading minus sign when negative.
QString intToText(qint64 value);

// The system's regional formats. The long time format is hours, minutes and
// seconds only (no time zone part).
QString shortDateFormat();
QString longTimeFormat();
QString dateText(const QDate& d);
QString timeText(const QTime& t);
// Short date, then (unless the time is exactly midnight) a blank and the long time.
QString dateTimeText(const QDateTime& dt);
// Reads the text form back (also accepts the date alone); invalid QDateTime if it does not parse.
QDateTime textToDateTime(const QString& text);

// C's %g, as the range message uses it.
QString formatG(double v);

// Keeps at most n characters (whole code points, never half a character).
QString truncateChars(const QString& text, int n);
int charCount(const QString& text);

} // namespace yb
