#pragma once
// A panel with bevels, a caption and a tiled background picture: its own picture, or while that
// is empty the picture of an attached holder, or else its plain colour.

#include "platform/Canvas.h"
#include "widgets/common/BitmapHolder.h"
#include "widgets/common/WidgetTypes.h"

#include <QPointer>
#include <QWidget>

namespace zyn {

class TPaneles : public QWidget {
  Q_OBJECT
 public:
  explicit TPaneles(QWidget* parent = nullptr);
  ~TPaneles() override;

  const QImage& Bitmap() const { return fBitmap; }
  void SetBitmap(const QImage& bitmap);  // a null image clears the own picture
  // The attached holder (also while the own picture covers it).
  TBitmapHolder* BitmapHolder() const { return fHolderWhileOwn; }
  TBitmapHolder* AttachedHolder() const;
  // True while the panel listens to its holder's changes.
  bool ListensToHolder() const { return fLink.Holder() != nullptr; }
  void SetBitmapHolder(TBitmapHolder* holder);

  TColor Color() const { return fColor; }
  void SetColor(TColor color);
  TBevelCut BevelInner() const { return fBevelInner; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return fBevelOuter; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return fBevelWidth; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int width);
  const QString& Caption() const { return fCaption; }
  void SetCaption(const QString& caption);
  TTextAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TTextAlignment alignment);

  // How many times the panel painted itself (the tests watch repaints through it).
  int PaintCount() const { return fPaintCount; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Bevels and border inward from r; r becomes the inner rectangle.
  void DrawFrame(TCanvas& c, TRect& r) const;
  virtual void PaintBackground(TCanvas& c);

 private:
  bool HasOwnPicture() const { return !fBitmap.isNull(); }

  QImage fBitmap;
  TLinkChange fLink;
  QPointer<TBitmapHolder> fHolderWhileOwn;
  TColor fColor = clBtnFace;
  TBevelCut fBevelInner = TBevelCut::bvNone;
  TBevelCut fBevelOuter = TBevelCut::bvRaised;
  int fBevelWidth = 1;
  int fBorderWidth = 0;
  QString fCaption;
  TTextAlignment fAlignment = TTextAlignment::taCenter;
  int fPaintCount = 0;
};

}  // namespace zyn
