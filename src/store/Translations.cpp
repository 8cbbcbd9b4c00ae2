#include "store/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace yb {

bool spanishMessages()
{
    // The messages language comes first in the user's languages (LANGUAGE,
    // LC_ALL, LC_MESSAGES, LANG).
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && QLocale(languages.first()).language() == QLocale::Spanish;
}

bool installTranslations(const QStringList& catalogues)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !spanishMessages())
        return true;
    bool all = true;
    auto install = [&](const QString& name, const QString& directory) {
        auto* translator = new QTranslator(app);
        if (translator->load(name + QStringLiteral("_es"), directory)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
            all = false;
        }
    };
    // Qt's own first: the program's catalogues, installed later, are searched first.
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    for (const QString& name : catalogues)
        install(name, QStringLiteral(":/i18n"));
    return all;
}

} // namespace yb
