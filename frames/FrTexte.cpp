#include "frames/FrTexte.h"

#include "frames/PageText.h"
#include "model/Anzeigetext.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "widgets/common/Mkedit.h"
#include "widgets/common/STMDisplay.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zyn {

namespace {
const TObjectPageTexts kTexteTexts{"TXT",
                              "Text %3.3d",
                              128,
                              "Texte (%3.3d/%3.3d)",
                              "Die Anzeigetexte wurden geändert.",
                              "Soll der Anzeigetext \"%s\" wirklich gelöscht werden",
                              true,
                              true};

TTextAlignment EditAlignment(int center) {
  return center == 1   ? TTextAlignment::taRightJustify
         : center == 2 ? TTextAlignment::taCenter
                       : TTextAlignment::taLeftJustify;
}
}  // namespace

std::string DisplayLinePreview(const std::string& text, int alignment) {
  const int free = std::max(0, 16 - static_cast<int>(text.size()));
  std::string line = text;
  if (alignment == 1) line = std::string(static_cast<size_t>(free), ' ') + text;
  if (alignment == 2) line = std::string(static_cast<size_t>(free / 2), ' ') + text;
  return line.substr(0, 16);
}

TFrTexte::TFrTexte(QWidget* parent)
    : TListPage(
          "FrTexte", kTexteTexts, &TSteuermodul::Texte, [] { return GTextObserver.get(); }, parent) {
  GList->setObjectName(QStringLiteral("GJListe"));
  Details->setObjectName(QStringLiteral("TDG"));
  Details->setTitle(PageText(" Text Daten "));
  EName->setObjectName(QStringLiteral("BName"));
  MRemarks->setObjectName(QStringLiteral("Memo1"));
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setBold(true);
  auto line = [&](int n, TMKEdit*& edit, QComboBox*& combo) {
    edit = new TMKEdit;
    edit->setObjectName(QStringLiteral("EZ%1").arg(n));
    edit->setMaxLength(16);
    edit->setFont(fixed);
    combo = new QComboBox;
    combo->setObjectName(QStringLiteral("CBZ%1").arg(n));
    for (const char* a : {"linksbündig", "rechtsbündig", "zentriert"}) combo->addItem(PageText(a));
    AddDetailRow(PageText(n == 1 ? "Obere Zeile:" : "Untere Zeile:"), edit);
    AddDetailRow(PageText("Ausrichtung:"), combo);
    connect(edit, &QLineEdit::textEdited, this, [this, n] { LineEdited(n); });
    connect(combo, &QComboBox::currentIndexChanged, this, [this, n] { AlignmentChanged(n); });
  };
  line(1, EZ1, CBZ1);
  line(2, EZ2, CBZ2);
  SD = new TSTMDisplay;
  SD->setObjectName(QStringLiteral("SD"));
  SD->SetSkalierung(1.5);
  SD->setMinimumSize(SD->sizeHint().expandedTo(QSize(240, 70)));
  AddDetailRow(PageText("Vorschau:"), SD);
}

void TFrTexte::Preview(int line) {
  const TAnzeigetext* text = SelectedItem();
  TMKEdit* edit = line == 1 ? EZ1 : EZ2;
  QComboBox* combo = line == 1 ? CBZ1 : CBZ2;
  const std::string shown = text ? DisplayLinePreview(FromQString(edit->text()), combo->currentIndex()) : "";
  if (line == 1)
    SD->SetZeile1(ToQString(shown));
  else
    SD->SetZeile2(ToQString(shown));
}

void TFrTexte::ShowDetails(TZYNBaseObject* object) {
  auto* text = Item(object);
  EZ1->setText(ToQString(Trim(text->Zeile1.Text)));
  EZ2->setText(ToQString(Trim(text->Zeile2.Text)));
  CBZ1->setCurrentIndex(std::clamp(text->Zeile1.Center, 0, 2));
  CBZ2->setCurrentIndex(std::clamp(text->Zeile2.Center, 0, 2));
  EZ1->SetAlignment(EditAlignment(text->Zeile1.Center));
  EZ2->SetAlignment(EditAlignment(text->Zeile2.Center));
  Preview(1);
  Preview(2);
}

void TFrTexte::ClearDetails() {
  if (!EZ1) return;
  EZ1->clear();
  EZ2->clear();
  CBZ1->setCurrentIndex(-1);
  CBZ2->setCurrentIndex(-1);
  SD->SetZeile1(QString());
  SD->SetZeile2(QString());
}

void TFrTexte::LineEdited(int line) {
  TAnzeigetext* text = SelectedItem();
  if (Updating() || !text) return;
  (line == 1 ? text->Zeile1 : text->Zeile2).Text = FromQString((line == 1 ? EZ1 : EZ2)->text());
  Preview(line);
  Changed();
}

void TFrTexte::AlignmentChanged(int line) {
  TAnzeigetext* text = SelectedItem();
  if (Updating() || !text) return;
  QComboBox* combo = line == 1 ? CBZ1 : CBZ2;
  (line == 1 ? text->Zeile1 : text->Zeile2).Center = combo->currentIndex();
  (line == 1 ? EZ1 : EZ2)->SetAlignment(EditAlignment(combo->currentIndex()));
  Preview(line);
  Changed();
}

}  // namespace zyn
