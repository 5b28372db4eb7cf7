#pragma once
// Loading the dimmer curves into the dimmer and analog modules of a control module: for every
// output a parameter block of the output's 16-byte header and its 256-byte curve, sent in 17
// telegrams. Output 0 takes the module's left curve, output 1 the right one; further outputs
// take the curve prepared for the output before. Modules of the classes "DIM_AN" and "DIM_SAN"
// get the curve mirrored and inverted. The link is open and addressed to the control module.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace zyn {

class TAusgang;
class TModul;
class TSteuermodul;
class TZYNComm;
class TZYNKennlinienListe;

using TCurve = std::array<uint8_t, 256>;
using TParameterBlock = std::array<uint8_t, 280>;

// The modules that take curves: Dimmerzusatz or Analogzusatz set.
bool TakesCurves(const TModul& modul);
// The outputs of all such modules of the control module.
int CurveOutputCount(const TSteuermodul& stm);
// new[k] = 255 - old[255 - k].
void MirrorAndInvert(TCurve& curve);
bool NeedsMirroredCurve(const TModul& modul);

struct TCurveTransferEvents {
  // Before an output: the module, the output number and its channel.
  std::function<void(const TModul& modul, int output)> OnOutput;
  // A result line (translated, Windows-1252).
  std::function<void(const std::string& line)> OnLine;
};

struct TCurveTransferResult {
  int Outputs = 0;
  int Errors = 0;
};

// Sends the curves of every output of every curve-taking module of stm, in module-list and
// output-list order, and writes one line per output and the closing line with the error count.
// An output whose curve number is not in the curve list counts as failed with its own line; the
// run goes on.
TCurveTransferResult TransferDimmerCurves(TZYNComm& comm, TSteuermodul& stm, const TZYNKennlinienListe& curves,
                                          const TCurveTransferEvents& events);

}  // namespace zyn
