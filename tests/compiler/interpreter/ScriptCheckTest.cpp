// The check of a link script before the tool editor stores it: every problem with its line.

#include "compiler/interpreter/ScriptCheck.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class ScriptCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [name, type] : {std::pair<const char*, int16_t>{"TASTER", vtEingang},
                              {"LICHT", vtAusgang},
                              {"LAUFZEIT", vtTimeSek},
                              {"MODUL", vtObject},
                              {"NACHT", vtMerker}}) {
      auto v = std::make_unique<TVariable>();
      v->VarName = name;
      v->SetVarType(type);
      tool.Variables.Add(std::move(v));
    }
  }
  std::vector<int> Lines(const std::vector<std::string>& script) {
    std::vector<int> lines;
    for (const TScriptProblem& p : CheckScript(tool, script)) lines.push_back(p.Line);
    return lines;
  }
  TZYNFunction tool;
};

TEST_F(ScriptCheckTest, ASoundScriptPasses) {
  EXPECT_EQ(Lines({"BLOCK 1", "IF %TASTER% : EIN", "THEN %LICHT% : TREPPENLICHT", "PARAM1 %LAUFZEIT%", "END.", "",
                   "BLOCK 2", "CIF : TA1 TASTE", "IFM %MODUL\\INPUT\\3% : EIN", "THENM %MODUL\\OUTPUT\\0% : AUS",
                   "AND %NACHT% : EIN", "CPARA1 1,2,3,%LAUFZEIT%", "RESET %laufzeitauf%", "END."}),
            std::vector<int>{});
}

TEST_F(ScriptCheckTest, EveryProblemNamesItsLine) {
  struct Case {
    const char* what;
    std::vector<std::string> script;
    std::vector<int> lines;
  } cases[] = {
      {"fehlendes END.", {"BLOCK 1", "IF %TASTER% : EIN"}, {1}},
      {"END. ohne BLOCK", {"END."}, {1}},
      {"BLOCK im offenen Block", {"BLOCK 1", "IF %TASTER% : EIN", "BLOCK 2", "THEN %LICHT% : EIN", "END."}, {3}},
      {"unbekannte Variable", {"BLOCK 1", "IF %TASTER% : EIN", "THEN %LICHTT% : EIN", "END."}, {3}},
      {"RESET ohne Variable", {"BLOCK 1", "RESET %ZAEHLER%", "END."}, {2}},
      {"unbekannte Anweisung", {"BLOCK 1", "IF %TASTER% : EIN", "TEHN %LICHT% : EIN", "END."}, {3}},
      {"offenes Prozentzeichen", {"BLOCK 1", "IF %TASTER : EIN", "END."}, {2}},
      {"Zeile außerhalb", {"IF %TASTER% : EIN", "BLOCK 1", "END."}, {1}},
      {"LOGIC mit AND", {"BLOCK 1", "LOGIC %NACHT%", "AND %NACHT% : EIN", "END."}, {1}},
      {"Modulkanal ohne Art", {"BLOCK 1", "IFM %MODUL\\X\\3% : EIN", "END."}, {2}},
      {"Modulkanal ohne Nummer", {"BLOCK 1", "THENM %MODUL\\OUTPUT\\A% : EIN", "END."}, {2}},
      {"Parameter ohne drei Zahlen", {"BLOCK 1", "CPARA1 1,X,3", "END."}, {2}},
      {"zwei Fehler", {"BLOCK 1", "IF %A% : EIN", "THEN %B% : EIN", "END."}, {2, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.script), c.lines) << c.what;
  const std::vector<TScriptProblem> p = CheckScript(tool, {"BLOCK 1", "THEN %LICHTT% : EIN", "END."});
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(ScriptProblemText(p[0]), Ansi("Zeile 2: Die Variable \"LICHTT\" ist in der Funktion nicht vorhanden."));
}

TEST(ScriptCheckDefaults, TheDefaultLibrariesPass) {
  for (const char* file : {"funcs.zyb", "userfuncs.zyb"}) {
    TZYNFunktionsListe library;
    ASSERT_TRUE(library.LoadFromFile(std::string(ZYN_BINARY_DIR) + "/data/system/" + file));
    for (int i = 0; i < library.Count(); ++i) {
      const TZYNFunction& t = *library.GetFunction(i);
      for (const TScriptProblem& p : CheckScript(t, t.Script))
        ADD_FAILURE() << file << " " << t.Info.FunctionName << ": " << ScriptProblemText(p);
    }
  }
}

}  // namespace
}  // namespace zyn
