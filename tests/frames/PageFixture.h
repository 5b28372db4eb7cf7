#pragma once
// The object pages' tests: one set of globals in a temporary home, the pages hosted by the real
// main window, scripted answers for every message box, a sample project and the saved project
// read back by the model's own reader.

#include "project/Projekt.h"
#include "shell/FormMain.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace zyn::test {

// The folder of the test programme's own files, with a trailing "/"; removed at the end.
const std::string& PageTestHome();
void EnsurePageGlobals();

// Two control modules: 0 "Steuermodul 0" with an input module (INP, base class 0, address 1,
// three inputs), an output module (OUT, base class 2, address 5, two outputs), flags 0, 1 and 5
// (flag 5 "Licht" is the target of a link of input 0), a daily, a weekly and a blind clock, two
// display texts and a group; 1 "Steuermodul 1" with one flag.
void FillSampleProject(TZYNProjekt& projekt);
std::string SaveSampleProject(const std::string& name);

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The main window with the sample project opened and the page shown.
  template <class Page>
  Page* ShowPage(const char* key) {
    return dynamic_cast<Page*>(ShowFrame(key));
  }
  QWidget* ShowFrame(const char* key);
  // Saves the open project and reads the file back with the model's reader.
  std::unique_ptr<TZYNProjekt> SaveAndReload();
  // Saves a screenshot of the page into the build folder for review.
  void Screenshot(QWidget* page, const std::string& name);

  std::unique_ptr<TMainForm> form;
  std::vector<QString> shown;
  std::vector<int> answers;
};

}  // namespace zyn::test
