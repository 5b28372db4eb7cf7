#pragma once
// Text completion for edits from an item of a string list, and adding unknown texts to it.

#include "widgets/controls/ZCLLists.h"

#include <QPointer>

#include <functional>

class QListWidget;

namespace zyn {

class TZCLCustomEdit;

enum TZCLAutoCompleteMode : unsigned { amText = 1, amPopup = 2 };
enum TZCLAutoCompleteAddOn : unsigned { aaControlExit = 1, aaControlReturn = 2 };

class TZCLEditAutoComplete : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLEditAutoComplete(QObject* owner = nullptr) : TZCLCustomComponent(owner) {}
  ~TZCLEditAutoComplete() override;

  // Before an unknown text is added: may change it, refuse it (add = false) or name another list.
  std::function<void(QObject* Sender, QWidget* edit, QString& text, bool& add, TZCLStringList*& target)> OnAdd;

  TZCLStringList* StringList() const { return fList.data(); }
  void SetStringList(TZCLStringList* list) { fList = list; }
  int StringListIndex() const { return fIndex; }
  void SetStringListIndex(int value);
  unsigned Mode() const { return fMode; }
  void SetMode(unsigned value) { fMode = value; }
  unsigned AddUnknownOn() const { return fAddOn; }
  void SetAddUnknownOn(unsigned value) { fAddOn = value; }
  bool CaseSensitive() const { return fCaseSensitive; }
  void SetCaseSensitive(bool value) { fCaseSensitive = value; }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value) { fEnabled = value; }

  // The first entry starting with text, empty when none.
  QString FindCompletion(const QString& text) const;
  bool Contains(const QString& text) const;
  // Adds text unless known (OnAdd may change or refuse it); true when added.
  bool AddUnknown(QWidget* edit, const QString& text);
  // The entries starting with text, sorted.
  QStringList Matches(const QString& text) const;

  // The suggestion list below the edit (popup mode): shown, refreshed or closed after a typed change.
  void UpdatePopup(TZCLCustomEdit* edit, const QString& typed);
  bool PopupOpen() const { return fPopup != nullptr; }
  QListWidget* Popup() const { return fPopup; }
  int MaxPopupRows() const { return 8; }
  // Up (-1) or Down (+1): the selection moves and its entry becomes the edit's text.
  void MoveSelection(int step);
  // Enter: the selected entry (if any) becomes the text and the list closes.
  void AcceptPopup();
  // Esc, focus loss, cancel mode: the typed text comes back and the list closes.
  void CancelPopup();
  void ClosePopup();

 private:
  QStringList* Entries() const;
  void PutText(const QString& text);
  QPointer<TZCLStringList> fList;
  int fIndex = 0;
  unsigned fMode = 0;
  unsigned fAddOn = 0;
  bool fCaseSensitive = true;
  bool fEnabled = true;
  QListWidget* fPopup = nullptr;
  QPointer<TZCLCustomEdit> fEdit;
  QString fTyped;
};

}  // namespace zyn
