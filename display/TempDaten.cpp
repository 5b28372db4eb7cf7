#include "display/TempDaten.h"

#include "display/Daten.h"

#include <algorithm>

namespace zyn {

void TTabListe::BuildTabList(const TBildschirm& screen) {
  Items.clear();
  for (size_t i = 0; i < screen.Objekte.Count(); ++i) {
    const TBasis& o = screen.Objekte[i];
    const bool withKeys = (o.Art() == TObjektArt::Text || o.Art() == TObjektArt::ZustandVar) && !o.Buttons.Empty();
    if (withKeys || o.Art() == TObjektArt::WertVar) Items.push_back({static_cast<int>(i), o.Spalte(), o.Zeile()});
  }
  std::stable_sort(Items.begin(), Items.end(), [](const TTabDaten& a, const TTabDaten& b) {
    return a.Zeile != b.Zeile ? a.Zeile < b.Zeile : a.Spalte < b.Spalte;
  });
}

int TTabListe::FindTab(const TTabDaten& entry) const {
  for (size_t i = Items.size(); i-- > 0;) {
    const TTabDaten& t = Items[i];
    if (t.Zeile == entry.Zeile && t.Spalte == entry.Spalte && t.IndexInObjektListe == entry.IndexInObjektListe)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zyn
