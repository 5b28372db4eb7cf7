#pragma once
// A mail with one optional file attachment, composed as MIME and sent over SMTP without
// authentication. Texts are model text (Windows-1252); the mail carries them as UTF-8.

#include "model/base/Errors.h"

#include <ctime>
#include <string>
#include <vector>

namespace zyn {

// Packing or sending failed; the message is German model text.
class ESupportMailError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

// The mail server option: "host" or "host:port" (an "smtp://" in front is allowed).
struct TMailServer {
  std::string Host;
  int Port = 25;
};
// Raises ESupportMailError for an empty setting or a port that is no number from 1 to 65535.
TMailServer ParseMailServer(const std::string& setting);

struct TMailMessage {
  std::string Sender;
  std::string Recipient;
  std::string Subject;
  std::vector<std::string> Body;  // lines
  std::string Agent;              // the mailer's name in the header
  std::string Attachment;         // native path of the file to attach; empty for none
};

// The message as it goes over the wire (CRLF line ends). Raises ESupportMailError when the
// attachment cannot be read.
std::string ComposeMimeMessage(const TMailMessage& message, const std::string& boundary, std::time_t now);

// Connects to the server, sends the message and disconnects. Raises ESupportMailError with a German
// message (which names what went wrong) on any failure.
void SendMail(const TMailServer& server, const TMailMessage& message);

}  // namespace zyn
