#pragma once
// Start-up and end of the program.

#include <QString>

#include "app/Registry.h"

namespace yb {

// True when a windowing system can be reached (checked before the
// application object exists). `why` tells what is missing.
bool displayAvailable(QString* why);

// The text of the "Application Error" box for a failed start-up.
QString startupFailureText(const StartupFailure& failure, const QString& module);
// Shows the "Application Error" box (stop icon, OK) and waits for OK.
void showStartupFailure(const QString& text);
// False on platforms that draw to no screen anyone can see (offscreen,
// minimal): a modal box there could never be answered.
bool platformShowsWindows();

// At the end of the program: every cursor that still holds a record being
// edited ends its editing as a cursor move would (posted when a field changed,
// an untouched new record dropped). A record that cannot be written is shown
// by the general error report, naming the screen's window caption.
void finishPendingEdits();

// Prepares the database directory, creates the screens, runs the event loop
// and destroys the screens. Returns the exit code: 0 after a normal end, 1
// when start-up failed. Needs the application object.
int runProgram();

} // namespace yb
