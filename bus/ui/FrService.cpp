#include "bus/ui/FrService.h"

#include "bus/ServiceModules.h"
#include "bus/ui/ServiceLists.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Steuermodul.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/WidgetText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

// A lamp, lit or dark, 16 pixels high.
QIcon Bulb(bool on) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(90, 90, 90));
  p.setBrush(on ? QColor(255, 220, 40) : QColor(200, 200, 200));
  p.drawEllipse(QRectF(3, 1, 10, 10));
  p.setBrush(QColor(150, 150, 150));
  p.drawRect(QRectF(5.5, 11, 5, 4));
  if (on) {
    p.setPen(QColor(255, 160, 0));
    p.drawLine(QPointF(1, 3), QPointF(2.5, 4));
    p.drawLine(QPointF(15, 3), QPointF(13.5, 4));
  }
  return QIcon(pixmap);
}

std::string Tr(const char* germanUtf8) { return TranslateText(Ansi(germanUtf8)); }

}  // namespace

// --- both tests ---

TOldServiceTest::TOldServiceTest(const char* name, TChannelKind kind, QWidget* parent)
    : TServicePage(name, true, parent), fKind(kind) {
  FStyle->hide();  // the host carries it
  Label5 = new TFourthHintPanel(this);
  Label5->setObjectName(QStringLiteral("Label5"));
  Label5->Options().SetPanelImage(piInformation);
  Label5->setMinimumHeight(64);
  Label5->SetCaption(kind == TChannelKind::Outputs
                         ? TranslatedText("Wählen Sie links ein Modul und dann einen oder mehrere Ausgänge. Rot "
                                          "angezeigte Module sind am Bus nicht erreichbar.")
                         : TranslatedText("Wählen Sie links ein Modul und drücken Sie \"Prüfung starten\". Rot "
                                          "angezeigte Module sind am Bus nicht erreichbar."));
  Body()->addWidget(Label5);
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->hide();
  Body()->addWidget(Label3);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->hide();
  Body()->addWidget(PB);
  auto* split = new QSplitter(Qt::Horizontal, this);
  ListBox1 = new QListWidget(split);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox2 = new QListWidget(split);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  split->addWidget(ListBox1);
  split->addWidget(ListBox2);
  split->setSizes({250, 450});
  Body()->addWidget(split, 1);
  fButtons = new QHBoxLayout;
  fButtons->addStretch(1);
  Button2 = new QPushButton(this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setEnabled(false);
  fButtons->addWidget(Button2);
  Body()->addLayout(fButtons);
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
}

void TOldServiceTest::FrameActivate() {
  fActivating = true;
  TServicePage::FrameActivate();
  fActivating = false;
}

void TOldServiceTest::StmChanged(TSteuermodul*) {
  if (!fActivating) ScanModules();
}

void TOldServiceTest::EnableButtons(bool on) { Button2->setEnabled(on); }

TModul* TOldServiceTest::SelectedModule() const { return ItemObject<TModul>(ListBox1->currentItem()); }

void TOldServiceTest::SetHostEnabled(bool on) {
  if (Host && Host->TB) Host->TB->setEnabled(on);
}

void TOldServiceTest::ScanModules() {
  SetHostEnabled(false);
  bool silent = false;
  {
    TBusWork work;
    ListBox1->clear();
    ListBox2->clear();
    TSteuermodul* stm = CurrentStm();
    if (stm) {
      ZYNCom.SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
      ZYNCom.SetChkDeviceType(true);
      TLinkSession link(ZYNCom);
      bool started = false;
      const TTestScanResult r = ScanForTest(ZYNCom, *stm, fKind, [&](int position, const TModul& m) {
        if (!started) {
          started = true;
          if (TC) TC->setEnabled(false);
          EnableButtons(false);
          Label5->hide();
          Label3->show();
          PB->show();
          PB->setMaximum(stm->Module.Count());
        }
        PB->setValue(position);
        Label3->setText(TranslatedText("Verwendete Module werden gesucht:") + "\n" + ToQString(m.DisplayName()));
      });
      for (TModul* m : r.Listed) AddObjectItem(ListBox1, ToQString(ModuleListText(*m)), m);
      silent = !r.Answered;
      Label3->hide();
      PB->hide();
      Label5->show();
      ZYNCom.SetChkDeviceType(false);
    }
    ColourByPresence(ListBox1, fKind == TChannelKind::Inputs);
    if (TC) TC->setEnabled(true);
  }
  SetHostEnabled(true);
  ListBox1->setCurrentRow(ListBox1->count() > 0 ? 0 : -1);
  ListBox1Click();
  // An empty list alone would look like a control module without modules.
  if (silent) TranslatedMessageDlg(Ansi("Das Steuermodul konnte nicht angesprochen werden!"), mtError, mbCancel);
}

// --- output test ---

TFrOldServiceAusgang::TFrOldServiceAusgang(QWidget* parent)
    : TOldServiceTest("FrOldServiceAusgang", TChannelKind::Outputs, parent) {
  ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox2->setSortingEnabled(true);
  ListBox2->setIconSize(QSize(16, 16));
  UpdateSwitchCaption();
  connect(ListBox2, &QListWidget::itemClicked, this, [this] { ListBox2Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TFrOldServiceAusgang::FrameActivate() {
  fLower = false;
  TOldServiceTest::FrameActivate();
}

void TFrOldServiceAusgang::FrameDeactivate() {
  ListBox1->clear();
  ListBox2->clear();
  fModul = nullptr;
}

void TFrOldServiceAusgang::UpdateSwitchCaption() { Button2->setText(TranslatedText(SwitchCaption(fModul, fLower))); }

void TFrOldServiceAusgang::ShowStates() {
  for (int i = 0; i < ListBox2->count(); ++i) {
    QListWidgetItem* item = ListBox2->item(i);
    const TAusgang* output = ItemObject<TAusgang>(item);
    const bool on = output && output->ServiceState;
    item->setIcon(Bulb(on));
    QFont f = ListBox2->font();
    f.setBold(on);
    item->setFont(f);
  }
}

void TFrOldServiceAusgang::RefreshOutputStates(bool request) {
  if (!fModul) return;
  zyn::RefreshOutputStates(ZYNCom, *fModul, request);
  ShowStates();
}

void TFrOldServiceAusgang::ListBox1Click() {
  ListBox2->clear();
  fModul = SelectedModule();
  if (!fModul) {
    Button2->setEnabled(false);
    return;
  }
  fLower = false;
  UpdateSwitchCaption();
  for (int i = 0; i < fModul->Ausgaenge().Count(); ++i) {
    TAusgang* output = fModul->Ausgaenge().GetItem(i);
    AddObjectItem(ListBox2, ToQString(ChannelListText(*fModul, *output)), output);
  }
  ListBox2->setCurrentRow(ListBox2->count() > 0 ? 0 : -1);
  ShowStates();
  Button2->setEnabled(fModul->Present == TModulState::msPresent && ListBox2->count() > 0);
  TLinkSession link(ZYNCom);
  RefreshOutputStates(true);
}

void TFrOldServiceAusgang::ListBox2Click() {
  if (!ItemObject<TAusgang>(ListBox2->currentItem())) {
    Button2->setEnabled(false);
    return;
  }
  Button2->setEnabled(true);
  TLinkSession link(ZYNCom);
  RefreshOutputStates(true);
}

void TFrOldServiceAusgang::Button2Click() {
  if (!fModul || !ItemObject<TAusgang>(ListBox2->currentItem())) return;
  std::vector<TAusgang*> outputs;
  for (int i = 0; i < ListBox2->count(); ++i)
    if (ListBox2->item(i)->isSelected()) outputs.push_back(ItemObject<TAusgang>(ListBox2->item(i)));
  if (outputs.empty()) outputs.push_back(ItemObject<TAusgang>(ListBox2->currentItem()));
  SetHostEnabled(false);
  TC->setEnabled(false);
  TSwitchResult r;
  {
    TBusWork work;
    TLinkSession link(ZYNCom);
    r = SwitchOutputs(ZYNCom, *fModul, outputs, fLower);
    ShowStates();
  }
  UpdateSwitchCaption();
  SetHostEnabled(true);
  TC->setEnabled(true);
  const std::string name = ModuleListText(*fModul);
  if (r.NoCode)
    TranslatedMessageDlg(FormatText(Tr("Für das Modul %s ist kein Schaltbefehl festgelegt.").c_str(), name.c_str()),
                         mtInformation, mbOK);
  else if (r.Confirmed < r.Sent)
    TranslatedMessageDlg(FormatText(Tr("Das Modul %s hat %d von %d Schaltbefehlen nicht bestätigt.").c_str(),
                                    name.c_str(), r.Sent - r.Confirmed, r.Sent),
                         mtError, mbCancel);
}

// --- input test ---

TFrOldServiceEingang::TFrOldServiceEingang(QWidget* parent)
    : TOldServiceTest("FrOldServiceEingang", TChannelKind::Inputs, parent) {
  Button2->setText(TranslatedText("Prüfung starten"));
  Button3 = new QPushButton(TranslatedText("Prüfung stoppen"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setEnabled(false);
  Buttons()->addWidget(Button3);
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TFrOldServiceEingang::EnableButtons(bool on) {
  Button2->setEnabled(on);
  Button3->setEnabled(on);
}

void TFrOldServiceEingang::FrameDeactivate() {
  fStop = true;
  ListBox1->clear();
  ListBox2->clear();
  fModul = nullptr;
}

void TFrOldServiceEingang::ListBox1Click() {
  ListBox2->clear();
  fLog.Clear();
  fModul = SelectedModule();
  Button2->setEnabled(fModul && fModul->Present == TModulState::msPresent);
  Button3->setEnabled(false);
}

void TFrOldServiceEingang::ShowLog(bool cleared, int added) {
  if (cleared) ListBox2->clear();
  const auto& lines = fLog.Lines();
  auto translate = [](const std::string& text) { return TranslateText(text); };
  for (size_t i = lines.size() - static_cast<size_t>(added); i < lines.size(); ++i) {
    bool rising = false;
    const std::string text = TInputLog::DisplayText(lines[i], fModul, translate, &rising);
    auto* item = new QListWidgetItem(ToQString(text));
    item->setForeground(rising ? QColor(255, 0, 0) : QColor(0, 0, 255));
    ListBox2->addItem(item);
  }
  ListBox2->setCurrentRow(ListBox2->count() - 1);
}

void TFrOldServiceEingang::Button2Click() {
  if (fRunning || !fModul) return;
  TModul* modul = fModul;
  fStop = false;
  fRunning = true;
  SetHostEnabled(false);
  {
    TBusWork work;
    Button3->setEnabled(true);
    Button2->setEnabled(false);
    ListBox1->setEnabled(false);
    TC->setEnabled(false);
    ListBox2->clear();
    fLog.Clear();
    if (TSteuermodul* stm = CurrentStm()) ZYNCom.SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
    TLinkSession link(ZYNCom);
    const int inputs = modul->Eingaenge().Count();
    PollInputs(
        ZYNCom, *modul, [this] { return fStop; },
        [&](int previous, int current) {
          bool cleared = false;
          const int added = fLog.AddChanges(previous, current, inputs,
                                            FromQString(QTime::currentTime().toString("HH:mm:ss")), &cleared);
          if (fModul == modul) ShowLog(cleared, added);
        });
  }
  SetHostEnabled(true);
  fRunning = false;
  ListBox1->setEnabled(true);
  TC->setEnabled(true);
  Button3->setEnabled(false);
  Button2->setEnabled(fModul != nullptr);
}

// --- host ---

TFrService::TFrService(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrService"));
  auto* outer = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  TB = new QToolBar(this);
  TB->setObjectName(QStringLiteral("TB"));
  TB->setToolButtonStyle(Qt::ToolButtonTextOnly);
  AbBtn = new QToolButton(TB);
  AbBtn->setObjectName(QStringLiteral("AbBtn"));
  AbBtn->setText(TranslatedText("Eingänge prüfen"));
  AbBtn->setCheckable(true);
  AnBtn = new QToolButton(TB);
  AnBtn->setObjectName(QStringLiteral("AnBtn"));
  AnBtn->setText(TranslatedText("Ausgänge prüfen"));
  AnBtn->setCheckable(true);
  TB->addWidget(AbBtn);
  TB->addWidget(AnBtn);
  top->addWidget(TB);
  top->addStretch(1);
  FStyle = new QCheckBox(TranslatedText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  top->addWidget(FStyle);
  outer->addLayout(top);
  FM = new TFrameManager(this);
  FM->setObjectName(QStringLiteral("FM"));
  outer->addWidget(FM, 1);
  Eingang = new TFrOldServiceEingang(FM);
  Ausgang = new TFrOldServiceAusgang(FM);
  FM->AddFrame(Eingang, QString(), faClient);
  FM->AddFrame(Ausgang, QString(), faClient);
  connect(AbBtn, &QToolButton::clicked, this, [this] { AbBtnClick(); });
  connect(AnBtn, &QToolButton::clicked, this, [this] { AnBtnClick(); });
  connect(FStyle, &QCheckBox::clicked, this, [](bool on) {
    SetFrameOption("FrService", 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
}

void TFrService::FrameActivate() {
  AbBtn->setChecked(false);
  AnBtn->setChecked(false);
  FStyle->setChecked(GetFrameOption("FrService", 0));
  Eingang->Host = this;
  Ausgang->Host = this;
}

void TFrService::FrameDeactivate() { FM->SetCurrentFrame(QString()); }

void TFrService::AbBtnClick() {
  AnBtn->setChecked(false);
  AbBtn->setChecked(true);
  FM->SetCurrentFrame(QStringLiteral("FrOldServiceEingang"));
  Eingang->ScanModules();
}

void TFrService::AnBtnClick() {
  AbBtn->setChecked(false);
  AnBtn->setChecked(true);
  FM->SetCurrentFrame(QStringLiteral("FrOldServiceAusgang"));
  Ausgang->ScanModules();
}

}  // namespace zyn
