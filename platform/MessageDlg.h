#pragma once
// The one message box of the program: German buttons, the platform's button sets and results.

#include <QString>

class QWidget;

namespace zyn {

enum : unsigned {
  MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
  MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows text modally over parent (may be null) and returns IDOK, IDCANCEL, IDYES or IDNO. Closing
// the box without a button answers IDCANCEL where a cancel button exists, else IDNO or IDOK.
int MessageDlg(QWidget* parent, const QString& text, const QString& caption, unsigned type);

}  // namespace zyn
