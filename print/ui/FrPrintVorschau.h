#pragma once
// The working page "Projektdokumentation": builds the whole project documentation each time it is
// shown, pages through it with zoom and thumbnails, prints it with the programme's printer set-up
// through the print dialog (a print queue or a PDF file) and saves it as a PDF file.

#include "print/doc/DocBuilder.h"
#include "print/ui/GmPrinter.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QMenu;
class QPrinter;
class QToolButton;

namespace zyn {

class TGmPreview;
class TGmThumbnails;

class TFrPrintVorschau : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  static constexpr int kZoomTable[8] = {20, 30, 40, 50, 75, 100, 150, 200};

  explicit TFrPrintVorschau(QWidget* parent = nullptr);
  ~TFrPrintVorschau() override;

  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  void BuildDocumentation();
  void UpdatePageState();
  // The page's print choices without the dialog: 0 all pages, 1 the current page, 2 from..to.
  bool PrintOn(QPrinter& printer, int range, int from = 1, int to = 1);
  // Saves every page into the file; false when cancelled or failed (the failure shown).
  bool SavePdf(const std::string& path);
  // The confirmation after a saved PDF file, naming it.
  static QString PdfSavedText(const QString& path);

  TGmPreview* Printer = nullptr;
  TGmThumbnails* GT = nullptr;
  QToolButton* BtnPrev = nullptr;
  QToolButton* BtnNext = nullptr;
  QToolButton* PB = nullptr;
  QToolButton* BtnWidth = nullptr;
  QToolButton* BtnZoom = nullptr;
  QToolButton* BtnPrint = nullptr;
  QToolButton* BtnPdf = nullptr;
  QToolButton* BtnSetup = nullptr;
  QToolButton* BtnView = nullptr;
  QCheckBox* FStyle = nullptr;
  QLabel* StatusPanel = nullptr;
  QMenu* PopupMenu1 = nullptr;
  // The view menu: margins, the printer's margins, clipping to the margins, the page grid.
  QMenu* ViewMenu = nullptr;
  QAction* ActMargins = nullptr;
  QAction* ActPrinterMargins = nullptr;
  QAction* ActClipMargins = nullptr;
  QAction* ActGrid[3] = {};
  // The thumbnails' menu: show the page, plain pages, larger, smaller, page numbers.
  QMenu* ThumbMenu = nullptr;
  QAction* ActThumbShow = nullptr;
  QAction* ActThumbPlain = nullptr;
  QAction* ActThumbLarger = nullptr;
  QAction* ActThumbSmaller = nullptr;
  QAction* ActThumbCaptions = nullptr;

  // The progress of a long print: a callback that reports and answers false once cancelled.
  // The page shows a progress dialog; tests install their own.
  std::function<TGmPrintProgress(const QString& text, int total)> MakeProgress;
  // The moment printed in the headers (tests fix it); empty: now.
  QDateTime FixedPrintTime;

 private:
  void ThumbsClicked();
  void PrintClicked();
  void PdfClicked();
  void StatusChanged();
  void MakeViewMenu();
  void MakeThumbMenu();

  TDocBuilder* fBuilder = nullptr;
  std::unique_ptr<TDocBuilder> fBuilderOwned;
};

// Registers the page with the main window.
void RegisterPrintPages();

}  // namespace zyn
