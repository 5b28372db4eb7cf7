#include "widgets/common/FthHint.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>

namespace zyn {

QImage HintPanelPicture(TFourthHintPanelImage kind) {
  QStyle::StandardPixmap sp;
  switch (kind) {
    case piError:
      sp = QStyle::SP_MessageBoxCritical;
      break;
    case piInformation:
      sp = QStyle::SP_MessageBoxInformation;
      break;
    case piQuestion:
      sp = QStyle::SP_MessageBoxQuestion;
      break;
    case piWarning:
    case piWarning2:
      sp = QStyle::SP_MessageBoxWarning;
      break;
    default:
      return {};
  }
  QImage img = QApplication::style()->standardIcon(sp).pixmap(16, 16).toImage();
  if (img.isNull() || img.size() != QSize(16, 16)) {
    QImage blank(16, 16, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    return blank;
  }
  return img;
}

TFourthHintPanelOptions::TFourthHintPanelOptions(std::function<void()> changed) : fChanged(std::move(changed)) {
  fBuiltIn = HintPanelPicture(fPanelImage);
}

void TFourthHintPanelOptions::Changed() {
  if (fChanged) fChanged();
}

#define ZYN_HINT_SETTER(Name, Type, field)          \
  void TFourthHintPanelOptions::Set##Name(Type v) { \
    if (v == field) return;                         \
    field = v;                                      \
    Changed();                                      \
  }
ZYN_HINT_SETTER(BackgroundColor, TColor, fBackgroundColor)
ZYN_HINT_SETTER(BorderColor, TColor, fBorderColor)
ZYN_HINT_SETTER(LeftBorder, int, fLeftBorder)
ZYN_HINT_SETTER(TopBorder, int, fTopBorder)
ZYN_HINT_SETTER(RightBorder, int, fRightBorder)
ZYN_HINT_SETTER(TransparentColor, TColor, fTransparentColor)
ZYN_HINT_SETTER(WordWrap, bool, fWordWrap)
ZYN_HINT_SETTER(VertAlignment, TFourthHintPanelVertAlignment, fVert)
ZYN_HINT_SETTER(HorzAlignment, TFourthHintPanelHorzAlignment, fHorz)
#undef ZYN_HINT_SETTER

void TFourthHintPanelOptions::SetPanelImage(TFourthHintPanelImage kind) {
  if (kind == fPanelImage) return;
  fPanelImage = kind;
  if (kind != piCustom) fBuiltIn = HintPanelPicture(kind);
  Changed();
}

void TFourthHintPanelOptions::SetCustomPanelImage(const QImage* image) {
  if (!image) return;
  fCustomImage = image->copy();
  Changed();
}

QImage TFourthHintPanelOptions::ShownPicture() const {
  if (fPanelImage != piCustom) return fBuiltIn;
  if (fCustomImage.isNull() || fTransparentColor == clNone) return fCustomImage;
  QImage out = fCustomImage.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(fTransparentColor).rgb();
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if ((out.pixel(x, y) | 0xFF000000u) == (key | 0xFF000000u)) out.setPixel(x, y, 0);
  return out;
}

TFourthHintPanel::TFourthHintPanel(QWidget* parent) : QWidget(parent), fOptions([this] { update(); }) {
  resize(171, 36);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

void TFourthHintPanel::SetCaption(const QString& caption) {
  if (caption == fRawCaption) return;
  fRawCaption = caption;
  fCaption = caption;
  fCaption.replace(QLatin1Char('&'), QStringLiteral("&&"));
  update();
}

TRect TFourthHintPanel::TextRect() const {
  TRect r = Rect(0, 0, width(), height());
  r.Left += fOptions.LeftBorder() + 1;
  r.Top += fOptions.TopBorder() + 1;
  r.Right -= fOptions.LeftBorder() + 1;
  r.Bottom -= fOptions.TopBorder() + 1;
  r.Left += fOptions.ShownPicture().width() + fOptions.RightBorder();
  return r;
}

void TFourthHintPanel::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  c.Font.Font = font();
  c.Font.Color = isEnabled() ? clInfoText : clGrayText;
  TRect r = Rect(0, 0, width(), height());
  c.Brush.Style = bsSolid;
  c.Brush.Color = fOptions.BackgroundColor();
  c.FillRect(r);
  c.Brush.Color = fOptions.BorderColor();
  c.FrameRect(r);
  r.Left += fOptions.LeftBorder() + 1;
  r.Top += fOptions.TopBorder() + 1;
  r.Right -= fOptions.LeftBorder() + 1;
  r.Bottom -= fOptions.TopBorder() + 1;
  const QImage picture = fOptions.ShownPicture();
  if (!picture.isNull()) c.Painter().drawImage(r.Left, r.Top, picture);
  TRect tr = TextRect();
  unsigned flags = DT_EXPANDTABS | DT_END_ELLIPSIS;
  flags |= fOptions.HorzAlignment() == haCenter ? DT_CENTER : fOptions.HorzAlignment() == haRight ? DT_RIGHT : DT_LEFT;
  if (fOptions.WordWrap()) {
    flags |= DT_WORDBREAK;
    // wrapped text is placed vertically by its measured height
    TRect measure = tr;
    const int h = c.DrawText(fCaption, measure, flags | DT_CALCRECT);
    if (fOptions.VertAlignment() == vaCenter) tr.Top += std::max(0, (tr.Height() - h) / 2);
    if (fOptions.VertAlignment() == vaBottom) tr.Top = std::max(tr.Top, tr.Bottom - h);
  } else {
    flags |= DT_SINGLELINE;
    flags |= fOptions.VertAlignment() == vaCenter   ? DT_VCENTER
             : fOptions.VertAlignment() == vaBottom ? DT_BOTTOM
                                                    : DT_TOP;
  }
  c.Brush.Style = bsClear;
  c.DrawText(fCaption, tr, flags);
}

void TFourthHintPanel::enterEvent(QEnterEvent*) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFourthHintPanel::leaveEvent(QEvent*) {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TFourthHintPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick(this);
}

void TFourthHintPanel::mouseDoubleClickEvent(QMouseEvent*) {
  if (OnDblClick) OnDblClick(this);
}

void TFourthHintPanel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
      event->type() == QEvent::PaletteChange)
    update();
}

}  // namespace zyn
