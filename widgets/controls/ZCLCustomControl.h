#pragma once
// Windowed control bases: an update counter, flat borders, transparency, mouse enter and exit
// events, after-enter and after-exit events that arrive once the focus change is complete, and
// the bevel panel whose frame the edits use.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBevel.h"
#include "widgets/controls/ZCLFaceController.h"
#include "widgets/controls/ZCLObject.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace zyn {

class TZCLCustomControl : public QWidget, public IZCLFaceStateControl {
  Q_OBJECT
 public:
  explicit TZCLCustomControl(QWidget* parent = nullptr);

  TZCLNotifyEvent OnAfterEnter;
  TZCLNotifyEvent OnAfterExit;
  TZCLNotifyEvent OnMouseEnter;
  TZCLNotifyEvent OnMouseExit;
  TZCLNotifyEvent OnEnter;
  TZCLNotifyEvent OnExit;

  void BeginUpdate() { ++updateCount_; }
  // Ends one bracket; at zero with changed set the change operation runs.
  void EndUpdate(bool changed = true);
  bool IsUpdating() const { return updateCount_ > 0; }

  // Building from code: while loading, setters only store; EndLoading runs Loaded.
  void BeginLoading() { loading_ = true; }
  void EndLoading();
  bool IsLoading() const { return loading_; }

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor value);
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }
  bool IsHot() const { return hot_; }

  // While set, colour and transparency come from the face controller's state settings.
  TZCLFaceController* FaceController() const { return faceController_.data(); }
  void SetFaceController(TZCLFaceController* controller);
  TColor EffectiveColor() const;
  bool EffectiveTransparent() const;

  // Answers to the face controller.
  bool GetFocusedState() const override { return hasFocus(); }
  bool GetHotState() const override { return hot_; }
  bool GetTransparentState() const override { return transparent_; }
  bool GetThemedLookSetting() const override { return ctlXP_; }
  bool GetEnabledState() const override { return isEnabled(); }
  TColor GetColorValue() const override { return color_; }

  // The client area without the border that a window frame would take.
  TRect ClientRect() const;
  // Pixels that the window frame takes on each side (0 here).
  virtual int BorderExtent() const { return 0; }

  // User move and resize (all off by default): dragging the client area moves the control,
  // dragging its borders (ResizeBorderWidth wide) or the size grip resizes it.
  bool UserMovable() const { return userMovable_; }
  void SetUserMovable(bool value) { userMovable_ = value; }
  bool UserResizable() const { return userResizable_; }
  void SetUserResizable(bool value) { userResizable_ = value; }
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool value);
  bool MoveOverChildren() const { return moveOverChildren_; }
  void SetMoveOverChildren(bool value) { moveOverChildren_ = value; }
  bool BringToTop() const { return bringToTop_; }
  void SetBringToTop(bool value) { bringToTop_ = value; }
  int ResizeBorderWidth() const { return resizeBorderWidth_; }
  void SetResizeBorderWidth(int value) { resizeBorderWidth_ = value; }
  TZCLNotifyEvent OnMoved;
  // The size grip in the bottom-right corner (a scroll bar's width and height inside the frame).
  virtual TRect SizeGripRect() const;
  // The non-client code of a point: 17 over the size grip, the border codes 10 to 17 at the borders
  // of a resizable control, 2 (move) over the movable area, 1 elsewhere.
  int UserHitTest(const QPoint& p) const;

 protected:
  virtual void Loaded() {}
  virtual void Change();
  virtual void Paint(TCanvas& canvas);
  virtual void PaintFlatBorder(TCanvas& canvas);
  virtual void PaintHotBorder(TCanvas& canvas);
  virtual void MouseEntered();
  virtual void MouseLeft();
  bool ShowsFlatLook() const { return flat_ && !hasFocus() && !hot_; }

  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool UserDrag(QEvent* event);
  bool userMovable_ = false;
  bool userResizable_ = false;
  bool sizeGrip_ = false;
  bool moveOverChildren_ = true;
  bool bringToTop_ = true;
  int resizeBorderWidth_ = 4;
  int dragCode_ = 0;
  QPoint dragStart_;
  QRect dragGeometry_;
  bool moved_ = false;
  int updateCount_ = 0;
  bool loading_ = false;
  TColor color_ = clBtnFace;
  bool flat_ = false;
  bool transparent_ = false;
  bool ctlXP_ = true;
  TColor fontColor_ = clWindowText;
  bool hot_ = false;
  bool entered_ = false;
  int tag_ = 0;
  QPointer<TZCLFaceController> faceController_;
};

class TZCLCustomPanel : public TZCLCustomControl {
  Q_OBJECT
 public:
  explicit TZCLCustomPanel(QWidget* parent = nullptr);
};

class TZCLCustomBevelPanel : public TZCLCustomPanel {
  Q_OBJECT
 public:
  explicit TZCLCustomBevelPanel(QWidget* parent = nullptr);
  TZCLBevel& Bevel() { return *bevel_; }
  const TZCLBevel& Bevel() const { return *bevel_; }
  // The window border of the platform's client edge (2 pixels) for bmWindows bevels.
  int BorderExtent() const override;
  // The client rectangle inside the bevel.
  TRect BevelClientRect() const;

 protected:
  virtual void BevelChanged();
  void Paint(TCanvas& canvas) override;
  void PaintFlatBorder(TCanvas& canvas) override;
  void PaintHotBorder(TCanvas& canvas) override;
  void PaintFrame(TCanvas& canvas);

 public:
  TRect SizeGripRect() const override;

 private:
  std::unique_ptr<TZCLBevel> bevel_;
};

}  // namespace zyn
