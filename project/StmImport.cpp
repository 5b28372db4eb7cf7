#include "project/StmImport.h"

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/UniqueNames.h"
#include "model/base/TextUtils.h"
#include "project/Projekt.h"

#include <map>
#include <set>

namespace zyn {

namespace {

// Every named object of a control module, the control module itself first.
template <class F>
void ForEachNamed(TSteuermodul& stm, F f) {
  f(stm);
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul& m = *stm.Module.GetModul(i);
    f(m);
    for (int k = 0; k < m.Eingaenge().Count(); ++k) f(*m.Eingaenge().GetItem(k));
    for (int k = 0; k < m.Ausgaenge().Count(); ++k) f(*m.Ausgaenge().GetItem(k));
    for (int k = 0; k < m.Rueckmeldungen().Count(); ++k) f(*m.Rueckmeldungen().GetItem(k));
  }
  for (int i = 0; i < stm.Merker.Count(); ++i) f(*stm.Merker.GetItem(i));
  for (int i = 0; i < stm.Uhren.Count(); ++i) f(*stm.Uhren.GetItem(i));
  for (int i = 0; i < stm.Texte.Count(); ++i) f(*stm.Texte.GetItem(i));
  for (int i = 0; i < stm.Gruppen.Count(); ++i) {
    TGruppe& g = *stm.Gruppen.GetItem(i);
    f(g);
    for (int k = 0; k < g.Members().Count(); ++k) f(*g.Members().GetGruppenObjekt(k));
  }
}

// The name part of a tool variable's entry ("name", "name:command", "name#times", "kind%name")
// renamed when the map has it.
void RenameInEntry(std::string& text, const std::map<std::string, std::string>& renamed) {
  const size_t percent = text.find('%');
  const size_t begin = percent == std::string::npos ? 0 : percent + 1;
  size_t end = text.find_first_of(":#", begin);
  if (end == std::string::npos) end = text.size();
  const auto found = renamed.find(TrimBlanks(text.substr(begin, end - begin)));
  if (found != renamed.end()) text = text.substr(0, begin) + found->second + text.substr(end);
}

}  // namespace

int RenameClashingNames(TSteuermodul& stm, const TZYNProjekt& projekt, TUniqueNames& names) {
  std::set<std::string> taken;
  for (int i = 0; i < projekt.Steuermodule.Count(); ++i)
    ForEachNamed(*projekt.Steuermodule.GetSteuermodul(i),
                 [&](const TZYNBaseObject& o) { taken.insert(AnsiUpperCase(o.InternalName())); });
  std::map<std::string, std::string> renamed;
  ForEachNamed(stm, [&](TZYNBaseObject& o) {
    const std::string old = o.InternalName();
    if (taken.insert(AnsiUpperCase(old)).second) return;  // not used yet: kept (and now taken)
    o.AssignNewName(names);
    taken.insert(AnsiUpperCase(o.InternalName()));
    renamed[old] = o.InternalName();
  });
  if (renamed.empty()) return 0;

  // The lists are keyed by the internal names.
  stm.Module.RefreshKeys();
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul& m = *stm.Module.GetModul(i);
    m.Eingaenge().RefreshKeys();
    m.Ausgaenge().RefreshKeys();
    m.Rueckmeldungen().RefreshKeys();
  }
  stm.Merker.RefreshKeys();
  stm.Uhren.RefreshKeys();
  stm.Texte.RefreshKeys();
  stm.Gruppen.RefreshKeys();

  const auto follow = [&](std::string& name) {
    const auto found = renamed.find(name);
    if (found != renamed.end()) name = found->second;
  };
  for (int i = 0; i < stm.Gruppen.Count(); ++i) {
    TGruppenObjektListe& members = stm.Gruppen.GetItem(i)->Members();
    for (int k = 0; k < members.Count(); ++k) {
      TGruppenObjekt& member = *members.GetGruppenObjekt(k);
      follow(member.Steuermodul);
      follow(member.Modul);
      follow(member.Kanal);
    }
  }
  for (int t = 0; t < stm.Tools.Count(); ++t) {
    TZYNFunction& tool = *stm.Tools.GetFunction(t);
    for (int v = 0; v < tool.Variables.Count(); ++v)
      for (TVarEntry& entry : tool.Variables.Get(v)->Objects()) RenameInEntry(entry.Text, renamed);
  }
  return static_cast<int>(renamed.size());
}

TSteuermodul* ImportSteuermodul(TZYNProjekt& projekt, std::unique_ptr<TSteuermodul> stm, int address,
                                TUniqueNames& names) {
  const int old = stm->Adresse();
  RenameClashingNames(*stm, projekt, names);
  stm->AssignNewName(names);
  stm->SetAdresse(address);
  TSteuermodul* added = projekt.Steuermodule.Add(std::move(stm));
  added->RenumberLinks(old);
  added->CheckTools(projekt);
  added->RefreshLinkTexts(projekt);
  return added;
}

}  // namespace zyn
