#include "store/SortKey.h"

#include <QList>
#include <QStringView>
#include <QVarLengthArray>
#include <array>
#include <cstring>

namespace yb {

namespace {

// Primary weight of one character: four bytes, class first. Class bytes are
// never 0, so the section separator 0 sorts a shorter text before a longer
// one that begins with it.
enum Class : char { Blank = 1, Symbol = 2, Digit = 3, Latin = 4, Other = 5 };

struct Weights {
    char cls;
    uint32_t primary;   // 24 bits used
    uint8_t accent;     // 1 none, 2.. an accent
    uint8_t lettercase; // 1 lower, 2 upper
};

uint8_t accentWeight(char32_t mark)
{
    switch (mark) {
    case 0x0301: return 2; // acute
    case 0x0300: return 3; // grave
    case 0x0308: return 4; // diaeresis
    case 0x0302: return 5; // circumflex
    case 0x0303: return 6; // tilde (other than ñ)
    case 0x0327: return 7; // cedilla
    default: return 8;
    }
}

Weights weigh(char32_t c)
{
    Weights w{Other, 0, 1, 1};
    if (c == U'ñ' || c == U'Ñ') {
        // ñ is a letter of its own, right after n.
        w.cls = Latin;
        w.primary = ('n' - 'a') * 2 + 3;
        w.lettercase = c == U'Ñ' ? 2 : 1;
        return w;
    }
    if (c < 0x80) {
        // Plain ASCII needs no decomposition.
        if (c >= U'a' && c <= U'z')
            return Weights{Latin, uint32_t(c - U'a') * 2 + 2, 1, 1};
        if (c >= U'A' && c <= U'Z')
            return Weights{Latin, uint32_t(c - U'A') * 2 + 2, 1, 2};
        if (c >= U'0' && c <= U'9')
            return Weights{Digit, uint32_t(c - U'0'), 1, 1};
        if (c == U' ' || c == U'\t' || c == U'\n' || c == U'\r')
            return Weights{Blank, 0, 1, 1};
        return Weights{Symbol, uint32_t(c), 1, 1};
    }
    QString s = QString::fromUcs4(&c, 1);
    const QString nfd = s.normalized(QString::NormalizationForm_D);
    const QList<uint> parts = nfd.toUcs4();
    char32_t base = parts.isEmpty() ? c : char32_t(parts.first());
    if (parts.size() > 1)
        w.accent = accentWeight(char32_t(parts.at(1)));
    const QChar::Category cat = QChar::category(base);
    const bool upper = QChar::isUpper(base) || QChar::isTitleCase(base);
    w.lettercase = upper ? 2 : 1;
    const char32_t lower = QChar::toLower(base);
    if (lower >= U'a' && lower <= U'z') {
        w.cls = Latin;
        // Letters a..z at even steps, leaving room for ñ after n.
        w.primary = (lower - U'a') * 2 + 2;
        return w;
    }
    if (QChar::isDigit(base)) {
        w.cls = Digit;
        w.primary = uint32_t(QChar::digitValue(base));
        return w;
    }
    if (QChar::isSpace(base)) {
        w.cls = Blank;
        w.primary = 0;
        return w;
    }
    if (QChar::isLetter(base) || cat == QChar::Mark_NonSpacing) {
        w.cls = Other;
        w.primary = lower & 0xFFFFFF;
        return w;
    }
    w.cls = Symbol;
    w.primary = base & 0xFFFFFF;
    w.lettercase = 1;
    return w;
}

void appendPrimary(QByteArray& out, const Weights& w)
{
    out.append(w.cls);
    out.append(char((w.primary >> 16) & 0xFF));
    out.append(char((w.primary >> 8) & 0xFF));
    out.append(char(w.primary & 0xFF));
}

// Weights of the Latin letters, accented ones included, looked up instead of
// decomposed again for every character of every key.
constexpr char32_t kTabled = 0x250;

const Weights& tabled(char32_t c)
{
    static const std::array<Weights, kTabled> table = [] {
        std::array<Weights, kTabled> t{};
        for (char32_t i = 0; i < kTabled; ++i)
            t[i] = weigh(i);
        return t;
    }();
    return table[c];
}

Weights weighAny(char32_t c) { return c < kTabled ? tabled(c) : weigh(c); }

// The key of `count` characters produced by `nextChar`, followed by the text's UTF-8 form.
template <class Next> QByteArray buildKey(qsizetype count, Next nextChar, const char* utf8, qsizetype utf8Size)
{
    QByteArray key(count * 6 + 3 + utf8Size, Qt::Uninitialized);
    char* primary = key.data();
    char* accents = primary + count * 4 + 1;
    char* cases = accents + count + 1;
    for (qsizetype i = 0; i < count; ++i) {
        const Weights w = weighAny(nextChar());
        *primary++ = w.cls;
        *primary++ = char((w.primary >> 16) & 0xFF);
        *primary++ = char((w.primary >> 8) & 0xFF);
        *primary++ = char(w.primary & 0xFF);
        accents[i] = char(w.accent);
        cases[i] = char(w.lettercase);
    }
    *primary = '\0';
    accents[count] = '\0';
    cases[count] = '\0';
    if (utf8Size)
        std::memcpy(cases + count + 1, utf8, size_t(utf8Size));
    return key;
}

// The characters of valid UTF-8 bytes, one by one.
class Utf8Chars {
public:
    Utf8Chars(const char* utf8, qsizetype size) : p_(reinterpret_cast<const unsigned char*>(utf8)), end_(p_ + size) {}
    qsizetype count() const
    {
        qsizetype n = 0;
        for (const auto* q = p_; q < end_; ++q)
            n += (*q & 0xC0) != 0x80;
        return n;
    }
    bool atEnd() const { return p_ >= end_; }
    char32_t operator()()
    {
        char32_t c = *p_++;
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (more)
            c &= 0x3F >> more;
        for (; more > 0 && p_ < end_; --more)
            c = (c << 6) | (*p_++ & 0x3F);
        return c;
    }

private:
    const unsigned char* p_;
    const unsigned char* end_;
};

// Compact primary weights: a prefix-free code whose first byte tells its
// length, ordered as (class, primary) are, never starting with 0 (the section
// end) nor 0xFF (the end of a prefix's range):
//   01           blank
//   02 p         symbol below U+0100      03 p p p   other symbols
//   04+p         digit (primary 0..9)
//   10+p         Latin letter (primary 2..53, ñ among them)
//   50 p p p     other letters and marks
constexpr unsigned char kSymbolShort = 0x02, kSymbolLong = 0x03, kDigit = 0x04, kLatin = 0x10, kOther = 0x50;

void appendCompact(QByteArray& out, char cls, uint32_t primary)
{
    switch (cls) {
    case Blank: out.append(char(0x01)); return;
    case Digit: out.append(char(kDigit + primary)); return;
    case Latin: out.append(char(kLatin + primary)); return;
    case Symbol:
        if (primary < 0x100) {
            out.append(char(kSymbolShort));
            out.append(char(primary));
            return;
        }
        out.append(char(kSymbolLong));
        break;
    default: out.append(char(kOther)); break;
    }
    out.append(char((primary >> 16) & 0xFF));
    out.append(char((primary >> 8) & 0xFF));
    out.append(char(primary & 0xFF));
}

// Length of the compact primary code that begins with `b`; 0 when none does.
int compactLength(unsigned char b)
{
    if (b == 0x01 || (b >= kDigit && b <= kDigit + 9) || (b >= kLatin + 2 && b <= kLatin + 53))
        return 1;
    if (b == kSymbolShort)
        return 2;
    if (b == kSymbolLong || b == kOther)
        return 4;
    return 0;
}

} // namespace

QByteArray sortKey(const QString& text)
{
    const QList<uint> chars = text.toUcs4();
    const QByteArray utf8 = text.toUtf8();
    const uint* c = chars.constData();
    return buildKey(
        chars.size(), [&c] { return char32_t(*c++); }, utf8.constData(), utf8.size());
}

QByteArray sortKeyUtf8(const char* utf8, qsizetype size)
{
    Utf8Chars chars(utf8, size);
    return buildKey(chars.count(), chars, utf8, size);
}

QByteArray sortKeyPrefix(const QString& prefix)
{
    QByteArray primary;
    for (uint c : prefix.toUcs4())
        appendPrimary(primary, weighAny(char32_t(c)));
    return primary;
}

QByteArray compactSortKeyUtf8(const char* utf8, qsizetype size)
{
    // Accent 1 (none) and case 1 (lower) are the lowest marks: a section that
    // ends in them compares alike without them, as the section end 0 is lower
    // still.
    QByteArray key;
    key.reserve(size * 2 + 8);
    QVarLengthArray<char, 64> accents, cases;
    qsizetype accentsKept = 0, casesKept = 0;
    for (Utf8Chars next(utf8, size); !next.atEnd();) {
        const Weights w = weighAny(next());
        appendCompact(key, w.cls, w.primary);
        accents.append(char(w.accent));
        cases.append(char(w.lettercase));
        if (w.accent != 1)
            accentsKept = accents.size();
        if (w.lettercase != 1)
            casesKept = cases.size();
    }
    key.append('\0');
    key.append(accents.constData(), accentsKept);
    key.append('\0');
    key.append(cases.constData(), casesKept);
    key.append('\0');
    key.append(utf8, size);
    return key;
}

QByteArray compactSortKey(const QByteArray& sortKey)
{
    const auto* k = reinterpret_cast<const unsigned char*>(sortKey.constData());
    const qsizetype n = sortKey.size();
    qsizetype i = 0;
    while (i + 4 <= n && k[i] >= Blank && k[i] <= Other)
        i += 4;
    // A full key: four bytes of primary weight, one accent and one case mark
    // for every character, three section ends, then the text.
    const qsizetype count = i / 4, text = count * 6 + 3;
    const bool full = i < n && k[i] == 0;
    if (full ? text > n || k[count * 5 + 1] != 0 || k[count * 6 + 2] != 0 : i < n && !(k[i] == 0xFF && i + 1 == n))
        return sortKey; // not a key of this program's making
    QByteArray out;
    out.reserve(full ? count * 3 + n - text + 3 : count * 2 + 1);
    for (qsizetype g = 0; g < i; g += 4)
        appendCompact(out, char(k[g]), (uint32_t(k[g + 1]) << 16) | (uint32_t(k[g + 2]) << 8) | k[g + 3]);
    if (!full) {
        if (i < n)
            out.append(char(0xFF));
        return out;
    }
    // Accents and case without their trailing lowest marks, as compactSortKeyUtf8 leaves them.
    for (qsizetype section = i + 1; section < text; section += count + 1) {
        qsizetype kept = count;
        while (kept > 0 && k[section + kept - 1] == 1)
            --kept;
        out.append('\0');
        out.append(sortKey.constData() + section, kept);
    }
    out.append('\0');
    out.append(sortKey.constData() + text, n - text);
    return out;
}

QByteArray sortKeyFromCompact(const QByteArray& compact)
{
    // Made again from the bytes alone, weighing nothing: the primary codes
    // widened to four bytes, the marks dropped at the end put back.
    const auto* k = reinterpret_cast<const unsigned char*>(compact.constData());
    const qsizetype n = compact.size();
    if (n == 0)
        return {};
    qsizetype i = 0, count = 0;
    while (i < n && k[i] != 0) {
        const int len = compactLength(k[i]);
        if (len == 0)
            return compact;
        i += len;
        ++count;
    }
    qsizetype sections[2];
    qsizetype kept[2];
    for (int s = 0; s < 2; ++s) {
        sections[s] = ++i;
        while (i < n && k[i] != 0)
            ++i;
        kept[s] = i - sections[s];
        if (kept[s] > count)
            return compact;
    }
    if (i >= n)
        return compact; // cut short: not a compact key
    const qsizetype text = i + 1;
    QByteArray key(count * 6 + 3 + (n - text), Qt::Uninitialized);
    char* out = key.data();
    for (qsizetype c = 0; c < i && k[c] != 0;) {
        const unsigned char b = k[c];
        if (b == kSymbolShort || b == kSymbolLong || b == kOther) {
            *out++ = b == kOther ? Other : Symbol;
            if (b == kSymbolShort) {
                *out++ = 0;
                *out++ = 0;
                *out++ = char(k[c + 1]);
                c += 2;
            } else {
                std::memcpy(out, k + c + 1, 3);
                out += 3;
                c += 4;
            }
            continue;
        }
        *out++ = b == 0x01 ? Blank : b < kLatin ? Digit : Latin;
        *out++ = 0;
        *out++ = 0;
        *out++ = char(b == 0x01 ? 0 : b < kLatin ? b - kDigit : b - kLatin);
        ++c;
    }
    for (int s = 0; s < 2; ++s) {
        *out++ = 0;
        std::memcpy(out, k + sections[s], size_t(kept[s]));
        std::memset(out + kept[s], 1, size_t(count - kept[s]));
        out += count;
    }
    *out++ = 0;
    std::memcpy(out, k + text, size_t(n - text));
    return key;
}

} // namespace yb
