#pragma once
// The rules of building and keeping links by hand: the endpoints written from the objects of
// the direct-link page, the conditions of a logical link, the hint text of a link, the command
// list an object answers to, the parameter texts of the details dialog, and filing a link back
// into the list of its source object.

#include <string>
#include <vector>

namespace zyn {

class IModelLookup;
class TEABaseFunction;
class TKanal;
class TModul;
class TSteuermodul;
class TSteuermodulListe;
class TVerbindung;
class TZYNBaseObject;
class TLinkEndpoint;

// What an object of the page's grids is as a link endpoint.
enum class TLinkObjectKind { None, ModulKanal, Merker, Uhr, Anzeigetext, Gruppe };
TLinkObjectKind LinkObjectKind(const TZYNBaseObject* object);

// The module that holds the channel in the control module; nullptr when none.
TModul* ModulOfChannel(const TSteuermodul& stm, const TKanal& channel);

// The source endpoint from an input row object (input or feedback channel, flag, clock) of the
// control module and the chosen command; false for another object (nothing written).
bool SetSourceEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                       const TEABaseFunction& command);
// The target endpoint from an output row object (output channel, flag, clock, display text,
// group); also sets the cross-module flag. False for another object.
bool SetTargetEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                       const TEABaseFunction& command);
// The ELSE endpoint from an output channel, flag or display text; false for another object.
bool SetElseEndpoint(TVerbindung& link, const TSteuermodul& stm, const TZYNBaseObject& object,
                     const TEABaseFunction& command);

// The name of the command list an output row object answers to: a group's common list, the
// display-text and flag lists, a channel's own list. Rows are linked together only when this
// name is the same.
std::string OutputCommandListName(const TZYNBaseObject& object, const IModelLookup& lookup);
// The command list name of an input row object (clock and flag: the input lists).
std::string InputCommandListName(const TZYNBaseObject& object);

// --- conditions of a logical link ---

// A logical link takes at most this many conditions.
constexpr int kMaxConditions = 50;

struct TLinkCondition {
  TZYNBaseObject* Object = nullptr;  // not owned
  bool On = true;
};

// The type code of a condition on the object (0 for an object that cannot be a condition).
int ConditionType(const TSteuermodul& stm, const TZYNBaseObject& object);
// "INP.01.02-Taster", "UHR.00.03-Uhr", "MRK.00.05-Licht"; a display text by its name alone.
std::string ConditionCaption(const TSteuermodul& stm, const TZYNBaseObject& object);
// True for objects that may be dropped as a new condition (channels, clocks, flags).
bool AcceptsAsCondition(const TZYNBaseObject* object);
// The stored conditions whose object still exists in the control module, in table order.
std::vector<TLinkCondition> LoadConditions(const TVerbindung& link, const TSteuermodul& stm);
// Writes the conditions (at most kMaxConditions; false and nothing written for more) into a
// cleared table; the kind becomes 2 with an ELSE target, else 1 and the ELSE target removed.
bool WriteConditions(TVerbindung& link, const TSteuermodul& stm, const std::vector<TLinkCondition>& conditions,
                     bool withElse);
// Turns the link into a plain link: ELSE target removed, table cleared, kind 0.
void MakePlainLink(TVerbindung& link);
// Clears the ELSE endpoint's fields as the ELSE text's "Löschen" does.
void ClearElseEndpointFields(TVerbindung& link);

// The hint of a link: WENN, its conditions (UND / ODER), DANN and SONST, lines separated by CR.
std::string LinkHintText(TVerbindung& link);

// --- objects named by endpoints ---

// The control module of that address; nullptr when none.
TSteuermodul* FindStmByAddress(const TSteuermodulListe& list, int address);
// The object a source endpoint names (input channel, or feedback channel, flag, clock).
TZYNBaseObject* FindSourceObject(const TSteuermodulListe& list, const TLinkEndpoint& endpoint);
// The object a target or ELSE endpoint names (output channel, flag, clock, text, group).
TZYNBaseObject* FindTargetObject(const TSteuermodulListe& list, const TLinkEndpoint& endpoint);
// The input channel, feedback channel, clock or flag of the control module that holds the link.
TKanal* LinkHolder(TSteuermodul& stm, const TVerbindung* link);

// All links of the control module that are not hidden: for each module its inputs' links, then
// its feedback channels', then every clock's, then every flag's.
std::vector<TVerbindung*> AllVisibleLinks(TSteuermodul& stm);

// --- parameter texts of the details dialog ---

// "12;34" or "12": the values (an empty part reads 0). False when a part is not a whole number or
// longer than ten characters.
bool ParseParamText(const std::string& text, std::vector<long long>& values);
// The German warning for the text against the expected value count; empty when it is right.
// elseSide picks the ELSE wording of the two-value message.
std::string CheckParamText(const std::string& text, int expected, bool elseSide);
// Stores the values of the text into the side (kept as typed; nothing for a text that does
// not parse).
void StoreParamText(TVerbindung& link, bool elseSide, const std::string& text);

}  // namespace zyn
