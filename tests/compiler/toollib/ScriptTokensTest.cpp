// The token operations of link scripts and the value look-ups of the parameter texts.

#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Errors.h"

#include "ToolFixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {


TEST(ScriptTokens, PiecesOfALine) {
  struct {
    const char* line;
    const char* percent;
    const char* hash;
    const char* text;
  } cases[] = {
      {"THEN %Lampe% : 2 Ein", "Lampe", "", "Ein"},
      {"IF %T% : 12 Ein > 0 Sek", "T", "", "Ein > 0 Sek"},
      {"IF %SUB%#TASTER# : EIN", "SUB", "TASTER", "EIN"},
      {"CIF : TA1 Taste", "", "", "TA1 Taste"},
      {"VERB %Q%", "Q", "", "VERB %Q%"},
      {"THEN %offen : Ein", "", "", "Ein"},
      {"IF %A% : 0815", "A", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(TZYNFunction::TokenPercent(c.line), c.percent);
    EXPECT_EQ(TZYNFunction::TokenHash(c.line), c.hash);
    EXPECT_EQ(TZYNFunction::LineText(c.line), c.text);
  }
  const char* m = "IFM %Modul\\INPUT\\3% : Taste";
  EXPECT_EQ(TZYNFunction::TokenModuleVar(m), "Modul");
  EXPECT_EQ(TZYNFunction::TokenChannelIndex(m), 3);
  EXPECT_EQ(TZYNFunction::ChannelKind(m), 0);
  EXPECT_EQ(TZYNFunction::ChannelKind("THENM %M\\OUTPUT\\12% : Ein"), 1);
  EXPECT_EQ(TZYNFunction::TokenChannelIndex("THENM %M\\OUTPUT\\12% : Ein"), 12);
  EXPECT_EQ(TZYNFunction::ChannelKind("ANDM %M\\X\\1% : Ein"), -1);
  EXPECT_THROW(TZYNFunction::TokenChannelIndex("IFM %M\\INPUT\\drei% : Ein"), EZYNError);

  std::string rest;
  EXPECT_EQ(TZYNFunction::TakeNumber(" 12 ,rest,mehr", rest), 12);
  EXPECT_EQ(rest, "rest,mehr");
  EXPECT_EQ(TZYNFunction::TakeNumber("7", rest), 7);
  EXPECT_EQ(rest, "");
  EXPECT_THROW(TZYNFunction::TakeNumber("x,1", rest), EZYNError);
  EXPECT_THROW(TZYNFunction::TakeNumber("", rest), EZYNError);
  // Long texts are cut to 255 characters.
  EXPECT_EQ(TZYNFunction::LineText("X : " + std::string(300, 'a')).size(), 255u);
}

TEST(ScriptTokens, VariableValueRoundsHalfToEvenAndNeverUsesLeftovers) {
  TZYNFunction tool;
  TVariable& v = test::AddVar(tool, "ZEIT", vtWord, 3);
  v.Multiplier = TReal48::FromValue(0.5L);
  std::string rest;
  EXPECT_EQ(tool.VariableValue("%ZEIT%", 0, true, false, rest), 2);  // 1.5 -> 2
  v.Value = 5;
  EXPECT_EQ(tool.VariableValue("%ZEIT%,weiter", 0, true, false, rest), 2);  // 2.5 -> 2
  EXPECT_EQ(rest, ",weiter");
  EXPECT_EQ(tool.VariableValue("%ZEIT%+4,x", 0, false, false, rest), 9);
  EXPECT_EQ(rest, "x");
  // A multiplier of 0 counts as 1 and is kept so in the variable.
  TVariable& w = test::AddVar(tool, "W", vtWord, 7);
  EXPECT_EQ(tool.VariableValue("%W%", 3, true, true, rest), 7);
  EXPECT_EQ(w.GetMultiplier(), 1.0L);
  EXPECT_EQ(w.Value, 10);
  // The LAUFZEIT fallback applies; a missing variable is an error, not the previous number.
  test::AddVar(tool, "LAUFZEIT", vtWord, 40);
  EXPECT_EQ(tool.VariableValue("%laufzeitauf%", 0, true, false, rest), 40);
  EXPECT_THROW(tool.VariableValue("%FEHLT%", 0, true, false, rest), EZYNError);
  EXPECT_THROW(tool.VariableValue("%ZEIT", 0, true, false, rest), EZYNError);
}

TEST(ScriptTokens, ResolveParameterFillsTheBlindBytes) {
  TZYNFunction tool;
  TVariable& target = test::AddVar(tool, "P", vtRollade);
  test::AddVar(tool, "VERSATZ", vtWord, 0);
  TVariable& lauf = test::AddVar(tool, "LAUF", vtWord, 12);
  lauf.Multiplier = TReal48::FromValue(10);
  tool.Versatz = 10;
  // The offset counts up by the offset step at every use: 0, 10, 20.
  for (int expected : {0, 10, 20}) {
    tool.ResolveParameter(target, "5,2,1,%VERSATZ%,%LAUF%,%LAUF%+3,", nullptr, 0);
    EXPECT_EQ(target.RolladenValue[3] | (target.RolladenValue[4] << 8), expected);
  }
  EXPECT_EQ(target.RolladenValue[0], 5);
  EXPECT_EQ(target.RolladenValue[1], 2);
  EXPECT_EQ(target.RolladenValue[2], 1);
  EXPECT_EQ(target.RolladenValue[5] | (target.RolladenValue[6] << 8), 120);
  EXPECT_EQ(target.RolladenValue[7] | (target.RolladenValue[8] << 8), 150);
  EXPECT_EQ(target.RolladenValue[9], 0);

  // "%...%#name#" takes the value from the variable of the sub-tool at the index.
  auto inner = std::make_unique<TZYNFunction>();
  TVariable& sub = test::AddVar(*inner, "FAHRT", vtWord, 30);
  sub.Multiplier = TReal48::FromValue(10);
  TVariable list;
  list.VarName = "UNTER";
  list.SetVarType(vtFunction);
  auto ref = std::make_unique<TZYNSubFunction>();
  ref->SetOwnedFunction(std::move(inner));
  TVarEntry entry("Unter", {});
  entry.SetSubFunction(std::move(ref));
  list.Objects().push_back(std::move(entry));
  tool.ResolveParameter(target, "6,1,0,7,%S%#FAHRT#,", &list, 0);
  EXPECT_EQ(target.RolladenValue[3] | (target.RolladenValue[4] << 8), 7);
  EXPECT_EQ(target.RolladenValue[5] | (target.RolladenValue[6] << 8), 300);
  // An index without a sub-tool and a missing variable are errors.
  EXPECT_THROW(tool.ResolveParameter(target, "6,1,0,7,%S%#FAHRT#,", &list, 1), EZYNError);
  EXPECT_THROW(tool.ResolveParameter(target, "6,1,0,7,%S%#FEHLT#,", &list, 0), EZYNError);
  EXPECT_THROW(tool.ResolveParameter(target, "6,1,0,%FEHLT%", nullptr, 0), EZYNError);
  EXPECT_THROW(tool.ResolveParameter(target, "6,1", nullptr, 0), EZYNError);
}

}  // namespace
}  // namespace zyn
