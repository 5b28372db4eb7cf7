#pragma once
// A level under which tools are grouped in the tool trees.

#include <string>

namespace zyn {

class TReader;
class TWriter;
class TUniqueNames;

class TZYNEbene {
 public:
  // Takes a new internal name from the registry (when given) and returns it when destroyed.
  explicit TZYNEbene(TUniqueNames* registry = nullptr);
  ~TZYNEbene();
  TZYNEbene(const TZYNEbene&) = delete;
  TZYNEbene& operator=(const TZYNEbene&) = delete;

  std::string InternalName;  // at most 255 characters
  std::string Name;          // at most 255 characters

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  TUniqueNames* fRegistry;
};

}  // namespace zyn
