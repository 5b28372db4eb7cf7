#include "tests/support/GoldenImage.h"

#include <QDir>
#include <QFileInfo>
#include <QPoint>
#include <gtest/gtest.h>

#include <cstdlib>

namespace zyn::test {

QPalette ClassicPalette() {
  QPalette p;
  auto set = [&](QPalette::ColorRole role, QColor c) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) p.setColor(group, role, c);
  };
  set(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
  set(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
  set(QPalette::WindowText, QColor(0, 0, 0));
  set(QPalette::Text, QColor(0, 0, 0));
  set(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
  set(QPalette::ButtonText, QColor(0, 0, 0));
  set(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  set(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
  set(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
  set(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
  set(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
  set(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  set(QPalette::ToolTipText, QColor(0, 0, 0));
  return p;
}

void ExpectSameAsGolden(const QImage& actual, const QString& goldenFile, const QString& name) {
  if (std::getenv("ZYN_UPDATE_GOLDEN")) {
    QDir().mkpath(QFileInfo(goldenFile).absolutePath());
    ASSERT_TRUE(actual.save(goldenFile, "PNG")) << goldenFile.toStdString();
    return;
  }
  QImage expected(goldenFile);
  ASSERT_FALSE(expected.isNull()) << "missing golden image " << goldenFile.toStdString();
  expected = expected.convertToFormat(QImage::Format_RGB32);
  const QImage got = actual.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(got.size(), expected.size()) << name.toStdString();
  int differing = 0;
  QPoint first(-1, -1);
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if ((got.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF) && differing++ == 0) first = QPoint(x, y);
  if (differing > 0) got.save(QStringLiteral(ZYN_BINARY_DIR "/") + name + QStringLiteral("_actual.png"), "PNG");
  EXPECT_EQ(differing, 0) << name.toStdString() << ": first difference at " << first.x() << "," << first.y();
}

}  // namespace zyn::test
