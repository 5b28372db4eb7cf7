#include "MainWindowFixture.h"

#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "platform/MessageDlg.h"
#include "tests/compiler/CompilerFixture.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace zyn::test {

namespace fs = std::filesystem;

const std::string& TestHome() {
  // A home of its own for the whole test programme, with its XDG folders (settings, data, trash,
  // caches), removed when the programme ends: nothing is left in the temporary folder or in the
  // trash of the user who runs the tests.
  static const std::string home = [] {
    std::string pattern = (fs::temp_directory_path() / "zyn_app_XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for the tests");
    const fs::path dir = pattern;
    for (const auto& [variable, sub] : {std::pair{"HOME", "home"}, {"XDG_CONFIG_HOME", "home/.config"},
                                        {"XDG_DATA_HOME", "home/.local/share"}, {"XDG_CACHE_HOME", "home/.cache"},
                                        {"XDG_STATE_HOME", "home/.local/state"}}) {
      fs::create_directories(dir / sub);
      ::setenv(variable, (dir / sub).c_str(), 1);
    }
    static const fs::path removeAtExit = dir;
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(removeAtExit, ignored);
    });
    return dir.string() + "/";
  }();
  return home;
}

void EnsureGlobals() {
  TestHome();  // the environment of the test home before Qt reads it
  if (!qApp) {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
  }
  static bool done = false;
  if (done) return;
  done = true;
  TGlobalSetup setup;
  setup.ProgramPath = TestHome() + "zyn";
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
}

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
