#include "widgets/common/TimeEdit.h"

#include <QFocusEvent>

namespace zyn {

QString QtInputMask(const QString& editMask) {
  const QStringList fields = editMask.split(QLatin1Char(';'));
  QString mask;
  for (const QChar ch : fields.value(0)) {
    if (ch == QLatin1Char('!')) continue;
    if (ch == QLatin1Char('0'))
      mask += QLatin1Char('9');
    else if (ch == QLatin1Char('9'))
      mask += QLatin1Char('0');
    else
      mask += ch;
  }
  if (fields.size() >= 3 && !fields[2].isEmpty()) mask += QLatin1Char(';') + fields[2].left(1);
  return mask;
}

bool IsValidTimeText(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(':'));
  if (parts.size() != 2) return false;
  bool okH = false, okM = false;
  const QString h = parts[0].trimmed(), m = parts[1].trimmed();
  if (h.isEmpty() || m.isEmpty() || h.size() > 2 || m.size() > 2) return false;
  const int hours = h.toInt(&okH), minutes = m.toInt(&okM);
  return okH && okM && hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60;
}

TTimeEdit::TTimeEdit(QWidget* parent) : QLineEdit(parent) {
  SetEditMask(QStringLiteral("!00:00;1; "));
  setText(QStringLiteral("00:01"));
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange(this);
  });
}

void TTimeEdit::SetEditMask(const QString& editMask) {
  fEditMask = editMask;
  const QString text = displayText();
  setInputMask(QtInputMask(editMask));
  setText(text);
}

void TTimeEdit::SetText(const QString& text) {
  if (text != displayText()) setText(text);
}

bool TTimeEdit::ValidateEdit() {
  if (IsValidTimeText(displayText())) return true;
  fValidating = true;
  setFocus(Qt::OtherFocusReason);
  setCursorPosition(0);
  fValidating = false;
  if (OnValidateError) OnValidateError(this);
  return false;
}

void TTimeEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!fValidating && event->reason() != Qt::PopupFocusReason) ValidateEdit();
}

}  // namespace zyn
