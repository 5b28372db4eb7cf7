#include "widgets/bars/BarItemAction.h"

#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"

#include <QAction>

namespace zyn {

TzbBarItemActionLink::TzbBarItemActionLink(TzbBarItem& client, QAction& action) : fClient(&client), fAction(&action) {
  fChanged = QObject::connect(&action, &QAction::changed, [this]() {
    if (fAction) fClient->ActionChange(*fAction, false);
  });
  // The action goes: the item lets go of it (which frees this link).
  fDestroyed = QObject::connect(&action, &QObject::destroyed, [this]() { fClient->SetAction(nullptr); });
}

TzbBarItemActionLink::~TzbBarItemActionLink() {
  QObject::disconnect(fChanged);
  QObject::disconnect(fDestroyed);
}

void TzbBarItemActionLink::Execute() const {
  if (fAction) fAction->trigger();
}

QAction* TzbBarItem::Action() const { return fActionLink ? fActionLink->Action() : nullptr; }

void TzbBarItem::SetAction(QAction* action) {
  if (action == Action()) return;
  fActionLink.reset();
  if (!action) return;
  fActionLink = std::make_unique<TzbBarItemActionLink>(*this, *action);
  ActionChange(*action, fLoading);
}

void TzbBarItem::ActionChange(QAction& action, bool checkDefaults) {
  const std::string caption = FromQString(action.text());
  if (!checkDefaults || fCaption.empty()) SetCaption(caption);
  if (auto* button = dynamic_cast<TzbBarButton*>(this); button && (!checkDefaults || !button->Down())) {
    if (action.isCheckable()) button->SetButtonStyle(bsChecked);
    button->SetDown(action.isChecked());
  }
  if (!checkDefaults || fEnabled) SetEnabled(action.isEnabled());
  // The tool tip is the hint as it is (no coupling with the caption's hint part).
  // (An action's tool tip defaults to its text: that is no hint of its own.)
  const bool ownToolTip = action.toolTip() != QString(action.text()).remove(QLatin1Char('&'));
  if (!checkDefaults || fHint.empty()) fHint = ownToolTip ? FromQString(action.toolTip()) : std::string();
  if (!checkDefaults || fVisible == ivAlways) SetVisible(action.isVisible() ? ivAlways : ivNever);
}

void TzbBarItem::AssignTo(QAction& destination) const {
  destination.setText(ToQString(fCaption));
  if (const auto* button = dynamic_cast<const TzbBarButton*>(this)) {
    destination.setCheckable(button->ButtonStyle() == bsChecked);
    destination.setChecked(button->Down());
  }
  destination.setEnabled(GetEnabled());
  destination.setToolTip(ToQString(fHint));
  if (fVisible != ivInCustomizing) destination.setVisible(fVisible == ivAlways);
  // Triggering the action runs the item's own click handler while the item lives.
  if (OnClick) {
    TzbBarItem* self = const_cast<TzbBarItem*>(this);
    TzbBarManager* manager = fManager;
    QObject::connect(&destination, &QAction::triggered, [self, manager]() {
      if (TzbBarManagerList::Contains(manager) && manager->IndexOfItem(self) >= 0 && self->OnClick) self->OnClick(*self);
    });
  }
}

}  // namespace zyn
