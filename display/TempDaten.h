#pragma once
// The tab order of a screen: the objects the panel's cursor visits, by row and column.

#include <cstddef>
#include <vector>

namespace zyn {

class TBildschirm;

struct TTabDaten {
  int IndexInObjektListe = 0;
  int Spalte = 0;
  int Zeile = 0;
};

class TTabListe {
 public:
  std::vector<TTabDaten> Items;

  size_t Count() const { return Items.size(); }
  const TTabDaten& operator[](size_t i) const { return Items[i]; }
  // Texts and state variables with keys, and every value variable, sorted by row, then column.
  void BuildTabList(const TBildschirm& screen);
  // Position of the entry equal to the given one (the last when several are), or -1.
  int FindTab(const TTabDaten& entry) const;
};

}  // namespace zyn
