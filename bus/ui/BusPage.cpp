#include "bus/ui/BusPage.h"

#include "bus/BusWait.h"
#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/FormMain.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"

#include <QApplication>
#include <QCheckBox>
#include <QTabBar>
#include <QTimer>
#include <QVariant>

namespace zyn {

QString BusText(const char* germanUtf8) { return ToQString(BusAnsi(germanUtf8)); }

std::string BusAnsi(const char* germanUtf8) { return TranslateText(Ansi(germanUtf8)); }

QCheckBox* MakeSideBarCheck(QWidget* page, const std::string& frameName) {
  auto* box = new QCheckBox(BusText("Outlookbar automatisch ausblenden"), page);
  box->setObjectName(QStringLiteral("FStyle"));
  QObject::connect(box, &QCheckBox::clicked, page, [frameName](bool checked) {
    SetFrameOption(frameName, 0, checked);
    if (IMessageHandler* handler = GetMessageHandler()) {
      if (checked)
        handler->CollapseSideBar();
      else
        handler->ExpandSideBar();
    }
  });
  return box;
}

void ShowSideBarCheck(QCheckBox* box, const std::string& frameName) { box->setChecked(GetFrameOption(frameName, 0)); }

TBusDeviceLabel::TBusDeviceLabel(QWidget* parent, bool withCaption) : QLabel(parent), fCaption(withCaption) {
  setObjectName(QStringLiteral("BusDevice"));
  auto* timer = new QTimer(this);
  timer->setInterval(500);
  connect(timer, &QTimer::timeout, this, [this] {
    if (isVisible()) Refresh();
  });
  timer->start();
  Refresh();
}

bool TBusDeviceLabel::Refresh() {
  const std::string device = PageSerialSettings().DeviceText();
  const bool changed = device != fDevice;
  fDevice = device;
  const QString text = QString::fromStdString(device);
  setText(fCaption ? BusText("Schnittstelle:") + QLatin1Char(' ') + text : text);
  if (changed && OnChange) OnChange(device);
  return changed;
}

void TBusDeviceLabel::showEvent(QShowEvent* event) {
  Refresh();
  QLabel::showEvent(event);
}

void RefreshMainMenu() {
  if (auto* form = dynamic_cast<TMainForm*>(GetMessageHandler())) form->UpdateMenuState(GProjekt != nullptr);
}

void ShowLinkMessages(TZYNComm& comm) {
  comm.OnMessage = [](const std::string& text) { TranslatedMessageDlg(text, mtWarning, mbOK); };
}

void WireLink(TZYNComm& comm, bool portFlag) {
  ShowLinkMessages(comm);
  if (portFlag) {
    comm.OnOpen = [] { GPortOpen = true; };
    comm.OnClose = [] { GPortOpen = false; };
  }
  comm.OnTranslate = [](const std::string& text) { return TranslateText(text); };
  if (!TBusWait::HasProcessEventsHook()) TBusWait::SetProcessEventsHook([] { QApplication::processEvents(); });
}

void FillModuleTabs(QTabBar* tabs) {
  const QSignalBlocker block(tabs);
  while (tabs->count() > 0) tabs->removeTab(0);
  if (!GProjekt) return;
  for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
    const TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
    const int index = tabs->addTab(ToQString(stm->DisplayName()));
    tabs->setTabData(index, stm->Adresse());
  }
}

int TabModule(const QTabBar* tabs, int index) {
  if (index < 0 || index >= tabs->count()) return -1;
  bool ok = false;
  const int adresse = tabs->tabData(index).toInt(&ok);
  return ok ? adresse : -1;
}

TBusSerialSettings PageSerialSettings() { return BusSerialSettingsFromOptions(); }

QString PortText(const TBusSerialSettings& settings) { return QString::fromStdString(settings.DeviceText()); }

void ShowingErrors(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
}

TInterfaceLock::TInterfaceLock() {
  if (IMessageHandler* handler = GetMessageHandler()) handler->LockUserInterface();
}

TInterfaceLock::~TInterfaceLock() {
  if (IMessageHandler* handler = GetMessageHandler()) handler->UnlockUserInterface();
}

}  // namespace zyn
