#include "Application.h"

#include <QFont>
#include <QKeyEvent>
#include <QPushButton>

#include <exception>

#include "Errors.h"
#include "FocusStyle.h"
#include "Shell.h"

namespace yb {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("yerbalis"));
    setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    installFocusStyle();
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
        return QApplication::notify(receiver, event);
    } catch (const Error& e) {
        reportError(e.message());
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
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
