#include "Csv.h"

#include "Errors.h"

namespace yb::admin {

namespace {
constexpr qsizetype kChunk = 1 << 20;
}

CsvWriter::CsvWriter(QIODevice* out) : out_(out) { buffer_.reserve(kChunk + 4096); }

CsvWriter::~CsvWriter() = default;

void CsvWriter::field(const char* data, qsizetype size)
{
    if (!atRecordStart_)
        buffer_.append(',');
    atRecordStart_ = false;
    bool quote = false;
    for (qsizetype i = 0; i < size && !quote; ++i) {
        const char c = data[i];
        quote = c == ',' || c == '"' || c == '\n' || c == '\r';
    }
    if (!quote) {
        buffer_.append(data, size);
    } else {
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

void CsvWriter::endRecord()
{
    buffer_.append("\r\n", 2);
    atRecordStart_ = true;
}

void CsvWriter::flush()
{
    qsizetype done = 0;
    while (done < buffer_.size()) {
        const qint64 n = out_->write(buffer_.constData() + done, buffer_.size() - done);
        if (n <= 0)
            throw Error(QStringLiteral("cannot write the output: %1").arg(out_->errorString()));
        done += n;
    }
    buffer_.resize(0);
}

CsvReader::CsvReader(QIODevice* in) : in_(in) { buffer_.resize(kChunk); }

bool CsvReader::fill()
{
    const qint64 n = in_->read(buffer_.data(), kChunk);
    if (n < 0)
        throw Error(QStringLiteral("cannot read the input: %1").arg(in_->errorString()));
    pos_ = 0;
    len_ = qsizetype(n);
    return n > 0;
}

bool CsvReader::next(std::vector<std::string>& fields)
{
    if (atStart_) {
        atStart_ = false;
        // A UTF-8 byte order mark, as some spreadsheets write it, is not data.
        if (peek() == 0xEF) {
            get();
            if (get() != 0xBB || get() != 0xBF)
                throw Error(QStringLiteral("line 1: the file does not begin with text"));
        }
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
                    throw Error(QStringLiteral("line %1: a quoted field that begins there is never closed").arg(opened));
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
            }
            c = get();
            if (c != ',' && c != '\n' && c != '\r' && c != -1)
                throw Error(QStringLiteral("line %1: text follows the closing quote of a field").arg(lineNo_));
        } else {
            while (c != ',' && c != '\n' && c != '\r' && c != -1) {
                if (c == '"')
                    throw Error(QStringLiteral("line %1: a quote inside a field that does not begin with a quote")
                                    .arg(lineNo_));
                f->push_back(char(c));
                c = get();
            }
        }
        if (c == ',') {
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
