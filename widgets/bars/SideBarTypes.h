#pragma once
// Enumerations, forward declarations and the exception class of the side bar: a navigation panel
// of groups, one of them open at a time, whose items show as large or small icons.

#include <stdexcept>
#include <string>

namespace zyn {

class TzbSideBar;
class TzbSideGroup;
class TzbSideGroups;
class TzbSideBarItem;
class TzbSideBarItems;
class TzbStoredSideItem;
class TzbSideBarStore;
class TzbSideBarImageList;
class TzbSideBarPainter;
class TzbSideBarViewInfo;
class TzbSideBarDragObject;

enum TzbsbPaintStyle { sbpsStandard, sbpsFlat, sbpsXP, sbpsW2K };
enum TzbSideBarFillStyle { bfsNone, bfsHorz, bfsVert };
enum TzbSideGroupIconType { zbsgLargeIcon, zbsgSmallIcon };

// Drop position of a dragged item relative to the target item (with a target, dpNone means on it).
enum TzbSideBarDropPosition { dpBefore = 0, dpAfter = 1, dpNone = 2 };
// Whether moving the pointer with an item pressed starts an item drag.
enum TzbSideBarDragMode { sbdmManual, sbdmAutomatic };

class EzbSideBarError : public std::runtime_error {
 public:
  explicit EzbSideBarError(const std::string& message) : std::runtime_error(message) {}
};

// The library's resource texts (English, not translated).
inline constexpr const char* kSideBarNewGroup = "New Group";
inline constexpr const char* kSideBarNewItem = "New Item";
inline constexpr const char* kSideBarDefaultCategory = "Default";
inline constexpr const char* kSideBarCantDeleteCategory = "Can't delete the group. It has items.";

// The list-index error of the class library.
[[noreturn]] void SideBarListIndexError(int index);

}  // namespace zyn
