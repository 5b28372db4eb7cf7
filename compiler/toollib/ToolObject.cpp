#include "compiler/toollib/ToolObject.h"

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

}  // namespace zyn
