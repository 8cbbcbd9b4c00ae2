// Yerbalis (Base de Datos): a database program for herbalists' and dietetic shops.

#include <QCoreApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "YerbalisVersion.h"
#include "app/Startup.h"
#include "shell/Application.h"
#include "store/Translations.h"

namespace {
// The messages of the program's start, in the catalogue's context yb::Startup.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Startup)
};

QString helpText()
{
#ifdef Q_OS_WIN
    const QString defaultDirectory = QStringLiteral("C:\\YERBA1");
#else
    const QString defaultDirectory = QStringLiteral("~/.local/share/yerbalis");
#endif
    return Text::tr("Usage: yerbalis [--help | --version]\n"
                    "Yerbalis (Base de Datos): a database program for herbalists' and dietetic\n"
                    "shops, with eleven reference databases, a card file of clients, a product\n"
                    "table, a sales terminal and the daily sales list. Its screens are Spanish.\n"
                    "\n"
                    "The program takes no options of its own: it opens its main menu on the\n"
                    "desktop. Its data lives in the directory that the environment variable\n"
                    "YERBALIS_DATA_DIR names or, when that is not set, in %1.\n"
                    "A directory that does not exist is created with the fourteen empty tables.\n"
                    "\n"
                    "Options:\n"
                    "  --help      print this help and exit\n"
                    "  --version   print the version and exit\n"
                    "\n"
                    "Environment:\n"
                    "  YERBALIS_DATA_DIR   the data directory to use instead of the usual one\n"
                    "  YERBALIS_DATABASE   the shop's database on a PostgreSQL server, as a libpq\n"
                    "                      connection URI (postgresql://caja@servidor/yerbalis),\n"
                    "                      for several tills; it takes the data directory's place\n"
                    "  YERBALIS_TILL       the number of this till, 1 to 99 (1 when not set), which\n"
                    "                      the sales terminal records with every sale\n")
        .arg(defaultDirectory);
}

// Help and version are printed before anything needs a display; the output
// is flushed here so that a failed write ends with a failure.
int printAndExit(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

QtMessageHandler previousHandler = nullptr;
QByteArray noDisplayMessage; // said when the windowing system cannot be reached

// The windowing system could not be reached while the application object
// was being built: say so and end with a failure instead of aborting.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fputs(noDisplayMessage.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
}
} // namespace

int main(int argc, char** argv)
{
    {
        // Help, version and a missing display are told before the windows
        // exist, in the user's language: a core application object holds the
        // translations until then.
        QCoreApplication core(argc, argv);
        yb::installTranslations();
        if (argc > 1) {
            const std::string_view first = argv[1];
            if (first == "--version")
                return printAndExit(QStringLiteral("yerbalis " YERBALIS_VERSION "\n"));
            if (first == "--help")
                return printAndExit(helpText());
        }
        QString why;
        if (!yb::displayAvailable(&why)) {
            std::fprintf(stderr, "%s\n", Text::tr("yerbalis: cannot start: %1").arg(why).toLocal8Bit().constData());
            return 1;
        }
        noDisplayMessage =
            (Text::tr("yerbalis: cannot start: no display could be opened") + QLatin1Char('\n')).toLocal8Bit();
    }
    previousHandler = qInstallMessageHandler(startupMessageHandler);
    yb::Application app(argc, argv);
    qInstallMessageHandler(previousHandler);
    yb::installTranslations();
    return yb::runProgram();
}
