#pragma once
// What the model asks of the open project and the base data: look-ups across control modules by
// internal name or number, and the commands of the command lists. The project implements it; the
// operations that need it take it as an argument.

#include <string>

namespace zyn {

class TModul;
class TEingang;
class TAusgang;
class TMerker;
class TUhr;
class TGruppe;

// Display and internal name of one command of a command list.
struct TCommandTexts {
  std::string DisplayName;
  std::string InternalName;
};

class IModelLookup {
 public:
  virtual ~IModelLookup() = default;

  // Control-module number (address) of the control module with that internal name; -1 when none.
  virtual int StmNummerByName(const std::string& stmName) const = 0;
  // The module with that internal name in the control module with that internal name.
  virtual TModul* FindModulInStm(const std::string& stmName, const std::string& modulName) const = 0;
  // The output with that internal name among the modules of the control module with that name.
  virtual TAusgang* FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const = 0;
  // The module with that internal name in any control module, in project order.
  virtual TModul* FindModul(const std::string& modulName) const = 0;
  // Channels by internal name in any control module; the module that holds the channel is handed
  // back through `modul` when given.
  virtual TEingang* FindEingang(const std::string& name, TModul** modul) const = 0;
  virtual TAusgang* FindAusgang(const std::string& name, TModul** modul) const = 0;
  virtual TMerker* FindMerker(const std::string& name) const = 0;
  virtual TUhr* FindUhr(const std::string& name) const = 0;
  // Objects by number inside the control module with that number.
  virtual TGruppe* FindGruppeByAddress(int stmNummer, int number) const = 0;
  virtual TMerker* FindMerkerByAddress(int stmNummer, int number) const = 0;
  virtual TModul* FindModulByKennung(int stmNummer, const std::string& kennung, int address) const = 0;
  // The first command of the named command list (name compared without regard to case) whose
  // command number is `command`; false when the list or the command is missing.
  virtual bool FindCommand(const std::string& listName, int command, TCommandTexts& result) const = 0;
};

}  // namespace zyn
