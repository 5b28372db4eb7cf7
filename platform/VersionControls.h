#pragma once
// The controls that the version information (TzsVersionInfoResource) fills: a label and a list
// view of the user interface behind its two small interfaces.

#include "model/base/VersionInfo.h"

class QLabel;
class QTreeWidget;

namespace zyn {

// Shows the text in the label (not owned).
class TVersionLabel : public IVersionLabel {
 public:
  explicit TVersionLabel(QLabel* label) : fLabel(label) {}
  void SetVersionText(const std::string& text) override;

 private:
  QLabel* fLabel;
};

// Makes the tree widget (not owned) a read-only report with the columns "Resource" and "Value",
// sized to their contents, and lists the rows.
class TVersionListView : public IVersionListView {
 public:
  explicit TVersionListView(QTreeWidget* view) : fView(view) {}
  void FillVersionRows(const std::vector<std::pair<std::string, std::string>>& rows) override;

 private:
  QTreeWidget* fView;
};

}  // namespace zyn
