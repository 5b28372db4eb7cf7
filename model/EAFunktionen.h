#pragma once
// The command lists: named lists of the commands that inputs, outputs, clocks, flags, groups and
// display texts send or receive. Kept in "EAFUNCS.XML" (XML collection form) or in the filer form
// with the identifier "ZYNEAFUNCS".

#include "model/base/XMLCollection.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zyn {

class TReader;
class TWriter;

// One command.
class TEABaseFunction : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  int32_t Command = -1;  // 16-bit in the files
  int32_t BusParam = 0;
  int32_t Dialog = -1;  // above 0: the command has parameters
  std::string DisplayName;
  std::string InternalName;
  std::string OldName;
  std::string GermanFunc;
  std::string FunctionHint;
  std::string ParaText;

  void CopyFrom(const TEABaseFunction& source);
  // Filer form: InternalName, OldName, DisplayName, FunctionHint, ParaText, Command, Dialog,
  // BusParam.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

class TEAFunctionCollection : public TXMLCollectionOf<TEABaseFunction> {
 public:
  TEAFunctionCollection() : TXMLCollectionOf<TEABaseFunction>("TEAFunctionCollection") {}
};

// One named command list.
class TEAFunctionList : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  TEAFunctionList();

  std::string ListName;
  std::string ListInternalName;
  int32_t ListNumber = 0;
  std::string Remarks;
  std::unique_ptr<TEAFunctionCollection> Functions;

  int Count() const { return Functions->Count(); }
  TEABaseFunction* GetFunction(int index) const { return Functions->Items(index); }
  TEABaseFunction* AddFunction() { return Functions->Add(); }

  // First match or nullptr; the texts are compared upper-cased (ASCII letters).
  TEABaseFunction* FindByInternalName(std::string_view name) const;
  TEABaseFunction* FindByDisplayName(std::string_view name) const;
  TEABaseFunction* FindByGermanFunc(std::string_view name) const;
  // The stored OldName is compared with its accented e and a letters made plain.
  TEABaseFunction* FindByOldName(std::string_view name) const;
  TEABaseFunction* FindByCommand(int32_t command) const;
  int IndexOfFunction(std::string_view name) const;
  TEABaseFunction* GetFunctionByName(std::string_view name) const;

  void CopyFrom(const TEAFunctionList& source);
  // Filer form of one list: ListNumber, ListName, Remarks, list begin, commands, list end. A
  // command that fails to read is skipped and reading goes on with the next value.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  // One list in its filer form, no identifier; false when the file could not be read or written.
  bool LoadFromFile(const std::string& fileName);
  bool SaveToFile(const std::string& fileName) const;
};

// All command lists.
class TEAFunktionsContainer : public TXMLCollectionOf<TEAFunctionList> {
 public:
  TEAFunktionsContainer();

  TEAFunctionList* GetList(int index) const { return Items(index); }
  int IndexOfList(std::string_view name) const;
  TEAFunctionList* FindList(std::string_view name) const;

  // xml: the XML collection form (the name's extension is replaced by ".xml" for loading, matched
  // without regard to case); otherwise the filer form. The XML load replaces all lists, the filer
  // load adds to them. Raises EReadError with the German message on a wrong identifier or an
  // unreadable file; the lists stay as they were then.
  void LoadFromFile(const std::string& fileName, bool xml);
  void SaveToFile(const std::string& fileName, bool xml) const;
  // The plain XML collection forms stay reachable with one argument.
  using TXMLCollection::LoadFromFile;
  using TXMLCollection::SaveToFile;

  void ReadFiler(TReader& reader);
  void WriteFiler(TWriter& writer) const;
  void CopyFrom(const TEAFunktionsContainer& source);
};

// Path of the file of that name in the folder, matched without regard to case when no file of
// exactly that name exists; empty when none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

}  // namespace zyn
