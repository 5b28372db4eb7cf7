#pragma once
// A module or control-module address shown as a row of DIP switches: bit i is switch i. The
// control only displays; clicks do not change the value.

#include "platform/Colors.h"
#include "widgets/common/WidgetTypes.h"

#include <QWidget>

namespace zyn {

enum TOrientation { dsozyn, dsonormal };

class TZYNDipswitch : public QWidget {
  Q_OBJECT
 public:
  explicit TZYNDipswitch(QWidget* parent = nullptr);

  int Value() const { return fValue; }
  // Takes values from 0 to 2^DipCount - 1 and repaints. Another value is refused: the value stays,
  // false is returned, LastError() holds the translated message, and OnInvalidValue receives it;
  // without a handler the message is shown in an error box.
  bool SetValue(int value);
  const QString& LastError() const { return fLastError; }
  std::function<void(QObject* sender, const QString& message)> OnInvalidValue;

  int DipCount() const { return fDipCount; }
  void SetDipCount(int count);
  TOrientation Style() const { return fStyle; }
  void SetStyle(TOrientation style);
  int CounterStart() const { return fCounterStart; }
  void SetCounterStart(int start);
  const QString& ONText() const { return fOnText; }
  void SetONText(const QString& text);
  const QString& OFFText() const { return fOffText; }
  void SetOFFText(const QString& text);
  TColor BGColor() const { return fBGColor; }
  void SetBGColor(TColor color);
  TColor DipBGColor() const { return fDipBGColor; }
  void SetDipBGColor(TColor color);
  TColor DipColor() const { return fDipColor; }
  void SetDipColor(TColor color);
  TColor TextColor() const { return fTextColor; }
  void SetTextColor(TColor color);
  TDspBorderStyle BorderStyle() const { return fBorderStyle; }
  void SetBorderStyle(TDspBorderStyle style);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int width);

  // Layout of the picture (public for the pages' tests): the slot index of a bit and the lever
  // rectangle of a bit in its current state.
  int SlotOfBit(int bit) const;
  QRect LeverRect(int bit) const;
  // The number printed under slot k, left to right.
  int NumberUnderSlot(int slot) const;

  std::function<void(QObject*, QMouseEvent*)> OnMouseDown;
  std::function<void(QObject*, QMouseEvent*)> OnMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Metrics {
    int b, n, L, t, d, H, q;
  };
  Metrics Measure() const;

  int fValue = 0;
  int fDipCount = 5;
  TOrientation fStyle = dsozyn;
  int fCounterStart = 0;
  QString fOnText = "ON";
  QString fOffText = "OFF";
  TColor fBGColor = RGB(154, 154, 154);
  TColor fDipBGColor = RGB(9, 30, 85);
  TColor fDipColor = RGB(232, 232, 232);
  TColor fTextColor = clWhite;
  TDspBorderStyle fBorderStyle = bsBevelLowered;
  int fBorderWidth = 1;
  QString fLastError;
};

}  // namespace zyn
