#include "compiler/ImageBuffers.h"

#include "compiler/CompileError.h"
#include "model/base/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace zyn {

TImageBuffer::TImageBuffer(std::string name, size_t capacity, uint8_t fill, size_t limit)
    : fName(std::move(name)), fBytes(capacity, fill), fFill(fill), fLimit(std::min(limit, capacity)) {}

void TImageBuffer::Reset() {
  std::fill(fBytes.begin(), fBytes.end(), fFill);
  fLength = 0;
  fRelocations.clear();
}

void TImageBuffer::Reserve(size_t count) {
  if (count > fLimit || fLength > fLimit - count) {
    throw ECompileError(Ansi("Das Programm passt nicht in den Speicher des Steuermoduls: der Bereich \"") + fName +
                        Ansi("\" ist voll."));
  }
}

void TImageBuffer::SetLength(size_t length) {
  if (length > fLimit) Reserve(length - fLength);
  fLength = length;
}

void TImageBuffer::AppendByte(uint8_t value) {
  Reserve(1);
  fBytes[fLength++] = value;
}

void TImageBuffer::AppendBytes(const uint8_t* data, size_t count) {
  Reserve(count);
  if (count > 0) std::memcpy(fBytes.data() + fLength, data, count);
  fLength += count;
}

void TImageBuffer::AppendWordBE(uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
  AppendBytes(bytes, 2);
}

void TImageBuffer::AppendText(const std::string& text) {
  AppendChars(text);
  AppendByte(0);
}

void TImageBuffer::AppendChars(const std::string& text) {
  AppendBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void TImageBuffer::AppendAddress(size_t position, TRelocBase base, int stm) {
  Reserve(2);
  Record(fLength, base, stm);
  AppendWordBE(static_cast<uint16_t>(kModuleBase + position));
}

void TImageBuffer::WriteByte(size_t position, uint8_t value) { fBytes.at(position) = value; }

void TImageBuffer::WriteWordBE(size_t position, uint16_t value) {
  fBytes.at(position) = static_cast<uint8_t>(value >> 8);
  fBytes.at(position + 1) = static_cast<uint8_t>(value & 0xFF);
}

uint16_t TImageBuffer::WordBE(size_t position) const {
  return static_cast<uint16_t>((fBytes.at(position) << 8) | fBytes.at(position + 1));
}

void TImageBuffer::AddToWordBE(size_t position, uint16_t value) {
  WriteWordBE(position, static_cast<uint16_t>(WordBE(position) + value));
}

void TImageBuffer::Align() { SetLength(AlignLength(fLength)); }

uint16_t TImageBuffer::NextAddress() const { return static_cast<uint16_t>(kModuleBase + fLength); }

// --- the image ---

TVerbLinkBuffer::TVerbLinkBuffer() : TImageBuffer(Ansi("Programmspeicher"), kImageSize, 0xFF, kImageContentLimit) {
  TVerbLinkBuffer::Reset();
}

void TVerbLinkBuffer::Reset() {
  TImageBuffer::Reset();
  SetLength(kHeaderSize);
  ChainPos = 4;
  ImageChecksum = 0;
}

void TVerbLinkBuffer::AppendLinkEntry(uint8_t event, size_t eventListPosition) {
  Reserve(3);
  AppendByte(event);
  AppendAddress(eventListPosition, TRelocBase::Events);
}

void TVerbLinkBuffer::CopyInto(size_t position, const uint8_t* data, size_t count) {
  if (position > Length() || count > Length() - position) {
    throw ECompileError(Ansi("Interner Fehler beim Erzeugen des Programms: Bereich außerhalb des Speichers."));
  }
  if (count > 0) std::memcpy(Bytes().data() + position, data, count);
}

TTelegrammBuffer::TTelegrammBuffer(std::string name) : TImageBuffer(std::move(name), kImageSize, 0xFF, kImageSize) {}

TTextBuffer::TTextBuffer() : TImageBuffer(Ansi("Anzeigetexte"), kImageSize, 0x00, kImageSize) {}

void TTextBuffer::AppendTextRecord(const std::string& text) {
  int count = 0;
  for (unsigned char c : text) {
    uint8_t code = c;
    switch (c) {
      case 0xC5:
        code = 6;
        break;  // Å
      case 0xC6:
        code = 5;
        break;  // Æ
      case 0xD8:
        code = 4;
        break;  // Ø
      case 0xE5:
        code = 3;
        break;  // å
      case 0xE6:
        code = 2;
        break;  // æ
      case 0xF8:
        code = 1;
        break;  // ø
      case 0xFD:
        code = 7;
        break;  // ý
      default:
        break;
    }
    AppendByte(code);
    if (++count % 16 == 0) AppendByte(0);
  }
}

TUlinkBuffer::TUlinkBuffer() : TImageBuffer(Ansi("Uhrentabelle"), kImageSize, 0xFF, kImageSize) {}

// --- power-on area ---

TPorBuffer::TPorBuffer() : TImageBuffer(Ansi("Einschaltzustände"), kPorSize, 0xFF, kPorSize) { TPorBuffer::Reset(); }

void TPorBuffer::Reset() {
  TImageBuffer::Reset();
  std::vector<uint8_t>& b = Bytes();
  std::fill(b.begin() + 256, b.begin() + 288, 0);
  std::fill(b.begin() + 512, b.begin() + 768, 0);
  std::fill(b.begin() + 1024, b.begin() + 1056, 0);
  std::fill(b.begin() + 1280, b.begin() + 1536, 0);
  SetLength(kPorSize);
}

size_t TPorBuffer::ByteIndex(int basisKlasse, int adresse, int channel, int block) {
  if (basisKlasse < 0 || basisKlasse > 7 || adresse < 0 || adresse > 31 || channel < 0 || channel > 15) {
    throw ECompileError(Ansi("Der Ausgang ") + std::to_string(channel) + Ansi(" des Moduls mit der Adresse ") +
                        std::to_string(adresse) + Ansi(" (Basisklasse ") + std::to_string(basisKlasse) +
                        Ansi(") liegt außerhalb der Einschalttabelle des Steuermoduls."));
  }
  const int key = basisKlasse * 32 + adresse;
  return static_cast<size_t>((channel < 8 ? block : block + 3) * 256 + key);
}

void TPorBuffer::SetBit(size_t index, int channel, bool on) {
  const uint8_t bit = static_cast<uint8_t>(1u << (channel & 7));
  uint8_t& byte = Bytes()[index];
  byte = on ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
}

void TPorBuffer::SetPORState(int basisKlasse, int adresse, int porStatus, int channel) {
  if (porStatus != 0 && porStatus != 1 && porStatus != 2) return;  // reserved channel and the like
  const size_t first = ByteIndex(basisKlasse, adresse, channel, 0);
  const size_t second = ByteIndex(basisKlasse, adresse, channel, 1);
  SetBit(first, channel, porStatus != 1);
  SetBit(second, channel, porStatus == 0);
}

void TPorBuffer::SetOutputUsed(int basisKlasse, int adresse, int channel) {
  SetBit(ByteIndex(basisKlasse, adresse, channel, 2), channel, true);
}

TMClassBuffer::TMClassBuffer() : TImageBuffer("Modulklassen", kClassBlockSize, 0x00, kClassBlockSize) {
  TMClassBuffer::Reset();
}

}  // namespace zyn
