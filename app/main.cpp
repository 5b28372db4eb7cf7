// Entry point of the ZYN Systemsoftware: the globals (options, base data, tool libraries, curves),
// the splash form while the main window is made, the main window with the project named on the
// command line, the message loop, and the globals taken down again (which saves the options).

#include "bus/ui/ClockPages.h"
#include "bus/ui/ServicePages.h"
#include "bus/ui/TransferPages.h"
#include "compiler/ui/CompilerDialogs.h"
#include "display/ui/DisplayPages.h"
#include "frames/FramePages.h"
#include "frames/browser/FrBrowser.h"
#include "frames/ProjectPages.h"
#include "logic/LogicPages.h"
#include "logic/TemplatePages.h"
#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "platform/GermanQt.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "print/ui/FrPrintVorschau.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "shell/FormSplash.h"
#include "shell/Translation.h"
#include "visu/ui/FrameVisuPages.h"
#include "visu/ui/VisuComponent.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

// In a build with AddressSanitizer (the test builds) the font and style caches of Qt and
// fontconfig, which live to the end of the process by design, are not reported as leaks; the web
// engine's library (the browser page) frees some objects with a size the sanitizer does not expect.
extern "C" const char* __asan_default_options() { return "detect_leaks=0:new_delete_type_mismatch=0"; }

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

// Set once the session or the user asked the programme to end (SIGTERM, SIGINT).
bool gStopRequested = false;
int gSignalPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);
}

// A stop request closes the main window as the user would (the save question included); when the
// window is gone, or was never made, every running event loop ends and the programme shuts down
// in order, saving its options.
void InstallStopHandler(QApplication& app, QPointer<QWidget>* mainWindow) {
  if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [mainWindow] {
    char buffer[16];
    while (::read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
    }
    if (*mainWindow && (*mainWindow)->isVisible() && !(*mainWindow)->close()) return;
    gStopRequested = true;
    QCoreApplication::exit(0);
  });
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGINT, OnStopSignal);
}

void ShowStartMessage(const std::string& text, zyn::TStartMessageButton) {
  if (gStopRequested) return;
  zyn::MessageDlg(nullptr, zyn::ToQString(text), QStringLiteral("Fehler"), zyn::MB_OK | zyn::MB_ICONERROR);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zyn;
  PrepareBrowserEngine();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZYN Systemsoftware"));
  QApplication::setDesktopFileName(QStringLiteral("zyn"));
  InstallGermanQtTranslations(app);
  QPointer<QWidget> mainWindow;
  InstallStopHandler(app, &mainWindow);

  const std::string programPath = ProgramFilePath(argc > 0 ? argv[0] : nullptr);
  LoadLanguageFile();
  TGlobalSetup setup;
  setup.ProgramPath = programPath;
  setup.DefaultSystemData = DefaultSystemData(programPath);
  setup.OnMessage = ShowStartMessage;
  InitGlobals(setup);
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

  const QStringList args = QApplication::arguments();
  const std::string projectFile = args.size() > 1 ? args.at(1).toStdString() : std::string();

  int result = 0;
  std::unique_ptr<TMainForm> form;
  if (!gStopRequested) {
    try {
      auto splash = std::make_unique<TSplash>();
      splash->show();
      QApplication::processEvents();
      form = std::make_unique<TMainForm>(projectFile, splash.get());
      mainWindow = form.get();
    } catch (const std::exception& e) {
      // Without its main window the programme cannot be used: say why and end with an error.
      MessageDlg(nullptr,
                 ToQString(TranslateText(Ansi("Das Hauptfenster konnte nicht erstellt werden."))) +
                     QStringLiteral("\n") + ToQString(e.what()),
                 QStringLiteral("ZYN Systemsoftware"), MB_OK | MB_ICONERROR);
      result = 1;
    }
  }
  if (form && !gStopRequested) {
    form->show();
    result = QApplication::exec();
    form.reset();
  }
  GProjekt.reset();
  FreeGlobals();
  GLanguageFile.reset();
  return result;
}
