// The customizing form as a window beside its form: its help button shows the manager's help as
// F1 help does, the customized form keeps looking active while the customizing form is active,
// and the customizing form hides and comes back with its form.

#include "BarDemoWindow.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarCustomizingForm.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

using test::BarDemoWindow;
using Names = std::vector<std::string>;

class BarCustomizingFormWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApplication();
    ASSERT_TRUE(fDir.isValid());
    fDemo = std::make_unique<BarDemoWindow>((fDir.path() + QStringLiteral("/bars.ini")).toStdString(), true);
    M().OnHelpButtonClick = [this](TzbBarManager&) { fDemo->Events.push_back("OnHelpButtonClick"); };
  }
  void TearDown() override {
    QToolTip::hideText();
    fDemo.reset();
    QApplication::processEvents();
  }
  TzbBarManager& M() { return *fDemo->Manager; }
  TzbBarCustomizingForm* Start() {
    M().SetCustomizing(true);
    QApplication::processEvents();
    return CustomizingForm();
  }
  static void Activate(QWidget* w) {
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QApplication::processEvents();
  }

  QTemporaryDir fDir;
  std::unique_ptr<BarDemoWindow> fDemo;
};

TEST_F(BarCustomizingFormWindow, TheHelpButtonShowsTheManagersHelpBelowIt) {
  // Without ShowHelpButton the button is not there.
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->Help->isVisible());
  M().SetCustomizing(false);
  QApplication::processEvents();

  M().ShowHelpButton = true;
  form = Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(form->Help->isVisible());
  QTest::mouseClick(form->Help, Qt::LeftButton);
  // First the button's event, then the help of context 900, at the middle of the button's foot.
  EXPECT_EQ(fDemo->Events, (Names{"OnHelpButtonClick", "OnHelp:900"}));
  EXPECT_EQ(fDemo->LastHelp.HelpContext, 900);
  EXPECT_FALSE(fDemo->LastHelp.Popup);
  EXPECT_EQ(fDemo->LastHelp.Item, nullptr);
  EXPECT_EQ(fDemo->LastHelp.Position, form->Help->mapToGlobal(QPoint(form->Help->width() / 2, form->Help->height())));
  // The form shows it as a tip.
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Hilfe, Thema 900"));

  // Without a help context only the button's event fires.
  fDemo->Events.clear();
  M().HelpContext = 0;
  form->HelpClicked();
  EXPECT_EQ(fDemo->Events, (Names{"OnHelpButtonClick"}));

  // A button handler that ends the customizing mode: the form goes, no help follows.
  M().HelpContext = 900;
  fDemo->Events.clear();
  M().OnHelpButtonClick = [this](TzbBarManager& m) {
    fDemo->Events.push_back("OnHelpButtonClick");
    m.SetCustomizing(false);
  };
  form->HelpClicked();
  EXPECT_EQ(fDemo->Events, (Names{"OnHelpButtonClick"}));
  EXPECT_EQ(CustomizingForm(), nullptr);
  QApplication::processEvents();
}

TEST_F(BarCustomizingFormWindow, TheOpenFormShowsAndHidesItsHelpButtonWithTheManager) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  ASSERT_FALSE(form->Help->isVisible());
  M().SetShowHelpButton(true);
  EXPECT_TRUE(M().ShowHelpButton);
  EXPECT_TRUE(form->Help->isVisible());
  M().SetShowHelpButton(false);
  EXPECT_FALSE(M().ShowHelpButton);
  EXPECT_FALSE(form->Help->isVisible());
  // Without an open form only the value changes.
  M().SetCustomizing(false);
  QApplication::processEvents();
  M().SetShowHelpButton(true);
  EXPECT_TRUE(M().ShowHelpButton);
  form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->Help->isVisible());
}

TEST_F(BarCustomizingFormWindow, AnOpenMenuClosesWhenTheCustomizingFormLosesTheActivation) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  form->move(430, 280);  // off the bars
  Activate(form);
  ASSERT_TRUE(form->isActiveWindow());
  auto openMenu = [&] {
    fDemo->ClickControl(*fDemo->MenuBarEntry("Datei1"));
    QApplication::processEvents();
    return TCustomzbBarControl::ActiveBarControl();
  };
  ASSERT_NE(openMenu(), nullptr);
  EXPECT_NE(fDemo->MenuOf("Datei1"), nullptr);

  // A window the customizing form owns takes the activation: the menu stays open.
  QDialog owned(form);
  owned.setGeometry(600, 500, 80, 60);
  owned.show();
  Activate(&owned);
  ASSERT_TRUE(owned.isActiveWindow());
  EXPECT_NE(TCustomzbBarControl::ActiveBarControl(), nullptr);
  owned.hide();
  Activate(form);
  ASSERT_TRUE(form->isActiveWindow());
  if (!TCustomzbBarControl::ActiveBarControl()) {
    ASSERT_NE(openMenu(), nullptr);
  }

  // Another window of the program: the menu closes.
  QWidget other;
  other.setGeometry(600, 500, 80, 60);
  other.show();
  Activate(&other);
  ASSERT_TRUE(other.isActiveWindow());
  EXPECT_EQ(TCustomzbBarControl::ActiveBarControl(), nullptr);
  EXPECT_TRUE(M().Customizing());
}

TEST_F(BarCustomizingFormWindow, TheCustomizedFormLooksActiveWhileTheCustomizingFormIsActive) {
  TzbBar* bar = fDemo->Toolbars[3];
  bar->SetDockingStyle(dsNone);  // a floating bar draws its caption by the form's activation
  QApplication::processEvents();
  TzbBarControl* window = fDemo->WindowOf(bar);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->IsFloating());
  Activate(&fDemo->Form);
  ASSERT_TRUE(fDemo->Form.isActiveWindow());
  EXPECT_TRUE(window->FormActive());

  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  Activate(form);
  ASSERT_TRUE(form->isActiveWindow());
  EXPECT_FALSE(fDemo->Form.isActiveWindow());
  EXPECT_TRUE(FormLooksActive(M()));
  EXPECT_TRUE(window->FormActive());

  // Another window of the program takes the activation: the form looks inactive.
  QWidget other;
  other.setGeometry(600, 500, 80, 60);
  other.show();
  Activate(&other);
  ASSERT_TRUE(other.isActiveWindow());
  EXPECT_FALSE(FormLooksActive(M()));
  EXPECT_FALSE(window->FormActive());

  // Back to the customizing form, then out of the customizing mode: the form's own state counts.
  Activate(form);
  EXPECT_TRUE(window->FormActive());
  M().SetCustomizing(false);
  Activate(&other);
  EXPECT_FALSE(FormLooksActive(M()));
}

TEST_F(BarCustomizingFormWindow, TheCustomizingFormHidesAndComesBackWithItsForm) {
  TzbBarCustomizingForm* form = Start();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(form->isVisible());
  // The form hides: the customizing form with it; the customizing mode goes on.
  fDemo->Form.hide();
  QApplication::processEvents();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->HiddenWithForm());
  EXPECT_TRUE(M().Customizing());
  EXPECT_EQ(CustomizingForm(), form);
  fDemo->Form.show();
  QApplication::processEvents();
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->HiddenWithForm());

  // Minimized and restored.
  fDemo->Form.showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(form->isVisible());
  fDemo->Form.showNormal();
  QApplication::processEvents();
  EXPECT_TRUE(form->isVisible());

  // A customizing form closed by the user does not come back when the form is shown again.
  form->close();
  QApplication::processEvents();
  EXPECT_FALSE(M().Customizing());
  EXPECT_EQ(CustomizingForm(), nullptr);
  fDemo->Form.hide();
  fDemo->Form.show();
  QApplication::processEvents();
  EXPECT_EQ(CustomizingForm(), nullptr);

  // Customizing entered while the form is hidden: the customizing form waits for it.
  fDemo->Form.hide();
  form = Start();
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->isVisible());
  fDemo->Form.show();
  QApplication::processEvents();
  EXPECT_TRUE(form->isVisible());

  // Closing the form hides the customizing form too.
  fDemo->Form.close();
  QApplication::processEvents();
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace zyn
