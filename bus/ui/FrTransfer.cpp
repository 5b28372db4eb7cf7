#include "bus/ui/FrTransfer.h"

#include "bus/TransferProject.h"
#include "bus/ui/BusPage.h"
#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolReport.h"
#include "frames/ObjectPage.h"
#include "model/Verbindung.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/CompileStatus.h"
#include "shell/FormLgkonflikt.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr const char* kTransferName = "FrTransfer";

class TConflictQuestion : public ILogicConflicts {
 public:
  int ShowLogicConflicts(const std::vector<std::string>& lines) override { return zyn::ShowLogicConflicts(lines, 5); }
};

// A page of the main window's frame manager, or nullptr.
QWidget* MainPage(const char* key) {
  auto* form = dynamic_cast<TMainForm*>(GetMessageHandler());
  return form && form->FM ? form->FM->GetFrame(QString::fromLatin1(key)) : nullptr;
}

QLabel* ValueLabel(QWidget* parent, const char* name, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

TFrTransfer::TFrTransfer(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kTransferName));
  BuildForm();
  WireLink(PC);
  PC.SetP_RecTimeout(250);
  PC.SetP_TIFDelay(1);
  PC.SetChkDeviceType(false);
  PC.V_UseComponents = true;
  PC.SetCloseDelay(0);
  PC.OnProgress = [this](const TZYNCommProgress& p) {
    LERR->setText(ToQString(p.Action.empty() ? std::string() : p.Action));
    PRGADR->setText(QString::fromStdString(p.Address));
    PROGR->setMaximum(std::max(p.Max, 1));
    PROGR->setValue(std::min(p.Position, PROGR->maximum()));
    PERC->setText(QString::fromStdString(p.Percent));
  };
}

TFrTransfer::~TFrTransfer() = default;

void TFrTransfer::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  BtnOK = new QToolButton(this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  BtnOK->setToolTip(BusText("Zurück"));
  BtnRefresh = new QToolButton(this);
  BtnRefresh->setObjectName(QStringLiteral("BtnRefresh"));
  BtnRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  BtnRefresh->setToolTip(BusText("STM- Status aktualisieren"));
  FStyle = MakeSideBarCheck(this, kTransferName);
  tools->addWidget(BtnOK);
  tools->addWidget(BtnRefresh);
  tools->addStretch();
  tools->addWidget(FStyle);
  outer->addLayout(tools);

  TC = new TPageTabBar(this);
  outer->addWidget(TC);

  auto* info = new QGroupBox(BusText(" Informationen "), this);
  info->setObjectName(QStringLiteral("GroupBox1"));
  auto* grid = new QGridLayout(info);
  Label1 = ValueLabel(info, "Label1", BusText("Verwendet Schnittstelle:"));
  CPL = new TBusDeviceLabel(info, false);
  CPL->setObjectName(QStringLiteral("CPL"));
  // The device changed on the options page or in the wizard: the next run and the status use it.
  CPL->OnChange = [this](const std::string&) {
    if (fRunning || !fRun) return;
    fRun->Settings.Serial = PageSerialSettings();
    if (isVisible()) Guarded([this] { ShowModuleStatus(); });
  };
  Label3 = ValueLabel(info, "Label3", BusText("Überträgt an Steuermodul:"));
  STMA = ValueLabel(info, "STMA");
  Label2 = ValueLabel(info, "Label2", BusText("Version Steuermodul:"));
  STMV = ValueLabel(info, "STMV");
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(CPL, 0, 1);
  grid->addWidget(Label3, 1, 0);
  grid->addWidget(STMA, 1, 1);
  grid->addWidget(Label2, 2, 0);
  grid->addWidget(STMV, 2, 1);
  grid->setColumnStretch(1, 1);
  BtnGo = new QPushButton(BusText("Übertragen"), info);
  BtnGo->setObjectName(QStringLiteral("BtnGo"));
  BtnStop = new QPushButton(BusText("Abbruch"), info);
  BtnStop->setObjectName(QStringLiteral("BtnStop"));
  BtnStop->setEnabled(false);
  BtnPOR = new QPushButton(BusText("POR Freigabe"), info);
  BtnPOR->setObjectName(QStringLiteral("BtnPOR"));
  grid->addWidget(BtnGo, 0, 2);
  grid->addWidget(BtnStop, 1, 2);
  grid->addWidget(BtnPOR, 2, 2);
  outer->addWidget(info);

  auto* state = new QGroupBox(BusText(" Übertragungsstatus "), this);
  state->setObjectName(QStringLiteral("GroupBox2"));
  auto* stateLayout = new QGridLayout(state);
  TERR = ValueLabel(state, "TERR", BusText("keine Übertragungsfehler"));
  LERR = ValueLabel(state, "LERR", BusText("kein Fehler"));
  PROGR = new QProgressBar(state);
  PROGR->setObjectName(QStringLiteral("PROGR"));
  PROGR->setTextVisible(false);
  PROGR->setValue(0);
  PERC = ValueLabel(state, "PERC");
  Label4 = ValueLabel(state, "Label4", BusText("Programmadresse:"));
  PRGADR = ValueLabel(state, "PRGADR");
  stateLayout->addWidget(TERR, 0, 0, 1, 4);
  stateLayout->addWidget(LERR, 1, 0, 1, 4);
  stateLayout->addWidget(PROGR, 2, 0, 1, 3);
  stateLayout->addWidget(PERC, 2, 3);
  stateLayout->addWidget(Label4, 3, 0);
  stateLayout->addWidget(PRGADR, 3, 1);
  auto* caption = new QLabel(BusText("Übertragungsprotokoll"), state);
  stateLayout->addWidget(caption, 4, 0, 1, 4);
  Memo1 = new QTextEdit(state);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  stateLayout->addWidget(Memo1, 5, 0, 1, 4);
  stateLayout->setColumnStretch(2, 1);
  outer->addWidget(state, 1);

  connect(BtnOK, &QToolButton::clicked, this, [this] {
    if (IMessageHandler* handler = GetMessageHandler())
      if (auto* form = dynamic_cast<TMainForm*>(handler)) form->FM->RestoreFrame();
  });
  connect(BtnRefresh, &QToolButton::clicked, this, [this] { Guarded([this] { RefreshClick(); }); });
  connect(BtnGo, &QPushButton::clicked, this, [this] { Guarded([this] { GoClick(); }); });
  connect(BtnStop, &QPushButton::clicked, this, [this] { StopClick(); });
  connect(BtnPOR, &QPushButton::clicked, this, [this] { Guarded([this] { PorClick(); }); });
  connect(TC, &QTabBar::currentChanged, this, [this](int index) { Guarded([this, index] { TabChanged(index); }); });
}

template <typename F>
void TFrTransfer::Guarded(F&& f) {
  ShowingErrors(f);
}

// --- the page contract ---

void TFrTransfer::FrameActivate() {
  ShowSideBarCheck(FStyle, kTransferName);
  CPL->Refresh();
}

void TFrTransfer::FrameDeactivate() {
  if (fRun) fRun->ResetCompiled();
  Memo1->clear();
}

int TFrTransfer::AskApplyChanges() { return BtnOK->isEnabled() ? 6 : 2; }

void TFrTransfer::PrepareRun() {
  if (!GProjekt) {
    fRun.reset();
    fSource.reset();
    return;
  }
  fSource = std::make_unique<TProjectTransferSource>(*GProjekt);
  fSource->ProgramTitle = GProgramTitle;
  ITransferView& view = *this;
  fRun = std::make_unique<TTransferRun>(PC, *fSource, view);
  TTransferSettings& s = fRun->Settings;
  s.Serial = PageSerialSettings();
  s.PorWaitTicks = GetIntOption(ioPorWaitTime);
  s.InitInputModules = GetBoolOption(boEMDPOR);
  s.CharsFile = GetSystemPath() + "chars.zyb";
}

void TFrTransfer::Refresh() {
  Memo1->clear();
  PrepareRun();
  const QSignalBlocker block(TC);
  while (TC->count() > 0) TC->removeTab(0);
  fTargets = fSource ? fSource->Targets() : std::vector<TTransferTarget>{};
  for (size_t i = 0; i < fTargets.size(); ++i) {
    const int tab = TC->addTab(ToQString(fTargets[i].DisplayName));
    TC->setTabData(tab, static_cast<int>(i));
  }
  if (fSource && fSource->ControlModuleCount() > 1) {
    const int tab = TC->addTab(BusText("Alles übertragen"));
    TC->setTabData(tab, -1);
  }
  const bool any = TC->count() > 0;
  BtnGo->setEnabled(any);
  BtnPOR->setEnabled(any);
  if (any) {
    TC->setCurrentIndex(0);
    TabChanged(0);
  }
}

int TFrTransfer::SelectedTarget() const {
  const int index = TC->currentIndex();
  return index < 0 ? -2 : TC->tabData(index).toInt();
}

void TFrTransfer::TabChanged(int) {
  if (fRunning) return;
  Memo1->clear();
  TERR->setText(BusText("keine Übertragungsfehler"));
  LERR->setText(BusText("kein Fehler"));
  const int target = SelectedTarget();
  if (target == -1) {
    BtnRefresh->setEnabled(false);
    Label2->show();
    STMV->show();
    BtnPOR->show();
    BtnPOR->setEnabled(true);
    BtnGo->setEnabled(true);
    STMA->clear();
    STMV->clear();
  } else if (target >= 0 && fTargets[static_cast<size_t>(target)].IsDisplay()) {
    BtnRefresh->setEnabled(false);
    Label2->hide();
    STMV->hide();
    BtnPOR->hide();
    BtnGo->setEnabled(true);
    STMA->setText(QStringLiteral("DSP %1").arg(fTargets[static_cast<size_t>(target)].Adresse));
  } else if (target >= 0) {
    BtnRefresh->setEnabled(true);
    ShowModuleStatus();
    STMV->show();
    BtnPOR->show();
  }
}

void TFrTransfer::ShowModuleStatus() {
  const int target = SelectedTarget();
  if (!fRun || target < 0 || fTargets[static_cast<size_t>(target)].IsDisplay()) return;
  fRun->Settings.Serial = PageSerialSettings();
  const std::optional<std::string> version = fRun->ProbeModule(fTargets[static_cast<size_t>(target)].Adresse);
  STMV->setText(version ? ToQString(*version) : ToQString(fRun->ProbeProblem()));
  BtnGo->setEnabled(version.has_value());
  BtnPOR->setEnabled(version.has_value());
  BtnStop->setEnabled(false);
  Label2->show();
}

void TFrTransfer::RefreshClick() {
  TInterfaceLock lock;
  BtnRefresh->setEnabled(false);
  ShowModuleStatus();
  BtnRefresh->setEnabled(true);
}

void TFrTransfer::SetRunning(bool running) {
  fRunning = running;
  BtnGo->setEnabled(!running);
  BtnPOR->setEnabled(!running);
  BtnStop->setEnabled(running);
  BtnOK->setEnabled(!running);
  BtnRefresh->setEnabled(!running && SelectedTarget() >= 0 &&
                         !fTargets[static_cast<size_t>(SelectedTarget())].IsDisplay());
  TC->setEnabled(!running);
}

void TFrTransfer::GoClick() {
  if (!fRun || fRunning || SelectedTarget() < -1) return;
  fRun->Settings.Serial = PageSerialSettings();
  TConflictQuestion conflicts;
  // The compile shows its pages: the tool compiler page with the tools' report, then the
  // program build page with every compiled link; the run comes back to this page.
  TCompileStatus progress(dynamic_cast<ICompileProgress*>(MainPage("FrCompVerb")), [this] { ShowPage("FrCompVerb"); });
  IToolReport* report = dynamic_cast<IToolReport*>(MainPage("FrCompile"));
  TToolGeneratorFunction tools([this, report](TZYNProjekt& p, std::vector<std::string>& log) {
    // A tool that cannot be generated is named in the log; the others still reach the images.
    if (GBasisDaten)
      for (const std::string& failed : GenerateToolsForBuild(p, *GBasisDaten, report, &log)) AddLog(failed, 2, true);
  });
  fSource->Tools = &tools;
  fSource->Conflicts = &conflicts;
  fSource->Progress = &progress;
  fSource->OnShowPage = [this](const std::string& key) { ShowPage(key); };
  const TAtEnd end([this] {
    fSource->Tools = nullptr;
    fSource->Conflicts = nullptr;
    fSource->Progress = nullptr;
    fSource->OnShowPage = nullptr;
    EndRun();
  });
  SetRunning(true);
  fRun->Run(SelectedTarget());
}

void TFrTransfer::EndRun() {
  SetRunning(false);
  UnlockUserInterface();
}

void TFrTransfer::StopClick() {
  if (fRun) fRun->RequestCancel();
}

void TFrTransfer::PorClick() {
  if (!fRun || fRunning || SelectedTarget() < -1) return;
  fRun->Settings.Serial = PageSerialSettings();
  const TAtEnd end([this] { EndRun(); });
  SetRunning(true);
  fRun->ReleasePowerOn(SelectedTarget());
}

// --- what the run shows ---

void TFrTransfer::AddLog(const std::string& text, int colour, bool bold) {
  static const QColor colours[] = {QColor(0, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0)};
  QTextCharFormat format;
  format.setForeground(colours[std::clamp(colour, 0, 2)]);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  QTextCursor cursor(Memo1->document());
  cursor.movePosition(QTextCursor::End);
  if (!Memo1->document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(ToQString(text), format);
  Memo1->setTextCursor(cursor);
  Memo1->ensureCursorVisible();
  QApplication::processEvents();
}

void TFrTransfer::ClearLog() { Memo1->clear(); }

void TFrTransfer::SetField(TTransferField field, const std::string& text) {
  QLabel* labels[] = {TERR, LERR, STMA, STMV};
  labels[static_cast<int>(field)]->setText(ToQString(text));
}

void TFrTransfer::SetProgress(int position, int maximum, const std::string& percent) {
  PROGR->setMaximum(std::max(maximum, 1));
  PROGR->setValue(std::clamp(position, 0, PROGR->maximum()));
  PERC->setText(QString::fromStdString(percent));
}

int TFrTransfer::AskSave(const std::string& text) {
  return TranslatedMessageDlg(text, mtConfirmation, mbYes | mbNo | mbCancel);
}

void TFrTransfer::Warn(const std::string& text) { TranslatedMessageDlg(text, mtWarning, mbOK); }

void TFrTransfer::LockUserInterface() {
  if (fLocked) return;
  fLocked = true;
  if (IMessageHandler* handler = GetMessageHandler()) handler->LockUserInterface();
}

void TFrTransfer::UnlockUserInterface() {
  if (!fLocked) return;
  fLocked = false;
  if (IMessageHandler* handler = GetMessageHandler()) handler->UnlockUserInterface();
}

void TFrTransfer::ShowPage(const std::string& key) {
  // The compile pages exist only when they are registered; the transfer page stays otherwise.
  IMessageHandler* handler = GetMessageHandler();
  auto* form = dynamic_cast<TMainForm*>(handler);
  if (!form || !form->FM) return;
  const QString name = QString::fromStdString(key);
  if (name != QLatin1String(kTransferName) && !form->FM->GetFrame(name)) return;
  if (name != QLatin1String(kTransferName) || form->FM->CurrentFrame() != name) form->FM->SetCurrentFrame(name);
}

}  // namespace zyn
