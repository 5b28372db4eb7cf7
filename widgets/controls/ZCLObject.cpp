#include "widgets/controls/ZCLObject.h"

namespace zyn {

void TZCLObject::EndUpdate(bool changed) {
  locked_ = false;
  if (changed) Changed();
}

void TZCLObject::Changed() {
  if (locked_) return;
  if (OnChange) OnChange(owner_);
}

TZCLCollectionItem* TZCLCollectionBase::AddItem(std::unique_ptr<TZCLCollectionItem> item) {
  items_.push_back(std::move(item));
  Renumber();
  Update();
  return items_.back().get();
}

void TZCLCollectionBase::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  Renumber();
  Update();
}

void TZCLCollectionBase::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Update();
}

void TZCLCollectionBase::Renumber() {
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

}  // namespace zyn
