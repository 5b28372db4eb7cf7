#pragma once
// Expected images written as tables of bytes, and an independent checksum check in python3.

#include "compiler/Bindata.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace zyn::test {

struct TExpected {
  std::vector<uint8_t> Bytes = std::vector<uint8_t>(32768, 0xFF);

  void Put(size_t at, std::initializer_list<int> bytes) {
    for (int b : bytes) Bytes.at(at++) = static_cast<uint8_t>(b);
  }
  void Word(size_t at, int word) { Put(at, {(word >> 8) & 0xFF, word & 0xFF}); }
  void Fill(size_t at, size_t count, uint8_t value) {
    for (size_t i = 0; i < count; ++i) Bytes.at(at + i) = value;
  }
  void Chars(size_t at, const std::string& text) {
    for (unsigned char c : text) Bytes.at(at++) = c;
  }

  // Everything from the power-on area on, at the offsets given (computed by hand for each
  // image), with the header words that point there. GUID "GUID-0001", title "ZYN".
  void Tail(size_t por, size_t menu, size_t classBlock, size_t guid, size_t title, size_t length) {
    const size_t porWords[6] = {14, 16, 18, 48, 50, 52};
    for (int b = 0; b < 6; ++b) Word(porWords[b], static_cast<int>(0x4000 + por + 0x100 * b));
    // Power-on area: blocks 0..5; block 1 zero for keys 0..31, block 2 zero, block 4 zero
    // for keys 0..31, block 5 zero.
    Fill(por, 1536, 0xFF);
    Fill(por + 256, 32, 0);
    Fill(por + 512, 256, 0);
    Fill(por + 1024, 32, 0);
    Fill(por + 1280, 256, 0);
    Word(24, static_cast<int>(0x4000 + menu));
    const char* menuTexts[] = {"MoDiMiDoFrSaSo",   "1 Zeit stellen  ", "2 Schaltuhren   ", "3 Diagnose      ",
                               "Ende            ", "Zeit    Mo 00:00", "Datum   00.00.00", "   keine Uhr!   ",
                               "keine Schaltuhr ", "   definiert!   ", "Timer  Ein 00:00", "000    Aus 00:00",
                               "Timer MoDiMiDoFr", "000   Ein   SaSo", "000   Aus   SaSo"};
    size_t at = menu;
    for (const char* text : menuTexts) {
      Chars(at, text);
      at += std::string(text).size();
      Bytes.at(at++) = 0;
    }
    Word(32, static_cast<int>(0x4000 + classBlock));
    Fill(classBlock, 128, 0);
    Word(34, static_cast<int>(0x4000 + guid));
    Chars(guid, "GUID-0001");
    Chars(title, "ZYN");
    Word(0, static_cast<int>(length));
    Word(6, static_cast<int>(0x4000 + length));
  }
};

// Compares every byte but the checksum word; lists the first differences.
inline void ExpectImage(const TBinData& image, const TExpected& expected) {
  int shown = 0;
  for (size_t i = 0; i < expected.Bytes.size(); ++i) {
    if (i == 2 || i == 3) continue;
    if (image.Bytes()[i] != expected.Bytes[i] && shown++ < 12) {
      ADD_FAILURE() << "offset " << i << ": got 0x" << std::hex << int(image.Bytes()[i]) << ", expected 0x"
                    << int(expected.Bytes[i]);
    }
  }
}

// CRC-16/X-25 of the first count bytes, computed by python3 bit by bit.
inline int PythonX25(const std::vector<uint8_t>& bytes, size_t count) {
  const TempFolder folder("crc");
  const std::string file = folder.File("image.bin");
  WriteWholeFile(file, std::string(bytes.begin(), bytes.end()));
  const std::string script =
      "import sys\n"
      "d = open(sys.argv[1], 'rb').read()[:int(sys.argv[2])]\n"
      "crc = 0xFFFF\n"
      "for b in d:\n"
      "    crc ^= b\n"
      "    for _ in range(8):\n"
      "        crc = (crc >> 1) ^ 0x8408 if crc & 1 else crc >> 1\n"
      "print(crc ^ 0xFFFF)\n";
  const std::string scriptFile = folder.File("x25.py");
  WriteWholeFile(scriptFile, script);
  const std::string command = "python3 '" + scriptFile + "' '" + file + "' " + std::to_string(count);
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  int value = -1;
  if (fscanf(pipe, "%d", &value) != 1) value = -1;
  pclose(pipe);
  return value;
}

// The checksum in the header equals python's X-25 over bytes 0..L of the image as it was when
// the checksum was taken: the checksum word and the DCF77 word 0xFFFF, and the words that the
// cross-reference pass changed afterwards put back (patches: offset, value before).
inline void ExpectChecksum(const TBinData& image, std::initializer_list<std::pair<size_t, int>> patches = {}) {
  std::vector<uint8_t> view(image.Bytes(), image.Bytes() + 32768);
  view[2] = view[3] = 0xFF;
  view[30] = view[31] = 0xFF;
  for (const auto& [offset, word] : patches) {
    view.at(offset) = static_cast<uint8_t>(word >> 8);
    view.at(offset + 1) = static_cast<uint8_t>(word & 0xFF);
  }
  const size_t length = (image.Bytes()[0] << 8) | image.Bytes()[1];
  const int header = (image.Bytes()[2] << 8) | image.Bytes()[3];
  EXPECT_EQ(PythonX25(view, length + 1), header);
  EXPECT_EQ(image.ImageChecksum(), static_cast<uint32_t>(header));
}

}  // namespace zyn::test
