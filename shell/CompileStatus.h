#pragma once
// The build's progress as "Projekt erstellen" and the transfer show it: on the program build
// page "FrCompVerb" when there is one (brought to the front with the first compiled link), else
// the window is only kept alive.

#include "compiler/CompileInterfaces.h"

#include <QApplication>

#include <functional>
#include <utility>

namespace zyn {

class TVerbindung;

class TCompileStatus : public ICompileProgress {
 public:
  TCompileStatus(ICompileProgress* page, std::function<void()> showPage)
      : fPage(page), fShowPage(std::move(showPage)) {}
  void ShowCompileProgress(int code, TVerbindung* link) override {
    if (!link) return;
    if (fPage) {
      if (fCount++ == 0 && fShowPage) fShowPage();
      fPage->ShowCompileProgress(code, link);
    } else if (++fCount % 32 == 0) {
      QApplication::processEvents();
    }
  }

 private:
  ICompileProgress* fPage;
  std::function<void()> fShowPage;
  int fCount = 0;
};

}  // namespace zyn
