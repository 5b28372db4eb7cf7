// The painter of native style: each element drawn by the desktop's widget style (QStyle) while the
// visual-style class of the element is usable; with the classic look, or where the class does not
// open, the Standard painter draws it.

#include "widgets/bars/LookAndFeelPainters.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace zyn {

namespace {

bool Themed(TThemeKind kind) { return ThemesUsable(ThemeSet(kind)); }

QStyle& Desktop() { return *QApplication::style(); }

// The widget style's state flags of a button state.
QStyle::State StateFlags(TzxButtonState state) {
  QStyle::State s = QStyle::State_None;
  if (state != zxbsDisabled) s |= QStyle::State_Enabled;
  if (state == zxbsHot) s |= QStyle::State_MouseOver;
  if (state == zxbsPressed)
    s |= QStyle::State_Sunken | QStyle::State_On;
  else
    s |= QStyle::State_Raised;
  return s;
}

void Prepare(QStyleOption& option, const TRect& r, TzxButtonState state) {
  option.rect = ToQRect(r);
  option.palette = QApplication::palette();
  option.state = StateFlags(state);
}

// The style's push button over a rectangle in a button state (Default: the default button).
QStyleOptionButton PushButton(const TRect& r, TzxButtonState state) {
  QStyleOptionButton option;
  Prepare(option, r, state);
  if (state == zxbsDefault) option.features |= QStyleOptionButton::DefaultButton;
  return option;
}

QRect PushButtonContent(const TRect& r, TzxButtonState state) {
  const QStyleOptionButton option = PushButton(r, state);
  return Desktop().subElementRect(QStyle::SE_PushButtonContents, &option);
}

// The canvas painter prepared for the widget style: its own state kept, no brush of the canvas
// leaking into the style's outlines.
class TStylePainter {
 public:
  explicit TStylePainter(TPainterCanvas& canvas) : fPainter(canvas.Canvas->Painter()) {
    fPainter.save();
    fPainter.setBrush(Qt::NoBrush);
  }
  ~TStylePainter() { fPainter.restore(); }
  TStylePainter(const TStylePainter&) = delete;
  TStylePainter& operator=(const TStylePainter&) = delete;
  QPainter& Get() { return fPainter; }

 private:
  QPainter& fPainter;
};

Qt::Alignment AlignmentOf(unsigned flags) {
  Qt::Alignment a;
  a |= (flags & zxAlignRight) ? Qt::AlignRight : (flags & zxAlignHCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
  a |= (flags & zxAlignBottom) ? Qt::AlignBottom : (flags & zxAlignVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
  return a;
}

}  // namespace

const TzxWinXPLookAndFeelPainter& TzxWinXPLookAndFeelPainter::Instance() {
  static const TzxWinXPLookAndFeelPainter p;
  return p;
}

TColor TzxWinXPLookAndFeelPainter::DefaultColor(int n) const {
  if (n == 7) return 0x00800000;
  if (n == 40) return 0x00D5FFFF;
  if (n == 38 && Themed(totComboBox)) return FromQColor(QApplication::palette().color(QPalette::Mid));
  return TzxCustomLookAndFeelPainter::DefaultColor(n);
}

void TzxWinXPLookAndFeelPainter::PaintThemedText(TPainterCanvas& canvas, const TRect& r, const QFont& font,
                                                 TColor textColor, const QString& text, unsigned flags,
                                                 TzxButtonState state) const {
  if (text.isEmpty() || IsRectEmpty(r)) return;
  TStylePainter guard(canvas);
  QPainter& p = guard.Get();
  p.save();
  p.setFont(font);
  QPalette palette = QApplication::palette();
  const QPalette::ColorRole role = QPalette::ButtonText;
  if (textColor == clDefault && state == zxbsDisabled) textColor = clGrayText;  // greyed as the system does
  if (textColor != clDefault) palette.setColor(QPalette::All, role, ToQColor(ColorToRGB(textColor)));
  int align = AlignmentOf(flags);
  align |= (flags & zxSingleLine) ? Qt::TextSingleLine : Qt::TextWordWrap;
  align |= (flags & zxShowPrefix) ? Qt::TextShowMnemonic : 0;
  QString shown = text;
  if (flags & zxShowEndEllipsis) shown = p.fontMetrics().elidedText(text, Qt::ElideRight, r.Width());
  Desktop().drawItemText(&p, ToQRect(r), align, palette, state != zxbsDisabled, shown, role);
  p.restore();
}

// ---------------------------------------------------------------- buttons

void TzxWinXPLookAndFeelPainter::PaintButtonFace(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {
  if (!Themed(totButton)) {
    TzxStandardLookAndFeelPainter::PaintButtonFace(canvas, r, state);
    return;
  }
  const QStyleOptionButton option = PushButton(r, state);
  Desktop().drawControl(QStyle::CE_PushButtonBevel, &option, &TStylePainter(canvas).Get());
}

void TzxWinXPLookAndFeelPainter::PaintButtonBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {
  if (Themed(totButton))
    PaintButtonFace(canvas, r, state);
  else
    TzxStandardLookAndFeelPainter::PaintButtonBorder(canvas, r, state);
}

void TzxWinXPLookAndFeelPainter::PaintButton(TPainterCanvas& canvas, const TRect& r, const QString& caption,
                                             TzxButtonState state, bool withBorder, TColor color,
                                             TColor textColor) const {
  if (!Themed(totButton)) {
    TzxStandardLookAndFeelPainter::PaintButton(canvas, r, caption, state, withBorder, color, textColor);
    return;
  }
  PaintButtonFace(canvas, r, state);
  PaintThemedText(canvas, r, canvas.Canvas->Font.Font, textColor, caption,
                  zxAlignHCenter | zxAlignVCenter | zxSingleLine | zxShowPrefix, state);
}

TColor TzxWinXPLookAndFeelPainter::ButtonFaceColor(TzxButtonState state) const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::ButtonFaceColor(state);
  return FromQColor(
      QApplication::palette().color(state == zxbsDisabled ? QPalette::Disabled : QPalette::Active, QPalette::Button));
}

TColor TzxWinXPLookAndFeelPainter::ButtonSignColor(TzxButtonState state) const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::ButtonSignColor(state);
  return FromQColor(QApplication::palette().color(state == zxbsDisabled ? QPalette::Disabled : QPalette::Active,
                                                  QPalette::ButtonText));
}

// ---------------------------------------------------------------- check boxes and radio buttons

int TzxWinXPLookAndFeelPainter::CheckBorderWidth() const {
  return Themed(totButton) ? 0 : TzxStandardLookAndFeelPainter::CheckBorderWidth();
}

void TzxWinXPLookAndFeelPainter::PaintCheckSign(TPainterCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                TzxButtonState state) const {
  if (!Themed(totButton)) {
    TzxStandardLookAndFeelPainter::PaintCheckSign(canvas, r, color, checked, state);
    return;
  }
  QStyleOptionButton option;
  Prepare(option, r, state);
  option.state &= ~(QStyle::State_Raised | QStyle::State_On);
  option.state |= checked ? QStyle::State_On : QStyle::State_Off;
  Desktop().drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &TStylePainter(canvas).Get());
}

void TzxWinXPLookAndFeelPainter::PaintCheckBorder(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {
  if (!Themed(totButton)) TzxStandardLookAndFeelPainter::PaintCheckBorder(canvas, r, state);
}

void TzxWinXPLookAndFeelPainter::PaintRadioButton(TPainterCanvas& canvas, int x, int y, bool checked, bool emphasisA,
                                                  bool emphasisB, TzxButtonState state, TColor background) const {
  if (!Themed(totButton)) {
    TzxStandardLookAndFeelPainter::PaintRadioButton(canvas, x, y, checked, emphasisA, emphasisB, state, background);
    return;
  }
  const int w = Desktop().pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
  const int h = Desktop().pixelMetric(QStyle::PM_ExclusiveIndicatorHeight);
  QStyleOptionButton option;
  Prepare(option, Bounds(x, y, w, h), state);
  option.state &= ~(QStyle::State_Raised | QStyle::State_On);
  option.state |= checked ? QStyle::State_On : QStyle::State_Off;
  Desktop().drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &TStylePainter(canvas).Get());
}

// ---------------------------------------------------------------- headers

void TzxWinXPLookAndFeelPainter::PaintHeader(TPainterCanvas& canvas, const TRect& bounds, unsigned neighbors,
                                             unsigned borders, TzxButtonState state, TColor background,
                                             const TzxPainterText& text) const {
  if (!Themed(totHeader)) {
    TzxStandardLookAndFeelPainter::PaintHeader(canvas, bounds, neighbors, borders, state, background, text);
    return;
  }
  QStyleOptionHeader option;
  Prepare(option, bounds, state == zxbsDisabled ? zxbsNormal : state);
  option.position = (neighbors & zxBordLeft) && (neighbors & zxBordRight) ? QStyleOptionHeader::Middle
                    : (neighbors & zxBordLeft)                            ? QStyleOptionHeader::End
                    : (neighbors & zxBordRight)                           ? QStyleOptionHeader::Beginning
                                                                          : QStyleOptionHeader::OnlyOneSection;
  Desktop().drawControl(QStyle::CE_HeaderSection, &option, &TStylePainter(canvas).Get());
  TRect t = bounds;
  InflateRect(t, -4, 0);
  if (state == zxbsPressed) OffsetRect(t, 1, 1);
  PaintThemedText(canvas, t, text.Font, text.TextColor, text.Text, text.Flags, state);
}

void TzxWinXPLookAndFeelPainter::PaintHeaderSection(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                    unsigned sides, TColor background,
                                                    const TzxPainterText& text) const {
  if (!Themed(totHeader)) {
    TzxStandardLookAndFeelPainter::PaintHeaderSection(canvas, r, state, sides, background, text);
    return;
  }
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(r);
  PaintHeader(canvas, r, 0, sides, state, background, text);
}

// ---------------------------------------------------------------- tabs

void TzxWinXPLookAndFeelPainter::PaintTab(TPainterCanvas& canvas, const TRect& rect, const TzxTabParams& tab) const {
  if (!Themed(totTab)) {
    TzxStandardLookAndFeelPainter::PaintTab(canvas, rect, tab);
    return;
  }
  // Widened by 2 at each end without a neighbour; the selected tab one pixel longer towards the
  // pane, the others one pixel short of it.
  TRect r = rect;
  const bool selected = tab.State == zxbsPressed;
  if (tab.Vertical) {
    if (!tab.LeftNeighbor) r.Top -= 2;
    if (!tab.RightNeighbor) r.Bottom += 2;
    r.Right += selected ? 1 : -1;
  } else {
    if (!tab.LeftNeighbor) r.Left -= 2;
    if (!tab.RightNeighbor) r.Right += 2;
    r.Bottom += selected ? 1 : -1;
  }
  QStyleOptionTab option;
  Prepare(option, r, selected ? zxbsNormal : tab.State);
  if (selected) option.state |= QStyle::State_Selected;
  option.shape = tab.Vertical ? QTabBar::RoundedWest : QTabBar::RoundedNorth;
  option.position = tab.LeftNeighbor && tab.RightNeighbor ? QStyleOptionTab::Middle
                    : tab.LeftNeighbor                    ? QStyleOptionTab::End
                    : tab.RightNeighbor                   ? QStyleOptionTab::Beginning
                                                          : QStyleOptionTab::OnlyOneTab;
  Desktop().drawControl(QStyle::CE_TabBarTabShape, &option, &TStylePainter(canvas).Get());
  TRect text = r;
  if (selected) {
    if (tab.Vertical)
      text.Right -= 2;
    else
      text.Bottom -= 2;
  }
  PaintThemedText(canvas, text, tab.Font, clDefault, tab.Caption, zxAlignHCenter | zxAlignVCenter | zxSingleLine,
                  tab.State);
}

void TzxWinXPLookAndFeelPainter::PaintTabBorder(TPainterCanvas& canvas, const TRect& r, TzxTabSide side,
                                                unsigned borders, bool vertical) const {
  if (!Themed(totTab)) TzxStandardLookAndFeelPainter::PaintTabBorder(canvas, r, side, borders, vertical);
}

void TzxWinXPLookAndFeelPainter::PaintTabsRoot(TPainterCanvas& canvas, const TRect& r, bool vertical,
                                               unsigned sides) const {
  if (!Themed(totTab)) {
    TzxStandardLookAndFeelPainter::PaintTabsRoot(canvas, r, vertical, sides);
    return;
  }
  // The pane's frame, drawn larger and clipped so that only the given sides show.
  TRect frame = r;
  if (!(sides & zxBordBottom) && !vertical) frame.Bottom += 10;
  if (!(sides & zxBordRight) && vertical) frame.Right += 10;
  QStyleOptionTabWidgetFrame option;
  Prepare(option, frame, zxbsNormal);
  option.shape = vertical ? QTabBar::RoundedWest : QTabBar::RoundedNorth;
  TStylePainter guard(canvas);
  QPainter& p = guard.Get();
  p.save();
  p.setClipRect(ToQRect(r), Qt::IntersectClip);
  Desktop().drawPrimitive(QStyle::PE_FrameTabWidget, &option, &p);
  p.restore();
}

int TzxWinXPLookAndFeelPainter::TabOption1() const { return Themed(totTab) ? 1 : 0; }
int TzxWinXPLookAndFeelPainter::TabOption2() const { return Themed(totTab) ? 1 : 0; }

// ---------------------------------------------------------------- expand buttons, arrows, scroll bars

void TzxWinXPLookAndFeelPainter::PaintExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color,
                                                   bool expanded) const {
  if (!Themed(totTreeView)) {
    TzxStandardLookAndFeelPainter::PaintExpandButton(canvas, r, color, expanded);
    return;
  }
  QStyleOption option;
  Prepare(option, r, zxbsNormal);
  option.state |= QStyle::State_Children;
  if (expanded) option.state |= QStyle::State_Open;
  Desktop().drawPrimitive(QStyle::PE_IndicatorBranch, &option, &TStylePainter(canvas).Get());
}

namespace {

// The smallest rectangle around everything the widget style painted into a clear image; empty
// when it painted nothing.
QRect PaintedArea(const QImage& image) {
  QRect area;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) area |= QRect(x, y, 1, 1);
  return area;
}

QImage ClearImage(int width, int height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

void DrawGroupExpandButton(QPainter& p, const TRect& r, TzxButtonState state, bool expanded) {
  QStyleOptionToolButton option;
  Prepare(option, r, state == zxbsDefault ? zxbsNormal : state);
  Desktop().drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p);
  QStyleOption arrow;
  const int side = std::min(r.Width(), r.Height()) / 2;
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  Prepare(arrow, Bounds(cx - side / 2, cy - side / 2, side, side), state);
  Desktop().drawPrimitive(expanded ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow, &p);
}

}  // namespace

int TzxWinXPLookAndFeelPainter::ExpandButtonExtent() const {
  if (!Themed(totTreeView)) return TzxStandardLookAndFeelPainter::ExpandButtonExtent();
  // The true size: as large as the style draws the sign of an expanded node.
  QImage image = ClearImage(32, 32);
  {
    QPainter p(&image);
    QStyleOption option;
    Prepare(option, Rect(0, 0, 32, 32), zxbsNormal);
    option.state |= QStyle::State_Children | QStyle::State_Open;
    Desktop().drawPrimitive(QStyle::PE_IndicatorBranch, &option, &p);
  }
  const QRect area = PaintedArea(image);
  return area.isEmpty() ? TzxStandardLookAndFeelPainter::ExpandButtonExtent() : std::max(area.width(), area.height());
}

void TzxWinXPLookAndFeelPainter::PaintSmallExpandButton(TPainterCanvas& canvas, const TRect& r, TColor color,
                                                        TColor borderColor, bool expanded) const {
  if (!Themed(totTreeView)) {
    TzxStandardLookAndFeelPainter::PaintSmallExpandButton(canvas, r, color, borderColor, expanded);
    return;
  }
  PaintExpandButton(canvas, r, color, expanded);
}

void TzxWinXPLookAndFeelPainter::PaintGroupExpandButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                        bool expanded) const {
  if (!Themed(totExplorerBar)) {
    TzxStandardLookAndFeelPainter::PaintGroupExpandButton(canvas, r, state, expanded);
    return;
  }
  DrawGroupExpandButton(TStylePainter(canvas).Get(), r, state, expanded);
}

int TzxWinXPLookAndFeelPainter::GroupExpandButtonExtent() const {
  if (!Themed(totExplorerBar)) return TzxStandardLookAndFeelPainter::GroupExpandButtonExtent();
  // A tool button that holds a small icon.
  QStyleOptionToolButton option;
  option.palette = QApplication::palette();
  const int icon = Desktop().pixelMetric(QStyle::PM_SmallIconSize);
  option.iconSize = QSize(icon, icon);
  option.toolButtonStyle = Qt::ToolButtonIconOnly;
  return Desktop().sizeFromContents(QStyle::CT_ToolButton, &option, QSize(icon, icon)).width();
}

bool TzxWinXPLookAndFeelPainter::HitGroupExpandButton(const TRect& r, const QPoint& point) const {
  if (!Themed(totExplorerBar)) return TzxStandardLookAndFeelPainter::HitGroupExpandButton(r, point);
  if (!TzxStandardLookAndFeelPainter::HitGroupExpandButton(r, point)) return false;
  // The button's region: where the style paints its face.
  QImage image = ClearImage(r.Width(), r.Height());
  {
    QPainter p(&image);
    DrawGroupExpandButton(p, Rect(0, 0, r.Width(), r.Height()), zxbsHot, false);
  }
  return qAlpha(image.pixel(point.x() - r.Left, point.y() - r.Top)) > 127;
}

TRect TzxWinXPLookAndFeelPainter::ButtonGroupBorders(int count, int index) const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::ButtonGroupBorders(count, index);
  const QRect content = PushButtonContent(Rect(0, 0, 100, 100), zxbsNormal);
  return Rect(content.left(), content.top(), 100 - (content.x() + content.width()),
              100 - (content.y() + content.height()));
}

void TzxWinXPLookAndFeelPainter::PaintArrowHeader(TPainterCanvas& canvas, const TRect& r, int arrowIndent, int arrows,
                                                  const TPainterBackground& background, unsigned neighbors,
                                                  const TzxPainterText& text) const {
  if (!Themed(totHeader)) {
    TzxStandardLookAndFeelPainter::PaintArrowHeader(canvas, r, arrowIndent, arrows, background, neighbors, text);
    return;
  }
  // The themed header, then the arrows.
  TzxCustomLookAndFeelPainter::PaintArrowHeader(canvas, r, arrowIndent, arrows, background, neighbors, text);
}

void TzxWinXPLookAndFeelPainter::PaintIndicatorHeader(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                      TzxIndicatorKind kind) const {
  TzxFlatLookAndFeelPainter::Instance().PaintIndicatorHeader(canvas, r, background, kind);
}

void TzxWinXPLookAndFeelPainter::PaintArrowButton(TPainterCanvas& canvas, const TRect& r, bool asButton,
                                                  TzxArrowDirection direction, TzxButtonState state) const {
  if (!Themed(totScrollBar)) {
    TzxStandardLookAndFeelPainter::PaintArrowButton(canvas, r, asButton, direction, state);
    return;
  }
  QStyleOption option;
  Prepare(option, r, state);
  TStylePainter guard(canvas);
  QPainter& p = guard.Get();
  Desktop().drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p);
  static const QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                    QStyle::PE_IndicatorArrowLeft, QStyle::PE_IndicatorArrowRight};
  Desktop().drawPrimitive(arrows[direction], &option, &p);
}

void TzxWinXPLookAndFeelPainter::PaintScrollBarPart(TPainterCanvas& canvas, bool horizontal, const TRect& r,
                                                    TzxScrollBarPart part, TzxButtonState state) const {
  if (!Themed(totScrollBar)) {
    TzxStandardLookAndFeelPainter::PaintScrollBarPart(canvas, horizontal, r, part, state);
    return;
  }
  if (IsRectEmpty(r) || part == zxsbpNone) return;
  if (part == zxsbpLineUp || part == zxsbpLineDown) {
    const TzxArrowDirection d =
        part == zxsbpLineUp ? (horizontal ? zxadLeft : zxadUp) : (horizontal ? zxadRight : zxadDown);
    PaintArrowButton(canvas, r, true, d, state);
    return;
  }
  // The groove and the slider of a scroll bar as large as the part: the slider fills it for the
  // thumb, the page areas show the groove alone.
  QStyleOptionSlider option;
  Prepare(option, r, state);
  option.orientation = horizontal ? Qt::Horizontal : Qt::Vertical;
  if (horizontal) option.state |= QStyle::State_Horizontal;
  option.minimum = 0;
  option.maximum = 0;
  option.pageStep = 1;
  option.subControls = part == zxsbpThumb    ? QStyle::SC_ScrollBarSlider
                       : part == zxsbpPageUp ? QStyle::SC_ScrollBarSubPage
                                             : QStyle::SC_ScrollBarAddPage;
  if (state == zxbsPressed) option.activeSubControls = option.subControls;
  TStylePainter guard(canvas);
  QPainter& p = guard.Get();
  p.save();
  p.setClipRect(ToQRect(r), Qt::IntersectClip);
  if (part == zxsbpThumb) {
    QStyleOption thumb;
    Prepare(thumb, r, state);
    if (horizontal) thumb.state |= QStyle::State_Horizontal;
    Desktop().drawPrimitive(QStyle::PE_PanelButtonBevel, &thumb, &p);
  } else {
    Desktop().drawComplexControl(QStyle::CC_ScrollBar, &option, &p);
  }
  p.restore();
}

void TzxWinXPLookAndFeelPainter::PaintImageButton(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                  int imageIndex, TzxButtonState state) const {
  if (!Themed(totExplorerBar)) {
    TzxStandardLookAndFeelPainter::PaintImageButton(canvas, r, background, imageIndex, state);
    return;
  }
  canvas.SetBrushColor(background == clDefault ? clBtnFace : background);
  canvas.FillRect(r);
  QStyleOption option;
  Prepare(option, r, state == zxbsDefault || state == zxbsDisabled ? zxbsNormal : state);
  option.state |= QStyle::State_AutoRaise;
  if (state == zxbsHot || state == zxbsPressed)
    Desktop().drawPrimitive(QStyle::PE_PanelButtonTool, &option, &TStylePainter(canvas).Get());
  DrawCentred(canvas, r, AutoHideImage(imageIndex));
}

// ---------------------------------------------------------------- borders, filter buttons

int TzxWinXPLookAndFeelPainter::BorderWidth() const {
  return Themed(totListView) ? 1 : TzxStandardLookAndFeelPainter::BorderWidth();
}

void TzxWinXPLookAndFeelPainter::PaintBorder(TPainterCanvas& canvas, const TRect& r) const {
  if (!Themed(totListView)) {
    TzxStandardLookAndFeelPainter::PaintBorder(canvas, r);
    return;
  }
  QStyleOptionFrame option;
  Prepare(option, r, zxbsNormal);
  option.lineWidth = 1;
  option.frameShape = QFrame::StyledPanel;
  option.state |= QStyle::State_Sunken;
  Desktop().drawPrimitive(QStyle::PE_Frame, &option, &TStylePainter(canvas).Get());
}

void TzxWinXPLookAndFeelPainter::PaintFooterCell(TPainterCanvas& canvas, const TRect& r, TColor background,
                                                 const TzxPainterText& text) const {
  if (!Themed(totTrackBar)) {
    TzxStandardLookAndFeelPainter::PaintFooterCell(canvas, r, background, text);
    return;
  }
  // A sunken panel of the widget style with the text inside.
  QStyleOptionFrame option;
  Prepare(option, r, zxbsNormal);
  option.lineWidth = 1;
  option.state |= QStyle::State_Sunken;
  option.palette.setColor(QPalette::Base, ToQColor(ColorToRGB(background == clDefault ? clBtnFace : background)));
  Desktop().drawPrimitive(QStyle::PE_PanelLineEdit, &option, &TStylePainter(canvas).Get());
  TzxPainterText t = text;
  t.Flags &= ~zxShowEndEllipsis;
  PaintThemedText(canvas, FooterCellTextBounds(r), t.Font, t.TextColor, t.Text, t.Flags, zxbsNormal);
}

void TzxWinXPLookAndFeelPainter::PaintSplitterBorder(TPainterCanvas& canvas, const TRect& rect, bool horizontal,
                                                     const TPainterBackground& background) const {
  if (!Themed(totComboBox) || !Themed(totListView)) {
    TzxStandardLookAndFeelPainter::PaintSplitterBorder(canvas, rect, horizontal, background);
    return;
  }
  // The two lines in the widget style's frame colour, the background between them one pixel
  // longer at each end.
  TRect r = rect;
  const TColor line = FromQColor(QApplication::palette().color(QPalette::Mid));
  canvas.FrameRect(r, line, horizontal ? zxBordTop | zxBordBottom : zxBordLeft | zxBordRight);
  if (horizontal)
    r.Top += 1, r.Bottom -= 1, r.Left -= 1, r.Right += 1;
  else
    r.Left += 1, r.Right -= 1, r.Top -= 1, r.Bottom += 1;
  canvas.FrameAndFill(r, background, 0, clDefault, 0);
}

void TzxWinXPLookAndFeelPainter::PaintFilterDropDownButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state,
                                                           bool active) const {
  if (!Themed(totComboBox)) {
    TzxStandardLookAndFeelPainter::PaintFilterDropDownButton(canvas, r, state, active);
    return;
  }
  QStyleOption option;
  Prepare(option, r, state);
  TStylePainter guard(canvas);
  QPainter& p = guard.Get();
  Desktop().drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p);
  if (active) option.palette.setColor(QPalette::ButtonText, QColor(0, 0, 255));
  Desktop().drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &p);
}

// ---------------------------------------------------------------- measures of the style's elements

int TzxWinXPLookAndFeelPainter::ButtonBorderWidth(TzxButtonState state) const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::ButtonBorderWidth(state);
  return PushButtonContent(Rect(0, 0, 100, 100), state).left();
}

TRect TzxWinXPLookAndFeelPainter::ButtonFocusBounds(const TRect& r) const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::ButtonFocusBounds(r);
  // A button too small for the style's margins keeps its whole rectangle as focus bounds.
  const QRect content = PushButtonContent(r, zxbsNormal);
  return content.isEmpty() ? r : Bounds(content.x(), content.y(), content.width(), content.height());
}

int TzxWinXPLookAndFeelPainter::HeaderBorderWidth() const {
  if (!Themed(totHeader)) return TzxStandardLookAndFeelPainter::HeaderBorderWidth();
  QStyleOptionHeader option;
  Prepare(option, Rect(0, 0, 100, 100), zxbsNormal);
  const QRect label = Desktop().subElementRect(QStyle::SE_HeaderLabel, &option);
  return (label.left() + label.top()) / 2;
}

int TzxWinXPLookAndFeelPainter::HeaderSectionBorderWidth(TzxButtonState state) const {
  return Themed(totHeader) ? HeaderBorderWidth() : TzxStandardLookAndFeelPainter::HeaderSectionBorderWidth(state);
}

int TzxWinXPLookAndFeelPainter::FooterCellBorderWidth() const {
  if (!Themed(totTrackBar)) return TzxStandardLookAndFeelPainter::FooterCellBorderWidth();
  // The footer cell is the style's sunken line-edit panel: its content starts inside its frame.
  QStyleOptionFrame option;
  Prepare(option, Rect(0, 0, 100, 100), zxbsNormal);
  option.lineWidth = Desktop().pixelMetric(QStyle::PM_DefaultFrameWidth);
  option.state |= QStyle::State_Sunken;
  return Desktop().subElementRect(QStyle::SE_LineEditContents, &option).left();
}

void TzxWinXPLookAndFeelPainter::PaintFooterBorder(TPainterCanvas& canvas, const TRect& r) const {
  if (!Themed(totEdit)) {
    TzxStandardLookAndFeelPainter::PaintFooterBorder(canvas, r);
    return;
  }
  // A one-pixel raised edge in the style's light and dark colours.
  const QPalette palette = QApplication::palette();
  canvas.DrawComplexFrame(r, FromQColor(palette.color(QPalette::Light)), FromQColor(palette.color(QPalette::Dark)));
}

namespace {

QSize CloseIndicatorSize() {
  return QSize(Desktop().pixelMetric(QStyle::PM_TabCloseIndicatorWidth),
               Desktop().pixelMetric(QStyle::PM_TabCloseIndicatorHeight));
}

}  // namespace

QPoint TzxWinXPLookAndFeelPainter::FilterCloseButtonExtent() const {
  if (!Themed(totWindow)) return TzxStandardLookAndFeelPainter::FilterCloseButtonExtent();
  const QSize size = CloseIndicatorSize();
  return QPoint(size.width() + 4, size.height() + 4);
}

void TzxWinXPLookAndFeelPainter::PaintFilterCloseButton(TPainterCanvas& canvas, const TRect& r,
                                                        TzxButtonState state) const {
  if (!Themed(totWindow)) {
    TzxStandardLookAndFeelPainter::PaintFilterCloseButton(canvas, r, state);
    return;
  }
  QStyleOption option;
  Prepare(option, r, state == zxbsDefault ? zxbsNormal : state);
  if (state == zxbsHot || state == zxbsPressed) option.state |= QStyle::State_Raised;
  Desktop().drawPrimitive(QStyle::PE_IndicatorTabClose, &option, &TStylePainter(canvas).Get());
}

QPoint TzxWinXPLookAndFeelPainter::FilterActivateButtonExtent() const {
  if (!Themed(totButton)) return TzxStandardLookAndFeelPainter::FilterActivateButtonExtent();
  return QPoint(Desktop().pixelMetric(QStyle::PM_IndicatorWidth), Desktop().pixelMetric(QStyle::PM_IndicatorHeight));
}

QPoint TzxWinXPLookAndFeelPainter::SmallButtonExtent(int n) const {
  if (n == 3) return QPoint(15, 15);
  if (n != 4 || !Themed(totExplorerBar)) return TzxStandardLookAndFeelPainter::SmallButtonExtent(n);
  // The image button: a tool button of the style around the pin image.
  const QImage& image = AutoHideImage(1);
  QStyleOptionToolButton option;
  option.palette = QApplication::palette();
  option.iconSize = image.size();
  option.toolButtonStyle = Qt::ToolButtonIconOnly;
  const QSize size = Desktop().sizeFromContents(QStyle::CT_ToolButton, &option, image.size());
  return QPoint(size.width(), size.height());
}

void TzxWinXPLookAndFeelPainter::PaintPlusButton(TPainterCanvas& canvas, const TRect& r, TzxButtonState state) const {
  if (!Themed(totButton)) {
    TzxStandardLookAndFeelPainter::PaintPlusButton(canvas, r, state);
    return;
  }
  PaintButtonFace(canvas, r, state);
  TRect glyph = r;
  InflateRect(glyph, -2, -2);
  if (state == zxbsDisabled) OffsetRect(glyph, 1, 1);
  PaintPlusGlyph(canvas, glyph, state);
}

}  // namespace zyn
