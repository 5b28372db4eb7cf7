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

#include <QApplication>
#include <QCheckBox>
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
  GT->PageCaptions = TranslateText("Seite #");
  GT->GridWidth = 2;
  GT->Shadow.Width = 2;
  GT->Shadow.Color = palette().color(QPalette::Dark);
  GT->setMinimumWidth(80);
  GT->resize(80, GT->height());
  GT->setVisible(false);
  Printer = new TGmPreview(split);
  Printer->setObjectName(QStringLiteral("Printer"));
  Printer->SetGutter(15);
  Printer->Shadow().Color = palette().color(QPalette::Dark);
  Printer->MarginsView().Visible = false;
  Printer->GmPrinter().Title = "document";
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

  MakeProgress = [this](const QString& text, int total) -> TGmPrintProgress {
    auto dialog = std::make_shared<QProgressDialog>(text, T("Abbrechen"), 0, total, this);
    dialog->setWindowTitle(T("Projektdokumentation"));
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
  QPrinter printer(QPrinter::HighResolution);
  Printer->GmPrinter().ApplyTo(printer);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(T("Drucken"));
  dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                    QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies);
  dialog.setMinMax(1, Printer->PageCount());
  dialog.setFromTo(1, Printer->PageCount());
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return;
  // The copies, collation and duplex chosen in the dialog are those of this print.
  Printer->GmPrinter().TakeFrom(printer);
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
  SavePdf(name.toStdString());
}

void RegisterPrintPages() {
  RegisterFrameMaker(kPageName, [] { return new TFrPrintVorschau; });
}

}  // namespace zyn
