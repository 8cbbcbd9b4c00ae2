#include "store/FieldRules.h"

#include "store/Conversions.h"
#include "store/Errors.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstring>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};
} // namespace

namespace {

QString shown(std::string_view v)
{
    QString s = QString::fromUtf8(v.data(), qsizetype(v.size()));
    if (s.size() > 40)
        s = s.left(40) + QStringLiteral("…");
    return s;
}

// Reads YYYY-MM-DD[( |T)HH:MM[:SS[.mmm]]] without time-zone lookups. False
// when the text has another form or is not a real date and time.
bool fastDateTime(std::string_view v, QDateTime* out)
{
    const size_t n = v.size();
    if (n != 10 && n != 16 && n != 19 && n != 23)
        return false;
    auto digits = [&](size_t at, size_t count, int* value) {
        int x = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (v[i] < '0' || v[i] > '9')
                return false;
            x = x * 10 + (v[i] - '0');
        }
        *value = x;
        return true;
    };
    int y, mo, d, h = 0, mi = 0, se = 0, ms = 0;
    if (!digits(0, 4, &y) || v[4] != '-' || !digits(5, 2, &mo) || v[7] != '-' || !digits(8, 2, &d))
        return false;
    if (n > 10) {
        if ((v[10] != ' ' && v[10] != 'T') || !digits(11, 2, &h) || v[13] != ':' || !digits(14, 2, &mi))
            return false;
        if (n > 16 && (v[16] != ':' || !digits(17, 2, &se)))
            return false;
        if (n > 19 && (v[19] != '.' || !digits(20, 3, &ms)))
            return false;
    }
    if (!QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, se, ms))
        return false;
    *out = QDateTime(QDate(y, mo, d), QTime(h, mi, se, ms));
    return out->isValid();
}

// Whether the locale writes dates in digits with the day before the month
// (d/M/yy, dd.MM.yyyy), as a spreadsheet set to it writes them too. A locale
// that puts the month first, or names it, is not.
bool dayFirst(const QLocale& loc)
{
    const QString f = shortDateFormat(loc);
    qsizetype at[3] = {-1, -1, -1}; // where the day, the month and the year begin
    bool quoted = false;
    for (qsizetype i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        const int k = quoted ? -1 : c == u'd' ? 0 : c == u'M' ? 1 : c == u'y' ? 2 : -1;
        if (k < 0)
            continue;
        qsizetype run = 1;
        while (i + run < f.size() && f[i + run] == c)
            ++run;
        if (k < 2 && run > 2)
            return false; // a day or month by its name
        if (at[k] < 0)
            at[k] = i;
        i += run - 1;
    }
    return at[0] >= 0 && at[0] < at[1] && at[1] < at[2];
}

// A date and time as a spreadsheet writes them under a day-first locale:
// d/M/yyyy or d/M/yy (a two-digit year as fullYear() takes it), then
// optionally a blank and H:mm or H:mm:ss. The separator of the date may also
// be '.' or '-', the same twice. False for any other form.
bool dayFirstDateTime(QStringView t, QDateTime* out)
{
    qsizetype i = 0;
    auto number = [&](int minDigits, int maxDigits, int* value) {
        int n = 0, x = 0;
        while (i < t.size() && n < maxDigits && t[i] >= u'0' && t[i] <= u'9') {
            x = x * 10 + (t[i].unicode() - u'0');
            ++i;
            ++n;
        }
        *value = x;
        return n >= minDigits && !(i < t.size() && t[i] >= u'0' && t[i] <= u'9');
    };
    int d, mo, y, h = 0, mi = 0, se = 0;
    if (!number(1, 2, &d) || i >= t.size())
        return false;
    const QChar sep = t[i++];
    if (sep != u'/' && sep != u'.' && sep != u'-')
        return false;
    if (!number(1, 2, &mo) || i >= t.size() || t[i++] != sep)
        return false;
    const qsizetype yearAt = i;
    if (!number(2, 4, &y) || (i - yearAt != 2 && i - yearAt != 4))
        return false;
    if (i - yearAt == 2)
        y = fullYear(y);
    if (i < t.size()) {
        if (t[i] != u' ')
            return false;
        while (i < t.size() && t[i] == u' ')
            ++i;
        if (!number(1, 2, &h) || i >= t.size() || t[i++] != u':' || !number(2, 2, &mi))
            return false;
        if (i < t.size() && (t[i++] != u':' || !number(2, 2, &se)))
            return false;
        if (i < t.size())
            return false;
    }
    if (!QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, se))
        return false;
    *out = QDateTime(QDate(y, mo, d), QTime(h, mi, se));
    return out->isValid();
}

// A number with a decimal part or thousands separators ("3,20", "1.000").
bool looksDecimal(std::string_view v)
{
    size_t i = 0;
    while (i < v.size() && v[i] == ' ')
        ++i;
    if (i < v.size() && (v[i] == '+' || v[i] == '-'))
        ++i;
    bool digit = false, mark = false;
    for (; i < v.size(); ++i) {
        if (v[i] >= '0' && v[i] <= '9')
            digit = true;
        else if (v[i] == ',' || v[i] == '.')
            mark = true;
        else
            return false;
    }
    return digit && mark;
}

} // namespace

IntegerRange integerRange(FieldType t)
{
    if (t == FieldType::SmallInt)
        return {-32768, 32767};
    return {-2147483647LL - 1, 2147483647LL};
}

bool inRange(FieldType t, qint64 n)
{
    const IntegerRange r = integerRange(t);
    return n >= r.lo && n <= r.hi;
}

QString requiredMessage(const QString& fieldName)
{
    return QStringLiteral("Field '%1' must have a value").arg(fieldName);
}

QVariant enteredValue(const FieldDef& f, const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (f.type) {
    case FieldType::Text: {
        const QString s = truncateChars(v.toString(), f.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Memo: {
        const QString s = v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Integer:
    case FieldType::SmallInt: {
        qint64 n;
        if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString();
            if (t.isEmpty())
                return {};
            auto parsed = tryTextToInt(t);
            if (!parsed)
                throw DatabaseError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(t, f.name));
            n = *parsed;
        } else {
            n = v.toLongLong();
        }
        if (!inRange(f.type, n)) {
            const IntegerRange r = integerRange(f.type);
            throw DatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                    .arg(formatG(double(n)), f.name, formatG(double(r.lo)), formatG(double(r.hi))));
        }
        return QVariant(int(n));
    }
    case FieldType::DateTime: {
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime();
        if (v.typeId() == QMetaType::QDate)
            return QDateTime(v.toDate(), QTime(0, 0));
        const QString t = v.toString();
        if (t.trimmed().isEmpty())
            return {};
        const QDateTime dt = textToDateTime(t);
        if (!dt.isValid())
            throw ConversionError(Text::tr("'%1' is not a valid date and time").arg(t));
        return dt;
    }
    }
    return {};
}

qsizetype utf8Chars(std::string_view s)
{
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    qsizetype chars = 0;
    size_t i = 0;
    while (i < n) {
        // Plain ASCII eight bytes at a time.
        uint64_t word;
        while (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ull) == 0)) {
            i += 8;
            chars += 8;
        }
        if (i == n)
            break;
        const unsigned char c = p[i];
        ++chars;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else
            return -1;
        if (i + size_t(more) >= n)
            return -1;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return -1;
        for (int k = 2; k <= more; ++k)
            if ((p[i + size_t(k)] & 0xC0) != 0x80)
                return -1;
        i += size_t(more) + 1;
    }
    return chars;
}

QDateTime parseFileDateTime(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (t.size() == 10) {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    if (t.size() > 10 && t[10] == QLatin1Char(' '))
        t[10] = QLatin1Char('T');
    QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (dt.isValid())
        return dt;
    // What a spreadsheet writes under a day-first locale; a month-first
    // locale's dates are read only in its own regional form below, so a day
    // and a month are never swapped by guessing.
    if (dayFirst(QLocale::system()) && dayFirstDateTime(text.trimmed(), &dt))
        return dt;
    // The form the program shows: the regional short date and long time.
    return textToDateTime(text);
}

QVariant importedValue(const FieldDef& f, std::string_view v, const QString& encodingHint)
{
    // The store keeps an empty text as an empty field.
    if (v.empty()) {
        if (f.required)
            throw ImportProblem{Text::tr("the field must have a value")};
        return {};
    }
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        const qsizetype chars = utf8Chars(v);
        if (chars < 0)
            throw ImportProblem{Text::tr("the text is not valid UTF-8; %1").arg(encodingHint)};
        if (f.type == FieldType::Text && chars > f.size)
            throw ImportProblem{
                Text::tr("the text has %1 characters, more than the %2 the field holds").arg(chars).arg(f.size)};
        return QVariant(QByteArray(v.data(), qsizetype(v.size())));
    }
    case FieldType::Integer:
    case FieldType::SmallInt: {
        const auto n = tryTextToInt(QString::fromUtf8(v.data(), qsizetype(v.size())));
        if (!n && looksDecimal(v))
            throw ImportProblem{Text::tr("'%1' is not a valid integer value: the field holds whole numbers, "
                                         "without decimals or thousands separators")
                                    .arg(shown(v))};
        if (!n)
            throw ImportProblem{QStringLiteral("'%1' is not a valid integer value").arg(shown(v))};
        if (!inRange(f.type, *n)) {
            const IntegerRange r = integerRange(f.type);
            throw ImportProblem{Text::tr("%1 is out of the allowed range %2 to %3").arg(*n).arg(r.lo).arg(r.hi)};
        }
        return QVariant(qint64(*n));
    }
    case FieldType::DateTime: {
        QDateTime dt;
        if (fastDateTime(v, &dt))
            return dt;
        const QString text = QString::fromUtf8(v.data(), qsizetype(v.size()));
        dt = parseFileDateTime(text);
        if (!dt.isValid() && dayFirstDateTime(text.trimmed(), &dt))
            throw ImportProblem{Text::tr("'%1' is not a date and time here: write it as YYYY-MM-DD HH:MM:SS, "
                                         "or import under regional settings that put the day first "
                                         "(for example LC_ALL=es_ES.UTF-8)")
                                    .arg(shown(v))};
        if (!dt.isValid())
            throw ImportProblem{
                Text::tr("'%1' is not a date and time (write it as YYYY-MM-DD HH:MM:SS)").arg(shown(v))};
        return dt;
    }
    }
    return {};
}

} // namespace yb
