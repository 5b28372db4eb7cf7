#pragma once
// Bases of the library's small controls without their own focus (buttons, spin buttons): an
// update count, mouse enter and exit events and the report of a move or resize.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBevel.h"
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

  bool IsUpdating() const { return updateCount_ > 0; }
  void BeginLoading() { loading_ = true; }
  void EndLoading();
  bool IsLoading() const { return loading_; }

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }
  QString Caption() const { return caption_; }
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

  int updateCount_ = 0;

 private:
  bool loading_ = false;
  bool inSetBounds_ = false;
  int pendingFlags_ = 0;
  TColor color_ = clBtnFace;
  bool ctlXP_ = false;
  int tag_ = 0;
  QString caption_;
};

class TZCLBaseControl : public TZCLControl {
  Q_OBJECT
 public:
  explicit TZCLBaseControl(QWidget* parent = nullptr) : TZCLControl(parent) {}
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int value);

 protected:
  virtual void ImageChanged() { Change(); }

 private:
  int imageIndex_ = 0;
  int listIndex_ = 0;
};

class TZCLBaseGraphicControl : public TZCLBaseControl {
  Q_OBJECT
 public:
  explicit TZCLBaseGraphicControl(QWidget* parent = nullptr);
  bool IsTransparent() const { return transparent_; }
  void SetTransparentFace(bool value);

 private:
  bool transparent_ = true;
};

class TZCLGraphicControl : public TZCLBaseGraphicControl {
  Q_OBJECT
 public:
  explicit TZCLGraphicControl(QWidget* parent = nullptr);
  TZCLBevel& Bevel() { return *bevel_; }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  std::unique_ptr<TZCLBevel> bevel_;
};

}  // namespace zyn
