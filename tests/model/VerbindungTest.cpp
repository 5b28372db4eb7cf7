#include "model/Verbindung.h"

#include "ModelTestSupport.h"
#include "model/VerbindungsListe.h"
#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zyn {
namespace {

using test::ReadBytes;
using test::WriteBytes;

void SetEndpoint(TLinkEndpoint e, int type, int stm, const std::string& code, int addr, int channel, int command,
                 const std::string& text) {
  e.SetObjType(type);
  e.SetStmNummer(stm);
  e.SetModulKennung(code);
  e.SetModulAdresse(addr);
  e.SetKanalNummer(channel);
  e.SetFunctionNumber(command);
  e.SetFunctionText(text);
  e.SetShift(5);
}

std::unique_ptr<TVerbindung> Link(int event, int targetType = 2, int targetChannel = 1) {
  auto link = std::make_unique<TVerbindung>();
  SetEndpoint(link->Source(), 0, 0, "TAS", 1, 2, event, "Ein");
  SetEndpoint(link->Target(), targetType, 0, "AUS", 3, targetChannel, 1, "Einschalten");
  return link;
}

void SetCondition(TVerbindung& link, int index, int type, int stm, int addr, int channel, int state,
                  const std::string& code) {
  TLogicEntry e = link.Logic(index);
  e.SetLogicType(type);
  e.SetStmNummer(stm);
  e.SetModulAdresse(addr);
  e.SetKanalNummer(channel);
  e.SetLogicState(state);
  e.SetLogicCode(code);
  e.SetLogicChannelName("kanal");
}

TEST(Verbindung, FieldsSitAtTheirOffsets) {
  TVerbindung link(true);
  EXPECT_EQ(link.Header()[324], 1);
  link.SetKind(2);
  link.Source().SetFunctionNumber(0x11);
  link.Target().SetKanalNummer(0x22);
  link.Target().SetModulKennung("DIM");
  link.ElseTarget().SetShift(0x33);
  link.SetTargetParamWord(0x1234);
  link.SetElseParamWord(0x5678);
  link.SetLogicOr(true);
  link.SetHidden(true);
  link.SetTargetParamCaption("s|%");
  link.SetHasElseParam(true);
  link.SetTargetFactor(1.5625);
  link.SetElseParamMode(7);
  link.SetCombinationAddress(0xBEEF);
  link.Logic(50).SetLogicCode("MRK");
  const auto& h = link.Header();
  EXPECT_EQ(h[0], 2);
  EXPECT_EQ(h[1 + 101], 0x11);
  EXPECT_EQ(h[103 + 99], 0x22);
  EXPECT_EQ(h[103 + 2], 3);
  EXPECT_EQ(std::memcmp(&h[103 + 3], "DIM", 3), 0);
  EXPECT_EQ(h[208 + 100], 0x33);
  EXPECT_EQ(h[206], 0x34);
  EXPECT_EQ(h[207], 0x12);
  EXPECT_EQ(h[310], 0x78);
  EXPECT_EQ(h[311], 0x56);
  EXPECT_EQ(h[323], 1);
  EXPECT_EQ(h[326], 0xEF);
  EXPECT_EQ(h[327], 0xBE);
  EXPECT_EQ(h[352], 1);
  EXPECT_EQ(h[353], 3);
  EXPECT_EQ(h[354], 's');
  EXPECT_EQ(h[416], 1);
  // 1.5625 as a little-endian IEEE double: 00 00 00 00 00 00 F9 3F
  const uint8_t factor[8] = {0, 0, 0, 0, 0, 0, 0xF9, 0x3F};
  EXPECT_EQ(std::memcmp(&h[424], factor, 8), 0);
  EXPECT_EQ(h[441], 7);
  EXPECT_EQ(link.LogicTable()[50 * 60 + 5], 3);
  EXPECT_EQ(link.GetTargetParamCaption(), "s;%");
  EXPECT_EQ(link.GetTargetParamCount(), 2);
  EXPECT_EQ(link.GetElseParamCount(), 1);
}

TEST(Verbindung, ShortStringLengthIsClampedToTheField) {
  TVerbindung link;
  link.Target().SetModulKennung("ABCD");  // cut to three characters
  EXPECT_EQ(link.Target().ModulKennung(), "ABC");
  link.Header()[103 + 2] = 200;  // a damaged length byte
  EXPECT_EQ(link.Target().ModulKennung(), "ABC");
  link.Header()[103 + 6] = 255;  // FunctionText, capacity 60
  EXPECT_EQ(link.Target().FunctionText().size(), 60u);
  link.LogicTable()[9] = 255;  // LogicChannelName, capacity 50
  EXPECT_EQ(link.Logic(0).LogicChannelName().size(), 50u);
}

TEST(Verbindung, Texts) {
  auto link = Link(3);
  link->Target().SetFunctionText("01 Dimmen");
  EXPECT_EQ(link->GetSourceText(), "STM.00.TAS.01.02.Ein");
  EXPECT_EQ(link->GetTargetText(), "STM.00.AUS.03.01.Dimmen");
  EXPECT_EQ(link->Target().FunctionText(), "Dimmen");
  EXPECT_EQ(link->GetDisplayText(), "STM.00.TAS.01.02.Ein  --->  STM.00.AUS.03.01.Dimmen");
  link->SetTargetParamWord(10);
  link->SetTargetFactor(2.0);
  EXPECT_EQ(link->GetDisplayText(), "STM.00.TAS.01.02.Ein  --->  STM.00.AUS.03.01.Dimmen:5");
  link->SetTargetParamMode(5);
  EXPECT_EQ(link->GetDisplayText(), "STM.00.TAS.01.02.Ein  --->  STM.00.AUS.03.01.Dimmen");
  link->Target().SetObjType(kObjMerker);
  link->Target().SetModulAdresse(32 + 4);  // texts use the low five bits
  link->Target().SetKanalNummer(7);
  EXPECT_EQ(link->GetTargetChannelText(), "STM.00.AUS.04.07");
  EXPECT_EQ(link->GetTargetText(), "STM.00.AUS.04.007.Dimmen");
  EXPECT_EQ(link->GetElseTargetText(), "");
  EXPECT_EQ(link->GetElseChannelText(), "");
  SetEndpoint(link->ElseTarget(), 2, 1, "AUS", 3, 2, 0, "Aus");
  link->SetElseParamWord(3);
  link->SetElseFactor(1.0);
  EXPECT_EQ(link->GetElseTargetText(), "STM.01.AUS.03.02.Aus:3");
}

TEST(Verbindung, ParameterTextsAndSetters) {
  TVerbindung link;
  link.SetTargetParamMode(2);
  link.SetTargetFactor(1.5625);
  link.SetTargetParamWord(2 * 256 + 7);
  EXPECT_EQ(link.GetTargetParamText(), "7;1");
  link.SetTargetParam(4 * 256 + 9);
  EXPECT_EQ(link.TargetParam(), 6 * 256 + 9);
  link.SetTargetParamMode(0);
  link.SetTargetFactor(1.0);
  link.SetTargetParamWord(0);
  EXPECT_EQ(link.GetTargetParamText(), "0");
  // Halves round to the even neighbour.
  link.SetTargetFactor(0.5);
  link.SetTargetParam(5);
  EXPECT_EQ(link.TargetParam(), 2);
  link.SetTargetParam(7);
  EXPECT_EQ(link.TargetParam(), 4);
  link.SetTargetParamWord(0x1234);
  link.SetTargetParamHigh(0x56, 0);
  EXPECT_EQ(link.TargetParam(), 0x5634);
  link.SetTargetParamLow(0x78, 0);
  EXPECT_EQ(link.TargetParam(), 0x5678);
  link.SetTargetFactor(2.0);
  link.SetTargetParamHigh(3, 1);
  EXPECT_EQ(link.TargetParam(), 0x0678);
  link.SetTargetParamLow(4, 1);
  EXPECT_EQ(link.TargetParam(), 0x0608);
  link.SetTargetParamLow(4, 2);  // any other way: no change
  EXPECT_EQ(link.TargetParam(), 0x0608);
  link.SetTargetParamHigh(300, 0);  // cut to 16 bits
  EXPECT_EQ(link.TargetParam(), (300 * 256 + 8) & 0xFFFF);
  // A damaged factor must not overflow the text.
  link.SetTargetParamMode(0);
  link.SetTargetFactor(1e-300);
  link.SetTargetParamWord(5);
  EXPECT_EQ(link.GetTargetParamText(), "9200000000000000000");
  link.SetElseFactor(1.0);
  link.SetElseParam(70000);
  EXPECT_EQ(link.ElseParam(), 70000 & 0xFFFF);
}

TEST(Verbindung, ReaderFillsInKindAndShifts) {
  struct Case {
    int kind;
    std::string elseCode;
    int targetType;
    int expectKind;
    int expectTargetShift;
  };
  const Case cases[] = {
      {1, "AUS", 2, 2, 5},        // else target present: kind 2
      {2, "", 2, 2, 5},           // kind 2 without else target stays as stored
      {0, "", kObjMerker, 0, 0},  // flag target keeps shift 0
  };
  for (const Case& c : cases) {
    TVerbindung link;
    link.SetKind(c.kind);
    link.Target().SetObjType(c.targetType);
    link.ElseTarget().SetModulKennung(c.elseCode);
    link.Source().SetObjType(kObjUhr);
    const auto bytes = WriteBytes(link);
    ASSERT_EQ(bytes.size(), 448u + 3060u);
    TVerbindung read;
    ReadBytes(read, bytes);
    EXPECT_EQ(read.Kind(), c.expectKind);
    EXPECT_EQ(read.Target().Shift(), c.expectTargetShift);
    EXPECT_EQ(read.Source().Shift(), 0);  // clock source: no module shift
    EXPECT_EQ(read.ElseTarget().Shift(), c.expectKind == 2 ? 5 : 0);
  }
}

TEST(Verbindung, RecordRoundTripIsByteIdentical) {
  auto link = Link(3);
  link->SetKind(1);
  SetCondition(*link, 0, 5, 0, 4, 1, 1, "TAS");
  SetCondition(*link, 50, 25, 0, 0, 7, 0, "MRK");
  link->Header()[447] = 0xAA;  // reserved bytes travel unchanged
  const auto bytes = WriteBytes(*link);
  TVerbindung read;
  ReadBytes(read, bytes);
  EXPECT_EQ(read.Header(), link->Header());
  EXPECT_EQ(read.LogicTable(), link->LogicTable());
  EXPECT_EQ(WriteBytes(read), bytes);
}

TEST(Verbindung, LogicEntriesTextsCheckAndRemove) {
  auto link = Link(3);
  link->SetKind(1);
  SetCondition(*link, 0, 25, 0, 0, 7, 1, "MRK");
  SetCondition(*link, 1, 5, 0, 4, 13, 0, "TAS");
  EXPECT_EQ(link->GetLogicEntryText(0), "STM.00.MRK.00.007.ein");
  EXPECT_EQ(link->GetLogicEntryText(1), "STM.00.TAS.04.13.aus");
  EXPECT_EQ(link->GetLogicEntryText(2), "");
  EXPECT_EQ(link->GetLogicCount(), 2);
  EXPECT_TRUE(link->CheckLogic());
  link->Logic(1).SetStmNummer(1);
  EXPECT_FALSE(link->CheckLogic());
  EXPECT_FALSE(link->HasValidLogic);
  link->RemoveLogicEntry("STM.99.XXX.00.00.ein");
  EXPECT_EQ(link->GetLogicCount(), 2);
  link->RemoveLogicEntry("STM.00.MRK.00.007.ein");
  EXPECT_EQ(link->GetLogicCount(), 1);
  EXPECT_FALSE(link->Logic(0).Used());
  const std::array<uint8_t, 60> zero{};
  EXPECT_EQ(std::memcmp(link->Logic(0).Bytes(), zero.data(), 60), 0);
}

TEST(Verbindung, SortLogicPacksOrdersAndDropsEqualConditions) {
  TVerbindung link;
  link.SetKind(1);
  SetCondition(link, 3, 5, 0, 11, 3, 1, "TAS");
  SetCondition(link, 10, 5, 0, 1, 13, 1, "TAS");
  SetCondition(link, 20, 25, 0, 0, 9, 1, "MRK");
  SetCondition(link, 50, 5, 0, 11, 3, 1, "tas");  // same text without regard to case
  link.SortLogic();
  ASSERT_EQ(link.GetLogicCount(), 3);
  EXPECT_EQ(link.Logic(0).LogicCode(), "MRK");
  // "TAS 5 0 1 13 1" sorts before "TAS 5 0 11 3 1": both survive.
  EXPECT_EQ(link.Logic(1).ModulAdresse(), 1);
  EXPECT_EQ(link.Logic(2).ModulAdresse(), 11);
  EXPECT_FALSE(link.Logic(3).Used());

  // Sorted again it stays the same; stray bytes in a free entry behind the packed ones go.
  const TVerbindung::TLogicTable sorted = link.LogicTable();
  link.SortLogic();
  EXPECT_EQ(link.LogicTable(), sorted);
  link.LogicTable()[40 * kLogicEntrySize + 20] = 7;  // not a used entry: its code is empty
  link.SortLogic();
  EXPECT_EQ(link.LogicTable(), sorted);
  // Lower-case codes sort as their upper-case form ("mrk" < "TAS"), a code with a letter above
  // 'Z' in upper case after them ("_X").
  TVerbindung mixed;
  SetCondition(mixed, 0, 25, 0, 0, 1, 1, "_X");
  SetCondition(mixed, 1, 5, 0, 2, 1, 1, "TAS");
  SetCondition(mixed, 2, 25, 0, 0, 2, 1, "mrk");
  mixed.SortLogic();
  EXPECT_EQ(mixed.Logic(0).LogicCode(), "mrk");
  EXPECT_EQ(mixed.Logic(1).LogicCode(), "TAS");
  EXPECT_EQ(mixed.Logic(2).LogicCode(), "_X");
}

TEST(Verbindung, ClearAndRemoveElseTarget) {
  auto link = Link(3);
  link->SetKind(2);
  SetEndpoint(link->ElseTarget(), 2, 0, "AUS", 3, 2, 4, "Aus");
  link->SetElseParamWord(9);
  link->SetHasElseParam(true);
  link->SetElseParamCaption("Sek");
  link->RemoveElseTarget();
  EXPECT_EQ(link->Kind(), 1);
  EXPECT_EQ(link->ElseTarget().ModulKennung(), "");
  EXPECT_EQ(link->ElseTarget().ObjType(), 0);
  EXPECT_EQ(link->ElseTarget().KanalNummer(), 0);
  EXPECT_EQ(link->ElseParam(), 0);
  EXPECT_FALSE(link->HasElseParam());
  EXPECT_EQ(link->ElseParamCaption(), "Sek");  // the caption is not part of the else target
}

std::vector<int> Events(const TVerbindungsListe& list) {
  std::vector<int> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.GetVerbindung(i)->Source().FunctionNumber());
  return out;
}

TEST(VerbindungsListe, LinksOfOneEventStayTogether) {
  TVerbindungsListe list;
  list.Add(Link(3, 2, 1));
  list.Add(Link(5, 2, 2));
  EXPECT_EQ(list.Add(Link(3, 2, 3)), 1);
  EXPECT_EQ(Events(list), (std::vector<int>{3, 3, 5}));
  EXPECT_EQ(list.Add(Link(5, 2, 4)), 3);
  EXPECT_EQ(Events(list), (std::vector<int>{3, 3, 5, 5}));
  EXPECT_EQ(list.Key(0), AnsiUpperCase(list.GetVerbindung(0)->GetDisplayText()));
}

TEST(VerbindungsListe, InsertLinkStaysInsideItsRun) {
  TVerbindungsListe list;
  list.Add(Link(1, 2, 1));
  list.Add(Link(1, 2, 2));
  list.Add(Link(4, 2, 3));
  list.Add(Link(4, 2, 4));
  list.Add(Link(6, 2, 5));
  EXPECT_EQ(list.InsertLink(0, Link(4, 2, 9)), 4);  // run of event 4 is 2..3: after it
  EXPECT_EQ(list.InsertLink(3, Link(4, 2, 8)), 3);  // inside the run: where asked
  EXPECT_EQ(list.InsertLink(0, Link(7, 2, 7)), 7);  // no run: at the end
  EXPECT_EQ(list.Key(3), AnsiUpperCase(list.GetVerbindung(3)->GetDisplayText()) + "0");
}

TEST(VerbindungsListe, VisibleIndexSkipsHiddenLinks) {
  TVerbindungsListe list;
  EXPECT_EQ(list.VisibleIndex(0), -1);
  for (int i = 0; i < 6; ++i) {
    auto link = Link(1, 2, i);
    link->SetHidden(i == 1 || i == 3);
    list.Add(std::move(link));
  }
  EXPECT_EQ(list.VisibleIndex(5), 3);
  EXPECT_EQ(list.VisibleIndex(99), 3);
  EXPECT_EQ(list.VisibleIndex(0), 0);
}

TEST(VerbindungsListe, RemoveDeleteAtAndReinsert) {
  TVerbindungsListe list;
  TVerbindung* a = list.GetVerbindung(list.Add(Link(3, 2, 1)));
  list.Add(Link(5, 2, 2));
  TVerbindung stranger;
  EXPECT_FALSE(list.Remove(&stranger));
  list.DeleteAt(7);
  EXPECT_EQ(list.Count(), 2);
  a->Source().SetFunctionNumber(9);
  list.ReinsertLink(a);
  EXPECT_EQ(list.GetVerbindung(1), a);
  EXPECT_EQ(list.IndexOfText(a), 1);
  EXPECT_TRUE(list.Remove(a));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetVerbindung(5), nullptr);
}

TEST(VerbindungsListe, FindDuplicateComparesKindEndpointsAndConditions) {
  TVerbindungsListe list;
  auto first = Link(3);
  first->SetKind(1);
  SetCondition(*first, 0, 25, 0, 0, 7, 1, "MRK");
  SetCondition(*first, 1, 5, 0, 4, 2, 1, "TAS");
  list.Add(std::move(first));
  auto second = Link(3);
  second->SetKind(1);
  SetCondition(*second, 7, 5, 0, 4, 2, 1, "TAS");  // same conditions, other places
  SetCondition(*second, 9, 25, 0, 0, 7, 1, "MRK");
  second->Target().SetFunctionText("anders");  // texts are not compared
  TVerbindung* probe = second.get();
  list.Add(std::move(second));
  EXPECT_EQ(list.FindDuplicate(probe), 0);
  EXPECT_TRUE(probe->Duplicate);
  probe->Logic(1).SetLogicState(0);
  probe->Duplicate = false;
  EXPECT_EQ(list.FindDuplicate(probe), -1);
  EXPECT_FALSE(probe->Duplicate);
  auto plain = Link(3);
  TVerbindung* plainProbe = plain.get();
  list.Add(std::move(plain));
  EXPECT_EQ(list.FindDuplicate(plainProbe), -1);  // other kind
}

TEST(VerbindungsListe, StreamRoundTripRecomputesKeys) {
  TVerbindungsListe list;
  list.Add(Link(3, 2, 1));
  auto logic = Link(5, 2, 2);
  logic->SetKind(1);
  SetCondition(*logic, 0, 25, 0, 0, 7, 1, "MRK");
  list.Add(std::move(logic));
  auto withElse = Link(3, 2, 3);
  withElse->SetKind(2);
  SetEndpoint(withElse->ElseTarget(), 2, 0, "AUS", 3, 4, 0, Ansi("Aus für immer"));
  list.Add(std::move(withElse));
  const auto bytes = WriteBytes(list);
  EXPECT_EQ(bytes.front(), 1);
  EXPECT_EQ(bytes.back(), 0);
  TVerbindungsListe read;
  ReadBytes(read, bytes);
  ASSERT_EQ(read.Count(), 3);
  EXPECT_EQ(WriteBytes(read), bytes);
  EXPECT_EQ(read.GetVerbindung(2)->Kind(), 1);
  EXPECT_EQ(read.GetVerbindung(1)->Kind(), 2);
}

}  // namespace
}  // namespace zyn
