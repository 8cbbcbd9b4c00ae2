#include "shell/Application.h"

#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

#include <exception>

#include "controls/ErrorSink.h"
#include "shell/FocusStyle.h"
#include "shell/ServerWaitBox.h"
#include "shell/Shell.h"

// A static library's resources are registered by name, outside any namespace.
static void initProgramResources() { Q_INIT_RESOURCE(yerbalis); }

namespace yb {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("yerbalis"));
    // The menu entry's name, by which desktops pair the windows with their entry and icon.
    setDesktopFileName(QStringLiteral("es.yerbalis.Yerbalis"));
    setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    installFocusStyle();
    setWindowIcon(programIcon());
    // Errors that handlers let through are shown in the general error report.
    setErrorSink(reportError);
    // A wait for the database server keeps the windows alive and drops what is typed meanwhile.
    installServerWait();
}

Application::~Application()
{
    removeServerWait();
    setErrorSink({});
}

QIcon programIcon()
{
    initProgramResources();
    QSvgRenderer svg(QStringLiteral(":/yerbalis/yerbalis.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        svg.render(&p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

namespace {
bool pressesFocusedButton(QObject* receiver, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // Keys typed while the program waits for the server are thrown away.
    if (serverWaitBox() && !serverWaitBox()->text().isEmpty())
        return false;
    auto* button = qobject_cast<QPushButton*>(receiver);
    if (!button || !button->isEnabled() || !button->hasFocus())
        return false;
    // A window blocked by a modal one takes no keys.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && button->window() != modal)
        return false;
    button->click();
    return true;
}
} // namespace

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        if (pressesFocusedButton(receiver, event))
            return true;
        // Every message box and text prompt (the delete confirmation of the
        // data-bound controls included) shows its caption whole.
        if (event->type() == QEvent::Show && receiver->isWidgetType())
            fitCaption(static_cast<QWidget*>(receiver));
        return QApplication::notify(receiver, event);
    } catch (...) {
        // A handler that does not guard its own work: its error goes to the
        // same sink as a guarded handler's.
        passOn(std::current_exception());
    }
    return false;
}

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
}

} // namespace yb
