// Whole images of small projects, byte by byte. The expected bytes are worked out by hand from
// the image layout: header 64 bytes, then link table, event lists, logic area, texts and clock
// table, each grown to the next multiple of 16 (always by at least one byte), the power-on area,
// 253 bytes of menu texts, the 128-byte class block, GUID and title.

#include "compiler/CompileDriver.h"
#include "compiler/ImageCrc.h"
#include "model/base/Cp1252.h"
#include "tests/compiler/CompilerFixture.h"
#include "tests/compiler/ImageCheck.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class GoldenImage : public ::testing::Test {
 protected:
  TProjectBuilder b;
  TCompileDriver driver{b.Projekt};

  GoldenImage() { driver.ProgramTitle = "ZYN"; }

  // Input module "INP" (class 0, address 1, input shift 3) with input 2 and output module
  // "OUT" (class 2, address 5, key 0x45, output shift 5) with outputs 3 and 1.
  TModul* A = nullptr;
  TModul* B = nullptr;
  void AddModules(TSteuermodul& inputs, TSteuermodul& outputs) {
    A = &b.AddModul(inputs, 0, 1, "INP", 3, 0, 0, {2}, {});
    B = &b.AddModul(outputs, 2, 5, "OUT", 0, 5, 3, {}, {3, 1});
  }
  TEingang& In2() { return *A->FindEingang(2); }
  void ToOutput(TVerbindung& link, int stm, int channel, int fn) {
    SetModuleEndpoint(link.Target(), *B, stm, channel, 5, fn);
  }
  const TBinData& Compile(int stm = 0) {
    driver.CompileProject(false);
    return *driver.Image(stm);
  }
};

TEST(ImageCrc, CheckValue) {
  const char* text = "123456789";
  EXPECT_EQ(ImageCrc16(reinterpret_cast<const uint8_t*>(text), 9), 0x906E);
}

TEST_F(GoldenImage, EmptyControlModule) {
  b.AddStm(0);
  const TBinData& image = Compile();
  TExpected e;
  e.Fill(112, 16, 0x00);  // texts
  e.Put(128, {0x00});     // clock table: count 0
  e.Tail(144, 1680, 1936, 2080, 2096, 2112);
  ExpectImage(image, e);
  ExpectChecksum(image);
  EXPECT_EQ(image.ImageLength(), 2112u);
}

TEST_F(GoldenImage, OneInputToOneOutput) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  B->FindAusgang(3)->PORStatus = porON;
  ToOutput(LinkFromInput(In2(), *A, 0, 1), 0, 3, 2);
  const TBinData& image = Compile();
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, /* event (2 shl 3) or 1 */ 0x11, 0x40, 0x50, 0xFF});
  e.Put(80, {0x01, 0x45, 0x01, /* (3 shl 5) or 2 */ 0x62, 0x00});
  e.Fill(112, 16, 0x00);
  e.Put(128, {0x00});
  e.Tail(144, 1680, 1936, 2080, 2096, 2112);
  e.Put(144 + 256 + 0x45, {0xF7});  // power-on state "ein" of channel 3: bit 3 cleared in block 1
  ExpectImage(image, e);
  ExpectChecksum(image);
}

TEST_F(GoldenImage, JumpToAnotherControlModuleAndDcf77Word) {
  TSteuermodul& s0 = b.AddStm(0, true);
  TSteuermodul& s1 = b.AddStm(1, false);
  AddModules(s0, s1);
  ToOutput(LinkFromInput(In2(), *A, 0, 1), 1, 3, 2);
  driver.CompileProject(false);

  const TBinData& image0 = *driver.Image(0);
  TExpected e0;
  e0.Word(4, 0x4040);
  e0.Word(30, 0xFFFD);  // radio-clock mask: control module 1 has no DCF77
  e0.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x50, 0xFF});
  e0.Put(80, {37, 0x01, 18, 0x40, 0x50, 0x00});  // continue at the event lists of image 1 (offset 80)
  e0.Fill(112, 16, 0x00);
  e0.Put(128, {0x00});
  e0.Tail(144, 1680, 1936, 2080, 2096, 2112);
  ExpectImage(image0, e0);
  // The checksum was taken before the jump address was resolved and the DCF77 word written.
  ExpectChecksum(image0, {{83, 0x4000}});

  const TBinData& image1 = *driver.Image(1);
  TExpected e1;
  e1.Put(80, {0x01, 0x45, 0x01, 0x62, 0x00});
  e1.Fill(112, 16, 0x00);
  e1.Put(128, {0x00});
  e1.Tail(144, 1680, 1936, 2080, 2096, 2112);
  ExpectImage(image1, e1);
  ExpectChecksum(image1);
}

TEST_F(GoldenImage, FlagChaining) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  TMerker& flag = b.AddMerker(stm, 7);
  // The flag's "gesetzt" list switches the output; the input sets the flag.
  ToOutput(LinkFromObject(flag, kObjMerker, "MRK", 0, 1), 0, 3, 2);
  TVerbindung& set = LinkFromInput(In2(), *A, 0, 1);
  SetObjectEndpoint(set.Target(), kObjMerker, 0, "MRK", 7, 1);
  const TBinData& image = Compile();
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x55, 0xFF});
  e.Put(80, {0x01, 0x45, 0x01, 0x62, 0x00,         // flag 7, event 1 (set)
             0x03, 0x07, 132, 0x40, 0x50, 0x00});  // input: set flag 7, continue with its list
  e.Fill(112, 16, 0x00);
  e.Put(128, {0x00});
  e.Tail(144, 1680, 1936, 2080, 2096, 2112);
  ExpectImage(image, e);
  ExpectChecksum(image, {{88, 0x4000}});
}

TEST_F(GoldenImage, DisplayTextTarget) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  b.AddText(stm, 3, Ansi("Grüße"), 0, Ansi("Åse"), 1);
  SetObjectEndpoint(LinkFromInput(In2(), *A, 0, 1).Target(), kObjAnzeigetext, 0, "TXT", 3, 0);
  SetObjectEndpoint(LinkFromInput(In2(), *A, 0, 1).Target(), kObjAnzeigetext, 0, "TXT", 3, 1);
  const TBinData& image = Compile();
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x50, 0xFF});
  e.Put(80, {133, 0x40, 0x70, 133, 0x00, 0x00, 0x00});  // show the record at 112; clear the display
  e.Fill(112, 48, 0x00);
  e.Put(112, {'G', 'r', 3, 7, 'e'});  // ü and ß as the display's codes
  e.Fill(117, 11, ' ');
  e.Fill(129, 13, ' ');       // line 2 right-aligned
  e.Put(142, {6, 's', 'e'});  // Å as code 6
  e.Put(160, {0x00});
  e.Tail(176, 1712, 1968, 2112, 2128, 2144);
  ExpectImage(image, e);
  ExpectChecksum(image);
}

TEST_F(GoldenImage, ClockTableWithOffDayMask) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  // Sunday 22:30 on, 22:10 off: the off time lies before the on time, so it is Monday's.
  TUhr& sunday = b.AddUhr(stm, 0, 0x40, 22, 30, 0x40, 22, 10);
  b.AddUhr(stm, 1, 0x1F, 6, 0, 0x60, 7, 15);
  ToOutput(LinkFromObject(sunday, kObjUhr, "UHR", 0, 1), 0, 3, 2);
  const TBinData& image = Compile();
  TExpected e;
  e.Word(8, 0x4080);
  e.Put(80, {0x01, 0x45, 0x01, 0x62, 0x00});
  e.Fill(112, 16, 0x00);
  e.Put(128, {0x02, 0x40, 22, 30,   0x40, 0x50, 0x01, 22, 10,   0x00, 0x00,  // event-1 list at 80
              0x1F, 6,    0,  0x00, 0x00, 0x60, 7,    15, 0x00, 0x00});      // no lists
  e.Tail(160, 1696, 1952, 2096, 2112, 2128);
  ExpectImage(image, e);
  ExpectChecksum(image);
}

TEST_F(GoldenImage, LogicLinkWithElsePartAndWithOr) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  b.AddMerker(stm, 7);
  const std::string out1 = B->FindAusgang(1)->InternalName();
  // Else part: when flag 7 is off and output 1 on, channel 3 command 2, else channel 1 command 3.
  TVerbindung& l1 = LinkFromInput(In2(), *A, 0, 1, 2);
  ToOutput(l1, 0, 3, 2);
  SetModuleEndpoint(l1.ElseTarget(), *B, 0, 1, 5, 3);
  SetCondition(l1, 0, 19, 0, 5, 1, 1, "OUT", out1);  // sorted behind the flag ("MRK" < "OUT")
  SetCondition(l1, 1, kObjMerker, 0, 0, 7, 0, "MRK", "");
  // OR: the same conditions with the state bit inverted.
  TVerbindung& l2 = LinkFromInput(In2(), *A, 0, 1, 1);
  l2.SetLogicOr(true);
  ToOutput(l2, 0, 1, 4);
  SetCondition(l2, 0, kObjMerker, 0, 0, 7, 0, "MRK", "");
  SetCondition(l2, 1, 19, 0, 5, 1, 1, "OUT", out1);
  const TBinData& image = Compile();
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x50, 0xFF});
  e.Put(80, {131, 0x40, 0x60, 0x40, 0x6A, 0x40, 0x6F,  // combination at 96, then at 106, else at 111
             130, 0x40, 0x65, 0x40, 0x74, 0x00});      // combination at 101, then at 116
  e.Put(96, {0x99, 0x07, 0x13, 0x29, 0x00,             // flag 7 off, output (5 shl 3) or 1 on
             0x19, 0x07, 0x93, 0x29, 0x00,             // the same under OR
             0x01, 0x45, 0x01, 0x62, 0x00,             // then
             0x01, 0x45, 0x01, 0x23, 0x00,             // else
             0x01, 0x45, 0x01, 0x24, 0x00});           // then of the OR link
  e.Fill(128, 16, 0x00);
  e.Put(144, {0x00});
  e.Tail(160, 1696, 1952, 2096, 2112, 2128);
  e.Put(160 + 512 + 0x45, {0x02});  // output 1 is read by a condition
  ExpectImage(image, e);
  ExpectChecksum(image);
}

TEST_F(GoldenImage, SharedCombinations) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  b.AddMerker(stm, 7);
  const std::string out1 = B->FindAusgang(1)->InternalName();
  TVerbindung& l1 = LinkFromInput(In2(), *A, 0, 1, 1);
  ToOutput(l1, 0, 3, 2);
  SetCondition(l1, 0, kObjMerker, 0, 0, 7, 1, "MRK", "");
  SetCondition(l1, 1, 19, 0, 5, 1, 0, "OUT", out1);
  TVerbindung& l2 = LinkFromInput(In2(), *A, 0, 1, 1);  // the same conditions, other order
  ToOutput(l2, 0, 3, 1);
  SetCondition(l2, 0, 19, 0, 5, 1, 0, "OUT", out1);
  SetCondition(l2, 1, kObjMerker, 0, 0, 7, 1, "MRK", "");
  TVerbindung& l3 = LinkFromInput(In2(), *A, 0, 1, 1);  // the tail of l1's code
  ToOutput(l3, 0, 1, 2);
  SetCondition(l3, 0, 19, 0, 5, 1, 0, "OUT", out1);
  TVerbindung& l4 = LinkFromInput(In2(), *A, 0, 1, 2);  // OR with else: else list first
  l4.SetLogicOr(true);
  ToOutput(l4, 0, 3, 4);
  SetModuleEndpoint(l4.ElseTarget(), *B, 0, 1, 5, 5);
  SetCondition(l4, 0, kObjMerker, 0, 0, 7, 0, "MRK", "");
  const TBinData& image = Compile();
  EXPECT_EQ(l1.CombinationAddress(), 0);
  EXPECT_EQ(l2.CombinationAddress(), 0);
  EXPECT_EQ(l3.CombinationAddress(), 2);
  EXPECT_EQ(l4.CombinationAddress(), 5);
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x50, 0xFF});
  e.Put(80, {129,  0x40, 0x70, 0x40, 0x78, 129,  0x40, 0x70, 0x40, 0x7D, 129,
             0x40, 0x72, 0x40, 0x82, 131,  0x40, 0x75, 0x40, 0x8C, 0x40, 0x87,  // then 135 and else 140 exchanged
             0x00});
  e.Put(112, {0x19, 0x07, 0x93, 0x29, 0x00, 0x19, 0x07, 0x00, 0x01, 0x45, 0x01, 0x62, 0x00, 0x01, 0x45, 0x01, 0x61,
              0x00, 0x01, 0x45, 0x01, 0x22, 0x00, 0x01, 0x45, 0x01, 0x64, 0x00, 0x01, 0x45, 0x01, 0x25, 0x00});
  e.Fill(160, 16, 0x00);
  e.Put(176, {0x00});
  e.Tail(192, 1728, 1984, 2128, 2144, 2160);
  e.Put(192 + 512 + 0x45, {0x02});
  ExpectImage(image, e);
  ExpectChecksum(image);
}

// A logic link to a group, followed by a logic link of the same event: the group link's
// conditions are compiled in its place, before the later link's, and its member links, made
// only when the channel's links are emitted, share the group link's combination.
TEST_F(GoldenImage, GroupLinkConditionsInListOrder) {
  TSteuermodul& stm = b.AddStm(0);
  AddModules(stm, stm);
  b.AddMerker(stm, 7);
  b.AddGruppe(stm, 4, {B->FindAusgang(3), B->FindAusgang(1)});
  const std::string out1 = B->FindAusgang(1)->InternalName();
  TVerbindung& toGroup = LinkFromInput(In2(), *A, 0, 1, 1);  // when flag 7 is on: group command 1
  SetObjectEndpoint(toGroup.Target(), kObjGruppe, 0, "GRP", 4, 1);
  SetCondition(toGroup, 0, kObjMerker, 0, 0, 7, 1, "MRK", "");
  TVerbindung& later = LinkFromInput(In2(), *A, 0, 1, 1);  // when output 1 is off: channel 3 command 2
  ToOutput(later, 0, 3, 2);
  SetCondition(later, 0, 19, 0, 5, 1, 0, "OUT", out1);
  const TBinData& image = Compile();
  EXPECT_EQ(toGroup.CombinationAddress(), 0);
  EXPECT_EQ(later.CombinationAddress(), 3);
  TExpected e;
  e.Word(4, 0x4040);
  e.Put(64, {0x01, 0x00, 0x00, 0x11, 0x40, 0x50, 0xFF});
  e.Put(80, {129, 0x40, 0x73, 0x40, 0x76,  // the later link: combination at 115, then at 118
             129, 0x40, 0x70, 0x40, 0x7B,  // member channel 3: the group link's combination at 112
             129, 0x40, 0x70, 0x40, 0x80,  // member channel 1
             0x00});
  e.Put(112, {0x19, 0x07, 0x00,  // the group link's condition: flag 7 on
              0x93, 0x29, 0x00,  // the later link's: output (5 shl 3) or 1 off
              0x01, 0x45, 0x01, 0x62, 0x00, 0x01, 0x45, 0x01, 0x61, 0x00, 0x01, 0x45, 0x01, 0x21, 0x00});
  e.Fill(144, 16, 0x00);
  e.Put(160, {0x00});
  e.Tail(176, 1712, 1968, 2112, 2128, 2144);
  e.Put(176 + 512 + 0x45, {0x02});  // output 1 is read by a condition
  ExpectImage(image, e);
  ExpectChecksum(image);
}

TEST_F(GoldenImage, AllControlModulesWithDcf77KeepTheWord) {
  b.AddStm(0, true);
  b.AddStm(2, true);
  driver.CompileProject(false);
  EXPECT_EQ(driver.Image(0)->Bytes()[30], 0xFF);
  EXPECT_EQ(driver.Image(0)->Bytes()[31], 0xFF);
  EXPECT_EQ(driver.Image(2)->Bytes()[31], 0xFF);
  EXPECT_EQ(driver.Dcf77Mask(), 0xFFFF);
}

}  // namespace
}  // namespace zyn::test
