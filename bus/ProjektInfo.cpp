#include "bus/ProjektInfo.h"

#include <cstdio>

namespace zyn {

namespace {

struct TField {
  size_t Offset;
  size_t Size;  // length byte included
};

constexpr TField kName{0, 21}, kDatum{21, 11}, kZeit{32, 9}, kAusfuehrung{41, 31}, kPlanung{72, 31}, kTitle{103, 31};
constexpr size_t kLengthOffset = 134;
constexpr size_t kChecksumOffset = 136;

void PutText(TProjektInfoBlock& block, TField field, const std::string& text) {
  const size_t n = std::min(text.size(), field.Size - 1);
  block[field.Offset] = static_cast<uint8_t>(n);
  for (size_t i = 0; i < n; ++i) block[field.Offset + 1 + i] = static_cast<uint8_t>(text[i]);
}

std::string GetText(const TProjektInfoBlock& block, TField field) {
  const size_t n = std::min<size_t>(block[field.Offset], field.Size - 1);
  return std::string(reinterpret_cast<const char*>(block.data() + field.Offset + 1), n);
}

void PutU16(TProjektInfoBlock& block, size_t offset, uint16_t v) {
  block[offset] = static_cast<uint8_t>(v & 0xFF);
  block[offset + 1] = static_cast<uint8_t>(v >> 8);
}

uint16_t GetU16(const TProjektInfoBlock& block, size_t offset) {
  return static_cast<uint16_t>(block[offset] | (block[offset + 1] << 8));
}

}  // namespace

TProjektInfoBlock TProjektInfo::ToBlock() const {
  TProjektInfoBlock block{};
  PutText(block, kName, ProjektName);
  PutText(block, kDatum, Datum);
  PutText(block, kZeit, Zeit);
  PutText(block, kAusfuehrung, Ausfuehrung);
  PutText(block, kPlanung, Planung);
  PutText(block, kTitle, ProgramTitle);
  PutU16(block, kLengthOffset, ImageLength);
  PutU16(block, kChecksumOffset, ImageChecksum);
  return block;
}

TProjektInfo TProjektInfo::FromBlock(const TProjektInfoBlock& block) {
  TProjektInfo info;
  info.ProjektName = GetText(block, kName);
  info.Datum = GetText(block, kDatum);
  info.Zeit = GetText(block, kZeit);
  info.Ausfuehrung = GetText(block, kAusfuehrung);
  info.Planung = GetText(block, kPlanung);
  info.ProgramTitle = GetText(block, kTitle);
  info.ImageLength = GetU16(block, kLengthOffset);
  info.ImageChecksum = GetU16(block, kChecksumOffset);
  return info;
}

void TProjektInfo::SetStamp(int year, int month, int day, int hour, int minute, int second) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day % 100, month % 100, year % 10000);
  Datum = text;
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour % 100, minute % 100, second % 100);
  Zeit = text;
}

}  // namespace zyn
