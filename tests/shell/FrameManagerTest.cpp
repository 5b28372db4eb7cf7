#include "shell/FrameManager.h"

#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using Log = std::vector<std::string>;

// A page that records every call of the contract into a shared log.
class FakeFrame : public QWidget, public IFrameMessage {
 public:
  FakeFrame(const char* name, Log* log, int answer = 6) : fLog(log), Answer(answer) { setObjectName(name); }
  void FrameActivate() override {
    fLog->push_back("activate " + objectName().toStdString());
    ParentAtActivate = parentWidget();
    VisibleAtActivate = isVisible();
  }
  void FrameDeactivate() override { fLog->push_back("deactivate " + objectName().toStdString()); }
  int AskApplyChanges() override {
    fLog->push_back("ask " + objectName().toStdString());
    return Answer;
  }
  Log* fLog;
  int Answer;
  QWidget* ParentAtActivate = nullptr;
  bool VisibleAtActivate = true;
};

class FrameManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    fm = std::make_unique<TFrameManager>();
    fm->resize(600, 400);
    fm->SetDefaultTitle("ZORV ZYN");
    fm->FOnFrameChanged = [this](QObject*, TFrame* frame, const QString& title) {
      log.push_back("changed " + (frame ? frame->objectName().toStdString() : std::string("-")) + " " +
                    title.toStdString());
    };
    a = new FakeFrame("FrStmBearb", &log);
    b = new FakeFrame("FrMerker", &log);
    EXPECT_EQ(fm->AddFrame(a, "Steuermodule bearbeiten", faClient), 0);
    EXPECT_EQ(fm->AddFrame(b, "Merker bearbeiten", faClient), 1);
  }
  Log log;
  std::unique_ptr<TFrameManager> fm;
  FakeFrame* a = nullptr;
  FakeFrame* b = nullptr;
};

TEST_F(FrameManagerTest, SwitchAsksThenDeactivatesThenActivates) {
  fm->SetCurrentFrame("FrStmBearb");
  EXPECT_EQ(log, (Log{"activate FrStmBearb", "changed FrStmBearb Steuermodule bearbeiten"}));
  EXPECT_EQ(a->ParentAtActivate, fm.get());
  EXPECT_FALSE(a->VisibleAtActivate);
  EXPECT_TRUE(a->isVisibleTo(fm.get()));
  EXPECT_EQ(a->geometry(), fm->contentsRect());
  log.clear();
  fm->SetCurrentFrame("FrMerker");
  EXPECT_EQ(
      log, (Log{"ask FrStmBearb", "deactivate FrStmBearb", "activate FrMerker", "changed FrMerker Merker bearbeiten"}));
  EXPECT_EQ(a->parentWidget(), nullptr);
  EXPECT_FALSE(a->isVisible());
  EXPECT_EQ(fm->CurrentFrame(), "FrMerker");
  EXPECT_EQ(fm->CurrentFrameObject()->Frame(), b);
}

TEST_F(FrameManagerTest, VetoKeepsTheFrameAndSendsNoEvent) {
  fm->SetCurrentFrame("FrStmBearb");
  a->Answer = 2;
  log.clear();
  fm->SetCurrentFrame("FrMerker");
  EXPECT_EQ(log, (Log{"ask FrStmBearb"}));
  EXPECT_EQ(fm->CurrentFrame(), "FrStmBearb");
  EXPECT_EQ(a->parentWidget(), fm.get());
  // 7 (drop the edits) lets the switch go on like 6
  a->Answer = 7;
  fm->SetCurrentFrame("FrMerker");
  EXPECT_EQ(fm->CurrentFrame(), "FrMerker");
}

TEST_F(FrameManagerTest, SwitchingToTheCurrentNameDoesNothing) {
  fm->SetCurrentFrame("FrStmBearb");
  log.clear();
  fm->SetCurrentFrame("FrStmBearb");
  EXPECT_TRUE(log.empty());
}

TEST_F(FrameManagerTest, CallersSpellingIsNotStored) {
  fm->SetCurrentFrame("frstmbearb");
  EXPECT_EQ(fm->CurrentFrame(), "FrStmBearb");  // the registered key
  log.clear();
  fm->SetCurrentFrame("FRSTMBEARB");  // the page shown, in another spelling: nothing happens
  fm->SetCurrentFrame("FrStmBearb");
  EXPECT_TRUE(log.empty());
  fm->SetCurrentFrame("frmerker");
  EXPECT_EQ(fm->CurrentFrame(), "FrMerker");
  EXPECT_EQ(fm->GetFrame("FRMERKER"), b);
  EXPECT_EQ(fm->GetFrame("unknown"), nullptr);
}

TEST_F(FrameManagerTest, StarAndEmptyNameEmptyTheManager) {
  for (const char* empty : {"*", ""}) {
    fm->SetCurrentFrame("FrStmBearb");
    log.clear();
    fm->SetCurrentFrame(empty);
    EXPECT_EQ(log, (Log{"ask FrStmBearb", "deactivate FrStmBearb", "changed - ZORV ZYN"})) << empty;
    EXPECT_EQ(fm->CurrentFrame(), "");
    EXPECT_EQ(fm->CurrentFrameObject(), nullptr);
    EXPECT_EQ(fm->Color(), fm->EmptyColor());
    EXPECT_EQ(a->parentWidget(), nullptr);
  }
}

TEST_F(FrameManagerTest, RestoreFrameWithBlankSavedNameEmptiesTheManager) {
  fm->SetCurrentFrame("FrMerker");
  fm->SaveFrame();
  fm->SetCurrentFrame("FrStmBearb");
  fm->RestoreFrame();
  EXPECT_EQ(fm->CurrentFrame(), "FrMerker");

  fm->SetCurrentFrame("*");
  fm->SaveFrame();  // saves the empty name
  fm->SetCurrentFrame("FrStmBearb");
  log.clear();
  fm->RestoreFrame();
  EXPECT_EQ(fm->CurrentFrame(), "");
  EXPECT_EQ(log, (Log{"ask FrStmBearb", "deactivate FrStmBearb", "changed - ZORV ZYN"}));
}

TEST_F(FrameManagerTest, DuplicateNameInOtherCaseIsRefused) {
  QPointer<QWidget> other = new FakeFrame("FRSTMBEARB", &log);
  EXPECT_EQ(fm->AddFrame(other, "x", faClient), -1);
  EXPECT_EQ(fm->Frames().Count(), 2);
  ASSERT_FALSE(other.isNull());  // the caller keeps the rejected frame
  delete other;
}

TEST_F(FrameManagerTest, CenteredFrameTruncatesTowardZero) {
  auto* c = new FakeFrame("Centre", &log);
  c->resize(300, 200);
  fm->AddFrame(c, "c", faCenter);
  fm->setFrameShape(QFrame::NoFrame);
  struct Case {
    int w, h, x, y;
  } cases[] = {{501, 400, 100, 100}, {200, 100, -50, -50}};
  for (const Case& k : cases) {
    fm->resize(k.w, k.h);
    fm->SetCurrentFrame("Centre");
    fm->AlignCurrentFrame();
    EXPECT_EQ(c->pos(), QPoint(k.x, k.y)) << k.w;
  }
}

TEST_F(FrameManagerTest, NestedSwitchDuringActivationWins) {
  // A page that sends the manager elsewhere while it is entered must not be shown afterwards.
  struct Redirect : FakeFrame {
    Redirect(Log* l, TFrameManager* m) : FakeFrame("Redirect", l), fm(m) {}
    void FrameActivate() override {
      FakeFrame::FrameActivate();
      fm->SetCurrentFrame("FrMerker");
    }
    TFrameManager* fm;
  };
  auto* r = new Redirect(&log, fm.get());
  fm->AddFrame(r, "r", faClient);
  fm->SetCurrentFrame("Redirect");
  EXPECT_EQ(fm->CurrentFrame(), "FrMerker");
  EXPECT_FALSE(r->isVisible());
  EXPECT_TRUE(b->isVisibleTo(fm.get()));
}

TEST_F(FrameManagerTest, NoPendingEventIsProcessedWhileAPageIsEntered) {
  // Events waiting in the queue must not run between giving the page its parent and activating
  // it: a queued call could otherwise switch pages or touch a half-entered one.
  struct Probe : FakeFrame {
    using FakeFrame::FakeFrame;
    void FrameActivate() override {
      FakeFrame::FrameActivate();
      QueuedRanBeforeActivate = *Ran;
    }
    bool* Ran = nullptr;
    bool QueuedRanBeforeActivate = true;
  };
  bool ran = false;
  auto* p = new Probe("Probe", &log);
  p->Ran = &ran;
  fm->AddFrame(p, "p", faClient);
  QMetaObject::invokeMethod(
      fm.get(), [&] { ran = true; }, Qt::QueuedConnection);
  fm->SetCurrentFrame("probe");
  EXPECT_FALSE(p->QueuedRanBeforeActivate);
  EXPECT_FALSE(ran);
  EXPECT_EQ(fm->CurrentFrame(), "Probe");  // the registered key, not the caller's spelling
  QApplication::processEvents();
  EXPECT_TRUE(ran);
}

TEST_F(FrameManagerTest, FramesAreFreedWithTheManager) {
  QPointer<QWidget> pa = a, pb = b;
  fm->SetCurrentFrame("FrStmBearb");
  fm.reset();
  EXPECT_TRUE(pa.isNull());
  EXPECT_TRUE(pb.isNull());
}

}  // namespace
}  // namespace zyn
