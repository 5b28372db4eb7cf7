#pragma once
// The flag page "Merker bearbeiten": the numbered flags 0 to 255 of a control module, with a
// button that fills the whole flag range at once.

#include "frames/ListPage.h"

class QToolButton;

namespace zyn {

class TFrMerker : public TListPage<TMerkerListe, TMerker> {
  Q_OBJECT
 public:
  explicit TFrMerker(QWidget* parent = nullptr);

  QToolButton* ToolButton4 = nullptr;  // fills the range
  // Adds a flag at every free number, in ascending order; the number of flags added.
  int FillAll();

 protected:
  void UpdatePage() override;
};

}  // namespace zyn
