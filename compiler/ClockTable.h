#pragma once
// The clock table of a control module: count byte N, then N entries of 10 bytes
//   0 on days, 1 on hour, 2 on minute, 3/4 address of the event-1 list (0 for none),
//   5 off days, 6 off hour, 7 off minute, 8/9 address of the event-0 list (0 for none).

#include <cstdint>

namespace zyn {

class TCompileContext;
class TBinData;
class TUhrenListe;
class TUhr;

// The off-day mask: the off days, except when on and off days are equal: an off time before the
// on time (hours and minutes) moves the off days one day on, Sunday wrapping to Monday.
uint8_t OffDayMask(const TUhr& clock);

// Writes the table of the clocks into the image's clock buffer and compiles their links.
void BuildClockTable(TCompileContext& context, TBinData& image, TUhrenListe& clocks);

}  // namespace zyn
