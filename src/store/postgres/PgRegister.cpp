#include "store/postgres/PgEngine.h"

namespace yb::pg {

void registerEngine()
{
    registerServerEngine(&openEngine);
    setBackupOpener(&yb::openEngine);
}

} // namespace yb::pg
