#include "widgets/bars/BarItemControls.h"

#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarUtils.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace zyn {

TCustomzbBarControl* BarWindowOf(const TzbBarItemControl& c) { return dynamic_cast<TCustomzbBarControl*>(&c.Parent()); }

namespace {

// Whether the window is alive and still holds the control (the pointer is not dereferenced).
bool ControlAlive(TCustomzbBarControl* window, const TzbBarItemControl* control) {
  if (!TCustomzbBarControl::IsAlive(window)) return false;
  const TzbBarItemLinks& links = window->ItemLinks();
  for (int i = 0; i < links.Count(); ++i)
    if (links.Items(i)->Control() == control) return true;
  return false;
}

bool ItemAlive(TzbBarManager& m, const TzbBarItem* item) { return m.IndexOfItem(item) >= 0; }

TzbBarButton* AsButton(TzbBarItem& item) {
  return item.InheritsFrom(TzbBarButton::kClassName) ? static_cast<TzbBarButton*>(&item) : nullptr;
}

// The library-wide timer of the sub-menu open and close delay and the control it serves.
struct TSubMenuTimer {
  QPointer<QTimer> Timer;
  TzbBarItemControl* Control = nullptr;
  TCustomzbBarControl* Window = nullptr;
  bool Open = false;
};

// Set while a menu is opened with the keyboard: such a menu is shown at once, without animation.
bool& KeyboardOpen() {
  static bool keyboard = false;
  return keyboard;
}

TSubMenuTimer& SubMenuTimer() {
  static TSubMenuTimer t;
  return t;
}

void StartSubMenuTimer(TzbBarItemControl& control, bool open) {
  TSubMenuTimer& t = SubMenuTimer();
  if (!t.Timer) {
    t.Timer = new QTimer(qApp);
    t.Timer->setSingleShot(true);
    QObject::connect(t.Timer, &QTimer::timeout, []() {
      TSubMenuTimer& st = SubMenuTimer();
      TzbBarItemControl* c = st.Control;
      TCustomzbBarControl* w = st.Window;
      const bool open = st.Open;
      st.Control = nullptr;
      st.Window = nullptr;
      if (!c || !ControlAlive(w, c)) return;
      try {
        if (open)
          c->ControlActivate(true);
        else
          c->ControlInactivate(true);
      } catch (...) {
        // a failing handler must not escape the timer
      }
    });
  }
  t.Timer->stop();
  t.Control = &control;
  t.Window = BarWindowOf(control);
  t.Open = open;
  t.Timer->start(TzbBarSubItemControl::SubMenuDelay);
}

int TextWidth(const TzbBarItemControl& c, const std::string& text) {
  return c.Parent().Canvas().TextWidth(ToQString(text));
}

}  // namespace

int MenuLineAdjust(const TzbBarManager& manager) {
  switch (manager.GetRealStyle()) {
    case bmsFlat:
    case bmsOffice11:
      return 2;
    case bmsXP:
      return 1;
    default:
      return 0;
  }
}

// The German key names of the keyboard, as menus show them ("Strg+N", "Umschalt+Entf").
QString ShortCutToText(TShortCut shortCut) {
  if (shortCut == 0) return QString();
  const int vk = shortCut & 0xFF;
  QString name;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
    name = QChar(vk);
  else if (vk >= 0x70 && vk <= 0x87)
    name = QStringLiteral("F%1").arg(vk - 0x70 + 1);
  else {
    switch (vk) {
      case 0x08:
        name = QString::fromUtf8("Rücktaste");
        break;
      case 0x09:
        name = QStringLiteral("Tab");
        break;
      case 0x0D:
        name = QStringLiteral("Eingabe");
        break;
      case 0x1B:
        name = QStringLiteral("Esc");
        break;
      case 0x20:
        name = QStringLiteral("Leertaste");
        break;
      case 0x21:
        name = QStringLiteral("Bild auf");
        break;
      case 0x22:
        name = QStringLiteral("Bild ab");
        break;
      case 0x23:
        name = QStringLiteral("Ende");
        break;
      case 0x24:
        name = QStringLiteral("Pos1");
        break;
      case 0x25:
        name = QStringLiteral("Links");
        break;
      case 0x26:
        name = QStringLiteral("Nach oben");
        break;
      case 0x27:
        name = QStringLiteral("Rechts");
        break;
      case 0x28:
        name = QStringLiteral("Nach unten");
        break;
      case 0x2D:
        name = QStringLiteral("Einfg");
        break;
      case 0x2E:
        name = QStringLiteral("Entf");
        break;
      default:
        return QString();
    }
  }
  QString text;
  if (shortCut & scShift) text += QStringLiteral("Umschalt+");
  if (shortCut & scCtrl) text += QStringLiteral("Strg+");
  if (shortCut & scAlt) text += QStringLiteral("Alt+");
  return text + name;
}

// ---------------------------------------------------------------- base control on screen

bool TzbBarItemControl::IsSelected() const {
  return fParent->SelectedControl() == this && (Enabled() || !SelectedByMouse);
}

TzbBarItemLink& TzbBarItemControl::SourceLink() const { return fLink->SourceLink ? *fLink->SourceLink : *fLink; }

void TzbBarItemControl::Click(bool byMouse) {
  if (!Enabled()) return;
  TCustomzbBarControl* w = BarWindowOf(*this);
  BeforeClick(byMouse);
  if (w && !ControlAlive(w, this)) return;
  DoClick();
}

void TzbBarItemControl::DoClick() {
  TzbBarWindow& parent = Parent();
  TCustomzbBarControl* w = BarWindowOf(*this);
  TzbBarManager& m = parent.Manager();
  TzbBarItem* item = &Item();
  TzbBarItemLink* src = &SourceLink();
  TzbBarItemLink* own = &Link();
  const bool closes = CanCloseMenus();
  const bool clicks = CanClickItem();
  if (closes) {
    try {
      src->UseLink(true);
      if (src != own) own->UseLink(true);
    } catch (...) {
      // counting the use must not stop the click
    }
  }
  const TzbBarButton* button = AsButton(*item);
  const bool unclick = !button || button->UnclickAfterDoing;
  bool pressedHere = false;
  if (unclick && (!closes || !parent.IsMenu())) {
    Pressed = true;
    pressedHere = true;
    parent.RepaintControl(*this);
  }
  if (closes) parent.HideAll();
  if (clicks && ItemAlive(m, item)) {
    item->ClickItemLink = src;
    item->DirectClick();
    if (ItemAlive(m, item)) item->ClickItemLink = nullptr;
  }
  if (pressedHere && (!w || ControlAlive(w, this))) {
    Pressed = false;
    parent.RepaintControl(*this);
  }
}

// ---------------------------------------------------------------- buttons

TzbBarButtonControl::~TzbBarButtonControl() {
  if (SubMenuTimer().Control == this) TzbBarSubItemControl::CancelPending();
}

TzbBarPaintStyle TzbBarButtonControl::EffectivePaintStyle() const {
  TzbBarPaintStyle ps = Link().RealPaintStyle();
  if (!Parent().IsMenu() && ps == psStandard && !HasImage()) ps = psCaption;
  return ps;
}

bool TzbBarButtonControl::HasImage() const {
  return !Link().RealGlyph().isNull() || Item().IsImageAssigned(Parent().Manager().ImageCount);
}

int TzbBarButtonControl::GetDropDownWidth() const {
  if (auto* menu = dynamic_cast<const TzbBarSubMenuControl*>(&Parent())) return menu->DropArrowWidth();
  return Parent().Manager().DropArrowWidth();
}

int TzbBarButtonControl::GetHeightInLine() const {
  const TzbBarWindow& w = Parent();
  const TzbBarManager& m = w.Manager();
  const auto* bw = dynamic_cast<const TCustomzbBarControl*>(&w);
  const int lineHeight = bw ? bw->LineHeight() : w.ItemHeight();
  int h;
  if (w.IsMenu()) {
    h = lineHeight + MenuLineAdjust(m);
  } else {
    const TzbBarPaintStyle ps = EffectivePaintStyle();
    const bool rotated = w.IsVertical() && w.Bar() && w.Bar()->RotateWhenVertical;
    const int extent = rotated ? m.ButtonWidth() : m.ButtonHeight();
    h = (ps == psCaption || ps == psCaptionGlyph) ? std::max(lineHeight, extent) : extent;
  }
  const TzbBarButton* b = AsButton(Item());
  if (b && b->Lowered()) h += 2 * m.PainterClass().GetLoweredBorderSize();
  return h;
}

int TzbBarButtonControl::GetWidthInLine() const {
  const TzbBarWindow& w = Parent();
  const TzbBarManager& m = w.Manager();
  const auto* bw = dynamic_cast<const TCustomzbBarControl*>(&w);
  const int lineHeight = bw ? bw->LineHeight() : w.ItemHeight();
  int width;
  const std::string caption = StripAmpersands(Link().RealCaption());
  if (w.IsMenu()) {
    width = TextWidth(*this, caption) + 2 * lineHeight + 6;
    if (const TShortCut shortCut = ShownShortCut())
      width += const_cast<TzbBarWindow&>(w).Canvas().TextWidth(ShortCutToText(shortCut)) + lineHeight - 6;
  } else {
    const TzbBarPaintStyle ps = EffectivePaintStyle();
    const bool rotated = w.IsVertical() && w.Bar() && w.Bar()->RotateWhenVertical;
    if (ps == psCaption || ps == psCaptionGlyph)
      width = TextWidth(*this, caption) +
              (ps == psCaption ? w.FontPointSize() : (rotated ? m.ButtonHeight() : m.ButtonWidth()) + 4);
    else
      width = m.ButtonWidth();
  }
  const TzbBarButton* b = AsButton(Item());
  if (b && b->Lowered()) width += 2 * m.PainterClass().GetLoweredBorderSize();
  return width;
}

TShortCut TzbBarButtonControl::ShownShortCut() const { return Item().ShortCut(); }

int TzbBarButtonControl::GetHeight() const {
  const TzbBarWindow& w = Parent();
  const TzbBarPaintStyle ps = EffectivePaintStyle();
  const bool caption = ps == psCaption || ps == psCaptionGlyph;
  if (!w.IsMenu() && w.IsVertical() && w.Bar() && w.Bar()->RotateWhenVertical && caption) return GetWidthInLine();
  return GetHeightInLine();
}

int TzbBarButtonControl::GetWidth() const {
  const TzbBarWindow& w = Parent();
  const TzbBarPaintStyle ps = EffectivePaintStyle();
  const bool caption = ps == psCaption || ps == psCaptionGlyph;
  int width = (!w.IsMenu() && w.IsVertical() && w.Bar() && w.Bar()->RotateWhenVertical && caption) ? GetHeightInLine()
                                                                                                   : GetWidthInLine();
  const TzbBarButton* b = AsButton(Item());
  if (b && b->ButtonStyle() == bsDropDown && !w.IsMenu()) width += GetDropDownWidth();
  return width;
}

bool TzbBarButtonControl::CanCloseMenus() const {
  if (!Parent().IsMenu()) return true;
  const TzbBarButton* b = AsButton(Item());
  return !b || b->CloseSubMenuOnClick;
}

bool TzbBarButtonControl::MouseOnDropDownPart() const {
  const TzbBarButton* b = AsButton(Item());
  if (!b || b->ButtonStyle() != bsDropDown || !Enabled()) return false;
  if (!(QApplication::mouseButtons() & Qt::LeftButton)) return false;
  const TCustomzbBarControl* w = BarWindowOf(*this);
  if (!w) return false;
  const TRect r = w->GetItemRect(this);
  const TPoint p = w->ScreenToClient(BarCursorPos());
  return PtInRect(Rect(r.Right - GetDropDownWidth(), r.Top, r.Right, r.Bottom), p);
}

void TzbBarButtonControl::BeforeClick(bool byMouse) {
  if (byMouse && MouseOnDropDownPart()) {
    DropDown(true);
    return;
  }
  Parent().RepaintControl(*this);
}

void TzbBarButtonControl::DoClick() {
  if (fDroppedDown) return;
  // A check button toggles its Down state in the item's click (once per click).
  ControlInactivate(false);
  if (Parent().IsMenu()) PlayBarSound(1);
  TzbBarItemControl::DoClick();
}

void TzbBarButtonControl::ControlInactivate(bool force) {
  Active = false;
  if (fDroppedDown) {
    TzbBarButton* b = AsButton(Item());
    if (b && b->DropDownMenu && b->DropDownMenu->BarControl()) b->DropDownMenu->DestroyBarControl();
    fDroppedDown = false;
  }
}

bool TzbBarButtonControl::KeyDown(int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Right && key != Qt::Key_Down) return false;
  const TzbBarButton* b = AsButton(Item());
  if (!b || b->ButtonStyle() != bsDropDown || !b->DropDownMenu) return false;
  DropDown(false);
  return true;
}

void TzbBarButtonControl::DropDown(bool byMouse) {
  TzbBarButton* b = AsButton(Item());
  if (fDroppedDown || !Enabled() || !b || !b->DropDownEnabled() || !b->DropDownMenu) return;
  TCustomzbBarControl* w = BarWindowOf(*this);
  if (!w) return;
  fDroppedDown = true;
  Active = true;
  w->Invalidate();
  TzbBarItemLinks& links = *b->DropDownMenu;
  links.CreateBarControl();
  auto* menu = dynamic_cast<TzbBarSubMenuControl*>(links.BarControl());
  if (!menu) {
    fDroppedDown = false;
    return;
  }
  const TRect r = w->GetItemRect(this);
  const TPoint tl = w->ClientToScreen(r.TopLeft());
  const TzbBarItemControlPainter& p = w->Manager().PainterClass();
  menu->OwnerControl = this;
  menu->ParentBar = w;
  menu->AnimationAllowed = byMouse;
  w->ChildMenu = menu;
  if (w->IsMenu() || w->IsVertical())
    menu->ShowAt(Point(tl.X + r.Width(), tl.Y - (w->IsMenu() ? p.GetSubMenuOverlap() : 0)), r.Width(), 0);
  else {
    menu->OwnerRect = Bounds(tl.X, tl.Y, r.Width(), r.Height());
    menu->ShowAt(Point(tl.X, tl.Y + r.Height()), 0, r.Height());
  }
}

void TzbBarButtonControl::CloseDropDown() {
  fDroppedDown = false;
  Active = false;
  Parent().RepaintControl(*this);
}

void TzbBarButtonControl::Paint(const TRect& rect, int view) {
  if (rect.Left == rect.Right) return;
  TzbBarWindow& w = Parent();
  TCanvas& dc = w.Canvas();
  const TzbBarItemControlPainter& p = w.Manager().PainterClass();
  const TzbBarButton* b = AsButton(Item());
  TRect r = rect;
  if (b && b->Lowered()) p.DrawLoweredFrame(*this, dc, r);
  const bool down = b && b->Down();
  const TzbBarPaintStyle ps = EffectivePaintStyle();
  if (view == 1) {
    p.DrawMenuButton(*this, dc, r, IsDrawnSelected(), down, ps == psStandard || ps == psCaptionGlyph);
    if (const TShortCut shortCut = ShownShortCut()) {
      const bool notSelected = p.UsesFlatSelection() && ColorToRGB(clBtnFace) != 0xFFFFFF;
      p.DrawCaption(*this, dc, ShortCutToText(shortCut),
                    Rect(r.Left, r.Top, r.Right - r.Height() - 5, r.Bottom), 2, Enabled(), IsDrawnSelected(), false,
                    false, notSelected);
    }
    return;
  }
  const bool dropStyle = b && b->ButtonStyle() == bsDropDown;
  TRect br = r;
  if (dropStyle) br.Right -= GetDropDownWidth();
  const bool pressedLook = Pressed && !(b && b->ButtonStyle() == bsChecked) && !fDroppedDown;
  TzbButtonState s;
  s.View = view;
  s.Selected = IsDrawnSelected();
  s.Pressed = pressedLook;
  s.Down = down || (p.UsesFlatSelection() && fDroppedDown);
  s.DropDown = dropStyle;
  s.DropDownOpen = fDroppedDown;
  if (fDroppedDown && dropStyle) s.OpenRect = r;
  p.DrawButton(*this, br, s, ps == psCaption);
  if (ps == psCaption || ps == psCaptionGlyph) {
    TRect cr = br;
    const TzbBarManager& m = w.Manager();
    const int indent = ps == psCaption ? w.FontPointSize() / 2 : (view == 2 ? m.ButtonHeight() : m.ButtonWidth());
    if (view == 2)
      cr.Top += indent;
    else
      cr.Left += indent;
    p.OffsetCaptionForDown(*this, pressedLook, down, cr);
    bool selLook = p.UsesFlatSelection() && p.HighlightsDownCaption() && (pressedLook || (down && IsDrawnSelected()));
    if (ColorToRGB(clBtnFace) == 0xFFFFFF && p.UsesFlatSelection() && (pressedLook || down || IsDrawnSelected()) &&
        !fDroppedDown)
      selLook = true;
    p.DrawCaption(*this, dc, ToQString(Link().RealCaption()), cr, 0, Enabled(), selLook, view == 2, false, !selLook);
  }
  if (dropStyle) {
    int arrowColor = 0;
    TBrush brush = w.CurrentBrush();
    p.GetDropButtonColors(*this, IsDrawnSelected(), fDroppedDown, arrowColor, brush);
    s.OpenRect = TRect{};
    p.DrawDropDownPart(*this, dc, Rect(r.Right - GetDropDownWidth(), r.Top, r.Right, r.Bottom), s, b->DropDownEnabled(),
                       brush);
  }
}

// ---------------------------------------------------------------- sub-items

int TzbBarSubItemControl::SubMenuDelay = 400;

TzbBarItemControl* TzbBarSubItemControl::PendingControl() { return SubMenuTimer().Control; }

void TzbBarSubItemControl::CancelPending() {
  TSubMenuTimer& t = SubMenuTimer();
  if (t.Timer) t.Timer->stop();
  t.Control = nullptr;
  t.Window = nullptr;
}

TzbBarSubItemControl::~TzbBarSubItemControl() {
  if (SubMenuTimer().Control == this) CancelPending();
  TzbBarItemLinks* links = MenuLinks();
  TzbBarSubMenuControl* menu = GetSubMenuWindow();
  if (menu && links && !Parent().Manager().IsDestroying()) {
    if (TCustomzbBarControl* w = BarWindowOf(*this); w && w->ChildMenu == menu) w->ChildMenu = nullptr;
    menu->OwnerControl = nullptr;
    links->DestroyBarControl();
  }
}

TzbBarItemLinks* TzbBarSubItemControl::MenuLinks() const { return SubItemLinksOf(Item()); }

TzbBarSubMenuControl* TzbBarSubItemControl::GetSubMenuWindow() const {
  TzbBarItemLinks* links = MenuLinks();
  auto* menu = links ? dynamic_cast<TzbBarSubMenuControl*>(links->BarControl()) : nullptr;
  return menu && menu->OwnerControl == this ? menu : nullptr;
}

int TzbBarSubItemControl::GetWidth() const {
  const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
  const bool rotated =
      !Parent().IsMenu() && Parent().IsVertical() && Parent().Bar() && Parent().Bar()->RotateWhenVertical;
  return rotated ? p.GetSubItemHeight(*this) : p.GetSubItemWidth(*this);
}

int TzbBarSubItemControl::GetHeight() const {
  const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
  const bool rotated =
      !Parent().IsMenu() && Parent().IsVertical() && Parent().Bar() && Parent().Bar()->RotateWhenVertical;
  int h = rotated ? p.GetSubItemWidth(*this) : p.GetSubItemHeight(*this);
  if (Parent().IsMenu() && !rotated) h += MenuLineAdjust(Parent().Manager());
  return h;
}

void TzbBarSubItemControl::Paint(const TRect& r, int view) {
  if (IsRectEmpty(r)) return;
  Parent().Manager().PainterClass().DrawSubItem(*this, Parent().Canvas(), view, IsDrawnSelected(),
                                                Active && GetSubMenuWindow() != nullptr, r);
}

void TzbBarSubItemControl::ControlActivate(bool byMouse) {
  TzbBarItemLinks* links = MenuLinks();
  if (!links) return;
  if (auto* open = dynamic_cast<TzbBarSubMenuControl*>(links->BarControl())) {
    if (open->OwnerControl != this) {
      if (open->OwnerControl)
        open->OwnerControl->ControlInactivate(true);
      else
        links->DestroyBarControl();
    } else {
      if (PendingControl() == this) CancelPending();
      return;
    }
  }
  TCustomzbBarControl* w = BarWindowOf(*this);
  if (!w || !ControlAlive(w, this)) return;
  Active = true;
  TzbBarManager& m = Parent().Manager();
  if (!Enabled() && !m.Designing) return;
  if (!Parent().IsMenu()) {
    if (!m.IsCustomizing() && !w->OpensMenus()) return;
  } else if (!byMouse && !m.IsCustomizing()) {
    if (TzbBarItemControl* pending = PendingControl(); pending && pending != this) {
      TCustomzbBarControl* pw = SubMenuTimer().Window;
      CancelPending();
      if (pw != w && ControlAlive(pw, pending)) pending->ControlInactivate(true);
      if (!ControlAlive(w, this)) return;
    }
    StartSubMenuTimer(*this, true);
    return;
  }
  OpenMenu();
}

void TzbBarSubItemControl::OpenMenu() {
  TCustomzbBarControl* w = BarWindowOf(*this);
  TzbBarItem& item = Item();
  TzbBarManager& m = Parent().Manager();
  if (PendingControl() == this) CancelPending();
  if (item.InheritsFrom(TCustomzbBarSubItem::kClassName)) {
    auto& si = static_cast<TCustomzbBarSubItem&>(item);
    if (si.OnPopup) si.OnPopup(si);
    if (!ControlAlive(w, this)) return;
  }
  item.DirectClick();
  if (!ControlAlive(w, this) || !ItemAlive(m, &item)) return;
  if (w->ChildMenu && w->ChildMenu->OwnerControl != this) {
    TzbBarSubMenuControl* other = w->ChildMenu;
    if (other->OwnerControl)
      other->OwnerControl->ControlInactivate(true);
    else
      other->Close();
    if (!ControlAlive(w, this)) return;
  }
  MenuOpening();
  if (!ControlAlive(w, this)) return;
  TzbBarItemLinks* links = MenuLinks();
  if (!links) return;
  links->CreateBarControl();
  auto* menu = dynamic_cast<TzbBarSubMenuControl*>(links->BarControl());
  if (!menu) return;
  menu->OwnerControl = this;
  menu->ParentBar = w;
  menu->AnimationAllowed = !KeyboardOpen();
  w->ChildMenu = menu;
  const TRect r = w->GetItemRect(this);
  const TPoint tl = w->ClientToScreen(r.TopLeft());
  const TRect screen = Bounds(tl.X, tl.Y, r.Width(), r.Height());
  if (!w->IsMenu()) {
    menu->OwnerRect = screen;
    w->Invalidate();
  }
  if (w->IsMenu()) {
    menu->ShowAt(Point(screen.Right, screen.Top - m.PainterClass().GetSubMenuOverlap()), r.Width(), 0);
  } else if (w->IsVertical()) {
    menu->ShowAt(Point(screen.Right, screen.Top), r.Width(), 0);
  } else {
    menu->ShowAt(Point(screen.Left, screen.Bottom), 0, r.Height());
  }
}

void TzbBarSubItemControl::ControlInactivate(bool force) {
  TCustomzbBarControl* w = BarWindowOf(*this);
  TzbBarManager& m = Parent().Manager();
  TzbBarSubMenuControl* menu = GetSubMenuWindow();
  if (Parent().IsMenu() && !force && menu && !PendingControl() && !m.IsCustomizing()) {
    StartSubMenuTimer(*this, false);
    return;
  }
  Active = false;
  if (PendingControl() == this) CancelPending();
  if (menu) {
    if (w && w->ChildMenu == menu) w->ChildMenu = nullptr;
    menu->OwnerControl = nullptr;
    if (TzbBarItemLinks* links = MenuLinks()) links->DestroyBarControl();
    if (!ControlAlive(w, this)) return;
  }
  if (!Parent().IsMenu()) Parent().RepaintControl(*this);
  if (menu && Item().InheritsFrom(TCustomzbBarSubItem::kClassName)) {
    auto& si = static_cast<TCustomzbBarSubItem&>(Item());
    if (si.OnCloseUp) si.OnCloseUp(si);
  }
}

void TzbBarSubItemControl::BeforeClick(bool byMouse) {
  TCustomzbBarControl* w = BarWindowOf(*this);
  TzbBarManager& m = Parent().Manager();
  if (GetSubMenuWindow()) {
    if (m.IsCustomizing() || m.GetRealStyle() == bmsStandard) ControlInactivate(true);
    return;
  }
  KeyboardOpen() = !byMouse;
  ControlActivate(true);
  KeyboardOpen() = false;
  if (!byMouse && ControlAlive(w, this)) {
    if (TzbBarSubMenuControl* menu = GetSubMenuWindow()) {
      if (TzbBarItemLink* first = menu->ItemLinks().FirstSelectable(); first && first->Control())
        menu->SelectItem(first->Control());
    }
  }
}

bool TzbBarSubItemControl::KeyDown(int key) {
  if (key != Qt::Key_Right || !Parent().IsMenu()) return false;
  Click(false);
  return true;
}

bool TzbBarContainerItemControl::CanSelect() const { return !Parent().IsMenu() && Enabled(); }

void TzbBarContainerItemControl::Paint(const TRect& r, int view) {
  if (view == 1) {
    if (IsRectEmpty(r)) return;
    Parent().Manager().PainterClass().DrawMenuButton(*this, Parent().Canvas(), r, false, false, true);
    return;
  }
  TzbBarSubItemControl::Paint(r, view);
}

}  // namespace zyn
