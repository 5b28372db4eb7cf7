#pragma once
// The group-change animation of the side bar: the band between the caption of the group that
// closes and the caption of the group that opens slides toward its new place in steps. Each step
// moves the band's picture by the current amount and fills the uncovered strip with the
// background; the amount starts at 1 pixel and grows by 2 whenever more than 50 ms passed since
// the last growth; the steps end when the remaining height is not above one caption height.

#include "platform/Canvas.h"

#include <QImage>

#include <cstdint>
#include <functional>

namespace zyn {

class TzbSideBarAnimation {
 public:
  // frame: the side bar's picture before the change; band: the rectangle that moves; up: the
  // picture moves up (the opened group lies below the closed one).
  TzbSideBarAnimation(const QImage& frame, const TRect& band, bool up, int captionHeight);

  using TFill = std::function<void(TCanvas&, const TRect&)>;
  using TShow = std::function<void(const QImage&)>;
  using TClock = std::function<std::int64_t()>;  // milliseconds
  // Runs every step: fill paints the background of a strip, show presents each frame. Returns
  // the number of steps.
  int Run(const TFill& fill, const TShow& show, const TClock& clock);

 private:
  QImage fFrame;
  TRect fBand;
  bool fUp;
  int fCaptionHeight;
};

}  // namespace zyn
