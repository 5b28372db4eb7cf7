#pragma once
// Edits of the owning lists of the model (a vector of unique pointers): take one item out, move
// one item to another position. Positions out of range change nothing.

#include <memory>
#include <vector>

namespace zyn {

template <class T>
std::unique_ptr<T> ExtractAt(std::vector<std::unique_ptr<T>>& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return nullptr;
  auto item = std::move(items[static_cast<size_t>(index)]);
  items.erase(items.begin() + index);
  return item;
}

template <class T>
int IndexOfItem(const std::vector<std::unique_ptr<T>>& items, const T* item) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].get() == item) return static_cast<int>(i);
  return -1;
}

// The item at `from` ends up at position `to` (the others keep their order).
template <class T>
bool MoveItem(std::vector<std::unique_ptr<T>>& items, int from, int to) {
  const int n = static_cast<int>(items.size());
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return false;
  auto item = std::move(items[static_cast<size_t>(from)]);
  items.erase(items.begin() + from);
  items.insert(items.begin() + to, std::move(item));
  return true;
}

}  // namespace zyn
