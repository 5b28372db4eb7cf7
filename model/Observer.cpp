#include "model/Observer.h"

namespace zyn {

void TCustomObserver::ClientValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue) {
  if (fUpdateCount > 0) {
    fPending.push_back(TValueChange{sender, oldValue, newValue});
    return;
  }
  if (OnClientValueChanged) OnClientValueChanged(sender, oldValue, newValue);
}

void TCustomObserver::ClientValuesChanged(const std::vector<TValueChange>& changes) {
  if (OnClientValuesChanged) {
    OnClientValuesChanged(changes);
    return;
  }
  for (const TValueChange& c : changes) {
    if (OnClientValueChanged) OnClientValueChanged(c.Sender, c.OldValue, c.NewValue);
  }
}

void TCustomObserver::EndUpdate() {
  if (fUpdateCount == 0 || --fUpdateCount > 0 || fPending.empty()) return;
  std::vector<TValueChange> changes;
  changes.swap(fPending);
  ClientValuesChanged(changes);
}

TObserverBatch::~TObserverBatch() {
  for (TCustomObserver* observer : fHeld) {
    try {
      observer->EndUpdate();
    } catch (...) {
      // As with single changes: one observer's failure does not keep the others uninformed.
    }
  }
}

void TObserverBatch::Hold(TCustomObserver* observer) {
  if (observer == nullptr) return;
  for (TCustomObserver* held : fHeld) {
    if (held == observer) return;
  }
  observer->BeginUpdate();
  fHeld.push_back(observer);
}

void TObserverBatch::HoldAll(const TObserverList& observers) {
  for (int i = 0; i < observers.Count(); ++i) Hold(observers.Node(i).Observer());
}

void TCustomObserver::ClientChanged(TBaseObject* sender) {
  if (OnClientChanged) OnClientChanged(sender);
}

void TCustomObserver::ClientDeleted(TBaseObject* sender) {
  if (OnClientDeleted) OnClientDeleted(sender);
}

void TCustomObserver::ObserverRegistered(TBaseObject* sender, const std::string& oldText, const std::string& newText) {
  if (OnObserverRegistered) OnObserverRegistered(sender, oldText, newText);
}

void TCustomObserver::ObserverUnregistered(TBaseObject* sender) {
  if (OnObserverUnregistered) OnObserverUnregistered(sender);
}

void TCustomObserver::ViewChanged(TBaseObject* sender, const std::string& oldText, const std::string& newText) {
  if (OnViewChanged) OnViewChanged(sender, oldText, newText);
}

int TObserverList::RegisterObserver(TCustomObserver* observer) {
  if (observer == nullptr) return -1;
  int index = IndexOfObserver(observer);
  if (index < 0) {
    fNodes.push_back(std::make_unique<TObserverNode>(observer));
    index = Count() - 1;
  }
  fNodes[static_cast<size_t>(index)]->AddRef();
  return index;
}

int TObserverList::UnregisterObserver(TCustomObserver* observer) {
  const int index = IndexOfObserver(observer);
  if (index < 0) return -1;
  auto& node = fNodes[static_cast<size_t>(index)];
  node->Release();
  if (!node->Referenced()) fNodes.erase(fNodes.begin() + index);
  return index;
}

int TObserverList::IndexOfObserver(const TCustomObserver* observer) const {
  for (size_t i = 0; i < fNodes.size(); ++i) {
    if (fNodes[i]->Observer() == observer) return static_cast<int>(i);
  }
  return -1;
}

void TObserverList::BroadcastValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue) {
  // A copy of the observer pointers: a handler may detach itself.
  std::vector<TCustomObserver*> observers;
  for (const auto& node : fNodes) observers.push_back(node->Observer());
  for (TCustomObserver* observer : observers) {
    try {
      observer->ClientValueChanged(sender, oldValue, newValue);
    } catch (...) {
      // One observer's failure must not keep the others uninformed.
    }
  }
}

void TObserverList::BroadcastDeleted(TBaseObject* sender) {
  std::vector<TCustomObserver*> observers;
  for (const auto& node : fNodes) observers.push_back(node->Observer());
  for (TCustomObserver* observer : observers) {
    try {
      observer->ClientDeleted(sender);
    } catch (...) {
    }
  }
}

void TObserverList::BroadcastViewChanged(TBaseObject* sender, const std::string& oldText, const std::string& newText) {
  std::vector<TCustomObserver*> observers;
  for (const auto& node : fNodes) observers.push_back(node->Observer());
  for (TCustomObserver* observer : observers) observer->ViewChanged(sender, oldText, newText);
}

}  // namespace zyn
