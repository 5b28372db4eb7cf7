#pragma once
// Text completion for edits from an item of a string list, and adding unknown texts to it.

#include "widgets/controls/ZCLLists.h"

#include <QPointer>
#include <functional>

namespace zyn {

enum TZCLAutoCompleteMode : unsigned { amText = 1, amPopup = 2 };
enum TZCLAutoCompleteAddOn : unsigned { aaControlExit = 1, aaControlReturn = 2 };

class TZCLEditAutoComplete : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLEditAutoComplete(QObject* owner = nullptr) : TZCLCustomComponent(owner) {}

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

 private:
  QStringList* Entries() const;
  QPointer<TZCLStringList> list_;
  int index_ = 0;
  unsigned mode_ = 0;
  unsigned addOn_ = 0;
  bool caseSensitive_ = true;
  bool enabled_ = true;
};

}  // namespace zyn
