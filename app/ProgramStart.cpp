#include "app/ProgramStart.h"

#include "bus/ui/ClockPages.h"
#include "bus/ui/ServicePages.h"
#include "bus/ui/TransferPages.h"
#include "compiler/ui/CompilerDialogs.h"
#include "display/ui/DisplayPages.h"
#include "frames/FramePages.h"
#include "frames/ProjectPages.h"
#include "frames/browser/FrBrowser.h"
#include "logic/LogicPages.h"
#include "logic/TemplatePages.h"
#include "model/base/Translator.h"
#include "print/ui/FrPrintVorschau.h"
#include "project/Projekt.h"
#include "shell/BarLibraryTexts.h"
#include "shell/FormMain.h"
#include "shell/FormSplash.h"
#include "visu/ui/FrameVisuPages.h"
#include "visu/ui/VisuComponent.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace zyn {

std::string DefaultSystemData(const std::string& programPath) {
  const QDir dir = QFileInfo(QString::fromStdString(programPath)).absoluteDir();
  for (const char* relative : {"../data/system", "../share/zyn/system"}) {
    const QString candidate = QDir::cleanPath(dir.filePath(QString::fromLatin1(relative)));
    if (QFileInfo(candidate + QStringLiteral("/funcs.zyb")).exists()) return candidate.toStdString();
  }
  return {};
}

void PrepareProgramProcess() { PrepareBrowserEngine(); }

void RegisterProgramPages() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterObjectPages();
  RegisterDisplayPages();
  RegisterCompilerDialogs();
  RegisterVisuClasses();  // pages read from a project build their controls by class name
  RegisterVisuPages();
  RegisterProjectPages();
  RegisterBrowserPage();
  RegisterLogicPages();
  RegisterTemplatePages();
  RegisterPrintPages();
  RegisterServicePages();
  RegisterClockPages();
  RegisterTransferPages();
}

void StartProgramGlobals(const std::string& programPath, const std::string& defaultSystemData,
                         TStartMessage onMessage) {
  LoadLanguageFile();
  InstallBarLibraryTexts();  // the libraries' menus and dialogs speak German from the start
  TGlobalSetup setup;
  setup.ProgramPath = programPath;
  setup.DefaultSystemData = defaultSystemData;
  setup.OnMessage = std::move(onMessage);
  InitGlobals(setup);
  RegisterProgramPages();
}

std::unique_ptr<TMainForm> CreateMainWindow(const std::string& projectFile) {
  auto splash = std::make_unique<TSplash>();
  splash->show();
  QApplication::processEvents();
  return std::make_unique<TMainForm>(projectFile, splash.get());
}

void EndProgramGlobals() {
  GProjekt.reset();
  FreeGlobals();
  GLanguageFile.reset();
}

}  // namespace zyn
