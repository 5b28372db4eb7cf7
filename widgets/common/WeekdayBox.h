#pragma once
// Weekday choice with a switching time in one captioned group: eight glyphs in one row and an
// embedded time edit. TWTSelectBox chooses any set of days (check boxes, the eighth box is every
// day); TOneDay chooses no day ("Aus") or exactly one (radio buttons).

#include "widgets/common/WidgetTypes.h"

#include <QFont>
#include <QWidget>

namespace zyn {

class TTimeEdit;

class TWeekdayBox : public QWidget {
  Q_OBJECT
 public:
  int DayMask() const { return fDayMask; }
  void SetDayMask(int mask);  // repaints without an event
  const QString& Caption() const { return fCaption; }
  void SetCaption(const QString& caption);
  const QString& EditCaption() const { return fEditCaption; }
  void SetEditCaption(const QString& caption);  // moves the edit next to the label
  QString Time() const;
  void SetTime(const QString& time);  // changes the edit only when the text differs
  int Language() const { return fLanguage; }
  void SetLanguage(int languageId);
  QFont& CaptionFont() { return fCaptionFont; }
  QFont& EditLabelFont() { return fEditLabelFont; }
  QFont EditFont() const;
  void SetEditFont(const QFont& font);
  TTimeEdit* Edit() const { return fEdit; }

  // Glyph i (0 to 7): its rectangle, and the glyph whose column a point lies in (-1 for none).
  QRect GlyphRect(int index) const;
  int GlyphAt(const QPoint& p) const;
  int HotGlyph() const { return fHot; }

  virtual void Change();
  virtual void ValidateError();
  virtual QString Translate(const QString& text);

  TSenderEvent OnChange;
  TSenderEvent OnValidateError;
  TTranslateEvent OnTranslate;
  TSenderEvent OnExit;

 protected:
  TWeekdayBox(QWidget* parent, const char* caption, const char* boxText);
  virtual bool IsChecked(int glyph) const = 0;
  virtual bool IsRadio() const = 0;
  // Applies a click on glyph (-1 for none); true when OnChange is due.
  virtual bool Click(int glyph) = 0;
  virtual QString GlyphText(int glyph) const = 0;
  // The label of the every-day or the off glyph.
  QString fBoxText;
  int fDayMask = 0;

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QString fCaption;
  QString fEditCaption;
  int fLanguage = 0;
  QFont fCaptionFont;
  QFont fEditLabelFont;
  TTimeEdit* fEdit = nullptr;
  int fHot = -1;
};

class TWTSelectBox : public TWeekdayBox {
  Q_OBJECT
 public:
  explicit TWTSelectBox(QWidget* parent = nullptr);
  const QString& AlleText() const { return fBoxText; }
  void SetAlleText(const QString& text);

 protected:
  bool IsChecked(int glyph) const override;
  bool IsRadio() const override { return false; }
  bool Click(int glyph) override;
  QString GlyphText(int glyph) const override;
};

class TOneDay : public TWeekdayBox {
  Q_OBJECT
 public:
  explicit TOneDay(QWidget* parent = nullptr);
  const QString& Austext() const { return fBoxText; }
  void SetAustext(const QString& text);

 protected:
  bool IsChecked(int glyph) const override;
  bool IsRadio() const override { return true; }
  bool Click(int glyph) override;
  QString GlyphText(int glyph) const override;
};

}  // namespace zyn
