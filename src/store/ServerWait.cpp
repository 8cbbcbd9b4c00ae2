#include "store/ServerWait.h"

namespace yb {

namespace {
ServerWait* hook = nullptr;
} // namespace

void setServerWait(ServerWait* h) { hook = h; }
ServerWait* serverWait() { return hook; }

} // namespace yb
