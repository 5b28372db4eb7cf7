#pragma once
// Look-and-feel painters: the standard elements of data-bound controls (buttons, check boxes,
// radio buttons, headers, footers, scroll-bar parts, expand buttons, splitters and borders) in one
// look and feel, with their metrics and colours. Like the bar painters they are stateless: each
// kind has one constant instance (`Instance()`) used as the class reference, every operation is
// virtual and draws through a TPainterCanvas. `LookAndFeelPainterOf` gives the painter of a kind.

#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/PaintUtils.h"
#include "widgets/bars/RadioButtonImages.h"

#include <QFont>
#include <QPoint>
#include <QString>

namespace zyn {

enum TzxPainterStyle { zxpsFlat, zxpsStandard, zxpsUltraFlat, zxpsNative, zxpsOffice11 };
enum TzxArrowDirection { zxadUp, zxadDown, zxadLeft, zxadRight };
enum TzxScrollBarPart { zxsbpNone, zxsbpLineUp, zxsbpLineDown, zxsbpThumb, zxsbpPageUp, zxsbpPageDown };
enum TzxIndicatorKind { zxikNone, zxikArrow, zxikEdit, zxikInsert, zxikMultiDot, zxikMultiArrow };
// The arrows of an arrow header: left, right or both.
enum : int { zxhaLeft = 1, zxhaRight = 2, zxhaBoth = 3 };
// The sides of a tab's border strips (`PaintTabBorder`).
enum TzxTabSide { zxtsLeft, zxtsTop, zxtsRight, zxtsBottom };

// What a tab shows and where it stands: the caption, the state (Pressed: the selected tab), the
// direction of the tab row and whether tabs stand beside it.
struct TzxTabParams {
  QString Caption;
  QFont Font;
  TzxButtonState State = zxbsNormal;
  bool Vertical = false;
  bool LeftNeighbor = false;   // a tab before this one (above it in a vertical row)
  bool RightNeighbor = false;  // a tab after this one
};

// The shared images of the painters: the row indicators (image k - 1 for `TzxIndicatorKind` k,
// white transparent) and the two 16 x 16 auto-hide pins ("on": the pin stands, "off": it lies).
const QImage& IndicatorImage(TzxIndicatorKind kind);
const QImage& AutoHideImage(int index);

// The text of a header, a header section or a footer cell.
struct TzxPainterText {
  QString Text;
  QFont Font;
  TColor TextColor = clDefault;
  unsigned Flags = zxAlignLeft | zxAlignVCenter | zxSingleLine;  // painter text flags
};

class TzxCustomLookAndFeelPainter {
 public:
  virtual ~TzxCustomLookAndFeelPainter() = default;
  static const TzxCustomLookAndFeelPainter& Instance();
  virtual TzxPainterStyle Style() const { return zxpsStandard; }
  // The look-and-feel kind the style maps to (the radio-button images are chosen by it).
  TzxLookAndFeelKind Kind() const;
  // DefaultColor1 .. DefaultColor47.
  virtual TColor DefaultColor(int n) const;

  // --- arrows ---
  void PaintArrowGlyph(TPainterCanvas& canvas, const TRect& r, TColor color) const;
  virtual void PaintArrow(TPainterCanvas& canvas, const TRect& r, TColor color, TzxArrowDirection direction) const;
  virtual void PaintArrowButton(TPainterCanvas& canvas, const TRect& r, bool asButton, TzxArrowDirection direction,
                                TzxButtonState state) const;
  virtual void PaintScrollArrow(TPainterCanvas& canvas, const TRect& r, TzxArrowDirection direction,
                                TzxButtonState state) const;

  // --- borders and buttons ---
  virtual int BorderWidth() const { return 0; }
  virtual void PaintBorder(TPainterCanvas& canvas, const TRect& r) const {}
  virtual int ButtonBorderWidth(TzxButtonState state) const { return 0; }
  virtual TColor ButtonFaceColor(TzxButtonState state) const { return clBtnFace; }
  virtual TRect ButtonFocusBounds(const TRect& r) const;
  virtual int ButtonTextIndent() const { return 0; }
  virtual int ButtonPressedShift() const { return 0; }
  virtual TColor ButtonSignColor(TzxButtonState state) const;
  virtual TzxButtonState ButtonSignState(TzxButtonState state) const { return state; }
  virtual void PaintButtonFace(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const;
  virtual void PaintButton(TPainterCanvas& canvas, const TRect& r, const QString& caption, TzxButtonState state,
                           bool withBorder, TColor color = clDefault, TColor textColor = clDefault) const;
  virtual void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {}
  virtual bool ButtonHotTracking() const { return false; }

  // --- expand buttons ---
  virtual void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const {}
  virtual int ExpandButtonExtent() const { return 0; }
  virtual void PaintSmallExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, TColor borderColor,
                                      bool expanded) const;
  virtual int SmallExpandButtonExtent() const { return 9; }

  // --- check boxes and radio buttons ---
  virtual int CheckBorderWidth() const { return 2; }
  virtual TColor CheckFaceColor(TzxButtonState state) const;
  virtual void PaintCheckSign(TPainterCanvas& canvas, const TRect& r, TColor color, bool checked,
                              TzxButtonState state) const;
  virtual void PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {}
  void PaintCheckBox(TPainterCanvas& canvas, const TRect& r, bool checked, TzxButtonState state) const;
  virtual void PaintRadioButton(TPainterCanvas& canvas, int x, int y, bool checked, bool emphasisA, bool emphasisB,
                                TzxButtonState state, TColor backgroundColor = clDefault) const;

  // --- headers and footers ---
  // Fills the bounds (unless a custom-draw handler drew them) and draws the text.
  virtual void PaintContent(TPainterCanvas& canvas, const TRect& bounds, const TRect& textBounds, TzxButtonState state,
                            TColor background, const TzxPainterText& text, bool solid) const;
  virtual void PaintHeader(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors, unsigned borders,
                           TzxButtonState state, TColor background, const TzxPainterText& text) const;
  virtual void PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors, unsigned borders) const {}
  virtual int HeaderBorderWidth() const { return 0; }
  TRect HeaderContentBounds(const TRect& r, unsigned sides) const;
  int HeaderHeight(int fontHeight) const { return fontHeight + 4 + 2 * HeaderBorderWidth(); }
  virtual void PaintFooterCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                               const TzxPainterText& text) const;
  virtual void PaintFooterCellBorder(TPainterCanvas& canvas, const TRect& r) const {}
  virtual int FooterCellBorderWidth() const { return 0; }
  virtual TColor FooterSeparatorColor() const { return clBtnShadow; }

  // --- header sections, sort arrows ---
  virtual void PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state, unsigned sides,
                                  TColor background, const TzxPainterText& text) const;
  virtual void PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                        unsigned sides) const {}
  virtual int HeaderSectionBorderWidth(TzxButtonState state) const { return 1; }
  virtual void PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const {}
  virtual QPoint SortArrowExtent() const { return QPoint(0, 0); }

  // --- footers ---
  virtual void PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const {}
  virtual int FooterBorderWidth() const { return 0; }
  void PaintFooterSeparator(TPainterCanvas& canvas, const TRect& r) const;

  // --- filter and small buttons ---
  virtual QPoint FilterCloseButtonExtent() const { return QPoint(16, 14); }
  virtual void PaintFilterCloseButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const;
  virtual void PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                         bool active) const {}
  virtual void PaintGroupExpandButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                      bool expanded) const;
  virtual int GroupExpandButtonExtent() const { return 15; }
  virtual void PaintPlusButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const;
  virtual void PaintPlusGlyph(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const;

  // --- tabs ---
  virtual void PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical, unsigned sides) const {}
  virtual int TabBorderWidth(bool vertical) const { return 0; }
  virtual void PaintTab(TPainterCanvas& canvas, const TRect& r, const TzxTabParams& tab) const {}
  // One border strip of a tab; borders: the sides the tab draws.
  virtual void PaintTabBorder(TPainterCanvas& canvas, const TRect& r, TzxTabSide side, unsigned borders,
                              bool vertical) const {}
  virtual int TabOption1() const { return 0; }
  virtual int TabOption2() const { return 0; }

  // --- button groups, image buttons ---
  virtual void PaintGroupedButton(TPainterCanvas& canvas, const TRect& r, TColor borderColor, int index, int count,
                                  TzxButtonState state) const;
  // The border widths (left, top, right, bottom) of button `index` of `count` in a group.
  virtual TRect ButtonGroupBorders(int count, int index) const;
  virtual void PaintButtonGroupFrame(TPainterCanvas& canvas, const TRect& r, bool hot, bool focused) const {}
  // An auto-hide pin (image 0 or 1) on a button face.
  virtual void PaintImageButton(TPainterCanvas& canvas, const TRect& r, TColor background, int imageIndex,
                                TzxButtonState state) const;
  virtual bool ExpandButtonBeforeLines() const { return true; }
  virtual bool HitGroupExpandButton(const TRect& r, const QPoint& p) const;
  virtual QPoint SmallButtonExtent(int n) const;
  virtual QPoint FilterActivateButtonExtent() const { return QPoint(13, 13); }
  virtual QPoint FilterDropDownButtonExtent() const { return QPoint(15, 0); }
  virtual bool FilterOption() const { return true; }

  // --- header variants: indicators, arrow headers, sides ---
  virtual void PaintHeaderCell(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors, unsigned borders,
                               TzxButtonState state, TColor background, const TzxPainterText& text) const {
    PaintHeader(canvas, bounds, neighbors, borders, state, background, text);
  }
  virtual void PaintHeaderPressed(TPainterCanvas& canvas, const TRect& r) const { canvas.InvertRect(r); }
  virtual unsigned HeaderSides(unsigned neighbors) const { return zxBordAll; }
  TRect HeaderOuterBounds(const TRect& r, unsigned neighbors, unsigned sides) const;
  virtual bool HeaderOption() const { return true; }
  virtual bool HeaderHotTracking() const { return false; }
  QPoint SortArrowAreaSize() const { return QPoint(16, SortArrowExtent().y()); }
  // A row indicator in a header above the rows (neighbours above and below) and in a cell.
  virtual void PaintIndicatorHeader(TPainterCanvas& canvas, const TRect& r, TColor background,
                                    TzxIndicatorKind kind) const;
  virtual void PaintIndicatorCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                                  TzxIndicatorKind kind) const;
  virtual bool IndicatorOption() const { return true; }
  // A header with scroll arrows at its ends (arrows: zxhaLeft, zxhaRight, zxhaBoth).
  virtual void PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                                const TPainterBackground& background, unsigned neighbors,
                                const TzxPainterText& text) const;
  virtual void PaintOuterBorder(TPainterCanvas& canvas, const TRect& r) const { PaintBorder(canvas, r); }
  TRect FooterCellContentBounds(const TRect& r) const;
  TRect FooterCellTextBounds(const TRect& r) const;
  virtual TRect HeaderSectionContentBounds(const TRect& r, TzxButtonState state) const;
  virtual TRect HeaderSectionTextBounds(const TRect& r, TzxButtonState state) const;
  // The width a header needs for its text in the font, with the borders of the given sides.
  int HeaderWidth(TPainterCanvas& canvas, unsigned sides, const QFont& font, const QString& text) const;
  virtual unsigned FooterSides() const { return zxBordAll; }
  virtual int FooterCellSpacing() const { return 0; }
  virtual bool FooterOption() const { return true; }
  int FooterSeparatorWidth() const { return 1; }

  // --- scroll bars, splitters ---
  virtual void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                                  TzxButtonState state) const {}
  virtual void PaintSplitterBorder(TPainterCanvas& canvas, const TRect& r, bool horizontal,
                                   const TPainterBackground& background) const {}

 protected:
  // The triangle of an arrow; square: the rectangle is first made square.
  void Triangle(TPainterCanvas& canvas, TRect r, TColor color, TzxArrowDirection direction, bool square) const;
  void PlusMinus(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const;
  // The sort arrow of Algorithms step 7 in a light and a dark colour.
  void PaintSortArrowLines(TPainterCanvas& canvas, const TRect& r, bool ascending, TColor light, TColor dark) const;
  // The scroll-bar page area in its checkerboard.
  void PaintPageArea(TPainterCanvas& canvas, const TRect& r, bool pressed) const;
  // Flat and UltraFlat scroll-bar parts: buttons with border; keepHot: the hot state stays (else it
  // counts as normal); shrink: the arrow area loses the button border first.
  void PaintFlatScrollBarPart(TPainterCanvas& canvas, const TRect& r, TzxScrollBarPart part, TzxButtonState state,
                              bool horizontal, bool keepHot, bool shrink) const;
  // The arrows of an arrow header (Algorithms step 8) in the given colour.
  void PaintHeaderArrows(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows, TColor color) const;
  // The border and face of a small button (filter close, plus, image buttons); the inside.
  TRect PaintSmallButtonFace(TPainterCanvas& canvas, const TRect& rect, TzxButtonState state) const;
  // The image drawn centred in the rectangle.
  static void DrawCentred(TPainterCanvas& canvas, const TRect& r, const QImage& image, int shift = 0);
};

class TzxStandardLookAndFeelPainter : public TzxCustomLookAndFeelPainter {
 public:
  static const TzxStandardLookAndFeelPainter& Instance();
  TzxPainterStyle Style() const override { return zxpsStandard; }
  TColor DefaultColor(int n) const override {
    return n == 40 ? clWindow : TzxCustomLookAndFeelPainter::DefaultColor(n);
  }
  int BorderWidth() const override { return 2; }
  void PaintBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int ButtonBorderWidth(TzxButtonState state) const override { return state == zxbsDefault ? 3 : 2; }
  int ButtonTextIndent() const override { return 1; }
  int ButtonPressedShift() const override { return 1; }
  void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int ExpandButtonExtent() const override { return 12; }
  void PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors, unsigned borders) const override;
  int HeaderBorderWidth() const override { return 1; }
  void PaintFooterCellBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int FooterCellBorderWidth() const override { return 1; }
  void PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int FooterBorderWidth() const override { return 1; }
  void PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                unsigned sides) const override;
  int HeaderSectionBorderWidth(TzxButtonState state) const override { return state == zxbsPressed ? 1 : 2; }
  void PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const override;
  QPoint SortArrowExtent() const override { return QPoint(8, 7); }
  void PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                 bool active) const override;
  void PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical, unsigned sides) const override;
  int TabBorderWidth(bool) const override { return 1; }
  void PaintTabBorder(TPainterCanvas& canvas, const TRect& r, TzxTabSide side, unsigned borders,
                      bool vertical) const override;
  void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                          TzxButtonState state) const override;
  void PaintSplitterBorder(TPainterCanvas& canvas, const TRect& r, bool horizontal,
                           const TPainterBackground& background) const override;
  void PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                        const TPainterBackground& background, unsigned neighbors,
                        const TzxPainterText& text) const override;
  int FooterCellSpacing() const override { return 1; }
  void PaintPlusGlyph(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
};

class TzxFlatLookAndFeelPainter : public TzxStandardLookAndFeelPainter {
 public:
  static const TzxFlatLookAndFeelPainter& Instance();
  TzxPainterStyle Style() const override { return zxpsFlat; }
  TColor DefaultColor(int n) const override { return TzxCustomLookAndFeelPainter::DefaultColor(n); }
  int BorderWidth() const override { return 1; }
  void PaintBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int ButtonBorderWidth(TzxButtonState state) const override { return state == zxbsDefault ? 2 : 1; }
  void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int ExpandButtonExtent() const override { return 11; }
  void PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                unsigned sides) const override;
  void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                          TzxButtonState state) const override;
  void PaintSplitterBorder(TPainterCanvas& canvas, const TRect& r, bool horizontal,
                           const TPainterBackground& background) const override;
};

class TzxUltraFlatLookAndFeelPainter : public TzxCustomLookAndFeelPainter {
 public:
  static const TzxUltraFlatLookAndFeelPainter& Instance();
  TzxPainterStyle Style() const override { return zxpsUltraFlat; }
  TColor DefaultColor(int n) const override;
  int BorderWidth() const override { return 1; }
  void PaintBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int ButtonBorderWidth(TzxButtonState state) const override { return state == zxbsDefault ? 2 : 1; }
  TColor ButtonFaceColor(TzxButtonState state) const override;
  TRect ButtonFocusBounds(const TRect& r) const override;
  TColor ButtonSignColor(TzxButtonState state) const override;
  TzxButtonState ButtonSignState(TzxButtonState) const override { return zxbsNormal; }
  int ButtonTextIndent() const override { return 2; }
  void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  bool ButtonHotTracking() const override { return true; }
  void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  int ExpandButtonExtent() const override { return 11; }
  void PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors, unsigned borders) const override;
  int HeaderBorderWidth() const override { return 1; }
  void PaintFooterCellBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int FooterCellBorderWidth() const override { return 1; }
  void PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const override;
  int FooterBorderWidth() const override { return 1; }
  void PaintHeaderSectionBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                unsigned sides) const override;
  void PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const override;
  QPoint SortArrowExtent() const override { return QPoint(7, 8); }
  QPoint FilterCloseButtonExtent() const override { return QPoint(16, 15); }
  void PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                 bool active) const override;
  void PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical, unsigned sides) const override;
  int TabBorderWidth(bool) const override { return 1; }
  void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                          TzxButtonState state) const override;
  void PaintSplitterBorder(TPainterCanvas& canvas, const TRect& r, bool horizontal,
                           const TPainterBackground& background) const override;
  void PaintTabBorder(TPainterCanvas& canvas, const TRect& r, TzxTabSide side, unsigned borders,
                      bool vertical) const override;
  void PaintGroupedButton(TPainterCanvas& canvas, const TRect& r, TColor borderColor, int index, int count,
                          TzxButtonState state) const override;
  TRect ButtonGroupBorders(int count, int index) const override;
  void PaintButtonGroupFrame(TPainterCanvas& canvas, const TRect& r, bool hot, bool focused) const override;
  void PaintHeaderCell(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors, unsigned borders,
                       TzxButtonState state, TColor background, const TzxPainterText& text) const override;
  unsigned HeaderSides(unsigned neighbors) const override;
  void PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state, unsigned sides,
                          TColor background, const TzxPainterText& text) const override;
  QPoint SmallButtonExtent(int n) const override;
  unsigned FooterSides() const override { return zxBordRight | zxBordBottom; }
  int FooterCellSpacing() const override { return 2; }
  virtual TColor TabHighlightColor() const { return clBtnText; }
  virtual TColor TabBorderColor() const { return clBtnShadow; }
  virtual TColor ButtonFrameColor(TzxButtonState state) const {
    return state == zxbsNormal ? clBtnShadow : clHighlight;
  }
  virtual TColor HotBorderColor() const { return clHighlight; }
};

class TzxOffice11LookAndFeelPainter : public TzxUltraFlatLookAndFeelPainter {
 public:
  static const TzxOffice11LookAndFeelPainter& Instance();
  TzxPainterStyle Style() const override { return zxpsOffice11; }
  TColor DefaultColor(int n) const override;
  void PaintContent(TPainterCanvas& canvas, const TRect& bounds, const TRect& textBounds, TzxButtonState state,
                    TColor background, const TzxPainterText& text, bool solid) const override;
  void PaintBorder(TPainterCanvas& canvas, const TRect& r) const override;
  TColor ButtonFaceColor(TzxButtonState state) const override;
  TColor ButtonSignColor(TzxButtonState state) const override;
  void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  TColor CheckFaceColor(TzxButtonState state) const override;
  void PaintHeaderBorder(TPainterCanvas& canvas, const TRect& r, unsigned neighbors, unsigned borders) const override;
  TColor FooterSeparatorColor() const override { return HeaderLineDarkColor(); }
  void PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const override;
  void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                          TzxButtonState state) const override;
  void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  bool ExpandButtonBeforeLines() const override { return false; }
  void PaintSmallExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, TColor borderColor,
                              bool expanded) const override {
    PaintExpandButton(canvas, r, color, expanded);
  }
  int ExpandButtonExtent() const override { return 11; }
  int SmallExpandButtonExtent() const override { return 11; }
  void PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state, unsigned sides,
                          TColor background, const TzxPainterText& text) const override;
  void PaintHeaderCell(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors, unsigned borders,
                       TzxButtonState state, TColor background, const TzxPainterText& text) const override {
    PaintHeader(canvas, bounds, neighbors, borders, state, background, text);
  }
  unsigned HeaderSides(unsigned) const override { return zxBordAll; }
  bool HeaderHotTracking() const override { return true; }
  void PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                        const TPainterBackground& background, unsigned neighbors,
                        const TzxPainterText& text) const override;
  void PaintOuterBorder(TPainterCanvas& canvas, const TRect& r) const override {
    canvas.FrameRect(r, DefaultColor(38));
  }
  TColor ButtonFrameColor(TzxButtonState state) const override;
  TColor TabBorderColor() const override { return HeaderLineDarkColor(); }
  TColor HotBorderColor() const override;
  TColor HeaderShadeColor() const;
  TColor HeaderLineDarkColor() const;
  TColor HeaderLineLightColor() const;
  TColor HeaderTopLineColor() const;
};

// The painter of native style: the desktop's widget style (QStyle) draws each element whose
// visual-style class is usable; elsewhere, and with the classic look, the Standard painter does.
class TzxWinXPLookAndFeelPainter : public TzxStandardLookAndFeelPainter {
 public:
  static const TzxWinXPLookAndFeelPainter& Instance();
  TzxPainterStyle Style() const override { return zxpsNative; }
  TColor DefaultColor(int n) const override;
  int ButtonTextIndent() const override { return 2; }
  int ButtonPressedShift() const override { return 0; }
  void PaintButton(TPainterCanvas& canvas, const TRect& r, const QString& caption, TzxButtonState state,
                   bool withBorder, TColor color = clDefault, TColor textColor = clDefault) const override;
  void PaintButtonFace(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  TColor ButtonFaceColor(TzxButtonState state) const override;
  TColor ButtonSignColor(TzxButtonState state) const override;
  bool ButtonHotTracking() const override { return true; }
  int CheckBorderWidth() const override;
  void PaintCheckSign(TPainterCanvas& canvas, const TRect& r, TColor color, bool checked,
                      TzxButtonState state) const override;
  void PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  void PaintRadioButton(TPainterCanvas& canvas, int x, int y, bool checked, bool emphasisA, bool emphasisB,
                        TzxButtonState state, TColor backgroundColor = clDefault) const override;
  void PaintHeader(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors, unsigned borders,
                   TzxButtonState state, TColor background, const TzxPainterText& text) const override;
  void PaintHeaderPressed(TPainterCanvas&, const TRect&) const override {}
  void PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state, unsigned sides,
                          TColor background, const TzxPainterText& text) const override;
  void PaintSortArrow(TPainterCanvas& canvas, const TRect& r, bool ascending) const override {
    PaintSortArrowLines(canvas, r, ascending, clBtnShadow, clBtnShadow);
  }
  QPoint SortArrowExtent() const override { return QPoint(7, 8); }
  bool HeaderOption() const override { return false; }
  bool HeaderHotTracking() const override { return true; }
  void PaintTab(TPainterCanvas& canvas, const TRect& r, const TzxTabParams& tab) const override;
  void PaintTabBorder(TPainterCanvas& canvas, const TRect& r, TzxTabSide side, unsigned borders,
                      bool vertical) const override;
  void PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical, unsigned sides) const override;
  int TabOption1() const override;
  int TabOption2() const override;
  void PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, bool expanded) const override;
  bool ExpandButtonBeforeLines() const override { return false; }
  void PaintArrowButton(TPainterCanvas& canvas, const TRect& r, bool asButton, TzxArrowDirection direction,
                        TzxButtonState state) const override;
  void PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r, TzxScrollBarPart part,
                          TzxButtonState state) const override;
  void PaintImageButton(TPainterCanvas& canvas, const TRect& r, TColor background, int imageIndex,
                        TzxButtonState state) const override;
  int BorderWidth() const override;
  void PaintBorder(TPainterCanvas& canvas, const TRect& r) const override;
  void PaintFooterCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                       const TzxPainterText& text) const override;
  void PaintSplitterBorder(TPainterCanvas& canvas, const TRect& r, bool horizontal,
                           const TPainterBackground& background) const override;
  void PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                 bool active) const override;
  // The tree's expand sign in the size the widget style draws it.
  int ExpandButtonExtent() const override;
  int SmallExpandButtonExtent() const override { return ExpandButtonExtent(); }
  void PaintSmallExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color, TColor borderColor,
                              bool expanded) const override;
  // A group's expand button: a tool button of the widget style with a chevron up (expanded) or
  // down; it is hit where the style paints it, not in the corners it leaves out.
  void PaintGroupExpandButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                              bool expanded) const override;
  int GroupExpandButtonExtent() const override;
  bool HitGroupExpandButton(const TRect& r, const QPoint& p) const override;
  // The margins of a push button's content in the widget style.
  TRect ButtonGroupBorders(int count, int index) const override;
  void PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                        const TPainterBackground& background, unsigned neighbors,
                        const TzxPainterText& text) const override;
  void PaintIndicatorHeader(TPainterCanvas& canvas, const TRect& r, TColor background,
                            TzxIndicatorKind kind) const override;
  // Measures of the widget style's push button, header, line-edit panel and check box.
  int ButtonBorderWidth(TzxButtonState state) const override;
  TRect ButtonFocusBounds(const TRect& r) const override;
  int HeaderBorderWidth() const override;
  int HeaderSectionBorderWidth(TzxButtonState state) const override;
  int FooterCellBorderWidth() const override;
  bool FooterOption() const override { return false; }
  void PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const override;
  // The filter close button: the style's close indicator, 2 pixels of room on each side.
  QPoint FilterCloseButtonExtent() const override;
  void PaintFilterCloseButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  QPoint FilterActivateButtonExtent() const override;
  QPoint SmallButtonExtent(int n) const override;
  // The style's push button with the plus glyph inside.
  void PaintPlusButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const override;
  // Text in the widget style's way (its palette and alignment), in the given colour unless clDefault.
  void PaintThemedText(TPainterCanvas& canvas, const TRect& r, const QFont& font, TColor textColor, const QString& text,
                       unsigned flags, TzxButtonState state) const;
};

// The painter of a look-and-feel kind; with native style and a usable visual style the WinXP one.
const TzxCustomLookAndFeelPainter& LookAndFeelPainterOf(TzxLookAndFeelKind kind, bool nativeStyle = false);

}  // namespace zyn
