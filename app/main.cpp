// Entry point of the ZYN Systemsoftware: the globals (options, base data, tool libraries, curves),
// the splash form while the main window is made, the main window with the project named on the
// command line, the message loop, and the globals taken down again (which saves the options).

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>
#include <memory>
#include <string>

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "model/project/Global.h"
#include "model/project/Projekt.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "shell/FormMain.h"
#include "shell/FormSplash.h"
#include "shell/Translation.h"

namespace {

// The default system data that came with the programme: beside it in the build tree, or in the
// installed share folder.
std::string DefaultSystemData(const std::string& programPath) {
  const QDir dir = QFileInfo(QString::fromStdString(programPath)).absoluteDir();
  for (const char* relative : {"../data/system", "../share/zyn/system"}) {
    const QString candidate = QDir::cleanPath(dir.filePath(QString::fromLatin1(relative)));
    if (QFileInfo(candidate + QStringLiteral("/funcs.zyb")).exists()) return candidate.toStdString();
  }
  return {};
}

void ShowStartMessage(const std::string& text, zyn::TStartMessageButton button) {
  zyn::MessageDlg(nullptr, zyn::ToQString(text), QStringLiteral("Fehler"),
                  zyn::MB_ICONERROR | (button == zyn::TStartMessageButton::Cancel ? zyn::MB_OK : zyn::MB_OK));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zyn;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZYN Systemsoftware"));
  QApplication::setDesktopFileName(QStringLiteral("zyn"));

  const std::string programPath = ProgramFilePath(argc > 0 ? argv[0] : nullptr);
  LoadLanguageFile();
  TGlobalSetup setup;
  setup.ProgramPath = programPath;
  setup.DefaultSystemData = DefaultSystemData(programPath);
  setup.OnMessage = ShowStartMessage;
  InitGlobals(setup);

  const QStringList args = QApplication::arguments();
  const std::string projectFile = args.size() > 1 ? args.at(1).toStdString() : std::string();

  int result = 0;
  std::unique_ptr<TFormMain> form;
  try {
    auto splash = std::make_unique<TSplash>();
    splash->show();
    QApplication::processEvents();
    form = std::make_unique<TFormMain>(projectFile, splash.get());
    splash.reset();
  } catch (const std::exception& e) {
    MessageDlg(nullptr,
               ToQString(TranslateText("Das Hauptfenster konnte nicht erstellt werden.")) + QStringLiteral("\n") +
                   ToQString(e.what()),
               QStringLiteral("ZYN Systemsoftware"), MB_OK | MB_ICONERROR);
    result = 1;
  }
  if (form) {
    form->show();
    result = QApplication::exec();
    form.reset();
  }
  GProjekt.reset();
  FreeGlobals();
  GLanguageFile.reset();
  return result;
}
