#pragma once
// The rules of the designer's screen view without any drawing: panel geometry, the placement
// test, the hit test, the layout of the function-key bar, the names of new objects, lines made by
// two clicks, the emulator's cursor and key look-up, and the view colours from "Display.ini" and
// from the options.

#include "display/Daten.h"
#include "display/TempDaten.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

class TDisplayObjekt;

constexpr int PanelWidth = 240;
constexpr int PanelHeight = 128;
constexpr int TextAreaHeight = 104;
constexpr int KeyFieldWidth = 60;

// A colour as 0x00RRGGBB.
using TRgb = uint32_t;
constexpr TRgb Rgb(int r, int g, int b) { return static_cast<TRgb>((r << 16) | (g << 8) | b); }

// ------------------------------------------------------------------------------------------------
// Placement and hit test

// May the object stand at (x, y) among the objects (itself skipped)?
bool CanPlace(const TBasis& object, int x, int y, const TBildschirmObjekteList& objects);
// The same with an explicit size (for probes that are no object of the list).
bool CanPlace(TObjektArt art, const TBasis* self, int x, int y, int w, int h, const TBildschirmObjekteList& objects);

// Hit-test kinds.
enum THitKind : int { hkNone = 0, hkZustandVar = 1, hkGrafik = 2, hkText = 3, hkLine = 4 };
struct THit {
  TBasis* Object = nullptr;
  int Index = -1;
  int Kind = hkNone;
};
// The last object in list order under the display pixel (X, Y); coordinates are taken as bytes.
THit ObjectAt(int x, int y, const TBildschirmObjekteList& objects);

// ------------------------------------------------------------------------------------------------
// Function-key bar

struct TKeyBarLayout {
  int Top = 104;    // 104 (one row) or 96 (two rows)
  int Height = 24;  // 24 or 32
  struct Field {
    const TFunktButton* Key;
    int Column;  // 0 to 3 for F1 to F4
  };
  std::vector<Field> Fields;  // in list order
};

// Lays the bar out: sets the list's EineZeile and the position and length of every label (the
// compiler reads them), and answers the bar's place and the column of every key.
TKeyBarLayout LayoutKeyBar(TButtonListe& keys);
// x of a label of the given length in column k.
int KeyLabelX(int column, int length);

// ------------------------------------------------------------------------------------------------
// Objects made by the view

// base + the number of objects on the screen before the addition: "Text3".
std::string NewObjectName(const std::string& base, const TBildschirm& screen);
// Appends the object under that name and marks the display modified.
TBasis* AppendObject(TDisplayObjekt& display, TBildschirm& screen, const std::string& base,
                     std::unique_ptr<TBasis> object);

// A line from two clicks in display pixels: horizontal when |dy| < |dx|, else vertical.
void LineFromClicks(TLine& line, int x1, int y1, int x2, int y2);

// Cell-snapped positions of a drop.
inline int SnapColumn(int x) { return 6 * (x >= 0 ? x / 6 : (x - 5) / 6); }
inline int SnapRow(int y) { return 8 * (y >= 0 ? y / 8 : (y - 7) / 8); }

// The width of a state variable showing the given pair: 6 x the longer text.
int ZustandVarWidth(const TZustandsListe& pairs, int index);
// The text a state variable shows: the on-text when on, else the off-text; empty for a bad index.
std::string ZustandVarText(const TZustandsListe& pairs, int index, bool on);

// Text entry: after a character was appended at caret column x (display pixels), does the entry
// end? It ends at the right edge and in front of any object.
bool TextEntryEnds(const TBildschirmObjekteList& objects, int caretX, int caretY);

// ------------------------------------------------------------------------------------------------
// Emulator

class TViewCursor {
 public:
  bool HasSelection() const { return fHasSelection; }
  const TTabDaten& SelectedObject() const { return fSelected; }
  int CursorLaenge = 0;
  int CursorHoehe = 0;
  int X = 0;
  int Y = 0;

  void ResetCursor(const TBildschirm& screen);
  void NextObject(const TBildschirm& screen);
  void PreviousObject(const TBildschirm& screen);
  void Forget() { fHasSelection = false; }
  // The selected object of the screen, or nothing.
  TBasis* Selected(const TBildschirm& screen) const;

  TTabListe& TabOrderListe() { return fTabs; }

 private:
  void Step(const TBildschirm& screen, int direction);
  void TakePosition(const TBildschirm& screen);
  TTabListe fTabs;
  TTabDaten fSelected;
  bool fHasSelection = false;
};

// The key the emulator acts on: the screen's default key of that name, else the selected object's.
TFunktButton* FindEmulatorKey(const TBildschirm& screen, const TBasis* selected, const std::string& name);
// The screen a key jumps to, or nothing (no jump, or the target is gone).
TBildschirm* JumpTarget(const TDisplayObjekt& display, const TFunktButton* key);

// ------------------------------------------------------------------------------------------------
// Colours

struct TViewColours {
  TRgb DisplayColor = Rgb(205, 205, 220);
  TRgb DisplayColorLight = Rgb(238, 238, 255);
};
// The colour scheme number (0 to 2) of "Display.ini" (section "Options", key "Color"); any other
// value reads as 0. The file is written back with the value it was read with.
int ReadDisplayIniColour(const std::string& fileName);
TViewColours ViewColoursOfScheme(int scheme);
// The designer's colour from the options' DispColor and DispKontrast.
TRgb DisplayColorFromOptions(int dispColor, int dispKontrast);

}  // namespace zyn
