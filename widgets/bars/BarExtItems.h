#pragma once
// Further item kinds of the bar library: the static (a label with optional glyph, border and
// indents), the large button (a toolbar button with a large glyph and its caption beside or below
// it) and the progress item (a static with a progress bar), with the controls that size and paint
// their links through the manager's painter.

#include "platform/Colors.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItemControls.h"

namespace zyn {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TzbBarGlyphLayout { glLeft, glRight, glTop, glBottom };

// Border width of each static border style.
int StaticBorderWidth(TzbBarStaticBorderStyle style);

class TzbBarStatic : public TzbBarItem {
 public:
  static constexpr const char* kClassName = "TzbBarStatic";
  using TzbBarItem::TzbBarItem;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);
  bool AllowClick = false;
  TzbBarStaticBorderStyle BorderStyle() const { return fBorderStyle; }
  void SetBorderStyle(TzbBarStaticBorderStyle value);
  bool ShowCaption() const { return fShowCaption; }
  void SetShowCaption(bool value);
  // Sizes in pixels: negative values become 0; Width and Height 0 are computed.
  int LeftIndent() const { return fSizes[0]; }
  int RightIndent() const { return fSizes[1]; }
  int Width() const { return fSizes[2]; }
  int Height() const { return fSizes[3]; }
  void SetLeftIndent(int value) { SetSize(0, value); }
  void SetRightIndent(int value) { SetSize(1, value); }
  void SetWidth(int value) { SetSize(2, value); }
  void SetHeight(int value) { SetSize(3, value); }

  bool CanClicked() const override { return AllowClick; }
  bool CanUseAccel(const TzbBarItemLink&) const override { return false; }
  // A non-empty glyph or an image index within the manager's images.
  bool HasGlyph() const;
  int BorderWidth() const { return StaticBorderWidth(fBorderStyle); }
  int LayoutCount = 0;   // times the bars were told to lay the item out anew
  int RepaintCount = 0;  // times the item's controls were told to repaint

 protected:
  void Relayout();
  void Repaint();
  TzbBarStaticBorderStyle fBorderStyle = sbsNone;

 private:
  void SetSize(int index, int value);
  TAlignment fAlignment = taCenter;
  bool fShowCaption = true;
  int fSizes[4] = {0, 0, 0, 0};
};

class TzbBarProgressItem : public TzbBarStatic {
 public:
  static constexpr const char* kClassName = "TzbBarProgressItem";
  explicit TzbBarProgressItem(TzbBarManager& manager) : TzbBarStatic(manager) { fBorderStyle = sbsLowered; }
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  bool Smooth() const { return fSmooth; }
  void SetSmooth(bool value);
  int Min() const { return fMin; }
  int Max() const { return fMax; }
  int Position() const { return fPosition; }
  void SetMin(int value);
  void SetMax(int value);
  void SetPosition(int value);
  void SetParams(int min, int max);
  int Step = 10;
  // Applies the range once the item has been read.
  void Loaded();

 private:
  void RepaintBar();
  TColor fColor = clDefault;
  bool fSmooth = false;
  int fMin = 0, fMax = 100, fPosition = 0;
};

class TzbBarLargeButton : public TzbBarButton {
 public:
  static constexpr const char* kClassName = "TzbBarLargeButton";
  using TzbBarButton::TzbBarButton;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  bool AutoGrayScale() const { return fAutoGrayScale; }
  void SetAutoGrayScale(bool value);
  TzbBarGlyphLayout GlyphLayout() const { return fGlyphLayout; }
  void SetGlyphLayout(TzbBarGlyphLayout value);
  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  void SetWidth(int value);   // negative: ignored
  void SetHeight(int value);  // negative: ignored
  bool ShowCaption() const { return fShowCaption; }
  void SetShowCaption(bool value);
  const QImage& HotGlyph() const { return fHotGlyph; }
  void SetHotGlyph(const QImage& value);
  const QImage& LargeGlyph() const { return fLargeGlyph; }
  void SetLargeGlyph(const QImage& value);
  int HotImageIndex() const { return fHotImageIndex; }
  void SetHotImageIndex(int value);
  int LargeImageIndex() const { return fLargeImageIndex; }
  void SetLargeImageIndex(int value);
  bool SyncImageIndex() const { return fSyncImageIndex; }
  void SetSyncImageIndex(bool value);
  void SetImageIndex(int value) override;
  // The image index is stored by its own name only while it does not follow LargeImageIndex.
  bool StoresImageIndex() const { return !fSyncImageIndex; }
  // Reading: the stream's properties in their order, then Loaded.
  void ReadImageIndex(int value);
  void ReadLargeImageIndex(int value);
  void ReadSyncImageIndex(bool value);
  void Loaded();

  bool CanUseAccel(const TzbBarItemLink& link) const override;
  bool NeedsHotImagesNotify() const override { return fHotImageIndex >= 0; }
  bool NeedsImagesNotify() const override { return fLargeImageIndex >= 0; }
  void ImagesChanged() override { LargeImageIndexChanged(); }
  void HotImagesChanged() override { UpdateControls(); }

 private:
  void LargeImageIndexChanged();
  void Relayout();
  bool fAutoGrayScale = true;
  TzbBarGlyphLayout fGlyphLayout = glTop;
  int fWidth = 0, fHeight = 0;
  bool fShowCaption = true;
  QImage fHotGlyph, fLargeGlyph;
  int fHotImageIndex = -1, fLargeImageIndex = -1;
  bool fSyncImageIndex = true;
  bool fCoupling = false;
  bool fImageIndexRead = false, fLargeImageIndexRead = false, fSyncImageIndexRead = false;
};

class TzbBarStaticControl : public TzbBarItemControl {
 public:
  using TzbBarItemControl::TzbBarItemControl;
  TzbBarStatic& Static() const;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  bool CanClickItem() const override { return Static().AllowClick; }
  bool CanCloseMenus() const override { return Static().AllowClick; }
  bool CanSelect() const override;
  bool IsIdle() const override { return Static().AllowClick; }
  void Changed(TzbControlChange change) override;

 protected:
  // The width of caption, glyph part, indents and border (along a horizontal bar).
  int ContentWidth() const;
  int SizeAlong() const;   // along a horizontal bar
  int SizeAcross() const;  // across it
  bool InVerticalBar() const;
  // Paints indents, border, glyph and caption; progress controls keep the caption left and in a
  // menu the glyph in a square cell.
  void PaintStatic(TRect r, int view, bool forProgress);
  bool Vertical(int view) const { return view == 2; }
};

class TzbBarProgressControl : public TzbBarStaticControl {
 public:
  using TzbBarStaticControl::TzbBarStaticControl;
  TzbBarProgressItem& Progress() const;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  // The bar's rectangle inside the control's rectangle.
  TRect BarRect(const TRect& r, int view) const;
  // The strip the painter keeps before the content (a menu's text indent in some looks).
  int ProgressOffset() const;

 private:
  int ProgressAlong() const;
  int ProgressAcross() const;
};

class TzbBarLargeButtonControl : public TzbBarButtonControl {
 public:
  using TzbBarButtonControl::TzbBarButtonControl;
  TzbBarLargeButton& Large() const;
  int GetWidth() const override;
  int GetHeight() const override;
  void Paint(const TRect& r, int view) override;
  // The glyph for the toolbar: large first (hot first while hot), else hot; null when none.
  QImage ChosenGlyph() const;
  // The glyph box inside the content rectangle, and the caption's rectangle and alignment.
  void Places(const TRect& content, int view, TRect& glyphBox, TRect& captionRect, int& alignment) const;

 private:
  bool OnToolbar() const;
  QSize GlyphSize() const;
  int SizeAlong(bool width) const;
};

}  // namespace zyn
