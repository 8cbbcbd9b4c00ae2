#include "tools/Csv.h"

#include "paradox/CodePages.h"
#include "store/Errors.h"

#include <QCoreApplication>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Csv)
};

constexpr qsizetype kChunk = 1 << 20;

// Windows-1252 differs from ISO-8859-1 only in the bytes 0x80 to 0x9F; the
// code page table's first 32 entries are those (the five bytes it leaves
// unassigned stay the control characters of the same number).
const char16_t* const kWindows1252 = paradox::kCp1252;

char32_t decodeByte(unsigned char b, CsvEncoding encoding)
{
    if (encoding == CsvEncoding::Windows1252 && b >= 0x80 && b < 0xA0)
        return kWindows1252[b - 0x80];
    return b;
}

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

const char* encodingName(CsvEncoding e)
{
    switch (e) {
    case CsvEncoding::Utf8: return "UTF-8";
    case CsvEncoding::Windows1252: return "windows-1252";
    case CsvEncoding::Latin1: return "ISO-8859-1";
    }
    return "";
}

bool formulaStart(char c) { return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r'; }

// Where the first character after the leading apostrophes stands.
size_t afterApostrophes(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == '\'')
        ++i;
    return i;
}

} // namespace

bool needsFormulaGuard(std::string_view text)
{
    const size_t i = afterApostrophes(text);
    return i < text.size() && formulaStart(text[i]);
}

bool removeFormulaGuard(std::string& text)
{
    if (text.empty() || text[0] != '\'' || !needsFormulaGuard(text))
        return false;
    text.erase(0, 1);
    return true;
}

std::optional<CsvEncoding> csvEncodingNamed(const QString& name)
{
    const QString n = name.trimmed().toLower().remove(QLatin1Char('-')).remove(QLatin1Char('_'));
    if (n == QLatin1String("utf8"))
        return CsvEncoding::Utf8;
    if (n == QLatin1String("windows1252") || n == QLatin1String("cp1252"))
        return CsvEncoding::Windows1252;
    if (n == QLatin1String("iso88591") || n == QLatin1String("latin1"))
        return CsvEncoding::Latin1;
    return std::nullopt;
}

QString csvEncodingNames() { return QStringLiteral("utf-8, windows-1252 (cp1252), iso-8859-1 (latin1)"); }

std::optional<char> csvSeparatorNamed(const QString& name)
{
    if (name.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0 || name == QLatin1String("\\t") ||
        name == QLatin1String("\t"))
        return '\t';
    if (name.size() != 1 || name[0].unicode() >= 0x80)
        return std::nullopt;
    const char c = char(name[0].unicode());
    if (c == '"' || c == '\n' || c == '\r' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
        (c >= 'a' && c <= 'z'))
        return std::nullopt;
    return c;
}

CsvWriter::CsvWriter(QIODevice* out, char separator, CsvEncoding encoding)
    : out_(out), separator_(separator), encoding_(encoding)
{
    buffer_.reserve(kChunk + 4096);
}

CsvWriter::~CsvWriter() = default;

void CsvWriter::field(const char* data, qsizetype size)
{
    if (encoding_ != CsvEncoding::Utf8) {
        // Texts come as UTF-8; a character the encoding lacks is refused, not replaced.
        encoded_.resize(0);
        const QString text = QString::fromUtf8(data, size);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            int byte = u < 0x100 ? int(u) : -1;
            if (encoding_ == CsvEncoding::Windows1252) {
                if (u >= 0x80 && u < 0xA0)
                    byte = -1;
                for (int b = 0; b < 32 && byte < 0; ++b)
                    if (kWindows1252[b] == u)
                        byte = 0x80 + b;
                if (byte < 0 && (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D))
                    byte = u;
            }
            if (byte < 0) {
                const QString ch = text[i].isHighSurrogate() && i + 1 < text.size() ? text.mid(i, 2) : text.mid(i, 1);
                throw Error(Text::tr("record %1 (line %2): the character '%3' (U+%4) cannot be written in %5")
                                .arg(records_)
                                .arg(recordLine_)
                                .arg(ch)
                                .arg(ch.toUcs4().value(0), 4, 16, QLatin1Char('0'))
                                .arg(QLatin1String(encodingName(encoding_))));
            }
            encoded_.append(char(byte));
        }
        data = encoded_.constData();
        size = encoded_.size();
    }
    if (!atRecordStart_)
        buffer_.append(separator_);
    onlyEmpty_ = atRecordStart_ && size == 0;
    atRecordStart_ = false;
    bool quote = false;
    for (qsizetype i = 0; i < size && !quote; ++i) {
        const char c = data[i];
        quote = c == separator_ || c == '"' || c == '\n' || c == '\r';
    }
    if (!quote) {
        buffer_.append(data, size);
    } else {
        // Line breaks inside the field move the lines of the records after it.
        for (qsizetype i = 0; i < size; ++i)
            lines_ += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
        buffer_.append('"');
        qsizetype from = 0;
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] == '"') {
                buffer_.append(data + from, i - from + 1);
                buffer_.append('"');
                from = i + 1;
            }
        }
        buffer_.append(data + from, size - from);
        buffer_.append('"');
    }
    if (buffer_.size() >= kChunk)
        flush();
}

void CsvWriter::text(const char* data, qsizetype size)
{
    if (!guard_ || !needsFormulaGuard(std::string_view(data, size_t(size)))) {
        field(data, size);
        return;
    }
    guarded_.resize(0);
    guarded_.append('\'');
    guarded_.append(data, size);
    field(guarded_);
}

void CsvWriter::endRecord()
{
    if (onlyEmpty_)
        buffer_.append("\"\"", 2); // one empty field, not a blank line (which readers skip)
    onlyEmpty_ = false;
    buffer_.append("\r\n", 2);
    atRecordStart_ = true;
    ++records_;
    recordLine_ = ++lines_ + 1;
}

void CsvWriter::flush()
{
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const qint64 n = out_->write(buffer_.constData() + done, buffer_.size() - done);
        if (n <= 0)
            throw Error(Text::tr("cannot write the output: %1").arg(out_->errorString()));
        done += n;
    }
    buffer_.resize(0);
}

CsvReader::CsvReader(QIODevice* in, char separator, CsvEncoding encoding)
    : in_(in), separator_(separator), encoding_(encoding)
{
    if (encoding_ == CsvEncoding::Utf8)
        buffer_.resize(kChunk);
    else
        raw_.resize(kChunk);
}

bool CsvReader::fill()
{
    char* target = encoding_ == CsvEncoding::Utf8 ? buffer_.data() : raw_.data();
    const qint64 n = in_->read(target, kChunk);
    if (n < 0)
        throw Error(Text::tr("cannot read the input: %1").arg(in_->errorString()));
    rawRead_ += n;
    pos_ = 0;
    if (encoding_ != CsvEncoding::Utf8) {
        if (rawRead_ == n && n >= 3 && raw_.startsWith("\xEF\xBB\xBF"))
            throw Error(Text::tr("line 1: the file begins with the mark of UTF-8 text, not %1; "
                                 "import it without --encoding")
                            .arg(QLatin1String(encodingName(encoding_))));
        // One byte is one character: each chunk converts on its own.
        buffer_.resize(0);
        for (qint64 i = 0; i < n; ++i)
            appendUtf8(buffer_, decodeByte(static_cast<unsigned char>(raw_[i]), encoding_));
    }
    len_ = encoding_ == CsvEncoding::Utf8 ? qsizetype(n) : buffer_.size();
    return n > 0;
}

void CsvReader::detectSeparator()
{
    // Counted over the header line as far as it is in the buffer.
    qsizetype counts[3] = {0, 0, 0};
    bool quoted = false;
    if (pos_ == len_)
        fill();
    for (qsizetype i = pos_; i < len_; ++i) {
        const char c = buffer_[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++counts[0];
        else if (!quoted && c == ';')
            ++counts[1];
        else if (!quoted && c == '\t')
            ++counts[2];
    }
    separator_ = counts[1] > counts[0] && counts[1] >= counts[2] ? ';' : counts[2] > counts[0] ? '\t' : ',';
}

bool CsvReader::next(std::vector<std::string>& fields)
{
    if (atStart_) {
        atStart_ = false;
        // A UTF-8 byte order mark, as some spreadsheets write it, is not data.
        if (peek() == 0xEF) {
            get();
            if (get() != 0xBB || get() != 0xBF)
                throw Error(Text::tr("line 1: the file does not begin with text"));
        }
        if (!separator_)
            detectSeparator();
    }
    // Skip blank lines between records.
    for (;;) {
        const int c = peek();
        if (c == -1)
            return false;
        if (c == '\n') {
            get();
            ++lineNo_;
        } else if (c == '\r') {
            get();
            if (peek() == '\n')
                get();
            ++lineNo_;
        } else {
            break;
        }
    }
    recordLine_ = lineNo_;
    qsizetype count = 0;
    auto nextField = [&]() -> std::string& {
        if (qsizetype(fields.size()) <= count)
            fields.emplace_back();
        std::string& f = fields[size_t(count++)];
        f.clear();
        return f;
    };
    std::string* f = &nextField();
    for (;;) {
        int c = get();
        if (c == '"' && f->empty()) {
            // Quoted field: everything up to the lone closing quote.
            const qint64 opened = lineNo_;
            for (;;) {
                c = get();
                if (c == -1)
                    throw Error(Text::tr("line %1: a quoted field that begins there is never closed").arg(opened));
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        f->push_back('"');
                        continue;
                    }
                    break;
                }
                if (c == '\n')
                    ++lineNo_;
                else if (c == '\r' && peek() != '\n')
                    ++lineNo_;
                f->push_back(char(c));
                // The plain run that follows, in one piece.
                const char* b = buffer_.constData();
                qsizetype i = pos_;
                while (i < len_ && b[i] != '"' && b[i] != '\n' && b[i] != '\r')
                    ++i;
                f->append(b + pos_, size_t(i - pos_));
                consumed_ += i - pos_;
                pos_ = i;
            }
            c = get();
            if (c != separator_ && c != '\n' && c != '\r' && c != -1)
                throw Error(Text::tr("line %1: text follows the closing quote of a field").arg(lineNo_));
        } else {
            const char sep = separator_;
            while (c != sep && c != '\n' && c != '\r' && c != -1) {
                if (c == '"')
                    throw Error(
                        Text::tr("line %1: a quote inside a field that does not begin with a quote").arg(lineNo_));
                f->push_back(char(c));
                const char* b = buffer_.constData();
                qsizetype i = pos_;
                while (i < len_ && b[i] != sep && b[i] != '\n' && b[i] != '\r' && b[i] != '"')
                    ++i;
                f->append(b + pos_, size_t(i - pos_));
                consumed_ += i - pos_;
                pos_ = i;
                c = get();
            }
        }
        if (c == separator_) {
            f = &nextField();
            continue;
        }
        if (c == '\r' && peek() == '\n')
            get();
        if (c != -1)
            ++lineNo_;
        break;
    }
    fields.resize(size_t(count));
    return true;
}

} // namespace yb::admin
