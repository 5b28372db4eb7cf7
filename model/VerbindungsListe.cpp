#include "model/VerbindungsListe.h"

#include "model/ModelText.h"
#include "model/base/Filer.h"

namespace zyn {

namespace {

bool IsLogicLink(const TVerbindung& link) { return link.Kind() == 1 || link.Kind() == 2; }

bool EndpointIs(const TLinkEndpoint& e, int objType, int stm) { return e.ObjType() == objType && e.StmNummer() == stm; }

}  // namespace

TVerbindung* TVerbindungsListe::GetVerbindung(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fEntries[static_cast<size_t>(index)].link.get();
}

int TVerbindungsListe::IndexOf(const TVerbindung* link) const {
  for (size_t i = 0; i < fEntries.size(); ++i) {
    if (fEntries[i].link.get() == link) return static_cast<int>(i);
  }
  return -1;
}

int TVerbindungsListe::InsertPosition(int event, int requested) const {
  int first = -1;
  for (int i = 0; i < Count() && first < 0; ++i) {
    if (fEntries[static_cast<size_t>(i)].link->Source().FunctionNumber() == event) first = i;
  }
  if (first < 0) return Count();
  int end = Count();
  for (int i = first + 1; i < Count(); ++i) {
    if (fEntries[static_cast<size_t>(i)].link->Source().FunctionNumber() != event) {
      end = i;
      break;
    }
  }
  if (first <= requested && requested <= end) return requested;
  return end;
}

int TVerbindungsListe::Place(std::unique_ptr<TVerbindung> link, std::string key, int requested) {
  const int position = InsertPosition(link->Source().FunctionNumber(), requested);
  fEntries.insert(fEntries.begin() + position, Entry{std::move(key), std::move(link)});
  return position;
}

int TVerbindungsListe::Add(std::unique_ptr<TVerbindung> link) {
  link->Parent = Parent;
  link->CheckLogic();
  std::string key = AnsiUpperCase(link->GetDisplayText());
  return Place(std::move(link), std::move(key), Count());
}

int TVerbindungsListe::InsertLink(int index, std::unique_ptr<TVerbindung> link) {
  link->Parent = Parent;
  link->CheckLogic();
  std::string key = AnsiUpperCase(link->GetDisplayText()) + std::to_string(link->Target().StmNummer());
  return Place(std::move(link), std::move(key), index);
}

std::unique_ptr<TVerbindung> TVerbindungsListe::Extract(TVerbindung* link) {
  const int index = IndexOf(link);
  if (index < 0) return nullptr;
  std::unique_ptr<TVerbindung> owned = std::move(fEntries[static_cast<size_t>(index)].link);
  fEntries.erase(fEntries.begin() + index);
  return owned;
}

void TVerbindungsListe::ReinsertLink(TVerbindung* link) {
  std::unique_ptr<TVerbindung> owned = Extract(link);
  if (owned) Add(std::move(owned));
}

bool TVerbindungsListe::Remove(TVerbindung* link) {
  const int index = IndexOf(link);
  if (index < 0) return false;
  fEntries.erase(fEntries.begin() + index);
  return true;
}

void TVerbindungsListe::DeleteAt(int index) {
  if (index >= 0 && index < Count()) fEntries.erase(fEntries.begin() + index);
}

int TVerbindungsListe::VisibleIndex(int index) const {
  if (fEntries.empty()) return -1;
  if (index > Count() - 1) index = Count() - 1;
  int hidden = 0;
  for (int i = 0; i <= index; ++i) {
    if (fEntries[static_cast<size_t>(i)].link->Hidden() != 0) ++hidden;
  }
  return index - hidden;
}

int TVerbindungsListe::IndexOfText(TVerbindung* link) const {
  if (IsLogicLink(*link)) return -1;
  const std::string text = AnsiUpperCase(link->GetDisplayText());
  for (size_t i = 0; i < fEntries.size(); ++i) {
    if (AnsiUpperCase(fEntries[i].key) == text) return static_cast<int>(i);
  }
  return -1;
}

int TVerbindungsListe::FindDuplicate(TVerbindung* link) {
  for (size_t i = 0; i < fEntries.size(); ++i) {
    TVerbindung* p = fEntries[i].link.get();
    if (p == link || p->Kind() != link->Kind()) continue;
    if (!LinkEndpointsEqual(*p, *link)) continue;
    bool duplicate = true;
    if (link->Kind() == 1 || link->Kind() == 2) {
      link->SortLogic();
      p->SortLogic();
      duplicate = link->GetLogicCount() == p->GetLogicCount();
      for (int e = 0; e < kLogicEntryCount && duplicate; ++e) {
        for (int b = 0; b < 5 && duplicate; ++b) {
          if (link->Logic(e).Bytes()[b] != p->Logic(e).Bytes()[b]) duplicate = false;
        }
      }
      if (duplicate && link->Kind() == 2) duplicate = ElseEndpointsEqual(*p, *link);
    }
    if (duplicate) {
      link->Duplicate = true;
      return static_cast<int>(i);
    }
  }
  return -1;
}

void TVerbindungsListe::SetParents() {
  for (auto& entry : fEntries) entry.link->Parent = Parent;
}

void TVerbindungsListe::ReadData(TReader& reader) {
  Clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto link = std::make_unique<TVerbindung>(false);
    reader.ReadString();  // the key text is computed again
    link->ReadData(reader);
    link->Parent = Parent;
    Add(std::move(link));
  }
  reader.ReadListEnd();
}

void TVerbindungsListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& entry : fEntries) {
    writer.WriteString(entry.key);
    entry.link->WriteData(writer);
  }
  writer.WriteListEnd();
}

void TVerbindungsListe::RefreshKeys() {
  for (int i = 0; i < Count(); ++i) RefreshKey(i);
}

void TVerbindungsListe::RefreshKey(int index) {
  Entry& entry = fEntries[static_cast<size_t>(index)];
  entry.key = AnsiUpperCase(entry.link->GetDisplayText());
}

void TVerbindungsListe::RemapLinks(int stm, int kind, int logicType, int oldNumber, int newNumber) {
  RemapLinks(stm, kind, TRenumberMap{TRenumbering{logicType, oldNumber, newNumber, nullptr}});
}

namespace {

// The entry of the map for a number as it was before the change; nullptr when it does not move.
const TRenumbering* Renumbered(const TRenumberMap& map, int number, int logicType = -1) {
  for (const TRenumbering& r : map) {
    if (r.OldNumber == number && (logicType < 0 || r.LogicType == logicType)) return &r;
  }
  return nullptr;
}

}  // namespace

void TVerbindungsListe::RemapLinks(int stm, int kind, const TRenumberMap& map) {
  if (map.empty()) return;
  const bool modul = kind >= 0 && kind < 8;
  for (int i = Count() - 1; i >= 0; --i) {
    TVerbindung& link = *fEntries[static_cast<size_t>(i)].link;
    bool textChanged = false;
    if (IsLogicLink(link)) {
      for (int n = 0; n < kLogicEntryCount; ++n) {
        TLogicEntry e = link.Logic(n);
        if (e.StmNummer() != stm) continue;
        const int type = e.LogicType();
        if (modul && type >= 1 && type <= 16) {
          if (const TRenumbering* r = Renumbered(map, e.ModulAdresse(), type)) {
            e.SetModulAdresse(r->NewNumber);
            // The input-type code tells the halves of the address range apart: a module that
            // moves across address 15 takes the code of its new half.
            e.SetLogicType(2 * kind + 1 + (r->NewNumber > 15 ? 1 : 0));
          }
        } else if (modul && type == kind + 17) {
          if (const TRenumbering* r = Renumbered(map, e.ModulAdresse())) e.SetModulAdresse(r->NewNumber);
        } else if ((type == kObjMerker || type == kObjUhr) && type == kind) {
          if (const TRenumbering* r = Renumbered(map, e.KanalNummer())) e.SetKanalNummer(r->NewNumber);
        }
      }
    }
    TLinkEndpoint endpoints[3] = {link.Source(), link.Target(), link.ElseTarget()};
    for (int k = 0; k < 3; ++k) {
      TLinkEndpoint& e = endpoints[k];
      if (k == 2 && !e.Present()) continue;  // a cleared else target refers to nothing
      // A module's channels seen as input flags (type base class + 8) move with the module.
      const bool inputFlag = modul && e.ObjType() == kind + 8 && e.StmNummer() == stm;
      if (!EndpointIs(e, kind, stm) && !inputFlag) continue;
      if (modul) {
        if (const TRenumbering* r = Renumbered(map, e.ModulAdresse())) {
          e.SetModulAdresse(r->NewNumber);
          textChanged = true;
        }
      } else if (kind == kObjMerker || kind == kObjUhr || kind == kObjAnzeigetext || kind == kObjGruppe) {
        if (const TRenumbering* r = Renumbered(map, e.KanalNummer())) {
          e.SetKanalNummer(r->NewNumber);
          textChanged = true;
        }
      }
    }
    if (textChanged) RefreshKey(i);
  }
}

int TVerbindungsListe::DeleteGeneratedLinks() {
  int count = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    if (fEntries[static_cast<size_t>(i)].link->IsGenerated()) {
      fEntries.erase(fEntries.begin() + i);
      ++count;
    }
  }
  return count;
}

int TVerbindungsListe::ObjectDeleted(int stm, int objType, int number) {
  int count = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    const TVerbindung& link = *fEntries[static_cast<size_t>(i)].link;
    const bool target = EndpointIs(link.Target(), objType, stm) && link.Target().KanalNummer() == number;
    const bool elseTarget =
        link.Kind() == 2 && EndpointIs(link.ElseTarget(), objType, stm) && link.ElseTarget().KanalNummer() == number;
    if (target || elseTarget) {
      fEntries.erase(fEntries.begin() + i);
      ++count;
    }
  }
  return count;
}

int TVerbindungsListe::GruppeDeleted(int stm, int group) { return ObjectDeleted(stm, kObjGruppe, group); }

int TVerbindungsListe::TextDeleted(int stm, int text) { return ObjectDeleted(stm, kObjAnzeigetext, text); }

int TVerbindungsListe::MerkerDeleted(int stm, int flag) {
  int count = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    TVerbindung* link = fEntries[static_cast<size_t>(i)].link.get();
    if (IsLogicLink(*link)) {
      for (int n = 0; n < kLogicEntryCount; ++n) {
        TLogicEntry e = link->Logic(n);
        if (e.StmNummer() == stm && e.LogicType() == kObjMerker && e.KanalNummer() == flag) {
          ++count;
          e.Clear();
        }
      }
      if (link->GetLogicCount() > 0) {
        link->SortLogic();
      } else if (FindDuplicate(link) >= 0) {
        fEntries.erase(fEntries.begin() + i);
        continue;
      }
    }
    if (link->Kind() == 2 && EndpointIs(link->ElseTarget(), kObjMerker, stm) &&
        link->ElseTarget().KanalNummer() == flag) {
      link->RemoveElseTarget();
    }
    if (EndpointIs(link->Target(), kObjMerker, stm) && link->Target().KanalNummer() == flag) {
      ++count;
      fEntries.erase(fEntries.begin() + i);
    }
  }
  return count;
}

int TVerbindungsListe::UhrDeleted(int stm, int clock) {
  int count = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    TVerbindung* link = fEntries[static_cast<size_t>(i)].link.get();
    if (!IsLogicLink(*link)) continue;
    int removed = 0;
    for (int n = 0; n < kLogicEntryCount; ++n) {
      TLogicEntry e = link->Logic(n);
      if (e.StmNummer() == stm && e.LogicType() == kObjUhr && e.KanalNummer() == clock) {
        ++removed;
        e.Clear();
      }
    }
    count += removed;
    if (link->GetLogicCount() > 0) {
      link->SortLogic();
    } else if (removed > 0) {
      // Only a link that this clock left without conditions goes; one that had none before
      // has nothing to do with the clock.
      fEntries.erase(fEntries.begin() + i);
    }
  }
  return count;
}

int TVerbindungsListe::ModulDeleted(int stm, int baseClass, int logicType, int address) {
  int count = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    TVerbindung* link = fEntries[static_cast<size_t>(i)].link.get();
    if (IsLogicLink(*link)) {
      for (int n = 0; n < kLogicEntryCount; ++n) {
        TLogicEntry e = link->Logic(n);
        if (e.StmNummer() != stm || e.ModulAdresse() != address) continue;
        const int type = e.LogicType();
        const bool output = type >= 17 && type <= 24 && type - 17 == baseClass;
        const bool input = type >= 1 && type <= 16 && type == logicType;
        if (output || input) {
          ++count;
          e.Clear();
        }
      }
      if (link->GetLogicCount() > 0) {
        link->SortLogic();
      } else if (FindDuplicate(link) >= 0) {
        fEntries.erase(fEntries.begin() + i);
        continue;
      } else {
        link->SetKind(0);
      }
    }
    if (link->Kind() == 2 && EndpointIs(link->ElseTarget(), baseClass, stm) &&
        link->ElseTarget().ModulAdresse() == address) {
      link->RemoveElseTarget();
    }
    if (EndpointIs(link->Target(), baseClass, stm) && link->Target().ModulAdresse() == address) {
      ++count;
      fEntries.erase(fEntries.begin() + i);
    }
  }
  return count;
}

}  // namespace zyn
