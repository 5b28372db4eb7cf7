#include "display/ui/EditText.h"

#include "display/DispObjekt.h"
#include "display/DispOperations.h"
#include "display/DisplayProjekt.h"
#include "display/ui/DesignerDialogs.h"
#include "logic/GlobalFuncs.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/common/WidgetText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zyn {

TTextedit::TTextedit(TDisplayObjekt& display, TBildschirm& screen, TText& text, QWidget* parent)
    : TObjectDialog(display, screen, text, parent), fText(text) {
  setWindowTitle(TranslatedText("Textobjekteigenschaften bearbeiten"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs);

  auto* page = new QWidget;
  auto* pl = new QVBoxLayout(page);
  pl->addWidget(new QLabel(TranslatedText("Textattribut bearbeiten:")));
  auto* row = new QHBoxLayout;
  EText = new QLineEdit(ToQString(text.Text));
  EText->setMaxLength(std::max(AvailableColumns(screen, text, 240), 0));
  EText->setText(ToQString(text.Text));
  InstallSpecialCharKey(EText);
  BSpecial = new QPushButton(TranslatedText("Sonderzeichen..."));
  row->addWidget(EText);
  row->addWidget(BSpecial);
  pl->addLayout(row);
  CBAddScreen = new QCheckBox(TranslatedText("Bildschirm hinzufügen"));
  EScreenName = new QLineEdit;
  EScreenName->setPlaceholderText(TranslatedText("Bildschirmbezeichnung"));
  EScreenName->setVisible(false);
  LMenuNote = new QLabel(TranslatedText("Zur zugeordneten Bildschirmliste einen weiteren"));
  LMenuNote->setVisible(!text.Unterbildschirme.Empty());
  pl->addWidget(LMenuNote);
  pl->addWidget(CBAddScreen);
  pl->addWidget(EScreenName);
  auto* keys = new QGroupBox(TranslatedText("Funktionstasten"));
  auto* grid = new QGridLayout(keys);
  for (int k = 0; k < 4; ++k) {
    CBKey[k] = new QCheckBox(QStringLiteral("F%1").arg(k + 1));
    EKey[k] = new QLineEdit;
    EKey[k]->setMaxLength(8);
    InstallSpecialCharKey(EKey[k]);
    grid->addWidget(CBKey[k], k, 0);
    grid->addWidget(new QLabel(TranslatedText("Beschriftung:")), k, 1);
    grid->addWidget(EKey[k], k, 2);
    connect(CBKey[k], &QCheckBox::toggled, this, [this, k](bool on) { KeyToggled(k, on); });
  }
  pl->addWidget(keys);
  // Taller pages of the other tabs leave their room below the fields, not between them.
  pl->addStretch(1);
  Tabs->addTab(page, TranslatedText("Textobjekt"));
  Tabs->addTab(MakeFunctionLists("Verfügbare E-/A- Funktionen", "Verfügbare Funktionsbuttons",
                                 "Definierte Eingangsfunktionen", "Funktion löschen"),
               TranslatedText("Eingangssimulation"));
  Tabs->addTab(MakeLinkPage(), TranslatedText("Zuordnung"));
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  box->button(QDialogButtonBox::Cancel)->setText(TranslatedText("Abbrechen"));
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);

  fUpdating = true;
  auto show = [this](const TButtonListe& list) {
    for (size_t i = 0; i < list.Count(); ++i) {
      const int k = list[i].KeyNumber() >= 0 ? list[i].KeyNumber() : 3;
      CBKey[k]->setChecked(true);
      CBKey[k]->setEnabled(false);
      EKey[k]->setText(ToQString(list[i].Label1->Text));
      EKey[k]->setEnabled(false);
    }
  };
  show(screen.DefaultButtons);
  show(text.Buttons);
  if (!text.Unterbildschirme.Empty())
    for (int k = 0; k < 4; ++k) {
      CBKey[k]->setEnabled(false);
      EKey[k]->setEnabled(false);
    }
  fUpdating = false;

  if (text.Link && text.Link->KanalTyp == TKanalTyp::otEingang) FillCommands(true);
  FillKeys();
  connect(BSpecial, &QPushButton::clicked, this, [this] { AppendSpecialChar(EText); });
  connect(CBAddScreen, &QCheckBox::toggled, this, &TTextedit::AddScreenToggled);
  connect(BDeleteFunction, &QPushButton::clicked, this, &TTextedit::DeleteFunction);
}

TTextedit::~TTextedit() = default;

void TTextedit::FillKeys() {
  FillKeyLists([](const TFunktButton& key) { return key.Funktion.Funktion == fkEingangEmu; });
}

void TTextedit::AssignCommand(int commandRow, int keyRow) {
  QListWidgetItem* command = LCommands->item(commandRow);
  QListWidgetItem* free = LFree->item(keyRow);
  if (!command || !free || !fText.Link) return;
  auto key = std::make_unique<TFunktButton>(KeyNameOf(free->text()));
  key->Label1->Text = AskLabel(free->text());
  const std::string commandName = FromQString(command->text());
  key->Funktion.Text = FromQString(free->text()) + " : " + commandName;
  key->Funktion.Funktion = fkEingangEmu;
  key->Funktion.BefehlsArt = 0;
  if (fText.Link->KanalTyp == TKanalTyp::otEingang) {
    TKanal* channel = LinkedChannel();
    TEAFunctionList* list = channel ? FindCommandList(channel->BefehlsListe) : nullptr;
    const TEABaseFunction* f = list ? list->FindByDisplayName(commandName) : nullptr;
    if (!f) return;
    BuildInputTelegram(*fText.Link, f->Command, key->Funktion);
  }
  fText.Buttons.Add(std::move(key));
  fDisplay.Modified = true;
  FillKeys();
}

void TTextedit::DeleteFunction() {
  QListWidgetItem* item = LDefined->currentItem();
  if (!item) return;
  const std::string text = FromQString(item->text());
  const size_t blank = text.find(' ');
  if (blank == std::string::npos) return;
  if (TFunktButton* key = fText.Buttons.Find(text.substr(blank + 1, 2))) {
    fText.Buttons.Remove(key);
    fDisplay.Modified = true;
  }
  FillKeys();
}

void TTextedit::Propose(int k, bool checkIt) {
  fUpdating = true;
  if (checkIt) CBKey[k]->setChecked(true);
  EKey[k]->setText(TranslatedText(k == 1 ? "F2 Enter" : "F3 Enter"));
  fProposed = k == 1 ? "F2" : "F3";
  fUpdating = false;
}

void TTextedit::DropProposal() {
  if (fProposed.empty()) return;
  const int k = fProposed == "F2" ? 1 : 2;
  fUpdating = true;
  CBKey[k]->setChecked(false);
  EKey[k]->clear();
  fUpdating = false;
  fProposed.clear();
}

void TTextedit::AddScreenToggled(bool on) {
  if (on) {
    EScreenName->setVisible(true);
    EScreenName->setText(ToQString(ProposedMenuScreenName(fText)));
    EScreenName->setFocus();
    if (fText.Unterbildschirme.Empty()) {
      if (CBKey[2]->isChecked()) {
        if (!CBKey[1]->isChecked()) Propose(1, true);
      } else {
        Propose(2, true);
      }
    }
    return;
  }
  EScreenName->setVisible(false);
  EScreenName->clear();
  DropProposal();
}

void TTextedit::KeyToggled(int k, bool on) {
  if (fUpdating || (k != 1 && k != 2)) return;
  const std::string name = k == 1 ? "F2" : "F3";
  if (on) {
    DropProposal();
    Propose(k, false);
  } else if (fProposed == name) {
    fProposed.clear();
  }
}

void TTextedit::accept() {
  // An emptied text is deleted by the designer; its menu pages would go with it.
  if (EText->text().isEmpty() && !ConfirmMenuDeletion(this, fText)) return;
  const bool addScreen = CBAddScreen->isChecked() && (CBKey[1]->isChecked() || CBKey[2]->isChecked());
  if (addScreen) {
    if (EScreenName->text().isEmpty()) {
      MessageDlg(this, TranslatedText("Bitte geben Sie eine Bildschirmbezeichnung ein "), TranslatedText("Warnung"),
                 MB_OK | MB_ICONWARNING);
      return;
    }
    const bool firstPage = fText.Unterbildschirme.Empty();
    if (firstPage && fProposed.empty()) {
      MessageDlg(this,
                 TranslatedText("Geben Sie bitte die Tastendefinition ein mit der in den ") + QStringLiteral("\r\n") +
                     TranslatedText(" erstellten Bildschirm gewechselt werden kann ! "),
                 TranslatedText("Hinweis"), MB_OK | MB_ICONINFORMATION);
      return;
    }
    std::string forward, back;
    GetDisplayNavTexts(forward, back);
    const int k = fProposed == "F2" ? 1 : 2;
    TDispUniqueNames fallback;
    TDispUniqueNames& names = fDisplay.Projekt ? fDisplay.Projekt->DispUniqueNames : fallback;
    // The text first, so the new page's name and the entry key refer to the edited text.
    const std::string oldText = fText.Text;
    fText.Text = FromQString(EText->text());
    TBildschirm* page = AddMenuPage(fDisplay, names, fScreen, fText, FromQString(EScreenName->text()),
                                    firstPage ? fProposed : std::string(), FromQString(EKey[k]->text()), back, forward);
    if (!page) {
      fText.Text = oldText;
      MessageDlg(
          this,
          TranslatedText(
              firstPage
                  ? "Die Taste für den Wechsel in den neuen Bildschirm ist schon belegt."
                  : "Jede Seite dieses Menüs hat schon eine Taste F4: eine weitere Seite kann nicht angehängt werden."),
          TranslatedText("Hinweis"), MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
  fText.Text = FromQString(EText->text());
  fText.Laenge = static_cast<uint8_t>(fText.Text.size());
  fText.Breite = static_cast<uint8_t>(6 * fText.Text.size());
  fDisplay.Modified = true;
  QDialog::accept();
}

}  // namespace zyn
