#include "model/GlobalRoutines.h"

#include "ModelTestSupport.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(GlobalRoutines, NamesAndNumbers) {
  EXPECT_EQ(FormatObjectName("STM", 3, 2), "STM.03");
  EXPECT_EQ(FormatObjectName("MRK", 7, 3), "MRK.007");
  EXPECT_EQ(ParseNumberAfterDot("STM.03"), 3);
  EXPECT_EQ(ParseNumberAfterDot("STM"), -1);
  EXPECT_THROW(ParseNumberAfterDot("STM.x3"), EZYNError);
  EXPECT_EQ(FormatAddressItem(7, "MRK", 255), "MRK.007");
  EXPECT_EQ(FormatAddressItem(7, "TAS", 31), "TAS.07");
  EXPECT_EQ(FormatChannelName("AUS", 4, 2, "Licht", 3), "AUS.04.002-Licht");
  EXPECT_EQ(FormatStmChannelName(1, "AUS", 4, "Licht", 2, 3), "STM.01.AUS.04.03-Licht");
  EXPECT_EQ(AddressDipText(6), "01100");
  EXPECT_EQ(AddressDipText(31), "11111");
}

TEST(GlobalRoutines, SplitNameValueAndNumberPrefix) {
  std::string text = "Ein: 5";
  std::string rest;
  SplitNameValue(text, rest);
  EXPECT_EQ(text, "Ein");
  EXPECT_EQ(rest, ": 5");
  text = " Dimmen #3 ";
  SplitNameValue(text, rest);
  EXPECT_EQ(text, "Dimmen");
  EXPECT_EQ(rest, "#3");
  text = "ohne";
  rest = "alt";
  SplitNameValue(text, rest);
  EXPECT_EQ(text, "ohne");
  EXPECT_EQ(rest, "");
  text = "12%Name";
  EXPECT_EQ(TakeNumberPrefix(text), 12);
  EXPECT_EQ(text, "Name");
  text = "Name";
  EXPECT_EQ(TakeNumberPrefix(text), -1);
  EXPECT_EQ(text, "Name");
}

TEST(GlobalRoutines, FreeAddressItems) {
  std::vector<uint8_t> flags(256, 0);
  flags[1] = 1;
  flags[2] = 1;
  int selected = 0;
  auto items = FreeAddressItems(flags, "MRK", 2, 255, 0, selected);
  EXPECT_EQ(items.size(), 255u);
  EXPECT_EQ(items[0], "MRK.000");
  EXPECT_EQ(items[1], "MRK.002");
  EXPECT_EQ(selected, 1);
  std::vector<uint8_t> small(32, 1);
  small[5] = 0;
  items = FreeAddressItems(small, "TAS", 9, 31, 0, selected);
  EXPECT_EQ(items, (std::vector<std::string>{"TAS.05", "TAS.09"}));
  EXPECT_EQ(selected, 1);
  items = FreeAddressItems(small, "TAS", 40, 31, 0, selected);
  EXPECT_EQ(selected, -1);
}

TEST(GlobalRoutines, InputFlagLinksAreAddedOnce) {
  TModul modul;
  modul.BasisKlasse = bcEingangsModule;
  modul.ModulKennung = "TAS";
  modul.SetAdresse(6);
  modul.EinShift = 5;
  modul.AusShift = 3;
  auto channel = std::make_unique<TEingang>();
  channel->SetAdresse(2);
  TEingang* input = modul.Eingaenge().Add(std::move(channel));
  EXPECT_EQ(AddInputFlagLinks(*input, 1), 3);
  EXPECT_EQ(AddInputFlagLinks(*input, 1), 0);
  ASSERT_EQ(input->Verbindungen().Count(), 3);
  const struct {
    int event;
    const char* eventText;
    int command;
    const char* commandText;
  } rows[] = {{2, "Ein > 0 Sek", 0, "Eingangsmerker setzen"},
              {3, "Aus < 1 Sek", 1, "Eingangsmerker löschen"},
              {5, "Aus > 1 Sek", 1, "Eingangsmerker löschen"}};
  for (int i = 0; i < 3; ++i) {
    TVerbindung* link = input->Verbindungen().GetVerbindung(i);
    EXPECT_EQ(link->Kind(), 0);
    EXPECT_EQ(link->Source().ObjType(), 0);
    EXPECT_EQ(link->Source().StmNummer(), 1);
    EXPECT_EQ(link->Source().ModulKennung(), "TAS");
    EXPECT_EQ(link->Source().ModulAdresse(), 6);
    EXPECT_EQ(link->Source().KanalNummer(), 2);
    EXPECT_EQ(link->Source().Shift(), 5);
    EXPECT_EQ(link->Source().FunctionNumber(), rows[i].event);
    EXPECT_EQ(link->Source().FunctionText(), rows[i].eventText);
    EXPECT_EQ(link->Target().ObjType(), 8);
    EXPECT_EQ(link->Target().StmNummer(), 1);
    EXPECT_EQ(link->Target().KanalNummer(), 2);
    EXPECT_EQ(link->Target().Shift(), 3);
    EXPECT_EQ(link->Target().FunctionNumber(), rows[i].command);
    EXPECT_EQ(link->Target().FunctionText(), Ansi(rows[i].commandText));
  }
  EXPECT_EQ(input->Verbindungen().GetVerbindung(0)->Generated(), 0);
  TEingang orphan;
  EXPECT_EQ(AddInputFlagLinks(orphan, 0), 0);
  // Made by tool generation: generated, and removed by the clean-up after compiling.
  input->Verbindungen().Clear();
  EXPECT_EQ(AddInputFlagLinks(*input, 1, true), 3);
  EXPECT_EQ(input->Verbindungen().DeleteGeneratedLinks(), 3);
}

}  // namespace
}  // namespace zyn

#include "model/LinkMaintenance.h"

namespace zyn {
namespace {

TEST(GlobalRoutines, InputFlagLinksMoveWithTheirModule) {
  test::TTestProject project;
  test::TTestStm& stm = project.AddStm(0, "stm0");
  auto modul = std::make_unique<TModul>();
  modul->SetInternalName("tas");
  modul->ModulKennung = "TAS";
  modul->SetAdresse(6);
  auto channel = std::make_unique<TEingang>();
  TEingang* input = modul->Eingaenge().Add(std::move(channel));
  stm.Module.Add(std::move(modul));
  AddInputFlagLinks(*input, 0);
  RenumberInLinks(stm.Lists(), project, 0, bcEingangsModule, LogicTypeOfModul(0, 6), 6, 9);
  ASSERT_GT(input->Verbindungen().Count(), 0) << "the input flag links were not made";
  for (int i = 0; i < input->Verbindungen().Count(); ++i) {
    EXPECT_EQ(input->Verbindungen().GetVerbindung(i)->Source().ModulAdresse(), 9);
    EXPECT_EQ(input->Verbindungen().GetVerbindung(i)->Target().ModulAdresse(), 9);
  }
}

}  // namespace
}  // namespace zyn
