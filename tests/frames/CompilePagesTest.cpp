// The progress pages of "Projekt erstellen": a build of the sample project reports every link on
// the program build page, and showing a page again starts empty.

#include "frames/FrCompile.h"
#include "model/Verbindung.h"
#include "tests/frames/PageFixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

#include <vector>

namespace zyn::test {
namespace {

TEST_F(PageTest, CompilePagesReportTheBuild) {
  ASSERT_TRUE(form->CompileOnly());
  auto* verb = dynamic_cast<TFrCompVerb*>(form->FM->GetFrame(QStringLiteral("FrCompVerb")));
  ASSERT_TRUE(verb);
  EXPECT_EQ(form->FM->CurrentFrame(), QStringLiteral("FrCompVerb"));
  ASSERT_GT(verb->Count(), 0);
  // What the build left pending comes as soon as the programme is idle.
  ASSERT_TRUE(QTest::qWaitFor([verb] { return verb->PendingLines() == 0; }));
  const QStringList lines = verb->Memo1->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.size(), verb->Count());
  EXPECT_EQ(verb->Label1->text(), QString::number(verb->Count()) + QStringLiteral(" Verbindungen erzeugt"));
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Erzeuge Binärcode für Verbindung.: "))) << lines[0].toStdString();
  EXPECT_EQ(verb->ST->text(), QStringLiteral("STM.0"));
  Screenshot(verb, "FrCompVerb");

  // A logic link compiled in phase 1.
  TVerbindung logic;
  logic.SetKind(1);
  verb->ShowCompileProgress(1, &logic);
  verb->Flush();
  EXPECT_TRUE(verb->Memo1->toPlainText()
                  .split(QLatin1Char('\n'))
                  .last()
                  .startsWith(QStringLiteral("Erzeuge logische Bedingung für Verknüpfung: ")));
  // The same link reported in another phase is logged again but counted once.
  const int counted = verb->Count();
  verb->ShowCompileProgress(0, &logic);
  EXPECT_EQ(verb->Count(), counted);
  EXPECT_EQ(verb->Label1->text(), QString::number(counted) + QStringLiteral(" Verbindungen erzeugt"));
  verb->ShowCompileProgress(0, nullptr);  // nothing without a link
  const int count = verb->Count();
  form->FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
  form->FM->SetCurrentFrame(QStringLiteral("FrCompVerb"));
  EXPECT_EQ(verb->Count(), 0);
  EXPECT_GT(count, 0);
  EXPECT_TRUE(verb->Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(verb->EK->text().isEmpty());

  auto* tools = ShowPage<TFrCompile>("FrCompile");
  tools->SetOverallMaximum(3);
  tools->StepOverall();
  tools->AddMessage("Steuermodul 0");
  EXPECT_EQ(tools->PB1->value(), 1);
  form->FM->SetCurrentFrame(QStringLiteral("FrStmBearb"));
  ShowFrame("FrCompile");
  EXPECT_EQ(tools->PB1->value(), 0);
  EXPECT_EQ(tools->LB->count(), 0);
}

TEST_F(PageTest, ProgramBuildPageGathersLinksBetweenScreenUpdates) {
  auto* verb = ShowPage<TFrCompVerb>("FrCompVerb");
  ASSERT_TRUE(verb);
  const int links = 3000;
  // Links apart (a link reported again counts once).
  std::vector<TVerbindung> all(links);
  for (TVerbindung& link : all) link.SetKind(0);
  QElapsedTimer clock;
  clock.start();
  for (TVerbindung& link : all) verb->ShowCompileProgress(0, &link);
  const qint64 elapsed = clock.elapsed();
  // The first link at once, then at most one update per interval (and the one pending).
  EXPECT_GE(verb->ScreenUpdates(), 1);
  EXPECT_LE(verb->ScreenUpdates(), 2 + elapsed / TFrCompVerb::kScreenInterval) << elapsed << " ms";
  EXPECT_EQ(verb->Count(), links);
  ASSERT_TRUE(QTest::qWaitFor([verb] { return verb->PendingLines() == 0; }));
  EXPECT_EQ(verb->Memo1->blockCount(), links);  // every link has its protocol line
  EXPECT_EQ(verb->Label1->text(), QString::number(links) + QStringLiteral(" Verbindungen erzeugt"));
}

}  // namespace
}  // namespace zyn::test
