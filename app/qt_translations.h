#pragma once

class QCoreApplication;

namespace tavik {

// Qt's own texts (the save dialog, its overwrite question, the buttons of
// message boxes) in the language of the desktop, from Qt's translations
// where they are installed (Debian's qt6-translations-l10n); Qt's English
// otherwise.
void installQtTranslations(QCoreApplication& application);

} // namespace tavik
