#pragma once
// The program's messages in the user's language. English is the source of
// every message; when the locale's language is Spanish, Qt's own catalogue
// (qtbase_es, so that Qt's dialogs speak Spanish) and the program's
// catalogues, built into the program, are installed in the application
// object. The screens' own captions and texts never go through them.

#include <QStringList>

namespace yb {

// Installs Qt's catalogue and each named catalogue ("yerbalis" is the one of
// the program and its store) for the locale's language. Needs the application
// object, which owns the translators. Returns whether every catalogue the
// language has was loaded (always true for a language without catalogues).
bool installTranslations(const QStringList& catalogues = {QStringLiteral("yerbalis")});

// Whether the locale's messages language is Spanish.
bool spanishMessages();

} // namespace yb
