#pragma once
// The two erase dialogs of the "System" menu: "Speicher eines Steuermodul löschen" erases the
// program memory of the selected control modules, "Displayspeicher löschen" the memory of the
// display panel (bus/MemoryErase.h).

#include "bus/ZYNComm.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace zyn {

class TFourthHintPanel;

class TFrmDeleteSTMMemory : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmDeleteSTMMemory(QWidget* parent = nullptr);
  void DeleteClick();
  TZYNComm& Link() { return ZYNCom; }

  QLabel* LA = nullptr;
  QGroupBox* GB = nullptr;
  std::array<QCheckBox*, 4> CSTM{};
  TFourthHintPanel* Hint = nullptr;
  QPushButton* BL = nullptr;
  QPushButton* BS = nullptr;
  QProgressBar* PB = nullptr;

 private:
  TZYNComm ZYNCom;
};

class TFrmDelDisplay : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmDelDisplay(QWidget* parent = nullptr);
  void DeleteDispClick();
  TZYNComm& Link() { return PC; }
  // The time the display has to confirm (ms).
  uint16_t EraseTimeout = 5000;

  TFourthHintPanel* Hint = nullptr;
  QPushButton* DelButton = nullptr;
  QPushButton* CloseButton = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

 private:
  TZYNComm PC;
};

}  // namespace zyn
