#pragma once
// The explanatory box at the top of many pages: a framed, coloured rectangle with a small picture
// (error, information, question or warning) at its left and a wrapped text beside it. Its look is
// held in an options object.

#include "platform/Canvas.h"
#include "widgets/common/WidgetTypes.h"

#include <QWidget>

#include <functional>

namespace zyn {

enum TFourthHintPanelImage { piError, piInformation, piQuestion, piWarning, piWarning2, piCustom };
enum TFourthHintPanelVertAlignment { vaTop, vaCenter, vaBottom };
enum TFourthHintPanelHorzAlignment { haLeft, haCenter, haRight };

// The built-in 16 x 16 picture of a kind (null for piCustom).
QImage HintPanelPicture(TFourthHintPanelImage kind);

class TFourthHintPanelOptions {
 public:
  explicit TFourthHintPanelOptions(std::function<void()> changed = {});

  TColor BackgroundColor() const { return fBackgroundColor; }
  void SetBackgroundColor(TColor c);
  TColor BorderColor() const { return fBorderColor; }
  void SetBorderColor(TColor c);
  int LeftBorder() const { return fLeftBorder; }
  void SetLeftBorder(int v);
  int TopBorder() const { return fTopBorder; }
  void SetTopBorder(int v);
  int RightBorder() const { return fRightBorder; }
  void SetRightBorder(int v);
  TFourthHintPanelImage PanelImage() const { return fPanelImage; }
  void SetPanelImage(TFourthHintPanelImage kind);
  const QImage& CustomPanelImage() const { return fCustomImage; }
  void SetCustomPanelImage(const QImage* image);  // nullptr keeps the picture
  TColor TransparentColor() const { return fTransparentColor; }
  void SetTransparentColor(TColor c);
  bool WordWrap() const { return fWordWrap; }
  void SetWordWrap(bool v);
  TFourthHintPanelVertAlignment VertAlignment() const { return fVert; }
  void SetVertAlignment(TFourthHintPanelVertAlignment v);
  TFourthHintPanelHorzAlignment HorzAlignment() const { return fHorz; }
  void SetHorzAlignment(TFourthHintPanelHorzAlignment v);
  // The picture drawn (the built-in one, or the custom one for piCustom) with its transparency.
  QImage ShownPicture() const;

 private:
  void Changed();
  std::function<void()> fChanged;
  TColor fBackgroundColor = clInfoBk;
  TColor fBorderColor = clBtnShadow;
  int fLeftBorder = 3, fTopBorder = 3, fRightBorder = 3;
  TFourthHintPanelImage fPanelImage = piInformation;
  QImage fBuiltIn;
  QImage fCustomImage;
  TColor fTransparentColor = clNone;
  bool fWordWrap = true;
  TFourthHintPanelVertAlignment fVert = vaTop;
  TFourthHintPanelHorzAlignment fHorz = haLeft;
};

class TFourthHintPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TFourthHintPanel(QWidget* parent = nullptr);

  TFourthHintPanelOptions& Options() { return fOptions; }
  // The caption as stored: every "&" doubled, so that it shows as it is.
  const QString& Caption() const { return fCaption; }
  void SetCaption(const QString& caption);
  // The rectangle the text is drawn into.
  TRect TextRect() const;

  TSenderEvent OnMouseEnter, OnMouseLeave, OnClick, OnDblClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  TFourthHintPanelOptions fOptions;
  QString fCaption;
  QString fRawCaption;
};

}  // namespace zyn
