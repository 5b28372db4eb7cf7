#include "DesignerFixture.h"

#include "display/DisplayProjekt.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/DisplayMain.h"
#include "logic/LogicDialogs.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/base/Filer.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "tests/support/AppFixture.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/ProgrammeGlobals.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QFile>

#include <cstdlib>

namespace zyn::test {

void EnsureDesignerGlobals() { EnsureProgrammeGlobals(); }

void ScriptMessages(std::vector<QString>& shown, std::vector<int>& answers) {
  SetMessageDlgHook([&shown, &answers](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    if (answers.empty()) return static_cast<int>(IDOK);
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
}

namespace {

template <class T>
void AddChannels(TModul& m, int count, const std::string& list, bool inputs) {
  for (int a = 0; a < count; ++a) {
    auto k = std::make_unique<T>();
    k->SetInternalName(m.InternalName() + "_K" + std::to_string(a));
    k->SetDisplayName((inputs ? "Taster " : "Licht ") + std::to_string(a));
    k->SetAdresse(a);
    k->BefehlsListe = list;
    if constexpr (std::is_same_v<T, TEingang>)
      m.Eingaenge().Add(std::move(k));
    else
      m.Ausgaenge().Add(std::move(k));
  }
}

TModul& AddModule(TSteuermodul& stm, const std::string& name, int basis, int address, int ausShift) {
  auto m = std::make_unique<TModul>();
  m->SetInternalName(name);
  m->SetDisplayName(name == "INP" ? "Taster Flur" : "Relais Keller");
  m->BasisKlasse = basis;
  m->SetAdresse(address);
  m->ModulKennung = name;
  m->ModulKlasse = name;
  m->AusShift = ausShift;
  return *stm.Module.Add(std::move(m));
}

}  // namespace

void DesignerTest::SetUp() {
  EnsureDesignerGlobals();
  ScriptMessages(shown, answers);
  PromptKeyLabel = [this](QWidget*, QString& label) {
    if (labels.empty()) return true;
    label = labels.front();
    labels.erase(labels.begin());
    return true;
  };
  SetLogicDialogHook([](QDialog&) { return 1; });
  GProjekt = std::make_unique<TZYNProjekt>();
  for (int a = 0; a < 2; ++a) {
    auto stm = std::make_unique<TSteuermodul>();
    stm->SetInternalName("STM" + std::to_string(a));
    stm->SetDisplayName("Steuermodul " + std::to_string(a));
    stm->SetAdresse(a);
    GProjekt->Steuermodule.Add(std::move(stm));
  }
  AddChannels<TEingang>(AddModule(*GProjekt->Steuermodule.GetSteuermodul(0), "INP", 0, 3, 0), 6,
                        "Eingangsfunktionen Taster", true);
  AddChannels<TAusgang>(AddModule(*GProjekt->Steuermodule.GetSteuermodul(1), "OUT", 2, 5, 4), 4,
                        "Ausgangsfunktionen Schalter", false);
  TDisplayProjekt& project = GProjekt->DisplayProjekt();
  TDisplayObjekt* display = project.AddNewDisplay();
  display->InitNew(project);
  display->Modified = false;
}

void DesignerTest::TearDown() {
  designer.reset();
  GProjekt.reset();
  SetLogicDialogHook({});
  SetMessageDlgHook({});
  PromptKeyLabel = [](QWidget*, QString&) { return false; };
}

TDisplayObjekt& DesignerTest::Display() { return GProjekt->DisplayProjekt()[0]; }
TBildschirm& DesignerTest::Start() { return *Display().StartBildschirm; }

TDisplay& DesignerTest::Designer() {
  if (!designer) {
    designer = std::make_unique<TDisplay>();
    designer->resize(1100, 700);
    designer->show();
    designer->FrameActivate();
    QApplication::processEvents();
  }
  return *designer;
}

std::vector<uint8_t> DesignerTest::ProjectBytes() {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    GProjekt->DisplayProjekt().WriteData(writer);
  }
  return stream.Bytes();
}

TKanal* DesignerTest::Input(int number) {
  return GProjekt->Steuermodule.GetSteuermodul(0)->Module.GetModul(0)->Eingaenge().GetItem(number);
}

TKanal* DesignerTest::Output(int number) {
  return GProjekt->Steuermodule.GetSteuermodul(1)->Module.GetModul(0)->Ausgaenge().GetItem(number);
}

void ExpectGolden(const QImage& image, const std::string& name) {
  const QString n = QString::fromStdString(name);
  ExpectSameAsGolden(image, QStringLiteral(ZYN_SOURCE_DIR "/tests/display/ui/golden/") + n + QStringLiteral(".png"), n);
}

}  // namespace zyn::test
