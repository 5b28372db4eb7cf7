#pragma once
// Shared fixtures of the bar library tests: the Qt application with the classic palette, a form
// with its manager, and a window stand-in that paints into an image and counts what the model
// asks of it.

#include "platform/Canvas.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarWindow.h"
#include "widgets/bars/LookAndFeelPainters.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

class QWindow;

#include <memory>
#include <vector>

namespace zyn::test {

// The two look-and-feel painters the tests compare.
inline const TzxCustomLookAndFeelPainter& StandardLookAndFeel() { return TzxStandardLookAndFeelPainter::Instance(); }
inline const TzxCustomLookAndFeelPainter& NativeLookAndFeel() { return TzxWinXPLookAndFeelPainter::Instance(); }

// Creates the application once and fixes the palette to the classic system colours.
void EnsureApplication();

// The colour most pixels of the image have (opaque).
QRgb DominantColor(const QImage& image);

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
  bool HasQuickButton() const override { return QuickButton; }
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
  // A docked bar's quick-customize button.
  bool QuickButton = false;
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

// The demo forms' manager settings: the XP look with an 11-pixel DejaVu Sans, no customizing,
// menus that show all their entries.
void SetupDemoManager(TzbBarManager& m);
// Appends a link of the item to the links.
void AddLink(TzbBarItemLinks& links, TzbBarItem* item, bool beginGroup = false);
// A main menu bar ("Main Menu") alone in row 0 of the top dock, without mark.
TzbBar* AddDemoMainMenu(TzbBarManager& m);

// The top-level window that receives mouse input at a screen point as the platform delivers it (an
// open bar window first, else the top-level widget there, else the fallback form) and the point in
// its coordinates.
QWindow* BarWindowAt(const QWidget& fallback, const QPoint& screen, QPoint& local);

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
