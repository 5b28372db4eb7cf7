#include "logic/core/LinkParameters.h"

#include "logic/core/LogicText.h"
#include "model/EAFunktionen.h"
#include "model/ModelText.h"
#include "model/Verbindung.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <vector>

namespace zyn {

namespace {

constexpr int kExtBase = 330;  // the 20 extended bytes of both sides

// The fields of one side of a link.
struct TSide {
  TVerbindung& l;
  TLinkSide s;

  uint16_t Word() const { return s == lsThen ? l.TargetParam() : l.ElseParam(); }
  void SetWord(int v) {
    const auto w = static_cast<uint16_t>(std::clamp(v, 0, 65535));
    s == lsThen ? l.SetTargetParamWord(w) : l.SetElseParamWord(w);
  }
  void SetBytes(int low, int high) { SetWord((std::clamp(high, 0, 255) << 8) | std::clamp(low, 0, 255)); }
  int Kind() const { return s == lsThen ? l.TargetParamMode() : l.ElseParamMode(); }
  void SetKind(int v) { s == lsThen ? l.SetTargetParamMode(v) : l.SetElseParamMode(v); }
  double Factor() const { return s == lsThen ? l.TargetFactor() : l.ElseFactor(); }
  void SetFactor(double v) { s == lsThen ? l.SetTargetFactor(v) : l.SetElseFactor(v); }
  void SetCaption(const std::string& v) {
    const std::string cut = v.substr(0, 30);
    s == lsThen ? l.SetTargetParamCaption(cut) : l.SetElseParamCaption(cut);
  }
  void SetHas(bool v) { s == lsThen ? l.SetHasTargetParam(v) : l.SetHasElseParam(v); }
  TLinkEndpoint Endpoint() { return s == lsThen ? l.Target() : l.ElseTarget(); }
};

std::string Prompt(const char* utf8Format, const std::string& paraText) {
  return FormatText(ModelTranslate(utf8Format), {ParseParaText(paraText).Caption});
}

// What the stored word can hold of the ranged value of each kind.
void StorableBounds(int kind, int& lo, int& hi) {
  switch (kind) {
    case pkDimValueTime:
    case pkPosition:
      lo = 0, hi = 255;
      break;
    case pkSeconds160:
      lo = 0, hi = 160;
      break;
    case pkRunTime:
      lo = 0, hi = 6553;
      break;
    default:
      lo = 0, hi = 65535;
      break;
  }
}

// The command's unit and range on the form: the unit beside the value, the range (within what
// the parameter word can hold) on its spin edit.
void ApplyParaFields(int kind, const std::string& paraText, TParameterForm& form) {
  const TParaFields f = ParseParaText(paraText);
  const int spin = RangedSpin(kind);
  if (spin == 0) return;
  if (!f.Unit.empty()) (kind == pkDimValueTime ? form.Label5 : form.Label3) = f.Unit;
  if (!f.HasRange) return;
  int lo = 0, hi = 0;
  StorableBounds(kind, lo, hi);
  lo = std::max(lo, f.Min);
  hi = std::min(hi, f.Max);
  if (lo > hi) return;
  TParamSpin& s = form.Spin[static_cast<size_t>(spin)];
  s.Min = lo;
  s.Max = hi;
  s.Clamp();
}

}  // namespace

int Nearest(double x) {
  const int old = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(x);
  std::fesetround(old);
  if (r >= 2147483647.0) return 2147483647;
  if (r <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(r);
}

int PriorityMaskOfLevel(int level) { return level >= 0 && level <= 5 ? (2 << level) - 1 : 0; }

int PriorityMaskIndex(int mask) {
  for (int level = 0; level <= 5; ++level)
    if (PriorityMaskOfLevel(level) == mask) return level;
  return -1;
}

std::string PriorityLevelText(int mask) {
  std::string text;
  for (int bit = 0; bit <= 5; ++bit)
    if (mask & (1 << bit)) text += std::to_string(bit) + "; ";
  return text;
}

TParaFields ParseParaText(const std::string& paraText) {
  TParaFields f;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t semi = paraText.find(';', start);
    parts.push_back(paraText.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  f.Caption = Trim(parts[0]);
  if (parts.size() > 1) f.Unit = Trim(parts[1]);
  if (parts.size() > 3) {
    auto whole = [](const std::string& t, int& v) {
      const std::string x = Trim(t);
      if (x.empty() || x.size() > 9) return false;
      size_t i = x[0] == '-' ? 1 : 0;
      if (i == x.size()) return false;
      for (; i < x.size(); ++i)
        if (x[i] < '0' || x[i] > '9') return false;
      v = std::stoi(x);
      return true;
    };
    int lo = 0, hi = 0;
    if (whole(parts[2], lo) && whole(parts[3], hi) && lo <= hi) {
      f.HasRange = true;
      f.Min = lo;
      f.Max = hi;
    }
  }
  return f;
}

void TParamSpin::Clamp() { Value = std::clamp(Value, Min, std::max(Min, Max)); }

TParameterForm::TParameterForm() {
  auto set = [this](int i, int lo, int hi, int v) { Spin[static_cast<size_t>(i)] = TParamSpin{lo, hi, v}; };
  set(1, 1, 65535, 1);
  set(2, 0, 255, 0);
  set(3, 1, 160, 1);
  set(4, 1, 6535, 1);
  set(5, 0, 6535, 0);
  set(6, 1, 6535, 1);
  set(7, 0, 6535, 0);
  set(8, 1, 6535, 1);
  set(9, 1, 65535, 1);
  set(10, 1, 240, 1);
  set(11, 1, 240, 1);
  set(12, 0, 65535, 0);
  set(13, 0, 255, 0);
  set(14, 0, 160, 0);
  Radio = {0, 0, 0, 0, 0};
  Label1 = ModelTranslate("Bitte geben Sie %s ein.");
  Label2 = ModelTranslate("Eingabeformat = HH:MM:SS");
  Label3 = ModelTranslate("Sekunden");
  Label4 = Label1;
  Label10 = ModelTranslate("Sek.");
  Label11 = ModelTranslate("Wählen Sie bitte die die Prioritätsebene aus, auf die dieser Befehl wirken soll.");
}

void TParameterForm::ClampAll() {
  for (size_t i = 1; i < Spin.size(); ++i) Spin[i].Clamp();
}

int RangedSpin(int kind) {
  switch (kind) {
    case pkSeconds:
    case pkSeconds160:
    case pkPosition:
    case pkRunTime:
    case pkTenths:
      return 1;
    case pkDimValueTime:
      return 2;
    default:
      return 0;
  }
}

std::string SpinUnit(const TParameterForm& form, int spin) {
  switch (spin) {
    case 1:
      return form.Label3;
    case 2:
      return form.Label5;
    case 3:
    case 12:
    case 14:
      return ModelTranslate("Sekunden");
    case 4:
      return form.Label10;
    case 5:
    case 6:
    case 7:
    case 8:
      return ModelTranslate("Sek.");
    case 9:
      return ModelTranslate("/10 Sek.");
    case 10:
    case 11:
      return ModelTranslate("Minuten");
    default:
      return {};
  }
}

std::string RangeRefusal(const TParameterForm& form, int spin, int typed) {
  const TParamSpin& s = form.Spin[static_cast<size_t>(spin)];
  std::string unit = Trim(SpinUnit(form, spin));
  if (!unit.empty() && unit[0] != '/') unit = " " + unit;
  return FormatNumbers(ModelTranslate("Der Wert %d liegt außerhalb des zulässigen Bereichs."), {typed}) + "\r" +
         FormatNumbers(ModelTranslate("Bitte geben Sie einen Wert von %d bis %d"), {s.Min, s.Max}) + unit +
         ModelTranslate(" ein.");
}

int ParameterPage(int kind) {
  static const int pages[] = {-1, 0, 1, 0, 0, 2, 3, 4, 5, 2, 0, 6, 0, 8};
  return kind >= 1 && kind <= 13 ? pages[kind] : -1;
}

bool PrepareNewParameter(int kind, const std::string& paraText, TParameterForm& form) {
  form = TParameterForm();
  form.Page = ParameterPage(kind);
  if (form.Page < 0) return false;
  const std::string seconds = ModelTranslate("Sekunden");
  const std::string ssss = ModelTranslate("Eingabeformat = SSSS");
  switch (kind) {
    case pkSeconds:
    case pkSeconds160:
      form.Label1 = Prompt("Bitte geben Sie %s ein", paraText);
      form.Label2 = ssss;
      form.Label3 = seconds;
      if (kind == pkSeconds160) form.Spin[1] = TParamSpin{1, 160, 1};
      break;
    case pkDimValueTime:
      form.Label4 = Prompt("Bitte geben Sie %s ein", paraText);
      break;
    case pkPosition:
      form.Label1 = Prompt("Bitte geben Sie %s ein", paraText);
      form.Label2 = ModelTranslate("Eingabeformat = WWW");
      form.Label3 = ModelTranslate(".Position");
      form.Spin[1] = TParamSpin{0, 255, 1};
      break;
    case pkPrioLockTenths:
      form.Label10 = ModelTranslate("/10 Sek");
      break;
    case pkRunTime:
      form.Label1 = Prompt("Bitte geben Sie die %s ein", paraText);
      form.Label2 = ssss;
      form.Label3 = seconds;
      // The word holds ten times the value: 6553 is the largest that fits.
      form.Spin[1] = TParamSpin{1, 6553, 1};
      break;
    case pkPrioSet:
      form.Label24 = ModelTranslate("Bitte markieren Sie hier alle Prioritätsebenen die Sie beeinflussen wollen.");
      break;
    case pkTenths:
      form.Label1 = Prompt("Bitte geben Sie %s ein", paraText);
      form.Label2 = ssss;
      form.Label3 = ModelTranslate("1/10 Sekunden");
      break;
    default:
      break;
  }
  ApplyParaFields(kind, paraText, form);
  return true;
}

TExtendedParams GetExtendedParams(const TVerbindung& link, TLinkSide side) {
  const auto& h = link.Header();
  TExtendedParams p;
  const int flags = kExtBase + (side == lsThen ? 0 : 3);
  p.PriorityMask = h[static_cast<size_t>(flags)];
  p.Flag = h[static_cast<size_t>(flags + 2)];
  const int block = kExtBase + 6 + (side == lsThen ? 0 : 7);
  p.TimeLength = h[static_cast<size_t>(block)];
  for (int i = 0; i < 3; ++i)
    p.Times[static_cast<size_t>(i)] =
        h[static_cast<size_t>(block + 1 + 2 * i)] | (h[static_cast<size_t>(block + 2 + 2 * i)] << 8);
  return p;
}

void SetExtendedParams(TVerbindung& link, TLinkSide side, const TExtendedParams& p) {
  auto& h = link.Header();
  const int flags = kExtBase + (side == lsThen ? 0 : 3);
  h[static_cast<size_t>(flags)] = static_cast<uint8_t>(p.PriorityMask);
  h[static_cast<size_t>(flags + 1)] = 0;
  h[static_cast<size_t>(flags + 2)] = static_cast<uint8_t>(p.Flag);
  const int block = kExtBase + 6 + (side == lsThen ? 0 : 7);
  h[static_cast<size_t>(block)] = static_cast<uint8_t>(p.TimeLength);
  for (int i = 0; i < 3; ++i) {
    const int t = std::clamp(p.Times[static_cast<size_t>(i)], 0, 65535);
    h[static_cast<size_t>(block + 1 + 2 * i)] = static_cast<uint8_t>(t & 0xFF);
    h[static_cast<size_t>(block + 2 + 2 * i)] = static_cast<uint8_t>(t >> 8);
  }
}

namespace {

// The values of the form into the side; `changing` keeps what a change keeps.
void StoreValues(TVerbindung& link, TLinkSide side, int kind, const std::string& paraText, const TParameterForm& input,
                 bool changing) {
  TParameterForm form = input;
  form.ClampAll();
  TSide s{link, side};
  auto spin = [&form](int i) { return form.Spin[static_cast<size_t>(i)].Value; };
  TExtendedParams ext = GetExtendedParams(link, side);
  // A radio group without a choice keeps the stored mask.
  auto level = [&form, &ext](int group) {
    const int l = form.Radio[static_cast<size_t>(group)];
    return l < 0 ? ext.PriorityMask : PriorityMaskOfLevel(l);
  };
  s.SetHas(true);
  s.SetKind(kind);
  const bool keepCaption = changing && (kind == 6 || kind == 7 || kind == 8 || kind == 11);
  std::string caption;
  double factor = 1.0;
  switch (kind) {
    case pkSeconds:
      s.SetWord(spin(1));
      caption = ModelTranslate("Sekunden");
      break;
    case pkDimValueTime:
      factor = kDimFactor;
      s.SetBytes(spin(2), Nearest(spin(3) * kDimFactor));
      caption = ModelTranslate("Dimmwert|Zeit");
      break;
    case pkSeconds160:
      factor = kDimFactor;
      s.SetWord(Nearest(spin(1) * kDimFactor));
      caption = ModelTranslate("Sekunden");
      break;
    case pkPosition:
      s.SetWord(spin(1));
      caption = ModelTranslate(side == lsThen ? ".Position" : ". Position");
      break;
    case pkPrioLockRun:
      factor = side == lsElse && !changing ? 10.0 : 1.0;
      ext.PriorityMask = level(1);
      ext.Flag = form.Check[1] ? 1 : 0;
      s.SetWord(spin(4) * 10);
      caption = ModelTranslate(" Sekunden");
      break;
    case pkPrioLevel:
      ext.PriorityMask = level(2);
      ext.Flag = 0;
      caption = ParseParaText(paraText).Caption;
      break;
    case pkPrioOffsetRun:
      ext.PriorityMask = level(3);
      ext.Flag = form.Check[2] ? 1 : 0;
      ext.TimeLength = 4;
      ext.Times = {spin(5) * 10, spin(6) * 10, ext.Times[2]};
      caption = ParseParaText(paraText).Caption;
      break;
    case pkPrioOffsetTip:
      ext.PriorityMask = level(4);
      ext.Flag = form.Check[3] ? 1 : 0;
      ext.TimeLength = 6;
      ext.Times = {spin(7) * 10, spin(8) * 10, spin(9)};
      caption = ParseParaText(paraText).Caption;
      break;
    case pkPrioLockTenths:
      ext.PriorityMask = level(1);
      ext.Flag = form.Check[1] ? 1 : 0;
      s.SetWord(spin(4));
      caption = ModelTranslate("/10 Sekunden");
      break;
    case pkRunTime: {
      TLinkEndpoint e = s.Endpoint();
      e.SetKanalNummer(e.KanalNummer() | 4);
      s.SetWord(spin(1) * 10);
      caption = ModelTranslate("Sekunden");
      break;
    }
    case pkPrioSet: {
      int mask = 0;
      for (int n = 0; n < 6; ++n)
        if (form.Levels[static_cast<size_t>(n)]) mask |= 1 << n;
      ext.PriorityMask = mask;
      ext.Flag = 0;
      caption = ParseParaText(paraText).Caption;
      break;
    }
    case pkTenths:
      s.SetWord(spin(1));
      caption = ModelTranslate("1/10 Sekunden");
      break;
    case pkDelayDim:
      factor = kDimFactor;
      s.SetBytes(spin(13), Nearest(spin(14) * kDimFactor));
      ext.Times[0] = spin(12);
      caption = ModelTranslate("Dimmwert|Zeit");
      break;
    default:
      return;
  }
  s.SetFactor(factor);
  SetExtendedParams(link, side, ext);
  if (!keepCaption) s.SetCaption(caption);
}

}  // namespace

void StoreNewParameter(TVerbindung& link, TLinkSide side, int kind, const std::string& paraText,
                       const TParameterForm& form) {
  StoreValues(link, side, kind, paraText, form, false);
}

bool BeginLinkParameter(TVerbindung& link, TLinkSide side, const TEABaseFunction* command, int maxKind,
                        TParameterForm& form) {
  TSide s{link, side};
  if (command == nullptr || command->Dialog < 1) {
    s.SetHas(false);
    s.SetWord(0);
    return false;
  }
  s.SetHas(true);
  if (command->Dialog > maxKind) return false;
  return PrepareNewParameter(command->Dialog, command->ParaText, form);
}

bool ChangeableByForm(int kind) { return kind == 2 || (kind >= 5 && kind <= 11) || kind == 13; }

bool PrepareChangeParameter(TVerbindung& link, TLinkSide side, TParameterForm& form) {
  TSide s{link, side};
  const int kind = s.Kind();
  if (!ChangeableByForm(kind)) return false;
  form = TParameterForm();
  form.Page = ParameterPage(kind);
  const TExtendedParams ext = GetExtendedParams(link, side);
  const int word = s.Word();
  const int lvl = PriorityMaskIndex(ext.PriorityMask);
  auto spin = [&form](int i, int v) {
    form.Spin[static_cast<size_t>(i)].Value = v;
    form.Spin[static_cast<size_t>(i)].Clamp();
  };
  switch (kind) {
    case pkDimValueTime:
      form.Label4 = ModelTranslate("Bitte geben Sie die folgenden Daten ein");
      spin(2, word & 0xFF);
      spin(3, Nearest((word >> 8) / kDimFactor));
      break;
    case pkPrioLockRun:
    case pkPrioLockTenths:
      if (kind == pkPrioLockTenths) form.Label10 = ModelTranslate("/10 Sek");
      form.Radio[1] = lvl;
      form.Check[1] = ext.Flag != 0;
      spin(4, kind == pkPrioLockRun ? word / 10 : word);
      break;
    case pkPrioLevel:
      form.Radio[2] = lvl;
      break;
    case pkPrioOffsetRun:
      form.Radio[3] = lvl;
      form.Check[2] = ext.Flag != 0;
      spin(5, ext.Times[0] / 10);
      spin(6, ext.Times[1] / 10);
      break;
    case pkPrioOffsetTip:
      form.Radio[4] = lvl;
      form.Check[3] = ext.Flag != 0;
      spin(7, ext.Times[0] / 10);
      spin(8, ext.Times[1] / 10);
      spin(9, ext.Times[2]);
      break;
    case pkRunTime:
      form.Label1 = ModelTranslate("Bitte geben Sie die Laufzeit ein");
      form.Label2 = ModelTranslate("Eingabeformat = SSSS");
      form.Label3 = ModelTranslate("Sekunden");
      form.Spin[1] = TParamSpin{1, 6553, 1};
      spin(1, word / 10);
      break;
    case pkPrioSet:
      for (int n = 0; n < 6; ++n) form.Levels[static_cast<size_t>(n)] = (ext.PriorityMask >> n) & 1;
      break;
    case pkDelayDim:
      spin(13, word & 0xFF);
      spin(14, Nearest((word >> 8) / kDimFactor));
      spin(12, ext.Times[0]);
      break;
    default:
      break;
  }
  return true;
}

void StoreChangedParameter(TVerbindung& link, TLinkSide side, const TParameterForm& form) {
  TSide s{link, side};
  const int kind = s.Kind();
  if (!ChangeableByForm(kind)) return;
  StoreValues(link, side, kind, {}, form, true);
}

std::string LinkParameterText(TVerbindung& link, TLinkSide side, bool bracketed) {
  TSide s{link, side};
  if (s.Factor() == 0.0) s.SetFactor(1.0);
  const double f = s.Factor();
  const int p = s.Word();
  const TExtendedParams ext = GetExtendedParams(link, side);
  const int level = PriorityMaskIndex(ext.PriorityMask);
  auto fmt = [](const char* format, std::initializer_list<long long> args) {
    return FormatNumbers(ModelTranslate(format), args);
  };
  std::string text;
  switch (s.Kind()) {
    case pkSeconds:
      text = fmt("t=%5d Sekunden", {Nearest(p / f)});
      break;
    case pkDimValueTime:
      text = fmt("P=%3d, t=%3d Sekunden", {p & 0xFF, Nearest((p >> 8) / f)});
      break;
    case pkSeconds160:
      text = fmt("t=%3d Sekunden", {Nearest(p / f)});
      break;
    case pkPosition:
      text = fmt("P=%3d", {Nearest(p / f)});
      break;
    case pkPrioLockRun:
      text = fmt("t=%3d Sekunden, Prio=%3d, PWL=%3d", {p / 10, level, ext.Flag});
      break;
    case pkPrioLevel:
      text = fmt("Prio=%3d", {level});
      break;
    case pkPrioLockTenths:
      text = fmt("t in 1/10 Sekunden=%3d, Prio=%3d, Set=%3d", {p, level, ext.Flag});
      break;
    case pkRunTime:
      text = fmt("t=%3d Sekunden, Prio=%3d, Set=%3d", {p / 10, level, ext.Flag});
      break;
    case pkPrioSet:
      if (side == lsThen) text = FormatText(ModelTranslate("Prio: %s"), {PriorityLevelText(ext.PriorityMask)});
      break;
    case pkTenths:
      if (side == lsThen) text = fmt("t in 1/10 Sekunden =%5d", {Nearest(p / f)});
      break;
    default:
      break;
  }
  if (!text.empty() && bracketed) return " < " + text + " >";
  return text;
}

bool PrepareCommandParameter(const TEABaseFunction& command, TParameterForm& form) {
  form = TParameterForm();
  const int kind = command.Dialog;
  if (kind < 1) return false;
  const std::string& para = command.ParaText;
  switch (kind) {
    case 1:
    case 3:
      form.Page = 0;
      form.Label1 = Prompt("Bitte geben Sie die %s ein", para);
      form.Label2 = ModelTranslate(kind == 1 ? "Eingabeformat = SSSS" : "Eingabeformat = SSS");
      form.Label3 = ModelTranslate("Sekunden");
      if (kind == 3) form.Spin[1] = TParamSpin{1, 160, 1};
      break;
    case 2:
      form.Page = 1;
      form.Label4 = Prompt("Bitte geben Sie die %s ein", para);
      break;
    case 4:
      form.Page = 0;
      form.Label1 = Prompt("Bitte geben Sie den %s ein", para);
      form.Label2 = ModelTranslate("Eingabeformat = WWW");
      form.Label3 = ModelTranslate(" .Position");
      form.Spin[1] = TParamSpin{0, 255, 1};
      break;
    default:
      form.Page = -1;
      break;
  }
  if (form.Page >= 0) ApplyParaFields(kind, para, form);
  return true;
}

void StoreCommandParameter(int kind, const TParameterForm& input, uint8_t bytes[2]) {
  TParameterForm form = input;
  form.ClampAll();
  if (kind == 2) {
    bytes[0] = static_cast<uint8_t>(form.Spin[2].Value);
    bytes[1] = static_cast<uint8_t>(form.Spin[3].Value);
  } else if (kind >= 1 && kind <= 4) {
    bytes[0] = static_cast<uint8_t>(form.Spin[1].Value & 0xFF);
    bytes[1] = static_cast<uint8_t>((form.Spin[1].Value >> 8) & 0xFF);
  }
}

std::string RangeText(const TParameterForm& input) {
  TParameterForm form = input;
  form.ClampAll();
  return std::to_string(form.Spin[10].Value) + "-" + std::to_string(form.Spin[11].Value);
}

}  // namespace zyn
