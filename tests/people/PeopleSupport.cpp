#include "PeopleSupport.h"

#include "Acerca.h"
#include "Acercad2.h"
#include "Ayuda.h"
#include "Catalogo.h"
#include "Catalogue.h"
#include "Database.h"
#include "Datos.h"
#include "Leame.h"
#include "Pedidos.h"
#include "Recordar.h"
#include "Shell.h"
#include "TableCursor.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace peopletest {

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

template <typename T>
void make(T*& ref)
{
    ref = new T;
    yb::registerScreen(ref);
}

template <typename T>
void destroy(T*& ref)
{
    if (!ref)
        return;
    yb::unregisterScreen(ref);
    delete ref;
    ref = nullptr;
}

} // namespace

void createScreens(const QString& dir)
{
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
    make(Form100);
    make(Form6);
    make(FORM777);
    make(Form2);
    make(Form5);
    make(Form19);
    make(Form3);
    make(FORMABOX);
}

void destroyScreens()
{
    destroy(FORMABOX);
    destroy(Form3);
    destroy(Form19);
    destroy(Form5);
    destroy(Form2);
    destroy(FORM777);
    destroy(Form6);
    destroy(Form100);
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

bool modalsAnswered()
{
    return script().steps.isEmpty();
}

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

} // namespace peopletest
