#pragma once
// What the bus service runs share: the one address byte of a bus module on the bus, the
// blind-motor class test, the list texts of modules and channels, the serial settings of a
// service link and a scope that keeps a link open.
//
// Every telegram to a bus module (presence probe, state request, switching, dimmer curves,
// priority release) addresses it with the same byte, base class x 32 + address; the catalogue's
// shifts (AusShift, EinShift) place channel numbers inside the command byte, never the module.

#include <cstdint>
#include <string>

namespace zyn {

class TKanal;
class TModul;
class TZYNComm;

// Base class x 32 + address, kept to 8 bits.
uint8_t ModuleByte(const TModul& modul);
// Channel number << shift, kept to 8 bits: the channel part of a command byte.
uint8_t ChannelCode(int channel, int shift);
// A blind-motor module: its class name is "JRM" in any case.
bool IsBlindModule(const TModul& modul);

// "%s.%2.2d-%s" of code, address and name (Windows-1252).
std::string ModuleListText(const TModul& modul);
// "%s.%2.2d.%2.2d-%s" of module code, module address, channel address and channel name.
std::string ChannelListText(const TModul& modul, const TKanal& channel);

// Port, device (the one rule of model/base/SerialDevice.h), time-out, repetitions and pause of
// the options for a service link.
void PrepareServiceLink(TZYNComm& comm);

// Opens the link for a scope and closes it at its end, also when the scope is left by an
// exception.
class TLinkSession {
 public:
  explicit TLinkSession(TZYNComm& comm);
  ~TLinkSession();
  TLinkSession(const TLinkSession&) = delete;
  TLinkSession& operator=(const TLinkSession&) = delete;
  // The port is open.
  bool Open() const;

 private:
  TZYNComm& fComm;
};

// printf of one integer and strings into a Windows-1252 text (patterns of the system's own).
std::string FormatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zyn
