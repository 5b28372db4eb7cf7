#pragma once
// The splitter bar: docked to one side of its parent beside the control it resizes (its
// neighbour), dragged to resize it, with a button in the bar that shrinks the neighbour to its
// minimum and, clicked again, restores the size it had.

#include "platform/Canvas.h"
#include "widgets/common/AlignLayout.h"
#include "widgets/common/WidgetTypes.h"

#include <QPointer>
#include <QWidget>

namespace zyn {

enum TzsButtonStyle { bsNetscape, bsWindows };
enum TzsWindowsButton { wbMin = 1, wbMax = 2, wbClose = 4 };
enum TzsButtonWidthType { btwPixels, btwPercentage };
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

class TzsSplitter : public QWidget {
  Q_OBJECT
 public:
  explicit TzsSplitter(QWidget* parent = nullptr);

  TAlign Align() const { return AlignOf(this); }
  void SetAlign(TAlign align);
  int MinSize() const { return fMinSize; }
  void SetMinSize(int size) { fMinSize = std::max(size, 0); }
  bool AutoSnap() const { return fAutoSnap; }
  void SetAutoSnap(bool snap) { fAutoSnap = snap; }
  TResizeStyle ResizeStyle() const { return fResizeStyle; }
  void SetResizeStyle(TResizeStyle style) { fResizeStyle = style; }
  bool Beveled() const { return fBeveled; }
  void SetBeveled(bool beveled);
  TColor Color() const { return fColor; }
  void SetColor(TColor color);

  bool Maximized() const { return fMaximized; }
  void SetMaximized(bool maximized);
  bool Minimized() const { return fMinimized; }
  void SetMinimized(bool minimized);
  QString Version() const { return QStringLiteral("TzsSplitter v2.03"); }
  bool AllowDrag() const { return fAllowDrag; }
  void SetAllowDrag(bool allow);
  Qt::CursorShape ButtonCursor() const { return fButtonCursor; }
  void SetButtonCursor(Qt::CursorShape cursor) { fButtonCursor = cursor; }
  TzsButtonStyle ButtonStyle() const { return fButtonStyle; }
  void SetButtonStyle(TzsButtonStyle style);
  int WindowsButtons() const { return fWindowsButtons; }
  void SetWindowsButtons(int buttons);
  TzsButtonWidthType ButtonWidthType() const { return fWidthType; }
  void SetButtonWidthType(TzsButtonWidthType type);
  int ButtonWidth() const { return fButtonWidth; }
  void SetButtonWidth(int width);
  bool ShowButton() const { return fShowButton; }
  void SetShowButton(bool show);
  TColor ButtonColor() const { return fButtonColor; }
  void SetButtonColor(TColor color);
  TColor ArrowColor() const { return fArrowColor; }
  void SetArrowColor(TColor color);
  TColor ButtonHighlightColor() const { return fHighlightColor; }
  void SetButtonHighlightColor(TColor color);
  bool AutoHighlightColor() const { return fAutoHighlight; }
  void SetAutoHighlightColor(bool automatic);
  TColor TextureColor1() const { return fTexture1; }
  void SetTextureColor1(TColor color);
  TColor TextureColor2() const { return fTexture2; }
  void SetTextureColor2(TColor color);
  int RestorePos() const { return fRestoreSize; }
  void SetRestorePos(int size) { fRestoreSize = size; }

  // The button's hit area (empty when there is none).
  TRect ButtonRect() const;
  // The control the bar resizes, nullptr when there is none.
  QWidget* FindNeighbour() const;
  // Gives the neighbour the size s within the limits a drag has.
  void SetNeighbourSize(int size);
  // The highlight colour derived from the system colours.
  static TColor DerivedHighlightColor();

  TSenderEvent OnMaximize, OnMinimize, OnRestore, OnClose, OnMoved;
  std::function<void(QObject* sender, int& newSize, bool& accept)> OnCanResize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool Vertical() const;
  int Length() const { return Vertical() ? height() : width(); }
  int Thickness() const { return Vertical() ? width() : height(); }
  int SizeOf(const QWidget* w) const;
  void ApplySize(QWidget* neighbour, int size);
  int MaxSizeFor(const QWidget* neighbour) const;
  int LimitSize(QWidget* neighbour, int size) const;
  bool ButtonTest(const QPoint& p);
  int WindowsButtonAt(const QPoint& p) const;
  void DrawButton(TCanvas& c, bool highlighted);
  void DrawArrow(TCanvas& c, const TRect& area, bool atStart);

  int fMinSize = 30;
  bool fAutoSnap = true;
  TResizeStyle fResizeStyle = rsPattern;
  bool fBeveled = false;
  TColor fColor = clBtnFace;
  bool fMaximized = false, fMinimized = false;
  bool fAllowDrag = true;
  Qt::CursorShape fButtonCursor = Qt::ArrowCursor;
  TzsButtonStyle fButtonStyle = bsNetscape;
  int fWindowsButtons = wbMin | wbMax | wbClose;
  TzsButtonWidthType fWidthType = btwPixels;
  int fButtonWidth = 100;
  bool fShowButton = true;
  TColor fButtonColor = clBtnFace;
  TColor fArrowColor = 8388608;
  TColor fHighlightColor = 16764879;
  bool fAutoHighlight = false;
  TColor fTexture1 = 16777215;
  TColor fTexture2 = 8388608;
  int fRestoreSize = -1;
  bool fHighlighted = false;
  bool fPressedOnButton = false;
  bool fDragging = false;
  QPointer<QWidget> fNeighbour;
  QPoint fPressGlobal;
  int fStartSize = 0;
};

}  // namespace zyn
