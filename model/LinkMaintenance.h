#pragma once
// Link maintenance over the lists of one control module: when a module, flag, clock, display
// text or group is renumbered or deleted, every link of the control module that refers to it is
// rewritten or removed. The caller runs it for every control module of the project.

#include "model/Kanal.h"

namespace zyn {

class TModulListe;
class TMerkerListe;
class TUhrenListe;
class TTextListe;
class TGruppenListe;
class IModelLookup;

// The lists of one control module (not owned).
struct TStmListen {
  TModulListe* Module = nullptr;
  TMerkerListe* Merker = nullptr;
  TUhrenListe* Uhren = nullptr;
  TTextListe* Texte = nullptr;
  TGruppenListe* Gruppen = nullptr;
};

// Logic-entry type of a module's channels read as inputs: 2 x base class + 1, plus 1 above
// address 15.
int LogicTypeOfModul(int baseClass, int address);
// Logic-entry type of a module's outputs: 17 + base class.
inline int OutputLogicTypeOfModul(int baseClass) { return 17 + baseClass; }

// An object of kind `kind` (base class, 25, 26, 253, 254) in control module `stm` takes a new
// number; announced while it still carries the old one. Group members on a moving module get
// their address texts renewed.
void RenumberInLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int kind, int logicType,
                     int oldNumber, int newNumber);
// Several objects of one kind take new numbers together (a merge of an edited list): every
// reference is rewritten once, by its number before the change.
void RenumberInLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int kind, const TRenumberMap& map);
// A module was deleted: conditions, else targets and targets that refer to it go; so do the
// group members on it. Returns the references found.
int RemoveModulFromLinks(const TStmListen& lists, const IModelLookup& lookup, int stm, int baseClass, int logicType,
                         int address);
// A flag (25), clock (26), display text (253) or group (254) was deleted. Returns the references found.
int ObjectDeletedFromLinks(const TStmListen& lists, int stm, int objType, int number);
int DeleteGeneratedLinks(const TStmListen& lists);
bool RemoveLink(const TStmListen& lists, TVerbindung* link);
bool ContainsLink(const TStmListen& lists, const TVerbindung* link);
// The control module's number changed from oldNumber to newNumber.
void RenumberLinks(const TStmListen& lists, int oldNumber, int newNumber);
void RefreshLinkTexts(const TStmListen& lists, const IModelLookup& lookup);
// Every link of the module, flag and clock lists that targets the object so described.
int FindLinks(const TStmListen& lists, TLinkReport& report, int kind, int stm, int modulAdresse, int number);

}  // namespace zyn
