#include "TestSupport.h"
#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLBuffer.h"
#include "widgets/controls/ZCLCustomEdit.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <gtest/gtest.h>

#include <cstring>

namespace zyn {
namespace {

using namespace zyn::test;

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ZCLApplication().SetInsertMode(true);
    fWindow = std::make_unique<QWidget>();
    fWindow->resize(400, 100);
    fEdit = new TZCLEdit(fWindow.get());
    fEdit->setGeometry(10, 10, 246, 21);
    fOther = new QLineEdit(fWindow.get());
    fOther->setGeometry(10, 50, 100, 21);
    fEdit->OnChange = [this](QObject*) { ++fChanges; };
  }
  std::unique_ptr<QWidget> fWindow;
  TZCLEdit* fEdit = nullptr;
  QLineEdit* fOther = nullptr;
  int fChanges = 0;
};

TEST_F(EditTest, TextSetterFiresOnceAndNotForAnEqualText) {
  fEdit->SetText(QStringLiteral("C:\\Daten"));
  EXPECT_EQ(fChanges, 1);
  EXPECT_EQ(fEdit->CaretPos(), 1);
  EXPECT_EQ(fEdit->SelLength(), 0);
  fEdit->SetText(QStringLiteral("C:\\Daten"));
  EXPECT_EQ(fChanges, 1);
  fEdit->SetMaxLength(4);
  fEdit->SetText(QStringLiteral("abcdefgh"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("abcd"));  // cut, never refused
}

TEST_F(EditTest, TypingAtMaxLengthLeavesTextSelectionAndUndo) {
  fEdit->SetMaxLength(5);
  fEdit->SetText(QStringLiteral("abcde"));
  fEdit->SetSelStart(2);
  fEdit->SetSelLength(1);
  Type(fEdit, QStringLiteral("XY"));  // X replaces b; Y does not fit
  EXPECT_EQ(fEdit->Text(), QStringLiteral("aXcde"));
  fEdit->SetSelStart(2);
  fEdit->SetSelLength(2);
  QApplication::clipboard()->setText(QStringLiteral("123"));
  fEdit->PasteFromClipboard();  // 3 for 2 would make 6 characters
  EXPECT_EQ(fEdit->Text(), QStringLiteral("aXcde"));
  EXPECT_EQ(fEdit->SelStart(), 2);
  EXPECT_EQ(fEdit->SelLength(), 2);
  fEdit->Undo();
  EXPECT_EQ(fEdit->Text(), QStringLiteral("abcde"));
}

TEST_F(EditTest, UndoWalksBackOneCharacterAtATime) {
  Type(fEdit, QStringLiteral("abc"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("abc"));
  fEdit->Undo();
  EXPECT_EQ(fEdit->Text(), QStringLiteral("ab"));
  fEdit->Undo();
  fEdit->Undo();
  EXPECT_EQ(fEdit->Text(), QString());
  EXPECT_FALSE(fEdit->CanUndo());
  fEdit->Undo();  // an empty stack does nothing
  EXPECT_EQ(fEdit->Text(), QString());
}

TEST_F(EditTest, OverwriteModeReplacesTheCharacterRightOfTheCaret) {
  fEdit->SetText(QStringLiteral("abc"));
  fEdit->SetCaretPos(2);
  Key(fEdit, Qt::Key_Insert);
  EXPECT_FALSE(ZCLApplication().InsertMode());
  Type(fEdit, QStringLiteral("X"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("aXc"));
  Key(fEdit, Qt::Key_Insert);
  EXPECT_TRUE(ZCLApplication().InsertMode());
}

TEST_F(EditTest, KeyCommandsMoveSelectAndDelete) {
  fEdit->SetText(QStringLiteral("zwei Worte"));
  Key(fEdit, Qt::Key_End);
  EXPECT_EQ(fEdit->CaretPos(), 11);
  Key(fEdit, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(fEdit->CaretPos(), 6);
  Key(fEdit, Qt::Key_Right, Qt::ShiftModifier);
  Key(fEdit, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(fEdit->SelStart(), 6);
  EXPECT_EQ(fEdit->SelLength(), 2);
  Key(fEdit, Qt::Key_Delete);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("zwei rte"));
  Key(fEdit, Qt::Key_Home);
  Key(fEdit, Qt::Key_Backspace);  // at position 1 nothing happens
  EXPECT_EQ(fEdit->Text(), QStringLiteral("zwei rte"));
  Key(fEdit, Qt::Key_Down);  // Down acts as Right in a plain edit
  EXPECT_EQ(fEdit->CaretPos(), 2);
  Key(fEdit, Qt::Key_Up);
  EXPECT_EQ(fEdit->CaretPos(), 1);
  Key(fEdit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(fEdit->SelLength(), 8);
}

TEST_F(EditTest, DoubleClickSelectsTheWordWithoutTheSpace) {
  ShowActive(*fWindow);
  fEdit->SetText(QStringLiteral("zwei Worte"));
  const int x = fEdit->TextRect().Left + QFontMetrics(fEdit->font()).horizontalAdvance(QStringLiteral("zwei Wo"));
  const QPoint at(x, 10);
  Mouse(fEdit, QEvent::MouseButtonPress, at);
  Mouse(fEdit, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  Mouse(fEdit, QEvent::MouseButtonDblClick, at);
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("Worte"));
}

TEST_F(EditTest, DragMoveOfTheFirstWordToTheEnd) {
  ShowActive(*fWindow);
  fEdit->SetText(QStringLiteral("eins zwei"));
  fEdit->SetSelStart(1);
  fEdit->SetSelLength(4);
  const QFontMetrics fm(fEdit->font());
  const int left = fEdit->TextRect().Left;
  const QPoint inside(left + fm.horizontalAdvance(QStringLiteral("ei")), 10);
  const QPoint end(left + fm.horizontalAdvance(QStringLiteral("eins zwei")) + 5, 10);
  Mouse(fEdit, QEvent::MouseButtonPress, inside);
  Mouse(fEdit, QEvent::MouseMove, end, Qt::NoButton);
  Mouse(fEdit, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fEdit->Text(), QStringLiteral(" zweieins"));
  // Dropping inside the selection only clears it.
  fEdit->SetSelStart(1);
  fEdit->SetSelLength(5);
  const QPoint within(left + fm.horizontalAdvance(QStringLiteral(" zw")), 10);
  Mouse(fEdit, QEvent::MouseButtonPress, within);
  Mouse(fEdit, QEvent::MouseButtonRelease, within, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(fEdit->Text(), QStringLiteral(" zweieins"));
  EXPECT_EQ(fEdit->SelLength(), 0);
}

TEST_F(EditTest, AutoSelectOnKeyboardFocusButNotOnMouseFocus) {
  ShowActive(*fWindow);
  fEdit->SetText(QStringLiteral("Pfad"));
  fEdit->SetAutoSelect(true);
  Focus(fOther);
  Focus(fEdit, Qt::TabFocusReason);
  EXPECT_EQ(fEdit->SelLength(), 4);
  EXPECT_EQ(fEdit->CaretPos(), 5);  // select all moves the caret to the end first
  Focus(fOther);
  Mouse(fEdit, QEvent::MouseButtonPress, QPoint(5, 10));
  Mouse(fEdit, QEvent::MouseButtonRelease, QPoint(5, 10), Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(fEdit->hasFocus());
  EXPECT_EQ(fEdit->SelLength(), 0);
  Focus(fOther);
  fEdit->SetAutoSelect(false);
  Focus(fEdit, Qt::TabFocusReason);
  EXPECT_EQ(fEdit->SelLength(), 0);
}

TEST_F(EditTest, PasswordCharHidesTextAndDisablesTheClipboard) {
  fEdit->SetText(QStringLiteral("geheim"));
  fEdit->SetPasswordChar(QLatin1Char('*'));
  EXPECT_EQ(fEdit->DisplayText(), QStringLiteral("******"));
  QApplication::clipboard()->setText(QStringLiteral("vorher"));
  fEdit->SelectAll();
  fEdit->CopyToClipboard();
  fEdit->CutToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("vorher"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("geheim"));
}

TEST_F(EditTest, TabOnEnterMovesTheFocusExceptWithCtrl) {
  ShowActive(*fWindow);
  fEdit->SetTabOnEnter(true);
  Focus(fEdit);
  Key(fEdit, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(fEdit->hasFocus());
  Key(fEdit, Qt::Key_Return);
  EXPECT_TRUE(fOther->hasFocus());
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretVisible) {
  ShowActive(*fWindow);
  fEdit->resize(60, 21);
  Focus(fEdit);
  Type(fEdit, QStringLiteral("ein sehr langer Ordnername"));
  EXPECT_GT(fEdit->ScrollX(), 0);
  fEdit->SelectAll();
  Key(fEdit, Qt::Key_Backspace);
  EXPECT_EQ(fEdit->ScrollX(), 0);
}

TEST_F(EditTest, AutoSizeHeightFollowsTheFont) {
  QFont f = fEdit->font();
  f.setPixelSize(13);
  fEdit->setFont(f);
  fEdit->SetAutoSize(true);
  EXPECT_EQ(fEdit->height(), QFontMetrics(f).height() * 5 / 4 + 5);
}

TEST_F(EditTest, DefaultMenuHasTheSevenLines) {
  fEdit->SetText(QStringLiteral("abc"));
  std::unique_ptr<QMenu> menu(fEdit->CreateDefaultMenu(nullptr));
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts, (QStringList{"&Undo", "-", "&Cut", "&Copy", "&Paste", "&Delete", "-", "Select all"}));
  EXPECT_FALSE(menu->actions()[2]->isEnabled());  // no selection to cut
  EXPECT_TRUE(menu->actions()[7]->isEnabled());
}

TEST_F(EditTest, PaintsTextSelectionAndBorder) {
  ShowActive(*fWindow);
  fEdit->SetText(QStringLiteral("WWWW"));
  fEdit->SetHideSelection(false);
  fEdit->SelectAll();
  const QImage image = Render(fEdit);
  const TRect t = fEdit->TextRect();
  EXPECT_EQ(FromQColor(image.pixelColor(0, 10)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromQColor(image.pixelColor(1, 10)), ColorToRGB(cl3DDkShadow));
  bool highlight = false;
  for (int x = t.Left; x < t.Left + 20; ++x)
    highlight |= FromQColor(image.pixelColor(x, t.Top + 1)) == ColorToRGB(clHighlight);
  EXPECT_TRUE(highlight);
  EXPECT_EQ(FromQColor(image.pixelColor(t.Right - 2, t.Top + 2)), ColorToRGB(clWindow));
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCLSpeedButton.h"

namespace zyn {
namespace {

TEST_F(EditTest, CustomButtonsSitInsideTheRightEdgeAndReportClicks) {
  ShowActive(*fWindow);
  const int before = fEdit->TextArea().Right;
  auto* first = fEdit->AddCustomButton();
  fEdit->AddCustomButton();
  EXPECT_EQ(fEdit->TextArea().Right, before - 2 * 16 - 1);
  EXPECT_EQ(first->Button()->geometry(), QRect(fEdit->TextArea().Right + 1, 2, 16, 17));
  EXPECT_EQ(fEdit->CustomButton(1)->Button()->x(), fEdit->TextArea().Right + 17);
  std::vector<std::string> calls;
  fEdit->CustomButton(1)->OnClick = [&](QObject*, int index) { calls.push_back("item " + std::to_string(index)); };
  fEdit->OnBtnClick = [&](QObject*, TZCLSpeedButton* b, int index) {
    calls.push_back("edit " + std::to_string(index) + (b == fEdit->CustomButton(1)->Button() ? " same" : " other"));
  };
  Click(fEdit->CustomButton(1)->Button(), QPoint(3, 3));
  EXPECT_EQ(calls, (std::vector<std::string>{"item 1", "edit 1 same"}));
  fEdit->DeleteCustomButton(0);
  EXPECT_EQ(fEdit->CustomButton(0)->Index(), 0);
  EXPECT_EQ(fEdit->TextArea().Right, before - 16 - 1);
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCLEditAutoComplete.h"

namespace zyn {
namespace {

TEST_F(EditTest, TextCompletionSelectsTheCompletedRestAndAddsUnknownTexts) {
  ShowActive(*fWindow);
  TZCLStringList list;
  list.Item(list.AddItem())->Items = QStringList{"Projekte", "Programme"};
  TZCLEditAutoComplete ac;
  ac.SetStringList(&list);
  ac.SetMode(amText);
  ac.SetAddUnknownOn(aaControlReturn | aaControlExit);
  fEdit->SetAutoComplete(&ac);
  Focus(fEdit);
  Type(fEdit, QStringLiteral("Proj"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Projekte"));
  EXPECT_EQ(fEdit->CaretPos(), 5);
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("ekte"));
  Key(fEdit, Qt::Key_Backspace);  // takes the completed rest and the typed "j"
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Pro"));
  fEdit->SetText(QStringLiteral("Vorlagen"));
  Key(fEdit, Qt::Key_Return);
  EXPECT_EQ(list.Item(0)->Items.size(), 3);
  QString offered;
  ac.OnAdd = [&](QObject*, QWidget*, QString& text, bool& add, TZCLStringList*&) {
    offered = text;
    add = false;
  };
  fEdit->SetText(QStringLiteral("Daten"));
  Focus(fOther);
  EXPECT_EQ(offered, QStringLiteral("Daten"));
  EXPECT_EQ(list.Item(0)->Items.size(), 3);
}

}  // namespace
}  // namespace zyn

#include <QLabel>

namespace zyn {
namespace {

TEST_F(EditTest, AttachedLabelFollowsTheEdit) {
  ShowActive(*fWindow);
  auto* label = new QLabel(QStringLiteral("Projektpfad"), fWindow.get());
  label->resize(80, 13);
  fEdit->SetSubLabel(label);
  EXPECT_EQ(label->geometry(), QRect(10, 10 - 13 - 3, 80, 13));
  fEdit->SetLabelPosition(2);
  EXPECT_EQ(label->geometry(), QRect(10 - 80 - 3, 10, 80, 13));
  fEdit->SetLabelSizeFollow(true);
  EXPECT_EQ(label->height(), 21);
  fEdit->move(200, 40);
  EXPECT_EQ(label->pos(), QPoint(200 - 80 - 3, 40));
  fEdit->setEnabled(false);
  EXPECT_FALSE(label->isEnabled());
  fEdit->hide();
  EXPECT_TRUE(label->isHidden());
  fEdit->show();
  EXPECT_FALSE(label->isHidden());
}

TEST_F(EditTest, PopupSuggestsSortedEntriesAndTakesUpDownEnterAndEsc) {
  ShowActive(*fWindow);
  TZCLStringList list;
  list.Item(list.AddItem())->Items = QStringList{"Projekte", "Programme", "Daten", "Protokolle"};
  TZCLEditAutoComplete ac;
  ac.SetStringList(&list);
  ac.SetMode(amPopup);
  fEdit->SetAutoComplete(&ac);
  Focus(fEdit);
  Type(fEdit, QStringLiteral("Pr"));
  ASSERT_TRUE(ac.PopupOpen());
  QListWidget* popup = ac.Popup();
  ASSERT_EQ(popup->count(), 3);
  EXPECT_EQ(popup->item(0)->text(), QStringLiteral("Programme"));
  EXPECT_EQ(popup->item(2)->text(), QStringLiteral("Protokolle"));
  EXPECT_EQ(popup->width(), fEdit->width());
  EXPECT_EQ(popup->height(), (popup->fontMetrics().height() + 2) * 3 + 5);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Pr"));  // the popup does not complete the text itself
  Key(fEdit, Qt::Key_Down);
  Key(fEdit, Qt::Key_Down);
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Projekte"));
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("Projekte"));
  Key(fEdit, Qt::Key_Up);
  Key(fEdit, Qt::Key_Up);  // not above the first entry
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Programme"));
  Key(fEdit, Qt::Key_Escape);  // the typed text comes back
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Pr"));
  fEdit->SetSelLength(0);
  fEdit->SetCaretPos(3);
  Type(fEdit, QStringLiteral("o"));
  ASSERT_TRUE(ac.PopupOpen());
  Key(fEdit, Qt::Key_Down);
  Key(fEdit, Qt::Key_Return);
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Programme"));
  // A text that matches nothing leaves the list as it is; an empty text closes it.
  fEdit->SetText(QString());
  Type(fEdit, QStringLiteral("D"));
  ASSERT_TRUE(ac.PopupOpen());
  Type(fEdit, QStringLiteral("x"));
  EXPECT_TRUE(ac.PopupOpen());
  Key(fEdit, Qt::Key_Backspace);
  Key(fEdit, Qt::Key_Backspace);
  EXPECT_FALSE(ac.PopupOpen());
  // Focus loss puts the typed text back and closes the list.
  Type(fEdit, QStringLiteral("Pro"));
  Key(fEdit, Qt::Key_Down);
  Focus(fOther);
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Pro"));
}

TEST_F(EditTest, GetLineNeverWritesPastTheCallersBuffer) {
  fEdit->SetText(QStringLiteral("Grüße"));
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(fEdit->GetLine(buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 3), "Gr\xFC");
  EXPECT_EQ(buffer[3], '#');  // nothing beyond the given size
  EXPECT_EQ(fEdit->GetLine(buffer, 8), 5);
  EXPECT_EQ(std::string(buffer, 5),
            "Gr\xFC\xDF"
            "e");
  EXPECT_EQ(buffer[5], '#');
  EXPECT_EQ(fEdit->GetLine(buffer, 0), 0);
  EXPECT_EQ(fEdit->GetLine(nullptr, 8), 0);
}

TEST_F(EditTest, CaretBlinksWithoutTouchingTheDesktopBlinkTime) {
  const int desktop = QApplication::cursorFlashTime();
  fEdit->Caret().SetBlinkRate(530);
  fWindow->show();
  fEdit->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::cursorFlashTime(), desktop);
  fOther->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::cursorFlashTime(), desktop);
  EXPECT_EQ(fEdit->Caret().BlinkRate(), 530);
}

TEST_F(EditTest, UndoRecordsRoundTripThroughTheBufferStream) {
  Type(fEdit, QStringLiteral("aä"));
  ASSERT_EQ(fEdit->UndoCount(), 2);
  const TZCLBufferBytes stream = fEdit->SaveUndoToStream();
  // Length 23, the signature with its zero, then the items oldest first.
  ASSERT_GE(stream.size(), 27u);
  EXPECT_EQ(stream[0], 23);
  EXPECT_EQ(stream[1] | stream[2] | stream[3], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.data() + 4), 23),
            std::string("@ZCLBufferStream-V0.1@", 23));
  const auto items = ReadBufferStream(stream);
  ASSERT_TRUE(items.has_value());
  ASSERT_EQ(items->size(), 2u);
  EXPECT_EQ((*items)[0][4], 'a');   // the first typed character comes first
  EXPECT_EQ((*items)[1][4], 0xE4);  // ä in Windows-1252
  fEdit->EmptyUndoBuffer();
  EXPECT_FALSE(fEdit->CanUndo());
  TZCLBufferBytes broken = stream;
  broken[10] = 'X';
  EXPECT_FALSE(fEdit->LoadUndoFromStream(broken));
  EXPECT_EQ(fEdit->UndoCount(), 0);
}

TEST(ZCLBuffer, LimitsCircleModeAndTruncatedStreams) {
  TZCLDynLIFOBuffer<int> buffer;
  std::vector<int> freed;
  buffer.OnFreeItem = [&](int& v) { freed.push_back(v); };
  buffer.SetMaxEntries(2);
  buffer.SetCircleMode(false);
  EXPECT_TRUE(buffer.Push(1));
  EXPECT_TRUE(buffer.Push(2));
  EXPECT_FALSE(buffer.Push(3));  // full without circle mode
  buffer.SetCircleMode(true);
  EXPECT_TRUE(buffer.Push(3));  // drops the oldest
  EXPECT_EQ(freed, std::vector<int>{1});
  EXPECT_EQ(*buffer.Pop(), 3);
  EXPECT_EQ(*buffer.Pop(), 2);
  EXPECT_FALSE(buffer.Pop().has_value());
  buffer.SetMaxEntries(1);
  buffer.Push(7);
  buffer.Push(8);  // a buffer of one entry is cleared first
  EXPECT_EQ(buffer.Count(), 1);
  EXPECT_EQ(freed, (std::vector<int>{1, 7}));

  TZCLBufferBytes stream = WriteBufferStream({{1, 2, 3}, {}, {9}});
  EXPECT_EQ(stream.size(), 4u + 23u + 4u + 3u + 4u + 4u + 1u);
  auto items = ReadBufferStream(stream);
  ASSERT_TRUE(items.has_value());
  EXPECT_EQ(items->size(), 3u);
  stream.pop_back();  // the last item is cut: the items before it stay
  items = ReadBufferStream(stream);
  ASSERT_TRUE(items.has_value());
  EXPECT_EQ(items->size(), 2u);
  EXPECT_FALSE(ReadBufferStream(TZCLBufferBytes{1, 2}).has_value());
}

TEST_F(EditTest, EditControlMessagesAnswerAsTheEngine) {
  fEdit->SetText(QStringLiteral("Projekt"));
  EXPECT_EQ(fEdit->EditMessage(WM_GETTEXTLENGTH, 0, 0), 7);
  EXPECT_EQ(fEdit->EditMessage(EM_GETLINECOUNT, 0, 0), 1);
  fEdit->EditMessage(EM_SETSEL, 2, 5);
  std::uint32_t start = 99, end = 99;
  const auto packed =
      fEdit->EditMessage(EM_GETSEL, reinterpret_cast<std::uintptr_t>(&start), reinterpret_cast<std::intptr_t>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(packed, (5 << 16) | 2);
  EXPECT_EQ(fEdit->SelText(), QStringLiteral("oje"));
  fEdit->EditMessage(EM_REPLACESEL, 1, reinterpret_cast<std::intptr_t>("\xE4"));
  EXPECT_EQ(fEdit->Text(), QStringLiteral("Präkt"));
  EXPECT_EQ(fEdit->EditMessage(EM_CANUNDO, 0, 0), 1);
  fEdit->EditMessage(EM_SETSEL, 0, -1);
  EXPECT_EQ(fEdit->SelLength(), 5);
  fEdit->EditMessage(EM_SETSEL, static_cast<std::uintptr_t>(-1), 0);
  EXPECT_EQ(fEdit->SelLength(), 0);
  // The line copy stops at the size word of the caller's buffer.
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  const std::uint16_t size = 3;
  std::memcpy(buffer, &size, sizeof(size));
  EXPECT_EQ(fEdit->EditMessage(EM_GETLINE, 0, reinterpret_cast<std::intptr_t>(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 3), "Pr\xE4");
  EXPECT_EQ(buffer[3], '#');
  fEdit->EditMessage(EM_LIMITTEXT, 4, 0);
  EXPECT_EQ(fEdit->EditMessage(EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_EQ(fEdit->EditMessage(EM_SETREADONLY, 1, 0), 1);
  EXPECT_TRUE(fEdit->ReadOnly());
  fEdit->EditMessage(EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(fEdit->EditMessage(EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(fEdit->EditMessage(EM_POSFROMCHAR, 0, 0), fEdit->TextRect().Left);
}

}  // namespace
}  // namespace zyn
