#pragma once
// Bases of the library's small controls without their own focus (buttons, spin buttons): an
// update count, mouse enter and exit events and the report of a move or resize.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBackground.h"
#include "widgets/controls/ZCLBevel.h"
#include "widgets/controls/ZCLBitmapEffect.h"
#include "widgets/controls/ZCLObject.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace zyn {

enum : int { bcResized = 1, bcMoved = 2 };

class TZCLControl : public QWidget {
  Q_OBJECT
 public:
  explicit TZCLControl(QWidget* parent = nullptr);

  TZCLNotifyEvent OnMouseEnter;
  TZCLNotifyEvent OnMouseExit;
  TZCLNotifyEvent OnClick;
  TZCLNotifyEvent OnDblClick;
  // Called with bcMoved and/or bcResized after the bounds changed (not while loading).
  std::function<void(QObject* Sender, int flags)> OnBoundsChanged;

  bool IsUpdating() const { return fUpdateCount > 0; }
  void BeginLoading() { fLoading = true; }
  void EndLoading();
  bool IsLoading() const { return fLoading; }

  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool CtlXP() const { return fCtlXP; }
  void SetCtlXP(bool value);
  int Tag() const { return fTag; }
  void SetTag(int value) { fTag = value; }
  QString Caption() const { return fCaption; }
  void SetCaption(const QString& value);
  // Sets left, top, width and height at once and reports the change once.
  void SetBounds(int left, int top, int w, int h);

 protected:
  virtual void Loaded() {}
  virtual void Change();
  virtual void BoundsChanged(int flags);
  virtual void MouseEntered();
  virtual void MouseLeft();
  virtual void Paint(TCanvas& canvas);

  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

  int fUpdateCount = 0;

 private:
  bool fLoading = false;
  bool fInSetBounds = false;
  int fPendingFlags = 0;
  TColor fColor = clBtnFace;
  bool fCtlXP = false;
  int fTag = 0;
  QString fCaption;
};

// Adds the image indexes and the background effect, and paints over the parent's picture when its
// face is transparent (IZCLBackground as a user of the parent's background).
class TZCLBaseControl : public TZCLControl, public IZCLBackground {
  Q_OBJECT
 public:
  explicit TZCLBaseControl(QWidget* parent = nullptr);
  TZCLBitmapEffectObject& BackFX() { return *fBackFX; }
  bool BackgroundAvailable() const override { return UsesBackground(); }
  QImage BackgroundBitmap() const override;
  bool TransparentCapable() const override { return FaceTransparent(); }
  QPoint BackgroundOrigin(const QWidget* child) const override { return child->pos(); }
  std::vector<QObject*> BackgroundUsers() const override { return {}; }
  void BackgroundRefresh() override { update(); }
  // The face is transparent and the parent offers a picture.
  bool UsesBackground() const {
    return FaceTransparent() && ZCLUsesParentBackground(const_cast<TZCLBaseControl*>(this));
  }
  int ImageIndex() const { return fImageIndex; }
  void SetImageIndex(int value);
  int ListIndex() const { return fListIndex; }
  void SetListIndex(int value);

 protected:
  virtual void ImageChanged() { Change(); }
  // Whether the face leaves the background to the parent.
  virtual bool FaceTransparent() const { return false; }
  // The background under r: the parent's picture for a transparent face, else the colour; then
  // the background effects.
  void PaintBackground(TCanvas& canvas, const TRect& r, TColor color);
  void BoundsChanged(int flags) override;

 private:
  std::unique_ptr<TZCLBitmapEffectObject> fBackFX;
  int fImageIndex = 0;
  int fListIndex = 0;
};

class TZCLBaseGraphicControl : public TZCLBaseControl {
  Q_OBJECT
 public:
  explicit TZCLBaseGraphicControl(QWidget* parent = nullptr);
  bool IsTransparent() const { return fTransparent; }
  void SetTransparentFace(bool value);

 protected:
  bool FaceTransparent() const override { return fTransparent; }

 private:
  bool fTransparent = true;
};

class TZCLGraphicControl : public TZCLBaseGraphicControl {
  Q_OBJECT
 public:
  explicit TZCLGraphicControl(QWidget* parent = nullptr);
  TZCLBevel& Bevel() { return *fBevel; }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  std::unique_ptr<TZCLBevel> fBevel;
};

}  // namespace zyn
