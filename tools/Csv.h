#pragma once
// Comma-separated values as RFC 4180 writes them: fields separated by commas,
// records ended by CR LF, a field that holds a comma, a quote or a line break
// enclosed in quotes with its quotes doubled. Spreadsheets set to Spanish use
// a semicolon instead of the comma and often save in Windows-1252; both
// classes take another separator and a single-byte encoding. Both stream
// through a fixed buffer, so a file of any size takes the same memory.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yb::admin {

// The character encodings of a CSV file besides UTF-8 (the default).
enum class CsvEncoding { Utf8, Windows1252, Latin1 };

// The encoding an option names ("utf-8", "windows-1252", "cp1252",
// "iso-8859-1", "latin1", without regard to case); none for another name.
std::optional<CsvEncoding> csvEncodingNamed(const QString& name);
// The names csvEncodingNamed() knows, for messages and help.
QString csvEncodingNames();
// The separator an option names: one character, or "tab"; none otherwise
// (a quote, a line break or a letter cannot separate fields).
std::optional<char> csvSeparatorNamed(const QString& name);

// A text that a spreadsheet opening the file would take for a formula begins
// with '=', '+', '-', '@', a tab or a carriage return. The export writes such
// a text with an apostrophe in front (the spreadsheet then shows it as text);
// it does the same for a text that begins with apostrophes followed by one of
// those characters, so that the import, which removes the first apostrophe of
// exactly those texts, gives back every text as it was.
bool needsFormulaGuard(std::string_view text);
// Removes the apostrophe that needsFormulaGuard() asked for; false when the
// text has none (a text of apostrophes then one of the characters above).
bool removeFormulaGuard(std::string& text);

class CsvWriter {
public:
    explicit CsvWriter(QIODevice* out, char separator = ',', CsvEncoding encoding = CsvEncoding::Utf8);
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void field(const char* data, qsizetype size);
    void field(const QByteArray& data) { field(data.constData(), data.size()); }
    // A text or memo: with an apostrophe in front when needsFormulaGuard()
    // says so and guarding is on (the default).
    void text(const char* data, qsizetype size);
    void setFormulaGuard(bool on) { guard_ = on; }
    void endRecord();
    // Writes what is buffered; raises yb::Error when the device refuses.
    void flush();

private:
    QIODevice* out_;
    QByteArray buffer_;
    QByteArray encoded_;
    QByteArray guarded_;
    char separator_;
    CsvEncoding encoding_;
    // Records ended so far; the first one is the header, so this is also the
    // number of the data record being written.
    qint64 records_ = 0;
    qint64 lines_ = 0;      // line ends written
    qint64 recordLine_ = 1; // the line on which the current record begins
    bool atRecordStart_ = true;
    bool guard_ = true;
    bool onlyEmpty_ = false; // the record so far is one empty field
};

class CsvReader {
public:
    // `separator` 0: the one of the header line, a comma, a semicolon or a
    // tab, whichever it holds most of outside quotes (a comma when none).
    explicit CsvReader(QIODevice* in, char separator = ',', CsvEncoding encoding = CsvEncoding::Utf8);
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the next record into `fields` (raw bytes, quotes removed). Returns
    // false at the end of the input. Blank lines are skipped. Raises yb::Error
    // naming the line when the input is not well-formed.
    bool next(std::vector<std::string>& fields);
    // The line on which the record last returned by next() begins (1-based).
    qint64 line() const { return recordLine_; }
    // Bytes of the input consumed so far (for a single-byte encoding: read so far).
    qint64 position() const { return encoding_ == CsvEncoding::Utf8 ? consumed_ : rawRead_; }
    // The separator in use (once next() has read the header when it was detected).
    char separator() const { return separator_; }

private:
    bool fill();
    void detectSeparator();
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
    QByteArray raw_;
    char separator_;
    CsvEncoding encoding_;
    qint64 rawRead_ = 0;
    qsizetype pos_ = 0;
    qsizetype len_ = 0;
    qint64 consumed_ = 0;
    qint64 lineNo_ = 1;
    qint64 recordLine_ = 0;
    bool atStart_ = true;
};

} // namespace yb::admin
