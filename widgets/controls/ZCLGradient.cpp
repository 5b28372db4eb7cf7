#include "widgets/controls/ZCLGradient.h"

#include <algorithm>

namespace zyn {

void TZCLGradient::Rebuild() {
  table_.clear();
  if (twoColors_) {
    BuildColorRange(color_, endColor_, colorCount_, true, table_);
  } else if (keys_.size() > 1) {
    const int n = static_cast<int>(keys_.size());
    const int per = colorCount_ / n;
    BuildColorRange(keys_[0], keys_[1], per, true, table_);
    for (int i = 1; i + 1 < n; ++i) BuildColorRange(keys_[i], keys_[i + 1], per, false, table_);
  }
}

void TZCLGradient::Update() {
  Rebuild();
  Changed();
}

void TZCLGradient::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Update();
}

void TZCLGradient::SetEndColor(TColor value) {
  if (value == endColor_) return;
  endColor_ = value;
  Update();
}

void TZCLGradient::SetColorCount(int value) {
  value = std::clamp(value, 2, 236);
  if (value == colorCount_) return;
  colorCount_ = value;
  Update();
}

void TZCLGradient::SetStyle(TZCLGradientStyle value) {
  if (value == style_) return;
  style_ = value;
  Update();
}

void TZCLGradient::SetTwoColors(bool value) {
  if (value == twoColors_) return;
  twoColors_ = value;
  Update();
}

void TZCLGradient::SetPaletteRealize(bool value) {
  if (value == paletteRealize_) return;
  paletteRealize_ = value;
  Update();
}

void TZCLGradient::SetColorList(const std::vector<TColor>& keys) {
  keys_ = keys;
  Update();
}

QString TZCLGradient::Description() const {
  static const char* names[] = {"horizontal", "vertical", "square", "elliptic", "top left", "top right",
                                "bottom left", "bottom right", "top left diag", "top right diag"};
  return QString::fromLatin1(names[style_]) + QStringLiteral(", Col: ") + QString::number(colorCount_) +
         (twoColors_ ? QStringLiteral(", 2 col mode") : QStringLiteral(", mult. col mode"));
}

void TZCLGradient::Assign(const TZCLGradient& other) {
  color_ = other.color_;
  colorCount_ = other.colorCount_;
  style_ = other.style_;
  endColor_ = other.endColor_;
  paletteRealize_ = other.paletteRealize_;
  twoColors_ = other.twoColors_;
  keys_ = other.keys_;
  Update();
}

}  // namespace zyn
