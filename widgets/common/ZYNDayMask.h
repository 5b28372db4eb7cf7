#pragma once
// A weekday mask as a column of check boxes: an every-day row and one row per weekday, Monday to
// Sunday (bits 0 to 6; 127 is every day).

#include "widgets/common/WidgetTypes.h"

#include <QWidget>

namespace zyn {

class TZYNDayMask : public QWidget {
  Q_OBJECT
 public:
  explicit TZYNDayMask(QWidget* parent = nullptr);

  int Value() const { return fValue; }
  void SetValue(int value);  // keeps bits 0 to 6; repaints without an event
  const QString& Caption() const { return fCaption; }
  virtual void SetCaption(const QString& caption);
  const QString& CaptionAll() const { return fCaptionAll; }
  virtual void SetCaptionAll(const QString& caption);
  int Sprache() const { return fSprache; }
  void SetSprache(int languageId);

  // Top of row i (0 the every-day row, 1 to 7 Monday to Sunday).
  int RowTop(int row) const;
  // The row at a point, -1 for none.
  int RowAt(const QPoint& p) const;
  int HotRow() const { return fHotRow; }

  TSenderEvent OnChanged;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int fValue = 0;
  QString fCaption;
  QString fCaptionAll;
  int fSprache = 0;
  int fHotRow = -1;
};

}  // namespace zyn
