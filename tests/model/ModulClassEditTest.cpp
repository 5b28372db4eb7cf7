// The module-class editor's rules: the descriptions shown per channel kind and the checks of a
// class's data and of one description.

#include "model/ModulClassEdit.h"

#include "model/EABeschreibung.h"
#include "model/ModulClassList.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(ModulClassEdit, MissingDescriptionsAreMadeWithTheirChannelNumbers) {
  TModulClass c;
  c.EinCount = 4;
  c.AusCount = 2;
  EXPECT_EQ(CompleteDescriptions(c, TChannelKind::Eingang), 4);
  EXPECT_EQ(CompleteDescriptions(c, TChannelKind::Ausgang), 2);
  EXPECT_EQ(CompleteDescriptions(c, TChannelKind::Rueckmeldung), 0);
  std::vector<int> in, out;
  for (int i = 0; i < c.Eingaenge.Count(); ++i) in.push_back(c.Eingaenge.Get(i)->KanalNummer);
  for (int i = 0; i < c.Ausgaenge.Count(); ++i) out.push_back(c.Ausgaenge.Get(i)->KanalNummer);
  EXPECT_EQ(in, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(out, (std::vector<int>{1, 2}));
  EXPECT_EQ(c.Eingaenge.Get(0)->DefaultText, "EA-Default Text");
  EXPECT_EQ(c.Eingaenge.Get(0)->Funktionen, "");
  // Fewer channels: the descriptions beyond the count stay; more: only the missing are added.
  c.EinCount = 2;
  EXPECT_EQ(CompleteDescriptions(c, TChannelKind::Eingang), 0);
  EXPECT_EQ(c.Eingaenge.Count(), 4);
  c.EinCount = 5;
  EXPECT_EQ(CompleteDescriptions(c, TChannelKind::Eingang), 1);
  EXPECT_EQ(c.Eingaenge.Get(4)->KanalNummer, 4);
  ChannelShift(c, TChannelKind::Rueckmeldung) = 7;
  EXPECT_EQ(c.RMEShift, 7);
}

TEST(ModulClassEdit, ClassDataAreCheckedBeforeTheyAreStored) {
  TModulClassList list;
  TModulClass* a = list.Add(std::make_unique<TModulClass>());
  a->InternalName = "INPUT 8";
  TModulClass* b = list.Add(std::make_unique<TModulClass>());
  b->InternalName = "OUTPUT 8";
  const TClassEdit good = ClassEditFrom(*b);
  EXPECT_EQ(CheckClassEdit(list, b, good), "");
  struct Case {
    const char* what;
    std::function<void(TClassEdit&)> change;
  } cases[] = {
      {"leerer Name", [](TClassEdit& e) { e.InternalName = " "; }},
      {"Name einer anderen Klasse, andere Schreibung", [](TClassEdit& e) { e.InternalName = "input 8"; }},
      {"Basisklasse 9", [](TClassEdit& e) { e.BaseClass = 9; }},
      {"Basisklasse -1", [](TClassEdit& e) { e.BaseClass = -1; }},
      {"negative Anzahl", [](TClassEdit& e) { e.AusCount = -1; }},
      {"zu viele Kanäle", [](TClassEdit& e) { e.EinCount = kMaxChannelCount + 1; }},
      {"Maximalanzahl zu groß", [](TClassEdit& e) { e.LimitCount = kMaxModuleCount + 1; }},
      {"zu langer Text", [](TClassEdit& e) { e.DisplayName = std::string(256, 'x'); }},
  };
  for (const Case& c : cases) {
    TClassEdit e = good;
    c.change(e);
    EXPECT_NE(CheckClassEdit(list, b, e), "") << c.what;
  }
  TClassEdit rename = good;
  rename.InternalName = "output 8";  // its own name in other case
  rename.EinCount = 3;
  ASSERT_EQ(CheckClassEdit(list, b, rename), "");
  ApplyClassEdit(*b, rename);
  EXPECT_EQ(b->InternalName, "output 8");
  EXPECT_EQ(b->EinCount, 3);

  EXPECT_EQ(CheckDescription(0, "Taste 1", "Eingangsfunktionen"), "");
  EXPECT_NE(CheckDescription(-1, "Taste 1", ""), "");
  EXPECT_NE(CheckDescription(0, "  ", ""), "");
  EXPECT_NE(CheckDescription(0, "T", std::string(256, 'x')), "");

  ASSERT_TRUE(list.Move(1, 0));
  EXPECT_EQ(list.GetClass(0), b);
  EXPECT_EQ(list.IndexOf(a), 1);
  EXPECT_FALSE(list.Move(0, 2));
}

}  // namespace
}  // namespace zyn
