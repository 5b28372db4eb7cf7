#include "platform/ExceptionHandler.h"

#include "platform/MessageDlg.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QWidget>

namespace zyn {

namespace {

TApplicationExceptionHandler& Handler() {
  static TApplicationExceptionHandler handler;
  return handler;
}

void ShowInMessageBox(const std::string& message) {
  const QString text = message.empty() ? QStringLiteral("Ein unbekannter Fehler ist aufgetreten.") : ToQString(message);
  MessageDlg(QApplication::activeWindow(), text, QApplication::applicationDisplayName(), MB_OK | MB_ICONERROR);
}

}  // namespace

TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler) {
  TApplicationExceptionHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void ApplicationHandleException(std::exception_ptr exception) {
  std::string message;
  try {
    if (exception) std::rethrow_exception(exception);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    // an exception of no known kind: shown without text of its own
  }
  try {
    if (Handler())
      Handler()(message);
    else
      ShowInMessageBox(message);
  } catch (...) {
    // the handler itself failed: nothing more can be shown
  }
}

}  // namespace zyn
