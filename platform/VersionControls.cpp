#include "platform/VersionControls.h"

#include "platform/QtText.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

namespace zyn {

void TVersionLabel::SetVersionText(const std::string& text) {
  if (fLabel) fLabel->setText(fWording ? fWording(text) : ToQString(text));
}

void TVersionListView::FillVersionRows(const std::vector<std::pair<std::string, std::string>>& rows) {
  if (!fView) return;
  fView->clear();
  fView->setColumnCount(2);
  fView->setHeaderLabels({QStringLiteral("Resource"), QStringLiteral("Value")});
  fView->setRootIsDecorated(false);
  fView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (const auto& [caption, value] : rows)
    fView->addTopLevelItem(new QTreeWidgetItem({ToQString(caption), ToQString(value)}));
}

}  // namespace zyn
