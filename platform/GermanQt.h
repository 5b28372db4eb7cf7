#pragma once
// The programme speaks German also in Qt's own dialogs and context menus: the German locale as
// default and Qt's German translations (from the system's Qt translations folder).

class QCoreApplication;

namespace zyn {

// Installs the German locale and Qt's German translations into the application (once per
// application). False when the translation file was not found; the dialogs then stay English.
bool InstallGermanQtTranslations(QCoreApplication& app);

}  // namespace zyn
