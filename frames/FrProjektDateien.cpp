#include "frames/FrProjektDateien.h"

#include "display/DispObserver.h"
#include "frames/DbfNavigator.h"
#include "frames/PageText.h"
#include "frames/core/ProjectTables.h"
#include "logic/core/LogicText.h"
#include "model/BasisDaten.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "model/db/DbfTable.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "visu/VisuProject.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace zyn {

namespace fs = std::filesystem;

namespace {

const char* const kTypeExtension[] = {".zpf", ".zcf"};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The text with "%s" replaced by the file name (UTF-8 name into model text).
std::string WithFile(const char* germanUtf8, const std::string& fileName) {
  std::string text = TranslateText(Ansi(germanUtf8));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, Utf8ToAnsi(fileName));
  return text;
}

int Ask(const std::string& text) { return TranslatedMessageDlg(text, mtConfirmation, mbYes | mbNo); }

QLabel* HintLabel(QWidget* parent, const char* text) {
  auto* hint = new QLabel(PageText(text), parent);
  hint->setObjectName(QStringLiteral("Hint"));
  hint->setWordWrap(true);
  hint->setFrameShape(QFrame::StyledPanel);
  hint->setMargin(6);
  return hint;
}

// Takes over a loaded or created project as the open one.
void MakeCurrent(std::unique_ptr<TZYNProjekt> projekt) {
  if (GProjekt) DetachObservers();
  projekt->OnQuestion = AskProjectQuestion;
  GProjekt = std::move(projekt);
  GProjekt->DisplayObserver = GDisplayObserver;
  AttachObservers();
}

}  // namespace

// ------------------------------------------------------------------------------------------------
// The file chooser

TProjectFileChooser::TProjectFileChooser(QWidget* parent) : QWidget(parent) {
  auto* grid = new QHBoxLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  PathLabel = new QLabel(this);
  PathLabel->setObjectName(QStringLiteral("PathLabel"));
  PathLabel->setWordWrap(true);
  DLB = new QListWidget(this);
  DLB->setObjectName(QStringLiteral("DLB"));
  left->addWidget(new QLabel(PageText("Ordner:"), this));
  left->addWidget(PathLabel);
  left->addWidget(DLB, 1);
  auto* right = new QVBoxLayout;
  FLB = new QListWidget(this);
  FLB->setObjectName(QStringLiteral("FLB"));
  FCB = new QComboBox(this);
  FCB->setObjectName(QStringLiteral("FCB"));
  FCB->addItem(PageText("ZYN Projektdatei") + QStringLiteral(" (*.zpf)"));
  FCB->addItem(PageText("ZYN komprimierte Projektdatei") + QStringLiteral(" (*.zcf)"));
  right->addWidget(new QLabel(PageText("Dateien:"), this));
  right->addWidget(FLB, 1);
  right->addWidget(new QLabel(PageText("Dateityp:"), this));
  right->addWidget(FCB);
  grid->addLayout(left, 1);
  grid->addLayout(right, 1);
  connect(DLB, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const std::string name = item->data(Qt::UserRole).toString().toStdString();
    SetFolder(name);
  });
  connect(FCB, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { FillFiles(); });
  connect(FLB, &QListWidget::currentRowChanged, this, [this] {
    if (OnFileChanged) OnFileChanged();
  });
  connect(FLB, &QListWidget::itemDoubleClicked, this, [this] {
    if (OnFileActivated) OnFileActivated();
  });
}

void TProjectFileChooser::SetFolder(const std::string& folder) {
  fFolder = folder;
  if (!fFolder.empty() && fFolder.back() != '/') fFolder += '/';
  DLB->clear();
  PathLabel->setText(QString::fromStdString(fFolder));
  if (!fFolder.empty()) {
    std::error_code ec;
    const fs::path here = fs::path(fFolder).lexically_normal();
    std::vector<std::string> subs;
    for (const auto& e : fs::directory_iterator(here, fs::directory_options::skip_permission_denied, ec))
      if (e.is_directory(ec)) subs.push_back(e.path().filename().string());
    std::sort(subs.begin(), subs.end());
    if (here.has_parent_path() && here.parent_path() != here) {
      auto* up = new QListWidgetItem(QStringLiteral(".."), DLB);
      up->setData(Qt::UserRole, QString::fromStdString(here.parent_path().string() + "/"));
    }
    for (const std::string& s : subs) {
      auto* item = new QListWidgetItem(QString::fromStdString(s), DLB);
      item->setData(Qt::UserRole, QString::fromStdString((here / s).string() + "/"));
    }
  }
  FillFiles();
}

void TProjectFileChooser::FillFiles() {
  FLB->clear();
  if (fFolder.empty()) return;
  const std::string ext = kTypeExtension[TypeIndex()];
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fFolder, fs::directory_options::skip_permission_denied, ec)) {
    const std::string name = e.path().filename().string();
    if (e.is_regular_file(ec) && Lower(e.path().extension().string()) == ext) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& f : files) FLB->addItem(QString::fromStdString(f));
  FLB->setCurrentRow(-1);
  if (OnFileChanged) OnFileChanged();
}

std::string TProjectFileChooser::SelectedFile() const {
  const QListWidgetItem* item = FLB->currentItem();
  return item && FLB->currentRow() >= 0 ? fFolder + item->text().toStdString() : std::string();
}

void TProjectFileChooser::SelectFile(const std::string& name) {
  const auto found = FLB->findItems(QString::fromStdString(name), Qt::MatchExactly);
  if (!found.isEmpty()) FLB->setCurrentItem(found.first());
}

int TProjectFileChooser::TypeIndex() const { return std::clamp(FCB->currentIndex(), 0, 1); }
void TProjectFileChooser::SetTypeIndex(int index) { FCB->setCurrentIndex(index); }

// ------------------------------------------------------------------------------------------------
// Open

TFrOpen::TFrOpen(QWidget* parent) : TProjectPage("FrOpen", parent) {
  auto* layout = new QVBoxLayout(this);
  Hint = HintLabel(this,
                   "Wählen Sie den Ordner und die Projektdatei, die geöffnet werden soll. "
                   "Der Dateityp bestimmt, ob eine einfache oder eine komprimierte Projektdatei gelesen wird.");
  layout->addWidget(Hint);
  Chooser = new TProjectFileChooser(this);
  layout->addWidget(Chooser, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BtnCancel = new QPushButton(PageText("Abbrechen"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnWeiter = new QPushButton(PageText("Weiter >>"), this);
  BtnWeiter->setObjectName(QStringLiteral("BtnWeiter"));
  BtnWeiter->setEnabled(false);
  buttons->addWidget(BtnCancel);
  buttons->addWidget(BtnWeiter);
  layout->addLayout(buttons);
  Chooser->OnFileChanged = [this] { BtnWeiter->setEnabled(!Chooser->SelectedFile().empty()); };
  Chooser->OnFileActivated = [this] {
    if (!Chooser->SelectedFile().empty()) OpenSelected();
  };
  connect(BtnWeiter, &QPushButton::clicked, this, [this] { OpenSelected(); });
  connect(BtnCancel, &QPushButton::clicked, this, [] {
    if (IMessageHandler* h = GetMessageHandler()) h->ClearCurrentFrame();
  });
}

void TFrOpen::FrameActivate() {
  Chooser->SetTypeIndex(0);
  Chooser->SetFolder(GetProjectPath());
}

void TFrOpen::FrameDeactivate() { Chooser->SetFolder(std::string()); }

bool TFrOpen::OpenSelected() {
  const std::string file = Chooser->SelectedFile();
  if (file.empty()) return false;
  IMessageHandler* handler = GetMessageHandler();
  if (handler) handler->LockUserInterface();
  // Whatever happens, the user interface is unlocked again.
  struct TUnlock {
    IMessageHandler* H;
    bool Done = false;
    void operator()() {
      if (H && !Done) H->UnlockUserInterface();
      Done = true;
    }
    ~TUnlock() { (*this)(); }
  } unlock{handler};
  const bool compressed = Chooser->TypeIndex() == 1;
  auto projekt = std::make_unique<TZYNProjekt>();
  projekt->BasisDaten = GBasisDaten.get();
  projekt->FileName = file;
  bool partial = false;
  try {
    TWaitCursor wait;
    if (!TZYNProjekt::IsProjectFile(file, compressed)) {
      unlock();
      TranslatedMessageDlg(TranslateText(Ansi("Die gewählte Datei enthält kein gültiges ZYN- Projekt")), mtError, mbOK);
      return false;
    }
    if (compressed)
      projekt->LoadZippedProjectFile(file);
    else
      projekt->LoadProjectFile(file);
  } catch (const EProjectPartlyRead& e) {
    unlock();
    if (!OfferPartlyReadProject(*projekt, file, e)) return false;
    partial = true;
  } catch (const std::exception& e) {
    // The half-read project goes; the one open before stays.
    unlock();
    TranslatedMessageDlg(WithFile("Die Projektdatei \"%s\" konnte nicht gelesen werden:", file) + "\r" + e.what(),
                         mtError, mbOK);
    return false;
  }
  projekt->ProjektDaten.SoftLast = GVersionText;
  projekt->Zipped = compressed;
  projekt->Modified = partial;
  MakeCurrent(std::move(projekt));
  unlock();
  if (handler) handler->NotifyProjectState(2, 0);
  return true;
}

// ------------------------------------------------------------------------------------------------
// Save as

TFrSaveAs::TFrSaveAs(QWidget* parent) : TProjectPage("FrSaveAs", parent) {
  auto* layout = new QVBoxLayout(this);
  Hint = HintLabel(this,
                   "Wählen Sie den Ordner, den Dateinamen und den Dateityp, unter dem das Projekt gespeichert "
                   "werden soll. Die Endung des Namens richtet sich nach dem Dateityp.");
  layout->addWidget(Hint);
  Chooser = new TProjectFileChooser(this);
  layout->addWidget(Chooser, 1);
  auto* nameRow = new QHBoxLayout;
  FN = new QLineEdit(QStringLiteral("*.zpf"), this);
  FN->setObjectName(QStringLiteral("FN"));
  nameRow->addWidget(new QLabel(PageText("Dateiname:"), this));
  nameRow->addWidget(FN, 1);
  layout->addLayout(nameRow);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  Button2 = new QPushButton(PageText("Abbrechen"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button1 = new QPushButton(PageText("Weiter >"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  buttons->addWidget(Button2);
  buttons->addWidget(Button1);
  layout->addLayout(buttons);
  Chooser->OnFileChanged = [this] {
    const std::string file = Chooser->SelectedFile();
    if (!file.empty()) FN->setText(QString::fromStdString(fs::path(file).filename().string()));
  };
  connect(Button1, &QPushButton::clicked, this, [this] { SaveProject(); });
  connect(Button2, &QPushButton::clicked, this, [] {
    if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(4, 0);
  });
}

void TFrSaveAs::FrameActivate() {
  if (!GProjekt) return;
  try {
    const fs::path current(GProjekt->FileName);
    Chooser->SetTypeIndex(GProjekt->Zipped ? 1 : 0);
    Chooser->SetFolder(current.has_parent_path() ? current.parent_path().string() + "/" : GetProjectPath());
    FN->setText(QString::fromStdString(current.filename().string()));
    Chooser->SelectFile(current.filename().string());
    fProjekte = std::make_unique<TDbfTable>();
    fProjekte->OpenOrCreate(ProjekteTableFile(GetDatabasePath()), ProjekteFields());
  } catch (const std::exception&) {
    // The page works without the project table.
  }
}

void TFrSaveAs::FrameDeactivate() { fProjekte.reset(); }

std::string TFrSaveAs::TargetFile() const {
  std::string name = FN->text().trimmed().toStdString();
  const size_t slash = name.find_last_of('/');
  if (slash != std::string::npos) name = name.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  if (name.empty() || name == "*") return std::string();
  return Chooser->Folder() + name + kTypeExtension[Chooser->TypeIndex()];
}

bool TFrSaveAs::SaveProject() {
  if (!GProjekt) return false;
  const std::string file = TargetFile();
  if (file.empty() || Chooser->Folder().empty()) {
    TranslatedMessageDlg(TranslateText(Ansi("Bitte geben Sie einen Dateinamen ein.")), mtError, mbOK);
    return false;
  }
  const bool zipped = Chooser->TypeIndex() == 1;
  TZYNProjekt& p = *GProjekt;
  // What the save changes; put back when nothing is saved.
  const std::string oldFile = p.FileName, oldNumber = p.ProjektDaten.ProjektNummer, oldSoft = p.ProjektDaten.SoftLast,
                    oldGuid = p.ProjektGUID;
  const bool oldZipped = p.Zipped;
  const auto restore = [&] {
    p.FileName = oldFile;
    p.ProjektDaten.ProjektNummer = oldNumber;
    p.ProjektDaten.SoftLast = oldSoft;
    p.ProjektGUID = oldGuid;
    p.Zipped = oldZipped;
  };
  p.ProjektDaten.SoftLast = GProgramTitle;
  p.ProjektDaten.ProjektNummer = Utf8ToAnsi(fs::path(file).stem().string());
  const bool renumbered = p.ProjektDaten.ProjektNummer != oldNumber;
  std::string question = TranslateText(Ansi("Soll die eindeutige Projektkennung geändert werden?"));
  if (renumbered)
    question = FormatText(TranslateText(Ansi("Die Projektnummer ändert sich mit dem Dateinamen von \"%s\" in \"%s\".")),
                          {oldNumber, p.ProjektDaten.ProjektNummer}) +
               "\r" + question;
  if (Ask(question) == 6) p.ProjektGUID = NewGuidString();
  bool saved = false;
  try {
    TWaitCursor wait;
    if (!zipped) {
      saved = p.SaveProjectFile(file, true);
    } else {
      std::error_code ec;
      saved = !fs::exists(file, ec) || Ask(WithFile("Die Datei \"%s\" existiert schon.", file) + "\r" +
                                           TranslateText(Ansi("Soll die Datei überschrieben werden?"))) == 6;
      if (saved) p.SaveZippedProjectFile(file);
    }
  } catch (const std::exception& e) {
    restore();
    TranslatedMessageDlg(WithFile("Das Projekt konnte nicht unter \"%s\" gespeichert werden:", file) + "\r" + e.what(),
                         mtError, mbOK);
    return false;
  }
  if (!saved) {
    restore();
    return false;
  }
  p.FileName = file;
  p.Zipped = zipped;
  p.Modified = false;
  if (renumbered) RenumberTableRecord(oldNumber);
  if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(4, 0);
  return true;
}

void TFrSaveAs::RenumberTableRecord(const std::string& oldNumber) {
  if (!GProjekt) return;
  try {
    if (!fProjekte || !fProjekte->IsOpen()) {
      fProjekte = std::make_unique<TDbfTable>();
      fProjekte->OpenOrCreate(ProjekteTableFile(GetDatabasePath()), ProjekteFields());
    }
    RenumberProjectRecord(*fProjekte, oldNumber, *GProjekt);
  } catch (const std::exception& e) {
    // The project is saved; only its entry in the project table is behind.
    TranslatedMessageDlg(TranslateText(Ansi("Der Projektdatensatz konnte nicht gespeichert werden:")) + "\r" + e.what(),
                         mtWarning, mbOK);
  }
}

// ------------------------------------------------------------------------------------------------
// New project

TFrNeu::TFrNeu(QWidget* parent) : TProjectPage("FrNeu", parent) {
  auto* layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  layout->addWidget(PageControl1, 1);

  auto* pTab = new QWidget(PageControl1);
  auto* pForm = new QFormLayout(pTab);
  PEdit_NR = AddFormEdit(pTab, "PEdit_NR", pForm, "Projektnummer:");
  PEdit_PN = AddFormEdit(pTab, "PEdit_PN", pForm, "Projektname:");
  DBLookupComboBox1 = new QComboBox(pTab);
  DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
  pForm->addRow(PageText("Kundennummer:"), DBLookupComboBox1);
  PEAuftrag = AddFormEdit(pTab, "PEAuftrag", pForm, "Auftragsdatum:");
  PETermin = AddFormEdit(pTab, "PETermin", pForm, "Termin:");
  PEAuftrag->setMaxLength(10);
  PETermin->setMaxLength(10);
  PEdit_LEITER = AddFormEdit(pTab, "PEdit_LEITER", pForm, "Projektleiter:");
  PEdit_AUSF = AddFormEdit(pTab, "PEdit_AUSF", pForm, "Ausführung:");
  PMemo_REM = new QPlainTextEdit(pTab);
  PMemo_REM->setObjectName(QStringLiteral("PMemo_REM"));
  pForm->addRow(PageText("Notizen:"), PMemo_REM);
  PageControl1->addTab(pTab, PageText("Projektdaten"));

  auto* kTab = new QWidget(PageControl1);
  auto* kLayout = new QVBoxLayout(kTab);
  auto* kForm = new QFormLayout;
  KEdit_KN = AddFormEdit(kTab, "KEdit_KN", kForm, "Kundennummer:");
  KEdit_Datum = AddFormEdit(kTab, "KEdit_Datum", kForm, "Datum:");
  for (QLineEdit* e : {KEdit_KN, KEdit_Datum}) e->setProperty("zynReadOnly", true);
  KEdit_N = AddFormEdit(kTab, "KEdit_N", kForm, "Firma / Name:");
  KEdit_FN = AddFormEdit(kTab, "KEdit_FN", kForm, "Ansprechpartner:");
  KEdit_STR = AddFormEdit(kTab, "KEdit_STR", kForm, "Straße:");
  KEdit_PLZ = AddFormEdit(kTab, "KEdit_PLZ", kForm, "PLZ:");
  KEdit_ORT = AddFormEdit(kTab, "KEdit_ORT", kForm, "Ort:");
  KEdit_TEL = AddFormEdit(kTab, "KEdit_TEL", kForm, "Telefon:");
  KEdit_FAX = AddFormEdit(kTab, "KEdit_FAX", kForm, "Fax:");
  KEdit_EMAIL = AddFormEdit(kTab, "KEdit_EMAIL", kForm, "E-Mail:");
  KEdit_MEMO = new QPlainTextEdit(kTab);
  KEdit_MEMO->setObjectName(QStringLiteral("KEdit_MEMO"));
  kForm->addRow(PageText("Notizen:"), KEdit_MEMO);
  DBNavigator1 = new TDbfNavigator(kTab);
  kLayout->addWidget(DBNavigator1);
  kLayout->addLayout(kForm, 1);
  PageControl1->addTab(kTab, PageText("Kundendaten"));
  const std::pair<int, QLineEdit*> bound[] = {{kdNummer, KEdit_KN},  {kdAnlagedatum, KEdit_Datum}, {kdName, KEdit_N},
                                              {kdFirma, KEdit_FN},   {kdStrasse, KEdit_STR},       {kdPlz, KEdit_PLZ},
                                              {kdOrt, KEdit_ORT},    {kdTelefon, KEdit_TEL},       {kdFax, KEdit_FAX},
                                              {kdEmail, KEdit_EMAIL}};
  for (const auto& [column, edit] : bound) DBNavigator1->Bind(column, edit);
  DBNavigator1->Bind(kdNotizen, KEdit_MEMO);
  InstallCustomerRules(*DBNavigator1, true);
  DBNavigator1->BeforeDelete = [] {
    return TranslatedMessageDlg(TranslateText(Ansi("Datensatz löschen")), mtConfirmation, mbYes | mbNo) == 6;
  };
  DBNavigator1->AfterPost = [this](const TDbfRecord&) { FillCustomerList(); };
  DBNavigator1->OnRecordChanged = [this] {
    if (const TDbfRecord* r = DBNavigator1->Current()) {
      const int i = DBLookupComboBox1->findData(ToQString(r->Values[kdNummer]));
      if (i >= 0 && i != DBLookupComboBox1->currentIndex()) {
        const QSignalBlocker block(DBLookupComboBox1);
        DBLookupComboBox1->setCurrentIndex(i);
        fKundenNr = r->Values[kdNummer];
      }
    }
  };

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  Button2 = new QPushButton(PageText("Abbrechen"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  BtnOK = new QPushButton(PageText("Weiter >>"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setEnabled(false);
  buttons->addWidget(Button2);
  buttons->addWidget(BtnOK);
  layout->addLayout(buttons);

  connect(PEdit_NR, &QLineEdit::textChanged, this, [this] { NumberChanged(); });
  connect(PEdit_PN, &QLineEdit::textChanged, this, [this] { NumberChanged(); });
  for (QLineEdit* e : {PEAuftrag, PETermin}) {
    e->setProperty("zynLast", e->text());
    connect(e, &QLineEdit::editingFinished, this, [this, e] { DateEdited(e); });
  }
  // Return moves on as Tab does.
  for (QLineEdit* e : {PEdit_NR, PEdit_PN, PEAuftrag, PETermin, PEdit_LEITER, PEdit_AUSF})
    connect(e, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
  connect(DBLookupComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int i) { CustomerChosen(i); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { CreateProject(); });
  connect(Button2, &QPushButton::clicked, this, [this] { CancelClick(); });

  try {
    const std::string db = GetDatabasePath();
    EnsureKundenTable(KundenTableFile(db), TranslateText(Ansi("ohne Kundendaten")));
    EnsureProjekteTable(ProjekteTableFile(db));
  } catch (const std::exception&) {
    // The folder may appear later; activation reports it.
  }
}

TFrNeu::~TFrNeu() = default;

void TFrNeu::FrameActivate() {
  PageControl1->setCurrentIndex(0);
  try {
    const std::string db = GetDatabasePath();
    EnsureKundenTable(KundenTableFile(db), TranslateText(Ansi("ohne Kundendaten")));
    fKunden = std::make_unique<TDbfTable>();
    fKunden->Open(KundenTableFile(db));
    fProjekte = std::make_unique<TDbfTable>();
    fProjekte->OpenOrCreate(ProjekteTableFile(db), ProjekteFields());
  } catch (const std::exception& e) {
    fKunden.reset();
    fProjekte.reset();
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
  DBNavigator1->SetTable(fKunden.get());
  FillCustomerList();
  NewProjectRecord();
  PEdit_NR->setFocus();  // the user starts with the project number
}

void TFrNeu::FrameDeactivate() {
  DBNavigator1->Cancel();
  DBNavigator1->SetTable(nullptr);
  fKunden.reset();
  fProjekte.reset();
}

void TFrNeu::NewProjectRecord() {
  const QString today = QString::fromStdString(DbfDateToShort(TodayDbfDate()));
  for (QLineEdit* e : {PEdit_NR, PEdit_PN, PEdit_LEITER, PEdit_AUSF}) e->clear();
  PMemo_REM->clear();
  for (QLineEdit* e : {PEAuftrag, PETermin}) {
    e->setText(today);
    e->setProperty("zynLast", today);
  }
  fKundenNr = "0";
  const int i = DBLookupComboBox1->findData(QStringLiteral("0"));
  DBLookupComboBox1->setCurrentIndex(i);
  NumberChanged();
}

void TFrNeu::NumberChanged() {
  BtnOK->setEnabled(!PEdit_NR->text().trimmed().isEmpty() && !PEdit_PN->text().trimmed().isEmpty());
}

void TFrNeu::DateEdited(QLineEdit* edit) {
  std::string date;
  if (ShortToDbfDate(FromQString(edit->text()), date)) {
    edit->setProperty("zynLast", edit->text());
    return;
  }
  const QString typed = edit->text();
  edit->setText(edit->property("zynLast").toString());  // the column keeps its value
  TranslatedMessageDlg(FromQString(PageText("%s ist kein gültiges Datum!").replace(QStringLiteral("%s"), typed)),
                       mtError, mbCancel);
}

void TFrNeu::FillCustomerList() {
  const QSignalBlocker block(DBLookupComboBox1);
  DBLookupComboBox1->clear();
  for (const TDbfRecord& r : DBNavigator1->Records())
    DBLookupComboBox1->addItem(ToQString(r.Values[kdNummer] + "  " + r.Values[kdFirma]), ToQString(r.Values[kdNummer]));
  DBLookupComboBox1->setCurrentIndex(DBLookupComboBox1->findData(ToQString(fKundenNr)));
}

void TFrNeu::CustomerChosen(int index) {
  if (index < 0) return;
  fKundenNr = FromQString(DBLookupComboBox1->itemData(index).toString());
  for (const TDbfRecord& r : DBNavigator1->Records())
    if (r.Values[kdNummer] == fKundenNr) DBNavigator1->MoveToRecNo(r.RecNo);
}

std::vector<std::string> TFrNeu::ProjectRecord() const {
  std::vector<std::string> v(pdColumnCount);
  v[pdProjektnum] = FromQString(PEdit_NR->text().trimmed());
  v[pdProjektnam] = FromQString(PEdit_PN->text());
  v[pdKundennumm] = fKundenNr;
  ShortToDbfDate(FromQString(PEAuftrag->text()), v[pdAuftragsda]);
  ShortToDbfDate(FromQString(PETermin->text()), v[pdTermin]);
  v[pdProjektlei] = FromQString(PEdit_LEITER->text());
  v[pdAusfuehrun] = FromQString(PEdit_AUSF->text());
  v[pdNotizen] = FromQString(PMemo_REM->toPlainText());
  return v;
}

std::unique_ptr<TZYNProjekt> TFrNeu::BuildProject(const std::string& fileName) const {
  auto projekt = std::make_unique<TZYNProjekt>();
  projekt->BasisDaten = GBasisDaten.get();
  projekt->FileName = fileName;
  projekt->ProjektGUID = NewGuidString();
  projekt->CurrentFrame.GroupIndex = 0;
  projekt->CurrentFrame.FrameName = "FrStmBearb";
  projekt->Navigation[0].first = "FrSTMBearb";
  projekt->VisuProject().UserData.AddDefaultUser();
  const int address = projekt->Steuermodule.Adressen.FirstFree();
  if (address >= 0) {
    auto stm = std::make_unique<TSteuermodul>();
    if (GUniqueNames) stm->AssignNewName(*GUniqueNames);
    projekt->Steuermodule.Adressen.SetUsed(address);
    stm->SetAdresse(address);
    char name[64];
    std::snprintf(name, sizeof name, TranslateText(Ansi("Steuermodul %1.1d")).c_str(), address);
    stm->SetDisplayName(name);
    projekt->Steuermodule.Add(std::move(stm));
  }
  TKundenDaten& kd = projekt->KundenDaten;
  const std::vector<std::string>& k = std::as_const(*DBNavigator1).Buffer();
  const auto col = [&k](int c) { return c < static_cast<int>(k.size()) ? k[static_cast<size_t>(c)] : std::string(); };
  kd.KundenNr = col(kdNummer);
  double days = 0;
  kd.Angelegt = DbfDateToDays(col(kdAnlagedatum), days) ? days : NowDateTime();
  kd.FirmenName = col(kdName);
  kd.Ansprechpartner = col(kdFirma);
  kd.Strasse = col(kdStrasse);
  kd.PLZ = col(kdPlz);
  kd.Ort = col(kdOrt);
  kd.Telefon = col(kdTelefon);
  kd.Fax = col(kdFax);
  kd.Email = col(kdEmail);
  kd.Zusatz = col(kdNotizen);
  kd.Homepage.clear();
  const std::vector<std::string> p = ProjectRecord();
  TProjektDaten& pd = projekt->ProjektDaten;
  pd.ProjektNummer = p[pdProjektnum];
  pd.ProjektName = p[pdProjektnam];
  pd.AuftragsDatum = DbfDateToDays(p[pdAuftragsda], days) ? days : 0;
  pd.ZielDatum = DbfDateToDays(p[pdTermin], days) ? days : 0;
  pd.Planung = p[pdProjektlei];
  pd.Ausfuehrung = p[pdAusfuehrun];
  pd.Remarks = p[pdNotizen];
  pd.SoftCreated = GVersionText;
  pd.SoftLast = GVersionText;
  projekt->OnQuestion = AskProjectQuestion;
  return projekt;
}

bool TFrNeu::CreateProject() {
  if (GProjekt) return false;
  const std::string number = FromQString(PEdit_NR->text().trimmed());
  const std::string file = ProjectFileName(GetProjectPath(), AnsiToUtf8(number));
  if (file.empty()) {
    TranslatedMessageDlg(TranslateText(Ansi("Die Projektnummer \"")) + number +
                             TranslateText(Ansi("\" ergibt keinen gültigen Dateinamen.")),
                         mtError, mbOK);
    return false;
  }
  std::unique_ptr<TZYNProjekt> projekt;
  bool saved = false;
  try {
    TWaitCursor wait;
    if (DBNavigator1->State() == TDataState::Edit || DBNavigator1->State() == TDataState::Insert) DBNavigator1->Post();
    projekt = BuildProject(file);
    saved = projekt->SaveProjectFile(file, true);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(WithFile("Das Projekt \"%s\" konnte nicht erstellt werden:", file) + "\r" + e.what(), mtError,
                         mbOK);
    return false;  // the page keeps what was typed
  }
  if (!saved) {
    NewProjectRecord();
    return false;
  }
  MakeCurrent(std::move(projekt));
  // The record goes into the project table once the project exists.
  try {
    if (!fProjekte || !fProjekte->IsOpen()) {
      // The table could not be opened when the page was shown (a folder made since, or still missing).
      fProjekte = std::make_unique<TDbfTable>();
      fProjekte->OpenOrCreate(ProjekteTableFile(GetDatabasePath()), ProjekteFields());
    }
    InsertRecord(*fProjekte, ProjectRecord());
  } catch (const std::exception& e) {
    TranslatedMessageDlg(TranslateText(Ansi("Der Projektdatensatz konnte nicht gespeichert werden:")) + "\r" + e.what(),
                         mtWarning, mbOK);
  }
  if (IMessageHandler* h = GetMessageHandler()) h->NotifyProjectState(2, 1);
  return true;
}

void TFrNeu::CancelClick() {
  DBNavigator1->Cancel();
  NewProjectRecord();
  if (IMessageHandler* h = GetMessageHandler()) h->ClearCurrentFrame();
}

// ------------------------------------------------------------------------------------------------
// Customer rules (also used by the customer page)

void InstallCustomerRules(TDbfNavigator& navigator, bool errorBox) {
  auto reserved = std::make_shared<long>(-1);
  TDbfNavigator* nav = &navigator;
  navigator.BeforeInsert = [nav, reserved] { *reserved = HighestCustomerNumber(*nav->Table()) + 1; };
  navigator.AfterInsert = [reserved](std::vector<std::string>& values) {
    values[kdAnlagedatum] = TodayDbfDate();
    values[kdNummer] = std::to_string(*reserved < 0 ? 0 : *reserved);
    *reserved = -1;
  };
  navigator.BeforePost = [errorBox](std::vector<std::string>& values) {
    if (!Trim(values[kdName]).empty()) return true;
    TranslatedMessageDlg(TranslateText(Ansi("Eingabe eines Kundennamens erforderlich")),
                         errorBox ? mtError : mtInformation, errorBox ? mbCancel : mbOK);
    return false;
  };
}

}  // namespace zyn
