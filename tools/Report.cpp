#include "tools/Report.h"

#include "tools/Csv.h"

#include "store/Catalogue.h"
#include "store/Conversions.h"
#include "store/Database.h"
#include "store/Errors.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace yb::admin {

namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Report)
};
} // namespace

QDate parseDay(const QString& text)
{
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        d = textToDate(t);
    return d;
}

QList<DaySales> salesByDay(const QString& dir, const QDate& from, const QDate& to, bool byTill)
{
    if (!isServerLocation(dir) && !QFileInfo(dir).isDir())
        throw Error(Text::tr("the database directory %1 does not exist").arg(Database::shownLocation(dir)));
    const TableDef* sales = findTable(QStringLiteral("Ventas.DB"));
    const FieldDef* when = sales->field(QStringLiteral("Fecha y Hora"));
    const FieldDef* amount = sales->field(QStringLiteral("Importe"));
    const FieldDef* till = sales->field(QStringLiteral("Caja"));
    const Columns columns{int(when - sales->fields.constData()), int(amount - sales->fields.constData()),
                          int(till - sales->fields.constData())};
    QMap<QPair<QString, int>, DaySales> days; // by day (sales without a date first), then till
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
            const int tillNumber = byTill ? r.values[2].toInt() : 0;
            DaySales& d = days[qMakePair(key, tillNumber)];
            d.day = key;
            d.till = tillNumber;
            ++d.sales;
            d.amount += r.values[1].toLongLong();
            return true;
        });
    } catch (const EngineError& e) {
        throw EngineError(Text::tr("cannot read table %1: %2").arg(sales->fileName, e.message()), e.code());
    }
    return days.values();
}

void printSalesReport(QTextStream& out, const QList<DaySales>& days, bool csv, bool byTill)
{
    qint64 sales = 0, amount = 0;
    QMap<int, DaySales> tills;
    for (const DaySales& d : days) {
        sales += d.sales;
        amount += d.amount;
        DaySales& t = tills[d.till];
        t.till = d.till;
        t.sales += d.sales;
        t.amount += d.amount;
    }
    // The CSV keeps its English header and words, for the programs that read it.
    const QString total = csv ? QStringLiteral("Total") : Text::tr("Total");
    const QString noDate = csv ? QStringLiteral("(no date)") : Text::tr("(no date)");
    if (csv) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CsvWriter w(&buffer);
        auto row = [&](const QString& a, int tillNumber, qint64 b, qint64 c) {
            w.field(a.toUtf8());
            if (byTill)
                w.field(tillNumber ? QByteArray::number(tillNumber) : QByteArray());
            w.field(QByteArray::number(b));
            w.field(QByteArray::number(c));
            w.endRecord();
        };
        w.field("Day", 3);
        if (byTill)
            w.field("Till", 4);
        w.field("Sales", 5);
        w.field("Amount", 6);
        w.endRecord();
        for (const DaySales& d : days)
            row(d.day.isEmpty() ? noDate : d.day, d.till, d.sales, d.amount);
        if (byTill)
            for (const DaySales& t : std::as_const(tills))
                row(total, t.till, t.sales, t.amount);
        row(total, 0, sales, amount);
        w.flush();
        out << QString::fromUtf8(buffer.data());
        return;
    }
    auto line = [&](const QString& a, const QString& t, const QString& b, const QString& c) {
        out << a.leftJustified(12);
        if (byTill)
            out << t.rightJustified(6);
        out << b.rightJustified(8) << c.rightJustified(14) << '\n';
    };
    auto rule = [&] {
        line(QString(10, QLatin1Char('-')), QString(4, QLatin1Char('-')), QString(6, QLatin1Char('-')),
             QString(12, QLatin1Char('-')));
    };
    auto tillText = [](int tillNumber) { return tillNumber ? intToText(tillNumber) : QString(); };
    line(Text::tr("Day"), Text::tr("Till"), Text::tr("Sales"), Text::tr("Amount"));
    rule();
    for (const DaySales& d : days)
        line(d.day.isEmpty() ? noDate : d.day, tillText(d.till), intToText(d.sales), intToText(d.amount));
    rule();
    if (byTill)
        for (const DaySales& t : std::as_const(tills))
            line(total, tillText(t.till), intToText(t.sales), intToText(t.amount));
    line(total, QString(), intToText(sales), intToText(amount));
}

} // namespace yb::admin
