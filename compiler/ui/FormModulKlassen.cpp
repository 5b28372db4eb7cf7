#include "compiler/ui/FormModulKlassen.h"

#include "model/BasisModul.h"
#include "model/EABeschreibung.h"
#include "model/EAFunktionen.h"
#include "model/ModulClass.h"
#include "model/ModulClassList.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {

const char* const kCatalogueFilter = "ZORV Basisklassen (*.zbc);;Alle Dateien (*)";
const char* const kClassFilter = "Modulklasse (*.mcl);;Alle Dateien (*)";
constexpr TChannelKind kKinds[] = {TChannelKind::Eingang, TChannelKind::Ausgang, TChannelKind::Rueckmeldung};

int KindIndex(TChannelKind kind) { return static_cast<int>(kind); }

QSpinBox* SpinBox(const char* name, int min, int max) {
  auto* s = new QSpinBox;
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(min, max);
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TFrmEABeschreibung::TFrmEABeschreibung(const TEABeschreibung& description, const QStringList& listNames,
                                       QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FrmEABeschreibung"));
  setWindowTitle(EdText("ZORV ZYN Systemsoftware V2.0 - EA- Beschreibung"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EdKanal = SpinBox("EdKanal", 0, kMaxChannelCount);
  EdKanal->setValue(description.KanalNummer);
  EdDefault = new QLineEdit(ToQString(description.DefaultText));
  EdDefault->setObjectName(QStringLiteral("EdText"));
  EdDefault->setMaxLength(255);
  CBListe = new QComboBox;
  CBListe->setObjectName(QStringLiteral("CBListe"));
  CBListe->addItems(listNames);
  const QString current = ToQString(description.Funktionen);
  if (CBListe->findText(current) < 0 && !current.isEmpty()) CBListe->addItem(current);
  CBListe->setCurrentIndex(CBListe->findText(current));
  form->addRow(EdText("Kanalnummer:"), EdKanal);
  form->addRow(EdText("Defaultbezeichnung:"), EdDefault);
  form->addRow(EdText("Funktionsliste:"), CBListe);
  layout->addLayout(form);
  auto* box = new QDialogButtonBox;
  box->addButton(EdText("&OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("BtnOK"));
  box->addButton(EdText("&Abbruch"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("BtnCancel"));
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);
}

void TFrmEABeschreibung::accept() {
  const std::string problem =
      CheckDescription(EdKanal->value(), FromQString(EdDefault->text()), FromQString(CBListe->currentText()));
  if (!problem.empty()) {
    ShowEditorError(problem);
    return;
  }
  QDialog::accept();
}

void TFrmEABeschreibung::Store(TEABeschreibung& description) const {
  description.KanalNummer = EdKanal->value();
  description.DefaultText = FromQString(EdDefault->text());
  description.Funktionen = FromQString(CBListe->currentText());
}

// ---------------------------------------------------------------------------------------------

TFrmModulKlassen::TFrmModulKlassen(const std::string& dataFolder, QWidget* parent)
    : QDialog(parent),
      fDataFolder(dataFolder),
      fCatalogue(std::make_unique<TModulClassList>()),
      fBasis(std::make_unique<TBasisModulListe>()),
      fCommands(std::make_unique<TEAFunktionsContainer>()) {
  setObjectName(QStringLiteral("FrmModulKlassen"));
  setWindowTitle(EdText("ZORV ZYN Systemsoftware V2.0 - Modulklassen bearbeiten"));
  ChooseFile = DefaultFileChooser(this);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnOpen = EditorToolButton(this, "BtnOpen", QStyle::SP_DialogOpenButton, "Katalog öffnen");
  BtnSave = EditorToolButton(this, "BtnSave", QStyle::SP_DialogSaveButton, "Katalog speichern");
  BtnNew = EditorToolButton(this, "BtnNew", QStyle::SP_FileIcon, "Neue Klasse");
  BtnDelete = EditorToolButton(this, "BtnDelete", QStyle::SP_TrashIcon, "Klasse löschen");
  BtnSaveClass = EditorToolButton(this, "BtnSaveClass", QStyle::SP_DriveFDIcon, "Klasse speichern");
  BtnLoadClass = EditorToolButton(this, "BtnLoadClass", QStyle::SP_DirOpenIcon, "Klasse laden");
  for (QToolButton* b : {BtnOpen, BtnSave, BtnNew, BtnDelete, BtnSaveClass, BtnLoadClass}) bar->addWidget(b);
  bar->addStretch();
  layout->addLayout(bar);
  connect(BtnOpen, &QToolButton::clicked, this, [this] { OpenCatalogueCommand(); });
  connect(BtnSave, &QToolButton::clicked, this, [this] { SaveCatalogueCommand(); });
  connect(BtnNew, &QToolButton::clicked, this, [this] { NewClass(); });
  connect(BtnDelete, &QToolButton::clicked, this, [this] { DeleteClass(); });
  connect(BtnSaveClass, &QToolButton::clicked, this, [this] { SaveClassCommand(); });
  connect(BtnLoadClass, &QToolButton::clicked, this, [this] { LoadClassCommand(); });

  auto* split = new QSplitter;
  auto* tree = new TMoveTree;
  tree->OnMove = [this](int from, int to) { MoveClass(from, to); };
  TV = tree;
  TV->setObjectName(QStringLiteral("TV"));
  TV->setHeaderLabel(EdText("Modulklassen"));
  split->addWidget(TV);
  PC = new QTabWidget;
  PC->setObjectName(QStringLiteral("PC"));
  split->addWidget(PC);
  split->setStretchFactor(1, 3);
  layout->addWidget(split);
  BuildDataPage();
  BuildChannelPage(TChannelKind::Eingang, "Eingänge");
  BuildChannelPage(TChannelKind::Ausgang, "Ausgänge");
  BuildChannelPage(TChannelKind::Rueckmeldung, "Rückmeldungen");
  connect(TV, &QTreeWidget::currentItemChanged, this, [this] {
    PC->setCurrentIndex(0);
    LoadClassData();
  });
  connect(PC, &QTabWidget::currentChanged, this, [this](int page) {
    BtnDelete->setEnabled(page == 0);
    if (page > 0) FillDescriptions(kKinds[page - 1]);
  });
  SetEditorBounds(this, 640, 440);

  // The base classes and the command lists of the data folder.
  try {
    if (FileExists(fDataFolder + "BASIS.ZBC")) fBasis->LoadFromFile(fDataFolder + "BASIS.ZBC");
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Basisklassen \"") + FileText(fDataFolder + "BASIS.ZBC") +
                    Ansi("\" konnten nicht gelesen werden.") + "\r" + e.what());
  }
  try {
    const std::string xml = FindFileNoCase(fDataFolder, "EAFuncs.xml");
    if (!xml.empty()) fCommands->LoadFromFile(xml, true);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Funktionslisten konnten nicht gelesen werden.") + "\r" + e.what());
  }
  for (int i = 0; i < fBasis->Count(); ++i) CBBasis->addItem(ToQString(fBasis->GetBasisModul(i)->DisplayName()));
  for (int i = CBBasis->count(); i <= bcNone; ++i) CBBasis->addItem(EdText("Basisklasse") + " " + QString::number(i));
  LoadClassData();
}

TFrmModulKlassen::~TFrmModulKlassen() = default;

void TFrmModulKlassen::BuildDataPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  auto edit = [&](QLineEdit*& e, const char* name, const char* caption) {
    e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(255);
    form->addRow(EdText(caption), e);
    connect(e, &QLineEdit::textEdited, this, [this] { DataChanged(); });
  };
  edit(EdInternal, "EdInternal", "Interner Name:");
  edit(EdDisplay, "EdDisplay", "Anzuzeigender Name:");
  edit(EdIdent, "EdIdent", "Klassenkennung:");
  CBBasis = new QComboBox;
  CBBasis->setObjectName(QStringLiteral("CBBasis"));
  form->addRow(EdText("Basisklasse:"), CBBasis);
  connect(CBBasis, &QComboBox::currentIndexChanged, this, [this] { DataChanged(); });
  auto spin = [&](QSpinBox*& s, const char* name, const char* caption, int max) {
    s = SpinBox(name, 0, max);
    form->addRow(EdText(caption), s);
    connect(s, &QSpinBox::valueChanged, this, [this] { DataChanged(); });
  };
  spin(EdLimit, "EdLimit", "Maximale Anzahl:", kMaxModuleCount);
  spin(EdEin, "EdEin", "Anzahl Eingänge:", kMaxChannelCount);
  spin(EdAus, "EdAus", "Anzahl Ausgänge:", kMaxChannelCount);
  spin(EdRME, "EdRME", "Anzahl Rückmeldg:", kMaxChannelCount);
  LblProblem = new QLabel;
  LblProblem->setObjectName(QStringLiteral("LblProblem"));
  LblProblem->setStyleSheet(QStringLiteral("color: #b00000"));
  LblProblem->setWordWrap(true);
  form->addRow(LblProblem);
  PC->addTab(page, EdText("Moduldaten"));
}

void TFrmModulKlassen::BuildChannelPage(TChannelKind kind, const char* caption) {
  const int k = KindIndex(kind);
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  EdShift[static_cast<size_t>(k)] =
      SpinBox("EdShift", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  form->addRow(EdText("Shift:"), EdShift[static_cast<size_t>(k)]);
  layout->addLayout(form);
  QTreeWidget* list = new QTreeWidget;
  list->setObjectName(QStringLiteral("LV%1").arg(k));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({EdText("Kanal Nr."), EdText("Defaultbezeichnung"), EdText("Befehlsliste")});
  LV[static_cast<size_t>(k)] = list;
  layout->addWidget(list);
  connect(EdShift[static_cast<size_t>(k)], &QSpinBox::valueChanged, this, [this, kind](int value) {
    TModulClass* c = Selected();
    if (fLoading || !c) return;
    ChannelShift(*c, kind) = value;
    Changed();
  });
  connect(list, &QTreeWidget::itemDoubleClicked, this,
          [this, kind, list](QTreeWidgetItem* item) { EditDescription(kind, list->indexOfTopLevelItem(item)); });
  PC->addTab(page, EdText(caption));
}

TModulClass* TFrmModulKlassen::Selected() const {
  QTreeWidgetItem* item = TV->currentItem();
  return item ? fCatalogue->GetClass(TV->indexOfTopLevelItem(item)) : nullptr;
}

void TFrmModulKlassen::SelectClass(int index) {
  if (QTreeWidgetItem* item = TV->topLevelItem(index)) TV->setCurrentItem(item);
}

void TFrmModulKlassen::FillTree() {
  const QSignalBlocker block(TV);
  TV->clear();
  for (int i = 0; i < fCatalogue->Count(); ++i)
    new QTreeWidgetItem(TV, {ToQString(fCatalogue->GetClass(i)->InternalName)});
}

void TFrmModulKlassen::LoadClassData() {
  fLoading = true;
  const TModulClass* c = Selected();
  PC->setEnabled(c != nullptr);
  BtnSaveClass->setEnabled(c != nullptr);
  BtnDelete->setEnabled(c != nullptr && PC->currentIndex() == 0);
  const TClassEdit e = c ? ClassEditFrom(*c) : TClassEdit();
  EdInternal->setText(ToQString(e.InternalName));
  EdDisplay->setText(ToQString(e.DisplayName));
  EdIdent->setText(ToQString(e.ClassIdent));
  CBBasis->setCurrentIndex(e.BaseClass >= 0 && e.BaseClass < CBBasis->count() ? e.BaseClass : -1);
  EdLimit->setValue(e.LimitCount);
  EdEin->setValue(e.EinCount);
  EdAus->setValue(e.AusCount);
  EdRME->setValue(e.RMECount);
  LblProblem->clear();
  fLoading = false;
}

// Every change goes into the selected class at once, once it passes its check; otherwise the
// reason is shown under the fields and the class keeps its former data.
void TFrmModulKlassen::DataChanged() {
  TModulClass* c = Selected();
  if (fLoading || !c) return;
  TClassEdit e;
  e.InternalName = FromQString(EdInternal->text());
  e.DisplayName = FromQString(EdDisplay->text());
  e.ClassIdent = FromQString(EdIdent->text());
  e.BaseClass = CBBasis->currentIndex();
  e.LimitCount = EdLimit->value();
  e.EinCount = EdEin->value();
  e.AusCount = EdAus->value();
  e.RMECount = EdRME->value();
  const std::string problem = CheckClassEdit(*fCatalogue, c, e);
  LblProblem->setText(ToQString(problem));
  if (!problem.empty()) return;
  ApplyClassEdit(*c, e);
  if (QTreeWidgetItem* item = TV->currentItem()) item->setText(0, ToQString(c->InternalName));
  Changed();
}

TEABeschreibung* TFrmModulKlassen::DescriptionAt(TChannelKind kind, int row) const {
  TModulClass* c = Selected();
  if (!c || row < 0 || row >= ChannelCount(*c, kind)) return nullptr;
  return Descriptions(*c, kind).Get(row);
}

void TFrmModulKlassen::FillDescriptions(TChannelKind kind) {
  const int k = KindIndex(kind);
  QTreeWidget* list = LV[static_cast<size_t>(k)];
  list->clear();
  TModulClass* c = Selected();
  if (!c) return;
  fLoading = true;
  EdShift[static_cast<size_t>(k)]->setValue(ChannelShift(*c, kind));
  fLoading = false;
  if (CompleteDescriptions(*c, kind) > 0) Changed();
  const TEABeschreibungsListe& d = Descriptions(*c, kind);
  for (int i = 0; i < ChannelCount(*c, kind) && i < d.Count(); ++i) {
    const TEABeschreibung& b = *d.Get(i);
    new QTreeWidgetItem(list, {QString::number(b.KanalNummer), ToQString(b.DefaultText), ToQString(b.Funktionen)});
  }
}

void TFrmModulKlassen::EditDescription(TChannelKind kind, int row) {
  TEABeschreibung* d = DescriptionAt(kind, row);
  if (!d) return;
  TEABeschreibung shown = *d;
  if (Trim(shown.Funktionen).empty()) shown.Funktionen = fLastList;
  QStringList names;
  for (int i = 0; i < fCommands->Count(); ++i) names << ToQString(fCommands->GetList(i)->ListName);
  TFrmEABeschreibung dialog(shown, names, this);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Store(*d);
  fLastList = d->Funktionen;
  Changed();
  FillDescriptions(kind);
}

// ---- commands

bool TFrmModulKlassen::OpenCatalogue(const std::string& fileName) {
  try {
    fCatalogue->LoadFromFile(fileName);
  } catch (const EReadError& e) {
    if (std::string(e.what()) == Ansi("Keine gültige Modulklassendatei"))
      TranslatedMessageDlg(e.what(), mtError, mbCancel);
    else
      ShowEditorError(Ansi("Der Katalog \"") + FileText(fileName) + Ansi("\" konnte nicht gelesen werden.") + "\r" +
                      e.what());
    return false;
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Der Katalog \"") + FileText(fileName) + Ansi("\" konnte nicht gelesen werden.") + "\r" +
                    e.what());
    return false;
  }
  Changed();
  FillTree();
  SelectClass(0);
  LoadClassData();
  return true;
}

bool TFrmModulKlassen::SaveCatalogue(const std::string& fileName) {
  try {
    fCatalogue->SaveToFile(fileName);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Der Katalog konnte nicht unter \"") + FileText(fileName) +
                    Ansi("\" gespeichert werden; die Datei blieb unverändert.") + "\r" + e.what());
    return false;
  }
  fModified = false;
  return true;
}

void TFrmModulKlassen::OpenCatalogueCommand() {
  const std::string name =
      ChooseFile(false, EdText("Katalog öffnen"), QString::fromUtf8(kCatalogueFilter), fDataFolder);
  if (!name.empty()) OpenCatalogue(name);
}

bool TFrmModulKlassen::SaveCatalogueCommand() {
  const std::string name =
      ChooseFile(true, EdText("Katalog speichern"), QString::fromUtf8(kCatalogueFilter), fDataFolder + "MODULE.ZBC");
  return !name.empty() && SaveCatalogue(WithDefaultExtension(name, "zbc"));
}

void TFrmModulKlassen::NewClass() {
  TModulClass* c = fCatalogue->Add(std::make_unique<TModulClass>());
  Changed();
  FillTree();
  SelectClass(fCatalogue->IndexOf(c));
  LoadClassData();
}

void TFrmModulKlassen::DeleteClass() {
  TModulClass* c = Selected();
  if (!c || PC->currentIndex() != 0) return;
  const int index = fCatalogue->IndexOf(c);
  fCatalogue->Remove(c);
  Changed();
  FillTree();
  SelectClass(std::min(index, fCatalogue->Count() - 1));
  LoadClassData();
}

void TFrmModulKlassen::SaveClassCommand() {
  const TModulClass* c = Selected();
  if (!c) return;
  const std::string name = ChooseFile(true, EdText("Klasse speichern"), QString::fromUtf8(kClassFilter), {});
  if (name.empty()) return;
  const std::string file = WithDefaultExtension(name, "mcl");
  try {
    c->SaveToFile(file);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Modulklasse konnte nicht unter \"") + FileText(file) +
                    Ansi("\" gespeichert werden; die Datei blieb unverändert.") + "\r" + e.what());
  }
}

void TFrmModulKlassen::LoadClassCommand() {
  const std::string name = ChooseFile(false, EdText("Klasse laden"), QString::fromUtf8(kClassFilter), {});
  if (!name.empty()) LoadClass(name);
}

bool TFrmModulKlassen::LoadClass(const std::string& fileName) {
  auto c = std::make_unique<TModulClass>();
  try {
    c->LoadFromFile(fileName);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Modulklasse aus \"") + FileText(fileName) + Ansi("\" konnte nicht gelesen werden.") +
                    "\r" + e.what());
    return false;
  }
  TModulClass* added = fCatalogue->Add(std::move(c));
  Changed();
  FillTree();
  SelectClass(fCatalogue->IndexOf(added));
  LoadClassData();
  return true;
}

void TFrmModulKlassen::MoveClass(int from, int to) {
  if (!fCatalogue->Move(from, to)) return;
  Changed();
  FillTree();
  SelectClass(to);
  LoadClassData();
}

void TFrmModulKlassen::closeEvent(QCloseEvent* event) {
  const bool may =
      MayCloseEditor(fModified, Ansi("Der Modulkatalog wurde geändert. Sollen die Änderungen gespeichert werden?"),
                     [this] { return SaveCatalogueCommand(); });
  if (may) {
    event->accept();
    QDialog::reject();
  } else {
    event->ignore();
  }
}

void TFrmModulKlassen::reject() { close(); }

}  // namespace zyn
