#include "visu/VisuUserData.h"

#include "VisuTestUtil.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::Bytes;
using test::Raw;

Bytes WriteUsers(const TUserDataList& list) {
  return test::Written([&](TWriter& w) { list.WriteUsers(w); });
}

TEST(VisuUserData, ScrambleRoundTripAndLimits) {
  TVisuUserData u;
  EXPECT_EQ(u.Scramble(""), "");
  for (const std::string t : {"a", "Administrator", "5827", "123456789012345", "\x01\xFF\x80 x"}) {
    EXPECT_EQ(u.Scramble(t).size(), t.size());
    EXPECT_NE(u.Scramble(t), t);
    EXPECT_EQ(u.Scramble(u.Scramble(t)), t);
  }
  EXPECT_THROW(u.Scramble("1234567890123456"), EZYNError);
  u.SetNameAndPassword("Hans", "pw");
  EXPECT_THROW(u.SetNameAndPassword("Hans", "1234567890123456"), EZYNError);
  EXPECT_THROW(u.SetNameAndPassword(std::string(16, 'n'), "pw"), EZYNError);
  std::string name, password;
  u.GetNameAndPassword(name, password);
  EXPECT_EQ(name, "Hans");  // unchanged by the refused calls
  EXPECT_EQ(password, "pw");
  // A stored name longer than the key is never unscrambled past it.
  u.UserName = std::string(20, 'x');
  EXPECT_THROW(u.GetNameAndPassword(name, password), EZYNError);
}

// The key: byte i = (0x5A + 0x35 * i) XOR (0xC3 for even i, 0x3C for odd i), taken mod 256:
//   99 B3 07 C5 ED 5F 5B F1 C1 0B AF 9D 15 37 83
// "Administrator" XOR key = D8 D7 6A AC 83 36 28 85 B3 6A DB F2 67
// "5827" XOR key          = AC 8B 35 F2
// The writer stores both as UTF-8 strings (tag 20), as each holds bytes of 0x80 and above:
// Windows-1252 D8 D7 6A AC 83 36 28 85 B3 6A DB F2 67 is U+00D8 U+00D7 j U+00AC U+0192 6 (
// U+2026 U+00B3 j U+00DB U+00F2 g, in UTF-8 22 bytes; AC 8B 35 F2 is U+00AC U+2039 5 U+00F2,
// 8 bytes.
TEST(VisuUserData, BuiltInUserWritesTheseBytes) {
  TUserDataList list;
  auto user = std::make_unique<TVisuUserData>();
  user->SetNameAndPassword("Administrator", "5827");
  user->Ident = "ID";
  list.Add(std::move(user));

  Raw r;
  r.u8(1);
  r.u8(20).le(22, 4).bytes({0xC3, 0x98, 0xC3, 0x97, 0x6A, 0xC2, 0xAC, 0xC6, 0x92, 0x36, 0x28,
                            0xE2, 0x80, 0xA6, 0xC2, 0xB3, 0x6A, 0xC3, 0x9B, 0xC3, 0xB2, 0x67});
  r.u8(20).le(8, 4).bytes({0xC2, 0xAC, 0xE2, 0x80, 0xB9, 0x35, 0xC3, 0xB2});
  r.sval("0").sval("ID").u8(8);
  r.u8(0);
  EXPECT_EQ(list.User(0).UserName, std::string("\xD8\xD7\x6A\xAC\x83\x36\x28\x85\xB3\x6A\xDB\xF2\x67"));
  EXPECT_EQ(list.User(0).UserPassword, std::string("\xAC\x8B\x35\xF2"));
  EXPECT_EQ(WriteUsers(list), r.b);
}

TEST(VisuUserData, ReadingAnEmptyListGivesTheBuiltInUser) {
  TMemoryStream ms(Bytes{1, 0});
  TReader reader(ms);
  TUserDataList list;
  list.ReadUsers(reader);
  ASSERT_EQ(list.Count(), 1);
  std::string name, password;
  list.User(0).GetNameAndPassword(name, password);
  EXPECT_EQ(name, "Administrator");
  EXPECT_EQ(password, "5827");
  EXPECT_EQ(list.User(0).UserLevel, 0);
  EXPECT_FALSE(list.User(0).UserEnabled);
  EXPECT_EQ(list.User(0).Ident.substr(list.User(0).Ident.size() - 13), list.User(0).UserName);
  EXPECT_EQ(list.EntryText(0), list.User(0).Ident);
}

TEST(VisuUserData, ZeroBytesAndLevelsSurviveWriteAndRead) {
  TUserDataList list;
  auto user = std::make_unique<TVisuUserData>();
  // Characters equal to their key bytes become zero bytes.
  user->SetNameAndPassword(std::string("\x99\xB3", 2) + "x", std::string("\x99", 1));
  EXPECT_EQ(user->UserName, std::string("\0\0", 2) + char('x' ^ 0x07));
  user->UserLevel = -7;
  user->UserEnabled = true;
  user->Ident = Ansi("Ä");
  list.Add(std::move(user));
  const Bytes bytes = WriteUsers(list);
  TMemoryStream ms(bytes);
  TReader reader(ms);
  TUserDataList back;
  back.ReadUsers(reader);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.EntryText(0), "");
  EXPECT_EQ(back.User(0).UserName, list.User(0).UserName);
  EXPECT_EQ(back.User(0).UserLevel, -7);
  EXPECT_TRUE(back.User(0).UserEnabled);
  EXPECT_EQ(back.User(0).Ident, Ansi("Ä"));
  EXPECT_EQ(WriteUsers(back), bytes);
}

TEST(VisuUserData, ALevelThatIsNoNumberFailsTheRead) {
  Raw r;
  r.u8(1).sval("a").sval("b").sval("x1").sval("id").u8(8).u8(0);
  TMemoryStream ms(r.b);
  TReader reader(ms);
  TUserDataList list;
  EXPECT_THROW(list.ReadUsers(reader), EReadError);
}

TEST(VisuUserData, FindByNameAndIdent) {
  TUserDataList list;
  list.AddDefaultUser();
  for (const char* ident : {"first", "second"}) {
    auto u = std::make_unique<TVisuUserData>();
    u->SetNameAndPassword("Hans", ident);
    u->Ident = ident;
    list.Add(std::move(u));
  }
  auto foreign = std::make_unique<TVisuUserData>();
  foreign->UserName = std::string(20, 'x');  // read from a foreign file: cannot be unscrambled
  list.Add(std::move(foreign));
  EXPECT_EQ(list.FindByName("administrator"), nullptr);
  EXPECT_EQ(list.FindByName("Niemand"), nullptr);
  EXPECT_EQ(list.FindByName("Administrator"), &list.User(0));
  EXPECT_EQ(list.FindByName("Hans"), &list.User(1));
  EXPECT_EQ(list.FindByIdent("second"), &list.User(2));
  EXPECT_EQ(list.FindByIdent("Second"), nullptr);
}

TEST(VisuUserData, UserFile) {
  test::TempFolder dir("udf");
  const std::string file = (dir.Dir() / "VisuUserData.udf").string();
  TUserDataList list;
  list.AddDefaultUser();
  auto u = std::make_unique<TVisuUserData>();
  u->SetNameAndPassword("Hans", "1234");
  u->UserLevel = 2;
  list.Add(std::move(u));
  list.SaveUsersToFile(file);
  EXPECT_EQ(test::FileBytes(file), WriteUsers(list));  // nothing before or after the list

  TUserDataList back;
  EXPECT_TRUE(back.LoadUsersFromFile(file));
  EXPECT_EQ(back.Count(), 2);
  EXPECT_TRUE(back.LoadUsersFromFile(file));
  EXPECT_EQ(back.Count(), 4);  // loading appends
  EXPECT_EQ(back.FindByName("Hans")->UserLevel, 2);

  // A missing file changes nothing and is no error.
  EXPECT_FALSE(back.LoadUsersFromFile((dir.Dir() / "fehlt.udf").string()));
  EXPECT_EQ(back.Count(), 4);
  // A damaged file is an error and changes nothing.
  Bytes cut = test::FileBytes(file);
  cut.resize(cut.size() - 3);
  const std::string damaged = (dir.Dir() / "kaputt.udf").string();
  TMemoryStream(cut).SaveToFile(damaged);
  EXPECT_THROW(back.LoadUsersFromFile(damaged), EReadError);
  EXPECT_EQ(back.Count(), 4);
  // A failed save is reported.
  EXPECT_THROW(list.SaveUsersToFile((dir.Dir() / "no" / "x.udf").string()), EWriteError);
}

}  // namespace
}  // namespace zyn
