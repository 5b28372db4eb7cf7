#pragma once
// "Schaltuhren im STM ändern" reads the timers stored in a control module, shows each one's
// switch-on and switch-off day mask and time, lets the user change them and writes them back.
// "STM- Merker bearbeiten" shows the 1024 flags of a control module as "EIN"/"AUS".

#include "bus/STMViewerService.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabBar;
class QTableWidget;
class QToolButton;

namespace zyn {

class TWTSelectBox;
class TZYNComm;

class TFrEditSTMUhren : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrEditSTMUhren(QWidget* parent = nullptr);
  ~TFrEditSTMUhren() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  QToolButton* BtnOK = nullptr;        // "Uhren auslesen"
  QToolButton* ToolButton2 = nullptr;  // "Alle Uhren aktualisieren"
  QCheckBox* FStyle = nullptr;
  QTabBar* TC = nullptr;
  QListWidget* LBTimer = nullptr;
  QGroupBox* Uhrendaten = nullptr;
  QLineEdit* EDTimer = nullptr;
  TWTSelectBox* EinMaske = nullptr;
  TWTSelectBox* AusMaske = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

  TZYNComm& Link() { return *PC; }
  TSTMTimerTable& Timers() { return fTimers; }

  void ClearFields();
  void ReadTimers();
  void ShowTimer();
  void EdgeChanged(bool on);
  void WriteTimers();

 private:
  void AddLog(const std::vector<std::string>& lines);
  int ChosenTimer() const;
  std::unique_ptr<TZYNComm> PC;
  TSTMTimerTable fTimers;
  bool fUpdating = false;
};

class TFrmEditSTMMerker : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrmEditSTMMerker(QWidget* parent = nullptr);
  ~TFrmEditSTMMerker() override;

  void FrameActivate() override;
  void FrameDeactivate() override {}
  int AskApplyChanges() override { return 6; }

  QToolButton* BtnRefresh = nullptr;
  QCheckBox* FStyle = nullptr;
  QTabBar* TC = nullptr;
  QTableWidget* MG = nullptr;
  TZYNComm& Link() { return *PC; }

  void Refresh();

 private:
  std::unique_ptr<TZYNComm> PC;
};

}  // namespace zyn
