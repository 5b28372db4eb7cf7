// The tree-view combo "Raum" on the demo form's toolbar "Weitere Felder": finding nodes by text,
// the drop-down tree with keys and mouse, its close button and size grip, the selection dialog,
// the change events and the picture of the open tree; the questions before expanding, collapsing
// and changing the selection, the sort types, the image index events and state images, loading,
// and the drop-down after a palette change.

#include "widgets/bars/BarTreeItems.h"

#include "BarDemoWindow.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "widgets/bars/BarItemLinks.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

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

// Opening and closing a node ask first, on the node as it is; a refusal keeps the node as it was
// and nothing is told afterwards.
TEST_F(TreeCombo, ExpandingAndCollapsingAskFirst) {
  ASSERT_NE(Open(), nullptr);
  TzbBarTreeView& tree = combo->Tree();
  TTreeNode* upper = combo->FindNode("Obergeschoss");
  ASSERT_FALSE(upper->isExpanded());
  std::vector<std::string> log;
  bool allow = false;
  auto state = [](const TTreeNode* n) { return FromQString(n->text(0)) + (n->isExpanded() ? " offen" : " zu"); };
  combo->OnExpanding = [&](TzbBarTreeViewCombo& c, TTreeNode* n, bool& a) {
    EXPECT_EQ(&c, combo);
    log.push_back("expanding " + state(n));
    a = allow;
  };
  combo->OnCollapsing = [&](TzbBarTreeViewCombo&, TTreeNode* n, bool& a) {
    log.push_back("collapsing " + state(n));
    a = allow;
  };
  combo->OnExpanded = [&](TzbBarTreeViewCombo&, TTreeNode* n) { log.push_back("expanded " + state(n)); };
  combo->OnCollapsed = [&](TzbBarTreeViewCombo&, TTreeNode* n) { log.push_back("collapsed " + state(n)); };
  auto clickButton = [&] {
    const QRect r = tree.visualItemRect(upper);
    ClickAt(tree.viewport(), QPoint(r.left() - tree.indentation() / 2, r.center().y()));
  };
  clickButton();  // refused
  EXPECT_FALSE(upper->isExpanded());
  EXPECT_FALSE(tree.visualItemRect(combo->FindNode("Bad")).isValid());
  EXPECT_EQ(log, std::vector<std::string>({"expanding Obergeschoss zu"}));
  allow = true;
  clickButton();
  EXPECT_TRUE(upper->isExpanded());
  EXPECT_TRUE(tree.visualItemRect(combo->FindNode("Bad")).isValid());
  allow = false;
  clickButton();  // refused
  EXPECT_TRUE(upper->isExpanded());
  upper->setExpanded(false);  // code asks as well
  EXPECT_TRUE(upper->isExpanded());
  allow = true;
  upper->setExpanded(false);
  EXPECT_FALSE(upper->isExpanded());
  EXPECT_EQ(log, std::vector<std::string>({"expanding Obergeschoss zu", "expanding Obergeschoss zu",
                                           "expanded Obergeschoss offen", "collapsing Obergeschoss offen",
                                           "collapsing Obergeschoss offen", "collapsing Obergeschoss offen",
                                           "collapsed Obergeschoss zu"}));
  // FullExpand opens every node through the same question.
  combo->CloseDropDowns();
  combo->OnExpanding = [](TzbBarTreeViewCombo&, TTreeNode* n, bool& a) { a = n->text(0) != "Obergeschoss"; };
  combo->FullExpand = true;
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(combo->FindNode("Haus")->isExpanded());
  EXPECT_TRUE(combo->FindNode("Erdgeschoss")->isExpanded());
  EXPECT_FALSE(upper->isExpanded());
}

// Another node becomes the selected one only when OnChanging allows it; a refusal keeps the
// selection, the edit text and tells no change.
TEST_F(TreeCombo, ChangingAsksBeforeTheSelectionMoves) {
  TzbBarComboControl* c = Open();
  ASSERT_NE(c, nullptr);
  TzbBarTreeView& tree = combo->Tree();
  std::vector<std::string> asked, changed;
  bool allow = false;
  combo->OnChanging = [&](TzbBarTreeViewCombo&, TTreeNode* n, bool& a) {
    asked.push_back(FromQString(n->text(0)));
    a = allow;
  };
  combo->OnTreeViewChange = [&](TzbBarTreeViewCombo&, TTreeNode* n) { changed.push_back(FromQString(n->text(0))); };
  auto selected = [&] {
    const auto items = tree.selectedItems();
    return items.size() == 1 ? FromQString(items.front()->text(0)) : std::string("?");
  };
  QTest::keyClick(c->Editor(), Qt::Key_Down);                                              // by key
  ClickAt(tree.viewport(), tree.visualItemRect(combo->FindNode("Erdgeschoss")).center());  // by mouse
  tree.setCurrentItem(combo->FindNode("Haus"));                                            // by code
  combo->FindNode("Garage")->setSelected(true);                                            // a node selected directly
  EXPECT_EQ(asked, std::vector<std::string>({Ansi("Küche"), "Erdgeschoss", "Haus", "Garage"}));
  EXPECT_TRUE(changed.empty());
  EXPECT_EQ(CurrentText(), "Flur");
  EXPECT_EQ(selected(), "Flur");
  EXPECT_EQ(c->GetText(), "Flur");
  allow = true;
  asked.clear();
  QTest::keyClick(c->Editor(), Qt::Key_Down);
  EXPECT_EQ(asked, std::vector<std::string>({Ansi("Küche")}));
  EXPECT_EQ(changed, std::vector<std::string>({Ansi("Küche")}));
  EXPECT_EQ(selected(), Ansi("Küche"));
  EXPECT_EQ(c->GetText(), Ansi("Küche"));
  ClickAt(tree.viewport(), tree.visualItemRect(combo->FindNode("Erdgeschoss")).center());
  EXPECT_EQ(selected(), "Erdgeschoss");
  combo->FindNode("Garage")->setSelected(true);
  EXPECT_EQ(selected(), "Garage");
  EXPECT_EQ(CurrentText(), "Garage");
  EXPECT_EQ(changes, 0);
}

// Each sort type orders the same nodes; OnCompare (comparing the nodes' data) decides wherever it
// is assigned, sorting by data needs it.
TEST_F(TreeCombo, SortTypesOrderTheNodes) {
  struct Case {
    TSortType type;
    bool compare;
    const char* top;
    const char* children;
  };
  const Case cases[] = {
      {stNone, false, "beta gamma Alpha", "z Y"}, {stNone, true, "beta gamma Alpha", "z Y"},
      {stText, false, "Alpha beta gamma", "Y z"}, {stText, true, "gamma beta Alpha", "z Y"},
      {stData, false, "beta gamma Alpha", "z Y"}, {stData, true, "gamma beta Alpha", "z Y"},
      {stBoth, false, "Alpha beta gamma", "Y z"}, {stBoth, true, "gamma beta Alpha", "z Y"},
  };
  auto texts = [](const TTreeNode* parent) {
    std::string s;
    for (int i = 0; i < parent->childCount(); ++i) s += (i ? " " : "") + FromQString(parent->child(i)->text(0));
    return s;
  };
  auto value = [](const TTreeNode* n) { return reinterpret_cast<std::intptr_t>(TzbBarTreeViewCombo::NodeData(n)); };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "sort type " << k.type << (k.compare ? " with OnCompare" : ""));
    TzbBarTreeViewCombo c(*demo.Manager);
    std::vector<int> data;
    if (k.compare)
      c.OnCompare = [&](TzbBarTreeViewCombo&, TTreeNode* a, TTreeNode* b, int d, int& result) {
        data.push_back(d);
        result = static_cast<int>(value(a) - value(b));
      };
    auto add = [&](TTreeNode* parent, const char* text, std::intptr_t d) {
      return c.AddNodeObject(parent, text, reinterpret_cast<void*>(d));
    };
    // Set before and after the nodes come: both orders end alike.
    for (const bool typeFirst : {true, false}) {
      c.ClearNodes();
      c.SetSortType(typeFirst ? k.type : stNone);
      TTreeNode* beta = add(nullptr, "beta", 2);
      add(nullptr, "gamma", 1);
      add(nullptr, "Alpha", 3);
      add(beta, "z", 1);
      add(beta, "Y", 2);
      c.SetSortType(k.type);
      EXPECT_EQ(texts(c.Tree().invisibleRootItem()), k.top);
      EXPECT_EQ(texts(c.FindNode("beta")), k.children);
    }
    EXPECT_TRUE(std::all_of(data.begin(), data.end(), [](int d) { return d == 0; }));
  }
  // A changed text sorts anew when sorting by text, changed data when sorting by data.
  TzbBarTreeViewCombo c(*demo.Manager);
  c.OnCompare = [&](TzbBarTreeViewCombo&, TTreeNode* a, TTreeNode* b, int d, int& result) {
    EXPECT_EQ(d, c.SortType() == stNone ? 7 : 0);
    result = static_cast<int>(value(a) - value(b));
  };
  TTreeNode* first = c.AddNode(nullptr, "b");
  c.SetNodeData(first, reinterpret_cast<void*>(1));
  c.SetNodeData(c.AddNode(nullptr, "a"), reinterpret_cast<void*>(2));
  c.SetSortType(stData);
  EXPECT_EQ(texts(c.Tree().invisibleRootItem()), "b a");
  c.SetNodeData(first, reinterpret_cast<void*>(3));
  EXPECT_EQ(texts(c.Tree().invisibleRootItem()), "a b");
  c.OnCompare = nullptr;
  c.SetSortType(stText);
  first->setText(0, QStringLiteral("0"));
  EXPECT_EQ(texts(c.Tree().invisibleRootItem()), "0 a");
  c.SetNodeData(first, reinterpret_cast<void*>(9));  // data alone does not sort by text
  c.SetSortType(stNone);
  first->setText(0, QStringLiteral("z"));
  EXPECT_EQ(texts(c.Tree().invisibleRootItem()), "z a");
  c.OnCompare = [&](TzbBarTreeViewCombo&, TTreeNode* a, TTreeNode* b, int d, int& result) {
    EXPECT_EQ(d, 7);  // the value handed to an explicit sort
    result = -static_cast<int>(value(a) - value(b));
  };
  c.AlphaSort(7);
  EXPECT_EQ(texts(c.Tree().invisibleRootItem()), "z a");
}

// The pop-up tree asks for each node's image index while it draws it, and for the selected
// index of the selected node; the drawn pictures follow the answers.
TEST_F(TreeCombo, ImageIndexEventsChooseThePictures) {
  combo->FullExpand = true;
  ASSERT_NE(Open(), nullptr);
  TzbBarTreeView& tree = combo->Tree();
  TTreeNode* bath = combo->FindNode("Bad");
  TTreeNode* hall = combo->FindNode("Flur");
  // Counts the red, green and blue pixels of a node's row left of its text.
  auto colours = [&](const TTreeNode* node) {
    const QImage shot = tree.viewport()->grab().toImage();
    const QRect r = tree.visualItemRect(node);
    int red = 0, green = 0, blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x < r.left() + 20; ++x) {
        const QColor p = shot.pixelColor(x, y);
        red += p.red() > 180 && p.green() < 90 && p.blue() < 90;
        green += p.green() > 100 && p.red() < 90 && p.blue() < 90;
        blue += p.blue() > 150 && p.red() < 90 && p.green() < 90;
      }
    return std::vector<int>{red, green, blue};
  };
  auto only = [](const std::vector<int>& c, int which) {
    for (int i = 0; i < 3; ++i)
      if ((i == which) != (c[static_cast<std::size_t>(i)] > 0)) return false;
    return true;
  };
  EXPECT_TRUE(only(colours(bath), 0));  // its own image: the red circle
  std::set<std::string> askedImage, askedSelected;
  combo->OnGetImageIndex = [&](TzbBarTreeViewCombo& c, TTreeNode* n) {
    askedImage.insert(FromQString(n->text(0)));
    if (n == bath) c.SetNodeImageIndex(n, 1);
  };
  combo->OnGetSelectedIndex = [&](TzbBarTreeViewCombo& c, TTreeNode* n) {
    askedSelected.insert(FromQString(n->text(0)));
    c.SetNodeSelectedIndex(n, 2);
  };
  tree.viewport()->update();
  EXPECT_TRUE(only(colours(bath), 1));  // the green square
  EXPECT_EQ(TzbBarTreeViewCombo::NodeImageIndex(bath), 1);
  EXPECT_TRUE(askedImage.count("Bad") && askedImage.count("Flur"));
  EXPECT_EQ(askedSelected, std::set<std::string>({"Flur"}));
  EXPECT_EQ(TzbBarTreeViewCombo::NodeSelectedIndex(hall), 2);
  EXPECT_EQ(TzbBarTreeViewCombo::NodeSelectedIndex(bath), -1);
  EXPECT_TRUE(only(colours(hall), 2));  // the selected node shows its selected image: the blue triangle
  // State images stand left of the images.
  TzbSideBarImageList states(8, 16);
  QImage yellow(8, 16, QImage::Format_RGB32);
  yellow.fill(QColor(255, 255, 0));
  states.Add(yellow);
  combo->SetStateImages(&states);
  combo->SetNodeStateIndex(bath, 0);
  QApplication::processEvents();
  const QImage shot = tree.viewport()->grab().toImage();
  const QRect r = tree.visualItemRect(bath);
  int yellowLeft = -1, greenLeft = -1;
  for (int x = r.left() + 20; x >= r.left(); --x) {
    const QColor p = shot.pixelColor(x, r.center().y());
    if (p == QColor(255, 255, 0)) yellowLeft = x;
    if (p.green() > 100 && p.red() < 90 && p.blue() < 90) greenLeft = x;
  }
  EXPECT_GE(yellowLeft, r.left());
  EXPECT_GT(greenLeft, yellowLeft + 7);  // the green square right of the 8 pixels of the state image
  combo->SetStateImages(nullptr);
}

// A changed system palette builds the open drop-down anew: the frame in the new colours, the
// grip and close button laid out again, a hot close button no longer hot; closing it ends a
// tracked close button as well.
TEST_F(TreeCombo, APaletteChangeOrClosingEndsTheCloseButtonsLook) {
  ASSERT_NE(Open(), nullptr);
  TzbBarTreeViewPopup& popup = combo->Popup();
  const TRect close = popup.CloseRect(), grip = popup.GripRect();
  const QPoint x =
      QPoint((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2) - popup.mapToGlobal(QPoint(0, 0));
  QMouseEvent move(QEvent::MouseMove, QPointF(x), QPointF(popup.mapToGlobal(x)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&popup, &move);
  ASSERT_TRUE(popup.CloseHot());
  const QImage before = popup.grab().toImage();
  const QPalette saved = QApplication::palette();
  QPalette changed = saved;
  for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
    changed.setColor(role, QColor(200, 230, 200));
  QApplication::setPalette(changed);
  QApplication::processEvents();
  EXPECT_FALSE(popup.CloseHot());
  EXPECT_TRUE(popup.isVisible());
  EXPECT_EQ(popup.CloseRect(), close);
  EXPECT_EQ(popup.GripRect(), grip);
  const QImage after = popup.grab().toImage();
  QApplication::setPalette(saved);
  QApplication::processEvents();
  EXPECT_NE(before, after);
  EXPECT_EQ(after.pixelColor(after.width() / 2, after.height() - 3), QColor(200, 230, 200));  // the grip strip
  // A press on the close button tracks it; closed meanwhile (Esc), the drop-down opens again
  // without the tracked look.
  QTest::mousePress(&popup, Qt::LeftButton, {}, x);
  ASSERT_TRUE(popup.CloseHot());
  QTest::keyClick(Control()->Editor(), Qt::Key_Escape);
  EXPECT_FALSE(popup.isVisible());
  ASSERT_NE(Open(), nullptr);
  EXPECT_FALSE(popup.CloseHot());
}

// A text set while loading waits for the nodes; a node removed in any way stops being the
// current one.
TEST_F(TreeCombo, LoadingKeepsTheTextAndARemovedNodeIsForgotten) {
  TzbBarTreeViewCombo c(*demo.Manager);
  c.BeginLoading();
  c.SetText("bad");
  EXPECT_EQ(c.Text(), "");
  TTreeNode* upper = c.AddNode(nullptr, "Obergeschoss");
  TTreeNode* bath = c.AddNode(upper, "Bad");
  c.Loaded();
  EXPECT_EQ(c.Text(), "bad");
  EXPECT_EQ(c.CurrentNode(), bath);
  delete upper->takeChild(0);
  EXPECT_EQ(c.CurrentNode(), nullptr);
  EXPECT_EQ(c.Text(), "bad");
  c.SetCurrentNode(c.AddNode(upper, "Flur"));
  delete upper;  // with its child
  EXPECT_EQ(c.CurrentNode(), nullptr);
}

}  // namespace
}  // namespace zyn
