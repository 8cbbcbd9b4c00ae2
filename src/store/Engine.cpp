#include "store/Engine.h"

#include "store/Database.h"

#include "store/sqlite/SqliteEngine.h"

namespace yb {

namespace {

EngineOpener& serverOpener()
{
    static EngineOpener opener = nullptr;
    return opener;
}

} // namespace

bool isServerLocation(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
        location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

void registerServerEngine(EngineOpener opener) { serverOpener() = opener; }

std::unique_ptr<Engine> openEngine(const QString& location)
{
    if (!isServerLocation(location))
        return std::make_unique<sqlite::SqliteEngine>(location);
    if (!serverOpener())
        throw EngineError(QStringLiteral("Cannot open the database %1: this build of the program has no "
                                         "PostgreSQL engine")
                              .arg(Database::shownLocation(location)));
    return serverOpener()(location);
}

} // namespace yb
