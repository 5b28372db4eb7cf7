#pragma once
// Root of the named model objects: observers, the unique internal name and the display name.

#include "model/Observer.h"

#include <string>

namespace zyn {

class TReader;
class TWriter;
class TUniqueNames;

class TBaseObject {
 public:
  TBaseObject() = default;
  virtual ~TBaseObject() = default;
  TBaseObject(const TBaseObject&) = delete;
  TBaseObject& operator=(const TBaseObject&) = delete;

  virtual void AttachObserver(TCustomObserver* observer);
  virtual void DetachObserver(TCustomObserver* observer);

  TObserverList& Observers() { return fObservers; }
  const TObserverList& Observers() const { return fObservers; }

 protected:
  TObserverList fObservers;
};

class TZYNBaseObject : public TBaseObject {
 public:
  void AttachObserver(TCustomObserver* observer) override;

  const std::string& DisplayName() const { return fDisplayName; }
  const std::string& InternalName() const { return fInternalName; }
  // Notifies every observer's ViewChanged before the new text is stored; nothing when equal.
  void SetDisplayName(const std::string& value);
  void SetInternalName(const std::string& value) { fInternalName = value; }

  void AssignNewName(TUniqueNames& registry);
  void ReleaseName(TUniqueNames& registry);
  TUniqueNames* Registry() const { return fRegistry; }

  // Internal name by assignment, display name through the notifying setter.
  void CopyFrom(const TZYNBaseObject& source);
  void UpdateFrom(const TZYNBaseObject& source);

  // Internal name and display name as two string values, plain assignments when read.
  virtual void ReadData(TReader& reader);
  virtual void WriteData(TWriter& writer) const;

 protected:
  // Plain assignment without notification (readers, placeholder texts).
  void AssignDisplayName(const std::string& value) { fDisplayName = value; }

 private:
  std::string fDisplayName;
  std::string fInternalName;
  TUniqueNames* fRegistry = nullptr;  // not owned
};

}  // namespace zyn
