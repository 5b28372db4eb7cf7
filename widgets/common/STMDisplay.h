#pragma once
// Preview of the control module's display: two lines of at most 16 characters.

#include "platform/Colors.h"
#include "widgets/common/WidgetTypes.h"

#include <QWidget>

namespace zyn {

class TSTMDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit TSTMDisplay(QWidget* parent = nullptr);

  const QString& Zeile1() const { return fZeile1; }
  void SetZeile1(const QString& text);  // keeps the first 16 characters
  const QString& Zeile2() const { return fZeile2; }
  void SetZeile2(const QString& text);
  double Skalierung() const { return fSkalierung; }
  void SetSkalierung(double scale);  // values below 1 are ignored
  TDspBorderStyle BorderStyle() const { return fBorderStyle; }
  void SetBorderStyle(TDspBorderStyle style);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int width);

  // Where the two lines start (x is shared).
  int LineLeft() const;
  int LineTop(int line) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString fZeile1, fZeile2;
  double fSkalierung = 1.0;
  TDspBorderStyle fBorderStyle = bsBevelLowered;
  int fBorderWidth = 1;
};

}  // namespace zyn
