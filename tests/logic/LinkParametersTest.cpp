// Link parameters: what each kind stores, the text it shows and the limits of its form, both
// ways (a new parameter and a change of the stored one).

#include "logic/core/LinkParameters.h"

#include "model/EAFunktionen.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

struct KindCase {
  const char* name;
  int kind;
  TLinkSide side;
  std::function<void(TParameterForm&)> enter;
  int word;
  double factor;
  const char* text;
  const char* caption;
};

class ParameterKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ParameterKinds, StoresTheValueShowsTheTextAndFillsTheFormAgain) {
  const KindCase& c = GetParam();
  TVerbindung link;
  TParameterForm form;
  ASSERT_TRUE(PrepareNewParameter(c.kind, "die Zeit", form));
  c.enter(form);
  StoreNewParameter(link, c.side, c.kind, "Ebene", form);
  const uint16_t word = c.side == lsThen ? link.TargetParam() : link.ElseParam();
  EXPECT_EQ(word, c.word);
  EXPECT_DOUBLE_EQ(c.side == lsThen ? link.TargetFactor() : link.ElseFactor(), c.factor);
  EXPECT_EQ(LinkParameterText(link, c.side, false), c.text);
  EXPECT_EQ(c.side == lsThen ? link.TargetParamCaption() : link.ElseParamCaption(), c.caption);
  EXPECT_TRUE(c.side == lsThen ? link.HasTargetParam() : link.HasElseParam());
  EXPECT_EQ(c.side == lsThen ? link.TargetParamMode() : link.ElseParamMode(), c.kind);
  // The other way: a kind changed through the form shows the values entered.
  if (ChangeableByForm(c.kind)) {
    TParameterForm again;
    ASSERT_TRUE(PrepareChangeParameter(link, c.side, again));
    TParameterForm entered = form;
    entered.ClampAll();
    for (int i = 1; i <= 14; ++i) {
      if (c.kind != 10 && entered.Spin[i].Value != TParameterForm().Spin[i].Value) {
        EXPECT_EQ(again.Spin[i].Value, entered.Spin[i].Value) << "spin " << i;
      }
    }
    TVerbindung copy;
    copy.CopyRecordFrom(link);
    StoreChangedParameter(copy, c.side, again);
    EXPECT_EQ(c.side == lsThen ? copy.TargetParam() : copy.ElseParam(), c.word);
  }
}

auto Spin(int index, int value) {
  return [=](TParameterForm& f) { f.Spin[index].Value = value; };
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ParameterKinds,
    ::testing::
        Values(KindCase{"SecondsMax", 1, lsThen, Spin(1, 65535), 65535, 1.0, "t=65535 Sekunden", "Sekunden"},
               KindCase{"SecondsTypedAboveMax", 1, lsThen, Spin(1, 70000), 65535, 1.0, "t=65535 Sekunden", "Sekunden"},
               KindCase{"DimValueAndTime", 2, lsThen,
                        [](TParameterForm& f) {
                          f.Spin[2].Value = 128;
                          f.Spin[3].Value = 10;
                        },
                        0x1080, 1.5625, "P=128, t= 10 Sekunden", "Dimmwert|Zeit"},
               KindCase{"DimLimits", 2, lsThen,
                        [](TParameterForm& f) {
                          f.Spin[2].Value = 300;
                          f.Spin[3].Value = 0;
                        },
                        0x02FF, 1.5625, "P=255, t=  1 Sekunden", "Dimmwert|Zeit"},
               KindCase{"Seconds160Top", 3, lsThen, Spin(1, 160), 250, 1.5625, "t=160 Sekunden", "Sekunden"},
               KindCase{"Seconds160One", 3, lsThen, Spin(1, 1), 2, 1.5625, "t=  1 Sekunden", "Sekunden"},
               KindCase{"PositionZero", 4, lsThen, Spin(1, 0), 0, 1.0, "P=  0", ".Position"},
               KindCase{"PositionElse", 4, lsElse, Spin(1, 255), 255, 1.0, "P=255", ". Position"},
               KindCase{"PrioLockRun", 5, lsThen,
                        [](TParameterForm& f) {
                          f.Radio[1] = 2;
                          f.Check[1] = true;
                          f.Spin[4].Value = 30;
                        },
                        300, 1.0, "t= 30 Sekunden, Prio=  2, PWL=  1", " Sekunden"},
               KindCase{"PrioLockRunElse", 5, lsElse,
                        [](TParameterForm& f) {
                          f.Radio[1] = 5;
                          f.Spin[4].Value = 6535;
                        },
                        65350, 10.0, "t=6535 Sekunden, Prio=  5, PWL=  0", " Sekunden"},
               KindCase{"PrioLevel", 6, lsThen, [](TParameterForm& f) { f.Radio[2] = 3; }, 0, 1.0, "Prio=  3", "Ebene"},
               KindCase{"PrioLockTenths", 9, lsThen,
                        [](TParameterForm& f) {
                          f.Radio[1] = 0;
                          f.Spin[4].Value = 15;
                        },
                        15, 1.0, "t in 1/10 Sekunden= 15, Prio=  0, Set=  0", "/10 Sekunden"},
               KindCase{"RunTimeLimited", 10, lsThen, Spin(1, 65535), 65530, 1.0, "t=6553 Sekunden, Prio= -1, Set=  0",
                        "Sekunden"},
               KindCase{"PrioSet", 11, lsThen,
                        [](TParameterForm& f) { f.Levels[0] = f.Levels[1] = f.Levels[5] = true; }, 0, 1.0,
                        "Prio: 0; 1; 5; ", "Ebene"},
               KindCase{"PrioSetElseHasNoText", 11, lsElse, [](TParameterForm& f) { f.Levels[2] = true; }, 0, 1.0,
                        "", "Ebene"},
               KindCase{"Tenths", 12, lsThen, Spin(1, 7), 7, 1.0, "t in 1/10 Sekunden =    7", "1/10 Sekunden"},
               KindCase{
                   "DelayDim",
                   13, lsThen,
                   [](TParameterForm& f) {
                     f.Spin[12].Value = 65535;
                     f.Spin[13].Value = 200;
                     f.Spin[14].Value = 160;
                   },
                   (250 << 8) | 200, 1.5625, "", "Dimmwert|Zeit"}),
    [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST(LinkParameters, PriorityMasksAndTheirTexts) {
  const int masks[] = {1, 3, 7, 15, 31, 63};
  for (int level = 0; level <= 5; ++level) {
    EXPECT_EQ(PriorityMaskOfLevel(level), masks[level]);
    EXPECT_EQ(PriorityMaskIndex(masks[level]), level);
  }
  EXPECT_EQ(PriorityMaskIndex(5), -1);
  EXPECT_EQ(PriorityMaskIndex(0), -1);
  EXPECT_EQ(PriorityLevelText(5), "0; 2; ");
  EXPECT_EQ(PriorityLevelText(0), "");
  EXPECT_EQ(PriorityLevelText(64), "");
}

TEST(LinkParameters, ExtendedBlockOfBothSidesAtItsOffsets) {
  TVerbindung link;
  TParameterForm form;
  PrepareNewParameter(8, "", form);
  form.Radio[4] = 1;
  form.Check[3] = true;
  form.Spin[7].Value = 2;
  form.Spin[8].Value = 3;
  form.Spin[9].Value = 0x1234;
  StoreNewParameter(link, lsThen, 8, "Ebene", form);
  const auto& h = link.Header();
  EXPECT_EQ(h[330], 3);  // THEN mask
  EXPECT_EQ(h[331], 0);
  EXPECT_EQ(h[332], 1);  // THEN flag
  EXPECT_EQ(h[336], 6);  // THEN length
  EXPECT_EQ(h[337] | (h[338] << 8), 20);
  EXPECT_EQ(h[339] | (h[340] << 8), 30);
  EXPECT_EQ(h[341] | (h[342] << 8), 0x1234);
  PrepareNewParameter(7, "", form);
  form.Radio[3] = 4;
  form.Spin[5].Value = 1;
  form.Spin[6].Value = 6535;
  StoreNewParameter(link, lsElse, 7, "Ebene", form);
  EXPECT_EQ(h[333], 31);
  EXPECT_EQ(h[343], 4);
  EXPECT_EQ(h[344] | (h[345] << 8), 10);
  EXPECT_EQ(h[346] | (h[347] << 8), 65350);
  // The THEN side is untouched.
  EXPECT_EQ(h[330], 3);
  TExtendedParams p = GetExtendedParams(link, lsElse);
  EXPECT_EQ(p.PriorityMask, 31);
  EXPECT_EQ(p.Times[1], 65350);
}

TEST(LinkParameters, RunTimeSetsTheChannelBitAndAChangeKeepsCaptionAndFactor) {
  TVerbindung link;
  link.Target().SetKanalNummer(3);
  TParameterForm form;
  PrepareNewParameter(10, "Laufzeit", form);
  EXPECT_EQ(form.Spin[1].Max, 6553);
  EXPECT_EQ(form.Label1, "Bitte geben Sie die Laufzeit ein");
  form.Spin[1].Value = 12;
  StoreNewParameter(link, lsThen, 10, "", form);
  EXPECT_EQ(link.Target().KanalNummer(), 7);
  EXPECT_EQ(link.TargetParam(), 120);
  // A kind-6 parameter keeps its caption when changed; a level of -1 keeps the stored mask.
  TVerbindung level;
  PrepareNewParameter(6, "", form);
  form.Radio[2] = 2;
  StoreNewParameter(level, lsThen, 6, "Sonnenschutz", form);
  TParameterForm change;
  ASSERT_TRUE(PrepareChangeParameter(level, lsThen, change));
  EXPECT_EQ(change.Radio[2], 2);
  change.Radio[2] = -1;
  StoreChangedParameter(level, lsThen, change);
  EXPECT_EQ(level.TargetParamCaption(), "Sonnenschutz");
  EXPECT_EQ(GetExtendedParams(level, lsThen).PriorityMask, 7);
  // Kind 5 changed on the ELSE side takes the factor 1.0.
  TVerbindung run;
  PrepareNewParameter(5, "", form);
  form.Spin[4].Value = 4;
  StoreNewParameter(run, lsElse, 5, "", form);
  EXPECT_DOUBLE_EQ(run.ElseFactor(), 10.0);
  ASSERT_TRUE(PrepareChangeParameter(run, lsElse, change));
  EXPECT_EQ(change.Spin[4].Value, 4);
  StoreChangedParameter(run, lsElse, change);
  EXPECT_DOUBLE_EQ(run.ElseFactor(), 1.0);
  EXPECT_EQ(run.ElseParam(), 40);
}

TEST(LinkParameters, AZeroFactorIsWrittenBackAsOneAndBracketsWrapTheText) {
  TVerbindung link;
  link.SetTargetParamMode(1);
  link.SetTargetParamWord(42);
  link.SetTargetFactor(0.0);
  EXPECT_EQ(LinkParameterText(link, lsThen, true), " < t=   42 Sekunden >");
  EXPECT_DOUBLE_EQ(link.TargetFactor(), 1.0);
  link.SetTargetParamMode(7);
  EXPECT_EQ(LinkParameterText(link, lsThen, true), "");
}

TEST(LinkParameters, ACommandWithoutParameterClearsTheSide) {
  TVerbindung link;
  link.SetHasTargetParam(true);
  link.SetTargetParamWord(9);
  TParameterForm form;
  EXPECT_FALSE(BeginLinkParameter(link, lsThen, nullptr, 13, form));
  EXPECT_FALSE(link.HasTargetParam());
  EXPECT_EQ(link.TargetParam(), 0);
  TEABaseFunction command;
  command.Dialog = 12;
  EXPECT_FALSE(BeginLinkParameter(link, lsThen, &command, 11, form));  // by list: kinds up to 11
  EXPECT_TRUE(link.HasTargetParam());
  EXPECT_EQ(link.TargetParamMode(), 0);
  command.Dialog = 3;
  command.ParaText = "die Dauer";
  EXPECT_TRUE(BeginLinkParameter(link, lsThen, &command, 13, form));
  EXPECT_EQ(form.Page, 0);
  EXPECT_EQ(form.Spin[1].Max, 160);
  EXPECT_EQ(form.Label1, "Bitte geben Sie die Dauer ein");
}

TEST(LinkParameters, CommandBytesAndRange) {
  TEABaseFunction command;
  command.Dialog = 4;
  command.ParaText = "Wert";
  TParameterForm form;
  ASSERT_TRUE(PrepareCommandParameter(command, form));
  EXPECT_EQ(form.Spin[1].Max, 255);
  form.Spin[1].Value = 999;
  uint8_t bytes[2] = {9, 9};
  StoreCommandParameter(4, form, bytes);
  EXPECT_EQ(bytes[0], 255);
  EXPECT_EQ(bytes[1], 0);
  command.Dialog = 1;
  PrepareCommandParameter(command, form);
  form.Spin[1].Value = 0x1234;
  StoreCommandParameter(1, form, bytes);
  EXPECT_EQ(bytes[0], 0x34);
  EXPECT_EQ(bytes[1], 0x12);
  command.Dialog = 0;
  EXPECT_FALSE(PrepareCommandParameter(command, form));
  TParameterForm range;
  range.Spin[10].Value = 5;
  range.Spin[11].Value = 300;
  EXPECT_EQ(RangeText(range), "5-240");
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// A command's parameter text: caption, unit and range; a text without fields is the caption.
TEST(ParaFields, CaptionUnitAndRange) {
  struct Case {
    const char* text;
    const char* caption;
    const char* unit;
    bool range;
    int min, max;
  } cases[] = {
      {"Dauer;Sekunden;1;65535", "Dauer", "Sekunden", true, 1, 65535},
      {"Helligkeit;Prozent;0;100", "Helligkeit", "Prozent", true, 0, 100},
      {"die Zeit", "die Zeit", "", false, 0, 0},
      {"Wert;Volt/10", "Wert", "Volt/10", false, 0, 0},
      {"Wert;;5;x", "Wert", "", false, 0, 0},      // not a number
      {"Wert;;9;3", "Wert", "", false, 0, 0},      // minimum above maximum
      {"", "", "", false, 0, 0},
  };
  for (const Case& c : cases) {
    const TParaFields f = ParseParaText(c.text);
    EXPECT_EQ(f.Caption, c.caption) << c.text;
    EXPECT_EQ(f.Unit, c.unit) << c.text;
    EXPECT_EQ(f.HasRange, c.range) << c.text;
    if (c.range) {
      EXPECT_EQ(f.Min, c.min) << c.text;
      EXPECT_EQ(f.Max, c.max) << c.text;
    }
  }
}

// The form takes the prompt word, the unit and the range from the fields; the range stays within
// what the parameter word of the kind can hold.
TEST(ParaFields, FormOfANewParameter) {
  TParameterForm form;
  ASSERT_TRUE(PrepareNewParameter(1, "Dauer;Sekunden;1;65535", form));
  EXPECT_EQ(form.Label1, "Bitte geben Sie Dauer ein");
  EXPECT_EQ(form.Label3, "Sekunden");
  EXPECT_EQ(form.Spin[1].Min, 1);
  EXPECT_EQ(form.Spin[1].Max, 65535);

  ASSERT_TRUE(PrepareNewParameter(2, "Helligkeit;Prozent;0;100", form));
  EXPECT_EQ(form.Label4, "Bitte geben Sie Helligkeit ein");
  EXPECT_EQ(form.Label5, "Prozent");
  EXPECT_EQ(form.Spin[2].Max, 100);
  EXPECT_EQ(form.Spin[3].Max, 160);  // the adjust time keeps its own range
  EXPECT_EQ(AnsiToUtf8(RangeRefusal(form, 2, 200)),
            "Der Wert 200 liegt außerhalb des zulässigen Bereichs.\rBitte geben Sie einen Wert von 0 bis 100 Prozent ein.");

  ASSERT_TRUE(PrepareNewParameter(3, "Wert;Volt/10;0;400", form));
  EXPECT_EQ(form.Spin[1].Min, 0);
  EXPECT_EQ(form.Spin[1].Max, 160);  // kind 3 holds at most 160
  ASSERT_TRUE(PrepareNewParameter(4, "Fahrzeit;Sekunden;1;255", form));
  EXPECT_EQ(form.Label3, "Sekunden");
  EXPECT_EQ(form.Spin[1].Min, 1);
  EXPECT_EQ(form.Spin[1].Value, 1);
  // Without fields the page's own range and texts stay.
  ASSERT_TRUE(PrepareNewParameter(4, "die Position", form));
  EXPECT_EQ(form.Label3, ".Position");
  EXPECT_EQ(form.Spin[1].Max, 255);
  // A range outside what the kind can hold leaves the page's range.
  ASSERT_TRUE(PrepareNewParameter(4, "Position;;300;400", form));
  EXPECT_EQ(form.Spin[1].Min, 0);
  EXPECT_EQ(form.Spin[1].Max, 255);
}

}  // namespace
}  // namespace zyn
