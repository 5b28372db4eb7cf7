#pragma once
// The item-control painter contract: every border, background, glyph, caption, arrow and
// separator of bars, drop-down menus and their items is drawn and measured by one painter. The
// painters are stateless: each kind has one constant instance (`Instance()`), used as the class
// reference the manager keeps; every operation is virtual and reads its state from the arguments
// (the item control, its window, the manager) and draws through the platform canvas.

#include "platform/Canvas.h"
#include "widgets/bars/BarTypes.h"
#include "widgets/bars/BarUtils.h"

#include <QImage>

class QLineEdit;

namespace zyn {

// Window style bits of the in-place edit window of an edit item.
enum : unsigned { ES_MULTILINE = 0x0004, ES_AUTOHSCROLL = 0x0080 };

// Where a drop-down menu item stands among its neighbours, for the personalized-menu decoration.
struct TzbMenuItemPlace {
  bool PreviousNonRecent = false;  // the item above belongs to the rarely used part
  bool First = false;              // the first item of the menu
  bool Last = false;               // the last item of the menu
  bool BeginsGroup = false;        // a separator band lies above the item
  int LeftMargin = 0;              // the gap between the side strip and the items
  int ClientBottom = 0;            // the bottom of the menu's client area
};

// Where and in which state an item is drawn. View: 0 horizontal bar, 1 drop-down menu, 2 vertical
// bar.
struct TzbButtonState {
  int View = 0;
  bool Selected = false;      // hot: under the mouse or the keyboard selection
  bool Pressed = false;       // the mouse button is held on it
  bool Down = false;          // a checked button, or a button whose menu is open
  bool DropDown = false;      // a split button with a separate arrow part
  bool DropDownOpen = false;  // its drop-down menu is open
  TRect OpenRect;             // the whole control (button and arrow part) while its menu is open
  bool NoGlyph = false;       // nothing to draw in the glyph cell
  bool Fits = false;          // a 1-pixel edge fits around the glyph
  bool Grayed = false;
};

class TzbBarItemControlPainter {
 public:
  virtual ~TzbBarItemControlPainter() = default;
  static const TzbBarItemControlPainter& Instance();
  virtual const char* ClassName() const { return "TzbBarItemControlPainter"; }

  // --- button parts and colours ---
  virtual void DrawButtonEdge(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TBrush& brush,
                              const TzbButtonState& s) const {}
  virtual void DrawCheckSign(const TzbBarItemControl& c, TCanvas& dc, int scale, int left, int top) const {}
  virtual void DrawEmptyImageCell(const TzbBarItemControl& c, TCanvas& dc, TRect r, const TBrush& brush,
                                  const TzbButtonState& s) const;
  virtual void DrawImageCell(const TzbBarItemControl& c, TCanvas& dc, const TBrush& brush, TRect r,
                             const TRect& glyphRect, const QImage& glyph, bool fromImageList,
                             const TzbButtonState& s) const;
  virtual void DrawDropPartArrow(TCanvas& dc, const TRect& r, bool down, bool enabled, bool selected,
                                 bool noEmboss) const;
  virtual void DrawArrow(TCanvas& dc, const TRect& r, bool down, int size, bool selected, bool enabled,
                         bool noEmboss) const;
  virtual void GetEditColors(const TzbBarItemControl& c, TColor& text, TColor& background) const;
  virtual TColor GetDisabledImageColor(const TzbBarWindow& w) const;
  virtual void GetCaptionColors(const TzbBarItemControl& c, bool enabled, bool selectedLook, bool flatDisabled,
                                TColor& first, TColor& second) const;
  virtual bool KeepsImageCellClear() const { return false; }
  virtual bool PaintsNonRecentItems() const { return false; }
  virtual bool IsMenuBarTitle(const TzbBarItemControl& c) const { return false; }
  virtual bool IsSmallQuickButton(const TzbBarWindow& w, const TRect& r) const { return r.Height() < 17; }
  virtual TColor GetCaptionColor(bool active) const { return active ? clActiveCaption : clInactiveCaption; }
  virtual TColor GetCaptionTextColor() const { return clCaptionText; }
  virtual TColor GetCaptionArrowColor(const TzbBarWindow& w, int state) const { return clCaptionText; }

  // --- quick-customize button, size grip ---
  virtual void DrawSizeGrip(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  virtual void DrawCaptionArrow(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;
  virtual void DrawQuickButtonChevron(const TzbBarWindow& w, TCanvas& dc, int position) const {}
  virtual void DrawQuickButtonBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush,
                                         const TRect& r) const {}
  virtual void DrawQuickButtonContent(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;
  virtual int GetQuickButtonArrowColorIndex(const TzbBarWindow& w) const { return COLOR_BTNTEXT; }
  virtual void DrawTriangle(TCanvas& dc, int colorIndex, int width, int top, int left) const;
  // The same triangle in a colour value; the system colour operation above draws through it.
  virtual void DrawTriangleInColor(TCanvas& dc, TColor color, int width, int top, int left) const;
  virtual void DrawMenuExpandButton(const TzbBarWindow& w, TCanvas& dc, bool selected, const TRect& r,
                                    int expandHeight) const;
  virtual void DrawCenteredText(TCanvas& dc, const TRect& r, bool opaque, const QString& text, int offset) const;

  // --- item backgrounds, buttons, captions, borders ---
  virtual void FillItemBackground(const TzbBarItemControl& c, TCanvas& dc, bool solid, const TBrush& brush,
                                  const TRect& r) const;
  virtual void FrameItemBackground(const TzbBarItemControl& c, TCanvas& dc, bool solid, const TBrush& brush,
                                   const TRect& r) const;
  virtual void DrawDisabledRect(TCanvas& dc, const TRect& r) const;
  // Places the glyph in the button's cell and draws the face (Algorithms of the contract, step 1).
  virtual void DrawButton(const TzbBarItemControl& c, const TRect& r, const TzbButtonState& s, bool captionOnly,
                          bool wholeRect = false) const;
  virtual void DrawButtonFace(const TzbBarItemControl& c, const TRect& r, const TRect& glyphRect, const QImage& glyph,
                              bool fromImageList, TzbButtonState s) const;
  virtual void DrawMenuButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool down,
                              bool checkedStyle) const {}
  virtual void DrawCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& text, const TRect& r, int alignment,
                           bool enabled, bool selectedLook, bool vertical, bool clip, bool notSelected) const;
  virtual void DrawLoweredFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const {}
  virtual void DrawStaticBorder(const TzbBarItemControl& c, TCanvas& dc, TzbBarStaticBorderStyle style, int width,
                                TRect& r) const;
  virtual void GetDropButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                                   TBrush& brush) const;
  // The arrow colour as a colour value: the system colour of the index above unless a look paints
  // its drop buttons in colours of its own.
  virtual void GetDropButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed, TColor& arrowColor,
                                        TBrush& brush) const;
  virtual TBrush GetButtonBrush(const TzbBarItemControl& c, const TzbButtonState& s) const;
  virtual int GetDownGlyphOffset() const { return 0; }
  virtual int GetPressedGlyphOffset(const TzbBarItemControl& c, bool down) const { return 0; }
  virtual bool UsesFlatSelection() const { return false; }
  virtual bool HighlightsDownCaption() const { return true; }
  virtual int GetLoweredBorderSize() const { return 0; }
  virtual int GetMenuImageColumnWidth(const TzbBarItemControl& c) const;
  virtual void DrawDropDownPart(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const TzbButtonState& s,
                                bool dropDownEnabled, const TBrush& brush) const {}
  virtual void OffsetCaptionForDown(const TzbBarItemControl& c, bool pressed, bool down, TRect& r) const {}
  virtual void OffsetContentForPressed(const TzbBarItemControl& c, bool pressed, TRect& r) const {}

  // --- metrics the manager takes ---
  virtual int GetGripIndent() const { return 0; }
  virtual int GetFloatingFrameWidth() const { return 4; }
  virtual int GetFloatingFrameHeight() const { return 4; }
  virtual int GetNoGripIndent(const TzbBar& bar) const { return 0; }
  virtual int GetGripAreaSize() const { return 0; }
  virtual int GetGripWidth() const { return 3; }
  virtual int GetDropArrowWidth(const TzbBarManager& m) const;
  virtual int GetLargeDropArrowWidth(const TzbBarManager& m) const;
  virtual int GetMenuSeparatorIndent() const { return 0; }
  virtual int GetButtonHeightMargin() const { return 6; }
  virtual int GetButtonWidthMargin() const { return 7; }

  // --- backgrounds and brushes ---
  virtual void DrawDockBackground(TCanvas& dc, const TBrush& brush, const TRect& r) const;
  // The background of a dock control (r: its whole client area); painters that shade docks by their
  // side look at the dock.
  virtual void DrawDockBackgroundOf(const TzbDockControl& dock, TCanvas& dc, const TBrush& brush,
                                    const TRect& r) const {
    DrawDockBackground(dc, brush, r);
  }
  virtual bool HasOwnBackgrounds() const { return false; }
  virtual bool JoinsMenuToOwner(const TzbBarWindow& w) const { return false; }
  virtual TBrush GetLightFaceBrush(const TzbBarManager& m) const;
  // The background under a docked bar: its dock's background, r shifted by the bar's place in the
  // dock; barRect is the bar's client rectangle.
  virtual void DrawDockedBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                                       const TRect& barRect) const;
  // The stretch of a menu's frame that touches the item that opened it, in the light face colour.
  virtual void FillOwnerGap(const TzbBarWindow& w, TCanvas& dc) const;
  virtual bool HasFloatingFrame(const TzbBarWindow& w) const { return false; }
  virtual TBrush GetBarBrush(const TzbBarWindow& w) const;
  virtual TBrush GetToolbarBrush(const TzbBarWindow& w) const { return GetBarBrush(w); }
  virtual TBrush GetBarCheckedBrush(const TzbBarWindow& w) const;
  virtual TBrush GetBarFaceBrush(const TzbBarWindow& w) const;
  virtual TBrush GetBarHighlightBrush(const TzbBarWindow& w) const;
  virtual int GetComboButtonWidth(int zeroWidth) const { return 2 * zeroWidth - 1; }
  virtual int GetEditHeightMargin() const { return 6; }
  int GetEditHeight(int zeroHeight) const { return zeroHeight + GetEditHeightMargin(); }

  // --- bar windows ---
  virtual bool TracksCloseButton() const { return false; }
  virtual bool AllowsQuickCustomizing() const { return false; }
  virtual int GetSeparatorMargin() const { return (GetToolbarSeparatorSize() - 2) / 2; }
  virtual int GetToolbarSeparatorSize() const { return 6; }
  virtual int GetBarBorderWidth() const { return 1; }
  virtual TRect GetDockedBorderSizes() const { return Rect(2, 2, 2, 2); }
  // The border (left, top, right, bottom) of the given bar docked at the given side; a look may
  // give some bars (the main-menu bar) a border of their own.
  virtual TRect GetDockedBorderSizes(const TzbBar& bar, TzbBarDockingStyle style) const {
    return GetDockedBorderSizes();
  }
  virtual void DrawSeparator(const TzbBarWindow& w, TCanvas& dc, bool vertical, const TBrush& brush,
                             const TRect& r) const;
  virtual void DrawCaptionButtonBackground(const TzbBarWindow& w, TCanvas& dc, int state, const TRect& r) const;
  virtual void DrawCloseButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {}
  virtual void DrawBarBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const {}
  virtual void DrawFloatingBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const {}
  void DrawQuickButton(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const {
    DrawQuickButtonBackground(w, dc, brush, r);
    DrawQuickButtonContent(w, dc, r);
  }
  // Floating captions.
  virtual int GetSmallCaptionHeight() const { return 15; }
  int GetFloatingCaptionHeight() const { return GetSmallCaptionHeight() + 1; }
  virtual bool FillsFloatingCaption() const { return false; }
  virtual void FillFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  virtual void AdjustCaptionForArrow(const TzbBarWindow& w, TRect& textRect) const;
  virtual void DrawCaptionArrowButton(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const {
    DrawCaptionArrow(w, dc, r);
  }
  virtual void DrawFloatingCaption(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  virtual int GetFloatingSideBorder() const { return 0; }
  virtual int GetFloatingTopBorder() const { return 0; }
  virtual int GetFloatingBottomBorder() const { return 0; }
  virtual TRect GetQuickButtonRect(const TzbBarWindow& w) const { return TRect{}; }
  // A changed quick-customize button: a docked bar repaints its rectangle later, a floating bar
  // draws its caption arrow at once.
  virtual void InvalidateQuickButton(TzbBarWindow& w) const;
  virtual bool ReportsCloseButtonHit() const { return false; }
  virtual bool UsesSystemFloatingFrame() const { return false; }
  virtual int GetDropDownListBorder() const { return 0; }
  virtual int GetStatusBarTopBorder() const { return 2; }

  // --- drop-down menus ---
  virtual int GetMenuBottomMargin() const { return 2; }
  virtual int GetMenuSeparatorHeight() const { return 10; }
  virtual int GetSubMenuOverlap() const { return 3; }
  virtual int GetExpandChevronLines(int height) const { return (height - 6) / 2; }
  virtual int GetMenuItemInset() const { return 1; }
  virtual bool HasNonRecentBlockBorder() const { return false; }
  virtual TBrush GetMenuFrameBrush(const TzbBarWindow& w) const;
  virtual void DrawMenuFrame(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;
  virtual void DrawMenuClientFrame(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  virtual TBrush GetMenuItemBrush(const TzbBarWindow& w, const TBrush& brush) const { return brush; }
  // Paints what the items leave uncovered (rest) and, when given, the expand button strip.
  virtual void DrawMenuBackground(const TzbBarWindow& w, TCanvas& dc, const TRect& rest, const TRect& expand,
                                  bool expandHot) const;
  // The separator band above an item that begins a group; rect is the item's rectangle.
  virtual void DrawMenuSeparator(const TzbBarWindow& w, TzbBarItemControl& c, int sideStrip, const TRect& r,
                                 TCanvas& dc) const;

  // --- quick-customization window entries ---
  virtual TBrush GetQuickWindowBrush(const TzbBarWindow& w) const { return GetToolbarBrush(w); }
  // The square check cell at the left of r: r shrinks to it and cellRight is where the text starts.
  virtual void DrawQuickCheckCell(const TzbBarItemControl& c, TCanvas& dc, bool selected, int& cellRight,
                                  TRect& r) const {
    r.Right = r.Left + r.Height();
    cellRight = r.Right;
  }
  virtual void DrawQuickItemFrame(const TzbBarItemControl& c, TCanvas& dc, bool selected, const TRect& cell,
                                  const TRect& item) const {}
  virtual bool OpensQuickWindowLeftAligned() const { return false; }

  // --- drop-down lists, text buttons, spin frames, progress bars ---
  virtual void DrawDropDownListBorder(TCanvas& dc, const TRect& r) const {}
  virtual void DrawTextButton(TCanvas& dc, bool pushed, const QString& text, const TRect& r) const;
  virtual void DrawSpinButtonFrame(const TzbBarItemControl& c, TCanvas& dc, bool pressed, bool raised, bool selected,
                                   TRect& r) const {}
  virtual TColor GetProgressColor() const { return clHighlight; }
  virtual int GetProgressHeight() const { return 12; }
  // orientation 2 is vertical; smooth bars are one block.
  virtual void DrawProgressBar(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TColor color, int orientation,
                               bool smooth, int position, int min, int max) const;

  // --- sub-items and menu measures ---
  virtual int GetSubItemTextIndent(const TzbBarItemControl& c) const;
  virtual int GetSubItemHeight(const TzbBarItemControl& c) const;
  virtual int GetSubItemWidth(const TzbBarItemControl& c) const;
  virtual void DrawSubItem(const TzbBarItemControl& c, TCanvas& dc, int view, bool selected, bool pressed,
                           const TRect& r) const;
  virtual void CalcMenuMetrics(const TzbBarWindow& w, int& lineHeight, int& dropArrowWidth, int& expandHeight,
                               int& glyphReference) const;
  virtual void GetMenuItemsRect(const TzbBarWindow& w, bool scrolling, TRect& start, int& bottomLimit) const;
  virtual void CalcMenuSize(const TzbBarWindow& w, int itemsWidth, int itemsHeight, int& width, int& height) const;
  virtual int GetTearOffBandHeight(const TzbBarWindow& w) const;
  virtual void DrawMenuScrollArrow(const TzbBarWindow& w, TCanvas& dc, bool up, const TRect& r) const;

  // --- edit, combo and spin items, drop-down windows ---
  virtual void AdjustListItemTextRect(TRect& r) const {}
  virtual bool RepaintsWhenDroppedDown() const { return false; }
  virtual int GetComboButtonGap() const { return 1; }
  // The button at the right of a combo item; r is the button's rectangle (stored with the control).
  virtual void DrawComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const {}
  virtual void GetComboButtonColors(const TzbBarItemControl& c, bool selected, bool pressed, int& arrowColorIndex,
                                    TBrush& brush) const {
    GetDropButtonColors(c, selected, pressed, arrowColorIndex, brush);
  }
  virtual void GetComboButtonColorValues(const TzbBarItemControl& c, bool selected, bool pressed, TColor& arrowColor,
                                         TBrush& brush) const;
  // The text of an edit or combo item drawn by its window: fill, 2-pixel side margins, the text.
  void DrawEditItemText(TCanvas& canvas, TRect r, const QString& text) const;
  // One entry of a combo's drop-down list; index -1 is the edit part.
  virtual void DrawComboListItem(TCanvas& canvas, const TRect& r, const QString& text, bool selected) const;
  virtual int GetEditCaptionWidth(const TzbBarItemControl& c, int textWidth) const { return textWidth + 6; }
  // The frame around the text part; r shrinks to the text area.
  virtual void DrawEditFrame(const TzbBarItemControl& c, TCanvas& dc, TRect& r, int view, bool selected,
                             bool readOnly = false) const;
  // The caption left of the text part; r loses the caption part and the gap after it.
  virtual void DrawEditCaption(const TzbBarItemControl& c, TCanvas& dc, const QString& caption, bool selected, int view,
                               TRect& r) const;
  virtual void DrawEditText(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const QString& text,
                            bool readOnly = false) const;
  virtual unsigned GetEditWindowStyle() const { return ES_AUTOHSCROLL; }
  virtual void PrepareEditWindow(QLineEdit& edit) const {}
  virtual void SelectEditText(QLineEdit& edit, bool changed) const;
  // The colour button of a colour combo; inner is the face inside its frame rings.
  virtual void DrawColorComboButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, TRect& inner,
                                    bool selected, bool pressed) const;
  // The client rectangle of a drop-down window; with a strip and an owner item on screen the corner
  // of the size grip follows from where the window lies beside the item.
  void CalcDropDownWindowNC(const TRect& window, TRect& client, bool hasStrip, const TRect* itemOnScreen,
                            int& corner) const;
  virtual void DrawDropDownWindowNC(TCanvas& dc, const TzbDropDownWindowGeometry& window, bool hasStrip, int corner,
                                    TRect& gripRect, TRect& closeRect, bool hot, bool pressed) const;
  virtual int GetDropDownStripHeight() const;
  virtual bool ReportsCalendarButtons() const { return false; }
  // One button of a spin edit item: button 1 up, 2 down; pressedButton 0 none, 1 up, 2 down.
  virtual void DrawSpinButton(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, int arrowWidth, int arrowSize,
                              int halfHeight, bool selected, int button, int pressedButton, bool pressedLook) const;
  virtual void DrawSpinEditSides(const TzbBarItemControl& c, TCanvas& dc, TRect& r) const;
  virtual int GetContainerMenuExtra() const { return 0; }

  // --- status bars, MDI buttons, menu fills, in-place sub-items ---
  virtual void GetCloseButtonSize(int& width, int& height) const { width = height = GetSmallCaptionHeight(); }
  virtual void GetSizeGripSize(const TzbBarManager& m, int& width, int& height) const;
  // The bottom of r as high as the size grip gets the grip, the part above the bar background.
  void DrawSizeGripArea(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  virtual void DrawStatusBarTopBorder(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const {
    FillWith(dc, r, brush);
  }
  virtual void DrawStatusBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const {
    FillWith(dc, r, brush);
  }
  // Left, top, right, bottom.
  virtual TRect GetBarBorderInsets(const TzbBarWindow& w) const {
    const int b = GetBarBorderWidth();
    return Rect(b, b, b, b);
  }
  virtual TRect GetQuickButtonHitRect(const TzbBarWindow& w) const { return GetQuickButtonRect(w); }
  // The minimize (0), restore (1) and close (2) buttons of a maximized child window on the menu bar.
  virtual void DrawMDIButton(const TzbBarWindow& w, int kind, const TRect& r, TCanvas& dc, bool selected, bool pressed,
                             bool enabled = true) const {}
  // The personalized-menu look of rarely used items (lines between blocks, filled margins).
  virtual void DrawMenuItemDecoration(const TzbBarWindow& w, const TzbBarItemControl& c, const TzbMenuItemPlace& place,
                                      const TRect& r, TCanvas& dc) const {}
  virtual void AdjustMenuLineSize(int& size) const {}
  virtual void AdjustMenuItemWidth(const TzbBarItemControl& c, int& width) const {}
  virtual void AdjustTearOffBandRect(const TzbBarWindow& w, TRect& r) const { InflateRect(r, -3, -3); }
  virtual void FillTearOffBand(const TzbBarWindow& w, TCanvas& dc, const TRect& r) const;
  // The menu's background bitmap (the manager's SubMenu background) tiled, or the brush.
  virtual void DrawMenuBackgroundFill(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r) const;
  // The background under a part of a drop-down menu's client area; nonRecent: the part belongs to
  // a rarely used item of an expanded menu.
  virtual void DrawMenuBackgroundPart(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                                      bool nonRecent) const {
    FillWith(dc, r, brush);
  }
  virtual void DrawFloatingBarBackground(const TzbBarWindow& w, TCanvas& dc, const TBrush& brush, const TRect& r,
                                         const TRect& barRect) const;
  virtual TColor GetCalendarHeaderColor() const { return clBtnFace; }
  virtual int GetProgressOffset() const { return 0; }
  // The strip before a progress item's content: c is the item's control, showsGlyph whether it
  // shows a glyph.
  virtual int GetProgressOffset(const TzbBarItemControl& c, bool showsGlyph) const { return GetProgressOffset(); }
  virtual TBrush GetInPlaceSubItemBrush() const;
  virtual void DrawInPlaceSubItem(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, const QString& caption,
                                  bool expanded, bool selected) const;

  // --- added by the flat look ---
  virtual void DrawSelectionFrame(TCanvas& dc, const TRect& r) const;
  virtual TBrush GetFlatShadowBrush(const TzbBarWindow& w) const;

  // The glyph of an item for the view: its own glyph, else the window's image.
  static QImage GlyphOf(const TzbBarItemControl& c, int view, bool& fromImageList);
  static void FrameWith(TCanvas& dc, const TRect& r, const TBrush& brush);
  static void FillWith(TCanvas& dc, const TRect& r, const TBrush& brush);

 protected:
  TzbBarItemControlPainter() = default;

  // Shared parts of the edit, combo and spin operations.
  void PaintEditText(TCanvas& dc, const TRect& r, const QString& text, TColor textColor, TColor background) const;
  // The arrow of a combo button: a triangle of half the inner width (odd), centred.
  void DrawComboArrow(TCanvas& dc, const TRect& inner, bool enabled, bool pressed, int colorIndex) const;
  void DrawComboArrowInColor(TCanvas& dc, const TRect& inner, bool enabled, bool pressed, TColor color) const;
  // The classic combo button (a raised or sunken edge when hot, a highlight frame otherwise).
  void DrawClassicComboButton(TzbBarItemControl& c, TCanvas& dc, bool selected, bool pressed, const TRect& r) const;
  // Three square dots of 1/7 of the width, dotsAboveBottom dots above the bottom.
  void DrawColorComboDots(const TzbBarItemControl& c, TCanvas& dc, const TRect& r, bool selected, bool pressed,
                          int dotsAboveBottom, int colorIndex) const;
  static TRect SpinButtonPart(const TRect& r, int halfHeight, int button, bool extraRow);
  static void DrawSpinArrow(TCanvas& dc, const TRect& part, int arrowWidth, int arrowSize, bool up, bool pressed,
                            TColor color);

  // The glyph arguments every painter's image cell shares: the item's glyph in the state s.
  TzbGlyphArgs ImageCellGlyphArgs(const TzbBarItemControl& c, const TBrush& brush, const TRect& r,
                                  const TRect& glyphRect, const QImage& glyph, bool fromImageList,
                                  const TzbButtonState& s) const;
};

}  // namespace zyn
