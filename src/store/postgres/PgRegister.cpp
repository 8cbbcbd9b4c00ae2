#include "store/postgres/PgEngine.h"

namespace yb::pg {

void registerEngine()
{
    registerServerEngine(QStringLiteral("postgresql"), &openEngine);
    registerServerEngine(QStringLiteral("postgres"), &openEngine);
}

namespace {

// Linked into a program, the engine is there before main() runs.
const bool registered = (registerEngine(), true);

} // namespace

} // namespace yb::pg
