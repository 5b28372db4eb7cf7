// The script token operations of a tool and the two value look-ups the link script uses
// (variable values and blind-motor parameter blocks).

#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/ModelText.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace zyn {

namespace {

constexpr size_t kTokenMax = 255;

std::string Cut(std::string_view s) { return std::string(s.substr(0, kTokenMax)); }

// The text between the first `open` and the next `close` after it; empty when either is missing.
std::string Between(std::string_view line, char open, char close) {
  const size_t a = line.find(open);
  if (a == std::string_view::npos) return {};
  const size_t b = line.find(close, a + 1);
  if (b == std::string_view::npos) return {};
  return Cut(line.substr(a + 1, b - a - 1));
}

void SetWord(std::array<uint8_t, 10>& bytes, size_t at, int value) {
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// A multiplier of 0 stands for 1.0; the variable keeps the corrected multiplier.
long double EffectiveMultiplier(TVariable& v) {
  if (v.Multiplier.IsZero()) v.Multiplier = TReal48::FromValue(1.0L);
  return v.Multiplier.Value();
}

// The position of the "%" that closes the reference at the start of `rest` (which begins with
// "%"); npos when there is none.
size_t ClosingPercent(const std::string& rest) { return rest.find('%', 1); }

bool HashAfterReference(const std::string& rest) {
  const size_t close = ClosingPercent(rest);
  return close != std::string::npos && close + 1 < rest.size() && rest[close + 1] == '#';
}

std::string MissingVariableText(const std::string& name) {
  return Ansi("Die Variable \"") + name + Ansi("\" ist im Tool nicht vorhanden.");
}

}  // namespace

std::string TZYNFunction::TokenPercent(std::string_view line) { return Between(line, '%', '%'); }

std::string TZYNFunction::TokenHash(std::string_view line) { return Between(line, '#', '#'); }

std::string TZYNFunction::TokenModuleVar(std::string_view line) { return Between(line, '%', '\\'); }

int TZYNFunction::TokenChannelIndex(std::string_view line) {
  std::string_view rest = line;
  for (int i = 0; i < 2; ++i) {
    const size_t slash = rest.find('\\');
    if (slash != std::string_view::npos) rest = rest.substr(slash + 1);
  }
  const size_t end = rest.find('%');
  return StrToInt(Cut(rest.substr(0, end)));
}

int TZYNFunction::ChannelKind(std::string_view line) {
  if (line.find("\\INPUT") != std::string_view::npos) return 0;
  if (line.find("\\OUTPUT") != std::string_view::npos) return 1;
  return -1;
}

std::string TZYNFunction::LineText(std::string_view line) {
  const size_t colon = line.find(':');
  std::string text = Trim(colon == std::string_view::npos ? line : line.substr(colon + 1));
  size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  return Cut(Trim(text.substr(digits)));
}

int TZYNFunction::TakeNumber(const std::string& text, std::string& rest) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) {
    const int n = StrToInt(text);
    rest.clear();
    return n;
  }
  const int n = StrToInt(text.substr(0, comma));
  rest = text.substr(comma + 1);
  return n;
}

int TZYNFunction::VariableValue(const std::string& token, int increment, bool scale, bool advance, std::string& rest) {
  const std::string name = TokenPercent(token);
  TVariable* v = FindVariable(name);
  if (v == nullptr) throw EZYNError(MissingVariableText(name));
  const long double multiplier = EffectiveMultiplier(*v);
  const size_t first = token.find('%');
  const size_t second = first == std::string::npos ? std::string::npos : token.find('%', first + 1);
  if (second == std::string::npos) throw EZYNError(MissingVariableText(name));
  rest = token.substr(second + 1);
  long long addend = 0;
  if (!rest.empty() && rest[0] == '+') {
    std::string after;
    addend = static_cast<uint16_t>(TakeNumber(rest.substr(1), after));
    rest = after;
  }
  const long long sum = static_cast<long long>(v->Value) + addend;
  const int number = scale ? static_cast<int>(RoundEven(multiplier * static_cast<long double>(sum)))
                           : static_cast<int>(static_cast<uint16_t>(sum));
  if (advance) v->Value = static_cast<uint16_t>(v->Value + increment);
  return number;
}

void TZYNFunction::ResolveParameter(TVariable& target, const std::string& text, const TVariable* listVar, int index) {
  std::array<uint8_t, 10>& bytes = target.RolladenValue;
  std::string rest = text;
  for (size_t i = 0; i < 3; ++i) {
    std::string after;
    bytes[i] = static_cast<uint8_t>(TakeNumber(rest, after) & 0xFF);
    rest = after;
  }
  if (rest.empty()) return;

  // Bytes 3-4: a number or a variable; "VERSATZ" counts up by the offset step at every use.
  if (rest[0] != '%') {
    std::string after;
    SetWord(bytes, 3, TakeNumber(rest, after));
    rest = after;
  } else {
    if (!HashAfterReference(rest)) {
      std::string after;
      const bool versatz = rest.compare(1, 7, "VERSATZ") == 0;
      SetWord(bytes, 3,
              versatz ? VariableValue(rest, Versatz, false, true, after) : VariableValue(rest, 0, true, false, after));
      rest = after;
    }
    if (!rest.empty()) rest.erase(0, 1);
  }

  // Bytes 5-6: a variable, or "%...%#name#": the variable of the sub-tool at `index`.
  if (rest.empty() || rest[0] != '%') return;
  if (HashAfterReference(rest)) {
    const std::string name = TokenHash(rest);
    const TZYNSubFunction* sub = nullptr;
    if (listVar != nullptr && index >= 0 && index < listVar->Count())
      sub = ObjectAs<TZYNSubFunction>(listVar->Objects()[static_cast<size_t>(index)].Object);
    TZYNFunction* tool = sub ? sub->FunctionPtr() : nullptr;
    if (tool == nullptr) throw EZYNError(Ansi("Das Untertool für den Parameter \"") + name + Ansi("\" fehlt."));
    TVariable* v = tool->FindVariable(name);
    if (v == nullptr) throw EZYNError(MissingVariableText(name));
    if (v->VarType() == vtRollade) {
      bytes[5] = v->RolladenValue[3];
      bytes[6] = v->RolladenValue[4];
    } else {
      SetWord(bytes, 5, static_cast<int>(RoundEven(EffectiveMultiplier(*v) * v->Value)));
    }
    const size_t firstHash = rest.find('#');
    const size_t secondHash = rest.find('#', firstHash + 1);
    rest = secondHash == std::string::npos ? std::string() : rest.substr(secondHash + 1);
  } else {
    std::string after;
    SetWord(bytes, 5, VariableValue(rest, 0, true, false, after));
    rest = after;
  }
  if (!rest.empty()) rest.erase(0, 1);

  // Bytes 7-8: a variable only.
  if (rest.empty() || rest[0] != '%' || HashAfterReference(rest)) return;
  std::string after;
  SetWord(bytes, 7, VariableValue(rest, 0, true, false, after));
}

}  // namespace zyn
