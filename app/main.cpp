// Entry point of the ZYN Systemsoftware: the globals (options, base data, tool libraries, curves),
// the splash form while the main window is made, the main window with the project named on the
// command line, the message loop, and the globals taken down again (which saves the options).

#include "app/ProgramStart.h"
#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "platform/GermanQt.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "shell/FormMain.h"
#include "shell/Translation.h"

#include <QApplication>
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

// Set once the session or the user asked the programme to end (SIGTERM, SIGINT).
bool gStopRequested = false;
int gSignalPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);
}

// From the programme's first instant a stop request (SIGTERM, SIGINT) is only written into a pipe,
// so a request that comes while the programme is still starting is kept, not fatal.
void CatchStopSignals() {
  if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool StopPending() {
  char buffer[16];
  bool any = false;
  while (gSignalPipe[0] >= 0 && ::read(gSignalPipe[0], buffer, sizeof buffer) > 0) any = true;
  if (any) gStopRequested = true;
  return gStopRequested;
}

// A stop request closes the main window as the user would (the save question included); when the
// window is gone, or was never made, every running event loop ends and the programme shuts down
// in order, saving its options.
void WatchStopRequests(QApplication& app, QPointer<QWidget>* mainWindow) {
  if (gSignalPipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [mainWindow] {
    char buffer[16];
    while (::read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
    }
    if (*mainWindow && (*mainWindow)->isVisible() && !(*mainWindow)->close()) return;
    gStopRequested = true;
    QCoreApplication::exit(0);
  });
}

void ShowStartMessage(const std::string& text, zyn::TStartMessageButton button) {
  if (StopPending()) return;
  zyn::TranslatedMessageDlg(text, zyn::mtError, button == zyn::TStartMessageButton::Cancel ? zyn::mbCancel : zyn::mbOK);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zyn;
  CatchStopSignals();
  PrepareProgramProcess();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZYN Systemsoftware"));
  QApplication::setDesktopFileName(QStringLiteral("zyn"));
  InstallGermanQtTranslations(app);
  QPointer<QWidget> mainWindow;
  WatchStopRequests(app, &mainWindow);

  const std::string programPath = ProgramFilePath(argc > 0 ? argv[0] : nullptr);
  StartProgramGlobals(programPath, DefaultSystemData(programPath), ShowStartMessage);

  const QStringList args = QApplication::arguments();
  const std::string projectFile = args.size() > 1 ? args.at(1).toStdString() : std::string();

  int result = 0;
  std::unique_ptr<TMainForm> form;
  if (!StopPending()) {
    try {
      form = CreateMainWindow(projectFile);
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
  EndProgramGlobals();
  return result;
}
