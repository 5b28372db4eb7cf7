#include "compiler/ClockTable.h"

#include "compiler/CompileContext.h"
#include "compiler/CompileError.h"
#include "compiler/EACompiler.h"
#include "model/ObjektListen.h"
#include "model/base/Cp1252.h"

namespace zyn {

namespace {

uint8_t CheckedByte(const TUhr& clock, int value, int maximum) {
  if (value < 0 || value > maximum) {
    throw ECompileError(Ansi("Die Schaltuhr \"") + clock.DisplayName() + Ansi("\" hat eine ungültige Schaltzeit (") +
                        std::to_string(value) + Ansi(")."));
  }
  return static_cast<uint8_t>(value);
}

}  // namespace

uint8_t OffDayMask(const TUhr& clock) {
  int mask = clock.AusTage & 0xFF;
  if (clock.EinTage == clock.AusTage) {
    if (clock.AusStunde * 60 + clock.AusMinute < clock.EinStunde * 60 + clock.EinMinute) {
      mask = (clock.AusTage << 1) & 0xFF;
    }
    if (mask & 0x80) mask = (mask & 0x7F) | 1;
  }
  return static_cast<uint8_t>(mask);
}

void BuildClockTable(TCompileContext& context, TBinData& image, TUhrenListe& clocks) {
  if (clocks.Count() > 0xFF) {
    throw ECompileError(Ansi("Das Steuermodul ") + std::to_string(image.StmNummer()) +
                        Ansi(" hat mehr als 255 Schaltuhren."));
  }
  image.Clocks.AppendByte(static_cast<uint8_t>(clocks.Count()));
  TLinkEmitter emitter(context, image);
  for (int i = 0; i < clocks.Count(); ++i) {
    TUhr& clock = *clocks.GetUhr(i);
    const size_t entry = image.Clocks.Length();
    const uint8_t bytes[10] = {CheckedByte(clock, clock.EinTage, 0xFF),
                               CheckedByte(clock, clock.EinStunde, 23),
                               CheckedByte(clock, clock.EinMinute, 59),
                               0,
                               0,
                               (CheckedByte(clock, clock.AusTage, 0xFF), OffDayMask(clock)),
                               CheckedByte(clock, clock.AusStunde, 23),
                               CheckedByte(clock, clock.AusMinute, 59),
                               0,
                               0};
    image.Clocks.AppendBytes(bytes, sizeof bytes);
    emitter.CompileClockLinks(clock, 0, entry);
    emitter.CompileClockLinks(clock, 1, entry);
  }
}

}  // namespace zyn
