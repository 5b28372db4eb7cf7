#pragma once
// The page "FrSTMInfo": reads the project-information block and the project identity from the
// selected control module (ReadStmInfo, bus/StmInfo.h) and shows them.

#include "bus/ZYNComm.h"
#include "shell/FormMain.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace zyn {

class TPageTabBar;

class TFrSTMInfo : public QWidget, public IFrameMessage, public IFrameRefresh {
  Q_OBJECT
 public:
  explicit TFrSTMInfo(QWidget* parent = nullptr);

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }
  void RefreshFrame() override { Refresh(); }
  void Refresh() { UpdateReadButton(); }
  void UpdateReadButton();
  // Reads the information of the control module of the current tab.
  void ReadProjectInfo();
  void OKClick();
  TZYNComm& Link() { return ZYNCom; }

  QToolButton* BtnOK = nullptr;
  QCheckBox* FStyle = nullptr;
  TPageTabBar* TC = nullptr;
  std::array<QLabel*, 9> Values{};
  QPlainTextEdit* Memo1 = nullptr;

 private:
  void ClearValues();

  TZYNComm ZYNCom;
};

}  // namespace zyn
