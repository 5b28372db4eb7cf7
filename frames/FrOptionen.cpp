#include "frames/FrOptionen.h"

#include "frames/BusDeviceBox.h"

#include "frames/PageText.h"
#include "model/base/Cp1252.h"
#include "model/base/OptionFolders.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/controls/ZCLBrowseDlg.h"
#include "widgets/controls/ZCLDockSpeedButton.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

bool SaveOptionFile() {
  if (!GOptionFile) return false;
  try {
    GOptionFile->SaveToFile(OptionFileName());
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return false;
  }
  return true;
}

namespace {

QButtonGroup* RadioGroup(QWidget* parent, QVBoxLayout* into, const char* name, const char* title,
                         std::initializer_list<const char*> items) {
  auto* box = new QGroupBox(PageText(title), parent);
  box->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  int id = 0;
  for (const char* item : items) {
    auto* b = new QRadioButton(PageText(item), box);
    layout->addWidget(b);
    group->addButton(b, id++);
  }
  into->addWidget(box);
  return group;
}

void SetRadio(QButtonGroup* group, int index) {
  if (QAbstractButton* b = group->button(index)) b->setChecked(true);
}

int Radio(QButtonGroup* group) { return std::max(0, group->checkedId()); }

QString Q(const std::string& ansi) { return ToQString(ansi); }
std::string A(const QLineEdit* e) { return FromQString(e->text()); }
// Paths are file names: UTF-8, never through the Windows-1252 converter.
QString P(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string U(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

// ------------------------------------------------------------------------------------------------
// Preview

TDisplayPreview::TDisplayPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PBPreview"));
  setMinimumSize(240, 128);
}

QColor TDisplayPreview::Background(int scheme, int contrast) {
  if (scheme == 1) return contrast == 1 ? QColor(165, 215, 205) : QColor(130, 180, 170);
  return contrast == 1 ? QColor(238, 238, 255) : QColor(205, 205, 220);
}

void TDisplayPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Background(Scheme, Contrast));
  if (!Raster) return;
  const int w = width(), h = height();
  for (int i = 0; i <= h / 16; ++i) {
    p.setPen(QPen(i % 2 == 0 ? QColor(128, 128, 128) : QColor(Qt::black), 1, Qt::DotLine));
    p.drawLine(1, (i + 1) * 16, w - 1, (i + 1) * 16);
  }
  for (int i = 0; i <= w / 12; ++i) {
    p.setPen(QPen(i % 2 == 0 ? QColor(128, 128, 128) : QColor(Qt::black), 1, Qt::DotLine));
    p.drawLine((i + 1) * 12, 1, (i + 1) * 12, h - 1);
  }
}

// ------------------------------------------------------------------------------------------------
// Options

TFrOptionen::TFrOptionen(QWidget* parent) : TProjectPage("FrOptionen", parent) {
  BDLG = std::make_unique<TZCLBrowseDlg>(this);
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  ToolButton4 = MakePageButton(this, "ToolButton4", QStyle::SP_DialogOkButton, "Übernehmen");
  ToolButton5 = MakePageButton(this, "ToolButton5", QStyle::SP_DialogCancelButton, "Abbrechen");
  tools->addWidget(ToolButton4);
  tools->addWidget(ToolButton5);
  tools->addWidget(MakeStyleBox(this));
  tools->addStretch();
  layout->addLayout(tools);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  layout->addWidget(PageControl1, 1);

  const auto check = [this](QWidget* parent, QBoxLayout* into, const char* name, const char* caption) {
    auto* c = new QCheckBox(PageText(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    into->addWidget(c);
    connect(c, &QCheckBox::toggled, this, [this] { ControlChanged(); });
    return c;
  };
  const auto spin = [this](QWidget* parent, const char* name, int min, int max) {
    auto* s = new TZCLSpinEdit(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->SetMinValue(min);
    s->SetMaxValue(max);
    s->setFixedSize(90, 22);
    s->OnChange = [this](QObject*) { ControlChanged(); };
    return s;
  };
  const auto edit = [this](QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    connect(e, &QLineEdit::textChanged, this, [this] { ControlChanged(); });
    return e;
  };

  // "Allgemein"
  auto* general = new QWidget(PageControl1);
  auto* gl = new QHBoxLayout(general);
  auto* g1 = new QVBoxLayout;
  HTA = check(general, g1, "HTA", "Hilfetexte anzeigen");
  SAL = check(general, g1, "SAL", "Sicherheitsabfrage beim Löschen");
  FSU = check(general, g1, "FSU", "Funktionen sofort umbenennen");
  IPS = check(general, g1, "IPS", "Inhalt des Papierkorb speichern");
  IPS->setEnabled(false);
  ADE = check(general, g1, "ADE", "Projektdatenbank verwenden");
  KDE = check(general, g1, "KDE", "Kundendatenbank verwenden");
  GFX = check(general, g1, "GFX", "Grafische Elemente in Basisprogrammierung");
  AutoLogic = check(general, g1, "AutoLogic", "Automatische Logikprüfung");
  STEPOR = check(general, g1, "STEPOR", "POR an Eingangsmodule senden");
  Thumbs = check(general, g1, "Thumbs", "Leer Thumbs in Druckvorschau (schnell)");
  auto* update = new QGroupBox(PageText(" &Update- Status "), general);
  auto* ul = new QVBoxLayout(update);
  UPD = new QLabel(PageText("keine Updates installiert"), update);
  UPD->setObjectName(QStringLiteral("UPD"));
  ul->addWidget(UPD);
  g1->addWidget(update);
  g1->addStretch();
  auto* g2 = new QVBoxLayout;
  auto* fileMenu = new QGroupBox(PageText(" Dateimenü "), general);
  auto* fl = new QVBoxLayout(fileMenu);
  AUZ = check(fileMenu, fl, "AUZ", "Als Untermenü zeigen");
  VZA = check(fileMenu, fl, "VZA", "Pfadnamen anzeigen");
  FZE = check(fileMenu, fl, "FZE", "Fehlende Ziele entfernen");
  auto* admRow = new QHBoxLayout;
  admRow->addWidget(new QLabel(PageText("Anzahl der Dateien"), fileMenu));
  ADM = spin(fileMenu, "ADM", 0, 10);
  admRow->addWidget(ADM);
  fl->addLayout(admRow);
  fl->addWidget(new QLabel(PageText("die im Dateimenü") + QLatin1Char(' ') + PageText("angezeigt werden"), fileMenu));
  g2->addWidget(fileMenu);
  auto* random = new QGroupBox(PageText(" Zufallszeiten der Simulation"), general);
  auto* rl = new QGridLayout(random);
  ZFMin = spin(random, "ZFMin", 0, 1800);
  ZFMax = spin(random, "ZFMax", 0, 7200);
  ZFMax->SetValue(1800);
  rl->addWidget(new QLabel(PageText("Mindestzeit:"), random), 0, 0);
  rl->addWidget(ZFMin, 0, 1);
  rl->addWidget(new QLabel(PageText("Sek."), random), 0, 2);
  rl->addWidget(new QLabel(PageText("Maximalzeit:"), random), 1, 0);
  rl->addWidget(ZFMax, 1, 1);
  rl->addWidget(new QLabel(PageText("Sek."), random), 1, 2);
  ZFMin->OnChange = [this](QObject*) {
    MinChanged();
    ControlChanged();
  };
  g2->addWidget(random);
  g2->addStretch();
  gl->addLayout(g1);
  gl->addLayout(g2);
  PageControl1->addTab(general, PageText("Allgemein"));

  // "Verzeichnisse"
  auto* folders = new QWidget(PageControl1);
  auto* fg = new QGridLayout(folders);
  const char* labels[] = {"Pfad zu den P&rojektdateien:", "Pfad zu den &Datenbanken:", "Pfad zu den &Systemdaten:",
                          "Pfad zu den &Plugins:",        "Pfad zu den &Downloads:",   "Pfad zu den &Grafiken:"};
  const char* names[] = {"PPE", "DPE", "BPE", "IPE", "LPE", "LPG"};
  QLineEdit** edits[] = {&PPE, &DPE, &BPE, &IPE, &LPE, &LPG};
  for (int i = 0; i < 6; ++i) {
    *edits[i] = edit(folders, names[i]);
    fg->addWidget(new QLabel(PageText(labels[i]), folders), i * 2, 0, 1, 2);
    fg->addWidget(*edits[i], i * 2 + 1, 0);
    auto* b = new TZCLDockSpeedButton(folders);
    b->setObjectName(QStringLiteral("ZCLDockSpeedButton%1").arg(i + 1));
    b->SetCaption(QStringLiteral("..."));
    b->setFixedSize(24, 22);
    b->OnClick = [this, i](QObject*) { BrowseClick(i); };
    BrowseButtons[static_cast<size_t>(i)] = b;
    fg->addWidget(b, i * 2 + 1, 1);
  }
  auto* palRow = new QVBoxLayout;
  PAL = check(folders, palRow, "PAL", "Plugins automatisch laden");
  fg->addLayout(palRow, 12, 0);
  fg->setRowStretch(13, 1);
  PageControl1->addTab(folders, PageText("Verzeichnisse"));

  // "Übertragung"
  auto* transfer = new QWidget(PageControl1);
  auto* tl = new QVBoxLayout(transfer);
  auto* radios = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  GBSource = RadioGroup(transfer, left, "GBSource", " &PC - Schnittstelle ", {"COM&1", "COM&2", "COM&3", "COM&4"});
  GBTarget = RadioGroup(transfer, right, "GBTarget", " Buszugang ",
                        {"ZYN &Steuermodul", "ZYN &RS485 Adapter", "ZYN RS485 &Automatikadapter"});
  radios->addLayout(left);
  radios->addLayout(right);
  tl->addLayout(radios);
  // The serial device of the bus (its own box: the list of devices and free text).
  DeviceBox = new TBusDeviceBox(transfer);
  DeviceBox->OnChange = [this] { ControlChanged(); };
  tl->addWidget(DeviceBox);
  auto* tf = new QFormLayout;
  // The ranges are the ones the labels state.
  AWA = spin(transfer, "AWA", 0, 100);
  MTA = spin(transfer, "MTA", 50, 5000);
  MTP = spin(transfer, "MTP", 1, 500);
  tf->addRow(PageText("Anzahl &Wiederholungen bis zum Abbruch der Übertragung"), AWA);
  tf->addRow(PageText("Max. Wartezeit für &Quittung auf ein Telegramm ( 50 bis 5000 ms )"), MTA);
  tf->addRow(PageText("Minimale &Pause zwischen zwei Telegrammen ( 1 bis 500 ms )"), MTP);
  tl->addLayout(tf);
  SFA = check(transfer, tl, "SFA", "Nur in der Programmierung verwendete Module suchen");
  tl->addStretch();
  for (QButtonGroup* g : {GBSource, GBTarget}) connect(g, &QButtonGroup::idClicked, this, [this] { ControlChanged(); });
  PageControl1->addTab(transfer, PageText("Übertragung"));

  // "Display"
  auto* display = new QWidget(PageControl1);
  auto* dl = new QHBoxLayout(display);
  auto* d1 = new QVBoxLayout;
  RGColor = RadioGroup(display, d1, "RGColor", " Farbschema ", {"weißblau/schwarz", "grüngrau/schwarz"});
  RGKon = RadioGroup(display, d1, "RGKon", " Kontrast ", {"normal", "stark"});
  CBRaster = check(display, d1, "CBRaster", "Positionierungsraster anzeigen");
  auto* texts = new QGroupBox(PageText(" Standardvariablentexte "), display);
  auto* txl = new QFormLayout(texts);
  EdEinText = edit(texts, "EdEinText");
  EdAusText = edit(texts, "EdAusText");
  txl->addRow(PageText("Ein:"), EdEinText);
  txl->addRow(PageText("Aus:"), EdAusText);
  d1->addWidget(texts);
  auto* nav = new QGroupBox(PageText(" Vorgabetexte für Navigationstasten "), display);
  auto* nl = new QFormLayout(nav);
  EdNext = edit(nav, "EdNext");
  EdPrev = edit(nav, "EdPrev");
  EdNext->setMaxLength(8);
  EdPrev->setMaxLength(8);
  nl->addRow(PageText("nächsten Bildschirm:"), EdNext);
  nl->addRow(PageText("vorherigen Bildschirm:"), EdPrev);
  d1->addWidget(nav);
  d1->addStretch();
  dl->addLayout(d1);
  PBPreview = new TDisplayPreview(display);
  dl->addWidget(PBPreview, 0, Qt::AlignTop);
  const auto redraw = [this] {
    PBPreview->Scheme = Radio(RGColor);
    PBPreview->Contrast = Radio(RGKon);
    PBPreview->Raster = CBRaster->isChecked();
    PBPreview->update();
    ControlChanged();
  };
  for (QButtonGroup* g : {RGColor, RGKon}) connect(g, &QButtonGroup::idClicked, this, redraw);
  connect(CBRaster, &QCheckBox::toggled, this, redraw);
  PageControl1->addTab(display, PageText("Display"));

  // "Internet"
  auto* internet = new QWidget(PageControl1);
  auto* il = new QFormLayout(internet);
  WWWE = edit(internet, "WWWE");
  FTPE = edit(internet, "FTPE");
  EMailServer = edit(internet, "EMailServer");
  il->addRow(PageText("&Homepage ZORV:"), WWWE);
  il->addRow(PageText("&FTP Adresse für Updates:"), FTPE);
  il->addRow(PageText("Postausgangsserver") + QLatin1Char(' ') + PageText("für Supportanfragen:"), EMailServer);
  SupportAddress = edit(internet, "SupportAddress");
  il->addRow(PageText("Support-Adresse:"), SupportAddress);
  ProxyGroup = new QGroupBox(PageText(" Proxyserver "), internet);
  auto* pl = new QFormLayout(ProxyGroup);
  auto* proxyChecks = new QVBoxLayout;
  CBFTP = check(ProxyGroup, proxyChecks, "CBFTP", "Proxyserver verwenden");
  pl->addRow(proxyChecks);
  FTPProxy = edit(ProxyGroup, "FTPProxy");
  FTPPort = spin(ProxyGroup, "FTPPort", 0, 65535);
  WWWProxy = edit(ProxyGroup, "WWWProxy");
  pl->addRow(PageText("FTP Proxy:"), FTPProxy);
  pl->addRow(PageText("Port:"), FTPPort);
  pl->addRow(PageText("HTTP Proxy:"), WWWProxy);
  ProxyGroup->setEnabled(false);
  il->addRow(ProxyGroup);
  PageControl1->addTab(internet, PageText("Internet"));

  connect(ToolButton4, &QToolButton::clicked, this, [this] { OKClick(); });
  connect(ToolButton5, &QToolButton::clicked, this, [this] { CancelClick(); });
  fChanged = false;  // the design values set above are no change of the user's
}

TFrOptionen::~TFrOptionen() = default;

void TFrOptionen::FrameActivate() {
  LoadStyle();
  LoadOptions();
  EMailServer->setEnabled(true);
}

void TFrOptionen::FrameDeactivate() {
  if (IMessageHandler* h = GetMessageHandler()) h->RefreshRecentList();
}

void TFrOptionen::ControlChanged() {
  if (!fLoading) fChanged = true;
}

void TFrOptionen::MinChanged() {
  const int min = ZFMin->Value() + 1;
  ZFMax->SetMinValue(min);
  if (ZFMax->Value() < min) ZFMax->SetValue(min);
}

std::array<std::pair<QLineEdit*, int>, 6> TFrOptionen::FolderEdits() const {
  return {{{PPE, poProjectPath},
           {DPE, poDatabasePath},
           {BPE, poSystemPath},
           {IPE, poPluginPath},
           {LPE, poDownloadPath},
           {LPG, poGfxPath}}};
}

void TFrOptionen::LoadOptions() {
  if (!GOptionFile) return;
  fLoading = true;
  TZYNOptionen& o = GOptionFile->Optionen();
  const TOptionItem& op = o.Optionen->First();
  const std::pair<QCheckBox*, bool> checks[] = {{HTA, op.ShowHint},        {SAL, op.ConfirmDelete},
                                                {FSU, op.DirectRename},    {IPS, op.SaveTrash},
                                                {ADE, op.AutoInsertDB},    {KDE, op.AutoInsertKD},
                                                {GFX, op.GfxPrgTree},      {AutoLogic, GetBoolOption(boLogicTest)},
                                                {STEPOR, op.EMDPOR},       {Thumbs, op.PlainThumbs},
                                                {PAL, op.AutoloadPlugins}, {SFA, op.ProgModules}};
  for (const auto& [c, v] : checks) c->setChecked(v);
  UPD->setText(Q(o.Update->First().Status));
  const TFileMenuItem& fm = o.FileMenu->First();
  AUZ->setChecked(fm.ShowAsSubmenu);
  VZA->setChecked(fm.ShowFolder);
  FZE->setChecked(fm.DeleteTarget);
  ADM->SetValue(fm.MaxItems);
  ZFMin->SetValue(GetIntOption(ioRandomMin));
  MinChanged();
  ZFMax->SetValue(GetIntOption(ioRandomMax));
  for (const auto& [edit, index] : FolderEdits()) edit->setText(P(o.Path->First().GetPath(index)));
  const TSerialPortItem& sp = o.SerialPort->First();
  SetRadio(GBSource, sp.Source);
  SetRadio(GBTarget, sp.Target);
  DeviceBox->SetDevice(sp.DevicePath);
  AWA->SetValue(sp.MaxRepeat);
  MTA->SetValue(sp.MaxTimeout);
  MTP->SetValue(sp.MinPause);
  const TDisplayItem& d = o.Display->First();
  SetRadio(RGColor, d.DispColor);
  SetRadio(RGKon, d.DispKontrast);
  CBRaster->setChecked(d.RasterOn);
  EdEinText->setText(Q(d.DefaultOnText));
  EdAusText->setText(Q(d.DefaultOffText));
  EdNext->setText(Q(d.DefaultForward));
  EdPrev->setText(Q(d.DefaultBack));
  PBPreview->Scheme = Radio(RGColor);
  PBPreview->Contrast = Radio(RGKon);
  PBPreview->Raster = d.RasterOn;
  PBPreview->update();
  const TInternetItem& in = o.Internet->First();
  WWWE->setText(Q(in.WWWAddress));
  FTPE->setText(Q(in.FTPAddress));
  EMailServer->setText(Q(in.MailServer));
  SupportAddress->setText(Q(in.SupportAddress));
  CBFTP->setChecked(in.UseProxy);
  FTPProxy->setText(Q(in.FTPProxy));
  WWWProxy->setText(Q(in.WWWProxy));
  FTPPort->SetValue(in.FTPPort);
  fLoading = false;
}

bool TFrOptionen::SaveOptions() {
  if (!GOptionFile) return false;
  TZYNOptionen& o = GOptionFile->Optionen();
  // The folders typed must exist (or be made) before anything is taken over.
  TPathItem folders;
  for (const auto& [edit, index] : FolderEdits()) folders.SetPath(index, U(edit));
  if (const std::string problems = FolderProblemsText(EnsureOptionFolders(folders, OptionFileName()));
      !problems.empty()) {
    TranslatedMessageDlg(problems, mtError, mbOK);
    return false;
  }
  TOptionItem& op = o.Optionen->First();
  op.ShowHint = HTA->isChecked();
  op.ConfirmDelete = SAL->isChecked();
  op.DirectRename = FSU->isChecked();
  op.SaveTrash = IPS->isChecked();
  op.AutoInsertDB = ADE->isChecked();
  op.AutoInsertKD = KDE->isChecked();
  op.GfxPrgTree = GFX->isChecked();
  op.EMDPOR = STEPOR->isChecked();
  op.PlainThumbs = Thumbs->isChecked();
  op.AutoloadPlugins = PAL->isChecked();
  op.ProgModules = SFA->isChecked();
  SetBoolOption(boLogicTest, AutoLogic->isChecked());
  o.Update->First().Status = FromQString(UPD->text());
  TFileMenuItem& fm = o.FileMenu->First();
  fm.ShowAsSubmenu = AUZ->isChecked();
  fm.ShowFolder = VZA->isChecked();
  fm.DeleteTarget = FZE->isChecked();
  fm.MaxItems = ADM->Value();
  SetIntOption(ioRandomMin, ZFMin->Value());
  SetIntOption(ioRandomMax, ZFMax->Value());
  TPathItem& path = o.Path->First();
  for (int index = poSystemPath; index <= poGfxPath; ++index) path.SetPath(index, folders.GetPath(index));
  TSerialPortItem& sp = o.SerialPort->First();
  sp.Source = Radio(GBSource);
  sp.Target = Radio(GBTarget);
  sp.DevicePath = DeviceBox->Device();
  sp.MaxRepeat = AWA->Value();
  sp.MaxTimeout = MTA->Value();
  sp.MinPause = MTP->Value();
  TDisplayItem& d = o.Display->First();
  d.DispColor = Radio(RGColor);
  d.DispKontrast = Radio(RGKon);
  d.RasterOn = CBRaster->isChecked();
  d.DefaultOnText = A(EdEinText);
  d.DefaultOffText = A(EdAusText);
  d.DefaultForward = A(EdNext);
  d.DefaultBack = A(EdPrev);
  TInternetItem& in = o.Internet->First();
  in.WWWAddress = A(WWWE);
  in.FTPAddress = A(FTPE);
  in.MailServer = A(EMailServer);
  in.SupportAddress = FromQString(SupportAddress->text().trimmed());
  in.UseProxy = CBFTP->isChecked();
  in.FTPProxy = A(FTPProxy);
  in.WWWProxy = A(WWWProxy);
  in.FTPPort = FTPPort->Value();
  return SaveOptionFile();
}

void TFrOptionen::OKClick() {
  if (!SaveOptions()) return;  // the page stays with the values typed
  if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(3, 0);
}

void TFrOptionen::CancelClick() {
  if (fChanged) {
    const int answer = TranslatedMessageDlg(TranslateText(Ansi("Die Optionen wurden geändert.")) + "\r" +
                                                TranslateText(Ansi("Sollen die Änderungen übernommen werden?")),
                                            mtConfirmation, mbYes | mbNo | mbCancel);
    if (answer == 2) return;
    if (answer == 6 && !SaveOptions()) return;
  }
  if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(3, 0);
}

void TFrOptionen::BrowseClick(int tag) {
  static const char* const kTitles[][2] = {
      {"Projektverzeichnis wählen", "Wählen Sie hier das Verzeichnis in dem die Projektdaten gespeichert werden."},
      {"Datenbankverzeichnis wählen", "Bitte wählen Sie das Verzeichnis in dem die ZYN- Datenbanken gespeichert sind."},
      {"Verzeichnis der ZYN- Systemdaten wählen",
       "Bitte wählen Sie das Verzeichnis in dem die ZYN- Systemdaten gespeichert sind."},
      {"Verzeichnis der Plugins wählen", "Bitte wählen Sie das Verzeichnis in dem die ZYN- Plugins gespeichert sind."},
      {"Downloadverzeichnis wählen",
       "Bitte wählen Sie hier ein Verzeichnis in dem die heruntergeladenenen Updatedateien gespeichert werden."},
      {"Grafikverzeichnis wählen",
       "Bitte wählen Sie hier ein Verzeichnis in dem die Grafiken für das Display gespeichert werden."},
  };
  QLineEdit* const edits[] = {PPE, DPE, BPE, IPE, LPE, LPG};
  if (tag < 0 || tag > 5) return;
  BDLG->SetCaptionTitle(PageText(kTitles[tag][0]));
  BDLG->SetCaption(PageText(kTitles[tag][1]));
  BDLG->SetSelectedFolder(edits[tag]->text());
  if (BDLG->Execute(window())) edits[tag]->setText(BDLG->SelectedFolder());
}

// ------------------------------------------------------------------------------------------------
// Company data

TFrBasisDaten::TFrBasisDaten(QWidget* parent) : TProjectPage("FrBasisDaten", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  BtnOK = MakePageButton(this, "BtnOK", QStyle::SP_DialogSaveButton, "Übernehmen");
  BtnOK->setEnabled(false);
  tools->addWidget(BtnOK);
  tools->addWidget(MakeStyleBox(this));
  tools->addStretch();
  layout->addLayout(tools);
  auto* tabs = new QTabWidget(this);
  auto* tab = new QWidget(tabs);
  auto* tl = new QVBoxLayout(tab);
  auto* hint = new QLabel(PageText("Tragen Sie bitte in dieses Formular Ihre Firmendaten ein. Alle Einträge die in "
                                   "fetter Schrift dargestellt sind werden beim Drucken des Projektes verwendet!"),
                          tab);
  hint->setWordWrap(true);
  tl->addWidget(hint);
  auto* form = new QFormLayout;
  tl->addLayout(form);
  struct TRow {
    QLineEdit** Edit;
    const char* Name;
    const char* Label;
    bool Bold;
  };
  const TRow rows[] = {{&B1, "B1", "Firma Zeile 1:", true}, {&B2, "B2", "Firma Zeile 2:", false},
                       {&B3, "B3", "Bearbeiter:", false},   {&B4, "B4", "Straße:", true},
                       {&B5, "B5", "PLZ:", true},           {&B6, "B6", "Ort:", true},
                       {&B7, "B7", "Telefon:", true},       {&B9, "B9", "EMail:", false}};
  for (const TRow& r : rows) {
    *r.Edit = AddFormEdit(tab, r.Name, form, r.Label);
    if (r.Bold) {
      auto* label = qobject_cast<QLabel*>(form->labelForField(*r.Edit));
      QFont f = label->font();
      f.setBold(true);
      label->setFont(f);
    }
    connect(*r.Edit, &QLineEdit::textChanged, this, [this] {
      if (!fLoading) BtnOK->setEnabled(true);
    });
    connect(*r.Edit, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
  }
  B10 = AddFormMemo(tab, "B10", form, "Notizen:");
  connect(B10, &QPlainTextEdit::textChanged, this, [this] {
    if (!fLoading) BtnOK->setEnabled(true);
  });
  tabs->addTab(tab, PageText("Firmendaten"));
  layout->addWidget(tabs, 1);
  connect(BtnOK, &QToolButton::clicked, this, [this] { OKClick(); });
}

void TFrBasisDaten::FrameActivate() {
  LoadStyle();
  if (!GOptionFile) return;
  fLoading = true;
  const TUserBasisDaten& b = GOptionFile->Optionen().BasisDaten->First();
  const std::pair<QLineEdit*, const std::string*> fields[] = {{B1, &b.Firma1},  {B2, &b.Firma2}, {B3, &b.Bearbeiter},
                                                              {B4, &b.Strasse}, {B5, &b.PLZ},    {B6, &b.Ort},
                                                              {B7, &b.Telefon}, {B9, &b.email}};
  for (const auto& [e, v] : fields) e->setText(Q(*v));
  B10->setPlainText(Q(b.Bemerkungen));
  fLoading = false;
}

void TFrBasisDaten::FrameDeactivate() {
  if (FStyle) SetFrameOption(PageName(), 0, FStyle->isChecked());
}

bool TFrBasisDaten::OKClick() {
  if (!GOptionFile) return false;
  TUserBasisDaten& b = GOptionFile->Optionen().BasisDaten->First();
  b.Firma1 = A(B1);
  b.Firma2 = A(B2);
  b.Bearbeiter = A(B3);
  b.Strasse = A(B4);
  b.PLZ = A(B5);
  b.Ort = A(B6);
  b.Telefon = A(B7);
  b.email = A(B9);
  b.Bemerkungen = FromQString(B10->toPlainText());
  if (!SaveOptionFile()) return false;
  if (IMessageHandler* h = GetMessageHandler()) h->ClearCurrentFrame();
  return true;
}

}  // namespace zyn
