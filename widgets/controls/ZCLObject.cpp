#include "widgets/controls/ZCLObject.h"

namespace zyn {

void TZCLObject::EndUpdate(bool changed) {
  fLocked = false;
  if (changed) Changed();
}

void TZCLObject::Changed() {
  if (fLocked) return;
  if (OnChange) OnChange(fOwner);
}

TZCLCollectionItem* TZCLCollectionBase::AddItem(std::unique_ptr<TZCLCollectionItem> item) {
  fItems.push_back(std::move(item));
  Renumber();
  Update();
  return fItems.back().get();
}

void TZCLCollectionBase::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  fItems.erase(fItems.begin() + index);
  Renumber();
  Update();
}

void TZCLCollectionBase::Clear() {
  if (fItems.empty()) return;
  fItems.clear();
  Update();
}

void TZCLCollectionBase::Renumber() {
  for (size_t i = 0; i < fItems.size(); ++i) fItems[i]->fIndex = static_cast<int>(i);
}

}  // namespace zyn
