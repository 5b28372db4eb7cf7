// Each control kind as it paints itself, compared with its golden picture.
//
// Recipe: the Fusion style, the classic grey palette and the DejaVu/Liberation fonts of
// scripts/install-deps.sh (VisuUiFixture.cpp); every channel control bound to control module 1,
// module 65, channel 3 and switched on at run time; the rest as created. Pictures are written anew
// with ZYN_UPDATE_GOLDEN=1 and checked by eye before they are committed.

#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuLogger.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class GoldenImageTest : public VisuUiTest {};

TEST_F(GoldenImageTest, EveryControlKindPaintsAsItsPicture) {
  for (const std::string& cls : RegisteredVisuClasses()) {
    SCOPED_TRACE(cls);
    QWidget host;
    TVisuComponent* c = CreateVisuComponent(cls, &host);
    ASSERT_NE(c, nullptr);
    if (auto* b = dynamic_cast<IDispatchConnector*>(c)) b->SetBinding(1, 65, 3, TKanalArt::kaAusgang, "Licht");
    if (auto* s = dynamic_cast<IVisuSummary*>(c)) s->AddChannel(1, 65, 3, TKanalArt::kaAusgang, "Licht");
    if (auto* l = dynamic_cast<TVisuLogger*>(c)) {
      l->LoggerData.LogTime = false;
      l->SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOff);
    }
    if (auto* s = dynamic_cast<IVisuStatus*>(c)) s->SetStatus(1, 65, 3, TKanalArt::kaAusgang, TVisuState::vsOn);
    if (auto* counter = dynamic_cast<IVisuCounter*>(c)) counter->SetCount(125);
    if (auto* p = dynamic_cast<TVisuPushButton*>(c)) p->SetCaption("Aktion");
    if (auto* n = dynamic_cast<TNavigationButton*>(c)) n->SetCaption("Weiter");
    if (auto* seg = dynamic_cast<TSegmentControl*>(c)) {
      seg->SetPattern(bsDiagCross);
      seg->SetPatternColor(TVisuColors::clBlack);
    }
    if (auto* t = dynamic_cast<TVisuText*>(c)) t->SetCaption("Erdgeschoss");
    CompareWithGolden(Render(c->Self()), QString::fromStdString(cls));
  }
}

TEST_F(GoldenImageTest, DesignerLooks) {
  // Unbound in the designer: fuchsia; a rounded LED with a raised frame; a text indicator with the
  // caption on the left and a transparent background over a blue page.
  QWidget host;
  host.resize(300, 60);
  host.setAutoFillBackground(true);
  QPalette pal = host.palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 200));
  host.setPalette(pal);
  auto* round = new TVisuRoundLED(&host);
  round->SetDesigning(true);
  round->Design.SetShowText(false);
  auto* rr = new TVisuRectRoundLED(&host);
  rr->move(40, 0);
  rr->Design.SetFrameStyle(TFrameStyle::fsRaised);
  rr->Design.SetFrameWidth(2);
  auto* ind = new TVisuTextIndicator(&host);
  ind->move(0, 24);
  ind->Caption.SetPosition(TCaptionPos::cpLeft);
  ind->Caption.SetTransparent(true);
  auto* nav = new TNavigationButton(&host);
  nav->move(170, 0);
  nav->SetCaption("Ohne Ziel");
  nav->SetDesigning(true);
  CompareWithGolden(Render(&host), QStringLiteral("designer_looks"));
}

}  // namespace
}  // namespace zyn::test
