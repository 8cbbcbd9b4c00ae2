// yerbalis-admin: the command-line companion of the program. Its commands
// live in tools/Commands.cpp; `yerbalis-admin --help` lists them.

#include "store/Translations.h"
#include "tools/Command.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Under a Spanish locale: Qt's own messages, the store's and the tool's.
    yb::installTranslations({QStringLiteral("yerbalis"), QStringLiteral("yerbalis-admin")});
    return yb::admin::runCommandLine(app.arguments().mid(1));
}
