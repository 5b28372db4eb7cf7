#include "widgets/common/Paneles.h"

#include <QFontMetrics>

namespace zyn {

TPaneles::TPaneles(QWidget* parent) : QWidget(parent) {
  fLink.OnChange = [this](QObject*) { update(); };
}

TPaneles::~TPaneles() = default;

void TPaneles::SetBitmap(const QImage& bitmap) {
  fBitmap = bitmap.isNull() ? QImage() : bitmap.copy();
  if (TBitmapHolder* holder = fLink.Holder()) {
    // the own picture takes over from the holder; without it the holder serves again
    if (!fBitmap.isNull()) holder->UnregisterLink(&fLink);
  } else if (fBitmap.isNull() && fHolderWhileOwn) {
    fHolderWhileOwn->RegisterLink(&fLink);
  }
  update();
}

void TPaneles::SetBitmapHolder(TBitmapHolder* holder) {
  if (TBitmapHolder* old = fLink.Holder()) old->UnregisterLink(&fLink);
  fHolderWhileOwn = holder;
  if (holder && fBitmap.isNull()) holder->RegisterLink(&fLink);
  update();
}

TBitmapHolder* TPaneles::AttachedHolder() const { return fHolderWhileOwn; }

void TPaneles::SetColor(TColor color) {
  if (color == fColor) return;
  fColor = color;
  update();
}

void TPaneles::SetBevelInner(TBevelCut cut) {
  fBevelInner = cut;
  update();
}

void TPaneles::SetBevelOuter(TBevelCut cut) {
  fBevelOuter = cut;
  update();
}

void TPaneles::SetBevelWidth(int width) {
  fBevelWidth = width;
  update();
}

void TPaneles::SetBorderWidth(int width) {
  fBorderWidth = width;
  update();
}

void TPaneles::SetCaption(const QString& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  update();
}

void TPaneles::SetAlignment(TTextAlignment alignment) {
  fAlignment = alignment;
  update();
}

void TPaneles::DrawFrame(TCanvas& c, TRect& r) const {
  const auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    const TColor topLeft = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
    for (int i = 0; i < fBevelWidth; ++i) {
      c.Pen.Color = topLeft;
      c.MoveTo(r.Left, r.Bottom - 1);
      c.LineTo(r.Left, r.Top);
      c.LineTo(r.Right - 1, r.Top);
      c.Pen.Color = bottomRight;
      c.LineTo(r.Right - 1, r.Bottom - 1);
      c.LineTo(r.Left - 1, r.Bottom - 1);
      InflateRect(r, -1, -1);
    }
  };
  bevel(fBevelOuter);
  if (fBorderWidth > 0) {
    c.Brush.Color = fColor;
    c.Brush.Style = bsSolid;
    for (int i = 0; i < fBorderWidth; ++i) {
      c.FrameRect(r);
      InflateRect(r, -1, -1);
    }
  }
  bevel(fBevelInner);
}

void TPaneles::PaintBackground(TCanvas& c) {
  const TRect client = Rect(0, 0, width(), height());
  TBitmapHolder* holder = fLink.Holder();
  if (HasOwnPicture()) {
    TileImage(c.Painter(), fBitmap, client);
  } else if (holder && !holder->IsEmpty()) {
    holder->Tile(c.Painter(), client);
  } else {
    c.Brush.Color = fColor;
    c.Brush.Style = bsSolid;
    c.FillRect(client);
  }
}

void TPaneles::paintEvent(QPaintEvent*) {
  ++fPaintCount;
  TCanvas c(this);
  c.Font.Font = font();
  PaintBackground(c);
  TRect r = Rect(0, 0, width(), height());
  DrawFrame(c, r);
  if (fCaption.isEmpty()) return;
  TRect tr = Rect(0, 0, width(), height());
  const int th = c.TextHeight("W");
  tr.Top = (height() - th) / 2;
  tr.Bottom = tr.Top + th;
  c.Brush.Style = bsClear;
  c.Font.Color = clBtnText;
  const unsigned align = fAlignment == TTextAlignment::taCenter         ? DT_CENTER
                         : fAlignment == TTextAlignment::taRightJustify ? DT_RIGHT
                                                                        : DT_LEFT;
  c.DrawText(fCaption, tr, align | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace zyn
