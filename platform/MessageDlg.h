#pragma once
// The one message box of the program: German buttons, the platform's button sets and results.

#include <QString>

#include <functional>

class QWidget;

namespace zyn {

enum : unsigned {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_CANCEL = 0x8,  // the single button "Abbrechen" (an error that ends what was asked for)
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows text modally over parent (may be null) and returns IDOK, IDCANCEL, IDYES or IDNO. Closing
// the box without a button answers IDCANCEL where a cancel button exists, else IDNO or IDOK.
// buttonText, when given, turns each German button caption ("OK", "Ja", "Nein", "Abbrechen") into
// the one shown.
int MessageDlg(QWidget* parent, const QString& text, const QString& caption, unsigned type,
               const std::function<QString(const QString&)>& buttonText = {});

// Scripted answers: while a hook is installed, MessageDlg shows nothing and returns what the hook
// answers for the box (the tests use it to answer 6, 7 or 2). Returns the previous hook.
using TMessageDlgHook = std::function<int(const QString& text, const QString& caption, unsigned type)>;
TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook);

}  // namespace zyn
