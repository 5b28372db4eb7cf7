#pragma once
// A dock control: the strip along one edge of a form that holds docked toolbar and main menu bar
// windows in rows. It decides in which row and where a bar window goes when it is docked or
// dropped, lays the rows out (positions, lengths, truncation, whole rows), sizes itself to its
// rows and paints the background behind the bars.

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "widgets/bars/BarTypes.h"

#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace zyn {

class TzbBarControl;
class TzbBarDockControl;

class TzbDockControl {
 public:
  TzbDockControl(TzbBarManager& manager, QWidget* form, TzbBarDockingStyle side);
  virtual ~TzbDockControl();
  TzbDockControl(const TzbDockControl&) = delete;
  TzbDockControl& operator=(const TzbDockControl&) = delete;

  QWidget* Widget() const { return fWidget; }
  TzbBarManager& Manager() const { return *fManager; }
  TzbBarDockingStyle DockingStyle() const { return fSide; }
  bool IsHorizontal() const { return fSide == dsTop || fSide == dsBottom; }
  bool IsNearEdge() const { return fSide == dsLeft || fSide == dsTop; }
  bool AllowDocking = true;
  virtual bool CanDocking(const TzbBar& bar) const { return AllowDocking; }
  // The manager (nil for a dock control placed by the form whose manager is not set or gone).
  TzbBarManager* BarManager() const { return fManager; }
  // A dock control the form placed itself (TzbBarDockControl), not one along the form's edges.
  virtual TzbBarDockControl* AsUserDock() { return nullptr; }
  // The dock control whose window this is (nil for other widgets).
  static TzbDockControl* OfWidget(const QWidget* widget);
  // Whether a sunken edge runs around the client area (it takes one pixel at each side).
  virtual bool GetSunkenBorder() const;
  // The size across the rows with the border.
  int GetDockSize() const;

  int RowCount() const { return static_cast<int>(fRows.size()); }
  int RowOf(const TzbBarControl* window) const;
  int CountInRow(int row) const;
  TzbBarControl* WindowAt(int row, int index) const;
  bool Contains(const TzbBarControl* window) const { return RowOf(window) >= 0; }

  // Adds a window. byRow: the bar's own Row, OneOnRow and DockedLeft decide (a window made for a
  // bar that is shown); otherwise the screen point decides (a bar dragged or dropped here).
  void InsertBar(TzbBarControl& window, const TPoint& screenPoint, bool apply, bool byRow);
  void RemoveBar(TzbBarControl& window, bool apply);
  void MoveBar(TzbBarControl& window, const TPoint& screenPoint);
  int RowAtPoint(const TPoint& screenPoint, bool& newRow) const;
  // The drop zone of a row (-1: before the first, RowCount(): after the last) across the rows, in
  // client coordinates: part 0 keeps the row, part 1 is the new-row strip, part 2 joins the next
  // row. False for a row or part outside the range.
  bool GetRowZone(int row, int part, int& from, int& to) const;
  // The screen point moved across the rows to the middle of the zone that stands for the row
  // (newRow false) or for a new row at that index (true); unchanged for a row outside the range.
  TPoint GetRowSnapPoint(int row, bool newRow, const TPoint& screenPoint) const;
  int PosInRow(int row, const TPoint& screenPoint) const;
  TRect GetDockZone() const;        // in screen coordinates
  TRect GetRowRect(int row) const;  // in client coordinates
  virtual int GetRowsSize() const;
  void UpdateDock();
  void Paint(QWidget& widget);
  // Paints the dock's background into r of a canvas whose origin lies at origin in the dock's
  // client coordinates (the background under a docked bar).
  void PaintBackgroundAt(TCanvas& dc, const TBrush& brush, const TRect& r, const TPoint& origin) const;

  TzbBarControl* DraggedIn = nullptr;   // a floating window being dragged into the dock
  std::function<void()> OnSizeChanged;  // the dock's size across changed

 protected:
  TzbDockControl(TzbBarManager* manager, QWidget* parent, TzbBarDockingStyle side, bool userPlaced);
  // The background in the dock's client coordinates: r of a canvas whose origin lies at origin.
  virtual void PaintBackground(TCanvas& dc, const TBrush& brush, const TRect& r, const TPoint& origin) const;
  virtual void AdjustSize();
  // The dock's window changed its size.
  virtual void Resized() {}
  // The dock's window is being destroyed with its parent (its children still exist).
  virtual void WidgetGoing() {}
  void SetManagerPointer(TzbBarManager* manager) { fManager = manager; }
  void SetSide(TzbBarDockingStyle side) { fSide = side; }
  bool HasManager() const;
  int ClientAlong() const;
  int ClientAcross() const;

 private:
  friend class TzbDockWidget;
  struct TCol {
    TzbBarControl* Window;
    TPoint Desired;  // wished position in client coordinates
  };
  struct TRow {
    std::vector<TCol> Cols;
    int Size = 0;
  };
  void LayoutRows();
  TPoint ScreenToClient(const TPoint& p) const;

  TzbBarManager* fManager;
  TzbBarDockingStyle fSide;
  QPointer<QWidget> fWidget;
  std::vector<TRow> fRows;
  bool fLaying = false;
};

}  // namespace zyn
