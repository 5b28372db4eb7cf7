#pragma once
// The object page over one numbered list of a control module (display texts, flags, clocks,
// groups): the working copy is a list of the same class, merged back with the page's observer.

#include "frames/ObjectPage.h"
#include "model/ModelText.h"
#include "model/UniqueNames.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "project/Steuermodul.h"

#include <memory>

namespace zyn {

// The bytes of every item of the list, in order: what the page compares to tell a real change.
template <class ListT>
std::vector<uint8_t> ListItemBytes(const ListT& list) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    for (int i = 0; i < list.Count(); ++i) list.GetItem(i)->WriteData(writer);
    list.Adressen.WriteData(writer);
  }
  return stream.Bytes();
}

inline std::string& RemarksOf(TKanal& item) { return item.Bemerkungen; }
inline std::string& RemarksOf(TAnzeigetext& item) { return item.Bemerkungen; }
inline std::string& RemarksOf(TGruppe& item) { return item.Notizen; }

template <class ListT, class ItemT>
class TListPage : public TObjectPage {
 public:
  using TListMember = ListT TSteuermodul::*;

  TListPage(const char* componentName, const TObjectPageTexts& texts, TListMember member,
            TCustomObserver* (*observer)(), QWidget* parent = nullptr)
      : TObjectPage(componentName, texts, parent), fMember(member), fObserver(observer) {}

  ListT& WorkList() { return fWorkList; }
  ItemT* Item(const TZYNBaseObject* object) const { return dynamic_cast<ItemT*>(const_cast<TZYNBaseObject*>(object)); }
  ItemT* SelectedItem() const { return Item(SelectedObject()); }

 protected:
  void CopyList() override {
    TSteuermodul& stm = *CurrentStm();
    fWorkList.Steuermodul = &stm;
    fWorkList.CopyFrom(stm.*fMember);
  }
  void MergeList() override {
    ListT& target = CurrentStm()->*fMember;
    if (Texts().ReleaseNameOnDelete && GUniqueNames) {
      for (int i = 0; i < target.Count(); ++i)
        if (fWorkList.IndexOfName(target.KeyAt(i)) < 0) GUniqueNames->RemoveName(target.KeyAt(i));
    }
    target.MergeFrom(fWorkList, fObserver ? fObserver() : nullptr);
  }
  void ClearList() override {
    fWorkList.Clear();
    fWorkList.Steuermodul = nullptr;
    ResetList();
  }
  virtual void ResetList() {}
  bool ListDiffers() const override {
    ListT fresh;
    fresh.CopyFrom(CurrentStm()->*fMember);
    return ListItemBytes(fresh) != ListItemBytes(fWorkList);
  }
  int ListCount() const override { return fWorkList.Count(); }
  TZYNBaseObject* ListItem(int index) const override { return fWorkList.GetItem(index); }
  int FirstFree() const override { return fWorkList.Adressen.FirstFree(); }
  TZYNBaseObject* CreateItem(int address, const std::string& name) override {
    auto item = std::make_unique<ItemT>();
    if (GUniqueNames) item->AssignNewName(*GUniqueNames);
    item->SetAdresse(address);
    item->SetDisplayName(name);
    InitNewItem(*item);
    return fWorkList.Add(std::move(item));
  }
  virtual void InitNewItem(ItemT& item) { (void)item; }
  void RemoveItem(TZYNBaseObject* object) override { fWorkList.Remove(Item(object)); }
  int ItemAddress(const TZYNBaseObject* object) const override { return Item(object)->Adresse(); }
  void ChangeItemAddress(TZYNBaseObject* object, int address) override {
    fWorkList.ChangeAddress(Item(object), address);
  }
  std::vector<std::string> AddressItems(const TZYNBaseObject* object, int& selected) const override {
    std::vector<std::string> items;
    selected = fWorkList.Adressen.FreeAddressList(ModelTranslate(Texts().Prefix), 3, items, Item(object)->Adresse());
    return items;
  }
  void MoveItem(const std::string& name, const std::string& beforeName) override {
    // The item goes directly in front of the other one, as its node does in the tree.
    const int from = fWorkList.IndexOfName(name);
    int to = fWorkList.IndexOfName(beforeName);
    if (from < 0 || to < 0 || from == to) return;
    if (from < to) --to;
    if (from != to) fWorkList.MoveByName(name, fWorkList.KeyAt(to));
  }

  std::string ItemRemarks(const TZYNBaseObject* object) const override { return RemarksOf(*Item(object)); }
  void SetItemRemarks(TZYNBaseObject* object, const std::string& text) override { RemarksOf(*Item(object)) = text; }

  ListT fWorkList;

 private:
  TListMember fMember;
  TCustomObserver* (*fObserver)();
};

}  // namespace zyn
