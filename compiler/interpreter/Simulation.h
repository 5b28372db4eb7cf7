#pragma once
// The presence simulation: a tool of the group "SIMULATIONEN" is not scripted; its links (random
// switching times of a clock, the input flag of the enabling input, and per output an on-delay
// and an off-delay) are built directly from its variables "UHR", "EINGANG", "AUSGANG" and
// "AUSGANGA".

namespace zyn {

class TZYNFunction;
struct TExpandContext;

// Raises EZYNError when an object behind the variables has no module or control module, or an
// output entry carries no valid "#on-off" minutes.
void ExpandSimulation(TZYNFunction& tool, const TExpandContext& context);

}  // namespace zyn
