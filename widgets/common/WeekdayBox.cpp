#include "widgets/common/WeekdayBox.h"

#include "platform/Canvas.h"
#include "widgets/common/DayNames.h"
#include "widgets/common/Glyphs.h"
#include "widgets/common/TimeEdit.h"
#include "widgets/common/WidgetText.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace zyn {

TWeekdayBox::TWeekdayBox(QWidget* parent, const char* caption, const char* boxText) : QWidget(parent) {
  resize(340, 70);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  QFont f = font();
  f.setPointSize(8);
  setFont(f);
  fCaptionFont = f;
  fEditLabelFont = f;
  fCaption = TranslatedText(caption);
  fBoxText = TranslatedText(boxText);
  fEditCaption = TranslatedText("Schaltzeit:");
  fEdit = new TTimeEdit(this);
  fEdit->setGeometry(70, 35, 150, fEdit->sizeHint().height());
  fEdit->OnChange = [this](QObject*) { Change(); };
  fEdit->OnValidateError = [this](QObject*) { ValidateError(); };
  fEdit->OnTranslate = [this](QObject*, const QString& text) { return Translate(text); };
}

void TWeekdayBox::SetDayMask(int mask) {
  if (mask == fDayMask) return;
  fDayMask = mask;
  update();
}

void TWeekdayBox::SetCaption(const QString& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  update();
}

void TWeekdayBox::SetEditCaption(const QString& caption) {
  if (caption == fEditCaption) return;
  fEditCaption = caption;
  const int left = QFontMetrics(fEditLabelFont).horizontalAdvance(caption) + 20;
  fEdit->setGeometry(left, fEdit->y(), width() - left - 10, fEdit->height());
  update();
}

QString TWeekdayBox::Time() const { return fEdit->Text(); }

void TWeekdayBox::SetTime(const QString& time) { fEdit->SetText(time); }

void TWeekdayBox::SetLanguage(int languageId) {
  if (languageId == fLanguage) return;
  fLanguage = languageId;
  update();
}

QFont TWeekdayBox::EditFont() const { return fEdit->font(); }

void TWeekdayBox::SetEditFont(const QFont& font) { fEdit->setFont(font); }

QRect TWeekdayBox::GlyphRect(int index) const {
  const int x = index * ((width() - 15) / 8) + 10;
  return ToQRect(Rect(x, 15, x + kGlyphSize + 2, 15 + kGlyphSize + 2));
}

int TWeekdayBox::GlyphAt(const QPoint& p) const {
  if (p.y() > 255) return -1;
  for (int i = 0; i < 8; ++i) {
    const TRect r = FromQRect(GlyphRect(i));
    if (p.x() > r.Left && p.x() < r.Right + 15 && p.y() >= r.Top && p.y() <= r.Bottom) return i;
  }
  return -1;
}

void TWeekdayBox::Change() {
  if (OnChange) OnChange(this);
}

void TWeekdayBox::ValidateError() {
  if (OnValidateError) OnValidateError(this);
}

QString TWeekdayBox::Translate(const QString& text) {
  QString result = text;
  if (OnTranslate) {
    try {
      result = OnTranslate(this, text);
    } catch (...) {
      // a failing translation handler leaves the text as it is
    }
  }
  return result;
}

void TWeekdayBox::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  const TColor back = FromQColor(palette().color(QPalette::Window));
  c.Brush.Color = back;
  c.FillRect(Rect(0, 0, width(), height()));
  c.Font.Font = fCaptionFont;
  c.Font.Color = isEnabled() ? clWindowText : clGrayText;
  DrawGroupFrame(c, Rect(0, 0, width(), height()), fCaption, back);
  c.Brush.Style = bsClear;
  const QFontMetrics wwMetrics(font());
  for (int i = 0; i < 8; ++i) {
    const QRect g = GlyphRect(i);
    DrawGlyph(c.Painter(), this, g.adjusted(1, 1, -1, -1), IsRadio() ? gkRadioButton : gkCheckBox, IsChecked(i),
              i == fHot, isEnabled());
    QFont f = font();
    f.setBold(GlyphText(i) == fBoxText);
    c.Font.Font = f;
    TRect textRect = Rect(g.right() + 3, g.top(), g.right() + 3 + wwMetrics.horizontalAdvance("WWWW"), g.bottom() + 1);
    c.DrawText(GlyphText(i), textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP);
  }
  c.Font.Font = fEditLabelFont;
  c.TextOut(10, 40, fEditCaption);
}

void TWeekdayBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int ww = QFontMetrics(font()).horizontalAdvance("WW");
  int hot = -1;
  for (int i = 0; i < 8 && hot < 0; ++i) {
    const QRect g = GlyphRect(i);
    if (p.y() >= g.top() && p.y() <= g.bottom() + 1 && p.x() >= g.left() && p.x() <= g.right() + 1 + ww) hot = i;
  }
  if (hot != fHot) {
    fHot = hot;
    update();
  }
}

void TWeekdayBox::leaveEvent(QEvent*) {
  if (fHot != -1) {
    fHot = -1;
    update();
  }
}

void TWeekdayBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const bool due = Click(GlyphAt(event->position().toPoint()));
  update();
  if (due) Change();
}

void TWeekdayBox::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    fEdit->setEnabled(isEnabled());
    update();
  }
}

void TWeekdayBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (OnExit) OnExit(this);
}

TWTSelectBox::TWTSelectBox(QWidget* parent) : TWeekdayBox(parent, " Schalttage ", "Alle") {}

void TWTSelectBox::SetAlleText(const QString& text) {
  if (text == fBoxText) return;
  fBoxText = text;
  update();
}

bool TWTSelectBox::IsChecked(int glyph) const { return glyph == 7 ? fDayMask == 127 : ((fDayMask >> glyph) & 1) != 0; }

bool TWTSelectBox::Click(int glyph) {
  if (glyph == 7)
    fDayMask = fDayMask == 127 ? 0 : 127;
  else if (glyph >= 0)
    fDayMask ^= 1 << glyph;
  return true;  // the box reports every click on it
}

QString TWTSelectBox::GlyphText(int glyph) const { return glyph == 7 ? fBoxText : ShortDayName(Language(), glyph); }

TOneDay::TOneDay(QWidget* parent) : TWeekdayBox(parent, " Schalttag ", "Aus") {}

void TOneDay::SetAustext(const QString& text) {
  if (text == fBoxText) return;
  fBoxText = text;
  update();
}

bool TOneDay::IsChecked(int glyph) const { return glyph == 0 ? fDayMask == 0 : ((fDayMask >> (glyph - 1)) & 1) != 0; }

bool TOneDay::Click(int glyph) {
  if (glyph < 0) return false;
  fDayMask = glyph == 0 ? 0 : 1 << (glyph - 1);
  return true;
}

QString TOneDay::GlyphText(int glyph) const { return glyph == 0 ? fBoxText : ShortDayName(Language(), glyph - 1); }

}  // namespace zyn
