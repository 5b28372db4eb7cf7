#include "frames/FrBrowser.h"

#include "frames/PageText.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "shell/Branding.h"
#include "shell/MessageHandler.h"
#include "widgets/common/ZsStatusBar.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

QString BrowserStartPage() {
  const QString home = QString::fromStdString(GetHomepage());
  return QStringLiteral(
             "<html><head><title>%1</title></head><body>"
             "<h2>%2</h2><p>%3</p><p><a href=\"%4\">%4</a></p></body></html>")
      .arg(PageText("Start"), ToQString(GProgramTitle).toHtmlEscaped(),
           PageText("Die Homepage mit Neuigkeiten, Handbüchern und Updates öffnet sich im Webbrowser des Systems:"),
           home.toHtmlEscaped());
}

TPageBrowser::TPageBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("WB"));
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    // Pages on the web open in the desktop's browser; local ones here.
    if (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https") ||
        url.scheme() == QStringLiteral("mailto"))
      QDesktopServices::openUrl(url);
    else
      setSource(url);
  });
}

void TPageBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  fBusy = true;
  if (OnBusyChanged) OnBusyChanged();
  QTextBrowser::doSetSource(name, type);
  fBusy = false;
  if (OnBusyChanged) OnBusyChanged();
}

QVariant TPageBrowser::loadResource(int type, const QUrl& name) {
  if (name == StartPage()) return BrowserStartPage();
  return QTextBrowser::loadResource(type, name);
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
  WB = new TPageBrowser(this);
  layout->addWidget(WB, 1);
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

  connect(BP, &QToolButton::clicked, WB, &QTextBrowser::backward);
  connect(BN, &QToolButton::clicked, WB, &QTextBrowser::forward);
  // A page loads in one step; while it loads the button shows that it could be stopped.
  connect(BR, &QToolButton::clicked, WB, &QTextBrowser::reload);
  connect(BH, &QToolButton::clicked, this, [this] { GoHome(); });
  connect(BC, &QToolButton::clicked, this, [] {
    if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(3, 0);
  });
  connect(WB, &QTextBrowser::backwardAvailable, BP, &QToolButton::setEnabled);
  connect(WB, &QTextBrowser::forwardAvailable, BN, &QToolButton::setEnabled);
  connect(WB, &QTextBrowser::sourceChanged, this, [this] { TitleChanged(); });
  WB->OnBusyChanged = [this] { BusyChanged(); };
}

void TFrBrowser::FrameActivate() {
  // The homepage command shows the start page; a page the user went to stays.
  if (WB->source().isEmpty()) GoHome();
}

void TFrBrowser::GoHome() { WB->setSource(TPageBrowser::StartPage()); }

void TFrBrowser::BusyChanged() {
  BS->setEnabled(WB->Busy());
  SP->Panel(1)->SetEnabled(WB->Busy());
}

void TFrBrowser::TitleChanged() {
  SP->Panel(0)->SetText(ToQString(TranslateText("ZYN Systemsoftware -")) + QLatin1Char(' ') + WB->documentTitle());
}

void TFrBrowser::resizeEvent(QResizeEvent* event) {
  TProjectPage::resizeEvent(event);
  SP->Panel(0)->SetWidth(std::max(0, width() - 188));
}

}  // namespace zyn
