#include "frames/ProjectPage.h"

#include <QCheckBox>

#include "frames/PageText.h"
#include "model/base/ZYNOptionen.h"
#include "shell/MessageHandler.h"

namespace zyn {

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
