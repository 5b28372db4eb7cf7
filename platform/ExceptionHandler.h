#pragma once
// The application's exception handler: an exception that a handler of the user's input lets escape
// (a click on a bar item, say) is shown here instead of reaching the event loop. By default a
// message box with the exception's text (Windows-1252 model text) over the active window; the
// program or a test may put its own handler in place.

#include <exception>
#include <functional>
#include <string>

namespace zyn {

// Receives the exception's text in Windows-1252; an exception of no known kind gives an empty text.
using TApplicationExceptionHandler = std::function<void(const std::string& message)>;
// Returns the previous handler; an empty handler puts the message box back.
TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler);

// Shows the exception (call it with std::current_exception() inside a catch block). Never throws.
void ApplicationHandleException(std::exception_ptr exception);

}  // namespace zyn
