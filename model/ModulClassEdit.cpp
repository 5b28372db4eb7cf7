#include "model/ModulClassEdit.h"

#include "model/EABeschreibung.h"
#include "model/ModulClassList.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"

#include <memory>

namespace zyn {

namespace {
constexpr size_t kShortText = 255;

std::string TooLong(const char* field) {
  return Ansi("Der Text im Feld \"") + Ansi(field) + Ansi("\" ist länger als 255 Zeichen.");
}
}  // namespace

TEABeschreibungsListe& Descriptions(TModulClass& c, TChannelKind kind) {
  switch (kind) {
    case TChannelKind::Eingang:
      return c.Eingaenge;
    case TChannelKind::Ausgang:
      return c.Ausgaenge;
    default:
      return c.Rueckmeldungen;
  }
}

int32_t ChannelCount(const TModulClass& c, TChannelKind kind) {
  switch (kind) {
    case TChannelKind::Eingang:
      return c.EinCount;
    case TChannelKind::Ausgang:
      return c.AusCount;
    default:
      return c.RMECount;
  }
}

int32_t& ChannelShift(TModulClass& c, TChannelKind kind) {
  switch (kind) {
    case TChannelKind::Eingang:
      return c.EinShift;
    case TChannelKind::Ausgang:
      return c.AusShift;
    default:
      return c.RMEShift;
  }
}

int CompleteDescriptions(TModulClass& c, TChannelKind kind) {
  TEABeschreibungsListe& list = Descriptions(c, kind);
  const int count = ChannelCount(c, kind);
  int added = 0;
  for (int position = list.Count() + 1; position <= count; ++position) {
    auto d = std::make_unique<TEABeschreibung>();
    d->DefaultText = "EA-Default Text";
    d->KanalNummer = kind == TChannelKind::Eingang ? position - 1 : position;
    list.Add(std::move(d));
    ++added;
  }
  return added;
}

TClassEdit ClassEditFrom(const TModulClass& c) {
  TClassEdit e;
  e.InternalName = c.InternalName;
  e.DisplayName = c.DisplayName;
  e.ClassIdent = c.ClassIdent;
  e.BaseClass = c.BaseClass;
  e.LimitCount = c.LimitCount;
  e.EinCount = c.EinCount;
  e.AusCount = c.AusCount;
  e.RMECount = c.RMECount;
  return e;
}

std::string CheckClassEdit(const TModulClassList& list, const TModulClass* self, const TClassEdit& edit) {
  if (Trim(edit.InternalName).empty()) return Ansi("Die Modulklasse braucht einen internen Namen.");
  if (edit.InternalName.size() > kShortText) return TooLong("Interner Name:");
  if (edit.DisplayName.size() > kShortText) return TooLong("Anzuzeigender Name:");
  if (edit.ClassIdent.size() > kShortText) return TooLong("Klassenkennung:");
  const TModulClass* other = list.FindClass(edit.InternalName);
  if (other && other != self)
    return Ansi("Eine Modulklasse \"") + edit.InternalName + Ansi("\" gibt es im Katalog schon.");
  if (edit.BaseClass < 0 || edit.BaseClass > 8) return Ansi("Die Basisklasse ist unbekannt.");
  if (edit.LimitCount < 0 || edit.LimitCount > kMaxModuleCount)
    return Ansi("Die maximale Anzahl muss zwischen 0 und ") + std::to_string(kMaxModuleCount) + Ansi(" liegen.");
  for (int32_t n : {edit.EinCount, edit.AusCount, edit.RMECount})
    if (n < 0 || n > kMaxChannelCount)
      return Ansi("Die Anzahl der Kanäle muss zwischen 0 und ") + std::to_string(kMaxChannelCount) + Ansi(" liegen.");
  return {};
}

void ApplyClassEdit(TModulClass& c, const TClassEdit& edit) {
  c.InternalName = edit.InternalName;
  c.DisplayName = edit.DisplayName;
  c.ClassIdent = edit.ClassIdent;
  c.BaseClass = edit.BaseClass;
  c.LimitCount = edit.LimitCount;
  c.EinCount = edit.EinCount;
  c.AusCount = edit.AusCount;
  c.RMECount = edit.RMECount;
}

std::string CheckDescription(int32_t kanalNummer, const std::string& defaultText, const std::string& funktionen) {
  if (kanalNummer < 0 || kanalNummer > kMaxChannelCount)
    return Ansi("Die Kanalnummer muss zwischen 0 und ") + std::to_string(kMaxChannelCount) + Ansi(" liegen.");
  if (Trim(defaultText).empty()) return Ansi("Die Defaultbezeichnung darf nicht leer sein.");
  if (defaultText.size() > kShortText) return TooLong("Defaultbezeichnung:");
  if (funktionen.size() > kShortText) return TooLong("Funktionsliste:");
  return {};
}

}  // namespace zyn
