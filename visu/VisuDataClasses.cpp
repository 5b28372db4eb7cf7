#include "visu/VisuDataClasses.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <cmath>
#include <cstdio>

namespace zyn {

namespace {

[[noreturn]] void InvalidValue() { throw EReadError(Ansi("Ungültiger Eigenschaftswert")); }

constexpr int32_t Sys(int index) { return static_cast<int32_t>(0xFF000000u | unsigned(index)); }

struct ColorName {
  int32_t value;
  const char* name;
};

const ColorName kColors[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
    {Sys(0), "clScrollBar"},
    {Sys(1), "clBackground"},
    {Sys(2), "clActiveCaption"},
    {Sys(3), "clInactiveCaption"},
    {Sys(4), "clMenu"},
    {Sys(5), "clWindow"},
    {Sys(6), "clWindowFrame"},
    {Sys(7), "clMenuText"},
    {Sys(8), "clWindowText"},
    {Sys(9), "clCaptionText"},
    {Sys(10), "clActiveBorder"},
    {Sys(11), "clInactiveBorder"},
    {Sys(12), "clAppWorkSpace"},
    {Sys(13), "clHighlight"},
    {Sys(14), "clHighlightText"},
    {Sys(15), "clBtnFace"},
    {Sys(16), "clBtnShadow"},
    {Sys(17), "clGrayText"},
    {Sys(18), "clBtnText"},
    {Sys(19), "clInactiveCaptionText"},
    {Sys(20), "clBtnHighlight"},
    {Sys(21), "cl3DDkShadow"},
    {Sys(22), "cl3DLight"},
    {Sys(23), "clInfoText"},
    {Sys(24), "clInfoBk"},
    {Sys(26), "clHotLight"},
    {Sys(27), "clGradientActiveCaption"},
    {Sys(28), "clGradientInactiveCaption"},
    {Sys(29), "clMenuHighlight"},
    {Sys(30), "clMenuBar"},
};

const std::vector<std::string> kKanalArt{"kaUnknown", "kaEingang", "kaAusgang", "kaRueckmeldung", "kaUhr", "kaMerker"};
const std::vector<std::string> kVisuState{"vsUnknown", "vsOff", "vsOn"};
const std::vector<std::string> kTeleType{"vtNone",        "vtEinEmu",  "vtEinEmuPara", "vtAusTele",
                                         "vtAusParaTele", "vtRMETele", "vtUserTele"};
const std::vector<std::string> kFrameStyle{"fsNone", "fsSunken", "fsRaised"};
const std::vector<std::string> kCaptionPos{"cpLeft", "cpTop", "cpRight", "cpBottom"};
const std::vector<std::string> kFontStyle{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

std::string NameOf(const std::vector<std::string>& names, int32_t ordinal) {
  return ordinal >= 0 && ordinal < int32_t(names.size()) ? names[size_t(ordinal)] : std::string();
}

template <class E>
E ReadEnum(const TFilerValue& v, const std::vector<std::string>& names) {
  if (v.IsInteger()) return static_cast<E>(v.AsInteger());
  const std::string ident = v.AsIdent();
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == ident) return static_cast<E>(i);
  }
  InvalidValue();
}

template <class E>
TFilerValue EnumValue(E v, const std::vector<std::string>& names) {
  const std::string name = NameOf(names, static_cast<int32_t>(v));
  return name.empty() ? TFilerValue::Integer(static_cast<int32_t>(v)) : TFilerValue::Ident(name);
}

int32_t ReadColor(const TFilerValue& v) {
  if (v.IsInteger()) return v.AsInteger();
  int32_t c = 0;
  if (!TVisuColors::FromName(v.AsIdent(), c)) InvalidValue();
  return c;
}

TFilerValue ColorValue(int32_t c) {
  const std::string name = TVisuColors::Name(c);
  return name.empty() ? TFilerValue::Integer(c) : TFilerValue::Ident(name);
}

// Appends a property; empty texts are not stored.
void Put(std::vector<TPropertyRecord>& out, const std::string& prefix, const char* name, TFilerValue v) {
  out.push_back(TPropertyRecord{prefix + name, std::move(v)});
}

void PutText(std::vector<TPropertyRecord>& out, const std::string& prefix, const char* name, const std::string& s) {
  if (!s.empty()) Put(out, prefix, name, TFilerValue::String(s));
}

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

std::string TwoDigits(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2.2d", v);
  return buf;
}

}  // namespace

// ---- colours and enumerations -----------------------------------------------------------------

std::string TVisuColors::Name(int32_t color) {
  for (const auto& c : kColors) {
    if (c.value == color) return c.name;
  }
  return {};
}

bool TVisuColors::FromName(std::string_view name, int32_t& color) {
  for (const auto& c : kColors) {
    if (name == c.name) {
      color = c.value;
      return true;
    }
  }
  return false;
}

std::string EnumName(TKanalArt v) { return NameOf(kKanalArt, int32_t(v)); }
std::string EnumName(TVisuState v) { return NameOf(kVisuState, int32_t(v)); }
std::string EnumName(TTeleType v) { return NameOf(kTeleType, int32_t(v)); }
std::string EnumName(TFrameStyle v) { return NameOf(kFrameStyle, int32_t(v)); }
std::string EnumName(TCaptionPos v) { return NameOf(kCaptionPos, int32_t(v)); }

// ---- TVisuFont --------------------------------------------------------------------------------

bool TVisuFont::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Name")
    Name = v.AsString();
  else if (name == "Size")
    Size = v.AsInteger();
  else if (name == "Height") {
    // The stored height in pixels at 96 pixels per inch; negative for the character height.
    const int32_t h = v.AsInteger();
    Size = static_cast<int32_t>(std::lround(std::abs(double(h)) * 72.0 / 96.0));
  } else if (name == "Color")
    Color = ReadColor(v);
  else if (name == "Style") {
    if (v.Type() != TValueType::vaSet) InvalidValue();
    Style = 0;
    for (const auto& e : v.SetElements()) {
      for (size_t i = 0; i < kFontStyle.size(); ++i) {
        if (e == kFontStyle[i]) Style |= uint8_t(1u << i);
      }
    }
  } else if (name == "Charset" || name == "Pitch") {
    // Taken by the painting platform; nothing to keep here.
  } else {
    return false;
  }
  return true;
}

void TVisuFont::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  Put(out, prefix, "Color", ColorValue(Color));
  Put(out, prefix, "Height", TFilerValue::Integer(-static_cast<int32_t>(std::lround(Size * 96.0 / 72.0))));
  PutText(out, prefix, "Name", Name);
  std::vector<std::string> style;
  for (size_t i = 0; i < kFontStyle.size(); ++i) {
    if (Style & (1u << i)) style.push_back(kFontStyle[i]);
  }
  Put(out, prefix, "Style", TFilerValue::Set(style));
}

// ---- TInvalidatePersistent and the design ------------------------------------------------------

void TInvalidatePersistent::Changed() {
  if (fControl == nullptr) return;
  try {
    fControl->Invalidate();
  } catch (...) {
    // A repaint that fails changes nothing of the stored values.
  }
}

void TCustomVisuDesign::SetFont(const TVisuFont& font) {
  fFont = font;
  Changed();
}

TVisuDesign::TVisuDesign(IVisuInvalidate* control) : TCustomVisuDesign(control) {
  fFont.Color = TVisuColors::clWhite;
  fFont.Style = TVisuFont::fsBold;
}

bool TVisuDesign::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Font.")) return fFont.ReadProperty(name.substr(5), v);
  if (name == "BorderWidth")
    fBorderWidth = v.AsInteger();
  else if (name == "FrameStyle")
    fFrameStyle = ReadEnum<TFrameStyle>(v, kFrameStyle);
  else if (name == "FrameWidth")
    fFrameWidth = v.AsInteger();
  else if (name == "OffColor")
    fOffColor = ReadColor(v);
  else if (name == "OffText")
    fOffText = v.AsString();
  else if (name == "OnColor")
    fOnColor = ReadColor(v);
  else if (name == "OnText")
    fOnText = v.AsString();
  else if (name == "ShowText")
    fShowText = v.AsBoolean();
  else if (name == "UndefColor")
    fUndefColor = ReadColor(v);
  else if (name == "UndefText")
    fUndefText = v.AsString();
  else
    return false;
  return true;
}

void TVisuDesign::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  Put(out, prefix, "BorderWidth", TFilerValue::Integer(fBorderWidth));
  fFont.WriteProperties(prefix + "Font.", out);
  Put(out, prefix, "FrameStyle", EnumValue(fFrameStyle, kFrameStyle));
  Put(out, prefix, "FrameWidth", TFilerValue::Integer(fFrameWidth));
  Put(out, prefix, "OffColor", ColorValue(fOffColor));
  PutText(out, prefix, "OffText", fOffText);
  Put(out, prefix, "OnColor", ColorValue(fOnColor));
  PutText(out, prefix, "OnText", fOnText);
  Put(out, prefix, "ShowText", TFilerValue::Boolean(fShowText));
  Put(out, prefix, "UndefColor", ColorValue(fUndefColor));
  PutText(out, prefix, "UndefText", fUndefText);
}

// ---- TVisuData --------------------------------------------------------------------------------

namespace {

// TVisuData and TVisuDataCollectionItem store the same channel binding under the same names.
template <class T>
bool ReadBinding(T& d, TVisuState& status, std::string_view name, const TFilerValue& v) {
  if (name == "Hint")
    d.Hint = v.AsString();
  else if (name == "Kanal")
    d.Kanal = v.AsInteger();
  else if (name == "KanalArt")
    d.KanalArt = ReadEnum<TKanalArt>(v, kKanalArt);
  else if (name == "KanalID")
    d.KanalID = v.AsString();
  else if (name == "Modul")
    d.Modul = v.AsInteger();
  else if (name == "Name")
    d.Name = v.AsString();
  else if (name == "Status")
    status = ReadEnum<TVisuState>(v, kVisuState);
  else if (name == "Steuermodul")
    d.Steuermodul = v.AsInteger();
  else
    return false;
  return true;
}

template <class T>
void WriteBinding(const T& d, TVisuState status, const std::string& prefix, std::vector<TPropertyRecord>& out) {
  PutText(out, prefix, "Hint", d.Hint);
  Put(out, prefix, "Kanal", TFilerValue::Integer(d.Kanal));
  Put(out, prefix, "KanalArt", EnumValue(d.KanalArt, kKanalArt));
  PutText(out, prefix, "KanalID", d.KanalID);
  Put(out, prefix, "Modul", TFilerValue::Integer(d.Modul));
  PutText(out, prefix, "Name", d.Name);
  Put(out, prefix, "Status", EnumValue(status, kVisuState));
  Put(out, prefix, "Steuermodul", TFilerValue::Integer(d.Steuermodul));
}

}  // namespace

bool TVisuData::ReadProperty(std::string_view name, const TFilerValue& v) {
  return ReadBinding(*this, fStatus, name, v);
}

void TVisuData::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  WriteBinding(*this, fStatus, prefix, out);
}

// ---- TCaptionData -----------------------------------------------------------------------------

void TCaptionData::SetFont(const TVisuFont& v) {
  fFont = v;
  Changed();
}

bool TCaptionData::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (StartsWith(name, "Font.")) return fFont.ReadProperty(name.substr(5), v);
  if (name == "Caption")
    fCaption = v.AsString();
  else if (name == "Color")
    fColor = ReadColor(v);
  else if (name == "Position")
    fPosition = ReadEnum<TCaptionPos>(v, kCaptionPos);
  else if (name == "Transparent")
    fTransparent = v.AsBoolean();
  else
    return false;
  return true;
}

void TCaptionData::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  PutText(out, prefix, "Caption", fCaption);
  Put(out, prefix, "Color", ColorValue(fColor));
  fFont.WriteProperties(prefix + "Font.", out);
  Put(out, prefix, "Position", EnumValue(fPosition, kCaptionPos));
  Put(out, prefix, "Transparent", TFilerValue::Boolean(fTransparent));
}

// ---- TVisuTelegram ----------------------------------------------------------------------------

void TVisuTelegram::AssignAddress(const TVisuTelegram& source) {
  Steuermodul = source.Steuermodul;
  Modul = source.Modul;
  Kanal = source.Kanal;
  Befehl = source.Befehl;
  Shift = source.Shift;
}

int32_t TVisuTelegram::Value() const {
  const uint32_t shifted = (Shift >= 0 && Shift < 32) ? uint32_t(Kanal) << Shift : 0u;
  return static_cast<int32_t>(shifted | uint32_t(Befehl));
}

bool TVisuTelegram::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Befehl")
    Befehl = v.AsInteger();
  else if (name == "Kanal")
    Kanal = v.AsInteger();
  else if (name == "Modul")
    Modul = v.AsInteger();
  else if (name == "Parameter")
    Parameter = v.AsInteger();
  else if (name == "Shift")
    Shift = v.AsInteger();
  else if (name == "Steuermodul")
    Steuermodul = v.AsInteger();
  else if (name == "TeleType")
    TeleType = ReadEnum<TTeleType>(v, kTeleType);
  else if (name == "UserLevel")
    UserLevel = v.AsInteger();
  else
    return false;
  return true;
}

void TVisuTelegram::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  Put(out, prefix, "Befehl", TFilerValue::Integer(Befehl));
  Put(out, prefix, "Kanal", TFilerValue::Integer(Kanal));
  Put(out, prefix, "Modul", TFilerValue::Integer(Modul));
  Put(out, prefix, "Parameter", TFilerValue::Integer(Parameter));
  Put(out, prefix, "Shift", TFilerValue::Integer(Shift));
  Put(out, prefix, "Steuermodul", TFilerValue::Integer(Steuermodul));
  Put(out, prefix, "TeleType", EnumValue(TeleType, kTeleType));
  Put(out, prefix, "UserLevel", TFilerValue::Integer(UserLevel));
}

// ---- TLoggerData ------------------------------------------------------------------------------

std::string TLoggerData::FormatLine(const std::string& text, int32_t s, int32_t m, int32_t k,
                                    const std::tm& now) const {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && (next == 's' || next == 'S'))
      line += TwoDigits(s);
    else if (text[i] == '%' && (next == 'm' || next == 'M'))
      line += TwoDigits(m);
    else if (text[i] == '%' && (next == 'k' || next == 'K'))
      line += TwoDigits(k);
    else {
      line += text[i];
      continue;
    }
    ++i;
  }
  if (!LogTime) return line;
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%d.%m.%Y-%H:%M:%S", &now);
  return std::string(stamp) + " : " + line;
}

namespace {
std::tm LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  return now;
}
}  // namespace

std::string TLoggerData::FormatOffLine(int32_t s, int32_t m, int32_t k) const {
  return FormatLine(OffText, s, m, k, LocalNow());
}

std::string TLoggerData::FormatOnLine(int32_t s, int32_t m, int32_t k) const {
  return FormatLine(OnText, s, m, k, LocalNow());
}

bool TLoggerData::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Ident")
    Ident = v.AsString();
  else if (name == "LogTime")
    LogTime = v.AsBoolean();
  else if (name == "OffText")
    OffText = v.AsString();
  else if (name == "OnText")
    OnText = v.AsString();
  else if (name == "Save")
    Save = v.AsBoolean();
  else
    return false;
  return true;
}

void TLoggerData::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  PutText(out, prefix, "Ident", Ident);
  Put(out, prefix, "LogTime", TFilerValue::Boolean(LogTime));
  PutText(out, prefix, "OffText", OffText);
  PutText(out, prefix, "OnText", OnText);
  Put(out, prefix, "Save", TFilerValue::Boolean(Save));
}

// ---- TIndexInfo -------------------------------------------------------------------------------

bool TIndexInfo::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "AllowedType") {
    if (v.Type() != TValueType::vaSet) InvalidValue();
    AllowedType = 0;
    for (const auto& e : v.SetElements()) {
      for (size_t i = 0; i < kKanalArt.size(); ++i) {
        if (e == kKanalArt[i]) AllowedType |= 1u << i;
      }
    }
  } else if (name == "Command")
    Command = v.AsInteger();
  else if (name == "CommandName")
    CommandName = v.AsString();
  else if (name == "Index")
    Index = v.AsInteger();
  else if (name == "IndexName")
    IndexName = v.AsString();
  else if (name == "Kanal")
    Kanal = v.AsInteger();
  else if (name == "KanalArt")
    KanalArt = ReadEnum<TKanalArt>(v, kKanalArt);
  else if (name == "Modul")
    Modul = v.AsInteger();
  else if (name == "Shift")
    Shift = v.AsInteger();
  else if (name == "Steuermodul")
    Steuermodul = v.AsInteger();
  else
    return false;
  return true;
}

void TIndexInfo::WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const {
  std::vector<std::string> allowed;
  for (size_t i = 0; i < kKanalArt.size(); ++i) {
    if (AllowedType & (1u << i)) allowed.push_back(kKanalArt[i]);
  }
  Put(out, prefix, "AllowedType", TFilerValue::Set(allowed));
  Put(out, prefix, "Command", TFilerValue::Integer(Command));
  PutText(out, prefix, "CommandName", CommandName);
  Put(out, prefix, "Index", TFilerValue::Integer(Index));
  PutText(out, prefix, "IndexName", IndexName);
  Put(out, prefix, "Kanal", TFilerValue::Integer(Kanal));
  Put(out, prefix, "KanalArt", EnumValue(KanalArt, kKanalArt));
  Put(out, prefix, "Modul", TFilerValue::Integer(Modul));
  Put(out, prefix, "Shift", TFilerValue::Integer(Shift));
  Put(out, prefix, "Steuermodul", TFilerValue::Integer(Steuermodul));
}

// ---- TVisuDataCollectionItem ------------------------------------------------------------------

void TVisuDataCollectionItem::Init(IVisuInvalidate* control, TKanalArt kind) {
  fControl = control;
  KanalArt = kind;
  Steuermodul = -1;
}

void TVisuDataCollectionItem::SetStatus(TVisuState v) {
  if (v == fStatus) return;
  fStatus = v;
  if (fControl == nullptr) return;
  try {
    fControl->Invalidate();
  } catch (...) {
    // as TInvalidatePersistent::Changed
  }
}

bool TVisuDataCollectionItem::ReadProperty(std::string_view name, const TFilerValue& v) {
  return ReadBinding(*this, fStatus, name, v);
}

std::vector<TPropertyRecord> TVisuDataCollectionItem::Properties() const {
  std::vector<TPropertyRecord> out;
  WriteBinding(*this, fStatus, "", out);
  return out;
}

// ---- TFontSave --------------------------------------------------------------------------------

TFontSave::TFontSave(TVisuFont& font, uint8_t style, int32_t size, int32_t color, const std::string& name)
    : fFont(font), fSaved(font) {
  fFont.Name = name;
  fFont.Color = color;
  fFont.Size = size;
  fFont.Style = style;
}

TFontSave::~TFontSave() { fFont = fSaved; }

}  // namespace zyn
