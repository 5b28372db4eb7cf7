#pragma once
// A connection node ("slot") of a tool: which kind of project object it takes, how the page edits
// it, and the variables and dialog behind it; and the tool's owning list of nodes.

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
class TVariable;
class TVarList;
class TParamDlg;
class TDlgList;
class IToolLookup;

enum TNodeTypeCode : int16_t {
  ntUnknown = 0,
  ntEingang = 1,
  ntAusgang = 2,
  ntMerker = 3,
  ntUhr = 4,
  ntParameter = 5,
  ntFunction = 6,
  ntObject = 7,
};

enum TNodeEditCode : int16_t { edNone = 0, edDragDrop = 1, edDialog = 2, edGetFunctionCode = 3, edGetLogicState = 4 };

constexpr int32_t flSingle = 1;
constexpr int32_t flReserve = 2;

class TFuncNode {
 public:
  static constexpr size_t kReservedSize = 256;

  int16_t NodeType = ntUnknown;
  TVariable* NodeDefault = nullptr;  // the four references point into the tool's own lists
  TVariable* NodeAccept = nullptr;
  TParamDlg* NodeDlg = nullptr;
  int16_t NodeEdit = edNone;
  int32_t NodeFlags = 0;
  std::string NodeText;  // 255, key of the node list
  TVariable* NodeVar = nullptr;
  int16_t NodeParamType = 0;
  std::array<uint8_t, kReservedSize> NodeReserved{};

  std::string GetTypeName() const;

  // Whether the project object may be dropped on this node.
  bool AcceptsObject(const TToolObject& object, const IToolLookup& lookup) const;

  void CopyFrom(const TFuncNode& source, const TVarList& variables, const TDlgList& dialogs);

  void LoadFromRaw(TRawToolReader& reader, const TVarList& variables, const TDlgList& dialogs);
  void SaveToRaw(TStream& stream) const;
  void ReadData(TReader& reader, const TVarList& variables, const TDlgList& dialogs);
  void WriteData(TWriter& writer) const;

 private:
  bool AcceptsChannel(const TModul* modul, const std::string& channelName, const IToolLookup& lookup) const;
};

class TFuncNodeList {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TFuncNode* Get(int index) const;  // nullptr past the end
  TFuncNode* Find(std::string_view nodeText) const;
  TFuncNode* Add(std::unique_ptr<TFuncNode> node);
  std::unique_ptr<TFuncNode> Extract(int index);  // nullptr out of range
  // The node at `from` moves to position `to`; false when either is out of range.
  bool Move(int from, int to);
  int IndexOf(const TFuncNode* node) const;
  void Clear() { fItems.clear(); }
  void CopyFrom(const TFuncNodeList& source, const TVarList& variables, const TDlgList& dialogs);
  void ForgetVariable(const TVariable* variable);
  void ForgetDialog(const TParamDlg* dlg);

 private:
  std::vector<std::unique_ptr<TFuncNode>> fItems;
};

}  // namespace zyn
