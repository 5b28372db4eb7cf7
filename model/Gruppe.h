#pragma once
// A group of output channels that one link can address together. Members name their output,
// module and control module by internal names.

#include "model/Kanal.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TSteuermodul;
class IModelLookup;

class TGruppenObjekt : public TZYNBaseObject {
 public:
  std::string AdressString;  // module code, module address and channel as "%s.%2.2d.%2.2d"
  std::string Kanal;         // internal name of the output channel
  std::string Modul;         // internal name of its module
  std::string Steuermodul;   // internal name of the control module

  void CopyFrom(const TGruppenObjekt& source);
  void UpdateFrom(const TGruppenObjekt& source);
  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;
};

// The members of a group, keyed by their internal names; owns them.
class TGruppenObjektListe {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  TGruppenObjekt* GetGruppenObjekt(int index) const;
  int IndexOfName(const std::string& name) const;  // without regard to ASCII case
  TGruppenObjekt* Add(std::unique_ptr<TGruppenObjekt> member);
  void Remove(TGruppenObjekt* member);
  void Clear() { fItems.clear(); }
  void CopyFrom(const TGruppenObjektListe& source);
  // Missing members are freed, new ones copied, existing ones updated, the copy's order taken.
  void MergeFrom(const TGruppenObjektListe& copy);

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

 private:
  std::vector<std::unique_ptr<TGruppenObjekt>> fItems;
};

class TGruppe : public TZYNBaseObject {
 public:
  TGruppe() = default;
  ~TGruppe() override;

  int32_t Adresse() const { return fAdresse; }
  void SetAdresse(int32_t value);  // notifies ClientValueChanged before it stores

  std::string Notizen;
  TSteuermodul* Steuermodul = nullptr;  // not owned
  TGruppenObjektListe& Members() { return fMembers; }
  const TGruppenObjektListe& Members() const { return fMembers; }
  TGruppenObjekt* GetGruppenObjekt(int index) const { return fMembers.GetGruppenObjekt(index); }

  void CopyFrom(const TGruppe& source);
  void UpdateFrom(const TGruppe& source);
  void ClearMembers() { fMembers.Clear(); }

  // Takes only outputs with the command list of the first member's module's output 0.
  bool AcceptsKanal(const IModelLookup& lookup, const TKanal& channel) const;
  std::string GetCommonBefehlsListe(const IModelLookup& lookup) const;
  // A module of base class objType moves from oldAddress to newAddress: the address texts of the
  // members on it follow.
  void RefreshMemberAddresses(const IModelLookup& lookup, int stmNummer, int objType, const TRenumberMap& map);
  // A module was deleted: the members on it are removed.
  void ModulDeletedFromMembers(const IModelLookup& lookup, int stmNummer, int objType, int modulAdresse);
  // One generated link per member into dest, each a copy of groupLink aimed at the member.
  void ExpandLink(const IModelLookup& lookup, TKanal* channel, TVerbindungsListe& dest, const TExpandCallback& callback,
                  TVerbindung* groupLink) const;

  void ReadData(TReader& reader) override;
  void WriteData(TWriter& writer) const override;

 private:
  int32_t fAdresse = 0;
  TGruppenObjektListe fMembers;
};

}  // namespace zyn
