#include "BarDemoWindow.h"

#include "model/base/Cp1252.h"
#include "widgets/bars/BarColorItems.h"
#include "widgets/bars/BarContainerItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarSpinEdit.h"
#include "widgets/bars/BarTreeItems.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>

namespace zyn::test {

namespace {
std::string A(const char* utf8) { return Utf8ToAnsi(utf8); }
}  // namespace

BarDemoWindow::BarDemoWindow(const std::string& layoutFile, bool allowCustomizing) {
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  Form.setObjectName(QStringLiteral("BarDemoForm"));
  Form.setGeometry(40, 40, 640, 400);
  Client = new QWidget(&Form);
  Manager = std::make_unique<TzbBarManager>(&Form);
  TzbBarManager& m = *Manager;
  SetupDemoManager(m);
  m.NotDocking = DockingSet(dsLeft) | DockingSet(dsRight);
  m.StoreInIniFile = !layoutFile.empty();
  m.IniFileName = layoutFile;
  m.OnClickItem = [this](TzbBarManager&, TzbBarItem& item) { Events.push_back("OnClickItem:" + item.Name); };
  // The form shows the help of an entry as a tip below it (the program has no help viewer).
  m.OnHelp = [this](TzbBarManager&, const TzbBarHelpRequest& r) {
    Events.push_back("OnHelp:" + std::to_string(r.HelpContext) + (r.Popup ? ":popup" : ""));
    LastHelp = r;
    QToolTip::showText(r.Position, QStringLiteral("Hilfe, Thema %1").arg(r.HelpContext));
  };

  // Menus.
  auto* projekt = SubItem("Datei1", "&Projekt");
  auto* info = SubItem("Informationen1", "Informationen...");
  auto* nopen = SubItem("NOpen", A("Neu öffnen"));
  auto* komponenten = SubItem("Bearbeiten1", "&Komponenten");
  auto* system = SubItem("Steuermodul1", "&System");
  auto* datenbanken = SubItem("Datenbanken1", "&Datenbanken");
  auto* einstellungen = SubItem("Einstellungen1", "&Einstellungen");
  auto* hilfe = SubItem("Hilfe1", "&Hilfe");

  auto* neu = Button("Neu1", "&Neu...", true);
  neu->SetShortCut(static_cast<TShortCut>('N' | scCtrl));
  auto* oeffnen = Button("ffnen1", A("Ö&ffnen..."), true);
  auto* speichern = Button("Speichern1", "&Speichern", true);
  speichern->SetShortCut(static_cast<TShortCut>('S' | scCtrl));
  auto* speichernUnter = Button("Speichernunter1", "Speichern &unter...");
  auto* schliessen = Button("Schlieen1", A("S&chließen"));
  auto* transfer = Button("Transfer", A("Übertragen"), true);
  auto* kunde = Button("Kundendaten1", "Kunde...", true);
  auto* drucken = Button("Drucken1", "Projektdokumentation");
  auto* beenden = Button("Beenden1", "&Beenden");
  auto* zuletzt = Button("Zuletzt1", "projekt.zpf");
  Add(projekt->ItemLinks(), neu);
  Add(projekt->ItemLinks(), oeffnen, true);
  Add(projekt->ItemLinks(), nopen);
  Add(projekt->ItemLinks(), speichern, true);
  Add(projekt->ItemLinks(), speichernUnter);
  Add(projekt->ItemLinks(), schliessen);
  Add(projekt->ItemLinks(), transfer, true);
  Add(projekt->ItemLinks(), info, true);
  Add(projekt->ItemLinks(), drucken, true);
  Add(projekt->ItemLinks(), beenden, true);
  Add(info->ItemLinks(), kunde);
  auto* mru = Manager->CreateItem<TzbBarMRUListItem>();
  mru->Name = "MRU";
  mru->SetItems({"C:\\Projekte\\Schule.zpf", "C:\\Projekte\\Halle.zpf"});
  mru->OnClick = [this](TzbBarItem& item) { Events.push_back("OnClick:" + item.Name); };
  Add(nopen->ItemLinks(), mru);
  Add(nopen->ItemLinks(), zuletzt, true);

  auto* steuermodule = Button("Steuermodule1", "Steuermodule...", true);
  auto* displays = Button("Displaybearbeiten", "Displays...", true);
  auto* module = Button("Module1", "Module..,", true);
  auto* uhren1 = Button("Uhren1", "Tagesuhren...", true);
  auto* uhren2 = Button("Uhren2", "Wochenuhren...", true);
  auto* uhren3 = Button("Uhren3", "JRM Uhren...", true);
  auto* texte = Button("Texte1", "Anzeigetexte...", true);
  auto* merker = Button("Merker1", "Merker...", true);
  auto* gruppen = Button("Gruppen1", "Gruppen.-.", true);
  auto* por = Button("POR1", "Einschaltbedingungen...", true);
  for (TzbBarItem* item : std::initializer_list<TzbBarItem*>{steuermodule, displays, module})
    Add(komponenten->ItemLinks(), item);
  Add(komponenten->ItemLinks(), uhren1, true);
  Add(komponenten->ItemLinks(), uhren2);
  Add(komponenten->ItemLinks(), uhren3);
  Add(komponenten->ItemLinks(), texte, true);
  Add(komponenten->ItemLinks(), merker);
  Add(komponenten->ItemLinks(), gruppen);
  Add(komponenten->ItemLinks(), por, true);

  auto* stmInfo = Button("STMInfo", A("&Informationen über Programm im Steuermodul..."), true);
  auto* auslesen = Button("Auslesen1", "Steuermodul &auslesen...");
  Add(system->ItemLinks(), stmInfo);
  Add(system->ItemLinks(), auslesen);
  Add(datenbanken->ItemLinks(), Button("Kundendaten2", "&Kundendaten"));
  Add(einstellungen->ItemLinks(), Button("Allgemein1", "&Allgemein..."));
  Add(einstellungen->ItemLinks(), Button("Basisdaten1", "Firmendaten"));
  auto* inhalt = Button("Inhalt1", "&Inhalt", true);
  inhalt->SetHint("Inhalt der Hilfe|Zeigt den Inhalt der Hilfe");
  Add(hilfe->ItemLinks(), inhalt);
  Add(hilfe->ItemLinks(), Button("berZYN1", "I&nfo über ZYN..."), true);

  auto* projektdaten = Button("Projektdaten1", "Projekt...", true);
  auto* erstellen = Button("Erstellen", "Projekt erstellen", true);
  auto* basis = Button("Basis", "Basisprogrammierung", true);
  auto* funktion = Button("Funktion", "Funktionsprogrammierung", true);
  auto* display = Button("BtnDisplayProg", "Display", true);

  // Help contexts of a few entries.
  projekt->HelpContext = 100;
  neu->HelpContext = 101;
  inhalt->HelpContext = 301;

  // Design states of the program: saving and the component pages start disabled.
  speichern->SetEnabled(false);
  speichernUnter->SetEnabled(false);
  schliessen->SetEnabled(false);

  // Bars.
  MainMenu = AddDemoMainMenu(m);
  for (TzbBarItem* item : std::initializer_list<TzbBarItem*>{projekt, komponenten, system, datenbanken, einstellungen})
    Add(MainMenu->ItemLinks(), item);
  Add(MainMenu->ItemLinks(), hilfe, true);

  struct TToolbarLayout {
    const char* Caption;
    std::vector<std::pair<TzbBarItem*, bool>> Items;
  };
  const std::vector<TToolbarLayout> layouts = {
      {"Dateimenü", {{neu, false}, {oeffnen, false}, {speichern, false}, {projektdaten, true}, {kunde, false}}},
      {"Bearbeiten",
       {{steuermodule, false},
        {displays, false},
        {module, false},
        {uhren1, true},
        {uhren2, false},
        {uhren3, false},
        {merker, true},
        {texte, false},
        {gruppen, true}}},
      {"VADAzivu", {{stmInfo, false}, {erstellen, false}, {transfer, false}}},
      {"Hilfe", {{inhalt, false}}},
      {"Programmiermenü", {{basis, false}, {funktion, false}, {display, false}, {por, true}}},
  };
  int left = 0;
  for (const TToolbarLayout& layout : layouts) {
    TzbBar* bar = m.Bars().Add();
    bar->SetCaption(A(layout.Caption));
    bar->ShowMark = false;
    bar->SetRow(1);
    bar->SetDockedLeft(left);
    left += 120;
    bar->SetDockingStyle(dsTop);
    for (const auto& [item, group] : layout.Items) Add(bar->ItemLinks(), item, group);
    Toolbars.push_back(bar);
  }
  if (allowCustomizing) {
    m.CanCustomize = true;
    // The customizing form's help button (with ShowHelpButton) shows help 900, as a tip as F1 help.
    m.HelpContext = 900;
    neu->SetDescription(A("Legt ein neues Projekt an."));
    SortIntoCategories({projekt, komponenten, system, datenbanken, einstellungen, hilfe});
  }
  // A stored layout is read in the Loaded step, so with one the bars get their place first.
  if (!m.StoreInIniFile) m.Loaded();
  AddSideBar();
  AddUserDock();
  Screen = std::make_unique<TzbBarScreen>(m);
  Screen->SetClientWidget(Client);
  MainMenu->SetVisible(true);
  for (TzbBar* bar : Toolbars) bar->SetVisible(true);
  if (m.StoreInIniFile) m.Loaded();
  Form.show();
  QApplication::processEvents();
  Screen->LayoutForm();
}

BarDemoWindow::~BarDemoWindow() {
  Screen.reset();
  Manager.reset();
  QApplication::processEvents();
}

void BarDemoWindow::SortIntoCategories(const std::vector<TzbBarSubItem*>& menus) {
  TzbBarManagerCategories& categories = Manager->Categories();
  categories.Clear();
  const int menuCategory = categories.Add(A("Menüs"));
  std::function<void(TzbBarItemLinks&, int)> sort = [&sort](TzbBarItemLinks& links, int category) {
    for (int i = 0; i < links.Count(); ++i) {
      TzbBarItem* item = links.Items(i)->Item();
      if (!item || item->Category() >= 0) continue;
      item->SetCategory(category);
      if (TzbBarItemLinks* sub = SubItemLinksOf(*item)) sort(*sub, category);
    }
  };
  for (TzbBarSubItem* menu : menus) {
    std::string name;
    for (char c : menu->Caption())
      if (c != '&') name += c;
    menu->SetCategory(menuCategory);
    sort(menu->ItemLinks(), categories.Add(name));
  }
  const int toolbarOnly = categories.Add("Programmierung");
  for (int i = 0; i < Manager->GetItemCount(); ++i)
    if (Manager->GetItem(i)->Category() < 0) Manager->GetItem(i)->SetCategory(toolbarOnly);
}

void BarDemoWindow::AddSideBar() {
  auto* layout = new QHBoxLayout(Client);
  layout->setContentsMargins(0, 0, 0, 0);
  SideBar = new TzbSideBar(Client);
  SideBar->setFixedWidth(SideBarWidth);
  BuildSampleSideBar(*SideBar, SideImages);
  SideBar->OnItemClick = [this](TzbSideBar&, TzbSideBarItem& item) {
    Events.push_back("OnItemClick:" + item.CustomData);
  };
  layout->addWidget(SideBar);
}

void BarDemoWindow::AddUserDock() {
  auto* middle = new QWidget(Client);
  middle->setObjectName(QStringLiteral("Middle"));
  auto* column = new QVBoxLayout(middle);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addStretch(1);
  UserDock = std::make_unique<TzbBarDockControl>(middle, "UserDock", Manager.get());
  column->addWidget(UserDock->Widget());
  column->addStretch(1);
  static_cast<QBoxLayout*>(Client->layout())->addWidget(middle, 1);
}

QPoint BarDemoWindow::SideBarItemPoint(const TzbSideBarItem& item) const {
  return SideBar->mapToGlobal(ItemCentre(*SideBar, item));
}

QPoint BarDemoWindow::SideBarGroupPoint(const TzbSideGroup& group) const {
  return SideBar->mapToGlobal(GroupCentre(*SideBar, group));
}

TzbBarButton* BarDemoWindow::Button(const std::string& name, const std::string& caption, bool glyph) {
  auto* b = Manager->CreateItem<TzbBarButton>();
  b->Name = name;
  b->SetCaption(caption);
  if (glyph) b->SetGlyph(TestGlyph());
  b->OnClick = [this](TzbBarItem& item) { Events.push_back("OnClick:" + item.Name); };
  return b;
}

TzbBarSubItem* BarDemoWindow::SubItem(const std::string& name, const std::string& caption) {
  auto* s = Manager->CreateItem<TzbBarSubItem>();
  s->Name = name;
  s->SetCaption(caption);
  return s;
}

void BarDemoWindow::Add(TzbBarItemLinks& links, TzbBarItem* item, bool beginGroup) { AddLink(links, item, beginGroup); }

TzbBar* BarDemoWindow::AddEditBar() {
  auto* edit = Manager->CreateItem<TzbBarEdit>();
  edit->Name = "Suche";
  edit->SetCaption("Suche");
  edit->SetShowCaption(true);
  edit->SetWidth(120);
  auto* combo = Manager->CreateItem<TzbBarCombo>();
  combo->Name = "Ansicht";
  combo->SetCaption("Ansicht");
  combo->SetItems({"Liste", "Baum", "Details", "Symbole"});
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Suchen");
  bar->ShowMark = false;
  bar->SetRow(2);
  bar->SetDockingStyle(dsTop);
  Add(bar->ItemLinks(), edit);
  Add(bar->ItemLinks(), combo, true);
  bar->SetVisible(true);
  QApplication::processEvents();
  Screen->LayoutForm();
  return bar;
}

namespace {

QImage FieldPicture(int kind) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  if (kind == 0) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 0, 0));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  } else if (kind == 1) {
    p.fillRect(2, 2, 12, 12, QColor(0, 140, 0));
  } else {
    p.setBrush(QColor(0, 0, 200));
    const QPoint triangle[3] = {QPoint(8, 1), QPoint(15, 14), QPoint(1, 14)};
    p.drawPolygon(triangle, 3);
  }
  return image;
}

}  // namespace

TzbBar* BarDemoWindow::AddMoreFieldsBar() {
  if (FieldImages.Count() == 0)
    for (int kind = 0; kind < 3; ++kind) FieldImages.Add(FieldPicture(kind));
  auto* color = Manager->CreateItem<TzbBarColorCombo>();
  color->Name = "Farbe";
  color->SetCaption("Farbe");
  color->SetWidth(120);
  color->SetShowCustomColorButton(true);
  color->SetColor(clRed);
  auto* font = Manager->CreateItem<TzbBarFontNameCombo>();
  font->Name = "Schrift";
  font->SetCaption("Schrift");
  font->SetWidth(130);
  font->SetText("DejaVu Sans");
  auto* image = Manager->CreateItem<TzbBarImageCombo>();
  image->Name = "Symbol";
  image->SetCaption("Symbol");
  image->SetWidth(100);
  image->SetItems({"Kreis", "Quadrat", "Dreieck"});
  image->SetImages(&FieldImages);
  for (int i = 0; i < 3; ++i) image->SetImageIndexes(i, i);
  image->SetItemIndex(1);
  auto* tree = Manager->CreateItem<TzbBarTreeViewCombo>();
  tree->Name = "Raum";
  tree->SetCaption("Raum");
  tree->SetWidth(110);
  tree->SetImages(&FieldImages);
  TTreeNode* house = tree->AddNode(nullptr, "Haus", 1);
  TTreeNode* ground = tree->AddNode(house, "Erdgeschoss", 2);
  tree->AddNode(ground, "Flur", 0);
  tree->AddNode(ground, A("Küche"), 0);
  TTreeNode* upper = tree->AddNode(house, "Obergeschoss", 2);
  tree->AddNode(upper, "Bad", 0);
  tree->AddNode(upper, "Schlafzimmer", 0);
  tree->AddNode(nullptr, "Garage", 1);
  tree->SetText("Flur");
  auto* spin = Manager->CreateItem<TzbBarSpinEdit>();
  spin->Name = "Anzahl";
  spin->SetCaption("Anzahl");
  spin->SetWidth(60);
  spin->SetMaxValue(99);
  spin->SetValue(5);
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Weitere Felder");
  bar->ShowMark = false;
  bar->SetRow(3);
  bar->SetDockingStyle(dsTop);
  for (TzbBarItem* item : std::initializer_list<TzbBarItem*>{color, font, image, tree, spin})
    Add(bar->ItemLinks(), item);
  bar->SetVisible(true);
  QApplication::processEvents();
  Screen->LayoutForm();
  return bar;
}

TzbBar* BarDemoWindow::AddHostingItems() {
  HostedEdit = new QLineEdit(&Form);
  HostedEdit->setObjectName(QStringLiteral("Suchtext"));
  HostedEdit->setText(QStringLiteral("Schule"));
  HostedEdit->resize(120, 20);
  auto* container = Manager->CreateItem<TzbBarControlContainerItem>();
  container->Name = "Suchfeld";
  container->SetCaption("Suchfeld");
  container->SetControl(HostedEdit);
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Suchfeld");
  bar->ShowMark = false;
  bar->SetRow(2);
  bar->SetDockingStyle(dsTop);
  Add(bar->ItemLinks(), Button("Suchen1", "Suchen", true));
  Add(bar->ItemLinks(), container, true);

  auto* ansicht = Manager->CreateItem<TzbBarInPlaceSubItem>();
  ansicht->Name = "Ansicht";
  ansicht->SetCaption("&Ansicht");
  Add(ansicht->ItemLinks(), Button("KleineSymbole1", "&Kleine Symbole"));
  Add(ansicht->ItemLinks(), Button("Liste1", "&Liste"));
  Add(ansicht->ItemLinks(), Button("Details1", "&Details"));
  auto* toolbars = Manager->CreateItem<TzbBarToolbarsListItem>();
  toolbars->Name = "Symbolleisten";
  toolbars->SetCaption("&Symbolleisten");
  auto& einstellungen = static_cast<TzbBarSubItem&>(*Item("Einstellungen1"));
  Add(einstellungen.ItemLinks(), ansicht, true);
  Add(einstellungen.ItemLinks(), toolbars, true);
  bar->SetVisible(true);
  QApplication::processEvents();
  Screen->LayoutForm();
  return bar;
}

TzbBarSubItem* BarDemoWindow::AddLongMenu() {
  auto* lang = SubItem("Lang", "&Lang");
  for (int i = 0; i < 60; ++i)
    Add(lang->ItemLinks(), Button("Eintrag" + std::to_string(i), "Eintrag " + std::to_string(i)));
  Add(MainMenu->ItemLinks(), lang);
  QApplication::processEvents();  // the menu bar lays its new entry out
  return lang;
}

TzbBarItem* BarDemoWindow::Item(const std::string& name) const { return Manager->GetItemByName(name); }

TzbBarControl* BarDemoWindow::WindowOf(const TzbBar* bar) const {
  return dynamic_cast<TzbBarControl*>(bar->GetBarControl());
}

TzbBarItemControl* BarDemoWindow::ControlIn(const TCustomzbBarControl* window, const std::string& itemName) const {
  if (!window) return nullptr;
  for (TzbBarItemLink* link : window->ItemLinks().ShownLinks())
    if (link->Item() && link->Item()->Name == itemName) return link->Control();
  return nullptr;
}

TzbBarItemControl* BarDemoWindow::MenuBarEntry(const std::string& itemName) const {
  return ControlIn(WindowOf(MainMenu), itemName);
}

TzbBarSubMenuControl* BarDemoWindow::MenuOf(const std::string& subItemName) const {
  TzbBarItemLinks* links = SubItemLinksOf(*Item(subItemName));
  return links ? dynamic_cast<TzbBarSubMenuControl*>(links->BarControl()) : nullptr;
}

TRect BarDemoWindow::ScreenRectOf(const TzbBarItemControl& control) const {
  auto* w = dynamic_cast<TCustomzbBarControl*>(&control.Parent());
  const TRect r = w->GetItemRect(&control);
  const TPoint tl = w->ClientToScreen(r.TopLeft());
  return Bounds(tl.X, tl.Y, r.Width(), r.Height());
}

QPoint BarDemoWindow::CenterOf(const TzbBarItemControl& control) const {
  const TRect r = ScreenRectOf(control);
  return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
}

QWindow* BarDemoWindow::WindowAt(const QPoint& screen, QPoint& local) const { return BarWindowAt(Form, screen, local); }

QPoint BarDemoWindow::GripOf(const TzbBar* bar) const {
  const TRect w = WindowOf(bar)->WindowRect();
  return QPoint(w.Left + 3, w.Top + w.Height() / 2);
}

QPoint BarDemoWindow::CaptionOf(const TzbBar* bar) const {
  TzbBarControl* window = WindowOf(bar);
  const TRect w = window->WindowRect();
  const TRect c = window->FloatingCaptionRect();
  return QPoint(w.Left + c.Left + 4, w.Top + c.Top + c.Height() / 2);
}

void BarDemoWindow::Drag(const QPoint& from, const QPoint& to) {
  Press(from);
  Move(QPoint((from.x() + to.x()) / 2, (from.y() + to.y()) / 2));
  Move(to);
}

void BarDemoWindow::Press(const QPoint& screen, Qt::MouseButton button) {
  QPoint local;
  QWindow* w = WindowAt(screen, local);
  QTest::mousePress(w, button, Qt::NoModifier, local);
}

void BarDemoWindow::Release(const QPoint& screen, Qt::MouseButton button) {
  QPoint local;
  QWindow* w = WindowAt(screen, local);
  QTest::mouseRelease(w, button, Qt::NoModifier, local);
}

void BarDemoWindow::Click(const QPoint& screen, Qt::MouseButton button) {
  Press(screen, button);
  Release(screen, button);
}

void BarDemoWindow::Move(const QPoint& screen) {
  QPoint local;
  QWindow* w = WindowAt(screen, local);
  QTest::mouseMove(w, local);
}

void BarDemoWindow::DoubleClick(const QPoint& screen) {
  QPoint local;
  QWindow* w = WindowAt(screen, local);
  QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, local);
}

void BarDemoWindow::Key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(Form.windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

void BarDemoWindow::KeyPress(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyPress(Form.windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

void BarDemoWindow::KeyRelease(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyRelease(Form.windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

}  // namespace zyn::test
