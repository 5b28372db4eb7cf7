#include "bus/ui/FrNewService.h"

#include "bus/ui/BusPage.h"
#include "bus/ClockService.h"
#include "bus/ZYNComm.h"
#include "bus/ui/ClockPagesCommon.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>

namespace zyn {

namespace {

constexpr char kFrameName[] = "FrNewService";
const char kDashes[] = "-------------------------------------------------------";

}  // namespace

TFrNewService::TFrNewService(QWidget* parent) : QWidget(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QString::fromLatin1(kFrameName));
  auto* outer = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  bar->addStretch(1);
  FStyle = MakeStyleBox(this, kFrameName);
  bar->addWidget(new TBusDeviceLabel(this));
  bar->addWidget(FStyle);
  outer->addLayout(bar);
  TC = new QTabBar(this);
  TC->setObjectName(QStringLiteral("TC"));
  outer->addWidget(TC);
  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->Options().SetPanelImage(piWarning);
  FourthHintPanel1->SetCaption(ClockText(
      "Für jede Schaltflanke wird die Uhrzeit des Steuermoduls eine Minute vor die Einschaltzeit gestellt und eine "
      "Minute gewartet, danach ebenso für die Ausschaltzeit. Während dieser zwei Minuten je Uhr kann das Programm "
      "nicht anders benutzt werden."));
  FourthHintPanel1->setMinimumHeight(48);
  outer->addWidget(FourthHintPanel1);
  auto* sheet = new QGroupBox(ClockText("Uhrenschaltungen"), this);
  auto* sheetLayout = new QVBoxLayout(sheet);
  ULV = new QTreeWidget(sheet);
  ULV->setObjectName(QStringLiteral("ULV"));
  ULV->setRootIsDecorated(false);
  ULV->setColumnCount(3);
  ULV->setHeaderLabels({ClockText("Uhr"), ClockText("Einschaltzeit"), ClockText("Ausschaltzeit")});
  ULV->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  ULV->header()->setStretchLastSection(false);
  // 75 pixels, or the caption's width where it is wider.
  for (int column : {1, 2})
    ULV->header()->resizeSection(
        column, std::max(75, ULV->header()->fontMetrics().horizontalAdvance(ULV->headerItem()->text(column)) + 16));
  ULV->setSelectionBehavior(QAbstractItemView::SelectRows);
  sheetLayout->addWidget(ULV, 1);
  RFlankeBox = new QGroupBox(ClockText("Testflanke wählen"), sheet);
  auto* flanks = new QHBoxLayout(RFlankeBox);
  RFlanke = new QButtonGroup(this);
  const char* names[] = {"Beide", "Ein", "Aus"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(ClockText(names[i]), RFlankeBox);
    RFlanke->addButton(b, i);
    flanks->addWidget(b);
  }
  RFlanke->button(0)->setChecked(true);
  sheetLayout->addWidget(RFlankeBox);
  auto* buttons = new QHBoxLayout;
  Button3 = new QPushButton(ClockText("Uhr testen"), sheet);
  Button2 = new QPushButton(ClockText("Alle testen"), sheet);
  Button1 = new QPushButton(ClockText("Abbruch"), sheet);
  for (QPushButton* b : {Button3, Button2, Button1}) buttons->addWidget(b);
  buttons->addStretch(1);
  sheetLayout->addLayout(buttons);
  auto* wait = new QHBoxLayout;
  Label2 = new QLabel(ClockText("Restliche Wartezeit:"), sheet);
  PB = new QProgressBar(sheet);
  PB->setRange(0, 100);
  PB->setValue(0);
  PB->setTextVisible(false);
  wait->addWidget(Label2);
  wait->addWidget(PB, 1);
  sheetLayout->addLayout(wait);
  USLB = new QListWidget(sheet);
  USLB->setObjectName(QStringLiteral("USLB"));
  USLB->setContextMenuPolicy(Qt::CustomContextMenu);
  sheetLayout->addWidget(USLB, 1);
  outer->addWidget(sheet, 1);

  Timer1 = new QTimer(this);
  connect(Timer1, &QTimer::timeout, this, [this] {
    --fRemaining;
    PB->setValue(std::max(fRemaining, 0));
  });
  connect(TC, &QTabBar::currentChanged, this, [this] { TabChanged(); });
  connect(Button3, &QPushButton::clicked, this, [this] { TestSelectedClock(); });
  connect(Button2, &QPushButton::clicked, this, [this] { TestAllClocks(); });
  connect(Button1, &QPushButton::clicked, this, [this] { RequestAbort(); });
  connect(USLB, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    QMenu menu;
    menu.addAction(ClockText("Testprotokoll löschen"), this, [this] { USLB->clear(); });
    menu.exec(USLB->viewport()->mapToGlobal(p));
  });

  PC->SetP_TIFDelay(0);
  // State telegrams arrive on the port's thread; the model is changed on this one.
  PC->OnBlock = [this](const uint8_t* b, int n) {
    std::vector<uint8_t> bytes(b, b + n);
    QMetaObject::invokeMethod(
        this, [this, bytes] { ApplyTelegram(bytes); }, Qt::QueuedConnection);
  };
}

TFrNewService::~TFrNewService() {
  fAbort = true;
  // The port's thread stops with the port; only then is the handler taken away.
  PC->CloseLink();
  PC->OnBlock = nullptr;
}

void TFrNewService::FrameActivate() {
  ShowStyleBox(FStyle, kFrameName);
  if (GProjekt) {
    FillControlModuleTabs(TC);
    // The port stays open while the page is shown, so that the state telegrams are heard; the
    // port-open flag says so, and the menu offers no other bus dialog meanwhile.
    ConfigureServiceLink(*PC, true);
    PC->SetP_TIFDelay(0);
    PC->SetT_GetAll(true);
    PC->OpenLink();
    RefreshMainMenu();
    TabChanged();
    std::vector<std::string> messages;
    GProjekt->BuildModuleTables(messages);
  }
  FillClockList();
  fAbort = false;
}

void TFrNewService::FrameDeactivate() {
  fAbort = true;
  while (fRunning) QApplication::processEvents(QEventLoop::AllEvents, 20);
  PC->CloseLink();
  RefreshMainMenu();
  ULV->clear();
}

void TFrNewService::TabChanged() {
  if (fRunning) return;
  fStm = CurrentControlModule(TC);
  if (fStm) PC->SetA_Steuermodul(static_cast<uint8_t>(fStm->Adresse()));
  FillClockList();
}

void TFrNewService::FillClockList() {
  USLB->clear();
  ULV->clear();
  if (fStm) {
    for (int i = 0; i < fStm->Uhren.Count(); ++i) {
      TUhr* clock = fStm->Uhren.GetItem(i);
      auto* row =
          new QTreeWidgetItem(ULV, {ModelText(clock->DisplayName()), QString::fromLatin1(clock->Einschaltzeit()),
                                    QString::fromLatin1(clock->Ausschaltzeit())});
      row->setData(0, Qt::UserRole, ModelText(clock->InternalName()));
    }
  }
  const bool any = ULV->topLevelItemCount() > 0;
  Button2->setEnabled(any);
  Button3->setEnabled(any);
}

void TFrNewService::AddLogLine(const std::string& text) { AddNumberedLogLine(USLB, ModelText(text)); }

bool TFrNewService::WaitOneMinute() {
  fRemaining = 100;
  PB->setValue(fRemaining);
  Timer1->start(TickMs);
  while (fRemaining > 0 && !fAbort)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
  Timer1->stop();
  return !fAbort;
}

void TFrNewService::BeginRun() {
  fRunning = true;
  fAbort = false;
  fClockChanged = false;
  for (QWidget* w : std::initializer_list<QWidget*>{Button2, Button3, RFlankeBox, ULV, TC}) w->setEnabled(false);
  if (IMessageHandler* h = GetMessageHandler()) h->LockUserInterface();
}

void TFrNewService::EndRun(bool showAbortBox, bool allClocks) {
  if (fAbort) {
    AddLogLine(TranslateText("Test abgebrochen"));
    if (showAbortBox) {
      const std::string text =
          allClocks ? TranslateText("ACHTUNG:") + "\n" + TranslateText("Die zuletzt angestossene Schaltflanke wird") +
                          TranslateText(Ansi("auf jeden Fall noch ausgeführt!"))
                    : Ansi("ACHTUNG:\nDie zuletzt angestossene Schaltflanke wirdauf jeden Fall noch ausgeführt!");
      TranslatedMessageDlg(text, mtInformation, mbOK);
    }
  } else {
    if (!allClocks) AddLogLine(kDashes);
    AddLogLine(TranslateText("Test abgeschlossen"));
  }
  // The tested switching times are not the time of day: the module clock goes back to the PC's.
  if (fClockChanged) RestoreModuleClock(*PC, [this](const std::string& line) { AddLogLine(line); });
  for (QWidget* w : std::initializer_list<QWidget*>{Button2, Button3, RFlankeBox, ULV, TC}) w->setEnabled(true);
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
  fRunning = false;
}

bool TFrNewService::TestClock(TUhr* clock) {
  if (!PC->Active()) PC->OpenLink();
  const int choice = RFlanke->checkedId();
  const TClockEdges edges = choice == 1 ? TClockEdges::On : choice == 2 ? TClockEdges::Off : TClockEdges::Both;
  TClockTestRun run(
      *PC, [this] { return WaitOneMinute(); }, [this](const std::string& line) { AddLogLine(line); });
  const TZYNDateTime now = LocalDateTime(std::chrono::system_clock::now());
  const bool done = run.TestClock({clock->DisplayName(), clock->Einschaltzeit(), clock->Ausschaltzeit()}, edges, now);
  if (run.ClockChanged()) fClockChanged = true;
  return done;
}

void TFrNewService::TestSelectedClock() {
  QTreeWidgetItem* row = ULV->currentItem();
  TUhr* clock =
      row && fStm ? fStm->Uhren.FindByInternalName(FromQString(row->data(0, Qt::UserRole).toString())) : nullptr;
  if (!clock) {
    TranslatedMessageDlg(TranslateText(Ansi("Sie müssen zuerst eine Uhr auswählen")), mtInformation, mbOK);
    return;
  }
  BeginRun();
  TestClock(clock);
  EndRun(true, false);
}

void TFrNewService::TestAllClocks() {
  const std::string question = TranslateText(Ansi("Sie können das Testen der Uhren nicht unterbrechen!")) + "\n" +
                               TranslateText(Ansi("Der Testvorgang benötigt für jede Uhr 2 Minuten!")) + "\n" +
                               TranslateText(Ansi("Soll der Testvorgang wirklich gestartet werden?"));
  if (TranslatedMessageDlg(question, mtWarning, mbYes | mbNo) != 6) return;
  BeginRun();
  for (int i = 0; i < ULV->topLevelItemCount() && !fAbort; ++i) {
    QTreeWidgetItem* row = ULV->topLevelItem(i);
    ULV->setCurrentItem(row);
    if (TUhr* clock =
            fStm ? fStm->Uhren.FindByInternalName(FromQString(row->data(0, Qt::UserRole).toString())) : nullptr)
      TestClock(clock);
    AddLogLine(kDashes);
  }
  EndRun(true, true);
}

void TFrNewService::ApplyTelegram(const std::vector<uint8_t>& bytes) {
  const auto t = DecodeStateTelegram(bytes.data(), static_cast<int>(bytes.size()));
  if (!t || !fStm || t->Sender != PC->A_ZYNGruppe() * 16 + fStm->Adresse()) return;
  for (int i = 0; i < fStm->Module.Count(); ++i) {
    TModul* m = fStm->Module.GetModul(i);
    if (m->BusKey() != t->ModuleKey) continue;
    for (int j = 0; j < m->Eingaenge().Count(); ++j) m->Eingaenge().GetItem(j)->ServiceState = (t->Inputs >> j) & 1;
    for (int j = 0; j < m->Ausgaenge().Count(); ++j) m->Ausgaenge().GetItem(j)->ServiceState = (t->Outputs >> j) & 1;
    return;
  }
}

}  // namespace zyn
