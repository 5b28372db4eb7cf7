#include "MainWindowFixture.h"

#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "project/Global.h"
#include "tests/support/AppFixture.h"
#include "tests/support/ProgrammeGlobals.h"

#include <QApplication>

namespace zyn::test {

void EnsureGlobals() { EnsureProgrammeGlobals(); }

void MainWindowTest::SetUp() {
  EnsureGlobals();
  SetBoolOption(boConfigAssist, true);
  SetIntOption(0, 10);
  SetIntOption(1, 10);
  SetIntOption(2, 800);
  SetIntOption(3, 600);
  SetIntOption(4, 0);
  std::remove((GetSystemPath() + "MRUList.cfg").c_str());
  SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    if (answers.empty()) return static_cast<int>(IDOK);
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
}

void MainWindowTest::TearDown() {
  SetMessageDlgHook({});
  GProjekt.reset();
}

}  // namespace zyn::test
