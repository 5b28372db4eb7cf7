#include "logic/core/TemplateProgram.h"

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "logic/core/LogicText.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/VerbindungsListe.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"

#include <algorithm>

namespace zyn {

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Every tool list of the project: each control module's, then the project-wide one.
template <class F>
void ForEachToolList(TZYNProjekt& projekt, F f) {
  for (int s = 0; s < projekt.Steuermodule.Count(); ++s) f(projekt.Steuermodule.GetSteuermodul(s)->Tools);
  f(projekt.Tools);
}

template <class F>
void ForEachTool(TZYNProjekt& projekt, F f) {
  ForEachToolList(projekt, [&](TZYNFunktionsListe& list) {
    for (int i = 0; i < list.Count(); ++i) f(*list.GetFunction(i));
  });
}

bool SameObject(const TToolObject& a, const TToolObject& b) { return !IsNone(a) && a == b; }

// The index of the object's first entry in the slot's target variable, -1 when none.
int EntryIndex(const TFuncNode& slot, const TToolObject& object) {
  if (!slot.NodeVar) return -1;
  const std::vector<TVarEntry>& entries = slot.NodeVar->Objects();
  for (size_t i = 0; i < entries.size(); ++i)
    if (SameObject(entries[i].Object, object)) return static_cast<int>(i);
  return -1;
}

// Where the selection starts in an entry text: the first ":", or the first "#" without one.
size_t SuffixStart(const std::string& text) {
  const size_t colon = text.find(':');
  return colon != std::string::npos ? colon : text.find('#');
}

bool ReservesObjects(const TFuncNode& slot) { return (slot.NodeFlags & flReserve) != 0; }

// Whether any reserving slot of the project still holds the object.
bool StillReserved(TZYNProjekt& projekt, const TToolObject& object) {
  bool held = false;
  ForEachTool(projekt, [&](TZYNFunction& tool) {
    for (int n = 0; n < tool.Nodes.Count(); ++n) {
      const TFuncNode& slot = *tool.Nodes.Get(n);
      if (ReservesObjects(slot) && EntryIndex(slot, object) >= 0) held = true;
    }
  });
  return held;
}

void Reserve(const TToolObject& object, bool value) {
  if (TAusgang* a = ObjectAs<TAusgang>(object)) a->SetReserviert(value);
  if (TMerker* m = ObjectAs<TMerker>(object)) m->SetReserviert(value);
}

uint16_t Word(const std::array<uint8_t, 10>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
void SetWord(std::array<uint8_t, 10>& b, size_t at, int value) {
  b[at] = static_cast<uint8_t>(value & 0xFF);
  b[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

// ---- tools and levels

bool IsPresenceSimulation(const TZYNFunction& tool) {
  return Upper(tool.GetFunctionName()) == "ANWESENHEITSSIMULATION";
}

TZYNFunction& PlaceTool(const TZYNFunction& templ, TZYNFunktionsListe& list, TUniqueNames& names,
                        const std::string& level) {
  auto tool = std::make_unique<TZYNFunction>();
  tool->CopyFrom(templ);
  tool->InternalName = names.NewName();
  tool->Info.Ebene.SetText(level);
  const std::string key = tool->InternalName;
  return *list.Add(key, std::move(tool));
}

std::unique_ptr<TZYNEbene> NewLevel(const std::string& name, TUniqueNames& names) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) return nullptr;
  auto level = std::make_unique<TZYNEbene>(&names);
  level->Name = trimmed.substr(0, 255);
  return level;
}

void SetToolLevel(TZYNFunction& tool, const std::string& level) { tool.Info.Ebene.SetText(level); }

void RenameLevel(TZYNFunktionsListe& list, const std::string& oldName, const std::string& newName) {
  for (int i = 0; i < list.Count(); ++i) {
    TZYNFunction& tool = *list.GetFunction(i);
    if (tool.Info.Ebene.Text() == oldName) tool.Info.Ebene.SetText(newName);
  }
}

TZYNFunktionsListe* OwningList(TZYNProjekt& projekt, const TZYNFunction* tool) {
  TZYNFunktionsListe* found = nullptr;
  ForEachToolList(projekt, [&](TZYNFunktionsListe& list) {
    if (!found && list.IndexOf(tool) >= 0) found = &list;
  });
  return found;
}

bool DeleteTool(TZYNProjekt& projekt, TZYNFunction* tool, TToolRemoval* removal) {
  TZYNFunktionsListe* list = OwningList(projekt, tool);
  if (!list) return false;
  TToolRemoval done;
  // Its own reservations go first, so that what it held is free again.
  for (int n = 0; n < tool->Nodes.Count(); ++n) {
    TFuncNode& slot = *tool->Nodes.Get(n);
    if (!ReservesObjects(slot) || !slot.NodeVar) continue;
    std::vector<TToolObject> held;
    for (const TVarEntry& e : slot.NodeVar->Objects())
      if (ObjectAs<TAusgang>(e.Object) || ObjectAs<TMerker>(e.Object)) held.push_back(e.Object);
    slot.NodeVar->Objects().clear();
    for (const TToolObject& o : held) {
      if (StillReserved(projekt, o)) continue;
      Reserve(o, false);
      done.Released.push_back(o);
    }
  }
  // Every reference of another tool to it, wherever that tool is.
  ForEachTool(projekt, [&](TZYNFunction& other) {
    if (&other == tool) return;
    bool changed = false;
    for (int n = 0; n < other.Nodes.Count(); ++n) {
      TVariable* var = other.Nodes.Get(n)->NodeVar;
      if (!var) continue;
      std::vector<TVarEntry>& entries = var->Objects();
      const auto refers = [tool](const TVarEntry& e) {
        const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(e.Object);
        if (!sub) sub = e.SubFunction();
        if (sub && (sub->FunctionPtr() == tool || sub->FunctionKey == tool->InternalName)) return true;
        // An object-list entry names the tool after its "%".
        const size_t pct = e.Text.find('%');
        return pct != std::string::npos && e.Text.substr(pct + 1) == tool->InternalName;
      };
      const size_t before = entries.size();
      entries.erase(std::remove_if(entries.begin(), entries.end(), refers), entries.end());
      changed = changed || entries.size() != before;
    }
    if (changed) done.UsersChanged.push_back(other.GetFunctionName());
  });
  ForEachToolList(projekt, [&](TZYNFunktionsListe& l) { l.ForgetFunction(tool); });
  list->Delete(list->IndexOf(tool));
  if (removal) *removal = std::move(done);
  return true;
}

// ---- slots and bindings

bool SlotHasObject(const TFuncNode& slot, const TToolObject& object) { return EntryIndex(slot, object) >= 0; }

bool SlotAccepts(const TFuncNode& slot, const TToolObject& object, const TZYNProjekt& projekt) {
  if (IsNone(object) || !slot.NodeVar) return false;
  if ((slot.NodeFlags & flSingle) != 0 && slot.NodeVar->Count() > 0) return false;
  if (!slot.AcceptsObject(object, projekt)) return false;
  if (slot.NodeEdit != edGetFunctionCode && SlotHasObject(slot, object)) return false;
  // A tool is used once per slot, whichever reference to it was dropped.
  if (const TZYNSubFunction* ref = ObjectAs<TZYNSubFunction>(object)) {
    for (const TVarEntry& e : slot.NodeVar->Objects()) {
      const TZYNSubFunction* bound = ObjectAs<TZYNSubFunction>(e.Object);
      if (!bound) bound = e.SubFunction();
      if (bound && (bound->FunctionPtr() == ref->FunctionPtr() || bound->FunctionKey == ref->FunctionKey)) return false;
    }
  }
  return true;
}

std::string BindingEntryText(const TToolObject& object, const std::string& suffix) {
  if (const TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(object)) return sub->FunctionKey;
  if (ObjectAs<TModul>(object)) return InternalNameOf(object);
  return InternalNameOf(object) + suffix;
}

void BindObject(TFuncNode& slot, const TToolObject& object, const std::string& suffix) {
  if (!slot.NodeVar) return;
  slot.NodeVar->Add(BindingEntryText(object, suffix), object);
  if (ReservesObjects(slot)) Reserve(object, true);
}

void BindSubFunction(TFuncNode& slot, TZYNFunction& referenced, TUniqueNames& names) {
  if (!slot.NodeVar) return;
  auto sub = std::make_unique<TZYNSubFunction>();
  sub->InternalName = names.NewName();
  sub->Name.SetText(referenced.GetFunctionName());
  sub->FunctionKey = referenced.InternalName;
  sub->SetFunction(&referenced);
  TVariable& var = *slot.NodeVar;
  if (var.VarType() == vtFunction) {
    TVarEntry entry(referenced.InternalName, {});
    entry.SetSubFunction(std::move(sub));
    var.Objects().push_back(std::move(entry));
  } else {
    TZYNSubFunction* raw = sub.get();
    var.AddObject(referenced.InternalName, raw);
    var.Objects().back().SetSubFunction(std::move(sub));
  }
}

bool UnbindObject(TZYNProjekt& projekt, TFuncNode& slot, const TToolObject& object) {
  const int index = EntryIndex(slot, object);
  if (index < 0) return false;
  slot.NodeVar->Delete(index);
  if (ReservesObjects(slot) && !StillReserved(projekt, object)) Reserve(object, false);
  return true;
}

std::string BindingSuffix(const TFuncNode& slot, const TToolObject& object) {
  const int index = EntryIndex(slot, object);
  if (index < 0) return {};
  const std::string& text = slot.NodeVar->Objects()[static_cast<size_t>(index)].Text;
  const size_t at = SuffixStart(text);
  return at == std::string::npos ? std::string() : text.substr(at);
}

bool RebindObject(TFuncNode& slot, const TToolObject& object, const std::string& suffix) {
  const int index = EntryIndex(slot, object);
  if (index < 0) return false;
  slot.NodeVar->Objects()[static_cast<size_t>(index)].Text = BindingEntryText(object, suffix);
  return true;
}

TKanal* ChannelOf(const TToolObject& object) {
  if (auto* e = ObjectAs<TEingang>(object)) return e;
  if (auto* a = ObjectAs<TAusgang>(object)) return a;
  if (auto* r = ObjectAs<TRueckmeldung>(object)) return r;
  if (auto* m = ObjectAs<TMerker>(object)) return m;
  if (auto* u = ObjectAs<TUhr>(object)) return u;
  return nullptr;
}

bool PreviewToolLinks(TZYNFunction& tool, TZYNProjekt& projekt, const TBasisDaten& basis, IToolReport* report,
                      TVerbindungsListe& links, std::vector<std::string>& log, std::string& error) {
  error = MissingBindingMessage(tool);
  if (!error.empty()) return false;
  struct TCatch : IToolReport {
    IToolReport* Next;
    std::string Error;
    explicit TCatch(IToolReport* next) : Next(next) {}
    void SetToolProgress(int p) override {
      if (Next) Next->SetToolProgress(p);
    }
    void SetCaption(const std::string& t) override {
      if (Next) Next->SetCaption(t);
    }
    void AddMessage(const std::string& l) override {
      if (Next) Next->AddMessage(l);
    }
    void ProcessMessages() override {
      if (Next) Next->ProcessMessages();
    }
    void ToolFailed(const TZYNFunction&, const std::string& message, const std::string& cause) override {
      Error = cause.empty() ? message : message + "\r" + cause;
    }
  } catcher(report);
  TExpandContext context(projekt, basis);
  context.Report = &catcher;
  context.LinkList = &links;
  context.Log = &log;
  const bool ok = ExpandTool(tool, context);
  if (!ok) error = catcher.Error.empty() ? ToolCaption(tool) : catcher.Error;
  return ok;
}

// ---- parameter values

bool HasParameterDialog(const TFuncNode& slot) { return slot.NodeEdit == edDialog && slot.NodeDlg != nullptr; }

std::string ParameterValueText(const TVariable& variable) {
  return std::to_string(variable.Value) + " " + TranslateText(variable.GetEinheit());
}

TParameterForm PrepareToolParameter(const TParamDlg& dlg, const TVariable& v) {
  TParameterForm form;
  const auto spin = [&form](int i, int value) {
    form.Spin[static_cast<size_t>(i)].Value = value;
    form.Spin[static_cast<size_t>(i)].Clamp();
  };
  const auto& b = v.RolladenValue;
  switch (static_cast<uint16_t>(dlg.DlgType)) {
    case 0x1000:
      form.Page = 1;
      form.Label4 = dlg.DlgText;
      spin(2, v.Value >> 8);
      spin(3, v.Value & 0xFF);
      break;
    case 0x2000:
      form.Page = 2;
      form.Radio[1] = PriorityMaskIndex(b[1]);
      form.Check[1] = b[2] != 0;
      spin(4, Word(b, 3) / 10);
      break;
    case 0x2100:
      form.Page = 3;
      form.Radio[2] = PriorityMaskIndex(b[1]);
      break;
    case 0x2200:
    case 0x2300:
      form.Page = dlg.DlgType == 0x2200 ? 4 : 5;
      {
        const int r = dlg.DlgType == 0x2200 ? 3 : 4;
        form.Radio[static_cast<size_t>(r)] = b[1] <= 5 ? b[1] : -1;
        form.Check[static_cast<size_t>(r - 1)] = b[2] != 0;
        const int first = dlg.DlgType == 0x2200 ? 5 : 7;
        spin(first, Word(b, 3) / 10);
        spin(first + 1, Word(b, 5) / 10);
        if (dlg.DlgType == 0x2300) spin(9, Word(b, 7));
      }
      break;
    default:
      form.Page = 0;
      form.Label1 = dlg.DlgText;
      form.Label2 = dlg.DlgMask;
      form.Label3 = dlg.DlgEinheit;
      form.Spin[1].Min =
          static_cast<int>(std::max<long double>(0, std::min<long double>(65535, v.GetMinValue() + 0.5L)));
      form.Spin[1].Max =
          static_cast<int>(std::max<long double>(0, std::min<long double>(65535, v.GetMaxValue() + 0.5L)));
      spin(1, v.Value);
      break;
  }
  return form;
}

bool StoreToolParameter(const TParamDlg& dlg, TVariable& v, const TParameterForm& input, std::string& nodeText) {
  TParameterForm form = input;
  form.ClampAll();
  const auto spin = [&form](int i) { return form.Spin[static_cast<size_t>(i)].Value; };
  auto& b = v.RolladenValue;
  const auto level = [&form](int group) { return std::max(0, form.Radio[static_cast<size_t>(group)]); };
  switch (static_cast<uint16_t>(dlg.DlgType)) {
    case 0x1000:
      v.Value = static_cast<uint16_t>(spin(2) * 256 + spin(3));
      nodeText = std::to_string(spin(3)) + " " + TranslateText(v.GetEinheit());
      return true;
    case 0x2000:
      b[0] = 5;
      b[1] = static_cast<uint8_t>(PriorityMaskOfLevel(level(1)));
      b[2] = form.Check[1] ? 1 : 0;
      SetWord(b, 3, spin(4) * 10);
      return false;
    case 0x2100:
      b[0] = 6;
      b[1] = static_cast<uint8_t>(PriorityMaskOfLevel(level(2)));
      b[2] = 0;
      return false;
    case 0x2200:
    case 0x2300: {
      const bool tip = dlg.DlgType == 0x2300;
      b[0] = 7;
      b[1] = static_cast<uint8_t>(level(tip ? 4 : 3));
      b[2] = form.Check[tip ? 3 : 2] ? 1 : 0;
      SetWord(b, 3, spin(tip ? 7 : 5) * 10);
      SetWord(b, 5, spin(tip ? 8 : 6) * 10);
      if (tip) SetWord(b, 7, spin(9));
      return false;
    }
    default:
      v.Value = static_cast<uint16_t>(spin(1));
      nodeText = ParameterValueText(v);
      return true;
  }
}

}  // namespace zyn
