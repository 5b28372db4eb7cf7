#pragma once
// A scrolling strip of small page images beside a preview: one thumbnail per page, the current
// page highlighted, a click makes that page current.

#include "print/ui/GmPaperImage.h"

#include <QFont>
#include <QScrollArea>

#include <string>
#include <vector>

namespace zyn {

class TGmPreview;

enum TGmThumbNailLayout { gmThumbHorz, gmThumbVert, gmThumbGrid };
enum TGmHighlightStyle { gmThinLine, gmThickLine, gmBackground };

class TGmThumbnails;

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

 private:
  TGmThumbnails* fStrip;
  int fIndex;
  bool fSelected = false;
};

class TGmThumbnails : public QScrollArea {
  Q_OBJECT
 public:
  explicit TGmThumbnails(QWidget* parent = nullptr);
  ~TGmThumbnails() override;

  TGmPreview* Preview() const { return fPreview; }
  // Unlinks from the previous preview, links to the new one and rebuilds.
  void SetPreview(TGmPreview* preview);

  int GridWidth = 4;
  bool Highlight = true;
  TGmHighlightStyle HighlightStyle = gmThickLine;
  std::string PageCaptions = "#";
  bool ScrollIntoView = true;
  QColor SelectedColor = Qt::blue;
  bool ShowCaption = true;
  int ThumbSize = 4;
  int ThumbSpacing = 8;
  QFont CaptionFont;
  TGmShadow Shadow;

  TGmThumbNailLayout Layout() const { return fLayout; }
  void SetLayout(TGmThumbNailLayout layout);
  bool PlainPages() const { return fPlain; }
  void SetPlainPages(bool plain);

  int Count() const { return static_cast<int>(fThumbs.size()); }
  TGmThumbnail* Thumbnail(int index) const { return fThumbs[static_cast<size_t>(index)]; }
  int SelectedIndex() const { return fSelected; }
  void Select(int index);
  void Rebuild();

  // What the preview tells its strips.
  void UpdateBegins() { ++fUpdate; }
  void UpdateEnds();
  void PageCountChanged() {
    if (fUpdate == 0) Rebuild();
  }
  void CurrentPageChanged();
  void Repaint();
  void PreviewDestroyed();
  bool Updating() const { return fUpdate > 0; }
  void ThumbClicked(int index);

 private:
  void LayoutThumbs();
  void Free();

  TGmPreview* fPreview = nullptr;
  QWidget* fBox;
  std::vector<TGmThumbnail*> fThumbs;
  TGmThumbNailLayout fLayout = gmThumbHorz;
  bool fPlain = false;
  int fSelected = -1;
  int fUpdate = 0;
};

}  // namespace zyn
