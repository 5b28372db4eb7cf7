#include "display/ui/ObjectDialog.h"

#include "display/DispObjekt.h"
#include "display/ui/DesignerDialogs.h"
#include "model/BasisDaten.h"
#include "model/Kanal.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "widgets/common/WidgetText.h"

#include <QDragEnterEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace zyn {

TKeyDropList::TKeyDropList(QWidget* parent) : QListWidget(parent) {
  setAcceptDrops(true);
  setDropIndicatorShown(true);
}

void TKeyDropList::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == Source) event->acceptProposedAction();
}

void TKeyDropList::dragMoveEvent(QDragMoveEvent* event) {
  if (event->source() == Source && itemAt(event->position().toPoint()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TKeyDropList::dropEvent(QDropEvent* event) {
  const QListWidgetItem* key = itemAt(event->position().toPoint());
  if (event->source() != Source || !key || !Source || Source->currentRow() < 0) return;
  event->setDropAction(Qt::CopyAction);
  event->accept();
  const int commandRow = Source->currentRow(), keyRow = row(key);
  // The assignment asks for a label; it runs after the drag has ended.
  QMetaObject::invokeMethod(
      this,
      [this, commandRow, keyRow] {
        if (OnAssign) OnAssign(commandRow, keyRow);
      },
      Qt::QueuedConnection);
}

TObjectDialog::TObjectDialog(TDisplayObjekt& display, TBildschirm& screen, TBasis& object, QWidget* parent)
    : QDialog(parent), fDisplay(display), fScreen(screen), fObject(object) {
  Tabs = new QTabWidget;
}

TObjectDialog::~TObjectDialog() = default;

QWidget* TObjectDialog::MakeLinkPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  auto field = [&](QLineEdit*& edit, const char* caption) {
    edit = new QLineEdit;
    edit->setReadOnly(true);
    form->addRow(TranslatedText(caption), edit);
  };
  field(EStm, "Steuermoduladresse");
  field(EModul, "Moduladresse");
  field(EArt, "Modulart");
  field(EKanalTyp, "Kanaltyp");
  field(EKanal, "Kanaladresse");
  field(EBeschreibung, "Kanalbeschreibung");
  const TVarVerbindung* link = fObject.Link.get();
  if (!link || link->KanalTyp == TKanalTyp::otNone || link->KanalTyp == TKanalTyp::otUnknown) {
    EKanalTyp->setText(QStringLiteral("None"));
  } else {
    EStm->setText(QString::number(link->STMAdresse));
    EModul->setText(QString::number(link->ModulAdresse));
    EArt->setText(QString::number(link->BasisKlasse));
    EKanalTyp->setText(TranslatedText(link->KanalTyp == TKanalTyp::otEingang ? "Eingang" : "Ausgang"));
    EKanal->setText(QString::number(link->Kanal));
    EBeschreibung->setText(ToQString(link->KanalName));
  }
  return page;
}

QWidget* TObjectDialog::MakeFunctionLists(const char* commands, const char* free, const char* defined,
                                          const char* deleteCaption) {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  LCommands = new QListWidget;
  LCommands->setDragEnabled(true);
  LCommands->setDragDropMode(QAbstractItemView::DragOnly);
  LCommands->setToolTip(TranslatedText("Gewünschte Funktion per Drag and Drop  Funktionsbutton zuordnen"));
  LFree = new TKeyDropList;
  LFree->Source = LCommands;
  LFree->OnAssign = [this](int c, int k) { AssignCommand(c, k); };
  LDefined = new QListWidget;
  BDeleteFunction = new QPushButton(TranslatedText(deleteCaption));
  BDeleteFunction->setEnabled(false);
  grid->addWidget(new QLabel(TranslatedText(commands)), 0, 0);
  grid->addWidget(LCommands, 1, 0, 3, 1);
  grid->addWidget(new QLabel(TranslatedText(free)), 0, 1);
  grid->addWidget(LFree, 1, 1);
  grid->addWidget(new QLabel(TranslatedText(defined)), 2, 1);
  grid->addWidget(LDefined, 3, 1);
  grid->addWidget(BDeleteFunction, 4, 1);
  connect(LDefined, &QListWidget::currentRowChanged, this, [this](int row) { BDeleteFunction->setEnabled(row >= 0); });
  return page;
}

TKanal* TObjectDialog::LinkedChannel() const {
  const TVarVerbindung* link = fObject.Link.get();
  if (!GProjekt || !link) return nullptr;
  if (link->KanalTyp == TKanalTyp::otEingang) return GProjekt->FindEingang(link->KanalInternalName);
  if (link->KanalTyp == TKanalTyp::otAusgang) return GProjekt->FindAusgang(link->KanalInternalName);
  return nullptr;
}

void TObjectDialog::FillCommands(bool input) {
  LCommands->clear();
  TKanal* channel = LinkedChannel();
  if (!channel || !GBasisDaten) return;
  for (const std::string& name : FillCommandList(*GBasisDaten, *channel, input)) LCommands->addItem(ToQString(name));
}

QString TObjectDialog::FreeKeyText(int k) {
  return TranslatedText(k == 0 ? "Taste F1" : k == 1 ? "Taste F2" : k == 2 ? "Taste F3" : "Taste F4");
}

std::string TObjectDialog::KeyNameOf(const QString& freeKeyText) {
  for (int k = 0; k < 4; ++k)
    if (FreeKeyText(k) == freeKeyText) return "F" + std::to_string(k + 1);
  return {};
}

void TObjectDialog::FillKeyLists(const std::function<bool(const TFunktButton&)>& defined) {
  LFree->clear();
  LDefined->clear();
  for (int k = 0; k < 4; ++k) {
    const std::string name = "F" + std::to_string(k + 1);
    if (fScreen.DefaultButtons.Find(name)) continue;
    const TFunktButton* key = fObject.Buttons.Find(name);
    if (!key)
      LFree->addItem(FreeKeyText(k));
    else if (defined(*key))
      LDefined->addItem(ToQString(key->Funktion.Text));
  }
  BDeleteFunction->setEnabled(false);
}

std::string TObjectDialog::AskLabel(const QString& preset) {
  QString label = preset;
  PromptKeyLabel(this, label);
  return FromQString(label.isEmpty() ? preset : label);
}

}  // namespace zyn
