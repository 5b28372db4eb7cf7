#pragma once
// "Steuermodul testen": the hardware self test of the control module of the first tab. The test
// erases the module, so its program and project-information block are copied out first (and
// saved to a backup file beside the project), the test runs, and the copy is written back, shown
// in the progress window TFrmBackupProgress. A saved backup can be written back later with
// "Sicherung zurückspielen".

#include "shell/FrameManager.h"

#include <QDialog>
#include <QWidget>

#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QTabBar;
class QToolButton;

namespace zyn {

class TFourthHintPanel;
class TZYNComm;
struct TZYNCommProgress;

class TFrmBackupProgress : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmBackupProgress(QWidget* parent = nullptr);
  // Shows the backup (false) or restore (true) texts.
  void ShowPhase(bool restoring);
  void ShowProgress(const TZYNCommProgress& p);

  QLabel* lblHint = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* lblAdresse = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
};

class TFrSelbstTest : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrSelbstTest(QWidget* parent = nullptr);
  ~TFrSelbstTest() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QToolButton* BtnStart = nullptr;
  QToolButton* BtnRestore = nullptr;
  QCheckBox* FStyle = nullptr;
  QTabBar* TC = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  TFourthHintPanel* FourthHintPanel1 = nullptr;
  TZYNComm& Link() { return *PC; }

  // The backup file of the current control module.
  std::string BackupFilePath() const;
  void Start();
  // Writes a backup file back into the control module of the first tab; empty path: asks for it.
  void RestoreFromFile(const std::string& path = {});

 private:
  void RefuseTabChange();
  std::unique_ptr<TZYNComm> PC;
  std::unique_ptr<TFrmBackupProgress> fProgress;
  bool fRefusing = false;
};

}  // namespace zyn
