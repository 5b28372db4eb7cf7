#include "DisplayFixtures.h"
#include "display/DispModelObserver.h"
#include "display/DispObserver.h"
#include "model/Kanal.h"
#include "model/Modul.h"

#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

// The module is declared last so that it goes first: its deletion reaches live observers.
struct ModuleFixture {
  TAusgang ausgang;
  TEingang eingang;
  TDisplayObserver observer;
  TDisplayModulObserver modulObserver{&observer};
  TBildschirm screen;
  std::unique_ptr<TModul> modul = std::make_unique<TModul>();

  ModuleFixture() {
    modul->SetInternalName("modul_1");
    modul->BasisKlasse = 2;
    modul->AusShift = 4;
    modul->ModulKennung = "RA8";
    modul->SetAdresse(5);
    ausgang.SetInternalName("kanal_a3");
    ausgang.SetAdresse(3);
    ausgang.SetDisplayName("Licht Flur");
    eingang.SetInternalName("kanal_e5");
    eingang.SetAdresse(5);
    modul->AttachObserver(&modulObserver);
  }
};

TEST(DisplayModelBinding, ALinkFilledFromAChannelFollowsItsModule) {
  ModuleFixture f;
  TZustandVar* lampe = test::AddStateVariable(f.screen, 0, 0, 0);
  FillLinkFromChannel(*lampe->Link, f.ausgang, *f.modul, 1, "stm_1", &f.observer);
  EXPECT_EQ(lampe->Link->KanalTyp, TKanalTyp::otAusgang);
  EXPECT_EQ(lampe->Link->Kanal, 3);
  EXPECT_EQ(lampe->Link->KanalName, "Licht Flur");
  EXPECT_EQ(lampe->Link->ModulAdresse, 5);
  EXPECT_EQ(lampe->Link->AusShift, 4);
  EXPECT_EQ(lampe->Link->ModulKennung, "RA8");
  EXPECT_EQ(lampe->Link->STMInternalName, "stm_1");
  EXPECT_EQ(f.observer.CountEntries("modul_1"), 1);
  auto* key = lampe->Buttons.Add(std::make_unique<TFunktButton>("F1"));
  key->Funktion.Funktion = fkAusgang;
  key->Funktion.Byte(3) = 0x45;

  TText* taster = test::AddText(f.screen, "Taster", 0, 2);
  FillLinkFromChannel(*taster->Link, f.eingang, *f.modul, 1, "stm_1", &f.observer);
  EXPECT_EQ(taster->Link->KanalTyp, TKanalTyp::otEingang);

  f.modul->SetAdresse(9);
  EXPECT_EQ(lampe->Link->ModulAdresse, 9);
  EXPECT_EQ(taster->Link->ModulAdresse, 9);
  EXPECT_EQ(key->Funktion.Byte(3), 2 * 32 + 9);

  f.modul.reset();  // the module is deleted
  EXPECT_FALSE(lampe->IsLinked());
  EXPECT_FALSE(taster->IsLinked());
  EXPECT_TRUE(lampe->Buttons.Empty());
  EXPECT_EQ(f.observer.Count(), 0u);
}

TEST(DisplayModelBinding, WithoutAnObserverOfItsOwnItServesTheProgrammeObserver) {
  ModuleFixture f;
  TDisplayObserver global;
  GDisplayObserver = &global;
  TDisplayModulObserver forwarding;
  f.modul->AttachObserver(&forwarding);
  TZustandVar* lampe = test::AddStateVariable(f.screen, 0, 0, 0);
  FillLinkFromChannel(*lampe->Link, f.ausgang, *f.modul, 0, "stm_0");
  EXPECT_EQ(global.CountEntries("modul_1"), 1);
  f.modul->SetAdresse(12);
  EXPECT_EQ(lampe->Link->ModulAdresse, 12);
  GDisplayObserver = nullptr;
  f.modul->SetAdresse(13);  // no programme observer: nothing to do, nothing fails
  EXPECT_EQ(lampe->Link->ModulAdresse, 12);
  f.modul.reset();  // before the local observers go
}

}  // namespace
}  // namespace zyn
