#pragma once
// The tools placed in a control module or in the whole project, as far as the project file
// carries them. Until the tool library is linked into the project, a project holds no tools: the
// section is written as an empty list, and a file whose tool section is not empty is refused with
// a German read error instead of being read wrongly.

namespace zyn {

class TReader;
class TWriter;

class TToolSection {
 public:
  int Count() const { return 0; }
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

}  // namespace zyn
