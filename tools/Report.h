#pragma once
// The day-end figures of the sales table: per day the number of sales and
// their total amount.

#include <QDate>
#include <QList>
#include <QString>
#include <QTextStream>

namespace yb::admin {

struct DaySales {
    QString day;  // YYYY-MM-DD; empty for sales without a date
    int till = 0; // the till (Caja) when grouped by till; 0 otherwise
    qint64 sales = 0;
    qint64 amount = 0; // sum of Importe, in whole currency units
};

// The sales of `dir` grouped by day, in date order; `from` and `to` (either
// may be invalid: open) bound the days, both included. With `byTill` each
// day has one entry per till that sold that day, in till order.
QList<DaySales> salesByDay(const QString& dir, const QDate& from, const QDate& to, bool byTill = false);

// Prints the days and the grand total as a table, or as CSV. With `byTill`
// the entries name their till and a total per till comes before the grand total.
void printSalesReport(QTextStream& out, const QList<DaySales>& days, bool csv, bool byTill = false);

// A date as the user writes it: YYYY-MM-DD, or the regional short date.
QDate parseDay(const QString& text);

} // namespace yb::admin
