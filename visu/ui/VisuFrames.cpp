#include "visu/ui/VisuFrames.h"

#include "widgets/common/WidgetText.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"

#include <QFrame>
#include <QMetaObject>

namespace zyn {

namespace {
const TDesignPolicy kFramePolicy{.focusIgnored = true, .mouseAlways = true};
}  // namespace

// ---- frame base ---------------------------------------------------------------------------------

TVisuFrameBase::TVisuFrameBase(QWidget* parent, int width, int height, bool passDesigning)
    : QWidget(parent), TVisuComponent(this), TVisuDesignerBase(*this, kFramePolicy), fPassDesigning(passDesigning) {
  resize(width, height);
  setAutoFillBackground(false);
}

void TVisuFrameBase::SetDragDropHandler(TVisuDragOverEvent over, TVisuDragDropEvent drop) {
  for (TVNButton* b : fNavButtons) b->Hooks().SetDrag(over, drop);
}

void TVisuFrameBase::DesigningChanged() {
  if (!fPassDesigning) return;
  for (QObject* child : children())
    if (auto* d = dynamic_cast<IVisuDesigner*>(child)) d->SetDesigning(Designing());
}

void TVisuFrameBase::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), VisuColor(TVisuColors::clBtnFace));
}

QLabel* TVisuFrameBase::AddLabel(const char* name, const char* caption, int x, int y, bool bold, int pixelSize) {
  auto* l = new QLabel(TranslatedText(caption), this);
  l->setObjectName(name);
  QFont f = VisuQFont(TVisuFont{});
  f.setBold(bold);
  if (pixelSize) f.setPixelSize(pixelSize);
  l->setFont(f);
  l->move(x, y);
  l->adjustSize();
  return l;
}

QPushButton* TVisuFrameBase::AddButton(const char* name, const char* caption, int x, int y, int w, int h) {
  auto* b = new QPushButton(TranslatedText(caption), this);
  b->setObjectName(name);
  b->setGeometry(x, y, w, h);
  return b;
}

TVNButton* TVisuFrameBase::AddNavButton(const char* name, const char* caption, int x, int y, int w, int h) {
  auto* b = new TVNButton(this);
  b->SetName(name);
  b->setText(TranslatedText(caption));
  b->setGeometry(x, y, w, h);
  fNavButtons.push_back(b);
  return b;
}

void TVisuFrameBase::AddBevel(int x, int y, int w, int h) {
  auto* bevel = new QFrame(this);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(x, y, w, h);
}

void TVisuFrameBase::NavigateFrom(TVNButton* button, bool needTarget) {
  if (Designing()) return;
  if (needTarget && button->Target.empty()) return;
  if (fNavigate) fNavigate(this, button->Target);
}

// ---- connector frame ----------------------------------------------------------------------------

TVisuConnectorFrame::TVisuConnectorFrame(QWidget* parent) : TVisuFrameBase(parent, 568, 413, false) {
  setToolTip(QString());
  AddLabel("Label1", "Auswahl von Steuermodulen anmelden oder abmelden", 16, 12, true, 16);
  AddBevel(8, 40, 552, 2);
  auto* hint = new TFourthHintPanel(this);
  hint->setObjectName("FourthHintPanel1");
  hint->SetCaption(
      TranslatedText("Die Liste zeigt die Steuermodule, die die Visualisierung verwendet. Nicht erreichbare "
         "Steuermodule erscheinen grau, erreichbare schwarz; angemeldete Steuermodule sind "
         "abgehakt."));
  hint->setGeometry(16, 52, 536, 56);
  CLBSTMs = new QListWidget(this);
  CLBSTMs->setObjectName("CLBSTMs");
  QFont f = VisuQFont(TVisuFont{});
  f.setBold(true);
  CLBSTMs->setFont(f);
  CLBSTMs->setGeometry(16, 120, 360, 230);
  BtnConn = AddButton("BtnConn", "anmelden", 392, 120);
  BtnDis = AddButton("BtnDis", "abmelden", 392, 156);
  AddBevel(8, 362, 552, 2);
  BtnHome = AddNavButton("BtnHome", "Hauptmenue", 432, 372);
  QObject::connect(CLBSTMs, &QListWidget::itemClicked, this, [this] { ListClick(); });
  QObject::connect(CLBSTMs, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (fFilling || !item->data(Qt::UserRole + 3).isValid()) return;
    const bool ticked = item->checkState() == Qt::Checked;
    if (ticked == item->data(Qt::UserRole + 2).toBool() && !ticked) return;
    CLBSTMs->setCurrentItem(item);
    ConnClick();  // ticking connects, also an item that was connected already
  });
  QObject::connect(BtnConn, &QPushButton::clicked, this, [this] { ConnClick(); });
  QObject::connect(BtnDis, &QPushButton::clicked, this, [this] { DisClick(); });
  QObject::connect(BtnHome, &QPushButton::clicked, this, [this] { NavigateFrom(BtnHome, false); });
}

void TVisuConnectorFrame::SetNavButtonText(const std::string& text) {
  fNavButtonText = text;
  BtnHome->SetCaption(text);
}

TLBSTMData TVisuConnectorFrame::ItemData(int row) const {
  const QListWidgetItem* item = CLBSTMs->item(row);
  return {item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toBool(),
          item->data(Qt::UserRole + 2).toBool()};
}

void TVisuConnectorFrame::SetItem(int row, const TLBSTMData& d) {
  const bool filling = fFilling;
  fFilling = true;
  QListWidgetItem* item = CLBSTMs->item(row);
  item->setData(Qt::UserRole, d.Number);
  item->setData(Qt::UserRole + 1, d.Reachable);
  item->setData(Qt::UserRole + 2, d.Connected);
  item->setData(Qt::UserRole + 3, true);
  Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
  if (d.Reachable) flags |= Qt::ItemIsEnabled;
  item->setFlags(flags);
  item->setCheckState(d.Connected ? Qt::Checked : Qt::Unchecked);
  fFilling = filling;
}

std::vector<TLBSTMData> TVisuConnectorFrame::Items() const {
  std::vector<TLBSTMData> items;
  for (int i = 0; i < CLBSTMs->count(); ++i) items.push_back(ItemData(i));
  return items;
}

void TVisuConnectorFrame::GetAvailableSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) {
  if (fAvailable) fAvailable(sender, count, numbers);
}
void TVisuConnectorFrame::GetConnectedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) {
  if (fConnected) fConnected(sender, count, numbers);
}
void TVisuConnectorFrame::GetUsedSTMs(QObject* sender, int& count, std::vector<int32_t>& numbers) {
  if (fUsed) fUsed(sender, count, numbers);
}

void TVisuConnectorFrame::SetSTMInfoEvents(TSTMInfoEvent available, TSTMInfoEvent connected, TSTMInfoEvent used) {
  fAvailable = std::move(available), fConnected = std::move(connected), fUsed = std::move(used);
  if (!Designing() && fAvailable && fConnected && fUsed) {
    FillList();
    ListClick();
  }
}

namespace {
bool Reported(int count, const std::vector<int32_t>& numbers, int32_t n) {
  for (int i = 0; i < count && i < int(numbers.size()); ++i)
    if (numbers[size_t(i)] == n) return true;
  return false;
}
}  // namespace

void TVisuConnectorFrame::FillList() {
  fFilling = true;
  CLBSTMs->clear();
  int count = 0;
  std::vector<int32_t> numbers;
  GetUsedSTMs(this, count, numbers);
  for (int i = 0; i < count && i < int(numbers.size()); ++i) {
    CLBSTMs->addItem(ToQString(Ansi("Steuermodul Adresse: ") + std::to_string(numbers[size_t(i)])));
    SetItem(CLBSTMs->count() - 1, {numbers[size_t(i)], false, false});
  }
  fFilling = false;
  UpdateReachable();
  UpdateConnected();
}

void TVisuConnectorFrame::UpdateReachable() {
  int count = 0;
  std::vector<int32_t> numbers;
  GetAvailableSTMs(this, count, numbers);
  for (int i = 0; i < CLBSTMs->count(); ++i) {
    TLBSTMData d = ItemData(i);
    // A connected control module is reachable, whatever the last query said.
    d.Reachable = Reported(count, numbers, d.Number) || d.Connected;
    SetItem(i, d);
  }
}

void TVisuConnectorFrame::UpdateConnected() {
  int count = 0;
  std::vector<int32_t> numbers;
  GetConnectedSTMs(this, count, numbers);
  for (int i = 0; i < CLBSTMs->count(); ++i) {
    TLBSTMData d = ItemData(i);
    d.Connected = Reported(count, numbers, d.Number);
    if (d.Connected) d.Reachable = true;
    SetItem(i, d);
  }
}

void TVisuConnectorFrame::ListClick() {
  UpdateReachable();
  if (CLBSTMs->count() == 0) {
    BtnConn->setEnabled(false);
    BtnDis->setEnabled(false);
    return;
  }
  if (CLBSTMs->currentRow() < 0) {
    CLBSTMs->setCurrentRow(0);
    UpdateReachable();
  }
  const TLBSTMData d = ItemData(CLBSTMs->currentRow());
  BtnConn->setEnabled(d.Reachable && !d.Connected);
  BtnDis->setEnabled(d.Reachable && d.Connected);
}

void TVisuConnectorFrame::ConnClick() {
  if (CLBSTMs->currentRow() < 0) return;
  ConnectStm(this, ItemData(CLBSTMs->currentRow()).Number);
  UpdateConnected();
  ListClick();
}

void TVisuConnectorFrame::DisClick() {
  if (CLBSTMs->currentRow() < 0) return;
  DisconnectStm(this, ItemData(CLBSTMs->currentRow()).Number);
  UpdateConnected();
  ListClick();
}

void TVisuConnectorFrame::ConnectAllStm(QObject* sender) {
  if (fConnectAll) fConnectAll(sender);
}
void TVisuConnectorFrame::ConnectStm(QObject* sender, int32_t number) {
  BtnConn->setEnabled(false);
  BtnDis->setEnabled(false);
  if (fConnect) fConnect(sender, number);
}
void TVisuConnectorFrame::DisconnectAllStm(QObject* sender) {
  if (fDisconnectAll) fDisconnectAll(sender);
}
void TVisuConnectorFrame::DisconnectStm(QObject* sender, int32_t number) {
  if (fDisconnect) fDisconnect(sender, number);
}
void TVisuConnectorFrame::SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                                              TSTMOneEvent disconnect) {
  fConnectAll = std::move(connectAll), fDisconnectAll = std::move(disconnectAll);
  fConnect = std::move(connect), fDisconnect = std::move(disconnect);
}

bool TVisuConnectorFrame::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "HomeZiel")
    SetHomeZiel(v.AsString());
  else if (name == "NavButtonText")
    SetNavButtonText(v.AsString());
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuConnectorFrame::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutText(out, "HomeZiel", HomeZiel());
  PutText(out, "NavButtonText", fNavButtonText);
}

// ---- menu frame ---------------------------------------------------------------------------------

TVisuMenuFrame::TVisuMenuFrame(QWidget* parent) : TVisuFrameBase(parent, 627, 447, true) {
  AddLabel("Label1", "ZORV ZYN - Visualisierung", 16, 12, true, 16);
  AddBevel(8, 42, 611, 2);
  AddLabel("Label2", "Benutzerverwaltung", 16, 56, true);
  AddLabel("Label3", "Benutzer:", 32, 88);
  BtnLogin = AddNavButton("BtnLogin", "anmelden", 160, 82);
  BtnLogout = AddButton("BtnLogout", "abmelden", 296, 82);
  BtnAdmin = AddNavButton("BtnAdmin", "verwalten...", 432, 82);
  AddBevel(8, 126, 611, 2);
  AddLabel("Label4", "Steuerung(en):", 32, 150);
  BtnConnectAll = AddButton("BtnConnectAll", "alle anmelden", 160, 144);
  BtnDisConnectAll = AddButton("BtnDisConnectAll", "alle abmelden", 296, 144);
  BtnConnect = AddNavButton("BtnConnect", "Auswahl anmelden", 432, 144);
  AddBevel(8, 188, 611, 2);
  AddLabel("Label5", "Programm:", 32, 212);
  BtnOption = AddNavButton("BtnOption", "Optionen", 160, 206);
  BtnStart = AddNavButton("BtnStart", "Startseite", 296, 206);
  BtnClose = AddButton("BtnClose", "beenden", 432, 206);
  AddBevel(8, 250, 611, 2);
  for (TVNButton* b : NavButtons()) {
    b->DontMove = true;
    QObject::connect(b, &QPushButton::clicked, this, [this, b] { NavigateFrom(b, true); });
  }
  QObject::connect(BtnConnectAll, &QPushButton::clicked, this, [this] {
    if (!Designing()) ConnectAllStm(BtnConnectAll);
  });
  QObject::connect(BtnDisConnectAll, &QPushButton::clicked, this, [this] {
    if (!Designing()) DisconnectAllStm(BtnDisConnectAll);
  });
  QObject::connect(BtnClose, &QPushButton::clicked, this, [this] {
    if (!Designing()) QMetaObject::invokeMethod(window(), "close", Qt::QueuedConnection);
  });
  QObject::connect(BtnLogout, &QPushButton::clicked, this, [this] {
    if (!Designing()) LogoutClick();
  });
}

void TVisuMenuFrame::Loaded() {
  TranslateFrame(this);
  if (Designing()) return;
  for (QObject* child : children())
    if (auto* nav = dynamic_cast<INavigator*>(child)) nav->SetNavEnabled(!nav->GetTarget().empty());
}

void TVisuMenuFrame::SetUserManager(IUserManager* manager) {
  fManager = manager;
  if (!Designing()) SetButtonsByLevel();
}

void TVisuMenuFrame::SetButtonsByLevel() {
  if (!fManager) return;
  static const bool kTable[4][9] = {
      // Login Logout Admin Connect ConnectAll DisConnectAll Option Start Close
      {0, 1, 1, 1, 1, 1, 1, 1, 1},
      {0, 1, 0, 1, 1, 1, 1, 1, 1},
      {0, 1, 0, 1, 1, 1, 0, 1, 0},
      {0, 1, 0, 0, 0, 0, 0, 1, 0},
  };
  const int32_t level = fManager->GetCurrentUserLevel();
  if (level < 0 || level > 3) return;
  QWidget* buttons[9] = {BtnLogin,         BtnLogout, BtnAdmin, BtnConnect, BtnConnectAll,
                         BtnDisConnectAll, BtnOption, BtnStart, BtnClose};
  for (int i = 0; i < 9; ++i) buttons[i]->setEnabled(kTable[level][i]);
}

void TVisuMenuFrame::LogoutClick() {
  if (fManager) fManager->SetCurrentUser("", -1);
  SetButtonsByLevel();
}

void TVisuMenuFrame::ConnectAllStm(QObject* sender) {
  if (fConnectAll) fConnectAll(sender);
}
void TVisuMenuFrame::ConnectStm(QObject* sender, int32_t number) {
  if (fConnect) fConnect(sender, number);
}
void TVisuMenuFrame::DisconnectAllStm(QObject* sender) {
  if (fDisconnectAll) fDisconnectAll(sender);
}
void TVisuMenuFrame::DisconnectStm(QObject* sender, int32_t number) {
  if (fDisconnect) fDisconnect(sender, number);
}
void TVisuMenuFrame::SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                                         TSTMOneEvent disconnect) {
  fConnectAll = std::move(connectAll), fDisconnectAll = std::move(disconnectAll);
  fConnect = std::move(connect), fDisconnect = std::move(disconnect);
}

bool TVisuMenuFrame::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "AdminZiel")
    BtnAdmin->Target = v.AsString();
  else if (name == "ConnectZiel")
    BtnConnect->Target = v.AsString();
  else if (name == "LoginZiel")
    BtnLogin->Target = v.AsString();
  else if (name == "StartZiel")
    BtnStart->Target = v.AsString();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuMenuFrame::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutText(out, "AdminZiel", BtnAdmin->Target);
  PutText(out, "ConnectZiel", BtnConnect->Target);
  PutText(out, "LoginZiel", BtnLogin->Target);
  PutText(out, "StartZiel", BtnStart->Target);
}

}  // namespace zyn
