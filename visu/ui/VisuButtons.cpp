#include "visu/ui/VisuButtons.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "platform/QtText.h"

#include <QMouseEvent>
#include <QStyleOptionFocusRect>

namespace zyn {

namespace {

void FocusRect(QWidget* w, QPainter& p) {
  QStyleOptionFocusRect opt;
  opt.initFrom(w);
  opt.rect = w->rect();
  w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, w);
}

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

// ---- telegram handling --------------------------------------------------------------------------

void TTeleHandlerBase::EmitTelegram(TTeleType type, int32_t s, int32_t m, int32_t value, int32_t parameter) {
  if (fHandler) fHandler(Sender(), type, s, m, value, parameter);
}

void TTeleHandlerBase::SetTelegram(TTeleType type, int32_t s, int32_t m, int32_t k, int32_t befehl, int32_t shift,
                                   int32_t parameter) {
  Telegram.TeleType = type, Telegram.Steuermodul = s, Telegram.Modul = m, Telegram.Kanal = k;
  Telegram.Befehl = befehl, Telegram.Shift = shift, Telegram.Parameter = parameter;
}

void TTeleHandlerBase::GetTelegram(TTeleType& type, int32_t& s, int32_t& m, int32_t& k, int32_t& befehl, int32_t& shift,
                                   int32_t& parameter) {
  type = Telegram.TeleType, s = Telegram.Steuermodul, m = Telegram.Modul, k = Telegram.Kanal;
  befehl = Telegram.Befehl, shift = Telegram.Shift, parameter = Telegram.Parameter;
}

void TTeleHandlerBase::EmitStored() {
  EmitTelegram(Telegram.TeleType, Telegram.Steuermodul, Telegram.Modul, Telegram.Value(), Telegram.Parameter);
}

// ---- TVisuLEDTeleButton -------------------------------------------------------------------------

TVisuLEDTeleButton::TVisuLEDTeleButton(QWidget* parent) : TVisuControl(parent) {
  resize(80, 37);
  Design.SetBorderWidth(7);
  Design.SetFrameStyle(TFrameStyle::fsNone);
}

void TVisuLEDTeleButton::mousePressEvent(QMouseEvent* e) {
  if (Designing() || e->button() != Qt::LeftButton) return;
  fPressed = true;
  update();
}

void TVisuLEDTeleButton::mouseReleaseEvent(QMouseEvent* e) {
  if (Designing()) return;
  if (e->button() == Qt::LeftButton) {
    fPressed = false;
    update();
  }
  EmitStored();
}

void TVisuLEDTeleButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int pr = fPressed ? 1 : 0;
  const QRect r = GetInnerRect();
  FillOutline(p, r, VisuColor(Color));
  const int bw = Design.BorderWidth();
  const QRect led(QPoint(r.left() + bw + pr, r.top() + bw + pr),
                  QPoint(r.right() + 1 - bw + pr - 1, r.bottom() + 1 - bw + pr - 1));
  const QColor state = CurrentStateColor();
  FillOutline(p, led, state);
  QRect around = led.adjusted(-1, -1, 1, 1);
  Frame3D(p, around, VisuColor(TVisuColors::clBlack), VisuColor(TVisuColors::clWhite), 1);
  if (Design.ShowText()) {
    p.setFont(VisuQFont(Font));
    p.setPen(VisuColor(Font.Color));
    DrawCentred(p, rect().translated(pr, pr), ToQString(StateText(Design, VisuData.Status())));
  }
  const QColor white = VisuColor(TVisuColors::clWhite), dark = VisuColor(static_cast<int32_t>(0xFF000015u));
  QRect all = rect();
  Frame3D(p, all, fPressed ? dark : white, fPressed ? white : dark, 1);
  if (DesignFocus()) FocusRect(this, p);
}

bool TVisuLEDTeleButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Telegram.")) return Telegram.ReadProperty(name.substr(9), v);
  return TVisuControl::ReadProperty(name, v);
}

void TVisuLEDTeleButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  TVisuControl::WriteProperties(out);
  Telegram.WriteProperties("Telegram.", out);
}

// ---- push buttons -------------------------------------------------------------------------------

TVisuPushButton::TVisuPushButton(QWidget* parent, TDesignPolicy policy, bool storesUserLevel)
    : QPushButton(parent), TVisuComponent(this), TVisuDesignerBase(*this, policy), StoresUserLevel(storesUserLevel) {
  setFocusPolicy(Qt::TabFocus);
}

std::string TVisuPushButton::Caption() const { return FromQString(text()); }
void TVisuPushButton::SetCaption(const std::string& caption) { setText(ToQString(caption)); }

void TVisuPushButton::FitCaption() {
  if (text().isEmpty()) return;
  const QSize hint = sizeHint();
  resize(std::max(width(), hint.width()), std::max(height(), hint.height()));
}

bool TVisuPushButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Caption")
    SetCaption(v.AsString());
  else if (name == "DontMove")
    DontMove = v.AsBoolean();
  else if (name == "UserLevel" && StoresUserLevel)
    UserLevel = v.AsInteger();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuPushButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutText(out, "Caption", Caption());
  PutBool(out, "DontMove", DontMove);
  if (StoresUserLevel) PutInt(out, "UserLevel", UserLevel);
}

void TVisuPushButton::paintEvent(QPaintEvent* e) {
  QPushButton::paintEvent(e);
  if (DesignFocus()) {
    QPainter p(this);
    FocusRect(this, p);
  }
}

namespace {
const TDesignPolicy kTeleButtonPolicy{.usesDontMove = true};
}

TBaseTeleButton::TBaseTeleButton(QWidget* parent) : TVisuPushButton(parent, kTeleButtonPolicy, true) { resize(30, 30); }

TTeleButton::TTeleButton(QWidget* parent) : TBaseTeleButton(parent) { setToolTipDuration(-1); }

void TTeleButton::mousePressEvent(QMouseEvent* e) {
  if (Designing()) return;
  QPushButton::mousePressEvent(e);
  if (e->button() == Qt::LeftButton) fPressed = true;
}

void TTeleButton::mouseReleaseEvent(QMouseEvent* e) {
  if (Designing()) return;
  QPushButton::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  fPressed = false;
  update();
  if (Telegram.TeleType == TTeleType::vtAusTele && Telegram.Shift == 0) Telegram.Shift = 5;
  if (Telegram.TeleType == TTeleType::vtEinEmu && Telegram.Shift == 0) Telegram.Shift = 4;
  EmitStored();
}

bool TTeleButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Telegram.")) return Telegram.ReadProperty(name.substr(9), v);
  return TBaseTeleButton::ReadProperty(name, v);
}

void TTeleButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  TBaseTeleButton::WriteProperties(out);
  Telegram.WriteProperties("Telegram.", out);
}

// ---- navigating controls -------------------------------------------------------------------------

namespace {
const TDesignPolicy kNavButtonPolicy{.focusIgnored = true, .enabledFollows = true, .mouseAlways = true};
const TDesignPolicy kSegmentPolicy{.mouseAlways = true};
}  // namespace

TNavigatingControl::TNavigatingControl(QWidget* parent, TDesignPolicy policy)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, policy) {
  setAttribute(Qt::WA_Hover);
}

void TNavigatingControl::SetTarget(const std::string& target) {
  if (target == Ziel) return;
  Ziel = target;
  SetHint(target);
  setToolTip(target.empty() ? QString() : ToQString(target));
}

void TNavigatingControl::enterEvent(QEnterEvent*) {
  fHot = true;
  update();
}

void TNavigatingControl::leaveEvent(QEvent*) {
  fHot = false;
  update();
}

void TNavigatingControl::mousePressEvent(QMouseEvent* e) {
  if (Designing() || e->button() != Qt::LeftButton) return;
  fPressed = true;
  update();
}

void TNavigatingControl::mouseReleaseEvent(QMouseEvent* e) {
  if (Designing()) return;
  if (e->button() == Qt::LeftButton) {
    fPressed = false;
    update();
  }
  Navigate(this);
}

TNavigationButton::TNavigationButton(QWidget* parent) : TNavigatingControl(parent, kNavButtonPolicy) {
  resize(75, 25);
  Font.Color = TVisuColors::clWindowText;
}

void TNavigationButton::SetCaption(const std::string& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  update();
}

void TNavigationButton::Loaded() {
  if (Trimmed(Ziel).empty() && !Designing()) setEnabled(false);
}

void TNavigationButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor brush = VisuColor(Color);
  const QColor pen = Designing() && Trimmed(Ziel).empty() ? VisuColor(TVisuColors::clFuchsia) : brush;
  p.fillRect(rect(), brush);
  // Inside the 3-D frame, so that the designer's mark of a button without target stays visible.
  p.setPen(pen);
  p.drawRect(rect().adjusted(1, 1, -2, -2));
  p.setFont(VisuQFont(Font));
  p.setPen(isEnabled() ? VisuColor(Font.Color) : palette().color(QPalette::Disabled, QPalette::WindowText));
  const int d = fPressed ? 1 : 0;
  DrawCentred(p, rect().translated(d, d), ToQString(fCaption), true);
  const QColor white = VisuColor(TVisuColors::clWhite), dark = VisuColor(static_cast<int32_t>(0xFF000015u));
  QRect all = rect();
  Frame3D(p, all, fPressed ? dark : white, fPressed ? white : dark, 1);
}

bool TNavigationButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Font.")) return Font.ReadProperty(name.substr(5), v);
  if (name == "Caption")
    fCaption = v.AsString();
  else if (name == "UserLevel")
    UserLevel = v.AsInteger();
  else if (name == "Ziel")
    Ziel = v.AsString();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TNavigationButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutText(out, "Caption", fCaption);
  Font.WriteProperties("Font.", out);
  PutInt(out, "UserLevel", UserLevel);
  PutText(out, "Ziel", Ziel);
}

// ---- TSegmentControl ----------------------------------------------------------------------------

namespace {
const char* const kBrushStyles[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                    "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
Qt::BrushStyle QtBrush(TBrushStyle s) {
  switch (s) {
    case bsSolid:
      return Qt::SolidPattern;
    case bsClear:
      return Qt::NoBrush;
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::BDiagPattern;  // the class library's "forward" runs up
    case bsBDiagonal:
      return Qt::FDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
  }
  return Qt::NoBrush;
}
}  // namespace

std::string EnumName(TBrushStyle v) {
  const int i = static_cast<int>(v);
  return i >= 0 && i < 8 ? kBrushStyles[i] : std::string();
}

TSegmentControl::TSegmentControl(QWidget* parent) : TNavigatingControl(parent, kSegmentPolicy) { resize(75, 50); }

void TSegmentControl::SetPattern(TBrushStyle v) {
  if (v != fPattern) fPattern = v, update();
}
void TSegmentControl::SetPatternColor(int32_t v) {
  if (v != fPatternColor) fPatternColor = v, update();
}
void TSegmentControl::SetPatternOnMouse(bool v) {
  if (v != fPatternOnMouse) fPatternOnMouse = v, update();
}

void TSegmentControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor c = VisuColor(fPatternColor);
  QPen pen(c, 3);
  pen.setJoinStyle(Qt::MiterJoin);
  QBrush brush(c, QtBrush(fPattern));
  if (!Designing()) {
    const bool hidden = fPattern == bsClear || fPatternOnMouse;
    if (!fHot) {
      if (hidden) pen = Qt::NoPen, brush = Qt::NoBrush;
    } else if (fPattern == bsClear) {
      brush = Qt::NoBrush;
    }
  }
  p.setPen(pen);
  p.setBrush(brush);
  p.drawRect(rect().adjusted(1, 1, -2, -2));
  if (DesignFocus()) FocusRect(this, p);
}

bool TSegmentControl::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Pattern") {
    if (v.IsInteger())
      fPattern = TBrushStyle(v.AsInteger());
    else {
      const std::string id = v.AsIdent();
      int found = -1;
      for (int i = 0; i < 8; ++i)
        if (id == kBrushStyles[i]) found = i;
      if (found < 0) throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
      fPattern = TBrushStyle(found);
    }
  } else if (name == "PatternColor")
    fPatternColor = ReadColorValue(v);
  else if (name == "PatternOnMouse")
    fPatternOnMouse = v.AsBoolean();
  else if (name == "UserLevel")
    UserLevel = v.AsInteger();
  else if (name == "Ziel")
    Ziel = v.AsString();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TSegmentControl::WriteProperties(std::vector<TPropertyRecord>& out) const {
  const std::string pattern = EnumName(fPattern);
  out.push_back({"Pattern", pattern.empty() ? TFilerValue::Integer(int32_t(fPattern)) : TFilerValue::Ident(pattern)});
  PutColor(out, "PatternColor", fPatternColor);
  PutBool(out, "PatternOnMouse", fPatternOnMouse);
  PutInt(out, "UserLevel", UserLevel);
  PutText(out, "Ziel", Ziel);
}

// ---- TVNButton ----------------------------------------------------------------------------------

namespace {
const TDesignPolicy kVNButtonPolicy{
    .repaintFocus = false, .enabledFollows = true, .mouseAlways = true, .dragAlways = true, .usesDontMove = true};
const TDesignPolicy kRunTimeButtonPolicy{
    .enabledFollows = true, .mouseAlways = true, .dragIgnored = true, .usesDontMove = true};
}  // namespace

TVNButton::TVNButton(QWidget* parent) : TVisuPushButton(parent, kVNButtonPolicy, true) {}

void TVNButton::SetTarget(const std::string& target) {
  Target = target;
  SetHint(target);
}

bool TVNButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Target")
    Target = v.AsString();
  else
    return TVisuPushButton::ReadProperty(name, v);
  return true;
}

void TVNButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  TVisuPushButton::WriteProperties(out);
  PutText(out, "Target", Target);
}

// ---- run-time buttons ---------------------------------------------------------------------------

TVisuSTMConnectButton::TVisuSTMConnectButton(QWidget* parent) : TVisuPushButton(parent, kRunTimeButtonPolicy, false) {}

void TVisuSTMConnectButton::ConnectAllStm(QObject* sender) {
  if (fConnectAll) fConnectAll(sender);
}
void TVisuSTMConnectButton::ConnectStm(QObject* sender, int32_t number) {
  if (fConnect) fConnect(sender, number);
}
void TVisuSTMConnectButton::DisconnectAllStm(QObject* sender) {
  if (fDisconnectAll) fDisconnectAll(sender);
}
void TVisuSTMConnectButton::DisconnectStm(QObject* sender, int32_t number) {
  if (fDisconnect) fDisconnect(sender, number);
}
void TVisuSTMConnectButton::SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll,
                                                TSTMOneEvent connect, TSTMOneEvent disconnect) {
  fConnectAll = std::move(connectAll), fDisconnectAll = std::move(disconnectAll);
  fConnect = std::move(connect), fDisconnect = std::move(disconnect);
}

void TVisuSTMConnectButton::mouseReleaseEvent(QMouseEvent* e) {
  QPushButton::mouseReleaseEvent(e);
  if (Designing()) return;
  if (ConnectType == TConnectType::ctConnect)
    ConnectAllStm(this);
  else
    DisconnectAllStm(this);
}

bool TVisuSTMConnectButton::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "ConnectType") {
    if (v.IsInteger())
      ConnectType = TConnectType(v.AsInteger());
    else {
      const std::string id = v.AsIdent();
      if (id == "ctConnect")
        ConnectType = TConnectType::ctConnect;
      else if (id == "ctDisconnect")
        ConnectType = TConnectType::ctDisconnect;
      else
        throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
    }
    return true;
  }
  return TVisuPushButton::ReadProperty(name, v);
}

void TVisuSTMConnectButton::WriteProperties(std::vector<TPropertyRecord>& out) const {
  TVisuPushButton::WriteProperties(out);
  out.push_back(
      {"ConnectType", TFilerValue::Ident(ConnectType == TConnectType::ctConnect ? "ctConnect" : "ctDisconnect")});
}

TExitButton::TExitButton(QWidget* parent) : TVisuPushButton(parent, kRunTimeButtonPolicy, false) {}

void TExitButton::mouseReleaseEvent(QMouseEvent* e) {
  QPushButton::mouseReleaseEvent(e);
  if (Designing()) return;
  if (auto* exit = dynamic_cast<IApplicationExit*>(window())) exit->ExitApplication();
}

}  // namespace zyn
