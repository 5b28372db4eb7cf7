#include "model/LinkMaintenance.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace zyn {
namespace {

using test::TTestProject;
using test::TTestStm;

struct Snapshot {
  TVerbindung::THeader header;
  TVerbindung::TLogicTable logic;
  TLinkEndpoint Target() { return TLinkEndpoint(header.data() + 103); }
  TLinkEndpoint Else() { return TLinkEndpoint(header.data() + 208); }
  TLogicEntry Logic(int i) { return TLogicEntry(logic.data() + i * kLogicEntrySize); }
};

void SetEndpoint(TLinkEndpoint e, int type, int stm, const std::string& code, int addr, int channel, int command) {
  e.SetObjType(type);
  e.SetStmNummer(stm);
  e.SetModulKennung(code);
  e.SetModulAdresse(addr);
  e.SetKanalNummer(channel);
  e.SetFunctionNumber(command);
  e.SetFunctionText("Befehl");
  e.SetShift(type < 8 ? 5 : 0);
}

void SetCondition(TVerbindung& link, int index, int type, int stm, int addr, int channel, const std::string& code) {
  TLogicEntry e = link.Logic(index);
  e.SetLogicType(type);
  e.SetStmNummer(stm);
  e.SetModulAdresse(addr);
  e.SetKanalNummer(channel);
  e.SetLogicState(1);
  e.SetLogicCode(code);
  e.SetLogicChannelName("name");
}

// Control module 0 with an input module TAS (class 0, address 1), an output module AUS (class 2,
// address 4), flags 3 and 7, clock 2, text 5 and group 4; the links start at the first input.
class LinkMaintenance : public ::testing::Test {
 protected:
  void SetUp() override {
    stm = &project.AddStm(0, "stm0");
    project.AddStm(1, "stm1");
    auto tas = std::make_unique<TModul>();
    tas->SetInternalName("tas");
    tas->ModulKennung = "TAS";
    tas->SetAdresse(1);
    auto input = std::make_unique<TEingang>();
    input->SetInternalName("in0");
    source = tas->Eingaenge().Add(std::move(input));
    stm->Module.Add(std::move(tas));
    auto aus = std::make_unique<TModul>();
    aus->SetInternalName("aus");
    aus->ModulKennung = "AUS";
    aus->BasisKlasse = bcAusgangsModule;
    aus->AusShift = 3;
    aus->SetAdresse(4);
    for (int i = 0; i < 4; ++i) {
      auto out = std::make_unique<TAusgang>();
      out->SetInternalName("out" + std::to_string(i));
      out->SetAdresse(i);
      aus->Ausgaenge().Add(std::move(out));
    }
    stm->Module.Add(std::move(aus));

    Add("L1", 0, [](TVerbindung& l) { SetEndpoint(l.Target(), 2, 0, "AUS", 4, 4, 1); });
    Add("L2", 0, [](TVerbindung& l) { SetEndpoint(l.Target(), kObjMerker, 0, "MRK", 0, 7, 0); });
    Add("L3", 0, [](TVerbindung& l) { SetEndpoint(l.Target(), kObjAnzeigetext, 0, "TXT", 0, 5, 0); });
    Add("L4", 0, [](TVerbindung& l) { SetEndpoint(l.Target(), kObjGruppe, 0, "GRP", 0, 4, 0); });
    Add("L5", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), 2, 0, "AUS", 4, 1, 1);
      SetCondition(l, 0, kObjMerker, 0, 0, 7, "MRK");
    });
    Add("L6", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), 2, 0, "AUS", 4, 2, 1);
      SetCondition(l, 0, kObjUhr, 0, 0, 2, "UHR");
    });
    Add("L7", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), kObjMerker, 0, "MRK", 0, 9, 0);
      SetCondition(l, 0, kObjMerker, 0, 0, 3, "MRK");
      SetCondition(l, 1, 19, 0, 4, 0, "AUS");
    });
    Add("L8", 2, [](TVerbindung& l) {
      SetEndpoint(l.Target(), 2, 0, "AUS", 4, 3, 1);
      SetEndpoint(l.ElseTarget(), kObjMerker, 0, "MRK", 0, 7, 1);
      SetCondition(l, 0, kObjMerker, 0, 0, 3, "MRK");
    });
    Add("L9", 2, [](TVerbindung& l) {
      SetEndpoint(l.Target(), kObjAnzeigetext, 0, "TXT", 0, 5, 0);
      SetEndpoint(l.ElseTarget(), kObjGruppe, 0, "GRP", 0, 4, 0);
      SetCondition(l, 50, kObjMerker, 0, 0, 3, "MRK");  // the last of the 51 entries
    });
    Add("L10", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), 2, 0, "AUS", 4, 0, 1);
      SetCondition(l, 0, 1, 0, 1, 0, "TAS");
    });
    Add("L11", 0, [](TVerbindung& l) { SetEndpoint(l.Target(), kObjMerker, 1, "MRK", 0, 3, 0); });
    Add("L12", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), kObjMerker, 0, "MRK", 0, 3, 0);
      SetCondition(l, 0, 5, 0, 4, 0, "AUS");
    });
    Add("L13", 2, [](TVerbindung& l) {
      SetEndpoint(l.Target(), kObjAnzeigetext, 0, "TXT", 0, 6, 0);
      SetEndpoint(l.ElseTarget(), 2, 0, "AUS", 4, 2, 0);
      SetCondition(l, 0, kObjMerker, 1, 0, 3, "MRK");
    });
    Add("L14", 1, [](TVerbindung& l) {
      SetEndpoint(l.Target(), kObjMerker, 0, "MRK", 0, 8, 0);
      SetCondition(l, 0, kObjMerker, 1, 0, 3, "MRK");
    });
    for (int i = 0; i < source->Verbindungen().Count(); ++i) {
      TVerbindung* l = source->Verbindungen().GetVerbindung(i);
      expected[l->InternalName] = Snapshot{l->Header(), l->LogicTable()};
    }
  }

  template <class F>
  void Add(const std::string& id, int kind, F fill) {
    auto link = std::make_unique<TVerbindung>();
    link->InternalName = id;
    link->SetKind(kind);
    SetEndpoint(link->Source(), 0, 0, "TAS", 1, 0, 2);
    fill(*link);
    source->Verbindungen().Add(std::move(link));
  }

  // Every remaining link must have the expected bytes, and exactly the expected links remain.
  void ExpectLinks() {
    std::map<std::string, bool> seen;
    for (int i = 0; i < source->Verbindungen().Count(); ++i) {
      TVerbindung* l = source->Verbindungen().GetVerbindung(i);
      ASSERT_TRUE(expected.count(l->InternalName)) << l->InternalName << " should be gone";
      Snapshot& e = expected[l->InternalName];
      EXPECT_EQ(l->Header(), e.header) << l->InternalName;
      EXPECT_EQ(l->LogicTable(), e.logic) << l->InternalName;
      seen[l->InternalName] = true;
    }
    for (const auto& [id, snapshot] : expected) EXPECT_TRUE(seen[id]) << id << " should stay";
  }

  // Orders the conditions as the packing of a logic link does.
  void Sorted(const std::string& id) {
    TVerbindung scratch;
    scratch.LogicTable() = expected[id].logic;
    scratch.SortLogic();
    expected[id].logic = scratch.LogicTable();
  }

  TTestProject project;
  TTestStm* stm = nullptr;
  TEingang* source = nullptr;
  std::map<std::string, Snapshot> expected;
};

TEST_F(LinkMaintenance, FlagDeleted) {
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjMerker, 7), 2);
  expected.erase("L2");                 // target flag 7
  expected["L5"].Logic(0).Clear();      // its only condition goes; no equal link: it stays
  expected["L8"].Else().SetObjType(0);  // else target flag 7 is dropped: kind 1
  expected["L8"].Else().SetModulAdresse(0);
  expected["L8"].Else().SetKanalNummer(0);
  expected["L8"].Else().SetFunctionNumber(0);
  expected["L8"].Else().Bytes()[2] = 0;
  expected["L8"].Else().Bytes()[6] = 0;
  expected["L8"].header[0] = 1;
  Sorted("L7");  // every logic link with conditions is packed
  Sorted("L9");
  ExpectLinks();
}

TEST_F(LinkMaintenance, FlagDeletedRemovesALinkLeftEqualToAnother) {
  Add("L5twin", 1, [](TVerbindung& l) { SetEndpoint(l.Target(), 2, 0, "AUS", 4, 1, 1); });
  TVerbindung* twin = source->Verbindungen().GetVerbindung(source->Verbindungen().Count() - 1);
  expected["L5twin"] = Snapshot{twin->Header(), twin->LogicTable()};
  ObjectDeletedFromLinks(stm->Lists(), 0, kObjMerker, 7);
  // L5 lost its only condition and now equals L5twin: it is deleted.
  bool l5 = false;
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    if (source->Verbindungen().GetVerbindung(i)->InternalName == "L5") l5 = true;
  }
  EXPECT_FALSE(l5);
}

TEST_F(LinkMaintenance, ClockDeleted) {
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjUhr, 2), 1);
  expected.erase("L6");  // left without conditions: deleted
  Sorted("L7");
  Sorted("L9");
  ExpectLinks();
}

TEST_F(LinkMaintenance, ClockDeletedKeepsLogicLinksThatHadNoConditions) {
  // L1 is a logic link with no condition: it has nothing to do with the clock, so it stays, as
  // it does when a flag is deleted.
  source->Verbindungen().GetVerbindung(0)->SetKind(1);
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjUhr, 99), 0);
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjMerker, 99), 0);
  bool l1 = false;
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    l1 = l1 || source->Verbindungen().GetVerbindung(i)->InternalName == "L1";
  }
  EXPECT_TRUE(l1);
  // The clock of L6 goes: L6 lost its last condition through this deletion and is deleted.
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjUhr, 2), 1);
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    EXPECT_NE(source->Verbindungen().GetVerbindung(i)->InternalName, "L6");
  }
}

TEST_F(LinkMaintenance, TextDeleted) {
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjAnzeigetext, 5), 2);
  expected.erase("L3");
  expected.erase("L9");
  ExpectLinks();
}

TEST_F(LinkMaintenance, GroupDeletedSparesLinksThatOnlyShareItsNumber) {
  EXPECT_EQ(ObjectDeletedFromLinks(stm->Lists(), 0, kObjGruppe, 4), 2);
  expected.erase("L4");
  expected.erase("L9");  // else target group 4
  ExpectLinks();         // L1 targets channel 4 of a module: kept
}

TEST_F(LinkMaintenance, ModuleDeleted) {
  const int t = LogicTypeOfModul(bcAusgangsModule, 4);
  EXPECT_EQ(t, 5);
  EXPECT_EQ(RemoveModulFromLinks(stm->Lists(), project, 0, bcAusgangsModule, t, 4), 7);
  for (const char* id : {"L1", "L5", "L6", "L8", "L10"}) expected.erase(id);  // targets on the module
  expected["L7"].Logic(1).Clear();  // output condition (type 19) goes, the flag stays
  Sorted("L7");
  expected["L12"].Logic(0).Clear();      // input-type condition (type 5) goes
  expected["L12"].header[0] = 0;         // no condition left, no equal link: a plain link
  expected["L13"].Else().SetObjType(0);  // else target on the module dropped
  expected["L13"].Else().SetModulAdresse(0);
  expected["L13"].Else().SetKanalNummer(0);
  expected["L13"].Else().SetShift(0);
  expected["L13"].Else().Bytes()[2] = 0;
  expected["L13"].Else().Bytes()[6] = 0;
  expected["L13"].header[0] = 1;
  Sorted("L9");
  ExpectLinks();
}

TEST_F(LinkMaintenance, ModuleRenumbered) {
  const int t = LogicTypeOfModul(bcAusgangsModule, 4);
  RenumberInLinks(stm->Lists(), project, 0, bcAusgangsModule, t, 4, 6);
  for (const char* id : {"L1", "L5", "L6", "L8", "L10"}) expected[id].Target().SetModulAdresse(6);
  expected["L13"].Else().SetModulAdresse(6);
  expected["L7"].Logic(1).SetModulAdresse(6);   // output condition, type 19
  expected["L12"].Logic(0).SetModulAdresse(6);  // input-type condition, type 5
  ExpectLinks();
}

TEST_F(LinkMaintenance, ModuleMovingAcrossAddress15KeepsItsConditionsFindable) {
  RenumberInLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 4), 4, 20);
  TVerbindung* l12 = nullptr;
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    if (source->Verbindungen().GetVerbindung(i)->InternalName == "L12") l12 = source->Verbindungen().GetVerbindung(i);
  }
  ASSERT_NE(l12, nullptr);
  EXPECT_EQ(l12->Logic(0).ModulAdresse(), 20);
  EXPECT_EQ(l12->Logic(0).LogicType(), 6);  // 2 x 2 + 1, plus 1 above address 15
  // Moving back below 16 returns to type 5.
  RenumberInLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 20), 20, 7);
  EXPECT_EQ(l12->Logic(0).LogicType(), 5);
  RenumberInLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 7), 7, 20);
  // Deleting the module at its new address finds the condition by the type of that address.
  RemoveModulFromLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 20), 20);
  EXPECT_EQ(l12->GetLogicCount(), 0);
  EXPECT_EQ(l12->Kind(), 0);
}

TEST_F(LinkMaintenance, FlagRenumberedOnlyInItsControlModule) {
  RenumberInLinks(stm->Lists(), project, 0, kObjMerker, kObjMerker, 3, 9);
  expected["L7"].Logic(0).SetKanalNummer(9);
  expected["L8"].Logic(0).SetKanalNummer(9);
  expected["L9"].Logic(50).SetKanalNummer(9);
  expected["L12"].Target().SetKanalNummer(9);
  ExpectLinks();  // L11, L13 and L14 name flag 3 of control module 1: unchanged
}

// Several flags renumbered together (an accepted flag page): 3 and 7 swap, 9 moves to 11. Every
// reference is rewritten once by its number before the change, so no link of flag 3 ends up on
// flag 3 again by way of 7.
TEST_F(LinkMaintenance, FlagsSwappedAndMovedInOneMap) {
  const TRenumberMap map = {{kObjMerker, 3, 7, nullptr}, {kObjMerker, 7, 3, nullptr}, {kObjMerker, 9, 11, nullptr}};
  RenumberInLinks(stm->Lists(), project, 0, kObjMerker, map);
  for (const char* id : {"L7", "L8"}) expected[id].Logic(0).SetKanalNummer(7);
  expected["L9"].Logic(50).SetKanalNummer(7);
  expected["L12"].Target().SetKanalNummer(7);
  expected["L2"].Target().SetKanalNummer(3);
  expected["L5"].Logic(0).SetKanalNummer(3);
  expected["L8"].Else().SetKanalNummer(3);
  expected["L7"].Target().SetKanalNummer(11);
  ExpectLinks();  // control module 1's flag 3 (L11, L13, L14) and flag 8 (L14) unchanged
}

TEST_F(LinkMaintenance, TextAndGroupRenumbered) {
  RenumberInLinks(stm->Lists(), project, 0, kObjAnzeigetext, kObjAnzeigetext, 5, 6);
  RenumberInLinks(stm->Lists(), project, 0, kObjGruppe, kObjGruppe, 4, 8);
  expected["L3"].Target().SetKanalNummer(6);
  expected["L9"].Target().SetKanalNummer(6);
  expected["L4"].Target().SetKanalNummer(8);
  expected["L9"].Else().SetKanalNummer(8);
  ExpectLinks();
  // The key texts follow the new numbers.
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    TVerbindung* l = source->Verbindungen().GetVerbindung(i);
    EXPECT_EQ(source->Verbindungen().Key(i), AnsiUpperCase(l->GetDisplayText()));
  }
}

TEST_F(LinkMaintenance, GeneratedLinksAndSingleLinksAreRemoved) {
  source->Verbindungen().GetVerbindung(2)->SetGenerated(true);
  const std::string generated = source->Verbindungen().GetVerbindung(2)->InternalName;
  EXPECT_EQ(DeleteGeneratedLinks(stm->Lists()), 1);
  expected.erase(generated);
  ExpectLinks();
  TVerbindung* first = source->Verbindungen().GetVerbindung(0);
  EXPECT_TRUE(ContainsLink(stm->Lists(), first));
  EXPECT_TRUE(RemoveLink(stm->Lists(), first));
  EXPECT_FALSE(ContainsLink(stm->Lists(), first));
}

TEST_F(LinkMaintenance, FindLinksCountsTargetsAndElseTargets) {
  TLinkReport report;
  // Flag 7 of control module 0: L2 (target) and L8 (else target, target in the same place).
  EXPECT_EQ(FindLinks(stm->Lists(), report, kObjMerker, 0, 0, 7), 1);
  ASSERT_EQ(report.size(), 1u);
  EXPECT_EQ(report[0].Link->InternalName, "L2");
  report.clear();
  // Else target group 4 with a target text 5: found through the else target's type and number.
  EXPECT_EQ(FindLinks(stm->Lists(), report, kObjGruppe, 0, 0, 4), 2);
}

TEST_F(LinkMaintenance, RenumberLinksOfTheControlModule) {
  RenumberLinks(stm->Lists(), 0, 3);
  TVerbindung* l13 = nullptr;
  for (int i = 0; i < source->Verbindungen().Count(); ++i) {
    TVerbindung* l = source->Verbindungen().GetVerbindung(i);
    if (l->InternalName == "L13") l13 = l;
    EXPECT_EQ(l->Source().StmNummer(), 3);
  }
  ASSERT_NE(l13, nullptr);
  EXPECT_EQ(l13->Target().StmNummer(), 3);
  EXPECT_EQ(l13->ElseTarget().StmNummer(), 3);
  EXPECT_EQ(l13->Logic(0).StmNummer(), 1);  // a condition in control module 1 stays
  TVerbindung* l1 = source->Verbindungen().GetVerbindung(0);
  EXPECT_EQ(l1->ElseTarget().StmNummer(), 0);  // no else target: nothing to renumber
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

std::unique_ptr<TVerbindung> ClockConditionLink(int stm, int clock) {
  auto link = std::make_unique<TVerbindung>();
  link->SetKind(1);
  link->Target().SetObjType(kObjUhr);
  link->Target().SetStmNummer(stm);
  link->Target().SetModulKennung("UHR");
  link->Target().SetKanalNummer(clock);
  TLogicEntry e = link->Logic(0);
  e.SetLogicType(kObjUhr);
  e.SetStmNummer(stm);
  e.SetKanalNummer(clock);
  e.SetLogicCode("UHR");
  e.SetLogicState(1);
  return link;
}

// Links start at inputs, feedback channels, flags and clocks; the maintenance visits all of them
// but leaves the links of outputs alone.
TEST(LinkMaintenanceOwners, EveryLinkOwnerButOutputsIsVisited) {
  test::TTestProject project;
  test::TTestStm& stm = project.AddStm(0, "stm0");
  auto modul = std::make_unique<TModul>();
  modul->SetInternalName("m");
  auto input = std::make_unique<TEingang>();
  input->SetInternalName("i");
  input->Verbindungen().Add(ClockConditionLink(0, 2));
  modul->Eingaenge().Add(std::move(input));
  auto feedback = std::make_unique<TRueckmeldung>();
  feedback->SetInternalName("r");
  feedback->Verbindungen().Add(ClockConditionLink(0, 2));
  modul->Rueckmeldungen().Add(std::move(feedback));
  auto output = std::make_unique<TAusgang>();
  output->SetInternalName("o");
  output->Verbindungen().Add(ClockConditionLink(0, 2));
  TAusgang* out = modul->Ausgaenge().Add(std::move(output));
  stm.Module.Add(std::move(modul));
  auto flag = std::make_unique<TMerker>();
  flag->SetInternalName("f");
  flag->Verbindungen().Add(ClockConditionLink(0, 2));
  TMerker* f = stm.Merker.Add(std::move(flag));
  auto clock = std::make_unique<TUhr>();
  clock->SetInternalName("u");
  clock->Verbindungen().Add(ClockConditionLink(0, 2));
  TUhr* u = stm.Uhren.Add(std::move(clock));

  RenumberInLinks(stm.Lists(), project, 0, kObjUhr, kObjUhr, 2, 4);
  EXPECT_EQ(f->Verbindungen().GetVerbindung(0)->Logic(0).KanalNummer(), 4);
  EXPECT_EQ(f->Verbindungen().GetVerbindung(0)->Target().KanalNummer(), 4);
  EXPECT_EQ(u->Verbindungen().GetVerbindung(0)->Logic(0).KanalNummer(), 4);
  EXPECT_EQ(stm.Module.GetModul(0)->Eingaenge().GetEingang(0)->Verbindungen().GetVerbindung(0)->Logic(0).KanalNummer(),
            4);
  EXPECT_EQ(out->Verbindungen().GetVerbindung(0)->Logic(0).KanalNummer(), 2);

  EXPECT_EQ(ObjectDeletedFromLinks(stm.Lists(), 0, kObjUhr, 4), 4);
  EXPECT_EQ(stm.Module.VerbindungsCount(), 0);
  EXPECT_EQ(stm.Merker.VerbindungsCount(), 0);
  EXPECT_EQ(stm.Uhren.VerbindungsCount(), 0);
  EXPECT_EQ(out->Verbindungen().Count(), 1);
}

}  // namespace
}  // namespace zyn
