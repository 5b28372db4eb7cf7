#pragma once
// A parameter dialog of a tool: what the page asks the installer for a parameter slot, and the
// variables that receive the value and hold its default; and the tool's owning list of dialogs.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TStream;
class TRawToolReader;
class TVariable;
class TVarList;

enum TDlgDataType : int32_t {
  dlgByte = 1,
  dlgWord = 2,
  dlgLong = 4,
  dlgString = 8,
  dlgTimeMin = 16,
  dlgTimeSek = 32,
  dlgTimeSek10 = 64,
  dlgTimeAngle = 128,
  dlgByteList = 256,
  dlgWordList = 512,
  dlgStringList = 1024,
  dlgTimeList = 2048,
  dlgWinkelTime = 4096,
  dlgRolladen1 = 8192,
  dlgRolladen2 = 8448,
  dlgRolladen3 = 8704,
  dlgRolladen4 = 8960,
};

class TParamDlg {
 public:
  static constexpr size_t kReservedSize = 256;

  std::string DlgName;  // 50, key within the tool
  int16_t DlgType = 0;
  std::string DlgTitle;    // 50
  std::string DlgText;     // 255
  std::string DlgMask;     // 50
  std::string DlgEinheit;  // 50
  int16_t DlgMultiplier = 0;
  std::array<uint8_t, kReservedSize> DlgReserved{};
  TVariable* DlgVar = nullptr;      // in the tool's own variable list, not owned
  TVariable* DlgDefault = nullptr;  // in the tool's own variable list, not owned

  std::string GetDataTypeName() const;

  // Copies the fields; the variable references are bound by name in `variables`.
  void CopyFrom(const TParamDlg& source, const TVarList& variables);

  void LoadFromRaw(TRawToolReader& reader, const TVarList& variables);
  void SaveToRaw(TStream& stream) const;
  void ReadData(TReader& reader, const TVarList& variables);
  void WriteData(TWriter& writer) const;
};

class TDlgList {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TParamDlg* Get(int index) const;
  TParamDlg* Find(std::string_view name) const;
  int IndexOfName(std::string_view name) const;
  TParamDlg* Add(std::unique_ptr<TParamDlg> dlg);
  std::unique_ptr<TParamDlg> Extract(int index);  // nullptr out of range
  bool Move(int from, int to);
  int IndexOf(const TParamDlg* dlg) const;
  void Clear() { fItems.clear(); }
  // Appends copies bound to `variables`.
  void CopyFrom(const TDlgList& source, const TVarList& variables);
  // Clears every reference to the variable.
  void ForgetVariable(const TVariable* variable);

 private:
  std::vector<std::unique_ptr<TParamDlg>> fItems;
};

// Name of a referenced variable, empty when none.
std::string VarNameOf(const TVariable* variable);

}  // namespace zyn
