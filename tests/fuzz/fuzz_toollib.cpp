// The raw tool-library reader takes any bytes: it either loads the library or throws EReadError,
// never reads out of bounds, never recurses without end and never allocates far beyond the input.
// A library it loaded writes again, and what it wrote reads back and writes the same bytes, in
// the raw form and in the project-stream form.
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> WriteRaw(const zyn::TZYNFunktionsListe& list) {
  zyn::TMemoryStream out;
  list.SaveToStream(out);
  return out.Bytes();
}

std::vector<uint8_t> WriteFiler(const zyn::TZYNFunktionsListe& list) {
  zyn::TMemoryStream out;
  {
    zyn::TWriter writer(out);
    list.WriteData(writer);
  }
  return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zyn::TZYNFunktionsListe list;
  try {
    zyn::TMemoryStream in(std::vector<uint8_t>(data, data + size));
    list.LoadFromStream(in);
  } catch (const zyn::EZYNError&) {
    return 0;
  }
  const std::vector<uint8_t> first = WriteRaw(list);
  zyn::TZYNFunktionsListe again;
  zyn::TMemoryStream in(first);
  again.LoadFromStream(in);  // must not throw: it is our own output
  if (WriteRaw(again) != first) std::abort();

  const std::vector<uint8_t> filer = WriteFiler(list);
  zyn::TZYNFunktionsListe fromFiler;
  zyn::TMemoryStream filerIn(filer);
  zyn::TReader reader(filerIn);
  std::vector<std::string> messages;
  if (!fromFiler.ReadData(reader, &messages) || !messages.empty()) std::abort();
  if (WriteFiler(fromFiler) != filer) std::abort();
  return 0;
}
