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
  // "NeuerBildschirm" + (count of the list + 1), or the next number no screen of the display
  // carries yet.
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

// True when `screen` is `root` or lies below one of root's objects.
bool ScreenContains(const TBildschirm& root, const TBildschirm* screen);

}  // namespace zyn
