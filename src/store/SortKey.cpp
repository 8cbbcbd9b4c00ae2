#include "store/SortKey.h"

#include <QList>
#include <QStringView>
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
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* end = p + size;
    qsizetype count = 0;
    for (const auto* q = p; q < end; ++q)
        count += (*q & 0xC0) != 0x80;
    auto next = [&p, end]() -> char32_t {
        char32_t c = *p++;
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (more)
            c &= 0x3F >> more;
        for (; more > 0 && p < end; --more)
            c = (c << 6) | (*p++ & 0x3F);
        return c;
    };
    return buildKey(count, next, utf8, size);
}

QByteArray sortKeyPrefix(const QString& prefix)
{
    QByteArray primary;
    for (uint c : prefix.toUcs4())
        appendPrimary(primary, weighAny(char32_t(c)));
    return primary;
}

} // namespace yb
