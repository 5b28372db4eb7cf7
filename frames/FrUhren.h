#pragma once
// The clock pages: daily clocks ("Tagesuhren bearbeiten"), weekly clocks ("Wochenuhren
// bearbeiten") and clocks for blind motors ("JRM- Uhren bearbeiten"). All three edit the one
// clock list of a control module and show the clocks of their own kind; the numbers 0 to 125
// are shared by all kinds.

#include "frames/ListPage.h"

class QCheckBox;
class QGroupBox;
class QMenu;

namespace zyn {

class TOneDay;
class TTimeEdit;
class TWTSelectBox;
class TWeekdayBox;
class TZYNDayMask;

class TFrUhren : public TListPage<TUhrenListe, TUhr> {
  Q_OBJECT
 public:
  TFrUhren(TUhrenTyp kind, QWidget* parent = nullptr);

  TUhrenTyp Kind() const { return fKind; }
  // Daily clocks.
  TZYNDayMask* ETTage = nullptr;
  TTimeEdit* ETEin = nullptr;
  TTimeEdit* ETAus = nullptr;
  QCheckBox* CBInit = nullptr;
  QGroupBox* GBTime = nullptr;
  // Weekly clocks.
  TOneDay* EWEin = nullptr;
  TOneDay* EWAus = nullptr;
  // Blind-motor clocks.
  TWTSelectBox* EJEin = nullptr;
  TWTSelectBox* EJAus = nullptr;

  // The day presets of the popup menus: 127 every day, 31 Monday to Friday, 96 the weekend, 0.
  // The days are stored in the selected clock at once (on and off for the daily clock; the
  // switch-on or switch-off days of a blind-motor clock).
  void ApplyPreset(int which, int days);  // which: 0 daily / switch-on, 1 switch-off
  void UpdatePage() override;

 protected:
  bool ShowsItem(const TZYNBaseObject* object) const override;
  void InitNewItem(TUhr& clock) override { clock.UhrenTyp = fKind; }
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
  void PrepareActivation() override;

 private:
  void TimeEdited(TTimeEdit* edit, bool on);
  void BoxChanged(TWeekdayBox* box, bool on);
  void InvalidTime(TTimeEdit* edit);
  void InitClicked(bool checked);
  QMenu* PresetMenu(int which);

  TUhrenTyp fKind;
};

}  // namespace zyn
