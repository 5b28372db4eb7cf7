#include "print/ui/GmThumbnails.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zyn {

TGmThumbnail::TGmThumbnail(TGmThumbnails* strip, int index) : TGmPaperImage(strip), fStrip(strip), fIndex(index) {}

void TGmThumbnail::SetSelected(bool s) {
  if (s == fSelected) return;
  fSelected = s;
  update();
}

QString TGmThumbnail::Caption() const {
  QString text = QString::fromStdString(fStrip->PageCaptions());
  return text.replace(QLatin1Char('#'), QString::number(fIndex + 1));
}

void TGmThumbnail::paintEvent(QPaintEvent* e) {
  if (fStrip->Updating()) return;
  if (fSelected && fStrip->HighlightStyle() == gmBackground) {
    QPainter p(this);
    p.fillRect(rect(), fStrip->SelectedColor());
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  TGmPaperImage::paintEvent(e);
}

void TGmThumbnail::PaintExtras(QPainter& painter) {
  if (fStrip->ShowCaption()) {
    painter.setFont(fStrip->CaptionFont());
    QColor colour = palette().color(QPalette::WindowText);
    if (fSelected) colour = fStrip->SelectedColor();
    if (colour == fStrip->SelectedColor() && fStrip->HighlightStyle() == gmBackground)
      colour = qGray(colour.rgb()) > 127 ? Qt::black : Qt::white;
    painter.setPen(colour);
    const int y = height() - Gutter().bottom() + 4;
    painter.drawText(QRect(0, y, width(), Gutter().bottom()), Qt::AlignHCenter | Qt::AlignTop, Caption());
  }
  if (fSelected && fStrip->HighlightStyle() != gmBackground) {
    painter.setPen(QPen(fStrip->SelectedColor(), fStrip->HighlightStyle() == gmThickLine ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(PageRect());
  }
}

void TGmThumbnail::mousePressEvent(QMouseEvent* e) {
  fPressed = e->button() == Qt::LeftButton;
  fPressAt = e->position().toPoint();
  if (e->button() == Qt::LeftButton) fStrip->ThumbClicked(fIndex);
  TGmPaperImage::mousePressEvent(e);
}

void TGmThumbnail::mouseMoveEvent(QMouseEvent* e) {
  TGmPaperImage::mouseMoveEvent(e);
  if (!fPressed || !(e->buttons() & Qt::LeftButton) || fStrip->Updating()) return;
  if ((e->position().toPoint() - fPressAt).manhattanLength() < QApplication::startDragDistance()) return;
  fPressed = false;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kGmPageMime), QByteArray::number(fIndex + 1));
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->setPixmap(grab(PageRect()).scaledToWidth(std::max(16, PageRect().width() / 2)));
  drag->exec(Qt::CopyAction);
}

void TGmThumbnail::contextMenuEvent(QContextMenuEvent* e) { fStrip->ShowPopup(fIndex, e->globalPos()); }

TGmThumbnails::TGmThumbnails(QWidget* parent) : QScrollArea(parent), fBox(new QWidget) {
  fShadow.Width = 2;
  setWidget(fBox);
  setWidgetResizable(false);
  setBackgroundRole(QPalette::Dark);
}

TGmThumbnails::~TGmThumbnails() {
  if (fPreview) fPreview->UnlinkThumbnails(this);
}

void TGmThumbnails::SetPreview(TGmPreview* preview) {
  if (fPreview) {
    Free();
    fPreview->UnlinkThumbnails(this);
  }
  fPreview = preview;
  if (fPreview) {
    fPreview->LinkThumbnails(this);
    Rebuild();
  }
}

void TGmThumbnails::PreviewDestroyed() {
  Free();
  fPreview = nullptr;
}

void TGmThumbnails::SetGridWidth(int width) {
  if (width == fGridWidth) return;
  fGridWidth = width;
  LayoutThumbs();
}

void TGmThumbnails::SetLayout(TGmThumbNailLayout layout) {
  if (layout == fLayout) return;
  fLayout = layout;
  LayoutThumbs();
}

void TGmThumbnails::SetShowCaption(bool show) {
  fShowCaption = show;
  Rebuild();
}

void TGmThumbnails::SetThumbSize(int size) {
  fThumbSize = size;
  Rebuild();
}

void TGmThumbnails::SetThumbSpacing(int spacing) {
  fThumbSpacing = spacing;
  Rebuild();
}

void TGmThumbnails::SetCaptionFont(const QFont& font) {
  fCaptionFont = font;
  Rebuild();
}

void TGmThumbnails::SetHighlight(bool on) {
  fHighlight = on;
  Repaint();
}

void TGmThumbnails::SetHighlightStyle(TGmHighlightStyle style) {
  fHighlightStyle = style;
  Repaint();
}

void TGmThumbnails::SetPageCaptions(const std::string& captions) {
  fPageCaptions = captions;
  Repaint();
}

void TGmThumbnails::SetPlainPages(bool plain) {
  fPlain = plain;
  for (TGmThumbnail* t : fThumbs) t->SetDrawObjects(!plain);
}

void TGmThumbnails::SetSelectedColor(const QColor& colour) {
  fSelectedColor = colour;
  Repaint();
}

void TGmThumbnails::SetShadow(const TGmShadow& shadow) {
  fShadow = shadow;
  Repaint();
}

void TGmThumbnails::ShowPopup(int index, const QPoint& globalPos) {
  if (!fPopup) return;
  fPopupIndex = index;
  fPopup->popup(globalPos);
}

void TGmThumbnails::Free() {
  for (TGmThumbnail* t : fThumbs) delete t;
  fThumbs.clear();
  fSelected = -1;
}

void TGmThumbnails::Rebuild() {
  Free();
  if (!fPreview) return;
  ++fRebuilds;
  const int c = fShowCaption ? QFontMetrics(fCaptionFont).height() + 4 : 0;
  for (int i = 0; i < fPreview->PageCount(); ++i) {
    auto* t = new TGmThumbnail(this, i);
    t->setParent(fBox);
    t->SetShadow(&fShadow);
    t->SetPage(fPreview->Pages().GetPage(i + 1));
    t->SetGutter(QMargins(fThumbSpacing, fThumbSpacing, fThumbSpacing, fThumbSpacing + c));
    t->SetZoom(fThumbSize + 2);
    t->SetDrawObjects(!fPlain);
    t->resize(t->sizeHint());
    fThumbs.push_back(t);
  }
  LayoutThumbs();
  Select(fPreview->CurrentPage() - 1);
}

void TGmThumbnails::LayoutThumbs() {
  int x = 0, y = 0, right = 0, bottom = 0;
  for (size_t i = 0; i < fThumbs.size(); ++i) {
    TGmThumbnail* t = fThumbs[i];
    t->move(x, y);
    t->show();
    right = std::max(right, x + t->width());
    bottom = std::max(bottom, y + t->height());
    if (fLayout == gmThumbHorz)
      x += t->width() - 1;
    else if (fLayout == gmThumbVert)
      y += t->height() - 1;
    else if ((i + 1) % static_cast<size_t>(std::max(1, fGridWidth)) == 0) {
      x = 0;
      y += t->height() - 1;
    } else {
      x += t->width() - 1;
    }
  }
  fBox->resize(std::max(right, 1), std::max(bottom, 1));
}

void TGmThumbnails::Select(int index) {
  if (index == fSelected) return;
  if (fSelected >= 0 && fSelected < Count()) fThumbs[static_cast<size_t>(fSelected)]->SetSelected(false);
  fSelected = index;
  if (index >= 0 && index < Count()) {
    if (fHighlight) fThumbs[static_cast<size_t>(index)]->SetSelected(true);
    if (fPreview && ScrollIntoView) ensureWidgetVisible(fThumbs[static_cast<size_t>(index)], 0, 0);
  }
}

void TGmThumbnails::PreviewMessage(TGmStripMessage message) {
  switch (message) {
    case gmMsgUpdateBegins:
      ++fUpdate;
      break;
    case gmMsgUpdateEnds:
      if (fUpdate > 0) --fUpdate;
      if (fUpdate == 0) Rebuild();
      break;
    case gmMsgRepaint:
      Repaint();
      break;
    case gmMsgPageCount:
    case gmMsgPaperSize:
      if (fUpdate == 0) Rebuild();
      break;
    case gmMsgPageChanged:
      Select(-1);
      if (fPreview) Select(fPreview->CurrentPage() - 1);
      Repaint();
      break;
    case gmMsgCurrentPage:
      if (fPreview) Select(fPreview->CurrentPage() - 1);
      break;
    case gmMsgPagesPerSheet:
    case gmMsgOrientation:
    case gmMsgPrinter:
      break;  // the thumbnails show pages, not sheets
  }
}

void TGmThumbnails::Repaint() {
  for (TGmThumbnail* t : fThumbs) t->update();
}

void TGmThumbnails::ThumbClicked(int index) {
  if (fUpdate > 0) return;
  Select(index);
  if (fPreview) fPreview->SetCurrentPage(index + 1);
}

}  // namespace zyn
