#include "widgets/bars/BarLayout.h"

#include "model/base/TextUtils.h"
#include "model/base/Streams.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarUserDockControl.h"
#include "widgets/bars/BarWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <cctype>
#include <functional>
#include <iostream>
#include <iterator>

namespace zyn {

namespace {

using TNode = TzbBarLayoutStore::TNode;

std::string Join(const TNode& node, const char* separator) {
  std::string s;
  for (const std::string& part : node) s += (s.empty() ? "" : separator) + part;
  return s;
}

// The ini form of a layout: its sections in a plain ini file in memory.
class TSectionStore : public TzbBarLayoutStore {
 public:
  // prefix empty: the memory form (sections named by the node path, binary values kept as hex).
  explicit TSectionStore(std::string prefix) : fPrefix(std::move(prefix)), fMemory(fPrefix.empty()) {}
  TzbBarIniFile& Ini() { return fIni; }

  bool NodeExists(const TNode& node) const override { return fIni.SectionExists(SectionOf(node)); }
  std::optional<std::string> Read(const TNode& node, const std::string& name) const override {
    return fIni.Read(SectionOf(node), name);
  }
  void Write(const TNode& node, const std::string& name, const std::string& value) override {
    fIni.WriteString(SectionOf(node), name, value);
  }
  bool StoresBinary() const override { return fMemory; }
  std::optional<QByteArray> ReadBinary(const TNode& node, const std::string& name) const override {
    if (!fMemory) return std::nullopt;
    const auto text = Read(node, name);
    if (!text) return std::nullopt;
    return QByteArray::fromHex(QByteArray::fromStdString(*text));
  }
  void WriteBinary(const TNode& node, const std::string& name, const QByteArray& value) override {
    if (fMemory) Write(node, name, value.toHex().toStdString());
  }
  bool Strict() const override { return false; }
  void EraseLayout() override {
    std::vector<std::string> sections;
    fIni.ReadSections(sections);
    for (const std::string& section : sections)
      if (section.size() >= fPrefix.size() && SameText(section.substr(0, fPrefix.size()), fPrefix))
        fIni.EraseSection(section);
  }

 private:
  std::string SectionOf(const TNode& node) const {
    if (fMemory) return Join(node, "\\");
    return fPrefix + (node.empty() ? std::string("Main") : Join(node, "."));
  }
  std::string fPrefix;
  bool fMemory;
  TzbBarIniFile fIni;
};

// The user's settings store: one key K, the bars and sub-items as sub-keys of K, their links as
// sub-keys of those.
class TSettingsStore : public TzbBarLayoutStore {
 public:
  explicit TSettingsStore(const QString& key)
      : fSettings(QStringLiteral("ZORV"), QStringLiteral("ZYN Systemsoftware")), fKey(key) {}
  QSettings& Settings() { return fSettings; }

  bool NodeExists(const TNode& node) const override {
    const QString group = GroupOf(node);
    const int cut = group.lastIndexOf(QLatin1Char('/'));
    const QString parent = cut < 0 ? QString() : group.left(cut), child = group.mid(cut + 1);
    auto& s = const_cast<QSettings&>(fSettings);
    s.beginGroup(parent);
    const bool exists = s.childGroups().contains(child);
    s.endGroup();
    return exists;
  }
  std::optional<std::string> Read(const TNode& node, const std::string& name) const override {
    const QVariant v = fSettings.value(GroupOf(node) + QLatin1Char('/') + ToQString(name));
    if (!v.isValid()) return std::nullopt;
    return FromQString(v.toString());
  }
  void Write(const TNode& node, const std::string& name, const std::string& value) override {
    fSettings.setValue(GroupOf(node) + QLatin1Char('/') + ToQString(name), ToQString(value));
  }
  bool StoresBinary() const override { return true; }
  std::optional<QByteArray> ReadBinary(const TNode& node, const std::string& name) const override {
    const QVariant v = fSettings.value(GroupOf(node) + QLatin1Char('/') + ToQString(name));
    if (!v.isValid()) return std::nullopt;
    return v.toByteArray();
  }
  void WriteBinary(const TNode& node, const std::string& name, const QByteArray& value) override {
    fSettings.setValue(GroupOf(node) + QLatin1Char('/') + ToQString(name), value);
  }
  bool Strict() const override { return true; }
  // Only the layout's own keys go: its option values, "Bar<n>" and "SubItem_<name>" with their
  // links. Other keys kept below K stay.
  void EraseLayout() override {
    static const QRegularExpression own(QStringLiteral("^(Bar[0-9]+|SubItem_.*)$"));
    fSettings.beginGroup(fKey);
    for (const QString& child : fSettings.childGroups())
      if (own.match(child).hasMatch()) fSettings.remove(child);
    for (const char* value : {"MenusShowRecentItemsFirst", "ShowFullMenusAfterDelay", "LargeIcons", "MenuAnimations",
                              "ShowHint", "ShowShortCutInHint", "BarCount"})
      fSettings.remove(QLatin1String(value));
    fSettings.endGroup();
  }

 private:
  QString GroupOf(const TNode& node) const {
    QString g = fKey;
    for (const std::string& part : node) g += QLatin1Char('/') + ToQString(part);
    return g;
  }
  QSettings fSettings;
  QString fKey;
};

// The key of the settings store: "\" and "/" both separate; no leading or trailing separator.
QString NormalKey(const std::string& key) {
  QString k = ToQString(key);
  k.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (k.startsWith(QLatin1Char('/'))) k.remove(0, 1);
  while (k.endsWith(QLatin1Char('/'))) k.chop(1);
  return k;
}

std::string IniPrefix(const TzbBarManager& manager) {
  const std::string form = manager.Form() ? FromQString(manager.Form()->objectName()) : std::string();
  return form + "." + manager.Name + ".";
}

std::string BoolText(bool v) { return v ? "1" : "0"; }

bool TryStrToInt(const std::string& text, int32_t& value) {
  try {
    value = StrToInt(text);
    return true;
  } catch (...) {
    return false;
  }
}

// ------------------------------------------------------------------ writing

void WriteLinks(const TzbBarItemLinks& links, TzbBarLayoutStore& store, const TNode& node, bool barLinks) {
  const TzbBarManager& m = links.Manager();
  const bool usage = m.CanUseRecentItems() && links.UseRecentItems;
  store.Write(node, "ItemLinkCount", std::to_string(links.Count()));
  for (int n = 0; n < links.Count(); ++n) {
    const TzbBarItemLink* link = links.Items(n);
    if (!link->Item() || link->Item()->Name.empty()) continue;
    TNode ln = node;
    ln.push_back("ItemLink" + std::to_string(n));
    const unsigned ud = link->UserDefine() & 0x0F;
    store.Write(ln, "ItemName", link->Item()->Name);
    store.Write(ln, "BeginGroup", BoolText(link->GetBeginGroup()));
    store.Write(ln, "UserDefine", std::to_string(ud));
    if (ud & UserDefineBit(udCaption)) store.Write(ln, "UserCaption", link->UserCaption());
    if ((ud & UserDefineBit(udGlyph)) && store.StoresBinary()) {
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      link->UserGlyph().save(&buffer, "BMP");
      store.WriteBinary(ln, "UserGlyph", bytes);
    }
    if (ud & UserDefineBit(udPaintStyle)) store.Write(ln, "UserPaintStyle", std::to_string(link->UserPaintStyle()));
    if (ud & UserDefineBit(udWidth)) store.Write(ln, "UserWidth", std::to_string(link->UserWidth()));
    if (barLinks) store.Write(ln, "Visible", BoolText(link->Visible()));
    if (usage) {
      store.Write(ln, "UseCount", std::to_string(link->UseCount));
      store.Write(ln, "RecentIndex", std::to_string(link->RecentIndex()));
    }
  }
}

bool IsNamedSubItem(TzbBarItem& item) {
  return !item.Name.empty() && item.InheritsFrom(TCustomzbBarSubItem::kClassName) && SubItemLinksOf(item);
}

// ------------------------------------------------------------------ reading

// A value read as the stored form allows: in the strict form a missing or unreadable value
// throws (the bar's reading ends), otherwise the default stands in.
struct TFailedRead {};

class TReader {
 public:
  TReader(const TzbBarLayoutStore& store) : fStore(store) {}
  bool Has(const TNode& node, const char* name) const { return fStore.Read(node, name).has_value(); }
  std::string String(const TNode& node, const char* name, const std::string& def) const {
    if (auto v = fStore.Read(node, name)) return *v;
    if (fStore.Strict()) throw TFailedRead{};
    return def;
  }
  int Int(const TNode& node, const char* name, int def, int min, int max) const {
    const auto v = fStore.Read(node, name);
    int32_t n = 0;
    if (!v || !TryStrToInt(*v, n)) {
      if (fStore.Strict()) throw TFailedRead{};
      n = def;
    }
    return std::clamp<int>(n, min, max);
  }
  bool Bool(const TNode& node, const char* name, bool def) const {
    return Int(node, name, def ? 1 : 0, INT32_MIN, INT32_MAX) != 0;
  }
  const TzbBarLayoutStore& Store() const { return fStore; }

 private:
  const TzbBarLayoutStore& fStore;
};

TzbBarItem* ItemByNameNoCase(const TzbBarManager& m, const std::string& name) {
  for (int i = 0; i < m.GetItemCount(); ++i)
    if (SameText(m.GetItem(i)->Name, name)) return m.GetItem(i);
  return nullptr;
}

void ReadLinks(TzbBarItemLinks& links, const TReader& r, const TNode& node, bool barLinks) {
  TzbBarManager& m = links.Manager();
  links.Clear();
  int count = 0;
  try {
    count = r.Int(node, "ItemLinkCount", 0, 0, kMaxStoredLinks);
  } catch (const TFailedRead&) {
    count = 0;  // the strict form: a missing count reads as no links
  }
  const bool usage = m.CanUseRecentItems() && links.UseRecentItems;
  for (int n = 0; n < count; ++n) {
    TNode ln = node;
    ln.push_back("ItemLink" + std::to_string(n));
    if (!r.Store().NodeExists(ln)) continue;
    const auto name = r.Store().Read(ln, "ItemName");
    if (!name || name->empty()) continue;
    TzbBarItem* item = ItemByNameNoCase(m, *name);
    if (!item || !item->CanBePlacedIn(links)) continue;  // the item is gone from the form
    TzbBarItemLink* link = links.Add();
    try {
      link->SetItem(item);
    } catch (...) {
      links.Delete(link);  // a sub-item that would contain itself
      continue;
    }
    try {
      link->SetBeginGroup(r.Bool(ln, "BeginGroup", false));
      const unsigned ud = static_cast<unsigned>(r.Int(ln, "UserDefine", 0, 0, 255)) & 0x0F;
      link->SetUserDefine(ud);
      if (ud & UserDefineBit(udCaption)) link->SetUserCaption(r.String(ln, "UserCaption", ""));
      if ((ud & UserDefineBit(udGlyph)) && r.Store().StoresBinary()) {
        const auto bytes = r.Store().ReadBinary(ln, "UserGlyph");
        if (!bytes) throw TFailedRead{};
        link->SetUserGlyph(QImage::fromData(*bytes, "BMP"));
      }
      if (ud & UserDefineBit(udPaintStyle))
        link->SetUserPaintStyle(
            static_cast<TzbBarPaintStyle>(r.Int(ln, "UserPaintStyle", 0, psStandard, psCaptionGlyph)));
      if (ud & UserDefineBit(udWidth)) link->SetUserWidth(r.Int(ln, "UserWidth", 100, 0, kMaxStoredCoordinate));
      if (barLinks && (!r.Store().Strict() || r.Has(ln, "Visible"))) link->LoadedVisible = r.Bool(ln, "Visible", true);
      if (usage) {
        if (!r.Store().Strict() || r.Has(ln, "UseCount")) link->LoadedUseCount = r.Int(ln, "UseCount", 0, 0, INT32_MAX);
        if (!r.Store().Strict() || r.Has(ln, "RecentIndex"))
          link->LoadedRecentIndex = r.Int(ln, "RecentIndex", -1, -1, kMaxStoredLinks);
      }
    } catch (const TFailedRead&) {
      // The rest of this link's values is skipped.
    }
  }
  links.ApplyLoadedState(true);
}

bool ValidDockedStyle(int s) { return s >= dsLeft && s <= dsBottom; }

// The bar's place and visibility; a value that cannot be used makes the bar visible and leaves
// the rest of its values.
void ReadBarValues(TzbBar& bar, const TReader& r, const TNode& node) {
  TzbBarManager& m = bar.Manager();
  try {
    // Dock controls the layout names that are gone (or are no dock controls of this form) leave
    // the whole bar where the form put it: its stored row and position belong to that dock.
    TzbBarDockControl* dockedDock = nullptr;
    TzbBarDockControl* dock = nullptr;
    if (const auto path = r.Store().Read(node, "DockedDockControl"); path && !path->empty())
      if (!(dockedDock = m.FindDockControl(*path))) throw TFailedRead{};
    if (const auto path = r.Store().Read(node, "DockControl"); path && !path->empty())
      if (!(dock = m.FindDockControl(*path))) throw TFailedRead{};
    bar.SetCaption(r.String(node, "Caption", bar.Caption()));
    bar.SetDockedDockControl(dockedDock);
    const int docked = r.Int(node, "DockedDockingStyle", bar.DockedDockingStyle(), INT32_MIN, INT32_MAX);
    if (!ValidDockedStyle(docked) || !m.CanDocking(bar, static_cast<TzbBarDockingStyle>(docked), dockedDock))
      throw TFailedRead{};
    if (!dockedDock) bar.SetDockedDockingStyle(static_cast<TzbBarDockingStyle>(docked));
    bar.SetDockedLeft(r.Int(node, "DockedLeft", bar.DockedLeft(), 0, kMaxStoredCoordinate));
    bar.SetDockedTop(r.Int(node, "DockedTop", bar.DockedTop(), 0, kMaxStoredCoordinate));
    bar.OneOnRow = r.Bool(node, "OneOnRow", bar.OneOnRow);
    bar.SetRow(r.Int(node, "Row", bar.Row(), 0, kMaxStoredRow));
    bar.FloatLeft = r.Int(node, "FloatLeft", bar.FloatLeft, -kMaxStoredCoordinate, kMaxStoredCoordinate);
    bar.FloatTop = r.Int(node, "FloatTop", bar.FloatTop, -kMaxStoredCoordinate, kMaxStoredCoordinate);
    bar.FloatClientWidth = r.Int(node, "FloatClientWidth", bar.FloatClientWidth, 0, kMaxStoredCoordinate);
    bar.FloatClientHeight = r.Int(node, "FloatClientHeight", bar.FloatClientHeight, 0, kMaxStoredCoordinate);
    bar.SetDockControl(dock);
    const int style = r.Int(node, "DockingStyle", bar.DockingStyle(), INT32_MIN, INT32_MAX);
    if (style < dsNone || style > dsBottom ||
        (style != dsNone && !m.CanDocking(bar, static_cast<TzbBarDockingStyle>(style), dock)))
      throw TFailedRead{};
    if (!dock) bar.SetDockingStyle(static_cast<TzbBarDockingStyle>(style));
    const bool visible = r.Bool(node, "Visible", false);
    bar.Collection().Loading = true;
    bar.SetVisible(visible);
    bar.Collection().Loading = false;
  } catch (const TFailedRead&) {
    bar.Collection().Loading = true;
    bar.SetVisible(true);
    bar.Collection().Loading = false;
  }
}

// Whether a bar's node holds a bar: in the ini form its "Row" must read at least -999.
bool BarNodePresent(const TReader& r, const TNode& node) {
  if (!r.Store().NodeExists(node)) return false;
  if (r.Store().Strict()) return true;
  int32_t row = -1000;
  const auto v = r.Store().Read(node, "Row");
  if (!v || !TryStrToInt(*v, row)) row = -1000;
  return row >= -999;
}

void ReadMainValues(TzbBarManager& m, const TReader& r) {
  const TNode root;
  auto read = [&](const char* name, auto apply, int current, int min, int max) {
    if (r.Store().Strict() && !r.Has(root, name)) return;
    try {
      apply(r.Int(root, name, current, min, max));
    } catch (const TFailedRead&) {
    }
  };
  if (m.CanUseRecentItems()) {
    read(
        "MenusShowRecentItemsFirst", [&](int v) { m.MenusShowRecentItemsFirst = v != 0; }, m.MenusShowRecentItemsFirst,
        0, 1);
    read(
        "ShowFullMenusAfterDelay", [&](int v) { m.ShowFullMenusAfterDelay = v != 0; }, m.ShowFullMenusAfterDelay, 0, 1);
  }
  read(
      "LargeIcons", [&](int v) { m.SetLargeIcons(v != 0); }, m.LargeIcons(), 0, 1);
  read(
      "MenuAnimations", [&](int v) { m.MenuAnimations = static_cast<TzbBarMenuAnimations>(v); }, m.MenuAnimations,
      maNone, maFade);
  read(
      "ShowHint", [&](int v) { m.ShowHint = v != 0; }, m.ShowHint, 0, 1);
  read(
      "ShowShortCutInHint", [&](int v) { m.ShowShortCutInHint = v != 0; }, m.ShowShortCutInHint, 0, 1);
}

TNode BarNode(int n) { return {"Bar" + std::to_string(n)}; }
TNode SubItemNode(const TzbBarItem& item) { return {"SubItem_" + item.Name}; }

// The links of every named sub-item among the links take what the store holds for them, through
// nested sub-items (each sub-item once).
void ReadSubItemLinksBelow(TzbBarItemLinks& links, const TReader& r, std::vector<TzbBarItem*>& done) {
  for (int i = 0; i < links.Count(); ++i) {
    TzbBarItem* item = links.Items(i)->Item();
    if (!item || !IsNamedSubItem(*item) || std::find(done.begin(), done.end(), item) != done.end()) continue;
    done.push_back(item);
    if (!r.Store().NodeExists(SubItemNode(*item))) continue;
    ReadLinks(*SubItemLinksOf(*item), r, SubItemNode(*item), false);
    ReadSubItemLinksBelow(*SubItemLinksOf(*item), r, done);
  }
}

// Usage data only: use counts and recent places of links whose stored item matches.
void ReadUsage(TzbBarItemLinks& links, const TReader& r, const TNode& node) {
  for (int n = 0; n < links.Count(); ++n) {
    TzbBarItemLink* link = links.Items(n);
    TNode ln = node;
    ln.push_back("ItemLink" + std::to_string(n));
    const auto name = r.Store().Read(ln, "ItemName");
    const bool same = link->Item() && name && SameText(*name, link->Item()->Name);
    link->LoadedUseCount = same ? r.Int(ln, "UseCount", 0, 0, INT32_MAX) : 0;
    link->LoadedRecentIndex = same ? r.Int(ln, "RecentIndex", -1, -1, kMaxStoredLinks) : -1;
  }
  links.ApplyLoadedState(false);
  links.CompactRecentList();
}

}  // namespace

std::unique_ptr<TzbBarLayoutStore> MakeMemoryLayoutStore() { return std::make_unique<TSectionStore>(std::string()); }

void WriteBarLayout(TzbBarManager& m, TzbBarLayoutStore& store) {
  store.EraseLayout();
  const TNode root;
  if (m.CanUseRecentItems()) {
    store.Write(root, "MenusShowRecentItemsFirst", BoolText(m.MenusShowRecentItemsFirst));
    store.Write(root, "ShowFullMenusAfterDelay", BoolText(m.ShowFullMenusAfterDelay));
  }
  store.Write(root, "LargeIcons", BoolText(m.LargeIcons()));
  store.Write(root, "MenuAnimations", std::to_string(m.MenuAnimations));
  store.Write(root, "ShowHint", BoolText(m.ShowHint));
  store.Write(root, "ShowShortCutInHint", BoolText(m.ShowShortCutInHint));
  store.Write(root, "BarCount", std::to_string(m.Bars().Count()));
  for (int n = 0; n < m.Bars().Count(); ++n) {
    const TzbBar& bar = *m.Bars().Items(n);
    const TNode node = BarNode(n);
    store.Write(node, "Caption", bar.Caption());
    if (bar.DockedDockControl())
      store.Write(node, "DockedDockControl", TzbBarManager::DockControlPath(*bar.DockedDockControl()));
    store.Write(node, "DockedDockingStyle", std::to_string(bar.DockedDockingStyle()));
    store.Write(node, "DockedLeft", std::to_string(bar.DockedLeft()));
    store.Write(node, "DockedTop", std::to_string(bar.DockedTop()));
    store.Write(node, "OneOnRow", BoolText(bar.OneOnRow));
    store.Write(node, "Row", std::to_string(bar.Row()));
    store.Write(node, "FloatLeft", std::to_string(bar.FloatLeft));
    store.Write(node, "FloatTop", std::to_string(bar.FloatTop));
    store.Write(node, "FloatClientWidth", std::to_string(bar.FloatClientWidth));
    store.Write(node, "FloatClientHeight", std::to_string(bar.FloatClientHeight));
    if (bar.DockControl()) store.Write(node, "DockControl", TzbBarManager::DockControlPath(*bar.DockControl()));
    store.Write(node, "DockingStyle", std::to_string(bar.DockingStyle()));
    store.Write(node, "Visible", BoolText(bar.Visible()));
    WriteLinks(bar.ItemLinks(), store, node, true);
  }
  for (int i = 0; i < m.GetItemCount(); ++i) {
    TzbBarItem& item = *m.GetItem(i);
    if (IsNamedSubItem(item)) WriteLinks(*SubItemLinksOf(item), store, SubItemNode(item), false);
  }
}

void ReadBarLayout(TzbBarManager& m, const TzbBarLayoutStore& store) {
  const TReader r(store);
  const TzbBarLockScope lock(m);
  ReadMainValues(m, r);
  const TNode root;
  int32_t count = -1;
  const auto stored = store.Read(root, "BarCount");
  if (stored && TryStrToInt(*stored, count) && count >= 0) {
    count = std::min<int32_t>(count, kMaxStoredBars);
    for (int i = 0; i < m.Bars().Count(); ++i) m.Bars().Items(i)->SetVisible(false);
    for (int n = 0; n < count; ++n) {
      if (!BarNodePresent(r, BarNode(n))) continue;
      while (m.Bars().Count() <= n) m.Bars().Add();
      TzbBar& bar = *m.Bars().Items(n);
      const bool wasLocked = bar.BarLock();
      bar.SetBarLock(true);
      ReadLinks(bar.ItemLinks(), r, BarNode(n), true);
      ReadBarValues(bar, r, BarNode(n));
      bar.SetBarLock(wasLocked);
    }
  }
  for (int i = 0; i < m.GetItemCount(); ++i) {
    TzbBarItem& item = *m.GetItem(i);
    if (!IsNamedSubItem(item) || !store.NodeExists(SubItemNode(item))) continue;
    if (!store.Strict()) {
      int32_t links = -1;
      const auto v = store.Read(SubItemNode(item), "ItemLinkCount");
      if (!v || !TryStrToInt(*v, links) || links < 0) continue;
    }
    ReadLinks(*SubItemLinksOf(item), r, SubItemNode(item), false);
  }
}

// ------------------------------------------------------------------ the manager's operations

void TzbBarManager::SaveToRegistry(const std::string& key) {
  const QString k = NormalKey(key);
  if (k.isEmpty()) return;
  TSettingsStore store(k);
  WriteBarLayout(*this, store);
  store.Settings().sync();
}

void TzbBarManager::LoadFromRegistry(const std::string& key) {
  const QString k = NormalKey(key);
  if (k.isEmpty()) return;
  TSettingsStore store(k);
  if (!store.NodeExists({})) return;
  ReadBarLayout(*this, store);
}

namespace {

// The ini text of the stream from its current position; false when there is none.
bool LoadIniFromStream(std::iostream& stream, TzbBarIniFile& ini) {
  const std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  stream.clear();
  if (text.empty()) return false;
  ini.SetText(text);
  return true;
}

}  // namespace

bool TzbBarManager::SaveToIniFile(const std::string& fileName) {
  if (fileName.empty() && !IniStream) return false;
  TSectionStore store(IniPrefix(*this));
  if (IniStream) {
    const auto start = IniStream->tellg();
    LoadIniFromStream(*IniStream, store.Ini());
    IniStream->seekg(start);
    IniStream->seekp(start);
  } else {
    store.Ini() = TzbBarIniFile(fileName);
  }
  WriteBarLayout(*this, store);
  try {
    if (IniStream) {
      *IniStream << store.Ini().Text();
      return static_cast<bool>(*IniStream);
    }
    store.Ini().SaveToFile(fileName);
  } catch (...) {
    return false;
  }
  return true;
}

void TzbBarManager::LoadFromIniFile(const std::string& fileName) {
  if (fileName.empty() && !IniStream) return;
  TSectionStore store(IniPrefix(*this));
  if (IniStream) {
    if (!LoadIniFromStream(*IniStream, store.Ini())) return;
  } else {
    if (!FileExists(fileName)) return;
    store.Ini() = TzbBarIniFile(fileName);
  }
  ReadBarLayout(*this, store);
}

// ------------------------------------------------------------------ the plain ini file

TzbBarIniFile::TzbBarIniFile(const std::string& fileName) {
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    SetText(std::string(bytes.begin(), bytes.end()));
  } catch (...) {
    // a missing or unreadable file: an empty ini
  }
}

void TzbBarIniFile::SetText(const std::string& text) {
  fSections.clear();
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      const std::string name = Trim(trimmed.substr(1, trimmed.size() - 2));
      current = const_cast<TSection*>(Find(name));
      if (!current) {
        fSections.push_back(TSection{name, {}});
        current = &fSections.back();
      }
      continue;
    }
    const size_t eq = line.find('=');
    if (!current || eq == std::string::npos) continue;  // a line outside sections or without a key
    const std::string key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    const std::string value = line.substr(eq + 1);
    bool replaced = false;
    for (auto& kv : current->Values)
      if (SameText(kv.first, key)) {
        kv.second = value;
        replaced = true;
        break;
      }
    if (!replaced) current->Values.emplace_back(key, value);
  }
}

std::string TzbBarIniFile::Text() const {
  std::string text;
  for (const TSection& s : fSections) {
    text += "[" + s.Name + "]\r\n";
    for (const auto& kv : s.Values) text += kv.first + "=" + kv.second + "\r\n";
    text += "\r\n";
  }
  return text;
}

void TzbBarIniFile::SaveToFile(const std::string& fileName) const { WriteFileAtomic(fileName, Text()); }

const TzbBarIniFile::TSection* TzbBarIniFile::Find(const std::string& section) const {
  for (const TSection& s : fSections)
    if (SameText(s.Name, section)) return &s;
  return nullptr;
}

bool TzbBarIniFile::SectionExists(const std::string& section) const { return Find(section) != nullptr; }

void TzbBarIniFile::ReadSections(std::vector<std::string>& sections) const {
  sections.clear();
  for (const TSection& s : fSections) sections.push_back(s.Name);
}

std::optional<std::string> TzbBarIniFile::Read(const std::string& section, const std::string& key) const {
  const TSection* s = Find(section);
  if (!s) return std::nullopt;
  for (const auto& kv : s->Values)
    if (SameText(kv.first, key)) return kv.second;
  return std::nullopt;
}

void TzbBarIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  auto* s = const_cast<TSection*>(Find(section));
  if (!s) {
    fSections.push_back(TSection{section, {}});
    s = &fSections.back();
  }
  for (auto& kv : s->Values)
    if (SameText(kv.first, key)) {
      kv.second = value;
      return;
    }
  s->Values.emplace_back(key, value);
}

void TzbBarIniFile::EraseSection(const std::string& section) {
  fSections.erase(std::remove_if(fSections.begin(), fSections.end(),
                                 [&](const TSection& s) { return SameText(s.Name, section); }),
                  fSections.end());
}

void TzbBarManager::TakeDesignState() {
  fDesignState = MakeMemoryLayoutStore();
  WriteBarLayout(*this, *fDesignState);
}

void TzbBarManager::RestoreStoredLayout() {
  if (StoreInRegistry) LoadFromRegistry(RegistryPath);
  if (StoreInIniFile) LoadFromIniFile(IniFileName);
}

void TzbBarManager::SaveStoredLayout() {
  if (StoreInRegistry) SaveToRegistry(RegistryPath);
  if (StoreInIniFile) SaveToIniFile(IniFileName);
}

void TzbBarManager::ResetUsageData() {
  const QString text = BarQText(
      "This will delete the record of the commands you've used in this application and restore the default set "
      "of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you "
      "sure you want to proceed?");
  if (MessageDlg(fForm, text, QApplication::applicationName(), MB_YESNO | MB_ICONWARNING) != IDYES) return;
  if (!fDesignState) return;
  const TzbBarLockScope lock(*this);
  const TReader r(*fDesignState);
  for (int i = 0; i < GetItemCount(); ++i) {
    TzbBarItem& item = *GetItem(i);
    if (IsNamedSubItem(item) && fDesignState->NodeExists(SubItemNode(item)))
      ReadUsage(*SubItemLinksOf(item), r, SubItemNode(item));
  }
  for (int n = 0; n < fBars->Count(); ++n)
    if (fDesignState->NodeExists(BarNode(n))) ReadUsage(fBars->Items(n)->ItemLinks(), r, BarNode(n));
}

void TzbBar::Reset() {
  TzbBarManager& m = Manager();
  const TzbBarLayoutStore* design = m.DesignState();
  const int n = Index();
  if (!design || !design->NodeExists(BarNode(n))) return;
  if (m.OnBarBeforeReset) m.OnBarBeforeReset(m, *this);
  const TReader r(*design);
  std::vector<TzbBarItem*> done;
  if (m.UseFullReset) {
    const TzbBarLockScope lock(m);
    const bool wasVisible = Visible();
    SetVisible(false);
    ReadLinks(ItemLinks(), r, BarNode(n), true);
    ReadBarValues(*this, r, BarNode(n));
    ReadSubItemLinksBelow(ItemLinks(), r, done);
    Collection().Loading = true;
    SetVisible(wasVisible);
    Collection().Loading = false;
  } else {
    const bool wasLocked = BarLock();
    SetBarLock(true);
    ReadLinks(ItemLinks(), r, BarNode(n), true);
    ReadSubItemLinksBelow(ItemLinks(), r, done);
    SetBarLock(wasLocked);
  }
  if (TzbBarWindow* w = GetBarControl()) w->RebuildLayout();
  if (m.OnBarAfterReset) m.OnBarAfterReset(m, *this);
}

void TzbBar::ResetWithConfirmation() {
  const QString text =
      BarQText("Are you sure you want to reset the changes made to the '%s' toolbar?", ToQString(Caption()));
  if (MessageDlg(Manager().Form(), text, QApplication::applicationName(), MB_OKCANCEL | MB_ICONWARNING) == IDOK)
    Reset();
}

}  // namespace zyn
