#include "compiler/interpreter/ToolTree.h"

#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/GlobalRoutines.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "project/Projekt.h"

#include <cstdarg>
#include <cstdio>
#include <map>

namespace zyn {

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

struct TEntryNode {
  std::string Text;
  TToolObject Object;
};

bool ChannelNode(const TZYNProjekt& p, int kind, const std::string& name, const std::string& suffix, TEntryNode& out) {
  TSteuermodul* stm = nullptr;
  TModul* modul = nullptr;
  TKanal* channel = nullptr;
  if (kind == 0) {
    if (TEingang* e = p.FindEingang(name, &stm, &modul)) {
      channel = e;
      out.Object = e;
    } else if (TRueckmeldung* r = p.FindRueckmeldung(name, &stm, &modul)) {
      channel = r;
      out.Object = r;
    }
  } else if (TAusgang* a = p.FindAusgang(name, &stm, &modul)) {
    channel = a;
    out.Object = a;
  }
  if (!channel || !stm || !modul) return false;
  out.Text = Format("STM.%2.2d.%s.%2.2d.%2.2d-%s%s", stm->Adresse(), modul->ModulKennung.c_str(), modul->Adresse(),
                    channel->Adresse(), channel->DisplayName().c_str(), suffix.c_str());
  return true;
}

bool NumberedNode(TSteuermodul* stm, const std::string& code, int number, const std::string& display,
                  const std::string& suffix, TEntryNode& out) {
  if (!stm) return false;
  out.Text =
      Format("STM.%2.2d.%s.%2.2d.%3.3d-%s%s", stm->Adresse(), code.c_str(), 0, number, display.c_str(), suffix.c_str());
  return true;
}

// The child of one entry by the kind of object (0 input, 1 output, 2 flag, 3 clock, 4 module,
// 5 group); false when the object is not in the project. `text` may be rewritten.
bool EntryNode(const TZYNProjekt& p, int kind, std::string& text, bool keepPrefix, TEntryNode& out) {
  std::string prefix;
  std::string body = text;
  if (keepPrefix) {
    const size_t pct = body.find('%');
    if (pct != std::string::npos) {
      prefix = body.substr(0, pct + 1);
      body = body.substr(pct + 1);
    }
  }
  std::string name = body, suffix;
  SplitNameValue(name, suffix);
  TSteuermodul* stm = nullptr;
  switch (kind) {
    case 0:
    case 1:
      return ChannelNode(p, kind, name, suffix, out);
    case 2:
      if (TMerker* m = p.FindMerker(name, &stm)) {
        out.Object = m;
        if (!NumberedNode(stm, "MRK", m->Adresse(), m->DisplayName(), suffix, out)) return false;
        text = prefix + m->InternalName() + suffix;
        return true;
      }
      return false;
    case 3: {
      TUhr* u = p.FindUhr(name, &stm);
      if (!u) u = p.FindUhrByDisplayName(name, &stm);
      if (!u) return false;
      out.Object = u;
      if (!NumberedNode(stm, "UHR", u->Adresse(), u->DisplayName(), suffix, out)) return false;
      text = prefix + u->InternalName() + suffix;
      return true;
    }
    case 4:
      if (TModul* m = p.FindModul(name, &stm)) {
        if (!stm) return false;
        out.Object = m;
        out.Text = Format("STM.%2.2d.%s.%2.2d-%s", stm->Adresse(), m->ModulKlasse.c_str(), m->Adresse(),
                          m->DisplayName().c_str());
        return true;
      }
      return false;
    case 5:
      if (TGruppe* g = p.FindGruppe(name, &stm)) {
        out.Object = g;
        return NumberedNode(stm, ModelTranslate("GRP"), g->Adresse(), g->DisplayName(), suffix, out);
      }
      return false;
    default:
      return false;
  }
}

int ObjectKind(const std::string& text) {
  const size_t pct = text.find('%');
  if (pct == std::string::npos || pct == 0) return -1;
  int kind = 0;
  for (size_t i = 0; i < pct; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    kind = kind * 10 + (text[i] - '0');
    if (kind > 99) return -1;
  }
  return kind;
}

}  // namespace

void FillTreeNode(TZYNFunction& tool, IToolTreeSink& tree, int node, const TZYNProjekt* project) {
  for (int i = 0; i < tool.Nodes.Count(); ++i) {
    TFuncNode* fn = tool.Nodes.Get(i);
    const int child = tree.AddNode(node, fn->NodeText, fn);
    TVariable* var = fn->NodeVar;
    if (!var) continue;
    if (fn->NodeType == ntParameter) {
      tree.AddNode(child, Format("%d %s", static_cast<int>(var->Value), TranslateText(var->GetEinheit()).c_str()), var);
      continue;
    }
    if (project == nullptr) continue;
    const TZYNProjekt& projekt = *project;
    for (TVarEntry& entry : var->Objects()) {
      TEntryNode out;
      bool found = false;
      switch (fn->NodeType) {
        case ntEingang:
        case 8:
          found = EntryNode(projekt, 0, entry.Text, false, out);
          break;
        case ntAusgang:
          found = EntryNode(projekt, 1, entry.Text, false, out);
          break;
        case ntMerker:
          found = EntryNode(projekt, 2, entry.Text, false, out);
          break;
        case ntUhr:
          found = EntryNode(projekt, 3, entry.Text, false, out);
          break;
        case ntObject:
          found = EntryNode(projekt, ObjectKind(entry.Text), entry.Text, true, out);
          break;
        case ntFunction: {
          TZYNSubFunction* sub = ObjectAs<TZYNSubFunction>(entry.Object);
          if (!sub) sub = entry.SubFunction();
          const TZYNFunction* t = sub ? projekt.FindToolByInternalName(sub->FunctionKey) : nullptr;
          if (!t && sub) t = projekt.FindToolByInternalName(sub->InternalName);
          if (t) {
            out.Text = t->Info.FunctionName;
            out.Object = sub;
            found = true;
          }
          break;
        }
        default:
          break;
      }
      if (found) tree.AddNode(child, out.Text, out.Object);
    }
  }
}

void FillTree(const TZYNFunktionsListe& list, IToolTreeSink& tree, const TZYNProjekt* projekt, TUniqueNames* registry) {
  tree.BeginUpdate();
  tree.Clear();
  std::map<std::string, int> levels;
  for (int i = 0; i < list.Count(); ++i) {
    TZYNFunction* tool = list.GetFunction(i);
    const std::string level = tool->Info.Ebene.Text();
    int parent = IToolTreeSink::kRoot;
    if (!level.empty()) {
      auto it = levels.find(level);
      if (it == levels.end()) {
        auto ebene = std::make_unique<TZYNEbene>(registry);
        ebene->Name = level;
        it = levels.emplace(level, tree.AddLevel(level, std::move(ebene))).first;
      }
      parent = it->second;
    }
    const int node = tree.AddNode(parent, tool->Info.FunctionName, tool);
    FillTreeNode(*tool, tree, node, projekt);
  }
  tree.EndUpdate();
}

}  // namespace zyn
