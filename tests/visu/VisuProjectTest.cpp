#include "visu/VisuProject.h"

#include "VisuTestUtil.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::Bytes;
using test::Control;
using test::Raw;

Bytes Write(const TVisuProject& p) {
  return test::Written([&](TWriter& w) { p.WriteData(w); });
}

void Read(TVisuProject& p, const Bytes& bytes) {
  TMemoryStream ms(bytes);
  TReader r(ms);
  p.ReadData(r);
}

// The section of a fresh visualisation, byte by byte.
Bytes FreshSection() {
  Raw r;
  r.u8(4).le(65530, 4).zeros(65530);            // index table
  r.u8(1).u8(0);                                // channel list
  r.ival8(1).ival8(0).u8(8).u8(8).u8(8).u8(8);  // sz1024, stStandard, four flags
  r.zeros(16).sval("").ival8(0).sval("").ival8(0).sval("").sval("").sval("").sval("");
  r.u8(1).u8(0);  // users
  r.sval("");     // FirstPage
  r.u8(1).u8(0);  // pages
  return r.b;
}

TComponentRecord SamplePage(const std::string& name) {
  TComponentRecord page;
  page.ClassName = "TVisuDesignFrame";
  page.Name = name;
  page.SetProperty("DisplayName", TFilerValue::String(Ansi("Übersicht ") + name));
  page.SetProperty("Bitmap.Data", TFilerValue::Binary({4, 0, 0, 0, 'B', 'M', 1, 2}));
  page.Children.push_back(
      Control("TVisuRoundLED", "LED1",
              {{"Left", 10}, {"VisuData.Steuermodul", 1}, {"VisuData.Modul", 69}, {"VisuData.Kanal", 3}}));
  page.Children.back().SetProperty("Design.OnColor", TFilerValue::Ident("clRed"));
  page.Children.back().SetProperty("Design.Font.Style", TFilerValue::Set({"fsBold"}));
  return page;
}

TEST(VisuProject, FreshSectionIsExactlyTheDocumentedBytes) {
  TVisuProject p;
  EXPECT_EQ(Write(p), FreshSection());

  TVisuProject q;
  Read(q, FreshSection());
  EXPECT_EQ(q.VisuDaten, TVisuDaten{});
  EXPECT_EQ(q.Reserved, TVisuReserved{});
  EXPECT_EQ(q.DispatcherList.Count(), 0);
  EXPECT_EQ(q.PageCount(), 0);
  EXPECT_EQ(q.FirstPage, "");
  EXPECT_FALSE(q.IndexHandler.IsUsed(1));
  // Reading an empty user list gives the built-in user.
  ASSERT_EQ(q.UserData.Count(), 1);
  std::string name, password;
  q.UserData.User(0).GetNameAndPassword(name, password);
  EXPECT_EQ(name, "Administrator");
  EXPECT_EQ(password, "5827");
}

TEST(VisuProject, SectionWithPagesUsersAndChannelsSurvivesWriteReadWrite) {
  TVisuProject p;
  p.IndexHandler.AllocateIndex();
  p.IndexHandler.AllocateIndex();
  auto entry = std::make_unique<TXMLDispatcherObject>();
  *entry = TXMLDispatcherObject{1, 69, 3, 2, Ansi("Küche Licht"), "01012026_120000_1"};
  p.DispatcherList.Add(std::move(entry));
  p.VisuDaten.ScreenSize = TScreenSize::sz1600;
  p.VisuDaten.ScreenType = TScreenType::stTouch;
  p.VisuDaten.UseLoginFrame = true;
  p.Reserved.Raw[3] = 7;
  p.Reserved.Text4 = "x";
  p.Reserved.Number2 = -5;
  p.UserData.AddDefaultUser();
  auto user = std::make_unique<TVisuUserData>();
  user->SetNameAndPassword(Ansi("Müller"), "geheim");
  user->UserLevel = 3;
  user->UserEnabled = true;
  user->Ident = "ident-2";
  p.UserData.Add(std::move(user));
  p.FirstPage = "Seite1";
  p.AddPage(std::make_unique<TVisuPage>(SamplePage("Seite1")));
  p.AddPage(std::make_unique<TVisuPage>(SamplePage("Seite2")));

  const Bytes first = Write(p);
  TVisuProject q;
  Read(q, first);
  EXPECT_EQ(Write(q), first);
  EXPECT_EQ(q.LastReadError(), "");

  EXPECT_TRUE(q.IndexHandler.IsUsed(2));
  EXPECT_FALSE(q.IndexHandler.IsUsed(3));
  EXPECT_EQ(q.DispatcherList.Item(0), p.DispatcherList.Item(0));
  EXPECT_EQ(q.VisuDaten, p.VisuDaten);
  EXPECT_EQ(q.Reserved, p.Reserved);
  ASSERT_EQ(q.UserData.Count(), 2);
  EXPECT_NE(q.UserData.FindByName(Ansi("Müller")), nullptr);
  EXPECT_EQ(q.FirstPage, "Seite1");
  ASSERT_EQ(q.PageCount(), 2);
  EXPECT_EQ(q.GetPage(1)->Name(), "Seite2");
  EXPECT_EQ(q.GetPage(1)->DisplayName(), Ansi("Übersicht Seite2"));
  EXPECT_EQ(q.GetPage(0)->Record(), SamplePage("Seite1"));

  // The same through a file.
  test::TempFolder dir("section");
  const std::string file = (dir.Dir() / "visu.bin").string();
  q.SaveToFile(file);
  TVisuProject r;
  r.LoadFromFile(file);
  EXPECT_EQ(Write(r), first);
}

TEST(VisuProject, IndexNumbers) {
  TIndexHandler h;
  EXPECT_EQ(h.AllocateIndex(), 1);
  EXPECT_EQ(h.AllocateIndex(), 2);
  h.ReleaseIndex(1);
  EXPECT_EQ(h.AllocateIndex(), 1);
  h.ReleaseIndex(0);
  h.ReleaseIndex(65531);
  h.ReleaseIndex(-1);
  EXPECT_EQ(h.AllocateIndex(), 3);
  for (int i = 4; i <= 65530; ++i) ASSERT_EQ(h.AllocateIndex(), i);
  EXPECT_EQ(h.AllocateIndex(), -1);
  EXPECT_TRUE(h.IsUsed(65530));
  h.ClearIndexes();
  EXPECT_EQ(h.AllocateIndex(), 1);
}

TEST(VisuProject, IndexTablesOfAnotherLengthAreAccepted) {
  struct Case {
    int count;
    Bytes slots;
    std::vector<int> used;
  };
  Bytes longTable(70000, 0);
  longTable[4] = 1;
  longTable[69999] = 1;  // beyond the table: passed over
  const Case cases[] = {{0, {}, {}}, {3, {0, 1, 2}, {2, 3}}, {70000, longTable, {5}}};
  for (const auto& c : cases) {
    Raw r;
    r.u8(4).le(uint32_t(c.count), 4).bytes(c.slots).ival8(42);
    TMemoryStream ms(r.b);
    TReader reader(ms);
    TIndexHandler h;
    h.AllocateIndex();
    h.ReadData(reader);
    for (int i = 1; i <= 6; ++i) {
      const bool want = std::find(c.used.begin(), c.used.end(), i) != c.used.end();
      EXPECT_EQ(h.IsUsed(i), want) << c.count << " " << i;
    }
    EXPECT_EQ(reader.ReadInteger(), 42);  // the stream goes on right after the table
  }
  Raw negative;
  negative.u8(2).u8(0xFF);
  TMemoryStream ms(negative.b);
  TReader reader(ms);
  TIndexHandler h;
  EXPECT_THROW(h.ReadData(reader), EReadError);
}

TEST(VisuProject, ChangeModuleAddressMovesEveryBindingOfThatModule) {
  // Control module 1, module class 2, address 5 -> 7: module byte 69 -> 71.
  TComponentRecord page;
  page.ClassName = "TVisuDesignFrame";
  page.Name = "P";
  page.Children.push_back(Control("TVisuRoundLED", "A", {{"VisuData.Steuermodul", 1}, {"VisuData.Modul", 69}}));
  page.Children.push_back(Control("TVisuRoundLED", "B", {{"VisuData.Steuermodul", 0}, {"VisuData.Modul", 69}}));
  page.Children.push_back(Control("TVisuRoundLED", "C", {{"VisuData.Steuermodul", 1}, {"VisuData.Modul", 70}}));
  page.Children.push_back(Control("TTeleButton", "T", {{"Telegram.Steuermodul", 1}, {"Telegram.Modul", 69}}));
  // An LED telegram button carries a telegram and a channel binding: both follow.
  page.Children.push_back(Control(
      "TVisuLEDTeleButton", "L",
      {{"VisuData.Steuermodul", 1}, {"VisuData.Modul", 69}, {"Telegram.Steuermodul", 1}, {"Telegram.Modul", 69}}));
  page.Children.push_back(Control(
      "TIndexControl", "I",
      {{"EinIndex.Steuermodul", 1}, {"EinIndex.Modul", 69}, {"AusIndex.Steuermodul", 0}, {"AusIndex.Modul", 69}}));
  TComponentRecord summary = Control("TSummenStatus", "S", {});
  TCollectionItemRecord a, b;
  a.Properties = {{"Steuermodul", TFilerValue::Integer(1)}, {"Modul", TFilerValue::Integer(69)}};
  b.Index = TFilerValue::Integer(1);
  b.Properties = {{"Steuermodul", TFilerValue::Integer(2)}, {"Modul", TFilerValue::Integer(69)}};
  summary.SetProperty("Kanaele", TFilerValue::Collection({a, b}));
  page.Children.push_back(summary);
  // A control inside a frame on the page.
  TComponentRecord frame = Control("TVisuMenuFrame", "M", {});
  frame.Children.push_back(Control("TVisuRoundLED", "Inner", {{"VisuData.Steuermodul", 1}, {"VisuData.Modul", 69}}));
  page.Children.push_back(frame);

  TVisuProject p;
  p.AddPage(std::make_unique<TVisuPage>(page));
  p.DispatcherList.Add(std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{1, 69, 3, 2, "a", "x"}));
  p.DispatcherList.Add(std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{0, 69, 3, 2, "b", "y"}));
  p.ChangeModuleAddress(1, 2, 5, 7);

  const TComponentRecord& r = p.GetPage(0)->Record();
  auto modul = [](const TComponentRecord& c, const char* prop) { return c.FindProperty(prop)->Value.AsInteger(); };
  EXPECT_EQ(modul(r.Children[0], "VisuData.Modul"), 71);
  EXPECT_EQ(modul(r.Children[1], "VisuData.Modul"), 69);
  EXPECT_EQ(modul(r.Children[2], "VisuData.Modul"), 70);
  EXPECT_EQ(modul(r.Children[3], "Telegram.Modul"), 71);
  EXPECT_EQ(modul(r.Children[4], "VisuData.Modul"), 71);
  EXPECT_EQ(modul(r.Children[4], "Telegram.Modul"), 71);
  EXPECT_EQ(modul(r.Children[5], "EinIndex.Modul"), 71);
  EXPECT_EQ(modul(r.Children[5], "AusIndex.Modul"), 69);
  const auto& items = r.Children[6].FindProperty("Kanaele")->Value.Items();
  EXPECT_EQ(FindProperty(items[0].Properties, "Modul")->Value.AsInteger(), 71);
  EXPECT_EQ(FindProperty(items[1].Properties, "Modul")->Value.AsInteger(), 69);
  EXPECT_EQ(modul(r.Children[7].Children[0], "VisuData.Modul"), 71);
  EXPECT_EQ(p.DispatcherList.Item(0).Modul, 71);
  EXPECT_EQ(p.DispatcherList.Item(1).Modul, 69);
}

TEST(VisuProject, ModuleMovesRenameTheHintsAndDeletedModulesLeaveNoBinding) {
  // Control module 0, OUT (class 2) at address 0 -> 5: module byte 64 -> 69.
  TComponentRecord page;
  page.ClassName = "TVisuDesignFrame";
  TComponentRecord led = Control("TVisuRoundLED", "A", {{"VisuData.Steuermodul", 0}, {"VisuData.Modul", 64}});
  led.SetProperty("VisuData.Hint", TFilerValue::String("STM.00.OUT.00.03\rLicht OUT.00.03"));
  TComponentRecord button = Control("TTeleButton", "T", {{"Telegram.Steuermodul", 0}, {"Telegram.Modul", 64}});
  button.SetProperty("Hint", TFilerValue::String("STM.00.OUT.00.01:Umschalten\rFlur"));
  TComponentRecord index = Control("TIndexControl", "I",
                                   {{"EinIndex.Steuermodul", 0}, {"EinIndex.Modul", 64}, {"EinIndex.Command", 3}});
  index.SetProperty("EinIndex.CommandName", TFilerValue::String("Ein"));
  TComponentRecord summary = Control("TSummenStatus", "S", {});
  TCollectionItemRecord a, b;
  a.Properties = {{"Steuermodul", TFilerValue::Integer(0)}, {"Modul", TFilerValue::Integer(64)},
                  {"Hint", TFilerValue::String("STM.00.OUT.00.02\rBad")}};
  b.Properties = {{"Steuermodul", TFilerValue::Integer(0)}, {"Modul", TFilerValue::Integer(65)}};
  summary.SetProperty("Kanaele", TFilerValue::Collection({a, b}));
  page.Children = {led, button, index, summary};
  TVisuProject p;
  p.AddPage(std::make_unique<TVisuPage>(page));
  p.DispatcherList.Add(std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{0, 64, 3, 2, "a", "x"}));
  p.DispatcherList.Add(std::make_unique<TXMLDispatcherObject>(TXMLDispatcherObject{0, 65, 3, 2, "b", "y"}));

  p.ChangeModuleAddress(0, 2, 0, 5, "OUT");
  const TComponentRecord& r = p.GetPage(0)->Record();
  auto text = [](const TComponentRecord& c, const char* prop) { return c.FindProperty(prop)->Value.AsString(); };
  // Only the address behind the module code in the first line follows.
  EXPECT_EQ(text(r.Children[0], "VisuData.Hint"), "STM.00.OUT.05.03\rLicht OUT.00.03");
  EXPECT_EQ(text(r.Children[1], "Hint"), "STM.00.OUT.05.01:Umschalten\rFlur");
  const auto& items = r.Children[3].FindProperty("Kanaele")->Value.Items();
  EXPECT_EQ(FindProperty(items[0].Properties, "Hint")->Value.AsString(), "STM.00.OUT.05.02\rBad");
  EXPECT_EQ(p.DispatcherList.Item(0).Modul, 69);

  p.ModuleDeleted(0, 69);
  EXPECT_EQ(r.Children[0].FindProperty("VisuData.Steuermodul")->Value.AsInteger(), -1);
  EXPECT_EQ(text(r.Children[0], "VisuData.Hint"), "");
  EXPECT_EQ(r.Children[1].FindProperty("Telegram.TeleType")->Value.AsIdent(), "vtNone");
  EXPECT_EQ(text(r.Children[1], "Hint"), "");
  EXPECT_EQ(r.Children[2].FindProperty("EinIndex.Steuermodul")->Value.AsInteger(), -1);
  EXPECT_EQ(r.Children[2].FindProperty("EinIndex.Command")->Value.AsInteger(), -1);
  EXPECT_EQ(text(r.Children[2], "EinIndex.CommandName"), "");
  const auto& left = r.Children[3].FindProperty("Kanaele")->Value.Items();
  ASSERT_EQ(left.size(), 1u);  // the channel of module 65 stays
  EXPECT_EQ(FindProperty(left[0].Properties, "Modul")->Value.AsInteger(), 65);
  ASSERT_EQ(p.DispatcherList.Count(), 1);
  EXPECT_EQ(p.DispatcherList.Item(0).Modul, 65);
}

TEST(VisuProject, BindingNamesFollowOnlyTheirModule) {
  const std::string name = "STM.01.OUT.05.01:Dimmen\rLicht";
  EXPECT_EQ(RenumberBindingName(name, "OUT", 5, 7), "STM.01.OUT.07.01:Dimmen\rLicht");
  EXPECT_EQ(RenumberBindingName(name, "INP", 5, 7), name);
  EXPECT_EQ(RenumberBindingName(name, "OUT", 4, 7), name);
  EXPECT_EQ(RenumberBindingName(name, "", 5, 7), name);
  EXPECT_EQ(RenumberBindingName("Licht\rSTM.01.OUT.05.01", "OUT", 5, 7), "Licht\rSTM.01.OUT.05.01");
  EXPECT_EQ(RenumberBindingName("STM.00.JRM.31.00", "JRM", 31, 2), "STM.00.JRM.02.00");
}

TEST(VisuProject, PagesByIndex) {
  TVisuProject p;
  EXPECT_EQ(p.GetPage(-1), nullptr);
  EXPECT_EQ(p.GetPage(0), nullptr);
  TVisuPage* page = p.GetPage(p.AddPage(std::make_unique<TVisuPage>(SamplePage("A"))));
  p.AddPage(std::make_unique<TVisuPage>(SamplePage("B")));
  EXPECT_EQ(p.GetPage(2), nullptr);
  std::unique_ptr<TVisuPage> removed = p.RemovePage(page);
  EXPECT_EQ(removed.get(), page);
  EXPECT_EQ(p.PageCount(), 1);
  EXPECT_EQ(p.RemovePage(page), nullptr);
  p.ClearPages();
  EXPECT_EQ(p.PageCount(), 0);
}

// A page whose controls cannot be stored.
class FailingPage : public TVisuPage {
 public:
  using TVisuPage::TVisuPage;
  TComponentRecord MakeRecord() const override { throw EWriteError("Steuerelement defekt"); }
};

TEST(VisuProject, APageThatCannotBeWrittenFailsTheSaveAndLeavesTheFile) {
  test::TempFolder dir("failsave");
  const std::string file = (dir.Dir() / "visu.bin").string();
  TVisuProject good;
  good.SaveToFile(file);
  const Bytes before = test::FileBytes(file);

  struct Case {
    const char* what;
    std::unique_ptr<TVisuPage> page;
  };
  TComponentRecord tooLong = SamplePage("Lang");
  tooLong.Children[0].Name = std::string(300, 'n');
  std::vector<Case> cases;
  cases.push_back({"controls fail", std::make_unique<FailingPage>(SamplePage("Defekt"))});
  cases.push_back({"name too long", std::make_unique<TVisuPage>(tooLong)});
  for (auto& c : cases) {
    TVisuProject p;
    p.AddPage(std::make_unique<TVisuPage>(SamplePage("Gut")));
    const std::string name = c.page->Name();
    p.AddPage(std::move(c.page));
    try {
      p.SaveToFile(file);
      ADD_FAILURE() << c.what;
    } catch (const EWriteError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::FileBytes(file), before) << c.what;
    TMemoryStream ms;
    {
      TWriter w(ms);
      EXPECT_THROW(p.WriteData(w), EWriteError);
    }
    EXPECT_TRUE(ms.Bytes().empty()) << c.what;
  }
}

TEST(VisuProject, APageThatCannotBeReadIsReportedAndKeepsWhatWasRead) {
  TVisuProject p;
  p.AddPage(std::make_unique<TVisuPage>(SamplePage("Seite1")));
  p.AddPage(std::make_unique<TVisuPage>(SamplePage("Seite2")));
  Bytes bytes = Write(p);
  // Cut the stream inside the second page's control.
  bytes.resize(bytes.size() - 12);
  TVisuProject q;
  try {
    Read(q, bytes);
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Seite2"), std::string::npos) << e.what();
    EXPECT_EQ(q.LastReadError(), e.what());
  }
  ASSERT_EQ(q.PageCount(), 2);
  EXPECT_EQ(q.GetPage(0)->Record(), SamplePage("Seite1"));
  EXPECT_EQ(q.GetPage(1)->Name(), "Seite2");
  EXPECT_EQ(q.GetPage(1)->DisplayName(), Ansi("Übersicht Seite2"));
}

TEST(VisuProject, PageResourceHasTheHeaderAndLength) {
  TVisuPage page(SamplePage("Seite1"));
  test::TempFolder dir("vpg");
  const auto file = dir.Dir() / "Seite1.vpg";
  page.SaveToFile(file.string());
  const Bytes bytes = test::FileBytes(file);
  Raw header;
  header.u8(0xFF).le(10, 2).chars("TVISUDESIGNFRAME").u8(0).le(0x1030, 2);
  ASSERT_GT(bytes.size(), header.b.size() + 4);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + long(header.b.size())), header.b);
  const size_t at = header.b.size();
  const uint32_t length = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
  EXPECT_EQ(length, bytes.size() - at - 4);
  EXPECT_EQ(std::string(bytes.begin() + long(at) + 4, bytes.begin() + long(at) + 8), "TPF0");

  TVisuPage back;
  back.LoadFromFile(file.string());
  EXPECT_EQ(back.Record(), page.Record());

  EXPECT_THROW(TVisuPage::RecordFromResource({0xFF, 10, 0, 'X', 0, 0x30, 0x10, 50, 0, 0, 0, 'T'}), EReadError);
  EXPECT_THROW(TVisuPage::RecordFromResource({0x00}), EReadError);
  // Long names are cut to 63 characters and upper-cased.
  const Bytes named = TVisuPage::ResourceBytes(page.Record(), std::string(70, 'a'));
  EXPECT_EQ(named[3 + 62], 'A');
  EXPECT_EQ(named[3 + 63], 0);
}

}  // namespace
}  // namespace zyn
