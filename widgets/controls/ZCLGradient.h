#pragma once
// The gradient sub-object: two colours or a list of key colours spread over a colour table.

#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLObject.h"

#include <vector>

namespace zyn {

class TZCLGradient : public TZCLObject {
 public:
  TZCLGradient() { Rebuild(); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value);
  int ColorCount() const { return colorCount_; }
  void SetColorCount(int value);  // 2 .. 236
  TZCLGradientStyle Style() const { return style_; }
  void SetStyle(TZCLGradientStyle value);
  bool TwoColors() const { return twoColors_; }
  void SetTwoColors(bool value);
  bool PaletteRealize() const { return paletteRealize_; }
  void SetPaletteRealize(bool value);
  const std::vector<TColor>& ColorList() const { return keys_; }
  void SetColorList(const std::vector<TColor>& keys);
  const std::vector<TColor>& Table() const { return table_; }
  QString Description() const override;
  void Paint(TCanvas& canvas, const TRect& r) const { GradientFill(canvas, r, style_, table_); }
  void Assign(const TZCLGradient& other);

 private:
  void Rebuild();
  void Update();
  TColor color_ = 0xFF0000;
  int colorCount_ = 16;
  TZCLGradientStyle style_ = gstVertical;
  TColor endColor_ = 0;
  bool paletteRealize_ = false;
  bool twoColors_ = true;
  std::vector<TColor> keys_;
  std::vector<TColor> table_;
};

}  // namespace zyn
