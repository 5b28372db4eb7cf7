#pragma once
// The switching-time edit "hh:mm". An invalid time does not raise an error: the edit takes the
// focus back with the cursor at the start and fires OnValidateError; the text stays.

#include "widgets/common/WidgetTypes.h"

#include <QLineEdit>

namespace zyn {

// The class library's edit masks in Qt's notation: '0' (a digit that must be typed) and '9' (a
// digit that may be left blank) swap their meaning, '!' is dropped, and the blank character of
// the mask's third field becomes Qt's blank character.
QString QtInputMask(const QString& editMask);

// True when the text is a time of day "h:mm" or "hh:mm" (hours 0 to 23, minutes 0 to 59); blanks
// around either number are ignored.
bool IsValidTimeText(const QString& text);

class TTimeEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TTimeEdit(QWidget* parent = nullptr);

  const QString& EditMask() const { return fEditMask; }
  void SetEditMask(const QString& editMask);
  // The text as shown, blanks of the mask included.
  QString Text() const { return displayText(); }
  void SetText(const QString& text);

  // Checks the text; an invalid one takes the focus back and fires OnValidateError.
  bool ValidateEdit();

  TSenderEvent OnValidateError;
  TTranslateEvent OnTranslate;  // declared for the owners; the edit never fires it itself
  TSenderEvent OnChange;

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QString fEditMask;
  bool fValidating = false;
};

}  // namespace zyn
