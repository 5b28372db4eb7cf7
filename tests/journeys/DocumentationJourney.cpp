// The project documentation on a machine without a print queue: a project opened, the
// documentation shown at the width of its page, built twice and saved as a PDF file each time
// (every page with its footer, the same pages, German dates, a confirmation naming the file);
// then the page set-up to A4 landscape and a print into a PDF file that has landscape sheets.

#include "print/ui/FrPrintVorschau.h"
#include "print/ui/GmPreview.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace zyn::test {
namespace {

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfPageText(const QString& pdf, int page) {
  return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                               QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
}

class Documentation : public TJourney {
 protected:
  TFrPrintVorschau* Page() const { return Find<TFrPrintVorschau>(QStringLiteral("FrPrintVorschau")); }

  // "Als PDF speichern...", the file named in the file dialog, the confirmation read and closed.
  QString SavePdf(const QString& name) {
    const QString target = QDir::home().filePath(name);
    OnDialog(QStringLiteral("als PDF speichern"), [this, target](QWidget* dialog) {
      auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(edit, nullptr);
      ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()->windowHandle()));
      Click(edit);
      Keys({QStringLiteral("ctrl+a")});
      Type(target);
      Keys({QStringLiteral("Return")});
    });
    QString confirmation;
    OnDialog(QStringLiteral("als PDF-Datei gespeichert"), [this, &confirmation](QWidget* dialog) {
      confirmation = DialogText(dialog);
      ClickButton(dialog, QStringLiteral("OK"));
    });
    Click(Page()->BtnPdf);
    EXPECT_TRUE(WaitForDialogsHandled(60000));
    EXPECT_TRUE(confirmation.contains(target)) << confirmation.toStdString();
    return target;
  }

  // Every page has its footer "Seite n"; the headers carry today's date as "11.12.2026".
  void CheckFooterAndDates(const QString& pdf, int pages) {
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    for (int p = 1; p <= pages; ++p) {
      const QString text = PdfPageText(pdf, p);
      EXPECT_TRUE(text.contains(QStringLiteral("Seite %1").arg(p))) << pdf.toStdString() << " page " << p;
      if (p > 1) EXPECT_TRUE(text.contains(today)) << pdf.toStdString() << " page " << p;
    }
  }
};

TEST_F(Documentation, WithoutAPrintQueueBuiltTwiceSavedAndPrintedLandscape) {
  StartGlobals();
  StartProgram(SaveSmallProject("Haus.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this machine has a print queue";
  EXPECT_TRUE(ItemEnabled("Drucken1"));
  EXPECT_TRUE(ItemEnabled("Druckereinrichten1"));

  // First visit: the preview shows the whole width of the page on the screen.
  MenuCommand({"Datei1", "Drucken1"});
  ASSERT_TRUE(WaitForPage("FrPrintVorschau")) << "shown instead: " << CurrentPage();
  // The progress dialog of a print comes only when a job takes its time; this journey does without.
  Page()->MakeProgress = nullptr;
  TGmPreview& preview = *Page()->Printer;
  ASSERT_GT(preview.PageCount(), 3);
  TGmPaperImage& paper = *preview.PaperImage();
  const auto edgesOnScreen = [&] {
    const QRect page = paper.PageRect();
    const QPoint left = paper.mapToGlobal(QPoint(page.left(), page.top() + 60));
    const QPoint right = paper.mapToGlobal(QPoint(page.right(), page.top() + 60));
    const QRect view(preview.viewport()->mapToGlobal(QPoint(0, 0)), preview.viewport()->size());
    if (!view.contains(left) || !view.contains(right)) return false;
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const auto grey = [&](const QPoint& p) { return qGray(screen.pixel(p)); };
    // The black outline of the sheet on both sides, white paper just inside.
    return grey(left) < 64 && grey(right) < 64 && grey(left + QPoint(3, 0)) > 200 && grey(right - QPoint(3, 0)) > 200;
  };
  EXPECT_TRUE(WaitFor(edgesOnScreen)) << Screenshot("Documentation.FirstView");
  EXPECT_GT(preview.Zoom(), 40) << "the first view is readable";

  // Two builds, a PDF of each.
  const QString first = SavePdf(QStringLiteral("Doku1.pdf"));
  SideBarClick("FrStmBearb");
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  MenuCommand({"Datei1", "Drucken1"});
  ASSERT_TRUE(WaitForPage("FrPrintVorschau"));
  const QString second = SavePdf(QStringLiteral("Doku2.pdf"));
  const int pages = PdfPages(first);
  EXPECT_EQ(pages, preview.PageCount());
  EXPECT_EQ(PdfPages(second), pages);
  CheckFooterAndDates(first, pages);
  CheckFooterAndDates(second, pages);

  // Page set-up: A4 landscape.
  OnDialog(QStringLiteral("Drucker einrichten"), [this](QWidget* dialog) {
    auto* size = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    if (size) EXPECT_TRUE(size->currentText().contains(QStringLiteral("A4"))) << size->currentText().toStdString();
    auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
    ASSERT_NE(landscape, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()->windowHandle()));
    // On the round indicator: the radio button's free space right of its text takes no click.
    Click(landscape, QPoint(8, landscape->height() / 2));
    EXPECT_TRUE(WaitFor([&] { return landscape->isChecked(); }));
    ClickButton(dialog, QStringLiteral("OK"));
  });
  MenuCommand({"Datei1", "Druckereinrichten1"});
  ASSERT_TRUE(WaitForDialogsHandled());

  // Printing into a PDF file through the print dialog.
  const QString printed = QDir::home().filePath(QStringLiteral("Gedruckt.pdf"));
  OnDialog(QStringLiteral("Drucken"), [this, printed](QWidget* dialog) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()->windowHandle()));
    if (printers->currentIndex() != printers->count() - 1) {  // "Print to file (PDF)" is the last entry
      Click(printers);
      Keys({QStringLiteral("End"), QStringLiteral("Return")});
      EXPECT_TRUE(WaitFor([&] { return printers->currentIndex() == printers->count() - 1; }));
    }
    auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(file, nullptr);
    Click(file);
    Keys({QStringLiteral("ctrl+a")});
    Type(printed);
    ClickButton(dialog, QStringLiteral("Drucken"));
  });
  Click(Page()->BtnPrint);
  ASSERT_TRUE(WaitForDialogsHandled(60000));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(printed); }, 60000));
  QProcess check;
  check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), printed});
  check.waitForFinished(60000);
  EXPECT_EQ(check.exitCode(), 0);
  EXPECT_EQ(PdfPages(printed), pages);
  const QString info = RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                           QStringLiteral("-l"), QString::number(pages), printed});
  EXPECT_EQ(info.count(QRegularExpression(QStringLiteral("size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))), pages)
      << info.toStdString();
  EXPECT_TRUE(PdfPageText(printed, 2).contains(QStringLiteral("Seite 2")));
  EndProgram();
}

}  // namespace
}  // namespace zyn::test
