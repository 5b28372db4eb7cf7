#include "shell/Einrichtungsexperte.h"

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "shell/Branding.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zyn {
namespace {

QWizardPage* NewPage(QWizard* wizard, const char* name, const char* title) {
  auto* page = new QWizardPage(wizard);
  page->setObjectName(QString::fromUtf8(name));
  page->setTitle(QString::fromUtf8(title));
  return page;
}

// The control library's edits name no preferred size of their own: each keeps the height its
// font needs, so that a layout neither squeezes nor stretches it.
template <typename TEdit>
TEdit* FitHeight(TEdit* edit) {
  edit->AdjustHeight();
  edit->setFixedHeight(edit->height());
  return edit;
}

TZCLEdit* AddEdit(QFormLayout* form, QWidget* page, const char* name, const char* label) {
  auto* edit = FitHeight(new TZCLEdit(page));
  edit->setObjectName(QString::fromUtf8(name));
  form->addRow(QString::fromUtf8(label), edit);
  return edit;
}

QButtonGroup* RadioGroup(QWidget* page, QVBoxLayout* into, const char* name, const char* title,
                         std::initializer_list<const char*> captions) {
  auto* box = new QGroupBox(QString::fromUtf8(title), page);
  box->setObjectName(QString::fromUtf8(name));
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  group->setObjectName(QString::fromUtf8(name) + QStringLiteral("Buttons"));
  int id = 0;
  for (const char* caption : captions) {
    auto* radio = new QRadioButton(QString::fromUtf8(caption), box);
    layout->addWidget(radio);
    group->addButton(radio, id++);
  }
  into->addWidget(box);
  return group;
}

TZCLSpinEdit* Spin(QWidget* parent, const char* name, int minimum, int maximum) {
  auto* spin = FitHeight(new TZCLSpinEdit(parent));
  spin->setObjectName(QString::fromUtf8(name));
  spin->SetMinValue(minimum);
  spin->SetMaxValue(maximum);
  return spin;
}

QCheckBox* AddCheck(QWidget* parent, QVBoxLayout* into, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromUtf8(name));
  into->addWidget(box);
  return box;
}

void SetRadio(QButtonGroup* group, int index) {
  if (QAbstractButton* b = group->button(index)) b->setChecked(true);
}

}  // namespace

TFormEinrichtungsexperte::TFormEinrichtungsexperte(QWidget* parent, std::string optionFileName)
    : QWizard(parent), fOptionFileName(std::move(optionFileName)) {
  setObjectName(QStringLiteral("FormEinrichtungsexperte"));
  setWindowTitle(QStringLiteral("ZYN Einrichtungsassistent"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::HaveHelpButton, true);
  setOption(QWizard::HaveCustomButton1, true);
  setOption(QWizard::HaveCustomButton2, true);
  setOption(QWizard::NoBackButtonOnStartPage, false);
  setButtonText(QWizard::CustomButton1, QStringLiteral("&Erste Seite"));
  setButtonText(QWizard::CustomButton2, QStringLiteral("&Letzte Seite"));
  setButtonText(QWizard::BackButton, QStringLiteral("< &Zurück"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Weiter >"));
  setButtonText(QWizard::FinishButton, QStringLiteral("&Fertigstellen"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Abbrechen"));
  setButtonText(QWizard::HelpButton, QStringLiteral("&Hilfe"));
  setButtonLayout({QWizard::CustomButton1, QWizard::CustomButton2, QWizard::Stretch, QWizard::BackButton,
                   QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton, QWizard::HelpButton});
  connect(this, &QWizard::customButtonClicked, this, [this](int which) {
    // "Erste Seite" goes back to the welcome page, "Letzte Seite" forward to the last one.
    const int target = which == QWizard::CustomButton1 ? KW : KWizardInteriorPage3;
    for (int guard = 0; guard < 8 && currentId() != target && currentId() != -1; ++guard) {
      const int before = currentId();
      if (which == QWizard::CustomButton1)
        back();
      else
        next();
      if (currentId() == before) break;
    }
  });
  connect(this, &QWizard::currentIdChanged, this, [this](int id) { PageChanged(id); });
  connect(this, &QWizard::helpRequested, this, [this] { ShowHelp(); });
  setWindowIcon(GetMainIcon());

  // welcome page: the side picture and the three steps
  QWizardPage* welcome = NewPage(this, "KW", "ZYN Einrichtungsassistent");
  welcome->setSubTitle(QStringLiteral("Dieser Assistent hilft Ihnen beim Einrichten der ZYN Systemsoftware."));
  auto* wl = new QHBoxLayout(welcome);
  SidePicture = new QLabel(welcome);
  SidePicture->setObjectName(QStringLiteral("SidePicture"));
  SidePicture->setFixedWidth(150);
  SidePicture->setScaledContents(true);
  wl->addWidget(SidePicture);
  auto* steps = new QLabel(welcome);
  steps->setObjectName(QStringLiteral("Steps"));
  steps->setWordWrap(true);
  steps->setText(
      QStringLiteral("1. Eingabe Ihrer Firmendaten.\n\n2. Auswählen der seriellen Schnittstelle.\n\n"
                     "3. Allgemeine Einstellungen."));
  wl->addWidget(steps, 1);
  setPage(KW, welcome);

  // company data
  QWizardPage* p1 = NewPage(this, "KWizardInteriorPage1", "Firmendaten");
  auto* form = new QFormLayout(p1);
  B1 = AddEdit(form, p1, "B1", "Firmenname 1:");
  B2 = AddEdit(form, p1, "B2", "Firmenname 2:");
  B3 = AddEdit(form, p1, "B3", "Bearbeiter:");
  B4 = AddEdit(form, p1, "B4", "Straße:");
  B5 = AddEdit(form, p1, "B5", "PLZ:");
  B6 = AddEdit(form, p1, "B6", "Ort:");
  B7 = AddEdit(form, p1, "B7", "Telefon:");
  B9 = AddEdit(form, p1, "B9", "EMail:");
  setPage(KWizardInteriorPage1, p1);

  // serial link
  QWizardPage* p2 = NewPage(this, "KWizardInteriorPage2", "Übertragungsparameter");
  auto* l2 = new QVBoxLayout(p2);
  auto* radios = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  radios->addLayout(left);
  radios->addLayout(right);
  l2->addLayout(radios);
  GBSource = RadioGroup(p2, left, "GBSource", " &PC - Schnittstelle ", {"COM&1", "COM&2", "COM&3", "COM&4"});
  GBTarget = RadioGroup(p2, right, "GBTarget", " P&HC - Zielpunkt ",
                        {"ZYN &Steuermodul", "ZYN &RS485 Adapter", "ZYN RS485 &Automatikadapter"});
  SetRadio(GBSource, 1);
  // Our own addition beside the COM number: the serial device (/dev/ttyUSB0, /dev/ttyS0, a
  // pseudo-terminal); empty: the device of the chosen COM port.
  EDevice = FitHeight(new TZCLEdit(p2));
  EDevice->setObjectName(QStringLiteral("EDevice"));
  auto* deviceLabel = new QLabel(QStringLiteral("&Gerätedatei (leer: die COM- Schnittstelle)"), p2);
  deviceLabel->setBuddy(EDevice);
  left->addWidget(deviceLabel);
  left->addWidget(EDevice);
  auto* extended = new QGroupBox(QStringLiteral(" &Erweiterte Einstellungen "), p2);
  extended->setObjectName(QStringLiteral("GBExtended"));
  extended->setEnabled(false);
  auto* el = new QFormLayout(extended);
  // The stored values are kept as they are: the group is for reading only.
  AWA = Spin(extended, "AWA", 0, 65535);
  MTA = Spin(extended, "MTA", 0, 65535);
  MTP = Spin(extended, "MTP", 0, 65535);
  el->addRow(QStringLiteral("Anzahl &Wiederholungen bis zum Abbruch der Übertragung"), AWA);
  el->addRow(QStringLiteral("Max. Wartezeit für &Quittung auf ein Telegramm ( 50 bis 5000 ms )"), MTA);
  el->addRow(QStringLiteral("Minimale &Pause zwischen zwei Telegrammen ( 1 bis 500 ms )"), MTP);
  l2->addWidget(extended);
  setPage(KWizardInteriorPage2, p2);

  // general settings
  QWizardPage* p3 = NewPage(this, "KWizardInteriorPage3", "Allgemeine Einstellungen");
  p3->setFinalPage(true);
  auto* l3 = new QHBoxLayout(p3);
  auto* settings = new QGroupBox(QStringLiteral("&Einstellungen "), p3);
  settings->setObjectName(QStringLiteral("GBSettings"));
  auto* sl = new QVBoxLayout(settings);
  HTA = AddCheck(settings, sl, "HTA", "Hilfetexte anzeigen");
  STA = AddCheck(settings, sl, "STA", "Startassistenten verwenden");
  STA->setEnabled(false);
  SAL = AddCheck(settings, sl, "SAL", "Sicherheitsabfrage beim Löschen");
  FSU = AddCheck(settings, sl, "FSU", "Funktionen sofort umbenennen");
  ADE = AddCheck(settings, sl, "ADE", "Projektdatenbank verwenden");
  KDE = AddCheck(settings, sl, "KDE", "Kundendatenbank verwenden");
  GFX = AddCheck(settings, sl, "GFX", "Grafische Elemente in Basisprogrammierung");
  l3->addWidget(settings);
  auto* fileMenu = new QGroupBox(QStringLiteral("D&ateimenü "), p3);
  fileMenu->setObjectName(QStringLiteral("GBFileMenu"));
  auto* fl = new QVBoxLayout(fileMenu);
  AUZ = AddCheck(fileMenu, fl, "AUZ", "Als Untermenü zeigen");
  VZA = AddCheck(fileMenu, fl, "VZA", "Pfadnamen anzeigen");
  FZE = AddCheck(fileMenu, fl, "FZE", "Fehlende Ziele entfernen");
  auto* admLabel = new QLabel(QStringLiteral("Anzahl der Dateien,\ndie im Dateimenü\nangezeigt werden:"), fileMenu);
  admLabel->setObjectName(QStringLiteral("LabelADM"));
  fl->addWidget(admLabel);
  ADM = Spin(fileMenu, "ADM", 0, 10);
  fl->addWidget(ADM);
  fl->addStretch();
  l3->addWidget(fileMenu);
  setPage(KWizardInteriorPage3, p3);

  setStartId(KW);
  TranslateForm(this);
  // One size for every page: the dialog's own size, or what the largest page needs.
  QSize size(476, 315);
  for (int id : pageIds()) size = size.expandedTo(page(id)->minimumSizeHint() + QSize(24, 140));
  setFixedSize(size);
}

void TFormEinrichtungsexperte::PageChanged(int id) {
  // The last page has back, finish and cancel only; the first page cannot go back.
  const bool last = id == KWizardInteriorPage3;
  if (last)
    setButtonLayout({QWizard::Stretch, QWizard::BackButton, QWizard::FinishButton, QWizard::CancelButton});
  else
    setButtonLayout({QWizard::CustomButton1, QWizard::CustomButton2, QWizard::Stretch, QWizard::BackButton,
                     QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton, QWizard::HelpButton});
  if (QAbstractButton* first = button(QWizard::CustomButton1)) first->setEnabled(id != KW);
  if (QAbstractButton* backButton = button(QWizard::BackButton)) backButton->setEnabled(id != KW);
}

QString TFormEinrichtungsexperte::HelpText(int pageId) {
  switch (pageId) {
    case KWizardInteriorPage1:
      return QStringLiteral(
          "Tragen Sie hier die Daten Ihrer Firma ein. Sie erscheinen in der Projektdokumentation, in "
          "Supportanfragen und als Absender von E-Mails. Alle Angaben können später unter "
          "\"Basisdaten\" geändert werden.");
    case KWizardInteriorPage2:
      return QStringLiteral(
          "Wählen Sie die serielle Schnittstelle des PCs, an der das ZYN Steuermodul oder der RS485 "
          "Adapter angeschlossen ist, und das Gerät an dieser Schnittstelle.");
    case KWizardInteriorPage3:
      return QStringLiteral(
          "Legen Sie fest, wie sich die Systemsoftware verhält: Hilfetexte, Sicherheitsabfragen, die "
          "Datenbanken und die Liste der zuletzt geöffneten Dateien im Dateimenü.");
    default:
      return QStringLiteral(
          "Der Assistent führt Sie in drei Schritten durch die ersten Einstellungen. Mit \"Weiter\" "
          "gelangen Sie zur nächsten Seite, mit \"Fertigstellen\" werden die Einstellungen gespeichert.");
  }
}

void TFormEinrichtungsexperte::ShowHelp() {
  TranslatedMessageDlg(FromQString(HelpText(currentId())), mtInformation, mbOK);
}

void TFormEinrichtungsexperte::showEvent(QShowEvent* event) {
  SidePicture->setPixmap(QPixmap::fromImage(GetConfigBitmap()));
  LoadFromOptions();
  QWizard::showEvent(event);
}

void TFormEinrichtungsexperte::LoadFromOptions() {
  if (!GOptionFile) return;
  TZYNOptionen& o = GOptionFile->Optionen();
  const TOptionItem& op = o.Optionen->First();
  HTA->setChecked(op.ShowHint);
  STA->setChecked(op.StartAssist);
  SAL->setChecked(op.ConfirmDelete);
  FSU->setChecked(op.DirectRename);
  ADE->setChecked(op.AutoInsertDB);
  KDE->setChecked(op.AutoInsertKD);
  GFX->setChecked(op.GfxPrgTree);
  const TFileMenuItem& fm = o.FileMenu->First();
  AUZ->setChecked(fm.ShowAsSubmenu);
  VZA->setChecked(fm.ShowFolder);
  FZE->setChecked(fm.DeleteTarget);
  ADM->SetValue(fm.MaxItems);
  const TSerialPortItem& sp = o.SerialPort->First();
  SetRadio(GBSource, sp.Source);
  SetRadio(GBTarget, sp.Target);
  EDevice->SetText(QString::fromStdString(sp.DevicePath));
  AWA->SetValue(sp.MaxRepeat);
  MTA->SetValue(sp.MaxTimeout);
  MTP->SetValue(sp.MinPause);
  const TUserBasisDaten& b = o.BasisDaten->First();
  B1->SetText(ToQString(b.Firma1));
  B2->SetText(ToQString(b.Firma2));
  B3->SetText(ToQString(b.Bearbeiter));
  B4->SetText(ToQString(b.Strasse));
  B5->SetText(ToQString(b.PLZ));
  B6->SetText(ToQString(b.Ort));
  B7->SetText(ToQString(b.Telefon));
  B9->SetText(ToQString(b.email));
}

bool TFormEinrichtungsexperte::StoreToOptions() {
  if (!GOptionFile) return false;
  TZYNOptionen& o = GOptionFile->Optionen();
  TOptionItem& op = o.Optionen->First();
  op.ShowHint = HTA->isChecked();
  op.StartAssist = STA->isChecked();
  op.ConfirmDelete = SAL->isChecked();
  op.DirectRename = FSU->isChecked();
  op.AutoInsertDB = ADE->isChecked();
  op.AutoInsertKD = KDE->isChecked();
  op.GfxPrgTree = GFX->isChecked();
  op.FirstRun = true;
  TFileMenuItem& fm = o.FileMenu->First();
  fm.ShowAsSubmenu = AUZ->isChecked();
  fm.ShowFolder = VZA->isChecked();
  fm.DeleteTarget = FZE->isChecked();
  fm.MaxItems = ADM->Value();
  TSerialPortItem& sp = o.SerialPort->First();
  if (GBSource->checkedId() >= 0) sp.Source = GBSource->checkedId();
  if (GBTarget->checkedId() >= 0) sp.Target = GBTarget->checkedId();
  sp.DevicePath = EDevice->Text().trimmed().toStdString();
  sp.MaxRepeat = AWA->Value();
  sp.MaxTimeout = MTA->Value();
  sp.MinPause = MTP->Value();
  TUserBasisDaten& b = o.BasisDaten->First();
  b.Firma1 = FromQString(B1->Text());
  b.Firma2 = FromQString(B2->Text());
  b.Bearbeiter = FromQString(B3->Text());
  b.Strasse = FromQString(B4->Text());
  b.PLZ = FromQString(B5->Text());
  b.Ort = FromQString(B6->Text());
  b.Telefon = FromQString(B7->Text());
  b.email = FromQString(B9->Text());
  SetBoolOption(boConfigAssist, true);
  try {
    GOptionFile->SaveToFile(fOptionFileName.empty() ? OptionFilePath(ProgramFilePath()) : fOptionFileName);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void TFormEinrichtungsexperte::accept() {
  if (!StoreToOptions() && GOptionFile)
    TranslatedMessageDlg(Ansi("Die Einstellungen konnten nicht gespeichert werden. Sie gelten nur bis zum Ende "
                              "dieser Sitzung."),
                         mtError, mbOK);
  QWizard::accept();
}

bool TSetupWizardGate::Activated(QWidget* mainWindow) {
  if (fShown || !GOptionFile || GetBoolOption(boConfigAssist)) return false;
  fShown = true;
  TFormEinrichtungsexperte wizard(mainWindow, fOptionFileName);
  wizard.exec();
  return true;
}

}  // namespace zyn
