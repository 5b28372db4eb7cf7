#include "widgets/controls/ZCLFaceController.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class FakeEdit : public QObject, public IZCLFaceStateControl, public IZCLFaceEditState {
 public:
  bool focused = false, hot = false, enabled = true, modified = false, readOnly = false, error = false;
  bool GetFocusedState() const override { return focused; }
  bool GetHotState() const override { return hot; }
  bool GetEnabledState() const override { return enabled; }
  TColor GetColorValue() const override { return clWindow; }
  bool GetModifiedState() const override { return modified; }
  bool GetReadOnlyState() const override { return readOnly; }
  bool GetErrorState() const override { return error; }
};

TEST(FaceController, StatesByTheControlsAnswers) {
  FakeEdit edit;
  auto name = [&] { return QString::fromLatin1(TZCLFaceController::StateEntryFor(&edit).Name); };
  EXPECT_EQ(name(), QStringLiteral("Normal"));
  edit.focused = true;
  edit.error = true;
  EXPECT_EQ(name(), QStringLiteral("Error"));
  edit.focused = false;
  edit.error = false;
  edit.readOnly = true;
  edit.hot = true;
  EXPECT_EQ(name(), QStringLiteral("ReadOnly"));
  edit.enabled = false;
  EXPECT_EQ(name(), QStringLiteral("Disabled"));
  QObject plain;
  EXPECT_EQ(QString::fromLatin1(TZCLFaceController::StateEntryFor(&plain).Name), QStringLiteral("Normal"));
}

TEST(FaceController, SettingsOfTheStateAnswerTheQueries) {
  TZCLFaceController fc;
  auto color = std::make_unique<TZCLColorObject>();
  color->SetColor(clYellow);
  fc.Settings().AddSetting(std::move(color), QStringLiteral("TZCLColorObject"), QStringLiteral("Gelb"));
  EXPECT_EQ(fc.Settings().AddSetting(std::make_unique<TZCLFontSetting>(), QStringLiteral("TFont")), 1);
  fc.Settings().AddSetting(std::make_unique<TZCLFontSetting>(), QStringLiteral("TFont"));
  EXPECT_EQ(fc.Settings().NameAt(1), QStringLiteral("TFont0"));
  EXPECT_EQ(fc.Settings().NameAt(2), QStringLiteral("TFont1"));
  EXPECT_EQ(fc.Settings().AddSetting(nullptr, QStringLiteral("TFont")), -1);
  TZCLCFCStateObject& focused = fc.AddState(StateEntries()[2].Kind);
  focused.Settings = QStringList{"Gelb", "Fehlt", "TFont1"};
  fc.ResolveAll();
  EXPECT_EQ(focused.Settings, (QStringList{"Gelb", "TFont1"}));
  FakeEdit edit;
  EXPECT_EQ(fc.GetColor(&edit), clWindow);
  edit.focused = true;
  EXPECT_EQ(fc.GetColor(&edit), clYellow);
  EXPECT_NE(fc.GetSetting<TZCLFontSetting>(&edit), nullptr);
  EXPECT_EQ(fc.GetSetting<TZCLCtlSettings>(&edit), nullptr);
  QObject plain;
  EXPECT_EQ(fc.GetColor(&plain), clBackground);
}

TEST(FaceController, StoredKindOfNoEntryReadsAsNormal) {
  TZCLCFCStateObject state;
  state.ReadKind({1, 1, 1, 1, 1, 1, 1});
  EXPECT_EQ(state.Kind, StateEntries().back().Kind);
  state.ReadKind({0, 0, 0, 0, 0, 1, 2, 9, 9});
  EXPECT_EQ(state.Kind, StateEntries()[1].Kind);
  TZCLCtlSettings settings;
  EXPECT_EQ(settings.Description(), QStringLiteral("Transp.: False, CtlXP: True"));
}

}  // namespace
}  // namespace zyn

#include "TestSupport.h"
#include "widgets/controls/ZCLCustomEdit.h"

namespace zyn {
namespace {

TEST(FaceController, EditTakesTheColourOfItsState) {
  zyn::test::EnsureApp();
  QWidget window;
  auto* edit = new TZCLEdit(&window);
  edit->setGeometry(0, 0, 100, 21);
  TZCLFaceController fc;
  auto color = std::make_unique<TZCLColorObject>();
  color->SetColor(clYellow);
  fc.Settings().AddSetting(std::move(color), QStringLiteral("TZCLColorObject"), QStringLiteral("Nur lesen"));
  fc.AddState(StateEntries()[3].Kind).Settings = QStringList{"Nur lesen"};
  fc.ResolveAll();
  edit->SetFaceController(&fc);
  EXPECT_EQ(edit->EffectiveColor(), clWindow);
  edit->SetReadOnly(true);
  EXPECT_EQ(QString::fromLatin1(TZCLFaceController::StateEntryFor(edit).Name), QStringLiteral("ReadOnly"));
  EXPECT_EQ(edit->EffectiveColor(), clYellow);
  const QImage image = zyn::test::Render(edit);
  EXPECT_EQ(FromQColor(image.pixelColor(50, 10)), clYellow);
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCL3DCaption.h"
#include "widgets/controls/ZCLBevel.h"

namespace zyn {
namespace {

TEST(FaceController, PoolAndStateCopiesAndTheKindQueries) {
  TZCLFaceController fc;
  auto bevel = std::make_unique<TZCLBevel>();
  bevel->SetMode(bmStandard);
  fc.Settings().AddSetting(std::move(bevel), QStringLiteral("TZCLBevel"), QStringLiteral("Rahmen"));
  auto caption = std::make_unique<TZCLFxCaption>();
  caption->SetAngle(45);
  fc.Settings().AddSetting(std::move(caption), QStringLiteral("TZCLFxCaption"), QStringLiteral("Schrift"));
  TZCLCFCSettingObjects copy;
  copy.Assign(fc.Settings());
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.NameAt(1), QStringLiteral("Schrift"));
  ASSERT_NE(dynamic_cast<TZCLFxCaption*>(copy.ObjectAt(1)), nullptr);
  EXPECT_EQ(dynamic_cast<TZCLFxCaption*>(copy.ObjectAt(1))->Angle(), 45);
  EXPECT_NE(copy.ObjectAt(0), fc.Settings().ObjectAt(0));  // a copy, not the same object
  EXPECT_EQ(dynamic_cast<TZCLBevel*>(copy.ObjectAt(0))->Mode(), bmStandard);

  TZCLCFCStateObject& normal = fc.AddState(StateEntries().back().Kind);
  normal.Settings = QStringList{"Schrift", "Rahmen"};
  fc.ResolveAll();
  FakeEdit edit;
  EXPECT_EQ(fc.GetBevel(&edit), fc.Settings().FindSetting(QStringLiteral("Rahmen")));
  EXPECT_EQ(fc.Get3DCaption(&edit), fc.Settings().FindSetting(QStringLiteral("Schrift")));  // an FX caption answers
  EXPECT_EQ(fc.GetFill(&edit), nullptr);
  EXPECT_EQ(fc.GetFont(&edit), nullptr);
  EXPECT_TRUE(fc.GetCtl3D(&edit));
  QObject plain;
  EXPECT_FALSE(fc.GetCtl3D(&plain));

  TZCLCFCStateObject other;
  TZCLCFCSettingObjects small;
  small.AddSetting(std::make_unique<TZCLColorObject>(), QStringLiteral("TZCLColorObject"), QStringLiteral("Rahmen"));
  other.Assign(normal, small);  // names missing from the other pool are dropped
  EXPECT_EQ(other.Settings, QStringList{"Rahmen"});
  EXPECT_EQ(other.Kind, normal.Kind);
}

TEST(FaceController, ClientsRepaintAndLeaveWithTheirController) {
  zyn::test::EnsureApp();
  QWidget window;
  auto* edit = new TZCLEdit(&window);
  auto controller = std::make_unique<TZCLFaceController>();
  edit->SetFaceController(controller.get());
  EXPECT_EQ(controller->ClientCount(), 1);
  edit->SetFaceController(nullptr);
  EXPECT_EQ(controller->ClientCount(), 0);
  edit->SetFaceController(controller.get());
  controller.reset();  // the edit keeps no dangling controller
  EXPECT_EQ(edit->FaceController(), nullptr);
  EXPECT_EQ(edit->EffectiveColor(), edit->Color());
}

}  // namespace
}  // namespace zyn
