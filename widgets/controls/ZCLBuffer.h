#pragma once
// The library's item buffers: a last-in-first-out stack with an optional limit (dropping its oldest
// item in circle mode) and the buffer stream that stores the items from the oldest to the newest
// behind the signature "@ZCLBufferStream-V0.1@".

#include "widgets/controls/ZCLObject.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zyn {

using TZCLBufferBytes = std::vector<std::uint8_t>;

// The stream of a buffer: a 32-bit length (23), the zero-terminated signature, then per item its
// 32-bit size and bytes (all numbers little-endian).
TZCLBufferBytes WriteBufferStream(const std::vector<TZCLBufferBytes>& items);
// The items of a buffer stream, oldest first; nothing when the signature does not match. A stream
// that ends inside an item keeps the items read before it.
std::optional<std::vector<TZCLBufferBytes>> ReadBufferStream(const TZCLBufferBytes& stream);

template <typename T>
class TZCLDynLIFOBuffer : public TZCLObject {
 public:
  // Called for every item the buffer drops or clears.
  std::function<void(T&)> OnFreeItem;

  int Count() const { return static_cast<int>(fItems.size()); }
  bool Empty() const { return fItems.empty(); }
  int MaxEntries() const { return fMaxEntries; }
  void SetMaxEntries(int value) { fMaxEntries = value; }  // -1: unlimited
  bool CircleMode() const { return fCircleMode; }
  void SetCircleMode(bool value) { fCircleMode = value; }

  // False when the buffer is full and not in circle mode; in circle mode the oldest item goes (a
  // buffer of one entry is cleared).
  bool Push(T item) {
    if (fMaxEntries != -1 && Count() >= fMaxEntries) {
      if (!fCircleMode) return false;
      if (fMaxEntries == 1)
        Clear();
      else if (!fItems.empty())
        DropOldest();
    }
    fItems.push_back(std::move(item));
    return true;
  }
  std::optional<T> Pop() {
    if (fItems.empty()) return std::nullopt;
    T item = std::move(fItems.back());
    fItems.pop_back();
    return item;
  }
  const T* Top() const { return fItems.empty() ? nullptr : &fItems.back(); }
  void Clear() {
    while (!fItems.empty()) DropOldest();
  }
  // From the oldest item to the newest.
  template <typename F>
  void ForEach(F&& visit) const {
    for (const T& item : fItems) visit(item);
  }

  // The buffer stream with the bytes the handler gives for each item (an empty handler writes size 0).
  TZCLBufferBytes SaveToStream(const std::function<TZCLBufferBytes(const T&)>& bytesOf) const {
    std::vector<TZCLBufferBytes> blocks;
    for (const T& item : fItems) blocks.push_back(bytesOf ? bytesOf(item) : TZCLBufferBytes());
    return WriteBufferStream(blocks);
  }
  // Replaces the items by those of the stream; a wrong signature or an item the handler refuses
  // leaves the buffer as it was.
  bool LoadFromStream(const TZCLBufferBytes& stream,
                      const std::function<std::optional<T>(const TZCLBufferBytes&)>& itemOf) {
    const auto blocks = ReadBufferStream(stream);
    if (!blocks || !itemOf) return false;
    std::vector<T> read;
    for (const TZCLBufferBytes& b : *blocks) {
      std::optional<T> item = itemOf(b);
      if (!item) return false;
      read.push_back(std::move(*item));
    }
    Clear();
    for (T& item : read) Push(std::move(item));
    return true;
  }

 private:
  void DropOldest() {
    if (OnFreeItem) OnFreeItem(fItems.front());
    fItems.pop_front();
  }
  std::deque<T> fItems;
  int fMaxEntries = -1;
  bool fCircleMode = true;
};

}  // namespace zyn
