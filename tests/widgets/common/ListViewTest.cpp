#include "tests/support/AppFixture.h"
#include "widgets/common/ExtListView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
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
      {"9", "10", -1},
      {"100", "10", 1},
      {"01.02.2003", "15.01.2003", 1},
      {"2.000", "1.500,5", -1},  // 2.000 reads as 2 at once, 1.500,5 only in the second reading as 1500.5
      {"12:30", "9:15", 1},
      {"01.02.2003 10:00", "01.02.2003 09:00", 1},
      {"abc", "10", 1},
      {"3 Stück", "20 Stück", -1},
      {"x", "x", 0},
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
  now += 1500;                          // a pause starts a new search
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
  view->OnVMGetItemInfo = [](QObject*, int item, int sub, TLVVMItemInfo& info) {
    EXPECT_EQ(info.Mask, sub == 0 ? (lvifText | lvifImage | lvifParam | lvifState | lvifIndent) : unsigned(lvifText));
    info.Text = QString("%1/%2").arg(item).arg(sub);
  };
  view->SetVirtualItemCount(3);
  ASSERT_EQ(view->ItemCount(), 3);
  EXPECT_EQ(TCustomEnhListView::CellText(view->Item(2), 1), "2/1");
  EXPECT_EQ(view->InfoTip(0, 0), "");  // no caption tips in virtual mode
}

QImage Solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

// The leftmost and rightmost x of a colour in an image (-1, -1 when absent).
std::pair<int, int> Span(const QImage& img, QColor c) {
  int lo = -1, hi = -1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) == c) {
        if (lo < 0 || x < lo) lo = x;
        hi = std::max(hi, x);
      }
  return {lo, hi};
}

TEST_F(ListView, VirtualItemGetsCaptionPictureDataAndSubItemsFromTheEvent) {
  view->AddColumn("Typ", 60);
  view->SetSmallImages({Solid(8, 8, Qt::red), Solid(8, 8, Qt::blue)});
  view->SetVirtualMode(true);
  std::vector<std::pair<int, int>> asked;
  std::vector<std::pair<int, int>> hints;
  view->OnVMCacheHint = [&](QObject*, TLVVMCacheHint& h) { hints.emplace_back(h.From, h.To); };
  view->OnVMGetItemInfo = [&](QObject*, int item, int sub, TLVVMItemInfo& info) {
    asked.emplace_back(item, sub);
    info.Text = sub == 0 ? QString("Modul %1").arg(item) : QString("S%1.%2").arg(item).arg(sub);
    if (sub == 0) {
      info.Image = item == 5 ? 1 : 7;  // 7 lies outside the image list
      info.Param = 1000 + item;
    }
  };
  view->SetVirtualItemCount(6);
  EXPECT_EQ(hints, (std::vector<std::pair<int, int>>{{0, 5}}));
  const std::vector<std::pair<int, int>> forFive(asked.begin() + 15, asked.end());
  EXPECT_EQ(forFive, (std::vector<std::pair<int, int>>{{5, 0}, {5, 1}, {5, 2}}));
  QTreeWidgetItem* five = view->Item(5);
  EXPECT_EQ(five->text(0), "Modul 5");
  EXPECT_EQ(TCustomEnhListView::CellText(five, 2), "S5.2");
  EXPECT_EQ(view->ItemData(5), 1005);
  EXPECT_EQ(five->icon(0).pixmap(8, 8).toImage().pixelColor(4, 4), QColor(Qt::blue));
  EXPECT_TRUE(view->Item(4)->icon(0).isNull());
}

TEST_F(ListView, VirtualFindSelectionAndCaptionEditGoToTheOwner) {
  QStringList source = {"Licht", "Rollo", "Heizung", "Lampe"};
  view->SetVirtualMode(true);
  view->OnVMGetItemInfo = [&](QObject*, int item, int sub, TLVVMItemInfo& info) {
    info.Text = sub == 0 ? source[item] : QString();
  };
  view->SetVirtualItemCount(4);
  std::vector<QString> finds;
  view->OnVMFindItem = [&](QObject*, TLVVMFindInfo& f, int& found) {
    finds.push_back(f.Text + "@" + QString::number(f.Start));
    for (int k = 1; k <= source.size(); ++k) {
      const int i = (f.Start + k) % source.size();
      if (source[i].startsWith(f.Text, Qt::CaseInsensitive)) {
        found = i;
        return;
      }
    }
  };
  view->Item(0)->setSelected(true);
  EXPECT_EQ(view->FindByPrefix("l", 0), view->Item(3));
  EXPECT_EQ(finds, (std::vector<QString>{"l@0"}));
  EXPECT_EQ(view->FindByPrefix("x", 0), nullptr);
  EXPECT_EQ(view->SelectedIndex(), 3);

  std::vector<std::tuple<int, int, unsigned, unsigned>> changes;
  view->OnVMStateChanged = [&](QObject*, TLVVMStateInfo& s) {
    changes.emplace_back(s.From, s.To, s.NewState, s.OldState);
  };
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->clearSelection();
  changes.clear();
  view->selectionModel()->select(QItemSelection(view->model()->index(0, 0), view->model()->index(2, 0)),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  EXPECT_EQ(changes, (std::vector<std::tuple<int, int, unsigned, unsigned>>{{0, 2, lvisSelected, 0u}}));

  // a caption edit is handed to the owner, and the item shows what the owner then answers
  std::vector<std::pair<QString, bool>> edits;
  view->OnVMCaptionEdited = [&](QObject*, int item, bool canceled, const QString& text) {
    edits.emplace_back(text, canceled);
    if (!canceled) source[item] = text.toUpper();
  };
  QTreeWidgetItem* item = view->Item(1);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  view->show();
  view->setCurrentItem(item);
  view->editItem(item, 0);
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Jalousie");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the delegate commits through a queued call
  EXPECT_EQ(edits, (std::vector<std::pair<QString, bool>>{{"Jalousie", false}}));
  EXPECT_EQ(view->Item(1)->text(0), "JALOUSIE");
  view->editItem(item, 0);
  QApplication::processEvents();  // the closed editor goes away
  editor = view->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("weg");
  QTest::keyClick(editor, Qt::Key_Escape);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_TRUE(edits[1].second);
  EXPECT_EQ(view->Item(1)->text(0), "JALOUSIE");
}

TEST_F(ListView, OwnerDrawnRowsGoThroughTheDrawEvents) {
  view->SetExtendedStyles(Lvx(lvxFullRowSelect));
  view->resize(300, 200);
  view->SetStyle(lvOwnerDrawFixed);
  std::vector<int> items, after;
  std::vector<std::pair<int, int>> cells;
  bool fullRowAtStart = false;
  view->OnDrawItem = [&](QObject* c, TCanvas& canvas, int index, const TRect& r, TOwnerDrawState, bool& def,
                         bool& full) {
    EXPECT_EQ(c, view.get());
    items.push_back(index);
    fullRowAtStart = full;
    EXPECT_FALSE(def);  // a handler draws unless it asks for the default drawing
    def = index != 1;
    if (index == 1) {  // this row draws itself
      def = false;
      canvas.Brush.Color = 0x0000FF;  // red in the platform's byte order
      canvas.FillRect(r);
    }
  };
  view->OnDrawSubItem = [&](QObject*, TCanvas&, int index, int sub, const TRect&, TOwnerDrawState, bool&) {
    cells.emplace_back(index, sub);
  };
  view->OnAfterDefaultDrawItem = [&](QObject*, TCanvas&, int index, const TRect&, TOwnerDrawState) {
    after.push_back(index);
  };
  const QImage shot = view->viewport()->grab().toImage();
  EXPECT_EQ(items, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(fullRowAtStart);
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {2, 0}, {2, 1}}));
  EXPECT_EQ(after, (std::vector<int>{0, 2}));
  const int rowH = view->visualItemRect(view->Item(1)).height();
  EXPECT_EQ(rowH, view->OwnerDrawRowHeight());
  const QRect row1 = view->visualItemRect(view->Item(1));
  EXPECT_EQ(shot.pixelColor(5, row1.center().y()), QColor(Qt::red));
  EXPECT_NE(shot.pixelColor(5, view->visualItemRect(view->Item(0)).center().y()), QColor(Qt::red));

  // the item's picture is drawn 2 pixels in, and the caption cell starts after it
  QImage green(16, 16, QImage::Format_RGB32);
  green.fill(Qt::green);
  view->Item(0)->setIcon(0, QIcon(QPixmap::fromImage(green)));
  TRect captionCell;
  view->OnDrawSubItem = [&](QObject*, TCanvas&, int index, int sub, const TRect& r, TOwnerDrawState, bool&) {
    if (index == 0 && sub == 0) captionCell = r;
  };
  const QImage withIcon = view->viewport()->grab().toImage();
  const QRect row0 = view->visualItemRect(view->Item(0));
  EXPECT_EQ(withIcon.pixelColor(2, row0.center().y()), QColor(Qt::green));
  EXPECT_NE(withIcon.pixelColor(1, row0.center().y()), QColor(Qt::green));
  EXPECT_EQ(captionCell.Left, 18);

  // a larger font makes taller rows; OnMeasureItem has the last word
  QFont big = view->font();
  big.setPixelSize(40);
  view->setFont(big);
  view->viewport()->grab();
  EXPECT_GE(view->visualItemRect(view->Item(1)).height(), 41);
  view->OnMeasureItem = [](QObject*, int& h) { h = 30; };
  view->SetStyle(lvOwnerDrawFixed);
  view->viewport()->grab();
  EXPECT_EQ(view->visualItemRect(view->Item(1)).height(), 30);
}

TEST_F(ListView, HotTrackSelectsUnlessRefusedAndMarqueeCanBeRefused) {
  view->SetExtendedStyles(Lvx(lvxTrackSelect) | Lvx(lvxFullRowSelect));
  view->resize(300, 200);
  view->show();
  view->SetHoverTime(0);  // select at once
  std::vector<int> hot;
  view->OnHotTrack = [&](QObject*, int& item, int, const QPoint&, bool& allow) {
    hot.push_back(item);
    allow = item != 2;
  };
  const auto centre = [&](int i) { return view->visualItemRect(view->Item(i)).center(); };
  QTest::mouseMove(view->viewport(), centre(1));
  EXPECT_EQ(view->SelectedIndex(), 1);
  QTest::mouseMove(view->viewport(), centre(1) + QPoint(3, 0));  // the same item: no second report
  QTest::mouseMove(view->viewport(), centre(2));
  EXPECT_EQ(view->SelectedIndex(), 1);  // refused by the handler
  EXPECT_EQ(hot, (std::vector<int>{1, 2}));
  view->SetHoverTime(60000);  // the pointer has not rested long enough yet
  QTest::mouseMove(view->viewport(), centre(0));
  EXPECT_EQ(view->SelectedIndex(), 1);

  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  int asked = 0;
  view->OnMarqueeBegin = [&](QObject*, bool& can) {
    ++asked;
    can = false;
  };
  const QPoint empty(10, view->viewport()->height() - 5);
  ASSERT_EQ(view->itemAt(empty), nullptr);
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, empty);
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, empty);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(view->SelectedIndex(), 1);  // a refused marquee leaves the selection
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(0));
  EXPECT_EQ(asked, 1);  // a press on an item is no marquee
}

TEST_F(ListView, HeaderDrawingEventPicturesAndArrows) {
  view->resize(400, 200);
  EXPECT_FALSE(view->HeaderOwnerDraw());
  std::vector<int> drawn;
  view->SetOnDrawHeader([&](QObject*, TCanvas& canvas, int index, TRect& r, bool, bool& def) {
    drawn.push_back(index);
    if (index == 1) {
      def = false;
      canvas.Brush.Color = 0x00FF00;
      canvas.FillRect(r);
    }
  });
  EXPECT_TRUE(view->HeaderOwnerDraw());
  QImage shot = view->header()->grab().toImage();
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 0), drawn.end());
  const int s1 = view->header()->sectionViewportPosition(1);
  EXPECT_EQ(shot.pixelColor(s1 + 10, shot.height() / 2), QColor(0, 255, 0));
  EXPECT_EQ(Span(shot, QColor(0, 255, 0)).first, s1);

  // arrows keep the header drawn by the view even without a handler
  view->SetOnDrawHeader(nullptr);
  EXPECT_FALSE(view->HeaderOwnerDraw());
  view->SetShowSortArrows(true);
  EXPECT_TRUE(view->HeaderOwnerDraw());
  EXPECT_FALSE(view->ArrowUp().isNull());
  EXPECT_EQ(view->ArrowUp().size(), view->ArrowDown().size());
  view->SetShowSortArrows(false);
  EXPECT_FALSE(view->HeaderOwnerDraw());
  EXPECT_TRUE(view->ArrowUp().isNull());

  // a column picture sits left or right of the caption as its format says
  const QColor blue(0, 0, 255);
  view->SetSmallImages({Solid(10, 10, blue)});
  view->SetColumnsFormat({TzsExtListColumn{0, ciaLeftOfText, true}});
  const auto left = Span(view->header()->grab().toImage(), blue);
  view->SetColumnsFormat({TzsExtListColumn{0, ciaRightOfText, true}});
  const auto right = Span(view->header()->grab().toImage(), blue);
  ASSERT_GE(left.first, 0);
  ASSERT_GE(right.first, 0);
  EXPECT_EQ(left.second - left.first, 9);
  EXPECT_LT(left.first, right.first);
  EXPECT_LT(right.second, view->header()->sectionSize(0));             // inside column 0
  view->SetColumnsFormat({TzsExtListColumn{3, ciaLeftOfText, true}});  // no such picture
  EXPECT_EQ(Span(view->header()->grab().toImage(), blue).first, -1);
}

}  // namespace
}  // namespace zyn
