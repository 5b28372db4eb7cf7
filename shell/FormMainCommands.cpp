// The commands of the main window that do more than switch pages: save, save as, open, close,
// compile only ("Projekt erstellen"), the recent files and the dialogs.

#include "compiler/ProjectCompile.h"
#include "compiler/CompileError.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolReport.h"
#include "display/DisplayProjekt.h"
#include "model/BasisDaten.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/CompileStatus.h"
#include "shell/FormAbout.h"
#include "shell/FormLgkonflikt.h"
#include "shell/FormMain.h"
#include "shell/FormSupportRequest.h"
#include "shell/Translation.h"
#include "visu/VisuDesignRules.h"
#include "visu/VisuProject.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/common/BrowseDr.h"
#include "widgets/common/GPanel.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <QFileDialog>

namespace zyn {

namespace {

// The frame commands: tag, side-bar position (visible group, item; -1 for none) and page.
struct TFrameCommand {
  int Tag;
  int Group;
  int Item;
  const char* Frame;
};
const TFrameCommand kFrameCommands[] = {
    {1, 0, 0, "FrStmBearb"},    {2, 0, 2, "FrModulBearb"}, {3, 0, 3, "FrTagesUhren"}, {4, 0, 4, "FrWochenUhren"},
    {5, 0, 5, "FrJRMUhren"},    {6, 0, 6, "FrMerker"},     {7, 0, 7, "FrTexte"},      {8, 0, 8, "FrGruppen"},
    {9, 1, 3, "FrPOR"},         {10, 0, 1, "FrDispBearb"}, {20, 0, 0, "FrNeu"},       {21, 0, 1, "FrOpen"},
    {23, -1, -1, "FrProjekte"}, {24, -1, -1, "FrKunden"},  {33, 3, 0, "FrTransfer"},  {40, 1, 0, "FrBasis"},
    {41, 1, 1, "FrFunktion"},   {42, 1, 2, "Display"},
};

// What the tool generation shows: the tool in the status bar, failures as messages.
class TStatusToolReport : public IToolReport {
 public:
  explicit TStatusToolReport(TzsStatusBar* bar) : fBar(bar) {}
  void SetCaption(const std::string& text) override {
    if (fBar && fBar->PanelCount() > 0) fBar->Panel(0)->SetText(ToQString(text));
  }
  void ToolFailed(const TZYNFunction&, const std::string& message, const std::string& cause) override {
    TranslatedMessageDlg(message + "\r" + cause, mtError, mbOK);
  }
  void ProcessMessages() override { QApplication::processEvents(); }

 private:
  TzsStatusBar* fBar;
};

class TConflictQuestion : public ILogicConflicts {
 public:
  int ShowLogicConflicts(const std::vector<std::string>& lines) override { return zyn::ShowLogicConflicts(lines, 5); }
};

}  // namespace

void TMainForm::SaveCommand() {
  if (!GProjekt) return;
  if (GProjekt->FileName.empty()) {
    SaveAsCommand();  // a project without a file name asks for one
    return;
  }
  TWaitCursor wait;
  if (FM->CurrentFrameObject())
    if (auto* page = dynamic_cast<IFrameMessage*>(FM->CurrentFrameObject()->Frame()))
      if (page->AskApplyChanges() == 2) return;
  if (GProjekt->Zipped)
    GProjekt->SaveZippedProjectFile(GProjekt->FileName);
  else if (!GProjekt->SaveProjectFile(GProjekt->FileName, false))
    throw EWriteError(Ansi("Das Projekt wurde nicht gespeichert."));
  GProjekt->Modified = false;
}

void TMainForm::SaveAsCommand() {
  if (!GProjekt) return;
  if (FM->GetFrame(QStringLiteral("FrSaveAs"))) {
    FM->SaveFrame();
    FM->SetCurrentFrame(QStringLiteral("FrSaveAS"));
    return;
  }
  const QString plain = ToQString(TranslateText("ZYN Projekt")) + QStringLiteral(" (*.zpf)");
  const QString zipped = ToQString(TranslateText("Komprimiertes ZYN Projekt")) + QStringLiteral(" (*.zcf)");
  QString filter = GProjekt->Zipped ? zipped : plain;
  QString name =
      QFileDialog::getSaveFileName(this, ToQString(TranslateText("Projekt speichern unter")),
                                   QString::fromStdString(GProjekt->FileName), plain + ";;" + zipped, &filter);
  if (name.isEmpty()) return;
  const bool compressed = filter == zipped || name.endsWith(QStringLiteral(".zcf"), Qt::CaseInsensitive);
  if (!name.contains(QLatin1Char('.'))) name += compressed ? QStringLiteral(".zcf") : QStringLiteral(".zpf");
  const std::string file = name.toStdString();
  TWaitCursor wait;
  if (compressed)
    GProjekt->SaveZippedProjectFile(file);
  else if (!GProjekt->SaveProjectFile(file, false))
    throw EWriteError(Ansi("Das Projekt wurde nicht gespeichert."));
  GProjekt->FileName = file;
  GProjekt->Zipped = compressed;
  GProjekt->Modified = false;
  NotifyProjectState(4, 0);
}

void TMainForm::OpenCommand() {
  if (FM->GetFrame(QStringLiteral("FrOpen"))) {
    FM->SetCurrentFrame(QStringLiteral("FrOpen"));
    return;
  }
  if (GProjekt) return;
  const QString name =
      QFileDialog::getOpenFileName(this, ToQString(TranslateText(Ansi("ZYN Projekt öffnen"))),
                                   ToQString(GOptionFile ? GetProjectPath() : std::string()),
                                   ToQString(TranslateText("ZYN Projekte")) + QStringLiteral(" (*.zpf *.zcf)"));
  if (name.isEmpty()) return;
  const std::string file = name.toStdString();
  if (!OpenProject(file)) return;
  AddRecentFile(0, file);
  FM->SetCurrentFrame(QStringLiteral("FrBasis"));
  UnlockUserInterface();
  NotifyProjectState(2, 0);
}

void TMainForm::CloseCommand() {
  // A cancelled question keeps the project, its caption and its side bar.
  if (CloseProject() != 2) NotifyProjectState(1, 0);
}

bool TMainForm::CompileOnly() {
  if (!GProjekt || !GBasisDaten) return false;
  if (GProjekt->FileName.empty()) {
    // The program file is named after the project file.
    ShowError(TranslateText("Das Projekt muss zuerst gespeichert werden."));
    return false;
  }
  TWaitCursor wait;
  LockUserInterface();
  struct TUnlock {
    TMainForm* Form;
    ~TUnlock() { Form->UnlockUserInterface(); }
  } unlock{this};
  fFrameBeforeCompile = FM->CurrentFrame();
  auto show = [this](const char* key) {
    if (FM->GetFrame(QString::fromLatin1(key))) FM->SetCurrentFrame(QString::fromLatin1(key));
  };
  show("FrCompile");
  auto setStatus = [this](const std::string& ansi) {
    if (StatusBar1->PanelCount() > 0) StatusBar1->Panel(0)->SetText(ToQString(ansi));
  };
  try {
    TStatusToolReport statusReport(StatusBar1);
    auto* pageReport = dynamic_cast<IToolReport*>(FM->GetFrame(QStringLiteral("FrCompile")));
    IToolReport* report = pageReport ? pageReport : &statusReport;
    TConflictQuestion conflicts;
    TCompileStatus progress(dynamic_cast<ICompileProgress*>(FM->GetFrame(QStringLiteral("FrCompVerb"))),
                            [show] { show("FrCompVerb"); });
    TProjectCompileInputs inputs;
    inputs.Report = report;
    inputs.Conflicts = &conflicts;
    inputs.Progress = &progress;
    TProjectCompile build(*GProjekt, inputs);
    if (!build.Build()) {
      FM->SetCurrentFrame(fFrameBeforeCompile);
      setStatus(TranslateText("Das Erstellen wurde abgebrochen."));
      return false;
    }
    setStatus(TranslateText("Das Projekt wurde erstellt: ") + Utf8ToAnsi(build.ProgramFile()));
    return true;
  } catch (const std::exception& e) {
    setStatus(TranslateText("Das Projekt konnte nicht erstellt werden."));
    ShowError(TranslateText("Das Projekt konnte nicht erstellt werden.") + "\r" + e.what());
    return false;
  }
}

void TMainForm::OpenRecent(int index) {
  if (index < 0 || index >= static_cast<int>(MRU->Items.size())) return;
  const std::string file = MRU->Items[static_cast<size_t>(index)];
  if (!FileExists(file)) {
    std::vector<std::string> files = MRU->Items;
    files.erase(files.begin() + index);
    MRU->SetItems(files);
    UpdateMenuState(GProjekt != nullptr);
    TranslatedMessageDlg(TranslateText("Das Projekt konnte nicht gefunden werden!"), mtError, mbOK);
    return;
  }
  // The new project is read whole before the open one is closed: a file that cannot be read
  // leaves the user with the project they had.
  std::unique_ptr<TZYNProjekt> projekt;
  {
    TWaitCursor wait;
    projekt = ReadProjectFile(file);
  }
  if (!projekt || (GProjekt && CloseProject() == 2)) return;
  InstallProject(std::move(projekt));
  AddRecentFile(0, file);
  FM->SetCurrentFrame(QStringLiteral("FrBasis"));
  UnlockUserInterface();
  NotifyProjectState(2, 0);
}

void TMainForm::AboutCommand() {
  try {
    TFrmAbout about(this);
    about.exec();
  } catch (const std::exception&) {
    // The about box shows nothing the user needs.
  }
}

void TMainForm::SupportCommand() {
  TFrmSupportRequest form(this, GProjekt ? GProjekt->FileName : std::string());
  form.exec();
}

void TMainForm::WizardCommand() {
  TFormEinrichtungsexperte wizard(this, fOptionFileName);
  wizard.exec();
  RefreshRecentList();
}

void TMainForm::CreateRunTimeCommand() {
  if (!GProjekt) return;
  // Without a start page the run time would be told to open ".vpg" and show nothing.
  if (!HasStartPage(GProjekt->VisuProject()) &&
      TranslatedMessageDlg(TranslateText(Ansi("Für die Visualisierung ist keine Startseite festgelegt.")) + "\r" +
                               TranslateText("Die Laufzeitumgebung zeigt beim Start keine Seite an.") + "\r" +
                               TranslateText("Soll sie trotzdem erzeugt werden?"),
                           mtWarning, mbYes | mbNo) != 6)
    return;
  TWaitCursor wait;
  if (!VSD->Execute(this)) return;
  GProjekt->VisuProject().ExportRunTime(VSD->Selection.toStdString(), TVisuExportEnv::Programme());
  if (StatusBar1->PanelCount() > 0)
    StatusBar1->Panel(0)->SetText(ToQString(TranslateText("Die Laufzeitumgebung wurde erzeugt.")));
}

void TMainForm::BatteryLow() {
  if (!GProjekt) return;
  if (TranslatedMessageDlg(TranslateText("Der Bateriestand ist niedrig!") + "\r" +
                               TranslateText("Soll das Projekt jetzt gespeichert werden?"),
                           mtConfirmation, mbYes | mbNo) == 6)
    RunGuarded([this] { SaveCommand(); });
}

void TMainForm::FrameCommand(int tag) {
  TWaitCursor wait;
  for (const TFrameCommand& c : kFrameCommands) {
    if (c.Tag != tag) continue;
    if (tag == 21 && !FM->GetFrame(QStringLiteral("FrOpen"))) {
      OpenCommand();
      return;
    }
    if (c.Group >= 0) SetSideBarPosition(c.Group, c.Item);
    if (tag == 33) {
      if (FM->CurrentFrame().isEmpty() || FM->CurrentFrame() == QStringLiteral("FrTransfer")) {
        FollowPageInSideBar();
        return;
      }
    }
    ShowCommandPage(QString::fromLatin1(c.Frame));
    return;
  }
}

void TMainForm::SetSideBarPosition(int visibleGroup, int item) {
  SB->SetActiveGroupIndex(visibleGroup);
  if (TzbSideGroup* group = SB->ActiveGroup())
    if (TzbSideBarItem* i = group->Items().GetItem(item)) {
      SB->SelectItem(i);
      i->MakeVisible();
    }
}

void TMainForm::SideBarItemClick(TzbSideBarItem& item) {
  if (fDestroying) return;
  TWaitCursor wait;
  const QString key = QString::fromStdString(item.CustomData);
  if (key == FM->CurrentFrame()) return;
  if (key == QStringLiteral("FrOpen") && !FM->GetFrame(key)) {
    OpenCommand();
    return;
  }
  if (item.Tag == 101) {
    ShowCommandPage(QStringLiteral("FrService"));
    return;
  }
  ShowCommandPage(key);
}

void TMainForm::ShowCommandPage(const QString& key) {
  FM->SetCurrentFrame(key);
  // Also when the page shown refused to be left, the side bar shows the page that is there.
  FollowPageInSideBar();
  if (FM->CurrentFrame().compare(key, Qt::CaseInsensitive) != 0) return;
  if (auto* page = dynamic_cast<IFrameRefresh*>(FM->GetFrame(key))) page->RefreshFrame();
}

void TMainForm::SideBarGroupChanged() {
  if (fDestroying) return;
  if (fSkipGroupChange) {
    fSkipGroupChange = false;
    return;
  }
  if (fUpdatingGroups || !SB->ActiveGroup()) return;
  if (GProjekt) {
    TzbSideBarItem* first = SB->ActiveGroup()->Items().GetItem(0);
    if (first && first->GetEnabled()) {
      SB->SelectItem(first);
      RunGuarded([this, first] { SideBarItemClick(*first); });
    }
  } else {
    TP->SetCaption(ToQString(GProgramTitle));
  }
}

void TMainForm::SelectFirstSideItem() {
  if (TzbSideGroup* group = SB->ActiveGroup())
    if (TzbSideBarItem* first = group->Items().GetItem(0)) {
      SB->SelectItem(first);
      first->MakeVisible();
    }
}

}  // namespace zyn
