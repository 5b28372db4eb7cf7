#pragma once
// The main window's tests: one set of globals per test programme (options and system data in the
// isolated test home), scripted answers for every message box, and small projects saved to files.

#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "tests/support/TestHome.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

// Brings up the globals once; afterwards the wizard counts as completed unless a test says so.
void EnsureGlobals();

// A project with one control module at address 0, an input module with three inputs and an
// output module with two outputs; with badLink an input link aims at control module 3, which
// the project does not have.
void FillSmallProject(TZYNProjekt& projekt, bool badLink = false);
// Saves such a project (compressed for a ".zcf" name) and returns the file name.
std::string SaveSmallProject(const std::string& name, bool badLink = false);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Each message box is recorded and answered with the next scripted answer (OK when none left).
  std::vector<QString> shown;
  std::vector<int> answers;
};

}  // namespace zyn::test
