#pragma once
// Docking of child widgets to the sides of their parent, as the class library's Align property
// does it: top bars first, then bottom, left and right bars, each keeping its own height or width
// in the order they were added, and one client widget filling the rest.

#include <QLayout>

#include <vector>

namespace zyn {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The alignment of a widget (alNone when never set).
TAlign AlignOf(const QWidget* widget);
void SetAlignOf(QWidget* widget, TAlign align);
// Lays out the parent's children again after one of them changed its size.
void RealignParent(QWidget* child);

class TAlignLayout : public QLayout {
 public:
  explicit TAlignLayout(QWidget* parent = nullptr);
  ~TAlignLayout() override;

  // Adds a widget with its alignment.
  void AddWidget(QWidget* widget, TAlign align);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override { return static_cast<int>(fItems.size()); }
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  std::vector<QLayoutItem*> fItems;
};

}  // namespace zyn
