// Feeds arbitrary bytes to the readers of the installation model: module lists, the numbered
// lists, link lists and catalogue entries. A reader either fails with the programme's read error
// or reads something that writes, reads and writes again to the same bytes. The seeds in
// corpus/fuzz_model/ are the written forms of small lists and a catalogue entry, each behind the
// byte that selects its reader.

#include "model/BasisModul.h"
#include "model/ModulClass.h"
#include "model/ModulListe.h"
#include "model/ObjektListen.h"
#include "model/VerbindungsListe.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

template <class T>
std::vector<uint8_t> Write(const T& object) {
  zyn::TMemoryStream stream;
  {
    zyn::TWriter writer(stream);
    object.WriteData(writer);
  }
  return stream.Bytes();
}

template <class T>
void RoundTrip(const uint8_t* data, size_t size) {
  T first;
  try {
    zyn::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    zyn::TReader reader(stream);
    first.ReadData(reader);
  } catch (const zyn::EZYNError&) {
    return;
  }
  const std::vector<uint8_t> once = Write(first);
  T second;
  zyn::TMemoryStream stream(once);
  {
    zyn::TReader reader(stream);
    second.ReadData(reader);
  }
  if (Write(second) != once) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t kind = data[0] % 8;
  ++data;
  --size;
  switch (kind) {
    case 0:
      RoundTrip<zyn::TModulListe>(data, size);
      break;
    case 1:
      RoundTrip<zyn::TMerkerListe>(data, size);
      break;
    case 2:
      RoundTrip<zyn::TUhrenListe>(data, size);
      break;
    case 3:
      RoundTrip<zyn::TTextListe>(data, size);
      break;
    case 4:
      RoundTrip<zyn::TGruppenListe>(data, size);
      break;
    case 5:
      RoundTrip<zyn::TVerbindungsListe>(data, size);
      break;
    case 6:
      RoundTrip<zyn::TModulClass>(data, size);
      break;
    default:
      RoundTrip<zyn::TBasisModulListe>(data, size);
      break;
  }
  return 0;
}
