#pragma once
// Graphic buttons: states (up, disabled, hot, down, pushed, dropped down), hot tracking, auto
// repeat, groups of latching buttons, a drop-down menu, glyph and caption; the speed button
// draws its face in one of the library's button styles.

#include "widgets/controls/ZCLControl.h"
#include "widgets/controls/ZCLGraph.h"

#include <QImage>
#include <QPointer>
#include <QTimer>

class QMenu;

namespace zyn {

class TZCLBaseGraphicButton : public TZCLBaseControl {
  Q_OBJECT
 public:
  explicit TZCLBaseGraphicButton(QWidget* parent = nullptr);

  TZCLNotifyEvent OnDropDown;

  int State() const { return FState; }
  // Changes the state; repaints where the look changes. force: also when equal.
  void SetState(int state, bool force = false);
  bool Pressed() const { return FPressed; }
  // Latching needs a GroupIndex; releasing a latched button needs AllowAllUp.
  void SetPressed(bool value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  bool RepeatedClick() const { return FRepeatedClick; }
  void SetRepeatedClick(bool value) { FRepeatedClick = value; }
  int RepeatingDelay() const { return FRepeatingDelay; }
  void SetRepeatingDelay(int value) { FRepeatingDelay = value; }
  int RepeatingInterval() const { return FRepeatingInterval; }
  void SetRepeatingInterval(int value) { FRepeatingInterval = value; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value) { FHotTrack = value; }
  bool DropDownCombo() const { return FDropDownCombo; }
  void SetDropDownCombo(bool value);
  int DropDownComboWidth() const { return FDropDownComboWidth; }
  void SetDropDownComboWidth(int value);
  QMenu* DropDownMenu() const;
  void SetDropDownMenu(QMenu* menu);
  bool UseCaption() const { return FUseCaption; }
  void SetUseCaption(bool value);
  TColor EnterColor() const { return FEnterColor; }
  void SetEnterColor(TColor value) { FEnterColor = value; }
  bool EnterColorChange() const { return FEnterColorChange; }
  void SetEnterColorChange(bool value) { FEnterColorChange = value; }
  QImage Glyph() const { return FGlyph; }
  void SetGlyph(const QImage& glyph);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  // The repeat timer's tick, as the timer runs it.
  void RepeatTick();
  // Runs the click (OnClick).
  virtual void Click();
  void DropDown();
  // The accelerator of a caption: the character after a single "&" ("&&" is a plain "&"), upper
  // case; null when there is none.
  static QChar AcceleratorOf(const QString& caption);
  // A pressed accelerator key (Alt+key): true when it is the caption's and the button acted: a
  // drop-down button drops down or closes, a grouped one toggles Pressed and clicks when it became
  // pressed, any other clicks.
  bool DialogChar(QChar key);

 protected:
  bool IsSplit() const { return !FDropDownMenu.isNull() && FDropDownCombo; }
  bool IsInside(const QPointF& p) const;
  virtual bool FlatFace() const { return true; }
  void ReleaseGroupMates();
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void Change() override;
  void MouseEntered() override;
  void MouseLeft() override;
  // The glyph image for a state (empty when there is none).
  QImage StateGlyph(int state) const;

  int FState = bstUp;
  int FOldState = bstUp;
  bool FPressed = false;
  int FGroupIndex = 0;
  int FShortcutId = 0;
  QChar FShortcutKey;
  bool FAllowAllUp = false;
  bool FRepeatedClick = false;
  int FRepeatingDelay = 500;
  int FRepeatingInterval = 100;
  bool FHotTrack = false;
  bool FDropDownCombo = false;
  int FDropDownComboWidth = 12;
  int FDropDownIndent = 0;
  bool FDropDownRight = false;
  QPointer<QMenu> FDropDownMenu;
  bool FUseCaption = true;
  TColor FEnterColor = clCaptionText;
  bool FEnterColorChange = false;
  bool FMultiLine = false;
  bool FMouseDown = false;
  QImage FGlyph;
  int FNumGlyphs = 1;
  QTimer FRepeatTimer;
};

class TZCLCustomSpeedButton : public TZCLBaseGraphicButton {
  Q_OBJECT
 public:
  explicit TZCLCustomSpeedButton(QWidget* parent = nullptr);

  TZCLUserButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TZCLUserButtonStyle value);
  TZCLGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TZCLGlyphKind value);

 protected:
  bool FlatFace() const override;
  void Paint(TCanvas& canvas) override;
  bool FaceTransparent() const override;
  void PaintContent(TCanvas& canvas, const TRect& r, int state);

  TZCLUserButtonStyle FButtonStyle = ubsWin40;
  TZCLGlyphKind FGlyphKind = gkCustom;
  bool FDesignFrame = true;
};

class TZCLSpeedButton : public TZCLCustomSpeedButton {
  Q_OBJECT
 public:
  explicit TZCLSpeedButton(QWidget* parent = nullptr) : TZCLCustomSpeedButton(parent) {}
};

}  // namespace zyn
