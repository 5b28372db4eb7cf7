#pragma once
// The compiled image of one control module: 32768 bytes written to module address 0x4000, and
// the work buffers from which it is laid out. Header words and addresses are big-endian.
//
// Layout: 64-byte header; link table; event lists; logic area; display texts; clock table;
// power-on area (1536 bytes); menu texts; module-class block; project GUID; program title.
// Every section starts on a multiple of 16. The contents end at module offset 32000 at the latest, where
// the project-information block lies.

#include "compiler/ImageBuffers.h"

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TStream;

// Header word offsets.
constexpr size_t kHdrLength = 0;
constexpr size_t kHdrChecksum = 2;
constexpr size_t kHdrModuleChain = 4;
constexpr size_t kHdrEnd = 6;
constexpr size_t kHdrClockTable = 8;
constexpr size_t kHdrMenuTexts = 24;
constexpr size_t kHdrDcf77Mask = 30;
constexpr size_t kHdrClassBlock = 32;
constexpr size_t kHdrIdentity = 34;
constexpr std::array<size_t, 6> kHdrPorBlocks = {14, 16, 18, 48, 50, 52};

class TBinData;
// The images of one compile run by control-module address; nullptr where the project has none.
using TStmImages = std::array<TBinData*, 4>;

class TBinData {
 public:
  explicit TBinData(int stmNummer = 0);
  TBinData(const TBinData&) = delete;
  TBinData& operator=(const TBinData&) = delete;

  int StmNummer() const { return fStmNummer; }

  TVerbLinkBuffer Image;
  TTelegrammBuffer EventArea;
  TTelegrammBuffer LogicArea;
  TTextBuffer Texts;
  TUlinkBuffer Clocks;
  TPorBuffer PorArea;
  TMClassBuffer ClassBlock;

  // Every buffer back to its start state, the power-on area included.
  void Reset();
  // Lays the sections out behind the header, moves the recorded addresses, fills the header
  // and stamps the checksum. Fails when the contents would reach beyond module offset 32000.
  void FinalizeImage(const std::string& projektGuid, const std::string& programTitle);
  // After every image of the run is finalised: the jumps into other control modules and the
  // continuations into flag lists (both outside the checksum).
  void ResolveCrossReferences(const TStmImages& images);
  void SetDcf77Mask(uint16_t mask) { Image.WriteWordBE(kHdrDcf77Mask, mask); }

  size_t ImageLength() const { return Image.Length(); }
  uint32_t ImageChecksum() const { return Image.ImageChecksum; }
  // The 32768 bytes of the image.
  const uint8_t* Bytes() const { return Image.Data(); }
  void WriteToStream(TStream& stream) const;

  // The fixed menu texts of the control module's own display.
  static const std::array<const char*, 14>& MenuTexts();

 private:
  void CheckLayout(const std::string& guid, const std::string& title) const;
  void AppendArea(TImageBuffer& area);
  void ImageCrc();

  int fStmNummer;
};

}  // namespace zyn
