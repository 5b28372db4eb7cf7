#include "PageFixture.h"

#include "frames/FramePages.h"
#include "frames/ProjectPages.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/compiler/CompilerFixture.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <filesystem>
#include <unistd.h>

namespace zyn::test {

namespace fs = std::filesystem;

namespace {

class HomeCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(PageTestHome(), ec);
  }
};
const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new HomeCleanup);

}  // namespace

const std::string& PageTestHome() {
  static const std::string home = [] {
    const fs::path dir = fs::temp_directory_path() / ("zyn_pages_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string() + "/";
  }();
  return home;
}

void EnsurePageGlobals() {
  if (!qApp) {
    static int argc = 1;
    static char name[] = "pages_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
  }
  static bool done = false;
  if (done) return;
  done = true;
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(PageTestHome() + "xdg"));
  TGlobalSetup setup;
  setup.ProgramPath = PageTestHome() + "zyn";
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
  RegisterObjectPages();
  RegisterProjectPages();
}

void FillSampleProject(TZYNProjekt& projekt) {
  TProjectBuilder b;
  projekt.ProjektGUID = "GUID-PAGES-0001";
  for (int a = 0; a < 2; ++a) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName("STM" + std::to_string(a));
    stm->SetDisplayName("Steuermodul " + std::to_string(a));
    stm->SetAdresse(a);
    projekt.Steuermodule.Add(std::move(stm));
  }
  TSteuermodul& s0 = *projekt.Steuermodule.GetSteuermodul(0);
  TSteuermodul& s1 = *projekt.Steuermodule.GetSteuermodul(1);
  TModul& in = b.AddModul(s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {}, {}, "INPUT 8");
  in.SetDisplayName("Taster Flur");
  TModul& out = b.AddModul(s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2}, {}, "OUTPUT 8");
  out.SetDisplayName("Relais Keller");
  for (int n : {0, 1, 5}) b.AddMerker(s0, n).SetInternalName("MRK" + std::to_string(n));
  s0.Merker.FindByAddress(5)->SetDisplayName("Licht");
  b.AddMerker(s1, 0).SetInternalName("MRK1-0");
  TVerbindung& toFlag = LinkFromInput(*in.Eingaenge().GetItem(0), in, 0, 1);
  SetObjectEndpoint(toFlag.Target(), kObjMerker, 0, "MRK", 5, 2);
  TVerbindung& toOut = LinkFromInput(*in.Eingaenge().GetItem(1), in, 0, 1);
  SetModuleEndpoint(toOut.Target(), out, 0, 1, 5, 2);
  TUhr& day = b.AddUhr(s0, 0, 31, 6, 30, 31, 22, 0);
  day.UhrenTyp = TUhrenTyp::utTag;
  TUhr& week = b.AddUhr(s0, 1, 1, 7, 0, 16, 18, 15);
  week.UhrenTyp = TUhrenTyp::utWoche;
  TUhr& blind = b.AddUhr(s0, 2, 127, 7, 30, 127, 20, 45);
  blind.UhrenTyp = TUhrenTyp::utRollade;
  b.AddText(s0, 0, "Guten Morgen", 2, "Licht an", 0).SetDisplayName("Begruessung");
  b.AddText(s0, 5, "Alarm", 1, "Keller", 2).SetDisplayName("Alarm");
  auto group = std::make_unique<TGruppe>();
  group->SetInternalName("GRP0");
  group->SetDisplayName("Alle Relais");
  group->SetAdresse(0);
  s0.Gruppen.Add(std::move(group));
}

std::string SaveSampleProject(const std::string& name) {
  TZYNProjekt projekt;
  FillSampleProject(projekt);
  const std::string file = PageTestHome() + name;
  projekt.SaveProjectFile(file, false);
  return file;
}

void PageTest::SetUp() {
  EnsurePageGlobals();
  SetBoolOption(boConfigAssist, true);
  SetBoolOption(boConfirmDelete, false);
  SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    if (answers.empty()) return static_cast<int>(IDOK);
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
  form = std::make_unique<TMainForm>();
  form->resize(1000, 700);
  form->show();
  QApplication::processEvents();
  form->OpenProject(SaveSampleProject("sample.zpf"));
  form->UpdateSideBarGroups();
}

void PageTest::TearDown() {
  if (form) {
    if (GProjekt) GProjekt->Modified = false;
    form->FM->SetCurrentFrame(QString());
    form->CloseProject();
    form.reset();
  }
  SetMessageDlgHook({});
  GProjekt.reset();
}

QWidget* PageTest::ShowFrame(const char* key) {
  form->FM->SetCurrentFrame(QString::fromLatin1(key));
  QApplication::processEvents();
  return form->FM->GetFrame(QString::fromLatin1(key));
}

std::unique_ptr<TZYNProjekt> PageTest::SaveAndReload() {
  const std::string file = PageTestHome() + "saved.zpf";
  std::remove(file.c_str());
  EXPECT_TRUE(GProjekt->SaveProjectFile(file, false));
  auto reread = std::make_unique<TZYNProjekt>();
  reread->LoadProjectFile(file);
  return reread;
}

void PageTest::Screenshot(QWidget* page, const std::string& name) {
  const QString folder = QStringLiteral(ZYN_BINARY_DIR) + QStringLiteral("/screenshots");
  QDir().mkpath(folder);
  const QSize old = form->size();
  form->resize(1280, 860);
  QApplication::processEvents();
  page->grab().save(folder + "/" + QString::fromStdString(name) + ".png");
  form->resize(old);
  QApplication::processEvents();
}

}  // namespace zyn::test
