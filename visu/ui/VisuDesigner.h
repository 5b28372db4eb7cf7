#pragma once
// The designer side shared by every control: the design and focus flags, the designer's
// handlers, moving and parenting. Each control class picks its variant through the policy.

#include "visu/ui/VisuComponent.h"

namespace zyn {

struct TDesignPolicy {
  bool repaintFocus = true;      // SetDesignFocus repaints on a change (false: stores only)
  bool focusIgnored = false;     // SetDesignFocus does nothing at all
  bool repaintDesigning = true;  // SetDesigning repaints on a change
  bool enabledFollows = false;   // SetDesigning also sets Enabled to the flag
  bool mouseAlways = false;      // the mouse handlers are installed also outside design mode
  bool dragAlways = false;       // the drag handlers are installed also outside design mode
  bool dragIgnored = false;      // SetDragDropHandler does nothing
  bool usesDontMove = false;     // SetPosition leaves the control where it is when DontMove is set
};

class TVisuDesignerBase : public IVisuDesigner {
 public:
  TVisuDesignerBase(TVisuComponent& component, TDesignPolicy policy) : fComponent(component), fPolicy(policy) {}

  void SetDesignFocus(bool on) override;
  void SetDesigning(bool on) override;
  void SetDragDropHandler(TVisuDragOverEvent over, TVisuDragDropEvent drop) override;
  void SetMouseHandler(TVisuMouseEvent down, TVisuMouseEvent up, TVisuMouseEvent move) override;
  void SetVisuParent(QWidget* parent) override;
  void SetPosition(int x, int y) override;

  bool Designing() const { return fDesigning; }
  bool DesignFocus() const { return fFocus; }
  bool DontMove = false;

 protected:
  // After the design flag changed (hints, enabled state of parts).
  virtual void DesigningChanged() {}

 private:
  TVisuComponent& fComponent;
  TDesignPolicy fPolicy;
  bool fDesigning = false;
  bool fFocus = false;
};

}  // namespace zyn
