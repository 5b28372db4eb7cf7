#include "display/DispModelObserver.h"

#include "display/DispObserver.h"
#include "display/DispVerbindungen.h"
#include "model/Kanal.h"
#include "model/Modul.h"

namespace zyn {

TDisplayObserver* TDisplayModulObserver::Target() const {
  return fDisplayObserver ? fDisplayObserver : GDisplayObserver;
}

void TDisplayModulObserver::ClientValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue) {
  TCustomObserver::ClientValueChanged(sender, oldValue, newValue);
  const auto* module = dynamic_cast<const TModul*>(sender);
  if (module && Target()) Target()->ChangeModuleAddress(module->InternalName(), module->BasisKlasse, newValue);
}

void TDisplayModulObserver::ClientDeleted(TBaseObject* sender) {
  TCustomObserver::ClientDeleted(sender);
  const auto* module = dynamic_cast<const TModul*>(sender);
  if (module && Target()) Target()->RemoveModule(module->InternalName());
}

void FillLinkFromChannel(TVarVerbindung& link, const TKanal& channel, const TModul& module, int stmAdresse,
                         const std::string& stmInternalName, TDisplayObserver* observer) {
  link.AusShift = module.AusShift;
  link.EinShift = module.EinShift;
  link.Kanal = channel.Adresse();
  link.KanalName = channel.DisplayName();
  link.KanalInternalName = channel.InternalName();
  if (dynamic_cast<const TEingang*>(&channel))
    link.KanalTyp = TKanalTyp::otEingang;
  else if (dynamic_cast<const TAusgang*>(&channel))
    link.KanalTyp = TKanalTyp::otAusgang;
  else
    link.KanalTyp = TKanalTyp::otUnknown;
  link.ModulAdresse = module.Adresse();
  link.BasisKlasse = module.BasisKlasse;
  link.ModulInternalName = module.InternalName();
  link.ModulKennung = module.ModulKennung;
  link.STMAdresse = stmAdresse;
  link.STMInternalName = stmInternalName;
  if (TDisplayObserver* target = observer ? observer : GDisplayObserver) target->AddLink(&link);
}

}  // namespace zyn
