// Pages as component records: every control kind is written and read back byte for byte, a page
// goes through the project stream, unknown classes survive, and the palette inserts its controls.

#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/VisuProject.h"
#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuFrames.h"
#include "visu/ui/VisuLogger.h"
#include "visu/ui/VisuLogin.h"
#include "visu/ui/VisuPageFrame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

std::vector<uint8_t> RootBytes(const TComponentRecord& rec) {
  TMemoryStream ms;
  {
    TWriter w(ms);
    rec.WriteRoot(w);
  }
  return ms.Bytes();
}

TComponentRecord ReadRoot(const std::vector<uint8_t>& bytes) {
  TMemoryStream ms(bytes);
  TReader r(ms);
  TComponentRecord rec;
  rec.ReadRoot(r);
  return rec;
}

class PageRecordTest : public VisuUiTest {
 protected:
  // A page with one control of every registered class, each with values away from the defaults.
  void FillPage(TVisuDesignFrame& page) {
    page.SetPageName("Seite1");
    page.DisplayNameText = "Erdgeschoss";
    page.resize(640, 480);
    QImage bg(8, 4, QImage::Format_RGB32);
    bg.fill(QColor(10, 120, 200));
    page.SetBitmap(bg);
    int n = 0;
    for (const std::string& cls : RegisteredVisuClasses()) {
      TVisuComponent* c = CreateVisuComponent(cls, &page);
      ASSERT_NE(c, nullptr) << cls;
      c->SetName(cls.substr(1) + "1");
      c->Self()->move(10 + 5 * n, 20 + 3 * n);
      ++n;
      c->Tag = n;
      if (auto* v = dynamic_cast<TVisuControl*>(c)) {
        v->SetBinding(1, 69, 3, TKanalArt::kaEingang, "Eingang 3 (Küche)");
        v->Design.SetOnText("AN");
        v->UserLevel = 2;
      }
      if (auto* t = dynamic_cast<ITeleHandler*>(c)) t->SetTelegram(TTeleType::vtAusTele, 1, 69, 3, 1, 5, 0);
      if (auto* nav = dynamic_cast<INavigator*>(c)) nav->SetTarget("Seite2");
      if (auto* s = dynamic_cast<IVisuSummary*>(c)) s->AddChannel(0, 33, 2, TKanalArt::kaAusgang, "Licht");
      if (auto* l = dynamic_cast<TVisuLogger*>(c)) l->LoggerData.Ident = "Log1";
      if (auto* i = dynamic_cast<TIndexControl*>(c)) i->SetIndex(0, 7);
    }
    Find<TNavigationButton>(&page)->SetCaption("Weiter");
    Find<TVisuMenuFrame>(&page)->BtnStart->Target = "Start";
    Find<TVisuConnectorFrame>(&page)->SetNavButtonText("Zurück");
    Find<TVisuSTMConnectButton>(&page)->ConnectType = TConnectType::ctDisconnect;
    Find<TVisuUserLogin1>(&page)->StandAlone = true;
  }
};

TEST_F(PageRecordTest, EveryControlKindReadsBackByteIdentical) {
  TVisuDesignFrame page;
  FillPage(page);
  const std::vector<uint8_t> first = RootBytes(page.MakeRecord());
  ASSERT_EQ(page.MakeRecord().Children.size(), 25u);

  TVisuDesignFrame again;
  again.SetRecord(ReadRoot(first));
  EXPECT_EQ(again.LastBuildError(), "");
  EXPECT_TRUE(again.ForeignRecords().empty());
  ASSERT_EQ(again.Controls().size(), 25u);
  EXPECT_EQ(RootBytes(again.MakeRecord()), first);

  // The values arrived in the controls themselves, not only in the bytes.
  auto* led = Find<TVisuRoundLED>(&again);
  ASSERT_NE(led, nullptr);
  EXPECT_EQ(led->VisuData.Modul, 69);
  EXPECT_EQ(led->Design.OnText(), "AN");
  EXPECT_EQ(led->x(), 10);
  EXPECT_EQ(Find<TTeleButton>(&again)->Telegram.Value(), 97);
  EXPECT_EQ(Find<TVisuMenuFrame>(&again)->BtnStart->Target, "Start");
  EXPECT_EQ(Find<TVisuSTMConnectButton>(&again)->ConnectType, TConnectType::ctDisconnect);
  EXPECT_EQ(Find<TSummenStatus>(&again)->GetChannelCount(), 1);
  EXPECT_EQ(Find<TIndexControl>(&again)->GetIndex(0), 7);
  EXPECT_EQ(again.DisplayName(), "Erdgeschoss");
  EXPECT_FALSE(again.Bitmap().isNull());
  EXPECT_EQ(again.Bitmap().pixelColor(1, 1), QColor(10, 120, 200));
}

TEST_F(PageRecordTest, PagesTravelThroughTheProjectStreamAndResourceFiles) {
  TVisuProject project;
  project.SetPageFactory(MakeVisuDesignPage);
  auto page = std::make_unique<TVisuDesignFrame>();
  FillPage(*page);
  page->SetDesigning(true);
  const std::vector<uint8_t> pageBytes = RootBytes(page->MakeRecord());
  project.AddPage(std::move(page));
  TMemoryStream ms;
  {
    TWriter w(ms);
    project.WriteData(w);
  }
  TVisuProject back;
  back.SetPageFactory(MakeVisuDesignPage);
  TMemoryStream in(ms.Bytes());
  {
    TReader r(in);
    back.ReadData(r);
  }
  ASSERT_EQ(back.PageCount(), 1);
  auto* read = dynamic_cast<TVisuDesignFrame*>(back.GetPage(0));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->Designing());
  EXPECT_EQ(RootBytes(read->MakeRecord()), pageBytes);
  // Read in design mode, every control is in design mode.
  EXPECT_TRUE(Find<TVisuRoundLED>(read)->Designing());

  // The ".vpg" file carries the page under its class name.
  const std::string file = folder.File("Seite1.vpg");
  ASSERT_TRUE(read->SavePageFile(file));
  EXPECT_EQ(FileBytes(file)[3], 'T');
  TVisuDesignFrame loaded;
  ASSERT_TRUE(loaded.LoadPageFile(file));
  EXPECT_EQ(loaded.Controls().size(), 25u);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PageRecordTest, UnknownClassesAndBadValuesAreKeptAndReported) {
  TVisuDesignFrame page;
  page.SetPageName("Seite1");
  new TVisuRoundLED(&page);
  TComponentRecord rec = page.MakeRecord();
  TComponentRecord strange;
  strange.ClassName = "TFremdeKlasse";
  strange.Name = "Fremd1";
  strange.SetProperty("Left", TFilerValue::Integer(4));
  rec.Children.push_back(strange);
  TComponentRecord broken = rec.Children[0];
  broken.Name = "Kaputt";
  broken.SetProperty("UserLevel", TFilerValue::String("drei"));
  rec.Children.push_back(broken);
  rec.SetProperty("Fremd", TFilerValue::Integer(12));
  const std::vector<uint8_t> bytes = RootBytes(rec);

  TVisuDesignFrame again;
  again.SetRecord(ReadRoot(bytes));
  EXPECT_NE(again.LastBuildError().find("TFremdeKlasse"), std::string::npos);
  EXPECT_EQ(again.Controls().size(), 1u);
  EXPECT_EQ(again.ForeignRecords().size(), 2u);
  // Nothing is lost: written again, the page gives the same bytes.
  EXPECT_EQ(RootBytes(again.MakeRecord()), bytes);

  // Loaded as a resource, the failure is shown.
  TVisuDesignFrame shown;
  EXPECT_FALSE(shown.LoadFromStream(TVisuPage::ResourceBytes(ReadRoot(bytes), "SEITE1")));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Fehler beim Laden des Frames");
  EXPECT_FALSE(shown.LoadFromStream({0x01, 0x02}));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(PageRecordTest, PaletteInsertsOnAClickAndOnlyOnce) {
  TVisuDesignFrame page;
  page.resize(400, 300);
  page.SetDesigning(true);
  page.HookDesignMouse();
  int newControls = 0;
  page.OnNewControl = [&](TVisuBaseFrame*, TVisuComponent*) { ++newControls; };
  page.AskCaption = [](const std::string&, const std::string& prompt, const std::string& def) {
    EXPECT_NE(prompt.find("\r\n"), std::string::npos);
    return def + "!";
  };
  // Every palette index makes its class; index 19 is a disconnect button.
  const char* expected[21] = {
      "TVisuLogger",        "TVisuRoundLED",      "TVisuSquareLED",   "TVisuRectLED",          "TVisuRectRoundLED",
      "TVisuTextIndicator", "TVisuLEDTeleButton", "TVisuMinuteTimer", "TNavigationButton",     "TSegmentControl",
      "TVisuCycleCounter",  "TTeleButton",        "TVisuText",        "TVisuMenuFrame",        "TVisuConnectorFrame",
      "TIndexControl",      "TVisuUserLogin2",    "TExitButton",      "TVisuSTMConnectButton", "TVisuSTMConnectButton",
      "TSummenStatus"};
  for (int k = 0; k <= 20; ++k) {
    page.InsertComponent = k;
    TVisuComponent* c = page.InsertControl(k, 5 * k, 7);
    ASSERT_NE(c, nullptr) << k;
    EXPECT_EQ(c->ClassName(), expected[k]);
    EXPECT_EQ(page.InsertComponent, -1);
    EXPECT_TRUE(dynamic_cast<TVisuDesignerBase*>(c)->Designing()) << k;  // at once, without a further call
  }
  EXPECT_EQ(newControls, 21);
  auto buttons = FindAll<TVisuSTMConnectButton>(&page);
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[1]->ConnectType, TConnectType::ctDisconnect);
  EXPECT_EQ(buttons[1]->Caption(), "Abmelden");
  EXPECT_EQ(Find<TExitButton>(&page)->Caption(), "Beenden");
  EXPECT_EQ(Find<TNavigationButton>(&page)->Caption(), "unbenannt!");
  EXPECT_EQ(CreatePaletteControl(21, &page), nullptr);
  EXPECT_EQ(CreatePaletteControl(-1, &page), nullptr);
}

TEST_F(PageRecordTest, DesignModeReachesControlsOnlyOnAChange) {
  TVisuDesignFrame page;
  auto* nav = new TNavigationButton(&page);
  auto* menu = new TVisuMenuFrame(&page);
  page.SetDesigning(true);
  EXPECT_TRUE(nav->Designing());
  EXPECT_TRUE(menu->BtnLogin->Designing());  // the frame's own parts too
  nav->SetDesigning(false);
  page.SetDesigning(true);  // the current value: the controls are not touched
  EXPECT_FALSE(nav->Designing());
}

TEST_F(PageRecordTest, DesignerDragsControlsAndOpensTheControlMenu) {
  TVisuDesignFrame page;
  page.resize(400, 300);
  QMenu menu;
  page.ControlMenu = &menu;
  int modified = 0;
  page.OnModified = [&] { ++modified; };
  auto* led = new TVisuRoundLED(&page);
  led->move(10, 10);
  auto* fixed = new TTeleButton(&page);
  fixed->move(100, 10);
  fixed->DontMove = true;
  // Outside design mode a control takes no designer handlers.
  page.HookDesignMouse();
  EXPECT_FALSE(led->Hooks().HasMouse());
  page.SetDesigning(true);
  page.HookDesignMouse();
  EXPECT_TRUE(led->Hooks().HasMouse());

  QTest::mousePress(led, Qt::LeftButton, {}, QPoint(5, 5));
  QMouseEvent move(QEvent::MouseMove, QPointF(25, 15), QPointF(25, 15), QPointF(25, 15), Qt::NoButton, Qt::LeftButton,
                   {});
  QApplication::sendEvent(led, &move);
  QTest::mouseRelease(led, Qt::LeftButton, {}, QPoint(25, 15));
  EXPECT_EQ(led->pos(), QPoint(30, 20));
  EXPECT_EQ(modified, 1);

  QTest::mousePress(fixed, Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::sendEvent(fixed, &move);
  QTest::mouseRelease(fixed, Qt::LeftButton, {}, QPoint(25, 15));
  EXPECT_EQ(fixed->pos(), QPoint(100, 10));  // DontMove refuses

  QTest::mousePress(led, Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_EQ(page.PopupComponent(), led);
  menu.hide();
  QTest::mouseRelease(led, Qt::RightButton, {}, QPoint(3, 3));

  // A click on the page inserts only with a palette choice.
  QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(page.Controls().size(), 2u);
  page.InsertComponent = 1;
  QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(200, 200));
  ASSERT_EQ(page.Controls().size(), 3u);
  EXPECT_EQ(page.Controls().back()->Self()->pos(), QPoint(200, 200));
  EXPECT_EQ(page.InsertComponent, -1);
}

}  // namespace
}  // namespace zyn::test
