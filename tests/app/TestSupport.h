#pragma once
// Helpers of the shell tests: waiting for a window from inside the modal run
// that shows it, and finding controls by name.

#include "ScreenTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
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

// Once `ready()` holds (checked every 10 ms, for at most `timeoutMs`), runs
// `act`. Meant to be queued before a call that starts a modal run. A wait
// that ends without the condition fails the running test and closes the
// modal windows, so that the call that waits for them returns.
inline void when(std::function<bool()> ready, std::function<void()> act, int timeoutMs = 10000)
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
            QWidget* modal = QApplication::activeModalWidget();
            QTest::qFail(qPrintable(QStringLiteral("testing::when: the condition was not reached in %1 ms (modal %2)")
                                        .arg(timeoutMs)
                                        .arg(modal ? modal->objectName() : QStringLiteral("-"))),
                         __FILE__, __LINE__);
            for (int i = 0; i < 20 && QApplication::activeModalWidget(); ++i)
                QApplication::activeModalWidget()->close();
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
