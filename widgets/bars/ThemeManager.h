#pragma once
// Access to the visual styles of the platform for the bar library: one cached theme handle per
// theme class, the test whether themed painting may be used now (`ThemesUsable`), and the
// notificators told when the user switches the visual style.

#include "platform/ThemeEngine.h"

#include <functional>

namespace zyn {

enum TThemeKind {
  totButton,
  totClock,
  totComboBox,
  totEdit,
  totExplorerBar,
  totHeader,
  totListView,
  totMenu,
  totPage,
  totProgress,
  totRebar,
  totScrollBar,
  totSpin,
  totStartPanel,
  totStatus,
  totTab,
  totTaskBand,
  totTaskBar,
  totToolBar,
  totToolTip,
  totTrackBar,
  totTrayNotify,
  totTreeView,
  totWindow
};
using TThemeKinds = unsigned;  // bit n = kind n
constexpr TThemeKinds ThemeSet(TThemeKind k) { return 1u << k; }

bool ThemeLibraryPresent();
bool ThemesActive();
bool ThemesUsable(TThemeKinds kinds);
// The cached handle of a kind (opened on first use); classList nil: the cached or default class list.
HTHEME ThemeHandle(TThemeKind kind, const QString* classList = nullptr);
void ReleaseThemeHandle(TThemeKind kind);
void ReleaseAllThemeHandles();
const char* DefaultThemeClassName(TThemeKind kind);
// What the receiver does on a theme change: release the handles, take the active state again and
// call every notificator.
void HandleThemeChanged();

// Wrappers over the engine for the painters (they do nothing and answer false without engine).
bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& r);
bool GetThemePartSize(HTHEME theme, int part, int state, TThemeSizeKind kind, TThemeSize& size);
bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color);
bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const TRect& bounds, TRect& content);
bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName);

class TzbThemeChangedNotificator {
 public:
  TzbThemeChangedNotificator();
  ~TzbThemeChangedNotificator();
  TzbThemeChangedNotificator(const TzbThemeChangedNotificator&) = delete;
  TzbThemeChangedNotificator& operator=(const TzbThemeChangedNotificator&) = delete;
  std::function<void()> OnThemeChanged;
};

int ThemeNotificatorCount();

}  // namespace zyn
