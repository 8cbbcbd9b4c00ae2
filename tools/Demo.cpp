#include "tools/Demo.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "tools/TableTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace yb::admin {

namespace {
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Demo)
};
} // namespace

QList<QPair<QString, qint64>> createDemoDatabase(const QString& dir, const QDateTime& now)
{
    const QFileInfo info(dir);
    if (info.exists() && !info.isDir())
        throw Error(Text::tr("%1 exists and is not a directory").arg(QDir::toNativeSeparators(dir)));
    if (info.exists() && !QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        throw Error(Text::tr("%1 is not empty; the demonstration database needs a new or empty directory")
                        .arg(QDir::toNativeSeparators(dir)));
    Database::createTables(dir);

    QList<QPair<QString, qint64>> counts;
    for (const DemoTable& t : demoContent(now)) {
        const TableDef& def = tableNamed(t.fileName);
        RecordWriter writer(dir, def, t.columns, false);
        qint64 row = 0;
        std::vector<std::string> values;
        for (const QStringList& record : t.records) {
            values.clear();
            for (const QString& v : record)
                values.push_back(v.toStdString());
            ++row;
            try {
                writer.add(values, row, row + 1);
            } catch (const Error& e) {
                throw Error(Text::tr("sample record for %1 refused: %2").arg(def.fileName, e.message()));
            }
        }
        counts << qMakePair(def.fileName, writer.commit());
    }
    const QStringList problems = Database::check(dir);
    if (!problems.isEmpty())
        throw Error(Text::tr("the demonstration database does not pass the check: %1")
                        .arg(problems.join(QStringLiteral("; "))));
    return counts;
}

} // namespace yb::admin
