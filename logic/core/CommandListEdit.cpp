#include "logic/core/CommandListEdit.h"

#include "logic/core/LogicText.h"
#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace zyn {

namespace {

std::string Named(const char* format, const std::string& utf8File) {
  return FormatText(ModelTranslate(format), {Utf8ToAnsi(utf8File)});
}

// An initialisation file as sections of keys, in the order they appear.
struct TIniText {
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;  // key, value; other lines kept as key
  };
  std::vector<TSection> Sections;  // the first has no name: lines before any section

  void Parse(const std::string& text) {
    Sections.push_back({});
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(at, end - at);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      at = end + 1;
      const std::string trimmed = Trim(line);
      if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
        Sections.push_back({trimmed.substr(1, trimmed.size() - 2), {}});
        continue;
      }
      const size_t eq = line.find('=');
      if (eq == std::string::npos || trimmed.empty() || trimmed[0] == ';')
        Sections.back().Keys.push_back({line, std::string(1, '\0')});  // kept as it stands
      else
        Sections.back().Keys.push_back({Trim(line.substr(0, eq)), line.substr(eq + 1)});
    }
  }

  static bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
  }

  void Write(const std::string& section, const std::string& key, const std::string& value) {
    auto s = std::find_if(Sections.begin() + 1, Sections.end(),
                          [&](const TSection& x) { return SameName(x.Name, section); });
    if (s == Sections.end()) {
      Sections.push_back({section, {}});
      s = Sections.end() - 1;
    }
    for (auto& [k, v] : s->Keys)
      if (SameName(k, key) && v != std::string(1, '\0')) {
        v = value;
        return;
      }
    s->Keys.push_back({key, value});
  }

  std::string Text() const {
    std::string out;
    for (size_t i = 0; i < Sections.size(); ++i) {
      if (i > 0) out += "[" + Sections[i].Name + "]\r\n";
      for (const auto& [k, v] : Sections[i].Keys) out += (v == std::string(1, '\0') ? k : k + "=" + v) + "\r\n";
    }
    return out;
  }
};

// An initialisation value stays on its line.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
  return out;
}

}  // namespace

bool TCommandListDocument::Open(const std::string& chosenName, std::string& error) {
  std::string name = chosenName;
  if (!FileExists(name)) {
    const std::string xml = ChangeFileExt(chosenName, ".xml");
    const std::string folder = ExtractFilePath(xml);
    name = FindFileNoCase(folder, xml.substr(folder.size()));
  }
  auto fresh = std::make_unique<TEAFunktionsContainer>();
  bool ok = false;
  try {
    // The whole file must be a command-list collection: its element opened and closed.
    std::ifstream in(name, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const std::string element = fresh->GetElementName();
    ok = !name.empty() && text.find("<" + element) != std::string::npos &&
         text.find("</" + element + ">") != std::string::npos && fresh->TXMLCollection::LoadFromFile(name);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) {
    error = Named("Die Funktionslisten aus \"%s\" konnten nicht gelesen werden.", name.empty() ? chosenName : name);
    return false;
  }
  fContainer = std::move(fresh);
  fFileName = name;
  return true;
}

bool TCommandListDocument::SaveAs(const std::string& fileName, std::string& error) {
  if (!fContainer || fileName.empty()) {
    error = ModelTranslate("Es ist keine Funktionsliste geöffnet.");
    return false;
  }
  try {
    fContainer->TXMLCollection::SaveToFile(fileName);
  } catch (const std::exception& e) {
    error = Named("Die Funktionslisten konnten nicht in \"%s\" gespeichert werden.", fileName) + "\r" + e.what();
    return false;
  }
  fFileName = fileName;
  return true;
}

TEAFunctionList* TCommandListDocument::NewList() {
  if (!fContainer) return nullptr;
  TEAFunctionList* list = fContainer->Add();
  list->ListName = ModelTranslate("neue Liste");
  list->ListInternalName = "INTERNAL_NAME";
  list->ListNumber = 0;
  list->Remarks.clear();
  return list;
}

TEABaseFunction* TCommandListDocument::NewCommand(TEAFunctionList& list) {
  TEABaseFunction* command = list.AddFunction();
  command->DisplayName = ModelTranslate("neue Funktion");
  command->Command = -1;
  command->Dialog = -1;
  command->BusParam = 0;
  return command;
}

TEAFunctionList* TCommandListDocument::ListOf(const TEABaseFunction* command) const {
  if (!fContainer || !command) return nullptr;
  for (int i = 0; i < fContainer->Count(); ++i) {
    TEAFunctionList* list = fContainer->GetList(i);
    if (list->Functions->IndexOf(command) >= 0) return list;
  }
  return nullptr;
}

bool TCommandListDocument::DeleteList(TEAFunctionList* list) {
  const int index = fContainer && list ? fContainer->IndexOf(list) : -1;
  if (index < 0) return false;
  fContainer->Delete(index);
  return true;
}

bool TCommandListDocument::DeleteCommand(TEABaseFunction* command) {
  TEAFunctionList* list = ListOf(command);
  if (!list) return false;
  list->Functions->Delete(list->Functions->IndexOf(command));
  return true;
}

TEAFunctionList* TCommandListDocument::ImportList(const std::string& fileName, std::string& error) {
  if (!fContainer) {
    error = ModelTranslate("Es ist keine Funktionsliste geöffnet.");
    return nullptr;
  }
  TEAFunctionList read;
  if (!read.LoadFromFile(fileName)) {
    error = Named("Die Funktionsliste aus \"%s\" konnte nicht gelesen werden.", fileName);
    return nullptr;
  }
  TEAFunctionList* list = fContainer->Add();
  list->CopyFrom(read);
  return list;
}

bool TCommandListDocument::ExportList(const TEAFunctionList& list, const std::string& fileName, std::string& error) {
  if (list.SaveToFile(fileName)) return true;
  error = Named("Die Funktionsliste konnte nicht in \"%s\" gespeichert werden.", fileName);
  return false;
}

bool TCommandListDocument::ExportNameList(const std::string& iniFileName, std::string& error) const {
  if (!fContainer) {
    error = ModelTranslate("Es ist keine Funktionsliste geöffnet.");
    return false;
  }
  TIniText ini;
  if (FileExists(iniFileName)) {
    std::ifstream in(iniFileName, std::ios::binary);
    ini.Parse(std::string(std::istreambuf_iterator<char>(in), {}));
  } else {
    ini.Parse({});
  }
  for (int l = 0; l < fContainer->Count(); ++l) {
    const TEAFunctionList& list = *fContainer->GetList(l);
    for (int c = 0; c < list.Count(); ++c) {
      const TEABaseFunction& f = *list.GetFunction(c);
      ini.Write(f.InternalName, "DEU_TEXT", OneLine(f.DisplayName));
      ini.Write(f.InternalName, "DEU_FUNC", OneLine(f.GermanFunc));
      ini.Write(f.InternalName, "DEU_OLD", OneLine(f.OldName));
      ini.Write(f.InternalName, "DEU_HINT", OneLine(f.FunctionHint));
    }
  }
  try {
    WriteFileAtomic(iniFileName, ini.Text());
  } catch (const std::exception& e) {
    error = Named("Die Namensliste konnte nicht in \"%s\" gespeichert werden.", iniFileName) + "\r" + e.what();
    return false;
  }
  return true;
}

std::string FieldText(const std::string& text) { return text.substr(0, 255); }

int SpinShown(long long value, int minimum, int maximum) {
  return static_cast<int>(std::clamp<long long>(value, minimum, maximum));
}

int SpinValue(const std::string& text, int minimum, int maximum) {
  const std::string t = Trim(text);
  long long v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return minimum;
  return SpinShown(v, minimum, maximum);
}

}  // namespace zyn
