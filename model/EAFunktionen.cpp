#include "model/EAFunktionen.h"

#include "model/base/Cp1252.h"
#include "model/base/Filer.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

#include <dirent.h>

namespace zyn {

namespace {

int32_t Int16Value(int32_t value) { return static_cast<int16_t>(value); }

// Former names written with French accents: é è ê É È Ê become e/E, à À become a/A.
std::string PlainAccents(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
      case 0xE9:
      case 0xE8:
      case 0xEA:
        c = 'e';
        break;
      case 0xC9:
      case 0xC8:
      case 0xCA:
        c = 'E';
        break;
      case 0xE0:
        c = 'a';
        break;
      case 0xC0:
        c = 'A';
        break;
      default:
        break;
    }
  }
  return out;
}

const std::string kFilerIdent = "ZYNEAFUNCS";

}  // namespace

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  const std::string dir = folder.empty() ? std::string("./") : IncludeTrailingPathDelimiter(folder);
  if (FileExists(dir + name)) return dir + name;
  std::string found;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      if (SameText(e->d_name, name) && FileExists(dir + e->d_name)) {
        found = dir + e->d_name;
        break;
      }
    }
    closedir(d);
  }
  return found;
}

// ---------------------------------------------------------------------------------------------
// TEABaseFunction

const TXMLItemClass& TEABaseFunction::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TEABaseFunction>("TEABaseFunction")
                                       .Integer("BusParam", &TEABaseFunction::BusParam)
                                       .Integer("Command", &TEABaseFunction::Command)
                                       .Integer("Dialog", &TEABaseFunction::Dialog)
                                       .Text("DisplayName", &TEABaseFunction::DisplayName)
                                       .Text("FunctionHint", &TEABaseFunction::FunctionHint)
                                       .Text("GermanFunc", &TEABaseFunction::GermanFunc)
                                       .Text("InternalName", &TEABaseFunction::InternalName)
                                       .Text("OldName", &TEABaseFunction::OldName)
                                       .Text("ParaText", &TEABaseFunction::ParaText)
                                       .Build();
  return cls;
}

void TEABaseFunction::CopyFrom(const TEABaseFunction& s) {
  Command = s.Command;
  BusParam = s.BusParam;
  Dialog = s.Dialog;
  DisplayName = s.DisplayName;
  InternalName = s.InternalName;
  OldName = s.OldName;
  GermanFunc = s.GermanFunc;
  FunctionHint = s.FunctionHint;
  ParaText = s.ParaText;
}

void TEABaseFunction::ReadData(TReader& reader) {
  InternalName = ShortText(reader.ReadString());
  OldName = ShortText(reader.ReadString());
  DisplayName = ShortText(reader.ReadString());
  FunctionHint = reader.ReadString();
  ParaText = reader.ReadString();
  Command = Int16Value(reader.ReadInteger());
  Dialog = Int16Value(reader.ReadInteger());
  BusParam = Int16Value(reader.ReadInteger());
}

void TEABaseFunction::WriteData(TWriter& writer) const {
  writer.WriteString(InternalName);
  writer.WriteString(OldName);
  writer.WriteString(DisplayName);
  writer.WriteString(FunctionHint);
  writer.WriteString(ParaText);
  writer.WriteInteger(Int16Value(Command));
  writer.WriteInteger(Int16Value(Dialog));
  writer.WriteInteger(Int16Value(BusParam));
}

// ---------------------------------------------------------------------------------------------
// TEAFunctionList

const TXMLItemClass& TEAFunctionList::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TEAFunctionList>("TEAFunctionList")
                                       .Collection("Functions", &TEAFunctionList::Functions)
                                       .Text("ListInternalName", &TEAFunctionList::ListInternalName)
                                       .Text("ListName", &TEAFunctionList::ListName)
                                       .Integer("ListNumber", &TEAFunctionList::ListNumber)
                                       .Text("Remarks", &TEAFunctionList::Remarks)
                                       .Build();
  return cls;
}

TEAFunctionList::TEAFunctionList() : Functions(std::make_unique<TEAFunctionCollection>()) {}

TEABaseFunction* TEAFunctionList::FindByInternalName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetFunction(i)->InternalName, name)) return GetFunction(i);
  return nullptr;
}

TEABaseFunction* TEAFunctionList::FindByDisplayName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetFunction(i)->DisplayName, name)) return GetFunction(i);
  return nullptr;
}

TEABaseFunction* TEAFunctionList::FindByGermanFunc(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetFunction(i)->GermanFunc, name)) return GetFunction(i);
  return nullptr;
}

TEABaseFunction* TEAFunctionList::FindByOldName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(PlainAccents(GetFunction(i)->OldName), name)) return GetFunction(i);
  return nullptr;
}

TEABaseFunction* TEAFunctionList::FindByCommand(int32_t command) const {
  for (int i = 0; i < Count(); ++i)
    if (GetFunction(i)->Command == command) return GetFunction(i);
  return nullptr;
}

int TEAFunctionList::IndexOfFunction(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetFunction(i)->InternalName, name)) return i;
  return -1;
}

TEABaseFunction* TEAFunctionList::GetFunctionByName(std::string_view name) const {
  return GetFunction(IndexOfFunction(name));
}

void TEAFunctionList::CopyFrom(const TEAFunctionList& s) {
  ListName = s.ListName;
  ListInternalName = s.ListInternalName;
  ListNumber = s.ListNumber;
  Remarks = s.Remarks;
  Functions->Clear();
  for (int i = 0; i < s.Count(); ++i) AddFunction()->CopyFrom(*s.GetFunction(i));
}

void TEAFunctionList::ReadData(TReader& reader) {
  ListNumber = reader.ReadInteger();
  ListName = ShortText(reader.ReadString());
  Remarks = reader.ReadString();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    TEABaseFunction* f = AddFunction();
    try {
      f->ReadData(reader);
    } catch (const EReadError&) {
      // A damaged command is dropped; reading resumes at the next value.
      Functions->Delete(Count() - 1);
      reader.SkipValue();
    }
  }
  reader.ReadListEnd();
}

void TEAFunctionList::WriteData(TWriter& writer) const {
  writer.WriteInteger(ListNumber);
  writer.WriteString(ListName);
  writer.WriteString(Remarks);
  writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) GetFunction(i)->WriteData(writer);
  writer.WriteListEnd();
}

bool TEAFunctionList::LoadFromFile(const std::string& fileName) {
  try {
    TEAFunctionList fresh;
    LoadFilerFile(fresh, fileName);
    CopyFrom(fresh);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TEAFunctionList::SaveToFile(const std::string& fileName) const {
  try {
    SaveFilerFile(*this, fileName);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// TEAFunktionsContainer

TEAFunktionsContainer::TEAFunktionsContainer() : TXMLCollectionOf<TEAFunctionList>("TEAFunktionsContainer") {}

int TEAFunktionsContainer::IndexOfList(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(GetList(i)->ListName, name)) return i;
  return -1;
}

TEAFunctionList* TEAFunktionsContainer::FindList(std::string_view name) const { return GetList(IndexOfList(name)); }

void TEAFunktionsContainer::CopyFrom(const TEAFunktionsContainer& source) {
  Clear();
  for (int i = 0; i < source.Count(); ++i) Add()->CopyFrom(*source.GetList(i));
}

void TEAFunktionsContainer::ReadFiler(TReader& reader) {
  if (ReadHeadIdent(reader) != kFilerIdent) throw EReadError(Ansi("Die Datei enthält keine Funktionslisten"));
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    TEAFunctionList* list = Add();
    try {
      list->ReadData(reader);
    } catch (const EReadError&) {
      // A list that fails part-way keeps what it read; reading resumes at the next value.
      reader.SkipValue();
    }
  }
  reader.ReadListEnd();
}

void TEAFunktionsContainer::WriteFiler(TWriter& writer) const {
  writer.WriteIdent(kFilerIdent);
  writer.WriteListBegin();
  for (int i = 0; i < Count(); ++i) GetList(i)->WriteData(writer);
  writer.WriteListEnd();
}

void TEAFunktionsContainer::LoadFromFile(const std::string& fileName, bool xml) {
  if (xml) {
    const std::string wanted = ChangeFileExt(fileName, ".xml");
    const std::string slash = ExtractFilePath(wanted);
    const std::string path = FindFileNoCase(slash, wanted.substr(slash.size()));
    if (path.empty() || !TXMLCollection::LoadFromFile(path))
      throw EReadError(Ansi("Die Datei \"") + wanted + Ansi("\" konnte nicht gelesen werden."));
    return;
  }
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  TReader reader(stream, 1024);
  // Read into a scratch container so that a wrong identifier leaves the lists as they were.
  TEAFunktionsContainer read;
  try {
    read.ReadFiler(reader);
  } catch (const EReadError&) {
    if (read.Count() == 0) throw;
  }
  for (int i = 0; i < read.Count(); ++i) Add()->CopyFrom(*read.GetList(i));
}

void TEAFunktionsContainer::SaveToFile(const std::string& fileName, bool xml) const {
  if (xml) {
    TXMLCollection::SaveToFile(fileName);
    return;
  }
  TMemoryStream stream;
  {
    TWriter writer(stream, 1024);
    WriteFiler(writer);
  }
  stream.SaveToFile(fileName);
}

}  // namespace zyn
