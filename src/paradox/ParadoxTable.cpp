#include "paradox/ParadoxTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstring>

namespace yb::paradox {

namespace {
// The messages of this unit, in the catalogue's context yb::Paradox.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Paradox)
};
} // namespace

namespace {

// Blocks of the .MB file are always 4 KiB.
constexpr int kBlobBlock = 4096;
// A sub-allocated blob block: 12 bytes of head, then 64 entries of 5 bytes.
constexpr int kSubHead = 12;
constexpr int kSubEntries = 64;
// Day 1 of the format is 1 January of the year 1, Julian day 1721426.
constexpr qint64 kJulianOfDayZero = 1721425;
constexpr double kMsPerDay = 86400000.0;

quint16 le16(const unsigned char* p) { return quint16(p[0] | (p[1] << 8)); }
quint32 le32(const unsigned char* p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
quint16 be16(const unsigned char* p) { return quint16((p[0] << 8) | p[1]); }
quint32 be32(const unsigned char* p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

bool allZero(const unsigned char* p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// A stored double: positive numbers have their sign bit set, negative ones
// have every bit inverted.
double storedDouble(const unsigned char* p)
{
    unsigned char b[8];
    if (p[0] & 0x80) {
        std::memcpy(b, p, 8);
        b[0] &= 0x7F;
    } else {
        for (int i = 0; i < 8; ++i)
            b[i] = static_cast<unsigned char>(~p[i]);
    }
    quint64 bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = (bits << 8) | b[i];
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

qint32 storedLong(const unsigned char* p) { return qint32(be32(p) ^ 0x80000000u); }
qint16 storedShort(const unsigned char* p) { return qint16(be16(p) ^ 0x8000u); }

// The fixed size in the record of each type; 0 when the descriptor gives it.
int fixedSize(FieldType t)
{
    switch (t) {
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoIncrement: return 4;
    case FieldType::Short: return 2;
    case FieldType::Money:
    case FieldType::Number:
    case FieldType::Timestamp: return 8;
    case FieldType::Logical: return 1;
    case FieldType::Bcd: return 17;
    default: return 0;
    }
}

bool knownType(quint8 t)
{
    switch (FieldType(t)) {
    case FieldType::Alpha:
    case FieldType::Date:
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::Money:
    case FieldType::Number:
    case FieldType::Logical:
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
    case FieldType::Time:
    case FieldType::Timestamp:
    case FieldType::AutoIncrement:
    case FieldType::Bcd:
    case FieldType::Bytes: return true;
    }
    return false;
}

bool isBlobType(FieldType t)
{
    return t == FieldType::Memo || t == FieldType::Blob || t == FieldType::FormattedMemo || t == FieldType::Ole ||
        t == FieldType::Graphic;
}

QString bcdText(const unsigned char* p, int decimals, bool* clean)
{
    const bool negative = !(p[0] & 0x80);
    const int digitsBefore = 32 - decimals;
    QString intPart, fracPart;
    bool valid = true;
    for (int i = 0; i < 32; ++i) {
        const unsigned char byte = p[1 + i / 2];
        int nibble = (i % 2) ? (byte & 0x0F) : (byte >> 4);
        if (negative)
            nibble = 0x0F - nibble;
        if (nibble > 9)
            valid = false; // from here on the digits are not a number's: taken as zeros
        const QChar digit(valid ? u'0' + nibble : u'0');
        (i < digitsBefore ? intPart : fracPart) += digit;
    }
    *clean = valid;
    while (intPart.size() > 1 && intPart.front() == u'0')
        intPart.remove(0, 1);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    while (!fracPart.isEmpty() && fracPart.back() == u'0')
        fracPart.chop(1);
    QString s = fracPart.isEmpty() ? intPart : intPart + u'.' + fracPart;
    if (negative && s != QLatin1String("0"))
        s.prepend(u'-');
    return s;
}

// Text bytes end at the first NUL.
qsizetype textLength(const unsigned char* p, qsizetype n)
{
    const void* z = std::memchr(p, 0, size_t(n));
    return z ? static_cast<const unsigned char*>(z) - p : n;
}

} // namespace

bool Field::isSkipped() const
{
    return type == FieldType::Blob || type == FieldType::Ole || type == FieldType::Graphic || type == FieldType::Bytes;
}

QString typeName(FieldType t)
{
    switch (t) {
    case FieldType::Alpha: return Text::tr("alpha");
    case FieldType::Date: return Text::tr("date");
    case FieldType::Short: return Text::tr("short");
    case FieldType::Long: return Text::tr("long integer");
    case FieldType::Money: return Text::tr("money");
    case FieldType::Number: return Text::tr("number");
    case FieldType::Logical: return Text::tr("logical");
    case FieldType::Memo: return Text::tr("memo");
    case FieldType::Blob: return Text::tr("binary");
    case FieldType::FormattedMemo: return Text::tr("formatted memo");
    case FieldType::Ole: return QStringLiteral("OLE");
    case FieldType::Graphic: return Text::tr("graphic");
    case FieldType::Time: return Text::tr("time");
    case FieldType::Timestamp: return Text::tr("timestamp");
    case FieldType::AutoIncrement: return Text::tr("autoincrement");
    case FieldType::Bcd: return QStringLiteral("BCD");
    case FieldType::Bytes: return Text::tr("bytes");
    }
    return Text::tr("unknown");
}

Table::Table(const QString& path, int codePage) : path_(path), file_(path), requestedCodePage_(codePage)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw ParadoxError(Text::tr("cannot read %1: %2").arg(QDir::toNativeSeparators(path), file_.errorString()));
    fileSize_ = file_.size();
    readHeader();
    visited_.assign(size_t(fileBlocks_) + 1, false);
    nextBlock_ = recordCount_ > 0 || firstBlock_ > 0 ? firstBlock_ : 0;
}

Table::~Table() = default;

void Table::damaged(const QString& what) const
{
    throw ParadoxError(Text::tr("%1 is not a readable Paradox table: %2").arg(QDir::toNativeSeparators(path_), what));
}

void Table::damagedBlob(const Field& f, const QString& what) const
{
    throw ParadoxError(Text::tr("%1 is damaged: record %2, field '%3': %4")
                           .arg(QDir::toNativeSeparators(blobPath_.isEmpty() ? path_ : blobPath_))
                           .arg(read_ + 1)
                           .arg(f.name, what));
}

QString Table::versionName() const
{
    if (version_ == 3)
        return QStringLiteral("3.0");
    if (version_ == 4)
        return QStringLiteral("3.5");
    if (version_ <= 9)
        return QStringLiteral("4");
    if (version_ <= 11)
        return QStringLiteral("5");
    return QStringLiteral("7");
}

QStringList Table::notes() const
{
    QStringList all = notes_;
    for (auto it = bcdCuts_.cbegin(); it != bcdCuts_.cend(); ++it)
        all << Text::tr("field '%1' (BCD): %2 held a digit that is not decimal (the first in record %3); "
                        "each is read up to that digit")
                   .arg(fields_[it.key()].name,
                        it->values == 1 ? Text::tr("1 value") : Text::tr("%1 values").arg(it->values))
                   .arg(it->firstRecord);
    return all;
}

int Table::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Table::readHeader()
{
    constexpr int kBaseHeader = 0x58;
    if (fileSize_ < kBaseHeader)
        damaged(Text::tr("the file is shorter (%1 bytes) than a table's header").arg(fileSize_));
    // The header is at most 64 KiB (its size is a 16-bit number).
    const QByteArray head = file_.read(qMin<qint64>(fileSize_, 0x10000));
    if (head.size() < kBaseHeader)
        damaged(Text::tr("the header cannot be read"));
    const auto* h = reinterpret_cast<const unsigned char*>(head.constData());

    recordSize_ = le16(h + 0x00);
    headerSize_ = le16(h + 0x02);
    const int fileType = h[0x04];
    const int maxTableSize = h[0x05];
    recordCount_ = le32(h + 0x06);
    fileBlocks_ = le16(h + 0x0C);
    firstBlock_ = le16(h + 0x0E);
    const int fieldCount = le16(h + 0x21);
    const quint32 encryption = le32(h + 0x25);
    version_ = h[0x39];

    if (version_ < 3 || version_ > 12)
        damaged(Text::tr("its version byte (%1) is not one of a table of file versions 3 to 7").arg(version_));
    if (fileType == 1 || (fileType >= 3 && fileType <= 8))
        damaged(Text::tr("it is an index file, not a table"));
    if (fileType != 0 && fileType != 2)
        damaged(Text::tr("its file type (%1) is not a table's").arg(fileType));
    if (maxTableSize != 1 && maxTableSize != 2 && maxTableSize != 3 && maxTableSize != 4 && maxTableSize != 8 &&
        maxTableSize != 16 && maxTableSize != 32)
        damaged(Text::tr("its block size (%1 KiB) is not one the format has").arg(maxTableSize));
    blockSize_ = maxTableSize * 1024;
    if (recordSize_ < 1 || recordSize_ > blockSize_ - 6)
        damaged(Text::tr("its record size (%1 bytes) does not fit its blocks of %2 bytes")
                    .arg(recordSize_)
                    .arg(blockSize_));
    if (fieldCount < 1 || fieldCount > 255)
        damaged(Text::tr("it declares %1 fields").arg(fieldCount));
    const bool extended = version_ >= 5; // file versions 4 and later carry a second part of the header
    if (extended && head.size() < 0x78)
        damaged(Text::tr("the file is shorter than a table's header"));
    // File versions 3 and 3.5 keep the password's check value at 0x25; later ones at 0x5C.
    if ((!extended && encryption != 0) || (extended && le32(h + 0x5C) != 0))
        throw ParadoxError(Text::tr("%1 is protected by a password (encrypted); this reader does not read "
                                    "encrypted tables. Remove the password with the old program first.")
                               .arg(QDir::toNativeSeparators(path_)));
    if (headerSize_ > head.size())
        damaged(Text::tr("the header (%1 bytes) is longer than the file").arg(headerSize_));
    // The last block of a file may end after its last record's bytes: its
    // records are checked as it is read.
    const qint64 atLeast = qint64(headerSize_) + (fileBlocks_ > 0 ? qint64(fileBlocks_ - 1) * blockSize_ + 6 : 0);
    if (atLeast > fileSize_)
        damaged(Text::tr("the file is truncated: it holds %1 bytes where its header and %2 blocks need at least %3")
                    .arg(fileSize_)
                    .arg(fileBlocks_)
                    .arg(atLeast));
    if (recordCount_ > qint64(fileBlocks_) * ((blockSize_ - 6) / recordSize_))
        damaged(Text::tr("its header counts %1 records, more than its %2 blocks can hold")
                    .arg(recordCount_)
                    .arg(fileBlocks_));
    if (firstBlock_ > fileBlocks_)
        damaged(Text::tr("its first data block (%1) lies beyond its %2 blocks").arg(firstBlock_).arg(fileBlocks_));

    int pos = extended ? 0x78 : kBaseHeader;
    if (extended)
        codePage_ = le16(h + 0x6A);
    auto need = [&](int bytes, const char* what) {
        if (pos + bytes > headerSize_)
            damaged(Text::tr(what));
    };
    need(fieldCount * 2, QT_TRANSLATE_NOOP("yb::Paradox", "the header ends inside its field descriptors"));
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        Field f;
        const quint8 type = h[pos + 2 * i];
        const int size = h[pos + 2 * i + 1];
        if (!knownType(type))
            damaged(Text::tr("field %1 has a type (0x%2) this reader does not know")
                        .arg(i + 1)
                        .arg(type, 2, 16, QLatin1Char('0')));
        f.type = FieldType(type);
        if (f.type == FieldType::Bcd) {
            if (size > 32)
                damaged(Text::tr("field %1 is a BCD number with %2 decimals").arg(i + 1).arg(size));
            f.decimals = size;
            f.size = 17;
        } else if (const int fixed = fixedSize(f.type)) {
            if (size != fixed)
                damaged(Text::tr("field %1 (%2) has %3 bytes instead of %4")
                            .arg(i + 1)
                            .arg(typeName(f.type))
                            .arg(size)
                            .arg(fixed));
            f.size = size;
        } else if (isBlobType(f.type)) {
            if (size < 10)
                damaged(Text::tr("field %1 (%2) is too small (%3 bytes) to hold its pointer")
                            .arg(i + 1)
                            .arg(typeName(f.type))
                            .arg(size));
            f.size = size;
        } else {
            if (size < 1)
                damaged(Text::tr("field %1 (%2) has no size").arg(i + 1).arg(typeName(f.type)));
            f.size = size;
        }
        f.offset = offset;
        offset += f.size;
        fields_ << f;
    }
    if (offset != recordSize_)
        damaged(Text::tr("its fields take %1 bytes, its records %2").arg(offset).arg(recordSize_));
    pos += fieldCount * 2;

    // The pointer to the table name, one pointer per field name, the table name.
    const int tableNameSize = version_ >= 12 ? 261 : 79;
    need(4 + fieldCount * 4 + tableNameSize, QT_TRANSLATE_NOOP("yb::Paradox", "the header ends inside its table name"));
    pos += 4 + fieldCount * 4 + tableNameSize;
    QList<QByteArray> rawNames;
    for (int i = 0; i < fieldCount; ++i) {
        const void* end = pos < headerSize_ ? std::memchr(h + pos, 0, size_t(headerSize_ - pos)) : nullptr;
        if (!end)
            damaged(Text::tr("the header ends inside the name of field %1").arg(i + 1));
        const int len = int(static_cast<const unsigned char*>(end) - (h + pos));
        rawNames << QByteArray(reinterpret_cast<const char*>(h + pos), len);
        pos += len + 1;
    }
    // Then, in file versions 4 and later, the field numbers and the name of the sort order.
    QByteArray sortOrder;
    if (extended && pos + fieldCount * 2 < headerSize_) {
        const int at = pos + fieldCount * 2;
        const void* end = std::memchr(h + at, 0, size_t(headerSize_ - at));
        if (end)
            sortOrder = QByteArray(reinterpret_cast<const char*>(h + at),
                                   int(static_cast<const unsigned char*>(end) - (h + at)));
    }

    if (requestedCodePage_ > 0 || codePage_ > 0) {
        try {
            decoder_ = TextDecoder::forCodePage(requestedCodePage_ > 0 ? requestedCodePage_ : codePage_);
        } catch (const Error& e) {
            throw ParadoxError(Text::tr("%1: its texts are in %2").arg(QDir::toNativeSeparators(path_), e.message()));
        }
    } else if (sortOrder.toUpper().startsWith("BLROM8")) {
        // Tables of the HP Roman-8 language driver name no code page.
        decoder_ = TextDecoder::forName(QStringLiteral("HP-ROMAN8"));
    } else {
        decoder_ = TextDecoder::forCodePage(437);
    }
    for (int i = 0; i < fieldCount; ++i) {
        fields_[i].name = decoder_->decode(rawNames[i].constData(), rawNames[i].size());
        if (fields_[i].isSkipped())
            notes_ << Text::tr("field '%1' (%2) holds no text: it is read as empty")
                          .arg(fields_[i].name, typeName(fields_[i].type));
    }
}

void Table::loadBlock(int block)
{
    if (block < 1 || block > fileBlocks_)
        damaged(Text::tr("the chain of data blocks points to block %1 of %2").arg(block).arg(fileBlocks_));
    if (visited_[size_t(block)])
        damaged(Text::tr("the chain of data blocks returns to block %1").arg(block));
    visited_[size_t(block)] = true;
    if (!file_.seek(qint64(headerSize_) + qint64(block - 1) * blockSize_))
        damaged(Text::tr("block %1 cannot be read").arg(block));
    block_ = file_.read(blockSize_);
    if (block_.size() < 6)
        damaged(Text::tr("the file is truncated: it ends inside the head of block %1").arg(block));
    const auto* b = reinterpret_cast<const unsigned char*>(block_.constData());
    nextBlock_ = le16(b);
    const qint16 lastOffset = qint16(le16(b + 4));
    if (lastOffset < 0) {
        inBlock_ = 0; // an empty block
    } else {
        if (lastOffset % recordSize_ != 0 || 6 + lastOffset + recordSize_ > blockSize_)
            damaged(Text::tr("block %1 says its last record begins at byte %2").arg(block).arg(lastOffset));
        inBlock_ = lastOffset / recordSize_ + 1;
        if (6 + lastOffset + recordSize_ > block_.size())
            damaged(Text::tr("the file is truncated: it ends inside record %1 of block %2")
                        .arg(qint64(block_.size() - 6) / recordSize_ + 1)
                        .arg(block));
    }
    atInBlock_ = 0;
    currentBlock_ = block;
}

bool Table::next(Record& record)
{
    while (atInBlock_ >= inBlock_) {
        if (nextBlock_ == 0) {
            if (read_ != recordCount_)
                damaged(Text::tr("its header counts %1 records, its data blocks hold %2").arg(recordCount_).arg(read_));
            return false;
        }
        loadBlock(nextBlock_);
    }
    if (read_ >= recordCount_)
        damaged(Text::tr("its data blocks hold more records than the %1 its header counts").arg(recordCount_));
    const auto* p = reinterpret_cast<const unsigned char*>(block_.constData()) + 6 + atInBlock_ * recordSize_;
    record.resize(fields_.size());
    for (int i = 0; i < fields_.size(); ++i)
        record[i] = decodeField(fields_[i], p + fields_[i].offset);
    ++atInBlock_;
    ++read_;
    return true;
}

QVariant Table::decodeField(const Field& f, const unsigned char* p)
{
    auto bad = [&](const QString& what) -> QVariant {
        damaged(Text::tr("record %1, field '%2': %3").arg(read_ + 1).arg(f.name, what));
    };
    switch (f.type) {
    case FieldType::Alpha: {
        const qsizetype n = textLength(p, f.size);
        if (n == 0)
            return {};
        return decoder_->decode(reinterpret_cast<const char*>(p), n);
    }
    case FieldType::Short:
        if (allZero(p, 2))
            return {};
        return qint64(storedShort(p));
    case FieldType::Long:
    case FieldType::AutoIncrement:
        if (allZero(p, 4))
            return {};
        return qint64(storedLong(p));
    case FieldType::Money:
    case FieldType::Number:
        if (allZero(p, 8))
            return {};
        return storedDouble(p);
    case FieldType::Logical:
        if (p[0] == 0)
            return {};
        return p[0] != 0x80;
    case FieldType::Date: {
        if (allZero(p, 4))
            return {};
        const qint32 days = storedLong(p);
        const QDate d = QDate::fromJulianDay(qint64(days) + kJulianOfDayZero);
        if (days < 1 || !d.isValid() || d.year() > 9999)
            return bad(Text::tr("%1 is not a day of the calendar").arg(days));
        return d;
    }
    case FieldType::Time: {
        if (allZero(p, 4))
            return {};
        const qint32 ms = storedLong(p);
        if (ms < 0 || ms >= 86400000)
            return bad(Text::tr("%1 ms is not a time of day").arg(ms));
        return QTime::fromMSecsSinceStartOfDay(ms);
    }
    case FieldType::Timestamp: {
        if (allZero(p, 8))
            return {};
        const double ms = storedDouble(p);
        if (!std::isfinite(ms) || ms < kMsPerDay || ms >= 3652060.0 * kMsPerDay)
            return bad(Text::tr("%1 is not a date and time").arg(ms));
        const double days = std::floor(ms / kMsPerDay);
        const int msOfDay = int(std::llround(ms - days * kMsPerDay));
        QDate d = QDate::fromJulianDay(qint64(days) + kJulianOfDayZero);
        if (msOfDay >= 86400000) // rounded up to the next midnight
            return QDateTime(d.addDays(1), QTime(0, 0));
        return QDateTime(d, QTime::fromMSecsSinceStartOfDay(msOfDay));
    }
    case FieldType::Bcd: {
        if (p[0] == 0)
            return {};
        bool clean = true;
        const QString text = bcdText(p, f.decimals, &clean);
        if (!clean) {
            // Tables hold such values (digits past a number's precision), read up to the
            // first of them; the notes say so.
            BcdCut& cut = bcdCuts_[int(&f - fields_.constData())];
            if (cut.values++ == 0)
                cut.firstRecord = read_ + 1;
        }
        return text;
    }
    case FieldType::Memo:
    case FieldType::FormattedMemo: {
        QString text = readBlobText(f, p);
        if (text.isEmpty())
            return {};
        return text;
    }
    case FieldType::Blob:
    case FieldType::Ole:
    case FieldType::Graphic:
    case FieldType::Bytes: return {};
    }
    return {};
}

void Table::openBlobFile()
{
    blobSearched_ = true;
    const QFileInfo info(path_);
    const QString wanted = info.completeBaseName() + QStringLiteral(".MB");
    // The memo file's path as the table's was given: the same directory part.
    const QString typedDir = path_.left(path_.size() - info.fileName().size());
    QStringList found;
    for (const QString& e : info.absoluteDir().entryList(QDir::Files))
        if (e.compare(wanted, Qt::CaseInsensitive) == 0)
            found << typedDir + e;
    if (found.isEmpty())
        return;
    if (found.size() > 1)
        throw ParadoxError(Text::tr("%1 has %2 memo files, %3: keep the one that belongs to it and move the "
                                    "others away")
                               .arg(QDir::toNativeSeparators(path_))
                               .arg(found.size())
                               .arg(QDir::toNativeSeparators(found.join(Text::tr(" and ")))));
    blobPath_ = found.front();
    auto f = std::make_unique<QFile>(blobPath_);
    if (!f->open(QIODevice::ReadOnly))
        throw ParadoxError(Text::tr("cannot read %1: %2").arg(QDir::toNativeSeparators(blobPath_), f->errorString()));
    char first = 1;
    if (f->size() < kBlobBlock || f->read(&first, 1) != 1 || first != 0)
        throw ParadoxError(Text::tr("%1 is not a readable memo file of %2: its first block is not a memo file's head")
                               .arg(QDir::toNativeSeparators(blobPath_), QDir::toNativeSeparators(path_)));
    blob_ = std::move(f);
}

QByteArray Table::readBlob(const Field& f, quint32 offset, quint32 length)
{
    if (!blobSearched_)
        openBlobFile();
    if (!blob_)
        throw ParadoxError(Text::tr("%1: field '%2' keeps its texts in a memo file %3.MB, which is missing")
                               .arg(QDir::toNativeSeparators(path_), f.name, QFileInfo(path_).completeBaseName()));
    const qint64 mbSize = blob_->size();
    const quint32 index = offset & 0xFF;
    const qint64 blockAt = offset & 0xFFFFFF00u;
    if (blockAt < kBlobBlock || blockAt % kBlobBlock != 0 || blockAt + kBlobBlock > mbSize)
        damagedBlob(f, Text::tr("the memo points to byte %1 of a memo file of %2 bytes").arg(blockAt).arg(mbSize));
    if (!blob_->seek(blockAt))
        damagedBlob(f, Text::tr("the memo file cannot be read"));
    const QByteArray head = blob_->read(kSubHead + kSubEntries * 5);
    if (head.size() != kSubHead + kSubEntries * 5)
        damagedBlob(f, Text::tr("the memo file is cut short"));
    const auto* h = reinterpret_cast<const unsigned char*>(head.constData());
    qint64 dataAt;
    if (index == 0xFF) {
        // A blob of its own: type 2, number of blocks, length, modification number, data.
        if (h[0] != 2)
            damagedBlob(f, Text::tr("the memo's block has type %1 where a single blob's is 2").arg(h[0]));
        const quint32 storedLength = le32(h + 3);
        const qint64 blocks = le16(h + 1);
        if (storedLength != length || qint64(length) + 9 > blocks * kBlobBlock)
            damagedBlob(f,
                        Text::tr("the memo's length (%1) disagrees with its block (%2)").arg(length).arg(storedLength));
        dataAt = blockAt + 9;
    } else {
        // A block shared by small blobs: type 3, then an entry per blob.
        if (h[0] != 3)
            damagedBlob(f, Text::tr("the memo's block has type %1 where a shared block's is 3").arg(h[0]));
        if (index >= quint32(kSubEntries))
            damagedBlob(f, Text::tr("the memo points to entry %1 of a block of %2").arg(index).arg(kSubEntries));
        const unsigned char* e = h + kSubHead + index * 5;
        const int start = e[0] * 16;
        const qint64 room = qint64(e[1]) * 16;
        if (e[1] == 0 || start < kSubHead + kSubEntries * 5 || qint64(length) > room || room - length >= 16 ||
            start + qint64(length) > kBlobBlock)
            damagedBlob(f, Text::tr("the memo's entry in its block does not hold %1 bytes").arg(length));
        dataAt = blockAt + start;
    }
    if (dataAt + qint64(length) > mbSize)
        damagedBlob(f, Text::tr("the memo file ends inside the memo"));
    if (!blob_->seek(dataAt))
        damagedBlob(f, Text::tr("the memo file cannot be read"));
    QByteArray data = blob_->read(length);
    if (data.size() != qsizetype(length))
        damagedBlob(f, Text::tr("the memo file ends inside the memo"));
    return data;
}

QString Table::readBlobText(const Field& f, const unsigned char* p)
{
    const int leader = f.size - 10;
    const unsigned char* ptr = p + leader;
    const quint32 offset = le32(ptr);
    const quint32 length = le32(ptr + 4);
    if (length == 0)
        return {};
    QByteArray bytes;
    if (offset == 0) {
        // Short enough to live in the record alone.
        if (length > quint32(leader))
            damagedBlob(f, Text::tr("the memo of %1 bytes has no place in the memo file").arg(length));
        bytes = QByteArray(reinterpret_cast<const char*>(p), qsizetype(length));
    } else {
        bytes = readBlob(f, offset, length);
        if (f.type == FieldType::FormattedMemo) {
            // The text follows a count of parts, its own length (ending NUL
            // included) and a 6-byte description of each further part;
            // the formatting comes after the text.
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
            const quint32 parts = bytes.size() >= 8 ? le32(b) : 0;
            const quint32 textLen = bytes.size() >= 8 ? le32(b + 4) : 0;
            const qint64 start = 8 + 6 * (qint64(parts) - 1);
            if (parts < 1 || parts > 1000 || start + qint64(textLen) > bytes.size())
                damagedBlob(f, Text::tr("the formatted memo is not in the form this reader knows"));
            bytes = bytes.mid(start, textLen);
        }
    }
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    return decoder_->decode(bytes.constData(), bytes.size());
}

} // namespace yb::paradox
