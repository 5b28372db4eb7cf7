#include "model/Kanal.h"

#include "ModelTestSupport.h"
#include "model/EABeschreibung.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::unique_ptr<TVerbindung> PlainLink(int event, int channel) {
  auto link = std::make_unique<TVerbindung>();
  link->Source().SetFunctionNumber(event);
  link->Source().SetModulKennung("TAS");
  link->Target().SetObjType(2);
  link->Target().SetModulKennung("AUS");
  link->Target().SetKanalNummer(channel);
  link->Source().SetShift(5);
  link->Target().SetShift(5);
  return link;
}

TEST(Kanal, DefaultTextIsThePartBeforeThePercentSign) {
  TKanal channel;
  channel.StoredDefaultText = "Taster 1 %d";
  EXPECT_EQ(channel.DefaultText(), "Taster 1 ");
  channel.StoredDefaultText = "ohne";
  EXPECT_EQ(channel.DefaultText(), "");
}

TEST(Kanal, ReservingSetsAndReleasingClearsThePowerOnState) {
  TKanal channel;
  channel.PORStatus = porON;
  channel.SetReserviert(true);
  EXPECT_EQ(channel.PORStatus, 255);
  channel.SetReserviert(false);
  EXPECT_EQ(channel.PORStatus, porOFF);
  channel.PORStatus = porMEMORY;
  channel.SetReserviert(false);  // unchanged value: PORStatus stays
  EXPECT_EQ(channel.PORStatus, porMEMORY);
}

TEST(Kanal, AddressChangeNotifiesOnlyWhenItDiffers) {
  TKanal channel;
  TCustomObserver observer;
  std::vector<std::pair<int, int>> calls;
  observer.OnClientValueChanged = [&](TBaseObject* s, int32_t o, int32_t n) {
    EXPECT_EQ(static_cast<TKanal*>(s)->Adresse(), o);  // told before the value is stored
    calls.emplace_back(o, n);
  };
  channel.AttachObserver(&observer);
  channel.SetAdresse(0);
  channel.SetAdresse(4);
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 4}}));
}

TEST(Kanal, NamelessChannelWithLinksBecomesUsed) {
  TKanal channel;
  channel.SetDisplayName("   ");
  EXPECT_FALSE(channel.Used());
  channel.Verbindungen().Add(PlainLink(1, 1));
  EXPECT_TRUE(channel.Used());
  EXPECT_EQ(channel.DisplayName(), "!! Verbindungen vorhanden !!");
}

TEST(Kanal, CopyHasNoLinksAndUpdateKeepsTheLiveOnes) {
  TKanal live;
  live.SetInternalName("k1");
  live.SetDisplayName("Licht");
  live.Verbindungen().Add(PlainLink(1, 1));
  live.Verbindungen().Add(PlainLink(2, 2));
  TKanal copy;
  copy.CopyFrom(live);
  EXPECT_EQ(copy.InternalName(), "k1");
  EXPECT_EQ(copy.Verbindungen().Count(), 0);
  copy.SetDisplayName("Flur");
  copy.SetAdresse(6);
  copy.Bemerkungen = "neu";
  live.UpdateFrom(copy);
  EXPECT_EQ(live.DisplayName(), "Flur");
  EXPECT_EQ(live.Adresse(), 6);
  EXPECT_EQ(live.Bemerkungen, "neu");
  EXPECT_EQ(live.Verbindungen().Count(), 2);
  EXPECT_EQ(live.Verbindungen().GetVerbindung(0)->Parent, &live);
}

TEST(Kanal, FindLinksMatchesElseTargetsOnlyInsideTheTargetsModule) {
  TKanal channel;
  auto a = PlainLink(1, 3);
  a->Target().SetModulAdresse(4);
  channel.Verbindungen().Add(std::move(a));
  auto b = PlainLink(1, 9);  // target channel 9, else target channel 3
  b->Target().SetModulAdresse(4);
  b->SetKind(2);
  b->ElseTarget().SetModulKennung("AUS");
  b->ElseTarget().SetObjType(2);
  b->ElseTarget().SetKanalNummer(3);
  channel.Verbindungen().Add(std::move(b));
  auto c = PlainLink(1, 9);  // else target channel 3, but the target is in module 5
  c->Target().SetModulAdresse(5);
  c->SetKind(2);
  c->ElseTarget().SetModulKennung("AUS");
  c->ElseTarget().SetObjType(2);
  c->ElseTarget().SetModulAdresse(4);
  c->ElseTarget().SetKanalNummer(3);
  channel.Verbindungen().Add(std::move(c));
  TLinkReport report;
  EXPECT_EQ(channel.FindLinks(report, 2, 0, 4, 3), 2);
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[0].Text, report[0].Link->GetDisplayText());
}

TEST(Kanal, StreamRoundTrip) {
  TKanal channel;
  channel.SetInternalName("08122026_191503_4");
  channel.SetDisplayName(Ansi("Küche"));
  channel.SetAdresse(3);
  channel.BefehlsListe = "Eingangsfunktionen Taster";
  channel.StoredDefaultText = "Taster %d";
  channel.Bemerkungen = "x";
  channel.PORStatus = 255;
  channel.SetReserviert(true);
  channel.Verbindungen().Add(PlainLink(1, 1));
  const auto bytes = WriteBytes(channel);
  TKanal read;
  ReadBytes(read, bytes);
  EXPECT_EQ(read.DisplayName(), Ansi("Küche"));
  EXPECT_TRUE(read.Reserviert());
  EXPECT_EQ(read.PORStatus, 255);
  EXPECT_EQ(read.Verbindungen().Count(), 1);
  EXPECT_EQ(read.Verbindungen().GetVerbindung(0)->Parent, &read);
  EXPECT_EQ(WriteBytes(read), bytes);
  // The reader stores Reserviert as it stands: a reserved channel keeps a stored state.
  channel.PORStatus = porMEMORY;
  TKanal again;
  ReadBytes(again, WriteBytes(channel));
  EXPECT_EQ(again.PORStatus, porMEMORY);
}

TEST(Kanal, InitFromDescription) {
  TEABeschreibung d;
  d.KanalNummer = 5;
  d.DefaultText = "Ausgang %d";
  d.Funktionen = "Ausgangsfunktionen Relais";
  TAusgang out;
  out.InitFromDescription(d);
  EXPECT_EQ(out.Adresse(), 5);
  EXPECT_EQ(out.DefaultText(), "Ausgang ");
  EXPECT_EQ(out.BefehlsListe, "Ausgangsfunktionen Relais");
}

TEST(Kanal, RefreshLinkTextsFromTheCommandLists) {
  test::TTestProject project;
  test::TTestStm& stm = project.AddStm(0, "stm0");
  auto modul = std::make_unique<TModul>();
  modul->ModulKennung = "AUS";
  modul->SetAdresse(4);
  auto out = std::make_unique<TAusgang>();
  out->SetAdresse(1);
  out->BefehlsListe = "Relais";
  modul->Ausgaenge().Add(std::move(out));
  stm.Module.Add(std::move(modul));
  project.Commands["Taster"][2] = {"Ein > 0 Sek", "EIN0"};
  project.Commands["RELAIS"][7] = {"Umschalten", "TOGGLE"};
  TEingang input;
  input.BefehlsListe = "taster";
  auto link = PlainLink(2, 1);
  link->Target().SetModulAdresse(4);
  link->Target().SetFunctionNumber(7);
  input.Verbindungen().Add(std::move(link));
  auto unknown = PlainLink(3, 1);
  unknown->Target().SetModulAdresse(5);  // no such module: target stays
  unknown->Target().SetFunctionText("alt");
  input.Verbindungen().Add(std::move(unknown));
  input.RefreshLinkTexts(project);
  TVerbindung* a = input.Verbindungen().GetVerbindung(0);
  EXPECT_EQ(a->Source().FunctionText(), "Ein > 0 Sek");
  EXPECT_EQ(a->Source().FunctionName(), "EIN0");
  EXPECT_EQ(a->Target().FunctionText(), "Umschalten");
  EXPECT_EQ(a->Target().FunctionName(), "TOGGLE");
  TVerbindung* b = input.Verbindungen().GetVerbindung(1);
  EXPECT_EQ(b->Source().FunctionText(), "");  // command 3 is not in the list
  EXPECT_EQ(b->Target().FunctionText(), "alt");
}

TEST(Uhr, TimesAndDayMasks) {
  TUhr clock;
  clock.SetEinZeit(" 7:05");
  EXPECT_EQ(clock.EinStunde, 7);
  EXPECT_EQ(clock.EinMinute, 5);
  EXPECT_EQ(clock.EinZeit(), "07:05");
  clock.SetAusZeit("23:59xyz");  // only two characters after the colon count
  EXPECT_EQ(clock.AusZeit(), "23:59");
  EXPECT_THROW(clock.SetAusZeit("2359"), EZYNError);
  EXPECT_THROW(clock.SetAusZeit("ab:cd"), EZYNError);
  EXPECT_EQ(clock.AusZeit(), "23:59");
  clock.EinTage = 5;
  EXPECT_EQ(clock.EinDayMask(), "Mo,--,Mi,--,--,--,--,");
  clock.AusTage = 127;
  EXPECT_EQ(clock.AusDayMask(), "Mo,Di,Mi,Do,Fr,Sa,So,");
}

TEST(Uhr, StreamRoundTripAndCopy) {
  TUhr clock;
  clock.SetInternalName("u1");
  clock.SetAdresse(12);
  clock.EinTage = 129;
  clock.EinStunde = 6;
  clock.AusMinute = 30;
  clock.UhrenTyp = TUhrenTyp::utRollade;
  const auto bytes = WriteBytes(clock);
  TUhr read;
  ReadBytes(read, bytes);
  EXPECT_EQ(WriteBytes(read), bytes);
  EXPECT_TRUE(read.IsInitClock());
  TUhr copy;
  copy.CopyFrom(read);
  EXPECT_EQ(WriteBytes(copy), bytes);
}

TEST(Uhr, DeletionIsAnnounced) {
  TCustomObserver observer;
  int deleted = 0;
  observer.OnClientDeleted = [&](TBaseObject*) { ++deleted; };
  {
    TUhr clock;
    clock.AttachObserver(&observer);
    TMerker flag;
    flag.AttachObserver(&observer);
    TKanal plain;
    plain.AttachObserver(&observer);  // module channels announce nothing
  }
  EXPECT_EQ(deleted, 2);
}

TEST(Merker, CommandListIsFixedAndWorkValuesAreNotStored) {
  TMerker flag;
  EXPECT_EQ(flag.BefehlsListe, "Eingangsfunktionen Merker");
  flag.SetAddress = 3;
  flag.SetValue = 4;
  flag.BefehlsListe = "anders";
  TMerker read;
  ReadBytes(read, WriteBytes(flag));
  EXPECT_EQ(read.BefehlsListe, "Eingangsfunktionen Merker");
  EXPECT_EQ(read.SetAddress, 0);
  TMerker copy;
  copy.CopyFrom(flag);
  EXPECT_EQ(copy.SetValue, 4);
  copy.Reset();
  EXPECT_EQ(copy.SetAddress, 0);
  EXPECT_EQ(copy.SetValue, 0);
}

}  // namespace
}  // namespace zyn
