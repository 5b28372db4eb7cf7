#include "platform/GermanQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zyn {

bool InstallGermanQtTranslations(QCoreApplication& app) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  if (app.findChild<QTranslator*>(QStringLiteral("zynGermanQt"))) return true;
  auto* translator = new QTranslator(&app);
  translator->setObjectName(QStringLiteral("zynGermanQt"));
  if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace zyn
