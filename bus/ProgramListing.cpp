#include "bus/ProgramListing.h"

#include "bus/TransferRun.h"
#include "bus/ZYNComm.h"
#include "compiler/ImageBuffers.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <cstdio>

namespace zyn {

std::string ListingResultText(TListingResult result) {
  const char* text = "";
  switch (result) {
    case TListingResult::Done:
      return {};
    case TListingResult::NoModule:
      text = "Das Steuermodul konnte nicht angesprochen werden!";
      break;
    case TListingResult::Incomplete:
      text = "Das Steuermodulprogramm konnte nicht vollständig ausgelesen werden.";
      break;
    case TListingResult::InvalidImage:
      text =
          "Die Datei enthält kein gültiges Steuermodulprogramm: Länge und Ende im Programmkopf passen nicht zusammen.";
      break;
    case TListingResult::WriteFailed:
      text = "Das Steuermodulprogramm konnte nicht übertragen werden. Das Steuermodul bleibt abgeschaltet.";
      break;
    case TListingResult::VerifyFailed:
      text =
          "Das Programm im Steuermodul stimmt nicht mit dem übertragenen überein. Das Steuermodul bleibt abgeschaltet.";
      break;
    case TListingResult::SwitchOnFailed:
      text = "Das Steuermodul hat das Einschalten nicht bestätigt.";
      break;
  }
  return TranslateText(Ansi(text));
}

std::optional<uint32_t> ImageLengthOf(const std::vector<uint8_t>& program) {
  if (program.size() < kProgramAreaSize) return std::nullopt;
  const uint32_t length = program[0] * 256u + program[1];
  if (length < kHeaderSize || length > kImageContentLimit) return std::nullopt;
  // The end word of the header (offset 6) is the module address behind the contents.
  const uint32_t end = program[6] * 256u + program[7];
  if (end != kModuleBase + length) return std::nullopt;
  return length;
}

void LoadProgramFile(const std::string& fileName, std::vector<uint8_t>& program) {
  program.resize(kProgramAreaSize);
  TFileReadStream file(fileName);
  std::vector<uint8_t> bytes(kProgramAreaSize);
  size_t count = 0;
  while (count < bytes.size()) {
    const size_t n = file.Read(bytes.data() + count, bytes.size() - count);
    if (n == 0) break;
    count += n;
  }
  std::copy_n(bytes.begin(), count, program.begin());
}

void SaveProgramFile(const std::string& fileName, const std::vector<uint8_t>& program) {
  std::vector<uint8_t> bytes(program.begin(), program.begin() + std::min<size_t>(program.size(), kProgramAreaSize));
  bytes.resize(kProgramAreaSize, 0);
  WriteFileAtomic(fileName, bytes.data(), bytes.size());
}

TListingRun::TListingRun(TZYNComm& comm, const TBusSerialSettings& settings) : fComm(comm), fSettings(settings) {}

bool TListingRun::Open(int adresse) {
  fComm.ApplySerialSettings(fSettings);
  fComm.SetA_Steuermodul(static_cast<uint8_t>(adresse));
  fComm.OpenLink();
  return fComm.GetModuleStatus();
}

void TListingRun::Close() { fComm.CloseLink(); }

TListingResult TListingRun::Read(int adresse, std::vector<uint8_t>& program) {
  program.assign(kProgramAreaSize, 0);
  struct TClose {
    TListingRun& run;
    ~TClose() { run.Close(); }
  } close{*this};
  if (!Open(adresse)) return TListingResult::NoModule;
  // Block by block, so that a block that is not answered leaves zeros and the others still come.
  const uint32_t block = fComm.A_ReadSize();
  bool complete = true;
  for (uint32_t offset = 0; offset < kProgramAreaSize; offset += block) {
    const uint32_t count = std::min(block, kProgramAreaSize - offset);
    if (OnReadProgress) OnReadProgress(offset, kProgramAreaSize, kProgramAreaAddress + offset);
    if (!fComm.ReadModuleMemory(program.data() + offset, kProgramAreaAddress + offset, count)) {
      std::fill_n(program.begin() + offset, count, 0);
      complete = false;
      if (fComm.Cancel()) break;
    }
  }
  if (OnReadProgress) OnReadProgress(kProgramAreaSize, kProgramAreaSize, kProgramAreaAddress + kProgramAreaSize);
  return complete ? TListingResult::Done : TListingResult::Incomplete;
}

TListingResult TListingRun::WriteBack(int adresse, const std::vector<uint8_t>& program) {
  const std::optional<uint32_t> length = ImageLengthOf(program);
  if (!length) return TListingResult::InvalidImage;
  struct TClose {
    TListingRun& run;
    ~TClose() { run.Close(); }
  } close{*this};
  if (!Open(adresse)) return TListingResult::NoModule;
  fComm.EnterServiceMode();
  const uint32_t count = *length + 1;
  if (!fComm.WriteModuleMemory(program.data(), kProgramAreaAddress, count, 0)) return TListingResult::WriteFailed;
  if (VerifyModuleMemory(fComm, program.data(), kProgramAreaAddress, count) != TVerifyResult::Equal)
    return TListingResult::VerifyFailed;
  if (!SwitchOnByFirmware(fComm)) return TListingResult::SwitchOnFailed;
  fComm.SendPowerOnRelease();
  return TListingResult::Done;
}

}  // namespace zyn
