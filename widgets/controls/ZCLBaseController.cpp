#include "widgets/controls/ZCLBaseController.h"

#include <algorithm>

namespace zyn {

TZCLChangeLink::~TZCLChangeLink() {
  if (sender_) sender_->UnregisterLink(this);
}

TZCLBaseController::~TZCLBaseController() {
  while (!links_.empty()) UnregisterLink(links_.back());
}

void TZCLBaseController::RegisterLink(TZCLChangeLink* link) {
  if (!link) return;
  if (link->sender_ && link->sender_ != this) link->sender_->UnregisterLink(link);
  link->sender_ = this;
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TZCLBaseController::UnregisterLink(TZCLChangeLink* link) {
  if (!link) return;
  link->sender_ = nullptr;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TZCLBaseController::Changed() {
  if (IsLoading()) return;
  // The inherited change event honours the update lock.
  bool fired = false;
  const TZCLNotifyEvent saved = OnChange;
  OnChange = [&](QObject* sender) {
    fired = true;
    if (saved) saved(sender);
  };
  TZCLCustomComponent::Changed();
  OnChange = saved;
  if (!fired) return;
  const std::vector<TZCLChangeLink*> links = links_;
  for (TZCLChangeLink* link : links)
    if (link->OnChange) link->OnChange(this);
}

}  // namespace zyn
