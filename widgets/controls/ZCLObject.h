#pragma once
// Bases of the control library's sub-objects and components: one change event, an update
// bracket that folds the changes inside it into one, and the loading state of a component.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

// Event handlers of the library are plain callables; the sender is the object that fires.
using TZCLNotifyEvent = std::function<void(QObject* Sender)>;

class TZCLObject {
 public:
  virtual ~TZCLObject() = default;

  TZCLNotifyEvent OnChange;

  // The update lock is one flag: brackets do not nest.
  void BeginUpdate() { fLocked = true; }
  // Closes the bracket; with changed set the owner is told once.
  void EndUpdate(bool changed = true);
  bool IsUpdating() const { return fLocked; }
  // Tells the owner (OnChange) unless the update lock is closed.
  virtual void Changed();
  // The handler an object gives its own sub-objects as their OnChange.
  void SubObjectChanged(QObject*) { Changed(); }
  virtual QString Description() const { return QString(); }

  QObject* Owner() const { return fOwner; }
  void SetOwner(QObject* owner) { fOwner = owner; }

 private:
  bool fLocked = false;
  QObject* fOwner = nullptr;
};

// A component: a QObject with the loading state of a form being built. While loading, setters
// only store; Loaded applies what depends on several properties.
class TZCLCustomComponent : public QObject {
  Q_OBJECT
 public:
  explicit TZCLCustomComponent(QObject* owner = nullptr) : QObject(owner) {}
  QString About() const { return fAbout; }
  void SetAbout(const QString& value) { fAbout = value; }
  TZCLNotifyEvent OnChange;
  void BeginUpdate() { fLocked = true; }
  void EndUpdate(bool changed = true) {
    fLocked = false;
    if (changed) Changed();
  }
  virtual void Changed() {
    if (!fLocked && OnChange) OnChange(this);
  }
  void NotifyListChanged(QObject*) { Changed(); }
  void BeginLoading() { fLoading = true; }
  void EndLoading() {
    fLoading = false;
    Loaded();
  }
  bool IsLoading() const { return fLoading; }

 protected:
  virtual void Loaded() {}

 private:
  bool fLoading = false;
  bool fLocked = false;
  QString fAbout;
};

// An item of a TZCLCollection; it knows its index.
class TZCLCollectionItem {
 public:
  virtual ~TZCLCollectionItem() = default;
  int Index() const { return fIndex; }

 private:
  friend class TZCLCollectionBase;
  int fIndex = 0;
};

class TZCLCollectionBase {
 public:
  virtual ~TZCLCollectionBase() = default;
  int Count() const { return static_cast<int>(fItems.size()); }
  TZCLCollectionItem* ItemAt(int index) const { return fItems.at(index).get(); }
  void Delete(int index);
  void Clear();
  TZCLNotifyEvent OnChange;
  QObject* Owner() const { return fOwner; }
  void SetOwner(QObject* owner) { fOwner = owner; }

 protected:
  TZCLCollectionItem* AddItem(std::unique_ptr<TZCLCollectionItem> item);
  void Renumber();
  virtual void Update() {
    if (OnChange) OnChange(fOwner);
  }

 private:
  std::vector<std::unique_ptr<TZCLCollectionItem>> fItems;
  QObject* fOwner = nullptr;
};

// A collection owning items of one class.
template <class Item>
class TZCLCollection : public TZCLCollectionBase {
 public:
  template <class... Args>
  Item* Add(Args&&... args) {
    return static_cast<Item*>(AddItem(std::make_unique<Item>(std::forward<Args>(args)...)));
  }
  Item* operator[](int index) const { return static_cast<Item*>(ItemAt(index)); }
};

}  // namespace zyn
