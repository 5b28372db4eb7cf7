// The field order of the stored records, checked against bytes assembled by hand from the tags
// of the value stream (6 short text, 2/3/4 integers, 8/9 Booleans, 1/0 list markers).

#include "ModelTestSupport.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Modul.h"
#include "model/Uhr.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class Bytes {
 public:
  Bytes& Str(const std::string& s) {
    v.push_back(6);
    v.push_back(static_cast<uint8_t>(s.size()));
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Int(int32_t i) {
    if (i >= -128 && i <= 127) {
      v.push_back(2);
      v.push_back(static_cast<uint8_t>(i));
    } else if (i >= -32768 && i <= 32767) {
      v.push_back(3);
      v.push_back(static_cast<uint8_t>(i & 0xFF));
      v.push_back(static_cast<uint8_t>((i >> 8) & 0xFF));
    } else {
      v.push_back(4);
      for (int b = 0; b < 4; ++b) v.push_back(static_cast<uint8_t>((static_cast<uint32_t>(i) >> (8 * b)) & 0xFF));
    }
    return *this;
  }
  Bytes& Bool(bool b) {
    v.push_back(b ? 9 : 8);
    return *this;
  }
  Bytes& Begin() {
    v.push_back(1);
    return *this;
  }
  Bytes& End() {
    v.push_back(0);
    return *this;
  }
  Bytes& Pool(int minAddress, int maxAddress, std::initializer_list<int> used) {
    Int(minAddress).Int(maxAddress);
    for (int a = minAddress; a <= maxAddress; ++a) Bool(std::find(used.begin(), used.end(), a) != used.end());
    return *this;
  }
  std::vector<uint8_t> v;
};

TEST(RecordLayout, DisplayText) {
  TAnzeigetext text;
  text.SetInternalName("t1");
  text.SetDisplayName("Gruss");
  text.SetAdresse(3);
  text.Bemerkungen = "b";
  text.Zeile1.Text = "Hallo";
  text.Zeile2.Text = "Welt";
  text.Zeile2.Center = 2;
  const auto expected = Bytes().Str("t1").Str("Gruss").Int(3).Str("b").Str("Hallo").Int(0).Str("Welt").Int(2).v;
  EXPECT_EQ(test::WriteBytes(text), expected);
}

TEST(RecordLayout, ClockWithItsChannelPart) {
  TUhr clock;
  clock.SetInternalName("u");
  clock.SetDisplayName("Uhr");
  clock.SetAdresse(300);
  clock.BefehlsListe = "L";
  clock.StoredDefaultText = "D%";
  clock.Bemerkungen = "B";
  clock.PORStatus = 1;
  clock.AusTage = 1;
  clock.AusStunde = 2;
  clock.AusMinute = 3;
  clock.EinTage = 4;
  clock.EinStunde = 5;
  clock.EinMinute = 6;
  clock.UhrenTyp = TUhrenTyp::utWoche;
  const auto expected = Bytes()
                            .Str("u")
                            .Str("Uhr")
                            .Int(300)
                            .Str("L")
                            .Str("D%")
                            .Str("B")
                            .Int(1)
                            .Bool(false)
                            .Begin()
                            .End()
                            .Int(1)
                            .Int(2)
                            .Int(3)
                            .Int(4)
                            .Int(5)
                            .Int(6)
                            .Int(1)
                            .v;
  EXPECT_EQ(test::WriteBytes(clock), expected);
}

TEST(RecordLayout, GroupWithMembers) {
  TGruppe group;
  group.SetInternalName("g");
  group.SetDisplayName("G");
  group.SetAdresse(70000);
  group.Notizen = "N";
  auto member = std::make_unique<TGruppenObjekt>();
  member->SetInternalName("m");
  member->SetDisplayName("M");
  member->Steuermodul = "S";
  member->Modul = "Mo";
  member->Kanal = "K";
  member->AdressString = "A";
  group.Members().Add(std::move(member));
  const auto expected = Bytes()
                            .Str("g")
                            .Str("G")
                            .Int(70000)
                            .Str("N")
                            .Begin()
                            .Str("m")
                            .Str("M")
                            .Str("S")
                            .Str("Mo")
                            .Str("K")
                            .Str("A")
                            .End()
                            .v;
  EXPECT_EQ(test::WriteBytes(group), expected);
}

TEST(RecordLayout, ListHeaderAndItems) {
  TTextListe list;
  list.InternalName = "I";
  list.ListenNummer = 2;
  list.Bemerkungen = "B";
  list.ListenKennung = "K";
  list.Adressen.SetRange(0, 2);
  auto text = std::make_unique<TAnzeigetext>();
  text->SetAdresse(1);
  list.Add(std::move(text));
  const auto expected = Bytes()
                            .Str("I")
                            .Int(2)
                            .Str("B")
                            .Str("K")
                            .Pool(0, 2, {1})
                            .Begin()
                            .Str("")
                            .Str("")
                            .Int(1)
                            .Str("")
                            .Str("")
                            .Int(0)
                            .Str("")
                            .Int(0)
                            .End()
                            .v;
  EXPECT_EQ(test::WriteBytes(list), expected);
}

TEST(RecordLayout, ModuleWithItsSettings) {
  TModul modul;
  modul.SetInternalName("m");
  modul.SetDisplayName("D");
  modul.SetAdresse(17);
  modul.ModulKennung = "DIM";
  modul.ModulKlasse = "K";
  modul.Bemerkungen = "B";
  modul.BasisKlasse = 5;
  modul.EinShift = 1;
  modul.AusShift = 2;
  modul.RMEShift = 3;
  modul.Extension = 4;
  modul.Dimmerzusatz = true;
  modul.DimmerDaten = {10, "LR", 11, 12, "RR", 13};              // LeftKennlinie, LeftRem, LeftSoftStart, ...
  modul.AnalogDaten = {21, 22, 23, 24, 25, 26, 27, 28, 29, 30};  // Lokal..., then System...
  Bytes expected;
  expected.Str("m").Str("D").Int(17).Str("DIM").Str("K").Str("B").Int(5).Int(1).Int(2).Int(3).Int(4);
  for (int list = 0; list < 3; ++list) expected.Str("").Int(0).Str("").Str("").Pool(0, 31, {}).Begin().End();
  expected.Bool(true).Bool(false);
  expected.Int(11).Int(10).Str("LR").Int(13).Int(12).Str("RR");
  // SystemHystNegativ, SystemZeitNegativ, SystemHystPositiv, SystemZeitPositiv, LokalHystNegativ,
  // LokalZeitNegativ, LokalZeitAb, LokalHystPositiv, LokalZeitPositiv, LokalZeitAuf
  expected.Int(27).Int(29).Int(28).Int(30).Int(21).Int(25).Int(23).Int(22).Int(26).Int(24);
  EXPECT_EQ(test::WriteBytes(modul), expected.v);
}

}  // namespace
}  // namespace zyn
