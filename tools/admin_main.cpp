// yerbalis-admin: the command-line companion of the program. Its commands
// live in tools/Commands.cpp; `yerbalis-admin --help` lists them.

#include "tools/Command.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

// The tool's messages in the language of the locale, when there is a
// translation for it (English is the text of the sources).
void loadTranslations(QCoreApplication& app)
{
    if (QLocale().language() != QLocale::Spanish)
        return;
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("yerbalis-admin"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    loadTranslations(app);
    return yb::admin::runCommandLine(app.arguments().mid(1));
}
