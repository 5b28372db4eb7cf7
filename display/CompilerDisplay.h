#pragma once
// The display compiler: turns a display with its screens, objects, keys and state-text pairs
// into the byte program the panel's firmware interprets, loaded at 0x8000. All numbers in the
// image are 16-bit big-endian.

#include "display/TempDaten.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TBasis;
class TBildschirm;
class TBildschirmList;
class TButtonListe;
class TDisplayObjekt;
class TFunktButton;
class TGrafik;
class TZustandVar;

// The panel's character code of a Windows-1252 character.
uint8_t MapDisplayChar(uint8_t c);

class TDispCompiler {
 public:
  static constexpr int BaseAddress = 0x8000;
  static constexpr int Limit = 0xFEB0;  // the image ends at or before this address
  static constexpr int HeaderSize = 76;

  TDisplayObjekt* Display = nullptr;

  // Compiles Display into its Speicher, PrgLaenge and Startadresse. On failure the image is
  // all zero, PrgLaenge is 0 and LastError() holds the German reason.
  bool CompileDisplay();
  const std::string& LastError() const { return fLastError; }
  int ImageLength() const { return fImageLength; }

 private:
  struct TSortEntry {
    int Stm, Modul, Kanal;
    TZustandVar* Var;
  };
  struct TCompGrafData {
    int Count;
    int Address;
    std::vector<uint8_t> Bytes;
  };

  void Reset();
  void Byte(int value);
  void Word(int value);
  int Placeholder();  // FF FF; returns its address
  void Patch(int address, int value);
  void TextRecord(int col, int row, const std::string& text);

  void WriteHeader();
  void WriteStartup();
  void WriteStateTexts();
  void WriteStateRecords(const TBildschirmList& screens);
  void WriteLookupTree();
  void WriteTelegramBlocks();
  void WriteScreen(TBildschirm& screen);
  void WriteObject(TBasis& object);
  void WriteKeyBar(TButtonListe& keys);
  void BindKeys(TButtonListe& keys);
  void WriteNavigationBlock(TBasis& cur, TBasis& other, bool toPrev);
  void WriteFunctionRecords(TBildschirm& screen);
  void WriteJump(const std::string& target);
  void WriteGraphics();
  void ApplyFixups();

  int HighlightWidth(const TBasis& object) const;

  std::vector<uint8_t> fBuffer;
  int fPos = BaseAddress;
  int fImageLength = 0;
  int fRecordCount = 0;
  int fSection1 = 0;
  int fSection4 = 0;
  int fStartScreenPos = 0;
  std::string fLastError;
  std::vector<TSortEntry> fSortList;
  std::vector<TGrafik*> fGraphicList;
  std::vector<TCompGrafData> fCompiledGraphics;
  TTabListe fTabList;
};

}  // namespace zyn
