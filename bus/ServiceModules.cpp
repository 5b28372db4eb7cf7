#include "bus/ServiceModules.h"

#include "bus/BusSerialSettings.h"
#include "bus/ZYNComm.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/base/TextUtils.h"

#include <cstdarg>
#include <cstdio>

namespace zyn {

uint8_t ModuleByte(const TModul& modul) { return static_cast<uint8_t>(modul.BasisKlasse * 32 + modul.Adresse()); }

uint8_t ChannelCode(int channel, int shift) {
  if (shift < 0 || shift > 7) return static_cast<uint8_t>(channel);
  return static_cast<uint8_t>(channel << shift);
}

bool IsBlindModule(const TModul& modul) { return UpperCase(modul.ModulKlasse) == "JRM"; }

std::string FormatText(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

std::string ModuleListText(const TModul& modul) {
  return FormatText("%s.%2.2d-%s", modul.ModulKennung.c_str(), modul.Adresse(), modul.DisplayName().c_str());
}

std::string ChannelListText(const TModul& modul, const TKanal& channel) {
  return FormatText("%s.%2.2d.%2.2d-%s", modul.ModulKennung.c_str(), modul.Adresse(), channel.Adresse(),
                    channel.DisplayName().c_str());
}

void PrepareServiceLink(TZYNComm& comm) { comm.ApplySerialSettings(BusSerialSettingsFromOptions()); }

TLinkSession::TLinkSession(TZYNComm& comm) : fComm(comm) { fComm.OpenLink(); }

TLinkSession::~TLinkSession() { fComm.CloseLink(); }

bool TLinkSession::Open() const { return fComm.Active(); }

}  // namespace zyn
