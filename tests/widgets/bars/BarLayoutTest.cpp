// Stored bar layouts: the demo form keeps its layout in a plain ini file, the
// settings-store form keeps user glyphs, saving replaces only the layout's own keys, damaged
// layouts fall back to the form's own, and resets go back to the state the form was built with.

#include "widgets/bars/BarLayout.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "platform/MessageDlg.h"
#include "tests/support/Files.h"
#include "widgets/bars/BarButtons.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <sstream>

namespace zyn {
namespace {

using test::BarDemoWindow;
using test::TempFolder;

const std::string kPrefix = "BarDemoForm.zbBarManager1.";

std::vector<std::string> ItemNames(const TzbBarItemLinks& links) {
  std::vector<std::string> names;
  for (int i = 0; i < links.Count(); ++i) names.push_back(links.Items(i)->Item()->Name);
  return names;
}

class BarLayout : public ::testing::Test {
 protected:
  TempFolder folder{"barlayout"};
  std::string file = folder.File("layout.ini");
};

TEST_F(BarLayout, DemoFormGetsItsMovedAndHiddenToolbarsBack) {
  {
    BarDemoWindow demo(file);
    demo.Toolbars[3]->SetVisible(false);  // "Hilfe"
    TzbBar* vada = demo.Toolbars[2];
    vada->FloatLeft = 300;
    vada->FloatTop = 260;
    vada->SetDockingStyle(dsNone);
    demo.Toolbars[1]->SetRow(2);
    demo.Toolbars[1]->SetDockingStyle(dsBottom);
    demo.Toolbars[0]->ItemLinks().Items(1)->SetUserCaption("Laden");
  }
  TzbBarIniFile ini(file);
  EXPECT_EQ(ini.ReadString(kPrefix + "Main", "BarCount", ""), "6");
  EXPECT_EQ(ini.ReadString(kPrefix + "Bar4", "Visible", ""), "0");
  EXPECT_EQ(ini.ReadString(kPrefix + "Bar1.ItemLink1", "ItemName", ""), "ffnen1");

  BarDemoWindow again(file);
  EXPECT_TRUE(again.MainMenu->Visible());
  EXPECT_FALSE(again.Toolbars[3]->Visible());
  EXPECT_EQ(again.Toolbars[2]->DockingStyle(), dsNone);
  EXPECT_TRUE(again.Toolbars[2]->Visible());
  EXPECT_EQ(again.Toolbars[2]->FloatLeft, 300);
  ASSERT_NE(again.WindowOf(again.Toolbars[2]), nullptr);
  EXPECT_EQ(again.Toolbars[1]->DockingStyle(), dsBottom);
  EXPECT_EQ(again.Toolbars[0]->ItemLinks().Items(1)->RealCaption(), "Laden");
  EXPECT_EQ(again.Toolbars[0]->ItemLinks().Count(), 5);
}

TEST_F(BarLayout, DamagedLayoutsFallBackToTheFormsOwn) {
  // A file that is no XML at all, then one whose values are out of every range.
  ASSERT_TRUE(test::WriteWholeFile(file, "<<< kaputt \x01\x02"));
  {
    BarDemoWindow demo(file);
    EXPECT_TRUE(demo.Toolbars[3]->Visible());
    EXPECT_EQ(demo.Toolbars[2]->DockingStyle(), dsTop);
    std::filesystem::remove(file);  // the form writes its layout when it goes
  }
  {
    TzbBarIniFile ini(file);
    ASSERT_EQ(ini.ReadString(kPrefix + "Main", "BarCount", ""), "6");
    ini.WriteString(kPrefix + "Main", "BarCount", "999999");
    ini.WriteString(kPrefix + "Bar1", "DockingStyle", "17");  // no side
    ini.WriteString(kPrefix + "Bar1", "Visible", "0");        // skipped after the bad value
    ini.WriteString(kPrefix + "Bar2", "Row", "123456");
    ini.WriteString(kPrefix + "Bar2", "DockedLeft", "-70000");
    ini.WriteString(kPrefix + "Bar3", "DockingStyle", "1");  // the form allows no left dock
    ini.WriteString(kPrefix + "Bar4", "ItemLinkCount", "2000000000");
    ini.WriteString(kPrefix + "Bar4.ItemLink0", "ItemName", "GibtEsNicht");
    ini.WriteString(kPrefix + "Bar4.ItemLink0", "UserWidth", "x");
    ini.SaveToFile(file);
  }
  BarDemoWindow demo(file);
  EXPECT_EQ(demo.Manager->Bars().Count(), 6);
  EXPECT_TRUE(demo.Toolbars[0]->Visible());
  EXPECT_EQ(demo.Toolbars[0]->DockingStyle(), dsTop);
  EXPECT_TRUE(demo.Toolbars[1]->Visible());
  EXPECT_LT(demo.Toolbars[1]->Row(), 6);  // the dock closes the gap of rows
  EXPECT_TRUE(demo.Toolbars[2]->Visible());
  EXPECT_EQ(demo.Toolbars[2]->DockingStyle(), dsTop);
  EXPECT_TRUE(ItemNames(demo.Toolbars[3]->ItemLinks()).empty());  // its only link named no item
}

TEST_F(BarLayout, SavingReplacesOnlyTheLayoutsOwnSections) {
  {
    TzbBarIniFile ini(file);
    ini.WriteString("Optionen", "Sprache", "DE");
    ini.WriteString("OtherForm.zbBarManager1.Main", "BarCount", "1");
    ini.WriteString(kPrefix + "Bar17", "Row", "0");  // from a layout with more bars
    ini.SaveToFile(file);
  }
  { BarDemoWindow demo(file); }
  {
    BarDemoWindow demo(file);  // saving twice leaves one layout
  }
  TzbBarIniFile ini(file);
  EXPECT_EQ(ini.ReadString("Optionen", "Sprache", ""), "DE");
  EXPECT_TRUE(ini.SectionExists("OtherForm.zbBarManager1.Main"));
  EXPECT_FALSE(ini.SectionExists(kPrefix + "Bar17"));
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(std::count(sections.begin(), sections.end(), kPrefix + "Bar1"), 1);
}

// A form built by code, without windows: two toolbars and a sub-menu.
class BarLayoutModel : public ::testing::Test, public test::BarsFixture {
 protected:
  BarLayoutModel() {
    form.setObjectName(QStringLiteral("Form1"));
    for (const char* name : {"A", "B", "C"}) {
      auto* b = manager->CreateItem<TzbBarButton>();
      b->Name = name;
      b->SetCaption(name);
    }
    sub = manager->CreateItem<TzbBarSubItem>();
    sub->Name = "Menu";
    for (const char* name : {"A", "C"}) sub->ItemLinks().Add()->SetItem(manager->GetItemByName(name));
    for (int n = 0; n < 2; ++n) {
      TzbBar* bar = manager->Bars().Add();
      bar->SetCaption(n == 0 ? "Eins" : "Zwei");
      bar->SetRow(n);
      bar->SetDockingStyle(dsTop);
      for (const char* name : {"A", "B"}) bar->ItemLinks().Add()->SetItem(manager->GetItemByName(name));
      bar->SetVisible(true);
    }
    bar0()->ItemLinks().Add()->SetItem(sub);
    manager->Loaded();
  }
  TzbBar* bar0() { return manager->Bars().Items(0); }
  TzbBarSubItem* sub = nullptr;
  TempFolder folder{"barlayout"};
};

TEST_F(BarLayoutModel, UserGlyphSurvivesTheSettingsStoreButNotTheIniFile) {
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::red);
  TzbBarItemLink* link = bar0()->ItemLinks().Items(0);
  link->SetUserGlyph(glyph);
  link->SetUserCaption("Eigen");
  const std::string key = "Software\\ZORV\\Test\\Layout\\";
  const std::string ini = folder.File("l.ini");
  manager->SaveToRegistry(key);
  ASSERT_TRUE(manager->SaveToIniFile(ini));

  for (bool registry : {true, false}) {
    SCOPED_TRACE(registry ? "settings store" : "ini file");
    link = bar0()->ItemLinks().Items(0);
    link->SetUserDefine(0);
    registry ? manager->LoadFromRegistry(key) : manager->LoadFromIniFile(ini);
    link = bar0()->ItemLinks().Items(0);
    EXPECT_EQ(link->RealCaption(), "Eigen");
    EXPECT_EQ(!link->UserGlyph().isNull(), registry);
    if (registry) {
      EXPECT_EQ(link->UserGlyph().pixelColor(3, 3), QColor(Qt::red));
    }
  }
  QSettings("ZORV", "ZYN Systemsoftware").remove("Software");
}

TEST_F(BarLayoutModel, SettingsStoreKeepsForeignKeysBelowTheLayoutKey) {
  QSettings s("ZORV", "ZYN Systemsoftware");
  s.setValue("Software/ZORV/L/Fremd/Tief/Wert", 5);
  s.setValue("Software/ZORV/L/Bar9/ItemLinkCount", 1);
  s.sync();
  manager->SaveToRegistry("\\Software\\ZORV\\L");
  manager->SaveToRegistry("Software/ZORV/L");
  s.sync();
  EXPECT_EQ(s.value("Software/ZORV/L/Fremd/Tief/Wert").toInt(), 5);
  EXPECT_FALSE(s.contains("Software/ZORV/L/Bar9/ItemLinkCount"));
  EXPECT_EQ(s.value("Software/ZORV/L/BarCount").toInt(), 2);
  s.remove("Software");
}

TEST_F(BarLayoutModel, MoreOrFewerStoredBarsAndVanishedItems) {
  const std::string ini = folder.File("l.ini");
  {
    TzbBarIniFile f(ini);
    const std::string p = "Form1.zbBarManager1.";
    f.WriteString(p + "Main", "BarCount", "3");
    f.WriteString(p + "Bar0", "Row", "0");
    f.WriteString(p + "Bar0", "Visible", "1");
    f.WriteString(p + "Bar0", "ItemLinkCount", "3");
    f.WriteString(p + "Bar0.ItemLink0", "ItemName", "c");  // names match without regard to case
    f.WriteString(p + "Bar0.ItemLink1", "ItemName", "Geloescht");
    f.WriteString(p + "Bar0.ItemLink2", "ItemName", "Menu");
    f.WriteString(p + "Bar2", "Row", "4000");
    f.WriteString(p + "Bar2", "DockedLeft", "-5");
    f.WriteString(p + "Bar2", "FloatClientWidth", "99999999");
    f.WriteString(p + "Bar2", "Caption", "Neu");
    f.WriteString(p + "Bar2", "Visible", "1");
    f.WriteString(p + "SubItem_Menu", "ItemLinkCount", "1");
    f.WriteString(p + "SubItem_Menu.ItemLink0", "ItemName", "B");
    f.SaveToFile(ini);
  }
  manager->LoadFromIniFile(ini);
  ASSERT_EQ(manager->Bars().Count(), 3);
  EXPECT_EQ(ItemNames(bar0()->ItemLinks()), (std::vector<std::string>{"C", "Menu"}));
  EXPECT_FALSE(manager->Bars().Items(1)->Visible());  // not stored: hidden
  EXPECT_EQ(manager->Bars().Items(2)->Caption(), "Neu");
  EXPECT_EQ(manager->Bars().Items(2)->Row(), kMaxStoredRow);
  EXPECT_EQ(manager->Bars().Items(2)->DockedLeft(), 0);
  EXPECT_EQ(manager->Bars().Items(2)->FloatClientWidth, kMaxStoredCoordinate);
  EXPECT_EQ(ItemNames(sub->ItemLinks()), std::vector<std::string>{"B"});
}

TEST_F(BarLayoutModel, TwoFormsShareOneIniFile) {
  const std::string ini = folder.File("l.ini");
  QWidget other;
  other.setObjectName(QStringLiteral("Form2"));
  TzbBarManager second(&other);
  TzbBar* bar = second.Bars().Add();
  bar->SetCaption("Andere");
  second.Loaded();
  ASSERT_TRUE(manager->SaveToIniFile(ini));
  ASSERT_TRUE(second.SaveToIniFile(ini));
  bar->SetCaption("Geaendert");
  second.LoadFromIniFile(ini);
  EXPECT_EQ(bar->Caption(), "Andere");
  TzbBarIniFile f(ini);
  EXPECT_EQ(f.ReadString("Form1.zbBarManager1.Main", "BarCount", ""), "2");
  EXPECT_EQ(f.ReadString("Form2.zbBarManager1.Main", "BarCount", ""), "1");
}

TEST_F(BarLayoutModel, AnIniStreamStandsInForTheFile) {
  std::stringstream stream;
  manager->IniStream = &stream;
  ASSERT_TRUE(manager->SaveToIniFile(""));
  EXPECT_EQ(stream.str().rfind("[Form1.zbBarManager1.Main]\r\n", 0), 0u);  // the plain ini text
  bar0()->SetCaption("Anders");
  stream.seekg(0);
  manager->LoadFromIniFile("");
  EXPECT_EQ(bar0()->Caption(), "Eins");
  manager->IniStream = nullptr;
}

TEST_F(BarLayoutModel, ResetBringsTheBuiltLinksBackAndAsksFirst) {
  TzbBarItemLinks& links = bar0()->ItemLinks();
  links.Delete(links.Items(0));
  links.Add()->SetItem(manager->GetItemByName("C"));
  sub->ItemLinks().Clear();
  bar0()->SetRow(5);
  int before = 0, after = 0;
  manager->OnBarBeforeReset = [&](TzbBarManager&, TzbBar&) { ++before; };
  manager->OnBarAfterReset = [&](TzbBarManager&, TzbBar&) { ++after; };

  unsigned asked = 0;
  SetMessageDlgHook([&](const QString& text, const QString&, unsigned type) {
    asked = type;
    EXPECT_TRUE(text.contains("'Eins' toolbar"));
    return IDCANCEL;
  });
  bar0()->ResetWithConfirmation();
  EXPECT_EQ(asked & 0xF, MB_OKCANCEL);
  EXPECT_EQ(before, 0);
  SetMessageDlgHook([](const QString&, const QString&, unsigned) { return IDOK; });
  bar0()->ResetWithConfirmation();
  SetMessageDlgHook({});
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(ItemNames(links), (std::vector<std::string>{"A", "B", "Menu"}));
  EXPECT_EQ(ItemNames(sub->ItemLinks()), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(bar0()->Row(), 5);  // only the links without a full reset

  manager->UseFullReset = true;
  bar0()->Reset();
  EXPECT_EQ(bar0()->Row(), 0);
  EXPECT_TRUE(bar0()->Visible());
}

TEST_F(BarLayoutModel, ResetUsageDataForgetsTheUseCounts) {
  manager->SetStyle(bmsXP);  // recent items in use
  TzbBarItemLinks& links = sub->ItemLinks();
  const int built = links.Items(1)->UseCount;
  links.Items(1)->UseLink(true);
  links.Items(1)->UseLink(true);
  ASSERT_GT(links.Items(1)->UseCount, built);
  SetMessageDlgHook([](const QString&, const QString&, unsigned) { return IDNO; });
  manager->ResetUsageData();
  EXPECT_GT(links.Items(1)->UseCount, built);
  SetMessageDlgHook([](const QString&, const QString&, unsigned) { return IDYES; });
  manager->ResetUsageData();
  SetMessageDlgHook({});
  EXPECT_EQ(links.Items(1)->UseCount, built);
  EXPECT_EQ(links.Items(0)->RecentIndex(), 0);
}

}  // namespace
}  // namespace zyn

namespace zyn {
namespace {

// The plain ini form: "[section]", "key=value", "1"/"0" and decimal numbers; a file written by hand
// (other line ends, blanks around names, comments, another case) reads back.
TEST_F(BarLayoutModel, TheIniFileIsPlainTextThatReadsBack) {
  const std::string ini = folder.File("plain.ini");
  bar0()->SetCaption("Eins");
  ASSERT_TRUE(manager->SaveToIniFile(ini));
  const std::string text = test::ReadWholeFile(ini);
  EXPECT_NE(text.find("[Form1.zbBarManager1.Main]\r\nMenusShowRecentItemsFirst=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("LargeIcons=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("[Form1.zbBarManager1.Bar0]\r\nCaption=Eins\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\r\n[Form1.zbBarManager1.Bar0.ItemLink0]\r\nItemName="), std::string::npos);
  EXPECT_EQ(text.find("True"), std::string::npos);

  ASSERT_TRUE(test::WriteWholeFile(ini,
                                   "; by hand\n"
                                   "[form1.ZBBARMANAGER1.Main]\n"
                                   "BarCount=1\n"
                                   "\n"
                                   "[ Form1.zbBarManager1.Bar0 ]\n"
                                   "caption=Von Hand\n"
                                   "Row=0\n"
                                   "Visible=1\n"
                                   "ItemLinkCount=1\n"
                                   "[Form1.zbBarManager1.Bar0.ItemLink0]\n"
                                   "ItemName=b\n"));
  manager->LoadFromIniFile(ini);
  EXPECT_EQ(bar0()->Caption(), "Von Hand");
  EXPECT_EQ(ItemNames(bar0()->ItemLinks()), std::vector<std::string>{"B"});
  EXPECT_TRUE(bar0()->Visible());

  TzbBarIniFile file(ini);
  EXPECT_EQ(file.ReadString("Form1.zbBarManager1.Bar0", "ROW", ""), "0");
  std::vector<std::string> sections;
  file.ReadSections(sections);
  EXPECT_EQ(sections.size(), 3u);
}

}  // namespace
}  // namespace zyn
