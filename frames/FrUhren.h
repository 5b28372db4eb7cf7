#pragma once
// The clock pages: daily clocks ("Tagesuhren bearbeiten"), weekly clocks ("Wochenuhren
// bearbeiten") and clocks for blind motors ("JRM- Uhren bearbeiten"). All three edit the one
// clock list of a control module and show the clocks of their own kind; the numbers 0 to 125
// are shared by all kinds.

#include "frames/ListPage.h"

#include <initializer_list>

class QCheckBox;
class QGroupBox;
class QMenu;

namespace zyn {

class TOneDay;
class TTimeEdit;
class TWTSelectBox;
class TWeekdayBox;
class TZYNDayMask;

// The common ground of the three clock pages: the clock list of the control module, the clocks of
// the page's kind in the tree, the day presets and the report of an invalid time.
class TFrUhren : public TListPage<TUhrenListe, TUhr> {
  Q_OBJECT
 public:
  TUhrenTyp Kind() const { return fKind; }

  // The day presets of the popup menus: 127 every day, 31 Monday to Friday, 96 the weekend, 0.
  // The days are stored in the selected clock at once (on and off for the daily clock; the
  // switch-on or switch-off days of a blind-motor clock).
  virtual void ApplyPreset(int which, int days) = 0;  // which: 0 daily / switch-on, 1 switch-off

 protected:
  TFrUhren(TUhrenTyp kind, QWidget* parent);
  bool ShowsItem(const TZYNBaseObject* object) const override;
  void InitNewItem(TUhr& clock) override { clock.UhrenTyp = fKind; }
  void PrepareActivation() override;
  // The weekday boxes of the weekly and blind-motor pages.
  void AddDayBox(TWeekdayBox* box, const char* name, const char* caption, bool on);
  void SetBoxLanguages(std::initializer_list<TWeekdayBox*> boxes, int language);
  // The switch-on and switch-off boxes from the clock, and emptied (days none, the time given).
  static void ShowBoxes(const TUhr& clock, TWeekdayBox* on, TWeekdayBox* off);
  static void ClearBoxes(TWeekdayBox* on, TWeekdayBox* off, const QString& time);
  void BoxChanged(TWeekdayBox* box, bool on);
  // Reports an invalid time and resets it, while the edit belongs to the clock shown.
  void InvalidTime(TTimeEdit* edit);
  QMenu* PresetMenu(int which);
  // The language of the weekday names.
  virtual void SetDayLanguage(int language) = 0;

 private:
  TUhrenTyp fKind;
};

// "Tagesuhren bearbeiten": one day mask for on and off, two times, the initialisation clock.
class TFrTagesUhren : public TFrUhren {
  Q_OBJECT
 public:
  explicit TFrTagesUhren(QWidget* parent = nullptr);
  TZYNDayMask* ETTage = nullptr;
  TTimeEdit* ETEin = nullptr;
  TTimeEdit* ETAus = nullptr;
  QCheckBox* CBInit = nullptr;
  QGroupBox* GBTime = nullptr;
  void ApplyPreset(int which, int days) override;
  void UpdatePage() override;

 protected:
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
  void SetDayLanguage(int language) override;

 private:
  void TimeEdited(TTimeEdit* edit, bool on);
  void InitClicked(bool checked);
};

// "Wochenuhren bearbeiten": one weekday and time to switch on, one to switch off.
class TFrWochenUhren : public TFrUhren {
  Q_OBJECT
 public:
  explicit TFrWochenUhren(QWidget* parent = nullptr);
  TOneDay* EWEin = nullptr;
  TOneDay* EWAus = nullptr;
  void ApplyPreset(int, int) override {}  // the weekly page has no presets

 protected:
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
  void SetDayLanguage(int language) override;
};

// "JRM- Uhren bearbeiten": any set of weekdays and a time to raise and to lower.
class TFrJRMUhren : public TFrUhren {
  Q_OBJECT
 public:
  explicit TFrJRMUhren(QWidget* parent = nullptr);
  TWTSelectBox* EJEin = nullptr;
  TWTSelectBox* EJAus = nullptr;
  void ApplyPreset(int which, int days) override;

 protected:
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
  void SetDayLanguage(int language) override;
};

}  // namespace zyn
