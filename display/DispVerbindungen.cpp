#include "display/DispVerbindungen.h"

#include "display/DispObserver.h"

namespace zyn {

TVarVerbindung::~TVarVerbindung() {
  if (fObserver) fObserver->ForgetLink(this);
}

void TVarVerbindung::ResetLink() {
  if (fObserver) fObserver->ForgetLink(this);
  ModulAdresse = -1;
  STMAdresse = -1;
  BasisKlasse = -1;
  Kanal = -1;
  KanalName.clear();
  KanalInternalName.clear();
  ModulInternalName.clear();
  ModulKennung.clear();
  STMInternalName.clear();
  EinShift = 0;
  AusShift = 0;
  KanalTyp = TKanalTyp::otNone;
}

void TVarVerbindung::CopyLink(const TVarVerbindung& source) {
  AusShift = source.AusShift;
  EinShift = source.EinShift;
  Kanal = source.Kanal;
  KanalName = source.KanalName;
  KanalInternalName = source.KanalInternalName;
  KanalTyp = source.KanalTyp;
  ModulAdresse = source.ModulAdresse;
  BasisKlasse = source.BasisKlasse;
  ModulInternalName = source.ModulInternalName;
  ModulKennung = source.ModulKennung;
  STMAdresse = source.STMAdresse;
  STMInternalName = source.STMInternalName;
}

}  // namespace zyn
