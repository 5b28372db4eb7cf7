#pragma once
// Windowed control bases: an update counter, flat borders, transparency, mouse enter and exit
// events, after-enter and after-exit events that arrive once the focus change is complete, and
// the bevel panel whose frame the edits use.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBackground.h"
#include "widgets/controls/ZCLBaseController.h"
#include "widgets/controls/ZCLBevel.h"
#include "widgets/controls/ZCLBitmapEffect.h"
#include "widgets/controls/ZCLFaceController.h"
#include "widgets/controls/ZCLObject.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace zyn {

class TZCLCustomImageList;

class TZCLCustomControl : public QWidget, public IZCLFaceStateControl, public IZCLBackground {
  Q_OBJECT
 public:
  explicit TZCLCustomControl(QWidget* parent = nullptr);
  ~TZCLCustomControl() override;

  TZCLNotifyEvent OnAfterEnter;
  TZCLNotifyEvent OnAfterExit;
  TZCLNotifyEvent OnMouseEnter;
  TZCLNotifyEvent OnMouseExit;
  TZCLNotifyEvent OnEnter;
  TZCLNotifyEvent OnExit;

  void BeginUpdate() { ++fUpdateCount; }
  // Ends one bracket; at zero with changed set the change operation runs.
  void EndUpdate(bool changed = true);
  bool IsUpdating() const { return fUpdateCount > 0; }

  // Building from code: while loading, setters only store; EndLoading runs Loaded.
  void BeginLoading() { fLoading = true; }
  void EndLoading();
  bool IsLoading() const { return fLoading; }

  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool Flat() const { return fFlat; }
  void SetFlat(bool value);
  bool Transparent() const { return fTransparent; }
  void SetTransparent(bool value);
  bool CtlXP() const { return fCtlXP; }
  void SetCtlXP(bool value);
  TColor FontColor() const { return fFontColor; }
  void SetFontColor(TColor value);
  int Tag() const { return fTag; }
  void SetTag(int value) { fTag = value; }
  bool IsHot() const { return fHot; }

  // The image list link: the image (ListIndex, ImageIndex) of the list; a change of the list or of
  // an index runs the image-changed operation. Negative indexes are ignored.
  TZCLCustomImageList* ImageList() const { return fImageLink.Sender() ? fImageList : nullptr; }
  void SetImageList(TZCLCustomImageList* list);
  int ImageIndex() const { return fImageIndex; }
  void SetImageIndex(int value);
  int ListIndex() const { return fListIndex; }
  void SetListIndex(int value);
  // The effects run over the control's background (its colour, or the parent's picture under a
  // transparent control) while they are active.
  TZCLBitmapEffectObject& BackFX() { return *fBackFX; }
  // The effects and the fill the background takes: while a face controller is set, those of the
  // control's state; where it names none (and without a controller) the control's own effects
  // and no fill.
  TZCLBitmapEffectObject* EffectiveBackFX() const;
  const TZCLFillObject* EffectiveFill() const;

  // The control's background for the transparent children on it (IZCLBackground): its own
  // background as it paints it.
  bool BackgroundAvailable() const override;
  QImage BackgroundBitmap() const override;
  bool TransparentCapable() const override { return EffectiveTransparent(); }
  QPoint BackgroundOrigin(const QWidget* child) const override { return child->pos(); }
  std::vector<QObject*> BackgroundUsers() const override { return ZCLBackgroundUsersOf(this); }
  void BackgroundRefresh() override;
  // Whether the control paints the part of its parent's picture under it.
  bool UsesBackground() { return EffectiveTransparent() && ZCLUsesParentBackground(this); }

  // While set, colour and transparency come from the face controller's state settings.
  TZCLFaceController* FaceController() const { return fFaceController.data(); }
  void SetFaceController(TZCLFaceController* controller);
  TColor EffectiveColor() const;
  bool EffectiveTransparent() const;

  // Answers to the face controller.
  bool GetFocusedState() const override { return hasFocus(); }
  bool GetHotState() const override { return fHot; }
  bool GetTransparentState() const override { return fTransparent; }
  bool GetThemedLookSetting() const override { return fCtlXP; }
  bool GetEnabledState() const override { return isEnabled(); }
  TColor GetColorValue() const override { return fColor; }

  // The client area without the border that a window frame would take.
  TRect ClientRect() const;
  // Pixels that the window frame takes on each side (0 here).
  virtual int BorderExtent() const { return 0; }

  // User move and resize (all off by default): dragging the client area moves the control,
  // dragging its borders (ResizeBorderWidth wide) or the size grip resizes it.
  bool UserMovable() const { return fUserMovable; }
  void SetUserMovable(bool value) { fUserMovable = value; }
  bool UserResizable() const { return fUserResizable; }
  void SetUserResizable(bool value) { fUserResizable = value; }
  bool SizeGrip() const { return fSizeGrip; }
  void SetSizeGrip(bool value);
  bool MoveOverChildren() const { return fMoveOverChildren; }
  void SetMoveOverChildren(bool value) { fMoveOverChildren = value; }
  bool BringToTop() const { return fBringToTop; }
  void SetBringToTop(bool value) { fBringToTop = value; }
  int ResizeBorderWidth() const { return fResizeBorderWidth; }
  void SetResizeBorderWidth(int value) { fResizeBorderWidth = value; }
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
  // Paints the background under r: the parent's picture when transparent, else the colour; then
  // the background effects.
  void FillBackground(TCanvas& canvas, const TRect& r, TColor color);
  virtual void ImageChanged() { Change(); }
  virtual void PaintFlatBorder(TCanvas& canvas);
  virtual void PaintHotBorder(TCanvas& canvas);
  virtual void MouseEntered();
  virtual void MouseLeft();
  bool ShowsFlatLook() const { return fFlat && !hasFocus() && !fHot; }

  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Whether a move or resize changes what the background shows.
  bool BackgroundFollowsBounds();
  std::unique_ptr<TZCLBitmapEffectObject> fBackFX;
  TZCLCustomImageList* fImageList = nullptr;
  int fImageIndex = 0;
  int fListIndex = 0;
  TZCLChangeLink fImageLink;
  bool UserDrag(QEvent* event);
  bool fUserMovable = false;
  bool fUserResizable = false;
  bool fSizeGrip = false;
  bool fMoveOverChildren = true;
  bool fBringToTop = true;
  int fResizeBorderWidth = 4;
  int fDragCode = 0;
  QPoint fDragStart;
  QRect fDragGeometry;
  bool fMoved = false;
  int fUpdateCount = 0;
  bool fLoading = false;
  TColor fColor = clBtnFace;
  bool fFlat = false;
  bool fTransparent = false;
  bool fCtlXP = true;
  TColor fFontColor = clWindowText;
  bool fHot = false;
  bool fEntered = false;
  int fTag = 0;
  QPointer<TZCLFaceController> fFaceController;
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
  TZCLBevel& Bevel() { return *fBevel; }
  const TZCLBevel& Bevel() const { return *fBevel; }
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
  std::unique_ptr<TZCLBevel> fBevel;
};

}  // namespace zyn
