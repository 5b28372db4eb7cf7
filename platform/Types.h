#pragma once
// Rectangles and points of the class library. A TRect spans [Left, Right) x [Top, Bottom): the
// right and bottom edges lie outside, as in every GDI call.

#include <QPoint>
#include <QRect>

namespace zyn {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

bool IsRectEmpty(const TRect& r);
bool PtInRect(const TRect& r, const TPoint& p);
void InflateRect(TRect& r, int dx, int dy);
void OffsetRect(TRect& r, int dx, int dy);
// The common part of a and b; false (and an empty result) when they do not overlap.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
// The smallest rectangle holding a and b; an empty one counts as absent.
TRect UnionRect(const TRect& a, const TRect& b);
TRect CenterRect(const TRect& inner, const TRect& outer);
// Integer a * b / c rounded to the nearest, as the platform's MulDiv (halves away from zero).
int MulDiv(int a, int b, int c);

QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);
inline QPoint ToQPoint(const TPoint& p) { return {p.X, p.Y}; }
inline TPoint FromQPoint(const QPoint& p) { return {p.x(), p.y()}; }

}  // namespace zyn
