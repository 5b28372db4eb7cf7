#include "print/ui/FrPrintVorschau.h"

#include "model/BasisDaten.h"
#include "model/Kennlinien.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "print/ui/GmPreview.h"
#include "print/ui/GmThumbnails.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "shell/MessageHandler.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLocale>
#include <QMimeData>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {
constexpr const char* kPageName = "FrPrintVorschau";

// Writes the options file after the printer set-up changed; a failure is shown, naming the file.
void SaveOptionsFile() {
  if (!GOptionFile || OptionFileName().empty()) return;
  try {
    GOptionFile->SaveToFile(OptionFileName());
  } catch (const std::exception& e) {
    MessageDlg(QApplication::activeWindow(), ToQString(e.what()), ToQString(TranslateText("Drucker einrichten")),
               MB_OK | MB_ICONERROR);
  }
}

QString T(const char* utf8) { return ToQString(TranslateText(Ansi(utf8))); }

QToolButton* MakeButton(QToolBar* bar, const char* name, QStyle::StandardPixmap icon, const char* hint) {
  auto* b = new QToolButton(bar);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(bar->style()->standardIcon(icon));
  b->setIconSize(QSize(18, 18));
  b->setFixedSize(25, 24);
  b->setAutoRaise(true);
  if (hint) b->setToolTip(T(hint));
  bar->addWidget(b);
  return b;
}
}  // namespace

TFrPrintVorschau::TFrPrintVorschau(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kPageName));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setContentsMargins(5, 0, 0, 0);
  BtnPrev = MakeButton(bar, "BtnPrev", QStyle::SP_ArrowBack, "vorherige Seite");
  BtnNext = MakeButton(bar, "BtnNext", QStyle::SP_ArrowForward, "nächste Seite");
  BtnPrev->setEnabled(false);
  BtnNext->setEnabled(false);
  bar->addSeparator();
  PB = MakeButton(bar, "PB", QStyle::SP_FileDialogListView, "Thumbnails ein/aus");
  PB->setCheckable(true);
  BtnWidth = MakeButton(bar, "ToolButton7", QStyle::SP_ToolBarHorizontalExtensionButton, nullptr);
  BtnWidth->setToolTip(T("Seitenbreite"));
  BtnZoom = MakeButton(bar, "ToolButton6", QStyle::SP_FileDialogContentsView, "Zoom");
  BtnZoom->setFixedSize(37, 24);
  PopupMenu1 = new QMenu(BtnZoom);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  for (int tag = 0; tag < 8; ++tag) {
    QAction* a = PopupMenu1->addAction(QString::number(kZoomTable[tag]) + QLatin1Char('%'));
    a->setData(tag);
    connect(a, &QAction::triggered, this, [this, tag] { Printer->SetZoom(kZoomTable[tag]); });
  }
  BtnZoom->setMenu(PopupMenu1);
  BtnZoom->setPopupMode(QToolButton::MenuButtonPopup);
  bar->addSeparator();
  BtnPrint = MakeButton(bar, "ToolButton8", QStyle::SP_DialogSaveButton, "Drucken...");
  BtnPrint->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), BtnPrint->icon()));
  BtnPdf = MakeButton(bar, "BtnPdf", QStyle::SP_DriveFDIcon, "Als PDF speichern...");
  BtnPdf->setIcon(QIcon::fromTheme(QStringLiteral("document-save-as"), BtnPdf->icon()));
  BtnSetup = MakeButton(bar, "BtnSetup", QStyle::SP_FileDialogDetailedView, "Drucker einrichten...");
  BtnSetup->setIcon(QIcon::fromTheme(QStringLiteral("document-page-setup"), BtnSetup->icon()));
  BtnView = MakeButton(bar, "BtnView", QStyle::SP_FileDialogInfoView, "Ansicht");
  BtnView->setFixedSize(37, 24);
  BtnView->setPopupMode(QToolButton::InstantPopup);
  bar->addSeparator();
  FStyle = new QCheckBox(T("Outlookbar automatisch ausblenden"), bar);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  bar->addWidget(FStyle);
  layout->addWidget(bar);

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  auto* pl = new QHBoxLayout(panel);
  pl->setContentsMargins(5, 5, 5, 5);
  auto* split = new QSplitter(Qt::Horizontal, panel);
  split->setObjectName(QStringLiteral("Splitter1"));
  split->setHandleWidth(5);
  GT = new TGmThumbnails(split);
  GT->setObjectName(QStringLiteral("GT"));
  GT->SetLayout(gmThumbVert);
  GT->SetPageCaptions(TranslateText("Seite #"));
  GT->SetGridWidth(2);
  TGmShadow thumbShadow;
  thumbShadow.Width = 2;
  thumbShadow.Color = palette().color(QPalette::Dark);
  GT->SetShadow(thumbShadow);
  GT->setMinimumWidth(80);
  GT->resize(80, GT->height());
  GT->setVisible(false);
  Printer = new TGmPreview(split);
  Printer->setObjectName(QStringLiteral("Printer"));
  Printer->SetGutter(15);
  Printer->Shadow().Color = palette().color(QPalette::Dark);
  Printer->MarginsView().Visible = false;
  Printer->UsePrinter(ProgramPrinter());
  Printer->GmPrinter().Title = "document";
  // The documentation's own margins (20, 15, 195 and 270 mm on the A4 sheet), shown on request.
  TGmMarginValues margins = Printer->MarginValues();
  margins.ValueMeasurement = gmMillimeters;
  margins.SetLeft(20);
  margins.SetTop(15);
  margins.SetRight(15);
  margins.SetBottom(27);
  split->addWidget(GT);
  split->addWidget(Printer);
  split->setStretchFactor(1, 1);
  split->setSizes({80, 600});
  pl->addWidget(split);
  layout->addWidget(panel, 1);
  StatusPanel = new QLabel(T("Seite %1 von %2").arg(1).arg(1), this);
  StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
  StatusPanel->setFixedHeight(20);
  StatusPanel->setContentsMargins(5, 0, 0, 0);
  layout->addWidget(StatusPanel);

  fBuilderOwned = std::make_unique<TDocBuilder>(Printer->Pages());
  fBuilder = fBuilderOwned.get();

  connect(BtnPrev, &QToolButton::clicked, this, [this] {
    Printer->PrevPage();
    Printer->verticalScrollBar()->setValue(0);
    UpdatePageState();
  });
  connect(BtnNext, &QToolButton::clicked, this, [this] {
    Printer->NextPage();
    Printer->verticalScrollBar()->setValue(0);
    UpdatePageState();
  });
  connect(PB, &QToolButton::clicked, this, [this] { ThumbsClicked(); });
  connect(BtnWidth, &QToolButton::clicked, this, [this] { Printer->ZoomToWidth(); });
  connect(BtnZoom, &QToolButton::clicked, this, [this] { Printer->ZoomToPage(); });
  connect(BtnPrint, &QToolButton::clicked, this, [this] { PrintClicked(); });
  connect(BtnPdf, &QToolButton::clicked, this, [this] { PdfClicked(); });
  connect(FStyle, &QCheckBox::clicked, this, [](bool on) {
    SetFrameOption(kPageName, 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
  Printer->OnPageChanged = [this] {
    StatusChanged();
    UpdatePageState();
  };
  Printer->OnPageMouseDown = [this](Qt::MouseButton b, QPointF) {
    if (b == Qt::LeftButton) Printer->StartPanning();
  };
  // While the mouse is over the page the status names its position on the sheet.
  Printer->OnPageMouseMove = [this](QPointF inches) {
    StatusChanged();
    StatusPanel->setText(StatusPanel->text() + QStringLiteral("   ") +
                         T("Position: %1 mm, %2 mm")
                             .arg(QLocale(QLocale::German).toString(inches.x() * 25.4, 'f', 1))
                             .arg(QLocale(QLocale::German).toString(inches.y() * 25.4, 'f', 1)));
  };
  Printer->OnMouseLeave = [this] { StatusChanged(); };
  // A thumbnail dropped on the page shows its page.
  Printer->OnPageDragOver = [](QPointF, const QMimeData* data) {
    return data && data->hasFormat(QString::fromLatin1(kGmPageMime));
  };
  Printer->OnPageDragDrop = [this](QPointF, const QMimeData* data) {
    Printer->SetCurrentPage(data->data(QString::fromLatin1(kGmPageMime)).toInt());
    UpdatePageState();
  };
  Printer->BeforePrint = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
  Printer->AfterPrint = [] { QApplication::restoreOverrideCursor(); };
  connect(BtnSetup, &QToolButton::clicked, this, [this] {
    if (ProgramPrinter().PageSetup(this)) SaveOptionsFile();
  });
  MakeViewMenu();
  MakeThumbMenu();

  MakeProgress = [this](const QString& text, int total) -> TGmPrintProgress {
    auto dialog = std::make_shared<QProgressDialog>(text, T("Abbrechen"), 0, total, this);
    dialog->setWindowTitle(text);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(300);
    return [dialog](int printed, int) {
      dialog->setValue(printed);
      QApplication::processEvents();
      return !dialog->wasCanceled();
    };
  };
}

TFrPrintVorschau::~TFrPrintVorschau() { GT->SetPreview(nullptr); }

void TFrPrintVorschau::MakeViewMenu() {
  ViewMenu = new QMenu(BtnView);
  ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
  const auto toggle = [this](const char* text, bool on, auto apply) {
    QAction* a = ViewMenu->addAction(T(text));
    a->setCheckable(true);
    a->setChecked(on);
    connect(a, &QAction::toggled, this, [this, apply](bool checked) {
      apply(checked);
      Printer->PaperImage()->update();
      if (GT->Preview()) GT->PreviewMessage(gmMsgRepaint);
    });
    return a;
  };
  ActMargins = toggle("Ränder anzeigen", false, [this](bool on) { Printer->MarginsView().Visible = on; });
  ActPrinterMargins =
      toggle("Druckerränder anzeigen", false, [this](bool on) { Printer->MarginsView().ShowPrinterMargins = on; });
  ActClipMargins =
      toggle("Auf die Ränder beschneiden", false, [this](bool on) { Printer->Pages().Margins().SetClipMargins(on); });
  ViewMenu->addSeparator();
  auto* grid = new QActionGroup(ViewMenu);
  const char* names[3] = {"Kein Raster", "Punktraster", "Linienraster"};
  for (int i = 0; i < 3; ++i) {
    ActGrid[i] = ViewMenu->addAction(T(names[i]));
    ActGrid[i]->setCheckable(true);
    ActGrid[i]->setChecked(i == 0);
    grid->addAction(ActGrid[i]);
    connect(ActGrid[i], &QAction::triggered, this, [this, i] {
      Printer->PageGrid().GridStyle = static_cast<TGmGridStyle>(i);
      Printer->PaperImage()->update();
    });
  }
  BtnView->setMenu(ViewMenu);
}

void TFrPrintVorschau::MakeThumbMenu() {
  ThumbMenu = new QMenu(GT);
  ThumbMenu->setObjectName(QStringLiteral("ThumbMenu"));
  ActThumbShow = ThumbMenu->addAction(T("Seite anzeigen"));
  connect(ActThumbShow, &QAction::triggered, this, [this] {
    if (GT->PopupIndex() >= 0) Printer->SetCurrentPage(GT->PopupIndex() + 1);
    UpdatePageState();
  });
  ThumbMenu->addSeparator();
  ActThumbPlain = ThumbMenu->addAction(T("Leere Seiten (schnell)"));
  ActThumbPlain->setCheckable(true);
  connect(ActThumbPlain, &QAction::toggled, this, [this](bool plain) {
    SetBoolOption(boPlainThumbs, plain);
    GT->SetPlainPages(plain);
  });
  ActThumbLarger = ThumbMenu->addAction(T("Größere Miniaturen"));
  connect(ActThumbLarger, &QAction::triggered, this, [this] { GT->SetThumbSize(std::min(GT->ThumbSize() + 2, 20)); });
  ActThumbSmaller = ThumbMenu->addAction(T("Kleinere Miniaturen"));
  connect(ActThumbSmaller, &QAction::triggered, this, [this] { GT->SetThumbSize(std::max(GT->ThumbSize() - 2, 2)); });
  ActThumbCaptions = ThumbMenu->addAction(T("Seitenzahlen anzeigen"));
  ActThumbCaptions->setCheckable(true);
  ActThumbCaptions->setChecked(true);
  connect(ActThumbCaptions, &QAction::toggled, this, [this](bool on) { GT->SetShowCaption(on); });
  GT->SetThumbPopup(ThumbMenu);
}

void TFrPrintVorschau::FrameActivate() {
  const bool stored = GetFrameOption(kPageName, 0);
  FStyle->setChecked(stored);
  if (IMessageHandler* h = GetMessageHandler()) stored ? h->CollapseSideBar() : h->ExpandSideBar();
  BuildDocumentation();
  UpdatePageState();
}

void TFrPrintVorschau::FrameDeactivate() { SetFrameOption(kPageName, 0, FStyle->isChecked()); }

void TFrPrintVorschau::BuildDocumentation() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  struct TRestore {
    ~TRestore() { QApplication::restoreOverrideCursor(); }
  } restore;
  PB->setChecked(false);
  GT->SetPreview(nullptr);
  GT->setVisible(false);
  TDocBuilder& b = *fBuilder;
  b.Katalog = GBasisDaten ? &GBasisDaten->Katalog : nullptr;
  b.Kurven = GKennlinien.get();
  b.SystemPath = GetSystemPath();
  b.PrintTime = FixedPrintTime.isValid() ? FixedPrintTime : QDateTime::currentDateTime();
  if (GOptionFile && GOptionFile->Optionen().BasisDaten && GOptionFile->Optionen().BasisDaten->Count() > 0) {
    const TUserBasisDaten& c = *GOptionFile->Optionen().BasisDaten->Items(0);
    b.Company = {c.Firma1, c.Firma2, c.Strasse, c.PLZ, c.Ort, c.Telefon};
  }
  TZYNProjekt* project = GProjekt.get();
  if (project)
    Printer->GmPrinter().Title =
        Utf8ToAnsi(QFileInfo(QString::fromStdString(project->FileName)).fileName().toStdString());
  Printer->BeginUpdate();
  try {
    b.Build(project);
  } catch (...) {
    Printer->EndUpdate();
    Printer->Clear();
    throw;
  }
  Printer->EndUpdate();
  Printer->Refresh();
  Printer->verticalScrollBar()->setValue(0);
  Printer->ZoomToWidth();
  StatusChanged();
  UpdatePageState();
}

void TFrPrintVorschau::UpdatePageState() {
  GT->setVisible(PB->isChecked());
  BtnNext->setEnabled(Printer->CurrentPage() < Printer->PageCount());
  BtnPrev->setEnabled(Printer->CurrentPage() > 1);
}

void TFrPrintVorschau::StatusChanged() {
  StatusPanel->setText(
      ToQString(DocFormat(TranslateText("Seite %d von %d"), {static_cast<long long>(Printer->CurrentPage()),
                                                             static_cast<long long>(Printer->PageCount())})));
}

void TFrPrintVorschau::ThumbsClicked() {
  const bool shown = PB->isChecked();
  GT->setVisible(shown);
  SetBoolOption(boShowThumbs, shown);
  if (!shown) {
    GT->SetPreview(nullptr);
  } else {
    GT->SetPlainPages(GetBoolOption(boPlainThumbs));
    const QSignalBlocker block(ActThumbPlain);
    ActThumbPlain->setChecked(GT->PlainPages());
    GT->SetPreview(Printer);
  }
}

bool TFrPrintVorschau::PrintOn(QPrinter& printer, int range, int from, int to) {
  const int total = range == 1 ? 1 : range == 2 ? std::abs(to - from) + 1 : Printer->PageCount();
  const TGmPrintProgress progress =
      MakeProgress ? MakeProgress(T("Die Projektdokumentation wird gedruckt..."), total) : TGmPrintProgress();
  Printer->GmPrinter().OnError = [this](const std::string& text) {
    MessageDlg(this, ToQString(text), T("Drucken"), MB_OK | MB_ICONERROR);
  };
  switch (range) {
    case 1:
      return Printer->PrintCurrentPage(printer, progress);
    case 2:
      return Printer->PrintRange(from, to, printer, progress);
    default:
      return Printer->PrintAll(printer, progress);
  }
}

void TFrPrintVorschau::PrintClicked() {
  TGmPrinter& setup = Printer->GmPrinter();
  QPrinter& printer = setup.Device();
  setup.ApplyTo(printer);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(T("Drucken"));
  dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                    QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies);
  dialog.setMinMax(1, Printer->PageCount());
  dialog.setFromTo(1, Printer->PageCount());
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return;
  // The printer, paper, copies, collation and duplex chosen in the dialog are kept for the next.
  setup.TakeFrom(printer);
  setup.SaveToOptions();
  SaveOptionsFile();
  switch (dialog.printRange()) {
    case QAbstractPrintDialog::CurrentPage:
    case QAbstractPrintDialog::Selection:
      PrintOn(printer, 1);
      break;
    case QAbstractPrintDialog::PageRange:
      PrintOn(printer, 2, std::max(1, printer.fromPage()), std::max(1, printer.toPage()));
      break;
    default:
      PrintOn(printer, 0);
  }
}

bool TFrPrintVorschau::SavePdf(const std::string& path) {
  const TGmPrintProgress progress =
      MakeProgress ? MakeProgress(T("Die Projektdokumentation wird gespeichert..."), Printer->PageCount())
                   : TGmPrintProgress();
  try {
    return SaveDocumentPdf(Printer->Pages(), PageRange(1, Printer->PageCount()), path, Printer->GmPrinter().Title,
                           progress);
  } catch (const std::exception& e) {
    MessageDlg(this, ToQString(e.what()), T("Projektdokumentation"), MB_OK | MB_ICONERROR);
    return false;
  }
}

void TFrPrintVorschau::PdfClicked() {
  QString start = QString::fromStdString(GetProjectPath());
  if (GProjekt && !GProjekt->FileName.empty()) {
    const QFileInfo info(QString::fromStdString(GProjekt->FileName));
    start = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".pdf");
  }
  QString name =
      QFileDialog::getSaveFileName(this, T("Projektdokumentation als PDF speichern"), start, T("PDF-Dateien (*.pdf)"));
  if (name.isEmpty()) return;
  if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) name += QStringLiteral(".pdf");
  if (SavePdf(name.toStdString()))
    MessageDlg(this, PdfSavedText(name), T("Projektdokumentation"), MB_OK | MB_ICONINFORMATION);
}

QString TFrPrintVorschau::PdfSavedText(const QString& path) {
  return T("Die Projektdokumentation wurde als PDF-Datei gespeichert:") + QLatin1Char('\n') +
         QDir::toNativeSeparators(path);
}

void RegisterPrintPages() {
  RegisterFrameMaker(kPageName, [] { return new TFrPrintVorschau; });
  // "Drucker einrichten...": the page set-up of the programme's printer.
  RegisterCommand("Druckereinrichten1", [](QWidget* parent) {
    if (ProgramPrinter().PageSetup(parent)) SaveOptionsFile();
  });
}

}  // namespace zyn
