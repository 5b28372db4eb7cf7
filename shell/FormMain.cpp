#include "shell/FormMain.h"

#include "display/DispObserver.h"
#include "display/DisplayProjekt.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Observer.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/Branding.h"
#include "shell/FormSplash.h"
#include "shell/GlobalGui.h"
#include "shell/PwrSave.h"
#include "shell/RecentFiles.h"
#include "shell/Translation.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/common/AlignLayout.h"
#include "widgets/common/BrowseDr.h"
#include "widgets/common/FoldPanel.h"
#include "widgets/common/GPanel.h"
#include "widgets/common/ZsSplitter.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <map>

namespace zyn {

namespace {

std::string FileNameOnly(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True when the file holds a compressed project; a file that does not inflate is not one.
bool IsZippedProjectFile(const std::string& name) {
  try {
    return TZYNProjekt::IsProjectFile(name, true);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

const std::vector<TFrameRegistration>& MainFrameTable() {
  // The working pages in registration order. A page gets its maker here when it is built.
  static const std::vector<TFrameRegistration> table = {
      {"FrNeu", "Neues Projekt erstellen", {}},
      {"FrOpen", "ZYN Projekt öffnen", {}},
      {"FrSaveAs", "Projekt speichern unter", {}},
      {"FrStmBearb", "Steuermodule bearbeiten", {}},
      {"FrModulBearb", "Module bearbeiten", {}},
      {"FrTagesUhren", "Tagesuhren bearbeiten", {}},
      {"FrWochenUhren", "Wochenuhren bearbeiten", {}},
      {"FrJRMUhren", "JRM- Uhren bearbeiten", {}},
      {"FrMerker", "Merker bearbeiten", {}},
      {"FrTexte", "Anzeigetexte bearbeiten", {}},
      {"FrGruppen", "Gruppen bearbeiten", {}},
      {"FrDispBearb", "Displays bearbeiten", {}},
      {"FrBasis", "Basisprogrammierung", {}},
      {"FrFunktion", "Funktionsprogrammierung", {}},
      {"Display", "Displayprogrammierung", {}},
      {"FrPOR", "Einschaltbedingungen", {}},
      {"FrTransfer", "Projekt übertragen", {}},
      {"FrOptionen", "Allgemeine Optionen", {}},
      {"FrCompile", "Toolcompiler ausführen", {}},
      {"FrCompVerb", "STM- Programm erzeugen", {}},
      {"FrService", "Servicefunktionen", {}},
      {"FrKunden", "Kundendatenbank", {}},
      {"FrProjekte", "Projektdatenbank", {}},
      {"FrFunctionEdit", "Funktionslisten", {}},
      {"FrBrowser", "ZYN Homepage", {}},
      {"FrBasisDaten", "Basisdaten", {}},
      {"FrSetClock", "Uhrzeit setzen", {}},
      {"FrPrintVorschau", "Projektdokumentation", {}},
      {"FrNewService", "Uhrensimulation", {}},
      {"FrSTMInfo", "Informationen über Projekt im STM", {}},
      {"FrSTMListing", "Binärprogramm aus STM", {}},
      {"FrSelbstTest", "Steuermodul testen", {}},
      {"FrDimmerKennlinie", "Dimmerkennlinien übertragen", {}},
      {"FrModulcheck", "Module scannen", {}},
      {"FrJRMPrio", "Prioritätsebenen JRM freigeben", {}},
      {"FrEditKennlinie", "Kennlinien bearbeiten", {}},
      {"FrVisuEntwurf", "Visualisierung bearbeiten", {}},
      {"FrVisuCreateRT", "Visualisierung Laufzeitumgebung erstellen", {}},
      {"FrVisuProjekt", "Visualisierungsprojekt bearbeiten", {}},
      {"FrEditSTMUhren", "Schaltuhren im STM ändern", {}},
      {"FrSTMMonitor", "Monitor für STM- BUS", {}},
      {"FrmEditSTMMerker", "STM- Merker bearbeiten", {}},
  };
  return table;
}

namespace {
std::vector<std::pair<std::string, std::function<TFrame*()>>>& FrameMakers() {
  static std::vector<std::pair<std::string, std::function<TFrame*()>>> makers;
  return makers;
}
}  // namespace

void RegisterFrameMaker(const std::string& key, std::function<TFrame*()> maker) {
  for (auto& [k, m] : FrameMakers())
    if (k == key) {
      m = std::move(maker);
      return;
    }
  FrameMakers().emplace_back(key, std::move(maker));
}

std::function<TFrame*()> RegisteredFrameMaker(const std::string& key) {
  for (const auto& [k, m] : FrameMakers())
    if (k == key) return m;
  return {};
}

namespace {
std::vector<std::pair<std::string, std::function<void(QWidget*)>>>& Commands() {
  static std::vector<std::pair<std::string, std::function<void(QWidget*)>>> commands;
  return commands;
}
}  // namespace

void RegisterCommand(const std::string& itemName, std::function<void(QWidget* parent)> command) {
  Commands().emplace_back(itemName, std::move(command));
}

std::function<void(QWidget* parent)> RegisteredCommand(const std::string& itemName) {
  for (auto it = Commands().rbegin(); it != Commands().rend(); ++it)
    if (it->first == itemName) return it->second;
  return {};
}

IMessageHandler* GetMessageHandler() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = dynamic_cast<TMainForm*>(w)) return form;
  return nullptr;
}

TMainForm::TMainForm(const std::string& projectFile, TSplash* splash, const std::string& optionFileName)
    : fOptionFileName(optionFileName), fWizardGate(optionFileName) {
  setObjectName(QStringLiteral("FormMain"));
  setMinimumSize(640, 480);
  resize(640, 483);
  BuildBars();
  BuildLayout();
  BuildSideBar();
  Screen = std::make_unique<TzbBarScreen>(*BM);
  Screen->SetClientWidget(Client);
  MainMenu->SetVisible(true);
  for (TzbBar* bar : Toolbars) bar->SetVisible(true);

  TranslateForm(this);
  QApplication::setApplicationDisplayName(QString());
  setWindowTitle(ToQString(GProgramTitle));
  const QIcon icon = GetMainIcon();
  QApplication::setWindowIcon(icon);
  setWindowIcon(icon);
  VSD = std::make_unique<TzsBrowseDirectoryDlg>();
  VSD->SetOptions(bfDirectoriesOnly | bfEditBox);
  VSD->Caption = ToQString(TranslateText("Visuprojekt erzeugen"));
  VSD->StatusText = ToQString(TranslateText(Ansi("Verzeichnis zur Projektablage wählen")));
  PowerSave = new TPwrSave(this);
  PowerSave->AllowSuspend = true;
  PowerSave->AllowStandby = true;
  PowerSave->AllowEndSession = false;
  PowerSave->OnBatteryLow = [this](QObject*) { BatteryLow(); };

  RegisterFrames(splash);
  HookObservers();
  qApp->installEventFilter(this);

  // The recent files, so that the project of the command line joins them.
  try {
    MRU->SetMaxItemCount(GOptionFile ? GetRecentFilesMax() : 4);
    std::vector<std::string> files = LoadRecentFiles(RecentFilesPath());
    TrimRecentFiles(files, MRU->MaxItemCount());
    MRU->SetItems(files);
  } catch (const std::exception&) {
    // An unreadable list starts empty.
  }

  std::error_code ec;
  if (!projectFile.empty() && std::filesystem::is_directory(projectFile, ec)) {
    ShowError(Ansi("\"") + Utf8ToAnsi(projectFile) +
              Ansi("\" ist ein Ordner und keine Projektdatei. Bitte geben Sie eine Projektdatei (.zpf, .zcf) an."));
  } else if (!projectFile.empty() && FileExists(projectFile)) {
    try {
      if (OpenProject(projectFile)) AddRecentFile(0, projectFile);
      UpdateSideBarGroups();
      fSkipGroupChange = false;
      SB->SetActiveGroup(SB->Groups().GetItem(2));
      SelectFirstSideItem();
      FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
}

TMainForm::~TMainForm() {
  fDestroying = true;
  qApp->removeEventFilter(this);
  if (GProjekt && GProjekt.get()) {
    // The project outlives no window that shows it.
    DetachObservers();
    ClearObserverEvents();
  }
  FM->FOnFrameChanged = nullptr;
  SB->OnItemClick = nullptr;
  SB->OnChangeActiveGroup = nullptr;
  Screen.reset();
  BM.reset();
  // The widgets go before the pictures and items they show.
  delete Client;
  Client = nullptr;
}

void TMainForm::BuildLayout() {
  Client = new QWidget(this);
  auto* layout = new TAlignLayout(Client);
  StatusBar1 = new TzsStatusBar(Client);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  TzsStatusPanel* text = StatusBar1->AddPanel();
  text->SetWidth(470);
  text->SetBorderWidth(3);  // the text keeps a margin from the panel's edge
  TzsStatusPanel* date = StatusBar1->AddPanel();
  date->SetPanelType(sptDate);
  date->SetDateFormat(QStringLiteral("dd.mm.yyyy"));
  date->SetWidth(80);
  date->SetAlignment(TTextAlignment::taCenter);
  TzsStatusPanel* time = StatusBar1->AddPanel();
  time->SetPanelType(sptTime);
  time->SetTimeFormat(QStringLiteral("hh:nn:ss"));
  time->SetWidth(80);
  time->SetAlignment(TTextAlignment::taCenter);
  StatusBar1->setFixedHeight(22);
  layout->AddWidget(StatusBar1, alBottom);

  FP = new TFoldPanel(Client);
  FP->setObjectName(QStringLiteral("FP"));
  // Folds in its width, to a strip at the left, with the glyph along the top.
  FP->SetOrientation(foHorizontal);
  FP->SetBevelInner(TBevelCut::bvNone);
  FP->SetBevelOuter(TBevelCut::bvNone);
  FP->SetSeperated(false);
  FP->SetFoldActiveColor(static_cast<TColor>(16764879));
  FP->resize(130, FP->height());
  layout->AddWidget(FP, alLeft);
  SB = new TzbSideBar(FP->Client());
  SB->setObjectName(QStringLiteral("SB"));
  auto* sbLayout = new QVBoxLayout(FP->Client());
  sbLayout->setContentsMargins(0, 0, 0, 0);
  sbLayout->addWidget(SB);

  SP = new TzsSplitter(Client);
  SP->setObjectName(QStringLiteral("SP"));
  SP->SetMinSize(130);
  // Wide enough to hit, with its button that shrinks the side bar to its minimum and back; the
  // side bar follows the drag at once.
  SP->resize(10, SP->height());
  SP->SetResizeStyle(rsUpdate);
  layout->AddWidget(SP, alLeft);

  FramePanel = new QWidget(Client);
  FramePanel->setObjectName(QStringLiteral("FramePanel"));
  layout->AddWidget(FramePanel, alClient);
  auto* frameLayout = new TAlignLayout(FramePanel);
  frameLayout->setContentsMargins(2, 2, 2, 2);
  TP = new TGPanel(FramePanel);
  TP->setObjectName(QStringLiteral("TP"));
  // White text needs a dark ground over the whole width: from the dark to the plain shadow.
  TP->SetColor_1(cl3DDkShadow);
  TP->SetColor_2(clBtnShadow);
  TP->SetFontColor(clWhite);
  QFont font = TP->font();
  font.setPixelSize(19);
  font.setBold(true);
  font.setItalic(true);
  TP->setFont(font);
  TP->setFixedHeight(32);
  frameLayout->AddWidget(TP, alTop);
  auto* spacer = new QWidget(FramePanel);
  spacer->setObjectName(QStringLiteral("SplittPanel"));
  spacer->setFixedHeight(3);
  frameLayout->AddWidget(spacer, alTop);
  FM = new TFrameManager(FramePanel);
  FM->setObjectName(QStringLiteral("FM"));
  FM->SetDefaultTitle(QStringLiteral("ZORV ZYN"));
  FM->SetEmptyColor(clBtnShadow);
  FM->SetColor(clBtnShadow);
  FM->FOnFrameChanged = [this](QObject*, TFrame* frame, const QString& title) { OnFrameChanged(frame, title); };
  frameLayout->AddWidget(FM, alClient);
  TP->SetCaption(FM->DefaultTitle());
}

void TMainForm::RegisterFrames(TSplash* splash) {
  if (splash && splash->PB) {
    splash->PB->setRange(0, 35);
    splash->PB->setValue(0);
  }
  QApplication::processEvents();
  for (const TFrameRegistration& row : MainFrameTable()) {
    if (const auto make = row.Create ? row.Create : RegisteredFrameMaker(row.Key)) {
      try {
        TFrame* frame = make();
        frame->setObjectName(QString::fromLatin1(row.Key));
        if (FM->AddFrame(frame, ToQString(TranslateText(Utf8ToAnsi(row.Title))), faClient) < 0) delete frame;
      } catch (const std::exception&) {
        // A page that cannot be made is left out; the others still work.
      }
    }
    if (splash && splash->PB) splash->PB->setValue(std::min(splash->PB->value() + 1, splash->PB->maximum()));
    QApplication::processEvents();
  }
}

void TMainForm::HookObservers() {
  HookObserverReactions([this](const std::function<void()>& reaction) {
    if (fDestroying) return;
    TWaitCursor wait;
    reaction();
  });
}

bool TMainForm::Terminating() const { return fDestroying || QCoreApplication::closingDown(); }

void TMainForm::RunGuarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TMainForm::ShowError(const std::string& ansiText) { TranslatedMessageDlg(ansiText, mtError, mbOK); }

// ------------------------------------------------------------------------------------------------
// IMessageHandler

void TMainForm::LockUserInterface() {
  if (Terminating()) return;
  fLocked = true;
  for (int i = 0; i < BM->GetItemCount(); ++i) BM->GetItem(i)->SetEnabled(false);
  SB->setEnabled(false);
}

void TMainForm::UnlockUserInterface() {
  if (Terminating()) return;
  TWaitCursor wait;
  for (int i = 0; i < BM->GetItemCount(); ++i) BM->GetItem(i)->SetEnabled(true);
  SB->setEnabled(true);
  fLocked = false;
  UpdateMenuState(true);
}

void TMainForm::CollapseSideBar() {
  if (!Terminating() && FP->FoldStatus() != fsCollapsed) FP->SetFoldStatus(fsCollapsed);
}

void TMainForm::ExpandSideBar() {
  if (!Terminating() && FP->FoldStatus() != fsExpanded) FP->SetFoldStatus(fsExpanded);
}

void TMainForm::ClearCurrentFrame() {
  if (!Terminating()) FM->SetCurrentFrame(QString());
}

void TMainForm::NotifyProjectState(int kind, int argument) {
  if (Terminating()) return;
  switch (kind) {
    case 1:
      setWindowTitle(ToQString(GProgramTitle));
      UpdateSideBarGroups();
      SB->SetActiveGroupIndex(1);
      break;
    case 2: {
      HookObservers();  // a project opened or made by a page gets the observers' handlers
      SetProjectCaption();
      UpdateSideBarGroups();
      FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
      if (argument == 0)
        SB->SetActiveGroup(SB->Groups().GetItem(GProjekt && GProjekt->GetAusgangsCount() < 1 ? 1 : 2));
      else if (argument == 1)
        SB->SetActiveGroup(SB->Groups().GetItem(1));
      SelectFirstSideItem();
      if (GProjekt) AddRecentFile(0, GProjekt->FileName);
      if (FM->CurrentFrameObject()) TP->SetCaption(FM->CurrentFrameObject()->TitleText);
      FollowPageInSideBar();  // the page shown wins over the group's first entry
      break;
    }
    case 3:
      FM->SetCurrentFrame(FM->SavedFrame());
      break;
    case 4:
      SetProjectCaption();
      if (GProjekt) AddRecentFile(0, GProjekt->FileName);
      FM->RestoreFrame();
      break;
    default:
      break;
  }
}

void TMainForm::RefreshRecentList() {
  if (Terminating()) return;
  try {
    MRU->SetMaxItemCount(GetRecentFilesMax());
    std::vector<std::string> files = MRU->Items;
    TrimRecentFiles(files, MRU->MaxItemCount());
    MRU->SetItems(files);
  } catch (const std::exception&) {
    // The list stays as it was.
  }
  UpdateMenuState(true);
}

// ------------------------------------------------------------------------------------------------
// Project

void TMainForm::SetProjectCaption() {
  if (GProjekt)
    setWindowTitle(ToQString(GProgramTitle) + QStringLiteral(" - [") +
                   QString::fromStdString(FileNameOnly(GProjekt->FileName)) + QStringLiteral("]"));
  else
    setWindowTitle(ToQString(GProgramTitle));
}

bool TMainForm::OpenProject(const std::string& fileName) {
  std::unique_ptr<TZYNProjekt> projekt = ReadProjectFile(fileName);
  if (!projekt) return false;
  InstallProject(std::move(projekt));
  return true;
}

std::unique_ptr<TZYNProjekt> TMainForm::ReadProjectFile(const std::string& fileName) {
  TWaitCursor wait;
  bool zipped = false;
  if (!TZYNProjekt::IsProjectFile(fileName, false)) {
    if (!IsZippedProjectFile(fileName))
      throw EReadError(Ansi("Die Datei ist keine ZYN Projektdatei: ") + Utf8ToAnsi(fileName));
    zipped = true;
  }
  auto projekt = std::make_unique<TZYNProjekt>();
  projekt->BasisDaten = GBasisDaten.get();
  projekt->FileName = fileName;
  bool partial = false;
  try {
    if (zipped)
      projekt->LoadZippedProjectFile(fileName);
    else
      projekt->LoadProjectFile(fileName);
  } catch (const EProjectPartlyRead& e) {
    if (!OfferPartlyReadProject(*projekt, fileName, e)) return nullptr;
    partial = true;
  } catch (const std::exception& e) {
    // The message names the file: a bare read error does not say which one is damaged.
    throw EReadError(Ansi("Die Projektdatei \"") + Utf8ToAnsi(fileName) +
                     Ansi("\" ist beschädigt und konnte nicht gelesen werden: ") + e.what());
  }
  // Damaged keys, functions, links or objects of a display were skipped: say which, and where.
  const std::string skipped = projekt->DisplayProjekt().SkippedWarning();
  if (!skipped.empty()) TranslatedMessageDlg(skipped, mtWarning, mbOK);
  projekt->Zipped = zipped;
  projekt->Modified = partial;
  projekt->OnQuestion = AskProjectQuestion;
  return projekt;
}

void TMainForm::InstallProject(std::unique_ptr<TZYNProjekt> projekt) {
  if (GProjekt) {
    DetachObservers();
    ClearObserverEvents();
  }
  GProjekt = std::move(projekt);
  GProjekt->DisplayObserver = GDisplayObserver;
  AttachObservers();
  HookObservers();
  SetProjectCaption();
  fSkipGroupChange = true;
}

int TMainForm::CloseProject() {
  if (!GProjekt) return 1;
  if (FM->CurrentFrameObject()) {
    if (auto* page = dynamic_cast<IFrameMessage*>(FM->CurrentFrameObject()->Frame()))
      if (page->AskApplyChanges() == 2) return 2;  // the page keeps its edits and the project stays
  }
  int answer = 1;
  if (GProjekt->Modified) {
    answer = TranslatedMessageDlg(TranslateText(Ansi("Das Projekt wurde geändert.")) + "\r" +
                                      TranslateText(Ansi("Sollen die Änderungen gespeichert werden?")),
                                  mtConfirmation, mbYes | mbNo | mbCancel);
    if (answer == 2) return 2;
    if (answer == 6) {
      try {
        SaveCommand();
      } catch (const std::exception& e) {
        ShowError(e.what());
        return 2;  // nothing is lost: the project stays open
      }
      if (GProjekt->Modified) return 2;
    }
  }
  DetachObservers();
  ClearObserverEvents();
  FM->SetCurrentFrame(QStringLiteral("*"));
  GProjekt.reset();
  setWindowTitle(ToQString(GProgramTitle));
  // A message about the closed project does not stay.
  if (StatusBar1->PanelCount() > 0) StatusBar1->Panel(0)->SetText(QString());
  return answer;
}

void TMainForm::AddRecentFile(int position, const std::string& fileName) {
  std::vector<std::string> files = MRU->Items;
  zyn::AddRecentFile(files, position, fileName, MRU->MaxItemCount());
  MRU->SetItems(files);
}

std::vector<std::string> TMainForm::RecentFiles() const { return MRU->Items; }

void TMainForm::SaveMainOptions() {
  if (GOptionFile) {
    // The place is the frame's top-left corner (title bar included), the size the client area's.
    const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
    const QRect r = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (r.isValid()) {
      SetIntOption(0, r.left() - frameOffset.x());
      SetIntOption(1, r.top() - frameOffset.y());
      SetIntOption(2, r.width());
      SetIntOption(3, r.height());
    }
    SetIntOption(4, isMaximized() ? 2 : isMinimized() ? 1 : 0);
  }
  try {
    SaveRecentFiles(RecentFilesPath(), MRU->Items);
  } catch (const std::exception&) {
    // The list of this run is lost; nothing else is.
  }
}

void TMainForm::RestoreMainOptions() {
  if (!GOptionFile) return;
  setWindowState(Qt::WindowNoState);
  resize(std::max(GetIntOption(2), 640), std::max(GetIntOption(3), 480));
  // The stored place is the frame's, so the title bar is on the screen; a place off every screen
  // (a screen that is gone) comes back onto the nearest one.
  QPoint place(GetIntOption(0), GetIntOption(1));
  QScreen* screen = QGuiApplication::screenAt(place);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - 100)));
    place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - 100)));
  }
  move(place);
  FitFrameOnScreen();
  if (GetIntOption(4) == 2) setWindowState(Qt::WindowMaximized);
}

void TMainForm::FitFrameOnScreen() {
  if (isMaximized() || isMinimized() || isFullScreen()) return;
  QScreen* s = QGuiApplication::screenAt(frameGeometry().center());
  if (!s) s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const QRect frame = frameGeometry(), client = geometry();
  // The frame's parts around the client area (none before the window manager framed it).
  const QSize border(frame.width() - client.width(), frame.height() - client.height());
  const QSize size = client.size().boundedTo(area.size() - border).expandedTo(minimumSize());
  const QSize frameSize = size + border;
  const QPoint place(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frameSize.width())),
                     std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frameSize.height())));
  if (size != client.size()) resize(size);
  if (place != frame.topLeft()) move(place);
}

void TMainForm::RunSetupWizardOnce() {
  if (Terminating()) return;
  try {
    fWizardGate.Activated(this);
  } catch (const std::exception&) {
    // The wizard can be opened again from the menu.
  }
}

// ------------------------------------------------------------------------------------------------
// Events

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (fShownOnce) return;
  fShownOnce = true;
  RestoreMainOptions();
  // Once the window manager has put its frame around the window, the frame must fit as well.
  for (const int ms : {100, 400, 1500})
    QTimer::singleShot(ms, this, [this] {
      if (frameGeometry() != geometry()) FitFrameOnScreen();
    });
  if (!GProjekt) FM->SetCurrentFrame(QStringLiteral("*"));
  UpdateMenuState(false);
  UpdateSideBarGroups();
  Screen->LayoutForm();
  // Also without a window manager that activates the window, the wizard comes once.
  QMetaObject::invokeMethod(
      this, [this] { RunSetupWizardOnce(); }, Qt::QueuedConnection);
}

void TMainForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !fDestroying)
    QMetaObject::invokeMethod(
        this, [this] { RunSetupWizardOnce(); }, Qt::QueuedConnection);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Screen) Screen->LayoutForm();
  if (StatusBar1 && StatusBar1->PanelCount() > 0)
    StatusBar1->Panel(0)->SetWidth(std::max(StatusBar1->width() - 160, 0));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
      event->type() != QEvent::ShortcutOverride)
    return false;
  if (fDestroying || fForwardingKey || FM->CurrentFrame() != QStringLiteral("Display")) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  TFrame* designer = FM->GetFrame(QStringLiteral("Display"));
  if (!widget || !designer || widget == designer || widget->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // The designer sees the key first, a shortcut too: it takes a shortcut only while it needs the
  // key itself (a text being typed); otherwise the menu's command (Ctrl+S) runs. A key it takes ends here; one it leaves goes on its normal
  // way to the widget it was meant for. The designer gets a copy straight, not through the
  // application, so nothing it ignores comes back into this filter.
  std::unique_ptr<QEvent> offered(key->clone());
  offered->setAccepted(event->type() != QEvent::ShortcutOverride);
  fForwardingKey = true;
  const bool taken = static_cast<QObject*>(designer)->event(offered.get()) && offered->isAccepted();
  fForwardingKey = false;
  if (taken && event->type() == QEvent::ShortcutOverride) event->accept();
  return taken;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A bus port in use or a long operation under way keeps the window.
  if (GPortOpen || fLocked) {
    event->ignore();
    return;
  }
  if (CloseProject() == 2) {
    event->ignore();
    UpdateSideBarGroups();
    return;
  }
  SaveMainOptions();
  event->accept();
}

void TMainForm::OnFrameChanged(TFrame* frame, const QString& title) {
  if (Terminating()) return;
  if (frame) {
    TP->SetCaption(title);
    const bool collapse = GOptionFile && GetFrameOption(FromQString(frame->objectName()), 0);
    if (collapse)
      CollapseSideBar();
    else
      ExpandSideBar();
  } else {
    ExpandSideBar();
    TP->SetCaption(title);
  }
  FollowPageInSideBar();
}

}  // namespace zyn
