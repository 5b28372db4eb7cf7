#include "compiler/toollib/FunktionsListe.h"

#include "compiler/toollib/RawToolStream.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ToolLookup.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

#include <algorithm>
#include <initializer_list>

namespace zyn {

namespace {

int LeadingNumber(const std::string& s) {
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return -1;
  int v = 0;
  bool any = false;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 100000; ++i) {
    v = v * 10 + (s[i] - '0');
    any = true;
  }
  return any ? v : -1;
}

std::vector<std::string> SplitDots(const std::string& s) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = s.find('.', start);
    parts.push_back(s.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

// The object named by an import address text (already without kind prefix and suffix):
// word . control module . module code . module address . channel (or flag / clock number).
TToolObject FindByAddress(int kind, const std::string& address, const IToolLookup& lookup) {
  const std::vector<std::string> p = SplitDots(address);
  if (p.size() < 4) return {};
  const int stm = LeadingNumber(p[1]);
  const int last = LeadingNumber(p.back());
  if (kind == 2) {
    if (auto m = lookup.FindMerkerByAddress(stm, last)) return m;
    return {};
  }
  if (kind == 3) {
    if (auto u = lookup.FindUhrByAddress(stm, last)) return u;
    return {};
  }
  TModul* modul = lookup.FindModulByKennung(stm, p[2], LeadingNumber(p[3]));
  if (!modul) return {};
  if (kind == 4) return modul;
  if (p.size() < 5) return {};
  const int channel = LeadingNumber(p[4]);
  switch (kind) {
    case 0:
      if (auto e = modul->FindEingang(channel)) return e;
      if (auto r = modul->FindRueckmeldung(channel)) return r;
      return {};
    case 1:
      if (auto a = modul->FindAusgang(channel)) return a;
      return {};
    case 5:
      if (auto r = modul->FindRueckmeldung(channel)) return r;
      return {};
    default:
      return {};
  }
}

template <class Fn>
void ForEachVariable(const TZYNFunktionsListe& list, Fn fn) {
  for (int i = 0; i < list.Count(); ++i) {
    TZYNFunction* tool = list.GetFunction(i);
    for (int v = 0; v < tool->Variables.Count(); ++v) fn(*tool, *tool->Variables.Get(v));
  }
}

void RemoveFrom(const TZYNFunktionsListe& list, std::initializer_list<int16_t> types, const TToolObject& object) {
  if (IsNone(object)) return;
  ForEachVariable(list, [&](TZYNFunction&, TVariable& v) {
    if (std::find(types.begin(), types.end(), v.VarType()) == types.end()) return;
    for (int i = v.IndexOfObject(object); i >= 0; i = v.IndexOfObject(object)) v.Delete(i);
  });
}

}  // namespace

TZYNFunktionsListe::TZYNFunktionsListe() = default;
TZYNFunktionsListe::~TZYNFunktionsListe() = default;

TZYNFunction* TZYNFunktionsListe::GetFunction(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].Tool.get();
}

const std::string& TZYNFunktionsListe::Key(int index) const { return fItems.at(static_cast<size_t>(index)).Key; }

TZYNFunction* TZYNFunktionsListe::Add(const std::string& key, std::unique_ptr<TZYNFunction> tool) {
  fItems.push_back({key, std::move(tool)});
  return fItems.back().Tool.get();
}

void TZYNFunktionsListe::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  ForgetFunction(fItems[static_cast<size_t>(index)].Tool.get());
  fItems.erase(fItems.begin() + index);
}

int TZYNFunktionsListe::IndexOf(const TZYNFunction* tool) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].Tool.get() == tool) return static_cast<int>(i);
  return -1;
}

void TZYNFunktionsListe::Clear() { fItems.clear(); }

TZYNFunction* TZYNFunktionsListe::FindByInternalName(const std::string& internalName) const {
  for (const TEntry& e : fItems)
    if (e.Tool->InternalName == internalName) return e.Tool.get();
  return nullptr;
}

TZYNFunction* TZYNFunktionsListe::FindByName(const std::string& functionName) const {
  for (const TEntry& e : fItems)
    if (e.Tool->Info.FunctionName == functionName) return e.Tool.get();
  return nullptr;
}

// ---- raw form

bool TZYNFunktionsListe::LoadFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromStream(stream);
  return true;
}

void TZYNFunktionsListe::LoadFromStream(TStream& stream) {
  TRawToolReader reader(stream);
  const int n = reader.ReadCount(kEmptyToolRawSize, Ansi("den Tools der Bibliothek"));
  std::vector<TEntry> loaded;
  for (int i = 0; i < n; ++i) {
    auto tool = std::make_unique<TZYNFunction>();
    tool->LoadFromRaw(reader);
    std::string key = tool->Info.FunctionName;
    loaded.push_back({std::move(key), std::move(tool)});
  }
  for (TEntry& e : loaded) fItems.push_back(std::move(e));
}

bool TZYNFunktionsListe::SaveToFile(const std::string& fileName) const {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
  return true;
}

void TZYNFunktionsListe::SaveToStream(TStream& stream) const {
  WriteCount(stream, fItems.size(), Ansi("den Tools der Bibliothek"));
  for (const TEntry& e : fItems) e.Tool->SaveToStream(stream);
}

// ---- project stream

bool TZYNFunktionsListe::ReadData(TReader& reader, std::vector<std::string>* messages) {
  // A tool holds raw blocks whose length only its own reader knows, so a tool that fails to read
  // leaves the stream at an unknown place: it is reported by its name and the list ends there,
  // unread (false), so that nothing after it is taken from a stream that is out of step.
  try {
    reader.ReadListBegin();
  } catch (const EZYNError&) {
    return false;
  }
  while (true) {
    auto tool = std::make_unique<TZYNFunction>();
    try {
      if (reader.EndOfList()) break;
      tool->ReadData(reader);
    } catch (const EZYNError&) {
      if (messages) messages->push_back(Ansi("Defektes Tool entdeckt:") + " " + tool->Info.FunctionName);
      return false;
    }
    std::string key = tool->InternalName;
    fItems.push_back({std::move(key), std::move(tool)});
  }
  try {
    reader.ReadListEnd();
  } catch (const EZYNError&) {
    return false;
  }
  return true;
}

void TZYNFunktionsListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const TEntry& e : fItems) e.Tool->WriteData(writer);
  writer.WriteListEnd();
}

bool TZYNFunktionsListe::LoadFromOvrFile(const std::string& fileName, std::vector<std::string>* messages) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  TReader reader(stream);
  return ReadData(reader, messages);
}

void TZYNFunktionsListe::SaveToOvrFile(const std::string& fileName) const {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    WriteData(writer);
    writer.FlushBuffer();
  }
  stream.SaveToFile(fileName);
}

// ---- project objects

void TZYNFunktionsListe::CheckAfterLoad(const IToolLookup& lookup) {
  for (TEntry& e : fItems) e.Tool->CheckAfterLoad(lookup);
}

void TZYNFunktionsListe::RebindAfterImport(TUniqueNames& registry, const IToolLookup& lookup) {
  for (TEntry& e : fItems) e.Tool->InternalName = registry.NewName();
  ForEachVariable(*this, [&](TZYNFunction&, TVariable& v) {
    const int16_t type = v.VarType();
    if (type == vtFunction) {
      for (TVarEntry& entry : v.Objects()) {
        TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(entry.Object);
        TZYNFunction* tool = lookup.FindToolByName(entry.Text);
        if (sub && tool) sub->FunctionKey = tool->InternalName;
      }
      return;
    }
    if (type != vtEingang && type != vtAusgang && type != vtMerker && type != vtUhr && type != vtObject &&
        type != vtRueckmeldung) {
      return;
    }
    for (TVarEntry& entry : v.Objects()) {
      std::string text = entry.Text;
      std::string prefix;
      int kind = -1;
      const size_t pct = text.find('%');
      if (pct != std::string::npos) {
        prefix = text.substr(0, pct + 1);
        kind = LeadingNumber(text.substr(0, pct));
        if (text[0] == '-') kind = -1;
        text = text.substr(pct + 1);
      }
      std::string suffix;
      const size_t colon = text.find(':');
      if (colon != std::string::npos) {
        suffix = text.substr(colon);
        text = text.substr(0, colon);
      }
      switch (type) {
        case vtEingang:
          kind = 0;
          break;
        case vtAusgang:
          kind = 1;
          break;
        case vtMerker:
          kind = 2;
          break;
        case vtUhr:
          kind = 3;
          break;
        case vtRueckmeldung:
          kind = 5;
          break;
        default:
          break;
      }
      const TToolObject found = FindByAddress(kind, text, lookup);
      if (IsNone(found)) continue;
      entry.Object = found;
      entry.Text = (type == vtObject ? prefix : std::string()) + InternalNameOf(found) + suffix;
    }
  });
}

void TZYNFunktionsListe::RemoveObjectReferences(const TToolObject& object) { RemoveFrom(*this, {vtObject}, object); }

void TZYNFunktionsListe::RemoveMerkerReferences(TMerker* merker) {
  RemoveFrom(*this, {vtMerker, vtObject}, TToolObject(merker));
}

void TZYNFunktionsListe::RemoveUhrReferences(TUhr* uhr) { RemoveFrom(*this, {vtUhr, vtObject}, TToolObject(uhr)); }

void TZYNFunktionsListe::RemoveModulReferences(TModul* modul) {
  if (!modul) return;
  const std::initializer_list<int16_t> types = {vtEingang, vtAusgang, vtMerker, vtUhr, vtObject, vtRueckmeldung};
  for (int i = 0; i < modul->Eingaenge().Count(); ++i) RemoveFrom(*this, types, modul->Eingaenge().GetEingang(i));
  for (int i = 0; i < modul->Ausgaenge().Count(); ++i) RemoveFrom(*this, types, modul->Ausgaenge().GetAusgang(i));
  for (int i = 0; i < modul->Rueckmeldungen().Count(); ++i)
    RemoveFrom(*this, types, modul->Rueckmeldungen().GetRueckmeldung(i));
  RemoveFrom(*this, {vtObject}, TToolObject(modul));
}

void TZYNFunktionsListe::ForgetFunction(const TZYNFunction* tool) {
  if (!tool) return;
  ForEachVariable(*this, [&](TZYNFunction&, TVariable& v) {
    for (TVarEntry& entry : v.Objects()) {
      TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(entry.Object);
      if (sub && !sub->OwnsFunction() && sub->FunctionPtr() == tool) sub->SetFunction(nullptr);
    }
  });
}

}  // namespace zyn
