// The browser page on the web engine: local pages with back and forward, the title in the status
// bar, the stop button and the gauge while a page loads (a local server that never answers keeps
// it loading), and closing back to the page shown before.

#include "frames/browser/FrBrowser.h"
#include "tests/frames/PageFixture.h"
#include "tests/support/Files.h"
#include "widgets/common/ZsStatusBar.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QToolButton>

#include <cstdlib>

// The web engine's own library (Chromium) is built without the sanitizers and frees some objects
// with a size the sanitizer does not expect, and keeps objects to the end of the process by design.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0:detect_leaks=0"; }

namespace zyn::test {
namespace {

// Before the application object exists: the engine's settings, no GPU on the offscreen platform
// and no sandbox (the tests may run as root).
const bool kEnginePrepared = [] {
  ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0);
  ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  PrepareBrowserEngine();
  return true;
}();

constexpr int kDeadline = 30000;

class BrowserPage : public PageTest {
 protected:
  void SetUp() override {
    RegisterBrowserPage();  // before the main window is made, as the programme does
    PageTest::SetUp();
  }
  // Shows the page and lets it load the local file; true once it is loaded and still.
  bool Load(TFrBrowser* page, const QUrl& url) {
    page->WB->Navigate(url);
    return QTest::qWaitFor([&] { return page->WB->url() == url && !page->WB->Busy(); }, kDeadline);
  }
};

TEST_F(BrowserPage, StartsStill) {
  TFrBrowser page;
  EXPECT_FALSE(page.BP->isEnabled());
  EXPECT_FALSE(page.BN->isEnabled());
  EXPECT_FALSE(page.BS->isEnabled());
  EXPECT_FALSE(page.SP->Panel(1)->Enabled());
  EXPECT_EQ(page.SP->Panel(1)->PanelType(), sptGauge);
  EXPECT_EQ(page.WB, nullptr);  // the web engine starts only when the page is shown
}

TEST_F(BrowserPage, GoesBackAndForwardAndShowsTheTitle) {
  ASSERT_TRUE(kEnginePrepared);
  form->FM->SetCurrentFrame(QStringLiteral("FrMerker"));
  form->FM->SaveFrame();
  auto* page = ShowPage<TFrBrowser>("FrBrowser");
  ASSERT_TRUE(page);

  TempFolder dir("browser");
  WriteWholeFile(dir.File("eins.html"), "<html><head><title>Start</title></head><body>Eins</body></html>");
  WriteWholeFile(dir.File("zwei.html"), "<html><head><title>Zweite Seite</title></head><body>Zwei</body></html>");
  const QUrl one = QUrl::fromLocalFile(QString::fromStdString(dir.File("eins.html")));
  const QUrl two = QUrl::fromLocalFile(QString::fromStdString(dir.File("zwei.html")));

  // While a page loads the stop button and the gauge follow the busy state.
  std::vector<bool> stopWhileBusy;
  const auto begin = page->WB->OnDownloadBegin;
  page->WB->OnDownloadBegin = [&] {
    begin();
    stopWhileBusy.push_back(page->BS->isEnabled() && page->SP->Panel(1)->Enabled());
  };
  ASSERT_TRUE(Load(page, one));
  EXPECT_TRUE(QTest::qWaitFor([&] { return page->SP->Panel(0)->Text() == QStringLiteral("ZYN Systemsoftware - Start"); },
                              kDeadline));
  ASSERT_FALSE(stopWhileBusy.empty());
  EXPECT_TRUE(stopWhileBusy.back());
  EXPECT_FALSE(page->BS->isEnabled());
  EXPECT_FALSE(page->SP->Panel(1)->Enabled());

  ASSERT_TRUE(Load(page, two));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return page->SP->Panel(0)->Text() == QStringLiteral("ZYN Systemsoftware - Zweite Seite"); }, kDeadline));
  ASSERT_TRUE(QTest::qWaitFor([&] { return page->BP->isEnabled(); }, kDeadline));
  EXPECT_FALSE(page->BN->isEnabled());

  page->BP->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return page->WB->url() == one && !page->WB->Busy(); }, kDeadline));
  EXPECT_TRUE(QTest::qWaitFor([&] { return page->BN->isEnabled(); }, kDeadline));
  page->BN->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return page->WB->url() == two && !page->WB->Busy(); }, kDeadline));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !page->BN->isEnabled(); }, kDeadline));

  page->BC->click();
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrMerker"));
}

// A server that takes the connection and never answers: the page stays loading until the stop
// button ends it; the gauge runs exactly as long.
TEST_F(BrowserPage, StopButtonEndsALoadThatNeverFinishes) {
  auto* page = ShowPage<TFrBrowser>("FrBrowser");
  ASSERT_TRUE(page);
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  std::vector<QTcpSocket*> held;
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (QTcpSocket* s = server.nextPendingConnection()) held.push_back(s);
  });
  page->WB->Navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/langsam").arg(server.serverPort())));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !held.empty(); }, kDeadline));
  ASSERT_TRUE(QTest::qWaitFor([&] { return page->WB->Busy(); }, kDeadline));
  EXPECT_TRUE(page->BS->isEnabled());
  EXPECT_TRUE(page->SP->Panel(1)->Enabled());

  page->BS->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !page->WB->Busy(); }, kDeadline));
  EXPECT_FALSE(page->BS->isEnabled());
  EXPECT_FALSE(page->SP->Panel(1)->Enabled());
}

}  // namespace
}  // namespace zyn::test
