#pragma once
// The single-line edit: measuring, painting, horizontal scrolling and caret placement over the
// edit engine, the password character and the automatic height; TZCLEdit is the plain edit.

#include "widgets/controls/ZCLBaseEdit.h"

namespace zyn {

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

  QChar FPasswordChar;
  bool FAutoSize = false;
  QString FDisplayText;

 private:
  void RefreshDisplayText();
};

class TZCLEdit : public TZCLCustomEdit {
  Q_OBJECT
 public:
  explicit TZCLEdit(QWidget* parent = nullptr) : TZCLCustomEdit(parent) {}
};

}  // namespace zyn
