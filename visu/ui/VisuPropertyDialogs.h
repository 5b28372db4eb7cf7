#pragma once
// The property dialogs of the page designer: one modal dialog per control class, each editing
// the stored properties of one control and moving or resizing it, and the function-assignment
// dialog of index controls.

#include "visu/VisuDataClasses.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace zyn {

class TZCLSpinEdit;
class TVisuComponent;
class TZYNProjekt;
class TSegmentControl;
class TZYNBaseObject;
class IIndexTeleHandler;

// A colour field: shows the colour, a click opens the colour dialog.
class TVisuColorBox : public QPushButton {
 public:
  explicit TVisuColorBox(QWidget* parent = nullptr);
  int32_t Value() const { return fValue; }
  void SetValue(int32_t color);
  std::function<void()> OnChange;

 private:
  int32_t fValue = 0;
};

// A font field: the sample label and "Ändern", which opens the font dialog.
class TVisuFontField : public QWidget {
 public:
  TVisuFontField(QWidget* parent, const char* sample);
  const TVisuFont& Value() const { return fFont; }
  void SetValue(const TVisuFont& font);
  QLabel* Sample;
  QPushButton* Change;

 private:
  TVisuFont fFont;
};

// QFont of the font dialog as a stored font (the colour stays).
TVisuFont VisuFontFrom(const QFont& font, int32_t color);

// The common part: the position group, "OK", "Abbrechen" and "Übernehmen".
class TVisuPropertyDialog : public QDialog {
 public:
  TVisuPropertyDialog(QWidget* control, const char* caption, QWidget* parent = nullptr);

  std::array<TZCLSpinEdit*, 4> Spin{};  // "Links:", "Oben:", "Breite:", "Höhe:"
  QPushButton* BtnOK;
  QPushButton* BtnCancel;
  QPushButton* BtnApply;
  QWidget* Control() const { return fControl; }

  // Fills the spin edits (moving a control beyond 1000 to 1000) and the fields.
  void Fill();
  void Apply();
  void Cancel();
  // Cancel, then close with modal result 2: "Abbrechen", Esc and closing the window.
  void reject() override;

 protected:
  // The page the class adds above the position group.
  QWidget* Body() const { return fBody; }
  QWidget* PositionGroup() const { return fPosition; }
  virtual void FillFields() {}
  virtual void ApplyFields() = 0;
  // Whether applying takes the current bounds as the ones "Abbrechen" restores.
  virtual bool KeepsBoundsOnApply() const { return true; }
  // Width and height go together (square shapes).
  virtual bool SquareLinked() const { return false; }
  void SpinChanged(int tag);

 private:
  QWidget* fControl;
  QWidget* fBody;
  QWidget* fPosition;
  QRect fBounds;
  bool fFilling = false;
};

// The fields of a TVisuDesign: on, off and undefined colour and text, font and frame style.
struct TVisuDesignFields {
  TVisuColorBox *OnColor, *OffColor, *UndefColor;
  QLineEdit *OnText, *OffText, *UndefText;
  TVisuFontField* Font;
  QComboBox* FrameStyle;
  void Build(QWidget* body, const char* fontGroup, const char* sample);
  void Fill(const TVisuDesign& design, bool translated);
  void Apply(TVisuDesign& design) const;
};

// The dialog that the control's class gets; nullptr for classes without one.
std::unique_ptr<TVisuPropertyDialog> MakeVisuPropertyDialog(TVisuComponent* control, QWidget* parent = nullptr);

class TFrmDesign : public TVisuPropertyDialog {
 public:
  TFrmDesign(QWidget* control, QWidget* parent = nullptr);
  TVisuDesignFields Fields{};

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool SquareLinked() const override;
};

class TFrmTextIndicatorEditor : public TVisuPropertyDialog {
 public:
  TFrmTextIndicatorEditor(QWidget* control, QWidget* parent = nullptr);
  TVisuDesignFields Fields{};
  QLineEdit* CaptionText;
  TVisuColorBox* CaptionColor;
  QComboBox* CaptionPosition;
  QCheckBox* CaptionTransparent;
  TVisuFontField* CaptionFont;

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool SquareLinked() const override;
};

class TFrmSummenStatusEditor : public TVisuPropertyDialog {
 public:
  TFrmSummenStatusEditor(QWidget* control, QWidget* parent = nullptr);
  TVisuDesignFields Fields{};
  QLineEdit* CaptionText;
  TVisuColorBox* CaptionColor;
  TVisuFontField* CaptionFont;
  QListWidget* Channels;
  // "Kanal löschen": removes the selected entry of the list (the channel goes on apply).
  void DeleteSelectedChannel();

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool SquareLinked() const override;
};

class TFrmNavigationEditor : public TVisuPropertyDialog {
 public:
  TFrmNavigationEditor(QWidget* control, QWidget* parent = nullptr);
  QLineEdit* CaptionText;
  TVisuFontField* Font;

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool KeepsBoundsOnApply() const override { return false; }
};

class TFrmSegmentEditor : public TVisuPropertyDialog {
 public:
  TFrmSegmentEditor(QWidget* control, QWidget* parent = nullptr);
  QComboBox* Pattern;
  TVisuColorBox* PatternColor;
  QCheckBox* PatternOnMouse;
  TSegmentControl* Preview;

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool KeepsBoundsOnApply() const override { return false; }
  void UpdatePreview();
};

class TFrmLabelEditor : public TVisuPropertyDialog {
 public:
  TFrmLabelEditor(QWidget* control, QWidget* parent = nullptr);
  QLineEdit* CaptionText;
  TVisuColorBox* Color;
  QCheckBox* Transparent;
  TVisuFontField* Font;
  QCheckBox* AutoSize;

 protected:
  void FillFields() override;
  void ApplyFields() override;
  bool KeepsBoundsOnApply() const override { return false; }
  void AutoSizeClicked();
};

class TFrmLoggerEditor : public TVisuPropertyDialog {
 public:
  TFrmLoggerEditor(QWidget* control, QWidget* parent = nullptr);
  QCheckBox* LogTime;
  QLineEdit* OnText;
  QLineEdit* OffText;
  QCheckBox* Save;
  QLineEdit* Ident;
  TVisuColorBox* Color;
  TVisuFontField* Font;

 protected:
  void FillFields() override;
  void ApplyFields() override;
};

class TFrmPositionEditor : public TVisuPropertyDialog {
 public:
  TFrmPositionEditor(QWidget* control, QWidget* parent = nullptr);
  QLineEdit* CaptionText;
  TVisuFontField* Font;

 protected:
  void FillFields() override;
  void ApplyFields() override;
};

// "Funktionszuweisung": binds the index descriptions of an index control to a dropped channel,
// clock or flag and gives them commands. The control changes only on "Übernehmen".
class TFrmIndexFunction : public QDialog {
 public:
  TFrmIndexFunction(TZYNProjekt& project, IIndexTeleHandler& control, const TZYNBaseObject* object,
                    QWidget* parent = nullptr);

  QListWidget* Functions;  // "Funktionen"
  QListWidget* Commands;   // "Verfügbare Befehle"
  QListWidget* Assigned;   // "Zugewiesene Verknüpfungen"
  QPushButton* BtnLink;    // "Auswahl Verknüpfen"
  QPushButton* BtnApply;   // "Übernehmen"
  QPushButton* BtnCancel;  // "Abbrechen"
  // Whether the dropped object was found with its control module (commands listed, copies bound).
  bool Resolved() const { return fResolved; }
  const std::vector<TIndexInfo>& Copies() const { return fCopies; }

  void LinkSelection();
  void Apply();

 private:
  void RebuildAssigned();
  TZYNProjekt& fProject;
  IIndexTeleHandler& fControl;
  std::vector<TIndexInfo> fCopies;
  std::vector<std::pair<int32_t, std::string>> fCommands;  // code, name
  bool fResolved = false;
};

}  // namespace zyn
