#pragma once
// The fixture of the visualisation control tests: the application with a fixed classic palette,
// the registered classes, a temporary folder as the run time's folder, message boxes answered
// by script and recorded, and the comparison with golden pictures.

#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace zyn::test {

class VisuUiTest : public AppTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Texts of the message boxes shown since SetUp (UTF-8).
  std::vector<std::string> Messages() const;
  // The answer of the next boxes (IDOK unless set).
  void Answer(int result);

  TempFolder folder{"visu_ui"};
};

// The descendants of a type in creation order, depth first (the controls have no meta-objects of
// their own, so findChild cannot tell them apart).
template <class T>
std::vector<T*> FindAll(QObject* parent) {
  std::vector<T*> found;
  for (QObject* child : parent->children()) {
    if (auto* t = dynamic_cast<T*>(child)) found.push_back(t);
    for (T* t : FindAll<T>(child)) found.push_back(t);
  }
  return found;
}
template <class T>
T* Find(QObject* parent) {
  const std::vector<T*> all = FindAll<T>(parent);
  return all.empty() ? nullptr : all.front();
}

// The widget painted into an image of its size.
QImage Render(QWidget* widget);
// Compares with the golden PNG `name` in the test data folder (ZYN_UPDATE_GOLDEN writes it).
void CompareWithGolden(const QImage& actual, const QString& name);

}  // namespace zyn::test
