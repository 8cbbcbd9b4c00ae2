#include "TestData.h"

#include "store/Database.h"
#include "store/Errors.h"
#include "store/SortKey.h"

#include <QFile>
#include <tuple>

namespace testdata {

void prepare(const QString& dir)
{
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
}

namespace {

// Records written through the store's bulk insert, in one transaction.
class Bulk {
public:
    Bulk(const QString& dir, const QString& table)
        : def_(*yb::findTable(table)), engine_(yb::Database::open(dir)), table_(engine_->openTable(def_)),
          bulk_(table_->bulkInsert(false))
    {
    }
    // Values by field name; the others stay empty.
    void add(const QList<QPair<QString, QVariant>>& values)
    {
        QVariantList record(def_.fields.size());
        QString key;
        for (const auto& [name, value] : values) {
            const yb::FieldDef* f = def_.field(name);
            if (!f)
                throw yb::Error(QStringLiteral("no field ") + name);
            if (value.typeId() == QMetaType::QString && value.toString().isNull())
                continue;
            record[int(f - def_.fields.constData())] = value;
            if (f->name == def_.keyField)
                key = value.toString();
        }
        bulk_->add(record, def_.hasKey() ? yb::sortKey(key) : QByteArray(), ++count_);
    }
    void commit() { bulk_->commit(); }

private:
    const yb::TableDef& def_;
    std::unique_ptr<yb::Engine> engine_;
    std::unique_ptr<yb::EngineTable> table_;
    std::unique_ptr<yb::BulkInsert> bulk_;
    qint64 count_ = 0;
};

} // namespace

void bulkCosmetics(const QString& dir, const QList<QStringList>& records)
{
    Bulk b(dir, QStringLiteral("Cosmetic.DB"));
    for (const QStringList& r : records)
        b.add({{QStringLiteral("Producto Cosmetico"), r.value(0)},
               {QStringLiteral("Indicaciones"), r.value(1)},
               {QStringLiteral("Modo Empleo"), r.value(2)}});
    b.commit();
}

QString manyName(int i)
{
    static const char* const syllables[] = {"Aloe",     "Árnica", "Bálsamo", "Caléndula", "Crema",    "Champú",
                                            "Espliego", "Gel",    "Jabón",   "Loción",    "Malva",    "Ñame",
                                            "Ortiga",   "Romero", "Salvia",  "Tomillo",   "Vaselina", "Zinc"};
    const unsigned h = unsigned(i) * 2654435761u;
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(syllables[h % 18]),
                                       QString::number(i).rightJustified(7, u'0'));
}

void bulkManyCosmetics(const QString& dir, int count)
{
    Bulk b(dir, QStringLiteral("Cosmetic.DB"));
    for (int i = 0; i < count; ++i) {
        const QString name = manyName(i);
        b.add({{QStringLiteral("Producto Cosmetico"), name},
               {QStringLiteral("Indicaciones"), QStringLiteral("Indicaciones de ") + name}});
    }
    b.commit();
}

void bulkProducts(const QString& dir, const QList<std::tuple<int, QString, int>>& records)
{
    Bulk b(dir, QStringLiteral("Producto.db"));
    for (const auto& [code, text, price] : records)
        b.add({{QStringLiteral("Codigo"), QVariant(qint64(code))},
               {QStringLiteral("Descripcion"), text},
               {QStringLiteral("Precio"), QVariant(qint64(price))}});
    b.commit();
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
