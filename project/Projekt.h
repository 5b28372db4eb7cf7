#pragma once
// The open project: control modules, project-wide tools, display panels and visualisation, with
// the look-ups across control modules, the propagation of deletions and address changes, and the
// project file in its plain (".zpf") and compressed (".zcf") forms.

#include "compiler/toollib/ToolLookup.h"
#include "model/ModelLookup.h"
#include "model/base/Errors.h"
#include "project/Steuermodul.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zyn {

class TDisplayProjekt;
class TStream;
class TDisplayObserver;
class TVisuProject;
class TBasisDaten;
class TCustomObserver;

struct TProjektDaten {
  TProjektDaten();
  std::string ProjektNummer, ProjektName;
  double AuftragsDatum = 0, ZielDatum = 0;
  std::string Planung, Ausfuehrung, SoftCreated, SoftLast, Remarks;
};

struct TKundenDaten {
  TKundenDaten();
  std::string KundenNr;
  double Angelegt = 0;
  std::string FirmenName, Zusatz, Ansprechpartner, Strasse, PLZ, Ort, Telefon, Fax, Email, Homepage, Bemerkungen;
};

// The current date and time as a day count since 30 December 1899 with the time as fraction.
double NowDateTime();

// A project file that was read only up to a damaged part (named in the message).
class EProjectPartlyRead : public EReadError {
 public:
  using EReadError::EReadError;
};

class TZYNProjekt : public IModelLookup, public IToolLookup {
 public:
  TZYNProjekt();
  ~TZYNProjekt() override;
  TZYNProjekt(const TZYNProjekt&) = delete;
  TZYNProjekt& operator=(const TZYNProjekt&) = delete;

  TFrameSaveData CurrentFrame;
  std::string ProjektGUID;
  std::string FileName;
  bool Modified = false;
  bool Zipped = false;
  TProjektDaten ProjektDaten;
  TKundenDaten KundenDaten;
  TSteuermodulListe Steuermodule;
  TZYNFunktionsListe Tools;  // the project-wide tools
  std::array<std::pair<std::string, int32_t>, 10> Navigation{};

  TDisplayProjekt& DisplayProjekt() { return *fDisplay; }
  TVisuProject& VisuProject() { return *fVisu; }

  // Not owned: the base data answer the command look-ups; the display observer hears of module
  // changes. Either may be absent.
  const TBasisDaten* BasisDaten = nullptr;
  TDisplayObserver* DisplayObserver = nullptr;

  // Asks a Yes (6) / No (7) / Cancel (2) question with the German text (model text); no question
  // means Yes. The user interface shows it as a warning (AskProjectQuestion).
  std::function<int(const std::string& text)> OnQuestion;
  // Called at the steps of a file save (1 temporary file written and flushed, 2 old file copied
  // to the trash, 3 renamed into place); lets tests interrupt a save.
  std::function<void(int step)> OnSaveStep;

  // --- project stream and files ---
  void SaveToWriter(TWriter& writer) const;
  // Reads the project stream. A wrong magic, or a failure anywhere (the tools and the
  // visualisation included), raises EReadError with a German message and leaves the project
  // marked damaged: it then refuses to be saved, so nothing half-read is ever written back.
  // A failure after the project's own data, inside the control modules or a later part, raises
  // EProjectPartlyRead, which names the damaged part; what was read before it stays.
  void LoadFromReader(TReader& reader);
  // Takes a partly read project as a new one: it forgets its file (a save asks for a new name, so
  // the damaged file is never replaced unasked), counts as changed and may be saved.
  void KeepReadParts();
  bool Damaged() const { return fDamaged; }

  void LoadProjectFile(const std::string& name);
  void LoadZippedProjectFile(const std::string& name);
  // Plain form. With ask set an existing file is only replaced after the question says Yes;
  // the result is false for No and Cancel. The file is replaced safely: the new content goes
  // to a temporary file that is flushed and renamed over the old one, and the old content is
  // copied to the trash first. EWriteError when the file cannot be written.
  bool SaveProjectFile(const std::string& name, bool ask);
  // Compressed form (zlib, level 9); replaces the file safely, never asks, no trash.
  void SaveZippedProjectFile(const std::string& name);
  // The stream bytes of both forms.
  std::vector<uint8_t> StreamBytes() const;
  std::vector<uint8_t> ZippedBytes() const;

  // True when the file starts with the magic "ZYN3" or "ZYN2" (inflated first when compressed);
  // EReadError when the file cannot be opened.
  static bool IsProjectFile(const std::string& name, bool compressed);

  // Attaches the objects named in the tools of every control module, then in the project-wide tools.
  void CheckAfterLoad();

  // --- look-ups across the control modules ---
  TAnzeigetext* FindText(int stm, int address) const;
  TAusgang* FindAusgang(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  TEingang* FindEingang(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  TRueckmeldung* FindRueckmeldung(const std::string& name, TSteuermodul** stm, TModul** modul) const;
  TGruppe* FindGruppe(const std::string& name, TSteuermodul** stm) const;
  TMerker* FindMerkerByAddress(int stm, int address) const override;
  TMerker* FindMerker(const std::string& name, TSteuermodul** stm) const;
  TMerker* FindMerkerByDisplayName(const std::string& text, TSteuermodul** stm) const;
  TModul* FindModul(const std::string& name, TSteuermodul** stm) const;
  TUhr* FindUhr(const std::string& name, TSteuermodul** stm) const;
  TUhr* FindUhrByDisplayName(const std::string& text, TSteuermodul** stm) const;
  int GetAusgangsCount() const;
  int GetEingangsCount() const;
  int GetObjectCount() const { return GetAusgangsCount() + GetEingangsCount(); }
  int FindLinks(TLinkReport& report, int kind, int stm, int modulAdresse, int number) const {
    return Steuermodule.FindLinks(report, kind, stm, modulAdresse, number);
  }
  bool BuildModuleTables(std::vector<std::string>& messages);

  // --- propagation into every control module ---
  void GruppeDeleted(int stm, const TGruppe& gruppe);
  void MerkerDeleted(int stm, const TMerker& merker);
  void UhrDeleted(int stm, const TUhr& uhr);
  void TextDeleted(int stm, const TAnzeigetext& text);
  void ModulDeleted(int stm, const TModul& modul);
  // kind: the module's base class, or 25, 26, 253, 254; modul only for a module.
  void ObjectAddressChanged(int stm, int kind, const TModul* modul, int oldAddress, int newAddress);
  // Several objects of one kind in control module stm took new numbers together: every link,
  // group member and visualisation binding is rewritten once, by its number before the change.
  // The map's Object names the module for a module kind.
  void ObjectAddressesChanged(int stm, int kind, const TRenumberMap& map);

  // --- observers ---
  void AttachModulObserver(TCustomObserver* o);
  void AttachUhrenObserver(TCustomObserver* o);
  void AttachMerkerObserver(TCustomObserver* o);
  void AttachTextObserver(TCustomObserver* o);
  void AttachGruppenObserver(TCustomObserver* o);
  void DetachModulObserver(TCustomObserver* o);
  void DetachUhrenObserver(TCustomObserver* o);
  void DetachMerkerObserver(TCustomObserver* o);
  void DetachTextObserver(TCustomObserver* o);
  void DetachGruppenObserver(TCustomObserver* o);

  // --- tools: the project-wide tools first, then those of every control module in order ---
  TZYNFunction* FindToolByInternalName(const std::string& internalName) const override;
  TZYNFunction* FindToolByName(const std::string& functionName) const override;

  // Removes the tool from the list that holds it (a control module's or the project-wide tools)
  // and clears every sub-tool reference to it in all tools of the project. False when the
  // project holds no such tool.
  bool DeleteTool(const TZYNFunction* tool);

  // --- IToolLookup ---
  TEingang* FindEingang(const std::string& name) const override { return FindEingang(name, nullptr, nullptr); }
  TAusgang* FindAusgang(const std::string& name) const override { return FindAusgang(name, nullptr, nullptr); }
  TRueckmeldung* FindRueckmeldung(const std::string& name) const override {
    return FindRueckmeldung(name, nullptr, nullptr);
  }
  TUhr* FindUhrByDisplayName(const std::string& text) const override { return FindUhrByDisplayName(text, nullptr); }
  TGruppe* FindGruppe(const std::string& name) const override { return FindGruppe(name, nullptr); }
  TUhr* FindUhrByAddress(int stm, int number) const override;
  int ModulClassIndex(const std::string& modulKlasse) const override;

  // --- IModelLookup ---
  int StmNummerByName(const std::string& stmName) const override;
  TModul* FindModulInStm(const std::string& stmName, const std::string& modulName) const override;
  TAusgang* FindAusgangInStm(const std::string& stmName, const std::string& kanalName) const override;
  TModul* FindModul(const std::string& modulName) const override { return FindModul(modulName, nullptr); }
  TEingang* FindEingang(const std::string& name, TModul** modul) const override {
    return FindEingang(name, nullptr, modul);
  }
  TAusgang* FindAusgang(const std::string& name, TModul** modul) const override {
    return FindAusgang(name, nullptr, modul);
  }
  TMerker* FindMerker(const std::string& name) const override { return FindMerker(name, nullptr); }
  TUhr* FindUhr(const std::string& name) const override { return FindUhr(name, nullptr); }
  TGruppe* FindGruppeByAddress(int stm, int number) const override;
  TModul* FindModulByKennung(int stm, const std::string& kennung, int address) const override;
  bool FindCommand(const std::string& listName, int command, TCommandTexts& result) const override;

 private:
  // The safe save of a project file: the contents written by `produce` replace the file only when
  // they are complete on disk; with trashOld a copy of the former file goes to the trash first.
  void SaveBytes(const std::string& name, const std::function<void(TStream&)>& produce, bool trashOld);
  void WriteStream(TStream& stream, size_t buffer) const;
  template <class F>
  void ForEachObject(F f);
  template <class F>
  void ForEachToolList(F f);

  std::unique_ptr<TDisplayProjekt> fDisplay;
  std::unique_ptr<TVisuProject> fVisu;
  bool fDamaged = false;
};

}  // namespace zyn
