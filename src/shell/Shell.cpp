#include "shell/Shell.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHash>
#include <QInputDialog>
#include <QLabel>
#include <QList>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QWindow>

#include <exception>

#if YERBALIS_XCB
#include <xcb/xcb.h>
#endif

#include "controls/ControlSupport.h"
#include "shell/Accessibility.h"
#include "store/Errors.h"

namespace yb {

QString applicationTitle() { return QStringLiteral("Yerbalis (Base de Datos)"); }

namespace {

struct ModalRun {
    QPointer<QWidget> screen;
    QEventLoop* loop = nullptr;
};

struct ShellState {
    QList<QPointer<QWidget>> screens;
    QHash<QWidget*, std::function<void()>> activations;
    QList<ModalRun> modalRuns;
    QPointer<QWidget> activeScreen;
    // The screen a finished modal run handed the activation back to, until
    // the user next presses a key or a mouse button. Until then every change
    // of the focus window is the window system's doing (passing the focus on
    // from the closed screen, in whatever order), never the user's, and runs
    // no activation handler.
    QPointer<QWidget> handingBackTo;
    bool terminating = false;
    int beeps = 0;
    bool trackerConnected = false;
};

ShellState& state()
{
    static ShellState s;
    return s;
}

bool hasActivationHandler(const QWidget* w) { return w->metaObject()->indexOfMethod("FormActivate()") >= 0; }

// Runs the screen's activation handler, guarded: an error it lets through
// is shown by the general error report; the screen stays as it is.
void runActivationHandler(QWidget* w)
{
    if (!w)
        return;
    const std::function<void()> activate = state().activations.value(w);
    if (activate) {
        yb::guard(activate);
        return;
    }
    if (!hasActivationHandler(w))
        return;
    // A screen registered without its handler: the handler is reached by
    // name, and must guard its own work.
    QMetaObject::invokeMethod(w, "FormActivate", Qt::DirectConnection);
}

QWidget* screenOfWindow(QWindow* window)
{
    if (!window)
        return nullptr;
    for (const auto& s : state().screens)
        if (s && s->windowHandle() == window)
            return s;
    return nullptr;
}

// A non-modal screen that becomes the active screen of the process runs its
// activation handler. Modal screens run it from showModal(); the screen that
// a modal run hands the activation back to is already the active screen.
void onFocusWindowChanged(QWindow* window)
{
    auto& s = state();
    QWidget* screen = screenOfWindow(window);
    if (!screen)
        return;
    if (screen == s.activeScreen)
        return;
    // While a modal run is open only its screen can be active; an activation
    // of another window that the window system reports late is not the
    // user's doing.
    if (!s.modalRuns.isEmpty() && s.modalRuns.last().screen != screen)
        return;
    s.activeScreen = screen;
    // After a modal run the window system may pass the focus through other
    // windows on its way back, and back and forth (the second about box left
    // open when the about screen closes under it): the process's active screen
    // follows it, but only a change after the user has acted is an activation.
    if (s.handingBackTo)
        return;
    if (isShowingModally(screen) || s.terminating)
        return;
    QPointer<QWidget> p(screen);
    // Deferred: the handler may open modal screens of its own.
    QMetaObject::invokeMethod(
        screen,
        [p] {
            auto& st = state();
            if (p && p->isVisible() && st.activeScreen == p && st.modalRuns.isEmpty() && !st.terminating)
                runActivationHandler(p);
        },
        Qt::QueuedConnection);
}

// Ends the modal run when its screen is hidden, and hands the process's
// active screen back to the one that was active before at that very moment,
// so that the window system's activation of it does not count as a new one.
class ModalEndWatcher : public QObject {
public:
    ModalEndWatcher(QEventLoop* loop, QWidget* previous) : loop_(loop), previous_(previous) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide) {
            auto* w = static_cast<QWidget*>(o);
            if (!w->isVisible()) {
                if (state().activeScreen == w && previous_ && previous_->isVisible())
                    state().activeScreen = previous_;
                loop_->quit();
            }
        }
        return false;
    }

private:
    QEventLoop* loop_;
    QPointer<QWidget> previous_;
};

// Keeps a restored screen's size fixed. The window system neither maximizes
// nor keeps maximized a window whose size is fixed, and gives a maximized
// window its size itself: while maximized the size is left to it, and a
// window that leaves the maximized state gets its fixed size again, centred
// on its screen. Asking for the size alone would ask for it at the maximized
// window's place, the top-left corner, and whether the window manager's own
// placement of the restored window came before or after that request would
// decide where it ends up; asking for size and place together, after the
// window manager has restored the window, leaves it centred whatever the
// order.
class FixedFrame : public QObject {
public:
    FixedFrame(QWidget* screen, const QSize& restored) : QObject(screen), screen_(screen), restored_(restored) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != screen_)
            return false;
        if (e->type() == QEvent::WindowStateChange) {
            const Qt::WindowStates big = Qt::WindowMaximized | Qt::WindowFullScreen;
            const bool restored = (static_cast<QWindowStateChangeEvent*>(e)->oldState() & big) &&
                !(screen_->windowState() & (big | Qt::WindowMinimized));
            apply(restored);
        } else if (e->type() == QEvent::Show) {
            apply(false);
        }
        return false;
    }
    void apply(bool centre)
    {
        if (screen_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            screen_->setMinimumSize(0, 0);
            screen_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            return;
        }
        if (screen_->minimumSize() != restored_ || screen_->maximumSize() != restored_)
            screen_->setFixedSize(restored_);
        if (centre && screen_->screen()) {
            QRect area(QPoint(), restored_);
            area.moveCenter(screen_->screen()->availableGeometry().center());
            screen_->setGeometry(area);
        }
    }

private:
    QWidget* screen_;
    QSize restored_;
};

// Ends the hand-back of a finished modal run at the user's first key or
// mouse button press, wherever it goes.
class UserActionWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            if (e->spontaneous())
                state().handingBackTo = nullptr;
            break;
        default: break;
        }
        return false;
    }
};

class HintFilter : public QObject {
public:
    explicit HintFilter(QLabel* line, QObject* parent) : QObject(parent), line_(line) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseMove || !line_)
            return false;
        auto* w = static_cast<QWidget*>(o);
        auto* me = static_cast<QMouseEvent*>(e);
        // A move over a child of this widget was not meant for it: the child
        // either has a sentence of its own or leaves the line alone.
        const QPoint local = w->mapFromGlobal(me->globalPosition().toPoint());
        if (QWidget* child = w->childAt(local); child && !child->testAttribute(Qt::WA_TransparentForMouseEvents))
            return false;
        const QString sentence = w->property("statusHint").toString();
        if (line_->text() != sentence)
            line_->setText(sentence);
        return false;
    }

private:
    QPointer<QLabel> line_;
};

class FocusColourFilter : public QObject {
public:
    using QObject::QObject;
    static void apply(QWidget* w, bool focused)
    {
        QPalette p = w->palette();
        const QColor c =
            focused ? w->property("yb_focusColour").value<QColor>() : QApplication::palette(w).color(QPalette::Text);
        p.setColor(QPalette::Text, c);
        w->setPalette(p);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn)
            apply(static_cast<QWidget*>(o), true);
        else if (e->type() == QEvent::FocusOut)
            apply(static_cast<QWidget*>(o), false);
        return false;
    }
};

} // namespace

// ---- screens

void registerScreen(QWidget* screen, std::function<void()> activate)
{
    auto& s = state();
    if (!s.trackerConnected && qGuiApp) {
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, qGuiApp, &onFocusWindowChanged);
        qGuiApp->installEventFilter(new UserActionWatch(qGuiApp));
        s.trackerConnected = true;
    }
    if (!s.screens.contains(screen))
        s.screens.append(screen);
    if (activate)
        s.activations.insert(screen, std::move(activate));
    else
        s.activations.remove(screen);
    nameControls(screen);
}

void unregisterScreen(QWidget* screen)
{
    state().activations.remove(screen);
    state().screens.removeAll(screen);
    state().screens.removeAll(nullptr);
}

QWidget* activeScreen() { return state().activeScreen; }

bool isShowingModally(const QWidget* screen)
{
    for (const auto& r : state().modalRuns)
        if (r.screen == screen)
            return true;
    return false;
}

void showModal(QWidget* screen)
{
    auto& s = state();
    if (!screen || s.terminating || isShowingModally(screen))
        return;
    QPointer<QWidget> previous = s.activeScreen;
    QPointer<QWidget> guard(screen);

    s.handingBackTo = nullptr;
    QEventLoop loop;
    ModalEndWatcher watcher(&loop, previous);
    s.modalRuns.append({guard, &loop});
    s.activeScreen = screen;

    screen->setWindowModality(Qt::ApplicationModal);
    screen->installEventFilter(&watcher);
    screen->show();
    screen->raise();
    screen->activateWindow();
    runActivationHandler(screen);
    if (guard && guard->isVisible() && !s.terminating)
        loop.exec();

    if (guard) {
        guard->removeEventFilter(&watcher);
        if (guard->isVisible())
            guard->hide();
    }
    for (qsizetype i = s.modalRuns.size() - 1; i >= 0; --i)
        if (s.modalRuns[i].loop == &loop) {
            s.modalRuns.removeAt(i);
            break;
        }
    // Hand the activation back without running the previous screen's handler,
    // however the focus then travels, until the user acts.
    if (previous && previous->isVisible() && !s.terminating) {
        s.activeScreen = previous;
        s.handingBackTo = previous;
        previous->activateWindow();
    } else if (s.activeScreen == screen) {
        s.activeScreen = previous;
    }
}

void floatOver(QWidget* window, QWidget* over)
{
    window->winId();
    over->winId();
    QWindow* w = window->windowHandle();
    QWindow* o = over->windowHandle();
    if (!w || !o || w->transientParent() == o)
        return;
    w->setTransientParent(o);
#if YERBALIS_XCB
    // The X11 window system reads the owner (WM_TRANSIENT_FOR) when the window
    // is mapped: a window already shown is given its new owner directly.
    if (!window->isVisible() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
        const auto owner = static_cast<xcb_window_t>(over->winId());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                            XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &owner);
        xcb_flush(connection);
    }
#endif
}

void showModeless(QWidget* screen) { screen->show(); }

void hideModeless(QWidget* screen) { screen->hide(); }

void closeScreen(QWidget* screen) { screen->close(); }

void terminate()
{
    state().terminating = true;
    for (const auto& r : state().modalRuns)
        r.loop->quit();
    QCoreApplication::exit(0);
}

bool isTerminating() { return state().terminating; }

void resetTerminate() { state().terminating = false; }

// ---- window frame

void useFixedFrame(QWidget* screen, const QSize& restored)
{
    auto* frame = new FixedFrame(screen, restored);
    screen->installEventFilter(frame);
    frame->apply(false);
}

// ---- beep

void beep()
{
    ++state().beeps;
    QApplication::beep();
}

int beepCount() { return state().beeps; }

// ---- status hint line

void attachHintLine(QWidget* screen, QLabel* line)
{
    screen->setProperty("yb_hintLine", QVariant::fromValue<QObject*>(line));
    auto* filter = new HintFilter(line, screen);
    auto widgets = screen->findChildren<QWidget*>();
    widgets.prepend(screen); // the window's own background may have a sentence too
    for (QWidget* w : widgets) {
        if (!w->property("statusHint").isValid())
            continue;
        w->setMouseTracking(true);
        w->installEventFilter(filter);
    }
}

void setHint(QWidget* screen, const QString& sentence)
{
    if (auto* line = qobject_cast<QLabel*>(screen->property("yb_hintLine").value<QObject*>()))
        line->setText(sentence);
}

// ---- focus colours

void useRecordScreenColours(QWidget* screen, QWidget* list)
{
    for (const char* name : {"Memo1", "Memo123"})
        if (auto* spacer = screen->findChild<QWidget*>(QLatin1String(name))) {
            QPalette black = spacer->palette();
            black.setColor(QPalette::Text, Qt::black);
            spacer->setPalette(black);
        }
    QPalette white = list->palette();
    white.setColor(QPalette::Base, Qt::white);
    list->setPalette(white);
}

void useFocusColours(QWidget* box, const QColor& focused)
{
    static FocusColourFilter* filter = nullptr;
    if (!filter)
        filter = new FocusColourFilter(qApp);
    box->setProperty("yb_focusColour", focused);
    box->installEventFilter(filter);
    FocusColourFilter::apply(box, box->hasFocus());
}

// ---- message boxes

namespace {
QWidget* boxParent()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (!w)
        w = state().activeScreen;
    return w;
}

// When a box closes, the window that was active before it is active again.
void reactivate(const QPointer<QWidget>& w)
{
    if (w && w->isVisible() && !state().terminating)
        w->activateWindow();
}

void runBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QPointer<QWidget> parent = boxParent();
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK")); // not Qt's translation of it
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    reactivate(parent);
}
} // namespace

void noticeBox(const QString& text) { runBox(QMessageBox::NoIcon, QStringLiteral("Aviso"), text); }

void messageBox(const QString& text) { runBox(QMessageBox::NoIcon, applicationTitle(), text); }

QString inputQuery(const QString& caption, const QString& prompt, const QString& defaultText)
{
    QPointer<QWidget> parent = boxParent();
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancel"));
    dialog.setWindowModality(Qt::ApplicationModal);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    reactivate(parent);
    return accepted ? dialog.textValue() : defaultText;
}

int captionMinimumWidth(const QString& caption)
{
    // Window managers draw the title in a bold sans font of about the
    // application's size; the frame adds the window icon and up to three
    // buttons, each about as wide as the title bar is high, and margins.
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + 1);
    const QFontMetrics fm(font);
    const int bar = fm.height() + 10;
    return fm.horizontalAdvance(caption) + 4 * bar + 40;
}

void fitCaption(QWidget* box)
{
    auto* message = qobject_cast<QMessageBox*>(box);
    if (!message && !qobject_cast<QInputDialog*>(box))
        return;
    const int width = captionMinimumWidth(box->windowTitle());
    if (box->property("yb_captionWidth").toInt() >= width)
        return;
    box->setProperty("yb_captionWidth", width);
    if (message) {
        // A message box fixes its own size from its layout's minimum width on
        // every showing: the width goes into the layout, as a spacer row.
        if (auto* grid = qobject_cast<QGridLayout*>(message->layout()))
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                          grid->columnCount());
    } else {
        box->setMinimumWidth(width);
    }
}

QString errorReportText(const QString& message)
{
    // A message that already ends a sentence ("... on that socket?") gets no stop added.
    if (message.endsWith(QLatin1Char('?')) || message.endsWith(QLatin1Char('!')))
        return message;
    return message + QLatin1Char('.');
}

void reportError(const QString& message)
{
    runBox(QMessageBox::Critical, applicationTitle(), errorReportText(message));
}

} // namespace yb
