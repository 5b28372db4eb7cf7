#pragma once
// The parameters of a link's THEN side (the target) and ELSE side: what the parameter form shows
// for each parameter kind, how the values of the form are stored in the link, how a stored
// parameter fills the form again, and the short texts the link lists print.
//
// The form itself is a widget (TFrmParameter); everything it needs to know is in
// TParameterForm, so the rules can be used and checked without a window.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TVerbindung;
class TEABaseFunction;

enum TLinkSide { lsThen = 0, lsElse = 1 };

// Parameter kinds (the command's Dialog).
enum TParamKind {
  pkNone = 0,
  pkSeconds = 1,         // t in seconds
  pkDimValueTime = 2,    // dim value and adjust time
  pkSeconds160 = 3,      // seconds up to 160
  pkPosition = 4,        // position 0..255
  pkPrioLockRun = 5,     // priority, lock, run time
  pkPrioLevel = 6,       // priority level
  pkPrioOffsetRun = 7,   // priority, offset and run time
  pkPrioOffsetTip = 8,   // priority, offset, run and tip time
  pkPrioLockTenths = 9,  // priority, lock, time in tenths
  pkRunTime = 10,        // run time, stored times 10
  pkPrioSet = 11,        // a set of priority levels
  pkTenths = 12,         // tenths of a second
  pkDelayDim = 13,       // delay, dim angle and dim time
};

constexpr double kDimFactor = 1.5625;

// The integer nearest to x, a value exactly halfway going to the even neighbour.
int Nearest(double x);
// Level 0..5 as the mask with bits 0..level set (1, 3, 7, 15, 31, 63); 0 for other levels.
int PriorityMaskOfLevel(int level);
// The level of exactly one of the six level masks; -1 for any other value.
int PriorityMaskIndex(int mask);
// "n; " for every set bit n of bits 0 to 5, ascending ("0; 2; " for 5); empty without any.
std::string PriorityLevelText(int mask);

// One spin edit of the form: its range and value.
struct TParamSpin {
  int Min = 0;
  int Max = 100;
  int Value = 0;
  void Clamp();
  bool InRange(int v) const { return v >= Min && v <= Max; }
};

// The fields of a command's parameter text: "caption;unit;minimum;maximum". A text without ";"
// is the caption alone; a range is taken only when both numbers are whole numbers with
// minimum <= maximum.
struct TParaFields {
  std::string Caption;
  std::string Unit;
  bool HasRange = false;
  int Min = 0;
  int Max = 0;
};
TParaFields ParseParaText(const std::string& paraText);

// Everything the parameter form shows and returns. Spin, radio and check indexes follow the
// controls of the form (SpinEdit1..14, RadioGroup1..4, CheckBox1..3, the six level boxes).
struct TParameterForm {
  int Page = 0;                                                           // 0..8
  std::string Label1, Label2, Label3, Label4, Label10, Label11, Label24;  // model text
  std::string Label5;  // the unit of the dim value (page 1); empty when the command names none
  std::array<TParamSpin, 15> Spin{};                                      // [1]..[14]
  std::array<int, 5> Radio{};                                             // [1]..[4]: level 0..5, -1 none
  std::array<bool, 4> Check{};                                            // [1]..[3]
  std::array<bool, 6> Levels{};                                           // the boxes "0" to "5"

  // The form as it is made: every range and initial value.
  TParameterForm();
  // Every spin value into its range.
  void ClampAll();
};

// The page a parameter kind uses; -1 for a kind without a page.
int ParameterPage(int kind);
// The spin edit that holds the value a command's range limits (0 for kinds without one).
int RangedSpin(int kind);
// The unit shown beside a spin edit of the form (for the range named in a refusal).
std::string SpinUnit(const TParameterForm& form, int spin);
// "Bitte geben Sie einen Wert von 1 bis 65535 Sekunden ein." for a value outside the spin's range.
std::string RangeRefusal(const TParameterForm& form, int spin, int typed);

// Prepares the form for a new parameter of that kind. paraText completes the prompts ("%s").
// False for a kind that has no page (nothing to ask).
bool PrepareNewParameter(int kind, const std::string& paraText, TParameterForm& form);
// Stores the values of the form as the side's new parameter of that kind (kind, factor, word,
// extended block, unit caption, the has-parameter flag set).
void StoreNewParameter(TVerbindung& link, TLinkSide side, int kind, const std::string& paraText,
                       const TParameterForm& form);
// The side's parameter as a command demands it: no command or a Dialog below 1 clears the flag
// and the word (false: nothing to ask); otherwise the flag is set and the form prepared (false
// for a kind without a page or above maxKind: nothing more is stored).
bool BeginLinkParameter(TVerbindung& link, TLinkSide side, const TEABaseFunction* command, int maxKind,
                        TParameterForm& form);

// True for the kinds whose stored value is changed through the form (2, 5 to 11, 13).
bool ChangeableByForm(int kind);
// Fills the form from the side's stored parameter; false when its kind is not changed that way.
bool PrepareChangeParameter(TVerbindung& link, TLinkSide side, TParameterForm& form);
// Stores the changed values: as for a new parameter, but kind 5 keeps the factor 1.0 on both
// sides and kinds 6, 7, 8 and 11 keep their unit caption.
void StoreChangedParameter(TVerbindung& link, TLinkSide side, const TParameterForm& form);

// The short text of the side's parameter, " < text > " when bracketed and not empty. A factor of
// 0 (older files) is first replaced by 1.0 in the link.
std::string LinkParameterText(TVerbindung& link, TLinkSide side, bool bracketed);

// The fields of the extended block of one side.
struct TExtendedParams {
  int PriorityMask = 0;
  int Flag = 0;
  int TimeLength = 0;
  std::array<int, 3> Times{};
};
TExtendedParams GetExtendedParams(const TVerbindung& link, TLinkSide side);
void SetExtendedParams(TVerbindung& link, TLinkSide side, const TExtendedParams& params);

// The two parameter bytes of a tool slot for the command (kinds 1 to 4): the form's value as
// low and high byte. False for a kind below 1; kinds above 4 need no form.
bool PrepareCommandParameter(const TEABaseFunction& command, TParameterForm& form);
void StoreCommandParameter(int kind, const TParameterForm& form, uint8_t bytes[2]);

// "5-30" from the range page (page 7).
std::string RangeText(const TParameterForm& form);

}  // namespace zyn
