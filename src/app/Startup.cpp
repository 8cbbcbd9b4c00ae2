#include "app/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <exception>

#include "app/Menu.h"
#include "controls/ErrorSink.h"
#include "shell/Shell.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Startup.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Startup)
};
} // namespace

bool displayAvailable(QString* why)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool needsX = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"));
    const bool needsWayland = platform.startsWith(QLatin1String("wayland"));
    if ((needsX && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) ||
        (needsWayland && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
        if (why)
            *why = Text::tr("no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return false;
    }
#endif
    Q_UNUSED(why);
    return true;
}

QString startupFailureText(const StartupFailure& failure, const QString& module)
{
    const QString address =
        QStringLiteral("%1").arg(quintptr(failure.address), int(2 * sizeof(void*)), 16, QLatin1Char('0')).toUpper();
    // A message that already ends a sentence ("... on that socket?") gets no stop added.
    const bool ended = failure.message.endsWith(QLatin1Char('.')) || failure.message.endsWith(QLatin1Char('?')) ||
        failure.message.endsWith(QLatin1Char('!'));
    const QString stop = ended ? QString() : QStringLiteral(".");
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4%5")
        .arg(failure.kind, module, address, failure.message, stop);
}

void showStartupFailure(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), text, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK")); // not Qt's translation of it
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool platformShowsWindows()
{
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

namespace {
int failStartup(const StartupFailure& failure)
{
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString text = startupFailureText(failure, module);
    std::fprintf(stderr, "Application Error: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (platformShowsWindows())
        showStartupFailure(text);
    return 1;
}
} // namespace

void finishPendingEdits()
{
    for (QWidget* screen : createdScreens()) {
        if (!screen)
            continue;
        for (TableCursor* cursor : screen->findChildren<TableCursor*>()) {
            if (!cursor->isEditing())
                continue;
            try {
                // As a move would: the controls' pending text is written, then
                // the record is posted if a field changed and dropped if not.
                cursor->checkBrowseMode();
            } catch (...) {
                const QString message = errorMessage(std::current_exception());
                reportToSink(QStringLiteral("%1: %2").arg(screen->windowTitle(), message));
            }
        }
    }
}

int runProgram()
{
    resetTerminate();
    StartupFailure failure;
    try {
        const QString location = Database::defaultLocation();
        Database::prepare(location);
        Database::setLocation(location);
    } catch (const Error& e) {
        failure = {e.kind(), e.message(), reinterpret_cast<const void*>(&runProgram)};
        return failStartup(failure);
    } catch (const std::exception& e) {
        failure = {QStringLiteral("Exception"), QString::fromLocal8Bit(e.what()),
                   reinterpret_cast<const void*>(&runProgram)};
        return failStartup(failure);
    }
    if (!createScreens(&failure))
        return failStartup(failure);

    Form1->show();
    const int code = QApplication::exec();
    finishPendingEdits();
    destroyScreens();
    return code;
}

} // namespace yb
