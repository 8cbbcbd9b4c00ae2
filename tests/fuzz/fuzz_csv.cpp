// Fuzz target: CSV import. An import either adds every record or raises an
// error that names the problem and leaves the table as it was.

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "tools/TableTransfer.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

qint64 recordCount(const QString& dir, const yb::TableDef& table)
{
    try {
        return yb::Database::open(dir)->openTable(table, true)->count();
    } catch (const yb::Error&) {
        return -1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir tmp;
    static const QString dir = [] {
        const QString d = tmp.path() + QStringLiteral("/db");
        yb::Database::createTables(d);
        return d;
    }();
    if (size == 0)
        return 0;
    // The first byte picks the table: the products (integers, a unique code) or a reference table (memos, key order).
    const yb::TableDef& table =
        *yb::findTable(data[0] & 1 ? QStringLiteral("Producto.db") : QStringLiteral("Cosmetic.DB"));
    const qint64 before = recordCount(dir, table);
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    try {
        yb::admin::importTable(dir, table, &in, true);
    } catch (const yb::Error& e) {
        if (e.message().isEmpty() || recordCount(dir, table) != before)
            std::abort();
    }
    if (!yb::Database::open(dir)->checkTable(table).isEmpty())
        std::abort();
    return 0;
}
