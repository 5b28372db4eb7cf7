#pragma once
// The rules of the module-class editor, apart from its forms: the channel descriptions a class
// shows per kind, and the checks of a class's data and of one description before they are
// stored. A check answers a German text (Windows-1252) naming what is wrong, or nothing.

#include <cstdint>
#include <string>

namespace zyn {

class TModulClass;
class TModulClassList;
class TEABeschreibungsListe;
class TEABeschreibung;

enum class TChannelKind { Eingang, Ausgang, Rueckmeldung };

TEABeschreibungsListe& Descriptions(TModulClass& c, TChannelKind kind);
int32_t ChannelCount(const TModulClass& c, TChannelKind kind);
int32_t& ChannelShift(TModulClass& c, TChannelKind kind);

// Makes sure the class holds a description for each of its channels of that kind: missing ones
// are added with "EA-Default Text", no command list, and the channel number position - 1 for
// inputs, the position for outputs and feedback channels. Descriptions beyond the count stay.
// The number of descriptions added.
int CompleteDescriptions(TModulClass& c, TChannelKind kind);

// Upper bounds of the numbers the editor takes.
constexpr int32_t kMaxChannelCount = 255;
constexpr int32_t kMaxModuleCount = 256;

// The class data as the editor edits them.
struct TClassEdit {
  std::string InternalName, DisplayName, ClassIdent;
  int32_t BaseClass = 0;
  int32_t LimitCount = 0, EinCount = 0, AusCount = 0, RMECount = 0;
};
TClassEdit ClassEditFrom(const TModulClass& c);
// The internal name must be set and unique in the catalogue (without regard to case), the texts
// short texts, the base class one of 0..8 and the numbers within their bounds.
std::string CheckClassEdit(const TModulClassList& list, const TModulClass* self, const TClassEdit& edit);
void ApplyClassEdit(TModulClass& c, const TClassEdit& edit);

// A description's channel number 0..255 and its texts as short texts; the default text set.
std::string CheckDescription(int32_t kanalNummer, const std::string& defaultText, const std::string& funktionen);

}  // namespace zyn
