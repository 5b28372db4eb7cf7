#include "bus/ui/FrSTMListing.h"

#include "bus/ProgramListing.h"
#include "bus/ui/BusPage.h"
#include "bus/ui/HexView.h"
#include "frames/ObjectPage.h"
#include "platform/QtText.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr const char* kListingName = "FrSTMListing";

QToolButton* ToolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const char* hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setToolTip(BusText(hint));
  return b;
}

}  // namespace

TFrSTMListing::TFrSTMListing(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kListingName));
  auto* outer = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  BtnRead = ToolButton(this, "BtnRead", QStyle::SP_ArrowDown, "Steuermodulprogramm auslesen");
  BtnSaveListing = ToolButton(this, "BtnSaveListing", QStyle::SP_DialogSaveButton, "Steuermodulprogramm speichern");
  BtnLoad = ToolButton(this, "BtnLoad", QStyle::SP_DialogOpenButton, "Steuermodulprogramm laden");
  BtnTransfer = ToolButton(this, "BtnTransfer", QStyle::SP_ArrowUp, "Steuermodulprogramm übertragen");
  FStyle = MakeSideBarCheck(this, kListingName);
  for (QToolButton* b : {BtnRead, BtnSaveListing, BtnLoad, BtnTransfer}) tools->addWidget(b);
  tools->addStretch();
  tools->addWidget(new TBusDeviceLabel(this));
  tools->addWidget(FStyle);
  outer->addLayout(tools);
  TC = new TPageTabBar(this);
  outer->addWidget(TC);
  MPHE = new THexView(this);
  outer->addWidget(MPHE, 1);
  auto* panel = new QHBoxLayout;
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Result = new QLabel(this);
  Result->setObjectName(QStringLiteral("Result"));
  outer->addWidget(Result);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setTextVisible(false);
  for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
    panel->addWidget(w);
  panel->addWidget(PB, 1);
  outer->addLayout(panel);

  WireLink(ZYNCom);
  ZYNCom.SetCloseDelay(0);
  ZYNCom.V_UseComponents = true;
  ZYNCom.OnProgress = [this](const TZYNCommProgress& p) {
    Label1->setText(ToQString(p.Action));
    Label2->setText(QString::fromStdString(p.Address));
    PB->setMaximum(std::max(p.Max, 1));
    PB->setValue(std::min(p.Position, PB->maximum()));
  };
  auto guarded = [](auto f) { return [f] { ShowingErrors(f); }; };
  connect(BtnRead, &QToolButton::clicked, this, guarded([this] { ReadClick(); }));
  connect(BtnSaveListing, &QToolButton::clicked, this, guarded([this] { SaveClick(); }));
  connect(BtnLoad, &QToolButton::clicked, this, guarded([this] { LoadClick(); }));
  connect(BtnTransfer, &QToolButton::clicked, this, guarded([this] { TransferClick(); }));
  connect(TC, &QTabBar::currentChanged, this, [this] { MPHE->Clear(); });
  UpdateButtons();
}

void TFrSTMListing::FrameActivate() {
  fLoaded = false;
  ShowSideBarCheck(FStyle, kListingName);
  FillModuleTabs(TC);
  MPHE->Clear();
  UpdateButtons();
}

void TFrSTMListing::FrameDeactivate() {
  PB->setValue(0);
  MPHE->Clear();
  const QSignalBlocker block(TC);
  while (TC->count() > 0) TC->removeTab(0);
}

void TFrSTMListing::SelectFirstTab() {
  if (TC->count() > 0) TC->setCurrentIndex(0);
}

void TFrSTMListing::UpdateButtons() {
  const bool tabs = TC->count() > 0;
  BtnRead->setEnabled(tabs);
  BtnSaveListing->setEnabled(tabs);
  BtnLoad->setEnabled(tabs);
  BtnTransfer->setEnabled(tabs && fLoaded);
}

int TFrSTMListing::CurrentModule() const { return TabModule(TC, TC->currentIndex()); }

void TFrSTMListing::BeginBusWork() {
  TC->setEnabled(false);
  for (QToolButton* b : {BtnRead, BtnSaveListing, BtnLoad, BtnTransfer}) b->setEnabled(false);
  if (IMessageHandler* handler = GetMessageHandler()) handler->LockUserInterface();
}

void TFrSTMListing::EndBusWork() {
  TC->setEnabled(true);
  UpdateButtons();
  Label3->clear();
  if (IMessageHandler* handler = GetMessageHandler()) handler->UnlockUserInterface();
}

void TFrSTMListing::ShowResult(TListingResult result) {
  if (result == TListingResult::Done) return;
  TranslatedMessageDlg(ListingResultText(result), mtError, result == TListingResult::NoModule ? mbCancel : mbOK);
}

std::string TFrSTMListing::AskFile(bool save) {
  if (ChooseFile) return ChooseFile(save);
  const QString filter = BusText("ZYN Binärprogramm (*.prg)");
  const QString name = save ? QFileDialog::getSaveFileName(this, QString(), QString(), filter)
                            : QFileDialog::getOpenFileName(this, QString(), QString(), filter);
  if (name.isEmpty()) return {};
  if (save && !name.contains(QLatin1Char('.'))) return (name + QStringLiteral(".prg")).toStdString();
  return name.toStdString();
}

bool TFrSTMListing::ReadModule(std::vector<uint8_t>& program) {
  TListingRun run(ZYNCom, PageSerialSettings());
  run.OnReadProgress = [this](uint32_t done, uint32_t total, uint32_t address) {
    PB->setMaximum(static_cast<int>(total));
    PB->setValue(static_cast<int>(done));
    Label2->setText(QStringLiteral("$%1").arg(address & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper());
  };
  Label3->setText(BusText("Lese Adresse:"));
  const TListingResult result = run.Read(CurrentModule(), program);
  PB->setValue(0);
  if (result == TListingResult::NoModule) {
    ShowResult(result);
    return false;
  }
  MPHE->SetData(program, kProgramAreaAddress);
  ShowResult(result);  // an incomplete read is shown, with zeros where blocks are missing
  return result == TListingResult::Done;
}

void TFrSTMListing::ReadClick() {
  if (CurrentModule() < 0) return;
  MPHE->Clear();
  BeginBusWork();
  const TAtEnd end([this] { EndBusWork(); });
  std::vector<uint8_t> program;
  ReadModule(program);
}

void TFrSTMListing::SaveClick() {
  if (CurrentModule() < 0) return;
  const std::string file = AskFile(true);
  if (file.empty()) return;
  BeginBusWork();
  const TAtEnd end([this] { EndBusWork(); });
  std::vector<uint8_t> program;
  // An incomplete read is never saved as a program.
  if (!ReadModule(program)) return;
  SaveProgramFile(file, program);
}

void TFrSTMListing::LoadClick() {
  const std::string file = AskFile(false);
  if (file.empty()) return;
  MPHE->Clear();
  BeginBusWork();
  const TAtEnd end([this] { EndBusWork(); });
  std::vector<uint8_t> program = fProgram;
  LoadProgramFile(file, program);
  fProgram = program;
  fLoaded = true;
  MPHE->SetData(fProgram, kProgramAreaAddress);
}

void TFrSTMListing::TransferClick() {
  if (!fLoaded || CurrentModule() < 0) return;
  BeginBusWork();
  const TAtEnd end([this] { EndBusWork(); });
  Label3->setText(BusText("Schreibe Adresse:"));
  TListingRun run(ZYNCom, PageSerialSettings());
  const TListingResult result = run.WriteBack(CurrentModule(), fProgram);
  PB->setValue(0);
  Result->setText(result == TListingResult::Done
                      ? BusText("Das Programm wurde in das Steuermodul übertragen, geprüft und eingeschaltet.")
                      : ToQString(ListingResultText(result)));
  ShowResult(result);
}

}  // namespace zyn
