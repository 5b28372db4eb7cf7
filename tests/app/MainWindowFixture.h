#pragma once
// The main window's tests: one set of globals per test programme (options and system data in the
// isolated test home) and scripted answers for every message box; the small projects they open
// are in tests/support/SmallProject.h.

#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "tests/support/SmallProject.h"
#include "tests/support/TestHome.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

// Brings up the globals once; afterwards the wizard counts as completed unless a test says so.
void EnsureGlobals();

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Each message box is recorded and answered with the next scripted answer (OK when none left).
  std::vector<QString> shown;
  std::vector<int> answers;
};

}  // namespace zyn::test
