#include "visu/VisuPage.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <algorithm>

namespace zyn {

namespace {

// Calls edit(props, prefix) for every binding to (s, modul) in the property list: a pair
// "<prefix>Steuermodul" and "<prefix>Modul" of integers (prefix "" in collection items,
// "VisuData.", "Telegram.", "EinIndex.", ... in controls), also inside collections. An item of a
// collection for which edit answers true is removed. Returns the number of bindings found.
using TBindingEdit = std::function<bool(std::vector<TPropertyRecord>& props, const std::string& prefix)>;

int EditBindings(std::vector<TPropertyRecord>& props, int32_t s, int32_t modul, const TBindingEdit& edit,
                 bool* dropItem) {
  static const std::string kS = "Steuermodul";
  int found = 0;
  std::vector<std::string> prefixes;
  for (auto& p : props) {
    if (p.Value.Type() == TValueType::vaCollection) {
      auto& items = p.Value.Items();
      for (auto it = items.begin(); it != items.end();) {
        bool drop = false;
        found += EditBindings(it->Properties, s, modul, edit, &drop);
        it = drop ? items.erase(it) : it + 1;
      }
      continue;
    }
    if (p.Name.size() < kS.size() || p.Name.compare(p.Name.size() - kS.size(), kS.size(), kS) != 0) continue;
    std::string prefix = p.Name.substr(0, p.Name.size() - kS.size());
    if (!prefix.empty() && prefix.back() != '.') continue;
    if (!p.Value.IsInteger() || p.Value.AsInt64() != s) continue;
    const TPropertyRecord* m = FindProperty(props, prefix + "Modul");
    if (m == nullptr || !m->Value.IsInteger() || m->Value.AsInt64() != modul) continue;
    prefixes.push_back(std::move(prefix));
  }
  // Edited afterwards: an edit may add properties to the list.
  for (const std::string& prefix : prefixes) {
    ++found;
    if (edit(props, prefix) && dropItem != nullptr) *dropItem = true;
  }
  return found;
}

// The property holding the text that names the binding: a telegram's is the control's hint.
std::string HintOf(const std::string& prefix) { return prefix == "Telegram." ? "Hint" : prefix + "Hint"; }

bool StartsWithText(const std::string& s, std::string_view head) { return s.compare(0, head.size(), head) == 0; }

// A channel control as its record holds it.
class TRecordChannel : public IDispatchConnector {
 public:
  explicit TRecordChannel(const TComponentRecord& rec) : fData(nullptr, TKanalArt::kaAusgang) {
    for (const TPropertyRecord& p : rec.Properties) {
      if (!StartsWithText(p.Name, "VisuData.")) continue;
      try {
        fData.ReadProperty(std::string_view(p.Name).substr(9), p.Value);
      } catch (const EReadError&) {
        // A value of the wrong kind binds nothing; the rest of the binding is read.
      }
    }
  }
  void GetBinding(int32_t& s, int32_t& m, int32_t& k, TKanalArt& kind, std::string& name) override {
    s = fData.Steuermodul, m = fData.Modul, k = fData.Kanal, kind = fData.KanalArt, name = fData.Hint;
  }
  void SetBinding(int32_t s, int32_t m, int32_t k, TKanalArt kind, const std::string& name) override {
    fData.Steuermodul = s, fData.Modul = m, fData.Kanal = k, fData.KanalArt = kind, fData.Hint = name;
  }

 private:
  TVisuData fData;
};

// An index control as its record holds it: index 0 "EinIndex", index 1 "AusIndex".
class TRecordIndexControl : public IIndexTeleHandler {
 public:
  explicit TRecordIndexControl(const TComponentRecord& rec) {
    for (const TPropertyRecord& p : rec.Properties) {
      const int i = StartsWithText(p.Name, "EinIndex.") ? 0 : StartsWithText(p.Name, "AusIndex.") ? 1 : -1;
      if (i < 0) continue;
      try {
        fInfo[i].ReadProperty(std::string_view(p.Name).substr(9), p.Value);
      } catch (const EReadError&) {
        // As for a channel control.
      }
    }
  }
  int32_t GetCommand(int i) override { return Valid(i) ? fInfo[i].Command : -1; }
  std::string GetCommandName(int i) override { return Valid(i) ? fInfo[i].CommandName : std::string(); }
  int32_t GetIndex(int i) override { return Valid(i) ? fInfo[i].Index : -1; }
  int32_t GetIndexCount() override { return 2; }
  void GetIndexBinding(int i, int32_t& s, int32_t& m, int32_t& k, int32_t& shift, TKanalArt& kind) override {
    if (!Valid(i)) return;
    s = fInfo[i].Steuermodul, m = fInfo[i].Modul, k = fInfo[i].Kanal, shift = fInfo[i].Shift, kind = fInfo[i].KanalArt;
  }
  TIndexInfo* GetIndexInfo(int i) override { return Valid(i) ? &fInfo[i] : nullptr; }
  void HandleIndex(int32_t) override {}
  bool IsKindAllowed(int i, TKanalArt kind) override { return Valid(i) && (fInfo[i].AllowedType & KanalArtBit(kind)); }
  void SetCommand(int i, int32_t command, const std::string& name) override {
    if (Valid(i)) fInfo[i].Command = command, fInfo[i].CommandName = name;
  }
  void SetIndex(int i, int32_t index) override {
    if (Valid(i)) fInfo[i].Index = index;
  }
  void SetIndexBinding(int i, int32_t s, int32_t m, int32_t k, int32_t shift, TKanalArt kind) override {
    if (Valid(i)) fInfo[i].Steuermodul = s, fInfo[i].Modul = m, fInfo[i].Kanal = k, fInfo[i].Shift = shift,
                  fInfo[i].KanalArt = kind;
  }

 private:
  static bool Valid(int i) { return i == 0 || i == 1; }
  TIndexInfo fInfo[2];
};

bool HasPropertyStarting(const TComponentRecord& rec, std::string_view head) {
  return std::any_of(rec.Properties.begin(), rec.Properties.end(),
                     [&](const TPropertyRecord& p) { return StartsWithText(p.Name, head); });
}

void VisitRecord(const TComponentRecord& rec, const TIndexTeleVisitor& index, const TDispatchVisitor& channel) {
  if (index && (HasPropertyStarting(rec, "EinIndex.") || HasPropertyStarting(rec, "AusIndex."))) {
    TRecordIndexControl control(rec);
    index(control);
  }
  if (channel && HasPropertyStarting(rec, "VisuData.")) {
    TRecordChannel control(rec);
    channel(control);
  }
  for (const TComponentRecord& child : rec.Children) VisitRecord(child, index, channel);
}

int EditRecordTree(TComponentRecord& rec, const std::function<int(TComponentRecord&)>& edit) {
  int changed = edit(rec);
  for (auto& child : rec.Children) changed += EditRecordTree(child, edit);
  return changed;
}

[[noreturn]] void BadResource() { throw EReadError(Ansi("Ungültiges Stream-Format")); }

}  // namespace

TVisuPage::TVisuPage() { fRecord.ClassName = kClassName; }
TVisuPage::TVisuPage(TComponentRecord record) : fRecord(std::move(record)) {}
TVisuPage::~TVisuPage() = default;

std::string TVisuPage::DisplayName() const {
  const TPropertyRecord* p = fRecord.FindProperty("DisplayName");
  if (p == nullptr) return {};
  try {
    return p->Value.AsString();
  } catch (const EReadError&) {
    return {};
  }
}

TComponentRecord TVisuPage::MakeRecord() const { return fRecord; }

void TVisuPage::SetRecord(TComponentRecord record) { fRecord = std::move(record); }

int TVisuPage::EditControlRecords(const TRecordEdit& edit) {
  // The page's own properties are not bindings; its controls are its children.
  int changed = 0;
  for (auto& child : fRecord.Children) changed += EditRecordTree(child, edit);
  return changed;
}

int TVisuPage::ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul,
                                   const std::string& modulKennung) {
  if (oldModul == newModul) return 0;
  const auto move = [&](std::vector<TPropertyRecord>& props, const std::string& prefix) {
    SetProperty(props, prefix + "Modul", TFilerValue::Integer(newModul));
    TPropertyRecord* hint = FindProperty(props, HintOf(prefix));
    if (hint == nullptr || modulKennung.empty()) return false;
    try {
      hint->Value =
          TFilerValue::String(RenumberBindingName(hint->Value.AsString(), modulKennung, oldModul % 32, newModul % 32));
    } catch (const EReadError&) {
      // Not a text: nothing names the binding.
    }
    return false;
  };
  return EditControlRecords([&](TComponentRecord& rec) {
    return EditBindings(rec.Properties, steuermodul, oldModul, move, nullptr);
  });
}

int TVisuPage::ModuleDeleted(int32_t steuermodul, int32_t modul) {
  const auto unbind = [&](std::vector<TPropertyRecord>& props, const std::string& prefix) {
    if (prefix.empty()) return true;  // a summary control's channel goes
    // Emptied rather than left out: a live control reads back only what the record holds.
    SetProperty(props, HintOf(prefix), TFilerValue::String(""));
    if (prefix == "Telegram.") {
      SetProperty(props, prefix + "TeleType", TFilerValue::Ident(EnumName(TTeleType::vtNone)));
      return false;
    }
    SetProperty(props, prefix + "Steuermodul", TFilerValue::Integer(-1));
    if (FindProperty(props, prefix + "Command") != nullptr) {  // an index info
      SetProperty(props, prefix + "Modul", TFilerValue::Integer(-1));
      SetProperty(props, prefix + "Command", TFilerValue::Integer(-1));
      SetProperty(props, prefix + "CommandName", TFilerValue::String(""));
    }
    return false;
  };
  return EditControlRecords(
      [&](TComponentRecord& rec) { return EditBindings(rec.Properties, steuermodul, modul, unbind, nullptr); });
}

void TVisuPage::VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const {
  const TComponentRecord rec = MakeRecord();
  for (const TComponentRecord& child : rec.Children) VisitRecord(child, index, channel);
}

std::string RenumberBindingName(const std::string& name, const std::string& modulKennung, int32_t oldAddress,
                                int32_t newAddress) {
  const auto twoDigits = [](int32_t v) {
    std::string t = std::to_string(v);
    return t.size() < 2 ? "0" + t : t;
  };
  const size_t lineEnd = std::min(name.find('\r'), name.find('\n'));
  const std::string from = "." + modulKennung + "." + twoDigits(oldAddress) + ".";
  const size_t at = name.find(from);
  if (modulKennung.empty() || at == std::string::npos || (lineEnd != std::string::npos && at > lineEnd)) return name;
  std::string result = name;
  result.replace(at, from.size(), "." + modulKennung + "." + twoDigits(newAddress) + ".");
  return result;
}

std::vector<uint8_t> TVisuPage::ResourceBytes(const TComponentRecord& root, std::string_view name) {
  TMemoryStream body;
  {
    TWriter writer(body);
    root.WriteRoot(writer);
  }
  std::vector<uint8_t> out{0xFF, 10, 0};
  for (char c : name.substr(0, 63)) {
    out.push_back(static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
  }
  out.push_back(0);
  out.push_back(0x30);
  out.push_back(0x10);
  const uint32_t size = static_cast<uint32_t>(body.Bytes().size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(size >> (8 * i)));
  out.insert(out.end(), body.Bytes().begin(), body.Bytes().end());
  return out;
}

TComponentRecord TVisuPage::RecordFromResource(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 10 || bytes[2] != 0) BadResource();
  size_t at = 3;
  while (at < bytes.size() && bytes[at] != 0) ++at;
  at += 1 + 2;  // the zero byte and the flags
  if (at + 4 > bytes.size()) BadResource();
  const uint32_t size = uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                        uint32_t(bytes[at + 3]) << 24;
  at += 4;
  if (size > bytes.size() - at) BadResource();
  TMemoryStream body(std::vector<uint8_t>(bytes.begin() + long(at), bytes.begin() + long(at + size)));
  TReader reader(body);
  TComponentRecord rec;
  rec.ReadRoot(reader);
  return rec;
}

void TVisuPage::SaveToFile(const std::string& fileName) const {
  const std::vector<uint8_t> bytes = ResourceBytes(MakeRecord(), kClassName);
  WriteFileAtomic(fileName, bytes.data(), bytes.size());
}

void TVisuPage::LoadFromFile(const std::string& fileName) { SetRecord(RecordFromResource(ReadFileBytes(fileName))); }

}  // namespace zyn
