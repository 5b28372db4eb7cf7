#include "compiler/Bindata.h"

#include "compiler/CompileError.h"
#include "compiler/ImageCrc.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"

namespace zyn {

namespace {

const char* const kDayNames = "MoDiMiDoFrSaSo";
constexpr size_t kMenuTextBytes = 15 + 14 * 17;  // 253

}  // namespace

const std::array<const char*, 14>& TBinData::MenuTexts() {
  static const std::array<const char*, 14> kTexts = {
      "1 Zeit stellen  ", "2 Schaltuhren   ", "3 Diagnose      ", "Ende            ", "Zeit    Mo 00:00",
      "Datum   00.00.00", "   keine Uhr!   ", "keine Schaltuhr ", "   definiert!   ", "Timer  Ein 00:00",
      "000    Aus 00:00", "Timer MoDiMiDoFr", "000   Ein   SaSo", "000   Aus   SaSo"};
  return kTexts;
}

TBinData::TBinData(int stmNummer)
    : EventArea(Ansi("Ereignislisten")), LogicArea(Ansi("Logikbereich")), fStmNummer(stmNummer) {}

void TBinData::Reset() {
  Image.Reset();
  EventArea.Reset();
  LogicArea.Reset();
  Texts.Reset();
  Clocks.Reset();
  PorArea.Reset();
  ClassBlock.Reset();
}

void TBinData::CheckLayout(const std::string& guid, const std::string& title) const {
  size_t p = Image.Length() + EventArea.Length() + LogicArea.Length() + Texts.Length() + Clocks.Length() + kPorSize;
  p = AlignLength(p + kMenuTextBytes);
  p = AlignLength(p + kClassBlockSize);
  p = AlignLength(p + guid.size());
  p = AlignLength(p + title.size());
  if (p > kImageContentLimit) {
    throw ECompileError(Ansi("Das Programm für Steuermodul ") + std::to_string(fStmNummer) + Ansi(" ist zu groß: ") +
                        std::to_string(p) + Ansi(" Bytes, erlaubt sind ") + std::to_string(kImageContentLimit) +
                        Ansi(" Bytes."));
  }
}

void TBinData::AppendArea(TImageBuffer& area) { Image.AppendBytes(area.Data(), area.Length()); }

void TBinData::FinalizeImage(const std::string& projektGuid, const std::string& programTitle) {
  const bool hasClocks = Clocks.Length() > 0 && Clocks.At(0) != 0;
  Image.Align();
  EventArea.Align();
  LogicArea.Align();
  Clocks.Align();
  Texts.Align();
  CheckLayout(projektGuid, programTitle);

  const uint16_t n = static_cast<uint16_t>(Image.Length());
  const uint16_t c = static_cast<uint16_t>(n + EventArea.Length());
  const uint16_t d = static_cast<uint16_t>(c + LogicArea.Length());
  const uint16_t e = static_cast<uint16_t>(d + Texts.Length());
  const auto baseOf = [&](TRelocBase base) -> uint16_t {
    switch (base) {
      case TRelocBase::Events:
        return n;
      case TRelocBase::Logic:
        return c;
      case TRelocBase::Texts:
        return d;
      default:
        return 0;
    }
  };

  if (hasClocks) {
    Image.WriteWordBE(kHdrClockTable, static_cast<uint16_t>(kModuleBase + e));
    for (const TRelocation& r : Clocks.Relocations()) Clocks.AddToWordBE(r.Offset, n);
  }
  for (const TRelocation& r : Image.Relocations()) Image.AddToWordBE(r.Offset, n);
  // The event lists' continuations into flag lists and jumps into other control modules are
  // moved by ResolveCrossReferences, after the checksum.
  for (const TRelocation& r : EventArea.Relocations()) {
    if (r.Base == TRelocBase::Logic || r.Base == TRelocBase::Texts) EventArea.AddToWordBE(r.Offset, baseOf(r.Base));
  }
  for (const TRelocation& r : LogicArea.Relocations()) {
    if (r.Base != TRelocBase::OtherEvents) LogicArea.AddToWordBE(r.Offset, baseOf(r.Base));
  }

  EventArea.ImageOffset = Image.Length();
  AppendArea(EventArea);
  LogicArea.ImageOffset = Image.Length();
  AppendArea(LogicArea);
  AppendArea(Texts);
  AppendArea(Clocks);

  for (size_t b = 0; b < kHdrPorBlocks.size(); ++b) {
    Image.WriteWordBE(kHdrPorBlocks[b], static_cast<uint16_t>(kModuleBase + Image.Length() + b * 0x100));
  }
  AppendArea(PorArea);

  Image.WriteWordBE(kHdrMenuTexts, Image.NextAddress());
  Image.AppendText(kDayNames);
  for (const char* text : MenuTexts()) Image.AppendText(text);
  Image.Align();

  Image.WriteWordBE(kHdrClassBlock, Image.NextAddress());
  Image.AppendBytes(ClassBlock.Data(), kClassBlockSize);
  Image.Align();

  Image.WriteWordBE(kHdrIdentity, Image.NextAddress());
  Image.AppendChars(projektGuid);
  Image.Align();
  Image.AppendChars(programTitle);
  Image.Align();

  Image.WriteWordBE(kHdrEnd, Image.NextAddress());
  Image.WriteWordBE(kHdrLength, static_cast<uint16_t>(Image.Length()));
  ImageCrc();
}

void TBinData::ImageCrc() {
  // Over the contents and the 0xFF that follows them.
  const uint16_t crc = ImageCrc16(Image.Data(), Image.Length() + 1);
  Image.WriteWordBE(kHdrChecksum, crc);
  Image.ImageChecksum = crc;
}

void TBinData::ResolveCrossReferences(const TStmImages& images) {
  for (const TRelocation& r : EventArea.Relocations()) {
    if (r.Base == TRelocBase::Events) {
      EventArea.AddToWordBE(r.Offset, static_cast<uint16_t>(EventArea.ImageOffset));
    } else if (r.Base == TRelocBase::OtherEvents) {
      const TBinData* other = (r.Stm >= 0 && r.Stm < 4) ? images[static_cast<size_t>(r.Stm)] : nullptr;
      if (other == nullptr) {
        throw ECompileError(Ansi("Das Steuermodul ") + std::to_string(r.Stm) +
                            Ansi(" ist im Projekt nicht vorhanden, wird aber von Verbindungen angesprungen."));
      }
      EventArea.AddToWordBE(r.Offset, static_cast<uint16_t>(other->EventArea.ImageOffset));
    }
  }
  Image.CopyInto(EventArea.ImageOffset, EventArea.Data(), EventArea.Length());
  Image.CopyInto(LogicArea.ImageOffset, LogicArea.Data(), LogicArea.Length());
}

void TBinData::WriteToStream(TStream& stream) const { stream.WriteBuffer(Image.Data(), kImageSize); }

}  // namespace zyn
