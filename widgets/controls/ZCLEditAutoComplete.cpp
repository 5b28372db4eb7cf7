#include "widgets/controls/ZCLEditAutoComplete.h"

#include "widgets/controls/ZCLCustomEdit.h"

#include <QListWidget>

namespace zyn {

TZCLEditAutoComplete::~TZCLEditAutoComplete() { ClosePopup(); }

void TZCLEditAutoComplete::SetStringListIndex(int value) {
  const int count = fList ? fList->Count() : 0;
  fIndex = std::max(0, std::min(value, count - 1));
}

QStringList* TZCLEditAutoComplete::Entries() const {
  if (!fList) return nullptr;
  TZCLStringListItem* item = fList->Item(fIndex);
  return item ? &item->Items : nullptr;
}

QString TZCLEditAutoComplete::FindCompletion(const QString& text) const {
  const QStringList* entries = Entries();
  if (!entries || text.isEmpty()) return QString();
  const Qt::CaseSensitivity cs = fCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const QString& entry : *entries)
    if (entry.startsWith(text, cs)) return entry;
  return QString();
}

bool TZCLEditAutoComplete::Contains(const QString& text) const {
  const QStringList* entries = Entries();
  return entries && entries->contains(text, fCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool TZCLEditAutoComplete::AddUnknown(QWidget* edit, const QString& source) {
  if (source.isEmpty() || Contains(source)) return false;
  QString text = source;
  bool add = true;
  TZCLStringList* target = fList.data();
  if (OnAdd) OnAdd(this, edit, text, add, target);
  if (!add || !target) return false;
  TZCLStringListItem* item = target->Item(target == fList ? fIndex : 0);
  if (!item) item = target->Item(target->AddItem());
  item->Items.append(text);
  target->Changed();
  return true;
}

QStringList TZCLEditAutoComplete::Matches(const QString& text) const {
  QStringList result;
  const QStringList* entries = Entries();
  if (!entries || text.isEmpty()) return result;
  const Qt::CaseSensitivity cs = fCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
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
  fTyped = typed;
  const QStringList matches = Matches(typed);
  if (matches.isEmpty()) return;  // an open list stays as it is
  if (matches.size() == 1 && matches.first() == typed) {
    ClosePopup();
    return;
  }
  if (fPopup && fEdit != edit) ClosePopup();
  fEdit = edit;
  if (!fPopup) {
    fPopup = new QListWidget;
    fPopup->setObjectName(QStringLiteral("AutoCompleteList"));
    fPopup->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus);
    fPopup->setAttribute(Qt::WA_ShowWithoutActivating);
    fPopup->setFocusPolicy(Qt::NoFocus);
    fPopup->setFrameShape(QFrame::Box);
    QObject::connect(fPopup, &QListWidget::itemClicked, fPopup, [this](QListWidgetItem* item) {
      fPopup->setCurrentItem(item);
      AcceptPopup();
    });
  }
  fPopup->clear();
  fPopup->addItems(matches);
  fPopup->setCurrentRow(-1);
  const int rowHeight = fPopup->fontMetrics().height() + 2;
  const int rows = std::min(static_cast<int>(matches.size()), MaxPopupRows());
  fPopup->setGeometry(QRect(edit->mapToGlobal(QPoint(0, edit->height())), QSize(edit->width(), rowHeight * rows + 5)));
  fPopup->show();
}

void TZCLEditAutoComplete::PutText(const QString& text) {
  if (!fEdit) return;
  fEdit->SetText(text);
  fEdit->SetCaretPos(static_cast<int>(fEdit->Text().size()) + 1);
  fEdit->SelectAll();
}

void TZCLEditAutoComplete::MoveSelection(int step) {
  if (!fPopup || fPopup->count() == 0) return;
  const int row = std::clamp(fPopup->currentRow() + step, 0, fPopup->count() - 1);
  fPopup->setCurrentRow(row);
  PutText(fPopup->item(row)->text());
}

void TZCLEditAutoComplete::AcceptPopup() {
  if (!fPopup) return;
  QListWidgetItem* item = fPopup->currentItem();
  const QString text = item ? item->text() : QString();
  ClosePopup();
  if (item)
    PutText(text);
  else
    PutText(fEdit ? fEdit->Text() : QString());
}

void TZCLEditAutoComplete::CancelPopup() {
  if (!fPopup) return;
  ClosePopup();
  PutText(fTyped);
}

void TZCLEditAutoComplete::ClosePopup() {
  if (!fPopup) return;
  QListWidget* list = fPopup;
  fPopup = nullptr;
  list->hide();
  list->deleteLater();
}

}  // namespace zyn
