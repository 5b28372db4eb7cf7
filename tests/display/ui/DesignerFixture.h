#pragma once
// The display designer's tests: the globals in the isolated home, a project with two control
// modules (0: input module INP 3 with six push buttons; 1: output module OUT 5 with AusShift 4
// and four switch outputs) and one display, the designer page on it, scripted message boxes and
// label prompts, the display's stream form for before/after comparisons, and golden images.

#include "display/DispObjekt.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace zyn {
class TDisplay;
class TKanal;
}  // namespace zyn

namespace zyn::test {

void EnsureDesignerGlobals();
// Message boxes show nothing: their texts go to shown, their answers come from answers in order
// (OK when none is left).
void ScriptMessages(std::vector<QString>& shown, std::vector<int>& answers);

class DesignerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The project's display and its start screen.
  TDisplayObjekt& Display();
  TBildschirm& Start();
  // The designer page, activated on the project.
  TDisplay& Designer();
  // The display project's stream bytes (screens, objects, keys, pairs).
  std::vector<uint8_t> ProjectBytes();
  TKanal* Input(int number);
  TKanal* Output(int number);

  std::vector<QString> shown;   // texts of the message boxes
  std::vector<int> answers;     // their answers in order; OK when none is left
  std::vector<QString> labels;  // answers of the key-label prompt in order
  std::unique_ptr<TDisplay> designer;
};

// Compares the image with the committed golden PNG of that name (tests/display/ui/golden). With
// ZYN_UPDATE_GOLDEN set, the file is written instead; look at it before committing.
void ExpectGolden(const QImage& image, const std::string& name);

}  // namespace zyn::test
