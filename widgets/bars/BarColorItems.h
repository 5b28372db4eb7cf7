#pragma once
// Three owner-drawn list combos of the bar library: the colour combo (the 16 standard colours, an
// optional automatic entry and a custom colour from the colour dialog), the font-name combo (the
// installed font families, TrueType ones marked) and the image combo (an image from an image list
// beside each entry). Each draws and measures its entries itself and, when no OnClick handler is
// set, opens its dialog on a click.

#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/SideBarImageList.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class QColorDialog;
class QDialog;
class QFontDialog;

namespace zyn {

// The colour table of the colour combo in list order, with the names the list shows.
// The names are the library's texts (BarTexts.h) as the list shows them now.
struct TzbColorEntry {
  TColor Color;
  std::string Name;  // Windows-1252
};
std::vector<TzbColorEntry> ColorComboTable();

// The colour and font dialogs all combos share: made on first use and kept until the application
// quits, so the custom colours and the font size and style chosen last stay between openings.
QColorDialog& SharedColorDialog();
QFontDialog& SharedFontDialog();
// Runs a shared dialog; tests may replace how (the dialog in; accepted out).
extern std::function<bool(QDialog&)> RunSharedComboDialog;

// The 16 x 16 glyphs of the combo kinds (the customizing lists show them): "color", "font",
// "image" and "tree"; a null image for another name.
QImage ComboKindGlyph(const char* kind);

class TzbBarColorCombo : public TzbBarCustomCombo {
 public:
  static constexpr const char* kClassName = "TzbBarColorCombo";
  explicit TzbBarColorCombo(TzbBarManager& manager);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TColor AutoColor() const { return fAutoColor; }
  void SetAutoColor(TColor value);
  const std::string& AutoColorText() const { return fAutoColorText; }
  void SetAutoColorText(const std::string& value);
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  const std::string& CustomColorText() const { return fCustomColorText; }
  void SetCustomColorText(const std::string& value);
  bool ShowAutoColor() const { return fShowAutoColor; }
  void SetShowAutoColor(bool value);
  bool ShowCustomColorButton() const { return fShowCustomColorButton; }
  void SetShowCustomColorButton(bool value);
  // Stored only when they differ from their defaults.
  bool StoresAutoColorText() const;
  bool StoresCustomColorText() const;
  bool StoresDropDownCount() const { return DropDownCount != 16 + (fShowAutoColor ? 1 : 0); }

  TColor ColorOfIndex(int index) const;
  int IndexOfColor(TColor color) const;
  void BuildColorList();

  void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) override;
  void MeasureItem(int index, int& height) override;
  void MeasureItemWidth(int index, int& width) override;
  bool DrawsEntries() const override { return true; }

  // The custom colour button was pressed: the dialog starts on the colour current then.
  void PressCustomColorButton();
  // Runs the colour dialog; tests may replace it (the colour in, the chosen colour out; false:
  // cancelled).
  static std::function<bool(TColor& color)> RunColorDialog;

 protected:
  void DoClick() override;
  void Change() override;

 private:
  TColor fAutoColor = clWindowText;
  std::string fAutoColorText, fCustomColorText;
  TColor fColor = clBlack;
  bool fShowAutoColor = false;
  bool fShowCustomColorButton = false;
  bool fSettingColor = false;
  bool fCustomColorPending = false;
  TColor fPendingColor = clBlack;
};

class TzbBarColorComboControl : public TzbBarComboControl {
 public:
  using TzbBarComboControl::TzbBarComboControl;
  TzbBarColorCombo& ColorCombo() const;
  // The custom colour button's face (empty when no button is drawn).
  TRect CustomButtonRect() const { return fButtonInner; }
  // The width of the custom colour button for a control height.
  static int CustomButtonWidth(int height) { return ((height - 4) / 7) * 7 + 4; }
  void Paint(const TRect& r, int view) override;
  void BeforeClick(bool byMouse) override;
  bool EditKeyDown(QKeyEvent& e) override;

 private:
  void ClickCustomButton();
  TRect fButtonInner;
  bool fButtonHeld = false;
};

class TzbBarFontNameCombo : public TzbBarCustomCombo {
 public:
  static constexpr const char* kClassName = "TzbBarFontNameCombo";
  explicit TzbBarFontNameCombo(TzbBarManager& manager);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  // Fills the entries with the installed font families (sorted, each once).
  void FillFontList();
  bool IsTrueType(int index) const;
  // While a link is being edited a text must name an entry (prefix matching): the entry's own
  // text is taken; a text that names none is ignored.
  void SetText(const std::string& value) override;

  void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) override;
  void MeasureItemWidth(int index, int& width) override;
  bool DrawsEntries() const override { return true; }
  // The 13 x 13 signs of TrueType and other fonts.
  static QImage TrueTypeSign(bool trueType);
  // Runs the font dialog on a family name; tests may replace it.
  static std::function<bool(std::string& family)> RunFontDialog;

 protected:
  void DoClick() override;

 private:
  bool BeingEdited() const;
  std::set<std::string> fTrueType;  // the TrueType families
};

class TzbBarImageCombo : public TzbBarCustomCombo {
 public:
  static constexpr const char* kClassName = "TzbBarImageCombo";
  explicit TzbBarImageCombo(TzbBarManager& manager);
  ~TzbBarImageCombo() override;
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TzbSideBarImageList* Images() const { return fImages; }
  void SetImages(TzbSideBarImageList* value);
  // The image of entry i, -1 for none (entries keep their image when they are added later).
  int ImageIndexes(int index) const;
  void SetImageIndexes(int index, int value);
  bool ShowText() const { return fShowText; }
  void SetShowText(bool value);
  // Entries keep their images when they are sorted; new entries have none.
  void SetSorted(bool value);
  void SetItems(const std::vector<std::string>& items);
  // Streaming of the image indexes: one integer per entry, in entry order; reading assigns them
  // to the entries from the first on until the list or the entries end.
  std::vector<int> WriteImageIndexes() const;
  void ReadImageIndexes(const std::vector<int>& values);

  void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) override;
  void MeasureItem(int index, int& height) override;
  void MeasureItemWidth(int index, int& width) override;
  bool DrawsEntries() const override { return fImages != nullptr; }
  // Runs the selection dialog; tests may replace how it runs (the dialog in; accepted out).
  static std::function<bool(QDialog&)> RunDialog;
  // The dialog's list rows for the entries (at most DropDownCount).
  int DialogRows() const;

 protected:
  void DoClick() override;

 private:
  void ImagesChanged();
  void ShowSelectionDialog();
  TzbSideBarImageList* fImages = nullptr;
  int fImagesLink = 0;
  std::vector<int> fImageObjects;  // per entry: image index + 1
  bool fShowText = true;
};

class TzbBarImageComboControl : public TzbBarComboControl {
 public:
  using TzbBarComboControl::TzbBarComboControl;
  int GetHeight() const override;
};

}  // namespace zyn
