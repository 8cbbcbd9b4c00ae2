#pragma once
// Helpers of the shell tests: waiting for a window from inside the modal run
// that shows it, and finding controls by name.

#include "ScreenTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace testing {

// Pending waits belong to the running test function: endScope() drops
// them, so that a test that failed early leaves nothing behind that could
// reach its locals.
inline QPointer<QObject>& scope()
{
    static QPointer<QObject> s;
    return s;
}
inline void beginScope()
{
    delete scope().data();
    scope() = new QObject;
}
inline void endScope() { delete scope().data(); }

// Once `ready()` holds (checked every 10 ms, for at most 5 s), runs `act`.
// Meant to be queued before a call that starts a modal run.
inline void when(std::function<bool()> ready, std::function<void()> act, int timeoutMs = 5000)
{
    auto* timer = new QTimer(scope());
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=] {
        if (ready()) {
            timer->stop();
            timer->deleteLater();
            act();
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            qWarning("testing::when: condition not reached in time (modal %s, active %s)",
                     QApplication::activeModalWidget() ? qPrintable(QApplication::activeModalWidget()->objectName())
                                                       : "-",
                     QApplication::activeWindow() ? qPrintable(QApplication::activeWindow()->objectName()) : "-");
        }
    });
    timer->start();
}

inline bool isModalTop(QWidget* w)
{
    return w && w->isVisible() && QApplication::activeModalWidget() == w && QApplication::activeWindow() == w;
}

template <typename T = QWidget> T* child(QWidget* screen, const char* name)
{
    return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

using screentest::moveOver;

} // namespace testing
