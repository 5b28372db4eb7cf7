#pragma once
// The side bar of the main window as the tests build it: six groups with the main window's
// captions, items, frame keys and tags, the XP look with its gradient, white item text and a
// list of 32 x 32 pictures.

#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarImageList.h"

#include <QImage>
#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

struct TMainWindowItem {
  const char* Caption;  // UTF-8
  const char* Frame;
  int Tag;
};

struct TMainWindowGroup {
  const char* Caption;  // UTF-8
  std::vector<TMainWindowItem> Items;
};

const std::vector<TMainWindowGroup>& MainWindowGroups();

// A 32 x 32 picture of colour index n on a fuchsia (transparent) background.
QImage SideBarPicture(int n);

// Fills the side bar as the main window does; withText false leaves every caption empty (for
// pictures that must not depend on the fonts of the machine).
void BuildMainWindowSideBar(TzbSideBar& bar, TzbSideBarImageList& images, bool withText = true);

// The centre of an item's hit area (its picture) in side-bar coordinates.
QPoint ItemCentre(TzbSideBar& bar, const TzbSideBarItem& item);
QPoint GroupCentre(TzbSideBar& bar, const TzbSideGroup& group);

}  // namespace zyn::test
