#include "mail/SupportMail.h"

#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <sstream>

namespace zyn {
namespace {

std::string Base64Lines(const std::string& data) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve(data.size() * 4 / 3 + data.size() / 38 + 8);
  size_t column = 0;
  for (size_t i = 0; i < data.size(); i += 3) {
    const unsigned b0 = static_cast<unsigned char>(data[i]);
    const unsigned b1 = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0;
    const unsigned b2 = i + 2 < data.size() ? static_cast<unsigned char>(data[i + 2]) : 0;
    const unsigned v = (b0 << 16) | (b1 << 8) | b2;
    out += table[(v >> 18) & 63];
    out += table[(v >> 12) & 63];
    out += i + 1 < data.size() ? table[(v >> 6) & 63] : '=';
    out += i + 2 < data.size() ? table[v & 63] : '=';
    column += 4;
    if (column >= 76) {
      out += "\r\n";
      column = 0;
    }
  }
  if (column > 0) out += "\r\n";
  return out;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ESupportMailError(Ansi("Der Anhang \"") + Utf8ToAnsi(path) + Ansi("\" konnte nicht gelesen werden."));
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    throw ESupportMailError(Ansi("Der Anhang \"") + Utf8ToAnsi(path) + Ansi("\" konnte nicht gelesen werden."));
  return data;
}

// A header value with characters beyond ASCII as an encoded word.
std::string HeaderText(const std::string& ansi) {
  const std::string utf8 = AnsiToUtf8(ansi);
  const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
  if (plain) return utf8;
  std::string b64 = Base64Lines(utf8);
  b64.erase(std::remove(b64.begin(), b64.end(), '\r'), b64.end());
  b64.erase(std::remove(b64.begin(), b64.end(), '\n'), b64.end());
  return "=?UTF-8?B?" + b64 + "?=";
}

std::string Rfc2822Date(std::time_t now) {
  static const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm t{};
  gmtime_r(&now, &t);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d +0000", days[t.tm_wday], t.tm_mday,
                months[t.tm_mon], t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
  return buffer;
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Upload {
  const std::string* data;
  size_t pos = 0;
};

size_t ReadChunk(char* buffer, size_t size, size_t count, void* user) {
  auto* up = static_cast<Upload*>(user);
  const size_t n = std::min(size * count, up->data->size() - up->pos);
  std::copy_n(up->data->data() + up->pos, n, buffer);
  up->pos += n;
  return n;
}

std::string SendFailure(CURLcode code, const TMailServer& server, const char* detail) {
  const std::string host = Utf8ToAnsi(server.Host) + ":" + std::to_string(server.Port);
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return Ansi("Der Mailserver \"") + host + Ansi("\" wurde nicht gefunden.");
    case CURLE_COULDNT_CONNECT:
      return Ansi("Der Mailserver \"") + host + Ansi("\" ist nicht erreichbar.");
    case CURLE_OPERATION_TIMEDOUT:
      return Ansi("Der Mailserver \"") + host + Ansi("\" antwortet nicht.");
    case CURLE_LOGIN_DENIED:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
      return Ansi("Die Verbindung zum Mailserver \"") + host + Ansi("\" ist abgebrochen (") + detail + ").";
    default:
      return Ansi("Der Mailserver \"") + host + Ansi("\" hat die EMail nicht angenommen (") + detail + ").";
  }
}

// A bare address: something before and after one "@", no blanks, no control characters and none
// of the characters that would end the address in the envelope or the header.
bool PlainAddress(const std::string& address) {
  const auto at = address.find('@');
  if (at == std::string::npos || at == 0 || at + 1 >= address.size() || address.find('@', at + 1) != std::string::npos)
    return false;
  return std::none_of(address.begin(), address.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 32 || u == 127 || c == '<' || c == '>' || c == '"' || c == ',' || c == ';' || c == '(' || c == ')';
  });
}

}  // namespace

TMailServer ParseMailServer(const std::string& setting) {
  std::string text = Trim(setting);
  if (text.size() >= 7 && std::equal(text.begin(), text.begin() + 7, "smtp://",
                                     [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
    text = text.substr(7);
  while (!text.empty() && text.back() == '/') text.pop_back();
  if (text.empty()) throw ESupportMailError(Ansi("Es ist kein Mailserver eingetragen."));
  TMailServer server;
  const auto colon = text.rfind(':');
  if (colon != std::string::npos) {
    const std::string port = text.substr(colon + 1);
    const bool digits = !port.empty() && port.size() <= 5 && std::all_of(port.begin(), port.end(), [](char c) {
      return std::isdigit(static_cast<unsigned char>(c));
    });
    const int value = digits ? std::stoi(port) : 0;
    if (value < 1 || value > 65535)
      throw ESupportMailError(Ansi("Die Portnummer des Mailservers \"") + setting + Ansi("\" ist ungültig."));
    server.Port = value;
    text = text.substr(0, colon);
  }
  const bool hostOk = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
  });
  if (!hostOk) throw ESupportMailError(Ansi("Der Mailserver \"") + setting + Ansi("\" ist kein gültiger Rechnername."));
  server.Host = text;
  return server;
}

std::string ComposeMimeMessage(const TMailMessage& m, const std::string& boundary, std::time_t now) {
  std::ostringstream out;
  out << "Date: " << Rfc2822Date(now) << "\r\n";
  out << "From: <" << AnsiToUtf8(Trim(m.Sender)) << ">\r\n";
  out << "To: <" << AnsiToUtf8(Trim(m.Recipient)) << ">\r\n";
  out << "Subject: " << HeaderText(m.Subject) << "\r\n";
  if (!m.Agent.empty()) out << "X-Mailer: " << HeaderText(m.Agent) << "\r\n";
  out << "MIME-Version: 1.0\r\n";
  out << "Content-Type: multipart/mixed; boundary=\"" << boundary << "\"\r\n\r\n";
  out << "This is a multi-part message in MIME format.\r\n";
  std::string body;
  for (const std::string& line : m.Body) body += AnsiToUtf8(line) + "\r\n";
  out << "--" << boundary << "\r\n";
  out << "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  out << Base64Lines(body);
  if (!m.Attachment.empty()) {
    const std::string name = std::filesystem::path(m.Attachment).filename().string();
    const std::string data = ReadWholeFile(m.Attachment);
    out << "--" << boundary << "\r\n";
    out << "Content-Type: application/zip; name=\"" << name << "\"\r\n";
    out << "Content-Transfer-Encoding: base64\r\n";
    out << "Content-Disposition: attachment; filename=\"" << name << "\"\r\n\r\n";
    out << Base64Lines(data);
  }
  out << "--" << boundary << "--\r\n";
  return out.str();
}

void SendMail(const TMailServer& server, const TMailMessage& message) {
  const std::string sender = Trim(message.Sender), recipient = Trim(message.Recipient);
  if (sender.empty())
    throw ESupportMailError(Ansi("In den Firmendaten ist keine EMail-Adresse für den Absender eingetragen."));
  if (!PlainAddress(sender))
    throw ESupportMailError(Ansi("Die EMail-Adresse des Absenders \"") + sender + Ansi("\" ist ungültig."));
  if (!PlainAddress(recipient))
    throw ESupportMailError(Ansi("Die EMail-Adresse des Empfängers \"") + recipient + Ansi("\" ist ungültig."));
  std::mt19937_64 random{std::random_device{}()};
  const std::string boundary = "=_zyn_" + std::to_string(random());
  const std::string data = ComposeMimeMessage(message, boundary, std::time(nullptr));

  GlobalInit();
  CURL* curl = curl_easy_init();
  if (!curl) throw ESupportMailError(Ansi("Der Mailversand konnte nicht gestartet werden."));
  char error[CURL_ERROR_SIZE] = {0};
  const std::string url = "smtp://" + server.Host + ":" + std::to_string(server.Port);
  const std::string from = "<" + AnsiToUtf8(Trim(message.Sender)) + ">";
  const std::string to = "<" + AnsiToUtf8(Trim(message.Recipient)) + ">";
  curl_slist* recipients = curl_slist_append(nullptr, to.c_str());
  Upload upload{&data};
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadChunk);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 20L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 300L);
  const CURLcode code = curl_easy_perform(curl);
  curl_slist_free_all(recipients);
  curl_easy_cleanup(curl);
  if (code != CURLE_OK) throw ESupportMailError(SendFailure(code, server, error[0] ? error : curl_easy_strerror(code)));
}

}  // namespace zyn
