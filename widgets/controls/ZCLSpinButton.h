#pragma once
// The two-part (or up to four-part) spin button: parts split along the rising diagonal or in
// halves, hot and pressed looks, and auto-repeat while a part is held.

#include "platform/ThemeEngine.h"
#include "widgets/controls/ZCLControl.h"

#include <QTimer>

#include <array>
#include <functional>

namespace zyn {

enum TZCLSpinPart : unsigned { spUp = 1, spDown = 2, spLeft = 4, spRight = 8 };
enum TZCLSpinState : int { ssNormal = 0, ssHot = 1, ssPressed = 2, ssDisabled = 3 };

class TZCLSpinButton : public TZCLGraphicControl {
  Q_OBJECT
 public:
  explicit TZCLSpinButton(QWidget* parent = nullptr);
  ~TZCLSpinButton() override;

  std::function<void()> OnUpClick;
  std::function<void()> OnDownClick;
  std::function<void()> OnLeftClick;
  std::function<void()> OnRightClick;

  unsigned Parts() const { return fParts; }
  void SetParts(unsigned value);
  bool Diagonal() const { return fDiagonal; }
  void SetDiagonal(bool value);
  int Interval() const { return fInterval; }
  void SetInterval(int value) { fInterval = value; }
  TColor HotColor() const { return fHotColor; }
  void SetHotColor(TColor value);
  int Style() const { return fStyle; }
  void SetStyle(int value);  // 0 the spin look, 1 scroll-bar arrow buttons
  // Whether the parts are drawn by the visual style: the button's CtlXP, the application's
  // visual-style switch and an active style.
  bool UsesThemes() const;
  // The themed class, part and state of a part in a state (class "SPIN" or, style 1, "SCROLLBAR").
  void ThemePartOf(TZCLSpinPart part, int state, QString& themeClass, int& themePart, int& themeState) const;
  TZCLSpinState State(TZCLSpinPart part) const;
  // The part under a point (0 when none).
  unsigned PartAt(int x, int y) const;
  bool Repeating() const { return fRepeat.isActive(); }
  int RepeatInterval() const { return fRepeat.interval(); }
  // One tick of the repeat timer, as the timer runs it.
  void RepeatTick();
  void ResetHover() { UpdateStates(-1, -1, false); }

 protected:
  void Paint(TCanvas& canvas) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  static int IndexOf(TZCLSpinPart part);
  std::function<void()>& Handler(int index);
  bool UpdateStates(int x, int y, bool leftHeld);
  void PaintPart(TCanvas& canvas, TZCLSpinPart part, const TRect& box);
  void PaintThemedPart(TCanvas& canvas, TZCLSpinPart part, const TRect& box);
  void CloseThemes();
  HTHEME fSpinTheme = 0;
  HTHEME fScrollTheme = 0;

  unsigned fParts = spUp;
  bool fDiagonal = true;
  int fStyle = 0;
  int fInterval = 100;
  TColor fHotColor = 0x808000;
  int fUnpressedFrame = 11;
  std::array<int, 4> fStates{};
  bool fMouseDown = false;
  QTimer fRepeat;
};

}  // namespace zyn
