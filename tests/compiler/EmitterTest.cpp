// The link-code emitters: module commands and their parameter bytes, blocks, events, texts and
// the limits of the byte fields.

#include "compiler/CompileDriver.h"
#include "compiler/CompileError.h"
#include "compiler/DisplayText.h"
#include "compiler/EACompiler.h"
#include "model/base/Cp1252.h"
#include "tests/compiler/CompilerFixture.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

std::vector<uint8_t> Area(const TImageBuffer& area) { return {area.Data(), area.Data() + area.Length()}; }
std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> v;
  for (int b : list) v.push_back(static_cast<uint8_t>(b));
  return v;
}
// The used part of an area up to the fill of its alignment.
std::vector<uint8_t> Lists(const TImageBuffer& area) {
  std::vector<uint8_t> v = Area(area);
  while (!v.empty() && v.back() == 0xFF) v.pop_back();
  return v;
}

TEST(ModuleCommand, ParameterBytesByMode) {
  struct Case {
    int mode;
    uint16_t param;
    std::vector<uint8_t> bytes;
    bool counts;
  };
  // Channel 3, shift 5, command 2: 0x62. Extra bytes 330 = 0x05, 331 = 1, 332 = 1:
  // B = (1 shl 7) or 5 or (1 shl 6) = 0xC5; bytes 337..342 = 0x11 .. 0x16.
  const Case cases[] = {
      {0, 0, Bytes({0x62}), false},
      {1, 0, Bytes({0x62}), false},
      {0, 0x1234, Bytes({0x62, 0x34, 0x12}), true},
      {2, 0, Bytes({0x62, 0x00, 0x00}), true},
      {5, 0x1234, Bytes({0x62, 0xC5, 0x34, 0x12}), false},
      {9, 0x0001, Bytes({0x62, 0xC5, 0x01, 0x00}), false},
      {6, 7, Bytes({0x62, 0xC5}), false},
      {11, 7, Bytes({0x62, 0xC5}), false},
      {7, 7, Bytes({0x62, 0xC5, 0x11, 0x12, 0x13, 0x14}), false},
      {8, 7, Bytes({0x62, 0xC5, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16}), false},
      {13, 0xABCD, Bytes({0x62, 0x11, 0x12, 0xCD, 0xAB}), true},
  };
  for (const Case& c : cases) {
    TVerbindung link;
    TLinkEndpoint t = link.Target();
    t.SetKanalNummer(3);
    t.SetShift(5);
    t.SetFunctionNumber(2);
    link.SetTargetParamMode(c.mode);
    link.SetTargetParamWord(c.param);
    link.Header()[330] = 0x05;
    link.Header()[331] = 1;
    link.Header()[332] = 1;
    for (int i = 0; i < 6; ++i) link.Header()[static_cast<size_t>(337 + i)] = static_cast<uint8_t>(0x11 + i);
    const TModuleCommand command = MakeModuleCommand(link, false);
    EXPECT_EQ(command.Bytes, c.bytes) << "mode " << c.mode;
    EXPECT_EQ(command.CountsParam, c.counts) << "mode " << c.mode;
  }
}

TEST(ModuleCommand, ElseTargetUsesItsOwnBytes) {
  TVerbindung link;
  TLinkEndpoint e = link.ElseTarget();
  e.SetKanalNummer(1);
  e.SetShift(4);
  e.SetFunctionNumber(3);
  link.SetElseParamMode(5);
  link.SetElseParamWord(0x0102);
  link.Header()[333] = 0x01;  // low bits
  link.Header()[334] = 1;     // bit 7
  link.Header()[335] = 0;
  EXPECT_EQ(MakeModuleCommand(link, true).Bytes, Bytes({0x13, 0x81, 0x02, 0x01}));
}

TEST(ModuleCommand, CommandByteThatDoesNotFitFails) {
  TVerbindung link;
  link.Target().SetKanalNummer(9);
  link.Target().SetShift(5);
  EXPECT_THROW(MakeModuleCommand(link, false), ECompileError);
}

TEST(DisplayLine, AlignmentCuttingAndLetters) {
  EXPECT_EQ(FormatDisplayLine("Abc", 0), "Abc             ");
  EXPECT_EQ(FormatDisplayLine("Abc", 1), "             Abc");
  EXPECT_EQ(FormatDisplayLine("Abc", 2), "      Abc       ");
  EXPECT_EQ(FormatDisplayLine("Abcd", 2), "      Abcd      ");
  EXPECT_EQ(FormatDisplayLine("12345678901234567890", 0), "1234567890123456");  // the second line keeps its place
  EXPECT_EQ(FormatDisplayLine(Ansi("ÄÖÜäöüß"), 0), std::string("\x04\x05\x06\x01\x02\x03\x07         ", 16));
}

class Emitter : public ::testing::Test {
 protected:
  TProjectBuilder b;
  TCompileDriver driver{b.Projekt};
  TSteuermodul* s0 = nullptr;
  TSteuermodul* s1 = nullptr;
  TModul* in = nullptr;
  TModul* out0 = nullptr;
  TModul* out1 = nullptr;

  void SetUp() override {
    s0 = &b.AddStm(0);
    s1 = &b.AddStm(1);
    in = &b.AddModul(*s0, 0, 1, "INP", 3, 0, 0, {0, 2, 40}, {});
    out0 = &b.AddModul(*s0, 2, 5, "OUT", 0, 5, 3, {}, {1, 2});
    out1 = &b.AddModul(*s1, 2, 6, "OUT", 0, 5, 3, {}, {1, 2});
  }
  TVerbindung& Switch(int stm, TModul& target, int channel, int fn, int event = 1) {
    TVerbindung& link = LinkFromInput(*in->FindEingang(2), *in, 0, event);
    SetModuleEndpoint(link.Target(), target, stm, channel, 5, fn);
    return link;
  }
};

TEST_F(Emitter, OwnControlModuleBlocksAreSeparateOtherControlModuleSharesOne) {
  Switch(0, *out0, 1, 2);
  Switch(0, *out0, 2, 2);
  driver.CompileProject(false);
  EXPECT_EQ(Lists(driver.Image(0)->EventArea), Bytes({1, 0x45, 1, 0x22, 1, 0x45, 1, 0x42, 0}));
}

TEST_F(Emitter, TwoCommandsToAModuleOfAnotherControlModuleShareOneBlock) {
  Switch(1, *out1, 1, 2);
  Switch(1, *out1, 2, 2);
  driver.CompileProject(false);
  EXPECT_EQ(Lists(driver.Image(0)->EventArea), Bytes({37, 1, 18, 0x40, 0x50, 0}));  // image 1 lists at 80
  EXPECT_EQ(Lists(driver.Image(1)->EventArea), Bytes({1, 0x46, 2, 0x22, 0x42, 0}));
}

TEST_F(Emitter, ParameterisedCommandsOpenNewBlocksInTheOtherControlModule) {
  TVerbindung& a = Switch(1, *out1, 1, 2);
  a.SetTargetParamMode(13);
  a.SetTargetParamWord(0x0102);
  TVerbindung& c = Switch(1, *out1, 2, 2);
  c.SetTargetParamWord(0x0304);
  driver.CompileProject(false);
  EXPECT_EQ(Lists(driver.Image(1)->EventArea),
            Bytes({1, 0x46, 5, 0x22, 0, 0, 0x02, 0x01, 1, 0x46, 3, 0x42, 0x04, 0x03, 0}));
}

TEST_F(Emitter, EachEventHasItsEntryAndListsFollowEachOther) {
  Switch(0, *out0, 1, 2, 1);
  Switch(0, *out0, 2, 3, 3);
  driver.CompileProject(false);
  const TBinData& image = *driver.Image(0);
  // Entries: event (2 shl 3) or 1 at list 0, (2 shl 3) or 3 at list 4 (relocated by 80).
  const std::vector<uint8_t> table(image.Image.Data() + 64, image.Image.Data() + 74);
  EXPECT_EQ(table, Bytes({0x01, 0, 0, 0x11, 0x40, 0x50, 0x13, 0x40, 0x54, 0xFF}));
  EXPECT_EQ(Lists(image.EventArea), Bytes({1, 0x45, 1, 0x22, 1, 0x45, 1, 0x43, 0}));
}

TEST_F(Emitter, EventByteOutOfRangeFails) {
  // Channel 40 shifted by 3 does not fit into a byte.
  TVerbindung& link = LinkFromInput(*in->FindEingang(40), *in, 0, 1);
  SetModuleEndpoint(link.Target(), *out0, 0, 1, 5, 2);
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find(Ansi("Verknüpfungstabelle")), std::string::npos);
  }
}

TEST_F(Emitter, EventByteThatWouldEndTheTableFails) {
  TModul& wide = b.AddModul(*s0, 0, 2, "INP", 0, 0, 0, {0xFE}, {});
  TVerbindung& link = LinkFromInput(*wide.FindEingang(0xFE), wide, 0, 1);
  SetModuleEndpoint(link.Target(), *out0, 0, 1, 5, 2);
  EXPECT_THROW(driver.CompileProject(false), ECompileError);
}

TEST_F(Emitter, BlindMotorEventsFromSixOnCarryBitSeven) {
  TModul& jrm = b.AddModul(*s0, 6, 3, "JRM", 0, 4, 3, {}, {}, {2});
  auto link = std::make_unique<TVerbindung>();
  SetModuleEndpoint(link->Source(), jrm, 0, 2, 0, 6);
  SetModuleEndpoint(link->Target(), *out0, 0, 1, 5, 2);
  AddLink(*jrm.FindRueckmeldung(2), 0, std::move(link));
  driver.CompileProject(false);
  // Module entry of key 6 x 32 + 3 = 0xC3, event 2 or 6 = 6, plus 0x80.
  const TBinData& image = *driver.Image(0);
  EXPECT_EQ(image.Image.At(64), 0xC3);
  EXPECT_EQ(image.Image.At(67), 0x86);
}

TEST_F(Emitter, TooManyCommandsInOneBlockFail) {
  TUhr& clock = b.AddUhr(*s0, 0, 1, 1, 1, 1, 2, 2);
  for (int i = 0; i < 256; ++i) {
    TVerbindung& link = LinkFromObject(clock, kObjUhr, "UHR", 0, 1);
    SetModuleEndpoint(link.Target(), *out0, 0, 1, 5, 2);
  }
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find("zu viele Befehle"), std::string::npos);
  }
}

TEST_F(Emitter, ClockCommandsToOneModuleShareABlock) {
  TUhr& clock = b.AddUhr(*s0, 0, 1, 1, 1, 1, 2, 2);
  for (int channel : {1, 2}) {
    TVerbindung& link = LinkFromObject(clock, kObjUhr, "UHR", 0, 1);
    SetModuleEndpoint(link.Target(), *out0, 0, channel, 5, 2);
  }
  driver.CompileProject(false);
  EXPECT_EQ(Lists(driver.Image(0)->EventArea), Bytes({1, 0x45, 2, 0x22, 0x42, 0}));
}

TEST_F(Emitter, MissingTextAndMissingControlModuleAreErrors) {
  {
    TVerbindung& link = Switch(0, *out0, 1, 2);
    SetObjectEndpoint(link.Target(), kObjAnzeigetext, 0, "TXT", 9, 0);
    EXPECT_THROW(driver.CompileProject(false), ECompileError);
    in->FindEingang(2)->Verbindungen().Clear();
  }
  Switch(3, *out1, 1, 2);  // control module 3 is not in the project
  try {
    driver.CompileProject(false);
    FAIL() << "no error";
  } catch (const ECompileError& e) {
    EXPECT_NE(std::string(e.what()).find(Ansi("das im Projekt nicht vorhanden ist")), std::string::npos);
  }
  EXPECT_FALSE(driver.Compiled());
  EXPECT_THROW(driver.ProgramBytes(), ECompileError);
}

TEST_F(Emitter, LogicLinkOfKindTwoWithoutElseTargetGetsAnEmptyElseList) {
  TVerbindung& link = Switch(0, *out0, 1, 2);
  link.SetKind(2);
  driver.CompileProject(false);
  const TBinData& image = *driver.Image(0);
  // Combination: just the closing 0; then list at 1, else list at 6 holds only its end.
  EXPECT_EQ(Lists(image.LogicArea), Bytes({0, 1, 0x45, 1, 0x22, 0, 0}));
  EXPECT_EQ(Lists(image.EventArea), Bytes({131, 0x40, 0x60, 0x40, 0x61, 0x40, 0x66, 0}));
}

TEST_F(Emitter, TelegramAndChannelFlagOperations) {
  TVerbindung& tele = Switch(0, *out0, 1, 2);
  SetObjectEndpoint(tele.Target(), 0, 254, "", 0, 0);
  tele.SetTargetParamWord(0x1234);
  TVerbindung& flag = Switch(0, *out0, 1, 2);
  SetModuleEndpoint(flag.Target(), *out0, 0, 2, 5, 1);
  flag.Target().SetObjType(2 + 8);
  driver.CompileProject(false);
  // (10 - 8) x 4 + 5 + command 1 = 14; operand 5 x 16 + 2.
  EXPECT_EQ(Lists(driver.Image(0)->EventArea), Bytes({41, 254, 18, 0x12, 0x34, 14, 0x52, 0}));
}

}  // namespace
}  // namespace zyn::test
