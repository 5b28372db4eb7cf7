#pragma once
// Allocator of the index numbers 1 to 65530 that index-driven controls react to.

#include "model/base/Filer.h"

#include <cstdint>
#include <vector>

namespace zyn {

class TIndexHandler {
 public:
  static constexpr int32_t kSlotCount = 65530;

  TIndexHandler();

  // The lowest free number, now taken; -1 when every number is in use.
  int32_t AllocateIndex();
  void ClearIndexes();
  // Frees the number; numbers outside 1 .. 65530 are ignored.
  void ReleaseIndex(int32_t index);
  bool IsUsed(int32_t index) const;

  // The table on the value stream: integer N (always 65530), then N raw bytes, 1 = in use.
  // A stored table of another length is accepted: slots beyond it are free, bytes beyond
  // 65530 are passed over.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  std::vector<uint8_t> fSlots;
  size_t fFirstFree = 0;
};

}  // namespace zyn
