// Feeds arbitrary bytes to the project stream reader and to the base data readers (catalogue,
// command lists in the filer form, display character sets). A reader either fails with the
// programme's read error or reads something that writes, reads and writes again to the same
// bytes. The first byte selects the reader; the seeds in corpus/fuzz_project/ are written forms
// behind that byte: "project" is the stream of tests/project/ProjectFixture.h's FillProject
// with one control module and no modules, "catalogue" the class "JRM" of the default catalogue,
// "commands" its list "Ausgangsfunktionen Merker" in the filer form, "chars" the built chars.zyb.

#include "model/CharSet.h"
#include "model/EAFunktionen.h"
#include "model/ModulClassList.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "project/Projekt.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

template <class Read, class Write>
void RoundTrip(const uint8_t* data, size_t size, Read read, Write write) {
  std::vector<uint8_t> once;
  try {
    zyn::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    zyn::TReader reader(stream);
    once = write(read(reader));
  } catch (const zyn::EZYNError&) {
    return;
  }
  zyn::TMemoryStream again(once);
  zyn::TReader reader(again);
  if (write(read(reader)) != once) __builtin_trap();
}

template <class T, class F>
std::vector<uint8_t> Bytes(F f) {
  zyn::TMemoryStream stream;
  {
    zyn::TWriter writer(stream);
    f(writer);
  }
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t selector = data[0] % 4;
  ++data;
  --size;
  switch (selector) {
    case 0:
      RoundTrip(
          data, size,
          [](zyn::TReader& r) {
            auto p = std::make_shared<zyn::TZYNProjekt>();
            p->LoadFromReader(r);
            return p;
          },
          [](const std::shared_ptr<zyn::TZYNProjekt>& p) { return p->StreamBytes(); });
      break;
    case 1:
      RoundTrip(
          data, size,
          [](zyn::TReader& r) {
            auto l = std::make_shared<zyn::TModulClassList>();
            l->ReadData(r);
            return l;
          },
          [](const std::shared_ptr<zyn::TModulClassList>& l) {
            return Bytes<int>([&](zyn::TWriter& w) { l->WriteData(w); });
          });
      break;
    case 2:
      RoundTrip(
          data, size,
          [](zyn::TReader& r) {
            auto c = std::make_shared<zyn::TEAFunktionsContainer>();
            c->ReadFiler(r);
            return c;
          },
          [](const std::shared_ptr<zyn::TEAFunktionsContainer>& c) {
            return Bytes<int>([&](zyn::TWriter& w) { c->WriteFiler(w); });
          });
      break;
    default: {
      try {
        zyn::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        zyn::TReader reader(stream);
        zyn::TZYNCharSet entry;
        reader.ReadListBegin();
        while (!reader.EndOfList()) zyn::ReadCharSetEntry(entry, reader);
      } catch (const zyn::EZYNError&) {
      }
      break;
    }
  }
  return 0;
}
