#pragma once
// The common ground of the project pages (new, open, save as, tables, options, curves, compile
// progress, browser): a page of the frame host that edits nothing of the project's lists, answers
// the apply question with 6, and may carry the side-bar auto-hide box "FStyle" stored under the
// page's name.

#include "shell/FrameManager.h"

#include <QWidget>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace zyn {

// A named edit or memo with its translated label, added as a row of the form.
QLineEdit* AddFormEdit(QWidget* parent, const char* name, QFormLayout* form, const char* label);
QPlainTextEdit* AddFormMemo(QWidget* parent, const char* name, QFormLayout* form, const char* label);

// A flat tool button of the page's tool bar with a standard picture and its translated hint.
QToolButton* MakePageButton(QWidget* parent, const char* name, int standardPixmap, const char* hint);

// Stores the page's side-bar choice and lets the side bar follow it.
void ApplySideBarStyle(const std::string& page, bool checked);

class TProjectPage : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  TProjectPage(const char* componentName, QWidget* parent = nullptr);

  void FrameActivate() override {}
  void FrameDeactivate() override {}
  int AskApplyChanges() override { return 6; }

  QCheckBox* FStyle = nullptr;

 protected:
  // Makes the auto-hide box (a child of parent) and connects it.
  QCheckBox* MakeStyleBox(QWidget* parent);
  // The box from the stored choice, the side bar following it.
  void LoadStyle();
  std::string PageName() const { return fName; }

 private:
  std::string fName;
};

}  // namespace zyn
