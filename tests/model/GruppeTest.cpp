#include "model/Gruppe.h"

#include "ModelTestSupport.h"
#include "model/LinkMaintenance.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::TTestProject;
using test::TTestStm;

// Control module 0 with an output module AUS (class 2, address 3, two outputs with command list
// "Relais") and a dimmer DIM (class 5, address 3, one output with "Dimmer"); group 4 holds both
// relay outputs and the dimmer output.
class Groups : public ::testing::Test {
 protected:
  void SetUp() override {
    stm = &project.AddStm(0, "stm0");
    relay = AddModul("aus", "AUS", bcAusgangsModule, 3, {"r0", "r1"}, "Relais");
    dimmer = AddModul("dim", "DIM", bcDimmerModule, 3, {"d0"}, "Dimmer");
    auto g = std::make_unique<TGruppe>();
    g->SetInternalName("g4");
    g->SetAdresse(4);
    group = stm->Gruppen.Add(std::move(g));
    AddMember("m1", "aus", "r0", "AUS.03.00");
    AddMember("m2", "aus", "r1", "AUS.03.01");
    AddMember("m3", "dim", "d0", "DIM.03.00");
  }

  TModul* AddModul(const std::string& name, const std::string& code, int baseClass, int address,
                   const std::vector<std::string>& outputs, const std::string& commands) {
    auto m = std::make_unique<TModul>();
    m->SetInternalName(name);
    m->ModulKennung = code;
    m->BasisKlasse = baseClass;
    m->AusShift = baseClass;
    m->SetAdresse(address);
    for (size_t i = 0; i < outputs.size(); ++i) {
      auto out = std::make_unique<TAusgang>();
      out->SetInternalName(outputs[i]);
      out->SetAdresse(static_cast<int>(i));
      out->BefehlsListe = commands;
      m->Ausgaenge().Add(std::move(out));
    }
    return stm->Module.Add(std::move(m));
  }

  void AddMember(const std::string& name, const std::string& modul, const std::string& kanal,
                 const std::string& address) {
    auto member = std::make_unique<TGruppenObjekt>();
    member->SetInternalName(name);
    member->Steuermodul = "stm0";
    member->Modul = modul;
    member->Kanal = kanal;
    member->AdressString = address;
    group->Members().Add(std::move(member));
  }

  std::unique_ptr<TVerbindung> GroupLink() {
    auto link = std::make_unique<TVerbindung>(false);
    link->Source().SetFunctionNumber(2);
    link->Source().SetModulKennung("TAS");
    link->Target().SetObjType(kObjGruppe);
    link->Target().SetKanalNummer(4);
    link->Target().SetModulKennung("GRP");
    link->Target().SetFunctionNumber(9);
    link->SetTargetParamWord(77);
    return link;
  }

  TTestProject project;
  TTestStm* stm = nullptr;
  TModul* relay = nullptr;
  TModul* dimmer = nullptr;
  TGruppe* group = nullptr;
};

TEST_F(Groups, CommonCommandListAndAcceptance) {
  EXPECT_EQ(group->GetCommonBefehlsListe(project), "Befehlsliste Gruppen");  // two different lists
  group->Members().Remove(group->GetGruppenObjekt(2));
  EXPECT_EQ(group->GetCommonBefehlsListe(project), "Relais");
  TAusgang relayOutput;
  relayOutput.BefehlsListe = "Relais";
  TAusgang dimmerOutput;
  dimmerOutput.BefehlsListe = "Dimmer";
  EXPECT_TRUE(group->AcceptsKanal(project, relayOutput));
  EXPECT_FALSE(group->AcceptsKanal(project, dimmerOutput));
  group->ClearMembers();
  EXPECT_EQ(group->GetCommonBefehlsListe(project), "Befehlsliste Gruppen");
  EXPECT_TRUE(group->AcceptsKanal(project, dimmerOutput));
  AddMember("lost", "nicht da", "r0", "");
  EXPECT_FALSE(group->AcceptsKanal(project, relayOutput));
}

TEST_F(Groups, ExpandedMemberLinksAreGeneratedAndAimedAtTheMembers) {
  TEingang input;
  input.Verbindungen().Add(GroupLink());
  auto other = std::make_unique<TVerbindung>();
  other->Source().SetFunctionNumber(3);
  input.Verbindungen().Add(std::move(other));
  int calls = 0;
  input.ExpandGroupLinks(project, [&](int phase, TVerbindung* l) {
    EXPECT_EQ(phase, 2);
    EXPECT_EQ(l->Target().ObjType(), kObjGruppe);
    ++calls;
  });
  EXPECT_EQ(calls, 3);
  ASSERT_EQ(input.Verbindungen().Count(), 5);
  // The member links follow the group link, before the link of event 3.
  EXPECT_EQ(input.Verbindungen().GetVerbindung(4)->Source().FunctionNumber(), 3);
  const struct {
    int type, addr, channel, shift;
    const char* code;
  } expected[] = {{2, 3, 0, 2, "AUS"}, {2, 3, 1, 2, "AUS"}, {5, 3, 0, 5, "DIM"}};
  for (int i = 0; i < 3; ++i) {
    TVerbindung* l = input.Verbindungen().GetVerbindung(i + 1);
    EXPECT_EQ(l->Generated(), 1) << i;
    EXPECT_EQ(l->Target().ObjType(), expected[i].type);
    EXPECT_EQ(l->Target().ModulAdresse(), expected[i].addr);
    EXPECT_EQ(l->Target().KanalNummer(), expected[i].channel);
    EXPECT_EQ(l->Target().Shift(), expected[i].shift);
    EXPECT_EQ(l->Target().ModulKennung(), expected[i].code);
    EXPECT_EQ(l->Target().FunctionNumber(), 9);
    EXPECT_EQ(l->TargetParam(), 77);
  }
  // The clean-up after compiling takes exactly the member links away again.
  EXPECT_EQ(input.Verbindungen().DeleteGeneratedLinks(), 3);
  EXPECT_EQ(input.Verbindungen().Count(), 2);
}

TEST_F(Groups, ExpansionSkipsOtherGroupsAndLostMembers) {
  AddMember("lost", "aus", "nicht da", "");
  TEingang input;
  auto link = GroupLink();
  link->Target().SetKanalNummer(5);  // no group 5
  input.Verbindungen().Add(std::move(link));
  input.Verbindungen().Add(GroupLink());
  input.ExpandGroupLinks(project);
  EXPECT_EQ(input.Verbindungen().Count(), 2 + 3);
}

TEST_F(Groups, MemberAddressesFollowTheirModuleOnly) {
  // The dimmer sits at the same address in another base class and stays as it is.
  RenumberInLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 3), 3, 9);
  EXPECT_EQ(group->GetGruppenObjekt(0)->AdressString, "AUS.09.00");
  EXPECT_EQ(group->GetGruppenObjekt(1)->AdressString, "AUS.09.01");
  EXPECT_EQ(group->GetGruppenObjekt(2)->AdressString, "DIM.03.00");
}

TEST_F(Groups, MembersOnADeletedModuleGo) {
  RemoveModulFromLinks(stm->Lists(), project, 0, bcAusgangsModule, LogicTypeOfModul(2, 3), 3);
  ASSERT_EQ(group->Members().Count(), 1);
  EXPECT_EQ(group->GetGruppenObjekt(0)->InternalName(), "m3");
  RemoveModulFromLinks(stm->Lists(), project, 1, bcDimmerModule, LogicTypeOfModul(5, 3), 3);  // other STM
  EXPECT_EQ(group->Members().Count(), 1);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

TEST_F(Groups, AFlagMemberIsAddressedByItsNumber) {
  auto flag = std::make_unique<TMerker>();
  flag->SetInternalName("flag");
  flag->SetAdresse(12);
  stm->Merker.Add(std::move(flag));
  group->ClearMembers();
  AddMember("mf", "", "flag", "");
  TEingang input;
  input.Verbindungen().Add(GroupLink());
  input.ExpandGroupLinks(project);
  ASSERT_EQ(input.Verbindungen().Count(), 2);
  TVerbindung* link = input.Verbindungen().GetVerbindung(1);
  EXPECT_EQ(link->Target().ObjType(), kObjMerker);
  EXPECT_EQ(link->Target().KanalNummer(), 12);
  EXPECT_EQ(link->Target().ModulAdresse(), 0);
  EXPECT_EQ(link->Target().ModulKennung(), "MRK");
}

}  // namespace
}  // namespace zyn
