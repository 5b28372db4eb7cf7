#include "compiler/toollib/ToolObject.h"

#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/Uhr.h"

namespace zyn {

namespace {

int CommonKind(const TToolObject& o) {
  if (ObjectAs<TEingang>(o)) return 0;
  if (ObjectAs<TAusgang>(o)) return 1;
  if (ObjectAs<TMerker>(o)) return 2;
  if (ObjectAs<TUhr>(o)) return 3;
  if (ObjectAs<TModul>(o)) return 4;
  return -1;
}

}  // namespace

int FilerObjectKind(const TToolObject& o) {
  if (ObjectAs<TGruppe>(o)) return 5;
  return CommonKind(o);
}

int RawObjectKind(const TToolObject& o) {
  if (ObjectAs<TRueckmeldung>(o)) return 5;
  return CommonKind(o);
}

std::string InternalNameOf(const TToolObject& o) {
  if (auto p = ObjectAs<TEingang>(o)) return p->InternalName();
  if (auto p = ObjectAs<TAusgang>(o)) return p->InternalName();
  if (auto p = ObjectAs<TRueckmeldung>(o)) return p->InternalName();
  if (auto p = ObjectAs<TMerker>(o)) return p->InternalName();
  if (auto p = ObjectAs<TUhr>(o)) return p->InternalName();
  if (auto p = ObjectAs<TModul>(o)) return p->InternalName();
  if (auto p = ObjectAs<TGruppe>(o)) return p->InternalName();
  return {};
}

}  // namespace zyn
