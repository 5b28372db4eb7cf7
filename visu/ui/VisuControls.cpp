#include "visu/ui/VisuControls.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "platform/Colors.h"
#include "platform/QtText.h"

#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <cstdio>

namespace zyn {

namespace {

const TDesignPolicy kControlPolicy{};

bool ReadDesignOrData(TVisuDesign& design, TVisuData* data, std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Design.")) return design.ReadProperty(name.substr(7), v);
  if (data && StartsWith(name, "VisuData.")) return data->ReadProperty(name.substr(9), v);
  return false;
}

void DrawFocusRect(QWidget* w, QPainter& p, const QRect& r) {
  QStyleOptionFocusRect opt;
  opt.initFrom(w);
  opt.rect = r;
  w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, w);
}

// The shape of a round LED in r, in the painter's pen and brush.
void DrawRoundShape(QPainter& p, TShapeType shape, const QRect& r, int radius) {
  if (shape == TShapeType::stRoundRect || shape == TShapeType::stRoundSquare)
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), radius / 2.0, radius / 2.0);
  else
    p.drawEllipse(r.adjusted(0, 0, -1, -1));
}

}  // namespace

// ---- TVisuControl -------------------------------------------------------------------------------

TVisuControl::TVisuControl(QWidget* parent)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kControlPolicy) {
  Font.Color = TVisuColors::clWhite;
  Font.Style = TVisuFont::fsBold;
  setAttribute(Qt::WA_NoSystemBackground);
}

void TVisuControl::SetShowHint(bool on) {
  fShowHint = on;
  UpdateToolTip();
}

void TVisuControl::SetHint(const std::string& hint) {
  TVisuComponent::SetHint(hint);
  UpdateToolTip();
}

void TVisuControl::UpdateToolTip() {
  // In the designer the hint names the bound channel; at run time it is the control's own.
  const std::string& text = Designing() ? VisuData.Hint : Hint();
  setToolTip(fShowHint || Designing() ? ToQString(text) : QString());
  setToolTipDuration(Designing() ? 10000 : -1);
}

void TVisuControl::GetBinding(int32_t& s, int32_t& m, int32_t& k, TKanalArt& kind, std::string& name) {
  s = VisuData.Steuermodul, m = VisuData.Modul, k = VisuData.Kanal, kind = VisuData.KanalArt, name = VisuData.Hint;
}

void TVisuControl::SetBinding(int32_t s, int32_t m, int32_t k, TKanalArt kind, const std::string& name) {
  VisuData.Steuermodul = s, VisuData.Modul = m, VisuData.Kanal = k, VisuData.KanalArt = kind;
  VisuData.Hint = name;
  SetShowHint(true);
}

bool TVisuControl::IsBoundTo(int32_t s, int32_t m, int32_t k, TKanalArt kind) const {
  return s == VisuData.Steuermodul && m == VisuData.Modul && k == VisuData.Kanal && kind == VisuData.KanalArt;
}

TVisuState TVisuControl::GetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind) {
  return IsBoundTo(s, m, k, kind) ? VisuData.Status() : TVisuState::vsUnknown;
}

void TVisuControl::SetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind, TVisuState state) {
  if (IsBoundTo(s, m, k, kind)) VisuData.SetStatus(state);  // repaints only on a change
}

int TVisuControl::GetFrameOffset() const {
  return Design.FrameStyle() != TFrameStyle::fsNone ? Design.FrameWidth() : 0;
}

QRect TVisuControl::GetInnerRect() const {
  if (Design.FrameStyle() == TFrameStyle::fsNone) return GetFullRect();
  const int d = Design.FrameWidth() + Design.BorderWidth();
  return QRect(QPoint(d, d), QPoint(width() - d - 1, height() - d - 1));
}

int TVisuControl::GetInnerWidth() const {
  if (Design.FrameStyle() == TFrameStyle::fsNone) return width();
  return width() - 2 * Design.FrameWidth() - 2 * Design.BorderWidth();
}

int TVisuControl::GetInnerHeight() const {
  if (Design.FrameStyle() == TFrameStyle::fsNone) return height();
  return height() - 2 * Design.FrameWidth() - 2 * Design.BorderWidth();
}

void TVisuControl::DrawFrame(QPainter& p) {
  if (Design.FrameStyle() == TFrameStyle::fsNone) return;
  const bool sunken = Design.FrameStyle() == TFrameStyle::fsSunken;
  const QColor tl = VisuColor(sunken ? TVisuColors::clBlack : TVisuColors::clWhite);
  const QColor br = VisuColor(sunken ? TVisuColors::clWhite : TVisuColors::clBlack);
  const int fw = Design.FrameWidth();
  const TShapeType shape = Design.Shape();
  if (shape == TShapeType::stRectangle || shape == TShapeType::stSquare) {
    QRect r = GetFullRect();
    Frame3D(p, r, tl, br, fw);
    return;
  }
  const int radius = std::min(GetInnerWidth(), GetInnerHeight()) / 2;
  const QRect r(QPoint(fw, fw), QPoint(width() - 1, height() - 1));
  const int w = width(), h = height();
  QPainterPath above, below;
  above.addPolygon(QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(0, h)}));
  below.addPolygon(QPolygonF({QPointF(w, 0), QPointF(w, h), QPointF(0, h)}));
  p.save();
  p.setClipPath(above);
  p.setPen(QPen(tl, fw));
  DrawRoundShape(p, shape, r, radius);
  p.setClipPath(below);
  p.setPen(QPen(br, fw));
  DrawRoundShape(p, shape, r, radius);
  p.restore();
}

bool TVisuControl::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (ReadDesignOrData(Design, &VisuData, name, v)) return true;
  if (name == "ShowHint")
    SetShowHint(v.AsBoolean());
  else if (name == "UserLevel")
    UserLevel = v.AsInteger();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuControl::WriteProperties(std::vector<TPropertyRecord>& out) const {
  Design.WriteProperties("Design.", out);
  PutBool(out, "ShowHint", fShowHint);
  PutInt(out, "UserLevel", UserLevel);
  VisuData.WriteProperties("VisuData.", out);
}

// ---- TVisuGraphicsControl -----------------------------------------------------------------------

QRect TVisuGraphicsControl::GetSquareRect() const {
  const int iw = GetInnerWidth(), ih = GetInnerHeight();
  const int side = std::min(iw, ih);
  const int off = GetFrameOffset() + Design.BorderWidth();
  int left, top;
  if (height() < width()) {
    left = (iw - ih) / 2 + off;
    top = off;
  } else {
    left = off;
    top = (ih - iw) / 2 + off;
  }
  return QRect(left, top, side, side);
}

void TVisuGraphicsControl::DrawStatusText(QPainter& p) {
  p.setFont(VisuQFont(Design.Font()));
  p.setPen(VisuColor(Design.Font().Color));
  DrawCentred(p, GetFullRect(), ToQString(StateText(Design, VisuData.Status())));
}

void TVisuGraphicsControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor fill = CurrentStateColor();
  p.setPen(fill);
  p.setBrush(fill);
  const TShapeType shape = Design.Shape();
  const bool square =
      shape == TShapeType::stSquare || shape == TShapeType::stRoundSquare || shape == TShapeType::stCircle;
  const QRect area = square ? GetSquareRect() : GetInnerRect();
  if (shape == TShapeType::stRectangle || shape == TShapeType::stSquare) {
    FillOutline(p, area, fill);
    DrawFrame(p);
  } else if (Design.FrameStyle() == TFrameStyle::fsNone) {
    DrawRoundShape(p, shape, area, std::min(GetInnerWidth(), GetInnerHeight()) / 2);
  } else {
    DrawFrame(p);
  }
  if (Design.ShowText()) DrawStatusText(p);
  if (DesignFocus()) {
    p.setPen(fill);
    p.setBrush(Qt::NoBrush);
    p.drawRect(GetFullRect().adjusted(0, 0, -1, -1));
  }
}

// ---- LEDs ---------------------------------------------------------------------------------------

namespace {
void InitLED(TVisuControl& c, int w, int h, TShapeType shape) {
  c.resize(w, h);
  c.Design.SetShape(shape);
  c.Design.SetFrameStyle(TFrameStyle::fsNone);
}
}  // namespace

TVisuRoundLED::TVisuRoundLED(QWidget* parent) : TVisuGraphicsControl(parent) {
  InitLED(*this, 30, 30, TShapeType::stCircle);
}
TVisuSquareLED::TVisuSquareLED(QWidget* parent) : TVisuGraphicsControl(parent) {
  InitLED(*this, 30, 30, TShapeType::stSquare);
}
TVisuRectLED::TVisuRectLED(QWidget* parent) : TVisuGraphicsControl(parent) {
  InitLED(*this, 120, 30, TShapeType::stRectangle);
}
TVisuRectRoundLED::TVisuRectRoundLED(QWidget* parent) : TVisuRectLED(parent) {
  InitLED(*this, 120, 30, TShapeType::stRoundRect);
}
TVisuSquareRoundLED::TVisuSquareRoundLED(QWidget* parent) : TVisuSquareLED(parent) {
  InitLED(*this, 30, 30, TShapeType::stRoundSquare);
}

// ---- TVisuTextIndicator -------------------------------------------------------------------------

TVisuTextIndicator::TVisuTextIndicator(QWidget* parent) : TVisuControl(parent) {
  resize(140, 36);
  Caption.SetCaption("Status mit Text");
  Caption.SetPosition(TCaptionPos::cpRight);
  TVisuFont f = Font;
  f.Color = TVisuColors::clBlack;
  f.Style = TVisuFont::fsBold;
  Caption.SetFont(f);
  Design.SetIndicatorFrame(true);
}

QRect TVisuTextIndicator::IndicatorRect() const {
  const QRect r = GetInnerRect();
  const int right = r.right() + 1, bottom = r.bottom() + 1;  // exclusive edges
  switch (Caption.Position()) {
    case TCaptionPos::cpLeft:
      return QRect(QPoint(right - bottom, r.top()), QPoint(right - 1, bottom - 1));
    case TCaptionPos::cpTop:
      return QRect(QPoint(r.left(), bottom / 2), QPoint(right - 1, bottom - 1));
    case TCaptionPos::cpRight:
      return QRect(QPoint(r.left(), r.top()), QPoint(bottom - 1, bottom - 1));
    case TCaptionPos::cpBottom:
      return QRect(QPoint(r.left(), r.top()), QPoint(right - 1, bottom / 2 - 1));
  }
  return r;
}

void TVisuTextIndicator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = GetInnerRect();
  const QRect ind = IndicatorRect();
  const int W = width(), H = height(), FO = GetFrameOffset(), ih = GetInnerHeight();
  if (!Caption.Transparent()) FillOutline(p, r, VisuColor(Caption.Color()));
  const QColor state = CurrentStateColor();
  FillOutline(p, ind, state);
  // The caption.
  p.setFont(VisuQFont(Caption.Font()));
  p.setPen(VisuColor(Caption.Font().Color));
  const QString cap = ToQString(Caption.Caption());
  QSize ts = TextSize(p, cap);
  int x = 0, y = 0;
  switch (Caption.Position()) {
    case TCaptionPos::cpLeft:
      x = FO + 5, y = (H - ts.height()) / 2;
      break;
    case TCaptionPos::cpTop:
      x = (W - ts.width()) / 2, y = FO + (ih / 2 - ts.height()) / 2;
      break;
    case TCaptionPos::cpRight:
      x = ind.right() + 1 + 5, y = (H - ts.height()) / 2;
      break;
    case TCaptionPos::cpBottom:
      x = (W - ts.width()) / 2, y = ih / 2 + (ih / 2 - ts.height()) / 2;
      break;
  }
  p.drawText(QRect(x, y, ts.width() + 1, ts.height()), Qt::AlignLeft | Qt::AlignTop, cap);
  // The state text on the state colour.
  if (Design.ShowText()) {
    p.setFont(VisuQFont(Font));
    p.setPen(VisuColor(Font.Color));
    const QString st = ToQString(StateText(Design, VisuData.Status()));
    ts = TextSize(p, st);
    switch (Caption.Position()) {
      case TCaptionPos::cpLeft:
        x = ind.left() + (H - ts.width()) / 2, y = (H - ts.height()) / 2;
        break;
      case TCaptionPos::cpTop:
        x = (W - ts.width()) / 2, y = ih / 2 + (ih / 2 - ts.height()) / 2;
        break;
      case TCaptionPos::cpRight:
        x = (H - ts.width()) / 2, y = (H - ts.height()) / 2;
        break;
      case TCaptionPos::cpBottom:
        x = (W - ts.width()) / 2, y = FO + (ih / 2 - ts.height()) / 2;
        break;
    }
    p.fillRect(QRect(x, y, ts.width(), ts.height()).intersected(ind), state);
    p.drawText(QRect(x, y, ts.width() + 1, ts.height()), Qt::AlignLeft | Qt::AlignTop, st);
  }
  if (Design.FrameStyle() != TFrameStyle::fsNone) {
    const bool sunken = Design.FrameStyle() == TFrameStyle::fsSunken;
    const QColor dark = VisuColor(TVisuColors::clBtnShadow), white = VisuColor(TVisuColors::clWhite);
    QRect fr = Design.IndicatorFrame() ? ind : r;
    Frame3D(p, fr, sunken ? dark : white, sunken ? white : dark, Design.FrameWidth());
  }
  if (DesignFocus()) DrawFocusRect(this, p, GetFullRect());
}

bool TVisuTextIndicator::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Caption.")) return Caption.ReadProperty(name.substr(8), v);
  if (name == "Color")
    Color = ReadColorValue(v);
  else
    return TVisuControl::ReadProperty(name, v);
  return true;
}

void TVisuTextIndicator::WriteProperties(std::vector<TPropertyRecord>& out) const {
  Caption.WriteProperties("Caption.", out);
  PutColor(out, "Color", Color);
  TVisuControl::WriteProperties(out);
}

// ---- counters -----------------------------------------------------------------------------------

void TVisuCounter::SetCount(int32_t count) {
  if (count == fCount) return;
  fCount = count;
  update();
}

void TVisuCounter::Tick() {
  if (VisuData.Status() != TVisuState::vsOn) return;
  ++fCount;
  update();
}

void TVisuCounter::SetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind, TVisuState state) {
  if (!IsBoundTo(s, m, k, kind)) return;
  VisuData.SetStatus(state);
  fRunning = state == TVisuState::vsOn;
}

void TVisuCounter::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = GetInnerRect();
  FillOutline(p, r, VisuColor(Design.UndefColor()));
  FillOutline(p, QRect(QPoint(r.left(), r.top()), QPoint(r.bottom(), r.bottom())), CurrentStateColor());
  DrawFrame(p);
  p.setFont(VisuQFont(Design.Font()));
  p.setPen(VisuColor(Design.Font().Color));
  const QString text = ToQString(CountText());
  const QSize ts = TextSize(p, text);
  p.drawText(
      QRect(width() - ts.width() - GetFrameOffset() - 5, (height() - ts.height()) / 2, ts.width() + 1, ts.height()),
      Qt::AlignLeft | Qt::AlignTop, text);
  if (DesignFocus()) DrawFocusRect(this, p, GetFullRect());
}

TVisuMinuteTimer::TVisuMinuteTimer(QWidget* parent) : TVisuCounter(parent) {
  resize(80, 22);
  TVisuFont f = Design.Font();
  f.Color = TVisuColors::clWhite;
  Design.SetFont(f);
}

void TVisuMinuteTimer::Tick() {
  if (!fRunning) return;
  ++fCount;
  update();
}

std::string TVisuMinuteTimer::CountText() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%2.2d", fCount / 60, fCount % 60);
  return buf;
}

TVisuCycleCounter::TVisuCycleCounter(QWidget* parent) : TVisuCounter(parent) {
  resize(80, 22);
  TVisuFont f = Design.Font();
  f.Color = TVisuColors::clWhite;
  Design.SetFont(f);
}

void TVisuCycleCounter::SetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind, TVisuState state) {
  if (!IsBoundTo(s, m, k, kind)) return;
  VisuData.SetStatus(state);
  fRunning = state == TVisuState::vsOn;
  if (state == TVisuState::vsOn) {
    ++fCount;
    update();
  }
}

std::string TVisuCycleCounter::CountText() const { return std::to_string(fCount); }

// ---- summary ------------------------------------------------------------------------------------

TVisuSummenControl::TVisuSummenControl(QWidget* parent)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kControlPolicy) {
  TVisuFont f = Design.Font();
  f.Color = TVisuColors::clWhite;
  f.Style = TVisuFont::fsBold;
  Design.SetFont(f);
}

void TVisuSummenControl::GetChannel(int i, int32_t& s, int32_t& m, int32_t& k, TKanalArt& kind, std::string& name) {
  if (i < 0 || i >= GetChannelCount()) return;
  const auto& c = *Kanaele[size_t(i)];
  s = c.Steuermodul, m = c.Modul, k = c.Kanal, kind = c.KanalArt, name = c.Hint;
}

void TVisuSummenControl::AddChannel(int32_t s, int32_t m, int32_t k, TKanalArt kind, const std::string& name) {
  auto item = std::make_unique<TVisuDataCollectionItem>();
  item->Init(this, kind);
  item->Steuermodul = s, item->Modul = m, item->Kanal = k, item->Hint = name;
  Kanaele.push_back(std::move(item));
  ShowHint = true;
  UpdateToolTip();
}

void TVisuSummenControl::SetStatus(int32_t s, int32_t m, int32_t k, TKanalArt kind, TVisuState state) {
  bool anyOn = false;
  for (auto& c : Kanaele) {
    if (c->KanalArt == kind && c->Steuermodul == s && c->Modul == m && c->Kanal == k) c->SetStatus(state);
    anyOn = anyOn || c->Status() == TVisuState::vsOn;
  }
  fVisuState = anyOn ? TVisuState::vsOn : TVisuState::vsUnknown;
  update();
}

void TVisuSummenControl::SetHint(const std::string& hint) {
  TVisuComponent::SetHint(hint);
  UpdateToolTip();
}

void TVisuSummenControl::UpdateToolTip() {
  std::string text = Hint();
  if (Designing())
    for (const auto& c : Kanaele) text += "\r" + c->Hint;
  setToolTip(ShowHint || Designing() ? ToQString(text) : QString());
  setToolTipDuration(Designing() ? 10000 : -1);
}

bool TVisuSummenControl::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (ReadDesignOrData(Design, nullptr, name, v)) return true;
  if (name == "Kanaele") {
    if (v.Type() != TValueType::vaCollection) throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
    Kanaele.clear();
    for (const auto& rec : v.Items()) {
      auto item = std::make_unique<TVisuDataCollectionItem>();
      item->Init(this, TKanalArt::kaUnknown);
      for (const auto& p : rec.Properties) item->ReadProperty(p.Name, p.Value);
      Kanaele.push_back(std::move(item));
    }
  } else if (name == "ShowHint") {
    ShowHint = v.AsBoolean();
  } else if (name == "UserLevel") {
    UserLevel = v.AsInteger();
  } else if (name == "VisuState") {
    const std::string id = v.IsInteger() ? std::string() : v.AsIdent();
    fVisuState = v.IsInteger()   ? TVisuState(v.AsInteger())
                 : id == "vsOn"  ? TVisuState::vsOn
                 : id == "vsOff" ? TVisuState::vsOff
                                 : TVisuState::vsUnknown;
  } else {
    return TVisuComponent::ReadProperty(name, v);
  }
  return true;
}

void TVisuSummenControl::WriteProperties(std::vector<TPropertyRecord>& out) const {
  Design.WriteProperties("Design.", out);
  std::vector<TCollectionItemRecord> items;
  for (const auto& c : Kanaele) items.push_back(TCollectionItemRecord{std::nullopt, c->Properties()});
  out.push_back({"Kanaele", TFilerValue::Collection(std::move(items))});
  PutBool(out, "ShowHint", ShowHint);
  PutInt(out, "UserLevel", UserLevel);
  out.push_back({"VisuState", TFilerValue::Ident(EnumName(fVisuState))});
}

TSummenStatus::TSummenStatus(QWidget* parent) : TVisuSummenControl(parent) {
  resize(120, 50);
  Design.SetBorderWidth(7);
  Design.SetFrameStyle(TFrameStyle::fsNone);
  CaptionFont.Color = TVisuColors::clBlack;
  CaptionFont.Style = TVisuFont::fsBold;
}

void TSummenStatus::SetText(int i, const std::string& text) {
  if (i != 0) return;
  Caption = text;
  update();
}

void TSummenStatus::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect();
  FillOutline(p, r, VisuColor(CaptionColor));
  const QColor dark = VisuColor(static_cast<int32_t>(0xFF000015u)), white = VisuColor(TVisuColors::clWhite);
  if (Design.FrameStyle() == TFrameStyle::fsSunken)
    Frame3D(p, r, dark, white, Design.FrameWidth());
  else if (Design.FrameStyle() == TFrameStyle::fsRaised)
    Frame3D(p, r, white, dark, Design.FrameWidth());
  p.setFont(VisuQFont(CaptionFont));
  p.setPen(VisuColor(CaptionFont.Color));
  const QString cap = ToQString(Caption);
  const QSize ts = TextSize(p, cap);
  p.save();
  p.setClipRect(r);
  p.drawText(QRect(r.left(), r.top() + 5, r.width(), ts.height()), Qt::AlignHCenter | Qt::AlignTop, cap);
  p.restore();
  const int bw = Design.BorderWidth();
  QRect state(QPoint(r.left() + bw, r.top() + ts.height() + 10), QPoint(r.right() - bw, r.bottom() - bw));
  if (state.width() <= 0 || state.height() <= 0) return;
  const int32_t color = fVisuState == TVisuState::vsOn    ? Design.OnColor()
                        : fVisuState == TVisuState::vsOff ? Design.OffColor()
                                                          : Design.UndefColor();
  FillOutline(p, state, VisuColor(color));
  p.setFont(VisuQFont(Design.Font()));
  p.setPen(VisuColor(Design.Font().Color));
  DrawCentred(p, state, ToQString(StateText(Design, fVisuState)));
  QRect fr = state.adjusted(-1, -1, 1, 1);
  Frame3D(p, fr, dark, white, 1);
  if (DesignFocus()) DrawFocusRect(this, p, rect());
}

// ---- TVisuText ----------------------------------------------------------------------------------

TVisuText::TVisuText(QWidget* parent)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kControlPolicy) {
  resize(60, 18);
  Font.Color = TVisuColors::clBlack;
}

void TVisuText::SetCaption(const std::string& caption) {
  fCaption = caption;
  AdjustSize();
  update();
}

void TVisuText::SetAutoSize(bool on) {
  fAutoSize = on;
  AdjustSize();
}

void TVisuText::AdjustSize() {
  if (!fAutoSize || Reading()) return;
  const QFontMetrics fm(VisuQFont(Font));
  resize(fm.horizontalAdvance(ToQString(fCaption)) + 10, fm.height());
}

void TVisuText::paintEvent(QPaintEvent*) {
  if (Reading()) return;
  QPainter p(this);
  if (!Transparent) p.fillRect(rect(), VisuColor(Color));
  p.setFont(VisuQFont(Font));
  p.setPen(VisuColor(Font.Color));
  DrawCentred(p, rect(), ToQString(fCaption), true);
  if (DesignFocus()) DrawFocusRect(this, p, rect());
}

bool TVisuText::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Font.")) return Font.ReadProperty(name.substr(5), v);
  if (name == "AutoSize")
    fAutoSize = v.AsBoolean();
  else if (name == "Caption")
    fCaption = v.AsString();
  else if (name == "Color")
    Color = ReadColorValue(v);
  else if (name == "Transparent")
    Transparent = v.AsBoolean();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuText::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutBool(out, "AutoSize", fAutoSize);
  PutText(out, "Caption", fCaption);
  PutColor(out, "Color", Color);
  Font.WriteProperties("Font.", out);
  PutBool(out, "Transparent", Transparent);
}

// ---- TIndexControl ------------------------------------------------------------------------------

namespace {
const TDesignPolicy kIndexPolicy{
    .repaintFocus = false, .repaintDesigning = false, .mouseAlways = true, .dragAlways = true, .usesDontMove = true};
}

TIndexControl::TIndexControl(QWidget* parent)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kIndexPolicy) {
  resize(40, 40);
  const TKanalArtSet allowed = KanalArtBit(TKanalArt::kaEingang) | KanalArtBit(TKanalArt::kaAusgang) |
                               KanalArtBit(TKanalArt::kaUhr) | KanalArtBit(TKanalArt::kaMerker);
  EinIndex.IndexName = Ansi("Index für Kanal eingeschaltet");
  AusIndex.IndexName = Ansi("Index für Kanal ausgeschaltet");
  EinIndex.AllowedType = AusIndex.AllowedType = allowed;
}

namespace {
template <class C>
auto* InfoOf(C& c, int i) {
  return i == 0 ? &c.EinIndex : i == 1 ? &c.AusIndex : nullptr;
}
}  // namespace

std::string TIndexControl::GetText(int i) {
  const TIndexInfo* info = InfoOf(*this, i);
  return info ? info->IndexName : std::string();
}
void TIndexControl::SetText(int i, const std::string& text) {
  if (TIndexInfo* info = InfoOf(*this, i)) info->IndexName = text;
}
int32_t TIndexControl::GetCommand(int i) {
  const TIndexInfo* info = InfoOf(*this, i);
  return info ? info->Command : -1;
}
std::string TIndexControl::GetCommandName(int i) {
  const TIndexInfo* info = InfoOf(*this, i);
  return info ? info->CommandName : std::string();
}
int32_t TIndexControl::GetIndex(int i) {
  const TIndexInfo* info = InfoOf(*this, i);
  return info ? info->Index : -1;
}
void TIndexControl::GetIndexBinding(int i, int32_t& s, int32_t& m, int32_t& k, int32_t& shift, TKanalArt& kind) {
  if (const TIndexInfo* info = InfoOf(*this, i))
    s = info->Steuermodul, m = info->Modul, k = info->Kanal, shift = info->Shift, kind = info->KanalArt;
}
TIndexInfo* TIndexControl::GetIndexInfo(int i) { return InfoOf(*this, i); }
void TIndexControl::HandleIndex(int32_t index) {
  if (index == EinIndex.Index)
    fOn = true;
  else if (index == AusIndex.Index)
    fOn = false;
  else
    return;
  update();
}
bool TIndexControl::IsKindAllowed(int i, TKanalArt kind) {
  const TIndexInfo* info = InfoOf(*this, i);
  return info && (info->AllowedType & KanalArtBit(kind)) != 0;
}
void TIndexControl::SetCommand(int i, int32_t command, const std::string& name) {
  if (TIndexInfo* info = InfoOf(*this, i)) info->Command = command, info->CommandName = name;
}
void TIndexControl::SetIndex(int i, int32_t index) {
  if (TIndexInfo* info = InfoOf(*this, i)) info->Index = index;
}
void TIndexControl::SetIndexBinding(int i, int32_t s, int32_t m, int32_t k, int32_t shift, TKanalArt kind) {
  if (TIndexInfo* info = InfoOf(*this, i))
    info->Steuermodul = s, info->Modul = m, info->Kanal = k, info->Shift = shift, info->KanalArt = kind;
}

void TIndexControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  FillOutline(p, rect(), VisuColor(fOn ? TVisuColors::clRed : TVisuColors::clGreen));
}

bool TIndexControl::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "AusIndex.")) return AusIndex.ReadProperty(name.substr(9), v);
  if (StartsWith(name, "EinIndex.")) return EinIndex.ReadProperty(name.substr(9), v);
  if (name == "DontMove")
    DontMove = v.AsBoolean();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TIndexControl::WriteProperties(std::vector<TPropertyRecord>& out) const {
  AusIndex.WriteProperties("AusIndex.", out);
  PutBool(out, "DontMove", DontMove);
  EinIndex.WriteProperties("EinIndex.", out);
}

}  // namespace zyn
