#pragma once
// A tool used inside another tool. Read from a library file it embeds (and owns) a full copy of
// the referenced tool; in a project it refers to a tool of the project by its internal name, and
// the reference is attached after loading.

#include "compiler/toollib/ShortString.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TStream;
class TRawToolReader;
class TZYNFunction;
class TZYNFunktionsListe;

class TZYNSubFunction {
 public:
  TZYNSubFunction();
  ~TZYNSubFunction();
  TZYNSubFunction(const TZYNSubFunction&) = delete;
  TZYNSubFunction& operator=(const TZYNSubFunction&) = delete;

  std::string FunctionKey;   // InternalName of the referenced tool (at most 255 characters)
  std::string InternalName;  // at most 255 characters
  TShortString<255> Name;

  // The referenced tool: the embedded copy, or a tool bound from elsewhere (not owned).
  TZYNFunction* FunctionPtr() const { return fFunction; }
  bool OwnsFunction() const { return fOwned != nullptr; }
  // Refers to a tool owned elsewhere; an embedded copy is freed.
  void SetFunction(TZYNFunction* tool);
  // Takes an embedded copy.
  void SetOwnedFunction(std::unique_ptr<TZYNFunction> tool);
  // Replaces the embedded copy by the tool of the same FunctionName in the list; false when the
  // list has none (the copy then stays).
  bool BindTo(const TZYNFunktionsListe& list);

  // Deep copy: an embedded tool is copied, a bound tool stays bound.
  void CopyFrom(const TZYNSubFunction& source);

  // Raw form: the Name image (256 bytes) and the referenced tool in raw form. A sub-tool without
  // a tool is written with an empty tool.
  void LoadFromRaw(TRawToolReader& reader);
  void SaveToRaw(TStream& stream, std::vector<const TZYNFunction*>& writing) const;
  // Project stream: Name, the referenced tool's internal name, InternalName.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  std::unique_ptr<TZYNFunction> fOwned;
  TZYNFunction* fFunction = nullptr;
};

}  // namespace zyn
