// Static, large-button and progress items: their properties, sizes on toolbars and in menus, the
// large button's image-index coupling while it is read, clicks on the demo form, and golden images
// (reviewed by eye; produced by this test with ZYN_UPDATE_GOLDEN=1 under QT_QPA_PLATFORM=offscreen).

#include "widgets/bars/BarExtItems.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "platform/QtText.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BarsFixture;
using test::FakeBarWindow;

class BarExtItems : public ::testing::Test, public BarsFixture {
 protected:
  BarExtItems() {
    bar = manager->Bars().Add();
    stat = Add<TzbBarStatic>("Bereit");
    progress = Add<TzbBarProgressItem>("Laden");
    large = Add<TzbBarLargeButton>(
        "&\xD6"
        "ffnen");
  }
  template <class T>
  T* Add(const char* caption) {
    T* item = manager->CreateItem<T>();
    item->SetCaption(caption);
    bar->ItemLinks().Add()->SetItem(item);
    return item;
  }
  TzbBar* bar = nullptr;
  TzbBarStatic* stat = nullptr;
  TzbBarProgressItem* progress = nullptr;
  TzbBarLargeButton* large = nullptr;
};

TEST_F(BarExtItems, TheKindsAreRegisteredAndListed) {
  for (const char* kind : {TzbBarStatic::kClassName, TzbBarLargeButton::kClassName, TzbBarProgressItem::kClassName})
    EXPECT_TRUE(static_cast<bool>(ControlClassOf(kind))) << kind;
  EXPECT_TRUE(progress->InheritsFrom(TzbBarStatic::kClassName));
  EXPECT_TRUE(large->InheritsFrom(TzbBarButton::kClassName));
}

TEST_F(BarExtItems, StaticSizesOnAToolbarAndInAMenu) {
  FakeBarWindow w(*manager, false), menu(*manager, true);
  TzbBarStaticControl c(*stat->GetLink(0), w), m(*stat->GetLink(0), menu);
  const int text = w.Canvas().TextWidth(QStringLiteral("Bereit"));
  stat->SetBorderStyle(sbsEtched);
  EXPECT_EQ(c.GetWidth(), text + w.ItemHeight() / 2 + 4);
  EXPECT_EQ(c.GetHeight(), w.ItemHeight() - 3 + 4);
  EXPECT_EQ(m.GetHeight(), menu.ItemHeight() + 4);
  stat->SetShowCaption(false);  // the glyph cell alone
  EXPECT_EQ(c.GetWidth(), manager->ButtonWidth() + 4);
  EXPECT_EQ(c.GetHeight(), manager->ButtonHeight() + 4);
  stat->SetShowCaption(true);
  stat->SetImageIndex(0);
  manager->ImageCount = 1;
  EXPECT_EQ(c.GetWidth(), text + manager->ButtonWidth() + 4 + 4);
  manager->ImageCount = 0;
  stat->SetLeftIndent(-5);
  stat->SetRightIndent(7);
  EXPECT_EQ(stat->LeftIndent(), 0);
  EXPECT_EQ(c.GetWidth(), text + w.ItemHeight() / 2 + 4 + 7);
  stat->SetWidth(60);
  stat->SetHeight(-1);
  EXPECT_EQ(stat->Height(), 0);
  EXPECT_EQ(c.GetWidth(), 60);
  w.Vertical = true;  // the axes change places
  EXPECT_EQ(c.GetHeight(), 60);
  EXPECT_EQ(c.GetWidth(), w.ItemHeight() - 3 + 4);
}

TEST_F(BarExtItems, StaticBorderChangeRelaysOutUnlessTheSizeIsFixed) {
  stat->SetWidth(50);
  const int layouts = stat->LayoutCount, repaints = stat->RepaintCount;
  stat->SetBorderStyle(sbsRaised);
  EXPECT_EQ(stat->LayoutCount, layouts + 1);
  stat->SetHeight(20);
  stat->SetBorderStyle(sbsBump);
  EXPECT_EQ(stat->LayoutCount, layouts + 2);  // the height only
  EXPECT_EQ(stat->RepaintCount, repaints + 1);
  stat->SetBorderStyle(sbsBump);  // unchanged: nothing
  EXPECT_EQ(stat->RepaintCount, repaints + 1);
  EXPECT_FALSE(stat->CanClicked());
  stat->AllowClick = true;
  EXPECT_TRUE(stat->CanClicked());
  EXPECT_FALSE(stat->CanUseAccel(*stat->GetLink(0)));
}

TEST_F(BarExtItems, ProgressRangeKeepsThePositionInside) {
  struct {
    const char* Step;
    std::function<void()> Do;
    int Min, Max, Position;
  } cases[] = {
      {"position 80", [&] { progress->SetPosition(80); }, 0, 100, 80},
      {"max 50", [&] { progress->SetMax(50); }, 0, 50, 50},
      {"min 70", [&] { progress->SetMin(70); }, 70, 70, 70},
      {"max 200", [&] { progress->SetMax(200); }, 70, 200, 70},
      {"position -5", [&] { progress->SetPosition(-5); }, 70, 200, 70},
      {"position 900", [&] { progress->SetPosition(900); }, 70, 200, 200},
      {"max below min", [&] { progress->SetMax(10); }, 10, 10, 10},
  };
  for (auto& c : cases) {
    c.Do();
    EXPECT_EQ(progress->Min(), c.Min) << c.Step;
    EXPECT_EQ(progress->Max(), c.Max) << c.Step;
    EXPECT_EQ(progress->Position(), c.Position) << c.Step;
  }
  // Read from a stream the range is applied once loading ends.
  progress->BeginLoading();
  progress->SetMax(40);
  progress->SetMin(60);
  progress->Loaded();
  EXPECT_LE(progress->Min(), progress->Max());
  EXPECT_GE(progress->Position(), progress->Min());
  EXPECT_LE(progress->Position(), progress->Max());
}

TEST_F(BarExtItems, ProgressBarGeometry) {
  FakeBarWindow w(*manager, false, 300, 40);
  TzbBarProgressControl c(*progress->GetLink(0), w);
  const int offset = manager->PainterClass().GetProgressOffset();
  const int staticWidth = w.Canvas().TextWidth(QStringLiteral("Laden")) + w.ItemHeight() / 2 + 2;
  EXPECT_EQ(c.GetWidth(), staticWidth + 152 + offset);
  EXPECT_GE(c.GetHeight(), manager->PainterClass().GetProgressHeight() + 4);
  const TRect r = Rect(0, 0, c.GetWidth(), c.GetHeight());
  const TRect b = c.BarRect(r, 0);
  EXPECT_EQ(b.Width(), 150 - offset);  // Width 0: a bar of 150 pixels
  EXPECT_EQ(b.Right, r.Right - 1 - 2);
  EXPECT_EQ(b.Top - r.Top, r.Bottom - b.Bottom);  // centred exactly
  progress->SetWidth(40);                         // too narrow for caption and bar: no bar, never a negative one
  EXPECT_EQ(c.BarRect(Rect(0, 0, 40, 20), 0).Width(), 0);
}

TEST_F(BarExtItems, LargeButtonImageIndexCouplingWhileReading) {
  // Read with LargeImageIndex only: ImageIndex follows it.
  TzbBarLargeButton* a = manager->CreateItem<TzbBarLargeButton>();
  a->BeginLoading();
  a->ReadLargeImageIndex(3);
  a->Loaded();
  EXPECT_EQ(a->ImageIndex(), 3);
  EXPECT_TRUE(a->SyncImageIndex());
  EXPECT_FALSE(a->StoresImageIndex());
  // Read with ImageIndex 2 and LargeImageIndex 5: the coupling ends.
  TzbBarLargeButton* b = manager->CreateItem<TzbBarLargeButton>();
  b->BeginLoading();
  b->ReadImageIndex(2);
  b->ReadLargeImageIndex(5);
  b->Loaded();
  EXPECT_EQ(b->ImageIndex(), 2);
  EXPECT_EQ(b->LargeImageIndex(), 5);
  EXPECT_FALSE(b->SyncImageIndex());
  EXPECT_TRUE(b->StoresImageIndex());
  // At run time LargeImageIndex carries ImageIndex along until ImageIndex is set directly.
  large->SetLargeImageIndex(4);
  EXPECT_EQ(large->ImageIndex(), 4);
  large->SetImageIndex(1);
  EXPECT_FALSE(large->SyncImageIndex());
  large->SetLargeImageIndex(6);
  EXPECT_EQ(large->ImageIndex(), 1);
  large->SetSyncImageIndex(true);
  EXPECT_EQ(large->ImageIndex(), 6);
}

TEST_F(BarExtItems, LargeButtonSizes) {
  FakeBarWindow w(*manager, false, 300, 80);
  TzbBarLargeButtonControl c(*large->GetLink(0), w);
  large->SetShowCaption(false);
  EXPECT_EQ(c.GetWidth(), 30);
  EXPECT_EQ(c.GetHeight(), 26);
  large->SetLargeGlyph(QImage(32, 32, QImage::Format_ARGB32));
  EXPECT_EQ(c.GetWidth(), 42);
  EXPECT_EQ(c.GetHeight(), 38);
  const int tw = w.Canvas().TextWidth(ToQString("\xD6"
                                                "ffnen")),
            th = w.Canvas().TextHeight(QStringLiteral("Qq"));
  large->SetShowCaption(true);
  EXPECT_EQ(c.GetWidth(), std::max(42, tw + 16));  // glTop
  EXPECT_EQ(c.GetHeight(), 38 + th + 1);
  large->SetGlyphLayout(glLeft);
  EXPECT_EQ(c.GetWidth(), 42 + tw + 6);
  EXPECT_EQ(c.GetHeight(), std::max(38, th + 6));
  large->SetWidth(-4);  // ignored
  large->SetWidth(70);
  EXPECT_EQ(c.GetWidth(), 70);
  EXPECT_FALSE(large->CanUseAccel(*large->GetLink(0)));  // as a button without caption style
  large->SetPaintStyle(psCaptionGlyph);
  EXPECT_TRUE(large->CanUseAccel(*large->GetLink(0)));
  large->SetShowCaption(false);
  EXPECT_FALSE(large->CanUseAccel(*large->GetLink(0)));
  large->SetShowCaption(true);
  // The glyph box inside the content: glTop centred 2 pixels below the top.
  large->SetGlyphLayout(glTop);
  TRect g, t;
  int align = -1;
  c.Places(Rect(0, 0, 60, 60), 0, g, t, align);
  EXPECT_EQ(g.Top, 2);
  EXPECT_EQ(g.Left, 14);
  EXPECT_EQ(t.Top, g.Bottom);
  EXPECT_EQ(align, 1);
}

// Golden images: the static in each border style, the progress item and the large button in each
// glyph layout, in the XP look; every caption must stand out from its background.
TEST_F(BarExtItems, GoldenImages) {
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  manager->SetStyle(bmsXP);
  FakeBarWindow w(*manager, false, 420, 150);
  w.Clear();
  int x = 2;
  TzbBarStaticControl sc(*stat->GetLink(0), w);
  std::vector<QRect> texts;
  for (TzbBarStaticBorderStyle style : {sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump}) {
    stat->SetBorderStyle(style);
    const TRect r = Bounds(x, 2, sc.GetWidth(), sc.GetHeight());
    sc.Paint(r, 0);
    texts.push_back(QRect(r.Left + 4, r.Top + 3, r.Width() - 8, r.Height() - 6));
    x += r.Width() + 4;
  }
  progress->SetPosition(60);
  TzbBarProgressControl pc(*progress->GetLink(0), w);
  pc.Paint(Bounds(2, 30, pc.GetWidth(), pc.GetHeight()), 0);
  large->SetLargeGlyph(test::TestGlyph().scaled(24, 24));
  TzbBarLargeButtonControl lc(*large->GetLink(0), w);
  x = 2;
  for (TzbBarGlyphLayout layout : {glTop, glBottom, glLeft, glRight}) {
    large->SetGlyphLayout(layout);
    const TRect r = Bounds(x, 60, lc.GetWidth(), lc.GetHeight());
    lc.Paint(r, 0);
    TRect glyph, caption;
    int align = 0;
    lc.Places(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), 0, glyph, caption, align);
    texts.push_back(ToQRect(caption));
    x += r.Width() + 4;
  }
  test::CompareWithGolden(w.Image(), QStringLiteral("ext_items"));
  for (const QRect& area : texts) EXPECT_GE(test::TextContrast(w.Image(), area), 4.5);
}

// On the demo form: a static reacts to a click only with AllowClick, a large button clicks.
TEST(BarExtItemsOnTheForm, ClicksReachTheItems) {
  test::BarDemoWindow demo;
  TzbBarStatic* s = demo.Manager->CreateItem<TzbBarStatic>();
  s->Name = "Status";
  s->SetCaption("Status");
  TzbBarLargeButton* b = demo.Manager->CreateItem<TzbBarLargeButton>();
  b->Name = "Gross";
  b->SetCaption("Gross");
  std::vector<std::string> clicks;
  s->OnClick = b->OnClick = [&](TzbBarItem& i) { clicks.push_back(i.Name); };
  TzbBar* bar = demo.Manager->Bars().Add();
  bar->SetCaption("Extras");
  bar->ShowMark = false;
  bar->SetRow(2);
  bar->SetDockingStyle(dsTop);
  bar->ItemLinks().Add()->SetItem(s);
  bar->ItemLinks().Add()->SetItem(b);
  bar->SetVisible(true);
  QApplication::processEvents();
  demo.Screen->LayoutForm();
  TzbBarItemControl* sc = demo.ControlIn(demo.WindowOf(bar), "Status");
  TzbBarItemControl* bc = demo.ControlIn(demo.WindowOf(bar), "Gross");
  ASSERT_NE(sc, nullptr);
  ASSERT_NE(bc, nullptr);
  EXPECT_NE(dynamic_cast<TzbBarLargeButtonControl*>(bc), nullptr);
  demo.ClickControl(*sc);
  demo.ClickControl(*bc);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Gross"}));
  s->AllowClick = true;
  demo.ClickControl(*demo.ControlIn(demo.WindowOf(bar), "Status"));
  EXPECT_EQ(clicks, (std::vector<std::string>{"Gross", "Status"}));
}

}  // namespace
}  // namespace zyn
