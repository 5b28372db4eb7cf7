#pragma once
// The screen manager of the display designer: the display being edited and its current screen,
// and the adding and deleting of screens. Until a display is set it points at a placeholder
// display of its own with one empty start screen.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zyn {

class TBildschirm;
class TBildschirmList;
class TButtonListe;
class TZustandVar;
class TDisplayObjekt;
class TZustandsListe;

class TVerwaltung {
 public:
  TVerwaltung();
  ~TVerwaltung();
  TVerwaltung(const TVerwaltung&) = delete;
  TVerwaltung& operator=(const TVerwaltung&) = delete;

  std::function<void()> OnChangeCurrScreen;

  TDisplayObjekt* CurrentDisplay() const { return fDisplay; }
  TBildschirm* CurrentScreen() const { return fScreen; }
  // Makes the screen current without a notification (the emulator's jump does its own repaint).
  void SetCurrentScreen(TBildschirm* screen) { fScreen = screen; }
  bool HasRealDisplay() const;
  const TZustandsListe& ZustandsListe() const;

  void SetDisplay(TDisplayObjekt* display);
  // Forgets the display; the placeholder takes its place.
  void ClearDisplay();
  void GotoStartScreen();
  void ChangeScreen(TBildschirm* screen);
  // "NeuerBildschirm" + (count of the list + 1).
  TBildschirm* NewScreen(TBildschirmList& list);
  TBildschirm* AddScreen(TBildschirmList& list, const std::string& name);
  // Removes the screen (not the start screen) with everything on and below it; the current
  // screen goes to the start screen first when it is affected. False when it cannot be deleted.
  bool DeleteScreen(TBildschirm* screen);
  std::string CurrentScreenName() const;

 private:
  void Notify();
  std::unique_ptr<TDisplayObjekt> fPlaceholder;
  TDisplayObjekt* fDisplay = nullptr;
  TBildschirm* fScreen = nullptr;
};

// What a dialog that changes keys at once needs to give back on Cancel: the keys of a screen
// and of its objects, and the display's Modified flag.
class TKeySnapshot {
 public:
  TKeySnapshot(TDisplayObjekt& display, TBildschirm& screen);
  ~TKeySnapshot();
  // Puts the keys back and registers their jumps anew.
  void Restore();

 private:
  TDisplayObjekt& fDisplay;
  TBildschirm& fScreen;
  std::unique_ptr<TButtonListe> fDefault;
  std::vector<std::unique_ptr<TButtonListe>> fObjects;
  bool fModified;
};

// The state-text pairs of a display with the pair of every state variable, for Cancel.
class TZustandSnapshot {
 public:
  explicit TZustandSnapshot(TDisplayObjekt& display);
  ~TZustandSnapshot();
  void Restore();

 private:
  TDisplayObjekt& fDisplay;
  std::unique_ptr<TZustandsListe> fPairs;
  int fDefault;
  std::vector<std::pair<TZustandVar*, int>> fIndexes;
  bool fModified;
};

// True when `screen` is `root` or lies below one of root's objects.
bool ScreenContains(const TBildschirm& root, const TBildschirm* screen);

}  // namespace zyn
