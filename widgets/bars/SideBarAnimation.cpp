#include "widgets/bars/SideBarAnimation.h"

#include <QPainter>

#include <algorithm>

namespace zyn {

namespace {
constexpr std::int64_t kGrowthInterval = 50;
}

TzbSideBarAnimation::TzbSideBarAnimation(const QImage& frame, const TRect& band, bool up, int captionHeight)
    : fFrame(frame.convertToFormat(QImage::Format_RGB32)),
      fBand(band),
      fUp(up),
      fCaptionHeight(std::max(0, captionHeight)) {
  fBand.Left = std::max(fBand.Left, 0);
  fBand.Top = std::max(fBand.Top, 0);
  fBand.Right = std::min(fBand.Right, fFrame.width());
  fBand.Bottom = std::min(fBand.Bottom, fFrame.height());
}

int TzbSideBarAnimation::Run(const TFill& fill, const TShow& show, const TClock& clock) {
  int remaining = fBand.Height();
  if (fBand.Width() <= 0 || remaining <= fCaptionHeight) return 0;
  int amount = 1;
  std::int64_t lastGrowth = clock();
  int steps = 0;
  while (remaining > fCaptionHeight) {
    const int step = std::min(amount, fBand.Height());
    const QImage moved = fFrame.copy(fBand.Left, fBand.Top + (fUp ? step : 0), fBand.Width(), fBand.Height() - step);
    {
      TCanvas canvas(&fFrame);
      canvas.Painter().drawImage(fBand.Left, fBand.Top + (fUp ? 0 : step), moved);
      const TRect strip = fUp ? Rect(fBand.Left, fBand.Bottom - step, fBand.Right, fBand.Bottom)
                              : Rect(fBand.Left, fBand.Top, fBand.Right, fBand.Top + step);
      fill(canvas, strip);
    }
    show(fFrame);
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
