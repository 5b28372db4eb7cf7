#include "frames/ProjectPage.h"

#include "frames/PageText.h"
#include "model/base/ZYNOptionen.h"
#include "shell/MessageHandler.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

namespace zyn {

QLineEdit* AddFormEdit(QWidget* parent, const char* name, QFormLayout* form, const char* label) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  form->addRow(PageText(label), edit);
  return edit;
}

QPlainTextEdit* AddFormMemo(QWidget* parent, const char* name, QFormLayout* form, const char* label) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  form->addRow(PageText(label), memo);
  return memo;
}

QToolButton* MakePageButton(QWidget* parent, const char* name, int standardPixmap, const char* hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(parent->style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardPixmap)));
  b->setToolTip(PageText(hint));
  b->setAutoRaise(true);
  return b;
}

void ApplySideBarStyle(const std::string& page, bool checked) {
  SetFrameOption(page, 0, checked);
  if (IMessageHandler* handler = GetMessageHandler()) {
    if (checked)
      handler->CollapseSideBar();
    else
      handler->ExpandSideBar();
  }
}

TProjectPage::TProjectPage(const char* componentName, QWidget* parent) : QWidget(parent), fName(componentName) {
  setObjectName(QString::fromLatin1(componentName));
}

QCheckBox* TProjectPage::MakeStyleBox(QWidget* parent) {
  FStyle = new QCheckBox(PageText("Outlookbar automatisch ausblenden"), parent);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  connect(FStyle, &QCheckBox::clicked, this, [this](bool on) { ApplySideBarStyle(fName, on); });
  return FStyle;
}

void TProjectPage::LoadStyle() {
  if (!FStyle) return;
  const bool stored = GetFrameOption(fName, 0);
  FStyle->setChecked(stored);
  ApplySideBarStyle(fName, stored);
}

}  // namespace zyn
