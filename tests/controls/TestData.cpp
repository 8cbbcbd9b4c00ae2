#include "TestData.h"

#include "store/Database.h"
#include "store/Errors.h"
#include "store/SortKey.h"

#include <QFile>
#include <sqlite3.h>
#include <tuple>

namespace testdata {

void prepare(const QString& dir)
{
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
}

namespace {

struct Db {
    sqlite3* db = nullptr;
    explicit Db(const QString& path)
    {
        if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
            throw yb::Error(QStringLiteral("cannot open ") + path);
        sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    }
    ~Db()
    {
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    sqlite3_stmt* prepare(const char* sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            throw yb::Error(QString::fromUtf8(sqlite3_errmsg(db)));
        return st;
    }
};

void bindText(sqlite3_stmt* st, int i, const QString& s)
{
    if (s.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    const QByteArray u = s.toUtf8();
    sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

} // namespace

void bulkCosmetics(const QString& dir, const QList<QStringList>& records)
{
    Db d(yb::Database::tablePath(dir, QStringLiteral("Cosmetic.DB")));
    sqlite3_stmt* st = d.prepare("INSERT INTO records(yb_sortkey, \"Producto Cosmetico\", \"Indicaciones\", "
                                 "\"Modo Empleo\") VALUES(?1, ?2, ?3, ?4)");
    for (const QStringList& r : records) {
        const QByteArray key = yb::sortKey(r.value(0));
        sqlite3_bind_blob(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        for (int i = 0; i < 3; ++i)
            bindText(st, i + 2, r.value(i));
        if (sqlite3_step(st) != SQLITE_DONE)
            throw yb::Error(QString::fromUtf8(sqlite3_errmsg(d.db)));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

QString manyName(int i)
{
    static const char* const syllables[] = {"Aloe", "Árnica", "Bálsamo", "Caléndula", "Crema", "Champú",
                                            "Espliego", "Gel", "Jabón", "Loción", "Malva", "Ñame",
                                            "Ortiga", "Romero", "Salvia", "Tomillo", "Vaselina", "Zinc"};
    const unsigned h = unsigned(i) * 2654435761u;
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(syllables[h % 18]), QString::number(i).rightJustified(7, u'0'));
}

void bulkManyCosmetics(const QString& dir, int count)
{
    Db d(yb::Database::tablePath(dir, QStringLiteral("Cosmetic.DB")));
    sqlite3_stmt* st =
        d.prepare("INSERT INTO records(yb_sortkey, \"Producto Cosmetico\", \"Indicaciones\") VALUES(?1, ?2, ?3)");
    for (int i = 0; i < count; ++i) {
        const QString name = manyName(i);
        const QByteArray key = yb::sortKey(name);
        sqlite3_bind_blob(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        bindText(st, 2, name);
        bindText(st, 3, QStringLiteral("Indicaciones de ") + name);
        if (sqlite3_step(st) != SQLITE_DONE)
            throw yb::Error(QString::fromUtf8(sqlite3_errmsg(d.db)));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

void bulkProducts(const QString& dir, const QList<std::tuple<int, QString, int>>& records)
{
    Db d(yb::Database::tablePath(dir, QStringLiteral("Producto.db")));
    sqlite3_stmt* st = d.prepare("INSERT INTO records(\"Codigo\", \"Descripcion\", \"Precio\") VALUES(?1, ?2, ?3)");
    for (const auto& [code, text, price] : records) {
        sqlite3_bind_int64(st, 1, code);
        bindText(st, 2, text);
        sqlite3_bind_int64(st, 3, price);
        if (sqlite3_step(st) != SQLITE_DONE)
            throw yb::Error(QString::fromUtf8(sqlite3_errmsg(d.db)));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

static qint64 statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

qint64 residentKb() { return statusKb("VmRSS:"); }
qint64 peakKb() { return statusKb("VmHWM:"); }

} // namespace testdata
