#include "tests/visu/ui/VisuUiFixture.h"

#include "platform/MessageDlg.h"
#include "tests/support/GoldenImage.h"
#include "visu/ui/VisuComponent.h"
#include "visu/ui/VisuLogger.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace zyn::test {

namespace {
std::vector<std::string> gMessages;
int gAnswer = IDOK;
}  // namespace

void VisuUiTest::SetUpTestSuite() {
  EnsureApp();
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
  set(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
  set(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
  set(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
  set(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  set(QPalette::ToolTipText, QColor(0, 0, 0));
  QApplication::setPalette(p);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  QApplication::setFont(font);
  RegisterVisuClasses();
}

void VisuUiTest::SetUp() {
  gMessages.clear();
  gAnswer = IDOK;
  SetMessageDlgHook([](const QString& text, const QString&, unsigned) {
    gMessages.push_back(text.toStdString());
    return gAnswer;
  });
  SetVisuProgramFolder(folder.Path());
}

void VisuUiTest::TearDown() {
  SetMessageDlgHook({});
  SetVisuProgramFolder("");
}

std::vector<std::string> VisuUiTest::Messages() const { return gMessages; }
void VisuUiTest::Answer(int result) { gAnswer = result; }

QImage Render(QWidget* widget) {
  QImage image(widget->size(), QImage::Format_RGB32);
  image.fill(QColor(0xD4, 0xD0, 0xC8));
  widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

void CompareWithGolden(const QImage& actual, const QString& name) {
  ExpectSameAsGolden(actual, QStringLiteral(ZYN_TEST_DATA_DIR "/") + name + QStringLiteral(".png"), name);
}

}  // namespace zyn::test
