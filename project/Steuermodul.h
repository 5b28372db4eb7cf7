#pragma once
// A control module ("Steuermodul", bus address 0 to 3) with everything programmed into it, and
// the project's list of at most four of them.

#include "compiler/toollib/FunktionsListe.h"
#include "model/BaseObject.h"
#include "model/LinkMaintenance.h"
#include "model/ModulListe.h"
#include "model/ObjektListen.h"
#include "model/ZYNListe.h"

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class IModelLookup;
class IToolLookup;

constexpr int kMaxModuleTable = 64;

// The page shown with a project.
struct TFrameSaveData {
  int32_t GroupIndex = 0;
  int32_t ItemIndex = 0;
  std::string FrameName;
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
};

// Reads a tool list of the project stream. A defective tool or a list that cannot be read to its
// end raises EReadError: the heading (which names the list), then every defective tool.
void ReadToolList(TReader& reader, TZYNFunktionsListe& tools, const std::string& heading);

class TSteuermodul : public TZYNBaseObject {
 public:
  TSteuermodul();
  ~TSteuermodul() override;

  int32_t Adresse() const { return fAdresse; }
  void SetAdresse(int32_t value) { fAdresse = value; }
  std::string Bemerkungen;
  bool DCF77 = false;

  TModulListe Module;
  TMerkerListe Merker;
  TUhrenListe Uhren;
  TTextListe Texte;
  TGruppenListe Gruppen;
  TZYNFunktionsListe Tools;  // the tools placed in this control module

  // The compiler's module table: count byte, then one key byte per module.
  std::array<uint8_t, 1 + kMaxModuleTable> ModuleTable{};

  int EingangsCount() const;
  int AusgangsCount() const;
  TStmListen Listen();

  // Base data, remarks, DCF77, address and deep copies of the lists; no tools, no links kept by
  // the lists' own CopyFrom rules.
  void CopyFrom(const TSteuermodul& source);
  void UpdateFrom(const TSteuermodul& source) { UpdateFrom(source, nullptr, nullptr, nullptr, nullptr, nullptr); }
  void UpdateFrom(const TSteuermodul& source, TCustomObserver* modulObserver, TCustomObserver* merkerObserver,
                  TCustomObserver* uhrenObserver, TCustomObserver* textObserver, TCustomObserver* gruppenObserver);

  // Fills ModuleTable. False with a German message when the control module holds more modules
  // than the table takes; the table is then left empty.
  bool BuildModuleTable(std::string& message);

  TGruppe* FindGruppe(const std::string& name) const { return Gruppen.FindByInternalName(name); }
  TMerker* FindMerkerByAddress(int address) const { return Merker.FindByAddress(address); }
  TMerker* FindMerker(const std::string& name) const { return Merker.FindByInternalName(name); }
  TMerker* FindMerkerByDisplayName(const std::string& text) const;
  TModul* FindModul(const std::string& name) const;
  TUhr* FindUhr(const std::string& name) const { return Uhren.FindByInternalName(name); }
  TUhr* FindUhrByDisplayName(const std::string& text) const;
  TModul* FindModulByKey(int key) const;
  TAnzeigetext* FindText(int address) const { return Texte.FindByAddress(address); }
  int FindLinks(TLinkReport& report, int kind, int stm, int modulAdresse, int number);
  // Attaches the project objects named in the tools (after a project was read).
  void CheckTools(const IToolLookup& lookup) { Tools.CheckAfterLoad(lookup); }

  // "STM.00" .. "STM.03", translated.
  std::string GetAddressText() const;
  bool ContainsLink(const TVerbindung* link);
  void RenumberInLinks(const IModelLookup& lookup, int stm, int kind, int logicType, int oldNumber, int newNumber);
  void RenumberInLinks(const IModelLookup& lookup, int stm, int kind, const TRenumberMap& map);
  int RemoveModulFromLinks(const IModelLookup& lookup, int stm, int baseClass, int logicType, int address);
  void RefreshLinkTexts(const IModelLookup& lookup);
  void RenumberLinks(int formerNumber);

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

  // True once the record's name, remarks and a valid address were read.
  bool HeaderRead() const { return fHeaderRead; }

 private:
  void SetBackRefs();
  int32_t fAdresse = 0;
  bool fHeaderRead = false;
};

class TSteuermodulListe : public TZYNListeOf<TSteuermodul> {
 public:
  TSteuermodulListe() { Adressen.SetRange(0, 3); }
  TSteuermodul* GetSteuermodul(int index) const { return GetItem(index); }
  // Exact comparison of the internal name.
  TSteuermodul* FindByName(const std::string& name) const;
  TModul* FindModul(const std::string& name, TSteuermodul** steuermodul) const;
  int FindLinks(TLinkReport& report, int kind, int stm, int modulAdresse, int number) const;
  // A control module whose record breaks off after its address is kept with what was read of it
  // (for the rescue of a damaged project); the read error goes on to the caller.
  void ReadData(TReader& reader) override;

 protected:
  bool FreesListedItems() const override { return false; }
};

}  // namespace zyn
