#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLBuffer.h"
#include "widgets/controls/ZCLCustomEdit.h"

#include "TestSupport.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <cstring>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ZCLApplication().SetInsertMode(true);
    window_ = std::make_unique<QWidget>();
    window_->resize(400, 100);
    edit_ = new TZCLEdit(window_.get());
    edit_->setGeometry(10, 10, 246, 21);
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(10, 50, 100, 21);
    edit_->OnChange = [this](QObject*) { ++changes_; };
  }
  std::unique_ptr<QWidget> window_;
  TZCLEdit* edit_ = nullptr;
  QLineEdit* other_ = nullptr;
  int changes_ = 0;
};

TEST_F(EditTest, TextSetterFiresOnceAndNotForAnEqualText) {
  edit_->SetText(QStringLiteral("C:\\Daten"));
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(edit_->CaretPos(), 1);
  EXPECT_EQ(edit_->SelLength(), 0);
  edit_->SetText(QStringLiteral("C:\\Daten"));
  EXPECT_EQ(changes_, 1);
  edit_->SetMaxLength(4);
  edit_->SetText(QStringLiteral("abcdefgh"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("abcd"));  // cut, never refused
}

TEST_F(EditTest, TypingAtMaxLengthLeavesTextSelectionAndUndo) {
  edit_->SetMaxLength(5);
  edit_->SetText(QStringLiteral("abcde"));
  edit_->SetSelStart(2);
  edit_->SetSelLength(1);
  Type(edit_, QStringLiteral("XY"));  // X replaces b; Y does not fit
  EXPECT_EQ(edit_->Text(), QStringLiteral("aXcde"));
  edit_->SetSelStart(2);
  edit_->SetSelLength(2);
  QApplication::clipboard()->setText(QStringLiteral("123"));
  edit_->PasteFromClipboard();  // 3 for 2 would make 6 characters
  EXPECT_EQ(edit_->Text(), QStringLiteral("aXcde"));
  EXPECT_EQ(edit_->SelStart(), 2);
  EXPECT_EQ(edit_->SelLength(), 2);
  edit_->Undo();
  EXPECT_EQ(edit_->Text(), QStringLiteral("abcde"));
}

TEST_F(EditTest, UndoWalksBackOneCharacterAtATime) {
  Type(edit_, QStringLiteral("abc"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("abc"));
  edit_->Undo();
  EXPECT_EQ(edit_->Text(), QStringLiteral("ab"));
  edit_->Undo();
  edit_->Undo();
  EXPECT_EQ(edit_->Text(), QString());
  EXPECT_FALSE(edit_->CanUndo());
  edit_->Undo();  // an empty stack does nothing
  EXPECT_EQ(edit_->Text(), QString());
}

TEST_F(EditTest, OverwriteModeReplacesTheCharacterRightOfTheCaret) {
  edit_->SetText(QStringLiteral("abc"));
  edit_->SetCaretPos(2);
  Key(edit_, Qt::Key_Insert);
  EXPECT_FALSE(ZCLApplication().InsertMode());
  Type(edit_, QStringLiteral("X"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("aXc"));
  Key(edit_, Qt::Key_Insert);
  EXPECT_TRUE(ZCLApplication().InsertMode());
}

TEST_F(EditTest, KeyCommandsMoveSelectAndDelete) {
  edit_->SetText(QStringLiteral("zwei Worte"));
  Key(edit_, Qt::Key_End);
  EXPECT_EQ(edit_->CaretPos(), 11);
  Key(edit_, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(edit_->CaretPos(), 6);
  Key(edit_, Qt::Key_Right, Qt::ShiftModifier);
  Key(edit_, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(edit_->SelStart(), 6);
  EXPECT_EQ(edit_->SelLength(), 2);
  Key(edit_, Qt::Key_Delete);
  EXPECT_EQ(edit_->Text(), QStringLiteral("zwei rte"));
  Key(edit_, Qt::Key_Home);
  Key(edit_, Qt::Key_Backspace);  // at position 1 nothing happens
  EXPECT_EQ(edit_->Text(), QStringLiteral("zwei rte"));
  Key(edit_, Qt::Key_Down);  // Down acts as Right in a plain edit
  EXPECT_EQ(edit_->CaretPos(), 2);
  Key(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->CaretPos(), 1);
  Key(edit_, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(edit_->SelLength(), 8);
}

TEST_F(EditTest, DoubleClickSelectsTheWordWithoutTheSpace) {
  ShowActive(*window_);
  edit_->SetText(QStringLiteral("zwei Worte"));
  const int x = edit_->TextRect().Left + QFontMetrics(edit_->font()).horizontalAdvance(QStringLiteral("zwei Wo"));
  const QPoint at(x, 10);
  Mouse(edit_, QEvent::MouseButtonPress, at);
  Mouse(edit_, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  Mouse(edit_, QEvent::MouseButtonDblClick, at);
  EXPECT_EQ(edit_->SelText(), QStringLiteral("Worte"));
}

TEST_F(EditTest, DragMoveOfTheFirstWordToTheEnd) {
  ShowActive(*window_);
  edit_->SetText(QStringLiteral("eins zwei"));
  edit_->SetSelStart(1);
  edit_->SetSelLength(4);
  const QFontMetrics fm(edit_->font());
  const int left = edit_->TextRect().Left;
  const QPoint inside(left + fm.horizontalAdvance(QStringLiteral("ei")), 10);
  const QPoint end(left + fm.horizontalAdvance(QStringLiteral("eins zwei")) + 5, 10);
  Mouse(edit_, QEvent::MouseButtonPress, inside);
  Mouse(edit_, QEvent::MouseMove, end, Qt::NoButton);
  Mouse(edit_, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(edit_->Text(), QStringLiteral(" zweieins"));
  // Dropping inside the selection only clears it.
  edit_->SetSelStart(1);
  edit_->SetSelLength(5);
  const QPoint within(left + fm.horizontalAdvance(QStringLiteral(" zw")), 10);
  Mouse(edit_, QEvent::MouseButtonPress, within);
  Mouse(edit_, QEvent::MouseButtonRelease, within, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(edit_->Text(), QStringLiteral(" zweieins"));
  EXPECT_EQ(edit_->SelLength(), 0);
}

TEST_F(EditTest, AutoSelectOnKeyboardFocusButNotOnMouseFocus) {
  ShowActive(*window_);
  edit_->SetText(QStringLiteral("Pfad"));
  edit_->SetAutoSelect(true);
  Focus(other_);
  Focus(edit_, Qt::TabFocusReason);
  EXPECT_EQ(edit_->SelLength(), 4);
  EXPECT_EQ(edit_->CaretPos(), 5);  // select all moves the caret to the end first
  Focus(other_);
  Mouse(edit_, QEvent::MouseButtonPress, QPoint(5, 10));
  Mouse(edit_, QEvent::MouseButtonRelease, QPoint(5, 10), Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(edit_->hasFocus());
  EXPECT_EQ(edit_->SelLength(), 0);
  Focus(other_);
  edit_->SetAutoSelect(false);
  Focus(edit_, Qt::TabFocusReason);
  EXPECT_EQ(edit_->SelLength(), 0);
}

TEST_F(EditTest, PasswordCharHidesTextAndDisablesTheClipboard) {
  edit_->SetText(QStringLiteral("geheim"));
  edit_->SetPasswordChar(QLatin1Char('*'));
  EXPECT_EQ(edit_->DisplayText(), QStringLiteral("******"));
  QApplication::clipboard()->setText(QStringLiteral("vorher"));
  edit_->SelectAll();
  edit_->CopyToClipboard();
  edit_->CutToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("vorher"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("geheim"));
}

TEST_F(EditTest, TabOnEnterMovesTheFocusExceptWithCtrl) {
  ShowActive(*window_);
  edit_->SetTabOnEnter(true);
  Focus(edit_);
  Key(edit_, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(edit_->hasFocus());
  Key(edit_, Qt::Key_Return);
  EXPECT_TRUE(other_->hasFocus());
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretVisible) {
  ShowActive(*window_);
  edit_->resize(60, 21);
  Focus(edit_);
  Type(edit_, QStringLiteral("ein sehr langer Ordnername"));
  EXPECT_GT(edit_->ScrollX(), 0);
  edit_->SelectAll();
  Key(edit_, Qt::Key_Backspace);
  EXPECT_EQ(edit_->ScrollX(), 0);
}

TEST_F(EditTest, AutoSizeHeightFollowsTheFont) {
  QFont f = edit_->font();
  f.setPixelSize(13);
  edit_->setFont(f);
  edit_->SetAutoSize(true);
  EXPECT_EQ(edit_->height(), QFontMetrics(f).height() * 5 / 4 + 5);
}

TEST_F(EditTest, DefaultMenuHasTheSevenLines) {
  edit_->SetText(QStringLiteral("abc"));
  std::unique_ptr<QMenu> menu(edit_->CreateDefaultMenu(nullptr));
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts, (QStringList{"&Undo", "-", "&Cut", "&Copy", "&Paste", "&Delete", "-", "Select all"}));
  EXPECT_FALSE(menu->actions()[2]->isEnabled());  // no selection to cut
  EXPECT_TRUE(menu->actions()[7]->isEnabled());
}

TEST_F(EditTest, PaintsTextSelectionAndBorder) {
  ShowActive(*window_);
  edit_->SetText(QStringLiteral("WWWW"));
  edit_->SetHideSelection(false);
  edit_->SelectAll();
  const QImage image = Render(edit_);
  const TRect t = edit_->TextRect();
  EXPECT_EQ(FromQColor(image.pixelColor(0, 10)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromQColor(image.pixelColor(1, 10)), ColorToRGB(cl3DDkShadow));
  bool highlight = false;
  for (int x = t.Left; x < t.Left + 20; ++x) highlight |= FromQColor(image.pixelColor(x, t.Top + 1)) == ColorToRGB(clHighlight);
  EXPECT_TRUE(highlight);
  EXPECT_EQ(FromQColor(image.pixelColor(t.Right - 2, t.Top + 2)), ColorToRGB(clWindow));
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCLSpeedButton.h"

namespace zyn {
namespace {

TEST_F(EditTest, CustomButtonsSitInsideTheRightEdgeAndReportClicks) {
  ShowActive(*window_);
  const int before = edit_->TextArea().Right;
  auto* first = edit_->AddCustomButton();
  edit_->AddCustomButton();
  EXPECT_EQ(edit_->TextArea().Right, before - 2 * 16 - 1);
  EXPECT_EQ(first->Button()->geometry(), QRect(edit_->TextArea().Right + 1, 2, 16, 17));
  EXPECT_EQ(edit_->CustomButton(1)->Button()->x(), edit_->TextArea().Right + 17);
  std::vector<std::string> calls;
  edit_->CustomButton(1)->OnClick = [&](QObject*, int index) { calls.push_back("item " + std::to_string(index)); };
  edit_->OnBtnClick = [&](QObject*, TZCLSpeedButton* b, int index) {
    calls.push_back("edit " + std::to_string(index) + (b == edit_->CustomButton(1)->Button() ? " same" : " other"));
  };
  Click(edit_->CustomButton(1)->Button(), QPoint(3, 3));
  EXPECT_EQ(calls, (std::vector<std::string>{"item 1", "edit 1 same"}));
  edit_->DeleteCustomButton(0);
  EXPECT_EQ(edit_->CustomButton(0)->Index(), 0);
  EXPECT_EQ(edit_->TextArea().Right, before - 16 - 1);
}

}  // namespace
}  // namespace zyn

#include "widgets/controls/ZCLEditAutoComplete.h"

namespace zyn {
namespace {

TEST_F(EditTest, TextCompletionSelectsTheCompletedRestAndAddsUnknownTexts) {
  ShowActive(*window_);
  TZCLStringList list;
  list.Item(list.AddItem())->Items = QStringList{"Projekte", "Programme"};
  TZCLEditAutoComplete ac;
  ac.SetStringList(&list);
  ac.SetMode(amText);
  ac.SetAddUnknownOn(aaControlReturn | aaControlExit);
  edit_->SetAutoComplete(&ac);
  Focus(edit_);
  Type(edit_, QStringLiteral("Proj"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("Projekte"));
  EXPECT_EQ(edit_->CaretPos(), 5);
  EXPECT_EQ(edit_->SelText(), QStringLiteral("ekte"));
  Key(edit_, Qt::Key_Backspace);  // takes the completed rest and the typed "j"
  EXPECT_EQ(edit_->Text(), QStringLiteral("Pro"));
  edit_->SetText(QStringLiteral("Vorlagen"));
  Key(edit_, Qt::Key_Return);
  EXPECT_EQ(list.Item(0)->Items.size(), 3);
  QString offered;
  ac.OnAdd = [&](QObject*, QWidget*, QString& text, bool& add, TZCLStringList*&) {
    offered = text;
    add = false;
  };
  edit_->SetText(QStringLiteral("Daten"));
  Focus(other_);
  EXPECT_EQ(offered, QStringLiteral("Daten"));
  EXPECT_EQ(list.Item(0)->Items.size(), 3);
}

}  // namespace
}  // namespace zyn

#include <QLabel>

namespace zyn {
namespace {

TEST_F(EditTest, AttachedLabelFollowsTheEdit) {
  ShowActive(*window_);
  auto* label = new QLabel(QStringLiteral("Projektpfad"), window_.get());
  label->resize(80, 13);
  edit_->SetSubLabel(label);
  EXPECT_EQ(label->geometry(), QRect(10, 10 - 13 - 3, 80, 13));
  edit_->SetLabelPosition(2);
  EXPECT_EQ(label->geometry(), QRect(10 - 80 - 3, 10, 80, 13));
  edit_->SetLabelSizeFollow(true);
  EXPECT_EQ(label->height(), 21);
  edit_->move(200, 40);
  EXPECT_EQ(label->pos(), QPoint(200 - 80 - 3, 40));
  edit_->setEnabled(false);
  EXPECT_FALSE(label->isEnabled());
  edit_->hide();
  EXPECT_TRUE(label->isHidden());
  edit_->show();
  EXPECT_FALSE(label->isHidden());
}

TEST_F(EditTest, PopupSuggestsSortedEntriesAndTakesUpDownEnterAndEsc) {
  ShowActive(*window_);
  TZCLStringList list;
  list.Item(list.AddItem())->Items = QStringList{"Projekte", "Programme", "Daten", "Protokolle"};
  TZCLEditAutoComplete ac;
  ac.SetStringList(&list);
  ac.SetMode(amPopup);
  edit_->SetAutoComplete(&ac);
  Focus(edit_);
  Type(edit_, QStringLiteral("Pr"));
  ASSERT_TRUE(ac.PopupOpen());
  QListWidget* popup = ac.Popup();
  ASSERT_EQ(popup->count(), 3);
  EXPECT_EQ(popup->item(0)->text(), QStringLiteral("Programme"));
  EXPECT_EQ(popup->item(2)->text(), QStringLiteral("Protokolle"));
  EXPECT_EQ(popup->width(), edit_->width());
  EXPECT_EQ(popup->height(), (popup->fontMetrics().height() + 2) * 3 + 5);
  EXPECT_EQ(edit_->Text(), QStringLiteral("Pr"));  // the popup does not complete the text itself
  Key(edit_, Qt::Key_Down);
  Key(edit_, Qt::Key_Down);
  EXPECT_EQ(edit_->Text(), QStringLiteral("Projekte"));
  EXPECT_EQ(edit_->SelText(), QStringLiteral("Projekte"));
  Key(edit_, Qt::Key_Up);
  Key(edit_, Qt::Key_Up);  // not above the first entry
  EXPECT_EQ(edit_->Text(), QStringLiteral("Programme"));
  Key(edit_, Qt::Key_Escape);  // the typed text comes back
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(edit_->Text(), QStringLiteral("Pr"));
  edit_->SetSelLength(0);
  edit_->SetCaretPos(3);
  Type(edit_, QStringLiteral("o"));
  ASSERT_TRUE(ac.PopupOpen());
  Key(edit_, Qt::Key_Down);
  Key(edit_, Qt::Key_Return);
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(edit_->Text(), QStringLiteral("Programme"));
  // A text that matches nothing leaves the list as it is; an empty text closes it.
  edit_->SetText(QString());
  Type(edit_, QStringLiteral("D"));
  ASSERT_TRUE(ac.PopupOpen());
  Type(edit_, QStringLiteral("x"));
  EXPECT_TRUE(ac.PopupOpen());
  Key(edit_, Qt::Key_Backspace);
  Key(edit_, Qt::Key_Backspace);
  EXPECT_FALSE(ac.PopupOpen());
  // Focus loss puts the typed text back and closes the list.
  Type(edit_, QStringLiteral("Pro"));
  Key(edit_, Qt::Key_Down);
  Focus(other_);
  EXPECT_FALSE(ac.PopupOpen());
  EXPECT_EQ(edit_->Text(), QStringLiteral("Pro"));
}

TEST_F(EditTest, GetLineNeverWritesPastTheCallersBuffer) {
  edit_->SetText(QStringLiteral("Grüße"));
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(edit_->GetLine(buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 3), "Gr\xFC");
  EXPECT_EQ(buffer[3], '#');  // nothing beyond the given size
  EXPECT_EQ(edit_->GetLine(buffer, 8), 5);
  EXPECT_EQ(std::string(buffer, 5), "Gr\xFC\xDF" "e");
  EXPECT_EQ(buffer[5], '#');
  EXPECT_EQ(edit_->GetLine(buffer, 0), 0);
  EXPECT_EQ(edit_->GetLine(nullptr, 8), 0);
}

TEST_F(EditTest, CaretBlinksWithoutTouchingTheDesktopBlinkTime) {
  const int desktop = QApplication::cursorFlashTime();
  edit_->Caret().SetBlinkRate(530);
  window_->show();
  edit_->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::cursorFlashTime(), desktop);
  other_->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::cursorFlashTime(), desktop);
  EXPECT_EQ(edit_->Caret().BlinkRate(), 530);
}

TEST_F(EditTest, UndoRecordsRoundTripThroughTheBufferStream) {
  Type(edit_, QStringLiteral("aä"));
  ASSERT_EQ(edit_->UndoCount(), 2);
  const TZCLBufferBytes stream = edit_->SaveUndoToStream();
  // Length 23, the signature with its zero, then the items oldest first.
  ASSERT_GE(stream.size(), 27u);
  EXPECT_EQ(stream[0], 23);
  EXPECT_EQ(stream[1] | stream[2] | stream[3], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.data() + 4), 23),
            std::string("@ZCLBufferStream-V0.1@", 23));
  const auto items = ReadBufferStream(stream);
  ASSERT_TRUE(items.has_value());
  ASSERT_EQ(items->size(), 2u);
  EXPECT_EQ((*items)[0][4], 'a');     // the first typed character comes first
  EXPECT_EQ((*items)[1][4], 0xE4);    // ä in Windows-1252
  edit_->EmptyUndoBuffer();
  EXPECT_FALSE(edit_->CanUndo());
  TZCLBufferBytes broken = stream;
  broken[10] = 'X';
  EXPECT_FALSE(edit_->LoadUndoFromStream(broken));
  EXPECT_EQ(edit_->UndoCount(), 0);
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
  EXPECT_TRUE(buffer.Push(3));   // drops the oldest
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
  edit_->SetText(QStringLiteral("Projekt"));
  EXPECT_EQ(edit_->EditMessage(WM_GETTEXTLENGTH, 0, 0), 7);
  EXPECT_EQ(edit_->EditMessage(EM_GETLINECOUNT, 0, 0), 1);
  edit_->EditMessage(EM_SETSEL, 2, 5);
  std::uint32_t start = 99, end = 99;
  const auto packed = edit_->EditMessage(EM_GETSEL, reinterpret_cast<std::uintptr_t>(&start),
                                         reinterpret_cast<std::intptr_t>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(packed, (5 << 16) | 2);
  EXPECT_EQ(edit_->SelText(), QStringLiteral("oje"));
  edit_->EditMessage(EM_REPLACESEL, 1, reinterpret_cast<std::intptr_t>("\xE4"));
  EXPECT_EQ(edit_->Text(), QStringLiteral("Präkt"));
  EXPECT_EQ(edit_->EditMessage(EM_CANUNDO, 0, 0), 1);
  edit_->EditMessage(EM_SETSEL, 0, -1);
  EXPECT_EQ(edit_->SelLength(), 5);
  edit_->EditMessage(EM_SETSEL, static_cast<std::uintptr_t>(-1), 0);
  EXPECT_EQ(edit_->SelLength(), 0);
  // The line copy stops at the size word of the caller's buffer.
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  const std::uint16_t size = 3;
  std::memcpy(buffer, &size, sizeof(size));
  EXPECT_EQ(edit_->EditMessage(EM_GETLINE, 0, reinterpret_cast<std::intptr_t>(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 3), "Pr\xE4");
  EXPECT_EQ(buffer[3], '#');
  edit_->EditMessage(EM_LIMITTEXT, 4, 0);
  EXPECT_EQ(edit_->EditMessage(EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_EQ(edit_->EditMessage(EM_SETREADONLY, 1, 0), 1);
  EXPECT_TRUE(edit_->ReadOnly());
  edit_->EditMessage(EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(edit_->EditMessage(EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(edit_->EditMessage(EM_POSFROMCHAR, 0, 0), edit_->TextRect().Left);
}

}  // namespace
}  // namespace zyn
