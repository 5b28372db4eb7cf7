#include "logic/GlobalFuncs.h"

#include "logic/LogicDialogs.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Verbindung.h"
#include "platform/QtText.h"
#include "project/Global.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zyn {

namespace {

bool AskNewParameter(TEAFunctionList* list, TVerbindung& link, TLinkSide side, int maxKind) {
  const std::string name = side == lsThen ? link.Target().FunctionName() : link.ElseTarget().FunctionName();
  const TEABaseFunction* command = list ? list->GetFunctionByName(name) : nullptr;
  TParameterForm form;
  if (!BeginLinkParameter(link, side, command, maxKind, form)) return true;
  TFrmParameter dialog;
  dialog.Load(form);
  if (RunLogicDialog(dialog) != 1) return false;
  StoreNewParameter(link, side, command->Dialog, command->ParaText, dialog.Store());
  return true;
}

bool AskChange(TVerbindung& link, TLinkSide side) {
  TParameterForm form;
  if (!PrepareChangeParameter(link, side, form)) return false;
  TFrmParameter dialog;
  dialog.Load(form);
  if (RunLogicDialog(dialog) != 1) return false;
  StoreChangedParameter(link, side, dialog.Store());
  return true;
}

}  // namespace

TEAFunctionList* FindCommandList(const std::string& name) {
  if (!GBasisDaten) return nullptr;
  const int index = GBasisDaten->BefehlsListen.IndexOfList(name);
  return index < 0 ? nullptr : GBasisDaten->BefehlsListen.GetList(index);
}

bool EditLinkParameters(const TKanal& target, TVerbindung& link, TLinkSide side) {
  return AskNewParameter(FindCommandList(target.BefehlsListe), link, side, 13);
}

bool EditLinkParametersByList(const std::string& listName, TVerbindung& link, TLinkSide side) {
  return AskNewParameter(FindCommandList(listName), link, side, 11);
}

bool ChangeLinkParameters(TVerbindung& link) { return AskChange(link, lsThen); }
bool ChangeLinkElseParameters(TVerbindung& link) { return AskChange(link, lsElse); }

TEABaseFunction* ChooseOutputFunction(const TKanal& object, const std::string& current, std::string& suffix) {
  const std::string listName =
      dynamic_cast<const TMerker*>(&object) ? std::string("Ausgangsfunktionen Merker") : object.BefehlsListe;
  TEAFunctionList* list = GBasisDaten ? GBasisDaten->BefehlsListen.FindList(listName) : nullptr;
  if (!list) return nullptr;
  TFrmGetFunction dialog;
  dialog.BtnCancel->setVisible(!current.empty());
  dialog.List = list;
  if (!current.empty()) dialog.Chosen = list->FindByDisplayName(current);
  dialog.Fill();
  if (RunLogicDialog(dialog) != 1 || !dialog.Chosen) return nullptr;
  TEABaseFunction* chosen = dialog.Chosen;
  suffix = ":" + (Trim(chosen->OldName).empty() ? chosen->DisplayName : chosen->OldName);
  return chosen;
}

bool EditCommandParameter(const TEABaseFunction& command, uint8_t bytes[2]) {
  TParameterForm form;
  if (!PrepareCommandParameter(command, form)) return false;
  if (form.Page < 0) return true;
  TFrmParameter dialog;
  dialog.Load(form);
  if (RunLogicDialog(dialog) != 1) return false;
  StoreCommandParameter(command.Dialog, dialog.Store(), bytes);
  return true;
}

std::string InputRange() {
  TParameterForm form;
  form.Page = 7;
  TFrmParameter dialog;
  dialog.Load(form);
  if (RunLogicDialog(dialog) != 1) return {};
  return RangeText(dialog.Store());
}

bool InputText(const std::string& caption, const std::string& prompt, std::string& text) {
  TFrmInput dialog;
  dialog.setWindowTitle(ToQString(caption));
  dialog.Label1->setText(ToQString(prompt));
  if (RunLogicDialog(dialog) != 1) return false;
  text = FromQString(dialog.Edit1->text());
  return true;
}

}  // namespace zyn
