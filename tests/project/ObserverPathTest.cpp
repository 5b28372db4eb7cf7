// Deletions and renumberings reach the links, groups and tools through the model observers, as
// the programme attaches them at start (InitGlobals, AttachObservers, HookObserverReactions), and
// the objects are changed as the object pages change them: on an edit copy that the live list
// takes back with MergeFrom.

#include "model/ObjektListen.h"
#include "model/Observer.h"
#include "project/Global.h"
#include "tests/project/ProjectFixture.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

namespace fs = std::filesystem;

void SetModulEnd(TLinkEndpoint e, const TModul& m, int kanal, int fn) {
  e.SetObjType(m.BasisKlasse);
  e.SetStmNummer(0);
  e.SetModulKennung(m.ModulKennung);
  e.SetModulAdresse(m.Adresse());
  e.SetKanalNummer(kanal);
  e.SetShift(m.AusShift);
  e.SetFunctionNumber(fn);
}

void SetFlagEnd(TLinkEndpoint e, int flag, int fn) {
  e.SetObjType(kObjMerker);
  e.SetStmNummer(0);
  e.SetModulKennung("MRK");
  e.SetModulAdresse(0);
  e.SetKanalNummer(flag);
  e.SetFunctionNumber(fn);
}

// Control module 0 with an input module (address 0), two switching output modules of one class
// at addresses 0 and 1, flags 3, 7 and 9, and a group whose first member is an output of the
// module at address 0 and whose second is an output of the module at address 1.
class ObserverPath : public ::testing::Test {
 protected:
  void SetUp() override {
    TGlobalSetup setup;
    setup.ProgramPath = (fs::path(folder.Dir()) / "zyn").string();
    setup.DefaultSystemData = test::BuiltSystemData();
    setup.OnMessage = [](const std::string&, TStartMessageButton) {};
    InitGlobals(setup);
    GProjekt = std::make_unique<TZYNProjekt>();
    GProjekt->BasisDaten = GBasisDaten.get();
    auto stm = std::make_unique<TSteuermodul>();
    stm->AssignNewName(*GUniqueNames);
    s = GProjekt->Steuermodule.Add(std::move(stm));
    in = AddModul(0);
    outA = AddModul(2);
    outB = AddModul(2);
    ASSERT_EQ(outB->Adresse(), 1);
    for (int f : {3, 7, 9}) {
      auto m = std::make_unique<TMerker>();
      m->AssignNewName(*GUniqueNames);
      m->SetAdresse(f);
      m->SetDisplayName("Merker " + std::to_string(f));
      flags[f] = s->Merker.Add(std::move(m));
    }
    auto g = std::make_unique<TGruppe>();
    g->AssignNewName(*GUniqueNames);
    g->SetAdresse(0);
    gruppe = s->Gruppen.Add(std::move(g));
    AddMember(*outA, 0);
    AddMember(*outB, 1);
    // As the programme does when a project becomes the open one.
    AttachObservers();
    HookObserverReactions();
  }
  void TearDown() override {
    DetachObservers();
    GProjekt.reset();
    FreeGlobals();
  }

  TModul* AddModul(int baseClass) {
    const TModulClass* cls = nullptr;
    for (int i = 0; i < GBasisDaten->Katalog.Count() && cls == nullptr; ++i) {
      const TModulClass* c = GBasisDaten->Katalog.GetClass(i);
      if (c->BaseClass == baseClass && (baseClass == 0 ? c->EinCount >= 4 : c->AusCount >= 4)) cls = c;
    }
    EXPECT_NE(cls, nullptr);
    auto m = std::make_unique<TModul>();
    m->AssignNewName(*GUniqueNames);
    m->InitFromClass(*cls, *GUniqueNames);
    m->SetAdresse(s->Module.AllocAddress(baseClass));
    return s->Module.Add(std::move(m));
  }
  void AddMember(const TModul& m, int channel) {
    const TAusgang& out = *m.Ausgaenge().GetItem(channel);
    auto member = std::make_unique<TGruppenObjekt>();
    member->AssignNewName(*GUniqueNames);
    member->Steuermodul = s->InternalName();
    member->Modul = m.InternalName();
    member->Kanal = out.InternalName();
    member->AdressString = m.ModulKennung + ".0" + std::to_string(m.Adresse()) + ".0" + std::to_string(channel);
    gruppe->Members().Add(std::move(member));
  }
  // A link from input `event` of the input module; `fill` sets target, else target, conditions.
  template <class F>
  TVerbindung* Link(TKanal& from, F fill) {
    auto link = std::make_unique<TVerbindung>();
    fill(*link);
    TVerbindung* raw = link.get();
    from.Verbindungen().Add(std::move(link));
    return raw;
  }
  TEingang& Input(int k) { return *in->Eingaenge().GetItem(k); }

  test::TempFolder folder{"observer_path"};
  TSteuermodul* s = nullptr;
  TModul *in = nullptr, *outA = nullptr, *outB = nullptr;
  std::map<int, TMerker*> flags;
  TGruppe* gruppe = nullptr;
};

// The module page deletes the module that holds the group's first member: the member leaves the
// group (the printout and the group page show no ghost), the links to the module go, and the
// group takes further channels of the remaining member's kind.
TEST_F(ObserverPath, DeletingTheModuleOfAGroupsFirstMemberLetsTheGroupTakeOtherChannels) {
  Link(Input(0), [&](TVerbindung& l) {
    SetModulEnd(l.Source(), *in, 0, 1);
    SetModulEnd(l.Target(), *outA, 2, 1);
  });
  const std::string gone = outA->InternalName();
  TModulListe copy;
  copy.CopyFrom(s->Module);
  copy.Remove(copy.FindByInternalName(gone));
  s->Module.MergeFrom(copy, GModulObserver.get());

  EXPECT_EQ(s->Module.FindByInternalName(gone), nullptr);
  ASSERT_EQ(gruppe->Members().Count(), 1);
  EXPECT_EQ(gruppe->Members().GetGruppenObjekt(0)->Modul, outB->InternalName());
  EXPECT_EQ(Input(0).Verbindungen().Count(), 0);
  // Another channel of the remaining member's module is taken.
  EXPECT_TRUE(gruppe->AcceptsKanal(*GProjekt, *outB->Ausgaenge().GetItem(2)));
}

// The flag page swaps flags 3 and 7 and moves flag 9 to 11 in one edit: every link end, every
// condition and the flags' own links follow their flag, none lands on another.
TEST_F(ObserverPath, FlagsSwappedAndMovedInOneMergeKeepEveryLinkOnItsFlag) {
  TVerbindung* toThree = Link(Input(0), [&](TVerbindung& l) {
    SetModulEnd(l.Source(), *in, 0, 1);
    SetFlagEnd(l.Target(), 3, 1);
  });
  TVerbindung* toSevenElseNine = Link(Input(1), [&](TVerbindung& l) {
    l.SetKind(2);
    SetModulEnd(l.Source(), *in, 1, 1);
    SetFlagEnd(l.Target(), 7, 1);
    SetFlagEnd(l.ElseTarget(), 9, 0);
    TLogicEntry e = l.Logic(0);
    e.SetLogicType(kObjMerker);
    e.SetStmNummer(0);
    e.SetKanalNummer(3);
    e.SetLogicState(1);
    e.SetLogicCode("MRK");
  });
  TVerbindung* fromSeven = Link(*flags[7], [&](TVerbindung& l) {
    SetFlagEnd(l.Source(), 7, 1);
    SetModulEnd(l.Target(), *outB, 0, 1);
  });

  TMerkerListe copy;
  copy.CopyFrom(s->Merker);
  copy.FindByInternalName(flags[3]->InternalName())->SetAdresse(7);
  copy.FindByInternalName(flags[7]->InternalName())->SetAdresse(3);
  copy.ChangeAddress(copy.FindByInternalName(flags[9]->InternalName()), 11);
  s->Merker.MergeFrom(copy, GMerkerObserver.get());

  EXPECT_EQ(flags[3]->Adresse(), 7);
  EXPECT_EQ(flags[7]->Adresse(), 3);
  EXPECT_EQ(flags[9]->Adresse(), 11);
  EXPECT_EQ(toThree->Target().KanalNummer(), 7);
  EXPECT_EQ(toSevenElseNine->Target().KanalNummer(), 3);
  EXPECT_EQ(toSevenElseNine->ElseTarget().KanalNummer(), 11);
  EXPECT_EQ(toSevenElseNine->Logic(0).KanalNummer(), 7);
  EXPECT_EQ(fromSeven->Source().KanalNummer(), 3);
  // Unchanged: the module ends.
  EXPECT_EQ(toThree->Source().ModulAdresse(), 0);
  EXPECT_EQ(fromSeven->Target().ModulAdresse(), 1);
}

// The module page swaps the addresses of the two output modules: links and group members move
// with their module.
TEST_F(ObserverPath, ModulesSwappedInOneMergeKeepTheirLinksAndGroupAddresses) {
  TVerbindung* toA = Link(Input(0), [&](TVerbindung& l) {
    SetModulEnd(l.Source(), *in, 0, 1);
    SetModulEnd(l.Target(), *outA, 2, 1);
  });
  TVerbindung* toB = Link(Input(1), [&](TVerbindung& l) {
    SetModulEnd(l.Source(), *in, 1, 1);
    SetModulEnd(l.Target(), *outB, 3, 1);
  });
  TModulListe copy;
  copy.CopyFrom(s->Module);
  copy.FindByInternalName(outA->InternalName())->SetAdresse(1);
  copy.FindByInternalName(outB->InternalName())->SetAdresse(0);
  s->Module.MergeFrom(copy, GModulObserver.get());

  EXPECT_EQ(outA->Adresse(), 1);
  EXPECT_EQ(toA->Target().ModulAdresse(), 1);
  EXPECT_EQ(toB->Target().ModulAdresse(), 0);
  EXPECT_EQ(toA->Source().ModulAdresse(), 0);  // the input module stays
  EXPECT_EQ(gruppe->Members().GetGruppenObjekt(0)->AdressString, outA->ModulKennung + ".01.00");
  EXPECT_EQ(gruppe->Members().GetGruppenObjekt(1)->AdressString, outB->ModulKennung + ".00.01");
}

}  // namespace
}  // namespace zyn
