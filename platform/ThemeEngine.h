#pragma once
// The visual-style engine of the platform: themed parts (toolbar buttons, rebar grips, window
// buttons, status bars, edits, spins, progress bars ...) drawn and measured by part and state
// numbers, opened by theme class names. The built-in engine paints a fixed, deterministic style
// with fixed metrics and colours; it can be switched off at run time (the classic look), which
// broadcasts a theme change as the system does when the user switches the visual style.

#include "platform/Canvas.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace zyn {

using HTHEME = std::intptr_t;  // 0 = none

struct TThemeSize {
  int cx = 0;
  int cy = 0;
};

enum TThemeSizeKind { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

class TThemeEngine {
 public:
  virtual ~TThemeEngine() = default;
  virtual bool IsThemeActive() const = 0;
  // A handle for a class list ("ToolBar", "Window" ...); 0 when the style has no such class.
  virtual HTHEME OpenThemeData(const QString& classList) = 0;
  virtual void CloseThemeData(HTHEME theme) = 0;
  virtual bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& r) = 0;
  virtual bool GetThemePartSize(HTHEME theme, int part, int state, TThemeSizeKind kind, TThemeSize& size) = 0;
  virtual bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color) = 0;
  virtual bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const TRect& bounds,
                                             TRect& content) = 0;
  virtual bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) = 0;
  virtual bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName) = 0;
};

// The built-in style: a blue, fixed-metric look with the file name "LUNA.MSSTYLES" and the
// colour variant "NormalColor".
class TBuiltInThemeEngine : public TThemeEngine {
 public:
  bool IsThemeActive() const override { return fActive; }
  // Switches the style on or off and broadcasts the change.
  void SetActive(bool value);
  HTHEME OpenThemeData(const QString& classList) override;
  void CloseThemeData(HTHEME theme) override;
  bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& r) override;
  bool GetThemePartSize(HTHEME theme, int part, int state, TThemeSizeKind kind, TThemeSize& size) override;
  bool GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color) override;
  bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const TRect& bounds, TRect& content) override;
  bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) override;
  bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName) override;
  int OpenHandleCount() const { return fOpenHandles; }

 private:
  bool fActive = true;
  int fOpenHandles = 0;
};

// The engine of the process; nil means the platform has no theme library.
TThemeEngine* GetThemeEngine();
// Replaces the engine (nil: no theme library) and broadcasts a theme change.
void SetThemeEngine(std::unique_ptr<TThemeEngine> engine);
// The one receiver of theme changes (the theme manager of the bar library installs it).
void SetThemeChangeReceiver(std::function<void()> receiver);
void BroadcastThemeChange();

}  // namespace zyn
