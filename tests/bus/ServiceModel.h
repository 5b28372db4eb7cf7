#pragma once
// A control module with bus modules for the service tests, and the same modules on the
// simulated bus.

#include "model/Kanal.h"
#include "model/Modul.h"
#include "project/Steuermodul.h"
#include "tools/zynsim/core/STMSimulator.h"

#include <memory>
#include <string>

namespace zyn {

struct TModuleSpec {
  std::string Name;
  std::string Kennung;
  std::string Klasse;
  int BaseClass = 0;
  int Address = 0;
  int Inputs = 0;
  int Outputs = 0;
  int AusShift = 5;
  int EinShift = 3;
};

inline TModul* AddServiceModule(TSteuermodul& stm, const TModuleSpec& kind) {
  auto modul = std::make_unique<TModul>();
  const std::string key = "M" + std::to_string(stm.Module.Count()) + "_" + kind.Name;
  modul->SetInternalName(key);
  modul->SetDisplayName(kind.Name);
  modul->ModulKennung = kind.Kennung;
  modul->ModulKlasse = kind.Klasse;
  modul->BasisKlasse = kind.BaseClass;
  modul->AusShift = kind.AusShift;
  modul->EinShift = kind.EinShift;
  modul->Dimmerzusatz = kind.BaseClass == bcDimmerModule;
  modul->Analogzusatz = kind.BaseClass == bcAnalogmodule;
  modul->SetAdresse(kind.Address);
  for (int i = 0; i < kind.Inputs; ++i) {
    auto input = std::make_unique<TEingang>();
    input->SetInternalName(key + "_E" + std::to_string(i));
    input->SetDisplayName("Eingang " + std::to_string(i + 1));
    input->SetAdresse(i);
    modul->Eingaenge().Add(std::move(input));
  }
  for (int i = 0; i < kind.Outputs; ++i) {
    auto output = std::make_unique<TAusgang>();
    output->SetInternalName(key + "_A" + std::to_string(i));
    output->SetDisplayName("Ausgang " + std::to_string(i + 1));
    output->SetAdresse(i);
    modul->Ausgaenge().Add(std::move(output));
  }
  return stm.Module.Add(std::move(modul));
}

// The module on the simulated bus of control module n (present).
inline sim::TSimBusModule& SimModule(sim::TSTMSimulator& sim, int n, const TModul& modul) {
  auto& m = sim.ControlModule(n).Modules[static_cast<uint8_t>(modul.BasisKlasse * 32 + modul.Adresse())];
  m.AusShift = modul.AusShift;
  return m;
}

}  // namespace zyn
