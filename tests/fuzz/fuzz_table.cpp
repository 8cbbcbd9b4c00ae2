// Fuzz target: opening a damaged table file. Opening and reading either work
// or raise a clear engine error; the file is never modified.

#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir tmp;
    const QString dir = tmp.path();
    yb::Database::setDirectory(dir);
    const QString path = dir + QStringLiteral("/Cosmetic.DB");
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const QByteArray before = hashOf(path);
    try {
        yb::TableCursor c(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
        c.open();
        for (int i = 0; i < 50 && !c.eof(); ++i) {
            (void)c.fieldByName(QStringLiteral("Producto Cosmetico")).asString();
            c.next();
        }
        c.last();
        c.setKey();
        c.locate(QStringLiteral("Producto Cosmetico"), QStringLiteral("A"), yb::PartialKey);
    } catch (const yb::Error& e) {
        if (e.message().isEmpty())
            std::abort();
    }
    (void)yb::Database::open(dir)->checkTable(*yb::findTable(QStringLiteral("Cosmetic.DB")));
    if (hashOf(path) != before)
        std::abort();
    return 0;
}
