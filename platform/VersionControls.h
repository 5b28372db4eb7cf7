#pragma once
// The controls that the version information (TzsVersionInfoResource) fills: a label and a list
// view of the user interface behind its two small interfaces.

#include "model/base/VersionInfo.h"

#include <QString>

#include <functional>

class QLabel;
class QTreeWidget;

namespace zyn {

// Shows the text in the label (not owned); a form that words it its own way ("Version: 2.8.0.0",
// a translated product name) gives the wording.
class TVersionLabel : public IVersionLabel {
 public:
  using TWording = std::function<QString(const std::string& text)>;
  explicit TVersionLabel(QLabel* label, TWording wording = {}) : fLabel(label), fWording(std::move(wording)) {}
  void SetVersionText(const std::string& text) override;

 private:
  QLabel* fLabel;
  TWording fWording;
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
