#include "bus/DimmerCurveTransfer.h"

#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/Kanal.h"
#include "model/Kennlinien.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "project/Steuermodul.h"

#include <algorithm>

namespace zyn {

bool TakesCurves(const TModul& modul) { return modul.Dimmerzusatz || modul.Analogzusatz; }

int CurveOutputCount(const TSteuermodul& stm) {
  int n = 0;
  for (int i = 0; i < stm.Module.Count(); ++i) {
    const TModul* modul = stm.Module.GetModul(i);
    if (TakesCurves(*modul)) n += modul->Ausgaenge().Count();
  }
  return n;
}

void MirrorAndInvert(TCurve& curve) {
  for (size_t k = 0; k < 128; ++k) {
    const uint8_t low = curve[k], high = curve[255 - k];
    curve[k] = static_cast<uint8_t>(255 - high);
    curve[255 - k] = static_cast<uint8_t>(255 - low);
  }
}

bool NeedsMirroredCurve(const TModul& modul) {
  const std::string name = UpperCase(modul.ModulKlasse);
  return name == "DIM_AN" || name == "DIM_SAN";
}

TCurveTransferResult TransferDimmerCurves(TZYNComm& comm, TSteuermodul& stm, const TZYNKennlinienListe& curves,
                                          const TCurveTransferEvents& events) {
  TCurveTransferResult result;
  auto line = [&](const std::string& text) {
    if (events.OnLine) events.OnLine(text);
  };
  for (int mi = 0; mi < stm.Module.Count(); ++mi) {
    TModul& modul = *stm.Module.GetModul(mi);
    if (!TakesCurves(modul)) continue;
    // One block per module: nothing of another module's block reaches this one's header.
    TParameterBlock block{};
    TCurve work{};
    bool curveOk = false;
    for (int i = 0; i < modul.Ausgaenge().Count(); ++i) {
      const TAusgang& output = *modul.Ausgaenge().GetItem(i);
      ++result.Outputs;
      if (events.OnOutput) events.OnOutput(modul, i);
      // The result texts of one output: "STM%2.2d.%s.%2.2d.%2.2d-%s" in a translated pattern.
      auto outputText = [&](const char* pattern) {
        return FormatText(comm.TranslateText(Ansi(pattern)).c_str(), stm.Adresse(), modul.ModulKennung.c_str(),
                          modul.Adresse(), output.Adresse(), output.DisplayName().c_str());
      };
      const char* failed = "Übertragungsfehler: STM%2.2d.%s.%2.2d.%2.2d-%s";
      if (i == 0 || i == 1) {
        // The curve of the output, prepared once; later outputs reuse it as it stands.
        const int index = i == 0 ? modul.DimmerDaten.LeftKennlinie : modul.DimmerDaten.RightKennlinie;
        const TZYNKennlinie* curve = index >= 0 && index < curves.Count() ? curves.Items(index) : nullptr;
        curveOk = curve != nullptr;
        if (!curveOk) {
          ++result.Errors;
          line(outputText(failed) + " " +
               FormatText(comm.TranslateText(Ansi("(Kennlinie %d nicht vorhanden)")).c_str(), index));
          continue;
        }
        work = curve->Werte;
        if (NeedsMirroredCurve(modul)) MirrorAndInvert(work);
      } else if (!curveOk) {
        ++result.Errors;
        line(outputText(failed) + " " + comm.TranslateText(Ansi("(keine Kennlinie)")));
        continue;
      }
      const int h = modul.BuildParameterHeader(block.data(), i, 1);
      std::copy(work.begin(), work.end(), block.begin() + h);
      if (comm.WriteDimmerCurve(ModuleByte(modul), static_cast<uint8_t>(i), block.data())) {
        line(outputText("Übertragung an.....: STM%2.2d.%s.%2.2d.%2.2d-%s erfolgreich beendet."));
      } else {
        ++result.Errors;
        line(outputText(failed));
      }
    }
  }
  line(FormatText(comm.TranslateText(Ansi("Übertragung mit %d Fehlern beendet!")).c_str(), result.Errors));
  return result;
}

}  // namespace zyn
