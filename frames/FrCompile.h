#pragma once
// The progress pages of "Projekt erstellen": the tool compiler page "FrCompile" while the tools
// expand into links, and the program build page "FrCompVerb" while the links are compiled into
// the control modules' images.

#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolReport.h"
#include "frames/ProjectPage.h"

#include <unordered_set>
#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;


namespace zyn {

class TFrCompile : public TProjectPage, public IToolReport {
  Q_OBJECT
 public:
  explicit TFrCompile(QWidget* parent = nullptr);
  void FrameActivate() override { Reset(); }
  void FrameDeactivate() override { Reset(); }
  void Reset();

  QLabel* Label3 = nullptr;
  QProgressBar* PB = nullptr;   // the current tool
  QProgressBar* PB1 = nullptr;  // all tools
  QListWidget* LB = nullptr;

  // --- IToolReport ---
  void SetToolProgress(int position) override;
  void SetOverallMaximum(int maximum) override;
  void StepOverall() override;
  void SetCaption(const std::string& text) override;
  void AddMessage(const std::string& line) override;
  void ToolFailed(const TZYNFunction& tool, const std::string& message, const std::string& cause) override;
  // The screen follows at most every TFrCompVerb::kScreenInterval milliseconds.
  void ProcessMessages() override;

 private:
  QElapsedTimer fSinceScreen;
};

// Every link of the build is shown (its fields, its protocol line and the count), but the screen
// follows at most every kScreenInterval milliseconds: the lines gathered meanwhile are added at
// once, and what is still pending when the build ends is shown as soon as the programme is idle.
class TFrCompVerb : public TProjectPage, public ICompileProgress {
  Q_OBJECT
 public:
  static constexpr int kScreenInterval = 50;

  explicit TFrCompVerb(QWidget* parent = nullptr);
  void FrameActivate() override { Reset(); }
  void FrameDeactivate() override { Reset(); }
  void Reset();

  QLineEdit *ST = nullptr, *EK = nullptr, *EF = nullptr, *AT = nullptr, *AK = nullptr, *AF = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  int Count() const { return fCount; }
  // How often the screen was brought up to date since the last reset.
  int ScreenUpdates() const { return fScreenUpdates; }
  // Lines not yet on the screen.
  int PendingLines() const { return static_cast<int>(fPending.size()); }

  // --- ICompileProgress: one compiled link ---
  void ShowCompileProgress(int code, TVerbindung* link) override;
  // Shows every link received so far.
  void Flush();

 private:
  int fCount = 0;
  // The links reported so far: a link reported in several phases counts once.
  std::unordered_set<const TVerbindung*> fReported;
  int fScreenUpdates = 0;
  std::vector<std::string> fPending;
  std::array<std::string, 6> fFields;  // ST, EK, EF, AT, AK, AF of the last link
  QElapsedTimer fSinceScreen;
  QTimer* fIdleFlush = nullptr;
};

}  // namespace zyn
