// The tree-view combo "Raum" on the demo form's toolbar "Weitere Felder": finding nodes by text,
// the drop-down tree with keys and mouse, its close button and size grip, the selection dialog,
// the change events and the picture of the open tree.

#include "widgets/bars/BarTreeItems.h"

#include "BarDemoWindow.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "widgets/bars/BarItemLinks.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class TreeCombo : public ::testing::Test {
 protected:
  TreeCombo() {
    bar = demo.AddMoreFieldsBar();
    combo = static_cast<TzbBarTreeViewCombo*>(demo.Item("Raum"));
    combo->OnChange = [this](TzbBarItem&) { ++changes; };
  }
  ~TreeCombo() override { TzbBarTreeViewCombo::RunDialog = saved; }
  TzbBarComboControl* Control() {
    return dynamic_cast<TzbBarComboControl*>(demo.ControlIn(demo.WindowOf(bar), "Raum"));
  }
  TzbBarComboControl* Open() {
    TzbBarComboControl* c = Control();
    EXPECT_NE(c, nullptr);
    if (!c) return nullptr;
    demo.ClickControl(*c);
    QApplication::processEvents();
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_TRUE(combo->Popup().isVisible());
    return c;
  }
  std::string CurrentText() const {
    const TTreeNode* n = combo->Tree().currentItem();
    return n ? FromQString(n->text(0)) : std::string();
  }
  static void ClickAt(QWidget* w, const QPoint& p) { QTest::mouseClick(w, Qt::LeftButton, {}, p); }

  test::BarDemoWindow demo;
  TzbBar* bar = nullptr;
  TzbBarTreeViewCombo* combo = nullptr;
  int changes = 0;
  decltype(TzbBarTreeViewCombo::RunDialog) saved = TzbBarTreeViewCombo::RunDialog;
};

TEST_F(TreeCombo, PropertiesAndFindingNodes) {
  TzbBarTreeViewCombo c(*demo.Manager);
  EXPECT_TRUE(c.AllowResizing);
  EXPECT_TRUE(c.ChooseByDblClick);
  EXPECT_FALSE(c.ShowEditor());
  EXPECT_TRUE(c.ShowImageInEdit());
  EXPECT_EQ(c.DropDownHeight(), 200);
  EXPECT_EQ(c.DropDownWidth(), 150);
  c.SetDropDownWidth(50);
  EXPECT_EQ(c.DropDownWidth(), 100);
  c.SetDropDownHeight(20);
  EXPECT_EQ(c.DropDownHeight(), 100);
  // Depth first and without regard to case: the child of the first top-level node wins over the
  // second top-level node of the same text.
  TTreeNode* a = c.AddNode(nullptr, "A");
  TTreeNode* child = c.AddNode(a, "Ziel");
  c.AddNode(nullptr, "ziel");
  EXPECT_EQ(c.FindNode("ZIEL"), child);
  EXPECT_EQ(c.FindNode("fehlt"), nullptr);
  c.SetText("ziel");
  EXPECT_EQ(c.CurrentNode(), child);
  c.SetText("fehlt");
  EXPECT_EQ(c.CurrentNode(), nullptr);
  c.SetCurrentNode(a);
  EXPECT_EQ(c.Text(), "A");
  c.DeleteNode(a);  // the current node goes
  EXPECT_EQ(c.CurrentNode(), nullptr);
}

TEST_F(TreeCombo, ValueByCodeFiresOneChange) {
  EXPECT_EQ(combo->Text(), "Flur");
  ASSERT_NE(combo->CurrentNode(), nullptr);
  combo->SetText(Ansi("küche"));
  EXPECT_EQ(FromQString(combo->CurrentNode()->text(0)), Ansi("Küche"));
  EXPECT_EQ(changes, 1);
  combo->SetCurrentNode(combo->FindNode("Bad"));
  EXPECT_EQ(combo->Text(), "Bad");
  EXPECT_EQ(changes, 2);
  combo->SetCurrentNode(combo->CurrentNode());
  EXPECT_EQ(changes, 2);
  combo->CurrentNode()->setText(0, QStringLiteral("Badezimmer"));  // renaming the current node
  EXPECT_EQ(combo->Text(), "Badezimmer");
  EXPECT_EQ(changes, 3);
}

TEST_F(TreeCombo, KeysInTheOpenTreeChooseANodeOnce) {
  TzbBarComboControl* c = Open();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(CurrentText(), "Flur");  // the tree opens on the current node
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(CurrentText(), Ansi("Küche"));
  EXPECT_EQ(c->GetText(), Ansi("Küche"));  // the edit follows at once
  EXPECT_EQ(combo->Text(), "Flur");
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_EQ(combo->Text(), Ansi("Küche"));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(combo->Popup().isVisible());
  EXPECT_FALSE(Control()->Focused());
}

TEST_F(TreeCombo, EscCancelsAndARefusedNodeKeepsTheTreeOpen) {
  TzbBarComboControl* c = Open();
  ASSERT_NE(c, nullptr);
  QTest::keyClick(c->Editor(), Qt::Key_Up);
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(combo->Popup().isVisible());
  QTest::keyClick(c->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(c->Focused());
  EXPECT_EQ(combo->Text(), "Flur");
  EXPECT_EQ(changes, 0);
  combo->OnCanSelectNode = [](TzbBarTreeViewCombo&, TTreeNode* node, bool& can) { can = node->childCount() == 0; };
  c = Open();
  ASSERT_NE(c, nullptr);
  combo->Tree().setCurrentItem(combo->FindNode("Erdgeschoss"));
  QTest::keyClick(c->Editor(), Qt::Key_Return);
  EXPECT_TRUE(combo->Popup().isVisible());
  EXPECT_EQ(combo->Text(), "Flur");
  EXPECT_EQ(changes, 0);
}

TEST_F(TreeCombo, MouseChoosesByDoubleOrSingleClick) {
  TzbBarComboControl* c = Open();
  ASSERT_NE(c, nullptr);
  TzbBarTreeView& tree = combo->Tree();
  const QRect bad = tree.visualItemRect(combo->FindNode("Obergeschoss"));
  ClickAt(tree.viewport(), bad.center());  // a single click only selects
  EXPECT_TRUE(combo->Popup().isVisible());
  QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, bad.center());
  EXPECT_EQ(combo->Text(), "Obergeschoss");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(combo->Popup().isVisible());
  combo->ChooseByDblClick = false;
  c = Open();
  ASSERT_NE(c, nullptr);
  TTreeNode* upper = combo->FindNode("Obergeschoss");
  upper->setExpanded(false);
  const QRect r = tree.visualItemRect(upper);
  ClickAt(tree.viewport(), QPoint(r.left() - tree.indentation() / 2, r.center().y()));  // the expand button
  EXPECT_TRUE(combo->Popup().isVisible());
  EXPECT_EQ(changes, 1);
  ClickAt(tree.viewport(), tree.visualItemRect(combo->FindNode("Garage")).center());
  EXPECT_EQ(combo->Text(), "Garage");
  EXPECT_EQ(changes, 2);
}

TEST_F(TreeCombo, CloseButtonAndSizeGrip) {
  ASSERT_NE(Open(), nullptr);
  TzbBarTreeViewPopup& popup = combo->Popup();
  EXPECT_EQ(popup.GripCorner(), 3);  // below and to the right of the item
  const TRect close = popup.CloseRect(), grip = popup.GripRect();
  ASSERT_FALSE(IsRectEmpty(close));
  ASSERT_FALSE(IsRectEmpty(grip));
  const QPoint origin = popup.mapToGlobal(QPoint(0, 0));
  // Dragging the grip resizes the drop-down, never below 100 x 100.
  const QPoint g = QPoint((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2) - origin;
  QTest::mousePress(&popup, Qt::LeftButton, {}, g);
  QMouseEvent move(QEvent::MouseMove, QPointF(g + QPoint(40, 30)), QPointF(popup.mapToGlobal(g + QPoint(40, 30))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&popup, &move);
  QTest::mouseRelease(&popup, Qt::LeftButton, {}, g + QPoint(40, 30));
  EXPECT_EQ(combo->DropDownWidth(), 190);
  EXPECT_EQ(combo->DropDownHeight(), 230);
  EXPECT_TRUE(combo->Tree().geometry().bottom() < popup.height() - 1);  // the strip stays below the tree
  const QPoint x = QPoint((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2) - origin;
  ClickAt(&popup, x);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(changes, 0);
}

TEST_F(TreeCombo, TheDialogChoosesByText) {
  std::string shown;
  TzbBarTreeViewCombo::RunDialog = [&](QDialog& d) {
    auto* tree = d.findChild<TzbBarTreeView*>();
    shown = FromQString(tree->currentItem()->text(0));
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    d.show();
    d.resize(d.width() + 20, d.height() + 10);  // a resized dialog resizes the drop-down
    QApplication::processEvents();
    tree->setCurrentItem(tree->topLevelItem(1));
    return true;
  };
  const int width = combo->DropDownWidth();
  combo->Click();
  EXPECT_EQ(shown, "Flur");
  EXPECT_EQ(combo->Text(), "Garage");
  EXPECT_EQ(combo->CurrentNode(), combo->FindNode("Garage"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->DropDownWidth(), width + 20);
  TzbBarTreeViewCombo::RunDialog = [](QDialog&) { return false; };
  combo->Click();
  EXPECT_EQ(combo->Text(), "Garage");
}

TEST_F(TreeCombo, GoldenImageOfTheOpenTree) {
  combo->FullExpand = true;
  ASSERT_NE(Open(), nullptr);
  QApplication::processEvents();
  const QImage shot = combo->Popup().grab().toImage();
  test::CompareWithGolden(shot, QStringLiteral("more_fields_tree"));
  const QRect flur = combo->Tree().visualItemRect(combo->FindNode("Flur"));
  const QRect bad = combo->Tree().visualItemRect(combo->FindNode("Bad"));
  const QPoint at = combo->Tree().viewport()->mapTo(&combo->Popup(), QPoint(0, 0));
  EXPECT_GE(test::TextContrast(shot, flur.translated(at)), 4.5);  // the selected node
  EXPECT_GE(test::TextContrast(shot, bad.translated(at)), 4.5);
  // Without buttons and lines the indent of the nodes stays empty.
  const QRect house = combo->Tree().visualItemRect(combo->FindNode("Haus")).translated(at);
  const QRect indent(at.x(), house.top(), house.left() - at.x(), house.height());
  auto inkIn = [](const QImage& image, const QRect& r) {
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) ink += image.pixelColor(x, y) != QColor(Qt::white);
    return ink;
  };
  EXPECT_GT(inkIn(shot, indent), 0);
  combo->SetShowButtons(false);
  combo->SetShowLines(false);
  EXPECT_EQ(inkIn(combo->Popup().grab().toImage(), indent), 0);
}

}  // namespace
}  // namespace zyn
