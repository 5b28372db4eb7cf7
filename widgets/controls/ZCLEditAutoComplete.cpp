#include "widgets/controls/ZCLEditAutoComplete.h"

namespace zyn {

void TZCLEditAutoComplete::SetStringListIndex(int value) {
  const int count = list_ ? list_->Count() : 0;
  index_ = std::max(0, std::min(value, count - 1));
}

QStringList* TZCLEditAutoComplete::Entries() const {
  if (!list_) return nullptr;
  TZCLStringListItem* item = list_->Item(index_);
  return item ? &item->Items : nullptr;
}

QString TZCLEditAutoComplete::FindCompletion(const QString& text) const {
  const QStringList* entries = Entries();
  if (!entries || text.isEmpty()) return QString();
  const Qt::CaseSensitivity cs = caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const QString& entry : *entries)
    if (entry.startsWith(text, cs)) return entry;
  return QString();
}

bool TZCLEditAutoComplete::Contains(const QString& text) const {
  const QStringList* entries = Entries();
  return entries && entries->contains(text, caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool TZCLEditAutoComplete::AddUnknown(QWidget* edit, const QString& source) {
  if (source.isEmpty() || Contains(source)) return false;
  QString text = source;
  bool add = true;
  TZCLStringList* target = list_.data();
  if (OnAdd) OnAdd(this, edit, text, add, target);
  if (!add || !target) return false;
  TZCLStringListItem* item = target->Item(target == list_ ? index_ : 0);
  if (!item) item = target->Item(target->AddItem());
  item->Items.append(text);
  target->Changed();
  return true;
}

}  // namespace zyn
