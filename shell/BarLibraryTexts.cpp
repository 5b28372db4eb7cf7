#include "shell/BarLibraryTexts.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/LibraryTexts.h"

#include <map>

namespace zyn {

namespace {

// English text of the bar and control libraries -> German text (UTF-8).
const std::map<std::string, const char*>& GermanTexts() {
  static const std::map<std::string, const char*> table = {
      // colour combo
      {"Black", "Schwarz"},
      {"Maroon", "Kastanienbraun"},
      {"Green", "Grün"},
      {"Olive", "Oliv"},
      {"Navy", "Marineblau"},
      {"Purple", "Violett"},
      {"Teal", "Blaugrün"},
      {"Gray", "Grau"},
      {"Silver", "Silber"},
      {"Red", "Rot"},
      {"Lime", "Hellgrün"},
      {"Yellow", "Gelb"},
      {"Blue", "Blau"},
      {"Fuchsia", "Magenta"},
      {"Aqua", "Türkis"},
      {"White", "Weiß"},
      {"(automatic)", "(automatisch)"},
      {"(custom)", "(benutzerdefiniert)"},
      // selection dialogs, date items
      {"Select item", "Element auswählen"},
      {"Select the date", "Datum auswählen"},
      {"OK", "OK"},
      {"Cancel", "Abbrechen"},
      {"Today", "Heute"},
      {"Clear", "Löschen"},
      // toolbars popup, quick customization, hints
      {"&Customize...", "&Anpassen..."},
      {"&Add or Remove Buttons", "Schaltflächen &hinzufügen oder entfernen"},
      {"&Reset Toolbar", "Symbolleiste &zurücksetzen"},
      {"More Buttons", "Weitere Schaltflächen"},
      // customizing popup
      {"&Reset", "&Zurücksetzen"},
      {"&Delete", "&Löschen"},
      {"&Name:", "&Name:"},
      {"Defa&ult style", "&Standardstil"},
      {"&Text Only (Always)", "Nur &Text (immer)"},
      {"Text &Only (in Menus)", "Nur Text (in &Menüs)"},
      {"Image &and Text", "Sym&bol und Text"},
      {"Begin a &Group", "&Gruppierung beginnen"},
      {"A command name cannot be blank. Please enter a name.",
       "Ein Befehlsname darf nicht leer sein. Geben Sie einen Namen ein."},
      // customizing form
      {"Customize", "Anpassen"},
      {" Toolbars ", " Symbolleisten "},
      {" Commands ", " Befehle "},
      {" Options ", " Optionen "},
      {"Close", "Schließen"},
      {"Toolb&ars:", "Symbolleis&ten:"},
      {"&New...", "&Neu..."},
      {"R&ename...", "&Umbenennen..."},
      {"&Reset...", "&Zurücksetzen..."},
      {"Cate&gories:", "Kate&gorien:"},
      {"Comman&ds:", "&Befehle:"},
      {"Description  ", "Beschreibung  "},
      {"Personalized Menus and Toolbars  ", "Personalisierte Menüs und Symbolleisten  "},
      {"Me&nus show recently used commands first", "Zuletzt verwendete Befehle in Me&nüs zuerst anzeigen"},
      {"Show f&ull menus after a short delay", "&Vollständige Menüs nach kurzer Verzögerung"},
      {"&Reset my usage data", "&Nutzungsdaten zurücksetzen"},
      {"Other  ", "Sonstiges  "},
      {"&Large icons", "&Große Symbole"},
      {"Show Tool&Tips on toolbars", "&QuickInfo auf Symbolleisten anzeigen"},
      {"Show s&hortcut keys in ToolTips", "Tasten&kombinationen in QuickInfo anzeigen"},
      {"&Menu animations:", "&Menüanimationen:"},
      {"(None)", "(Keine)"},
      {"Random", "Zufällig"},
      {"Unfold", "Entfalten"},
      {"Slide", "Gleiten"},
      {"Fade", "Einblenden"},
      {"Custom ", "Benutzerdefiniert "},
      {"Are you sure you want to delete the '%s' toolbar?", "Soll die Symbolleiste '%s' wirklich gelöscht werden?"},
      {"A toolbar named '%s' already exists. Type another name.",
       "Eine Symbolleiste mit dem Namen '%s' ist bereits vorhanden. Geben Sie einen anderen Namen ein."},
      {"Are you sure you want to reset the changes made to the '%s' toolbar?",
       "Sollen die Änderungen an der Symbolleiste '%s' wirklich zurückgesetzt werden?"},
      {"This will delete the record of the commands you've used in this application and restore the default set "
       "of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you "
       "sure you want to proceed?",
       "Hiermit wird der Datensatz der Befehle gelöscht, die Sie in dieser Anwendung verwendet haben, und der "
       "Standardsatz der sichtbaren Befehle in den Menüs und Symbolleisten wiederhergestellt. Explizite "
       "Anpassungen werden nicht rückgängig gemacht.   Möchten Sie fortfahren?"},
      // name editor and the editors of the customizing form
      {"Add Toolbar", "Symbolleiste hinzufügen"},
      {"Rename Toolbar", "Symbolleiste umbenennen"},
      {"Add Category", "Kategorie hinzufügen"},
      {"Insert Category", "Kategorie einfügen"},
      {"Rename Category", "Kategorie umbenennen"},
      {"&Toolbar name:", "&Name der Symbolleiste:"},
      {"&Category name:", "&Name der Kategorie:"},
      {"Add New Item", "Neuen Befehl hinzufügen"},
      {"Type:", "Typ:"},
      {"Category:", "Kategorie:"},
      {"Name:", "Name:"},
      {"Caption:", "Beschriftung:"},
      {"New Item", "Neuer Befehl"},
      {"Add Group Items", "Gruppenelemente hinzufügen"},
      {"< Groups >", "< Gruppen >"},
      {"SubMenu Editor", "Untermenü bearbeiten"},
      // context menu of the control library's edits ("&Delete" above serves it as well)
      {"&Undo", "&Rückgängig"},
      {"&Cut", "&Ausschneiden"},
      {"&Copy", "&Kopieren"},
      {"&Paste", "&Einfügen"},
      {"Select all", "Alles markieren"},
  };
  return table;
}

}  // namespace

std::string BarLibraryText(const std::string& english) {
  const auto& table = GermanTexts();
  const auto it = table.find(english);
  return TranslateText(it == table.end() ? english : Utf8ToAnsi(it->second));
}

void InstallBarLibraryTexts() { SetLibraryTextTranslator(BarLibraryText); }

}  // namespace zyn
