#include "logic/core/LinkBuilder.h"

#include "model/Anzeigetext.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/LinkMaintenance.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "project/Steuermodul.h"

#include <cerrno>
#include <cstdlib>

namespace zyn {

TLinkObjectKind LinkObjectKind(const TZYNBaseObject* object) {
  if (object == nullptr) return TLinkObjectKind::None;
  if (dynamic_cast<const TMerker*>(object)) return TLinkObjectKind::Merker;
  if (dynamic_cast<const TUhr*>(object)) return TLinkObjectKind::Uhr;
  if (dynamic_cast<const TAnzeigetext*>(object)) return TLinkObjectKind::Anzeigetext;
  if (dynamic_cast<const TGruppe*>(object)) return TLinkObjectKind::Gruppe;
  if (dynamic_cast<const TEingang*>(object) || dynamic_cast<const TAusgang*>(object) ||
      dynamic_cast<const TRueckmeldung*>(object)) {
    return TLinkObjectKind::ModulKanal;
  }
  return TLinkObjectKind::None;
}

TModul* ModulOfChannel(const TSteuermodul& stm, const TKanal& channel) {
  if (channel.Modul != nullptr) return channel.Modul;
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul* m = stm.Module.GetModul(i);
    for (int k = 0; k < m->Eingaenge().Count(); ++k)
      if (m->Eingaenge().GetItem(k) == &channel) return m;
    for (int k = 0; k < m->Ausgaenge().Count(); ++k)
      if (m->Ausgaenge().GetItem(k) == &channel) return m;
    for (int k = 0; k < m->Rueckmeldungen().Count(); ++k)
      if (m->Rueckmeldungen().GetItem(k) == &channel) return m;
  }
  return nullptr;
}

namespace {

void SetCommand(TLinkEndpoint e, const TEABaseFunction& command) {
  e.SetFunctionText(command.DisplayName);
  e.SetFunctionName(command.InternalName);
  e.SetFunctionNumber(command.Command & 0xFF);
}

// Writes an endpoint; `input` picks the event shift of an input or feedback channel.
bool SetEndpoint(TLinkEndpoint e, const TSteuermodul& stm, const TZYNBaseObject& object, const TEABaseFunction& command,
                 bool input) {
  const TLinkObjectKind kind = LinkObjectKind(&object);
  int type = 0, modulAdresse = 0, number = 0, shift = 0;
  std::string kennung;
  switch (kind) {
    case TLinkObjectKind::ModulKanal: {
      const auto& channel = static_cast<const TKanal&>(object);
      const TModul* m = ModulOfChannel(stm, channel);
      if (m == nullptr) return false;
      type = m->BasisKlasse;
      kennung = m->ModulKennung;
      modulAdresse = m->Adresse();
      number = channel.Adresse();
      shift = !input ? m->AusShift : dynamic_cast<const TRueckmeldung*>(&object) ? m->RMEShift : m->EinShift;
      break;
    }
    case TLinkObjectKind::Merker:
      type = kObjMerker;
      kennung = ModelTranslate("MRK");
      number = static_cast<const TKanal&>(object).Adresse();
      break;
    case TLinkObjectKind::Uhr:
      type = kObjUhr;
      kennung = ModelTranslate("UHR");
      number = static_cast<const TKanal&>(object).Adresse();
      break;
    case TLinkObjectKind::Anzeigetext:
      if (input) return false;
      type = kObjAnzeigetext;
      kennung = ModelTranslate("AZT");
      number = static_cast<const TAnzeigetext&>(object).Adresse();
      break;
    case TLinkObjectKind::Gruppe:
      if (input) return false;
      type = kObjGruppe;
      kennung = ModelTranslate("GRP");
      number = static_cast<const TGruppe&>(object).Adresse();
      break;
    case TLinkObjectKind::None:
      return false;
  }
  e.SetObjType(type);
  e.SetStmNummer(stm.Adresse());
  e.SetModulKennung(kennung);
  e.SetModulAdresse(modulAdresse);
  e.SetKanalNummer(number);
  e.SetShift(shift);
  SetCommand(e, command);
  return true;
}

}  // namespace

bool SetSourceEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                       const TEABaseFunction& command) {
  if (dynamic_cast<const TAusgang*>(&object)) return false;
  return SetEndpoint(link.Source(), stm, object, command, true);
}

bool SetTargetEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                       const TEABaseFunction& command) {
  if (dynamic_cast<const TEingang*>(&object) || dynamic_cast<const TRueckmeldung*>(&object)) return false;
  if (!SetEndpoint(link.Target(), stm, object, command, false)) return false;
  link.SetCrossSTM(link.Target().StmNummer() != link.Source().StmNummer());
  return true;
}

bool SetElseEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                     const TEABaseFunction& command) {
  const TLinkObjectKind kind = LinkObjectKind(&object);
  const bool output = kind == TLinkObjectKind::ModulKanal && dynamic_cast<const TAusgang*>(&object);
  if (!output && kind != TLinkObjectKind::Merker && kind != TLinkObjectKind::Anzeigetext) return false;
  if (!SetEndpoint(link.ElseTarget(), stm, object, command, false)) return false;
  if (kind == TLinkObjectKind::Anzeigetext) link.ElseTarget().SetModulKennung(ModelTranslate("TXT"));
  return true;
}

std::string OutputCommandListName(const TZYNBaseObject& object, const IModelLookup& lookup) {
  if (const auto* g = dynamic_cast<const TGruppe*>(&object)) return g->GetCommonBefehlsListe(lookup);
  return CommandListName(object, false);
}

std::string InputCommandListName(const TZYNBaseObject& object) { return CommandListName(object, true); }

// --- conditions ---

int ConditionType(const TSteuermodul& stm, const TZYNBaseObject& object) {
  switch (LinkObjectKind(&object)) {
    case TLinkObjectKind::Merker:
      return kObjMerker;
    case TLinkObjectKind::Uhr:
      return kObjUhr;
    case TLinkObjectKind::Anzeigetext:
      return kObjAnzeigetext;
    case TLinkObjectKind::ModulKanal: {
      const TModul* m = ModulOfChannel(stm, static_cast<const TKanal&>(object));
      if (m == nullptr) return 0;
      const bool asInput = !dynamic_cast<const TAusgang*>(&object) || m->ModulKlasse == "JRM";
      return asInput ? LogicTypeOfModul(m->BasisKlasse, m->Adresse()) : OutputLogicTypeOfModul(m->BasisKlasse);
    }
    default:
      return 0;
  }
}

std::string ConditionCaption(const TSteuermodul& stm, const TZYNBaseObject& object) {
  auto caption = [](const std::string& code, int modul, int number, const std::string& name) {
    return code + "." + ZeroPad(modul, 2) + "." + ZeroPad(number, 2) + "-" + name;
  };
  switch (LinkObjectKind(&object)) {
    case TLinkObjectKind::Merker:
      return caption(ModelTranslate("MRK"), 0, static_cast<const TKanal&>(object).Adresse(), object.DisplayName());
    case TLinkObjectKind::Uhr:
      return caption(ModelTranslate("UHR"), 0, static_cast<const TKanal&>(object).Adresse(), object.DisplayName());
    case TLinkObjectKind::Anzeigetext:
      return object.DisplayName();
    case TLinkObjectKind::ModulKanal: {
      const auto& channel = static_cast<const TKanal&>(object);
      const TModul* m = ModulOfChannel(stm, channel);
      if (m == nullptr) return object.DisplayName();
      return caption(m->ModulKennung, m->Adresse(), channel.Adresse(), object.DisplayName());
    }
    default:
      return object.DisplayName();
  }
}

bool AcceptsAsCondition(const TZYNBaseObject* object) {
  const TLinkObjectKind kind = LinkObjectKind(object);
  return kind == TLinkObjectKind::ModulKanal || kind == TLinkObjectKind::Merker || kind == TLinkObjectKind::Uhr;
}

std::vector<TLinkCondition> LoadConditions(const TVerbindung& link, const TSteuermodul& stm) {
  std::vector<TLinkCondition> out;
  const int count = link.GetLogicCount();
  for (int i = 0; i < count && i < kLogicEntryCount; ++i) {
    const TLogicEntry e = link.Logic(i);
    if (!e.Used()) continue;
    const int type = e.LogicType();
    TZYNBaseObject* object = nullptr;
    if (type >= 1 && type <= 24) {
      const TModul* m = stm.Module.FindModul(e.LogicCode(), e.ModulAdresse());
      if (m != nullptr) {
        if (type >= 17 || m->ModulKlasse == "JRM") {
          object = m->FindAusgang(e.KanalNummer());
        } else {
          object = m->FindEingang(e.KanalNummer());
        }
      }
    } else if (type == kObjMerker) {
      object = stm.Merker.FindByAddress(e.KanalNummer());
    } else if (type == kObjUhr) {
      object = stm.Uhren.FindByAddress(e.KanalNummer());
    } else if (type == kObjAnzeigetext) {
      object = stm.Texte.FindByAddress(e.KanalNummer());
    }
    if (object != nullptr) out.push_back({object, e.LogicState() == 1});
  }
  return out;
}

bool WriteConditions(TVerbindung& link, const TSteuermodul& stm, const std::vector<TLinkCondition>& conditions,
                     bool withElse) {
  if (static_cast<int>(conditions.size()) > kMaxConditions) return false;
  link.LogicTable().fill(0);
  if (withElse) {
    link.SetKind(2);
  } else {
    link.RemoveElseTarget();
    link.SetKind(1);
  }
  int index = 0;
  for (const TLinkCondition& c : conditions) {
    TLogicEntry e = link.Logic(index++);
    e.SetStmNummer(stm.Adresse());
    e.SetLogicState(c.On ? 1 : 0);
    const TZYNBaseObject* object = c.Object;
    const int type = object ? ConditionType(stm, *object) : 0;
    if (type == 0) continue;
    e.SetLogicType(type);
    e.SetLogicChannelName(object->InternalName());
    switch (LinkObjectKind(object)) {
      case TLinkObjectKind::ModulKanal: {
        const TModul* m = ModulOfChannel(stm, static_cast<const TKanal&>(*object));
        e.SetModulAdresse(m->Adresse());
        e.SetKanalNummer(static_cast<const TKanal&>(*object).Adresse());
        e.SetLogicCode(m->ModulKennung);
        break;
      }
      case TLinkObjectKind::Uhr:
        e.SetKanalNummer(static_cast<const TKanal&>(*object).Adresse());
        e.SetLogicCode(ModelTranslate("UHR"));
        break;
      case TLinkObjectKind::Merker:
        e.SetKanalNummer(static_cast<const TKanal&>(*object).Adresse());
        e.SetLogicCode(ModelTranslate("MRK"));
        break;
      case TLinkObjectKind::Anzeigetext:
        e.SetKanalNummer(static_cast<const TAnzeigetext&>(*object).Adresse());
        e.SetLogicCode(ModelTranslate("TXT"));
        break;
      default:
        break;
    }
  }
  return true;
}

void MakePlainLink(TVerbindung& link) {
  link.RemoveElseTarget();
  link.LogicTable().fill(0);
  link.SetKind(0);
}

void ClearElseEndpointFields(TVerbindung& link) {
  TLinkEndpoint e = link.ElseTarget();
  e.SetObjType(0);
  e.SetStmNummer(0);
  e.SetModulAdresse(0);
  e.SetKanalNummer(0);
  e.SetShift(0);
  e.SetFunctionNumber(0);
  e.SetModulKennung("");
  e.SetFunctionText("");
  e.SetFunctionName("");
}

std::string LinkHintText(TVerbindung& link) {
  const std::string cr = "\r";
  std::string text = ModelTranslate("WENN") + " " + link.GetSourceText();
  if (link.Kind() == 1 || link.Kind() == 2) {
    int listed = 0;
    for (int i = 0; i < kMaxConditions; ++i) {
      const std::string entry = link.GetLogicEntryText(i);
      if (entry.empty()) continue;
      if (link.LogicOr() && listed > 0) {
        text += cr + " " + ModelTranslate("ODER") + " " + entry;
      } else {
        text += cr + "   " + ModelTranslate("UND") + "  " + entry;
      }
      ++listed;
    }
  }
  text += cr + ModelTranslate("DANN") + "  " + link.GetTargetText();
  if (link.Kind() == 2) text += cr + ModelTranslate("SONST") + " " + link.GetElseTargetText();
  return text;
}

// --- objects named by endpoints ---

TSteuermodul* FindStmByAddress(const TSteuermodulListe& list, int address) {
  for (int i = 0; i < list.Count(); ++i) {
    TSteuermodul* stm = list.GetSteuermodul(i);
    if (stm->Adresse() == address) return stm;
  }
  return nullptr;
}

TZYNBaseObject* FindSourceObject(const TSteuermodulListe& list, const TLinkEndpoint& endpoint) {
  const TSteuermodul* stm = FindStmByAddress(list, endpoint.StmNummer());
  if (stm == nullptr) return nullptr;
  const int type = endpoint.ObjType();
  if (type < 8) {
    const TModul* m = stm->Module.FindModul(endpoint.ModulKennung(), endpoint.ModulAdresse());
    if (m == nullptr) return nullptr;
    if (TEingang* in = m->FindEingang(endpoint.KanalNummer())) return in;
    return m->FindRueckmeldung(endpoint.KanalNummer());
  }
  if (type == kObjMerker) return stm->Merker.FindByAddress(endpoint.KanalNummer());
  if (type == kObjUhr) return stm->Uhren.FindByAddress(endpoint.KanalNummer());
  return nullptr;
}

TZYNBaseObject* FindTargetObject(const TSteuermodulListe& list, const TLinkEndpoint& endpoint) {
  const TSteuermodul* stm = FindStmByAddress(list, endpoint.StmNummer());
  if (stm == nullptr) return nullptr;
  const int type = endpoint.ObjType();
  if (type < 8) {
    const TModul* m = stm->Module.FindModul(endpoint.ModulKennung(), endpoint.ModulAdresse());
    return m ? m->FindAusgang(endpoint.KanalNummer()) : nullptr;
  }
  if (type == kObjMerker) return stm->Merker.FindByAddress(endpoint.KanalNummer());
  if (type == kObjUhr) return stm->Uhren.FindByAddress(endpoint.KanalNummer());
  if (type == kObjAnzeigetext) return stm->Texte.FindByAddress(endpoint.KanalNummer());
  if (type == kObjGruppe) return stm->Gruppen.FindByAddress(endpoint.KanalNummer());
  return nullptr;
}

namespace {

template <class F>
void ForEachSource(TSteuermodul& stm, F f) {
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul* m = stm.Module.GetModul(i);
    for (int k = 0; k < m->Eingaenge().Count(); ++k) f(*m->Eingaenge().GetItem(k));
    for (int k = 0; k < m->Rueckmeldungen().Count(); ++k) f(*m->Rueckmeldungen().GetItem(k));
  }
  for (int i = 0; i < stm.Uhren.Count(); ++i) f(*stm.Uhren.GetItem(i));
  for (int i = 0; i < stm.Merker.Count(); ++i) f(*stm.Merker.GetItem(i));
}

}  // namespace

TKanal* LinkHolder(TSteuermodul& stm, const TVerbindung* link) {
  TKanal* holder = nullptr;
  ForEachSource(stm, [&](TKanal& k) {
    if (holder == nullptr && k.Verbindungen().IndexOf(link) >= 0) holder = &k;
  });
  return holder;
}

std::vector<TVerbindung*> AllVisibleLinks(TSteuermodul& stm) {
  std::vector<TVerbindung*> out;
  ForEachSource(stm, [&](TKanal& k) {
    for (int i = 0; i < k.Verbindungen().Count(); ++i) {
      TVerbindung* link = k.Verbindungen().GetVerbindung(i);
      link->Parent = &k;
      if (!link->Hidden()) out.push_back(link);
    }
  });
  return out;
}

// --- parameter texts ---

bool ParseParamText(const std::string& text, std::vector<long long>& values) {
  values.clear();
  const std::string trimmed = Trim(text);
  size_t start = 0;
  while (true) {
    const size_t semi = trimmed.find(';', start);
    const std::string part = Trim(trimmed.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
    if (part.size() > 10) return false;
    if (part.empty()) {
      values.push_back(0);
    } else {
      errno = 0;
      char* end = nullptr;
      const long long v = std::strtoll(part.c_str(), &end, 10);
      if (errno != 0 || end == nullptr || *end != '\0') return false;
      values.push_back(v);
    }
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  return values.size() <= 2;
}

std::string CheckParamText(const std::string& text, int expected, bool elseSide) {
  std::vector<long long> values;
  if (!ParseParamText(text, values)) {
    return ModelTranslate("\"") + text + ModelTranslate("\" ist kein gültiger Parameter");
  }
  const int given = static_cast<int>(values.size());
  if (given == 2 && expected == 1) return ModelTranslate("Sie dürfen hier nur einen Parameter angeben");
  if (given == 1 && expected == 2) {
    return ModelTranslate(elseSide ? "Sie müssen hier zwei Parameter angeben (\\\"Par1;Par2\\\""
                                   : "Sie müssen hier zwei Parameter angeben (\\\"Par1;Par2\\\")");
  }
  if (given == 2 && (values[0] < 0 || values[0] > 255 || values[1] < 0 || values[1] > 255)) {
    return ModelTranslate("Mindestens einer der eingegebenen Parameter ist ungültig");
  }
  if (given == 1 && values[0] == 0) return ModelTranslate("Der eingegebene Parameter ist ungültig");
  return {};
}

void StoreParamText(TVerbindung& link, bool elseSide, const std::string& text) {
  std::vector<long long> values;
  if (!ParseParamText(text, values)) return;
  auto clampInt = [](long long v) {
    return static_cast<int>(v < -2147483647LL ? -2147483647LL : v > 2147483647LL ? 2147483647LL : v);
  };
  if (values.size() == 2) {
    if (elseSide) {
      link.SetElseParamLow(clampInt(values[0]), 0);
      link.SetElseParamHigh(clampInt(values[1]), 1);
    } else {
      link.SetTargetParamLow(clampInt(values[0]), 0);
      link.SetTargetParamHigh(clampInt(values[1]), 1);
    }
  } else if (elseSide) {
    link.SetElseParam(clampInt(values[0]));
  } else {
    link.SetTargetParam(clampInt(values[0]));
  }
}

}  // namespace zyn
