#pragma once
// The single-line edit: measuring, painting, horizontal scrolling and caret placement over the
// edit engine, the password character and the automatic height; TZCLEdit is the plain edit.

#include "widgets/controls/ZCLBaseEdit.h"
#include "widgets/controls/ZCLGraph.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace zyn {

class TZCLSpeedButton;
class TZCLCustomEdit;
class TZCLEditAutoComplete;

// One button inside the right edge of an edit; it owns its speed button.
class TZCLSpecialButton {
 public:
  TZCLSpecialButton(TZCLCustomEdit* edit, int index);
  ~TZCLSpecialButton();
  std::function<void(QObject* Sender, int index)> OnClick;
  TZCLSpeedButton* Button() const { return fButton; }
  int Index() const { return fIndex; }
  void SetCaption(const QString& caption);
  void SetGlyph(const QImage& glyph);
  void SetEnabled(bool enabled);
  void SetGroupIndex(int group);
  void SetAllowAllUp(bool value);
  void SetHint(const QString& hint);

 private:
  friend class TZCLCustomEdit;
  TZCLSpeedButton* fButton;
  int fIndex;
};

class TZCLCustomEdit : public TZCLBaseEdit {
  Q_OBJECT
 public:
  explicit TZCLCustomEdit(QWidget* parent = nullptr);

  // Setting a new text cuts it to MaxLength, puts the caret at 1, clears the selection and fires
  // OnTextChangedAt and OnChange (not while loading or updating). An equal text changes nothing.
  void SetText(const QString& value);
  QChar PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(QChar value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  QString DisplayText() const { return FDisplayText; }
  // Height from the font (text height * 5 / 4 + 5 with the window border).
  void AdjustHeight();

  // The buttons inside the right edge.
  std::function<void(QObject* Sender, TZCLSpeedButton* button, int index)> OnBtnClick;
  TZCLSpecialButton* AddCustomButton();
  void DeleteCustomButton(int index);
  int CustomButtonCount() const { return static_cast<int>(FCustomButtons.size()); }
  TZCLSpecialButton* CustomButton(int index) const { return FCustomButtons.at(index).get(); }
  int CustomButtonWidth() const { return FCustomButtonWidth; }
  void SetCustomButtonWidth(int value);
  TZCLUserButtonStyle CustomButtonsStyle() const { return FCustomButtonsStyle; }
  void SetCustomButtonsStyle(TZCLUserButtonStyle value);
  void ButtonClick(int index);

  TZCLEditAutoComplete* AutoComplete() const;
  void SetAutoComplete(TZCLEditAutoComplete* value);

 protected:
  int TextOrigin() const;
  int PrefixWidth(int count) const;
  void UpdateCaret() override;
  int CharAtX(int x) override;
  void PaintText(TCanvas& canvas) override;
  void TextSetNotification() override;
  void TextChangedAt(int position) override;
  bool KeyCommand(int key, Qt::KeyboardModifiers modifiers) override;
  bool MayCopy() override { return FPasswordChar.isNull(); }
  void Loaded() override;
  void BevelChanged() override;
  void changeEvent(QEvent* event) override;
  void ShrinkTextArea(TRect& area) override;
  void AfterChange() override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool PopupActive() const;
  bool TextCompletionActive() const;

  std::vector<std::unique_ptr<TZCLSpecialButton>> FCustomButtons;
  QPointer<TZCLEditAutoComplete> FAutoComplete;
  bool FCompleting = false;
  int FCustomButtonWidth = 16;
  TZCLUserButtonStyle FCustomButtonsStyle = ubsIntegrated;
  QChar FPasswordChar;
  bool FAutoSize = false;
  QString FDisplayText;
  // The shown text (password characters) made from the text again.
  void RefreshDisplayText();
};

class TZCLEdit : public TZCLCustomEdit {
  Q_OBJECT
 public:
  explicit TZCLEdit(QWidget* parent = nullptr) : TZCLCustomEdit(parent) {}
};

}  // namespace zyn
