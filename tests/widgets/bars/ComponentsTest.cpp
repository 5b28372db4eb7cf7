// The component bases, the library's resource strings and its fourteen cursors.

#include "widgets/bars/Components.h"

#include "BarTestSupport.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/PaintUtils.h"

#include <QBitmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <set>

namespace zyn {
namespace {

class TLinkingComponent : public TzxComponent {
 public:
  using TzxComponent::TzxComponent;
  std::vector<TzxComponent*> Shown;

 protected:
  void CollectFakeLinks(std::vector<TzxComponent*>& list) override { list = Shown; }
};

TEST(Components, AComponentClearsTheWeakLinksToItselfWhenItGoes) {
  auto component = std::make_unique<TzxComponent>();
  TzxObjectLink* link = AddObjectLink(component.get());
  int other = 0;
  TzxObjectLink* otherLink = AddObjectLink(&other);
  component.reset();
  EXPECT_EQ(link->Target, nullptr);
  EXPECT_EQ(otherLink->Target, &other);
  RemoveObjectLink(link);
  RemoveObjectLink(otherLink);
  EXPECT_EQ(ObjectLinkCount(), 0);
}

TEST(Components, TheDesignerLinksAreTheFirstThreeCollectedOnlyInTheDesignerWithAnOwner) {
  TzxComponent owner, a, b, c, d;
  TLinkingComponent component(&owner);
  component.Shown = {&a, &b, &c, &d};
  component.Loaded();  // not in the designer
  EXPECT_EQ(component.FakeComponentLink1, nullptr);
  component.SetDesigning(true);
  component.Loaded();
  EXPECT_EQ(component.FakeComponentLink1, &a);
  EXPECT_EQ(component.FakeComponentLink2, &b);
  EXPECT_EQ(component.FakeComponentLink3, &c);
  component.Shown = {&d};
  component.Loaded();
  EXPECT_EQ(component.FakeComponentLink1, &d);
  EXPECT_EQ(component.FakeComponentLink2, nullptr);
  EXPECT_EQ(component.FakeComponentLink3, nullptr);
  TLinkingComponent orphan;  // without an owner nothing is collected
  orphan.SetDesigning(true);
  orphan.Shown = {&a};
  orphan.Loaded();
  EXPECT_EQ(orphan.FakeComponentLink1, nullptr);
}

class THost : public IzxChildComponentHost {
 public:
  std::vector<TzxControlChildComponent*> Children;
  std::vector<bool> DestroyingWhenDropped;
  void AddChildComponent(TzxControlChildComponent& child) override {
    Children.push_back(&child);
    child.SetControl(this);
  }
  void RemoveChildComponent(TzxControlChildComponent& child) override {
    DestroyingWhenDropped.push_back(child.IsDestroying());
    Children.erase(std::remove(Children.begin(), Children.end(), &child), Children.end());
    child.SetControl(nullptr);
  }
};

TEST(Components, AChildComponentJoinsTheControlItIsGivenAndLeavesItWhenItGoes) {
  THost first, second;
  auto child = std::make_unique<TzxControlChildComponent>();
  EXPECT_FALSE(child->HasParent());
  child->SetParentComponent(&first);
  EXPECT_TRUE(child->HasParent());
  EXPECT_EQ(child->GetParentComponent(), &first);
  EXPECT_EQ(first.Children, std::vector<TzxControlChildComponent*>{child.get()});
  child->SetParentComponent(&second);  // moves
  EXPECT_TRUE(first.Children.empty());
  EXPECT_EQ(second.Children, std::vector<TzxControlChildComponent*>{child.get()});
  child.reset();
  EXPECT_TRUE(second.Children.empty());
  EXPECT_EQ(second.DestroyingWhenDropped, std::vector<bool>{true});
}

TEST(Components, ALookAndFeelIsAPersistentObjectThatKnowsItsOwner) {
  int owner = 0;
  TzxLookAndFeel lookAndFeel(&owner);
  const TzxInterfacedPersistent& persistent = lookAndFeel;
  EXPECT_EQ(persistent.Owner(), &owner);
}

TEST(Components, LibraryStringsPassTheInstalledReplacementsOnly) {
  EXPECT_EQ(LoadLibraryString("Customize"), "Customize");
  EXPECT_FALSE(SetLibraryStringReplacements({"Customize"}, {}));  // lists of different lengths
  ASSERT_TRUE(SetLibraryStringReplacements({"Customize", "Add Toolbar"}, {"Adapt", "New bar"}));
  EXPECT_EQ(LoadLibraryString("Add Toolbar"), "New bar");
  EXPECT_EQ(LoadLibraryString("Black"), "Black");
  EXPECT_EQ(LoadLibraryString("customize"), "customize");  // exact texts only
  // The library's texts go through them before a translator.
  const TzbBarTextTranslator saved =
      SetBarTextTranslator([](const std::string& text) { return text == "Adapt" ? "Anpassen" : text; });
  EXPECT_EQ(BarText("Customize"), "Anpassen");
  SetBarTextTranslator(saved);
  ASSERT_TRUE(SetLibraryStringReplacements({}, {}));
  EXPECT_EQ(LoadLibraryString("Add Toolbar"), "Add Toolbar");
}

TEST(Components, TheFourteenCursorsAreInTheTableUnderTheirNumbersWithTheirOwnPictures) {
  test::EnsureApplication();
  QWidget form;
  TzbBarManager manager(&form);  // starts the library's units
  const std::pair<int, const char*> expected[] = {
      {2100, "CX_DRAGCOPYCURSOR"},  {2101, "CX_FULLSCROLLCURSOR"},  {2102, "CX_HORSCROLLCURSOR"},
      {2103, "CX_VERSCROLLCURSOR"}, {2104, "CX_UPSCROLLCURSOR"},    {2105, "CX_RIGHTSCROLLCURSOR"},
      {2106, "CX_DOWNSCROLLCURSOR"}, {2107, "CX_LEFTSCROLLCURSOR"}, {2108, "CX_REMOVECURSOR"},
      {2109, "CX_VERTSIZECURSOR"},  {2110, "CX_HORZSIZECURSOR"},    {2111, "CX_MULTIDRAGCURSOR"},
      {2112, "CX_NODROPCURSOR"},    {2113, "CX_DRAGCURSOR"}};
  std::set<qint64> pictures;
  for (const auto& [number, name] : expected) {
    SCOPED_TRACE(name);
    EXPECT_STREQ(LibraryCursorName(number), name);
    ASSERT_TRUE(ScreenCursorRegistered(number));
    const QCursor cursor = ScreenCursor(number);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage picture = cursor.pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    // The hot spot lies on the picture, and the picture has black outlines and white inside.
    EXPECT_TRUE(picture.rect().contains(cursor.hotSpot()));
    bool black = false, white = false;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QColor c = picture.pixelColor(x, y);
        if (c.alpha() == 255 && c.rgb() == QColor(Qt::black).rgb()) black = true;
        if (c.alpha() == 255 && c.rgb() == QColor(Qt::white).rgb()) white = true;
      }
    EXPECT_TRUE(black && (white || number == crzxNoDrop));
    pictures.insert(static_cast<qint64>(qHashBits(picture.constBits(), static_cast<size_t>(picture.sizeInBytes()))));
  }
  EXPECT_EQ(pictures.size(), std::size(expected));  // fourteen different pictures
  EXPECT_STREQ(LibraryCursorName(2099), "");
  EXPECT_EQ(ScreenCursor(2099).shape(), Qt::ArrowCursor);
  // The pointer cursors point with their tip, the scroll and size cursors from the middle.
  EXPECT_EQ(ScreenCursor(crzxDrag).hotSpot(), QPoint(0, 0));
  EXPECT_EQ(ScreenCursor(crzxFullScroll).hotSpot(), QPoint(15, 15));
  EXPECT_EQ(ScreenCursor(crzxNoDrop).hotSpot(), QPoint(15, 15));
  // The unit's end takes them out of the table; a new start puts them back.
  FinalizeControlsUnit();
  EXPECT_FALSE(ScreenCursorRegistered(crzxDrag));
  InitializeControlsUnit();
  EXPECT_TRUE(ScreenCursorRegistered(crzxDrag));
}

}  // namespace
}  // namespace zyn
