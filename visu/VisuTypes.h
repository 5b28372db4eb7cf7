#pragma once
// Enumerations shared by the visualisation project, its pages and its controls. Values are
// stored by their ordinal (first value 0); a stored ordinal outside the names is kept as it is.

#include <cstdint>

namespace zyn {

enum class TScreenSize : int32_t { sz800, sz1024, sz1280, sz1600 };
enum class TScreenType : int32_t { stStandard, stTouch };
// Kind of a visualised channel: not given, input, output, feedback, clock, flag.
enum class TKanalArt : int32_t { kaUnknown, kaEingang, kaAusgang, kaRueckmeldung, kaUhr, kaMerker };
enum class TVisuState : int32_t { vsUnknown, vsOff, vsOn };
enum class TTeleType : int32_t { vtNone, vtEinEmu, vtEinEmuPara, vtAusTele, vtAusParaTele, vtRMETele, vtUserTele };
enum class TConnectType : int32_t { ctConnect, ctDisconnect };

}  // namespace zyn
