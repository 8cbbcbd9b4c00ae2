// Yerbalis (Base de Datos): a database program for herbalists' and dietetic shops.

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#include "Application.h"
#include "Startup.h"

namespace {
QtMessageHandler previousHandler = nullptr;

// The windowing system could not be reached while the application object
// was being built: say so and end with a failure instead of aborting.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "yerbalis: cannot start: no display could be opened\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
}
} // namespace

int main(int argc, char** argv)
{
    QString why;
    if (!yb::displayAvailable(&why)) {
        std::fprintf(stderr, "yerbalis: cannot start: %s\n", why.toLocal8Bit().constData());
        return 1;
    }
    previousHandler = qInstallMessageHandler(startupMessageHandler);
    yb::Application app(argc, argv);
    qInstallMessageHandler(previousHandler);
    return yb::runProgram();
}
