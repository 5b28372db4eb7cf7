#include "display/ui/GrafikDialoge.h"

#include "display/GrafikRules.h"
#include "display/ui/DesignerDialogs.h"
#include "platform/MessageDlg.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace zyn {

namespace {

QDialogButtonBox* Buttons(QDialog* dialog, const QString& ok, const QString& cancel) {
  auto* box = new QDialogButtonBox;
  auto* okButton = box->addButton(ok, QDialogButtonBox::AcceptRole);
  okButton->setDefault(true);
  box->addButton(cancel, QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}
}  // namespace

// ------------------------------------------------------------------------------------------------

QString GraphicsFolder() {
  std::string folder;
  GetPathOption(poGfxPath, folder);
  const QString path = QString::fromStdString(folder);
  return !path.isEmpty() && QFileInfo(path).isDir() ? path : QDir::homePath();
}

TLadenDialog::TLadenDialog(QWidget* parent, const QString& folder)
    : QDialog(parent), fFolders(new QFileSystemModel(this)), fFiles(new QFileSystemModel(this)) {
  setWindowTitle(TranslatedText("Datei laden ..."));
  FitTitle(this);
  fFolders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  fFolders->setRootPath(QDir::rootPath());
  fFiles->setFilter(QDir::Files);
  fFiles->setNameFilters({QStringLiteral("*.bmp"), QStringLiteral("*.BMP")});
  fFiles->setNameFilterDisables(false);
  auto* layout = new QGridLayout(this);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(new QLabel(TranslatedText("Pfad:")));
  EPath = new QLineEdit;
  EPath->setObjectName(QStringLiteral("EPath"));
  pathRow->addWidget(EPath, 1);
  Folders = new QTreeView;
  Folders->setModel(fFolders);
  for (int c = 1; c < fFolders->columnCount(); ++c) Folders->hideColumn(c);
  Folders->setHeaderHidden(true);
  Files = new QListView;
  Files->setModel(fFiles);
  Preview = new QLabel;
  Preview->setMinimumSize(240, 104);
  Preview->setAlignment(Qt::AlignCenter);
  Preview->setFrameShape(QFrame::StyledPanel);
  CBPreview = new QCheckBox(TranslatedText("Grafikvorschau"));
  CBPreview->setChecked(true);
  layout->addLayout(pathRow, 0, 0, 1, 3);
  layout->addWidget(Folders, 1, 0, 2, 1);
  layout->addWidget(Files, 1, 1, 2, 1);
  layout->addWidget(Preview, 1, 2);
  layout->addWidget(CBPreview, 2, 2);
  auto* box = Buttons(this, TranslatedText("&Öffnen"), TranslatedText("Abbrechen"));
  BOpen = qobject_cast<QPushButton*>(box->buttons().first());
  layout->addWidget(box, 3, 0, 1, 3);
  connect(Folders, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { SetFolder(fFolders->filePath(index)); });
  connect(Files, &QListView::clicked, this, [this](const QModelIndex& index) { ShowFile(fFiles->filePath(index)); });
  connect(Files, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    fSelected = fFiles->filePath(index);
    accept();
  });
  // Enter in the path field reaches the default button: accept() takes the path.
  SetFolder(folder.isEmpty() ? GraphicsFolder() : folder);
}

void TLadenDialog::SetFolder(const QString& folder) {
  const QModelIndex index = fFolders->index(folder);
  Folders->setCurrentIndex(index);
  Folders->expand(index);
  Folders->scrollTo(index);
  Files->setRootIndex(fFiles->setRootPath(folder));
  fFolder = folder;
  EPath->setText(QDir::toNativeSeparators(folder));
}

bool TLadenDialog::TakePath() {
  const QString typed = QDir::cleanPath(EPath->text().trimmed());
  if (typed.isEmpty()) return false;
  // A relative entry is taken within the folder shown.
  const QFileInfo info(QDir(fFolder).absoluteFilePath(typed));
  if (info.isDir()) {
    SetFolder(info.absoluteFilePath());
    return false;
  }
  if (!info.isFile()) {
    MessageDlg(this, TranslatedText("Die Datei oder der Ordner wurde nicht gefunden:") + QStringLiteral("\n") + EPath->text(),
               TranslatedText("Hinweis"), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  SetFolder(info.absolutePath());
  Files->setCurrentIndex(fFiles->index(info.absoluteFilePath()));
  ShowFile(info.absoluteFilePath());
  EPath->setText(QDir::toNativeSeparators(info.absoluteFilePath()));
  return true;
}

void TLadenDialog::accept() {
  // A file typed into the path field is the choice, as a file clicked in the list is.
  const QString typed = QDir::cleanPath(EPath->text().trimmed());
  if (!typed.isEmpty() && QDir::cleanPath(fFolder) != QDir(fFolder).absoluteFilePath(typed)) {
    if (!TakePath()) return;
  }
  QDialog::accept();
}

void TLadenDialog::ShowFile(const QString& path) {
  fSelected = path;
  if (!CBPreview->isChecked()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QImage image(path);
  QApplication::restoreOverrideCursor();
  if (image.isNull()) {
    Preview->clear();
    MessageDlg(this, TranslatedText("Grafik konnte nicht gelesen werden!"), TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
    return;
  }
  Preview->setPixmap(QPixmap::fromImage(image.scaled(Preview->size(), Qt::KeepAspectRatio)));
}

void TLadenDialog::done(int result) {
  fChosen = result == QDialog::Accepted ? fSelected.toStdString() : std::string();
  Preview->clear();
  QDialog::done(result);
}

// ------------------------------------------------------------------------------------------------

TDateiNeu::TDateiNeu(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Neue Grafik erstellen"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  RBFree = new QRadioButton(TranslatedText("frei definiert"));
  RBMax = new QRadioButton(TranslatedText("maximal: 240 x 104 Pixel"));
  RBFree->setChecked(true);
  EWidth = new QLineEdit;
  EHeight = new QLineEdit;
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(TranslatedText("Breite")), 0, 0);
  grid->addWidget(EWidth, 0, 1);
  grid->addWidget(new QLabel(TranslatedText("(max 240 Pixel)")), 0, 2);
  grid->addWidget(new QLabel(TranslatedText("Höhe")), 1, 0);
  grid->addWidget(EHeight, 1, 1);
  grid->addWidget(new QLabel(TranslatedText("(max. 104 Pixel)")), 1, 2);
  layout->addWidget(RBFree);
  layout->addLayout(grid);
  layout->addWidget(RBMax);
  layout->addWidget(Buttons(this, QStringLiteral("OK"), TranslatedText("Abbrechen")));
  connect(RBMax, &QRadioButton::toggled, this, [this](bool max) {
    if (max) {
      EWidth->setText(QStringLiteral("240"));
      EHeight->setText(QStringLiteral("104"));
    }
    EWidth->setEnabled(!max);
    EHeight->setEnabled(!max);
  });
}

void TDateiNeu::accept() {
  if (!NewPictureSize(FromQString(EWidth->text().trimmed()), FromQString(EHeight->text().trimmed()), PictureWidth,
                      PictureHeight)) {
    MessageDlg(this, TranslatedText(" Bitte geben Sie Werte für Höhe und Breite der Grafik ein ! "), TranslatedText("Hinweis"),
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  QDialog::accept();
}

// ------------------------------------------------------------------------------------------------

TLinientype::TLinientype(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Linentyp"));
  FitTitle(this);
  setModal(false);
  auto* layout = new QGridLayout(this);
  LStyle = new QListWidget;
  const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  for (Qt::PenStyle s : styles) {
    QPixmap p(80, 10);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setPen(QPen(Qt::black, 1, s));
    painter.drawLine(2, 5, 78, 5);
    painter.end();
    auto* item = new QListWidgetItem(QIcon(p), QString(), LStyle);
    item->setData(Qt::UserRole, static_cast<int>(s));
  }
  LStyle->setIconSize(QSize(80, 10));
  LWidth = new QListWidget;
  for (int w = 1; w <= 25; ++w) LWidth->addItem(QString::number(w));
  LPattern = new QListWidget;
  const Qt::BrushStyle patterns[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
                                     Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  for (Qt::BrushStyle b : patterns) {
    QPixmap p(40, 14);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setPen(Qt::black);
    painter.setBrush(QBrush(Qt::black, b));
    painter.drawRect(1, 1, 37, 11);
    painter.end();
    auto* item = new QListWidgetItem(QIcon(p), QString(), LPattern);
    item->setData(Qt::UserRole, static_cast<int>(b));
  }
  LPattern->setIconSize(QSize(40, 14));
  Sample = new QLabel;
  Sample->setFixedSize(250, 250);
  layout->addWidget(new QLabel(TranslatedText("Linientyp")), 0, 0);
  layout->addWidget(new QLabel(TranslatedText("Linienstärke")), 0, 1);
  layout->addWidget(new QLabel(TranslatedText("Füllmuster")), 0, 2);
  layout->addWidget(LStyle, 1, 0);
  layout->addWidget(LWidth, 1, 1);
  layout->addWidget(LPattern, 1, 2);
  layout->addWidget(Sample, 1, 3);
  LStyle->setCurrentRow(0);
  LWidth->setCurrentRow(0);
  LPattern->setCurrentRow(1);
  for (QListWidget* l : {LStyle, LWidth, LPattern})
    connect(l, &QListWidget::currentRowChanged, this, [this] { Changed(); });
  Changed();
}

Qt::PenStyle TLinientype::Style() const {
  return static_cast<Qt::PenStyle>(LStyle->currentItem()->data(Qt::UserRole).toInt());
}
int TLinientype::Width() const { return LWidth->currentRow() + 1; }
Qt::BrushStyle TLinientype::Pattern() const {
  return static_cast<Qt::BrushStyle>(LPattern->currentItem()->data(Qt::UserRole).toInt());
}

void TLinientype::Changed() {
  if (!LStyle->currentItem() || !LPattern->currentItem() || LWidth->currentRow() < 0) return;
  QPixmap p(Sample->size());
  p.fill(Qt::white);
  QPainter painter(&p);
  painter.setPen(QPen(Qt::black, Width(), Style()));
  painter.setBrush(QBrush(Qt::black, Pattern()));
  painter.drawRect(50, 50, 150, 150);
  painter.end();
  Sample->setPixmap(p);
  if (OnChange) OnChange(Style(), Width(), Pattern());
}

// ------------------------------------------------------------------------------------------------

TFarbtausch::TFarbtausch(QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Farbtausch:"));
  FitTitle(this);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const QColor colours[] = {Qt::black,    Qt::darkRed, Qt::darkGreen, Qt::darkYellow, Qt::darkBlue, Qt::darkMagenta,
                            Qt::darkCyan, Qt::gray,    Qt::darkGray,  Qt::red,        Qt::green,    Qt::yellow,
                            Qt::blue,     Qt::magenta, Qt::cyan,      Qt::white};
  int i = 0;
  for (const QColor& c : colours) {
    auto* cell = new QLabel;
    cell->setFixedSize(20, 20);
    cell->setAutoFillBackground(true);
    cell->setStyleSheet(QStringLiteral("background:%1; border:1px solid black").arg(c.name()));
    cell->setProperty("colour", c);
    cell->installEventFilter(this);
    grid->addWidget(cell, i / 8, i % 8);
    ++i;
  }
  layout->addLayout(grid);
  auto* row = new QHBoxLayout;
  LFore = new QLabel;
  LBack = new QLabel;
  for (QLabel* l : {LFore, LBack}) {
    l->setFixedSize(40, 20);
    row->addWidget(l);
  }
  layout->addLayout(row);
  BApply = new QPushButton(TranslatedText("Anwenden"));
  BBrighten = new QPushButton(TranslatedText("Bild aufhellen"));
  layout->addWidget(BApply);
  layout->addWidget(BBrighten);
  SetColours(Fore, Back);
}

void TFarbtausch::SetColours(const QColor& fore, const QColor& back) {
  Fore = fore;
  Back = back;
  LFore->setStyleSheet(QStringLiteral("background:%1; border:1px solid black").arg(fore.name()));
  LBack->setStyleSheet(QStringLiteral("background:%1; border:1px solid black").arg(back.name()));
}

bool TFarbtausch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress) return false;
  const QColor c = watched->property("colour").value<QColor>();
  if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
    SetColours(Fore, c);
  else
    SetColours(c, Back);
  return true;
}

// ------------------------------------------------------------------------------------------------

TEditor::TEditor(const QFont& font, QWidget* parent) : QDialog(parent) {
  setWindowTitle(TranslatedText("Editor"));
  FitTitle(this);
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  Fonts = new QFontComboBox;
  Fonts->setCurrentFont(font);
  Size = new QSpinBox;
  Size->setRange(4, 96);
  Size->setValue(font.pointSize() > 0 ? font.pointSize() : 8);
  row->addWidget(Fonts, 1);
  row->addWidget(Size);
  layout->addLayout(row);
  Memo = new QPlainTextEdit;
  Memo->setFont(font);
  layout->addWidget(Memo);
  layout->addWidget(Buttons(this, QStringLiteral("OK"), TranslatedText("Abbruch")));
  auto apply = [this] { Memo->setFont(ChosenFont()); };
  connect(Fonts, &QFontComboBox::currentFontChanged, this, apply);
  connect(Size, &QSpinBox::valueChanged, this, apply);
}

QFont TEditor::ChosenFont() const {
  QFont f = Fonts->currentFont();
  f.setPointSize(Size->value());
  return f;
}

// ------------------------------------------------------------------------------------------------

TPreview::TPreview(QWidget* parent) : QWidget(parent, Qt::Tool) { setWindowTitle(QStringLiteral("Preview")); }

void TPreview::Show(const QImage& document, const QRect& visible, const QSize& client) {
  fImage = document;
  fVisible = visible;
  resize(client);
  update();
}

void TPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, fImage, fVisible.x(), fVisible.y());
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  p.drawRect(0, 0, std::min(fVisible.width(), width() - 1), std::min(fVisible.height(), height() - 1));
}

}  // namespace zyn
