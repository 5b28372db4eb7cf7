#include "widgets/controls/ZCLBaseController.h"

#include <algorithm>

namespace zyn {

TZCLChangeLink::~TZCLChangeLink() {
  if (fSender) fSender->UnregisterLink(this);
}

TZCLBaseController::~TZCLBaseController() {
  while (!fLinks.empty()) UnregisterLink(fLinks.back());
}

void TZCLBaseController::RegisterLink(TZCLChangeLink* link) {
  if (!link) return;
  if (link->fSender && link->fSender != this) link->fSender->UnregisterLink(link);
  link->fSender = this;
  if (std::find(fLinks.begin(), fLinks.end(), link) == fLinks.end()) fLinks.push_back(link);
}

void TZCLBaseController::UnregisterLink(TZCLChangeLink* link) {
  if (!link) return;
  link->fSender = nullptr;
  fLinks.erase(std::remove(fLinks.begin(), fLinks.end(), link), fLinks.end());
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
  const std::vector<TZCLChangeLink*> links = fLinks;
  for (TZCLChangeLink* link : links)
    if (link->OnChange) link->OnChange(this);
}

}  // namespace zyn
