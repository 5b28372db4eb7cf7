#pragma once
// The editors' tests: the application, a temporary copy of the default system data, scripted
// answers for every message box (the texts shown are kept) and a helper that acts on the next
// modal dialog.

#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zyn::test {

class EditorTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies a file of the built default system data into the temporary folder; its path.
  std::string CopyDefault(const std::string& name);
  std::string Bytes(const std::string& path) const { return ReadWholeFile(path); }
  // Whether one of the messages shown contains the text (UTF-8).
  bool Shown(const char* utf8) const;

  // Runs `act` on the next modal dialog of that class once it is shown.
  template <class Dialog>
  static void WhenModal(std::function<void(Dialog&)> act, int tries = 200) {
    QTimer::singleShot(5, [act, tries] {
      if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
        act(*d);
      else if (tries > 0)
        WhenModal<Dialog>(act, tries - 1);
      else if (QWidget* w = QApplication::activeModalWidget())
        w->close();
    });
  }

  TempFolder folder{"editors"};
  std::vector<QString> shown;
  std::vector<int> answers;  // answered in order; OK once they run out
};

}  // namespace zyn::test
