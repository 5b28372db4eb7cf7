#pragma once
// The program listing of a control module: the whole program area (32768 bytes from 0x4000)
// read back, program files read and written, and a program written back into the module.
//
// Write-back rules: only an image whose header length and end address agree is written; the image's own length and the
// byte behind it (both covered by its checksum) are written, read back and compared, and only then is the module
// switched on, with the command its firmware calls for, and its power-on states released.
//
// Call order: user-interface thread; each operation opens the link and closes it again, also on
// an exception.

#include "bus/BusSerialSettings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

class TZYNComm;

constexpr uint32_t kProgramAreaSize = 0x8000;
constexpr uint32_t kProgramAreaAddress = 0x4000;

enum class TListingResult {
  Done,
  NoModule,      // "Das Steuermodul konnte nicht angesprochen werden!"
  Incomplete,    // a block was not read
  InvalidImage,  // header and checksum do not fit
  WriteFailed,
  VerifyFailed,
  SwitchOnFailed,
};

// The German text of a result (translated); empty for Done.
std::string ListingResultText(TListingResult result);

// The used length of an image from its header (big-endian word 0), when it lies inside the
// program area before the project-information block and the header's end address (word 6) is
// the module address behind it.
std::optional<uint32_t> ImageLengthOf(const std::vector<uint8_t>& program);

// Reads the first 32768 bytes of the file into program; a shorter file leaves the rest of the
// buffer as it was. EReadError (German, naming the file) when it cannot be read.
void LoadProgramFile(const std::string& fileName, std::vector<uint8_t>& program);
// Replaces the file safely by the 32768 bytes. EWriteError when it cannot be written.
void SaveProgramFile(const std::string& fileName, const std::vector<uint8_t>& program);

class TListingRun {
 public:
  TListingRun(TZYNComm& comm, const TBusSerialSettings& settings);

  // Before every block of a read: bytes done, bytes in all, the block's address.
  std::function<void(uint32_t done, uint32_t total, uint32_t address)> OnReadProgress;

  // Reads the program area of the control module into program (32768 bytes; unread blocks
  // stay zero).
  TListingResult Read(int adresse, std::vector<uint8_t>& program);
  // Writes the program back into the control module and switches it on.
  TListingResult WriteBack(int adresse, const std::vector<uint8_t>& program);

 private:
  bool Open(int adresse);
  void Close();

  TZYNComm& fComm;
  TBusSerialSettings fSettings;
};

}  // namespace zyn
