#include "BarMdiDemoWindow.h"

#include "platform/MdiWindows.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWindow>

namespace zyn::test {

namespace {

template <class T>
T* Make(TzbBarManager& m, const std::string& name, const std::string& caption, std::vector<std::string>& events) {
  auto* item = m.CreateItem<T>();
  item->Name = name;
  item->SetCaption(caption);
  item->OnClick = [&events](TzbBarItem& i) { events.push_back("OnClick:" + i.Name); };
  return item;
}

QIcon SquareIcon(const QColor& colour) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(colour);
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

BarMdiChildForm::BarMdiChildForm(const QString& title, const QColor& iconColour, std::vector<std::string>& events) {
  setWindowTitle(title);
  setWindowIcon(SquareIcon(iconColour));
  resize(260, 160);
  Manager = std::make_unique<TzbBarManager>(this);
  TzbBarManager& m = *Manager;
  SetupDemoManager(m);
  const std::string key = title.right(1).toStdString();  // "1" or "2"
  auto* bearbeiten = Make<TzbBarSubItem>(m, "Bearbeiten" + key, "&Bearbeiten", events);
  auto* ausschneiden = Make<TzbBarButton>(m, "Ausschneiden" + key, "&Ausschneiden", events);
  ausschneiden->SetShortCut(static_cast<TShortCut>('X' | scCtrl));
  AddLink(bearbeiten->ItemLinks(), ausschneiden);
  AddLink(bearbeiten->ItemLinks(), Make<TzbBarButton>(m, "Kopieren" + key, "&Kopieren", events));
  auto* ansicht = Make<TzbBarSubItem>(m, "Ansicht" + key, "&Ansicht", events);
  AddLink(ansicht->ItemLinks(), Make<TzbBarButton>(m, "Zoom" + key, "&Zoom", events));
  MainMenu = AddDemoMainMenu(m);
  AddLink(MainMenu->ItemLinks(), bearbeiten);
  AddLink(MainMenu->ItemLinks(), ansicht);
  m.Loaded();
  Screen = std::make_unique<TzbBarScreen>(m);
  MainMenu->SetVisible(true);
}

BarMdiChildForm::~BarMdiChildForm() {
  Screen.reset();
  Manager.reset();
}

BarMdiDemoWindow::BarMdiDemoWindow() {
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  Form.setObjectName(QStringLiteral("BarMdiDemoForm"));
  Form.setGeometry(60, 60, 640, 420);
  Area = new QMdiArea(&Form);
  Manager = std::make_unique<TzbBarManager>(&Form);
  TzbBarManager& m = *Manager;
  SetupDemoManager(m);
  auto* datei = Make<TzbBarSubItem>(m, "Datei", "&Datei", Events);
  AddLink(datei->ItemLinks(), Make<TzbBarButton>(m, "Neu", "&Neu", Events));
  AddLink(datei->ItemLinks(), Make<TzbBarButton>(m, "Beenden", "&Beenden", Events), true);
  auto* fenster = Make<TzbBarSubItem>(m, "Fenster", "&Fenster", Events);
  auto* nebeneinander = Make<TzbBarButton>(m, "Nebeneinander", "&Nebeneinander", Events);
  nebeneinander->OnClick = [this](TzbBarItem& i) {
    Events.push_back("OnClick:" + i.Name);
    Area->tileSubWindows();
  };
  auto* ueberlappend = Make<TzbBarButton>(m, "Ueberlappend",
                                          "\xDC"
                                          "berla&ppend",
                                          Events);
  ueberlappend->OnClick = [this](TzbBarItem& i) {
    Events.push_back("OnClick:" + i.Name);
    Area->cascadeSubWindows();
  };
  AddLink(fenster->ItemLinks(), nebeneinander);
  AddLink(fenster->ItemLinks(), ueberlappend);
  auto* hilfe = Make<TzbBarSubItem>(m, "Hilfe", "&Hilfe", Events);
  AddLink(hilfe->ItemLinks(), Make<TzbBarButton>(m, "Inhalt", "&Inhalt", Events));
  MainMenu = AddDemoMainMenu(m);
  AddLink(MainMenu->ItemLinks(), datei);
  AddLink(MainMenu->ItemLinks(), fenster);
  AddLink(MainMenu->ItemLinks(), hilfe);
  // "&Fenster" can be torn off: its detaching bar floats with the same entries.
  WindowBar = m.Bars().Add();
  WindowBar->SetCaption("Fenster");
  WindowBar->ShowMark = false;
  WindowBar->SetDockingStyle(dsNone);
  for (int i = 0; i < fenster->ItemLinks().Count(); ++i)
    WindowBar->ItemLinks().Add()->Assign(*fenster->ItemLinks().Items(i));
  fenster->Detachable = true;
  fenster->SetDetachingBar(WindowBar->Index());
  m.Loaded();
  Screen = std::make_unique<TzbBarScreen>(m);
  Screen->SetClientWidget(Area);
  MainMenu->SetVisible(true);
  const QColor colours[2] = {QColor(0, 128, 0), QColor(0, 0, 192)};
  for (int i = 0; i < 2; ++i) {
    ChildForms[i] = new BarMdiChildForm(QStringLiteral("Projekt %1").arg(i + 1), colours[i], Events);
    Children[i] = AddMdiChild(*Area, ChildForms[i]);
    Children[i]->setGeometry(10 + 150 * i, 10 + 30 * i, 280, 200);
    Children[i]->show();
  }
  Form.show();
  QApplication::processEvents();
  Screen->LayoutForm();
}

BarMdiDemoWindow::~BarMdiDemoWindow() {
  Screen.reset();
  Manager.reset();
  QApplication::processEvents();
}

TzbBarControl* BarMdiDemoWindow::MenuBarWindow() const {
  return dynamic_cast<TzbBarControl*>(MainMenu->GetBarControl());
}

std::vector<std::string> BarMdiDemoWindow::MenuBarNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < MainMenu->ItemLinks().Count(); ++i) {
    TzbBarItem* item = MainMenu->ItemLinks().Items(i)->Item();
    names.push_back(item->InheritsFrom("TSystemMenuSubItem") ? std::string("<System>") : item->Name);
  }
  return names;
}

QPoint BarMdiDemoWindow::ScreenPointOf(const TzbBarControl& window, const TPoint& client) const {
  const TPoint p = window.ClientToScreen(client);
  return QPoint(p.X, p.Y);
}

QPoint BarMdiDemoWindow::WindowButtonPoint(int index) const {
  const TzbBarControl* w = MenuBarWindow();
  const TRect r = w->WindowButtonRect(index);
  return ScreenPointOf(*w, Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

void BarMdiDemoWindow::Press(const QPoint& screen) {
  QPoint local;
  QTest::mousePress(BarWindowAt(Form, screen, local), Qt::LeftButton, Qt::NoModifier, local);
}

void BarMdiDemoWindow::Release(const QPoint& screen) {
  QPoint local;
  QTest::mouseRelease(BarWindowAt(Form, screen, local), Qt::LeftButton, Qt::NoModifier, local);
}

void BarMdiDemoWindow::Click(const QPoint& screen) {
  Press(screen);
  Release(screen);
}

void BarMdiDemoWindow::Move(const QPoint& screen) {
  QPoint local;
  QTest::mouseMove(BarWindowAt(Form, screen, local), local);
}

void BarMdiDemoWindow::DoubleClick(const QPoint& screen) {
  QPoint local;
  QTest::mouseDClick(BarWindowAt(Form, screen, local), Qt::LeftButton, Qt::NoModifier, local);
}

}  // namespace zyn::test
