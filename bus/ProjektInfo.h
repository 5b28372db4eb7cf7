#pragma once
// The project-information block that the transfer writes into every control module at
// 0xBD00 and the information page reads back: 138 bytes of length-prefixed texts and the
// image's length and checksum.
//
//   offset size  content
//   0      21    project name, at most 20 characters
//   21     11    date of the transfer, at most 10 characters
//   32     9     time of the transfer, at most 8 characters
//   41     31    Ausfuehrung, at most 30 characters
//   72     31    Planung, at most 30 characters
//   103    31    program title, at most 30 characters
//   134    2     image length, little-endian
//   136    2     low 16 bits of the image checksum, little-endian
//
// Each text field is one length byte followed by the characters (Windows-1252); the rest of
// the field is filled with 0.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

using TProjektInfoBlock = std::array<uint8_t, 138>;

struct TProjektInfo {
  std::string ProjektName;
  std::string Datum;  // "dd.mm.yyyy"
  std::string Zeit;   // "hh:mm:ss"
  std::string Ausfuehrung;
  std::string Planung;
  std::string ProgramTitle;
  uint16_t ImageLength = 0;
  uint16_t ImageChecksum = 0;

  // Texts longer than their field are cut.
  TProjektInfoBlock ToBlock() const;
  // Length bytes beyond the field are clamped to the field, so a damaged block read from a
  // module never reaches outside its field.
  static TProjektInfo FromBlock(const TProjektInfoBlock& block);
  // Date and time texts of a transfer at the given local time.
  void SetStamp(int year, int month, int day, int hour, int minute, int second);

  bool operator==(const TProjektInfo&) const = default;
};

}  // namespace zyn
