#include "widgets/controls/ZCLGradient.h"

#include <algorithm>

namespace zyn {

void TZCLGradient::Rebuild() {
  fTable.clear();
  if (fTwoColors) {
    BuildColorRange(fColor, fEndColor, fColorCount, true, fTable);
  } else if (fKeys.size() > 1) {
    const int n = static_cast<int>(fKeys.size());
    const int per = fColorCount / n;
    BuildColorRange(fKeys[0], fKeys[1], per, true, fTable);
    for (int i = 1; i + 1 < n; ++i) BuildColorRange(fKeys[i], fKeys[i + 1], per, false, fTable);
  }
}

void TZCLGradient::Update() {
  Rebuild();
  Changed();
}

void TZCLGradient::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  Update();
}

void TZCLGradient::SetEndColor(TColor value) {
  if (value == fEndColor) return;
  fEndColor = value;
  Update();
}

void TZCLGradient::SetColorCount(int value) {
  value = std::clamp(value, 2, 236);
  if (value == fColorCount) return;
  fColorCount = value;
  Update();
}

void TZCLGradient::SetStyle(TZCLGradientStyle value) {
  if (value == fStyle) return;
  fStyle = value;
  Update();
}

void TZCLGradient::SetTwoColors(bool value) {
  if (value == fTwoColors) return;
  fTwoColors = value;
  Update();
}

void TZCLGradient::SetPaletteRealize(bool value) {
  if (value == fPaletteRealize) return;
  fPaletteRealize = value;
  Update();
}

void TZCLGradient::SetColorList(const std::vector<TColor>& keys) {
  fKeys = keys;
  Update();
}

QString TZCLGradient::Description() const {
  static const char* names[] = {"horizontal", "vertical",    "square",       "elliptic",      "top left",
                                "top right",  "bottom left", "bottom right", "top left diag", "top right diag"};
  return QString::fromLatin1(names[fStyle]) + QStringLiteral(", Col: ") + QString::number(fColorCount) +
         (fTwoColors ? QStringLiteral(", 2 col mode") : QStringLiteral(", mult. col mode"));
}

void TZCLGradient::Assign(const TZCLGradient& other) {
  fColor = other.fColor;
  fColorCount = other.fColorCount;
  fStyle = other.fStyle;
  fEndColor = other.fEndColor;
  fPaletteRealize = other.fPaletteRealize;
  fTwoColors = other.fTwoColors;
  fKeys = other.fKeys;
  Update();
}

}  // namespace zyn
