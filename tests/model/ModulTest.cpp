#include "ModelTestSupport.h"
#include "model/ModulClass.h"
#include "model/ModulListe.h"
#include "model/base/Errors.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::MakeNames;
using test::ReadBytes;
using test::TFixedClock;
using test::WriteBytes;

void Describe(TEABeschreibungsListe& list, int count, const std::string& text, const std::string& commands) {
  for (int i = 0; i < count; ++i) {
    auto d = std::make_unique<TEABeschreibung>();
    d->KanalNummer = i;
    d->DefaultText = text + " %d";
    d->Funktionen = commands;
    list.Add(std::move(d));
  }
}

std::unique_ptr<TModulClass> MakeClass(int baseClass, int ein, int aus, int rme) {
  auto entry = std::make_unique<TModulClass>();
  entry->InternalName = "KLASSE" + std::to_string(baseClass);
  entry->DisplayName = "Klasse";
  entry->ClassIdent = "K" + std::to_string(baseClass) + "X";
  entry->BaseClass = baseClass;
  entry->EinCount = ein;
  entry->AusCount = aus;
  entry->RMECount = rme;
  entry->EinShift = 5;
  entry->AusShift = 3;
  entry->RMEShift = 4;
  Describe(entry->Eingaenge, ein, "Eingang", "Eingangsfunktionen");
  Describe(entry->Ausgaenge, aus, "Ausgang", "Ausgangsfunktionen");
  Describe(entry->Rueckmeldungen, rme, "RME", "RME-Funktionen");
  return entry;
}

std::unique_ptr<TModul> MakeModul(TUniqueNames& names, int baseClass, int ein, int aus, int rme) {
  auto entry = MakeClass(baseClass, ein, aus, rme);
  auto modul = std::make_unique<TModul>();
  modul->AssignNewName(names);
  modul->InitFromClass(*entry, names);
  return modul;
}

TEST(Modul, InitFromClassBuildsTheChannels) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  auto input = MakeModul(names, bcEingangsModule, 2, 2, 1);
  EXPECT_EQ(input->ModulKennung, "K0X");
  EXPECT_EQ(input->ModulKlasse, "KLASSE0");
  EXPECT_EQ(input->EinShift, 5);
  ASSERT_EQ(input->Eingaenge().Count(), 2);
  EXPECT_EQ(input->Eingaenge().GetEingang(1)->Adresse(), 1);
  EXPECT_EQ(input->Eingaenge().GetEingang(1)->DefaultText(), "Eingang ");
  EXPECT_EQ(input->Eingaenge().GetEingang(1)->Modul, input.get());
  EXPECT_EQ(input->Ausgaenge().GetAusgang(0)->PORStatus, porON);  // outputs of input modules start on
  EXPECT_EQ(input->Rueckmeldungen().GetRueckmeldung(0)->BefehlsListe, "RME-Funktionen");
  EXPECT_EQ(names.Count(), 6);  // the module and its five channels
  auto relay = MakeModul(names, bcAusgangsModule, 0, 1, 0);
  EXPECT_EQ(relay->Ausgaenge().GetAusgang(0)->PORStatus, porOFF);
  EXPECT_FALSE(relay->Dimmerzusatz);
  EXPECT_TRUE(MakeModul(names, bcAnalogmodule, 0, 1, 0)->Analogzusatz);
  auto dimmer = MakeModul(names, bcDimmerModule, 0, 2, 0);
  EXPECT_TRUE(dimmer->Dimmerzusatz);
  EXPECT_FALSE(dimmer->Analogzusatz);
}

TEST(ModulListe, AddressAllocation) {
  TModulListe list;
  EXPECT_EQ(list.AllocAddress(2), 0);
  EXPECT_EQ(list.AllocAddress(2), 1);
  EXPECT_EQ(list.AllocAddress(0), 0);
  auto first = std::make_unique<TModul>();
  first->BasisKlasse = 2;
  first->SetAdresse(0);
  TModul* m = list.Add(std::move(first));
  list.Remove(m);
  EXPECT_EQ(list.AllocAddress(2), 0);
  for (int i = 2; i < 32; ++i) EXPECT_EQ(list.AllocAddress(2), i);
  const auto map = list.Map();
  EXPECT_EQ(list.AllocAddress(2), -1);
  EXPECT_EQ(list.Map(), map);
  EXPECT_EQ(list.AllocAddress(8), -1);
  EXPECT_EQ(list.AllocAddress(-1), -1);
}

TEST(ModulListe, ChangeAddressMovesTheMapByte) {
  TModulListe list;
  auto modul = std::make_unique<TModul>();
  modul->BasisKlasse = 5;
  modul->SetAdresse(3);
  TModul* m = list.Add(std::move(modul));
  EXPECT_EQ(list.Map()[5 * 32 + 3], 1);
  list.ChangeAddress(m, 7);
  EXPECT_EQ(list.Map()[5 * 32 + 3], 0);
  EXPECT_EQ(list.Map()[5 * 32 + 7], 1);
  EXPECT_EQ(m->Adresse(), 7);
  EXPECT_EQ(m->BusKey(), 167);
}

TEST(ModulListe, ReadingCountsTheModulesAgain) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  TModulListe list;
  for (int c : {0, 0, 2, 5}) {
    auto m = MakeModul(names, c, 1, 1, 0);
    m->SetAdresse(list.AllocAddress(c));
    list.Add(std::move(m));
  }
  auto bytes = WriteBytes(list);
  ASSERT_GT(bytes.size(), 288u);
  EXPECT_EQ(bytes[256], 2);  // class 0 counter, 32-bit little-endian
  EXPECT_EQ(bytes[256 + 8], 1);
  bytes[256] = 77;  // a wrong stored counter
  TModulListe read;
  ReadBytes(read, bytes);
  EXPECT_EQ(read.ClassCount(0), 2);
  EXPECT_EQ(read.ClassCount(5), 1);
  bytes[256] = 2;
  EXPECT_EQ(WriteBytes(read), bytes);
  EXPECT_EQ(read.GetModul(0)->Eingaenge().GetEingang(0)->Modul, read.GetModul(0));
}

TEST(ModulListe, FindersAndCounts) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  TModulListe list;
  auto m = MakeModul(names, 2, 1, 2, 1);
  m->SetAdresse(4);
  m->Ausgaenge().GetAusgang(1)->SetDisplayName("Licht");
  const std::string out = m->Ausgaenge().GetAusgang(1)->InternalName();
  const std::string in = m->Eingaenge().GetEingang(0)->InternalName();
  TModul* modul = list.Add(std::move(m));
  EXPECT_EQ(list.FindModul("K2X", 4), modul);
  EXPECT_EQ(list.FindModul("K2X", 5), nullptr);
  EXPECT_EQ(list.FindAusgang(out)->DisplayName(), "Licht");
  EXPECT_EQ(list.FindModulOfAusgang(out), modul);
  EXPECT_EQ(list.FindEingang(in), modul->Eingaenge().GetEingang(0));
  EXPECT_EQ(list.FindEingang(out), nullptr);
  EXPECT_EQ(list.CountOfClass("KLASSE2"), 1);
  EXPECT_EQ(list.AusgangsCount(), 1);
  EXPECT_EQ(list.FindByInternalName(modul->InternalName()), modul);
  EXPECT_EQ(list.GetModul(1), nullptr);
}

TEST(ModulListe, MergeTakesTheCopysModulesOrderAndMap) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  // The observer and what it records outlive the list, whose modules notify it when they go.
  std::vector<std::string> calls;
  TCustomObserver observer;
  TModulListe live;
  observer.OnClientDeleted = [&](TBaseObject*) { calls.push_back("deleted"); };
  observer.OnClientValueChanged = [&](TBaseObject*, int32_t o, int32_t n) {
    calls.push_back("value " + std::to_string(o) + ">" + std::to_string(n));
  };
  observer.OnObserverRegistered = [&](TBaseObject*, const std::string&, const std::string& n) {
    calls.push_back("registered " + n);
  };
  observer.OnViewChanged = [&](TBaseObject*, const std::string& o, const std::string& n) {
    calls.push_back("view " + o + ">" + n);
  };
  for (int i = 0; i < 3; ++i) {
    auto m = MakeModul(names, 2, 0, 2, 0);
    m->SetAdresse(live.AllocAddress(2));
    m->SetDisplayName("M" + std::to_string(i));
    live.Add(std::move(m))->AttachObserver(&observer);
  }
  calls.clear();
  const std::string name0 = live.GetModul(0)->InternalName();
  const std::string name2 = live.GetModul(2)->InternalName();

  TModulListe copy;
  copy.CopyFrom(live);
  EXPECT_EQ(copy.ClassCount(2), 3);
  copy.Remove(copy.GetModul(1));
  auto added = MakeModul(names, 0, 1, 0, 0);
  added->SetDisplayName("Neu");
  added->SetAdresse(copy.AllocAddress(0));
  copy.Add(std::move(added));
  copy.MoveByName(name2, name0);
  copy.ChangeAddress(copy.FindByInternalName(name0), 9);
  copy.GetModul(0)->SetDisplayName("Zwei");
  copy.FindByInternalName(name0)->Ausgaenge().GetAusgang(1)->SetDisplayName("Licht");

  live.MergeFrom(copy, &observer);
  EXPECT_EQ(calls, (std::vector<std::string>{"deleted", "view M2>Zwei", "registered Neu", "value 0>9"}));
  ASSERT_EQ(live.Count(), 3);
  EXPECT_EQ(live.GetModul(0)->InternalName(), name2);
  EXPECT_EQ(live.GetModul(1)->InternalName(), name0);
  EXPECT_EQ(live.GetModul(1)->Ausgaenge().GetAusgang(1)->DisplayName(), "Licht");
  EXPECT_EQ(live.Map(), copy.Map());
  EXPECT_EQ(live.ClassCount(2), 2);
  EXPECT_EQ(live.ClassCount(0), 1);
  EXPECT_EQ(WriteBytes(live), WriteBytes(copy));

  calls.clear();
  TModulListe again;
  again.CopyFrom(live);
  live.MergeFrom(again, &observer);
  EXPECT_TRUE(calls.empty());
}

TEST(Modul, StreamRoundTripAndReadErrorsArePassedOn) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  auto m = MakeModul(names, bcDimmerModule, 1, 2, 1);
  m->SetAdresse(17);
  m->Bemerkungen = "Keller";
  m->Extension = -7;
  m->DimmerDaten.LeftKennlinie = 2;
  m->DimmerDaten.RightRem = "rechts";
  m->AnalogDaten.LokalZeitPositiv = 11;
  m->AnalogDaten.SystemZeitPositiv = 22;
  const auto bytes = WriteBytes(*m);
  TModul read;
  ReadBytes(read, bytes);
  EXPECT_EQ(WriteBytes(read), bytes);
  EXPECT_EQ(read.AnalogDaten.LokalZeitPositiv, 11);
  EXPECT_EQ(read.AnalogDaten.SystemZeitPositiv, 22);
  EXPECT_EQ(read.Ausgaenge().GetAusgang(1)->Modul, &read);
  TAnalogDaten copied;
  copied.CopyFrom(read.AnalogDaten);
  EXPECT_EQ(copied.LokalZeitPositiv, 11);
  EXPECT_EQ(copied.SystemZeitPositiv, 22);

  for (size_t cut : {size_t{30}, bytes.size() / 2, bytes.size() - 1}) {
    TModul damaged;
    const std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(ReadBytes(damaged, shorter), EReadError) << cut;
  }
}

TEST(Modul, DefaultsOfTheAnalogSettings) {
  TAnalogDaten a;
  EXPECT_EQ(a.LokalHystNegativ, 19);
  EXPECT_EQ(a.LokalZeitAb, 32);
  EXPECT_EQ(a.LokalZeitAuf, 7);
  EXPECT_EQ(a.SystemHystPositiv, 19);
  EXPECT_EQ(a.SystemZeitNegativ, 0);
}

TEST(Modul, ParameterHeaderOfDimmerAndAnalogModules) {
  TFixedClock clock;
  TUniqueNames names = MakeNames(clock);
  auto dimmer = MakeModul(names, bcDimmerModule, 0, 2, 0);
  dimmer->DimmerDaten.RightSoftStart = 2;
  dimmer->Ausgaenge().GetAusgang(1)->PORStatus = porMEMORY;
  uint8_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), 0xEE);
  EXPECT_EQ(dimmer->BuildParameterHeader(buffer, 1, 1), 16);
  const uint8_t expected[16] = {0, 1, 3, 0, 1, 1, 1, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_TRUE(std::equal(std::begin(buffer), std::end(buffer), std::begin(expected)));
  dimmer->DimmerDaten.LeftSoftStart = 1;
  EXPECT_EQ(dimmer->BuildParameterHeader(buffer, 0, 200), 16);
  EXPECT_EQ(buffer[1], 4);
  EXPECT_EQ(buffer[2], 0);
  EXPECT_EQ(buffer[4], 0);
  EXPECT_EQ(buffer[5], 200);

  auto analog = MakeModul(names, bcAnalogmodule, 0, 1, 0);
  analog->DimmerDaten.LeftSoftStart = 2;
  analog->AnalogDaten.SystemZeitNegativ = 0x102;
  EXPECT_EQ(analog->BuildParameterHeader(buffer, 0, 0), 16);
  const uint8_t analogBytes[16] = {19, 19, 2, 0, 19, 19, 0, 0, 32, 7, 1, 0, 1, 0, 0, 255};
  EXPECT_TRUE(std::equal(std::begin(buffer), std::end(buffer), std::begin(analogBytes)));

  auto relay = MakeModul(names, bcAusgangsModule, 0, 1, 0);
  std::fill(std::begin(buffer), std::end(buffer), 0xEE);
  EXPECT_EQ(relay->BuildParameterHeader(buffer, 0, 0), 0);
  EXPECT_EQ(buffer[0], 0xEE);
}

TEST(Modul, LookupKennungEntry) {
  TModul m;
  m.ModulKennung = "DIM";
  EXPECT_EQ(m.LookupKennungEntry({"AUS=nein", "DIM=ja", "DIM=zweites"}), "ja");
  EXPECT_EQ(m.LookupKennungEntry({"DI"}), "");
}

TEST(ModulClass, StreamRoundTripWithItsRawClassData) {
  auto entry = MakeClass(bcAnalogmodule, 1, 2, 0);
  entry->LimitCount = 16;
  entry->Hidden = true;
  entry->DefaultPOR = 2;
  entry->Texte = {"eins", "zwei"};
  for (int i = 0; i < kModulClassDataSize; ++i) entry->ClassData[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 3);
  const auto bytes = WriteBytes(*entry);
  ASSERT_GE(bytes.size(), 64u);
  EXPECT_TRUE(std::equal(bytes.end() - 64, bytes.end(), entry->ClassData.begin()));
  TModulClass read;
  ReadBytes(read, bytes);
  EXPECT_EQ(WriteBytes(read), bytes);
  EXPECT_TRUE(read.Dimmerzusatz());
  EXPECT_TRUE(read.Analogzusatz());
  EXPECT_EQ(read.Ausgaenge.Count(), 2);
  EXPECT_EQ(TModulClass().InternalName, "Neue Klasse");
  const test::TempFolder folder("modul");
  const std::string path = folder.File("klasse.mcl");
  entry->SaveToFile(path);
  TModulClass loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(WriteBytes(loaded), bytes);
}

}  // namespace
}  // namespace zyn

#include "model/BasisModul.h"

namespace zyn {
namespace {

TEST(BasisModulListe, FileRoundTrip) {
  TBasisModulListe list;
  auto item = std::make_unique<TBasisModul>();
  item->SetInternalName("ausgang");
  item->SetDisplayName("Ausgangsmodule");
  item->BasisKlasse = 2;
  item->SetMinAdresse(4);
  item->SetMaxAdresse(9);
  item->Adressen.SetUsed(9);
  list.Add(std::move(item));
  const test::TempFolder folder("modul");
  const std::string path = folder.File("BASIS.ZBC");
  list.SaveToFile(path);
  TBasisModulListe read;
  read.LoadFromFile(path);
  ASSERT_EQ(read.Count(), 1);
  EXPECT_EQ(read.GetBasisModul(0)->MinAdresse(), 4);
  EXPECT_TRUE(read.GetBasisModul(0)->Adressen.IsUsed(9));
  EXPECT_EQ(read.GetBasisModul(1), nullptr);
  EXPECT_EQ(test::WriteBytes(read), test::WriteBytes(list));
}

}  // namespace
}  // namespace zyn
