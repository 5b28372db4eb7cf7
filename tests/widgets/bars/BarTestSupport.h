#pragma once
// Shared fixtures of the bar library tests: the Qt application with the classic palette, a form
// with its manager, and a window stand-in that paints into an image and counts what the model
// asks of it.

#include "platform/Canvas.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarWindow.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

namespace zyn::test {

// Creates the application once and fixes the palette to the classic system colours.
void EnsureApplication();

class FakeBarWindow : public TzbBarWindow {
 public:
  FakeBarWindow(TzbBarManager& manager, bool menu, int width = 200, int height = 100);
  void RebuildLayout() override { ++Rebuilds; }
  void Recalculate() override { ++Recalculations; }
  void PostRecalculate() override { ++PostedRecalculations; }
  void RepaintControl(TzbBarItemControl&) override { ++Repaints; }
  TzbBarItemControl* SelectedControl() const override { return Selected; }
  void DeselectControl() override { Selected = nullptr; }
  bool IsMenu() const override { return fMenu; }
  TCanvas& Canvas() override { return *fCanvas; }
  TzbBarManager& Manager() const override { return *fManager; }
  TzbBar* Bar() const override { return BarOf; }
  TBrush CurrentBrush() const override;
  void PaintBackground(TCanvas& canvas, const TRect& r, bool nonRecent) override;
  TRect ClientRect() const override { return Rect(0, 0, fImage.width(), fImage.height()); }
  int ItemHeight() const override { return fMenu ? 20 : 22; }
  QImage ImageOf(const TzbBarItem& item, int view) const override;
  bool IsVertical() const override { return Vertical; }
  bool HasHiddenLinks() const override { return HiddenLinks; }
  int QuickButtonState() const override { return QuickState; }
  TzbBarDockingStyle DockingStyle() const override { return Docking; }
  bool IsFloating() const override { return Floating; }
  TRect FloatingCaptionRect() const override { return Caption; }
  TRect OwnerGapRect() const override { return OwnerGap; }
  void InvalidateClientRect(const TRect& r) override { Invalidated.push_back(r); }
  void ShowFrameNow(const TRect& r) override { ShownAtOnce.push_back(r); }

  QImage& Image() { return fImage; }
  void Clear();

  int Rebuilds = 0, Recalculations = 0, PostedRecalculations = 0, Repaints = 0;
  TzbBarItemControl* Selected = nullptr;
  TzbBar* BarOf = nullptr;
  bool Vertical = false;
  bool HiddenLinks = false;
  int QuickState = 0;
  TzbBarDockingStyle Docking = dsTop;
  bool Floating = false;
  TRect Caption;   // the floating caption
  TRect OwnerGap;  // in window coordinates
  std::vector<TRect> Invalidated, ShownAtOnce;

 private:
  TzbBarManager* fManager;
  bool fMenu;
  QImage fImage;
  std::unique_ptr<TCanvas> fCanvas;
};

// Compares the image with the golden PNG `name` in the test data folder, pixel by pixel without
// alpha; with ZYN_UPDATE_GOLDEN set it writes the golden image instead. A difference leaves
// `<name>_actual.png` in the build folder.
void CompareWithGolden(const QImage& actual, const QString& name);
// The contrast ratio (1 to 21, by the relative luminance of the sRGB colours) between the most
// frequent colour of an area of an image (its background) and the pixel that differs most from it
// (the strongest stroke of the text drawn there).
double TextContrast(const QImage& image, const QRect& area);

// Tests on a real X server: a test programme runs its tests of the given filter again under Xvfb
// on the xcb platform (ZYN_X11_CHILD set) and expects that many of them to pass; skipped when
// Xvfb or xdotool are absent. InX11Child tells the run under Xvfb; XDoTool runs xdotool while this
// process goes on handling its events, as it would for a real user.
void RunUnderXvfb(const QString& filter, int expectedPassed);
bool InX11Child();
bool XDoTool(const QStringList& args);

// A 16 x 16 test glyph: a blue square with a red diagonal on a fuchsia (transparent) background.
QImage TestGlyph();

class BarsFixture {
 public:
  BarsFixture();
  ~BarsFixture();
  bool appReady = (EnsureApplication(), true);
  QWidget form;
  std::unique_ptr<TzbBarManager> manager;
  // Windows made through the manager's window factory, in creation order (not owned).
  std::vector<FakeBarWindow*> windows;
};

}  // namespace zyn::test
