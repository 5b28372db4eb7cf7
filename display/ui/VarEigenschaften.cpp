#include "display/ui/VarEigenschaften.h"

#include "display/DispObjekt.h"
#include "display/DispOperations.h"
#include "display/ui/DesignerDialogs.h"
#include "logic/GlobalFuncs.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/Verbindung.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "widgets/common/WidgetText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {

// The THEN parameter of the link as the key telegram takes it.
TTelegrammParameter ParameterOf(const TVerbindung& link) {
  const auto& h = link.Header();
  TTelegrammParameter p;
  p.Kind = link.TargetParamMode();
  p.PriorityMask = h[330];
  p.ReservedBit = h[331] != 0;
  p.FlagBit = h[332] != 0;
  p.Value = link.TargetParam();
  for (size_t i = 0; i < p.Block.size(); ++i) p.Block[i] = h[337 + i];
  return p;
}

}  // namespace

TVarOptionen::TVarOptionen(TDisplayObjekt& display, TBildschirm& screen, TZustandVar& variable, QWidget* parent)
    : TObjectDialog(display, screen, variable, parent), fVariable(variable) {
  setWindowTitle(TranslatedText("Variableneigenschaften"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs);
  Tabs->addTab(MakeLinkPage(), TranslatedText("&Zuordnungseigenschaften"));
  auto* functions = new QWidget;
  auto* fl = new QVBoxLayout(functions);
  auto* form = new QFormLayout;
  CBPairs = new QComboBox;
  form->addRow(TranslatedText("Zugeordnete Zustandsbeschreibung:"), CBPairs);
  fl->addLayout(form);
  fl->addWidget(MakeFunctionLists("Verfügbare E-/A-Funktionen",
                                  "Verfügbare Funktionsbuttons:", "Definierte Funktionen:", "Funktion &löschen"));
  Tabs->addTab(functions, TranslatedText("&Funktionen"));
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  box->button(QDialogButtonBox::Cancel)->setText(TranslatedText("Abbrechen"));
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);
  connect(BDeleteFunction, &QPushButton::clicked, this, &TVarOptionen::DeleteFunction);

  for (size_t i = 0; i < display.ZustandsListe.Count(); ++i)
    CBPairs->addItem(ToQString(display.ZustandsListe[i].EinText) + QStringLiteral(" / ") +
                     ToQString(display.ZustandsListe[i].AusText));
  CBPairs->setCurrentIndex(variable.ZustandIndex);
  if (variable.Link && variable.Link->KanalTyp == TKanalTyp::otAusgang) FillCommands(false);
  FillKeys();
}

TVarOptionen::~TVarOptionen() = default;

void TVarOptionen::FillKeys() {
  FillKeyLists([](const TFunktButton&) { return true; });
}

void TVarOptionen::AssignCommand(int commandRow, int keyRow) {
  QListWidgetItem* command = LCommands->item(commandRow);
  QListWidgetItem* free = LFree->item(keyRow);
  if (!command || !free || !fVariable.Link) return;
  const TVarVerbindung& link = *fVariable.Link;
  const bool output = link.KanalTyp == TKanalTyp::otAusgang;
  auto key = std::make_unique<TFunktButton>(KeyNameOf(free->text()));
  key->Label1->Text = AskLabel(free->text());
  std::string parameterText;
  const std::string commandName = FromQString(command->text());
  if (output) {
    TKanal* channel = LinkedChannel();
    if (!channel || !GBasisDaten) return;
    TVerbindung temp;
    TEAFunctionList* list = FindCommandList(channel->BefehlsListe);
    const TEABaseFunction* f = list ? list->FindByDisplayName(commandName) : nullptr;
    if (!f) return;
    temp.Target().SetFunctionName(f->InternalName);
    EditLinkParameters(*channel, temp, lsThen);
    const TTelegrammParameter parameter = ParameterOf(temp);
    if (temp.HasTargetParam() && parameter.Kind == 8) {
      // Twelve telegram bytes do not fit into a key record.
      MessageDlg(
          this,
          TranslatedText("Befehle mit diesem Parameter können keiner Funktionstaste des Displays zugeordnet werden."),
          TranslatedText("Hinweis"), MB_OK | MB_ICONWARNING);
      return;
    }
    BuildOutputTelegram(link, f->Command, temp.HasTargetParam() ? &parameter : nullptr, key->Funktion);
    parameterText = LinkParameterText(temp, lsThen, false);
    key->Funktion.Funktion = fkAusgang;
    key->Funktion.BefehlsArt = BefehlsArtOf(f->Command);
  }
  key->Funktion.Text = FromQString(free->text()) + " : " + commandName + " " + parameterText;
  fVariable.Buttons.Add(std::move(key));
  fDisplay.Modified = true;
  FillKeys();
}

void TVarOptionen::DeleteFunction() {
  QListWidgetItem* item = LDefined->currentItem();
  if (!item) return;
  const std::string text = FromQString(item->text());
  for (size_t i = 0; i < fVariable.Buttons.Count(); ++i)
    if (fVariable.Buttons[i].Funktion.Text == text) {
      fVariable.Buttons.Remove(&fVariable.Buttons[i]);
      fDisplay.Modified = true;
      break;
    }
  FillKeys();
}

void TVarOptionen::accept() {
  if (CBPairs->currentIndex() != fVariable.ZustandIndex &&
      ApplyZustandPair(fDisplay, fScreen, fVariable, CBPairs->currentIndex()))
    fDisplay.Modified = true;
  QDialog::accept();
}

}  // namespace zyn
