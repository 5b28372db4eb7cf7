#include "model/Kennlinien.h"

#include "ModelTestSupport.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zyn {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Kennlinie, HexTextBothWays) {
  TZYNKennlinie curve;
  EXPECT_EQ(curve.GetKennlinie(), std::string(512, '0'));
  for (int i = 0; i < 256; ++i) curve.Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i);
  const std::string text = curve.GetKennlinie();
  ASSERT_EQ(text.size(), 512u);
  EXPECT_EQ(text.substr(0, 6), "FFFEFD");
  TZYNKennlinie read;
  read.SetKennlinie(text + "ABCD");  // digits beyond 512 are ignored
  EXPECT_EQ(read.Werte, curve.Werte);
  read.SetKennlinie("00");
  EXPECT_EQ(read.Werte[0], 0);
  EXPECT_EQ(read.Werte[1], 254);  // the rest keeps its value
  read.SetKennlinie("1a7");
  EXPECT_EQ(read.Werte[0], 0x1A);
  EXPECT_EQ(read.Werte[1], 7);  // a last single digit
  EXPECT_THROW(read.SetKennlinie("0G"), EReadError);
}

TEST(Kennlinie, TheThreeStandardCurves) {
  test::TFixedClock clock;
  TUniqueNames names = test::MakeNames(clock);
  TZYNKennlinienListe list;
  list.AddDefaultCurves(names);
  ASSERT_EQ(list.Count(), 3);
  const TZYNKennlinie& glow = *list.Items(0);
  EXPECT_EQ(glow.DisplayName, Ansi("Standardkennlinie (z.B. Glühlicht)"));
  EXPECT_FALSE(glow.CanEdit);
  EXPECT_EQ(glow.InternalName, "08122026_191503_0");
  const std::vector<int> head = {21, 22, 23, 24, 25, 25, 26, 27, 28, 28};
  for (size_t i = 0; i < head.size(); ++i) EXPECT_EQ(glow.Werte[i], head[i]) << i;
  EXPECT_EQ(glow.Werte[127], 102);
  EXPECT_EQ(glow.Werte[249], 224);
  EXPECT_EQ(glow.Werte[253], 246);
  EXPECT_EQ(glow.Werte[254], 254);
  EXPECT_EQ(glow.Werte[255], 254);
  int sum = 0;
  for (uint8_t b : glow.Werte) sum += b;
  EXPECT_EQ(sum, 27716);
  const TZYNKennlinie& linear = *list.Items(1);
  EXPECT_EQ(linear.DisplayName, "Kennlinie 1-10 Volt (z.B. dimmbare EVG's)");
  EXPECT_EQ(linear.Werte[0], 0);
  EXPECT_EQ(linear.Werte[254], 254);
  EXPECT_EQ(linear.Werte[255], 254);
  const TZYNKennlinie& half = *list.Items(2);
  EXPECT_EQ(half.InternalName, "08122026_191503_2");
  EXPECT_EQ(half.Werte[0], 128);
  EXPECT_EQ(half.Werte[3], 129);
  EXPECT_EQ(half.Werte[251], 253);
  for (int i = 252; i < 256; ++i) EXPECT_EQ(half.Werte[static_cast<size_t>(i)], 254);
}

class KennlinienFile : public ::testing::Test {
 protected:
  const test::TempFolder folder{"kennlinien"};
  const std::string path = folder.File("Kennlinien.xml");
  test::TFixedClock clock;
};

TEST_F(KennlinienFile, MissingFileGetsTheStandardCurvesAndIsWritten) {
  TUniqueNames names = test::MakeNames(clock);
  TZYNKennlinienListe list;
  const TKennlinienLoad result = list.LoadOrCreate(path, names);
  EXPECT_EQ(result.Status, TKennlinienLoad::DefaultsMade);
  EXPECT_EQ(result.Message, "Die Kennlinien wurden nicht gefunden");
  EXPECT_EQ(list.Count(), 3);
  const std::string text = ReadFile(path);
  EXPECT_NE(text.find("<ZYNKennlinienListe>"), std::string::npos);
  EXPECT_NE(text.find("<ZYNKennlinie>"), std::string::npos);
  EXPECT_LT(text.find("<CanEdit>"), text.find("<DisplayName>"));
  EXPECT_LT(text.find("<InternalName>"), text.find("<Kennlinie>"));
  EXPECT_EQ(std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()), 0);

  // A second start reads the user's curves and writes nothing.
  TZYNKennlinienListe again;
  EXPECT_EQ(again.LoadOrCreate(path, names).Status, TKennlinienLoad::Loaded);
  ASSERT_EQ(again.Count(), 3);
  EXPECT_EQ(again.Items(0)->Werte, list.Items(0)->Werte);
  EXPECT_EQ(again.Items(0)->DisplayName, list.Items(0)->DisplayName);
  EXPECT_EQ(again.Items(2)->InternalName, list.Items(2)->InternalName);
  EXPECT_EQ(again.GetXML(), list.GetXML());
}

TEST_F(KennlinienFile, DamagedFileIsKeptBesideAndTheStandardCurvesAreUsed) {
  TUniqueNames names = test::MakeNames(clock);
  TZYNKennlinienListe list;
  list.AddDefaultCurves(names);
  std::string text = list.GetXML();
  const size_t at = text.find("<Kennlinie>") + 11;
  text.replace(at, 2, "ZZ");
  {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  TZYNKennlinienListe read;
  const TKennlinienLoad result = read.LoadOrCreate(path, names);
  EXPECT_EQ(result.Status, TKennlinienLoad::Unreadable);
  EXPECT_NE(result.Message.find(path), std::string::npos) << result.Message;
  EXPECT_NE(result.Message.find(path + ".defekt"), std::string::npos) << result.Message;
  EXPECT_EQ(read.Count(), 3);
  // The damaged file is kept whole beside the new one, which holds the standard curves.
  EXPECT_EQ(ReadFile(path + ".defekt"), text);
  TZYNKennlinienListe again;
  EXPECT_EQ(again.LoadOrCreate(path, names).Status, TKennlinienLoad::Loaded);
  EXPECT_EQ(again.Count(), 3);
  // A second damaged file does not replace the first one kept.
  const std::string second = text + " ";
  {
    std::ofstream out(path, std::ios::binary);
    out << second;
  }
  TZYNKennlinienListe third;
  EXPECT_EQ(third.LoadOrCreate(path, names).Status, TKennlinienLoad::Unreadable);
  EXPECT_EQ(ReadFile(path + ".defekt"), text);
  EXPECT_EQ(ReadFile(path + ".defekt1"), second);
}

}  // namespace
}  // namespace zyn
