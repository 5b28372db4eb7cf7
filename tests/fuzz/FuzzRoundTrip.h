#pragma once
// Shared by the fuzz targets of the project stream sections: the written form of a section and
// the check that this form reads back and writes to the same bytes again.
#include "model/base/Filer.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zyn::fuzz {

template <class Project>
std::vector<uint8_t> Write(Project& project) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    project.WriteData(writer);
  }
  return stream.Bytes();
}

// Reads `data` into `project`; false when the reader rejects it with one of `Error`.
template <class Error, class Project>
bool Read(Project& project, const uint8_t* data, size_t size) {
  try {
    TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    TReader reader(stream);
    project.ReadData(reader);
  } catch (const Error&) {
    return false;
  }
  return true;
}

// Writes the project, reads that form into a fresh one (it must not throw: it is our own form)
// and aborts unless the fresh one writes the same bytes.
template <class Project>
void CheckRoundTrip(Project& project) {
  const std::vector<uint8_t> first = Write(project);
  Project again;
  {
    TMemoryStream stream(first);
    TReader reader(stream);
    again.ReadData(reader);
  }
  if (Write(again) != first) std::abort();
}

}  // namespace zyn::fuzz
