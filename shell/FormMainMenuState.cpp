// The enabling rules of the main window's menus, toolbars and side bar, and the side bar's groups
// for the project state. A command whose page or dialog is not part of the programme yet stays
// disabled whatever the rules say.

#include "display/DisplayProjekt.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/FormMain.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cctype>

namespace zyn {

namespace {

// Items that switch to a page, with the page's key.
const std::pair<const char*, const char*> kPageItems[] = {
    {"Steuermodule1", "FrStmBearb"},
    {"Module1", "FrModulBearb"},
    {"Uhren1", "FrTagesUhren"},
    {"Uhren2", "FrWochenUhren"},
    {"Uhren3", "FrJRMUhren"},
    {"Merker1", "FrMerker"},
    {"Texte1", "FrTexte"},
    {"Gruppen1", "FrGruppen"},
    {"POR1", "FrPOR"},
    {"Displaybearbeiten", "FrDispBearb"},
    {"Neu1", "FrNeu"},
    {"Projektdaten1", "FrProjekte"},
    {"Kundendaten1", "FrKunden"},
    {"Transfer", "FrTransfer"},
    {"Basis", "FrBasis"},
    {"Funktion", "FrFunktion"},
    {"BtnDisplayProg", "Display"},
    {"Drucken1", "FrPrintVorschau"},
    {"STMInfo", "FrSTMInfo"},
    {"Auslesen1", "FrSTMListing"},
    {"BtnEditSTMUhren", "FrEditSTMUhren"},
    {"Selbsttest", "FrSelbstTest"},
    {"MonitorfrSteuermodulBus1", "FrSTMMonitor"},
    {"edKennlinie", "FrEditKennlinie"},
    {"Kundendaten2", "FrKunden"},
    {"Allgemein1", "FrOptionen"},
    {"Basisdaten1", "FrBasisDaten"},
    {"zbBarButton2", "FrBrowser"},
    {"Informationen1", "FrKunden"},
    {"mnuEditSTMMerker", "FrmEditSTMMerker"},
    {"mnuFunctionEdit", "FrFunctionEdit"},
};

// Dialogs and commands the programme does not offer yet.
const char* const kUnavailable[] = {"STMTimeTest", "Loeschen", "DelDispFlash", "Inhalt1", "berHilfe1", "Druckereinrichten1"};

bool Blank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

}  // namespace

void TMainForm::UpdateMenuState(bool f) {
  if (fLocked || fDestroying) return;
  const bool p = GProjekt != nullptr;
  const bool m = p && GProjekt->Steuermodule.Count() > 0;
  const bool o = p && GProjekt->GetObjectCount() > 0;
  const bool l = p && GProjekt->GetEingangsCount() > 0 && GProjekt->GetAusgangsCount() > 0;
  const bool d = p && GProjekt->DisplayProjekt().Count() > 0;
  auto set = [this](const char* name, bool enabled) {
    if (TzbBarItem* item = Item(name)) item->SetEnabled(enabled);
  };
  set("Neu1", !p);
  set("ffnen1", !p);
  for (const char* name : {"Speichern1", "Speichernunter1", "Schlieen1", "Steuermodule1", "Displaybearbeiten",
                           "Erstellen", "Transfer", "Auslesen1", "Selbsttest", "Loeschen", "STMInfo"})
    set(name, f && p);
  // The documentation prints into PDF files without any print queue; the page set-up is the
  // printing page's own command.
  set("Drucken1", f && p);
  set("Druckereinrichten1", true);
  set("Projektdaten1", p);
  set("mnuEditSTMMerker", p);
  set("NOpen", !MRU->Items.empty() && !p);
  for (const char* name : {"Module1", "Merker1", "Uhren1", "Uhren2", "Uhren3", "Texte1", "BtnEditSTMUhren"})
    set(name, f && m);
  for (const char* name : {"MnuCreateRT", "Gruppen1", "POR1"}) set(name, f && o);
  // While a page holds the bus port (the clock test) the bus dialogs cannot open it.
  set("STMTimeTest", !GPortOpen);
  set("DelDispFlash", !GPortOpen);
  set("Loeschen", f && p && !GPortOpen);
  set("Basis", f && l);
  set("Funktion", f && l);
  set("BtnDisplayProg", d);
  std::string mailServer;
  if (GOptionFile) GetMailSetting(1, mailServer);
  const bool mail = !Blank(mailServer);
  set("btnHelpRequest", mail);
  if (TzbBarItem* item = Item("btnHelpRequest")) item->SetVisible(mail ? ivAlways : ivNever);

  if (TzbSideGroup* programming = SB->Groups().GetItem(2)) {
    const bool enabled[] = {l, l, d, o};
    for (int i = 0; i < 4 && i < programming->Items().Count(); ++i)
      programming->Items().GetItem(i)->SetEnabled(enabled[i]);
  }
  EnableFrameItems();
}

bool TMainForm::PageItemCommand(const std::string& itemName) {
  for (const auto& [name, key] : kPageItems)
    if (itemName == name && FM->GetFrame(QString::fromLatin1(key))) {
      ShowCommandPage(QString::fromLatin1(key));
      return true;
    }
  return false;
}

void TMainForm::EnableFrameItems() {
  for (const auto& [name, key] : kPageItems)
    if (!FM->GetFrame(QString::fromLatin1(key)))
      if (TzbBarItem* item = Item(name)) item->SetEnabled(false);
  for (const char* name : kUnavailable)
    if (TzbBarItem* item = Item(name); item && !RegisteredCommand(name)) item->SetEnabled(false);
  // Side-bar shortcuts of pages that do not exist; opening a project has its file dialog.
  for (int g = 0; g < SB->Groups().Count(); ++g) {
    TzbSideBarItems& items = SB->Groups().GetItem(g)->Items();
    for (int i = 0; i < items.Count(); ++i) {
      TzbSideBarItem* item = items.GetItem(i);
      if (item->CustomData == "FrOpen") continue;
      if (!FM->GetFrame(QString::fromStdString(item->CustomData))) item->SetEnabled(false);
    }
  }
}

void TMainForm::UpdateSideBarGroups() {
  TzbSideGroups& groups = SB->Groups();
  if (!GProjekt) {
    groups.BeginUpdate();
    for (int g = 0; g < groups.Count(); ++g) groups.GetItem(g)->SetVisible(g == 0);
    groups.EndUpdate();
    UpdateMenuState(false);
    SB->SetActiveGroupIndex(0);
    return;
  }
  fUpdatingGroups = true;
  try {
    const bool m = GProjekt->Steuermodule.Count() > 0;
    groups.BeginUpdate();
    groups.GetItem(0)->SetVisible(false);
    groups.GetItem(1)->SetVisible(true);
    if (TzbSideGroup* active = SB->ActiveGroup())
      for (int i = 1; i < active->Items().Count(); ++i) active->Items().GetItem(i)->SetEnabled(m);
    for (int g = 2; g <= 5 && g < groups.Count(); ++g) groups.GetItem(g)->SetVisible(m);
    groups.EndUpdate();
  } catch (...) {
    fUpdatingGroups = false;
    throw;
  }
  fUpdatingGroups = false;
  UpdateMenuState(true);
}

}  // namespace zyn

namespace zyn {

void NotifyProjectChanged() {
  if (auto* form = dynamic_cast<TMainForm*>(GetMessageHandler())) form->ProjectChanged();
}

void TMainForm::ProjectChanged() {
  if (fLocked || fDestroying || QCoreApplication::closingDown()) return;
  UnlockUserInterface();  // every item, then the enabling rules
  UpdateSideBarGroups();  // the groups that depend on the control modules
  FollowPageInSideBar();
}

void TMainForm::FollowPageInSideBar() {
  if (fDestroying || !SB || !FM) return;
  const QString key = FM->CurrentFrame();
  auto itemOf = [&key](TzbSideGroup* group) -> TzbSideBarItem* {
    if (!group || key.isEmpty()) return nullptr;
    for (int i = 0; i < group->Items().Count(); ++i) {
      TzbSideBarItem* item = group->Items().GetItem(i);
      if (QString::fromStdString(item->CustomData).compare(key, Qt::CaseInsensitive) == 0) return item;
    }
    return nullptr;
  };
  // The open group first; else the first visible group that holds the page.
  TzbSideGroup* group = SB->ActiveGroup();
  TzbSideBarItem* item = itemOf(group);
  for (int g = 0; !item && g < SB->GetVisibleGroupCount(); ++g) {
    group = SB->GetVisibleGroup(g);
    item = itemOf(group);
  }
  if (!item) {
    SB->SelectItem(nullptr);
    return;
  }
  if (group != SB->ActiveGroup()) {
    // Opening the group here only shows where the page is; it does not enter the group's first page.
    const bool skip = fSkipGroupChange;
    fSkipGroupChange = true;
    SB->SetActiveGroup(group);
    fSkipGroupChange = skip;
  }
  SB->SelectItem(item);
  item->MakeVisible();
}

}  // namespace zyn
