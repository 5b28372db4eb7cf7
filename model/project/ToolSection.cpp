#include "model/project/ToolSection.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"

namespace zyn {

void TToolSection::ReadData(TReader& reader) {
  reader.ReadListBegin();
  if (!reader.EndOfList())
    throw EReadError(Ansi("Die Tools dieses Projekts können von dieser Programmversion nicht gelesen werden."));
  reader.ReadListEnd();
}

void TToolSection::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  writer.WriteListEnd();
}

}  // namespace zyn
