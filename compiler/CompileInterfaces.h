#pragma once
// What a compile run asks of the world around it. The pages implement these interfaces; the
// compiler itself never shows anything.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zyn {

class TVerbindung;
class TZYNProjekt;

// Progress of a compile run. Codes: 0 a link is emitted, 1 a logic link's conditions are
// compiled, 2 a group link is expanded into its member links.
class ICompileProgress {
 public:
  virtual ~ICompileProgress() = default;
  virtual void ShowCompileProgress(int code, TVerbindung* link) = 0;
};

// Generates the links of the tools placed in the project (tool expansion), adding them to the
// link lists of their source objects as generated links. Lines describing logic conflicts go to
// `conflicts` (a line starting with "\b" is shown bold).
class IToolGenerator {
 public:
  virtual ~IToolGenerator() = default;
  virtual void GenerateTools(TZYNProjekt& projekt, std::vector<std::string>& conflicts) = 0;
};

// A tool generator made of a function, e.g. the macro interpreter's tool generation.
class TToolGeneratorFunction : public IToolGenerator {
 public:
  using TFunction = std::function<void(TZYNProjekt& projekt, std::vector<std::string>& conflicts)>;
  explicit TToolGeneratorFunction(TFunction function) : fFunction(std::move(function)) {}
  void GenerateTools(TZYNProjekt& projekt, std::vector<std::string>& conflicts) override {
    if (fFunction) fFunction(projekt, conflicts);
  }

 private:
  TFunction fFunction;
};

// Shows the logic conflicts found in the tools and asks whether to go on: 1 go on ("Ignorieren"),
// any other answer stops the build. Not asked when there are no conflicts.
class ILogicConflicts {
 public:
  virtual ~ILogicConflicts() = default;
  virtual int ShowLogicConflicts(const std::vector<std::string>& lines) = 0;
};

}  // namespace zyn
