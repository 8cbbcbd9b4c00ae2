#include "Report.h"

#include "Csv.h"

#include "store/Catalogue.h"
#include "store/Conversions.h"
#include "store/Database.h"
#include "store/Errors.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace yb::admin {

QDate parseDay(const QString& text)
{
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        d = textToDate(t);
    return d;
}

QList<DaySales> salesByDay(const QString& dir, const QDate& from, const QDate& to)
{
    if (!isServerLocation(dir) && !QFileInfo(dir).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(QDir::toNativeSeparators(dir)));
    const TableDef* sales = findTable(QStringLiteral("Ventas.DB"));
    const FieldDef* when = sales->field(QStringLiteral("Fecha y Hora"));
    const FieldDef* amount = sales->field(QStringLiteral("Importe"));
    const Columns columns{int(when - sales->fields.constData()), int(amount - sales->fields.constData())};
    QMap<QString, DaySales> days; // by day; sales without a date first
    try {
        const std::unique_ptr<Engine> engine = Database::open(dir);
        const std::unique_ptr<EngineTable> table = engine->openTable(*sales, true);
        table->scan(columns, RecordOrder::Table, [&](const StoredRecord& r) {
            const QDate day = r.values[0].toDateTime().date();
            // A sale without a date has no day within bounds.
            if ((from.isValid() || to.isValid()) && !day.isValid())
                return true;
            if ((from.isValid() && day < from) || (to.isValid() && day > to))
                return true;
            const QString key = day.isValid() ? day.toString(Qt::ISODate) : QString();
            DaySales& d = days[key];
            d.day = key;
            ++d.sales;
            d.amount += r.values[1].toLongLong();
            return true;
        });
    } catch (const EngineError& e) {
        throw EngineError(QStringLiteral("cannot read table %1: %2").arg(sales->fileName, e.message()), e.code());
    }
    return days.values();
}

void printSalesReport(QTextStream& out, const QList<DaySales>& days, bool csv)
{
    qint64 sales = 0, amount = 0;
    for (const DaySales& d : days) {
        sales += d.sales;
        amount += d.amount;
    }
    const QString noDate = QStringLiteral("(no date)");
    if (csv) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CsvWriter w(&buffer);
        auto row = [&](const QString& a, qint64 b, qint64 c) {
            w.field(a.toUtf8());
            w.field(QByteArray::number(b));
            w.field(QByteArray::number(c));
            w.endRecord();
        };
        w.field("Day", 3);
        w.field("Sales", 5);
        w.field("Amount", 6);
        w.endRecord();
        for (const DaySales& d : days)
            row(d.day.isEmpty() ? noDate : d.day, d.sales, d.amount);
        row(QStringLiteral("Total"), sales, amount);
        w.flush();
        out << QString::fromUtf8(buffer.data());
        return;
    }
    auto line = [&](const QString& a, const QString& b, const QString& c) {
        out << a.leftJustified(12) << b.rightJustified(8) << c.rightJustified(14) << '\n';
    };
    line(QStringLiteral("Day"), QStringLiteral("Sales"), QStringLiteral("Amount"));
    line(QString(10, QLatin1Char('-')), QString(6, QLatin1Char('-')), QString(12, QLatin1Char('-')));
    for (const DaySales& d : days)
        line(d.day.isEmpty() ? noDate : d.day, intToText(d.sales), intToText(d.amount));
    line(QString(10, QLatin1Char('-')), QString(6, QLatin1Char('-')), QString(12, QLatin1Char('-')));
    line(QStringLiteral("Total"), intToText(sales), intToText(amount));
}

} // namespace yb::admin
