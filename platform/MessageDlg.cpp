#include "platform/MessageDlg.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace zyn {

namespace {
TMessageDlgHook& Hook() {
  static TMessageDlgHook hook;
  return hook;
}
}  // namespace

TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook) {
  TMessageDlgHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

int MessageDlg(QWidget* parent, const QString& text, const QString& caption, unsigned type,
               const std::function<QString(const QString&)>& buttonText) {
  if (Hook()) return Hook()(text, caption, type);
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  switch (type & 0xF0) {
    case MB_ICONERROR:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONWARNING:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONINFORMATION:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  struct Entry {
    const char* label;
    QMessageBox::ButtonRole role;
    int result;
  };
  std::vector<Entry> entries;
  int closeResult = IDOK;
  switch (type & 0x0F) {
    case MB_OKCANCEL:
      entries = {{"OK", QMessageBox::AcceptRole, IDOK}, {"Abbrechen", QMessageBox::RejectRole, IDCANCEL}};
      closeResult = IDCANCEL;
      break;
    case MB_YESNOCANCEL:
      entries = {{"Ja", QMessageBox::YesRole, IDYES},
                 {"Nein", QMessageBox::NoRole, IDNO},
                 {"Abbrechen", QMessageBox::RejectRole, IDCANCEL}};
      closeResult = IDCANCEL;
      break;
    case MB_YESNO:
      entries = {{"Ja", QMessageBox::YesRole, IDYES}, {"Nein", QMessageBox::NoRole, IDNO}};
      closeResult = IDNO;
      break;
    case MB_CANCEL:
      entries = {{"Abbrechen", QMessageBox::RejectRole, IDCANCEL}};
      closeResult = IDCANCEL;
      break;
    default:
      entries = {{"OK", QMessageBox::AcceptRole, IDOK}};
      break;
  }
  std::vector<std::pair<QAbstractButton*, int>> buttons;
  for (const Entry& e : entries) {
    const QString label = QString::fromUtf8(e.label);
    QPushButton* b = box.addButton(buttonText ? buttonText(label) : label, e.role);
    buttons.emplace_back(b, e.result);
    if (e.result == closeResult) box.setEscapeButton(b);
  }
  box.setDefaultButton(static_cast<QPushButton*>(buttons.front().first));
  box.exec();
  for (const auto& [button, result] : buttons)
    if (box.clickedButton() == button) return result;
  return closeResult;
}

}  // namespace zyn
