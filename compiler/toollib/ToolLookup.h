#pragma once
// What the tools ask of the open project when they attach their entries to project objects
// (after loading, after an import) and when a slot decides whether it takes an object. The
// project implements it; look-ups return nullptr (or -1) when there is no match.

#include <string>

namespace zyn {

class TEingang;
class TAusgang;
class TRueckmeldung;
class TMerker;
class TUhr;
class TModul;
class TGruppe;
class TZYNFunction;

class IToolLookup {
 public:
  virtual ~IToolLookup() = default;

  // Objects by internal name, in any control module.
  virtual TEingang* FindEingang(const std::string& internalName) const = 0;
  virtual TAusgang* FindAusgang(const std::string& internalName) const = 0;
  virtual TRueckmeldung* FindRueckmeldung(const std::string& internalName) const = 0;
  virtual TMerker* FindMerker(const std::string& internalName) const = 0;
  virtual TUhr* FindUhr(const std::string& internalName) const = 0;
  virtual TUhr* FindUhrByDisplayName(const std::string& displayName) const = 0;
  virtual TModul* FindModul(const std::string& internalName) const = 0;
  virtual TGruppe* FindGruppe(const std::string& internalName) const = 0;

  // Objects by their numbers: control-module number, module code and module address.
  virtual TModul* FindModulByKennung(int stmNummer, const std::string& kennung, int address) const = 0;
  virtual TMerker* FindMerkerByAddress(int stmNummer, int number) const = 0;
  virtual TUhr* FindUhrByAddress(int stmNummer, int number) const = 0;

  // Tools of the project (project-wide first, then those of every control module).
  virtual TZYNFunction* FindToolByInternalName(const std::string& internalName) const = 0;
  virtual TZYNFunction* FindToolByName(const std::string& functionName) const = 0;

  // Index of a module class in the module catalogue's class list, -1 when it is not listed.
  virtual int ModulClassIndex(const std::string& modulKlasse) const = 0;
};

}  // namespace zyn
