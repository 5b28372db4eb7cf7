#pragma once
// A real SMTP server for the tests: python3 -m aiosmtpd on 127.0.0.1 and a free port, storing every
// received message in a Maildir. Also a port on which nobody listens, and a reader of the stored
// message through Python's own mail parser.

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zyn::test {

// Debian's interpreter carries the aiosmtpd package; another python3 on the path may not.
inline std::string Python3() { return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

// A port of 127.0.0.1 that was free a moment ago.
inline int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  close(fd);
  return ntohs(addr.sin_port);
}

inline bool Accepts(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  close(fd);
  return ok;
}

class SmtpServer {
 public:
  explicit SmtpServer(const std::filesystem::path& mailDir) : fMailDir(mailDir) {
    Port = FreePort();
    const std::string listen = "127.0.0.1:" + std::to_string(Port);
    const std::string python = Python3();
    const std::string dir = fMailDir.string();
    fPid = fork();
    if (fPid == 0) {
      execlp(python.c_str(), python.c_str(), "-m", "aiosmtpd", "-n", "-l", listen.c_str(), "-c",
             "aiosmtpd.handlers.Mailbox", dir.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    // ready when it accepts connections (a start-up wait, not a measurement)
    for (int i = 0; i < 200 && !Accepts(Port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!Accepts(Port)) throw std::runtime_error("aiosmtpd did not start");
  }
  ~SmtpServer() {
    if (fPid > 0) {
      kill(fPid, SIGTERM);
      waitpid(fPid, nullptr, 0);
    }
  }
  // The stored messages' files.
  std::vector<std::filesystem::path> Messages() const {
    std::vector<std::filesystem::path> out;
    const auto dir = fMailDir / "new";
    if (std::filesystem::exists(dir))
      for (const auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path());
    return out;
  }
  int Port = 0;

 private:
  std::filesystem::path fMailDir;
  pid_t fPid = -1;
};

inline std::string RunCapture(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// Parses a stored mail with Python's mail parser: prints the subject, the sender, the decoded text
// part and the attachments' file names, one per line ("key: value"), and writes each attachment
// to outDir under its file name.
inline std::string DescribeMail(const std::filesystem::path& mail, const std::filesystem::path& outDir) {
  const std::filesystem::path script = outDir / "describe.py";
  std::ofstream(script) << R"PY(import sys, email, email.policy, os
msg = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=email.policy.default)
print('subject:', msg['Subject'])
print('from:', msg['From'])
print('to:', msg['To'])
body = msg.get_body(preferencelist=('plain',))
print('body:', body.get_content().replace('\r\n', '\n').replace('\n', '|'))
for part in msg.iter_attachments():
    name = part.get_filename()
    print('attachment:', name, part.get_content_type())
    open(os.path.join(sys.argv[2], name), 'wb').write(part.get_payload(decode=True))
)PY";
  return RunCapture(Python3() + " '" + script.string() + "' '" + mail.string() + "' '" + outDir.string() + "' 2>&1");
}

}  // namespace zyn::test
