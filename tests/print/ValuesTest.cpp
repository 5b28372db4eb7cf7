// Lengths and their units, the value records, the value lists and their block form.

#include "print/GmStream.h"
#include "print/GmTypes.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace zyn {
namespace {

struct TConversion {
  TGmMeasurement from;
  TGmExtended value;
  TGmMeasurement to;
  TGmExtended expected;
};

TEST(GmValues, ConversionTableBothWays) {
  const TConversion table[] = {
      {gmMillimeters, 25.4L, gmInches, 1},
      {gmInches, 1, gmPixels, 96},
      {gmTwips, 1440, gmMillimeters, 25.4L},
      {gmUnits, 100, gmMillimeters, 1},
      {gmCentimeters, 2.54L, gmInches, 1},
      {gmCentimeters, 1, gmMillimeters, 10},
      {gmPixels, 48, gmTwips, 720},
      {gmUnits, 2540, gmPixels, 96},
      {gmInches, 8.5L, gmTwips, 12240},
      {gmMillimeters, 0, gmPixels, 0},
      {gmMillimeters, -12.7L, gmInches, -0.5L},
  };
  for (const TConversion& c : table) {
    SCOPED_TRACE(testing::Message() << int(c.from) << " -> " << int(c.to) << " of " << double(c.value));
    EXPECT_NEAR(double(ConvertValue(c.from, c.to, c.value)), double(c.expected), 1e-12);
    EXPECT_NEAR(double(ConvertValue(c.to, c.from, c.expected)), double(c.value), 1e-12);
  }
  // Equal units leave the value exactly as it is; the high bit of the source unit is ignored.
  EXPECT_EQ(ConvertValue(gmMillimeters, gmMillimeters, 1.0L / 3), 1.0L / 3);
  EXPECT_NEAR(double(ConvertValue(0x80 | gmMillimeters, gmInches, 25.4L)), 1.0, 1e-15);
}

TEST(GmValues, WholeNumbersRoundHalfToEvenAndTruncateTowardZero) {
  struct {
    TGmExtended inches, ppi;
    int pixels;
  } table[] = {{1.5L, 96, 144},     {0.5L / 96, 96, 0},  {1.5L / 96, 96, 2},
               {2.5L / 96, 96, 2},  {-0.5L / 96, 96, 0}, {-1.5L / 96, 96, -2},
               {0.49L / 96, 96, 0}, {0.51L / 96, 96, 1}, {1.0L / 600 * 1001, 600, 1001}};
  for (const auto& c : table) {
    TGmValue v(gmInches, c.inches);
    EXPECT_EQ(v.AsPixels(c.ppi), c.pixels) << double(c.inches);
  }
  EXPECT_EQ(TGmValue(gmInches, 0.5L).AsTwips(), 720);
  EXPECT_EQ(TGmValue(gmTwips, 2.5L).AsTwips(), 2);
  EXPECT_EQ(TGmValue(gmTwips, 3.5L).AsTwips(), 4);
  EXPECT_EQ(GmTrunc(-2.7L), -2);
  EXPECT_EQ(GmTrunc(2.7L), 2);
  EXPECT_EQ(ScaleGmRect({0.5L, 1.5L, 2.5L, -0.5L}, 1), (TGmIntRect{0, 2, 2, 0}));
}

TEST(GmValues, ChangeCallbackOnlyOnChangeButAlwaysOnAssign) {
  int calls = 0;
  TGmValue v([&] { ++calls; });
  v.SetPixels(600, 300);
  EXPECT_EQ(v.AsInches(), 0.5L);
  EXPECT_EQ(calls, 1);
  v.SetInches(0.5L);
  v.SetUnit(gmMillimeters, 12.7L);
  EXPECT_EQ(calls, 1);
  TGmValue other(gmInches, 0.5L);
  v.Assign(other);
  EXPECT_EQ(calls, 2);
  v.SetTwips(1440);
  EXPECT_EQ(calls, 3);
  EXPECT_NEAR(double(v.AsMillimeters()), 25.4, 1e-12);

  int sizeCalls = 0;
  TGmValueSize size([&] { ++sizeCalls; });
  TGmValueSize source;
  source.Width().SetInches(2);
  source.Height().SetInches(0);  // already 0: only the width changes
  size.Assign(source);
  EXPECT_EQ(sizeCalls, 1);
  EXPECT_EQ(size.Width().AsInches(), 2);

  TGmValueRect r;
  r.Value(3).SetInches(4);
  EXPECT_EQ(r.BottomRight().X().AsInches(), 4);
  EXPECT_THROW(r.Value(5), std::out_of_range);
}

TEST(GmValues, RecordOperations) {
  EXPECT_EQ(OffsetGmRect(GmRect(1, 2, 3, 4), 1, -1), GmRect(2, 1, 4, 3));
  EXPECT_EQ(OffsetGmPoint(GmPoint(1, 2), 0.5L, 0.5L), GmPoint(1.5L, 2.5L));
  TGmPolyPoints pts{{25.4L, 50.8L}, {0, 254}};
  ConvertGmPolyPoints(pts, gmMillimeters, gmInches);
  EXPECT_NEAR(double(pts[1].Y), 10, 1e-12);
  const TGmIntRect r{1, 2, 3, 4};
  EXPECT_EQ(RectFromCorners(CornersFromRect(r)), r);
  EXPECT_EQ(CornersFromRect(r).TopRight, (TGmIntPoint{3, 2}));
}

TEST(GmValueList, TextFormsOfTheValueKinds) {
  TGmValueList v;
  v.WritePoint("P", {1.5L, 0.25L});
  v.WriteRect("R", {0.0004L, 0.0005L, 0.0015L, -1});
  v.WriteFloat("F", 2.0L / 3);
  v.WriteString("S", "a=b");
  v.WriteInteger("I", -7);
  v.WriteInteger("I", 8);  // the second write replaces the first
  ASSERT_EQ(v.Lines().size(), 5u);
  EXPECT_EQ(v.Lines()[0], "P=1500,250");
  EXPECT_EQ(v.Lines()[1], "R=0,0,2,-1000");  // to the nearest thousandth, halfway to even
  EXPECT_EQ(v.Lines()[2], "F=0.667");
  EXPECT_EQ(v.Lines()[4], "I=8");
  EXPECT_EQ(v.ReadPoint("P", {}), GmPoint(1.5L, 0.25L));
  EXPECT_EQ(v.ReadString("S", ""), "a=b");
  EXPECT_NEAR(double(v.ReadFloat("F", 0)), 0.667, 1e-12);
  EXPECT_EQ(v.ReadInteger("missing", 42), 42);
  EXPECT_EQ(v.ReadRect("missing", GmNoRect), GmNoRect);
  v.SetRaw("E", "");
  EXPECT_EQ(v.ReadRect("E", GmNoRect), GmRect(0, 0, 0, 0));
  v.SetRaw("X", "12a");
  EXPECT_THROW(v.ReadInteger("X", 0), EGmConvertError);
  EXPECT_THROW(v.ReadFloat("X", 0), EGmConvertError);
  EXPECT_THROW(v.ReadPoint("X", {}), EGmConvertError);
  v.SetRaw("X", "nan");
  EXPECT_THROW(v.ReadFloat("X", 0), EGmConvertError);
}

TEST(GmValueList, FloatsUseAPointWhateverTheLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE");
  TGmValueList v;
  v.WriteFloat("F", 1.25L);
  EXPECT_EQ(v.Lines()[0], "F=1.250");
  EXPECT_EQ(v.ReadFloat("F", 0), 1.25L);
  if (german) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1,5");  // the process's own separator is left alone
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(GmValueList, BlockFormRoundTripAndLinesInValues) {
  TMemoryStream s;
  TGmValueList empty;
  empty.SaveToStream(s);
  EXPECT_EQ(s.Bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0}));

  TGmValueList v;
  v.WriteString("T", "Zeile 1\r\nC:\\Pfad\\n\r\n");
  v.WriteInteger("N", 3);
  TMemoryStream s2;
  v.SaveToStream(s2);
  const std::string text(s2.Bytes().begin() + 4, s2.Bytes().end());
  EXPECT_EQ(text, "T=Zeile 1\\r\\nC:\\\\Pfad\\\\n\\r\\n\r\nN=3\r\n");
  EXPECT_EQ(s2.Bytes()[0], text.size());
  s2.SetPosition(0);
  TGmValueList back;
  back.LoadFromStream(s2);
  EXPECT_EQ(back.ReadString("T", ""), "Zeile 1\r\nC:\\Pfad\\n\r\n");
  EXPECT_EQ(back.ReadInteger("N", 0), 3);
  s.SetPosition(0);
  back.LoadFromStream(s);
  EXPECT_EQ(back.Count(), 0);
}

TEST(GmValueList, DamagedBlockLengthsAreRefused) {
  for (std::int32_t n : {-1, 5, 0x7FFFFFFF}) {
    TMemoryStream s;
    s.WriteI32(n);
    s.Write("ab", 2);
    s.SetPosition(0);
    TGmValueList v;
    v.WriteInteger("keep", 1);
    EXPECT_THROW(v.LoadFromStream(s), EReadError) << n;
    EXPECT_EQ(v.ReadInteger("keep", 0), 1);
  }
  TMemoryStream s;
  s.WriteI32(1000);
  s.SetPosition(0);
  TGmReader r(s);
  EXPECT_THROW(r.ReadCount(4), EReadError);
}

}  // namespace
}  // namespace zyn
