#include "visu/IndexHandler.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <algorithm>

namespace zyn {

TIndexHandler::TIndexHandler() : fSlots(kSlotCount, 0) {}

int32_t TIndexHandler::AllocateIndex() {
  // Every slot below fFirstFree is in use, so the scan from slot 0 can start there.
  const auto it = std::find(fSlots.begin() + static_cast<long>(fFirstFree), fSlots.end(), 0);
  if (it == fSlots.end()) {
    fFirstFree = fSlots.size();
    return -1;
  }
  *it = 1;
  fFirstFree = static_cast<size_t>(it - fSlots.begin()) + 1;
  return static_cast<int32_t>(fFirstFree);
}

void TIndexHandler::ClearIndexes() {
  std::fill(fSlots.begin(), fSlots.end(), 0);
  fFirstFree = 0;
}

void TIndexHandler::ReleaseIndex(int32_t index) {
  if (index >= 1 && index <= kSlotCount) {
    fSlots[index - 1] = 0;
    fFirstFree = std::min(fFirstFree, static_cast<size_t>(index - 1));
  }
}

bool TIndexHandler::IsUsed(int32_t index) const { return index >= 1 && index <= kSlotCount && fSlots[index - 1] != 0; }

void TIndexHandler::ReadData(TReader& reader) {
  const int32_t count = reader.ReadInteger();
  if (count < 0) throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
  std::vector<uint8_t> slots(kSlotCount, 0);
  const int32_t kept = std::min(count, kSlotCount);
  if (kept > 0) reader.Read(slots.data(), static_cast<size_t>(kept));
  uint8_t rest[4096];
  for (int64_t left = int64_t(count) - kept; left > 0;) {
    const size_t part = static_cast<size_t>(std::min<int64_t>(left, sizeof rest));
    reader.Read(rest, part);
    left -= static_cast<int64_t>(part);
  }
  for (auto& s : slots) s = s != 0 ? 1 : 0;
  fSlots = std::move(slots);
  fFirstFree = 0;
}

void TIndexHandler::WriteData(TWriter& writer) const {
  writer.WriteInteger(kSlotCount);
  writer.Write(fSlots.data(), fSlots.size());
}

}  // namespace zyn
