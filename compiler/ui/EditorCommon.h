#pragma once
// What the two editors share: translated texts, the messages they show, the file choice (which
// the tests replace) and the question before an editor with unsaved changes closes.

#include <QString>
#include <QStyle>
#include <QTreeWidget>

#include <functional>
#include <string>

class QWidget;
class QCloseEvent;
class QToolButton;

namespace zyn {

// A German UTF-8 literal through the translation table.
QString EdText(const char* germanUtf8);
// An error (model text) in the one message box.
void ShowEditorError(const std::string& ansiText);

// Chooses a file: save (true) or open (false), with a Qt filter and a suggested path; the chosen
// UTF-8 path or "" when cancelled.
using TFileChooser =
    std::function<std::string(bool save, const QString& caption, const QString& filter, const std::string& suggested)>;
TFileChooser DefaultFileChooser(QWidget* parent);

// The extension added to a chosen file name that has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// Asks before an editor with unsaved changes closes: "Ja" runs save (the editor stays open when
// it fails), "Nein" closes without saving, "Abbrechen" keeps the editor. True: the editor may close.
bool MayCloseEditor(bool modified, const std::string& question, const std::function<bool()>& save);

// The editor's windows bounds: at least the size given, at most the screen.
void SetEditorBounds(QWidget* form, int minWidth, int minHeight);

// A file name (UTF-8) as model text for a message.
std::string FileText(const std::string& utf8Path);

// A button of an editor's tool bar: picture, caption beside it, the caption as hint.
QToolButton* EditorToolButton(QWidget* owner, const char* name, QStyle::StandardPixmap icon, const char* caption);

// A tree whose top-level items are dragged onto each other to move them; the drop only reports
// the move (from, to), the owner moves its list and fills the tree again.
class TMoveTree : public QTreeWidget {
 public:
  std::function<void(int from, int to)> OnMove;
  TMoveTree();

 protected:
  void dropEvent(QDropEvent* event) override;
};

}  // namespace zyn
