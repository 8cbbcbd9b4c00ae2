#include "shell/ServerWaitBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Shell.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Shell)
};
} // namespace

namespace {

bool isUserInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod: return true;
    default: return false;
    }
}

ServerWaitBox* theBox = nullptr;

} // namespace

ServerWaitBox::ServerWaitBox() = default;

ServerWaitBox::~ServerWaitBox()
{
    if (waiting_)
        end();
    delete box_;
}

void ServerWaitBox::begin(const QString& server)
{
    if (waiting_)
        return;
    waiting_ = true;
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!box_) {
        box_ = new QLabel;
        box_->setObjectName(QStringLiteral("serverWaitBox"));
        box_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowDoesNotAcceptFocus);
        box_->setAttribute(Qt::WA_ShowWithoutActivating);
        box_->setFrameStyle(QFrame::Box | QFrame::Plain);
        box_->setMargin(12);
        box_->setAlignment(Qt::AlignCenter);
        box_->setAutoFillBackground(true);
    }
    box_->setText(Text::tr("Waiting for the answer of the database server %1…").arg(server));
    box_->adjustSize();
    QWidget* over = QApplication::activeModalWidget();
    if (!over)
        over = QApplication::activeWindow();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = over ? over->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
    box_->move(area.center() - QPoint(box_->width() / 2, box_->height() / 2));
    box_->show();
    box_->raise();
    tick();
}

void ServerWaitBox::tick()
{
    // Paint, timers and sockets go on; keys and clicks reach the filter,
    // which throws them away.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void ServerWaitBox::end()
{
    if (!waiting_)
        return;
    // What the user typed up to now is read and thrown away before the
    // program goes on: none of it reaches the next screen or box.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (box_)
        box_->hide();
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    waiting_ = false;
}

QString ServerWaitBox::text() const { return waiting_ && box_ ? box_->text() : QString(); }

bool ServerWaitBox::eventFilter(QObject* watched, QEvent* event)
{
    if (waiting_ && isUserInput(event->type())) {
        if (event->type() == QEvent::ShortcutOverride)
            event->accept(); // taken here, so that no Alt+letter fires either
        if (watched->isWidgetType() || watched->isWindowType())
            ++dropped_;
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void installServerWait()
{
    if (!theBox) {
        theBox = new ServerWaitBox;
        QObject::connect(qApp, &QObject::destroyed, [] {
            setServerWait(nullptr);
            theBox = nullptr;
        });
    }
    setServerWait(theBox);
}

void removeServerWait()
{
    setServerWait(nullptr);
    delete theBox;
    theBox = nullptr;
}

ServerWaitBox* serverWaitBox() { return theBox; }

} // namespace yb
