#include "ScreenTest.h"

#include <QApplication>
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
};

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
            st.lastTop = top;
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
    QApplication::setActiveWindow(screen);
    return QTest::qWaitForWindowActive(screen, 2000);
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

} // namespace screentest
