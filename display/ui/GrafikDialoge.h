#pragma once
// The companions of the graphic editor: the picture file dialog (also used by the designer to
// insert graphics), the new-picture dialog, the pen, colour and text dialogs and the overview.

#include <QDialog>
#include <QImage>
#include <QPen>

#include <functional>
#include <string>

class QCheckBox;
class QFileSystemModel;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeView;

namespace zyn {

// The options' graphics folder when it exists, else the home folder.
QString GraphicsFolder();

// "Datei laden ...": a path field, folders, the BMP files of the folder, a preview. It starts in
// the given folder, or in the options' graphics folder.
class TLadenDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TLadenDialog(QWidget* parent = nullptr, const QString& folder = QString());
  QLineEdit* EPath = nullptr;
  QTreeView* Folders = nullptr;
  QListView* Files = nullptr;
  QLabel* Preview = nullptr;
  QCheckBox* CBPreview = nullptr;
  QPushButton* BOpen = nullptr;
  // The chosen file after OK (UTF-8 path), empty after Cancel.
  const std::string& ChosenFile() const { return fChosen; }
  void SetFolder(const QString& folder);
  // What clicking a file does: shows it when the preview is on.
  void ShowFile(const QString& path);
  // Takes the path field: a folder is shown, a file chosen (true); a path that names neither is
  // reported.
  bool TakePath();
  void accept() override;
  void done(int result) override;
  const QString& Folder() const { return fFolder; }

 private:
  QString fFolder;
  QFileSystemModel* fFolders;
  QFileSystemModel* fFiles;
  QString fSelected;
  std::string fChosen;
};

// "Neue Grafik erstellen".
class TDateiNeu : public QDialog {
  Q_OBJECT
 public:
  explicit TDateiNeu(QWidget* parent = nullptr);
  QRadioButton* RBFree = nullptr;
  QRadioButton* RBMax = nullptr;
  QLineEdit* EWidth = nullptr;
  QLineEdit* EHeight = nullptr;
  int PictureWidth = 240;
  int PictureHeight = 104;
  void accept() override;
};

// "Linentyp": line style, pen width and fill pattern; each choice applies at once.
class TLinientype : public QDialog {
  Q_OBJECT
 public:
  explicit TLinientype(QWidget* parent = nullptr);
  QListWidget* LStyle = nullptr;
  QListWidget* LWidth = nullptr;
  QListWidget* LPattern = nullptr;
  QLabel* Sample = nullptr;
  std::function<void(Qt::PenStyle style, int width, Qt::BrushStyle pattern)> OnChange;
  Qt::PenStyle Style() const;
  int Width() const;
  Qt::BrushStyle Pattern() const;

 private:
  void Changed();
};

// "Farbtausch:": foreground and background colour from a grid; "Anwenden" and "Bild aufhellen".
class TFarbtausch : public QDialog {
  Q_OBJECT
 public:
  explicit TFarbtausch(QWidget* parent = nullptr);
  QColor Fore = Qt::black;
  QColor Back = Qt::white;
  QLabel* LFore = nullptr;
  QLabel* LBack = nullptr;
  QPushButton* BApply = nullptr;
  QPushButton* BBrighten = nullptr;
  void SetColours(const QColor& fore, const QColor& back);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// "Editor": text lines drawn into the picture in a chosen font.
class TEditor : public QDialog {
  Q_OBJECT
 public:
  explicit TEditor(const QFont& font, QWidget* parent = nullptr);
  QPlainTextEdit* Memo = nullptr;
  QFontComboBox* Fonts = nullptr;
  QSpinBox* Size = nullptr;
  QFont ChosenFont() const;
};

// "Preview": the unzoomed picture with the visible part framed.
class TPreview : public QWidget {
 public:
  explicit TPreview(QWidget* parent = nullptr);
  void Show(const QImage& document, const QRect& visible, const QSize& client);
  // The picture shown and its visible part.
  const QImage& Picture() const { return fImage; }
  const QRect& Visible() const { return fVisible; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage fImage;
  QRect fVisible;
};

}  // namespace zyn
