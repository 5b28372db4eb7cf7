#include "display/ui/DesignerDialogs.h"

#include "display/DispObjekt.h"
#include "display/DispOperations.h"
#include "display/ProjektVerwaltung.h"
#include "display/ViewRules.h"
#include "display/Zeichensatz.h"
#include "display/ui/Anzeige.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zyn {

namespace {

std::string A(const QString& text) { return FromQString(text); }
const char* const kKeyNames[4] = {"F1", "F2", "F3", "F4"};

QDialogButtonBox* OkCancel(QDialog* dialog, const QString& okText = QStringLiteral("OK")) {
  auto* box = new QDialogButtonBox;
  auto* ok = box->addButton(okText, QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("BOK"));
  ok->setDefault(true);
  auto* cancel = box->addButton(TranslatedText("Abbrechen"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("BCancel"));
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

std::string ForwardText() {
  std::string forward, back;
  GetDisplayNavTexts(forward, back);
  return forward;
}
std::string BackText() {
  std::string forward, back;
  GetDisplayNavTexts(forward, back);
  return back;
}

// The screen that holds the object.
TBildschirm* ScreenOf(const TDisplayObjekt& display, const TBasis* object) {
  TBildschirm* found = nullptr;
  ForEachScreen(display.Bildschirme, [&](TBildschirm& s) {
    if (s.Objekte.IndexOf(object) >= 0) found = &s;
  });
  return found;
}

}  // namespace

QString ObjectCaption(const TBildschirm& screen, size_t index) {
  const TBasis& o = screen.Objekte[index];
  return ToQString(screen.Objekte.Key(index)) + QStringLiteral(" ") + TranslatedText("( Zeile:") + QStringLiteral(" ") +
         QString::number(o.Zeile() + 1) + TranslatedText(", Spalte:") + QStringLiteral(" ") + QString::number(o.Spalte() + 1) +
         QStringLiteral(" )");
}

std::function<int(QWidget*)> ChooseSpecialCharacter = [](QWidget* parent) {
  TSZeichen dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Choice() : -1;
};

std::function<bool(QWidget*, QString&)> PromptKeyLabel = [](QWidget* parent, QString& label) {
  TBName dialog(parent);
  dialog.Edit->setText(label.left(8));
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (ok) label = dialog.Edit->text();
  return ok;
};

bool ConfirmMenuDeletion(QWidget* parent, const TBasis& object) {
  if (object.Unterbildschirme.Empty()) return true;
  const QString question =
      TranslatedText("Der Text hat Untermenüs. Sollen der Text und seine %1 Bildschirme gelöscht werden?")
          .arg(CountScreensBelow(object));
  return MessageDlg(parent, question, TranslatedText("Bestätigung"), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int TitleWidth(const QString& title) {
  // The title bar draws the caption in a bold face of the default font, after the window icon and
  // before three buttons.
  QFont font = QApplication::font();
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + 3 * 28 + 2 * 24;
}

void FitTitle(QDialog* dialog) {
  const int needed = TitleWidth(dialog->windowTitle());
  if (dialog->minimumWidth() < needed) dialog->setMinimumWidth(needed);
}

void AppendSpecialChar(QLineEdit* edit) {
  const int code = ChooseSpecialCharacter(edit);
  if (code < 0) return;
  const QString added = edit->text() + ToQString(std::string(1, static_cast<char>(code)));
  if (edit->maxLength() > 0 && added.size() > edit->maxLength()) return;
  edit->setText(added);
  edit->setCursorPosition(static_cast<int>(added.size()));
}

void InstallSpecialCharKey(QLineEdit* edit) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), edit, nullptr, nullptr, Qt::WidgetShortcut);
  QObject::connect(shortcut, &QShortcut::activated, edit, [edit] { AppendSpecialChar(edit); });
}

// ------------------------------------------------------------------------------------------------

TBName::TBName(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Buttonbeschriftung eingeben"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(TranslatedText("Beschriftungt der Funktionstaste") + QStringLiteral("\n") + TranslatedText("(max. 8 Zeichen) eingeben")));
  Edit = new QLineEdit;
  Edit->setObjectName(QStringLiteral("EName"));
  Edit->setMaxLength(8);
  layout->addWidget(Edit);
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(Edit, &QLineEdit::returnPressed, this, &QDialog::accept);
  layout->addWidget(ok);
}

TFrmRenameScreen::TFrmRenameScreen(const QString& oldName, QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Bildschirm umbenennen"));
  FitTitle(this);
  auto* form = new QFormLayout(this);
  EOld = new QLineEdit(oldName);
  EOld->setReadOnly(true);
  ENew = new QLineEdit(oldName);
  form->addRow(TranslatedText("Alte Bildschirmbezeichnung:"), EOld);
  form->addRow(TranslatedText("Neue Bildschirmbezeichnung:"), ENew);
  form->addRow(OkCancel(this));
  ENew->setFocus();
}

void TFrmRenameScreen::done(int result) {
  if (ENew->text().isEmpty()) ENew->setText(EOld->text());
  QDialog::done(result);
}

// ------------------------------------------------------------------------------------------------

TDelObjects::TDelObjects(TView& view, QWidget* parent) : QDialog(parent), fView(view) {
  setWindowTitle(TranslatedText("Objekte des aktuellen Bildschirmes löschen"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(TranslatedText("Aktueller Bildschirm:") + QStringLiteral(" ") +
                               (view.Screen ? ToQString(view.Screen->Name) : QString())));
  layout->addWidget(new QLabel(TranslatedText("Objekte des aktuellen Bildschirmes")));
  LObjects = new QListWidget;
  LObjects->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(LObjects);
  auto* row = new QHBoxLayout;
  BDelete = new QPushButton(TranslatedText("Löschen"));
  BDelete->setEnabled(false);
  auto* close = new QPushButton(TranslatedText("Schließen"));
  row->addWidget(BDelete);
  row->addStretch();
  row->addWidget(close);
  layout->addLayout(row);
  connect(LObjects, &QListWidget::itemSelectionChanged, this,
          [this] { BDelete->setEnabled(!LObjects->selectedItems().isEmpty()); });
  connect(BDelete, &QPushButton::clicked, this, &TDelObjects::DeleteSelected);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  Fill();
}

void TDelObjects::Fill() {
  LObjects->clear();
  if (!fView.Screen) return;
  for (size_t i = 0; i < fView.Screen->Objekte.Count(); ++i) {
    auto* item = new QListWidgetItem(ObjectCaption(*fView.Screen, i), LObjects);
    item->setData(Qt::UserRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(&fView.Screen->Objekte[i])));
  }
}

void TDelObjects::DeleteSelected() {
  for (QListWidgetItem* item : LObjects->selectedItems()) {
    auto* object = reinterpret_cast<TBasis*>(item->data(Qt::UserRole).value<quintptr>());
    if (ConfirmMenuDeletion(this, *object)) fView.DeleteObject(object);
  }
  Fill();
  BDelete->setEnabled(false);
  fView.DrawScreen();
  if (fView.OnChangeScreenObjects) fView.OnChangeScreenObjects();
}

// ------------------------------------------------------------------------------------------------

TNewScreenOptions::TNewScreenOptions(TVerwaltung& manager, TDisplayObjekt& display, TText* text, QWidget* parent)
    : QDialog(parent), fManager(manager), fDisplay(display), fText(text) {
  setWindowTitle(TranslatedText("Neuen Bildschirm erstellen"));
  FitTitle(this);
  if (text) fTextScreen = ScreenOf(display, text);
  const TBildschirmList& siblings = text ? text->Unterbildschirme : display.Bildschirme;
  for (size_t i = 0; i < siblings.Count(); ++i) fSiblings.push_back(&siblings[i]);

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  // The sibling count as the number, or the next one no screen of the display carries yet.
  EName = new QLineEdit(ToQString(FreeScreenName(display, FromQString(TranslatedText("NeuerBildschirm")), siblings.Count())));
  form->addRow(TranslatedText("Bildschirmbezeichnung:"), EName);
  layout->addLayout(form);

  auto group = [&](QCheckBox*& check, const char* caption, QComboBox*& list, QComboBox*& keys, QLineEdit*& label,
                   const std::string& labelText) {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    check = new QCheckBox(TranslatedText(caption));
    check->setChecked(true);
    list = new QComboBox;
    keys = new QComboBox;
    label = new QLineEdit(ToQString(labelText));
    label->setMaxLength(8);
    grid->addWidget(check, 0, 0, 1, 2);
    grid->addWidget(list, 1, 0, 1, 2);
    grid->addWidget(new QLabel(TranslatedText("Taste:")), 2, 0);
    grid->addWidget(keys, 2, 1);
    grid->addWidget(new QLabel(TranslatedText("Beschriftung:")), 3, 0);
    grid->addWidget(label, 3, 1);
    connect(check, &QCheckBox::toggled, this, [list, keys, label](bool on) {
      list->setEnabled(on);
      keys->setEnabled(on);
      label->setEnabled(on);
    });
    layout->addWidget(box);
  };
  group(CBJump, "Sprungbefehl auf neuen Bildschirm von", CBSource, CBJumpKey, EJumpLabel, ForwardText());
  group(CBReturn, "Rücksprung vom neuen Bildschirm auf", CBTarget, CBReturnKey, EReturnLabel, BackText());
  CBSwitch = new QCheckBox(TranslatedText("in den neu erstellten Bildschirm wechseln"));
  CBSwitch->setChecked(true);
  layout->addWidget(CBSwitch);
  layout->addWidget(OkCancel(this));

  if (text && text->Unterbildschirme.Empty()) {
    CBSource->addItem(TranslatedText("Text:") + QStringLiteral(" ") + ToQString(text->Text) + QStringLiteral(" ( ") +
                      (fTextScreen ? ToQString(fTextScreen->Name) : QString()) + QStringLiteral(" ) "));
    if (fTextScreen) CBTarget->addItem(ToQString(fTextScreen->Name));
  } else {
    for (TBildschirm* s : fSiblings) {
      CBSource->addItem(ToQString(s->Name));
      CBTarget->addItem(ToQString(s->Name));
    }
    CBSource->setCurrentIndex(CBSource->count() - 1);
    CBTarget->setCurrentIndex(CBTarget->count() - 1);
  }
  for (const char* k : kKeyNames) CBReturnKey->addItem(QString::fromLatin1(k));
  CBReturnKey->setCurrentIndex(0);
  connect(CBSource, &QComboBox::currentIndexChanged, this, [this] { FillJumpKeys(); });
  FillJumpKeys();
}

TNewScreenOptions::~TNewScreenOptions() = default;

TButtonListe* TNewScreenOptions::SourceKeys() const {
  if (fText && fText->Unterbildschirme.Empty()) return &fText->Buttons;
  const int i = CBSource->currentIndex();
  if (i < 0 || static_cast<size_t>(i) >= fSiblings.size()) return nullptr;
  return &fSiblings[static_cast<size_t>(i)]->DefaultButtons;
}

void TNewScreenOptions::FillJumpKeys() {
  CBJumpKey->clear();
  TButtonListe* keys = SourceKeys();
  const bool textSource = fText && fText->Unterbildschirme.Empty();
  for (const char* k : kKeyNames) {
    if (keys && keys->Find(k)) continue;
    if (textSource && fTextScreen && fTextScreen->DefaultButtons.Find(k)) continue;
    CBJumpKey->addItem(QString::fromLatin1(k));
  }
  const int f4 = CBJumpKey->findText(QStringLiteral("F4"));
  CBJumpKey->setCurrentIndex(f4 >= 0 ? f4 : (CBJumpKey->count() > 0 ? 0 : -1));
}

void TNewScreenOptions::accept() {
  if (EName->text().isEmpty() || (CBJump->isChecked() && EJumpLabel->text().isEmpty()) ||
      (CBReturn->isChecked() && EReturnLabel->text().isEmpty())) {
    MessageDlg(this, TranslatedText("Bitte Angaben vervollständigen"), TranslatedText("Hinweis"), MB_OK | MB_ICONWARNING);
    return;
  }
  TBildschirmList& list = fText ? fText->Unterbildschirme : fDisplay.Bildschirme;
  TButtonListe* source = SourceKeys();
  TBildschirm* returnTarget = nullptr;
  if (fText && fText->Unterbildschirme.Empty())
    returnTarget = fTextScreen;
  else if (CBTarget->currentIndex() >= 0)
    returnTarget = fSiblings[static_cast<size_t>(CBTarget->currentIndex())];
  TBildschirm* screen = fManager.AddScreen(list, A(EName->text()));
  if (CBJump->isChecked() && source && CBJumpKey->currentIndex() >= 0) {
    TFunktButton* key = AddJumpKey(*source, A(CBJumpKey->currentText()), A(EJumpLabel->text()), screen->InternalName);
    fDisplay.NObserver.AddJump(screen->InternalName, key);
  }
  if (CBReturn->isChecked() && returnTarget) {
    TFunktButton* key = AddJumpKey(screen->DefaultButtons, A(CBReturnKey->currentText()), A(EReturnLabel->text()),
                                   returnTarget->InternalName);
    fDisplay.NObserver.AddJump(returnTarget->InternalName, key);
  }
  fCreated = screen;
  if (CBSwitch->isChecked()) fManager.ChangeScreen(screen);
  QDialog::accept();
}

// ------------------------------------------------------------------------------------------------

TEditButtons::TEditButtons(TDisplayObjekt& display, TBildschirm& screen, QWidget* parent)
    : QDialog(parent), fDisplay(display), fScreen(screen) {
  setWindowTitle(TranslatedText("Funktionstasten bearbeiten"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  auto* head = new QFormLayout;
  auto* current = new QLineEdit(ToQString(screen.Name));
  current->setReadOnly(true);
  head->addRow(TranslatedText("Aktueller Bildschirm"), current);
  EObject = new QLineEdit;
  EObject->setReadOnly(true);
  head->addRow(TranslatedText("Objekt"), EObject);
  layout->addLayout(head);
  Tabs = new QTabWidget;
  layout->addWidget(Tabs);

  auto* choose = new QWidget;
  auto* cl = new QVBoxLayout(choose);
  cl->addWidget(new QLabel(TranslatedText("Objekte mit hinterlegten Funktionsbuttons")));
  LEntries = new QListWidget;
  LEntries->addItem(ToQString(screen.Name) + QStringLiteral(" ") + TranslatedText("(Default)") + QStringLiteral(" "));
  for (size_t i = 0; i < screen.Objekte.Count(); ++i) LEntries->addItem(ObjectCaption(screen, i));
  cl->addWidget(LEntries);
  auto* keysBox = new QGroupBox(TranslatedText("Belegte Funktionstasten"));
  auto* grid = new QGridLayout(keysBox);
  for (int k = 0; k < 4; ++k) {
    CBKey[k] = new QCheckBox(QString::fromLatin1(kKeyNames[k]));
    CBKey[k]->setEnabled(false);
    EKey[k] = new QLineEdit;
    EKey[k]->setMaxLength(8);
    EKey[k]->setReadOnly(true);
    InstallSpecialCharKey(EKey[k]);
    grid->addWidget(CBKey[k], k, 0);
    grid->addWidget(EKey[k], k, 1);
  }
  cl->addWidget(keysBox);
  BLabels = new QPushButton(TranslatedText("&Beschriftung Bearbeiten..."));
  cl->addWidget(BLabels);
  Tabs->addTab(choose, TranslatedText("Tasten auswählen"));

  auto* edit = new QWidget;
  auto* el = new QGridLayout(edit);
  el->addWidget(new QLabel(TranslatedText("Funktionstaste")), 0, 0);
  LKeys = new QListWidget;
  el->addWidget(LKeys, 1, 0, 3, 1);
  auto* kindBox = new QGroupBox(TranslatedText("Funktionsart"));
  auto* kl = new QVBoxLayout(kindBox);
  LLabel = new QLabel;
  LKind = new QLabel;
  LTarget = new QLabel;
  kl->addWidget(LLabel);
  kl->addWidget(LKind);
  kl->addWidget(LTarget);
  el->addWidget(kindBox, 1, 1);
  BAdd = new QPushButton(TranslatedText("Funktionstaste hinzufügen"));
  BDelete = new QPushButton(TranslatedText("Funktionstaste löschen"));
  el->addWidget(BAdd, 2, 1);
  el->addWidget(BDelete, 3, 1);
  auto* newBox = new QGroupBox;
  auto* nl = new QGridLayout(newBox);
  LFree = new QListWidget;
  CBFunction = new QComboBox;
  CBFunction->addItem(TranslatedText("Sprung in anderen Bildschirm"));
  TTargets = new QTreeWidget;
  TTargets->setHeaderLabel(TranslatedText("Zielbildschirm auswählen"));
  ENewLabel = new QLineEdit;
  ENewLabel->setMaxLength(8);
  InstallSpecialCharKey(ENewLabel);
  LChosen = new QLabel;
  BTake = new QPushButton(TranslatedText("&Übernehmen"));
  BTake->setEnabled(false);
  nl->addWidget(new QLabel(TranslatedText("Verfügbare Tasten")), 0, 0);
  nl->addWidget(LFree, 1, 0);
  nl->addWidget(new QLabel(TranslatedText("Verfügbare Funktionen")), 0, 1);
  nl->addWidget(CBFunction, 1, 1);
  nl->addWidget(new QLabel(TranslatedText("Beschriftung:")), 2, 0);
  nl->addWidget(ENewLabel, 2, 1);
  nl->addWidget(TTargets, 3, 0, 1, 2);
  nl->addWidget(LChosen, 4, 0);
  nl->addWidget(BTake, 4, 1);
  newBox->setEnabled(false);
  el->addWidget(newBox, 4, 0, 1, 2);
  Tabs->addTab(edit, TranslatedText("Tasten bearbeiten"));

  auto* row = new QHBoxLayout;
  auto* cancel = new QPushButton(TranslatedText("Abbrechen"));
  auto* close = new QPushButton(TranslatedText("S&chließen"));
  row->addStretch();
  row->addWidget(cancel);
  row->addWidget(close);
  layout->addLayout(row);

  auto* rootItem = new QTreeWidgetItem(TTargets, QStringList(ToQString(display.DisplayName)));
  for (size_t i = 0; i < display.Bildschirme.Count(); ++i) AddTargets(rootItem, display.Bildschirme[i]);
  TTargets->expandAll();

  connect(LEntries, &QListWidget::currentRowChanged, this, [this](int) { ShowEntry(); });
  connect(BLabels, &QPushButton::clicked, this, &TEditButtons::ToggleLabelEditing);
  connect(Tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == 1) {
      FillKeyList();
      if (LKeys->count() > 0) LKeys->setCurrentRow(0);
    }
  });
  connect(LKeys, &QListWidget::currentRowChanged, this, [this](int) { ShowKey(); });
  connect(BAdd, &QPushButton::clicked, this, &TEditButtons::StartNewKey);
  connect(BDelete, &QPushButton::clicked, this, &TEditButtons::DeleteKey);
  connect(BTake, &QPushButton::clicked, this, &TEditButtons::TakeNewKey);
  connect(TTargets, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    const QString internal = item ? item->data(0, Qt::UserRole).toString() : QString();
    fTarget = A(internal);
    LChosen->setText(internal.isEmpty() ? QString() : item->text(0));
    BTake->setEnabled(!internal.isEmpty());
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

TEditButtons::~TEditButtons() = default;

void TEditButtons::AddTargets(QTreeWidgetItem* parent, const TBildschirm& screen) {
  auto* item = new QTreeWidgetItem(parent, QStringList(ToQString(screen.Name)));
  item->setData(0, Qt::UserRole, ToQString(screen.InternalName));
  for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
    const TBasis& object = screen.Objekte[o];
    if (object.Unterbildschirme.Empty()) continue;
    const auto* text = dynamic_cast<const TText*>(&object);
    auto* textItem = new QTreeWidgetItem(item, QStringList(text ? ToQString(text->Text) : ToQString(object.Name)));
    for (size_t i = 0; i < object.Unterbildschirme.Count(); ++i) AddTargets(textItem, object.Unterbildschirme[i]);
  }
}

TButtonListe* TEditButtons::SelectedKeys() const {
  const int row = LEntries->currentRow();
  if (row < 0) return nullptr;
  if (row == 0) return &fScreen.DefaultButtons;
  return &fScreen.Objekte[static_cast<size_t>(row - 1)].Buttons;
}

void TEditButtons::SelectEntry(int row) { LEntries->setCurrentRow(row); }

void TEditButtons::ShowEntry() {
  TButtonListe* keys = SelectedKeys();
  EObject->setText(LEntries->currentItem() ? LEntries->currentItem()->text() : QString());
  const bool object = LEntries->currentRow() > 0;
  for (int k = 0; k < 4; ++k) {
    CBKey[k]->setChecked(false);
    EKey[k]->clear();
    EKey[k]->setEnabled(true);
  }
  auto show = [&](const TButtonListe& list, bool enabled) {
    for (size_t i = 0; i < list.Count(); ++i) {
      const int k = list[i].KeyNumber();
      if (k < 0) continue;
      CBKey[k]->setChecked(true);
      EKey[k]->setText(ToQString(list[i].Label1->Text));
      EKey[k]->setEnabled(enabled);
    }
  };
  if (object) {
    show(fScreen.DefaultButtons, false);
    show(*keys, true);
  } else if (keys) {
    show(*keys, true);
  }
  FillKeyList();
}

void TEditButtons::ToggleLabelEditing() {
  if (!fEditing) {
    fEditing = true;
    for (auto* e : EKey)
      if (e->isEnabled()) e->setReadOnly(false);
    BLabels->setText(TranslatedText("Änderungen übernehmen"));
    return;
  }
  if (TButtonListe* keys = SelectedKeys()) {
    for (int k = 0; k < 4; ++k) {
      TFunktButton* key = keys->Find(kKeyNames[k]);
      if (!key || !EKey[k]->isEnabled()) continue;
      if (EKey[k]->text().isEmpty()) {
        EKey[k]->setText(ToQString(key->Label1->Text));
      } else if (key->Label1->Text != A(EKey[k]->text())) {
        key->Label1->Text = A(EKey[k]->text());
        fDisplay.Modified = true;
      }
    }
  }
  fEditing = false;
  for (auto* e : EKey) e->setReadOnly(true);
  BLabels->setText(TranslatedText("Beschriftung bearbeiten"));
}

void TEditButtons::FillKeyList() {
  LKeys->clear();
  if (TButtonListe* keys = SelectedKeys())
    for (size_t i = 0; i < keys->Count(); ++i) LKeys->addItem(ToQString((*keys)[i].Name));
  ShowKey();
}

void TEditButtons::ShowKey() {
  TButtonListe* keys = SelectedKeys();
  const int row = LKeys->currentRow();
  LLabel->clear();
  LKind->clear();
  LTarget->clear();
  if (!keys || row < 0 || static_cast<size_t>(row) >= keys->Count()) return;
  const TFunktButton& key = (*keys)[static_cast<size_t>(row)];
  LLabel->setText(ToQString(key.Label1->Text));
  switch (key.Funktion.Funktion) {
    case fkSprung: {
      LKind->setText(TranslatedText("Sprung in anderen Bildschirm"));
      const TBildschirm* target = fDisplay.BildschirmReferenzTabelle.FindBildschirm(key.Funktion.ZielBildschirm);
      LTarget->setText(TranslatedText("Zielbildschirm") + QStringLiteral(": ") + (target ? ToQString(target->Name) : QString()));
      break;
    }
    case fkEingangEmu:
      LKind->setText(TranslatedText("Eingangsbefehlemulation"));
      break;
    case fkAusgang:
      LKind->setText(TranslatedText("Ausgangsbefehl"));
      break;
    default:
      break;
  }
}

void TEditButtons::FillFree() {
  LFree->clear();
  TButtonListe* keys = SelectedKeys();
  for (const char* k : kKeyNames)
    if (keys && !keys->Find(k)) LFree->addItem(QString::fromLatin1(k));
}

void TEditButtons::StartNewKey() {
  if (LEntries->currentRow() < 0) LEntries->setCurrentRow(0);
  LFree->parentWidget()->setEnabled(true);
  FillFree();
}

void TEditButtons::TakeNewKey() {
  TButtonListe* keys = SelectedKeys();
  QListWidgetItem* free = LFree->currentItem();
  if (!keys || !free || ENewLabel->text().isEmpty() || ENewLabel->text().size() > 8 || fTarget.empty()) {
    MessageDlg(this, TranslatedText("Vollständige Angaben für das Anlegen eines Funktionsbuttons erforderlich"), TranslatedText("Hinweis"),
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  TFunktButton* key = AddJumpKey(*keys, A(free->text()), A(ENewLabel->text()), fTarget);
  fDisplay.NObserver.AddJump(fTarget, key);
  fDisplay.Modified = true;
  ENewLabel->clear();
  TTargets->setCurrentItem(nullptr);
  FillFree();
  FillKeyList();
  ShowEntry();
}

void TEditButtons::DeleteKey() {
  TButtonListe* keys = SelectedKeys();
  const int row = LKeys->currentRow();
  if (!keys || row < 0 || static_cast<size_t>(row) >= keys->Count()) return;
  if (MessageDlg(this, TranslatedText("Wollen Sie die ausgewählte Funktionstaste wirklich löchen?"), TranslatedText("Bestätigung"),
                 MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
    return;
  TFunktButton* key = &(*keys)[static_cast<size_t>(row)];
  fDisplay.NObserver.RemoveJump(key->Funktion.ZielBildschirm, key);
  keys->Remove(key);
  fDisplay.Modified = true;
  FillKeyList();
  ShowEntry();
  LFree->parentWidget()->setEnabled(false);
}

// ------------------------------------------------------------------------------------------------

TZustNeu::TZustNeu(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Neue Zustände"));
  FitTitle(this);
  auto* form = new QFormLayout(this);
  EOn = new QLineEdit;
  EOn->setMaxLength(40);
  EOff = new QLineEdit;
  EOff->setMaxLength(40);
  form->addRow(TranslatedText("Zustandstext für \"Ein\":"), EOn);
  form->addRow(TranslatedText("Zustandstext für \"Aus\":"), EOff);
  form->addRow(OkCancel(this, TranslatedText("Übernehmen")));
}

TPEinstellungen::TPEinstellungen(TDisplayObjekt& display, QWidget* parent)
    : QDialog(parent), fDisplay(display) {
  setWindowTitle(TranslatedText("Variableneinstellungen"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(TranslatedText("Zustandsdefinitionen:")));
  LPairs = new QListWidget;
  layout->addWidget(LPairs);
  auto* row = new QHBoxLayout;
  BAdd = new QPushButton(TranslatedText("Zustände hinzufügen..."));
  BDelete = new QPushButton(TranslatedText("Zustände löschen"));
  row->addWidget(BAdd);
  row->addWidget(BDelete);
  layout->addLayout(row);
  auto* form = new QFormLayout;
  CBDefault = new QComboBox;
  form->addRow(TranslatedText("Standard beim Erzeugen"), CBDefault);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
  AskNewPair = [this](std::string& on, std::string& off) {
    TZustNeu dialog(this);
    if (dialog.exec() != QDialog::Accepted) return false;
    on = A(dialog.EOn->text());
    off = A(dialog.EOff->text());
    return true;
  };
  connect(LPairs, &QListWidget::currentRowChanged, this, [this](int) { UpdateDelete(); });
  connect(BAdd, &QPushButton::clicked, this, &TPEinstellungen::AddPair);
  connect(BDelete, &QPushButton::clicked, this, &TPEinstellungen::DeleteSelected);
  Fill();
  CBDefault->setCurrentIndex(std::clamp(display.DefaultZustand, 0, CBDefault->count() - 1));
}

TPEinstellungen::~TPEinstellungen() = default;

void TPEinstellungen::Fill() {
  const int keep = CBDefault->currentIndex();
  LPairs->clear();
  CBDefault->clear();
  for (size_t i = 0; i < fDisplay.ZustandsListe.Count(); ++i) {
    const TZustand& z = fDisplay.ZustandsListe[i];
    const QString caption = ToQString(z.EinText) + QStringLiteral(" / ") + ToQString(z.AusText);
    LPairs->addItem(caption);
    CBDefault->addItem(caption);
  }
  CBDefault->setCurrentIndex(std::clamp(keep, 0, CBDefault->count() - 1));
  UpdateDelete();
}

void TPEinstellungen::UpdateDelete() { BDelete->setEnabled(CanDeleteZustand(fDisplay, LPairs->currentRow())); }

void TPEinstellungen::AddPair() {
  std::string on, off;
  if (!AskNewPair(on, off)) return;
  fDisplay.ZustandsListe.Add(on, off);
  fDisplay.Modified = true;
  Fill();
}

void TPEinstellungen::DeleteSelected() {
  const int row = LPairs->currentRow();
  const int chosenDefault = CBDefault->currentIndex();
  if (!DeleteZustand(fDisplay, row)) return;
  Fill();
  // The default choice follows its pair; a deleted default falls back to the first pair.
  CBDefault->setCurrentIndex(chosenDefault > row ? chosenDefault - 1 : chosenDefault == row ? 0 : chosenDefault);
}

void TPEinstellungen::accept() {
  fDisplay.DefaultZustand = std::max(CBDefault->currentIndex(), 0);
  QDialog::accept();
}


// ------------------------------------------------------------------------------------------------

TDlgNewLine::TDlgNewLine(TLine& line, QWidget* parent) : QDialog(parent), fLine(line) {
  setWindowTitle(TranslatedText("Neue Linie zeichnen"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto make = [](const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(3);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
  };
  EXs = make("EXs");
  EYs = make("EYs");
  EXe = make("EXe");
  EYe = make("EYe");
  grid->addWidget(new QLabel(TranslatedText("Startpunkt:")), 0, 0);
  grid->addWidget(new QLabel(TranslatedText("X:")), 0, 1);
  grid->addWidget(EXs, 0, 2);
  grid->addWidget(new QLabel(TranslatedText("Y:")), 0, 3);
  grid->addWidget(EYs, 0, 4);
  grid->addWidget(new QLabel(TranslatedText("Endpunkt:")), 1, 0);
  grid->addWidget(new QLabel(TranslatedText("X:")), 1, 1);
  grid->addWidget(EXe, 1, 2);
  grid->addWidget(new QLabel(TranslatedText("Y:")), 1, 3);
  grid->addWidget(EYe, 1, 4);
  layout->addLayout(grid);
  RBVertical = new QRadioButton(TranslatedText("vertikal"));
  RBHorizontal = new QRadioButton(TranslatedText("horizontal"));
  RBVertical->setChecked(true);
  auto* row = new QHBoxLayout;
  row->addWidget(RBVertical);
  row->addWidget(RBHorizontal);
  layout->addLayout(row);
  layout->addWidget(OkCancel(this, TranslatedText("Linie erstellen")));

  if (line.Breite != 0 || line.Hoehe != 0) {
    (line.Breite < 2 ? RBVertical : RBHorizontal)->setChecked(true);
    fCoupling = true;
    EXs->setText(QString::number(line.X + 1));
    EXe->setText(QString::number(line.X + line.Breite));
    EYs->setText(QString::number(line.Y + 1));
    EYe->setText(QString::number(line.Y + line.Hoehe));
    fCoupling = false;
  }
  for (QLineEdit* e : {EXs, EYs, EXe, EYe}) connect(e, &QLineEdit::textEdited, this, [this, e] { Edited(e); });
  connect(RBVertical, &QRadioButton::toggled, this, [this](bool on) {
    if (on) EXe->setText(EXs->text());
  });
  connect(RBHorizontal, &QRadioButton::toggled, this, [this](bool on) {
    if (on) EYe->setText(EYs->text());
  });
}

void TDlgNewLine::Edited(QLineEdit* edit) {
  if (fCoupling) return;
  const bool isX = edit == EXs || edit == EXe;
  const int limit = isX ? 240 : 104;
  if (!edit->text().isEmpty() && edit->text().toInt() > limit) {
    MessageDlg(this,
               TranslatedText(isX ? "Wert liegt ausserhalb des zulässigem Bereichs: 1 bis 240"
                     : "Wert liegt ausserhalb des zulässigem Bereichs: 1 bis 104"),
               TranslatedText("Hinweis"), MB_OK | MB_ICONINFORMATION);
    edit->clear();
  }
  fCoupling = true;
  if (RBVertical->isChecked() && isX) (edit == EXs ? EXe : EXs)->setText(edit->text());
  if (RBHorizontal->isChecked() && !isX) (edit == EYs ? EYe : EYs)->setText(edit->text());
  fCoupling = false;
}

void TDlgNewLine::accept() {
  for (QLineEdit* e : {EXs, EYs, EXe, EYe})
    if (e->text().isEmpty()) {
      MessageDlg(this, TranslatedText("Zum Zeichen der Linie müssen alle Koordinatenfelder gültig belegt sein!"), TranslatedText("Hinweis"),
                 MB_OK | MB_ICONINFORMATION);
      return;
    }
  SetLineFromPoints(fLine, RBVertical->isChecked(), EXs->text().toInt(), EYs->text().toInt(), EXe->text().toInt(),
                    EYe->text().toInt());
  QDialog::accept();
}

// ------------------------------------------------------------------------------------------------

TSZeichen::TSZeichen(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Sonderzeichen einfügen"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setSpacing(1);
  for (int i = 0; i < 40; ++i) {
    auto* b = new QToolButton;
    b->setCheckable(true);
    b->setAutoRaise(false);
    b->setIconSize(QSize(32, 32));
    if (i < 32) {
      QImage icon(16, 16, QImage::Format_RGB32);
      icon.fill(Qt::white);
      QPainter p(&icon);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x)
          if (GlyphPixel(95 + i, x, y)) p.fillRect(1 + 2 * x, 2 * y, 2, 2, Qt::black);
      p.end();
      b->setIcon(QIcon(QPixmap::fromImage(icon)));
      b->setToolTip(ToQString(std::string(1, static_cast<char>(SpecialCharCodes[static_cast<size_t>(i)]))));
      connect(b, &QToolButton::clicked, this, [this, b] {
        for (QToolButton* other : Buttons) other->setChecked(other == b);
      });
    } else {
      b->setEnabled(false);
    }
    grid->addWidget(b, i / 8, i % 8);
    Buttons.push_back(b);
  }
  layout->addLayout(grid);
  layout->addWidget(OkCancel(this));
}

int TSZeichen::Choice() const {
  for (size_t i = 0; i < 32; ++i)
    if (Buttons[i]->isChecked()) return SpecialCharCodes[i];
  return -1;
}

}  // namespace zyn
