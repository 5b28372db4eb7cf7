#pragma once
// The owner-drawn link lists: each entry a link's picture and display text; the selected entry
// bold with light text. The page's list marks generated links, the list of a function's links
// marks a logic that cannot work in red.

#include <QListWidget>
#include <QStyledItemDelegate>

namespace zyn {

class TVerbindung;

class TLinkListDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  // checkLogic: the picture and colour follow the link's HasValidLogic; otherwise a generated
  // link gets the picture "TEMPVERB".
  TLinkListDelegate(bool checkLogic, QObject* parent) : QStyledItemDelegate(parent), fCheckLogic(checkLogic) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  bool fCheckLogic;
};

// A list of links with multiple selection; the entries carry their links.
class TLinkList : public QListWidget {
  Q_OBJECT
 public:
  TLinkList(bool checkLogic, QWidget* parent = nullptr);
  // Appends (index -1 or beyond the end) or inserts the link's entry; its row.
  int PutLink(TVerbindung* link, int index = -1);
  TVerbindung* LinkAt(int row) const;
  int RowOf(const TVerbindung* link) const;
  // The links of the selected entries, top to bottom.
  std::vector<TVerbindung*> SelectedLinks() const;
  std::vector<int> SelectedRows() const;
};

}  // namespace zyn
