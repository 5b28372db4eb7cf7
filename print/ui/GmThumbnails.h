#pragma once
// A scrolling strip of small page images beside a preview: one thumbnail per page, the current
// page highlighted, a click makes that page current, a thumbnail dragged onto the preview's page
// carries its page number.

#include "print/ui/GmPaperImage.h"
#include "print/ui/GmPreview.h"

#include <QFont>
#include <QPointer>
#include <QScrollArea>

#include <string>
#include <vector>

#include <QMenu>

namespace zyn {

enum TGmThumbNailLayout { gmThumbHorz, gmThumbVert, gmThumbGrid };
enum TGmHighlightStyle { gmThinLine, gmThickLine, gmBackground };

class TGmThumbnails;

// The data of a thumbnail being dragged: its page number as decimal text.
inline constexpr const char* kGmPageMime = "application/x-zyn-page-number";

class TGmThumbnail : public TGmPaperImage {
  Q_OBJECT
 public:
  TGmThumbnail(TGmThumbnails* strip, int index);
  int Index() const { return fIndex; }
  bool Selected() const { return fSelected; }
  void SetSelected(bool s);
  QString Caption() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void PaintExtras(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  TGmThumbnails* fStrip;
  int fIndex;
  bool fSelected = false;
  QPoint fPressAt;
  bool fPressed = false;
};

class TGmThumbnails : public QScrollArea {
  Q_OBJECT
 public:
  explicit TGmThumbnails(QWidget* parent = nullptr);
  ~TGmThumbnails() override;

  TGmPreview* Preview() const { return fPreview; }
  // Unlinks from the previous preview, links to the new one and rebuilds.
  void SetPreview(TGmPreview* preview);

  // Settings: the layout ones lay the thumbnails out again, the size ones rebuild the strip, the
  // look ones repaint it.
  int GridWidth() const { return fGridWidth; }
  void SetGridWidth(int width);
  TGmThumbNailLayout Layout() const { return fLayout; }
  void SetLayout(TGmThumbNailLayout layout);
  bool ShowCaption() const { return fShowCaption; }
  void SetShowCaption(bool show);
  int ThumbSize() const { return fThumbSize; }
  void SetThumbSize(int size);
  int ThumbSpacing() const { return fThumbSpacing; }
  void SetThumbSpacing(int spacing);
  const QFont& CaptionFont() const { return fCaptionFont; }
  void SetCaptionFont(const QFont& font);
  bool Highlight() const { return fHighlight; }
  void SetHighlight(bool on);
  TGmHighlightStyle HighlightStyle() const { return fHighlightStyle; }
  void SetHighlightStyle(TGmHighlightStyle style);
  const std::string& PageCaptions() const { return fPageCaptions; }
  void SetPageCaptions(const std::string& captions);
  bool PlainPages() const { return fPlain; }
  void SetPlainPages(bool plain);
  const QColor& SelectedColor() const { return fSelectedColor; }
  void SetSelectedColor(const QColor& colour);
  const TGmShadow& Shadow() const { return fShadow; }
  void SetShadow(const TGmShadow& shadow);
  bool ScrollIntoView = true;
  // The menu of a right click on a thumbnail; PopupIndex tells which one it was opened on.
  QMenu* ThumbPopup() const { return fPopup; }
  void SetThumbPopup(QMenu* menu) { fPopup = menu; }
  int PopupIndex() const { return fPopupIndex; }
  void ShowPopup(int index, const QPoint& globalPos);

  int Count() const { return static_cast<int>(fThumbs.size()); }
  TGmThumbnail* Thumbnail(int index) const { return fThumbs[static_cast<size_t>(index)]; }
  int SelectedIndex() const { return fSelected; }
  void Select(int index);
  void Rebuild();
  // How many times the strip was rebuilt (every thumbnail made anew).
  int Rebuilds() const { return fRebuilds; }

  // What the preview tells its strips.
  virtual void PreviewMessage(TGmStripMessage message);
  void PreviewDestroyed();
  bool Updating() const { return fUpdate > 0; }
  void ThumbClicked(int index);

 private:
  void LayoutThumbs();
  void Repaint();
  void Free();

  TGmPreview* fPreview = nullptr;
  QWidget* fBox;
  std::vector<TGmThumbnail*> fThumbs;
  TGmThumbNailLayout fLayout = gmThumbHorz;
  int fGridWidth = 4;
  bool fShowCaption = true;
  int fThumbSize = 4;
  int fThumbSpacing = 8;
  QFont fCaptionFont;
  bool fHighlight = true;
  TGmHighlightStyle fHighlightStyle = gmThickLine;
  std::string fPageCaptions = "#";
  bool fPlain = false;
  QColor fSelectedColor = Qt::blue;
  TGmShadow fShadow;
  QPointer<QMenu> fPopup;
  int fPopupIndex = -1;
  int fSelected = -1;
  int fUpdate = 0;
  int fRebuilds = 0;
};

}  // namespace zyn
