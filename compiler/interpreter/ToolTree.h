#pragma once
// The tool trees of the programming pages: levels, tools, their nodes and the objects assigned to
// the nodes, filled into an abstract tree that the pages implement.

#include "compiler/toollib/ToolObject.h"

#include <memory>
#include <string>
#include <variant>

namespace zyn {

class TZYNEbene;
class TZYNFunction;
class TZYNFunktionsListe;
class TFuncNode;
class TVariable;
class TZYNProjekt;
class TUniqueNames;

// What a tree node carries: a level, a tool, a node of a tool, a parameter variable, or an
// assigned project object or sub-tool.
using TToolTreeData = std::variant<std::monostate, TZYNEbene*, TZYNFunction*, TFuncNode*, TVariable*, TToolObject>;

class IToolTreeSink {
 public:
  static constexpr int kRoot = -1;
  virtual ~IToolTreeSink() = default;
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  virtual void Clear() = 0;
  // A root node for a level; the tree keeps the level as the node's data and owns it.
  virtual int AddLevel(const std::string& text, std::unique_ptr<TZYNEbene> level) = 0;
  // A node below `parent` (kRoot for a root node); the handle of the new node.
  virtual int AddNode(int parent, const std::string& text, const TToolTreeData& data) = 0;
};

// Clears the tree and adds every tool of the list, below the root node of its level (made once
// per level name, with a new level object named from the registry) or as a root node, each with
// its nodes and assigned objects. Objects are looked up in the project; without a project (a
// library shown on its own) the nodes get no object children.
void FillTree(const TZYNFunktionsListe& list, IToolTreeSink& tree, const TZYNProjekt* projekt,
              TUniqueNames* registry = nullptr);

// Adds below `node` the tool's nodes and below each node the objects of its variable. Flag and
// clock entries are rewritten to the object's internal name and their suffix.
void FillTreeNode(TZYNFunction& tool, IToolTreeSink& tree, int node, const TZYNProjekt* projekt);

}  // namespace zyn
