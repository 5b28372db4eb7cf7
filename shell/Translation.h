#pragma once
// The translation of whole forms and frames, the translated message box and the input dialog.
// Every message box of the programme goes through TranslatedMessageDlg.

#include <QString>

#include <string>

class QObject;
class QWidget;

namespace zyn {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;

// Translates the texts of one object (captions, titles, hints, list entries); not its children.
// A text is trimmed of blanks and control characters before it is looked up, so it is stored
// trimmed even when the table has no entry. List lines are translated as they are.
void TranslateObject(QObject* object);
// With a loaded language file: the form itself and every object it holds.
void TranslateForm(QWidget* form);
// With a loaded language file: every object of the frame that has a name; not the frame itself.
void TranslateFrame(QWidget* frame);

// The translated text (model text) in a box of that kind with those buttons, centred on the active
// window; caption and buttons pass the translation table too. Answers 6 (Yes), 7 (No), 2 (Cancel)
// or 1 (OK).
// The window a message box or small dialog belongs to: the modal dialog that is running, else the
// main window (so a box is centred on it, also right after a file dialog closed).
QWidget* DialogParent();
int TranslatedMessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The project's question (overwriting a file): a warning with Yes, No and Cancel.
int AskProjectQuestion(const std::string& text);

// A small dialog with a prompt and an edit of at most 255 characters holding value; true and the
// entered text on "OK", false and value unchanged on "Abbruch".
bool InputQuery(const QString& caption, const QString& prompt, QString& value);
// The entered text, or defaultValue when cancelled.
QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue);

}  // namespace zyn
