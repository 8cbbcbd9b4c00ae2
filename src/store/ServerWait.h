#pragma once
// Waiting for a database server. Every call to a server has a bound; while
// one waits longer than a moment, the store hands control to the wait hook
// every few milliseconds, so that the program can keep its windows alive
// (paint, clock) and show that it waits, without the store knowing of
// windows. The shell installs the hook of the program; without one (the
// companion command, the tests of the store) the store simply waits.
//
// A hook must not call the store again while it runs, and must not let the
// user's keys and clicks reach the screens: what is typed during a wait is
// thrown away.

#include <QString>

namespace yb {

class ServerWait {
public:
    virtual ~ServerWait() = default;
    // The wait for `server` (its location without a password) began a moment ago.
    virtual void begin(const QString& server) = 0;
    // Called every few milliseconds while the wait lasts.
    virtual void tick() = 0;
    // The answer came, or the wait gave up.
    virtual void end() = 0;
};

// The hook in use (nullptr: none). The caller keeps it alive while installed.
void setServerWait(ServerWait* hook);
ServerWait* serverWait();

// How long a wait lasts before the hook is called: "a moment", in ms.
constexpr int kWaitMomentMs = 150;

} // namespace yb
