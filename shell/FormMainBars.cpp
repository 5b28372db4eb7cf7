// The main window's bars: the bar manager with the main menu, the five toolbars and the
// recent-files list, and the side bar with its six groups of page shortcuts.

#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "platform/ExceptionHandler.h"
#include "shell/BarLibraryTexts.h"
#include "shell/CommandPictures.h"
#include "shell/FormMain.h"
#include "shell/Translation.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarImageList.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/ThemeManager.h"
#include "widgets/common/FoldPanel.h"

#include <QFont>
#include <QVBoxLayout>

#include <algorithm>

namespace zyn {

namespace {

struct TItemDef {
  const char* Name;
  const char* Caption;  // UTF-8
  int Tag;
  int Glyph;  // -1 for none
};

// The command items of the menus and toolbars.
const TItemDef kButtons[] = {
    {"Neu1", "&Neu...", 20, 0},
    {"ffnen1", "Ö&ffnen...", 21, 1},
    {"Speichern1", "&Speichern", 0, 2},
    {"Speichernunter1", "Speichern &unter...", 0, -1},
    {"Schlieen1", "S&chließen", 0, -1},
    {"MnuCreateRT", "Laufzeitumgebung erzeugen", 0, -1},
    {"Transfer", "Übertragen", 33, 3},
    {"Kundendaten1", "Kunde...", 24, 4},
    {"Druckereinrichten1", "Drucker &einrichten...", 0, -1},
    {"Drucken1", "Projektdokumentation", 0, -1},
    {"Beenden1", "&Beenden", 0, -1},
    {"Steuermodule1", "Steuermodule...", 1, 5},
    {"Displaybearbeiten", "Displays...", 10, 6},
    {"Module1", "Module..,", 2, 7},
    {"Uhren1", "Tagesuhren...", 3, 8},
    {"Uhren2", "Wochenuhren...", 4, 9},
    {"Uhren3", "JRM Uhren...", 5, 10},
    {"Texte1", "Anzeigetexte...", 7, 11},
    {"Merker1", "Merker...", 6, 12},
    {"Gruppen1", "Gruppen.-.", 8, 13},
    {"POR1", "Einschaltbedingungen...", 9, 14},
    {"edKennlinie", "Kennlinien bearbeiten...", 0, -1},
    {"STMInfo", "&Informationen über Programm im Steuermodul...", 0, 15},
    {"STMTimeTest", "Uhrzeit eines STM anzeigen", 0, -1},
    {"Auslesen1", "Steuermodul &auslesen...", 0, -1},
    {"BtnEditSTMUhren", "Uhren im STM ändern", 0, -1},
    {"mnuEditSTMMerker", "STM- Merker bearbeiten", 0, -1},
    {"Selbsttest", "Selbsttest des Steuermoduls...", 0, -1},
    {"Loeschen", "Speicher von Steuermodulen löschen...", 0, -1},
    {"DelDispFlash", "Displayspeicher löschen", 0, -1},
    {"MonitorfrSteuermodulBus1", "Monitor für Steuermodul- Bus", 0, -1},
    {"Kundendaten2", "&Kundendaten", 0, -1},
    {"Allgemein1", "&Allgemein...", 0, -1},
    {"Basisdaten1", "Firmendaten", 0, -1},
    {"Konfigurationsassistent", "Konfigurationsassistent", 0, -1},
    {"Modulklassen1", "Modulklassen...", 0, -1},
    {"FEditStandard", "Funktionseditor (Standard)...", 0, -1},
    {"FEditUser", "Funktionseditor (Userfunktionen)...", 0, -1},
    {"mnuFunctionEdit", "Eingangsfunktionen...", 0, -1},
    {"Inhalt1", "&Inhalt", 0, 16},
    {"berHilfe1", "Hilfe &verwenden", 0, -1},
    {"berZYN1", "I&nfo über ZYN...", 0, -1},
    {"zbBarButton2", "ZYN Homepage", 0, -1},
    {"btnHelpRequest", "Supportanfrage senden...", 0, -1},
    {"Projektdaten1", "Projekt...", 23, 17},
    {"Erstellen", "Projekt erstellen", 0, 18},
    {"Basis", "Basisprogrammierung", 40, 19},
    {"Funktion", "Funktionsprogrammierung", 41, 20},
    {"BtnDisplayProg", "Display", 42, 21},
};

// Items disabled until the enabling rules say otherwise.
const char* const kDisabledAtStart[] = {
    "Speichern1",      "Speichernunter1", "Schlieen1",         "Informationen1", "Projektdaten1", "Transfer",
    "Drucken1",        "Steuermodule1",   "Module1",           "Uhren1",         "Uhren2",        "Uhren3",
    "Texte1",          "Merker1",         "Gruppen1",          "POR1",           "Basis",         "Funktion",
    "Erstellen",       "BtnDisplayProg",  "Displaybearbeiten", "NOpen",          "edKennlinie",   "MnuCreateRT",
    "BtnEditSTMUhren", "STMInfo",         "Auslesen1",         "Selbsttest",     "Loeschen"};

// Menu contents: the item names, "|" starts a group.
struct TMenuDef {
  const char* Name;
  const char* Caption;
  std::vector<const char*> Items;
};

const std::vector<TMenuDef>& Menus() {
  static const std::vector<TMenuDef> menus = {
      {"Datei1",
       "&Projekt",
       {"Neu1", "|", "ffnen1", "NOpen", "|", "Speichern1", "Speichernunter1", "Schlieen1", "|", "MnuCreateRT", "|",
        "Transfer", "|", "Informationen1", "|", "Druckereinrichten1", "Drucken1", "|", "Beenden1"}},
      {"Bearbeiten1",
       "&Komponenten",
       {"Steuermodule1", "Displaybearbeiten", "Module1", "|", "Uhren1", "Uhren2", "Uhren3", "|", "Texte1", "Merker1",
        "Gruppen1", "|", "POR1", "edKennlinie"}},
      {"Steuermodul1",
       "&System",
       {"STMInfo", "STMTimeTest", "Auslesen1", "|", "BtnEditSTMUhren", "mnuEditSTMMerker", "Selbsttest", "Loeschen",
        "DelDispFlash", "|", "MonitorfrSteuermodulBus1"}},
      {"Datenbanken1", "&Datenbanken", {"Kundendaten2"}},
      {"Einstellungen1",
       "&Einstellungen",
       {"Allgemein1", "Basisdaten1", "|", "Konfigurationsassistent", "|", "Entwicklung1"}},
      {"Hilfe1", "&Hilfe", {"Inhalt1", "berHilfe1", "|", "berZYN1", "|", "zbBarButton2", "|", "btnHelpRequest"}},
  };
  return menus;
}

struct TToolbarDef {
  const char* Caption;
  std::vector<const char*> Items;
};

const std::vector<TToolbarDef>& ToolbarDefs() {
  static const std::vector<TToolbarDef> bars = {
      {"Dateimenü", {"Neu1", "ffnen1", "Speichern1", "|", "Projektdaten1", "Kundendaten1"}},
      {"Bearbeiten",
       {"Steuermodule1", "Displaybearbeiten", "Module1", "|", "Uhren1", "Uhren2", "Uhren3", "|", "Merker1", "Texte1",
        "|", "Gruppen1"}},
      {"VADAzivu", {"STMInfo", "Erstellen", "Transfer"}},
      {"Hilfe", {"Inhalt1"}},
      {"Programmiermenü", {"Basis", "Funktion", "BtnDisplayProg", "|", "POR1"}},
  };
  return bars;
}

struct TSideItemDef {
  const char* Caption;
  const char* Frame;
  int Tag;
};
struct TSideGroupDef {
  const char* Caption;
  std::vector<TSideItemDef> Items;
};

const std::vector<TSideGroupDef>& SideGroups() {
  static const std::vector<TSideGroupDef> groups = {
      {"Projekt", {{"Neues Projekt", "FrNeu", 0}, {"Projekt öffnen", "FrOpen", 1}}},
      {"Komponenten",
       {{"Steuermodule", "FrStmBearb", 3},
        {"Display", "FrDispBearb", 0},
        {"Module", "FrModulBearb", 4},
        {"Tagesuhren", "FrTagesUhren", 6},
        {"Wochenuhren", "FrWochenUhren", 7},
        {"Jalousie / Rolladen Uhren", "FrJRMUhren", 8},
        {"Merker", "FrMerker", 5},
        {"Anzeigetexte", "FrTexte", 9},
        {"Gruppen", "FrGruppen", 10},
        {"Kennlinien", "FrEditKennlinie", 11}}},
      {"Programmierung",
       {{"Basis- programmierung", "FrBasis", 12},
        {"Funktions- programmierung", "FrFunktion", 13},
        {"Display- programmierung", "Display", 0},
        {"POR Tabelle", "FrPOR", 0}}},
      {"Visualisierung",
       {{"Visualisierungsdaten", "FrVisuProjekt", 0},
        {"Visualisierung bearbeiten", "FrVisuEntwurf", 200},
        {"Userverwaltung", "FrVisuCreateRT", 0}}},
      {"Übertragen",
       {{"Projekt übertragen", "FrTransfer", 16},
        {"Dimmerkennlinien übertragen", "FrDimmerKennlinie", 0},
        {"Uhrzeit übertragen", "FrSetClock", 0}}},
      {"Service",
       {{"Modulcheck", "FrModulcheck", 0},
        {"Servicefunktionen", "FrService", 101},
        {"Uhrensimulation", "FrNewService", 0},
        {"JRM Prioritäten löschen", "FrJRMPrio", 0},
        {"Info über STM's", "FrSTMInfo", 100}}},
  };
  return groups;
}

using enum TOwnPicture;
using enum TPictureMark;

// The pictures: the commands' glyph numbers index the first 22, the side bar uses further ones.
const TPictureDef kPictures[] = {
    {"document-new", Sheet, NoMark},
    {"document-open", Sheet, NoMark},
    {"document-save", Sheet, NoMark},
    {"network-transmit", Sheet, NoMark},
    {"x-office-address-book", Sheet, NoMark},
    {nullptr, ControlModule, NoMark},
    {"preferences-desktop-display", Sheet, NoMark},
    {nullptr, BusModule, NoMark},
    {"appointment-soon", Sheet, NoMark},
    {"x-office-calendar", Sheet, NoMark},
    {nullptr, BlindClock, NoMark},  // 10
    {"insert-text", Sheet, NoMark},
    {"user-bookmarks", Sheet, NoMark},
    {"system-users", Sheet, NoMark},
    {"system-shutdown", Sheet, NoMark},
    {"dialog-information", Sheet, NoMark},
    {"help-contents", Sheet, NoMark},
    {"document-properties", Sheet, NoMark},
    {"system-run", Sheet, NoMark},
    {nullptr, BasicProgram, NoMark},
    {nullptr, FunctionProgram, NoMark},  // 20
    {nullptr, DisplayProgram, NoMark},
    {nullptr, Curve, NoMark},
    {"x-office-presentation", Sheet, NoMark},
    {"x-office-drawing", Sheet, NoMark},
    {"avatar-default", Sheet, NoMark},
    {nullptr, Curve, Send},
    {"appointment-soon", Sheet, Send},
    {nullptr, BusModule, Check},
    {"preferences-system", Sheet, NoMark},
    {"appointment-soon", Sheet, Play},  // 30
    {"edit-delete", Sheet, NoMark},
};

// The pictures of the side bar's entries, in the order of the entries.
const int kSidePictures[] = {0,  1,  5,  6,  7,  8, 9,  10, 12, 11, 13, 22, 19, 20,
                             21, 14, 23, 24, 25, 3, 26, 27, 28, 29, 30, 31, 15};

// The recent-files list of the file menu: with the option "Pfadnamen anzeigen" off an entry shows
// the file's name only, with it on the shortened path.
class TMainRecentList : public TzbBarMRUListItem {
 public:
  using TzbBarMRUListItem::TzbBarMRUListItem;
  std::string GetDisplayText(const std::string& entry) const override {
    if (GOptionFile && GOptionFile->Optionen().FileMenu->First().ShowFolder)
      return TzbBarMRUListItem::GetDisplayText(entry);
    const size_t slash = entry.find_last_of('/');
    return Utf8ToAnsi(slash == std::string::npos ? entry : entry.substr(slash + 1));
  }
};

}  // namespace

TzbBarItem* TMainForm::Item(const std::string& name) const { return BM ? BM->GetItemByName(name) : nullptr; }

void TMainForm::BuildBars() {
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  UseIconTheme();
  BM = std::make_unique<TzbBarManager>(this);
  TzbBarManager& m = *BM;
  // The window's own font instead of the system menu font a new manager takes; its height then
  // follows the system menu font.
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPixelSize(11);
  m.SetFont(tahoma);
  m.SetStyle(bmsXP);
  m.CanCustomize = false;
  m.MenusShowRecentItemsFirst = false;
  m.NotDocking = DockingSet(dsLeft) | DockingSet(dsRight);

  for (const TItemDef& def : kButtons) {
    auto* b = m.CreateItem<TzbBarButton>();
    b->Name = def.Name;
    b->SetCaption(Utf8ToAnsi(def.Caption));
    b->Tag = def.Tag;
    if (def.Glyph >= 0) b->SetGlyph(CommandGlyph(kPictures[def.Glyph], 16));
    b->OnClick = [this](TzbBarItem& item) {
      const std::string name = item.Name;
      RunGuarded([this, name, tag = item.Tag] {
        if (tag != 0)
          FrameCommand(tag);
        else if (name == "Speichern1")
          SaveCommand();
        else if (name == "Speichernunter1")
          SaveAsCommand();
        else if (name == "Schlieen1")
          CloseCommand();
        else if (name == "Beenden1")
          close();
        else if (name == "Erstellen")
          CompileOnly();
        else if (name == "berZYN1")
          AboutCommand();
        else if (name == "btnHelpRequest")
          SupportCommand();
        else if (name == "Konfigurationsassistent")
          WizardCommand();
        else if (name == "MnuCreateRT")
          CreateRunTimeCommand();
        else if (const char* page = name == "Allgemein1"         ? "FrOptionen"
                                    : name == "edKennlinie"      ? "FrEditKennlinie"
                                    : name == "zbBarButton2"     ? "FrBrowser"
                                    : name == "mnuEditSTMMerker" ? "FrmEditSTMMerker"
                                    : name == "mnuFunctionEdit"  ? "FrFunctionEdit"
                                                                 : nullptr) {
          FM->SaveFrame();  // these pages return to the page shown before
          FM->SetCurrentFrame(QString::fromLatin1(page));
        } else if (name == "Basisdaten1" || name == "Kundendaten2") {
          FM->SetCurrentFrame(name == "Basisdaten1" ? QStringLiteral("FrBasisDaten") : QStringLiteral("FrKunden"));
        } else if (const auto command = RegisteredCommand(name)) {
          command(this);
        } else {
          PageItemCommand(name);
        }
      });
    };
  }
  static_cast<TzbBarButton*>(Item("Neu1"))->SetShortCut(static_cast<TShortCut>('N' | scCtrl));
  static_cast<TzbBarButton*>(Item("Speichern1"))->SetShortCut(static_cast<TShortCut>('S' | scCtrl));

  MRU = m.CreateItem<TMainRecentList>();
  MRU->Name = "MRU";
  MRU->SetMaxItemCount(4);
  MRU->OnClick = [this](TzbBarItem&) {
    const int index = MRU->ItemIndex;
    RunGuarded([this, index] { OpenRecent(index); });
  };
  auto makeSub = [&](const char* name, const char* caption) {
    auto* s = m.CreateItem<TzbBarSubItem>();
    s->Name = name;
    s->SetCaption(Utf8ToAnsi(caption));
    return s;
  };
  auto add = [](TzbBarItemLinks& links, TzbBarItem* item, bool beginGroup) {
    TzbBarItemLink* link = links.Add();
    link->SetItem(item);
    if (beginGroup) link->SetBeginGroup(true);
  };
  auto* nopen = makeSub("NOpen", "Neu öffnen");
  add(nopen->ItemLinks(), MRU, false);
  auto* development = makeSub("Entwicklung1", "Entwicklung");
  for (const char* name : {"Modulklassen1", "FEditStandard", "FEditUser"}) {
    add(development->ItemLinks(), Item(name), false);
    Item(name)->SetEnabled(static_cast<bool>(RegisteredCommand(name)));
  }
  add(development->ItemLinks(), Item("mnuFunctionEdit"), false);  // a page, enabled when it exists
  auto* info = makeSub("Informationen1", "Informationen...");
  add(info->ItemLinks(), Item("Kundendaten1"), false);

  MainMenu = m.Bars().Add();
  MainMenu->SetCaption("Main Menu");
  MainMenu->SetIsMainMenu(true);
  MainMenu->ShowMark = false;
  MainMenu->OneOnRow = true;
  MainMenu->SetRow(0);
  MainMenu->SetDockingStyle(dsTop);
  for (const TMenuDef& menu : Menus()) {
    auto* sub = makeSub(menu.Name, menu.Caption);
    bool group = false;
    for (const char* name : menu.Items) {
      if (std::string(name) == "|") {
        group = true;
        continue;
      }
      add(sub->ItemLinks(), Item(name), group);
      group = false;
    }
    add(MainMenu->ItemLinks(), sub, std::string(menu.Name) == "Hilfe1");
  }

  // Each toolbar starts where the one before it ends: a button is 23 pixels wide, a group
  // separator 6, and a bar adds its frame and grip.
  int left = 0;
  for (const TToolbarDef& def : ToolbarDefs()) {
    TzbBar* bar = m.Bars().Add();
    bar->SetCaption(Utf8ToAnsi(def.Caption));
    bar->ShowMark = false;
    bar->SetRow(1);
    bar->SetDockedLeft(left);
    int width = 14;
    for (const char* name : def.Items) width += std::string(name) == "|" ? 6 : 23;
    left += width;
    bar->SetDockingStyle(dsTop);
    bool group = false;
    for (const char* name : def.Items) {
      if (std::string(name) == "|") {
        group = true;
        continue;
      }
      add(bar->ItemLinks(), Item(name), group);
      group = false;
    }
    Toolbars.push_back(bar);
  }
  for (const char* name : kDisabledAtStart) Item(name)->SetEnabled(false);
  Item("btnHelpRequest")->SetVisible(ivNever);
  ApplyManagerSettings();
}

// The manager's settings of the main window: F10 leaves the menu bar alone, disabled buttons show
// no hint, toolbars emptied by hiding a category go and come back with it; the nine categories
// (an item belongs to the category of the menu it stands in, a sub-menu to "Menus", an item of no
// menu to "Default"); the bars are shown and the manager takes the built state as its loaded one.
// The bar library's own texts appear in German.
void TMainForm::ApplyManagerSettings() {
  InstallBarLibraryTexts();
  // What a bar item's click lets escape is shown as every error of the programme.
  SetApplicationExceptionHandler([](const std::string& message) {
    TranslatedMessageDlg(message.empty() ? Ansi("Ein unbekannter Fehler ist aufgetreten.") : message, mtError, mbOK);
  });
  TzbBarManager& m = *BM;
  m.UseF10ForMenu = false;
  m.ShowHintForDisabledItems = false;
  m.UseSystemFont = false;
  m.SetAutoHideEmptyBars(true);
  static const char* const kCategories[] = {"Entwicklung", "Default",       "Projekt", "Komponenten", "System",
                                            "Datenbanken", "Einstellungen", "Hilfe",   "Menus"};
  m.Categories().Clear();
  for (const char* name : kCategories) m.Categories().Add(Utf8ToAnsi(name));
  auto category = [&m](const std::string& menuCaption) {
    std::string name = menuCaption;
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    return m.Categories().IndexOf(Utf8ToAnsi(name));
  };
  for (int i = 0; i < m.GetItemCount(); ++i)
    m.GetItem(i)->SetCategory(SubItemLinksOf(*m.GetItem(i)) ? category("Menus") : category("Default"));
  for (const TMenuDef& menu : Menus())
    for (const char* name : menu.Items)
      if (TzbBarItem* item = Item(name); item && !SubItemLinksOf(*item)) item->SetCategory(category(menu.Caption));
  for (TzbBarItem* item : {Item("Modulklassen1"), Item("FEditStandard"), Item("FEditUser")})
    item->SetCategory(category("Entwicklung"));
  MainMenu->SetVisible(true);
  for (TzbBar* bar : Toolbars) bar->SetVisible(true);
  m.Loaded();
}

void TMainForm::BuildSideBar() {
  SideImages = std::make_unique<TzbSideBarImageList>(32, 32);
  for (const int picture : kSidePictures) SideImages->Add(CommandPicture(kPictures[picture], 32));
  TzbSideBar& bar = *SB;
  bar.SetPaintStyle(sbpsXP);
  bar.SetScrollDelay(100);
  bar.BkGround().SetFillStyle(bfsVert);
  // The white item texts need a dark ground from top to bottom.
  bar.BkGround().SetBeginColor(cl3DDkShadow);
  bar.BkGround().SetEndColor(clBtnShadow);
  bar.BkGround().SetStep(1);
  bar.SetCanSelected(true);
  TFont itemFont = bar.ItemFont();
  itemFont.Color = clWhite;
  bar.SetItemFont(itemFont);
  bar.SetLargeImages(SideImages.get());
  bar.SetTransparentImages(true);
  bar.ShowHint = true;
  int picture = 0;
  for (const TSideGroupDef& g : SideGroups()) {
    TzbSideGroup* group = bar.Groups().Add();
    group->SetCaption(Utf8ToAnsi(g.Caption));
    for (const TSideItemDef& i : g.Items) {
      TzbSideBarItem* item = group->Items().Add();
      item->SetCaption(Utf8ToAnsi(i.Caption));
      item->SetHint(Utf8ToAnsi(i.Caption));
      item->CustomData = i.Frame;
      item->Tag = i.Tag;
      item->SetLargeImage(picture++);
    }
  }
  bar.OnItemClick = [this](TzbSideBar&, TzbSideBarItem& item) {
    RunGuarded([this, &item] { SideBarItemClick(item); });
  };
  bar.OnChangeActiveGroup = [this](TzbSideBar&) { SideBarGroupChanged(); };
}

}  // namespace zyn
