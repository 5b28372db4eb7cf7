#pragma once
// The gradient sub-object: two colours or a list of key colours spread over a colour table.

#include "widgets/controls/ZCLGraph.h"
#include "widgets/controls/ZCLObject.h"

#include <vector>

namespace zyn {

class TZCLGradient : public TZCLObject {
 public:
  TZCLGradient() { Rebuild(); }
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  TColor EndColor() const { return fEndColor; }
  void SetEndColor(TColor value);
  int ColorCount() const { return fColorCount; }
  void SetColorCount(int value);  // 2 .. 236
  TZCLGradientStyle Style() const { return fStyle; }
  void SetStyle(TZCLGradientStyle value);
  bool TwoColors() const { return fTwoColors; }
  void SetTwoColors(bool value);
  bool PaletteRealize() const { return fPaletteRealize; }
  void SetPaletteRealize(bool value);
  const std::vector<TColor>& ColorList() const { return fKeys; }
  void SetColorList(const std::vector<TColor>& keys);
  const std::vector<TColor>& Table() const { return fTable; }
  QString Description() const override;
  void Paint(TCanvas& canvas, const TRect& r) const { GradientFill(canvas, r, fStyle, fTable); }
  void Assign(const TZCLGradient& other);

 private:
  void Rebuild();
  void Update();
  TColor fColor = 0xFF0000;
  int fColorCount = 16;
  TZCLGradientStyle fStyle = gstVertical;
  TColor fEndColor = 0;
  bool fPaletteRealize = false;
  bool fTwoColors = true;
  std::vector<TColor> fKeys;
  std::vector<TColor> fTable;
};

}  // namespace zyn
