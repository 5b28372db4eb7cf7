#pragma once
// A sample side bar of the tests: six groups with captions, items, frame keys and tags of their
// own, in the main window's look (the XP paint style with its gradient, white item text and a
// list of 32 x 32 pictures).

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarImageList.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

struct TSampleItem {
  std::string Caption;  // UTF-8
  std::string Frame;
  int Tag;
};

struct TSampleGroup {
  std::string Caption;  // UTF-8
  std::vector<TSampleItem> Items;
};

// Six groups of 2, 10, 4, 3, 3 and 5 items, the size of the main window's side bar; the captions
// carry umlauts, item i of group g is "<group caption> <i + 1>" with frame key SampleFrame(g, i)
// and tag 100 + 10 g + i.
const std::vector<TSampleGroup>& SampleGroups();
std::string SampleFrame(int group, int item);

// A 32 x 32 picture of colour index n on a fuchsia (transparent) background.
QImage SideBarPicture(int n);

// Fills the side bar with the sample groups in the main window's look; withText false leaves
// every caption empty (for pictures that must not depend on the fonts of the machine).
void BuildSampleSideBar(TzbSideBar& bar, TzbSideBarImageList& images, bool withText = true);

// The centre of an item's hit area (its picture) in side-bar coordinates.
QPoint ItemCentre(TzbSideBar& bar, const TzbSideBarItem& item);
QPoint GroupCentre(TzbSideBar& bar, const TzbSideGroup& group);

}  // namespace zyn::test
