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
using test::XDrag;

std::vector<std::string> LinkNames(const TzbBarItemLinks& links) {
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
  TzbCommandsListBox* list = form->Commands;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return list->isVisible() && list->currentItem() &&
           list->viewport()->rect().contains(list->visualItemRect(list->currentItem()));
  }));
  ASSERT_TRUE(test::WaitForXEventsHandled());

  // From the command list onto the back half of "Inhalt" on the "Hilfe" toolbar.
  const QPoint from = list->viewport()->mapToGlobal(list->visualItemRect(list->currentItem()).center());
  TzbBar* hilfe = demo.Toolbars[3];
  const TRect inhalt = demo.ScreenRectOf(*demo.ControlIn(demo.WindowOf(hilfe), "Inhalt1"));
  ASSERT_TRUE(XDrag(from, QPoint(inhalt.Left + inhalt.Width() * 3 / 4, inhalt.Top + inhalt.Height() / 2), 6));
  ASSERT_TRUE(QTest::qWaitFor([&] { return TzbBarDragAndDrop::Current() == nullptr; }));
  EXPECT_EQ(LinkNames(hilfe->ItemLinks()), (std::vector<std::string>{"Inhalt1", "Beenden1"}));

  // "Neu" off the "Dateimenü" toolbar onto the work area: it goes.
  TzbBar* datei = demo.Toolbars[0];
  ASSERT_TRUE(XDrag(demo.CenterOf(*demo.ControlIn(demo.WindowOf(datei), "Neu1")),
                    demo.Client->mapToGlobal(QPoint(300, 200)), 6));
  ASSERT_TRUE(QTest::qWaitFor([&] { return TzbBarDragAndDrop::Current() == nullptr; }));
  EXPECT_EQ(LinkNames(datei->ItemLinks()),
            (std::vector<std::string>{"ffnen1", "Speichern1", "Projektdaten1", "Kundendaten1"}));
  demo.Manager->SetCustomizing(false);
}

}  // namespace
}  // namespace zyn
