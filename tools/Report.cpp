#include "tools/Report.h"

#include "store/Catalogue.h"
#include "store/Conversions.h"
#include "tools/Csv.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

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
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("the database directory %1 does not exist").arg(QDir::toNativeSeparators(dir)));
    const TableDef* sales = findTable(QStringLiteral("Ventas.DB"));
    sqlite3* db = file::open(Database::tablePath(dir, sales->fileName), *sales, true);
    // Dates are stored as ISO text, so the day is its first ten characters.
    const char* sql = "SELECT substr(\"Fecha y Hora\", 1, 10) AS day, count(*), total(\"Importe\") FROM records "
                      "WHERE (?1 IS NULL OR day >= ?1) AND (?2 IS NULL OR day <= ?2) GROUP BY day ORDER BY day";
    sqlite3_stmt* st = nullptr;
    QList<DaySales> days;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray f = from.toString(Qt::ISODate).toUtf8(), t = to.toString(Qt::ISODate).toUtf8();
        if (from.isValid())
            sqlite3_bind_text(st, 1, f.constData(), int(f.size()), SQLITE_TRANSIENT);
        if (to.isValid())
            sqlite3_bind_text(st, 2, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            DaySales d;
            if (sqlite3_column_type(st, 0) != SQLITE_NULL)
                d.day = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            d.sales = sqlite3_column_int64(st, 1);
            // total() sums in floating point, exact for any realistic sum of 32-bit amounts
            // (below 2^53) and, unlike sum(), never overflows.
            d.amount = qint64(sqlite3_column_double(st, 2));
            days << d;
        }
    }
    const QString msg = file::lastError(db);
    sqlite3_finalize(st);
    file::close(db);
    if (rc != SQLITE_DONE)
        throw EngineError(QStringLiteral("cannot read table %1: %2").arg(sales->fileName, msg), rc);
    return days;
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
