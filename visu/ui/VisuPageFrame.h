#pragma once
// A visualisation page as a widget: it owns and shows its controls over an optional background
// picture, builds them from the page's component record and the record from them. The design
// page adds design mode for all controls, inserting a control of a palette kind where the user
// clicks, dragging controls and the control menu on the right button.

#include "visu/VisuPage.h"
#include "visu/ui/VisuComponent.h"

#include <QImage>
#include <QMenu>
#include <QWidget>

#include <functional>
#include <memory>

namespace zyn {

class TVisuBaseFrame : public QWidget, public TVisuPage {
 public:
  using TNewControlEvent = std::function<void(TVisuBaseFrame* sender, TVisuComponent* control)>;

  explicit TVisuBaseFrame(QWidget* parent = nullptr);
  ~TVisuBaseFrame() override;

  // The background picture and its stored form (a BMP file); null for none.
  const QImage& Bitmap() const { return fBitmap; }
  // The picture from a BMP file's bytes; false (and no picture) when they are none.
  bool SetBitmapData(const std::vector<uint8_t>& bmp);
  void SetBitmap(const QImage& image);
  QMenu* ControlMenu = nullptr;
  bool Designing() const { return fDesigning; }
  std::string DisplayNameText;  // the page's name for the user
  std::string DisplayName() const override { return DisplayNameText; }
  int32_t InsertComponent = -1;
  TNewControlEvent OnNewControl;
  bool StretchBitmap = true;
  void SetPageName(const std::string& name);
  // The page's colour as the component record holds it ($00BBGGRR or a system colour; stored as
  // "Color" unless it is clBtnFace, the colour after creation).
  int32_t Color() const { return fColor; }
  void SetColor(int32_t color);

  // The controls in creation order.
  std::vector<TVisuComponent*> Controls() const;
  // Child records whose class is not known here or that failed to read: kept and written back.
  const std::vector<TComponentRecord>& ForeignRecords() const { return fForeign; }
  // What went wrong while the last record was built ("" when nothing).
  const std::string& LastBuildError() const { return fBuildError; }

  TComponentRecord MakeRecord() const override;
  void SetRecord(TComponentRecord record) override;

  // NewBitmap, then every control goes, the last first.
  virtual void Clear();
  // Reads a component resource into the page (Left and Top 0); a failure is shown
  // ("Fehler beim Laden des Frames") and the page keeps what was read. True when it went well.
  virtual bool LoadFromStream(const std::vector<uint8_t>& resource);
  // The page as a component resource named after the page; empty after a failure, which is shown.
  virtual std::vector<uint8_t> SaveToStream() const;
  virtual void NewBitmap();
  // Reads a ".vpg" file; the page then takes the main window's client area. Failures are shown
  // ("Fehler beim Laden der Seite").
  virtual bool LoadPageFile(const std::string& fileName);
  // Writes a ".vpg" file named after the page class; failures are shown.
  virtual bool SavePageFile(const std::string& fileName) const;
  virtual void ClearBitmap();

 protected:
  void paintEvent(QPaintEvent*) override;
  // The records of the live controls: a control whose record the edit changed reads it back and
  // repaints; the records kept for unknown classes are edited as they are.
  int EditControlRecords(const TRecordEdit& edit) override;
  bool fDesigning = false;

 private:
  QImage fBitmap;
  int32_t fColor = TVisuColors::clBtnFace;
  std::vector<uint8_t> fBitmapData;
  std::vector<TPropertyRecord> fKept;
  std::vector<TComponentRecord> fForeign;
  std::string fBuildError;
};

class TVisuDesignFrame : public TVisuBaseFrame {
 public:
  explicit TVisuDesignFrame(QWidget* parent = nullptr);

  // Asks the caption of a new navigation button (the input box unless replaced).
  std::function<std::string(const std::string& caption, const std::string& prompt, const std::string& def)> AskCaption;
  // Called when a control was inserted or moved (the designer sets the project's Modified flag).
  std::function<void()> OnModified;

  virtual void NewClientBitmap();
  // Written as out of design mode; a page read in design mode stays in it with all its controls.
  TComponentRecord MakeRecord() const override;
  void SetRecord(TComponentRecord record) override;
  // Passes design mode to every control (and their parts) when it changes.
  void SetDesigning(bool on);
  // The page's mouse handlers on the page and on every control.
  void HookDesignMouse();
  void SetDragDropHandlers(TVisuDragOverEvent over, TVisuDragDropEvent drop);
  // Inserts a control of the palette index at (x, y) as a click with InsertComponent would.
  TVisuComponent* InsertControl(int index, int x, int y);
  // The control the control menu was opened for.
  TVisuComponent* PopupComponent() const { return fPopup; }

  void DesignMouseDown(QWidget* sender, QMouseEvent* event);
  void DesignMouseMove(QWidget* sender, QMouseEvent* event);
  void DesignMouseUp(QWidget* sender, QMouseEvent* event);

 private:
  template <class F>
  void ForEachDesigner(F&& f);
  TVisuDesignHooks* fHooks;
  QPoint fDragStart;
  bool fDragging = false;
  IVisuDesigner* fDragged = nullptr;
  TVisuComponent* fPopup = nullptr;
};

// The control of a palette index (0 to 20) with the owner as parent; nullptr for other indexes.
TVisuComponent* CreatePaletteControl(int index, QWidget* owner);
// Pages for the project: visual design pages.
std::unique_ptr<TVisuPage> MakeVisuDesignPage();

}  // namespace zyn
