#include "ModelTestSupport.h"
#include "model/KanalListen.h"
#include "model/ObjektListen.h"
#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Records every notification as one line.
struct TRecorder {
  TCustomObserver observer;
  std::vector<std::string> calls;
  TRecorder() {
    auto name = [](TBaseObject* s) { return static_cast<TZYNBaseObject*>(s)->InternalName(); };
    observer.OnViewChanged = [this, name](TBaseObject* s, const std::string& o, const std::string& n) {
      calls.push_back("view " + name(s) + " " + o + ">" + n);
    };
    observer.OnClientValueChanged = [this, name](TBaseObject* s, int32_t o, int32_t n) {
      calls.push_back("value " + name(s) + " " + std::to_string(o) + ">" + std::to_string(n));
    };
    observer.OnClientDeleted = [this, name](TBaseObject* s) { calls.push_back("deleted " + name(s)); };
    observer.OnObserverRegistered = [this, name](TBaseObject* s, const std::string&, const std::string& n) {
      calls.push_back("registered " + name(s) + " " + n);
    };
  }
};

template <class T>
T* AddNumbered(TZYNListeOf<T>& list, const std::string& name, const std::string& display, int number) {
  auto item = std::make_unique<T>();
  item->SetInternalName(name);
  item->SetDisplayName(display);
  item->SetAdresse(number);
  return list.Add(std::move(item));
}

template <class T>
std::vector<std::string> Names(const TZYNListeOf<T>& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.KeyAt(i));
  return out;
}

class FlagMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [name, number] : {std::pair{"A", 0}, {"B", 1}, {"C", 2}, {"D", 5}}) {
      AddNumbered(live, name, std::string(1, static_cast<char>(name[0] + 32)), number)->AttachObserver(&rec.observer);
    }
    rec.calls.clear();
  }
  TRecorder rec;
  TMerkerListe live;
};

TEST_F(FlagMerge, EditedCopyComesBackWithExactOrderNotificationsAndPool) {
  TMerkerListe copy;
  copy.CopyFrom(live);
  EXPECT_EQ(copy.GetMerker(0)->Observers().Count(), 0);  // observers are not copied
  copy.Remove(copy.FindByInternalName("B"));
  AddNumbered(copy, "E", "e", copy.Adressen.FirstFree());
  copy.MoveByName("D", "A");
  copy.FindByInternalName("C")->SetDisplayName("cc");
  copy.ChangeAddress(copy.FindByInternalName("A"), 7);
  ASSERT_EQ(copy.FindByInternalName("E")->Adresse(), 1);

  live.MergeFrom(copy, &rec.observer);
  EXPECT_EQ(Names(live), (std::vector<std::string>{"D", "A", "C", "E"}));
  // The new numbers are told together once the merge is through (see NumberChangesOfAMerge).
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"deleted B", "view C c>cc", "registered E e", "value A 0>7"}));
  EXPECT_EQ(live.Adressen, copy.Adressen);
  EXPECT_EQ(live.Adressen.AsHexText().substr(0, 16), "0001010000010001");
  EXPECT_EQ(live.GetMerker(1)->Adresse(), 7);
  EXPECT_EQ(WriteBytes(live), WriteBytes(copy));
}

TEST_F(FlagMerge, UnchangedCopySendsNothing) {
  const auto before = WriteBytes(live);
  TMerkerListe copy;
  copy.CopyFrom(live);
  live.MergeFrom(copy, &rec.observer);
  EXPECT_TRUE(rec.calls.empty());
  EXPECT_EQ(WriteBytes(live), before);
}

TEST_F(FlagMerge, NumberOfADeletedFlagTakenByAnotherStaysUsed) {
  TMerkerListe copy;
  copy.CopyFrom(live);
  copy.Remove(copy.FindByInternalName("D"));
  copy.ChangeAddress(copy.FindByInternalName("A"), 5);
  live.MergeFrom(copy, &rec.observer);
  EXPECT_TRUE(live.Adressen.IsUsed(5));
  EXPECT_FALSE(live.Adressen.IsUsed(0));
}

TEST(Listen, CountsAndLookups) {
  TMerkerListe flags;
  AddNumbered(flags, "a", "eins", 1)->SetReserviert(true);
  AddNumbered(flags, "b", "   ", 2);
  AddNumbered(flags, "c", "drei", 3);
  EXPECT_EQ(flags.UsedCount(), 2);
  EXPECT_EQ(flags.CountNotReserved(), 2);
  EXPECT_EQ(flags.FindByAddress(3)->InternalName(), "c");
  EXPECT_EQ(flags.FindByAddress(9), nullptr);
  EXPECT_EQ(flags.GetMerker(3), nullptr);
  EXPECT_EQ(flags.IndexOfName("B"), 1);
  EXPECT_FALSE(flags.HasVerbindungen());
  TMerker stranger;
  flags.Remove(&stranger);  // not listed: nothing
  EXPECT_EQ(flags.Count(), 3);
  flags.MoveByName("c", "nicht da");
  EXPECT_EQ(flags.KeyAt(2), "c");
  flags.Clear();
  EXPECT_EQ(flags.Count(), 0);
  EXPECT_EQ(flags.Adressen.FirstFree(), 0);
}

TEST(Listen, FindLinksSumsTheItems) {
  TMerkerListe flags;
  const int counts[] = {2, 0, 3};
  for (int i = 0; i < 3; ++i) {
    TMerker* flag = AddNumbered(flags, "m" + std::to_string(i), "m", i);
    for (int n = 0; n < counts[i]; ++n) {
      auto link = std::make_unique<TVerbindung>();
      link->Source().SetFunctionNumber(n);
      link->Target().SetObjType(kObjMerker);
      link->Target().SetKanalNummer(9);
      flag->Verbindungen().Add(std::move(link));
    }
  }
  TLinkReport report;
  EXPECT_EQ(flags.FindLinks(report, kObjMerker, 0, 0, 9), 5);
  EXPECT_TRUE(flags.HasVerbindungen());
  EXPECT_EQ(flags.VerbindungsCount(), 5);
}

TEST(Listen, ClockListInitClockAndHeaderOfCopies) {
  TUhrenListe clocks;
  clocks.InternalName = "uhren";
  clocks.ListenNummer = 4;
  TUhr* init = AddNumbered(clocks, "u1", "Init", 0);
  EXPECT_EQ(init->BefehlsListe, "Eingangsfunktionen Uhren");
  init->EinTage = 129;
  AddNumbered(clocks, "u2", "Tag", 1);
  EXPECT_EQ(clocks.HasInitClock(), 1);
  TUhrenListe copy;
  copy.InternalName = "eigen";
  copy.Bemerkungen = "bleibt";
  copy.CopyFrom(clocks);
  EXPECT_EQ(copy.InternalName, "eigen");
  EXPECT_EQ(copy.Bemerkungen, "bleibt");
  EXPECT_EQ(copy.ListenNummer, 0);
  EXPECT_EQ(copy.Adressen, clocks.Adressen);
  EXPECT_EQ(copy.HasInitClock(), 1);
  clocks.Remove(init);
  EXPECT_EQ(clocks.HasInitClock(), 0);
  EXPECT_EQ(copy.CountClocksOfType(TUhrenTyp::utTag), 2);
}

TEST(Listen, NumberedListsHaveTheirRanges) {
  EXPECT_EQ(TMerkerListe().Adressen.MaxAddress(), 255);
  EXPECT_EQ(TUhrenListe().Adressen.MaxAddress(), 125);
  EXPECT_EQ(TTextListe().Adressen.MaxAddress(), 127);
  EXPECT_EQ(TGruppenListe().Adressen.MaxAddress(), 127);
}

TEST(Listen, StreamRoundTripsOfTheFourLists) {
  TMerkerListe flags;
  flags.InternalName = "merker";
  flags.ListenNummer = -3;
  flags.Bemerkungen = Ansi("Merker für alles");
  flags.ListenKennung = "MRK";
  AddNumbered(flags, "m1", "Tag", 0);
  AddNumbered(flags, "m2", "Nacht", 200);
  TMerkerListe flagsRead;
  ReadBytes(flagsRead, WriteBytes(flags));
  EXPECT_EQ(WriteBytes(flagsRead), WriteBytes(flags));
  EXPECT_EQ(flagsRead.ListenKennung, "MRK");

  TTextListe texts;
  TAnzeigetext* text = AddNumbered(texts, "t1", "Gruss", 3);
  text->Zeile1.Text = "Hallo";
  text->Zeile2.Text = "Welt";
  text->Zeile2.Center = 2;
  TTextListe textsRead;
  ReadBytes(textsRead, WriteBytes(texts));
  EXPECT_EQ(WriteBytes(textsRead), WriteBytes(texts));
  EXPECT_EQ(textsRead.GetAnzeigetext(0)->Zeile2.Center, 2);

  TGruppenListe groups;
  TGruppe* group = AddNumbered(groups, "g1", "Alle", 4);
  group->Notizen = "Notiz";
  auto member = std::make_unique<TGruppenObjekt>();
  member->SetInternalName("mem");
  member->Steuermodul = "stm";
  member->Modul = "mod";
  member->Kanal = "out";
  member->AdressString = "AUS.04.01";
  group->Members().Add(std::move(member));
  TGruppenListe groupsRead;
  ReadBytes(groupsRead, WriteBytes(groups));
  EXPECT_EQ(WriteBytes(groupsRead), WriteBytes(groups));
  EXPECT_EQ(groupsRead.MemberCount(), 1);
  EXPECT_TRUE(groupsRead.Adressen.IsUsed(4));

  TUhrenListe clocks;
  AddNumbered(clocks, "u1", "Uhr", 125)->EinTage = 0x80;
  TUhrenListe clocksRead;
  ReadBytes(clocksRead, WriteBytes(clocks));
  EXPECT_EQ(WriteBytes(clocksRead), WriteBytes(clocks));
  EXPECT_EQ(clocksRead.HasInitClock(), 1);
}

TEST(Listen, GroupUpdateMergesMembersWithoutObservers) {
  TGruppe live;
  live.SetInternalName("g");
  for (const char* n : {"m1", "m2", "m3"}) {
    auto m = std::make_unique<TGruppenObjekt>();
    m->SetInternalName(n);
    m->Kanal = n;
    live.Members().Add(std::move(m));
  }
  TGruppe copy;
  copy.CopyFrom(live);
  copy.Members().Remove(copy.Members().GetGruppenObjekt(1));
  auto added = std::make_unique<TGruppenObjekt>();
  added->SetInternalName("m4");
  copy.Members().Add(std::move(added));
  copy.Members().GetGruppenObjekt(0)->AdressString = "neu";
  copy.SetAdresse(9);
  live.UpdateFrom(copy);
  ASSERT_EQ(live.Members().Count(), 3);
  EXPECT_EQ(live.GetGruppenObjekt(0)->AdressString, "neu");
  EXPECT_EQ(live.GetGruppenObjekt(1)->InternalName(), "m3");
  EXPECT_EQ(live.GetGruppenObjekt(2)->InternalName(), "m4");
  EXPECT_EQ(live.Adresse(), 9);
}

TEST(Listen, GroupDeletionFreesMembersThenAnnouncesIt) {
  TRecorder rec;
  TGruppenListe groups;
  TGruppe* g = AddNumbered(groups, "g", "G", 1);
  g->AttachObserver(&rec.observer);
  rec.calls.clear();
  groups.Remove(g);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"deleted g"}));
  EXPECT_FALSE(groups.Adressen.IsUsed(1));
}

TEST(KanalListen, MergeKeepsTheChannelOrderAndTakesOutDeletedChannels) {
  TAusgangsListe live;
  for (int i = 0; i < 3; ++i) AddNumbered(live, "o" + std::to_string(i), "", i);
  TAusgangsListe copy;
  copy.CopyFrom(live);
  copy.Remove(copy.FindByInternalName("o1"));
  copy.MoveByName("o2", "o0");
  copy.FindByInternalName("o0")->SetDisplayName("Licht");
  live.MergeFrom(copy, nullptr);
  EXPECT_EQ(Names(live), (std::vector<std::string>{"o0", "o2"}));
  EXPECT_EQ(live.GetAusgang(0)->DisplayName(), "Licht");
  EXPECT_EQ(live.UsedCount(), 1);
  // Channel lists use no pool.
  EXPECT_EQ(live.Adressen.FirstFree(), 0);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The same copy, edit and merge over the clock, text and group lists.
template <class L>
class NumberedMerge : public ::testing::Test {};
using NumberedLists = ::testing::Types<TUhrenListe, TTextListe, TGruppenListe>;
TYPED_TEST_SUITE(NumberedMerge, NumberedLists);

TYPED_TEST(NumberedMerge, EditAndMergeBack) {
  TRecorder rec;
  TypeParam live;
  for (int i = 0; i < 4; ++i) {
    AddNumbered(live, "n" + std::to_string(i), "d" + std::to_string(i), i)->AttachObserver(&rec.observer);
  }
  rec.calls.clear();
  TypeParam copy;
  copy.CopyFrom(live);
  copy.Remove(copy.FindByInternalName("n2"));
  AddNumbered(copy, "n9", "neu", copy.Adressen.FirstFree());
  copy.MoveByName("n3", "n0");
  copy.FindByInternalName("n1")->SetDisplayName("eins");
  copy.ChangeAddress(copy.FindByInternalName("n0"), 40);
  live.MergeFrom(copy, &rec.observer);
  EXPECT_EQ(Names(live), (std::vector<std::string>{"n3", "n0", "n1", "n9"}));
  EXPECT_EQ(rec.calls,
            (std::vector<std::string>{"deleted n2", "view n1 d1>eins", "registered n9 neu", "value n0 0>40"}));
  EXPECT_EQ(live.Adressen, copy.Adressen);
  EXPECT_TRUE(live.Adressen.IsUsed(40));
  EXPECT_TRUE(live.Adressen.IsUsed(2));  // the new item took the freed number
  EXPECT_FALSE(live.Adressen.IsUsed(0));
  rec.calls.clear();
  TypeParam again;
  again.CopyFrom(live);
  live.MergeFrom(again, &rec.observer);
  EXPECT_TRUE(rec.calls.empty());
}

TEST(Listen, LoadFromFileAddsToTheList) {
  TTextListe texts;
  AddNumbered(texts, "t1", "eins", 1);
  const test::TempFolder folder("listen");
  const std::string path = folder.File("texte.bin");
  texts.SaveToFile(path);
  TTextListe other;
  AddNumbered(other, "t0", "null", 0);
  other.LoadFromFile(path);
  EXPECT_EQ(Names(other), (std::vector<std::string>{"t0", "t1"}));
}

}  // namespace
}  // namespace zyn
