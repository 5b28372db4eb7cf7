#pragma once
// The chart of one dimmer curve: axes, dotted grid with labels, captions, the curve as a blue
// line, the set points as red crosses and a red crosshair under the mouse. A left click on an
// editable curve sets the point at the curve position under the mouse and fills the curve
// between the set points by straight lines.

#include "frames/core/CurveRules.h"

#include <QFrame>

#include <functional>

namespace zyn {

class TZYNKennlinie;
class TKennlinienEditor;

// The margins around the plot and the chart's title; every change repaints.
class TMargins {
 public:
  explicit TMargins(TKennlinienEditor* owner) : fOwner(owner) {}
  int LeftMargin() const { return fLeft; }
  int RightMargin() const { return fRight; }
  int TopMargin() const { return fTop; }
  int BottomMargin() const { return fBottom; }
  int CaptionMargin() const { return fCaptionMargin; }
  const QString& Caption() const { return fCaption; }
  void SetLeftMargin(int v) { Set(fLeft, v); }
  void SetRightMargin(int v) { Set(fRight, v); }
  void SetTopMargin(int v) { Set(fTop, v); }
  void SetBottomMargin(int v) { Set(fBottom, v); }
  void SetCaptionMargin(int v) { Set(fCaptionMargin, v); }
  void SetCaption(const QString& v);

 private:
  void Set(int& field, int v);
  TKennlinienEditor* fOwner;
  int fLeft = 0, fRight = 0, fTop = 0, fBottom = 0, fCaptionMargin = 0;
  QString fCaption;
};

// One axis: its maximum, grid step and caption (it starts at 0; Min is kept but not used).
class TAxis {
 public:
  explicit TAxis(TKennlinienEditor* owner) : fOwner(owner) {}
  double Min() const { return fMin; }
  double Max() const { return fMax; }
  double Step() const { return fStep; }
  const QString& Caption() const { return fCaption; }
  void SetMin(double v) { Set(fMin, v); }
  void SetMax(double v) { Set(fMax, v); }
  void SetStep(double v) { Set(fStep, v); }
  void SetCaption(const QString& v);

 private:
  void Set(double& field, double v);
  TKennlinienEditor* fOwner;
  double fMin = 0, fMax = 0, fStep = 0;
  QString fCaption;
};

class TKennlinienEditor : public QFrame {
  Q_OBJECT
 public:
  explicit TKennlinienEditor(QWidget* parent = nullptr);
  ~TKennlinienEditor() override;

  TMargins Margins{this};
  TAxis XAxis{this};
  TAxis YAxis{this};

  TZYNKennlinie* Kennlinie() const { return fKennlinie; }
  // Shows the curve (nullptr: none); its name becomes the caption; the set points start empty.
  void SetKennlinie(TZYNKennlinie* curve);
  bool CrossHair() const { return fCrossHair; }
  void SetCrossHair(bool on);

  // Fills the curve between the set points.
  virtual void Interpolate();
  // All 256 bytes of the shown curve 0, no set points.
  void Clear();

  const TSetPoints& SetPoints() const { return fPoints; }
  const TChartGeometry& Geometry() const { return fGeometry; }
  int CursorPosition() const { return fCursorPos; }
  int CursorValue() const { return fCursorValue; }
  // Works the geometry out again from the size, margins and axes (after a change of an axis).
  void UpdateGeometry();

  std::function<void(TKennlinienEditor* sender, Qt::KeyboardModifiers shift, int x, int y)> OnCoordinates;
  std::function<void(TKennlinienEditor* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
      OnSetPoint;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void MouseMoved(int x, int y, Qt::KeyboardModifiers shift);

  TZYNKennlinie* fKennlinie = nullptr;
  bool fCrossHair = false;
  TSetPoints fPoints = NoSetPoints();
  TChartGeometry fGeometry;
  int fCursorPos = 0, fCursorValue = 0;
  int fMouseX = -1, fMouseY = -1;
};

}  // namespace zyn
