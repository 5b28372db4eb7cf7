#pragma once
// A dock control the form places itself, anywhere on the form (not only along its edges): it holds
// docked toolbars in rows as the edge docks do, takes bars docked into it by code (a bar's
// DockControl) and bars dragged over it, and is named in stored layouts by its path (form name,
// ".", its own name). Its side follows Align; its colour and sunken border may be its own.
//
// Placement: inside a layout of its parent the layout places it and the dock fixes only its size
// across the rows; with Align other than dalNone and no layout holding it, it fills its parent's
// edge of that side; with dalNone it stays where it was put and only sizes itself across the rows.
// Several aligned docks of one parent stack as aligned controls do: first the top docks one below
// the other in creation order, then the bottom docks upwards, then the left and the right docks in
// the height the others left; each takes what the ones before it left over.

#include "widgets/bars/BarDockControl.h"

#include <QImage>

#include <memory>
#include <string>

class QObject;

namespace zyn {

enum TzbBarDockAlign { dalNone, dalTop, dalBottom, dalLeft, dalRight };

// The docking style of an Align value (dalNone and dalTop give dsTop).
TzbBarDockingStyle DockAlignStyle(TzbBarDockAlign align);

class TzbBarDockControl : public TzbDockControl {
 public:
  // The dock's window is a child of parent, with name as its object name. Without manager it holds
  // no bars until one is set.
  TzbBarDockControl(QWidget* parent, const std::string& name, TzbBarManager* manager = nullptr);
  ~TzbBarDockControl() override;

  TzbBarDockControl* AsUserDock() override { return this; }
  std::string Name() const;
  void SetName(const std::string& value);

  void SetBarManager(TzbBarManager* value);
  // The manager goes (its destructor): the dock forgets it.
  void ManagerGone();

  TzbBarDockAlign Align() const { return fAlign; }
  // Every bar in the dock takes the new side and is laid out again.
  void SetAlign(TzbBarDockAlign value);

  bool AllowZeroSizeInDesignTime() const { return fAllowZeroSizeInDesignTime; }
  void SetAllowZeroSizeInDesignTime(bool value);

  // The colour behind the bars: the form's (ParentColor), the manager's DockColor, or an own one.
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return fParentColor; }
  void SetParentColor(bool value);
  bool UseOwnColor() const { return fUseOwnColor; }
  void SetUseOwnColor(bool value);
  void UpdateColor();

  bool SunkenBorder() const { return GetSunkenBorder(); }
  void SetSunkenBorder(bool value);
  bool UseOwnSunkenBorder() const { return fUseOwnSunkenBorder; }
  void SetUseOwnSunkenBorder(bool value);

  // Tiled behind the bars (before the manager's bar background and the painter's dock background).
  const QImage& BackgroundBitmap() const { return fBackgroundBitmap; }
  void SetBackgroundBitmap(const QImage& value);

  // Frames and layout of every bar window in the dock again.
  void UpdateBars();

  bool CanDocking(const TzbBar& bar) const override;
  bool GetSunkenBorder() const override;
  int GetRowsSize() const override;

 protected:
  void PaintBackground(TCanvas& dc, const TBrush& brush, const TRect& r, const TPoint& origin) const override;
  void AdjustSize() override;
  void Resized() override;
  void WidgetGoing() override;

 private:
  void BarManagerChanged();
  // Fills the parent's edge of the dock's side when no layout places it.
  void Place();
  // Places every aligned dock of the parent that no layout holds (see the placement above).
  static void PlaceAligned(QWidget* parent);
  bool InParentLayout() const;
  int DesignMinimum() const;

  TzbBarDockAlign fAlign = dalTop;
  bool fAllowZeroSizeInDesignTime = false;
  TColor fColor = clBtnFace;
  bool fParentColor = true;
  bool fUseOwnColor = false;
  bool fOwnSunkenBorder = false;
  bool fUseOwnSunkenBorder = false;
  bool fDestroying = false;
  int fLastAlong = -1;
  QImage fBackgroundBitmap;
  std::unique_ptr<QObject> fParentFilter;
};

// A dock changed its size across its rows: an open chain of menus closes, unless the quick-customize
// window is open, the chain's head holds the mouse, or the dock is one the form placed and the chain
// starts at a docked bar of the manager.
void CloseMenusOnDockResize(TzbDockControl& dock);

}  // namespace zyn
