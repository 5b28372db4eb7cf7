#include "MainWindowFixture.h"

#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/support/AppFixture.h"
#include "tests/support/ProgrammeGlobals.h"

#include <QApplication>

namespace zyn::test {

void EnsureGlobals() { EnsureProgrammeGlobals(); }

void FillSmallProject(TZYNProjekt& projekt, bool badLink) {
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-APP-0001";
  auto stm = std::make_unique<TSteuermodul>();
  stm->SetInternalName("S0");
  stm->SetDisplayName("Steuermodul 0");
  stm->SetAdresse(0);
  TSteuermodul& s0 = *projekt.Steuermodule.Add(std::move(stm));
  TModul& in = b.AddModul(s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {});
  TModul& out = b.AddModul(s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
  TKanal& input = *in.Eingaenge().GetItem(0);
  TVerbindung& link = LinkFromInput(input, in, 0, 1);
  SetModuleEndpoint(link.Target(), out, badLink ? 3 : 0, 1, 5, 2);
}

std::string SaveSmallProject(const std::string& name, bool badLink) {
  TZYNProjekt projekt;
  FillSmallProject(projekt, badLink);
  const std::string file = TestHome() + name;
  if (name.size() > 4 && name.substr(name.size() - 4) == ".zcf")
    projekt.SaveZippedProjectFile(file);
  else
    projekt.SaveProjectFile(file, false);
  return file;
}

void MainWindowTest::SetUp() {
  EnsureGlobals();
  SetBoolOption(boConfigAssist, true);
  SetIntOption(0, 10);
  SetIntOption(1, 10);
  SetIntOption(2, 800);
  SetIntOption(3, 600);
  SetIntOption(4, 0);
  std::remove((GetSystemPath() + "MRUList.cfg").c_str());
  SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    if (answers.empty()) return static_cast<int>(IDOK);
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
}

void MainWindowTest::TearDown() {
  SetMessageDlgHook({});
  GProjekt.reset();
}

}  // namespace zyn::test
