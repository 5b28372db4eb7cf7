#pragma once
// The dimmer-curve editor's arithmetic: the straight segments between set points, the chart's
// plot rectangle, grid steps and scales, the curve position and value under the mouse, and the
// references of the modules to the curves (by their place in the curve list).

#include <array>
#include <cstdint>

namespace zyn {

class TZYNProjekt;

// Set points: one per curve position, -1 where none is set.
using TSetPoints = std::array<int, 256>;
TSetPoints NoSetPoints();

// Rebuilds the curve as straight segments from position 0 through every set point in order
// (halves rounded to the even neighbour). Bytes behind the last set point keep their values;
// without a set point at position 0 nothing changes.
void InterpolateCurve(const TSetPoints& points, std::array<uint8_t, 256>& curve);

struct TChartGeometry {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  double XGrid = 0, YGrid = 0;    // grid steps in pixels; 0 draws no grid lines
  double XScale = 0, YScale = 0;  // pixels per unit; 0 while an axis has no maximum
};

// The geometry of a chart of the size with the margins and axes. An axis whose maximum or step is
// 0 (or below) gets no grid, and no scale without a maximum: nothing is ever divided by 0.
TChartGeometry ChartGeometry(int width, int height, int leftMargin, int rightMargin, int topMargin, int bottomMargin,
                             double xMax, double xStep, double yMax, double yStep);

// The curve position under mouse x (0 left of the plot, 255 right of it) and the dimming value
// under mouse y (255 above, 0 below); within the plot the rounded chart values.
int CursorPosition(const TChartGeometry& g, int x);
int CursorValue(const TChartGeometry& g, double yMax, int y);
bool InPlot(const TChartGeometry& g, int x, int y);

// True when a dimmer module of the project refers to the curve at that place of the list.
bool CurveInUse(const TZYNProjekt& projekt, int index);
// The curve at that place was removed from the list: the references behind it move up by one.
// Returns whether any reference changed.
bool CurveRemoved(TZYNProjekt& projekt, int index);

}  // namespace zyn
