#pragma once
// The radio buttons of the look-and-feel painters: one process-wide list of ready-made images,
// one for every combination of look-and-feel kind, button state, checked state and two emphasis
// flags, built from the circle of the platform style's radio indicator and recoloured pixel by
// pixel in the system colours of the moment. A change of the system colours empties the list; it
// is built again before the next radio button is drawn.

#include "platform/Canvas.h"
#include "widgets/bars/LookAndFeels.h"

#include <QImage>

#include <vector>

namespace zyn {

// The button states of the look-and-feel painters.
enum TzxButtonState { zxbsDefault, zxbsNormal, zxbsHot, zxbsPressed, zxbsDisabled };

class TzxRadioButtonImageList {
 public:
  // Pixel classes of the circle.
  enum { kOutside, kOuterUpperLeft, kOuterLowerRight, kInnerUpperLeft, kInnerLowerRight, kBody, kDot };

  // Draws the combination's image with its top-left corner at (x, y); with a background colour
  // other than clDefault the corners outside the circle show that colour. The Default state has
  // no image and draws nothing.
  void Draw(TCanvas& canvas, int x, int y, bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
            TzxLookAndFeelKind kind, TColor backgroundColor = clDefault);
  void ClearImages();
  int Count() const { return static_cast<int>(fImages.size()); }
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  // The pattern row by row (for tests and for drawing).
  const std::vector<int>& Pattern() const { return fPattern; }
  QImage Image(bool checked, bool emphasisA, bool emphasisB, TzxButtonState state, TzxLookAndFeelKind kind);
  static int CombinationIndex(bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
                              TzxLookAndFeelKind kind);
  // The colour of a pixel class for a combination.
  static TColor ClassColor(int pixelClass, bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
                           TzxLookAndFeelKind kind);

 private:
  void Build();
  void MakePattern();
  int fWidth = 0, fHeight = 0;
  std::vector<int> fPattern;  // fHeight rows of fWidth classes
  std::vector<QImage> fImages;
  std::vector<int> fIndexMap;
};

// The process-wide list, made on first use.
TzxRadioButtonImageList& RadioButtonImages();

}  // namespace zyn
