#include "ScreenTest.h"

#include "store/Catalogue.h"
#include "store/TableCursor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace screentest {

namespace {

struct ModalScript {
    QList<Step> steps;
    QPointer<QWidget> lastTop;
    QTimer* timer = nullptr;
    QPointer<QWidget> waitingFor; // the new window on top, since `waiting`
    QElapsedTimer waiting;
    QList<QPointer<QWidget>> seen; // windows answered: back on top, not activated anew
};

// The window system has made `w` the active window: it has the focus, and
// what its activation runs has been queued.
bool isFocusWindow(QWidget* w) { return w->isActiveWindow() && QGuiApplication::focusWindow() == w->windowHandle(); }

ModalScript& script()
{
    static ModalScript s;
    return s;
}

} // namespace

void answerModals(const QList<Step>& steps)
{
    ModalScript& s = script();
    s.steps = steps;
    s.lastTop = QApplication::activeModalWidget();
    s.seen.clear();
    if (!s.timer) {
        s.timer = new QTimer(qApp);
        s.timer->setInterval(10);
        QObject::connect(s.timer, &QTimer::timeout, [] {
            ModalScript& st = script();
            if (st.steps.isEmpty()) {
                st.timer->stop();
                return;
            }
            QWidget* top = QApplication::activeModalWidget();
            if (!top || top == st.lastTop || !top->isVisible())
                return;
            // A step acts on a new window once it has the focus (after 10 s
            // all the same: the step's checks then fail, not the wait).
            const bool back = st.seen.contains(top);
            if (st.waitingFor != top) {
                st.waitingFor = top;
                st.waiting.start();
            }
            if (!back && QGuiApplication::focusWindow() != top->windowHandle()) {
                if (st.waiting.elapsed() < 10000)
                    return;
                qWarning("answerModals: %s did not get the focus in 10 s", qPrintable(top->objectName()));
            }
            // A window shown again may have kept the focus: no new activation.
            if (!back && !top->isActiveWindow())
                QApplication::setActiveWindow(top);
            st.lastTop = top;
            st.seen << top;
            Step step = st.steps.takeFirst();
            step(top);
        });
    }
    s.timer->start();
}

bool modalsAnswered() { return script().steps.isEmpty(); }

bool showActive(QWidget* screen)
{
    screen->show();
    screen->raise();
    screen->activateWindow();
    // A window shown again may still be the window system's focus window,
    // which then reports no new activation: Qt is told directly.
    QApplication::setActiveWindow(screen);
    // Waits for the window system's activation itself, not only for Qt's
    // idea of the active window: a late one would run the screen's
    // activation again in the middle of the test.
    if (!QTest::qWaitFor([&] { return isFocusWindow(screen); }, 10000))
        return false;
    QCoreApplication::sendPostedEvents(); // what the activation queued
    return true;
}

void moveOver(QWidget* w, QPoint local)
{
    if (local.x() < 0)
        local = w->rect().center();
    QMouseEvent ev(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

QString focusName()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

void addRecords(const QString& unit, const QStringList& fields, const QList<QStringList>& records)
{
    yb::TableCursor t(yb::cursorDecl(unit, QStringLiteral("Table1")));
    t.open();
    for (const QStringList& r : records) {
        t.append();
        for (int i = 0; i < r.size() && i < fields.size(); ++i)
            t.fieldByName(fields[i]).setAsString(r[i]);
        t.post();
    }
}

} // namespace screentest
