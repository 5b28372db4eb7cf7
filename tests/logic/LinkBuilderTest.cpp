// The rules below the direct-link page: condition codes, writing and reading conditions, the
// link hint and the parameter texts of the details dialog.

#include "logic/core/LinkBuilder.h"

#include "logic/core/LinkParameters.h"
#include "model/Anzeigetext.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "tests/compiler/CompilerFixture.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class LinkRules : public ::testing::Test {
 protected:
  TProjectBuilder b;
  TSteuermodul& stm = b.AddStm(0);
  TModul& in20 = b.AddModul(stm, 1, 20, "IN2", 0, 0, 0, {3}, {});
  TModul& in5 = b.AddModul(stm, 1, 5, "IN1", 0, 0, 0, {3}, {});
  TModul& jrm = b.AddModul(stm, 2, 2, "JRM", 0, 0, 0, {}, {3}, {}, "JRM");
  TModul& out = b.AddModul(stm, 2, 4, "OUT", 0, 0, 0, {}, {3});
  TMerker& flag = b.AddMerker(stm, 7);
  TUhr& clock = b.AddUhr(stm, 2, 31, 6, 0, 31, 7, 0);
  TAnzeigetext& text = b.AddText(stm, 4, "Hallo", 0, "", 0);
};

TEST_F(LinkRules, ConditionTypeCodes) {
  struct {
    TZYNBaseObject* object;
    int type;
  } cases[] = {
      {in20.FindEingang(3), 4},
      {in5.FindEingang(3), 3},
      {jrm.FindAusgang(3), 5},
      {out.FindAusgang(3), 19},
      {&flag, 25},
      {&clock, 26},
  };
  for (const auto& c : cases) EXPECT_EQ(ConditionType(stm, *c.object), c.type) << c.object->DisplayName();
}

TEST_F(LinkRules, ConditionsAreWrittenAndReadBackDisplayTextsIncluded) {
  TVerbindung link;
  std::vector<TLinkCondition> conditions = {{in20.FindEingang(3), true}, {&flag, false}, {&clock, true}, {&text, true}};
  ASSERT_TRUE(WriteConditions(link, stm, conditions, false));
  EXPECT_EQ(link.Kind(), 1);
  EXPECT_EQ(link.GetLogicCount(), 4);
  EXPECT_EQ(link.Logic(1).LogicState(), 0);
  EXPECT_EQ(link.Logic(1).LogicChannelName(), flag.InternalName());
  EXPECT_EQ(link.Logic(3).LogicType(), kObjAnzeigetext);
  const std::vector<TLinkCondition> back = LoadConditions(link, stm);
  ASSERT_EQ(back.size(), 4u);
  for (size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Object, conditions[i].Object);
    EXPECT_EQ(back[i].On, conditions[i].On);
  }
  // With an ELSE target the kind is 2.
  ASSERT_TRUE(WriteConditions(link, stm, conditions, true));
  EXPECT_EQ(link.Kind(), 2);
}

TEST_F(LinkRules, AtMostFiftyConditions) {
  std::vector<TLinkCondition> many;
  for (int n = 0; n < 51; ++n) many.push_back({&b.AddMerker(stm, 100 + n), true});
  TVerbindung link;
  EXPECT_FALSE(WriteConditions(link, stm, many, false));
  EXPECT_EQ(link.GetLogicCount(), 0);
  many.pop_back();
  EXPECT_TRUE(WriteConditions(link, stm, many, false));
  EXPECT_EQ(link.GetLogicCount(), 50);
  EXPECT_FALSE(link.Logic(50).Used());
}

TEST_F(LinkRules, HintListsConditionsWithUndOderAndSonst) {
  TVerbindung link;
  SetModuleEndpoint(link.Source(), in5, 0, 3, 0, 1);
  SetModuleEndpoint(link.Target(), out, 0, 3, 0, 1);
  SetObjectEndpoint(link.ElseTarget(), kObjMerker, 0, "MRK", 7, 0);
  ASSERT_TRUE(WriteConditions(link, stm, {{&flag, true}, {&clock, false}, {in20.FindEingang(3), true}}, true));
  link.SetLogicOr(true);
  const std::string hint = LinkHintText(link);
  EXPECT_EQ(hint.substr(0, 5), "WENN ");
  EXPECT_NE(hint.find("\r   UND  STM.00.MRK"), std::string::npos);
  EXPECT_NE(hint.find("\r ODER STM.00.UHR"), std::string::npos);
  EXPECT_NE(hint.find("\r ODER STM.00.IN2"), std::string::npos);
  EXPECT_NE(hint.find("\rDANN  "), std::string::npos);
  EXPECT_NE(hint.find("\rSONST "), std::string::npos);
  EXPECT_EQ(std::count(hint.begin(), hint.end(), '\r'), 5);
}

TEST(ParamText, ChecksInOrder) {
  struct {
    const char* text;
    int expected;
    bool elseSide;
    const char* warning;
  } cases[] = {
      {"12", 1, false, ""},
      {"12;34", 2, false, ""},
      {"12;34", 1, false, "Sie dürfen hier nur einen Parameter angeben"},
      {"12", 2, false, "Sie müssen hier zwei Parameter angeben (\\\"Par1;Par2\\\")"},
      {"12", 2, true, "Sie müssen hier zwei Parameter angeben (\\\"Par1;Par2\\\""},
      {"12;300", 2, false, "Mindestens einer der eingegebenen Parameter ist ungültig"},
      {"0", 1, false, "Der eingegebene Parameter ist ungültig"},
      {";5", 2, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckParamText(c.text, c.expected, c.elseSide), Utf8ToAnsi(c.warning)) << c.text;
  }
  // Not a whole number: reported, nothing stored.
  EXPECT_FALSE(CheckParamText("1x", 1, false).empty());
  TVerbindung link;
  link.SetTargetParamMode(pkSeconds);
  link.SetTargetFactor(1.0);
  link.SetTargetParamWord(77);
  StoreParamText(link, false, "1x");
  EXPECT_EQ(link.TargetParam(), 77);
  StoreParamText(link, false, "12");
  EXPECT_EQ(link.TargetParam(), 12);
}

}  // namespace
}  // namespace zyn::test
