#include "widgets/bars/BarMRUListItem.h"

#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "platform/QtText.h"
#include "widgets/bars/BarManager.h"

#include <QFontMetrics>

#include <cctype>
#include <cstring>

namespace zyn {

namespace {}  // namespace

bool TzbBarMRUListItem::InheritsFrom(const char* c) const {
  return std::strcmp(c, kClassName) == 0 || TzbBarListItem::InheritsFrom(c);
}

void TzbBarMRUListItem::SetMaxItemCount(int value) {
  if (value < 0) value = 0;
  if (value == fMaxItemCount) return;
  fMaxItemCount = value;
  TrimItems();
}

void TzbBarMRUListItem::TrimItems() {
  if (fMaxItemCount == 0 || static_cast<int>(Items.size()) <= fMaxItemCount) return;
  Items.resize(fMaxItemCount);
  ItemsChanged();
}

void TzbBarMRUListItem::RemoveItem(const std::string& text) {
  if (text.empty()) return;
  for (std::size_t i = 0; i < Items.size(); ++i) {
    if (SameText(Items[i], text)) {
      Items.erase(Items.begin() + static_cast<long>(i));
      ItemsChanged();
      return;
    }
  }
}

std::string TzbBarMRUListItem::GetDisplayText(const std::string& entry) const {
  // The entries are file names (UTF-8); the bar shows model text.
  return ShortenMRUText(Utf8ToAnsi(TzbBarListItem::GetDisplayText(entry)));
}

void TzbBarMRUListItem::DirectClick() {
  // The clicked entry, taken before the handlers run (they may reorder the list).
  const int clicked = ItemIndex;
  const std::string clickedText =
      clicked >= 0 && clicked < static_cast<int>(Items.size()) ? Items[clicked] : std::string();
  TzbBarListItem::DirectClick();
  TzbBarItemLink* cur = CurItemLink();
  if (cur && cur->Item() == this) return;
  if (fManager->IsCustomizing()) return;
  if (!RemoveItemOnClick || clicked < 0) return;
  // Remove exactly the clicked entry: at its place when it is still there, else where it went.
  int index = -1;
  if (clicked < static_cast<int>(Items.size()) && Items[clicked] == clickedText) {
    index = clicked;
  } else {
    for (int i = 0; i < static_cast<int>(Items.size()); ++i)
      if (Items[i] == clickedText) {
        index = i;
        break;
      }
  }
  if (index >= 0) {
    Items.erase(Items.begin() + index);
    ItemsChanged();
  }
  ItemIndex = -1;
}

std::string ShortenMRUText(const std::string& text, int width, const QFont& font) {
  const QFontMetrics fm(font);
  const QString full = ToQString(text);
  if (fm.horizontalAdvance(full) <= width) return text;
  // Path components: the first (drive or root) and the last (the file name) are kept; directories
  // after the first are replaced by "..." from the left until the text fits.
  const int last = std::max(full.lastIndexOf(QLatin1Char('\\')), full.lastIndexOf(QLatin1Char('/')));
  if (last < 0) return FromQString(fm.elidedText(full, Qt::ElideMiddle, width));
  const QString fileName = full.mid(last);  // with its separator
  const int firstSep = [&] {
    const int a = full.indexOf(QLatin1Char('\\')), b = full.indexOf(QLatin1Char('/'));
    if (a < 0) return b;
    if (b < 0) return a;
    return std::min(a, b);
  }();
  QString head = full.left(firstSep + 1);
  QString middle = full.mid(firstSep + 1, last - firstSep - 1);
  const QString ellipsis = QStringLiteral("...");
  auto nextSeparator = [](const QString& m) {
    const int a = m.indexOf(QLatin1Char('\\'), 1), b = m.indexOf(QLatin1Char('/'), 1);
    if (a < 0) return b;
    if (b < 0) return a;
    return std::min(a, b);
  };
  while (!middle.isEmpty()) {
    const int cut = nextSeparator(middle);
    middle = cut < 0 ? QString() : middle.mid(cut);  // the separator stays in front
    const QString candidate = head + ellipsis + middle + fileName;
    if (fm.horizontalAdvance(candidate) <= width) return FromQString(candidate);
  }
  // Even without directories the text is too wide: the file name is kept whole all the same.
  return FromQString(ellipsis + fileName);
}

}  // namespace zyn
