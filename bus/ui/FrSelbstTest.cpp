#include "bus/ui/FrSelbstTest.h"

#include "bus/ui/BusPage.h"
#include "bus/SelfTestRun.h"
#include "bus/ZYNComm.h"
#include "bus/ui/ClockPagesCommon.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr char kSelfTestName[] = "FrSelbstTest";

QString JoinLines(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& line : lines) all += line + "\n";
  return ModelText(all);
}

}  // namespace

TFrmBackupProgress::TFrmBackupProgress(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmBackupProgress"));
  setWindowTitle(ClockText("Programm sichern/zurückspielen"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(this);
  lblHint = new QLabel(ClockText("Der Inhalt der Steuerung wird gesichert!"), this);
  QFont bold = lblHint->font();
  bold.setBold(true);
  lblHint->setFont(bold);
  Label2 = new QLabel(ClockText("Bitte haben Sie ein wenig Geduld"), this);
  auto* address = new QHBoxLayout;
  Label4 = new QLabel(ClockText("Adresse:"), this);
  lblAdresse = new QLabel(QStringLiteral("$4000"), this);
  address->addWidget(Label4);
  address->addWidget(lblAdresse, 1);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setRange(0, 32768);
  ProgressBar1->setTextVisible(false);
  layout->addWidget(lblHint);
  layout->addWidget(Label2);
  layout->addLayout(address);
  layout->addWidget(ProgressBar1);
  TranslateForm(this);
}

void TFrmBackupProgress::ShowPhase(bool restoring) {
  setWindowTitle(restoring ? ClockText("STM Programm restaurieren") : ClockText("STM Programm sichern"));
  lblHint->setText(restoring ? ClockText("Der Inhalt der Steuerung wird restauriert!")
                             : ClockText("Der Inhalt der Steuerung wird gesichert!"));
  ProgressBar1->setValue(0);
  show();
  QApplication::processEvents();
}

void TFrmBackupProgress::ShowProgress(const TZYNCommProgress& p) {
  if (!p.Address.empty()) lblAdresse->setText(QString::fromLatin1(p.Address));
  ProgressBar1->setRange(0, std::max(p.Max, 1));
  ProgressBar1->setValue(p.Position);
}

TFrSelbstTest::TFrSelbstTest(QWidget* parent) : QWidget(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QString::fromLatin1(kSelfTestName));
  auto* outer = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnStart = new QToolButton(this);
  BtnStart->setObjectName(QStringLiteral("BtnStart"));
  BtnStart->setText(ClockText("Test starten"));
  BtnRestore = new QToolButton(this);
  BtnRestore->setObjectName(QStringLiteral("BtnRestore"));
  BtnRestore->setText(ClockText("Sicherung zurückspielen"));
  bar->addWidget(BtnStart);
  bar->addWidget(BtnRestore);
  bar->addStretch(1);
  FStyle = MakeStyleBox(this, kSelfTestName);
  bar->addWidget(new TBusDeviceLabel(this));
  bar->addWidget(FStyle);
  outer->addLayout(bar);
  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->Options().SetPanelImage(piWarning);
  FourthHintPanel1->SetCaption(
      ClockText("Der Selbsttest löscht das Programm des Steuermoduls vollständig. Das Programm wird vorher gesichert "
                "und nach dem "
                "Test zurückgespielt; gelingt das nicht, wird das aktuelle Projekt benötigt, um das Steuermodul wieder "
                "in Betrieb "
                "zu nehmen."));
  FourthHintPanel1->setMinimumHeight(48);
  outer->addWidget(FourthHintPanel1);
  TC = new QTabBar(this);
  TC->setObjectName(QStringLiteral("TC"));
  outer->addWidget(TC);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFont(QFont(QStringLiteral("Monospace")));
  outer->addWidget(Memo1, 1);
  connect(BtnStart, &QToolButton::clicked, this, [this] { Start(); });
  connect(BtnRestore, &QToolButton::clicked, this, [this] { RestoreFromFile(); });
  connect(TC, &QTabBar::currentChanged, this, [this](int index) {
    if (index != 0 && TC->count() > 0) RefuseTabChange();
  });
  PC->SetP_TIFDelay(0);
  PC->V_UseComponents = true;
}

TFrSelbstTest::~TFrSelbstTest() { PC->CloseLink(); }

void TFrSelbstTest::FrameActivate() {
  ShowStyleBox(FStyle, kSelfTestName);
  if (GProjekt) FillControlModuleTabs(TC);
}

void TFrSelbstTest::FrameDeactivate() {
  const QSignalBlocker block(TC);
  while (TC->count() > 0) TC->removeTab(0);
  Memo1->clear();
}

void TFrSelbstTest::RefuseTabChange() {
  if (fRefusing) return;
  fRefusing = true;
  TC->setCurrentIndex(0);
  TranslatedMessageDlg(TranslateText("Der Selbsttest der Steuermodule kann nur") + "\n" +
                           TranslateText(Ansi("mit Steuerungen ausgeführt werden, die auf")) + "\n" +
                           TranslateText("Adresse 0 eingestellt sind!"),
                       mtInformation, mbCancel);
  fRefusing = false;
}

std::string TFrSelbstTest::BackupFilePath() const {
  TSteuermodul* stm = CurrentControlModule(TC);
  const int address = stm ? stm->Adresse() : 0;
  QString folder = QDir::tempPath();
  QString stem = QStringLiteral("Steuermodul");
  if (GProjekt && !GProjekt->FileName.empty()) {
    const QFileInfo project(QString::fromStdString(GProjekt->FileName));
    folder = project.absolutePath();
    stem = project.completeBaseName();
  }
  return QDir(folder).filePath(QStringLiteral("%1-STM%2-Sicherung.zsb").arg(stem).arg(address)).toStdString();
}

void TFrSelbstTest::Start() {
  TSteuermodul* stm = CurrentControlModule(TC);
  if (!stm) return;
  std::string question = TranslateText(
      Ansi("Wollen Sie den Test wirklich starten? %s Der Test löscht den gesamten Speicher des Steuermoduls!"));
  if (const size_t at = question.find("%s"); at != std::string::npos) question.replace(at, 2, "\n");
  if (TranslatedMessageDlg(question, mtWarning, mbYes | mbNo) != 6) return;
  TServiceLock lock;
  TC->setEnabled(false);
  BtnStart->setEnabled(false);
  BtnRestore->setEnabled(false);
  ConfigureServiceLink(*PC);
  PC->SetP_TIFDelay(0);
  PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
  fProgress = std::make_unique<TFrmBackupProgress>();
  PC->OnProgress = [this](const TZYNCommProgress& p) {
    if (fProgress && fProgress->isVisible()) fProgress->ShowProgress(p);
  };
  TSelfTestSession session;
  session.BackupPath = BackupFilePath();
  session.ProgramTag = GProgramTag;
  session.RestoreText = " " + TranslateText("ZORV ZYN V") + '\xFF';
  session.OnPhase = [this](bool restoring) { fProgress->ShowPhase(restoring); };
  session.OnPhaseEnd = [this] { fProgress->hide(); };
  std::vector<std::string> log;
  TSelfTestProgress progress;
  progress.OnStep = [this, &log](const std::string&, int, int) {
    Memo1->setPlainText(JoinLines(log));
    QApplication::processEvents();
  };
  TSelfTestReport report;
  try {
    PC->OpenLink();
    report = RunSelfTestWithBackup(*PC, log, {}, session, progress);
  } catch (const std::exception& e) {
    report.Message = e.what();
  }
  Memo1->setPlainText(JoinLines(log));
  PC->OnProgress = nullptr;
  fProgress.reset();
  if (!report.Message.empty()) TranslatedMessageDlg(report.Message, mtError, report.Started ? mbOK : mbCancel);
  if (report.Started &&
      TranslatedMessageDlg(TranslateText("Soll die POR- Freigabe gesendet werden?"), mtConfirmation, mbYes | mbNo) == 6)
    PC->SendPowerOnRelease();
  PC->CloseLink();
  TC->setEnabled(true);
  BtnStart->setEnabled(true);
  BtnRestore->setEnabled(true);
}

void TFrSelbstTest::RestoreFromFile(const std::string& chosen) {
  TSteuermodul* stm = CurrentControlModule(TC);
  if (!stm) return;
  std::string path = chosen;
  if (path.empty()) {
    const QString name = QFileDialog::getOpenFileName(
        this, ClockText("Sicherung zurückspielen"), QFileInfo(QString::fromStdString(BackupFilePath())).absolutePath(),
        ClockText("Programmsicherung (*.zsb)"));
    if (name.isEmpty()) return;
    path = name.toStdString();
  }
  TSelfTestBackup backup;
  if (const std::string error = backup.LoadFromFile(path); !error.empty()) {
    TranslatedMessageDlg(error, mtError, mbOK);
    return;
  }
  TServiceLock lock;
  ConfigureServiceLink(*PC);
  PC->SetP_TIFDelay(0);
  PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
  fProgress = std::make_unique<TFrmBackupProgress>();
  PC->OnProgress = [this](const TZYNCommProgress& p) { fProgress->ShowProgress(p); };
  fProgress->ShowPhase(true);
  bool ok = false;
  try {
    PC->OpenLink();
    ok = PC->GetModuleStatus() && RestoreProgram(*PC, backup, " " + TranslateText("ZORV ZYN V") + '\xFF');
  } catch (const std::exception&) {
    ok = false;
  }
  PC->CloseLink();
  PC->OnProgress = nullptr;
  fProgress.reset();
  if (ok)
    TranslatedMessageDlg(TranslateText(Ansi("Die Sicherung wurde in das Steuermodul zurückgespielt.")), mtInformation,
                         mbOK);
  else
    TranslatedMessageDlg(TranslateText("Das Projekt kann nicht restauriert werden!") + "\n" +
                             TranslateText(Ansi("Sie müssen das Projekt neu übertragen!")),
                         mtError, mbOK);
}

}  // namespace zyn
