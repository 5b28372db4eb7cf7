// The dimmer-curve page: curves edited with the mouse, saved into "Kennlinien.xml" and read back;
// curves in use refused for deletion; a failed save reported with the page still modified.

#include "frames/FrEditKennlinie.h"
#include "frames/KennlinienEditor.h"
#include "model/Kennlinien.h"
#include "model/Modul.h"
#include "model/base/ZYNOptionen.h"
#include "project/Global.h"
#include "tests/frames/PageFixture.h"
#include "tests/support/Files.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class CurvePageTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    file = GetSystemPathByIndex() + "Kennlinien.xml";
    saved = ReadWholeFile(file);
    page = ShowPage<TFrEditKennlinie>("FrEditKennlinie");
    ASSERT_TRUE(page);
    standard = GKennlinien->Count();
  }
  void TearDown() override {
    WriteWholeFile(file, saved);
    GKennlinien->LoadFromFile(file);
    if (!oldSystem.empty()) GOptionFile->Optionen().Path->First().SystemPath = oldSystem;
    PageTest::TearDown();
  }
  // A click at the curve position and value.
  void ClickAt(int position, int value) {
    const TChartGeometry& g = page->KE->Geometry();
    const QPoint at(g.Left + static_cast<int>(position * g.XScale + 0.5),
                    g.Bottom - static_cast<int>(value * g.YScale + 0.5));
    QTest::mouseClick(page->KE, Qt::LeftButton, {}, at);
  }

  std::string file, saved, oldSystem;
  TFrEditKennlinie* page = nullptr;
  int standard = 0;
};

TEST_F(CurvePageTest, EditSaveAndReload) {
  ASSERT_GT(standard, 0);
  EXPECT_EQ(page->KTV->topLevelItemCount(), standard);
  EXPECT_FALSE(page->BtnDelete->isEnabled());  // the standard curves cannot be changed
  EXPECT_FALSE(page->BtnDel2->isEnabled());
  EXPECT_FALSE(page->BtnOK->isEnabled());
  const auto standardBytes = GKennlinien->Items(0)->Werte;
  ClickAt(0, 0);
  ClickAt(200, 100);
  EXPECT_EQ(GKennlinien->Items(0)->Werte, standardBytes);
  EXPECT_FALSE(page->BtnOK->isEnabled());
  page->BtnAdd->click();
  ASSERT_EQ(GKennlinien->Count(), standard + 1);
  TZYNKennlinie* curve = GKennlinien->Items(standard);
  EXPECT_EQ(page->KE->Kennlinie(), curve);
  EXPECT_TRUE(page->BtnOK->isEnabled());
  EXPECT_TRUE(page->BtnDelete->isEnabled());
  page->KTV->currentItem()->setText(0, QStringLiteral("Lampe Flur"));
  EXPECT_EQ(curve->DisplayName, "Lampe Flur");

  ClickAt(100, 255);  // no point at 0 yet: only the mark
  EXPECT_EQ(curve->Werte[50], 0);
  ClickAt(0, 0);
  const int at100 = curve->Werte[100];
  EXPECT_NEAR(at100, 255, 2);
  EXPECT_NEAR(curve->Werte[50], at100 / 2, 1);
  EXPECT_TRUE(page->PP->text().startsWith(QStringLiteral("XPos = 000")));

  Screenshot(page, "FrEditKennlinie");
  page->BtnOK->click();
  EXPECT_FALSE(page->BtnOK->isEnabled());
  EXPECT_TRUE(XmllintAccepts(file));
  TZYNKennlinienListe reread;
  ASSERT_TRUE(reread.LoadFromFile(file));
  ASSERT_EQ(reread.Count(), standard + 1);
  EXPECT_EQ(reread.Items(standard)->DisplayName, "Lampe Flur");
  EXPECT_TRUE(reread.Items(standard)->CanEdit);
  EXPECT_EQ(reread.Items(standard)->Werte, curve->Werte);

  page->BtnDel2->click();  // clears the curve, the flag stays
  EXPECT_EQ(curve->Werte[100], 0);
  EXPECT_FALSE(page->BtnOK->isEnabled());
  ClickAt(0, 10);
  EXPECT_TRUE(page->BtnOK->isEnabled());
}

TEST_F(CurvePageTest, CurveInUseIsNotDeletedAndLaterReferencesFollow) {
  page->BtnAdd->click();
  page->BtnAdd->click();
  const int first = standard, second = standard + 1;
  TModul& dimmer = *GProjekt->Steuermodule.GetSteuermodul(0)->Module.GetModul(1);
  dimmer.Dimmerzusatz = true;
  dimmer.DimmerDaten.LeftKennlinie = first;
  dimmer.DimmerDaten.RightKennlinie = second;
  page->KTV->setCurrentItem(page->KTV->topLevelItem(first));
  shown.clear();
  EXPECT_FALSE(page->DeleteCurve());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("verwendet")));
  EXPECT_EQ(GKennlinien->Count(), standard + 2);

  dimmer.DimmerDaten.LeftKennlinie = 0;
  EXPECT_TRUE(page->DeleteCurve());
  EXPECT_EQ(GKennlinien->Count(), standard + 1);
  EXPECT_EQ(dimmer.DimmerDaten.RightKennlinie, second - 1);  // still the same curve
  EXPECT_EQ(page->KTV->currentItem(), page->KTV->topLevelItem(first - 1));
}

TEST_F(CurvePageTest, FailedSaveIsReportedAndStaysModified) {
  page->BtnAdd->click();
  WriteWholeFile(PageTestHome() + "keinordner", "x");
  TPathItem& path = GOptionFile->Optionen().Path->First();
  oldSystem = path.SystemPath;
  path.SystemPath = PageTestHome() + "keinordner/sub";
  shown.clear();
  EXPECT_FALSE(page->SaveCurves());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].contains(QStringLiteral("Kennlinien.xml")));
  EXPECT_TRUE(page->BtnOK->isEnabled());
}

}  // namespace
}  // namespace zyn::test
