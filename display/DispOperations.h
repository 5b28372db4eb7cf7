#pragma once
// Model operations the display designer's dialogs call: key telegrams, fitting widths, menu
// pages, state-text pairs and line coordinates.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TBasis;
class TBildschirm;
class TButtonListe;
class TDispFunctions;
class TDisplayObjekt;
class TDispUniqueNames;
class TFunktButton;
class TLine;
class TText;
class TVarVerbindung;
class TZustandVar;

// The THEN parameter of an output command as the link parameter dialog leaves it.
struct TTelegrammParameter {
  int Kind = 0;                    // parameter kind 1 to 13
  int PriorityMask = 0;            // 1, 3, 7, 15, 31 or 63
  bool ReservedBit = false;        // bit 7 of the flags byte
  bool FlagBit = false;            // bit 6 of the flags byte
  int Value = 0;                   // 16-bit value
  std::array<uint8_t, 6> Block{};  // parameter value block (kinds 7 and 8)

  uint8_t Flags() const {
    return static_cast<uint8_t>((PriorityMask & 0xFF) | (ReservedBit ? 0x80 : 0) | (FlagBit ? 0x40 : 0));
  }
};

// BefehlsArt of an output command: 2 for command 2, 3 for 3, 1 for 6, else 0.
uint8_t BefehlsArtOf(int commandNumber);

// The output telegram of a state variable's key (link kind otAusgang): control module, length,
// module byte, channel and command, then the parameter bytes. Without parameter 5 bytes.
void BuildOutputTelegram(const TVarVerbindung& link, int commandNumber, const TTelegrammParameter* parameter,
                         TDispFunctions& function);

// The input-emulation telegram of a text's key (link kind otEingang): 4 bytes.
void BuildInputTelegram(const TVarVerbindung& link, int commandNumber, TDispFunctions& function);

// Columns free to the right of an object: up to the nearest object on its right in the same
// rows, else up to rightEdge (234 for state variables, 240 for texts).
int AvailableColumns(const TBildschirm& screen, const TBasis& object, int rightEdge);

// Gives a state variable another pair when its longer text fits; false (nothing changed) when
// it does not fit or the index names no pair.
bool ApplyZustandPair(const TDisplayObjekt& display, const TBildschirm& screen, TZustandVar& variable, int index);

// Proposed name of a text's next menu page: its characters 33 to 125 and the special characters
// the panel shows (umlauts among them), then the page number.
std::string ProposedMenuScreenName(const TText& text);

// True when a screen of the display, at any depth, has that name.
bool ScreenNameUsed(const TDisplayObjekt& display, const std::string& name);
// base + the first number from `first` on that no screen of the display carries.
std::string FreeScreenName(const TDisplayObjekt& display, const std::string& base, size_t first);

// The number of screens below an object: its menu pages and theirs, at any depth.
size_t CountScreensBelow(const TBasis& object);

// Deletes an object from its screen. Its menu pages go with it, and with them every key of the
// display that jumps into them; the reference table and the navigation are rebuilt. False when
// the object is not on the screen.
bool DeleteScreenObject(TDisplayObjekt& display, TBildschirm& screen, TBasis* object);

// Adds a key that jumps to the screen `target`, labelled `label`.
TFunktButton* AddJumpKey(TButtonListe& keys, const std::string& name, const std::string& label,
                         const std::string& target);

// Adds a menu page to a text. The first page needs the entry key ("F2" or "F3") the text gets
// to jump to it; a further page is chained behind the last page by its "F4" key. Every new
// page gets "F1" back. Returns the new screen, or nothing (and changes nothing) when the name is
// empty, the first page has no entry key or the text already holds that key, or a further page
// finds no last page.
TBildschirm* AddMenuPage(TDisplayObjekt& display, TDispUniqueNames& names, TBildschirm& textScreen, TText& text,
                         const std::string& screenName, const std::string& entryKey, const std::string& entryLabel,
                         const std::string& backText, const std::string& forwardText);

// A pair can be deleted when the list holds two or more, it is not the first and no state
// variable of the display uses it.
bool CanDeleteZustand(const TDisplayObjekt& display, int index);
// Deletes the pair and renumbers the state variables above it; false when it cannot be deleted.
bool DeleteZustand(TDisplayObjekt& display, int index);

// Sets a line from the coordinates of the line dialog (pixels counted from 1): a vertical line
// at column xs, a horizontal line in row ys, covering both end points in either order.
void SetLineFromPoints(TLine& line, bool vertical, int xs, int ys, int xe, int ye);

}  // namespace zyn
