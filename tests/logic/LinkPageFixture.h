#pragma once
// The direct-link page's tests: the globals with the default system data in the test home, the
// page hosted by the real main window, scripted answers for message boxes and dialogs, and a
// small project with two control modules.

#include "logic/FrFunktion.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "tests/compiler/CompilerFixture.h"

#include <QDialog>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QTableWidget;

namespace zyn::test {

// Control module 0: inputs INP (class 0, address 1, inputs 0..2, feedback none), PIR (class 0,
// address 2, "Input PIR"), outputs OUT (class 2, address 5, outputs 1..3 switching, output 4
// dimming), flags 0..2 (flag 2 reserved), clock 0, display text 0, group 0 (OUT output 1).
// Control module 1: one input module and one output module.
void FillLinkProject(TProjectBuilder& builder);

class LinkPageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TFrFunktion* page = nullptr;
  std::unique_ptr<TMainForm> form;
  std::vector<QString> shown;  // message texts
  // The dialogs run through the logic dialog hook; each answers the next dialog (removed when
  // used). Without one left, a dialog is answered 1 (OK) untouched.
  std::vector<std::function<int(QDialog&)>> dialogs;
  std::string projectFile;

  TSteuermodul& Stm(int index) { return *GProjekt->Steuermodule.GetSteuermodul(index); }
  // Selects the entry with that text; false when there is none.
  bool Pick(QComboBox* box, const QString& text);
  void SelectInput(const QString& object, int row);
  void SelectOutputs(const QString& object, const std::vector<int>& rows);
  // The project stream as it would be saved.
  std::vector<uint8_t> Bytes() const { return GProjekt->StreamBytes(); }
  // Shows the page again (rebuilding tabs and lists).
  void Reactivate();
};

}  // namespace zyn::test
