// The sample content lives in tools/demo/, one CSV file per table as `export`
// writes them, built into the program as a resource. Every name, text,
// person, address and telephone number in it is invented for the
// demonstration.

#include "tools/Demo.h"

#include "tools/Csv.h"
#include "tools/TableTransfer.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Demo)
};

QString field(const std::string& v) { return QString::fromUtf8(v.data(), qsizetype(v.size())); }

std::unique_ptr<QIODevice> openResource(const QString& name)
{
    auto file = std::make_unique<QFile>(QStringLiteral(":/demo/") + name);
    if (!file->open(QIODevice::ReadOnly))
        throw Error(Text::tr("the sample content %1 is missing from the program").arg(name));
    return file;
}

// The sales are kept as days before today ("Dias antes") and a time of day
// ("Hora"), in the order they were made. A sale of today that would lie ahead
// of `now` was made at that hour the day before; the times, sorted again, are
// handed to the rows in turn, so that the table's order stays the order of sale.
std::unique_ptr<QIODevice> salesCsv(const QDateTime& now)
{
    const std::unique_ptr<QIODevice> in = openResource(QStringLiteral("Ventas.csv"));
    CsvReader reader(in.get());
    std::vector<std::string> record;
    QStringList header;
    if (reader.next(record))
        for (const std::string& c : record)
            header << field(c);
    const qsizetype days = header.indexOf(QStringLiteral("Dias antes")), hour = header.indexOf(QStringLiteral("Hora"));
    if (days < 0 || hour < 0)
        throw Error(Text::tr("the sample sales lack their days or hours"));
    QList<QStringList> rows;
    QList<QDateTime> times;
    while (reader.next(record)) {
        QStringList row;
        for (const std::string& v : record)
            row << field(v);
        if (row.size() != header.size())
            throw Error(Text::tr("sample sale on line %1 has %2 fields").arg(reader.line()).arg(row.size()));
        QDateTime t(now.date().addDays(-row[days].toInt()), QTime::fromString(row[hour], QStringLiteral("HH:mm:ss")));
        if (t > now)
            t = t.addDays(-1);
        times << t;
        rows << row;
    }
    std::stable_sort(times.begin(), times.end());

    auto out = std::make_unique<QBuffer>();
    out->open(QIODevice::ReadWrite);
    CsvWriter writer(out.get());
    auto text = [&writer](const QString& s) {
        const QByteArray b = s.toUtf8();
        writer.text(b.constData(), b.size());
    };
    for (qsizetype c = 0; c < header.size(); ++c)
        if (c != hour)
            text(c == days ? QStringLiteral("Fecha y Hora") : header[c]);
    writer.endRecord();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < header.size(); ++c)
            if (c != hour)
                text(c == days ? dateTimeCsv(times[r]) : rows[r][c]);
        writer.endRecord();
    }
    writer.flush();
    out->seek(0);
    return out;
}

// The sample content of one table, as CSV.
std::unique_ptr<QIODevice> demoCsv(const TableDef& table, const QDateTime& now)
{
    if (table.fileName == QLatin1String("Ventas.DB"))
        return salesCsv(now);
    return openResource(QFileInfo(table.fileName).completeBaseName() + QStringLiteral(".csv"));
}

} // namespace

QList<DemoTable> demoContent(const QDateTime& now)
{
    QList<DemoTable> list;
    for (const TableDef& def : tables()) {
        const std::unique_ptr<QIODevice> in = demoCsv(def, now);
        CsvReader reader(in.get());
        DemoTable t;
        t.fileName = def.fileName;
        std::vector<std::string> record;
        if (reader.next(record))
            for (const std::string& c : record)
                t.columns << field(c);
        while (reader.next(record)) {
            QStringList values;
            for (const std::string& v : record)
                values << field(v);
            t.records << values;
        }
        list << t;
    }
    return list;
}

QList<QPair<QString, qint64>> createDemoDatabase(const QString& dir, const QDateTime& now)
{
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir())
        throw Error(Text::tr("%1 exists and is not a directory").arg(QDir::toNativeSeparators(dir)));
    if (info.exists() && !QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        throw Error(Text::tr("%1 is not empty; the demonstration database needs a new or empty directory")
                        .arg(QDir::toNativeSeparators(dir)));
    Database::createTables(dir);

    // Each table's content goes in as `import` takes a file, through the same checks.
    QList<QPair<QString, qint64>> counts;
    ImportOptions options;
    options.separator = ',';
    for (const TableDef& def : tables()) {
        const std::unique_ptr<QIODevice> in = demoCsv(def, now);
        try {
            counts << qMakePair(def.fileName, importTable(dir, def, in.get(), options).imported);
        } catch (const Error& e) {
            throw Error(Text::tr("sample record for %1 refused: %2").arg(def.fileName, e.message()));
        }
    }
    const QStringList problems = Database::check(dir);
    if (!problems.isEmpty())
        throw Error(Text::tr("the demonstration database does not pass the check: %1")
                        .arg(problems.join(QStringLiteral("; "))));
    return counts;
}

} // namespace yb::admin
