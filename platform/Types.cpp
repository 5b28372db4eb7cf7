#include "platform/Types.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zyn {

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (IsRectEmpty(result)) {
    result = {};
    return false;
  }
  return true;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) return b;
  if (IsRectEmpty(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

TRect CenterRect(const TRect& inner, const TRect& outer) {
  const int w = inner.Width();
  const int h = inner.Height();
  const int left = outer.Left + (outer.Width() - w) / 2;
  const int top = outer.Top + (outer.Height() - h) / 2;
  return Bounds(left, top, w, h);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = std::llabs(c) / 2;
  const bool negative = (p < 0) != (c < 0);
  const std::int64_t q = (std::llabs(p) + half) / std::llabs(c);
  return static_cast<int>(negative ? -q : q);
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect FromQRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

}  // namespace zyn
