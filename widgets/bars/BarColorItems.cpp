#include "widgets/bars/BarColorItems.h"

#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"
#include "widgets/bars/BarTexts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <set>

namespace zyn {

namespace {


// A list entry's colours: the highlight for the selected entry, else the canvas's own.
void UseEntryColors(TCanvas& canvas, bool selected) {
  canvas.Brush.Style = bsSolid;
  if (!selected) return;
  canvas.Brush.Color = clHighlight;
  canvas.Font.Color = clHighlightText;
}

// The text drawn at x, centred vertically in r.
void TextCentered(TCanvas& canvas, const TRect& r, int x, const QString& text) {
  canvas.TextOut(x, r.Top + (r.Height() - canvas.TextHeight(QStringLiteral("0"))) / 2, text);
}

// Whether one of the item's controls is being edited.
bool AnyLinkFocused(const TzbBarItem& item) {
  for (int i = 0; i < item.LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarEditControl*>(item.GetLink(i)->Control()); c && c->Focused()) return true;
  return false;
}

int ZeroHeight(const TzbBarManager& m) { return QFontMetrics(m.BarFont()).height(); }

}  // namespace

std::vector<TzbColorEntry> ColorComboTable() {
  static const TzbColorEntry kColors[] = {
      {clBlack, "Black"}, {clMaroon, "Maroon"}, {clGreen, "Green"},   {clOlive, "Olive"},
      {clNavy, "Navy"},   {clPurple, "Purple"}, {clTeal, "Teal"},     {clGray, "Gray"},
      {clSilver, "Silver"}, {clRed, "Red"},     {clLime, "Lime"},     {clYellow, "Yellow"},
      {clBlue, "Blue"},   {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
  };
  std::vector<TzbColorEntry> table;
  for (const TzbColorEntry& e : kColors) table.push_back({e.Color, BarText(e.Name.c_str())});
  return table;
}

QImage ComboKindGlyph(const char* kind) {
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  const QColor dark(64, 64, 64);
  if (TzbBarItem::IsClassName(kind, "color")) {
    const QColor colors[4] = {QColor(255, 0, 0), QColor(0, 160, 0), QColor(0, 0, 255), QColor(255, 220, 0)};
    for (int i = 0; i < 4; ++i) {
      const QRect cell(1 + (i % 2) * 7, 1 + (i / 2) * 7, 7, 7);
      p.fillRect(cell, dark);
      p.fillRect(cell.adjusted(1, 1, -1, -1), colors[i]);
    }
  } else if (TzbBarItem::IsClassName(kind, "font")) {
    p.drawImage(1, 1, TzbBarFontNameCombo::TrueTypeSign(true));
  } else if (TzbBarItem::IsClassName(kind, "image")) {
    p.fillRect(1, 2, 14, 12, dark);
    p.fillRect(2, 3, 12, 10, QColor(170, 210, 255));
    p.fillRect(3, 9, 10, 3, QColor(0, 128, 0));
    p.fillRect(10, 4, 3, 3, QColor(255, 200, 0));
  } else if (TzbBarItem::IsClassName(kind, "tree")) {
    p.fillRect(3, 4, 1, 9, dark);
    p.fillRect(3, 8, 5, 1, dark);
    p.fillRect(3, 12, 5, 1, dark);
    for (const QRect& box : {QRect(1, 1, 5, 4), QRect(8, 6, 5, 4), QRect(8, 10, 5, 4)}) {
      p.fillRect(box, dark);
      p.fillRect(box.adjusted(1, 1, -1, -1), QColor(255, 255, 255));
    }
  } else {
    return {};
  }
  return glyph;
}

// ---------------------------------------------------------------- colour combo

namespace {
const char* const kAutoColorText = "(automatic)";
const char* const kCustomColorText = "(custom)";
}  // namespace

namespace {

// The shared dialogs; freed when the application quits.
template <typename Dialog>
Dialog& SharedDialog(Dialog*& slot) {
  if (!slot) {
    slot = new Dialog;
    slot->setOption(Dialog::DontUseNativeDialog);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&slot] {
      delete slot;
      slot = nullptr;
    });
  }
  return *slot;
}

QColorDialog* gColorDialog = nullptr;
QFontDialog* gFontDialog = nullptr;

}  // namespace

QColorDialog& SharedColorDialog() { return SharedDialog(gColorDialog); }
QFontDialog& SharedFontDialog() { return SharedDialog(gFontDialog); }

std::function<bool(QDialog&)> RunSharedComboDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };

std::function<bool(TColor&)> TzbBarColorCombo::RunColorDialog = [](TColor& color) {
  QColorDialog& dialog = SharedColorDialog();
  dialog.setCurrentColor(ToQColor(color));
  if (!RunSharedComboDialog(dialog)) return false;
  color = FromQColor(dialog.currentColor());
  return true;
};

TzbBarColorCombo::TzbBarColorCombo(TzbBarManager& manager)
    : TzbBarCustomCombo(manager), fAutoColorText(BarText(kAutoColorText)), fCustomColorText(BarText(kCustomColorText)) {
  DropDownCount = 16;
  fHideEditor = true;
  SetGlyph(ComboKindGlyph("color"));
  BuildColorList();
  SetItemIndex(0);
}

bool TzbBarColorCombo::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarCustomCombo::InheritsFrom(c);
}

bool TzbBarColorCombo::StoresAutoColorText() const { return fAutoColorText != BarText(kAutoColorText); }
bool TzbBarColorCombo::StoresCustomColorText() const { return fCustomColorText != BarText(kCustomColorText); }

void TzbBarColorCombo::BuildColorList() {
  std::vector<std::string> items;
  if (fShowAutoColor) items.push_back(fAutoColorText);
  for (const TzbColorEntry& e : ColorComboTable()) items.emplace_back(e.Name);
  SetItems(items);
}

TColor TzbBarColorCombo::ColorOfIndex(int index) const {
  if (index < 0 || index >= static_cast<int>(Items().size())) return fColor;
  if (fShowAutoColor) {
    if (index == 0) return fAutoColor;
    --index;
  }
  return ColorComboTable()[index].Color;
}

int TzbBarColorCombo::IndexOfColor(TColor color) const {
  if (fShowAutoColor && color == fAutoColor) return 0;
  const TColor rgb = ColorToRGB(color);
  const auto& table = ColorComboTable();
  for (size_t i = 0; i < table.size(); ++i)
    if (ColorToRGB(table[i].Color) == rgb) return static_cast<int>(i) + (fShowAutoColor ? 1 : 0);
  return -1;
}

void TzbBarColorCombo::Change() {
  if (!fSettingColor) fColor = ColorOfIndex(ItemIndex());
  TzbBarCustomCombo::Change();
}

void TzbBarColorCombo::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  fSettingColor = true;
  const int index = IndexOfColor(value);
  if (index == ItemIndex()) {
    UpdateControls();
    Change();
  } else {
    SetItemIndex(index);
  }
  fSettingColor = false;
}

void TzbBarColorCombo::SetShowAutoColor(bool value) {
  if (value == fShowAutoColor) return;
  const bool old = fShowAutoColor;
  fShowAutoColor = value;
  fSettingColor = true;
  std::vector<std::string> items = Items();
  if (value)
    items.insert(items.begin(), fAutoColorText);
  else if (!items.empty())
    items.erase(items.begin());
  SetItems(items);
  if (DropDownCount == 16 + (old ? 1 : 0)) DropDownCount = 16 + (value ? 1 : 0);
  SetItemIndex(IndexOfColor(fColor));
  fSettingColor = false;
  UpdateControls();
}

void TzbBarColorCombo::SetAutoColor(TColor value) {
  if (value == fAutoColor) return;
  fAutoColor = value;
  if (fShowAutoColor) {
    fSettingColor = true;
    SetItemIndex(IndexOfColor(fColor));
    fSettingColor = false;
  }
  UpdateControls();
}

void TzbBarColorCombo::SetAutoColorText(const std::string& value) {
  if (value == fAutoColorText) return;
  fAutoColorText = value;
  if (!fShowAutoColor) return;
  std::vector<std::string> items = Items();
  if (!items.empty()) items[0] = value;
  fSettingColor = true;
  SetItems(items);
  fSettingColor = false;
  UpdateControls();
}

void TzbBarColorCombo::SetCustomColorText(const std::string& value) {
  if (value == fCustomColorText) return;
  fCustomColorText = value;
  UpdateControls();
}

void TzbBarColorCombo::SetShowCustomColorButton(bool value) {
  if (value == fShowCustomColorButton) return;
  fShowCustomColorButton = value;
  UpdateControls();
}

void TzbBarColorCombo::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) {
  if (OnDrawItem) return TzbBarCustomCombo::DrawItem(canvas, index, rect, selected);
  const bool entry = index >= 0 && index < static_cast<int>(Items().size());
  const QString text = ToQString(entry ? Items()[index] : index < 0 ? fCustomColorText : std::string());
  // A system colour of the edit part has no box: it has no fixed look.
  const bool box = !(index < 0 && IsSystemColor(fColor));
  UseEntryColors(canvas, selected && !PaintingInEdit);
  TRect textRect = rect;
  if (box) textRect.Left = rect.Left + 30;
  canvas.FillRect(textRect);
  TextCentered(canvas, textRect, textRect.Left + 1, text);
  if (box) {
    const TBrush saved = canvas.Brush;
    TRect b = Rect(rect.Left, rect.Top, textRect.Left, rect.Bottom);
    canvas.FrameRect(b);
    InflateRect(b, -1, -1);
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(b);
    InflateRect(b, -1, -1);
    canvas.Brush.Color = ColorOfIndex(index);
    canvas.FillRect(b);
    canvas.Brush = saved;
  }
  if (selected && !PaintingInEdit) canvas.DrawFocusRect(rect);
}

void TzbBarColorCombo::MeasureItem(int index, int& height) {
  if (OnMeasureItem) return TzbBarCustomCombo::MeasureItem(index, height);
  height = ZeroHeight(BarManager()) + 4;
}

void TzbBarColorCombo::MeasureItemWidth(int index, int& width) {
  TzbBarCustomCombo::MeasureItemWidth(index, width);
  width += 30;
}

void TzbBarColorCombo::PressCustomColorButton() {
  fCustomColorPending = true;
  fPendingColor = fColor;
}

void TzbBarColorCombo::DoClick() {
  TzbBarCustomCombo::DoClick();
  if (!OnClick && !ReadOnly) {
    TColor c = fCustomColorPending ? fPendingColor : fColor;
    if (RunColorDialog(c)) SetColor(c);
  }
  fCustomColorPending = false;
}

// ---------------------------------------------------------------- colour combo control

TzbBarColorCombo& TzbBarColorComboControl::ColorCombo() const { return static_cast<TzbBarColorCombo&>(Item()); }

void TzbBarColorComboControl::Paint(const TRect& r, int view) {
  TRect combo = r;
  fButtonInner = TRect{};
  if (ColorCombo().ShowCustomColorButton()) {
    const int b = CustomButtonWidth(r.Height());
    if (b < r.Width() / 2) {
      combo.Right -= b;
      const TRect strip = Rect(combo.Right, r.Top, r.Right, r.Bottom);
      const bool selected = IsSelected() && !Parent().Manager().IsCustomizing();
      Parent().Manager().PainterClass().DrawColorComboButton(*this, Parent().Canvas(), strip, fButtonInner,
                                                             selected || fButtonHeld, fButtonHeld);
    }
  }
  TzbBarComboControl::Paint(combo, view);
}

void TzbBarColorComboControl::ClickCustomButton() {
  TzbBarColorCombo& item = ColorCombo();
  TCustomzbBarControl* w = Window();
  const bool inMenu = Parent().IsMenu();
  item.PressCustomColorButton();
  if (inMenu && w) {
    w->HideAll();
  } else {
    fButtonHeld = true;
    Parent().RepaintControl(*this);
  }
  item.DirectClick();
  if (inMenu || !w || !TCustomzbBarControl::IsAlive(w)) return;
  // The dialog may have rebuilt the bar: only a control the window still holds is touched.
  const TzbBarItemLinks& links = w->ItemLinks();
  for (int i = 0; i < links.Count(); ++i)
    if (links.Items(i)->Control() == this) {
      fButtonHeld = false;
      Parent().RepaintControl(*this);
      return;
    }
}

void TzbBarColorComboControl::BeforeClick(bool byMouse) {
  if (byMouse && !IsRectEmpty(fButtonInner)) {
    if (TCustomzbBarControl* w = Window()) {
      const TPoint p = w->ScreenToClient(BarCursorPos());
      TRect hit = fButtonInner;
      InflateRect(hit, 1, 1);
      if (PtInRect(hit, p)) {
        ClickCustomButton();
        return;
      }
    }
  }
  TzbBarComboControl::BeforeClick(byMouse);
}

bool TzbBarColorComboControl::EditKeyDown(QKeyEvent& e) {
  if ((e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) && (e.modifiers() & Qt::ControlModifier)) {
    SetFocused(false, true);
    ClickCustomButton();
    return true;
  }
  return TzbBarComboControl::EditKeyDown(e);
}

// ---------------------------------------------------------------- font-name combo

std::function<bool(std::string&)> TzbBarFontNameCombo::RunFontDialog = [](std::string& family) {
  QFontDialog& dialog = SharedFontDialog();
  // Only the name changes: the size and style stay as chosen last.
  QFont font = dialog.currentFont();
  font.setFamily(ToQString(family));
  dialog.setCurrentFont(font);
  if (!RunSharedComboDialog(dialog)) return false;
  family = FromQString(dialog.currentFont().family());
  return true;
};

TzbBarFontNameCombo::TzbBarFontNameCombo(TzbBarManager& manager) : TzbBarCustomCombo(manager) {
  DropDownCount = 12;
  fHideEditor = true;
  SetGlyph(ComboKindGlyph("font"));
  SetSorted(true);
  FillFontList();
  SetWidth(160);
}

bool TzbBarFontNameCombo::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarCustomCombo::InheritsFrom(c);
}

void TzbBarFontNameCombo::FillFontList() {
  std::set<std::string> seen;
  std::vector<std::string> names;
  fTrueType.clear();
  for (const QString& family : QFontDatabase::families()) {
    const std::string name = FromQString(family.left(32));
    if (name.empty() || !seen.insert(name).second) continue;
    names.push_back(name);
    if (QFontDatabase::isSmoothlyScalable(family)) fTrueType.insert(name);
  }
  SetItems(names);
}

bool TzbBarFontNameCombo::IsTrueType(int index) const {
  return index >= 0 && index < static_cast<int>(Items().size()) && fTrueType.count(Items()[index]) > 0;
}

bool TzbBarFontNameCombo::BeingEdited() const { return AnyLinkFocused(*this); }

void TzbBarFontNameCombo::SetText(const std::string& value) {
  std::string text = value;
  if (BeingEdited()) {
    const int index = FindEntry(value);
    if (index < 0 && !value.empty()) return;
    if (index >= 0) text = Items()[index];
  }
  TzbBarCustomCombo::SetText(text);
}

QImage TzbBarFontNameCombo::TrueTypeSign(bool trueType) {
  QImage sign(13, 13, QImage::Format_ARGB32);
  sign.fill(Qt::transparent);
  QPainter p(&sign);
  auto letterT = [&p](int x, int y, const QColor& color) {
    p.fillRect(x, y, 7, 2, color);
    p.fillRect(x + 2, y, 2, 9, color);
  };
  if (trueType) {
    letterT(0, 0, QColor(128, 128, 128));
    letterT(5, 3, QColor(0, 0, 0));
  } else {
    p.setPen(QColor(0, 0, 0));
    p.drawRect(1, 1, 10, 10);
    letterT(3, 3, QColor(0, 0, 128));
  }
  return sign;
}

void TzbBarFontNameCombo::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) {
  if (OnDrawItem || index < 0) return TzbBarCustomCombo::DrawItem(canvas, index, rect, selected);
  UseEntryColors(canvas, selected && !PaintingInEdit);
  canvas.FillRect(rect);
  const QImage sign = TrueTypeSign(IsTrueType(index));
  canvas.Draw(rect.Left, rect.Top + (rect.Height() - sign.height()) / 2, sign);
  const QString name = index < static_cast<int>(Items().size()) ? ToQString(Items()[index]) : QString();
  TextCentered(canvas, rect, rect.Left + sign.width() + 2, name);
  if (selected && !PaintingInEdit) canvas.DrawFocusRect(rect);
}

void TzbBarFontNameCombo::MeasureItemWidth(int index, int& width) {
  TzbBarCustomCombo::MeasureItemWidth(index, width);
  width += 13 + 1;
}

void TzbBarFontNameCombo::DoClick() {
  TzbBarCustomCombo::DoClick();
  if (OnClick || ReadOnly) return;
  std::string family = Text();
  if (RunFontDialog(family)) SetText(family);
}

// ---------------------------------------------------------------- image combo

std::function<bool(QDialog&)> TzbBarImageCombo::RunDialog = [](QDialog& d) { return d.exec() == QDialog::Accepted; };

TzbBarImageCombo::TzbBarImageCombo(TzbBarManager& manager) : TzbBarCustomCombo(manager) {
  fHideEditor = true;
  SetGlyph(ComboKindGlyph("image"));
}

TzbBarImageCombo::~TzbBarImageCombo() {
  if (fImages) fImages->RemoveChangeLink(fImagesLink);
}

bool TzbBarImageCombo::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TzbBarCustomCombo::InheritsFrom(c);
}

void TzbBarImageCombo::SetImages(TzbSideBarImageList* value) {
  if (value == fImages) return;
  if (fImages) fImages->RemoveChangeLink(fImagesLink);
  fImages = value;
  fImagesLink = 0;
  if (fImages)
    fImagesLink = fImages->AddChangeLink([this] { ImagesChanged(); },
                                         [this] {
                                           fImages = nullptr;
                                           fImagesLink = 0;
                                           ImagesChanged();
                                         });
  ImagesChanged();
}

void TzbBarImageCombo::ImagesChanged() {
  if (!IsLoading()) LayoutChanged();
}

int TzbBarImageCombo::ImageIndexes(int index) const {
  if (index < 0 || index >= static_cast<int>(fImageObjects.size())) return -1;
  return fImageObjects[index] - 1;
}

void TzbBarImageCombo::SetImageIndexes(int index, int value) {
  if (index < 0 || index >= static_cast<int>(Items().size())) return;
  if (fImageObjects.size() < Items().size()) fImageObjects.resize(Items().size(), 0);
  fImageObjects[index] = value + 1;
  if (index == ItemIndex()) UpdateControls();
}

void TzbBarImageCombo::SetShowText(bool value) {
  if (value == fShowText) return;
  fShowText = value;
  UpdateControls();
}

void TzbBarImageCombo::SetSorted(bool value) {
  const std::vector<std::string> before = Items();
  std::vector<int> objects = fImageObjects;
  objects.resize(before.size(), 0);
  TzbBarCustomCombo::SetSorted(value);
  std::vector<bool> used(before.size(), false);
  fImageObjects.assign(Items().size(), 0);
  for (size_t i = 0; i < Items().size(); ++i)
    for (size_t j = 0; j < before.size(); ++j)
      if (!used[j] && before[j] == Items()[i]) {
        used[j] = true;
        fImageObjects[i] = objects[j];
        break;
      }
  UpdateControls();
}

void TzbBarImageCombo::SetItems(const std::vector<std::string>& items) {
  fImageObjects.clear();
  TzbBarCustomCombo::SetItems(items);
}

std::vector<int> TzbBarImageCombo::WriteImageIndexes() const {
  std::vector<int> values;
  for (int i = 0; i < static_cast<int>(Items().size()); ++i) values.push_back(ImageIndexes(i));
  return values;
}

void TzbBarImageCombo::ReadImageIndexes(const std::vector<int>& values) {
  const int n = std::min(static_cast<int>(values.size()), static_cast<int>(Items().size()));
  for (int i = 0; i < n; ++i) SetImageIndexes(i, values[i]);
}

void TzbBarImageCombo::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) {
  if (OnDrawItem || !fImages) return TzbBarCustomCombo::DrawItem(canvas, index, rect, selected);
  UseEntryColors(canvas, selected && !PaintingInEdit);
  canvas.FillRect(rect);
  const int w = fImages->Width(), h = fImages->Height();
  const int image = index >= 0 ? ImageIndexes(index) : -1;
  const bool valid = fImages->IsValid(image);
  const int left = fShowText ? rect.Left + 1 : rect.Left + (rect.Width() - w) / 2;
  TRect cell = Bounds(left, rect.Top + (rect.Height() - h) / 2, w, h);
  if (valid)
    fImages->Draw(canvas, cell.Left, cell.Top, image);
  else if (!AnyLinkFocused(*this))
    cell.Right = cell.Left;
  if (fShowText) {
    const bool entry = index >= 0 && index < static_cast<int>(Items().size());
    const QString text = ToQString(entry ? Items()[index] : index < 0 ? Text() : std::string());
    TextCentered(canvas, rect, cell.Right + 2, text);
  }
  if (selected && !PaintingInEdit) canvas.DrawFocusRect(rect);
}

void TzbBarImageCombo::MeasureItem(int index, int& height) {
  TzbBarCustomCombo::MeasureItem(index, height);
  if (!OnMeasureItem && fImages) height = std::max(height, fImages->Height() + 2);
}

void TzbBarImageCombo::MeasureItemWidth(int index, int& width) {
  TzbBarCustomCombo::MeasureItemWidth(index, width);
  if (!fImages) return;
  if (!fShowText) width = 0;
  width += fImages->Width() + 2;
}

int TzbBarImageCombo::DialogRows() const { return std::min(static_cast<int>(Items().size()), DropDownCount); }

void TzbBarImageCombo::DoClick() {
  TzbBarCustomCombo::DoClick();
  if (!OnClick && !ReadOnly) ShowSelectionDialog();
}

void TzbBarImageCombo::ShowSelectionDialog() {
  QDialog dialog;
  dialog.setWindowTitle(BarQText("Select item"));
  dialog.setFont(BarManager().BarFont());
  const QFontMetrics fm(dialog.font());
  const int u = fm.horizontalAdvance(QLatin1Char('0')) * 12;
  const int h = MulDiv(fm.height(), 5, 3);
  const int m = h / 4;
  auto* list = new QListWidget(&dialog);
  list->setItemDelegate(NewComboListDelegate(*this, list));
  list->setUniformItemSizes(false);
  for (const std::string& s : Items()) list->addItem(ToQString(s));
  int entryHeight = 0;
  MeasureItem(0, entryHeight);
  const int frame = 2 * list->frameWidth();
  const int clientHeight = std::max(entryHeight * DialogRows(), m + 2 * h);
  const int clientWidth = GetDropDownWidth() - 4;
  list->setGeometry(m, m, clientWidth + frame, clientHeight + frame);
  list->setCurrentRow(ItemIndex());
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  auto* ok = new QPushButton(BarQText("OK"), &dialog);
  auto* cancel = new QPushButton(BarQText("Cancel"), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  const int width = list->width() + u + 3 * m;
  dialog.setFixedSize(width, list->height() + 2 * m);
  ok->setGeometry(width - m - u, m, u, h);
  cancel->setGeometry(width - m - u, m + h + m, u, h);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  if (RunDialog(dialog)) SetItemIndex(list->currentRow());
}

// ---------------------------------------------------------------- image combo control

int TzbBarImageComboControl::GetHeight() const {
  int h = TzbBarComboControl::GetHeight();
  const auto& combo = static_cast<const TzbBarImageCombo&>(Item());
  if (combo.Images() && !Parent().IsMenu() && !Parent().IsVertical()) h = std::max(h, combo.Images()->Height() + 6);
  return h;
}

}  // namespace zyn
