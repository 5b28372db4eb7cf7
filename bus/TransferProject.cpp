#include "bus/TransferProject.h"

#include "compiler/ProjectCompile.h"
#include "display/DisplayProjekt.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"

namespace zyn {

TProjectTransferSource::TProjectTransferSource(TZYNProjekt& projekt) : fProjekt(projekt) {}

TProjectTransferSource::~TProjectTransferSource() = default;

std::vector<TTransferTarget> TProjectTransferSource::Targets() const {
  std::vector<TTransferTarget> targets;
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    const TSteuermodul* stm = fProjekt.Steuermodule.GetSteuermodul(i);
    targets.push_back({TTransferTarget::TKind::Steuermodul, stm->Adresse(), stm->DisplayName()});
  }
  TDisplayProjekt& displays = fProjekt.DisplayProjekt();
  for (size_t i = 0; i < displays.Count(); ++i)
    targets.push_back({TTransferTarget::TKind::Display, displays[i].Adresse, displays[i].DisplayName});
  return targets;
}

int TProjectTransferSource::ControlModuleCount() const { return fProjekt.Steuermodule.Count(); }

bool TProjectTransferSource::Modified() const { return fProjekt.Modified; }

void TProjectTransferSource::Save() {
  if (fProjekt.FileName.empty()) throw EWriteError(Ansi("Das Projekt hat noch keinen Dateinamen."));
  if (fProjekt.Zipped)
    fProjekt.SaveZippedProjectFile(fProjekt.FileName);
  else if (!fProjekt.SaveProjectFile(fProjekt.FileName, false))
    throw EWriteError(Ansi("Das Projekt wurde nicht gespeichert."));
  fProjekt.Modified = false;
}

bool TProjectTransferSource::Compile(std::string& programFileProblem) {
  TProjectCompileInputs inputs;
  inputs.Tools = Tools;
  inputs.Conflicts = Conflicts;
  inputs.Progress = Progress;
  inputs.BeforeDisplays = [this] {
    if (OnShowPage) OnShowPage("FrCompVerb");
  };
  // The program file is written here, so that a failure of it does not stop the transfer.
  inputs.WriteProgramFile = false;
  fCompile = std::make_unique<TProjectCompile>(fProjekt, std::move(inputs));
  fCompile->Driver().ProgramTitle = ProgramTitle;
  if (OnShowPage) OnShowPage("FrCompile");
  if (!fCompile->Build()) {
    fCompile.reset();
    return false;
  }
  if (!fProjekt.FileName.empty()) {
    try {
      fCompile->Driver().ExportPrograms(TCompileDriver::ProgramFileName(fProjekt.FileName));
    } catch (const std::exception& e) {
      programFileProblem = e.what();
    }
  }
  return true;
}

TModuleImage TProjectTransferSource::ModuleImage(int adresse) const {
  TModuleImage image;
  const TBinData* data = fCompile ? fCompile->Driver().Image(adresse) : nullptr;
  if (data == nullptr) return image;
  image.Bytes.assign(data->Bytes(), data->Bytes() + kImageSize);
  image.Length = static_cast<uint32_t>(data->ImageLength());
  image.Checksum = static_cast<uint16_t>(data->ImageChecksum() & 0xFFFF);
  return image;
}

TDisplayImage TProjectTransferSource::DisplayImage(int adresse) const {
  TDisplayImage image;
  TDisplayProjekt& displays = fProjekt.DisplayProjekt();
  for (size_t i = 0; i < displays.Count(); ++i) {
    const TDisplayObjekt& d = displays[i];
    if (d.Adresse != adresse) continue;
    const size_t length = std::min(static_cast<size_t>(std::max(d.PrgLaenge, 0)), d.Speicher.size());
    image.Bytes.assign(d.Speicher.begin(), d.Speicher.begin() + static_cast<std::ptrdiff_t>(length));
    image.Startadresse = static_cast<uint32_t>(d.Startadresse);
    break;
  }
  return image;
}

TProjektInfo TProjectTransferSource::ProjectInfo() const {
  TProjektInfo info;
  info.ProjektName = fProjekt.ProjektDaten.ProjektName;
  info.Ausfuehrung = fProjekt.ProjektDaten.Ausfuehrung;
  info.Planung = fProjekt.ProjektDaten.Planung;
  info.ProgramTitle = ProgramTitle;
  return info;
}

std::vector<TInputModuleRef> TProjectTransferSource::InputModules(int adresse) {
  std::vector<TInputModuleRef> refs;
  for (int i = 0; i < fProjekt.Steuermodule.Count(); ++i) {
    TSteuermodul* stm = fProjekt.Steuermodule.GetSteuermodul(i);
    if (stm->Adresse() != adresse) continue;
    for (int k = 0; k < stm->Module.Count(); ++k) {
      TModul* m = stm->Module.GetModul(k);
      if (m->BasisKlasse != bcEingangsModule) continue;
      const std::string name = m->InternalName();
      refs.push_back({static_cast<uint8_t>(m->BusKey()), [stm, name](int state) {
                        // Looked up again: the handler never holds a module that may be gone.
                        TModul* module = stm->FindModul(name);
                        if (module == nullptr) return;
                        for (int c = 0; c < module->Ausgaenge().Count(); ++c)
                          module->Ausgaenge().GetAusgang(c)->ServiceState = c < 16 && ((state >> c) & 1) != 0;
                      }});
    }
  }
  return refs;
}

}  // namespace zyn
