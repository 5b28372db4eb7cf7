#include "frames/KennlinienEditor.h"

#include "model/Kennlinien.h"
#include "model/base/TextUtils.h"
#include "platform/QtText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace zyn {

void TMargins::Set(int& field, int v) {
  if (field == v) return;
  field = v;
  fOwner->update();
}

void TMargins::SetCaption(const QString& v) {
  if (fCaption == v) return;
  fCaption = v;
  fOwner->update();
}

void TAxis::Set(double& field, double v) {
  if (field == v) return;
  field = v;
  fOwner->update();
}

void TAxis::SetCaption(const QString& v) {
  if (fCaption == v) return;
  fCaption = v;
  fOwner->update();
}

TKennlinienEditor::TKennlinienEditor(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("KE"));
  resize(100, 100);
  setMouseTracking(true);
  setAutoFillBackground(false);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(11);
  setFont(f);
}

TKennlinienEditor::~TKennlinienEditor() = default;

void TKennlinienEditor::SetKennlinie(TZYNKennlinie* curve) {
  if (curve == fKennlinie) return;
  fKennlinie = curve;
  if (curve) Margins.SetCaption(ToQString(curve->DisplayName));
  fPoints = NoSetPoints();
  update();
}

void TKennlinienEditor::SetCrossHair(bool on) {
  if (fCrossHair == on) return;
  fCrossHair = on;
  update();
}

void TKennlinienEditor::Interpolate() {
  if (fKennlinie) InterpolateCurve(fPoints, fKennlinie->Werte);
  update();
}

void TKennlinienEditor::Clear() {
  if (fKennlinie) fKennlinie->Werte.fill(0);
  fPoints = NoSetPoints();
  update();
}

void TKennlinienEditor::UpdateGeometry() {
  fGeometry = ChartGeometry(width(), height(), Margins.LeftMargin(), Margins.RightMargin(), Margins.TopMargin(),
                            Margins.BottomMargin(), XAxis.Max(), XAxis.Step(), YAxis.Max(), YAxis.Step());
  fCursorPos = 0;
  fCursorValue = 0;
}

void TKennlinienEditor::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  UpdateGeometry();
}

void TKennlinienEditor::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  const TChartGeometry& g = fGeometry;
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(g.Left, g.Bottom, g.Left, g.Top);
  p.drawLine(g.Left, g.Bottom, g.Right, g.Bottom);
  const QFontMetrics fm(font());
  const auto text = [&](int x, int y, const QString& s) { p.drawText(x, y + fm.ascent(), s); };
  const QString zero = QStringLiteral("0");
  text(g.Left - fm.horizontalAdvance(zero) - 2, g.Bottom - fm.height() / 2, zero);
  const QPen dotted(QColor(192, 192, 192), 1, Qt::DotLine);
  if (g.YGrid > 0) {
    double r = g.Bottom - g.YGrid;
    for (int k = 1; r > g.Top + 1; ++k, r -= g.YGrid) {
      const int y = static_cast<int>(RoundEven(r));
      p.setPen(dotted);
      p.drawLine(g.Left, y, g.Right, y);
      p.setPen(Qt::black);
      const QString label = QString::number(RoundEven(k * YAxis.Step()));
      text(g.Left - fm.horizontalAdvance(label) - 2, y - fm.height() / 2, label);
    }
  }
  p.setPen(Qt::black);
  text(g.Left + fm.horizontalAdvance(zero) / 2, g.Bottom + 2, zero);
  if (g.XGrid > 0) {
    double r = g.Left + g.XGrid;
    for (int k = 1; r < g.Right - 1; ++k, r += g.XGrid) {
      const int x = static_cast<int>(RoundEven(r));
      p.setPen(dotted);
      p.drawLine(x, g.Top, x, g.Bottom);
      p.setPen(Qt::black);
      const QString label = QString::number(RoundEven(k * XAxis.Step()));
      text(x - fm.horizontalAdvance(label) / 2, g.Bottom + 2, label);
    }
  }
  if (fKennlinie) {
    p.setPen(QPen(Qt::red, 1));
    for (int i = 0; i < 256; ++i) {
      const int v = fPoints[static_cast<size_t>(i)];
      if (v == -1) continue;
      const int px = static_cast<int>(RoundEven(i * g.XScale)) + g.Left;
      const int py = g.Bottom - static_cast<int>(RoundEven(v * g.YScale));
      p.drawLine(px - 2, py, px + 2, py);
      p.drawLine(px, py - 2, px, py + 2);
    }
    p.setPen(QPen(Qt::blue, 2));
    QPolygon line;
    for (int i = 0; i < 256; ++i)
      line << QPoint(static_cast<int>(RoundEven(i * g.XScale)) + g.Left,
                     g.Bottom - static_cast<int>(RoundEven(fKennlinie->Werte[static_cast<size_t>(i)] * g.YScale)));
    p.drawPolyline(line);
  }
  p.setPen(Qt::black);
  text((width() - fm.horizontalAdvance(Margins.Caption())) / 2, Margins.CaptionMargin(), Margins.Caption());
  text((width() - fm.horizontalAdvance(XAxis.Caption())) / 2, g.Bottom + 15, XAxis.Caption());
  p.save();
  p.translate(5, height() / 2);
  p.rotate(-90);  // written upwards
  p.drawText(0, fm.ascent(), YAxis.Caption());
  p.restore();
  if (fCrossHair && fMouseX >= 0 && InPlot(g, fMouseX, fMouseY)) {
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(fMouseX, g.Top, fMouseX, g.Bottom);
    p.drawLine(g.Left, fMouseY, g.Right, fMouseY);
  }
}

void TKennlinienEditor::MouseMoved(int x, int y, Qt::KeyboardModifiers shift) {
  const TChartGeometry& g = fGeometry;
  fCursorPos = zyn::CursorPosition(g, x);
  fCursorValue = zyn::CursorValue(g, YAxis.Max(), y);
  if (x >= g.Left && x <= g.Right) fMouseX = x;
  if (y >= g.Top && y <= g.Bottom) fMouseY = y;
  if (fCrossHair) {
    if (InPlot(g, x, y)) {
      setCursor(Qt::BlankCursor);
      update();
    } else {
      setCursor(Qt::ArrowCursor);
    }
  }
  if (OnCoordinates) OnCoordinates(this, shift, fCursorPos, fCursorValue);
}

void TKennlinienEditor::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  MouseMoved(pos.x(), pos.y(), event->modifiers());
}

void TKennlinienEditor::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  MouseMoved(pos.x(), pos.y(), event->modifiers());
  if (!fKennlinie || !fKennlinie->CanEdit || event->button() != Qt::LeftButton) return;
  if (fCursorPos < 0 || fCursorPos > 255 || fCursorValue < 0 || fCursorValue > 255) return;
  fPoints[static_cast<size_t>(fCursorPos)] = fCursorValue;
  Interpolate();
  if (OnSetPoint) OnSetPoint(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

}  // namespace zyn
