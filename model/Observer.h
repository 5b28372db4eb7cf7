#pragma once
// Observers of the model objects: the user interface attaches them to modules, clocks, flags,
// display texts and groups and learns of renames, renumberings and deletions.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TBaseObject;

using TNotifyEvent = std::function<void(TBaseObject* sender)>;
using TValueChangedEvent = std::function<void(TBaseObject* sender, int32_t oldValue, int32_t newValue)>;
using TViewChangedEvent =
    std::function<void(TBaseObject* sender, const std::string& oldText, const std::string& newText)>;

class TCustomObserver {
 public:
  virtual ~TCustomObserver() = default;

  bool Enabled = true;  // stored only
  TValueChangedEvent OnClientValueChanged;
  TNotifyEvent OnClientChanged;
  TNotifyEvent OnClientDeleted;
  TViewChangedEvent OnObserverRegistered;
  TNotifyEvent OnObserverUnregistered;
  TViewChangedEvent OnViewChanged;

  virtual void ClientValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue);
  virtual void ClientChanged(TBaseObject* sender);
  virtual void ClientDeleted(TBaseObject* sender);
  virtual void ObserverRegistered(TBaseObject* sender, const std::string& oldText, const std::string& newText);
  virtual void ObserverUnregistered(TBaseObject* sender);
  virtual void ViewChanged(TBaseObject* sender, const std::string& oldText, const std::string& newText);
};

class TObserverNode {
 public:
  explicit TObserverNode(TCustomObserver* observer) : fObserver(observer) {}
  TCustomObserver* Observer() const { return fObserver; }
  int32_t RefCount() const { return fRefCount; }
  bool Referenced() const { return fRefCount > 0; }
  void AddRef() { ++fRefCount; }
  void Release() {
    if (fRefCount > 0) --fRefCount;
  }

 private:
  TCustomObserver* fObserver;  // not owned: observers live for the whole run
  int32_t fRefCount = 0;
};

// The observers of one model object, at most one node per observer.
class TObserverList {
 public:
  int RegisterObserver(TCustomObserver* observer);
  int UnregisterObserver(TCustomObserver* observer);
  int IndexOfObserver(const TCustomObserver* observer) const;
  int Count() const { return static_cast<int>(fNodes.size()); }
  const TObserverNode& Node(int index) const { return *fNodes[static_cast<size_t>(index)]; }

  // Value-changed and deleted notifications swallow an observer's exception and go on with the
  // next; a view change lets it reach the caller.
  void BroadcastValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue);
  void BroadcastDeleted(TBaseObject* sender);
  void BroadcastViewChanged(TBaseObject* sender, const std::string& oldText, const std::string& newText);

 private:
  std::vector<std::unique_ptr<TObserverNode>> fNodes;
};

}  // namespace zyn
