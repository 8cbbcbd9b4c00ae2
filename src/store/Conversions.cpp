#include "store/Conversions.h"

#include "store/Errors.h"

#include <QLocale>
#include <charconv>

namespace yb {

std::optional<int32_t> tryTextToInt(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    }
    if (i >= n)
        return std::nullopt;
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * base + d;
        if (value > qint64(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return int32_t(value);
}

int32_t textToInt(const QString& text)
{
    if (auto v = tryTextToInt(text))
        return *v;
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

QString intToText(qint64 value) { return QString::number(value); }

namespace {

// One piece of a Qt date or time format: a field (a run of one repeated
// letter, such as "HH" or "t"), a quoted literal with its quotes, or one other
// character.
struct FormatPiece {
    enum Kind { Field, Quoted, Other } kind;
    QString text;
};

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QList<FormatPiece> splitFormat(const QString& f)
{
    QList<FormatPiece> out;
    const int n = int(f.size());
    int i = 0;
    while (i < n) {
        const QChar c = f[i];
        int j = i + 1;
        if (c == u'\'') {
            // Up to the closing quote; two quotes inside stand for one.
            while (j < n) {
                if (f[j] == u'\'') {
                    if (j + 1 < n && f[j + 1] == u'\'') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            out.push_back({FormatPiece::Quoted, f.mid(i, j - i)});
        } else if (isAsciiLetter(c)) {
            while (j < n && f[j] == c)
                ++j;
            out.push_back({FormatPiece::Field, f.mid(i, j - i)});
        } else {
            out.push_back({FormatPiece::Other, QString(c)});
        }
        i = j;
    }
    return out;
}

QString joinFormat(const QList<FormatPiece>& pieces)
{
    QString out;
    for (const FormatPiece& p : pieces)
        out += p.text;
    return out;
}

// Where a date format's two-digit year stands among its numeric fields (day,
// month and year written in digits), or -1 when its year is not two digits.
int twoDigitYearField(const QList<FormatPiece>& pieces)
{
    int numeric = 0;
    for (const FormatPiece& p : pieces) {
        if (p.kind != FormatPiece::Field)
            continue;
        const QChar c = p.text[0];
        if (c == u'y') {
            if (p.text.size() == 2)
                return numeric;
            ++numeric;
        } else if ((c == u'd' || c == u'M') && p.text.size() <= 2) {
            ++numeric;
        }
    }
    return -1;
}

// A text in the short date form, made ready for Qt's parser, which would put
// every two-digit year in the 1900s: the year's digits are widened to the full
// year and read by a four-digit field. When the year's digits cannot be found
// (digits of another script), the date read must be moved to its century.
struct DateReading {
    QString text;
    QString format;
    bool moveCentury = false;
};

DateReading readingOf(const QString& text, const QString& dateFormat)
{
    QList<FormatPiece> pieces = splitFormat(dateFormat);
    const int yearField = twoDigitYearField(pieces);
    if (yearField < 0)
        return {text, dateFormat};
    for (FormatPiece& p : pieces)
        if (p.kind == FormatPiece::Field && p.text == QLatin1String("yy"))
            p.text = QStringLiteral("yyyy");
    const int n = int(text.size());
    int run = 0;
    for (int i = 0; i < n;) {
        if (!isAsciiDigit(text[i])) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && isAsciiDigit(text[j]))
            ++j;
        if (run == yearField) {
            QString widened = text;
            if (j - i <= 2)
                widened.replace(i, j - i, QString::number(fullYear(text.mid(i, j - i).toInt())));
            return {widened, joinFormat(pieces)};
        }
        ++run;
        i = j;
    }
    return {text, dateFormat, true};
}

QDate inNearestCentury(const QDate& d) { return QDate(fullYear(d.year() % 100), d.month(), d.day()); }

} // namespace

QString withoutTimeZone(const QString& format)
{
    QList<FormatPiece> p = splitFormat(format);
    auto other = [&](qsizetype k, auto test) {
        return k >= 0 && k < p.size() && p[k].kind == FormatPiece::Other && test(p[k].text[0]);
    };
    auto blank = [](QChar c) { return c.isSpace(); };
    auto separator = [](QChar c) { return c.isSpace() || c == u','; };
    auto opens = [](QChar c) { return c == u'(' || c == u'['; };
    for (qsizetype i = 0; i < p.size(); ++i) {
        if (p[i].kind != FormatPiece::Field || p[i].text[0] != u't')
            continue;
        qsizetype l = i, r = i;
        // Brackets that hold nothing but the zone go with it.
        for (;;) {
            qsizetype a = l, b = r;
            while (other(a - 1, blank))
                --a;
            while (other(b + 1, blank))
                ++b;
            if (!other(a - 1, opens) || !other(b + 1, [&](QChar c) {
                    return (c == u')' && p[a - 1].text[0] == u'(') || (c == u']' && p[a - 1].text[0] == u'[');
                }))
                break;
            l = a - 1;
            r = b + 1;
        }
        // So do the blanks and commas that separate it from the rest; between
        // two remaining parts the separator after it stays to keep them apart.
        qsizetype from = l, to = r;
        while (other(from - 1, separator))
            --from;
        while (other(to + 1, separator))
            ++to;
        if (from > 0 && to + 1 < p.size())
            to = r;
        p.erase(p.begin() + from, p.begin() + to + 1);
        i = from - 1;
    }
    return joinFormat(p);
}

QString shortDateFormat(const QLocale& loc) { return loc.dateFormat(QLocale::ShortFormat); }

QString longTimeFormat(const QLocale& loc) { return withoutTimeZone(loc.timeFormat(QLocale::LongFormat)); }

QString dateText(const QDate& d, const QLocale& loc) { return loc.toString(d, shortDateFormat(loc)); }
QString timeText(const QTime& t, const QLocale& loc) { return loc.toString(t, longTimeFormat(loc)); }

QString dateTimeText(const QDateTime& dt, const QLocale& loc)
{
    if (!dt.isValid())
        return {};
    if (dt.time() == QTime(0, 0))
        return dateText(dt.date(), loc);
    return dateText(dt.date(), loc) + QLatin1Char(' ') + timeText(dt.time(), loc);
}

int fullYear(int twoDigitYear, int referenceYear)
{
    // The shop's dates are sales, today's or of recent years; a window that
    // slides with the current year keeps reading them right as years go by.
    int year = referenceYear - referenceYear % 100 + twoDigitYear % 100;
    if (year > referenceYear + 49)
        year -= 100;
    else if (year < referenceYear - 50)
        year += 100;
    return year;
}

QDateTime textToDateTime(const QString& text, const QLocale& loc)
{
    const QString t = text.trimmed();
    const DateReading r = readingOf(t, shortDateFormat(loc));
    QDateTime dt = loc.toDateTime(r.text, r.format + QLatin1Char(' ') + longTimeFormat(loc));
    if (!dt.isValid()) {
        const QDate d = loc.toDate(r.text, r.format);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (dt.isValid())
        return r.moveCentury ? QDateTime(inNearestCentury(dt.date()), dt.time()) : dt;
    return QDateTime::fromString(t, Qt::ISODateWithMs);
}

QDate textToDate(const QString& text, const QLocale& loc)
{
    const QString t = text.trimmed();
    const DateReading r = readingOf(t, shortDateFormat(loc));
    const QDate d = loc.toDate(r.text, r.format);
    if (d.isValid())
        return r.moveCentury ? inNearestCentury(d) : d;
    return QDate::fromString(t, Qt::ISODate);
}

QString formatG(double v)
{
    // As printf's %g in the C locale, whatever the process's locale: the
    // messages it fills are English, with a decimal point.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QString truncateChars(const QString& text, int n)
{
    if (n <= 0)
        return {};
    int chars = 0;
    int i = 0;
    const int len = int(text.size());
    while (i < len) {
        if (chars == n)
            return text.left(i);
        if (text[i].isHighSurrogate() && i + 1 < len && text[i + 1].isLowSurrogate())
            i += 2;
        else
            i += 1;
        ++chars;
    }
    return text;
}

int charCount(const QString& text)
{
    int chars = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++chars;
    }
    return chars;
}

} // namespace yb
