#include "visu/VisuPage.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

namespace zyn {

namespace {

int ChangeInProperties(std::vector<TPropertyRecord>& props, int32_t s, int32_t oldModul, int32_t newModul);

// A binding is a pair "<prefix>Steuermodul" and "<prefix>Modul" of integers in one property
// list (prefix "" in collection items, "VisuData.", "Telegram.", "EinIndex.", ... in controls).
int ChangeInProperties(std::vector<TPropertyRecord>& props, int32_t s, int32_t oldModul, int32_t newModul) {
  static const std::string kS = "Steuermodul";
  int changed = 0;
  for (auto& p : props) {
    if (p.Value.Type() == TValueType::vaCollection) {
      for (auto& item : p.Value.Items()) changed += ChangeInProperties(item.Properties, s, oldModul, newModul);
      continue;
    }
    if (p.Name.size() < kS.size() || p.Name.compare(p.Name.size() - kS.size(), kS.size(), kS) != 0) continue;
    const std::string prefix = p.Name.substr(0, p.Name.size() - kS.size());
    if (!prefix.empty() && prefix.back() != '.') continue;
    if (!p.Value.IsInteger() || p.Value.AsInt64() != s) continue;
    TPropertyRecord* modul = FindProperty(props, prefix + "Modul");
    if (modul == nullptr || !modul->Value.IsInteger() || modul->Value.AsInt64() != oldModul) continue;
    modul->Value = TFilerValue::Integer(newModul);
    ++changed;
  }
  return changed;
}

int ChangeInRecord(TComponentRecord& rec, int32_t s, int32_t oldModul, int32_t newModul) {
  int changed = ChangeInProperties(rec.Properties, s, oldModul, newModul);
  for (auto& child : rec.Children) changed += ChangeInRecord(child, s, oldModul, newModul);
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

int TVisuPage::ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul) {
  // The page's own properties are not bindings; its controls are its children.
  int changed = 0;
  for (auto& child : fRecord.Children) changed += ChangeInRecord(child, steuermodul, oldModul, newModul);
  return changed;
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
