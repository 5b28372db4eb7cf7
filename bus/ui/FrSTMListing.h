#pragma once
// The page "FrSTMListing": reads the program area of a control module and shows it in the hex
// view, saves it to a program file, loads a program file and writes it back into the module
// (TListingRun, bus/ProgramListing.h).

#include "bus/ZYNComm.h"
#include "shell/FormMain.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QToolButton;

namespace zyn {

class TPageTabBar;
class THexView;
enum class TListingResult;

class TFrSTMListing : public QWidget, public IFrameMessage, public IFrameRefresh {
  Q_OBJECT
 public:
  explicit TFrSTMListing(QWidget* parent = nullptr);

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }
  void RefreshFrame() override { SelectFirstTab(); }
  void SelectFirstTab();

  void ReadClick();
  void SaveClick();
  void LoadClick();
  void TransferClick();
  void UpdateButtons();

  bool Loaded() const { return fLoaded; }
  const std::vector<uint8_t>& LoadedProgram() const { return fProgram; }
  TZYNComm& Link() { return ZYNCom; }
  // The file dialogs (save true: the save dialog); tests answer them. Empty: cancelled.
  std::function<std::string(bool save)> ChooseFile;

  TPageTabBar* TC = nullptr;
  QToolButton* BtnRead = nullptr;
  QToolButton* BtnSaveListing = nullptr;
  QToolButton* BtnLoad = nullptr;
  QToolButton* BtnTransfer = nullptr;
  QCheckBox* FStyle = nullptr;
  THexView* MPHE = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Result = nullptr;  // what the last write-back did
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QProgressBar* PB = nullptr;

 private:
  void BeginBusWork();
  void EndBusWork();
  // Reads the module into program; false (with the message shown) when it did not work.
  bool ReadModule(std::vector<uint8_t>& program);
  void ShowResult(TListingResult result);
  int CurrentModule() const;
  std::string AskFile(bool save);

  TZYNComm ZYNCom;
  std::vector<uint8_t> fProgram;
  bool fLoaded = false;
};

}  // namespace zyn
