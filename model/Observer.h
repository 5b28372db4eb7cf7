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
class TObserverList;

using TNotifyEvent = std::function<void(TBaseObject* sender)>;
using TValueChangedEvent = std::function<void(TBaseObject* sender, int32_t oldValue, int32_t newValue)>;
using TViewChangedEvent =
    std::function<void(TBaseObject* sender, const std::string& oldText, const std::string& newText)>;

// One number change of an observed object.
struct TValueChange {
  TBaseObject* Sender = nullptr;
  int32_t OldValue = 0;
  int32_t NewValue = 0;
};
using TValuesChangedEvent = std::function<void(const std::vector<TValueChange>& changes)>;

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
  // Several number changes told together (see BeginUpdate); without it each goes to
  // OnClientValueChanged in turn.
  TValuesChangedEvent OnClientValuesChanged;

  // Between BeginUpdate and the matching EndUpdate the number changes are collected; the last
  // EndUpdate tells them together, so that a reaction sees every old and new number at once
  // (two objects that swap their numbers, or one taking the number another gives up).
  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();
  bool Updating() const { return fUpdateCount > 0; }

  virtual void ClientValueChanged(TBaseObject* sender, int32_t oldValue, int32_t newValue);
  virtual void ClientValuesChanged(const std::vector<TValueChange>& changes);
  virtual void ClientChanged(TBaseObject* sender);
  virtual void ClientDeleted(TBaseObject* sender);
  virtual void ObserverRegistered(TBaseObject* sender, const std::string& oldText, const std::string& newText);
  virtual void ObserverUnregistered(TBaseObject* sender);
  virtual void ViewChanged(TBaseObject* sender, const std::string& oldText, const std::string& newText);

 private:
  int fUpdateCount = 0;
  std::vector<TValueChange> fPending;
};

// Holds the number changes of every observer of the given objects while a list takes an edit
// back; the destructor tells each observer its changes together. Objects deleted while the
// batch is open must not have changed their numbers in it.
class TObserverBatch {
 public:
  TObserverBatch() = default;
  ~TObserverBatch();
  TObserverBatch(const TObserverBatch&) = delete;
  TObserverBatch& operator=(const TObserverBatch&) = delete;
  void Hold(TCustomObserver* observer);
  void HoldAll(const TObserverList& observers);

 private:
  std::vector<TCustomObserver*> fHeld;
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
