#pragma once
// The project object an entry of a tool variable stands for. The entry's text is what is stored;
// the object is attached after loading (CheckAfterLoad) and cleared when the object is deleted
// (the Remove...References operations of the tool list), so it never outlives its target.

#include <string>
#include <variant>

namespace zyn {

class TEingang;
class TAusgang;
class TRueckmeldung;
class TMerker;
class TUhr;
class TModul;
class TGruppe;
class TZYNSubFunction;

using TToolObject = std::variant<std::monostate, TEingang*, TAusgang*, TRueckmeldung*, TMerker*, TUhr*, TModul*,
                                 TGruppe*, TZYNSubFunction*>;

inline bool IsNone(const TToolObject& o) { return std::holds_alternative<std::monostate>(o); }

template <class T>
T* ObjectAs(const TToolObject& o) {
  if (auto p = std::get_if<T*>(&o)) return *p;
  return nullptr;
}

// Object kind numbers put before the "%" of object-list entries. The project stream numbers a
// group 5; the raw library form numbers a feedback channel 5; anything else is -1.
int FilerObjectKind(const TToolObject& o);
int RawObjectKind(const TToolObject& o);

// The internal name of the object (channel, flag, clock, module or group); empty for none and
// for a sub-tool.
std::string InternalNameOf(const TToolObject& o);

}  // namespace zyn
