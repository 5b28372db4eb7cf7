#include "widgets/controls/ZCLEditAutoComplete.h"

#include "widgets/controls/ZCLCustomEdit.h"

#include <QListWidget>

namespace zyn {

TZCLEditAutoComplete::~TZCLEditAutoComplete() { ClosePopup(); }

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

QStringList TZCLEditAutoComplete::Matches(const QString& text) const {
  QStringList result;
  const QStringList* entries = Entries();
  if (!entries || text.isEmpty()) return result;
  const Qt::CaseSensitivity cs = caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const QString& entry : *entries)
    if (entry.startsWith(text, cs)) result.append(entry);
  result.sort(cs);
  return result;
}

void TZCLEditAutoComplete::UpdatePopup(TZCLCustomEdit* edit, const QString& typed) {
  if (typed.isEmpty()) {
    ClosePopup();
    return;
  }
  typed_ = typed;
  const QStringList matches = Matches(typed);
  if (matches.isEmpty()) return;  // an open list stays as it is
  if (matches.size() == 1 && matches.first() == typed) {
    ClosePopup();
    return;
  }
  if (popup_ && edit_ != edit) ClosePopup();
  edit_ = edit;
  if (!popup_) {
    popup_ = new QListWidget;
    popup_->setObjectName(QStringLiteral("AutoCompleteList"));
    popup_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus);
    popup_->setAttribute(Qt::WA_ShowWithoutActivating);
    popup_->setFocusPolicy(Qt::NoFocus);
    popup_->setFrameShape(QFrame::Box);
    QObject::connect(popup_, &QListWidget::itemClicked, popup_, [this](QListWidgetItem* item) {
      popup_->setCurrentItem(item);
      AcceptPopup();
    });
  }
  popup_->clear();
  popup_->addItems(matches);
  popup_->setCurrentRow(-1);
  const int rowHeight = popup_->fontMetrics().height() + 2;
  const int rows = std::min(static_cast<int>(matches.size()), MaxPopupRows());
  popup_->setGeometry(QRect(edit->mapToGlobal(QPoint(0, edit->height())), QSize(edit->width(), rowHeight * rows + 5)));
  popup_->show();
}

void TZCLEditAutoComplete::PutText(const QString& text) {
  if (!edit_) return;
  edit_->SetText(text);
  edit_->SetCaretPos(static_cast<int>(edit_->Text().size()) + 1);
  edit_->SelectAll();
}

void TZCLEditAutoComplete::MoveSelection(int step) {
  if (!popup_ || popup_->count() == 0) return;
  const int row = std::clamp(popup_->currentRow() + step, 0, popup_->count() - 1);
  popup_->setCurrentRow(row);
  PutText(popup_->item(row)->text());
}

void TZCLEditAutoComplete::AcceptPopup() {
  if (!popup_) return;
  QListWidgetItem* item = popup_->currentItem();
  const QString text = item ? item->text() : QString();
  ClosePopup();
  if (item) PutText(text);
  else PutText(edit_ ? edit_->Text() : QString());
}

void TZCLEditAutoComplete::CancelPopup() {
  if (!popup_) return;
  ClosePopup();
  PutText(typed_);
}

void TZCLEditAutoComplete::ClosePopup() {
  if (!popup_) return;
  QListWidget* list = popup_;
  popup_ = nullptr;
  list->hide();
  list->deleteLater();
}

}  // namespace zyn
