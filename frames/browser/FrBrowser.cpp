#include "frames/browser/FrBrowser.h"

#include "frames/PageText.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Branding.h"
#include "shell/FormMain.h"
#include "shell/MessageHandler.h"
#include "widgets/common/ZsStatusBar.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEnginePage>

#include <cstdlib>
#include <unistd.h>

namespace zyn {

TWebBrowser::TWebBrowser(QWidget* parent) : QWebEngineView(parent) {
  setObjectName(QStringLiteral("WB"));
  const auto follow = [this](QWebEnginePage::WebAction action, int command) {
    QAction* a = pageAction(action);
    connect(a, &QAction::changed, this, [this, a, command] {
      if (OnCommandStateChange) OnCommandStateChange(command, a->isEnabled());
    });
  };
  follow(QWebEnginePage::Forward, bcForward);
  follow(QWebEnginePage::Back, bcBack);
  connect(this, &QWebEngineView::loadStarted, this, [this] {
    SetBusy(true);
    if (OnDownloadBegin) OnDownloadBegin();
  });
  connect(this, &QWebEngineView::loadFinished, this, [this] {
    SetBusy(false);
    if (OnDownloadComplete) OnDownloadComplete();
  });
  connect(this, &QWebEngineView::titleChanged, this, [this](const QString& title) {
    if (OnTitleChange) OnTitleChange(title);
  });
}

void TWebBrowser::SetBusy(bool busy) {
  if (fBusy == busy) return;
  fBusy = busy;
  if (OnCommandStateChange) OnCommandStateChange(bcUpdateAll, busy);
}

TFrBrowser::TFrBrowser(QWidget* parent) : TProjectPage("FrBrowser", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* tools = new QHBoxLayout;
  const auto button = [this, tools](const char* name, QStyle::StandardPixmap icon, const char* hint) {
    QToolButton* b = MakePageButton(this, name, icon, hint);
    b->setFixedSize(50, 38);
    b->setIconSize(QSize(32, 32));
    tools->addWidget(b);
    return b;
  };
  BP = button("BP", QStyle::SP_ArrowBack, "Vorherige Seite");
  BN = button("BN", QStyle::SP_ArrowForward, "Nächste Seite");
  BS = button("BS", QStyle::SP_BrowserStop, "Laden abbrechen");
  BR = button("BR", QStyle::SP_BrowserReload, "Seite neu laden");
  BH = button("BH", QStyle::SP_DirHomeIcon, "ZYN Homepage");
  tools->addSpacing(12);
  BC = button("BC", QStyle::SP_DialogCloseButton, "Schließen");
  tools->addStretch();
  layout->addLayout(tools);
  for (QToolButton* b : {BP, BN, BS}) b->setEnabled(false);
  // The browser control starts the web engine: it is made when the page is first shown.
  fBrowserHolder = new QWidget(this);
  fBrowserLayout = new QVBoxLayout(fBrowserHolder);
  fBrowserLayout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(fBrowserHolder, 1);
  SP = new TzsStatusBar(this);
  SP->setObjectName(QStringLiteral("SP"));
  TzsStatusPanel* text = SP->AddPanel();
  text->SetWidth(300);
  text->SetAutoFit(false);
  TzsStatusPanel* gauge = SP->AddPanel();
  gauge->SetPanelType(sptGauge);
  gauge->GaugeAttrs().SetStyle(gsIndeterminate2);
  gauge->SetWidth(188);
  gauge->SetAutoFit(false);
  gauge->SetAlignment(TTextAlignment::taCenter);
  gauge->SetEnabled(false);
  SP->setFixedHeight(22);
  layout->addWidget(SP);

  connect(BP, &QToolButton::clicked, this, [this] { EnsureBrowser()->back(); });
  connect(BN, &QToolButton::clicked, this, [this] { EnsureBrowser()->forward(); });
  connect(BS, &QToolButton::clicked, this, [this] { EnsureBrowser()->stop(); });
  connect(BR, &QToolButton::clicked, this, [this] { EnsureBrowser()->reload(); });
  connect(BH, &QToolButton::clicked, this, [this] { GoHome(); });
  connect(BC, &QToolButton::clicked, this, [] {
    if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(3, 0);
  });
}

TWebBrowser* TFrBrowser::EnsureBrowser() {
  if (WB) return WB;
  WB = new TWebBrowser(fBrowserHolder);
  fBrowserLayout->addWidget(WB);
  WB->OnCommandStateChange = [this](int command, bool enable) { CommandStateChange(command, enable); };
  WB->OnDownloadBegin = [this] { BusyChanged(); };
  WB->OnDownloadComplete = [this] { BusyChanged(); };
  WB->OnTitleChange = [this](const QString& title) {
    SP->Panel(0)->SetText(ToQString(TranslateText("ZYN Systemsoftware -")) + QLatin1Char(' ') + title);
  };
  return WB;
}

void TFrBrowser::FrameActivate() {
  // The homepage command shows the homepage; a page the user went to stays.
  if (EnsureBrowser()->url().isEmpty()) GoHome();
}

void TFrBrowser::GoHome() { EnsureBrowser()->Navigate(QUrl(QString::fromStdString(GetHomepage()))); }

void TFrBrowser::CommandStateChange(int command, bool enable) {
  if (command == bcForward)
    BN->setEnabled(enable);
  else if (command == bcBack)
    BP->setEnabled(enable);
  else if (command == bcUpdateAll)
    BusyChanged();
}

void TFrBrowser::BusyChanged() {
  const bool busy = WB && WB->Busy();
  BS->setEnabled(busy);
  SP->Panel(1)->SetEnabled(busy);
}

void TFrBrowser::resizeEvent(QResizeEvent* event) {
  TProjectPage::resizeEvent(event);
  SP->Panel(0)->SetWidth(std::max(0, width() - 188));
}

void PrepareBrowserEngine() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  if (::geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

void RegisterBrowserPage() {
  RegisterFrameMaker("FrBrowser", [] { return new TFrBrowser; });
}

}  // namespace zyn
