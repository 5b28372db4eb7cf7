#include "widgets/controls/ZCLCustomMaskEdit.h"

#include "widgets/controls/ZCLApplication.h"

#include <QFocusEvent>
#include <QLocale>
#include <QTime>
#include <QWheelEvent>

#include <cmath>

namespace zyn {
namespace {

const QString kDigits = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QTime ParseTime(const QString& text) {
  const QLocale locale;
  for (const QString& f : {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat),
                           QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
    const QTime t = QTime::fromString(text.trimmed(), f);
    if (t.isValid()) return t;
  }
  return QTime();
}

int DigitValue(QChar c) { return static_cast<int>(kDigits.indexOf(c.toUpper())); }

struct MaskPosition {
  QChar cls;
  bool literal = false;
  bool required = false;
};

std::vector<MaskPosition> ParseMask(const QString& mask) {
  std::vector<MaskPosition> out;
  bool required = false;
  for (int i = 0; i < mask.size(); ++i) {
    const QChar c = mask[i];
    if (c == QLatin1Char('!')) {
      required = true;
      continue;
    }
    if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
      out.push_back({mask[++i], true, required});
    } else {
      out.push_back({c, false, required});
    }
    required = false;
  }
  return out;
}

bool FitsClass(QChar cls, QChar c) {
  switch (cls.unicode()) {
    case '#':
      return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    case '*':
      return (c >= QLatin1Char('1') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-');
    case '0':
      return c.isDigit();
    case '1':
      return c == QLatin1Char('0') || c == QLatin1Char('1');
    case '8':
      return c.isDigit() || c == QLatin1Char(' ');
    case '9':
      return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    case 'A':
      return c.isLetter() && c.isUpper();
    case 'a':
      return c.isLetter() && c.isLower();
    case 'b':
      return c.isLetter();
    case 'c':
      return c.isLetterOrNumber();
    case 'r':
      return true;
    case 'v':
      return c == QLatin1Char('+') || c == QLatin1Char('-');
    default:
      return c == cls;
  }
}

}  // namespace

TZCLCustomMaskEdit::TZCLCustomMaskEdit(QWidget* parent) : TZCLCustomEdit(parent) {
  FCurrencySettings.OnChange = [this](QObject*) {
    if (FDataType == mdCurrency) SetText(FormatNumber(static_cast<double>(AsCurrency()) / 10000.0));
  };
  const QLocale locale;
  FDecimalSeparator = locale.decimalPoint().at(0);
  FThousandSeparator = locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator().at(0);
}

void TZCLCustomMaskEdit::ValidationError() {
  if (OnValidationError) OnValidationError(this);
}

bool TZCLCustomMaskEdit::IsBaseDigit(QChar c) const {
  const int v = DigitValue(c);
  return v >= 0 && v < FBase;
}

QString TZCLCustomMaskEdit::SuffixOf() const { return HasSuffix() ? FSuffix : QString(); }

QString TZCLCustomMaskEdit::TextWithoutSuffix() const {
  const QString suffix = SuffixOf();
  if (!suffix.isEmpty() && FText.endsWith(suffix)) return FText.left(FText.size() - suffix.size());
  return FText;
}

bool TZCLCustomMaskEdit::CaretInSuffix() const {
  const QString suffix = SuffixOf();
  if (suffix.isEmpty() || !FText.endsWith(suffix)) return false;
  return FCaretPos > FText.size() - suffix.size();
}

void TZCLCustomMaskEdit::SetBase(int value) {
  value = std::clamp(value, 2, 36);
  if (value == FBase) return;
  FBase = value;
}

void TZCLCustomMaskEdit::SetDecimals(int value) {
  if (value < 0 || value == FDecimals) return;
  FDecimals = value;
}

void TZCLCustomMaskEdit::SetSuffix(const QString& value) {
  if (value == FSuffix) return;
  const QString body = TextWithoutSuffix();
  FSuffix = value;
  SetText(body + SuffixOf());
}

void TZCLCustomMaskEdit::SetMask(const QString& value) {
  if (value == FMask) return;
  FMask = value;
  if (FDataType == mdCustomMask) SetText(MaskTemplate());
}

QString TZCLCustomMaskEdit::MaskTemplate() const {
  QString out;
  for (const MaskPosition& p : ParseMask(FMask)) out += p.literal ? p.cls : FPlaceholder;
  return out;
}

bool TZCLCustomMaskEdit::FitsMask(const QString& text) const {
  const auto positions = ParseMask(FMask);
  if (text.size() > static_cast<int>(positions.size())) return false;
  for (int i = 0; i < text.size(); ++i) {
    const MaskPosition& p = positions[i];
    if (p.literal ? text[i] != p.cls : !(text[i] == FPlaceholder || FitsClass(p.cls, text[i]))) return false;
  }
  return true;
}

void TZCLCustomMaskEdit::SetDataType(TZCLMaskDataType value) {
  if (value == FDataType) return;
  FDataType = value;
  if (value == mdFixed || value == mdNumber || value == mdCurrency) FBase = 10;
  switch (value) {
    case mdInteger:
    case mdUnsignedInteger:
    case mdFloat:
      SetText(QStringLiteral("0") + SuffixOf());
      break;
    case mdFixed:
    case mdNumber:
    case mdCurrency:
      SetText(FormatNumber(0) + SuffixOf());
      break;
    case mdCustomMask:
      SetText(MaskTemplate());
      break;
    case mdDate: {
      const QDate kept = FDateFormat.Parse(FText);
      FSelectionAllowed = false;
      SetText(FDateFormat.FormatDate(kept.isValid() && !FText.isEmpty() ? kept : QDate::currentDate(), true));
      break;
    }
    case mdTime: {
      const QTime kept = ParseTime(FText);
      SetText(QLocale().toString(kept.isValid() ? kept : QTime::currentTime(), QLocale::ShortFormat));
      break;
    }
    default:
      break;
  }
}

double TZCLCustomMaskEdit::AsTime() {
  if (FDataType != mdTime) throw EZCLWrongDataType("No time entered");
  if (FText.trimmed().isEmpty()) return 0;
  const QTime t = ParseTime(FText);
  if (!t.isValid()) {
    ValidationError();
    return 0;
  }
  return t.msecsSinceStartOfDay() / 86400000.0;
}

double TZCLCustomMaskEdit::AsDate() {
  if (FDataType != mdDate) throw EZCLWrongDataType("No date entered");
  if (FText.trimmed().isEmpty()) return 0;
  const QDate d = FDateFormat.Parse(FText);
  return d.isValid() ? TZCLDateFormat::ToValue(d) : 0;
}

QString TZCLCustomMaskEdit::FormatNumber(double value) const {
  auto toBase = [this](qint64 v) {
    if (v == 0) return QStringLiteral("0");
    const bool negative = v < 0;
    quint64 u = negative ? static_cast<quint64>(-(v + 1)) + 1 : static_cast<quint64>(v);
    QString s;
    while (u > 0) {
      s.prepend(kDigits[static_cast<int>(u % FBase)]);
      u /= FBase;
    }
    return negative ? QLatin1Char('-') + s : s;
  };
  switch (FDataType) {
    case mdInteger:
      return toBase(static_cast<qint64>(std::trunc(value)));
    case mdUnsignedInteger:
      return toBase(std::llabs(static_cast<qint64>(std::trunc(value))));
    case mdFloat: {
      if (FBase == 10) {
        QString s = QString::number(value, 'g', 15);
        s.replace(QLatin1Char('.'), FDecimalSeparator);
        return s;
      }
      const double ip = std::trunc(value);
      QString s = toBase(static_cast<qint64>(ip));
      if (value < 0 && ip == 0) s.prepend(QLatin1Char('-'));
      double frac = std::fabs(value - ip);
      if (frac > 0) {
        s += FDecimalSeparator;
        for (int i = 0; i < 15 && frac > 0; ++i) {
          frac *= FBase;
          const int d = static_cast<int>(frac);
          s += kDigits[d];
          frac -= d;
        }
      }
      return s;
    }
    case mdCurrency:
      return FCurrencySettings.Format(std::llround(value * 10000.0));
    case mdFixed:
    case mdNumber: {
      const int decimals = FDecimals;
      QString s = QString::number(value, 'f', decimals);
      QString intPart = s.section(QLatin1Char('.'), 0, 0);
      const QString frac = s.contains(QLatin1Char('.')) ? s.section(QLatin1Char('.'), 1) : QString();
      if (FDataType != mdFixed) {
        const bool negative = intPart.startsWith(QLatin1Char('-'));
        QString digits = negative ? intPart.mid(1) : intPart;
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, FThousandSeparator);
        intPart = negative ? QLatin1Char('-') + digits : digits;
      }
      return frac.isEmpty() ? intPart : intPart + FDecimalSeparator + frac;
    }
    default:
      return QString::number(value);
  }
}

qint64 TZCLCustomMaskEdit::ParseInteger(const QString& source, bool* ok) const {
  QString text = source;
  text.remove(FThousandSeparator);
  *ok = true;
  if (text.isEmpty()) return 0;
  if (FBase == 10) return text.toLongLong(ok);
  bool negative = false;
  if (text.startsWith(QLatin1Char('-'))) {
    negative = true;
    text.remove(0, 1);
  }
  if (text.isEmpty()) {
    *ok = false;
    return 0;
  }
  qint64 v = 0;
  for (QChar c : text) {
    if (!IsBaseDigit(c)) {
      *ok = false;
      return 0;
    }
    v = v * FBase + DigitValue(c);
  }
  return negative ? -v : v;
}

double TZCLCustomMaskEdit::ParseFloat(const QString& source, bool* ok) const {
  QString text = source;
  if (FThousandSeparator != FDecimalSeparator) text.remove(FThousandSeparator);
  *ok = true;
  if (text.isEmpty() || text == QLatin1String("-")) return 0;
  bool negative = text.startsWith(QLatin1Char('-'));
  if (negative) text.remove(0, 1);
  const int sep = static_cast<int>(text.indexOf(FDecimalSeparator));
  const QString intText = sep < 0 ? text : text.left(sep);
  const QString fracText = sep < 0 ? QString() : text.mid(sep + 1);
  double value = 0;
  for (QChar c : intText) {
    if (!IsBaseDigit(c)) {
      *ok = false;
      return 0;
    }
    value = value * FBase + DigitValue(c);
  }
  double frac = 0;
  for (int i = static_cast<int>(fracText.size()) - 1; i >= 0; --i) {
    if (!IsBaseDigit(fracText[i])) {
      *ok = false;
      return 0;
    }
    frac = (frac + DigitValue(fracText[i])) / FBase;
  }
  value += frac;
  return negative ? -value : value;
}

qint64 TZCLCustomMaskEdit::AsInteger() {
  if (FDataType != mdInteger && FDataType != mdUnsignedInteger) throw EZCLWrongDataType("No integer entered");
  bool ok = true;
  const qint64 v = ParseInteger(TextWithoutSuffix(), &ok);
  if (!ok) {
    ValidationError();
    return 0;
  }
  return v;
}

std::int64_t TZCLCustomMaskEdit::AsCurrency() {
  if (FText.isEmpty()) return 0;
  bool ok = true;
  const std::int64_t amount = FCurrencySettings.Read(FText, &ok);
  if (!ok) {
    ValidationError();
    return 0;
  }
  return amount;
}

double TZCLCustomMaskEdit::AsFloat() {
  if (FDataType != mdFloat && FDataType != mdFixed && FDataType != mdNumber)
    throw EZCLWrongDataType("No float entered");
  bool ok = true;
  const double v = ParseFloat(TextWithoutSuffix(), &ok);
  if (!ok) {
    ValidationError();
    return 0;
  }
  return v;
}

void TZCLCustomMaskEdit::WriteValue(double value) {
  if (FDataType == mdDate) {
    SetText(FDateFormat.FormatDate(TZCLDateFormat::FromValue(value), true));
    return;
  }
  if (FDataType == mdTime) {
    SetText(QLocale().toString(QTime::fromMSecsSinceStartOfDay(
                                   static_cast<int>(std::llround((value - std::floor(value)) * 86400000.0)) % 86400000),
                               QLocale::ShortFormat));
    return;
  }
  if (FDataType == mdCustomMask || FDataType == mdFreeText) return;
  SetText(FormatNumber(value) + SuffixOf());
}

void TZCLCustomMaskEdit::KeyPress(QChar ch) {
  if (!MayEdit()) return;
  if (CaretInSuffix()) return;
  if (OnKeyPress) OnKeyPress(this, ch);
  if (ch.isNull() || ch.unicode() < 32) return;
  const QString body = TextWithoutSuffix();
  const int caret = FCaretPos;
  const QChar atCaret = caret <= body.size() ? body[caret - 1] : QChar();
  const bool minus = ch == QLatin1Char('-');
  switch (FDataType) {
    case mdInteger:
    case mdFloat:
    case mdFixed:
    case mdNumber:
      if (minus) {
        if (FSelLength > 0) {
          InsertTyped(ch);
        } else if (body.startsWith(QLatin1Char('-'))) {
          FTyping = true;
          const int keep = FCaretPos;
          FSelStart = 1;
          FSelLength = 1;
          ReplaceSelection(QString());
          FTyping = false;
          SetCaretPos(std::max(1, keep - 1));
        } else {
          const int keep = FCaretPos;
          FTyping = true;
          FSelStart = 1;
          FSelLength = 0;
          FCaretPos = 1;
          ReplaceSelection(QStringLiteral("-"));
          FTyping = false;
          SetCaretPos(keep + 1);
        }
        return;
      }
      if (IsBaseDigit(ch)) {
        if (atCaret == QLatin1Char('-') && !(FSelLength > 0 && FSelStart == 1)) return;
        InsertTyped(ch);
        return;
      }
      if (FDataType != mdInteger && ch == FDecimalSeparator) {
        const int existing = static_cast<int>(body.indexOf(FDecimalSeparator));
        if (existing >= 0 && FSelLength == 0) {
          SetCaretPos(existing + 2);
          return;
        }
        if (atCaret == QLatin1Char('-')) return;
        InsertTyped(ch);
      }
      return;
    case mdUnsignedInteger:
      if (IsBaseDigit(ch)) InsertTyped(ch);
      return;
    case mdCurrency:
      TypeCurrencyChar(ch);
      return;
    case mdDate:
      TypeDateChar(ch);
      return;
    case mdTime:
      if (ch.isDigit() || (!ch.isLetterOrNumber() && !ch.isSpace())) InsertTyped(ch);
      return;
    case mdCustomMask: {
      // A mask is typed over: the application-wide input mode turns to overwrite.
      ZCLApplication().SetInsertMode(false);
      const auto positions = ParseMask(FMask);
      if (caret > static_cast<int>(positions.size())) return;
      const MaskPosition& p = positions[caret - 1];
      if (p.literal ? ch != p.cls : !(ch == FPlaceholder || FitsClass(p.cls, ch))) return;
      FSelStart = caret;
      FSelLength = caret <= FText.size() ? 1 : 0;
      FTyping = true;
      ReplaceSelection(QString(ch));
      FTyping = false;
      return;
    }
    default:
      InsertTyped(ch);
      return;
  }
}

QString TZCLCustomMaskEdit::FilterText(const QString& source) {
  QString s = source;
  if (s.isEmpty()) return s;
  const QString body = TextWithoutSuffix();
  switch (FDataType) {
    case mdInteger: {
      if (s.startsWith(QLatin1Char('-'))) {
        const bool replacesSign = FSelLength > 0 && FSelStart == 1;
        if (body.startsWith(QLatin1Char('-')) && !replacesSign) return QString();
        if (FSelStart > 1) return QString();
        if (s.size() == 1) return s;
        for (int i = 1; i < s.size(); ++i)
          if (!IsBaseDigit(s[i])) return QString();
        return s;
      }
      for (QChar c : s)
        if (!IsBaseDigit(c)) return QString();
      if (FSelLength == 0 && FSelStart <= body.size() && body[FSelStart - 1] == QLatin1Char('-') && FSelStart == 1)
        return QString();
      return s;
    }
    case mdUnsignedInteger:
      for (QChar c : s)
        if (!IsBaseDigit(c)) return QString();
      return s;
    case mdFloat:
    case mdFixed:
    case mdNumber: {
      for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('-')) {
          if (i != 0 || FSelStart > 1) return QString();
          if (body.startsWith(QLatin1Char('-')) && !(FSelLength > 0 && FSelStart == 1)) return QString();
        } else if (c == FDecimalSeparator) {
          const QString rest = body.left(FSelStart - 1) + body.mid(FSelStart - 1 + FSelLength);
          if (rest.contains(FDecimalSeparator)) return QString();
        } else if (!IsBaseDigit(c) && !(FDataType == mdNumber && c == FThousandSeparator)) {
          return QString();
        }
      }
      return s;
    }
    case mdCustomMask: {
      const QString after = FText.left(FSelStart - 1) + s + FText.mid(FSelStart - 1 + FSelLength);
      return FitsMask(after) ? s : QString();
    }
    default:
      return s;
  }
}

bool TZCLCustomMaskEdit::MayInsert() {
  if (!TZCLCustomEdit::MayInsert()) return false;
  if (FInMayInsert || FUndoing || (FDataType != mdFixed && FDataType != mdNumber && FDataType != mdCurrency))
    return true;
  const QChar separator = FDataType == mdCurrency ? FCurrencySettings.DecimalSeparator() : FDecimalSeparator;
  const int size = static_cast<int>(FText.size());
  const bool deleting = FInserting.isEmpty();
  const int at = FSelStart - 1;  // 0-based position of the selection or caret
  auto stepOver = [&] {
    const int caret = FLastKey == Qt::Key_Backspace ? FSelStart : FSelStart + 1;
    FSelLength = 0;
    SetCaretPos(caret);
  };
  if (deleting && FSelLength == 1 && at >= 0 && at < size) {
    // The separator alone is never deleted: the caret steps over it.
    if (FText[at] == separator) {
      stepOver();
      return false;
    }
    // The only digit before the separator becomes a 0 instead of going away.
    if (at + 1 < size && FText[at + 1] == separator) {
      bool before = false;
      for (int i = 0; i < at; ++i)
        if (FText[i].isDigit() || FText[i] == QLatin1Char('-') || FText[i] == separator) before = true;
      if (!before && FText[at] != QLatin1Char('0')) {
        FInMayInsert = true;
        ReplaceSelection(QStringLiteral("0"));
        FInMayInsert = false;
        SetCaretPos(FLastKey == Qt::Key_Backspace ? at + 1 : at + 2);
        return false;
      }
    }
  }
  if (!deleting && FSelLength == 0 && !ZCLApplication().InsertMode()) {
    // Overwriting at the separator steps over it first.
    if (at >= 0 && at < size && FText[at] == separator) {
      if (at + 1 >= size) return false;
      FSelStart += 1;
      FCaretPos = FSelStart;
    }
    // Currency: left of the separator only digits, the sign and the separator are overwritten.
    const int pos = FSelStart - 1;
    const int sepAt = static_cast<int>(FText.indexOf(separator));
    if (FDataType == mdCurrency && pos >= 0 && pos < size && (sepAt < 0 || pos < sepAt)) {
      const QChar c = FText[pos];
      if (!c.isDigit() && c != QLatin1Char('-') && c != separator) {
        SetCaretPos(FSelStart + 1);
        return false;
      }
    }
  }
  return true;
}

bool TZCLCustomMaskEdit::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  FLastKey = key;
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FEnterValidates) {
    CheckOnExit();
    return true;
  }
  if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
    const QString suffix = SuffixOf();
    if (!suffix.isEmpty() && FText.endsWith(suffix)) {
      const int bodyEnd = static_cast<int>(FText.size() - suffix.size());
      if (FSelLength > 0 && FSelStart + FSelLength - 1 > bodyEnd) FSelLength = std::max(0, bodyEnd + 1 - FSelStart);
      if (key == Qt::Key_Delete && FSelLength == 0 && FCaretPos > bodyEnd) return true;
      if (key == Qt::Key_Backspace && FSelLength == 0 && FCaretPos > bodyEnd + 1) return true;
    }
    if (FDataType == mdCustomMask && !FReadOnly && MayEdit()) {
      const QString tmpl = MaskTemplate();
      int start = FSelStart, length = FSelLength;
      if (length == 0) {
        if (key == Qt::Key_Backspace) {
          if (FCaretPos == 1) return true;
          start = FCaretPos - 1;
        }
        length = 1;
      }
      const int keep = key == Qt::Key_Backspace && FSelLength == 0 ? FCaretPos - 1 : FCaretPos;
      QString text = FText;
      for (int i = start; i < start + length && i <= text.size(); ++i) text[i - 1] = tmpl[i - 1];
      if (text != FText) {
        FSelStart = 1;
        FSelLength = static_cast<int>(FText.size());
        FTyping = true;
        ReplaceSelection(text);
        FTyping = false;
      }
      SetCaretPos(keep);
      return true;
    }
  }
  if (FDataType == mdDate) {
    switch (key) {
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Home:
      case Qt::Key_End:
        return true;
      case Qt::Key_Left:
      case Qt::Key_Right: {
        const int index = FDateFormat.FieldAt((FSelLength > 0 ? FSelStart : FCaretPos) - 1);
        const int count = static_cast<int>(FDateFormat.Fields().size());
        if (index >= 0) SelectDateField(std::clamp(index + (key == Qt::Key_Left ? -1 : 1), 0, count - 1));
        return true;
      }
      case Qt::Key_Up:
      case Qt::Key_Down:
        if (!FReadOnly) StepDateField(key == Qt::Key_Up ? 1 : -1);
        return true;
      default:
        break;
    }
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down) return true;
  return TZCLCustomEdit::KeyCommand(key, modifiers);
}

void TZCLCustomMaskEdit::SelectDateField(int index) {
  const std::vector<TZCLDateField> fields = FDateFormat.Fields();
  if (index < 0 || index >= static_cast<int>(fields.size())) return;
  if (index != FDateFieldIndex) FDateDigits.clear();
  FDateFieldIndex = index;
  const TZCLDateField& f = fields[index];
  const int start = std::min(f.Start + 1, static_cast<int>(FText.size()) + 1);
  FCaretPos = start;
  FSelStart = start;
  FSelLength = std::max(0, std::min(f.Width(), static_cast<int>(FText.size()) + 1 - start));
  CursorPosNotification();
  update();
}

void TZCLCustomMaskEdit::TypeDateChar(QChar ch) {
  const std::vector<TZCLDateField> fields = FDateFormat.Fields();
  const int index = FDateFormat.FieldAt((FSelLength > 0 ? FSelStart : FCaretPos) - 1);
  if (index < 0) return;
  if (!ch.isDigit()) {
    // The date separator (any character that is neither letter, digit nor space) ends the field.
    if (ch.isLetterOrNumber() || ch.isSpace()) return;
    SelectDateField(std::min(index + 1, static_cast<int>(fields.size()) - 1));
    FDateDigits.clear();
    return;
  }
  if (index != FDateFieldIndex) {
    FDateFieldIndex = index;
    FDateDigits.clear();
  }
  const TZCLDateField& f = fields[index];
  if (f.IsDay() && f.IsName()) return;  // day names are not typed
  QString typed = FDateDigits;
  const int limit = f.IsYear() ? (f.Width() == 2 ? 2 : 4) : 2;
  if (typed.size() >= limit) typed.clear();
  if (typed.size() == 1 && !f.IsYear()) {
    const QChar first = typed[0];
    bool second = false;
    if (f.IsDay())
      second = (first >= QLatin1Char('0') && first <= QLatin1Char('2')) ||
               (first == QLatin1Char('3') && (ch == QLatin1Char('0') || ch == QLatin1Char('1')));
    else
      second =
          first == QLatin1Char('0') || (first == QLatin1Char('1') && ch >= QLatin1Char('0') && ch <= QLatin1Char('2'));
    if (!second) return;
  }
  typed += ch;
  QString field;
  if (f.IsMonth() && f.IsName()) {
    const int month = typed.toInt();
    if (month < 1 || month > 12) return;
    field = QLocale()
                .monthName(month, (f.Kind % 10) == 3 ? QLocale::ShortFormat : QLocale::LongFormat)
                .leftJustified(f.Width(), QLatin1Char(' '));
  } else if (f.IsYear()) {
    field = typed.rightJustified(f.Width(), QLatin1Char(' '));
  } else {
    field = typed.rightJustified(2, (f.Kind % 10) == 2 ? QLatin1Char('0') : QLatin1Char(' '));
  }
  QString text = FText;
  if (text.size() < f.End) text = text.leftJustified(f.End, QLatin1Char(' '));
  text.replace(f.Start, f.Width(), field);
  FSelStart = 1;
  FSelLength = static_cast<int>(FText.size());
  FTyping = true;
  ReplaceSelection(text);
  FTyping = false;
  FDateDigits = typed;
  FDateFieldIndex = index;
  SelectDateField(index);
}

void TZCLCustomMaskEdit::StepDateField(int step) {
  const std::vector<TZCLDateField> fields = FDateFormat.Fields();
  const int index = FDateFormat.FieldAt((FSelLength > 0 ? FSelStart : FCaretPos) - 1);
  if (index < 0) return;
  const QDate date = FDateFormat.Parse(FText);
  if (!date.isValid()) {
    ValidationError();
    return;
  }
  const TZCLDateField& f = fields[index];
  QDate next;
  if (f.IsDay()) {
    next = date.addDays(step);
  } else if (f.IsMonth()) {
    const int month = (date.month() - 1 + step + 12) % 12 + 1;
    next = QDate(date.year(), month, std::min(date.day(), QDate(date.year(), month, 1).daysInMonth()));
  } else {
    next = date.addYears(step);
  }
  if (!next.isValid()) {
    ValidationError();
    return;
  }
  SetText(FDateFormat.FormatDate(next, true));
  SelectDateField(index);
}

void TZCLCustomMaskEdit::TypeCurrencyChar(QChar ch) {
  if (ch == QLatin1Char('-')) {
    const std::int64_t amount = AsCurrency();
    FNegativePending = !(amount < 0 || (amount == 0 && FNegativePending));
    FReformatting = true;
    const QString text = FCurrencySettings.Format(amount == 0 ? 0 : -amount);
    FReformatting = false;
    if (amount != 0) {
      const int keep = FCaretPos;
      FSelStart = 1;
      FSelLength = static_cast<int>(FText.size());
      FTyping = true;
      ReplaceSelection(text);
      FTyping = false;
      SetCaretPos(std::min(keep, static_cast<int>(FText.size()) + 1));
    }
    return;
  }
  const QChar separator = FCurrencySettings.DecimalSeparator();
  if ((ch == separator || ch == FDecimalSeparator) && FSelLength == 0) {
    // The existing separator moves to the caret; the digits behind it become the decimals.
    const int existing = static_cast<int>(FText.indexOf(separator));
    QString text = FText;
    int caret = FCaretPos;
    if (existing >= 0) {
      text.remove(existing, 1);
      if (existing < caret - 1) --caret;
    }
    text.insert(caret - 1, separator);
    FSelStart = 1;
    FSelLength = static_cast<int>(FText.size());
    FTyping = true;
    ReplaceSelection(text);
    FTyping = false;
    const int at = static_cast<int>(FText.indexOf(separator));
    SetCaretPos(at >= 0 ? at + 2 : static_cast<int>(FText.size()) + 1);
    return;
  }
  InsertTyped(ch);
}

void TZCLCustomMaskEdit::ReformatFloat() {
  const QString body = TextWithoutSuffix();
  if (body.isEmpty() || body == QLatin1String("-")) return;
  QString cut = body;
  const int sep = static_cast<int>(cut.indexOf(FDecimalSeparator));
  if (FDataType == mdFixed && sep >= 0 && cut.size() - sep - 1 > FDecimals) cut.truncate(sep + 1 + FDecimals);
  bool ok = true;
  QString plain = cut;
  plain.remove(FThousandSeparator);
  const double value = ParseFloat(plain, &ok);
  if (!ok) {
    ValidationError();
    return;
  }
  QString canonical = FormatNumber(value);
  if (body.startsWith(QLatin1Char('-')) && !canonical.startsWith(QLatin1Char('-')))
    canonical.prepend(QLatin1Char('-'));  // "-0.5" keeps its sign
  if (FMaxLength > 0 && canonical.size() > FMaxLength) canonical.truncate(FMaxLength);
  if (canonical == body) return;
  auto separatorsBefore = [this](const QString& s, int caret) {
    int n = 0;
    for (int i = 0; i < caret - 1 && i < s.size(); ++i) n += s[i] == FThousandSeparator ? 1 : 0;
    return n;
  };
  const int before = separatorsBefore(body, FCaretPos);
  const int caret = FCaretPos;
  FReformatting = true;
  FText = canonical + SuffixOf();
  FReformatting = false;
  int next = std::min(caret, static_cast<int>(canonical.size()) + 1);
  const int after = separatorsBefore(canonical, next);
  if (after > before) next += after - before;
  FCaretPos = std::min(next, static_cast<int>(canonical.size()) + 1);
  FSelStart = FCaretPos;
  FSelLength = 0;
  RefreshDisplayText();
  update();
}

void TZCLCustomMaskEdit::AfterChange() {
  TZCLCustomEdit::AfterChange();
  if (FReformatting || FUndoing || FInMayInsert) return;
  if (FDataType == mdFixed || FDataType == mdNumber) {
    ReformatFloat();
    return;
  }
  if (FDataType != mdCurrency) return;
  // The amount is written again in its template; the caret keeps the digits right of it.
  bool ok = false;
  std::int64_t amount = FCurrencySettings.Read(FText, &ok);
  if (!ok) {
    if (FTyping) ValidationError();
    return;
  }
  if (FNegativePending && amount > 0) amount = -amount;
  const QString text = FCurrencySettings.Format(amount);
  if (text == FText) return;
  auto digitsFrom = [](const QString& s, int position) {
    int n = 0;
    for (int i = position - 1; i < s.size(); ++i) n += s[i].isDigit() ? 1 : 0;
    return n;
  };
  const int right = digitsFrom(FText, FCaretPos);
  int caret = 1;
  while (caret <= text.size() && digitsFrom(text, caret) > right) ++caret;
  FReformatting = true;
  FText = text;
  FReformatting = false;
  FCaretPos = caret;
  FSelStart = caret;
  FSelLength = 0;
  RefreshDisplayText();
  update();
}

void TZCLCustomMaskEdit::focusOutEvent(QFocusEvent* event) {
  TZCLCustomEdit::focusOutEvent(event);
  CheckOnExit();
}

void TZCLCustomMaskEdit::focusInEvent(QFocusEvent* event) {
  TZCLCustomEdit::focusInEvent(event);
  // The date is edited in its padded form.
  if (FDataType == mdDate) {
    const QDate d = FDateFormat.Parse(FText);
    if (d.isValid() && FDateFormat.FormatDate(d, true) != FText) SetText(FDateFormat.FormatDate(d, true));
  }
}

void TZCLCustomMaskEdit::wheelEvent(QWheelEvent* event) {
  if (FDataType == mdDate && !FReadOnly && isEnabled()) {
    const int delta = event->angleDelta().y();
    if (delta != 0) StepDateField(delta > 0 ? 1 : -1);
    event->accept();
    return;
  }
  TZCLCustomEdit::wheelEvent(event);
}

void TZCLCustomMaskEdit::CheckOnExit() {
  if (FDataType == mdCustomMask) {
    const auto positions = ParseMask(FMask);
    for (int i = 0; i < static_cast<int>(positions.size()); ++i) {
      const MaskPosition& p = positions[i];
      if (!p.required || p.literal) continue;
      const QChar c = i < FText.size() ? FText[i] : FPlaceholder;
      if (c == FPlaceholder || !FitsClass(p.cls, c)) {
        FCaretPos = i + 2;
        FSelStart = i + 1;
        FSelLength = 1;
        QMetaObject::invokeMethod(
            this, [this] { setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
        return;
      }
    }
    return;
  }
  if (FDataType == mdDate) {
    const QDate d = FDateFormat.Parse(FText);
    if (d.isValid()) {
      SetText(FDateFormat.FormatDate(d, true));
    } else {
      ValidationError();
      QMetaObject::invokeMethod(
          this, [this] { setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
    }
    return;
  }
  if (FDataType == mdTime) {
    if (!ParseTime(FText).isValid()) {
      ValidationError();
      QMetaObject::invokeMethod(
          this, [this] { setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
    }
    return;
  }
  if (FDataType > mdCurrency) return;
  if (TextWithoutSuffix() == QLatin1String("-")) SetText(SuffixOf());
  if (!FRangeCheck) return;
  double v = 0;
  if (FDataType == mdInteger || FDataType == mdUnsignedInteger)
    v = static_cast<double>(AsInteger());
  else if (FDataType == mdCurrency)
    v = static_cast<double>(AsCurrency()) / 10000.0;
  else
    v = AsFloat();
  if (v > FMaxValue) {
    if (OnRangeError) OnRangeError(this, v, FMinValue, FMaxValue);
    WriteValue(FMaxValue);
  } else if (v < FMinValue) {
    if (OnRangeError) OnRangeError(this, v, FMinValue, FMaxValue);
    WriteValue(FMinValue);
  }
}

void TZCLCustomMaskEdit::Loaded() {
  TZCLCustomEdit::Loaded();
  if (FDataType == mdCustomMask && FText.isEmpty()) SetText(MaskTemplate());
}

}  // namespace zyn
