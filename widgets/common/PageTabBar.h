#pragma once
// The tab control of the pages: one tab per control module, the active tab's text bold and blue,
// the others black, each centred.

#include <QTabBar>

namespace zyn {

class TPageTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit TPageTabBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zyn
