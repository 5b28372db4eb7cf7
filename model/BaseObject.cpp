#include "model/BaseObject.h"

#include "model/UniqueNames.h"
#include "model/base/Filer.h"

namespace zyn {

void TBaseObject::AttachObserver(TCustomObserver* observer) { fObservers.RegisterObserver(observer); }

void TBaseObject::DetachObserver(TCustomObserver* observer) {
  if (fObservers.UnregisterObserver(observer) < 0) return;
  if (fObservers.IndexOfObserver(observer) < 0) observer->ObserverUnregistered(this);
}

void TZYNBaseObject::AttachObserver(TCustomObserver* observer) {
  if (observer == nullptr) return;
  TBaseObject::AttachObserver(observer);
  observer->ObserverRegistered(this, std::string(), fDisplayName);
}

void TZYNBaseObject::SetDisplayName(const std::string& value) {
  if (value == fDisplayName) return;
  fObservers.BroadcastViewChanged(this, fDisplayName, value);
  fDisplayName = value;
}

void TZYNBaseObject::AssignNewName(TUniqueNames& registry) {
  fRegistry = &registry;
  fInternalName = registry.NewName();
}

void TZYNBaseObject::ReleaseName(TUniqueNames& registry) {
  registry.RemoveName(fInternalName);
  fRegistry = nullptr;
}

void TZYNBaseObject::CopyFrom(const TZYNBaseObject& source) {
  fInternalName = source.fInternalName;
  SetDisplayName(source.fDisplayName);
}

void TZYNBaseObject::UpdateFrom(const TZYNBaseObject& source) {
  fInternalName = source.fInternalName;
  SetDisplayName(source.fDisplayName);
}

void TZYNBaseObject::ReadData(TReader& reader) {
  fInternalName = reader.ReadString();
  fDisplayName = reader.ReadString();
}

void TZYNBaseObject::WriteData(TWriter& writer) const {
  writer.WriteString(fInternalName);
  writer.WriteString(fDisplayName);
}

}  // namespace zyn
