#include "BarTestSupport.h"

#include "tests/support/AppFixture.h"
#include "tests/support/GoldenImage.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/Bars.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QPalette>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace zyn::test {

void CompareWithGolden(const QImage& actual, const QString& name) {
  ExpectSameAsGolden(actual, QStringLiteral(ZYN_TEST_DATA_DIR "/") + name + QStringLiteral(".png"), name);
}

namespace {
double Luminance(QRgb c) {
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
}
}  // namespace

double TextContrast(const QImage& image, const QRect& area) {
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  const QRect r = area.intersected(img.rect());
  std::map<QRgb, int> counts;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) ++counts[img.pixel(x, y) & 0xFFFFFF];
  if (counts.empty()) return 1.0;
  const QRgb background = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                            return a.second < b.second;
                          })->first;
  const double lb = Luminance(background);
  double best = 1.0;
  for (const auto& [colour, n] : counts) {
    const double l = Luminance(colour);
    best = std::max(best, (std::max(l, lb) + 0.05) / (std::min(l, lb) + 0.05));
  }
  return best;
}

void EnsureApplication() {
  static bool done = false;
  EnsureApp();
  if (done) return;
  done = true;
  SetBarSoundPlayer(nullptr);  // the tests play no sounds; those that listen set their own player
  // The classic grey palette the golden pictures are drawn in.
  QPalette p = ClassicPalette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Midlight, QColor(0xD4, 0xD0, 0xC8));
  QApplication::setPalette(p);
}

QRgb DominantColor(const QImage& image) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y) | 0xFF000000u];
  QRgb best = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > most) {
      most = it.value();
      best = it.key();
    }
  return best;
}

FakeBarWindow::FakeBarWindow(TzbBarManager& manager, bool menu, int width, int height)
    : fManager(&manager), fMenu(menu), fImage(width, height, QImage::Format_RGB32) {
  fCanvas = std::make_unique<TCanvas>(&fImage);
  Clear();
}

void FakeBarWindow::Clear() {
  TBrush b =
      fMenu ? fManager->PainterClass().GetMenuFrameBrush(*this) : fManager->PainterClass().GetToolbarBrush(*this);
  fCanvas->Brush = b;
  fCanvas->FillRect(ClientRect());
}

TBrush FakeBarWindow::CurrentBrush() const {
  return fMenu ? fManager->PainterClass().GetMenuFrameBrush(*this) : fManager->PainterClass().GetToolbarBrush(*this);
}

void FakeBarWindow::PaintBackground(TCanvas& canvas, const TRect& r, bool) {
  const TBrush saved = canvas.Brush;
  canvas.Brush = CurrentBrush();
  canvas.FillRect(r);
  canvas.Brush = saved;
}

QImage FakeBarWindow::ImageOf(const TzbBarItem& item, int) const {
  return item.ImageIndex() >= 0 ? TestGlyph() : QImage();
}

void SetupDemoManager(TzbBarManager& m) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  m.Font = font;
  m.UseSystemFont = false;
  m.Scaled = false;
  m.SetStyle(bmsXP);
  m.CanCustomize = false;
  m.MenusShowRecentItemsFirst = false;
}

void AddLink(TzbBarItemLinks& links, TzbBarItem* item, bool beginGroup) {
  TzbBarItemLink* link = links.Add();
  link->SetItem(item);
  if (beginGroup) link->SetBeginGroup(true);
}

TzbBar* AddDemoMainMenu(TzbBarManager& m) {
  TzbBar* bar = m.Bars().Add();
  bar->SetCaption("Main Menu");
  bar->SetIsMainMenu(true);
  bar->ShowMark = false;
  bar->OneOnRow = true;
  bar->SetRow(0);
  bar->SetDockingStyle(dsTop);
  return bar;
}

QWindow* BarWindowAt(const QWidget& fallback, const QPoint& screen, QPoint& local) {
  QWidget* target = nullptr;
  if (TCustomzbBarControl* w = TCustomzbBarControl::AtScreenPoint(FromQPoint(screen)); w && w->Widget())
    target = w->Widget()->window();
  if (!target) target = QApplication::topLevelAt(screen);
  if (!target) target = const_cast<QWidget*>(&fallback);
  local = target->mapFromGlobal(screen);
  return target->windowHandle();
}

QImage TestGlyph() {
  QImage img(16, 16, QImage::Format_RGB32);
  img.fill(QColor(255, 0, 255));
  for (int y = 3; y < 13; ++y)
    for (int x = 3; x < 13; ++x) img.setPixelColor(x, y, QColor(0, 0, 160));
  for (int k = 2; k < 14; ++k) img.setPixelColor(k, k, QColor(220, 0, 0));
  return img;
}

BarsFixture::BarsFixture() {
  EnsureApplication();
  manager = std::make_unique<TzbBarManager>(&form);
  manager->WindowFactory = [this](TzbBarItemLinks& links) -> std::unique_ptr<TzbBarWindow> {
    auto w = std::make_unique<FakeBarWindow>(*manager, links.OwnerKind() != TzbBarItemLinks::okBar);
    w->BarOf = links.OwnerBar();
    windows.push_back(w.get());
    return w;
  };
}

BarsFixture::~BarsFixture() { manager.reset(); }

}  // namespace zyn::test
