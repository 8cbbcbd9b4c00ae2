#pragma once
// Comma-separated values as RFC 4180 writes them: fields separated by commas,
// records ended by CR LF, a field that holds a comma, a quote or a line break
// enclosed in quotes with its quotes doubled. Both classes stream through a
// fixed buffer, so a file of any size takes the same memory.

#include <QByteArray>
#include <QIODevice>
#include <string>
#include <vector>

namespace yb::admin {

class CsvWriter {
public:
    explicit CsvWriter(QIODevice* out);
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void field(const char* data, qsizetype size);
    void field(const QByteArray& data) { field(data.constData(), data.size()); }
    void endRecord();
    // Writes what is buffered; raises yb::Error when the device refuses.
    void flush();

private:
    QIODevice* out_;
    QByteArray buffer_;
    bool atRecordStart_ = true;
};

class CsvReader {
public:
    explicit CsvReader(QIODevice* in);
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the next record into `fields` (raw bytes, quotes removed). Returns
    // false at the end of the input. Blank lines are skipped. Raises yb::Error
    // naming the line when the input is not well-formed.
    bool next(std::vector<std::string>& fields);
    // The line on which the record last returned by next() begins (1-based).
    qint64 line() const { return recordLine_; }
    // Bytes consumed so far.
    qint64 position() const { return consumed_; }

private:
    bool fill();
    int get()
    {
        if (pos_ == len_ && !fill())
            return -1;
        ++consumed_;
        return static_cast<unsigned char>(buffer_[pos_++]);
    }
    int peek()
    {
        if (pos_ == len_ && !fill())
            return -1;
        return static_cast<unsigned char>(buffer_[pos_]);
    }

    QIODevice* in_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype len_ = 0;
    qint64 consumed_ = 0;
    qint64 lineNo_ = 1;
    qint64 recordLine_ = 0;
    bool atStart_ = true;
};

} // namespace yb::admin
