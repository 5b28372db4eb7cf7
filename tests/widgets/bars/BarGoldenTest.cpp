// Golden images of the XP, Enhanced, Flat and Office11 painters: buttons in every state on a toolbar and in
// a drop-down menu. The images carry no text (the items have empty captions), so they depend only
// on the painters, the classic palette of the tests and the built-in visual style.
//
// Recipe: the PNG files in data/ were produced by this test itself with ZYN_UPDATE_GOLDEN=1
// (QT_QPA_PLATFORM=offscreen) and reviewed by eye; run it the same way after a deliberate change of
// a look and review the new images before committing them.

#include "BarTestSupport.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/ThemeManager.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn {
namespace {

using test::BarsFixture;
using test::FakeBarWindow;

struct TStateColumn {
  const char* Name;
  bool Selected, Pressed, Down, Enabled;
};

const TStateColumn kBarStates[] = {
    {"normal", false, false, false, true},    {"hot", true, false, false, true},
    {"pressed", true, true, false, true},     {"down", false, false, true, true},
    {"hot down", true, false, true, true},    {"pressed down", true, true, true, true},
    {"disabled", false, false, false, false}, {"disabled hot", true, false, false, false}};

const TStateColumn kMenuStates[] = {
    {"normal", false, false, false, true},    {"hot", true, false, false, true},
    {"down", false, false, true, true},       {"hot down", true, false, true, true},
    {"disabled", false, false, false, false}, {"disabled hot", true, false, false, false}};

class Golden : public ::testing::TestWithParam<TzbBarManagerStyle>, public BarsFixture {
 protected:
  TzbBarButton* glyphButton = nullptr;
  TzbBarButton* plainButton = nullptr;
  TzbBarButton* splitButton = nullptr;

  void SetUp() override {
    static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
    manager->SetStyle(GetParam());
    TzbBar* bar = manager->Bars().Add();
    glyphButton = manager->CreateItem<TzbBarButton>();
    glyphButton->SetImageIndex(0);
    plainButton = manager->CreateItem<TzbBarButton>();
    splitButton = manager->CreateItem<TzbBarButton>();
    splitButton->SetImageIndex(0);
    splitButton->SetButtonStyle(bsDropDown);
    for (TzbBarItem* item : {static_cast<TzbBarItem*>(glyphButton), static_cast<TzbBarItem*>(plainButton),
                             static_cast<TzbBarItem*>(splitButton)})
      bar->ItemLinks().Add()->SetItem(item);
  }

  static const char* StyleName(TzbBarManagerStyle style) {
    switch (style) {
      case bmsXP:
        return "xp";
      case bmsFlat:
        return "flat";
      case bmsOffice11:
        return "office11";
      default:
        return "enhanced";
    }
  }

  static TzbButtonState StateOf(const TStateColumn& c, int view) {
    TzbButtonState s;
    s.View = view;
    s.Selected = c.Selected;
    s.Pressed = c.Pressed;
    s.Down = c.Down;
    return s;
  }

  QImage PaintBar() {
    const int column = 44, row = 28;
    FakeBarWindow w(*manager, false, column * static_cast<int>(std::size(kBarStates)), 3 * row);
    const TzbBarItemControlPainter& p = manager->PainterClass();
    const int bw = manager->ButtonWidth(), bh = manager->ButtonHeight(), arrow = manager->DropArrowWidth();
    for (std::size_t i = 0; i < std::size(kBarStates); ++i) {
      const TStateColumn& c = kBarStates[i];
      const int x = static_cast<int>(i) * column + 2;
      for (TzbBarButton* b : {glyphButton, plainButton, splitButton}) b->SetEnabled(c.Enabled);
      TzbBarItemControl glyph(*glyphButton->GetLink(0), w);
      p.DrawButton(glyph, Bounds(x, 3, bw, bh), StateOf(c, 0), false);
      TzbBarItemControl plain(*plainButton->GetLink(0), w);
      p.DrawButton(plain, Bounds(x, row + 3, bw, bh), StateOf(c, 0), true);
      TzbBarItemControl split(*splitButton->GetLink(0), w);
      TzbButtonState s = StateOf(c, 0);
      s.DropDown = true;
      p.DrawButton(split, Bounds(x, 2 * row + 3, bw, bh), s, false);
      p.DrawDropDownPart(split, w.Canvas(), Bounds(x + bw, 2 * row + 3, arrow, bh), s, true, w.CurrentBrush());
    }
    for (TzbBarButton* b : {glyphButton, plainButton, splitButton}) b->SetEnabled(true);
    return w.Image().copy();
  }

  QImage PaintMenu() {
    const int row = 22, width = 96;
    FakeBarWindow w(*manager, true, 2 * width + 12, row * static_cast<int>(std::size(kMenuStates)) + 4);
    const TzbBarItemControlPainter& p = manager->PainterClass();
    p.DrawMenuFrame(w, w.Canvas(), w.ClientRect());
    for (std::size_t i = 0; i < std::size(kMenuStates); ++i) {
      const TStateColumn& c = kMenuStates[i];
      const int y = static_cast<int>(i) * row + 2;
      for (TzbBarButton* b : {glyphButton, plainButton}) b->SetEnabled(c.Enabled);
      TzbBarItemControl glyph(*glyphButton->GetLink(0), w);
      p.DrawMenuButton(glyph, w.Canvas(), Bounds(2, y, width, row - 2), c.Selected, c.Down, true);
      TzbBarItemControl plain(*plainButton->GetLink(0), w);
      p.DrawMenuButton(plain, w.Canvas(), Bounds(width + 8, y, width, row - 2), c.Selected, c.Down, true);
    }
    for (TzbBarButton* b : {glyphButton, plainButton}) b->SetEnabled(true);
    return w.Image().copy();
  }

  // Edit frames and text parts, combo buttons, spin buttons and colour-combo buttons in their states.
  QImage PaintEditParts() {
    FakeBarWindow w(*manager, false, 260, 120);
    const TzbBarItemControlPainter& p = manager->PainterClass();
    TzbBarItemControl c(*plainButton->GetLink(0), w);
    const struct {
      bool Selected, Pressed, Enabled;
    } states[] = {{false, false, true}, {true, false, true}, {true, true, true}, {false, false, false}};
    for (int i = 0; i < 4; ++i) {
      plainButton->SetEnabled(states[i].Enabled);
      const int x = 4 + i * 64;
      for (int view : {0, 1}) {
        TRect r = Bounds(x, 4 + view * 24, 44, 20);
        p.DrawEditFrame(c, w.Canvas(), r, view, states[i].Selected);
        p.DrawEditText(c, w.Canvas(), r, QString());
        const int gap = p.GetComboButtonGap();
        p.DrawComboButton(c, w.Canvas(), states[i].Selected, states[i].Pressed,
                          Rect(r.Right + gap, r.Top, r.Right + gap + 11, r.Bottom));
      }
      const TRect spin = Bounds(x, 54, 15, 22);
      p.DrawSpinButton(c, w.Canvas(), spin, 5, 3, 11, states[i].Selected, 1, states[i].Pressed ? 1 : 0, true);
      p.DrawSpinButton(c, w.Canvas(), spin, 5, 3, 11, states[i].Selected, 2, states[i].Pressed ? 1 : 0, true);
      TRect sides = Bounds(x + 20, 54, 20, 22);
      p.DrawSpinEditSides(c, w.Canvas(), sides);
      TRect inner;
      p.DrawColorComboButton(c, w.Canvas(), Bounds(x, 84, 16, 22), inner, states[i].Selected, states[i].Pressed);
    }
    plainButton->SetEnabled(true);
    return w.Image().copy();
  }

  // The non-client frame of a drop-down window: with the strip at the bottom-right (both scroll
  // bars shown, close button hot) and at the top-left (close button pressed), and without strip.
  QImage PaintDropDownFrames() {
    FakeBarWindow w(*manager, false, 3 * 90, 80);
    const TzbBarItemControlPainter& p = manager->PainterClass();
    const struct {
      bool Strip;
      int Corner;
      bool Hot, Pressed, BothScrollBars;
    } frames[] = {{true, 3, true, false, true}, {true, 0, true, true, false}, {false, 0, false, false, false}};
    for (int i = 0; i < 3; ++i) {
      QImage part(86, 76, QImage::Format_RGB32);
      part.fill(Qt::white);
      TzbDropDownWindowGeometry g;
      g.Width = part.width();
      g.Height = part.height();
      g.Client = Rect(1, 1, g.Width - 1, g.Height - 1);
      g.BothScrollBars = frames[i].BothScrollBars;
      TRect grip, close;
      {
        TCanvas canvas(&part);
        p.DrawDropDownWindowNC(canvas, g, frames[i].Strip, frames[i].Corner, grip, close, frames[i].Hot,
                               frames[i].Pressed);
      }
      w.Canvas().Draw(i * 90 + 2, 2, part);
    }
    return w.Image().copy();
  }

  // MDI buttons (rows: minimize, restore, close; columns: normal, hot, hot and pressed, disabled),
  // in-place sub-items (not selected, selected), an inactive tear-off band and a size-grip area.
  QImage PaintWindowParts() {
    FakeBarWindow w(*manager, false, 200, 80);
    const TzbBarItemControlPainter& p = manager->PainterClass();
    const struct {
      bool Selected, Pressed, Enabled;
    } states[] = {{false, false, true}, {true, false, true}, {true, true, true}, {false, false, false}};
    for (int kind = 0; kind < 3; ++kind)
      for (int s = 0; s < 4; ++s)
        p.DrawMDIButton(w, kind, Bounds(2 + s * 20, 2 + kind * 18, 18, 16), w.Canvas(), states[s].Selected,
                        states[s].Pressed, states[s].Enabled);
    TzbBarItemControl plain(*plainButton->GetLink(0), w);
    p.DrawInPlaceSubItem(plain, w.Canvas(), Bounds(90, 2, 60, 18), QString(), false, false);
    p.DrawInPlaceSubItem(plain, w.Canvas(), Bounds(90, 24, 60, 18), QString(), true, true);
    p.FillTearOffBand(w, w.Canvas(), Bounds(90, 46, 60, 10));
    p.DrawSizeGripArea(w, w.Canvas(), w.CurrentBrush(), Bounds(170, 2, 20, 40));
    return w.Image().copy();
  }

  static void Compare(const QImage& actual, const QString& name) { test::CompareWithGolden(actual, name); }
};

TEST_P(Golden, ButtonsOnAToolbar) {
  Compare(PaintBar(), QString::fromLatin1(StyleName(GetParam())) + QStringLiteral("_bar"));
}

TEST_P(Golden, ItemsInAMenu) {
  Compare(PaintMenu(), QString::fromLatin1(StyleName(GetParam())) + QStringLiteral("_menu"));
}

TEST_P(Golden, EditComboAndSpinParts) {
  Compare(PaintEditParts(), QString::fromLatin1(StyleName(GetParam())) + QStringLiteral("_edits"));
}

TEST_P(Golden, DropDownWindowFrames) {
  Compare(PaintDropDownFrames(), QString::fromLatin1(StyleName(GetParam())) + QStringLiteral("_dropdown"));
}

TEST_P(Golden, MDIButtonsSubItemsAndGrips) {
  Compare(PaintWindowParts(), QString::fromLatin1(StyleName(GetParam())) + QStringLiteral("_window_parts"));
}

INSTANTIATE_TEST_SUITE_P(Painters, Golden, ::testing::Values(bmsXP, bmsEnhanced, bmsFlat, bmsOffice11),
                         [](const ::testing::TestParamInfo<TzbBarManagerStyle>& info) {
                           switch (info.param) {
                             case bmsXP:
                               return std::string("XP");
                             case bmsFlat:
                               return std::string("Flat");
                             case bmsOffice11:
                               return std::string("Office11");
                             default:
                               return std::string("Enhanced");
                           }
                         });

}  // namespace
}  // namespace zyn
