#include "bus/ui/FrEditSTMUhren.h"

#include "bus/ui/BusPage.h"
#include "bus/ZYNComm.h"
#include "bus/ui/ClockPagesCommon.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "shell/Translation.h"
#include "widgets/common/AlignLayout.h"
#include "widgets/common/WeekdayBox.h"
#include "widgets/common/ZsSplitter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr char kTimerFrame[] = "FrEditSTMUhren";
constexpr char kFlagFrame[] = "FrmEditSTMMerker";

TWTSelectBox* MakeMask(QWidget* parent, const char* name, const char* caption) {
  auto* box = new TWTSelectBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->SetCaption(ClockText(caption));
  box->SetEditCaption(ClockText("Schaltzeit:"));
  box->SetAlleText(ClockText("Alle"));
  box->SetLanguage(0x0407);  // German day names
  box->OnTranslate = [](QObject*, const QString& text) { return ToQString(TranslateText(FromQString(text))); };
  box->setMinimumHeight(60);
  return box;
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, const char* text) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setText(ClockText(text));
  b->setToolTip(ClockText(text));
  return b;
}

}  // namespace

// --- timers ---

TFrEditSTMUhren::TFrEditSTMUhren(QWidget* parent) : QWidget(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QString::fromLatin1(kTimerFrame));
  auto* outer = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnOK = MakeToolButton(this, "BtnOK", "Uhren auslesen");
  ToolButton2 = MakeToolButton(this, "ToolButton2", "Alle Uhren aktualisieren");
  ToolButton2->setEnabled(false);
  bar->addWidget(BtnOK);
  bar->addWidget(ToolButton2);
  bar->addStretch(1);
  FStyle = MakeStyleBox(this, kTimerFrame);
  bar->addWidget(new TBusDeviceLabel(this));
  bar->addWidget(FStyle);
  outer->addLayout(bar);
  TC = new QTabBar(this);
  TC->setObjectName(QStringLiteral("TC"));
  outer->addWidget(TC);
  // The list on the left, the splitter beside it, the timer data filling the rest.
  auto* body = new QWidget(this);
  auto* align = new TAlignLayout(body);
  auto* present = new QGroupBox(ClockText(" Vorhandene Uhren "), body);
  auto* presentLayout = new QVBoxLayout(present);
  LBTimer = new QListWidget(present);
  LBTimer->setObjectName(QStringLiteral("LBTimer"));
  presentLayout->addWidget(LBTimer);
  present->resize(200, present->height());
  align->AddWidget(present, alLeft);
  auto* splitter = new TzsSplitter(body);
  splitter->setObjectName(QStringLiteral("Splitter1"));
  splitter->SetMinSize(120);
  splitter->resize(4, splitter->height());
  align->AddWidget(splitter, alLeft);
  Uhrendaten = new QGroupBox(ClockText(" Uhrendaten "), body);
  Uhrendaten->setEnabled(false);
  auto* data = new QVBoxLayout(Uhrendaten);
  auto* shown = new QHBoxLayout;
  shown->addWidget(new QLabel(ClockText("Anzeige im STM"), Uhrendaten));
  EDTimer = new QLineEdit(Uhrendaten);
  EDTimer->setObjectName(QStringLiteral("EDTimer"));
  EDTimer->setReadOnly(true);
  shown->addWidget(EDTimer);
  data->addLayout(shown);
  EinMaske = MakeMask(Uhrendaten, "EinMaske", " Einschaltmaske ");
  AusMaske = MakeMask(Uhrendaten, "AusMaske", " Ausschaltmaske ");
  data->addWidget(EinMaske);
  data->addWidget(AusMaske);
  Memo1 = new QPlainTextEdit(Uhrendaten);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  data->addWidget(Memo1, 1);
  align->AddWidget(Uhrendaten, alClient);
  outer->addWidget(body, 1);

  connect(BtnOK, &QToolButton::clicked, this, [this] { ReadTimers(); });
  connect(ToolButton2, &QToolButton::clicked, this, [this] { WriteTimers(); });
  connect(LBTimer, &QListWidget::currentRowChanged, this, [this] { ShowTimer(); });
  connect(TC, &QTabBar::currentChanged, this, [this] {
    ClearFields();
    if (TSteuermodul* stm = CurrentControlModule(TC)) PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
  });
  EinMaske->OnChange = [this](QObject*) { EdgeChanged(true); };
  AusMaske->OnChange = [this](QObject*) { EdgeChanged(false); };
  PC->SetP_TIFDelay(0);
}

TFrEditSTMUhren::~TFrEditSTMUhren() { PC->CloseLink(); }

void TFrEditSTMUhren::FrameActivate() {
  ShowStyleBox(FStyle, kTimerFrame);
  if (GProjekt) FillControlModuleTabs(TC);
  if (TSteuermodul* stm = CurrentControlModule(TC)) PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
  ConfigureServiceLink(*PC);
  PC->SetP_TIFDelay(0);
  BtnOK->setEnabled(TC->count() > 0);
}

void TFrEditSTMUhren::FrameDeactivate() {
  ClearFields();
  const QSignalBlocker block(TC);
  while (TC->count() > 0) TC->removeTab(0);
}

void TFrEditSTMUhren::ClearFields() {
  fUpdating = true;
  LBTimer->clear();
  EDTimer->clear();
  for (TWTSelectBox* box : {EinMaske, AusMaske}) {
    box->SetTime(QString());
    box->SetDayMask(0);
  }
  Memo1->clear();
  Uhrendaten->setEnabled(false);
  ToolButton2->setEnabled(false);
  fUpdating = false;
}

void TFrEditSTMUhren::AddLog(const std::vector<std::string>& lines) {
  for (const auto& line : lines) Memo1->appendPlainText(ModelText(line));
}

int TFrEditSTMUhren::ChosenTimer() const {
  QListWidgetItem* item = LBTimer->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TFrEditSTMUhren::ReadTimers() {
  TSteuermodul* stm = CurrentControlModule(TC);
  if (!stm) return;
  TServiceLock lock;
  TC->setEnabled(false);
  BtnOK->setEnabled(false);
  ClearFields();
  try {
    PC->OpenLink();
    PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
    if (!PC->GetModuleStatus()) {
      PC->CloseLink();
      TranslatedMessageDlg(TranslateText("Das Steuermodul kann nicht angesprochen werden"), mtError, mbOK);
    } else {
      std::vector<std::string> log;
      for (int n : fTimers.ReadAll(*PC, static_cast<uint8_t>(stm->Adresse()), log)) {
        char text[16];
        std::snprintf(text, sizeof text, "Timer %3.3d", n);
        auto* item = new QListWidgetItem(QString::fromLatin1(text), LBTimer);
        item->setData(Qt::UserRole, n);
      }
      log.emplace_back();
      AddLog(log);
      if (LBTimer->count() > 0) {
        LBTimer->setCurrentRow(0);
        ShowTimer();
      }
      ToolButton2->setEnabled(LBTimer->count() > 0);
    }
  } catch (const std::exception& e) {
    Memo1->appendPlainText(ModelText(e.what()));
  }
  BtnOK->setEnabled(TC->count() > 0);
  TC->setEnabled(true);
  PC->CloseLink();
}

void TFrEditSTMUhren::ShowTimer() {
  fUpdating = true;
  const int n = ChosenTimer();
  if (n < 0) {
    Uhrendaten->setEnabled(false);
  } else {
    const TTimerRecord& r = fTimers.Record(n);
    EDTimer->setText(LBTimer->currentItem()->text());
    EinMaske->SetDayMask(TSTMTimerTable::DayMask(r, true));
    EinMaske->SetTime(QString::fromLatin1(TSTMTimerTable::SwitchTime(r, true)));
    AusMaske->SetDayMask(TSTMTimerTable::DayMask(r, false));
    AusMaske->SetTime(QString::fromLatin1(TSTMTimerTable::SwitchTime(r, false)));
    Uhrendaten->setEnabled(true);
  }
  fUpdating = false;
}

void TFrEditSTMUhren::EdgeChanged(bool on) {
  const int n = ChosenTimer();
  if (fUpdating || n < 0) return;
  TWTSelectBox* box = on ? EinMaske : AusMaske;
  TSTMTimerTable::SetEdge(fTimers.Record(n), on, static_cast<uint8_t>(box->DayMask()), FromQString(box->Time()));
}

void TFrEditSTMUhren::WriteTimers() {
  TSteuermodul* stm = CurrentControlModule(TC);
  if (!stm) return;
  TServiceLock lock;
  TC->setEnabled(false);
  BtnOK->setEnabled(false);
  std::vector<int> numbers;
  for (int i = 0; i < LBTimer->count(); ++i) numbers.push_back(LBTimer->item(i)->data(Qt::UserRole).toInt());
  std::vector<std::string> log;
  try {
    PC->OpenLink();
    fTimers.WriteAll(*PC, static_cast<uint8_t>(stm->Adresse()), numbers, log);
  } catch (const std::exception& e) {
    log.emplace_back(e.what());
  }
  log.emplace_back();
  AddLog(log);
  BtnOK->setEnabled(TC->count() > 0);
  TC->setEnabled(true);
  PC->CloseLink();
}

// --- flags ---

TFrmEditSTMMerker::TFrmEditSTMMerker(QWidget* parent) : QWidget(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QString::fromLatin1(kFlagFrame));
  auto* outer = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnRefresh = MakeToolButton(this, "BtnRefresh", "STM- Status aktualisieren");
  bar->addWidget(BtnRefresh);
  bar->addStretch(1);
  FStyle = new QCheckBox(ClockText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  FStyle->setEnabled(false);
  bar->addWidget(new TBusDeviceLabel(this));
  bar->addWidget(FStyle);
  outer->addLayout(bar);
  TC = new QTabBar(this);
  TC->setObjectName(QStringLiteral("TC"));
  outer->addWidget(TC);
  MG = new QTableWidget(128, 8, this);
  MG->setObjectName(QStringLiteral("MG"));
  MG->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MG->horizontalHeader()->setDefaultSectionSize(49);
  QStringList columns, rows;
  for (int c = 0; c < 8; ++c) columns << QString::fromLatin1(FlagHeader(c));
  for (int r = 0; r < 128; ++r) rows << QString::fromLatin1(FlagHeader(r));
  MG->setHorizontalHeaderLabels(columns);
  MG->setVerticalHeaderLabels(rows);
  outer->addWidget(MG, 1);
  connect(BtnRefresh, &QToolButton::clicked, this, [this] { Refresh(); });
  PC->SetP_TIFDelay(0);
  PC->V_UseComponents = true;
}

TFrmEditSTMMerker::~TFrmEditSTMMerker() { PC->CloseLink(); }

void TFrmEditSTMMerker::FrameActivate() {
  ShowStyleBox(FStyle, kFlagFrame);
  ConfigureServiceLink(*PC, false);
  PC->SetP_TIFDelay(0);
  if (GProjekt) FillControlModuleTabs(TC);
}

void TFrmEditSTMMerker::Refresh() {
  TSteuermodul* stm = CurrentControlModule(TC);
  if (!stm) return;
  TServiceLock lock;
  BtnRefresh->setEnabled(false);
  try {
    PC->SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
    PC->OpenLink();
    std::array<uint8_t, 1024> flags{};
    if (ReadSTMFlags(*PC, flags)) {
      for (int k = 0; k < 1024; ++k) {
        QTableWidgetItem* cell = MG->item(k / 8, k % 8);
        if (!cell) MG->setItem(k / 8, k % 8, cell = new QTableWidgetItem);
        cell->setText(QString::fromLatin1(FlagText(flags[static_cast<size_t>(k)])));
      }
    }
  } catch (const std::exception&) {
    // A failed read leaves the grid as it was.
  }
  PC->CloseLink();
  BtnRefresh->setEnabled(true);
}

}  // namespace zyn
