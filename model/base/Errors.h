#pragma once
// Exceptions of the non-GUI layers. Messages are German model text (Windows-1252); the GUI
// converts them once and shows them through its message-box helper.

#include <stdexcept>
#include <string>

namespace zyn {

// Root of the programme's own exceptions.
class EZYNError : public std::runtime_error {
 public:
  explicit EZYNError(const std::string& message) : std::runtime_error(message) {}
};

// A value stream, file or record could not be read ("Stream-Lesefehler",
// "Ungültiger Eigenschaftswert", ...).
class EReadError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

// A file or stream could not be written.
class EWriteError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

}  // namespace zyn
