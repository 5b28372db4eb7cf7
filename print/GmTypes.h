#pragma once
// Lengths of the print library. Every length is held in inches as an extended float and turned
// into the unit a caller works in on demand. No Qt here: the values, records and their arithmetic
// serve the page objects, the pages and their stream form alike.

#include <cstdint>
#include <functional>
#include <vector>

namespace zyn {

using TGmExtended = long double;

enum TGmMeasurement : std::uint8_t {
  gmUnits = 0,        // 1/100 mm
  gmPixels = 1,       // 1/96 inch
  gmMillimeters = 2,  // 1 mm
  gmCentimeters = 3,  // 10 mm
  gmInches = 4,       // the storage unit
  gmTwips = 5         // 1/1440 inch
};

enum TGmOrientation : std::uint8_t { gmPortrait, gmLandscape };
enum TGmPagesPerSheet : std::uint8_t { gmOnePage, gmTwoPage, gmFourPage };
enum TGmCoordsRelative : std::uint8_t { gmFromPage, gmFromPrinterMargins, gmFromUserMargins, gmFromHeaderLine };
enum TGmPaperSize : std::uint8_t {
  A3,
  A4,
  A5,
  A6,
  B5,
  C5,
  Legal,
  Letter,
  Custom,
  B4,
  Envelope_09,
  Envelope_10,
  Envelope_11,
  Envelope_12,
  Envelope_14,
  Tabloid,
  Ledger,
  Executive
};

// The value converted from one unit to another; only the low seven bits of the source unit count.
TGmExtended ConvertValue(std::uint8_t fromUnit, std::uint8_t toUnit, TGmExtended value);

// To the nearest whole number, a value exactly halfway going to the even number.
std::int64_t GmRound(TGmExtended value);
// Inches at a resolution as whole device pixels (to the nearest, held within +-10^9).
int GmPixels(TGmExtended inches, TGmExtended pixelsPerInch);
// Cut to a whole number towards zero.
std::int64_t GmTrunc(TGmExtended value);

// Plain value records, copied by value.
struct TGmPoint {
  TGmExtended X = 0;
  TGmExtended Y = 0;
  friend bool operator==(const TGmPoint&, const TGmPoint&) = default;
};
using TGmPolyPoints = std::vector<TGmPoint>;

struct TGmRect {
  TGmExtended Left = 0;
  TGmExtended Top = 0;
  TGmExtended Right = 0;
  TGmExtended Bottom = 0;
  friend bool operator==(const TGmRect&, const TGmRect&) = default;
};
// The rectangle that stands for "no rectangle" where one is optional.
inline constexpr TGmRect GmNoRect{-1, -1, -1, -1};
inline bool IsGmNoRect(const TGmRect& r) { return r == GmNoRect; }

struct TGmIntPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGmIntPoint&, const TGmIntPoint&) = default;
};
struct TGmIntRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGmIntRect&, const TGmIntRect&) = default;
};
// The four corners of an integer rectangle, as bounding-box queries answer.
struct TGmCorners {
  TGmIntPoint TopLeft, TopRight, BottomLeft, BottomRight;
  friend bool operator==(const TGmCorners&, const TGmCorners&) = default;
};

TGmPoint GmPoint(TGmExtended x, TGmExtended y);
TGmRect GmRect(TGmExtended left, TGmExtended top, TGmExtended right, TGmExtended bottom);
TGmPoint OffsetGmPoint(const TGmPoint& p, TGmExtended dx, TGmExtended dy);
TGmRect OffsetGmRect(const TGmRect& r, TGmExtended dx, TGmExtended dy);
TGmPoint ConvertGmPoint(const TGmPoint& p, TGmMeasurement from, TGmMeasurement to);
TGmRect ConvertGmRect(const TGmRect& r, TGmMeasurement from, TGmMeasurement to);
void ConvertGmPolyPoints(TGmPolyPoints& points, TGmMeasurement from, TGmMeasurement to);
// Each coordinate times the factor, to the nearest whole number.
TGmIntRect ScaleGmRect(const TGmRect& r, TGmExtended factor);
TGmIntRect RectFromCorners(const TGmCorners& c);
TGmCorners CornersFromRect(const TGmIntRect& r);
inline TGmExtended GmMin(TGmExtended a, TGmExtended b) { return a < b ? a : b; }
inline TGmExtended GmMax(TGmExtended a, TGmExtended b) { return a > b ? a : b; }
inline int GmMin(int a, int b) { return a < b ? a : b; }
inline int GmMax(int a, int b) { return a > b ? a : b; }
void GmSwap(TGmExtended& a, TGmExtended& b);

// One length, in inches, with a callback after every change.
class TGmValue {
 public:
  using TChangeEvent = std::function<void()>;

  explicit TGmValue(TChangeEvent onChange = {}) : fOnChange(std::move(onChange)) {}
  TGmValue(TGmMeasurement unit, TGmExtended value) : fInches(ConvertValue(unit, gmInches, value)) {}
  TGmValue(const TGmValue&) = delete;
  TGmValue& operator=(const TGmValue&) = delete;

  void SetOnChange(TChangeEvent onChange) { fOnChange = std::move(onChange); }

  TGmExtended AsInches() const { return fInches; }
  TGmExtended AsMillimeters() const { return ConvertValue(gmInches, gmMillimeters, fInches); }
  TGmExtended AsUnit(TGmMeasurement unit) const { return ConvertValue(gmInches, unit, fInches); }
  int AsTwips() const;
  int AsPixels(TGmExtended pixelsPerInch) const;

  // Stores the length; calls back only when it differs from the stored one.
  void SetInches(TGmExtended inches);
  void SetMillimeters(TGmExtended mm) { SetInches(ConvertValue(gmMillimeters, gmInches, mm)); }
  void SetTwips(int twips) { SetInches(ConvertValue(gmTwips, gmInches, twips)); }
  void SetUnit(TGmMeasurement unit, TGmExtended value) { SetInches(ConvertValue(unit, gmInches, value)); }
  void SetPixels(TGmExtended pixelsPerInch, TGmExtended pixels);

  // Copies the length and always calls back.
  void Assign(const TGmValue& source);

 private:
  TGmExtended fInches = 0;
  TChangeEvent fOnChange;
};

// Two lengths created and freed with their owner; both report to the owner's callback.
class TGmCustomValueSize {
 public:
  explicit TGmCustomValueSize(TGmValue::TChangeEvent onChange = {});
  TGmCustomValueSize(const TGmCustomValueSize&) = delete;
  TGmCustomValueSize& operator=(const TGmCustomValueSize&) = delete;
  void SetOnChange(TGmValue::TChangeEvent onChange) { fOnChange = std::move(onChange); }

 protected:
  TGmValue fFirst;
  TGmValue fSecond;

 private:
  TGmValue::TChangeEvent fOnChange;
};

class TGmValueSize : public TGmCustomValueSize {
 public:
  using TGmCustomValueSize::TGmCustomValueSize;
  TGmValue& Height() { return fFirst; }
  TGmValue& Width() { return fSecond; }
  const TGmValue& Height() const { return fFirst; }
  const TGmValue& Width() const { return fSecond; }
  // Width first, then height, each calling back only on a change.
  void Assign(const TGmValueSize& source);
};

class TGmValuePoint : public TGmCustomValueSize {
 public:
  using TGmCustomValueSize::TGmCustomValueSize;
  TGmValue& X() { return fFirst; }
  TGmValue& Y() { return fSecond; }
  const TGmValue& X() const { return fFirst; }
  const TGmValue& Y() const { return fSecond; }
};

class TGmValueRect {
 public:
  TGmValueRect() = default;
  TGmValuePoint& TopLeft() { return fTopLeft; }
  TGmValuePoint& BottomRight() { return fBottomRight; }
  // 1 TopLeft.X, 2 TopLeft.Y, 3 BottomRight.X, 4 BottomRight.Y.
  TGmValue& Value(int index);
  TGmRect AsInches() const;
  void SetInches(const TGmRect& r);

 private:
  TGmValuePoint fTopLeft;
  TGmValuePoint fBottomRight;
};

}  // namespace zyn
