#include "print/GmTypes.h"

#include <cfenv>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace zyn {

namespace {

TGmExtended ToInches(std::uint8_t unit, TGmExtended v) {
  switch (unit) {
    case gmUnits:
      return v / 100.0L / 25.4L;
    case gmPixels:
      return v / 96.0L;
    case gmMillimeters:
      return v / 25.4L;
    case gmCentimeters:
      return v * 10.0L / 25.4L;
    case gmTwips:
      return v / 1440.0L;
    default:
      return v;
  }
}

TGmExtended FromInches(std::uint8_t unit, TGmExtended v) {
  switch (unit) {
    case gmUnits:
      return v * 25.4L * 100.0L;
    case gmPixels:
      return v * 96.0L;
    case gmMillimeters:
      return v * 25.4L;
    case gmCentimeters:
      return v * 25.4L / 10.0L;
    case gmTwips:
      return v * 1440.0L;
    default:
      return v;
  }
}

}  // namespace

TGmExtended ConvertValue(std::uint8_t fromUnit, std::uint8_t toUnit, TGmExtended value) {
  if (fromUnit == toUnit) return value;
  return FromInches(toUnit, ToInches(fromUnit & 0x7F, value));
}

std::int64_t GmRound(TGmExtended value) {
  if (!std::isfinite(value)) return 0;
  // nearbyint honours the rounding mode; the library's rule is always halfway to even.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const TGmExtended r = std::nearbyint(value);
  std::fesetround(saved);
  if (r >= 9.2e18L) return INT64_MAX;
  if (r <= -9.2e18L) return INT64_MIN;
  return static_cast<std::int64_t>(r);
}

std::int64_t GmTrunc(TGmExtended value) {
  if (!std::isfinite(value)) return 0;
  const TGmExtended r = std::trunc(value);
  if (r >= 9.2e18L) return INT64_MAX;
  if (r <= -9.2e18L) return INT64_MIN;
  return static_cast<std::int64_t>(r);
}

namespace {
int ClampInt(std::int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int>(v);
}
}  // namespace

int GmPixels(TGmExtended inches, TGmExtended pixelsPerInch) {
  const std::int64_t v = GmRound(inches * pixelsPerInch);
  return static_cast<int>(v > 1000000000 ? 1000000000 : v < -1000000000 ? -1000000000 : v);
}

TGmPoint GmPoint(TGmExtended x, TGmExtended y) { return {x, y}; }
TGmRect GmRect(TGmExtended left, TGmExtended top, TGmExtended right, TGmExtended bottom) {
  return {left, top, right, bottom};
}
TGmPoint OffsetGmPoint(const TGmPoint& p, TGmExtended dx, TGmExtended dy) { return {p.X + dx, p.Y + dy}; }
TGmRect OffsetGmRect(const TGmRect& r, TGmExtended dx, TGmExtended dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
TGmPoint ConvertGmPoint(const TGmPoint& p, TGmMeasurement from, TGmMeasurement to) {
  return {ConvertValue(from, to, p.X), ConvertValue(from, to, p.Y)};
}
TGmRect ConvertGmRect(const TGmRect& r, TGmMeasurement from, TGmMeasurement to) {
  return {ConvertValue(from, to, r.Left), ConvertValue(from, to, r.Top), ConvertValue(from, to, r.Right),
          ConvertValue(from, to, r.Bottom)};
}
void ConvertGmPolyPoints(TGmPolyPoints& points, TGmMeasurement from, TGmMeasurement to) {
  for (TGmPoint& p : points) p = ConvertGmPoint(p, from, to);
}
TGmIntRect ScaleGmRect(const TGmRect& r, TGmExtended factor) {
  return {ClampInt(GmRound(r.Left * factor)), ClampInt(GmRound(r.Top * factor)), ClampInt(GmRound(r.Right * factor)),
          ClampInt(GmRound(r.Bottom * factor))};
}
TGmIntRect RectFromCorners(const TGmCorners& c) { return {c.TopLeft.X, c.TopLeft.Y, c.BottomRight.X, c.BottomRight.Y}; }
TGmCorners CornersFromRect(const TGmIntRect& r) {
  return {{r.Left, r.Top}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}};
}
void GmSwap(TGmExtended& a, TGmExtended& b) { std::swap(a, b); }

int TGmValue::AsTwips() const { return ClampInt(GmRound(AsUnit(gmTwips))); }
int TGmValue::AsPixels(TGmExtended pixelsPerInch) const { return ClampInt(GmRound(fInches * pixelsPerInch)); }

void TGmValue::SetInches(TGmExtended inches) {
  if (inches == fInches) return;
  fInches = inches;
  if (fOnChange) fOnChange();
}

void TGmValue::SetPixels(TGmExtended pixelsPerInch, TGmExtended pixels) {
  if (pixelsPerInch == 0) return;  // no resolution: nothing to convert from
  SetInches(pixels / pixelsPerInch);
}

void TGmValue::Assign(const TGmValue& source) {
  fInches = source.fInches;
  if (fOnChange) fOnChange();
}

TGmCustomValueSize::TGmCustomValueSize(TGmValue::TChangeEvent onChange) : fOnChange(std::move(onChange)) {
  fFirst.SetOnChange([this] {
    if (fOnChange) fOnChange();
  });
  fSecond.SetOnChange([this] {
    if (fOnChange) fOnChange();
  });
}

void TGmValueSize::Assign(const TGmValueSize& source) {
  Width().SetInches(source.Width().AsInches());
  Height().SetInches(source.Height().AsInches());
}

TGmValue& TGmValueRect::Value(int index) {
  switch (index) {
    case 1:
      return fTopLeft.X();
    case 2:
      return fTopLeft.Y();
    case 3:
      return fBottomRight.X();
    case 4:
      return fBottomRight.Y();
    default:
      throw std::out_of_range("TGmValueRect index");
  }
}

TGmRect TGmValueRect::AsInches() const {
  return {fTopLeft.X().AsInches(), fTopLeft.Y().AsInches(), fBottomRight.X().AsInches(), fBottomRight.Y().AsInches()};
}

void TGmValueRect::SetInches(const TGmRect& r) {
  fTopLeft.X().SetInches(r.Left);
  fTopLeft.Y().SetInches(r.Top);
  fBottomRight.X().SetInches(r.Right);
  fBottomRight.Y().SetInches(r.Bottom);
}

}  // namespace zyn
