// Fuzz target: reading an old Paradox table and its memo file. The input is
// the .DB, optionally followed by a separator and the .MB. Reading either
// works or raises a clear error naming the file; neither file is modified.

#include "paradox/ParadoxTable.h"
#include "store/Errors.h"
#include "tools/Paradox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

namespace {

const char kSeparator[] = "\xFF\xFEMEMOFILE\xFE\xFF";

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void put(const QString& path, const char* data, qsizetype size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data, size) != size)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir tmp;
    const QString db = tmp.filePath(QStringLiteral("t.db"));
    const QString mb = tmp.filePath(QStringLiteral("T.MB"));
    QFile::remove(mb);
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = input.indexOf(QByteArray(kSeparator));
    if (cut >= 0) {
        put(db, input.constData(), cut);
        const qsizetype at = cut + qsizetype(std::strlen(kSeparator));
        put(mb, input.constData() + at, input.size() - at);
    } else {
        put(db, input.constData(), input.size());
    }
    const QByteArray before = hashOf(db);
    const QByteArray beforeMb = hashOf(mb);
    try {
        yb::paradox::Table table(db);
        yb::paradox::Record record;
        const auto& fields = table.fields();
        while (table.next(record)) {
            if (record.size() != fields.size())
                std::abort();
            for (int i = 0; i < fields.size(); ++i)
                (void)yb::admin::paradoxText(fields[i], record[i]);
        }
        if (table.recordNumber() != table.recordCount())
            std::abort(); // the whole table read: exactly the records its header counts
    } catch (const yb::Error& e) {
        if (e.message().isEmpty())
            std::abort();
    }
    if (hashOf(db) != before || hashOf(mb) != beforeMb)
        std::abort();
    return 0;
}
