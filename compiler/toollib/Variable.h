#pragma once
// A tool variable: the objects assigned to a slot, a numeric parameter or a blind-motor parameter
// block, with its unit, limits and multiplier; and the tool's owning list of variables.

#include "compiler/toollib/Real48.h"
#include "compiler/toollib/ShortString.h"
#include "compiler/toollib/ToolObject.h"

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
class TZYNSubFunction;
class TZYNFunction;

// Type codes of tool variables.
enum TVarTypeCode : int16_t {
  vtUnknown = 0,
  vtClassList = 1,
  vtByte = 2,
  vtWord = 3,
  vtLongInt = 4,
  vtTimeMin = 5,
  vtTimeSek = 6,
  vtTimeSek10 = 7,
  vtRollade = 9,
  vtEingang = 17,
  vtAusgang = 18,
  vtMerker = 21,
  vtUhr = 22,
  vtFunction = 23,
  vtObject = 24,
  vtRueckmeldung = 25,
};

// One entry of a variable's list: the stored text and the object it stands for. Entries of a
// sub-tool list (type 23) own their sub-tool.
class TVarEntry {
 public:
  TVarEntry();
  TVarEntry(std::string text, TToolObject object);
  ~TVarEntry();
  TVarEntry(TVarEntry&&) noexcept;
  TVarEntry& operator=(TVarEntry&&) noexcept;

  std::string Text;
  TToolObject Object;

  TZYNSubFunction* SubFunction() const { return fOwned.get(); }
  // Takes the sub-tool and makes it the entry's object.
  void SetSubFunction(std::unique_ptr<TZYNSubFunction> sub);

 private:
  std::unique_ptr<TZYNSubFunction> fOwned;
};

class TVariable {
 public:
  static constexpr size_t kNameMax = 255;
  static constexpr size_t kChannelBlockSize = 232;

  TVariable();
  ~TVariable();
  TVariable(const TVariable&) = delete;
  TVariable& operator=(const TVariable&) = delete;

  std::string VarName;
  TShortString<30> Einheit;
  int16_t Repeats = -1;
  std::array<uint8_t, 4> Reserved1{};  // four single bytes before the first block
  std::array<uint8_t, 8> ReservedBlock1{};
  std::array<uint8_t, 4> Reserved2{};  // the third is a Boolean in the project stream
  std::array<uint8_t, 8> ReservedBlock2{};
  TReal48 MaxValue = TReal48::FromValue(65535);
  TReal48 MinValue = TReal48::FromValue(1);
  TReal48 Multiplier;                                     // 0
  std::array<uint8_t, kChannelBlockSize> ChannelBlock{};  // bytes 0..15 AllowedChannels
  uint16_t Value = 0;
  std::array<uint8_t, 10> RolladenValue{};

  int16_t VarType() const { return fVarType; }
  // Sets the type; list types get an (empty) list.
  void SetVarType(int16_t type);
  // Whether the variable carries an entry list (list types, and type 1 once read or copied).
  bool HasList() const { return fHasList; }
  static bool IsListType(int16_t type);

  std::vector<TVarEntry>& Objects() { return fObjects; }
  const std::vector<TVarEntry>& Objects() const { return fObjects; }
  int Count() const { return static_cast<int>(fObjects.size()); }
  int IndexOf(std::string_view text) const;
  int IndexOfObject(const TToolObject& object) const;
  // A plain entry.
  void Add(std::string text, TToolObject object = {});
  // An object-list entry: the kind number, "%" and the text, with the object (kind by the first
  // match of group 5, module 4, clock 3, flag 2, output 1, input 0; else -1).
  void AddObject(const std::string& text, TToolObject object);
  void Delete(int index);

  bool AllowsChannel(int channel) const;  // AllowedChannels byte 0 (channels 0..15)
  std::string GetEinheit() const { return Einheit.Text(); }
  long double GetMinValue() const { return MinValue.Value(); }
  long double GetMaxValue() const { return MaxValue.Value(); }
  long double GetMultiplier() const { return Multiplier.Value(); }
  std::string GetTypeName() const;
  std::string GetValueText() const;
  void SetValueText(const std::string& text);

  // Name, type, repeats, unit, the three reals, the channel block and the value or a copy of the
  // entries (sub-tools are copied); the reserved single bytes and 8-byte blocks are not copied.
  void CopyFrom(const TVariable& source);

  // Raw library form and project-stream form.
  void LoadFromRaw(TRawToolReader& reader);
  void SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const;
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  int16_t fVarType = vtUnknown;
  bool fHasList = false;
  std::vector<TVarEntry> fObjects;
};

// The variables of a tool; owns them.
class TVarList {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TVariable* Get(int index) const;               // nullptr out of range
  TVariable* Find(std::string_view name) const;  // exact name
  int IndexOfName(std::string_view name) const;  // exact, -1 when none
  int IndexOf(const TVariable* variable) const;
  TVariable* Add(std::unique_ptr<TVariable> variable);
  std::unique_ptr<TVariable> Extract(int index);
  void Clear() { fItems.clear(); }
  // Appends copies.
  void CopyFrom(const TVarList& source);

 private:
  std::vector<std::unique_ptr<TVariable>> fItems;
};

}  // namespace zyn
