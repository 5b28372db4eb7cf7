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
  QPalette p = ClassicPalette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    p.setColor(group, QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
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
