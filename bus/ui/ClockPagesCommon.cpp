#include "bus/ui/ClockPagesCommon.h"

#include "bus/ui/BusPage.h"

#include "bus/BusSerialSettings.h"
#include "bus/ServiceModules.h"
#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/MessageHandler.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTabBar>

#include <cstdio>
#include <cstdlib>

namespace zyn {

void ConfigureServiceLink(TZYNComm& comm, bool portEvents) {
  comm.ApplySerialSettings(BusSerialSettingsFromOptions());
  comm.OnTranslate = [](const std::string& text) { return TranslateText(text); };
  ShowLinkMessages(comm);
  if (portEvents) {
    comm.OnOpen = [] { GPortOpen = true; };
    comm.OnClose = [] { GPortOpen = false; };
  }
}

TServiceLock::TServiceLock() {
  if (IMessageHandler* h = GetMessageHandler()) h->LockUserInterface();
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TServiceLock::~TServiceLock() {
  QApplication::restoreOverrideCursor();
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
}

QString ClockText(const char* germanUtf8) { return TranslatedText(germanUtf8); }

std::string FillIn(const char* germanUtf8, const std::string& value) {
  std::string text = TranslateText(Ansi(germanUtf8));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

QString ModelText(const std::string& ansi) { return ToQString(ansi); }

void FillControlModuleTabs(QTabBar* tabs) {
  const QSignalBlocker block(tabs);
  while (tabs->count() > 0) tabs->removeTab(0);
  if (!GProjekt) return;
  for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
    TSteuermodul* stm = GProjekt->Steuermodule.GetItem(i);
    const int tab = tabs->addTab(ToQString(stm->DisplayName()));
    tabs->setTabData(tab, ToQString(stm->InternalName()));
  }
  tabs->setCurrentIndex(tabs->count() > 0 ? 0 : -1);
}

TSteuermodul* TabControlModule(const QTabBar* tabs, int index) {
  if (!GProjekt || index < 0 || index >= tabs->count()) return nullptr;
  return GProjekt->Steuermodule.FindByInternalName(FromQString(tabs->tabData(index).toString()));
}

QCheckBox* MakeStyleBox(QWidget* page, const char* frameName) {
  auto* box = new QCheckBox(ClockText("Outlookbar automatisch ausblenden"), page);
  box->setObjectName(QStringLiteral("FStyle"));
  QObject::connect(box, &QCheckBox::clicked, page, [frameName](bool on) {
    SetFrameOption(frameName, 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
  return box;
}

void ShowStyleBox(QCheckBox* box, const char* frameName) {
  const QSignalBlocker block(box);
  box->setChecked(GOptionFile && GetFrameOption(frameName, 0));
}

void AddNumberedLogLine(QListWidget* log, const QString& text) {
  char number[16];
  std::snprintf(number, sizeof number, "%3.3d: ", log->count());
  log->insertItem(0, QString::fromLatin1(number) + text);
}

void WaitProcessing(int ms, const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace zyn
