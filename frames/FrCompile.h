#pragma once
// The progress pages of "Projekt erstellen": the tool compiler page "FrCompile" while the tools
// expand into links, and the program build page "FrCompVerb" while the links are compiled into
// the control modules' images.

#include "compiler/CompileInterfaces.h"
#include "compiler/interpreter/ToolReport.h"
#include "frames/ProjectPage.h"

#include <unordered_set>

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
  void ProcessMessages() override;
};

class TFrCompVerb : public TProjectPage, public ICompileProgress {
  Q_OBJECT
 public:
  explicit TFrCompVerb(QWidget* parent = nullptr);
  void FrameActivate() override { Reset(); }
  void FrameDeactivate() override { Reset(); }
  void Reset();

  QLineEdit *ST = nullptr, *EK = nullptr, *EF = nullptr, *AT = nullptr, *AK = nullptr, *AF = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  int Count() const { return fCount; }

  // --- ICompileProgress: one compiled link ---
  void ShowCompileProgress(int code, TVerbindung* link) override;

 private:
  int fCount = 0;
  // The links reported so far: a link reported in several phases counts once.
  std::unordered_set<const TVerbindung*> fReported;
};

}  // namespace zyn
