#pragma once
// Run-time customizing of the bars: the selected link with its frame, the mouse rules of the bar
// windows while the customizing form is open, the drag and drop of commands and links between the
// form's command list, the bars and the menus with its insertion mark, and the right-click popup
// of a link (its editors: reset, delete, name, paint style, group start).
//
// A drag runs from its start until the left button goes up (drop), Esc, or the end of the
// customizing mode (cancel); it hears the mouse and keys through the application's input filter,
// so that drags from a real pointer and drags driven step by step (MoveTo, SetCopyMode, Drop) go
// the same way.

#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

#include <QString>

#include <string>
#include <vector>

class QPainter;

namespace zyn {

class TCanvas;
class TzbBar;
class TCustomzbBarControl;
class TzbBarItem;
class TzbBarItemControl;
class TzbBarItemLink;
class TzbBarItemLinks;
class TzbBarManager;

// The cursors of the drag: a link moved, a link copied or a command dragged, no drop possible.
enum TzbBarDragCursor { crzbBarDrag = 1041, crzbBarDragCopy = 1042, crzbBarDragNoDrop = 1043 };

// Where a drop at a client point of a bar window goes: the control, whether the point lies on the
// group separator before it, in its first half, and whether the window runs vertically there.
struct TzbBarDropPlace {
  TzbBarItemControl* Control = nullptr;
  bool InSeparator = false;
  bool Before = false;
  bool Vertical = false;
};
TzbBarDropPlace FindDropPlace(const TCustomzbBarControl& window, const TPoint& clientPoint);

// The link selected while customizing (framed in its window), nil when none.
TzbBarItemLink* CustomizingSelectedLink();
void SetCustomizingSelectedLink(TzbBarItemLink* link);
// A link goes: it stops being the selected or the dragged link.
void CustomizingLinkGone(const TzbBarItemLink* link);
// An item goes: a drag of it is cancelled.
void CustomizingItemGone(const TzbBarItem* item);
// Leaving the customizing mode: a running drag is cancelled, the selection cleared.
void EndCustomizingState(TzbBarManager& manager);

// The mouse in a bar window while its manager is customizing at run time; true when the input was
// taken (the window's own handling is then skipped).
bool CustomizingMouseDown(TCustomzbBarControl& window, const TPoint& p, bool rightButton);
bool CustomizingMouseMove(TCustomzbBarControl& window, const TPoint& p);
bool CustomizingMouseUp(TCustomzbBarControl& window, const TPoint& p);
// After a control painted itself while customizing: the selected link gets its frame.
void PaintCustomizingFrame(TCustomzbBarControl& window, TzbBarItemControl& control, const TRect& r);
// After the window's picture went to the screen: the insertion mark of a running drag, inverted.
void PaintDropMark(TCustomzbBarControl& window, QPainter& painter);
// The frame around the selected link: two pixels wide in the button text colour, inside r.
void DrawCustomizingFrame(TCanvas& canvas, const TRect& r);

// One drag of a command or a link.
class TzbBarDragAndDrop {
 public:
  // Starts the drag of item (a command of the customizing form, link nil) or of link (from a bar
  // or menu); nothing when another drag runs. The drag returns at once and goes on with the input.
  static TzbBarDragAndDrop* Begin(TzbBarManager& manager, TzbBarItem* item, TzbBarItemLink* link,
                                  const TPoint& grabPoint);
  static TzbBarDragAndDrop* Current();
  ~TzbBarDragAndDrop();
  TzbBarDragAndDrop(const TzbBarDragAndDrop&) = delete;
  TzbBarDragAndDrop& operator=(const TzbBarDragAndDrop&) = delete;

  // The steps of the drag (the input filter calls them; tests may too).
  void MoveTo(const TPoint& screen);
  void SetCopyMode(bool ctrlDown);  // Ctrl went down or up: the mark and the cursor follow at once
  void Drop();                      // the left button went up
  void Cancel();                    // Esc, or the drag cannot go on

  TzbBarManager& Manager() const { return *fManager; }
  TzbBarItem* Item() const { return fItem; }
  TzbBarItemLink* Link() const { return fLink; }
  int Cursor() const { return fCursor; }
  bool CopyMode() const { return fCopy; }
  TCustomzbBarControl* Target() const { return fTarget; }
  // The place of the insertion mark (its control nil when there is none or it went meanwhile).
  TzbBarDropPlace Mark() const;
  bool MarkShown() const { return fMarkShown; }
  TCustomzbBarControl* MarkWindow() const { return fMarkWindow; }
  // Whether a drop at the mark would change anything.
  bool CanDropAtMark() const;
  // The rectangle the insertion mark covers in its window's client area (empty without mark).
  TRect MarkRect() const;

 private:
  TzbBarDragAndDrop(TzbBarManager& manager, TzbBarItem* item, TzbBarItemLink* link, const TPoint& grabPoint);
  void SetCursor(int cursor);
  void ShowMark(bool show);
  friend void CustomizingLinkGone(const TzbBarItemLink* link);
  void UpdateMark(TCustomzbBarControl* target, const TzbBarDropPlace& place);
  void DoDrop();
  void Finish(bool drop);
  bool FilterInput(void* event);

  TzbBarManager* fManager;
  TzbBarItem* fItem;
  TzbBarItemLink* fLink;
  TPoint fGrab;
  TPoint fLast;
  TCustomzbBarControl* fTarget = nullptr;
  TCustomzbBarControl* fMarkWindow = nullptr;
  TzbBarDropPlace fMark;                // its control is only valid through Mark()
  TzbBarItemLink* fMarkLink = nullptr;  // the link of the mark's control
  bool fMarkShown = false;
  bool fCopy = false;
  bool fMoved = false;
  bool fFinished = false;
  int fCursor = 0;
  int fFilterId = 0;
};

// The entries of the right-click popup of a link while customizing, by their command tags.
enum TzbBarCustomizingCommand {
  ccReset = 0,
  ccDelete = 1,
  ccName = 2,
  ccDefaultStyle = 3,
  ccTextOnlyAlways = 4,
  ccTextOnlyInMenus = 5,
  ccImageAndText = 6,
  ccBeginGroup = 7
};
// Builds and opens the popup for the link at a screen point (its window is the link's window).
void ShowCustomizingPopup(TzbBarItemLink& link, const TPoint& screen);
// The popup's links while it is open (nil otherwise).
TzbBarItemLinks* CustomizingPopupLinks();
void CloseCustomizingPopup();
// Runs a command of the popup on the link; the name command takes text (an empty text is refused
// with a message and changes nothing).
void RunCustomizingCommand(TzbBarItemLink& link, int command, const std::string& text = {});

// What the open customizing form hears of the bar library: a bar's caption or visibility changed,
// an item of a category went. Nothing when no form is open for the manager.
void NotifyCustomizingBarChanged(TzbBar& bar);
void NotifyCustomizingItemRemoved(TzbBarManager& manager);
// The manager's look or its large icons changed: the commands and the options follow.
void NotifyCustomizingLookChanged(TzbBarManager& manager);

// The texts of the customizing mode.
namespace CustomizingTexts {
QString PopupCaption(int command);
QString BlankName();
}  // namespace CustomizingTexts

}  // namespace zyn
