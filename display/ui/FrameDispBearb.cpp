#include "display/ui/FrameDispBearb.h"

#include "model/ModelText.h"
#include "display/DisplayProjekt.h"
#include "logic/core/LogicText.h"
#include "model/GlobalRoutines.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/MessageHandler.h"
#include "widgets/common/WidgetText.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {
const char* const kPage = "FrDispBearb";
}  // namespace

TFrDispBearb::TFrDispBearb(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kPage));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto button = [&](QToolButton*& b, const char* caption) {
    b = new QToolButton;
    b->setText(TranslatedText(caption));
    b->setToolTip(TranslatedText(caption));
    bar->addWidget(b);
  };
  button(BAdd, "Hinzufügen");
  button(BDelete, "Löschen");
  button(BOK, "Übernehmen");
  button(BCancel, "Abbrechen");
  CBExpanded = new QCheckBox(TranslatedText("Outlookbar automatisch ausblenden"));
  bar->addStretch();
  bar->addWidget(CBExpanded);
  layout->addLayout(bar);
  auto* splitter = Splitter = new QSplitter;
  GDisplays = new QGroupBox;
  auto* gl = new QVBoxLayout(GDisplays);
  Tree = new QTreeWidget;
  Tree->setHeaderHidden(true);
  gl->addWidget(Tree);
  splitter->addWidget(GDisplays);
  auto* data = new QGroupBox(TranslatedText("Displaydaten"));
  auto* form = new QFormLayout(data);
  EName = new QLineEdit;
  CBAddress = new QComboBox;
  Dip = new TZYNDipswitch;
  Dip->setObjectName(QStringLiteral("Dip"));
  // Display addresses count their switches from 0; the picture keeps its drawn size, a layout
  // would squash it to a line.
  Dip->SetDipCount(5);
  Dip->SetStyle(dsozyn);
  Dip->SetCounterStart(0);
  Dip->setFixedSize(Dip->size());
  MNotes = new QPlainTextEdit;
  form->addRow(TranslatedText("Bezeichnung:"), EName);
  auto* address = new QHBoxLayout;
  address->addWidget(CBAddress);
  address->addWidget(Dip);
  address->addStretch(1);
  form->addRow(TranslatedText("Adresse:"), address);
  form->addRow(TranslatedText("Notizen:"), MNotes);
  splitter->addWidget(data);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);

  connect(BAdd, &QToolButton::clicked, this, &TFrDispBearb::AddDisplay);
  connect(BDelete, &QToolButton::clicked, this, &TFrDispBearb::DeleteDisplay);
  connect(BOK, &QToolButton::clicked, this, &TFrDispBearb::Apply);
  connect(BCancel, &QToolButton::clicked, this, &TFrDispBearb::CancelEdits);
  connect(Tree, &QTreeWidget::currentItemChanged, this, [this] { ShowSelected(); });
  connect(EName, &QLineEdit::textEdited, this, [this](const QString& text) {
    TDisplayObjekt* d = Selected();
    if (fGuard || !d) return;
    d->DisplayName = FromQString(text);
    Tree->currentItem()->setText(0, NodeCaption(*d, false));
    Changed();
  });
  connect(Tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    TDisplayObjekt* d = Selected();
    if (fGuard || !d || item != Tree->currentItem()) return;
    const QString text = item->text(0);
    if (text == NodeCaption(*d, false) || text == NodeCaption(*d, true)) return;
    d->DisplayName = FromQString(text);
    fGuard = true;
    EName->setText(text);
    item->setText(0, NodeCaption(*d, true));
    fGuard = false;
    Changed();
  });
  connect(MNotes, &QPlainTextEdit::textChanged, this, [this] {
    TDisplayObjekt* d = Selected();
    if (fGuard || !d) return;
    d->Notizen = FromQString(MNotes->toPlainText());
    Changed();
  });
  connect(CBAddress, &QComboBox::activated, this, [this](int) {
    TDisplayObjekt* d = Selected();
    if (fGuard || !d) return;
    int number = 0;
    try {
      number = ParseNumberAfterDot(FromQString(CBAddress->currentText()));
    } catch (const std::exception&) {
      return;
    }
    fCopy->Adressen.SetUsed(d->Adresse & 15, false);
    d->Adresse = (d->Adresse & 16) | (number & 15);
    fCopy->Adressen.SetUsed(number & 15, true);
    Dip->SetValue(d->Adresse & 15);
    fGuard = true;
    Tree->currentItem()->setText(0, NodeCaption(*d, false));
    fGuard = false;
    Changed();
  });
  connect(CBExpanded, &QCheckBox::toggled, this, [](bool on) {
    SetFrameOption(kPage, 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
  ClearFields();
}

TFrDispBearb::~TFrDispBearb() = default;

QString TFrDispBearb::NodeCaption(const TDisplayObjekt& display, bool dotted) const {
  const std::string pattern = ModelTranslate(dotted ? "DSP.%2.2d-%s" : "DSP %2.2d-%s");
  return ToQString(FormatText(FormatNumbers(pattern, {display.Adresse}), {display.DisplayName}));
}

TDisplayObjekt* TFrDispBearb::Selected() const {
  QTreeWidgetItem* item = Tree->currentItem();
  if (!item || !fCopy) return nullptr;
  return fCopy->Find(FromQString(item->data(0, Qt::UserRole).toString()));
}

void TFrDispBearb::FrameActivate() {
  fGuard = true;
  CBExpanded->setChecked(GetFrameOption(kPage, 0));
  fGuard = false;
  const int treeWidth = GetFrameTreeWidth(kPage);
  Splitter->setSizes({treeWidth, std::max(Splitter->width() - treeWidth, 1)});
  Fill();
}

void TFrDispBearb::Fill() {
  fGuard = true;
  if (!fCopy) fCopy = std::make_unique<TDisplayProjekt>();
  if (GProjekt) fCopy->CopyFrom(GProjekt->DisplayProjekt());
  Tree->clear();
  for (size_t i = 0; i < fCopy->Count(); ++i) {
    auto* item = new QTreeWidgetItem(Tree, QStringList(NodeCaption((*fCopy)[i], false)));
    item->setData(0, Qt::UserRole, ToQString((*fCopy)[i].InternalName));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  Tree->setEnabled(Tree->topLevelItemCount() > 0);
  fGuard = false;
  if (Tree->topLevelItemCount() > 0)
    Tree->setCurrentItem(Tree->topLevelItem(0));
  else
    ClearFields();
  fModified = false;
  UpdateButtons();
}

void TFrDispBearb::UpdateButtons() {
  const size_t count = fCopy ? fCopy->Count() : 0;
  BAdd->setEnabled(fCopy && fCopy->Adressen.FindFree() >= 0);
  BDelete->setEnabled(count > 0);
  BOK->setEnabled(fModified);
  BCancel->setEnabled(fModified);
  GDisplays->setTitle(QStringLiteral(" ") +
                      ToQString(FormatNumbers(ModelTranslate("Displays (%3.3d/%3.3d)") + " ", {static_cast<long long>(count), 1})));
}

void TFrDispBearb::ClearFields() {
  fGuard = true;
  EName->clear();
  MNotes->clear();
  CBAddress->clear();
  Dip->SetValue(0);
  for (QWidget* w : std::initializer_list<QWidget*>{EName, MNotes, CBAddress}) w->setEnabled(false);
  fGuard = false;
}

void TFrDispBearb::ShowSelected() {
  TDisplayObjekt* d = Selected();
  if (!d) return;
  fGuard = true;
  EName->setText(ToQString(d->DisplayName));
  MNotes->setPlainText(ToQString(d->Notizen));
  CBAddress->clear();
  for (int a = fCopy->Adressen.MinAddress; a <= fCopy->Adressen.MaxAddress; ++a)
    if (!fCopy->Adressen.IsUsed(a) || a == (d->Adresse & 15))
      CBAddress->addItem(ToQString(FormatObjectName(ModelTranslate("DSP"), a, 2)));
  CBAddress->setCurrentIndex(CBAddress->findText(ToQString(FormatNumbers(ModelTranslate("DSP.%2.2d"), {d->Adresse & 15}))));
  for (QWidget* w : std::initializer_list<QWidget*>{EName, MNotes, CBAddress}) w->setEnabled(true);
  Dip->SetValue(d->Adresse & 15);
  fGuard = false;
}

void TFrDispBearb::Changed() {
  fModified = true;
  UpdateButtons();
}

void TFrDispBearb::AddDisplay() {
  if (!fCopy) return;
  TDisplayObjekt* d = fCopy->AddNewDisplay();
  if (!d) return;
  fGuard = true;
  auto* item = new QTreeWidgetItem(Tree, QStringList(NodeCaption(*d, true)));
  item->setData(0, Qt::UserRole, ToQString(d->InternalName));
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  Tree->setEnabled(true);
  fGuard = false;
  Tree->setCurrentItem(item);
  Changed();
}

void TFrDispBearb::DeleteDisplay() {
  TDisplayObjekt* d = Selected();
  if (!d) return;
  const std::string question = FormatText(ModelTranslate("Soll das Display \"%s\" wirklich gelöscht werden"), {d->DisplayName});
  if (MessageDlg(this, ToQString(question), TranslatedText("Bestätigung"), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  fGuard = true;
  delete Tree->currentItem();
  fCopy->Remove(d);
  fGuard = false;
  if (Tree->topLevelItemCount() == 0) {
    ClearFields();
    Tree->setEnabled(false);
  } else {
    ShowSelected();
  }
  Changed();
}

int TFrDispBearb::AskApplyChanges() {
  if (!fModified) return 6;
  const QString text =
      TranslatedText("Die Displaydaten wurden geändert.") + QStringLiteral("\r") + TranslatedText("Sollen die Änderungen übernommen werden?");
  const int answer = MessageDlg(this, text, TranslatedText("Bestätigung"), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES && GProjekt && fCopy) {
    fCopy->MergeInto(GProjekt->DisplayProjekt());
    GProjekt->Modified = true;
    NotifyProjectChanged();
  }
  if (answer == IDYES || answer == IDNO) {
    fModified = false;
    UpdateButtons();
  }
  return answer;
}

void TFrDispBearb::Apply() {
  if (!GProjekt || !fCopy) return;
  fCopy->MergeInto(GProjekt->DisplayProjekt());
  fModified = false;
  GProjekt->Modified = true;
  UpdateButtons();
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
}

void TFrDispBearb::CancelEdits() {
  if (AskApplyChanges() == 2) return;
  ClearFields();
  if (fCopy) fCopy->Clear();
  Fill();
  if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
}

void TFrDispBearb::FrameDeactivate() {
  if (AskApplyChanges() != 2) {
    ClearFields();
    SetFrameTreeWidth(kPage, std::max(GDisplays->width(), 150));
  }
  fCopy.reset();
}

}  // namespace zyn
