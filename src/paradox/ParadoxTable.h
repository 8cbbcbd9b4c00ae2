#pragma once
// Reading tables of the Paradox format (.DB, with memo and blob texts in the
// .MB file beside it), file versions 3 to 7 (version bytes 3 to 12). The
// reader only reads: it never writes a byte to either file.
//
// What a .DB holds: a header (record size, header size, block size, record
// count, field count, version, code page, encryption), the field
// descriptors (type byte and size each), the field names, then data blocks
// of 1 to 32 KiB chained from the first block; each block has a six-byte
// head (next block, previous block, offset of its last record) and its
// records. Numbers are stored big-endian with the sign bit inverted, so that
// their bytes sort as the numbers do; all bytes zero is an empty field.
//
// Every problem of a file (truncated, damaged, foreign, encrypted) raises
// ParadoxError naming the file; nothing is guessed.

#include "paradox/CodePages.h"
#include "store/Errors.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace yb::paradox {

class ParadoxError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("EParadoxError"); }
};

enum class FieldType : quint8 {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Money = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct Field {
    QString name;
    FieldType type = FieldType::Alpha;
    int size = 0;     // bytes in the record (a BCD field: 17)
    int decimals = 0; // BCD fields: digits after the decimal point
    int offset = 0;   // of the field in the record

    bool isText() const
    {
        return type == FieldType::Alpha || type == FieldType::Memo || type == FieldType::FormattedMemo;
    }
    // Binary, graphic and OLE blobs and byte fields: read as empty, with a note.
    bool isSkipped() const;
};

// The name of a field type as users of the old program know it ("alpha", "memo").
QString typeName(FieldType t);

// The value of one field: null (QVariant()), QString for texts, qint64 for
// short, long and autoincrement, double for number and money, bool, QDate,
// QTime, QDateTime; a BCD number as its exact decimal text (QString).
using Record = QList<QVariant>;

class Table {
public:
    // Opens and checks the header of `path`. `codePage` replaces the table's
    // own code page (0: the table's; tables that name none are read as 437).
    explicit Table(const QString& path, int codePage = 0);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    QString path() const { return path_; }
    int versionByte() const { return version_; }
    // 3.0, 3.5, 4, 5 or 7: the file version as the program that wrote it named it.
    QString versionName() const;
    int codePage() const { return codePage_; } // as the header says; 0 when it names none
    QString textEncoding() const { return decoder_->name(); }
    qint64 recordCount() const { return recordCount_; }
    int recordSize() const { return recordSize_; }
    int blockSize() const { return blockSize_; }
    const QList<Field>& fields() const { return fields_; }
    // The field with that name, without regard to case; -1 if none.
    int fieldIndex(const QString& name) const;
    // What the reader leaves out (skipped blob fields) and, for the records
    // read so far, the BCD values it read only up to a digit that is not
    // decimal; one sentence each.
    QStringList notes() const;

    // The next record in the table's own order, in `record`; false after the
    // last. Raises ParadoxError when a block, a record or a memo is damaged.
    bool next(Record& record);
    // Number of the record last returned (1-based).
    qint64 recordNumber() const { return read_; }

private:
    void readHeader();
    void loadBlock(int block);
    void openBlobFile();
    QVariant decodeField(const Field& f, const unsigned char* p);
    QString readBlobText(const Field& f, const unsigned char* p);
    QByteArray readBlob(const Field& f, quint32 offset, quint32 length);
    [[noreturn]] void damaged(const QString& what) const;
    [[noreturn]] void damagedBlob(const Field& f, const QString& what) const;

    QString path_;
    QFile file_;
    std::unique_ptr<QFile> blob_;
    QString blobPath_;
    bool blobSearched_ = false;
    std::optional<TextDecoder> decoder_;
    qint64 fileSize_ = 0;

    int recordSize_ = 0;
    int headerSize_ = 0;
    int blockSize_ = 0;
    qint64 recordCount_ = 0;
    int fileBlocks_ = 0;
    int firstBlock_ = 0;
    int version_ = 0;
    int codePage_ = 0;
    int requestedCodePage_ = 0;
    QList<Field> fields_;
    QStringList notes_;
    struct BcdCut {
        qint64 values = 0;
        qint64 firstRecord = 0;
    };
    QMap<int, BcdCut> bcdCuts_; // by field

    // Walking the chain of data blocks.
    QByteArray block_;
    int currentBlock_ = 0;
    int nextBlock_ = 0;
    int inBlock_ = 0;   // records in the current block
    int atInBlock_ = 0; // next record to return from it
    std::vector<bool> visited_;
    qint64 read_ = 0;
};

} // namespace yb::paradox
