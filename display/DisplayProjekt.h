#pragma once
// The display panels of a project.

#include "display/DispObjekt.h"
#include "display/InternalObjectNames.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TDispCompiler;
class TReader;
class TWriter;

// The address pool of the displays: one used flag per address from MinAddress to MaxAddress.
struct TDisplayAdressen {
  int MinAddress = 0;
  int MaxAddress = 0;
  std::vector<bool> Used = std::vector<bool>(1, false);

  void SetRange(int minAddress, int maxAddress);
  bool IsUsed(int address) const;
  void SetUsed(int address, bool used);
  // The lowest free address, or -1.
  int FindFree() const;
};

class TDisplayProjekt {
 public:
  TDisplayProjekt();
  ~TDisplayProjekt();
  TDisplayProjekt(const TDisplayProjekt&) = delete;
  TDisplayProjekt& operator=(const TDisplayProjekt&) = delete;

  TDispUniqueNames DispUniqueNames;
  TDisplayAdressen Adressen;

  size_t Count() const { return fItems.size(); }
  TDisplayObjekt& operator[](size_t i) const { return *fItems[i]; }
  // The display filed under the InternalName, or nothing.
  TDisplayObjekt* Find(const std::string& internalName) const;
  // Files the display under its InternalName and sets its back reference.
  TDisplayObjekt* Add(std::unique_ptr<TDisplayObjekt> display);
  // A new display (header only) with a new InternalName and the lowest free address, named
  // "Display <address>"; nothing when every address is in use.
  TDisplayObjekt* AddNewDisplay();
  // Frees the display and releases its address.
  bool Remove(TDisplayObjekt* display);
  void Clear();

  TDispCompiler& Compiler() { return *fCompiler; }

  // Compiles every display. A display that does not compile gets PrgLaenge 0 and its German
  // message is appended to messages; the result is false when any display failed.
  bool CompileAll(std::vector<std::string>* messages = nullptr);

  // The pool and a header copy of every display (no screens, pairs or images).
  void CopyFrom(const TDisplayProjekt& source);
  // Applies this edited copy to the project's display project.
  void MergeInto(TDisplayProjekt& target) const;

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer);

  // The German warning about what the last reading skipped, naming each display concerned and
  // the damaged elements (at most `limit` notes a display); empty when nothing was skipped.
  std::string SkippedWarning(size_t limit = 12) const;

 private:
  std::unique_ptr<TDispCompiler> fCompiler;
  std::vector<std::unique_ptr<TDisplayObjekt>> fItems;
};

}  // namespace zyn
