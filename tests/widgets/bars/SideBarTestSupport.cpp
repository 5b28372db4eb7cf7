#include "SideBarTestSupport.h"

#include "model/base/Cp1252.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarViewInfo.h"

#include <QPainter>

namespace zyn::test {

const std::vector<TSampleGroup>& SampleGroups() {
  static const std::vector<TSampleGroup> groups = [] {
    const char* captions[] = {"Übersicht", "Bauteile", "Abläufe", "Ansichten", "Übergabe", "Wartung"};
    const int itemCounts[] = {2, 10, 4, 3, 3, 5};
    std::vector<TSampleGroup> made;
    for (int g = 0; g < 6; ++g) {
      TSampleGroup group{captions[g], {}};
      for (int i = 0; i < itemCounts[g]; ++i)
        group.Items.push_back({group.Caption + " " + std::to_string(i + 1), SampleFrame(g, i), 100 + 10 * g + i});
      made.push_back(std::move(group));
    }
    return made;
  }();
  return groups;
}

std::string SampleFrame(int group, int item) { return "Fr" + std::to_string(group) + "_" + std::to_string(item); }

QImage SideBarPicture(int n) {
  static const QColor colours[] = {QColor(0, 0, 160), QColor(0, 128, 0), QColor(160, 0, 0), QColor(128, 128, 0)};
  QImage img(32, 32, QImage::Format_RGB32);
  img.fill(QColor(255, 0, 255));
  QPainter p(&img);
  p.fillRect(4, 4, 24, 24, colours[n % 4]);
  p.fillRect(10 + (n % 3) * 4, 10, 6, 12, QColor(255, 255, 255));
  return img;
}

void BuildSampleSideBar(TzbSideBar& bar, TzbSideBarImageList& images, bool withText) {
  for (int i = images.Count(); i < 8; ++i) images.Add(SideBarPicture(i));
  bar.SetPaintStyle(sbpsXP);
  bar.BkGround().SetFillStyle(bfsVert);
  bar.BkGround().SetBeginColor(clBtnShadow);
  bar.BkGround().SetEndColor(clBtnFace);
  bar.BkGround().SetStep(1);
  bar.SetCanSelected(true);
  TFont groupFont = bar.GroupFont();
  groupFont.Color = clBlack;
  bar.SetGroupFont(groupFont);
  TFont itemFont = bar.ItemFont();
  itemFont.Color = clWhite;
  bar.SetItemFont(itemFont);
  bar.SetLargeImages(&images);
  bar.SetScrollDelay(100);
  bar.SetTransparentImages(true);
  bar.ShowHint = true;
  int picture = 0;
  for (const TSampleGroup& g : SampleGroups()) {
    TzbSideGroup* group = bar.Groups().Add();
    group->SetCaption(withText ? Ansi(g.Caption) : std::string());
    for (const TSampleItem& i : g.Items) {
      TzbSideBarItem* item = group->Items().Add();
      item->SetCaption(withText ? Ansi(i.Caption) : std::string());
      item->SetHint(withText ? Ansi(i.Caption) : std::string());
      item->CustomData = i.Frame;
      item->Tag = i.Tag;
      item->SetLargeImage(picture++ % 8);
    }
  }
}

QPoint ItemCentre(TzbSideBar& bar, const TzbSideBarItem& item) {
  const TzbSideItemViewInfo* info = bar.ViewInfo().FindItem(&item);
  if (!info) return QPoint(-100, -100);
  return ToQRect(info->ImageRect).center();
}

QPoint GroupCentre(TzbSideBar& bar, const TzbSideGroup& group) {
  const TzbSideGroupViewInfo* info = bar.ViewInfo().FindGroup(&group);
  if (!info) return QPoint(-100, -100);
  return ToQRect(info->CaptionRect).center();
}

}  // namespace zyn::test
