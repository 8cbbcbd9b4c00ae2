#include "ParadoxWriter.h"

#include "paradox/CodePages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <stdexcept>

namespace yb::paradox::testing {

namespace {

void putLe16(QByteArray& b, int at, quint32 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void putLe32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}
void putBe(char* p, quint64 v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, v >>= 8)
        p[i] = char(v & 0xFF);
}
void putDouble(char* p, double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, 8);
    if (bits & 0x8000000000000000ull)
        bits = ~bits;
    else
        bits |= 0x8000000000000000ull;
    putBe(p, bits, 8);
}

int fieldBytes(const WField& f)
{
    switch (f.type) {
    case 0x02:
    case 0x04:
    case 0x14:
    case 0x16: return 4;
    case 0x03: return 2;
    case 0x05:
    case 0x06:
    case 0x15: return 8;
    case 0x09: return 1;
    case 0x17: return 17;
    default: return f.size;
    }
}

constexpr qint64 kDayZero = 1721425;

// The .MB file as it grows: a head block, shared blocks for small texts, own blocks for large ones.
struct BlobFile {
    QByteArray data = QByteArray(4096, '\0');
    int shared = -1; // offset of the shared block being filled
    int entries = 0;
    int used = 0; // bytes of it taken, from its start

    quint32 add(const QByteArray& blob)
    {
        const int n = int(blob.size());
        const int room16 = (n + 15) / 16;
        if (n <= 4096 - 336) {
            if (shared < 0 || entries == 64 || used + room16 * 16 > 4096) {
                shared = int(data.size());
                data.append(QByteArray(4096, '\0'));
                data[shared] = char(3);
                putLe16(data, shared + 1, 1);
                entries = 0;
                used = 336;
            }
            const int index = entries++;
            const int e = shared + 12 + index * 5;
            data[e] = char(used / 16);
            data[e + 1] = char(room16);
            putLe16(data, e + 2, 1);
            data[e + 4] = char(n % 16);
            std::memcpy(data.data() + shared + used, blob.constData(), size_t(n));
            used += room16 * 16;
            return quint32(shared) | quint32(index);
        }
        const int at = int(data.size());
        const int blocks = (9 + n + 4095) / 4096;
        data.append(QByteArray(blocks * 4096, '\0'));
        data[at] = char(2);
        putLe16(data, at + 1, quint32(blocks));
        putLe32(data, at + 3, quint32(n));
        putLe16(data, at + 7, 1);
        std::memcpy(data.data() + at + 9, blob.constData(), size_t(n));
        return quint32(at) | 0xFFu;
    }
};

} // namespace

ParadoxWriter::ParadoxWriter(QList<WField> fields, WOptions options) : fields_(std::move(fields)), options_(options) {}

void ParadoxWriter::add(const QList<QVariant>& values) { records_ << values; }

QByteArray ParadoxWriter::encode(const QString& text) const
{
    const char16_t* upper = options_.codePage == 850 ? kCp850 : options_.codePage == 1252 ? kCp1252 : kCp437;
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
            continue;
        }
        int found = -1;
        for (int i = 0; i < 128 && found < 0; ++i)
            if (upper[i] == c.unicode())
                found = i;
        if (found < 0)
            throw std::runtime_error("character not in the code page");
        out += char(0x80 + found);
    }
    return out;
}

void ParadoxWriter::write(const QString& path, const QString& mbName) const
{
    const bool extended = options_.version >= 5;
    const int blockSize = options_.blockKb * 1024;
    int recordSize = 0;
    for (const WField& f : fields_)
        recordSize += fieldBytes(f);
    const int n = int(fields_.size());

    // Header.
    QByteArray names;
    for (const WField& f : fields_)
        names += encode(f.name) + '\0';
    const int tableName = options_.version >= 12 ? 261 : 79;
    QByteArray tail = names;
    if (extended) {
        for (int i = 0; i < n; ++i)
            tail += char(i + 1), tail += '\0';
        tail += QByteArray("ascii") + '\0';
    }
    const int fixedHead = extended ? 0x78 : 0x58;
    const int headUsed = fixedHead + 2 * n + 4 + 4 * n + tableName + int(tail.size());
    const int headerSize = (headUsed + blockSize - 1) / blockSize * blockSize;
    QByteArray head(headerSize, '\0');
    const int perBlock = (blockSize - 6) / recordSize;
    const int blocks = records_.isEmpty() ? 0 : int((records_.size() + perBlock - 1) / perBlock);
    putLe16(head, 0x00, quint32(recordSize));
    putLe16(head, 0x02, quint32(headerSize));
    head[0x04] = char(2);
    head[0x05] = char(options_.blockKb);
    putLe32(head, 0x06, quint32(records_.size()));
    putLe16(head, 0x0A, quint32(blocks + 1));
    putLe16(head, 0x0C, quint32(blocks));
    putLe16(head, 0x0E, blocks ? 1 : 0);
    putLe16(head, 0x10, quint32(blocks));
    putLe16(head, 0x21, quint32(n));
    head[0x39] = char(options_.version);
    if (extended) {
        putLe32(head, 0x5C, options_.encryption);
        putLe16(head, 0x6A, quint32(options_.codePage));
    } else {
        putLe32(head, 0x25, options_.encryption);
    }
    for (int i = 0; i < n; ++i) {
        head[fixedHead + 2 * i] = char(fields_[i].type);
        head[fixedHead + 2 * i + 1] = char(fields_[i].size);
    }
    const QByteArray table = QFileInfo(path).fileName().toLatin1().left(tableName - 1);
    std::memcpy(head.data() + fixedHead + 2 * n + 4 + 4 * n, table.constData(), size_t(table.size()));
    std::memcpy(head.data() + fixedHead + 2 * n + 4 + 4 * n + tableName, tail.constData(), size_t(tail.size()));

    // Records, block after block.
    BlobFile mb;
    bool needsMb = false;
    QByteArray body(blocks * blockSize, '\0');
    for (int r = 0; r < records_.size(); ++r) {
        const int block = r / perBlock;
        const int slot = r % perBlock;
        char* b = body.data() + block * blockSize;
        const int inBlock = int(qMin<qsizetype>(perBlock, records_.size() - qsizetype(block) * perBlock));
        b[0] = char((block + 2 <= blocks ? block + 2 : 0) & 0xFF);
        b[1] = char(((block + 2 <= blocks ? block + 2 : 0) >> 8) & 0xFF);
        b[2] = char(block & 0xFF);
        b[3] = char((block >> 8) & 0xFF);
        const int last = (inBlock - 1) * recordSize;
        b[4] = char(last & 0xFF);
        b[5] = char((last >> 8) & 0xFF);
        char* p = b + 6 + slot * recordSize;
        for (int i = 0; i < n; ++i) {
            const WField& f = fields_[i];
            const QVariant v = records_[r].value(i);
            const int size = fieldBytes(f);
            if (v.isValid() && !v.isNull()) {
                switch (f.type) {
                case 0x01: {
                    const QByteArray t = encode(v.toString());
                    std::memcpy(p, t.constData(), size_t(qMin<qsizetype>(t.size(), size)));
                    break;
                }
                case 0x03: putBe(p, quint16(v.toInt()) ^ 0x8000u, 2); break;
                case 0x04:
                case 0x16: putBe(p, quint32(v.toInt()) ^ 0x80000000u, 4); break;
                case 0x05:
                case 0x06: putDouble(p, v.toDouble()); break;
                case 0x09: p[0] = char(v.toBool() ? 0x81 : 0x80); break;
                case 0x02: putBe(p, quint32(qint32(v.toDate().toJulianDay() - kDayZero)) ^ 0x80000000u, 4); break;
                case 0x14: putBe(p, quint32(v.toTime().msecsSinceStartOfDay()) ^ 0x80000000u, 4); break;
                case 0x15: {
                    const QDateTime dt = v.toDateTime();
                    putDouble(
                        p, double(dt.date().toJulianDay() - kDayZero) * 86400000.0 + dt.time().msecsSinceStartOfDay());
                    break;
                }
                case 0x0C: {
                    const QByteArray t = encode(v.toString());
                    const int leader = f.size - 10;
                    std::memcpy(p, t.constData(), size_t(qMin<qsizetype>(t.size(), leader)));
                    quint32 offset = 0;
                    if (t.size() > leader) {
                        offset = mb.add(t);
                        needsMb = true;
                    }
                    QByteArray ptr(10, '\0');
                    putLe32(ptr, 0, offset);
                    putLe32(ptr, 4, quint32(t.size()));
                    putLe16(ptr, 8, 1);
                    std::memcpy(p + leader, ptr.constData(), 10);
                    break;
                }
                case 0x17: { // BCD: the field's 17 bytes as given
                    const QByteArray raw = v.toByteArray();
                    std::memcpy(p, raw.constData(), size_t(qMin<qsizetype>(raw.size(), 17)));
                    break;
                }
                default: throw std::runtime_error("type not written by the test writer");
                }
            }
            p += size;
        }
    }

    QFile db(path);
    if (!db.open(QIODevice::WriteOnly) || db.write(head + body) != head.size() + body.size())
        throw std::runtime_error("cannot write the test table");
    if (needsMb) {
        const QFileInfo info(path);
        QFile f(info.dir().filePath(mbName.isEmpty() ? info.completeBaseName() + QStringLiteral(".MB") : mbName));
        if (!f.open(QIODevice::WriteOnly) || f.write(mb.data) != mb.data.size())
            throw std::runtime_error("cannot write the test memo file");
    }
}

} // namespace yb::paradox::testing
