#include "tests/logic/LinkPageFixture.h"

#include "logic/LogicDialogs.h"
#include "logic/LogicPages.h"
#include "model/Gruppe.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QTableWidget>

#include <cstdio>

namespace zyn::test {

namespace {

void EnsureLinkGlobals() {
  EnsureApp();
  static bool done = false;
  if (done) return;
  done = true;
  TGlobalSetup setup;
  setup.ProgramPath = TestHome() + "/zyn";
  setup.DefaultSystemData = std::string(ZYN_BINARY_DIR) + "/data/system";
  setup.OnMessage = [](const std::string&, TStartMessageButton) {};
  InitGlobals(setup);
  RegisterLogicPages();
}

void Name(TKanal& k, const std::string& list, const std::string& name) {
  k.BefehlsListe = list;
  k.SetDisplayName(name);
}

}  // namespace

void FillLinkProject(TProjectBuilder& b) {
  b.NamePrefix = "L";
  TSteuermodul& s0 = b.AddStm(0);
  TSteuermodul& s1 = b.AddStm(1);
  TModul& in = b.AddModul(s0, 0, 1, "INP", 3, 0, 0, {0, 1, 2}, {}, {}, "INP");
  for (int i = 0; i < 3; ++i) Name(*in.FindEingang(i), "Eingangsfunktionen Taster", "Taster " + std::to_string(i));
  TModul& pir = b.AddModul(s0, 0, 2, "PIR", 3, 0, 0, {0}, {}, {}, "Input PIR");
  Name(*pir.FindEingang(0), "Eingangsfunktionen Bewegungsmelder", "Melder");
  TModul& out = b.AddModul(s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2, 3, 4}, {}, "OUT");
  for (int i = 1; i <= 3; ++i) Name(*out.FindAusgang(i), "Ausgangsfunktionen Schalter", "Licht " + std::to_string(i));
  Name(*out.FindAusgang(4), "Ausgangsfunktionen Dimmer", "Dimmer 4");
  for (int n = 0; n < 3; ++n) b.AddMerker(s0, n);
  s0.Merker.FindByAddress(2)->SetReserviert(true);
  b.AddUhr(s0, 0, 31, 6, 30, 31, 22, 0).SetDisplayName("Morgens");
  b.AddText(s0, 0, "Guten Morgen", 2, "", 0).SetDisplayName("Gruss");
  b.AddGruppe(s0, 0, {out.FindAusgang(1)}).SetDisplayName("Alle Lichter");
  TModul& in1 = b.AddModul(s1, 0, 3, "INP", 3, 0, 0, {0}, {}, {}, "INP");
  Name(*in1.FindEingang(0), "Eingangsfunktionen Taster", "Taster B");
  TModul& out1 = b.AddModul(s1, 2, 7, "OUT", 0, 5, 3, {}, {1}, {}, "OUT");
  Name(*out1.FindAusgang(1), "Ausgangsfunktionen Schalter", "Licht B");
}

void LinkPageTest::SetUp() {
  EnsureLinkGlobals();
  SetBoolOption(boConfigAssist, true);
  SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    return static_cast<int>(IDOK);
  });
  SetLogicDialogHook([this](QDialog& dialog) {
    if (dialogs.empty()) return 1;
    auto next = dialogs.front();
    dialogs.erase(dialogs.begin());
    return next(dialog);
  });
  TProjectBuilder builder;
  FillLinkProject(builder);
  projectFile = TestHome() + "/links.zpf";
  builder.Projekt.SaveProjectFile(projectFile, false);
  form = std::make_unique<TMainForm>();
  form->resize(1100, 760);
  form->show();
  QApplication::processEvents();
  form->OpenProject(projectFile);
  form->FM->SetCurrentFrame(QStringLiteral("FrFunktion"));
  QApplication::processEvents();
  page = dynamic_cast<TFrFunktion*>(form->FM->GetFrame(QStringLiteral("FrFunktion")));
  ASSERT_NE(page, nullptr);
}

void LinkPageTest::TearDown() {
  if (form) {
    if (GProjekt) GProjekt->Modified = false;
    form->FM->SetCurrentFrame(QString());
    form->CloseProject();
    form.reset();
  }
  SetLogicDialogHook({});
  SetMessageDlgHook({});
  GProjekt.reset();
  std::remove(projectFile.c_str());
}

bool LinkPageTest::Pick(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  if (index < 0) return false;
  box->setCurrentIndex(index);
  QApplication::processEvents();
  return true;
}

void LinkPageTest::SelectInput(const QString& object, int row) {
  ASSERT_TRUE(Pick(page->OEingang, object)) << object.toStdString();
  page->EGrid->setCurrentCell(row, 0);
  page->EGrid->selectRow(row);
}

void LinkPageTest::SelectOutputs(const QString& object, const std::vector<int>& rows) {
  ASSERT_TRUE(Pick(page->OAusgang, object)) << object.toStdString();
  QTableWidget* grid = page->AGrid;
  grid->clearSelection();
  grid->setCurrentCell(rows.front(), 0);
  for (int r : rows)
    grid->selectionModel()->select(grid->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void LinkPageTest::Reactivate() {
  form->FM->SetCurrentFrame(QString());
  form->FM->SetCurrentFrame(QStringLiteral("FrFunktion"));
  QApplication::processEvents();
}

}  // namespace zyn::test
