#pragma once
// Text of old tables in their code page, converted to Unicode. Code pages
// 437, 850 and 1252 are built in; any other goes through the C library's
// iconv.

#include <QString>
#include <memory>

namespace yb::paradox {

extern const char16_t kCp437[128];
extern const char16_t kCp850[128];
extern const char16_t kCp1252[128];

class TextDecoder {
public:
    // The decoder of a code page by number (437, 850, 1252, 1250 …) or, for
    // code pages without a number, by its iconv name ("HP-ROMAN8"). Raises
    // yb::Error when the code page is unknown.
    static TextDecoder forCodePage(int codePage);
    static TextDecoder forName(const QString& iconvName);

    // Converts `size` bytes; bytes that do not convert become U+FFFD.
    QString decode(const char* data, qsizetype size) const;
    // What the decoder converts from, for messages ("code page 850").
    QString name() const { return name_; }

private:
    TextDecoder() = default;
    struct Iconv;
    QString name_;
    char16_t upper_[128] = {};         // single-byte code pages: bytes 0x80 to 0xFF
    std::shared_ptr<Iconv> multibyte_; // code pages with characters of several bytes
};

} // namespace yb::paradox
