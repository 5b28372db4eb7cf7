#include "logic/SmallLogicDialogs.h"

#include "logic/FrmVerbDetail.h"
#include "logic/LinkListView.h"
#include "model/Verbindung.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

QLabel* NamedLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(TranslatedText(text), parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

}  // namespace

// --- "Funktionsverbindungen" ---

TFrmFuncVerb::TFrmFuncVerb(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmFuncVerb"));
  setWindowTitle(TranslatedText("Funktionsverbindungen"));
  setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
  resize(640, 420);
  auto* layout = new QVBoxLayout(this);
  Label1 = NamedLabel("Label1", "Verbindungen der Funktion:", this);
  Label2 = NamedLabel("Label2", "", this);
  auto* head = new QHBoxLayout;
  head->addWidget(Label1);
  head->addWidget(Label2, 1);
  layout->addLayout(head);
  auto* counts = new QHBoxLayout;
  Label4 = NamedLabel("Label4", "Diese Funktion erzeugt", this);
  Label3 = NamedLabel("Label3", "0000", this);
  Label5 = NamedLabel("Label5", "Verbindungen und", this);
  Label6 = NamedLabel("Label6", "0000", this);
  Label7 = NamedLabel("Label7", "logische Verknüpfungen", this);
  for (QLabel* l : {Label4, Label3, Label5, Label6, Label7}) counts->addWidget(l);
  counts->addStretch(1);
  layout->addLayout(counts);
  LVerbindungen = new TLinkList(true, this);
  LVerbindungen->setObjectName(QStringLiteral("LVerbindungen"));
  QFont font = LVerbindungen->font();
  font.setPointSize(10);
  LVerbindungen->setFont(font);
  layout->addWidget(LVerbindungen, 1);
  auto* buttons = new QHBoxLayout;
  BtnPrint = new QPushButton(TranslatedText("Drucken"), this);
  BtnPrint->setVisible(false);
  BtnPrint->setEnabled(false);
  BtnClose = new QPushButton(TranslatedText("Schließen"), this);
  buttons->addStretch(1);
  buttons->addWidget(BtnPrint);
  buttons->addWidget(BtnClose);
  layout->addLayout(buttons);
  connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
  connect(LVerbindungen, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ShowDetails(LVerbindungen->LinkAt(LVerbindungen->row(item))); });
}

void TFrmFuncVerb::AddLink(TVerbindung* link) {
  link->HasValidLogic = link->CheckLogic();
  LVerbindungen->PutLink(link);
}

void TFrmFuncVerb::HideCounters() {
  for (QLabel* l : {Label2, Label3, Label4, Label5, Label6, Label7}) l->setVisible(false);
}

void TFrmFuncVerb::ShowDetails(TVerbindung* link) {
  if (link == nullptr) return;
  TFrmVerbDetail details(this);
  details.Link = link;
  details.Execute();
}

// --- progress windows ---

TFrmCreateVerbindungen::TFrmCreateVerbindungen(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmCreateVerbindungen"));
  setWindowTitle(TranslatedText("Verbindungen erzeugen"));
  setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  Label1 = NamedLabel("Label1", "Erzeuge Verbindungen der Basisprogrammierung", this);
  Label3 = NamedLabel("Label3", "Bearbeite: ", this);
  Label3->setWordWrap(true);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  layout->addWidget(Label1);
  layout->addWidget(Label3);
  layout->addWidget(PB);
  resize(420, 120);
}

TFrmLgPruefung::TFrmLgPruefung(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmLgPruefung"));
  setWindowTitle(TranslatedText("Logikprüfung"));
  auto* layout = new QVBoxLayout(this);
  Label1 = NamedLabel("Label1", "Prüfe Funktion:", this);
  Label2 = NamedLabel("Label2", "", this);
  Label2->setWordWrap(true);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(ProgressBar1);
  resize(420, 120);
}

// --- "Funktionsbezeichnung ändern" ---

TFrmRename::TFrmRename(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmRename"));
  setWindowTitle(TranslatedText("Funktionsbezeichnung ändern"));
  auto* grid = new QGridLayout(this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setReadOnly(true);
  Edit1->setEnabled(false);
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  grid->addWidget(new QLabel(TranslatedText("Aktuelle Bezeichnung:"), this), 0, 0);
  grid->addWidget(Edit1, 0, 1);
  grid->addWidget(new QLabel(TranslatedText("Neue Bezeichnung:"), this), 1, 0);
  grid->addWidget(Edit2, 1, 1);
  auto* buttons = new QHBoxLayout;
  BtnOK = new QPushButton(TranslatedText("OK"), this);
  BtnCancel = new QPushButton(TranslatedText("Abbrechen"), this);
  buttons->addStretch(1);
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  BtnOK->setEnabled(false);
  connect(Edit2, &QLineEdit::textChanged, this,
          [this](const QString& text) { BtnOK->setEnabled(!text.trimmed().isEmpty()); });
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  Edit2->installEventFilter(this);
  Edit2->setFocus();
}

bool TFrmRename::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit2 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (!Edit2->text().trimmed().isEmpty()) accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zyn
