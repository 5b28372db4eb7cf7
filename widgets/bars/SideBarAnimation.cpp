#include "widgets/bars/SideBarAnimation.h"

#include <QPainter>
#include <algorithm>

namespace zyn {

namespace {
constexpr std::int64_t kGrowthInterval = 50;
}

TzbSideBarAnimation::TzbSideBarAnimation(const QImage& frame, const TRect& band, bool up, int captionHeight)
    : frame_(frame.convertToFormat(QImage::Format_RGB32)), band_(band), up_(up), captionHeight_(std::max(0, captionHeight)) {
  band_.Left = std::max(band_.Left, 0);
  band_.Top = std::max(band_.Top, 0);
  band_.Right = std::min(band_.Right, frame_.width());
  band_.Bottom = std::min(band_.Bottom, frame_.height());
}

int TzbSideBarAnimation::Run(const TFill& fill, const TShow& show, const TClock& clock) {
  int remaining = band_.Height();
  if (band_.Width() <= 0 || remaining <= captionHeight_) return 0;
  int amount = 1;
  std::int64_t lastGrowth = clock();
  int steps = 0;
  while (remaining > captionHeight_) {
    const int step = std::min(amount, band_.Height());
    const QImage moved = frame_.copy(band_.Left, band_.Top + (up_ ? step : 0), band_.Width(), band_.Height() - step);
    {
      TCanvas canvas(&frame_);
      canvas.Painter().drawImage(band_.Left, band_.Top + (up_ ? 0 : step), moved);
      const TRect strip = up_ ? Rect(band_.Left, band_.Bottom - step, band_.Right, band_.Bottom)
                              : Rect(band_.Left, band_.Top, band_.Right, band_.Top + step);
      fill(canvas, strip);
    }
    show(frame_);
    remaining -= step;
    ++steps;
    const std::int64_t now = clock();
    if (now - lastGrowth > kGrowthInterval) {
      amount += 2;
      lastGrowth = now;
    }
  }
  return steps;
}

}  // namespace zyn
