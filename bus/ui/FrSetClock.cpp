#include "bus/ui/FrSetClock.h"

#include "bus/ui/BusPage.h"
#include "bus/ClockService.h"
#include "bus/ZYNComm.h"
#include "bus/ui/ClockPagesCommon.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <chrono>

namespace zyn {

namespace {

constexpr char kSetClockName[] = "FrSetClock";

// The one search window while a search runs, for the link's search event.
TFrmSearchSTM* gSearchWindow = nullptr;

}  // namespace

TFrmSearchSTM::TFrmSearchSTM(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmSearchSTM"));
  setWindowTitle(ClockText("Steuermodule suchen"));
  auto* layout = new QHBoxLayout(this);
  Label1 = new QLabel(ClockText("Suche nach Steuermodul:"), this);
  Label2 = new QLabel(QStringLiteral("STM0"), this);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  TranslateForm(this);
}

TFrSetClock::TFrSetClock(QWidget* parent) : QWidget(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QString::fromLatin1(kSetClockName));
  PC->SetP_TIFDelay(0);
  auto* outer = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnRefresh = new QToolButton(this);
  BtnRefresh->setObjectName(QStringLiteral("BtnRefresh"));
  BtnRefresh->setText(ClockText("Suchen"));
  BtnRefresh->setToolTip(ClockText("Steuermodule suchen"));
  bar->addWidget(BtnRefresh);
  bar->addStretch(1);
  FStyle = MakeStyleBox(this, kSetClockName);
  bar->addWidget(new TBusDeviceLabel(this));
  bar->addWidget(FStyle);
  outer->addLayout(bar);

  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->Options().SetPanelImage(piInformation);
  FourthHintPanel1->SetCaption(
      ClockText("Wählen Sie die Steuermodule, die die neue Uhrzeit erhalten sollen. Mit \"Sekunden beachten\" und "
                "\"Systemzeit verwenden\" beginnt die Übertragung erst, wenn die volle Minute erreicht ist, weil die "
                "Steuermodule keine Sekunden führen."));
  FourthHintPanel1->setMinimumHeight(48);
  outer->addWidget(FourthHintPanel1);

  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel(ClockText("Datum:"), this));
  EDate = new QLineEdit(this);
  EDate->setObjectName(QStringLiteral("EDate"));
  EDate->setMaxLength(8);
  fields->addWidget(EDate);
  fields->addWidget(new QLabel(ClockText("Uhrzeit:"), this));
  ETime = new QLineEdit(this);
  ETime->setObjectName(QStringLiteral("ETime"));
  ETime->setMaxLength(8);
  fields->addWidget(ETime);
  fields->addStretch(1);
  outer->addLayout(fields);

  auto* group = new QGroupBox(ClockText(" Steuermodule auswählen "), this);
  auto* groupLayout = new QHBoxLayout(group);
  for (int a = 0; a < 4; ++a) {
    ST[static_cast<size_t>(a)] = new QCheckBox(QStringLiteral("STM%1").arg(a), group);
    ST[static_cast<size_t>(a)]->setObjectName(QStringLiteral("ST%1").arg(a));
    groupLayout->addWidget(ST[static_cast<size_t>(a)]);
  }
  outer->addWidget(group);
  SZ = new QCheckBox(ClockText("Systemzeit verwenden"), this);
  SZ->setObjectName(QStringLiteral("SZ"));
  SCB = new QCheckBox(ClockText("Sekunden beachten"), this);
  SCB->setObjectName(QStringLiteral("SCB"));
  SZ->setChecked(true);
  SCB->setChecked(true);
  outer->addWidget(SZ);
  outer->addWidget(SCB);
  BtnTrans = new QPushButton(ClockText("Übertragen"), this);
  BtnTrans->setObjectName(QStringLiteral("BtnTrans"));
  outer->addWidget(BtnTrans, 0, Qt::AlignLeft);
  Result = new QLabel(this);
  Result->setObjectName(QStringLiteral("Result"));
  Result->setWordWrap(true);
  outer->addWidget(Result);
  auto* wait = new QHBoxLayout;
  Label3 = new QLabel(ClockText("Warten auf volle Minute:"), this);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setTextVisible(false);
  wait->addWidget(Label3);
  wait->addWidget(PB, 1);
  outer->addLayout(wait);
  outer->addStretch(1);

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  Timer2 = new QTimer(this);
  Timer2->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
  connect(BtnRefresh, &QToolButton::clicked, this, [this] { SearchControlModules(); });
  connect(SZ, &QCheckBox::clicked, this, [this] { UpdateControls(); });
  connect(BtnTrans, &QPushButton::clicked, this, [this] { Transfer(); });
  connect(EDate, &QLineEdit::editingFinished, this, [this] { CheckDate(); });
  connect(ETime, &QLineEdit::editingFinished, this, [this] { CheckTime(); });
  for (QCheckBox* box : ST) box->setEnabled(false);
  ShowNow();
  UpdateControls();
}

TFrSetClock::~TFrSetClock() = default;

TZYNDateTime TFrSetClock::Now() const { return LocalDateTime(std::chrono::system_clock::now() + ClockOffset); }

void TFrSetClock::FrameActivate() {
  fDeactivated = false;
  ShowStyleBox(FStyle, kSetClockName);
  {
    TServiceLock lock;
    SZ->setChecked(true);
    SCB->setChecked(true);
    if (GProjekt) SearchControlModules();
    Timer1->start();
  }
  UpdateControls();
}

void TFrSetClock::FrameDeactivate() {
  Timer1->stop();
  fDeactivated = true;
}

void TFrSetClock::ShowNow() {
  const TZYNDateTime now = Now();
  EDate->setText(QString::fromLatin1(FormatClockDate(now)));
  ETime->setText(QString::fromLatin1(FormatClockTime(now)));
}

void TFrSetClock::SearchControlModules() {
  ConfigureServiceLink(*PC);
  auto search = std::make_unique<TFrmSearchSTM>(window());
  search->show();
  gSearchWindow = search.get();
  PC->OnSTMSearch = [](int address) {
    if (!gSearchWindow) return;
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d", address);
    gSearchWindow->Label2->setText(
        ClockText("Steuermodul %1").replace(QStringLiteral("%1"), QString::fromLatin1(text)));
    QApplication::processEvents();
  };
  std::array<bool, 4> found{};
  try {
    found = zyn::SearchControlModules(*PC);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
  PC->OnSTMSearch = nullptr;
  gSearchWindow = nullptr;
  search.reset();
  for (size_t a = 0; a < 4; ++a) {
    ST[a]->setChecked(found[a]);
    ST[a]->setEnabled(found[a]);
  }
  ShowNow();
  UpdateControls();
}

void TFrSetClock::UpdateControls() {
  EDate->setEnabled(!SZ->isChecked());
  ETime->setEnabled(!SZ->isChecked());
  SCB->setEnabled(SZ->isChecked());
  bool any = false;
  for (QCheckBox* box : ST) any = any || box->isEnabled();
  BtnTrans->setEnabled(any);
}

void TFrSetClock::Timer1Timer() {
  if (!SZ->isChecked()) return;
  const TZYNDateTime now = Now();
  if (QString::fromLatin1(FormatClockTime(now)) == ETime->text()) return;
  ShowNow();
  if (Timer2->isActive()) PB->setValue(now.Second);
}

void TFrSetClock::Transfer() {
  if (!SCB->isChecked() || !SZ->isChecked()) {
    SetClocks();
    return;
  }
  BtnTrans->setEnabled(false);
  SZ->setEnabled(false);
  SCB->setEnabled(false);
  if (IMessageHandler* h = GetMessageHandler()) h->LockUserInterface();
  // Start on a change of the second (at most one second, without processing events).
  Timer1->stop();
  const QString shown = ETime->text();
  while (QString::fromLatin1(FormatClockTime(Now())) == shown) QThread::msleep(5);
  Timer1->start();
  const int s = Now().Second;
  PB->setRange(s, 60);
  PB->setValue(s);
  Timer2->start(MillisecondsToFullMinute(s));
}

void TFrSetClock::Timer2Timer() {
  Timer2->stop();
  ShowNow();
  SetClocks();
  PB->setValue(PB->minimum());
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
  SZ->setEnabled(true);
  SCB->setEnabled(true);
  UpdateControls();
}

bool TFrSetClock::SetClocks() {
  Result->clear();
  ConfigureServiceLink(*PC);
  const auto date = ParseClockDate(FromQString(EDate->text()));
  TZYNDateTime dt = date.value_or(TZYNDateTime{});
  if (!date || !ParseClockTime(FromQString(ETime->text()), dt)) {
    TranslatedMessageDlg(Ansi("Datum und Uhrzeit sind ungültig; es wurde nichts übertragen."), mtError, mbOK);
    return false;
  }
  std::array<bool, 4> chosen{};
  for (size_t a = 0; a < 4; ++a) chosen[a] = ST[a]->isEnabled() && ST[a]->isChecked();
  std::array<bool, 4> done{};
  try {
    done = SetModuleClocks(*PC, chosen, dt);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return false;
  }
  std::string failed;
  for (size_t a = 0; a < 4; ++a)
    if (chosen[a] && !done[a]) failed += (failed.empty() ? "STM" : ", STM") + std::to_string(a);
  if (!failed.empty()) {
    const std::string text = TranslateText(Ansi("Die Uhrzeit konnte nicht gesetzt werden bei:")) + " " + failed;
    Result->setText(ModelText(text));
    TranslatedMessageDlg(text, mtError, mbOK);
    return false;
  }
  std::string set;
  for (size_t a = 0; a < 4; ++a)
    if (done[a]) set += (set.empty() ? "STM" : ", STM") + std::to_string(a);
  Result->setText(ModelText(set.empty() ? TranslateText(Ansi("Es wurde kein Steuermodul gewählt; keine Uhr gestellt."))
                                        : FillIn("Datum und Uhrzeit wurden gesetzt: %s", set) + " (" +
                                              FormatClockDate(dt) + " " + FormatClockTime(dt).substr(0, 5) + ")"));
  return true;
}

void TFrSetClock::CheckDate() {
  if (fChecking || ParseClockDate(FromQString(EDate->text()))) return;
  fChecking = true;
  TranslatedMessageDlg(FillIn("%s ist kein gültiges Datum!", FromQString(EDate->text())), mtError, mbCancel);
  EDate->setText(QString::fromLatin1(FormatClockDate(Now())));
  if (!fDeactivated) EDate->setFocus();
  fChecking = false;
}

void TFrSetClock::CheckTime() {
  TZYNDateTime dt;
  if (fChecking || ParseClockTime(FromQString(ETime->text()), dt)) return;
  fChecking = true;
  TranslatedMessageDlg(FillIn("%s ist keine gültige Uhrzeit!", FromQString(ETime->text())), mtError, mbCancel);
  ETime->setText(QString::fromLatin1(FormatClockTime(Now())));
  if (!fDeactivated) ETime->setFocus();
  fChecking = false;
}

}  // namespace zyn
