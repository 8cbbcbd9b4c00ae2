#include "paradox/CodePages.h"

#include "store/Errors.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <mutex>
#include <vector>

namespace yb::paradox {

namespace {
// The messages of this unit, in the catalogue's context yb::Paradox.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Paradox)
};
} // namespace

struct TextDecoder::Iconv {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    std::mutex lock; // iconv keeps its shift state in the descriptor
    ~Iconv()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
};

namespace {

iconv_t openToUtf16(const QByteArray& from) { return iconv_open("UTF-16LE", from.constData()); }

// One byte through iconv: its character, 0 when the byte alone is not a whole
// character (a lead byte of a multi-byte code page), U+FFFD when it does not convert.
char16_t convertByte(iconv_t cd, unsigned char byte, bool* partial)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in = char(byte);
    char out[8];
    char* ip = &in;
    char* op = out;
    size_t il = 1, ol = sizeof out;
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    if (r == size_t(-1)) {
        if (errno == EINVAL)
            *partial = true;
        return u'\uFFFD';
    }
    if (op - out != 2) // outside the basic plane or nothing: not a single-byte code page
        *partial = true;
    return char16_t(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
}

} // namespace

TextDecoder TextDecoder::forCodePage(int codePage)
{
    TextDecoder d;
    d.name_ = Text::tr("code page %1").arg(codePage);
    const char16_t* builtin = codePage == 437 ? kCp437
        : codePage == 850                     ? kCp850
        : codePage == 1252                    ? kCp1252
                                              : nullptr;
    if (builtin) {
        std::memcpy(d.upper_, builtin, sizeof d.upper_);
        return d;
    }
    TextDecoder viaIconv = forName(QStringLiteral("CP%1").arg(codePage));
    viaIconv.name_ = d.name_;
    return viaIconv;
}

TextDecoder TextDecoder::forName(const QString& iconvName)
{
    TextDecoder d;
    d.name_ = iconvName;
    const QByteArray name = iconvName.toLatin1();
    iconv_t cd = openToUtf16(name);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error(Text::tr("the character set %1 is not known to this system").arg(iconvName));
    bool partial = false;
    for (int b = 0x80; b < 0x100; ++b)
        d.upper_[b - 0x80] = convertByte(cd, static_cast<unsigned char>(b), &partial);
    // ASCII must stay ASCII, or the table is not of the kind this reader expects.
    for (int b = 1; b < 0x80 && !partial; ++b)
        if (convertByte(cd, static_cast<unsigned char>(b), &partial) != char16_t(b))
            partial = true;
    if (!partial) {
        iconv_close(cd);
        return d;
    }
    d.multibyte_ = std::make_shared<Iconv>();
    d.multibyte_->cd = cd;
    return d;
}

QString TextDecoder::decode(const char* data, qsizetype size) const
{
    if (!multibyte_) {
        QString s(size, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(s.data());
        for (qsizetype i = 0; i < size; ++i) {
            const auto c = static_cast<unsigned char>(data[i]);
            out[i] = c < 0x80 ? char16_t(c) : upper_[c - 0x80];
        }
        return s;
    }
    std::lock_guard<std::mutex> guard(multibyte_->lock);
    iconv_t cd = multibyte_->cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(size_t(size) * 4 + 8);
    char* ip = const_cast<char*>(data);
    size_t il = size_t(size);
    QString result;
    while (il > 0) {
        char* op = out.data();
        size_t ol = out.size();
        const size_t r = iconv(cd, &ip, &il, &op, &ol);
        result += QString::fromUtf16(reinterpret_cast<const char16_t*>(out.data()), (op - out.data()) / 2);
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or incomplete sequence: one replacement character, then on.
            result += QChar(0xFFFD);
            ++ip;
            --il;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return result;
}

} // namespace yb::paradox
