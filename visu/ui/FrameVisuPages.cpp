#include "visu/ui/FrameVisuPages.h"

#include "widgets/common/WidgetText.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "visu/VisuProject.h"
#include "visu/ui/FrameVisuEntwurf.h"
#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuPageFrame.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {
}  // namespace

// ---- users -------------------------------------------------------------------------------------------

TFrVisuCreateRT::TFrVisuCreateRT(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrVisuCreateRT"));
  resize(751, 562);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* panel = new QWidget(this);
  auto* inner = new QVBoxLayout(panel);
  inner->setContentsMargins(0, 0, 0, 0);
  VUAFrame = new TVisuUserAdminFrame(panel);
  VUAFrame->Designing = false;
  VUAFrame->SetName("VUAFrame");
  inner->addWidget(VUAFrame);
  layout->addWidget(panel);
  // Every committed change and every deletion is a change of the project.
  VUAFrame->OnModified = [] {
    if (GProjekt) GProjekt->Modified = true;
  };
}

TFrVisuCreateRT::~TFrVisuCreateRT() { VUAFrame->SetUserList(nullptr); }

void TFrVisuCreateRT::FrameActivate() {
  VUAFrame->VNMainMenue->hide();
  VUAFrame->SetUserList(GProjekt ? &GProjekt->VisuProject().UserData : nullptr);
}

void TFrVisuCreateRT::FrameDeactivate() {
  VUAFrame->VNMainMenue->hide();
  VUAFrame->SetUserList(nullptr);
  VUAFrame->ClearUserFields();
  VUAFrame->UserList->clear();
}

// ---- settings ------------------------------------------------------------------------------------------

TFrVisuProjekt::TFrVisuProjekt(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrVisuProjekt"));
  resize(484, 342);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QToolBar(this);
  const auto tool = [this, bar](const char* name, const char* hint, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(TranslatedText(hint));
    b->setIcon(style()->standardIcon(icon));
    b->setAutoRaise(true);
    bar->addWidget(b);
    return b;
  };
  BtnAdd = tool("BtnAdd", "Hinzufügen", QStyle::SP_FileDialogNewFolder);
  BtnDelete = tool("BtnDelete", "Löschen", QStyle::SP_TrashIcon);
  BtnOK = tool("BtnOK", "Übernehmen", QStyle::SP_DialogApplyButton);
  BtnAdd->setEnabled(false);
  BtnDelete->setEnabled(false);
  BtnOK->setEnabled(false);
  layout->addWidget(bar);
  auto* title = new QLabel(TranslatedText("Projektdaten"), this);
  title->setStyleSheet(QStringLiteral("font-weight: bold;"));
  layout->addWidget(title);

  const auto radio = [this](QGroupBox* g, const char* name, const char* text) {
    auto* r = new QRadioButton(TranslatedText(text), g);
    r->setObjectName(QString::fromLatin1(name));
    g->layout()->addWidget(r);
    connect(r, &QRadioButton::clicked, this, [this] { Changed(); });
    return r;
  };
  GBType = new QGroupBox(TranslatedText(" Bedienungsart "), this);
  GBType->setLayout(new QVBoxLayout);
  RBMouse = radio(GBType, "RBMouse", "Maus und Tastatur");
  RBTouch = radio(GBType, "RBTouch", "Touchscreen / Touchpannel");
  GBSize = new QGroupBox(TranslatedText(" Bildschirmauflösung "), this);
  GBSize->setLayout(new QVBoxLayout);
  RB800 = radio(GBSize, "RB800", "800 x 600");
  RB1024 = radio(GBSize, "RB1024", "1024 x 768");
  RB1280 = radio(GBSize, "RB1280", "1280 x 1024");
  RB1600 = radio(GBSize, "RB1600", "1600 x 1280");
  auto* row = new QHBoxLayout;
  row->addWidget(GBType);
  row->addWidget(GBSize);
  layout->addLayout(row);

  GBPages = new QGroupBox(TranslatedText(" Standardbildschirme auswählen "), this);
  auto* grid = new QGridLayout(GBPages);
  const auto check = [this, grid](const char* name, const char* text, const char* explanation, int tag) {
    auto* c = new QCheckBox(TranslatedText(text), GBPages);
    c->setObjectName(QString::fromLatin1(name));
    c->setProperty("Tag", tag);
    c->setEnabled(false);  // shown, not offered for changing
    auto* l = new QLabel(TranslatedText(explanation), GBPages);
    l->setWordWrap(true);
    grid->addWidget(c, tag - 100, 0);
    grid->addWidget(l, tag - 100, 1);
    connect(c, &QCheckBox::clicked, this, [this, c] {
      if (c == CBMenuFrame && c->isChecked())
        for (QCheckBox* other : {CBAnmeldeFrame, CBConnectFrame, CBUserFrame}) other->setChecked(true);
      Changed();
    });
    return c;
  };
  CBMenuFrame = check("CBMenuFrame", "Menüseite verwenden",
                      "Erstellt einen Menüseite und kennzeichnet diese als Startseite.", 100);
  CBAnmeldeFrame = check("CBAnmeldeFrame", "Anmeldeseite verwenden",
                         "Erstellt einen Seite mit dem sich die Benutzer am System anmelden können.", 101);
  CBConnectFrame = check("CBConnectFrame", "Verbindungsseite verwenden",
                         "Erstellt einen Seite mit dem eine explizite Anmeldung an einzelnen STM möglich ist.", 102);
  CBUserFrame = check("CBUserFrame", "Benutzerverwaltung verwenden",
                      "Erstellt einen Seite zum Anlegen und Barbeiten von Benutzern.", 103);
  grid->setColumnStretch(1, 1);
  layout->addWidget(GBPages);
  layout->addStretch(1);
  connect(BtnOK, &QToolButton::clicked, this, [this] { Apply(); });
}

void TFrVisuProjekt::Changed() {
  if (fFilling) return;
  fModified = true;
  BtnOK->setEnabled(true);
}

void TFrVisuProjekt::FrameActivate() {
  if (!GProjekt) return;
  const TVisuProject& visu = GProjekt->VisuProject();
  const TVisuDaten& d = visu.VisuDaten;
  fFilling = true;
  (d.ScreenType == TScreenType::stTouch ? RBTouch : RBMouse)->setChecked(true);
  QRadioButton* sizes[] = {RB800, RB1024, RB1280, RB1600};
  const int size = static_cast<int>(d.ScreenSize);
  if (size >= 0 && size < 4) sizes[size]->setChecked(true);
  CBMenuFrame->setChecked(d.UseMenuFrame);
  CBAnmeldeFrame->setChecked(d.UseLoginFrame);
  CBConnectFrame->setChecked(d.UseConnectFrame);
  CBUserFrame->setChecked(d.UseUserFrame);
  fFilling = false;
  const bool noPages = visu.PageCount() == 0;
  GBPages->setEnabled(noPages);
  GBSize->setEnabled(noPages);
  BtnOK->setEnabled(fModified);
}

void TFrVisuProjekt::Apply() {
  if (!GProjekt) return;
  TVisuDaten& d = GProjekt->VisuProject().VisuDaten;
  const TVisuDaten before = d;
  d.ScreenType = RBMouse->isChecked() ? TScreenType::stStandard : TScreenType::stTouch;
  const QRadioButton* sizes[] = {RB800, RB1024, RB1280, RB1600};
  for (int i = 0; i < 4; ++i)
    if (sizes[i]->isChecked()) {
      d.ScreenSize = static_cast<TScreenSize>(i);
      break;
    }
  d.UseMenuFrame = CBMenuFrame->isChecked();
  d.UseLoginFrame = CBAnmeldeFrame->isChecked();
  d.UseConnectFrame = CBConnectFrame->isChecked();
  d.UseUserFrame = CBUserFrame->isChecked();
  fModified = true;
  if (!(d == before)) GProjekt->Modified = true;
}

// ---- registration --------------------------------------------------------------------------------

void RegisterVisuPages() {
  RegisterVisuClasses();
  TVisuProject::SetDefaultPageFactory(MakeVisuDesignPage);
  RegisterFrameMaker("FrVisuEntwurf", [] { return new TFrVisuEntwurf; });
  RegisterFrameMaker("FrVisuCreateRT", [] { return new TFrVisuCreateRT; });
  RegisterFrameMaker("FrVisuProjekt", [] { return new TFrVisuProjekt; });
}

}  // namespace zyn
