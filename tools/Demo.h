#pragma once
// A demonstration database: invented Spanish sample content in every table,
// for trying the program without real data.

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace yb::admin {

// The records of one table, every value in its CSV text form.
struct DemoTable {
    QString fileName;
    QStringList columns;
    QList<QStringList> records;
};

// The sample content; the sales fall on the five days that end on the day of
// `now`, in shop hours, none later than `now`, all at till 1 (as the sales
// terminal records them).
QList<DemoTable> demoContent(const QDateTime& now);

// Creates the database in `dir` (which must not exist or be empty), writes
// the sample content through the same checks as an import and verifies the
// result as `check` does. Returns each table's record count.
QList<QPair<QString, qint64>> createDemoDatabase(const QString& dir,
                                                 const QDateTime& now = QDateTime::currentDateTime());

} // namespace yb::admin
