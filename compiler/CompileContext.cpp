#include "compiler/CompileContext.h"

#include "compiler/CompileError.h"
#include "compiler/CompileInterfaces.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"

namespace zyn {

void TCompileContext::Report(int code, TVerbindung* link) const {
  if (fProgress != nullptr && link != nullptr) fProgress->ShowCompileProgress(code, link);
}

TBinData& TCompileContext::ImageFor(int stm, TVerbindung& link) const {
  TBinData* image = (stm >= 0 && stm < 4) ? Images[static_cast<size_t>(stm)] : nullptr;
  if (image == nullptr) {
    throw ECompileError(Ansi("Die Verbindung \"") + LinkText(link) + Ansi("\" verweist auf das Steuermodul ") +
                        std::to_string(stm) + Ansi(", das im Projekt nicht vorhanden ist."));
  }
  return *image;
}

uint16_t TCompileContext::FlagList(const TMerker* flag, int event) const {
  if (event < 0 || event > 1) return 0;
  const auto it = fFlagLists.find(flag);
  return it == fFlagLists.end() ? 0 : it->second[static_cast<size_t>(event)];
}

void TCompileContext::SetFlagList(const TMerker* flag, int event, uint16_t address) {
  if (event < 0 || event > 1) return;
  fFlagLists[flag][static_cast<size_t>(event)] = address;
}

std::string LinkText(TVerbindung& link) { return link.GetDisplayText(); }

}  // namespace zyn
