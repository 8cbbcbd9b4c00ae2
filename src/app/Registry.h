#pragma once
// The screen registry: the twenty-five screens of the program, created once
// at start-up in this fixed order, the main menu first.

#include <QList>
#include <QString>

class QWidget;

namespace yb {

struct ScreenEntry {
    const char* unit;
    const char* className;
    const char* instance;
    QWidget* (*create)(); // builds the screen and stores it in its process-wide reference
};

const QList<ScreenEntry>& screenRegistry();

// What stopped the creation of the screens.
struct StartupFailure {
    QString kind;                  // the error's kind ("EDBEngineError")
    QString message;               // the error's message
    const void* address = nullptr; // code that was running when it failed
};

// Creates every screen in registry order and registers it with the shell.
// On a failure destroys what was created, fills `failure` and returns false.
bool createScreens(StartupFailure* failure);
// Destroys every screen, last created first; the references become null.
void destroyScreens();
// The screens created, in creation order.
QList<QWidget*> createdScreens();

} // namespace yb
