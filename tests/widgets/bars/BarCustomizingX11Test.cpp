// Customizing on a real X server: the test runs itself again under Xvfb on the xcb platform and
// drags with the real pointer (xdotool), so that the pointer grab of the window the drag started
// in and the input filter of the drag meet the platform's own input. Skipped when Xvfb or xdotool
// are absent.

#include "BarDemoWindow.h"
#include "BarX11Support.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::InX11Child;
using test::XDoTool;

// Presses the left button at one point, moves in steps to another and releases it there.
bool PointerDrag(const QPoint& from, const QPoint& to) {
  QStringList args = {QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
                      QStringLiteral("sleep"),     QStringLiteral("0.1"),     QStringLiteral("mousedown"),
                      QStringLiteral("1")};
  for (int step = 1; step <= 6; ++step) {
    args << QStringLiteral("sleep") << QStringLiteral("0.08") << QStringLiteral("mousemove")
         << QString::number(from.x() + (to.x() - from.x()) * step / 6)
         << QString::number(from.y() + (to.y() - from.y()) * step / 6);
  }
  args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup") << QStringLiteral("1");
  return XDoTool(args);
}

std::vector<std::string> Names(const TzbBarItemLinks& links) {
  std::vector<std::string> out;
  for (int i = 0; i < links.Count(); ++i) out.push_back(links.Items(i)->Item()->Name);
  return out;
}

TEST(BarCustomizingX11, DragsWorkWithThePointerOfARealXServer) {
  if (InX11Child()) GTEST_SKIP() << "this is the run under Xvfb";
  test::RunChildTestsUnderXvfb(QStringLiteral("BarCustomizingX11Child*"), 1);
}

TEST(BarCustomizingX11Child, ACommandDraggedOntoAToolbarAndALinkDraggedOffTheBars) {
  if (!InX11Child()) GTEST_SKIP() << "runs only under Xvfb, started by BarCustomizingX11";
  test::BarDemoWindow demo({}, true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&demo.Form));
  demo.Manager->SetCustomizing(true);
  TzbBarCustomizingForm* form = CustomizingForm();
  ASSERT_NE(form, nullptr);
  form->move(demo.Form.frameGeometry().right() + 20, 200);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  form->Pages->setCurrentIndex(1);
  form->SelectItem(demo.Item("Beenden1"));
  QTest::qWait(200);

  // From the command list onto the back half of "Inhalt" on the "Hilfe" toolbar.
  TzbCommandsListBox* list = form->Commands;
  const QPoint from = list->viewport()->mapToGlobal(list->visualItemRect(list->currentItem()).center());
  TzbBar* hilfe = demo.Toolbars[3];
  const TRect inhalt = demo.ScreenRectOf(*demo.ControlIn(demo.WindowOf(hilfe), "Inhalt1"));
  ASSERT_TRUE(PointerDrag(from, QPoint(inhalt.Left + inhalt.Width() * 3 / 4, inhalt.Top + inhalt.Height() / 2)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return TzbBarDragAndDrop::Current() == nullptr; }));
  EXPECT_EQ(Names(hilfe->ItemLinks()), (std::vector<std::string>{"Inhalt1", "Beenden1"}));

  // "Neu" off the "Dateimenü" toolbar onto the work area: it goes.
  TzbBar* datei = demo.Toolbars[0];
  ASSERT_TRUE(PointerDrag(demo.CenterOf(*demo.ControlIn(demo.WindowOf(datei), "Neu1")),
                          demo.Client->mapToGlobal(QPoint(300, 200))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return TzbBarDragAndDrop::Current() == nullptr; }));
  EXPECT_EQ(Names(datei->ItemLinks()),
            (std::vector<std::string>{"ffnen1", "Speichern1", "Projektdaten1", "Kundendaten1"}));
  demo.Manager->SetCustomizing(false);
}

}  // namespace
}  // namespace zyn
