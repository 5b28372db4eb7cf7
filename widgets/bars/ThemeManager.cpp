#include "widgets/bars/ThemeManager.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zyn {

namespace {

const std::array<const char*, 24> kDefaultClasses = {
    "Button",   "Clock",    "ComboBox", "Edit",      "ExplorerBar", "Header",     "ListView", "Menu",
    "Page",     "Progress", "Rebar",    "ScrollBar", "Spin",        "StartPanel", "Status",   "Tab",
    "TaskBand", "TaskBar",  "ToolBar",  "ToolTip",   "TrackBar",    "TrayNotify", "TreeView", "Window"};

struct TThemeData {
  HTHEME Handle = 0;
  QString ClassList;
};

struct TThemeState {
  bool initialised = false;
  bool active = false;
  std::array<TThemeData, 24> cache;
  // Entries become nil when their notificator is freed; the list is compacted when no
  // notification runs, so a notificator freed during a notification is skipped safely.
  std::vector<TzbThemeChangedNotificator*> notificators;
  int notifying = 0;
};

TThemeState& ThemeState() {
  static TThemeState s;
  if (!s.initialised) {
    s.initialised = true;
    if (TThemeEngine* e = GetThemeEngine()) s.active = e->IsThemeActive();
    SetThemeChangeReceiver([] { HandleThemeChanged(); });
  }
  return s;
}

void Compact(TThemeState& s) {
  if (s.notifying > 0) return;
  s.notificators.erase(std::remove(s.notificators.begin(), s.notificators.end(), nullptr), s.notificators.end());
}

}  // namespace

bool ThemeLibraryPresent() { return GetThemeEngine() != nullptr; }

bool ThemesActive() { return ThemeState().active; }

bool ThemesUsable(TThemeKinds kinds) {
  if (!(ThemeState().active && ThemeLibraryPresent())) return false;
  for (int k = 0; k < 24; ++k) {
    if (!(kinds & (1u << k))) continue;
    if (ThemeHandle(static_cast<TThemeKind>(k)) == 0) return false;
  }
  return true;
}

HTHEME ThemeHandle(TThemeKind kind, const QString* classList) {
  if (!ThemesUsable(0)) return 0;
  TThemeData& d = ThemeState().cache[kind];
  if (d.Handle != 0) {
    if (!classList || classList->toUpper() == d.ClassList.toUpper()) return d.Handle;
    ReleaseThemeHandle(kind);
  }
  QString list =
      classList ? *classList : (d.ClassList.isEmpty() ? QString::fromLatin1(kDefaultClasses[kind]) : d.ClassList);
  const HTHEME h = GetThemeEngine()->OpenThemeData(list);
  if (h != 0) {
    d.Handle = h;
    d.ClassList = list;
  } else {
    d.ClassList.clear();
  }
  return h;
}

void ReleaseThemeHandle(TThemeKind kind) {
  TThemeData& d = ThemeState().cache[kind];
  if (d.Handle == 0) return;
  if (TThemeEngine* e = GetThemeEngine()) e->CloseThemeData(d.Handle);
  d.Handle = 0;
  d.ClassList.clear();
}

void ReleaseAllThemeHandles() {
  for (int k = 0; k < 24; ++k) ReleaseThemeHandle(static_cast<TThemeKind>(k));
}

const char* DefaultThemeClassName(TThemeKind kind) { return kDefaultClasses[kind]; }

void HandleThemeChanged() {
  TThemeState& s = ThemeState();
  // Handles of an engine that was replaced are dropped without closing them.
  for (auto& d : s.cache) {
    if (d.Handle != 0 && GetThemeEngine()) GetThemeEngine()->CloseThemeData(d.Handle);
    d = TThemeData{};
  }
  s.active = GetThemeEngine() && GetThemeEngine()->IsThemeActive();
  ++s.notifying;
  const std::size_t count = s.notificators.size();
  for (std::size_t i = 0; i < count && i < s.notificators.size(); ++i) {
    TzbThemeChangedNotificator* n = s.notificators[i];
    if (n && n->OnThemeChanged) n->OnThemeChanged();
  }
  --s.notifying;
  Compact(s);
}

bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& r) {
  TThemeEngine* e = GetThemeEngine();
  return e && theme != 0 && e->DrawThemeBackground(theme, canvas, part, state, r);
}

bool GetThemePartSize(HTHEME theme, int part, int state, TThemeSizeKind kind, TThemeSize& size) {
  TThemeEngine* e = GetThemeEngine();
  return e && theme != 0 && e->GetThemePartSize(theme, part, state, kind, size);
}

bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color) {
  TThemeEngine* e = GetThemeEngine();
  return e && theme != 0 && e->GetThemeColor(theme, part, state, property, color);
}

bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const TRect& bounds, TRect& content) {
  TThemeEngine* e = GetThemeEngine();
  return e && theme != 0 && e->GetThemeBackgroundContentRect(theme, part, state, bounds, content);
}

bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
  TThemeEngine* e = GetThemeEngine();
  return e && theme != 0 && e->IsThemeBackgroundPartiallyTransparent(theme, part, state);
}

bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName) {
  TThemeEngine* e = GetThemeEngine();
  return e && e->GetCurrentThemeName(fileName, colorName, sizeName);
}

TzbThemeChangedNotificator::TzbThemeChangedNotificator() { ThemeState().notificators.push_back(this); }

TzbThemeChangedNotificator::~TzbThemeChangedNotificator() {
  TThemeState& s = ThemeState();
  std::replace(s.notificators.begin(), s.notificators.end(), this, static_cast<TzbThemeChangedNotificator*>(nullptr));
  Compact(s);
}

int ThemeNotificatorCount() {
  const auto& n = ThemeState().notificators;
  return static_cast<int>(std::count_if(n.begin(), n.end(), [](auto* p) { return p != nullptr; }));
}

}  // namespace zyn
