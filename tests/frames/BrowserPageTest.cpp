// The browser page: the start page, local pages with back and forward, the busy state while a
// page loads, the title in the status bar, and closing back to the page shown before.

#include "frames/FrBrowser.h"
#include "tests/frames/PageFixture.h"
#include "tests/support/Files.h"
#include "widgets/common/ZsStatusBar.h"

#include <QToolButton>

namespace zyn::test {
namespace {

TEST_F(PageTest, BrowserPageNavigatesAndReturns) {
  form->FM->SetCurrentFrame(QStringLiteral("FrMerker"));
  form->FM->SaveFrame();
  auto* page = ShowPage<TFrBrowser>("FrBrowser");
  ASSERT_TRUE(page);
  EXPECT_FALSE(page->BP->isEnabled());
  EXPECT_FALSE(page->BN->isEnabled());
  EXPECT_FALSE(page->BS->isEnabled());
  EXPECT_FALSE(page->SP->Panel(1)->Enabled());
  EXPECT_EQ(page->SP->Panel(0)->Text(), QStringLiteral("ZYN Systemsoftware - Start"));

  TempFolder dir("browser");
  WriteWholeFile(dir.File("seite.html"), "<html><head><title>Zweite Seite</title></head><body>Hallo</body></html>");
  std::vector<bool> busy;
  const auto old = page->WB->OnBusyChanged;
  page->WB->OnBusyChanged = [&] {
    busy.push_back(page->WB->Busy());
    old();
    if (page->WB->Busy()) EXPECT_TRUE(page->BS->isEnabled());
  };
  page->WB->setSource(QUrl::fromLocalFile(QString::fromStdString(dir.File("seite.html"))));
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  EXPECT_FALSE(page->BS->isEnabled());
  EXPECT_EQ(page->SP->Panel(0)->Text(), QStringLiteral("ZYN Systemsoftware - Zweite Seite"));
  EXPECT_TRUE(page->BP->isEnabled());
  page->BP->click();
  Screenshot(page, "FrBrowser");
  EXPECT_EQ(page->WB->source(), TPageBrowser::StartPage());
  EXPECT_TRUE(page->BN->isEnabled());
  page->BC->click();
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrMerker"));
}

}  // namespace
}  // namespace zyn::test
