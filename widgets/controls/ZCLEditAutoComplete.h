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

  TZCLStringList* StringList() const { return list_.data(); }
  void SetStringList(TZCLStringList* list) { list_ = list; }
  int StringListIndex() const { return index_; }
  void SetStringListIndex(int value);
  unsigned Mode() const { return mode_; }
  void SetMode(unsigned value) { mode_ = value; }
  unsigned AddUnknownOn() const { return addOn_; }
  void SetAddUnknownOn(unsigned value) { addOn_ = value; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value) { caseSensitive_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }

  // The first entry starting with text, empty when none.
  QString FindCompletion(const QString& text) const;
  bool Contains(const QString& text) const;
  // Adds text unless known (OnAdd may change or refuse it); true when added.
  bool AddUnknown(QWidget* edit, const QString& text);
  // The entries starting with text, sorted.
  QStringList Matches(const QString& text) const;

  // The suggestion list below the edit (popup mode): shown, refreshed or closed after a typed change.
  void UpdatePopup(TZCLCustomEdit* edit, const QString& typed);
  bool PopupOpen() const { return popup_ != nullptr; }
  QListWidget* Popup() const { return popup_; }
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
  QPointer<TZCLStringList> list_;
  int index_ = 0;
  unsigned mode_ = 0;
  unsigned addOn_ = 0;
  bool caseSensitive_ = true;
  bool enabled_ = true;
  QListWidget* popup_ = nullptr;
  QPointer<TZCLCustomEdit> edit_;
  QString typed_;
};

}  // namespace zyn
