#include "Conversions.h"

#include "Errors.h"

#include <QLocale>
#include <cstdio>

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

QString shortDateFormat() { return QLocale::system().dateFormat(QLocale::ShortFormat); }

QString longTimeFormat()
{
    // Qt's long format ends with a time-zone part ("t"); the clock shows
    // hours, minutes and seconds only.
    QString f = QLocale::system().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

QString dateText(const QDate& d) { return QLocale::system().toString(d, shortDateFormat()); }
QString timeText(const QTime& t) { return QLocale::system().toString(t, longTimeFormat()); }

QString dateTimeText(const QDateTime& dt)
{
    if (!dt.isValid())
        return {};
    if (dt.time() == QTime(0, 0))
        return dateText(dt.date());
    return dateText(dt.date()) + QLatin1Char(' ') + timeText(dt.time());
}

QDateTime textToDateTime(const QString& text)
{
    const QLocale loc = QLocale::system();
    const QString t = text.trimmed();
    QDateTime dt = loc.toDateTime(t, shortDateFormat() + QLatin1Char(' ') + longTimeFormat());
    if (dt.isValid())
        return dt;
    const QDate d = loc.toDate(t, shortDateFormat());
    if (d.isValid())
        return QDateTime(d, QTime(0, 0));
    dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    return dt;
}

QString formatG(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return QString::fromLatin1(buf);
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
