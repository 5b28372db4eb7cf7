#include "frames/core/CurveRules.h"

#include "model/Modul.h"
#include "model/base/TextUtils.h"
#include "project/Projekt.h"

namespace zyn {

TSetPoints NoSetPoints() {
  TSetPoints p;
  p.fill(-1);
  return p;
}

void InterpolateCurve(const TSetPoints& points, std::array<uint8_t, 256>& curve) {
  int a = 0;
  for (int i = 1; i <= 255; ++i) {
    if (points[static_cast<size_t>(a)] == -1 || points[static_cast<size_t>(i)] == -1) continue;
    const int pa = points[static_cast<size_t>(a)];
    const double slope = static_cast<double>(points[static_cast<size_t>(i)] - pa) / (i - a);
    for (int j = a; j <= i; ++j) curve[static_cast<size_t>(j)] = static_cast<uint8_t>(RoundEven((j - a) * slope) + pa);
    a = i;
  }
}

TChartGeometry ChartGeometry(int width, int height, int leftMargin, int rightMargin, int topMargin, int bottomMargin,
                             double xMax, double xStep, double yMax, double yStep) {
  TChartGeometry g;
  g.Left = leftMargin;
  g.Top = topMargin;
  g.Right = width - rightMargin;
  g.Bottom = height - bottomMargin;
  const double w = g.Right - g.Left;
  const double h = g.Bottom - g.Top;
  if (xMax > 0) {
    g.XScale = w / xMax;
    if (xStep > 0) g.XGrid = w / (xMax / xStep);
  }
  if (yMax > 0) {
    g.YScale = h / yMax;
    if (yStep > 0) g.YGrid = h / (yMax / yStep);
  }
  return g;
}

int CursorPosition(const TChartGeometry& g, int x) {
  if (x < g.Left) return 0;
  if (x > g.Right) return 255;
  return g.XScale > 0 ? static_cast<int>(RoundEven((x - g.Left) / g.XScale)) : 0;
}

int CursorValue(const TChartGeometry& g, double yMax, int y) {
  if (y < g.Top) return 255;
  if (y > g.Bottom) return 0;
  return g.YScale > 0 ? static_cast<int>(RoundEven(yMax - (y - g.Top) / g.YScale)) : 0;
}

bool InPlot(const TChartGeometry& g, int x, int y) {
  return x >= g.Left && x <= g.Right && y >= g.Top && y <= g.Bottom;
}

namespace {
template <class F>
void ForEachDimmer(const TZYNProjekt& projekt, F f) {
  for (int s = 0; s < projekt.Steuermodule.Count(); ++s) {
    const TSteuermodul& stm = *projekt.Steuermodule.GetSteuermodul(s);
    for (int m = 0; m < stm.Module.Count(); ++m) {
      TModul& modul = *stm.Module.GetModul(m);
      if (modul.Dimmerzusatz) f(modul.DimmerDaten);
    }
  }
}
}  // namespace

bool CurveInUse(const TZYNProjekt& projekt, int index) {
  bool used = false;
  ForEachDimmer(projekt,
                [&](const TDimmerDaten& d) { used = used || d.LeftKennlinie == index || d.RightKennlinie == index; });
  return used;
}

bool CurveRemoved(TZYNProjekt& projekt, int index) {
  bool changed = false;
  ForEachDimmer(projekt, [&](TDimmerDaten& d) {
    for (int32_t* ref : {&d.LeftKennlinie, &d.RightKennlinie})
      if (*ref > index) {
        --*ref;
        changed = true;
      }
  });
  if (changed) projekt.Modified = true;
  return changed;
}

}  // namespace zyn
