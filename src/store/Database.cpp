#include "store/Database.h"

#include "store/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};
} // namespace

namespace {

QString& configuredLocation()
{
    static QString location;
    return location;
}

std::shared_ptr<Engine>& sharedEngine()
{
    static std::shared_ptr<Engine> engine;
    return engine;
}

QString cleanLocation(const QString& location)
{
    return isServerLocation(location) ? location : QDir::cleanPath(location);
}

} // namespace

QString Database::defaultDirectory()
{
    const QString env = qEnvironmentVariable("YERBALIS_DATA_DIR");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\YERBA1");
#else
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/yerbalis");
#endif
}

QString Database::defaultLocation()
{
    const QString env = qEnvironmentVariable("YERBALIS_DATABASE");
    if (!env.isEmpty())
        return cleanLocation(env);
    return defaultDirectory();
}

QString Database::location()
{
    QString& l = configuredLocation();
    if (l.isEmpty())
        l = defaultLocation();
    return l;
}

void Database::setLocation(const QString& location)
{
    const QString l = cleanLocation(location);
    if (l != configuredLocation())
        sharedEngine().reset(); // cursors still open keep the engine they opened with
    configuredLocation() = l;
}

std::shared_ptr<Engine> Database::engine()
{
    std::shared_ptr<Engine>& e = sharedEngine();
    if (!e)
        e = openEngine(location());
    return e;
}

QString Database::shownLocation(const QString& location)
{
    if (!isServerLocation(location)) {
        // A libpq connection string given where a location was expected.
        if (location.contains(QLatin1String("password="), Qt::CaseInsensitive))
            return Text::tr("(a connection string)");
        return QDir::toNativeSeparators(location);
    }
    QUrl url(location);
    if (!url.isValid())
        return Text::tr("(a connection URI)");
    url.setPassword(QString());
    QUrlQuery q(url);
    q.removeAllQueryItems(QStringLiteral("password"));
    url.setQuery(q);
    return url.toString(QUrl::RemovePassword | QUrl::PrettyDecoded);
}

bool Database::prepare(const QString& location)
{
    if (isServerLocation(location) || QFileInfo::exists(location))
        return false;
    createTables(location);
    return true;
}

void Database::createTables(const QString& location) { openEngine(location)->createTables(); }

void Database::createTable(const QString& location, const TableDef& table) { openEngine(location)->createTable(table); }

QString Database::tablePath(const QString& location, const QString& fileAsWritten)
{
    return openEngine(location)->tableLocation(fileAsWritten);
}

bool Database::namesDatabase(const QString& written)
{
    QString w = written;
    w.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (w.endsWith(QLatin1Char('\\')))
        w.chop(1);
    return w.compare(QLatin1String("C:\\YERBA1"), Qt::CaseInsensitive) == 0;
}

QStringList Database::check(const QString& location)
{
    if (!isServerLocation(location) && !QFileInfo(location).isDir())
        return {Text::tr("The database directory %1 does not exist").arg(shownLocation(location))};
    return openEngine(location)->check();
}

} // namespace yb
