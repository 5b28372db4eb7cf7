#include "bus/ui/ServicePage.h"

#include "bus/ui/BusPage.h"

#include "bus/BusWait.h"
#include "bus/ServiceModules.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyleOptionTab>
#include <QVBoxLayout>

namespace zyn {

TServiceTabBar::TServiceTabBar(QWidget* parent) : QTabBar(parent) {
  setObjectName(QStringLiteral("TC"));
  setExpanding(false);
  QFont f = font();
  f.setBold(true);
  setFont(f);
}

void TServiceTabBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  for (int i = 0; i < count(); ++i) {
    QStyleOptionTab option;
    initStyleOption(&option, i);
    option.text.clear();
    style()->drawControl(QStyle::CE_TabBarTabShape, &option, &p, this);
    QFont f = font();
    f.setBold(i == currentIndex());
    p.setFont(f);
    p.setPen(i == currentIndex() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    p.drawText(tabRect(i), Qt::AlignCenter, tabText(i));
  }
}

TServicePage::TBusWork::TBusWork() {
  if (IMessageHandler* h = GetMessageHandler()) h->LockUserInterface();
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

TServicePage::TBusWork::~TBusWork() {
  QApplication::restoreOverrideCursor();
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
}

TServicePage::TServicePage(const char* name, bool withTabs, QWidget* parent) : QWidget(parent), fName(name) {
  setObjectName(QString::fromLatin1(name));
  // Waits for the bus keep the window alive.
  if (!TBusWait::HasProcessEventsHook()) TBusWait::SetProcessEventsHook([] { QCoreApplication::processEvents(); });
  ZYNCom.OnOpen = [] { GPortOpen = true; };
  ZYNCom.OnClose = [] { GPortOpen = false; };
  ZYNCom.OnTranslate = [](const std::string& text) { return TranslateText(text); };
  auto* outer = new QVBoxLayout(this);
  ShowLinkMessages(ZYNCom);
  fTop = new QHBoxLayout;
  fTop->addStretch(1);
  fTop->addWidget(new TBusDeviceLabel(this));
  FStyle = new QCheckBox(TranslatedText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  fTop->addWidget(FStyle);
  outer->addLayout(fTop);
  if (withTabs) {
    TC = new TServiceTabBar(this);
    outer->addWidget(TC);
    connect(TC, &QTabBar::currentChanged, this, [this] {
      if (fFilling) return;
      TSteuermodul* stm = CurrentStm();
      if (stm) ZYNCom.SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
      StmChanged(stm);
    });
  }
  fBody = new QVBoxLayout;
  outer->addLayout(fBody, 1);
  connect(FStyle, &QCheckBox::clicked, this, [this](bool on) {
    SetFrameOption(fName, 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
}

TServicePage::~TServicePage() { ZYNCom.CloseLink(); }

TSteuermodul* TServicePage::CurrentStm() const {
  if (!GProjekt || !TC || TC->currentIndex() < 0) return nullptr;
  return GProjekt->Steuermodule.FindByName(FromQString(TC->tabData(TC->currentIndex()).toString()));
}

void TServicePage::FillTabs() {
  fFilling = true;
  while (TC->count() > 0) TC->removeTab(0);
  if (GProjekt)
    for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
      TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
      TC->setTabData(TC->addTab(ToQString(stm->DisplayName())), ToQString(stm->InternalName()));
    }
  fFilling = false;
}

void TServicePage::FrameActivate() {
  FStyle->setChecked(GetFrameOption(fName, 0));
  PrepareServiceLink(ZYNCom);
  if (!TC) return;
  FillTabs();
  TSteuermodul* stm = CurrentStm();
  if (stm) ZYNCom.SetA_Steuermodul(static_cast<uint8_t>(stm->Adresse()));
  StmChanged(stm);
}

}  // namespace zyn
