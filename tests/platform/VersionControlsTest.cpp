#include "platform/VersionControls.h"
#include "tests/support/AppFixture.h"

#include <QLabel>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zyn {
namespace {

// The running test programme carries the build's version information: attached to the version
// information, the label shows its file version and the list view becomes the two-column report.
TEST(VersionControls, LabelAndListViewShowTheProgrammesVersion) {
  test::EnsureApp();
  TzsVersionInfoResource info;
  QLabel label;
  QTreeWidget view;
  TVersionLabel version(&label);
  TVersionListView list(&view);
  info.SetVersionLabel(&version);
  info.SetVersionListView(&list);
  EXPECT_FALSE(label.text().isEmpty());
  EXPECT_EQ(label.text().toStdString(), info.FileVersion().GetAsString());
  ASSERT_EQ(view.columnCount(), 2);
  EXPECT_EQ(view.headerItem()->text(0), QStringLiteral("Resource"));
  EXPECT_EQ(view.headerItem()->text(1), QStringLiteral("Value"));
  ASSERT_EQ(view.topLevelItemCount(), kPreDefCount);
  EXPECT_EQ(view.topLevelItem(0)->text(0), QStringLiteral("Product Name"));
  EXPECT_EQ(view.topLevelItem(0)->text(1).toStdString(), info.ProductName());
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
  // Read again (another file without information): the same controls, emptied, no rows doubled.
  info.SetFilename("/bin/sh");
  EXPECT_TRUE(label.text().isEmpty());
  EXPECT_EQ(view.topLevelItemCount(), kPreDefCount);
}

}  // namespace
}  // namespace zyn
