#pragma once
// Conversions between texts and values shared by every screen.

#include <QDateTime>
#include <QLocale>
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

// The regional formats, the system's unless a locale is given. The long time
// format is hours, minutes and seconds only: the time-zone part that Qt's long
// format carries is removed, with the brackets and separators around it.
QString shortDateFormat(const QLocale& loc = QLocale::system());
QString longTimeFormat(const QLocale& loc = QLocale::system());
// A Qt time format without its time-zone part (a run of 't' outside quotes),
// without the brackets that enclose only that part and without the blanks and
// commas that only separate it from the rest; every other character stays.
QString withoutTimeZone(const QString& format);
QString dateText(const QDate& d, const QLocale& loc = QLocale::system());
QString timeText(const QTime& t, const QLocale& loc = QLocale::system());
// Short date, then (unless the time is exactly midnight) a blank and the long time.
QString dateTimeText(const QDateTime& dt, const QLocale& loc = QLocale::system());

// The full year of a two-digit year: the year ending in those digits that lies
// nearest to the reference year, from fifty years before it to forty-nine after
// (in 2026: 76 is 1976, 75 is 2075, 26 is 2026).
int fullYear(int twoDigitYear, int referenceYear = QDate::currentDate().year());
// Read the text form back: the short date with or without the long time, or
// ISO 8601. A two-digit year is taken by fullYear; a four-digit year typed in
// its place is taken as it stands. Invalid when the text does not parse.
QDateTime textToDateTime(const QString& text, const QLocale& loc = QLocale::system());
QDate textToDate(const QString& text, const QLocale& loc = QLocale::system());

// C's %g, as the range message uses it.
QString formatG(double v);

// Keeps at most n characters (whole code points, never half a character).
QString truncateChars(const QString& text, int n);
int charCount(const QString& text);

} // namespace yb
