#include "SideBarTestSupport.h"

#include "model/base/Cp1252.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarViewInfo.h"

#include <QPainter>

namespace zyn::test {

const std::vector<TMainWindowGroup>& MainWindowGroups() {
  static const std::vector<TMainWindowGroup> groups = {
      {"Projekt", {{"Neues Projekt", "FrNeu", 0}, {"Projekt öffnen", "FrOpen", 1}}},
      {"Komponenten",
       {{"Steuermodule", "FrStmBearb", 3},
        {"Display", "FrDispBearb", 0},
        {"Module", "FrModulBearb", 4},
        {"Tagesuhren", "FrTagesUhren", 6},
        {"Wochenuhren", "FrWochenUhren", 7},
        {"Jalousie / Rolladen Uhren", "FrJRMUhren", 8},
        {"Merker", "FrMerker", 5},
        {"Anzeigetexte", "FrTexte", 9},
        {"Gruppen", "FrGruppen", 10},
        {"Kennlinien", "FrEditKennlinie", 11}}},
      {"Programmierung",
       {{"Basis- programmierung", "FrBasis", 12},
        {"Funktions- programmierung", "FrFunktion", 13},
        {"Display- programmierung", "Display", 0},
        {"POR Tabelle", "FrPOR", 0}}},
      {"Visualisierung",
       {{"Visualisierungsdaten", "FrVisuProjekt", 0},
        {"Visualisierung bearbeiten", "FrVisuEntwurf", 200},
        {"Userverwaltung", "FrVisuCreateRT", 0}}},
      {"Übertragen",
       {{"Projekt übertragen", "FrTransfer", 16},
        {"Dimmerkennlinien übertragen", "FrDimmerKennlinie", 0},
        {"Uhrzeit übertragen", "FrSetClock", 0}}},
      {"Service",
       {{"Modulcheck", "FrModulcheck", 0},
        {"Servicefunktionen", "FrService", 101},
        {"Uhrensimulation", "FrNewService", 0},
        {"JRM Prioritäten löschen", "FrJRMPrio", 0},
        {"Info über STM's", "FrSTMInfo", 100}}},
  };
  return groups;
}

QImage SideBarPicture(int n) {
  static const QColor colours[] = {QColor(0, 0, 160), QColor(0, 128, 0), QColor(160, 0, 0), QColor(128, 128, 0)};
  QImage img(32, 32, QImage::Format_RGB32);
  img.fill(QColor(255, 0, 255));
  QPainter p(&img);
  p.fillRect(4, 4, 24, 24, colours[n % 4]);
  p.fillRect(10 + (n % 3) * 4, 10, 6, 12, QColor(255, 255, 255));
  return img;
}

void BuildMainWindowSideBar(TzbSideBar& bar, TzbSideBarImageList& images, bool withText) {
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
  for (const TMainWindowGroup& g : MainWindowGroups()) {
    TzbSideGroup* group = bar.Groups().Add();
    group->SetCaption(withText ? Ansi(g.Caption) : std::string());
    for (const TMainWindowItem& i : g.Items) {
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
