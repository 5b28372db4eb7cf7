#include "compiler/toollib/Ebene.h"

#include "model/UniqueNames.h"
#include "model/base/Filer.h"

namespace zyn {

TZYNEbene::TZYNEbene(TUniqueNames* registry) : fRegistry(registry) {
  if (fRegistry) InternalName = fRegistry->NewName();
}

TZYNEbene::~TZYNEbene() {
  if (fRegistry && !InternalName.empty()) fRegistry->RemoveName(InternalName);
}

void TZYNEbene::ReadData(TReader& reader) {
  if (fRegistry && !InternalName.empty()) fRegistry->RemoveName(InternalName);
  fRegistry = nullptr;  // a name read from a stream is not entered into the registry
  InternalName = reader.ReadString().substr(0, 255);
  Name = reader.ReadString().substr(0, 255);
}

void TZYNEbene::WriteData(TWriter& writer) const {
  writer.WriteString(InternalName.substr(0, 255));
  writer.WriteString(Name.substr(0, 255));
}

}  // namespace zyn
