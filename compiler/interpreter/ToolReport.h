#pragma once
// What the tool generation tells the user while it runs: the progress of the current tool and of
// the whole run, the caption of the tool being expanded, the message list, and the report of a
// tool that could not be expanded. The pages implement it; every operation may be left out
// (nothing is shown then).

#include <string>

namespace zyn {

class TZYNFunction;

class IToolReport {
 public:
  virtual ~IToolReport() = default;

  // The progress of the current tool, 0 to 100.
  virtual void SetToolProgress(int position) {}
  // The progress over all tools: the maximum (position 0), then one step per tool.
  virtual void SetOverallMaximum(int maximum) {}
  virtual void StepOverall() {}
  // The caption naming the tool being expanded.
  virtual void SetCaption(const std::string& text) {}
  // A line of the message list; the list shows its last line.
  virtual void AddMessage(const std::string& line) {}
  // A block of the tool failed: `message` is the German notice for the user, `cause` the error
  // that stopped the block. Called once per tool; the tool's later blocks are skipped.
  virtual void ToolFailed(const TZYNFunction& tool, const std::string& message, const std::string& cause) {}
  // Lets the user interface handle pending events between tools and blocks.
  virtual void ProcessMessages() {}
};

}  // namespace zyn
