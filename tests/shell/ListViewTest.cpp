#include "shell/ExtListView.h"

#include "TestApp.h"

#include <QSettings>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

QStringList Captions(const TCustomEnhListView& view, int column = 0) {
  QStringList out;
  for (int i = 0; i < view.ItemCount(); ++i) out << TCustomEnhListView::CellText(view.Item(i), column);
  return out;
}

TEST(SmartSort, TableOfComparisons) {
  const QLocale de(QLocale::German);
  struct Case {
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {"9", "10", -1},           {"100", "10", 1},           {"01.02.2003", "15.01.2003", 1},
      {"2.000", "1.500,5", -1},  // 2.000 reads as 2 at once, 1.500,5 only in the second reading as 1500.5
      {"12:30", "9:15", 1},      {"01.02.2003 10:00", "01.02.2003 09:00", 1},
      {"abc", "10", 1},          {"3 Stück", "20 Stück", -1}, {"x", "x", 0},
  };
  for (const Case& c : cases) {
    const int r = SmartCompareTexts(c.a, c.b, assSmart, de);
    EXPECT_EQ((r > 0) - (r < 0), c.expected) << c.a << " vs " << c.b;
  }
  double v = 0;
  EXPECT_TRUE(ReadSortNumber("1.500,5", de, v));
  EXPECT_DOUBLE_EQ(v, 1500.5);
  EXPECT_TRUE(ReadSortNumber("2.000", de, v));
  EXPECT_DOUBLE_EQ(v, 2.0);
  EXPECT_FALSE(ReadSortDateTime("1.500,5", de, v));
  EXPECT_TRUE(ReadSortDateTime("30.12.1899", de, v));
  EXPECT_DOUBLE_EQ(v, 0.0);
  EXPECT_TRUE(ReadSortDateTime("31.12.1899 12:00", de, v));
  EXPECT_DOUBLE_EQ(v, 1.5);
  // the text-only style never reads numbers
  EXPECT_LT(SmartCompareTexts("100", "9", assDefault, de), 0);
}

class ListView : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    view = std::make_unique<TzsExtListView>();
    view->Locale = QLocale(QLocale::German);
    view->AddColumn("Adresse", 80);
    view->AddColumn("Bezeichnung", 180);
    for (const char* a : {"10", "9", "100"}) view->AddItem(a, {QString("Kanal ") + a});
  }
  std::unique_ptr<TzsExtListView> view;
};

TEST_F(ListView, ToggleSortByHeaderClicks) {
  view->SetAutoColumnSort(acsSortToggle);
  view->Loaded();  // column 0 becomes the sort column
  EXPECT_EQ(view->CurrentSortColumn(), 0);
  EXPECT_EQ(Captions(*view), (QStringList{"9", "10", "100"}));
  view->ColumnClick(0);  // the current sort column: reverses
  EXPECT_EQ(Captions(*view), (QStringList{"100", "10", "9"}));
  view->ColumnClick(1);  // another column: ascending
  EXPECT_EQ(Captions(*view, 1), (QStringList{"Kanal 10", "Kanal 100", "Kanal 9"}));
  view->ColumnClick(1);
  EXPECT_EQ(Captions(*view, 1), (QStringList{"Kanal 9", "Kanal 100", "Kanal 10"}));
}

TEST_F(ListView, ItemsAddedInsideAnUpdateAreSortedOnceAtTheEnd) {
  view->SetAutoColumnSort(acsSort);
  view->SetCurrentSortColumn(0);
  int sorts = 0;
  view->OnSortFinished = [&](QObject*, int, bool) { ++sorts; };
  view->BeginUpdate();
  view->AddItem("5");
  view->AddItem("1");
  EXPECT_EQ(sorts, 0);
  view->EndUpdate();
  EXPECT_EQ(sorts, 1);
  EXPECT_EQ(Captions(*view), (QStringList{"1", "5", "9", "10", "100"}));
}

TEST_F(ListView, CustomComparisonAndSortAs) {
  view->OnSortItems = [](QObject*, QTreeWidgetItem*, QTreeWidgetItem*, int column, TSortAs& as, int&) {
    EXPECT_EQ(column, -1);
    as = saString;
  };
  view->SortNow(0, true);
  EXPECT_EQ(Captions(*view), (QStringList{"10", "100", "9"}));
}

TEST_F(ListView, ColumnSearchWithinASecond) {
  qint64 now = 5000;
  view->TickCount = [&] { return now; };
  view->SetColumnSearch(true);
  view->SetCurrentSortColumn(1);
  view->clear();
  for (const char* t : {"Abend", "Licht", "abseits", "Bad"}) view->AddItem(t, {t});
  view->Item(0)->setSelected(true);
  QTest::keyClicks(view.get(), "a");
  EXPECT_EQ(view->SelectedIndex(), 2);  // after the selection, either case
  now += 300;
  QTest::keyClicks(view.get(), "b");
  EXPECT_EQ(view->SelectedIndex(), 0);  // "ab" goes on after abseits and wraps to Abend
  now += 1500;                           // a pause starts a new search
  QTest::keyClicks(view.get(), "b");
  EXPECT_EQ(view->SelectedIndex(), 3);
  now += 100;
  QTest::keyClicks(view.get(), "x");  // "bx" matches nothing: selection stays
  EXPECT_EQ(view->SelectedIndex(), 3);
}

TEST_F(ListView, MoveItemKeepsItsSelection) {
  view->Item(0)->setSelected(true);
  view->MoveItem(0, 2);
  EXPECT_EQ(Captions(*view), (QStringList{"9", "100", "10"}));
  EXPECT_TRUE(view->Item(2)->isSelected());
  view->MoveItem(0, 3);  // beyond the last item: nothing
  EXPECT_EQ(Captions(*view), (QStringList{"9", "100", "10"}));
  EXPECT_EQ(view->FindBySubstring("anal 1", 1), view->Item(1));
}

TEST_F(ListView, CancelledCaptionEditIsReported) {
  QTreeWidgetItem* item = view->Item(0);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  view->show();
  view->setCurrentItem(item);
  std::vector<QTreeWidgetItem*> cancelled;
  view->OnEditCanceled = [&](QObject*, QTreeWidgetItem* it) { cancelled.push_back(it); };
  view->editItem(item, 0);
  QWidget* editor = view->itemWidget(item, 0) ? view->itemWidget(item, 0) : QApplication::focusWidget();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(cancelled, (std::vector<QTreeWidgetItem*>{item}));
}

TEST_F(ListView, ExtendedStylesAndInfoTips) {
  view->SetExtendedStyles(Lvx(lvxUnderlineHot));
  EXPECT_EQ(view->ExtendedStyles(), Lvx(lvxOneClickActivate) | Lvx(lvxUnderlineHot));
  EXPECT_EQ(ExtendedStyleFlags(Lvx(lvxGridLines) | Lvx(lvxFullRowSelect) | Lvx(lvxInfoTip)), 1u | 32u | 1024u);
  EXPECT_EQ(ExtendedStylesFromFlags(16384 | 2), Lvx(lvxLabelTip) | Lvx(lvxSubItemImages));
  view->SetExtendedStyles(Lvx(lvxGridLines) | Lvx(lvxFullRowSelect) | Lvx(lvxInfoTip) | Lvx(lvxCheckboxes));
  EXPECT_EQ(view->InfoTip(1, 0), "9");
  std::vector<std::pair<int, bool>> checks;
  view->OnItemChecked = [&](QObject*, int i, bool c) { checks.emplace_back(i, c); };
  view->SetItemChecked(1, true);
  EXPECT_TRUE(view->ItemChecked(1));
  EXPECT_EQ(checks, (std::vector<std::pair<int, bool>>{{1, true}}));
  view->OnInfoTip = [](QObject*, int, int, const QString&, QString& add) { add = "mehr"; };
  EXPECT_EQ(view->InfoTip(1, 0), "mehr");
  EXPECT_TRUE(ComCtlVersionSufficient(4, 70, 0, 0));
  EXPECT_FALSE(ComCtlVersionSufficient(4, 71 - 2, 9, 9));
}

TEST_F(ListView, ColumnFormatForbidsResizing) {
  view->SetColumnsFormat({TzsExtListColumn{-1, ciaRightOfText, false}, TzsExtListColumn{}});
  EXPECT_EQ(view->header()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_EQ(view->header()->sectionResizeMode(1), QHeaderView::Interactive);
  view->SetNoColumnResize(true);
  EXPECT_EQ(view->header()->sectionResizeMode(1), QHeaderView::Fixed);
}

TEST_F(ListView, SettingsRoundTrip) {
  QTemporaryDir dir;
  const QString file = dir.filePath("lv.ini");
  {
    TzsExtListView v;
    v.SettingsFile = file;
    v.SaveSettings().AutoSave = true;
    v.SaveSettings().RegistryKey = "Software\\ZORV\\Test";
    for (int c = 0; c < 4; ++c) v.AddColumn(QString("S%1").arg(c), 50 + c);
    v.SetColumnOrder({2, 0, 1, 3});
    v.setColumnWidth(2, 77);
  }
  {
    QSettings s(file, QSettings::IniFormat);
    EXPECT_EQ(s.value("Software/ZORV/Test/Columns/Order").toString(), "2,0,1,3");
    EXPECT_EQ(s.value("Software/ZORV/Test/Columns/Sizes").toString(), "77,50,51,53");
    s.setValue("Software/ZORV/Test/Columns/Sizes", "100,x,60,70");
  }
  TzsExtListView v;
  v.SettingsFile = file;
  v.SaveSettings().AutoSave = true;
  v.SaveSettings().RegistryKey = "Software\\ZORV\\Test";
  for (int c = 0; c < 4; ++c) v.AddColumn(QString("S%1").arg(c), 40);
  v.Loaded();
  EXPECT_EQ(v.ColumnOrder(), (std::vector<int>{2, 0, 1, 3}));
  EXPECT_EQ(v.columnWidth(2), 100);
  EXPECT_EQ(v.columnWidth(0), 40);  // "x" leaves the width
  EXPECT_EQ(v.columnWidth(1), 60);
  v.SaveSettings().AutoSave = false;
}

TEST_F(ListView, VirtualModeAsksForTheTexts) {
  view->SetVirtualMode(true);
  EXPECT_EQ(view->ItemCount(), 0);
  view->OnVMGetItemInfo = [](QObject*, int item, int sub, unsigned& mask, QString& text) {
    EXPECT_EQ(mask, lvifText);
    text = QString("%1/%2").arg(item).arg(sub);
  };
  view->SetVirtualItemCount(3);
  ASSERT_EQ(view->ItemCount(), 3);
  EXPECT_EQ(TCustomEnhListView::CellText(view->Item(2), 1), "2/1");
  EXPECT_EQ(view->InfoTip(0, 0), "");  // no caption tips in virtual mode
}

}  // namespace
}  // namespace zyn
