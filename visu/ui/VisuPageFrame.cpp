#include "visu/ui/VisuPageFrame.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Translation.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"

#include <QApplication>
#include <QBuffer>
#include <QMainWindow>
#include <QMouseEvent>

namespace zyn {

namespace {

void ShowFailure(const char* german) { TranslatedMessageDlg(Ansi(german), mtError, mbOK); }

// The main window of the application: the top-level main window, else the first visible window.
QWidget* MainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w)) return w;
  return nullptr;
}

}  // namespace

// ---- TVisuBaseFrame -----------------------------------------------------------------------------

TVisuBaseFrame::TVisuBaseFrame(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
  SetColor(TVisuColors::clBtnFace);
}

void TVisuBaseFrame::SetColor(int32_t color) {
  fColor = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, VisuColor(color));
  setPalette(pal);
  update();
}

TVisuBaseFrame::~TVisuBaseFrame() = default;

void TVisuBaseFrame::SetPageName(const std::string& name) {
  Record().Name = name;
  setObjectName(ToQString(name));
}

bool TVisuBaseFrame::SetBitmapData(const std::vector<uint8_t>& bmp) {
  QImage image;
  if (!bmp.empty() && image.loadFromData(bmp.data(), int(bmp.size()), "BMP")) {
    fBitmap = image;
    fBitmapData = bmp;
    update();
    return true;
  }
  fBitmap = QImage();
  fBitmapData.clear();
  update();
  return false;
}

void TVisuBaseFrame::SetBitmap(const QImage& image) {
  fBitmap = image;
  fBitmapData.clear();
  if (!image.isNull()) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    fBitmapData.assign(bytes.begin(), bytes.end());
  }
  update();
}

std::vector<TVisuComponent*> TVisuBaseFrame::Controls() const {
  std::vector<TVisuComponent*> controls;
  for (QObject* child : children())
    if (auto* c = dynamic_cast<TVisuComponent*>(child)) controls.push_back(c);
  return controls;
}

TComponentRecord TVisuBaseFrame::MakeRecord() const {
  TComponentRecord rec;
  rec.ClassName = Record().ClassName.empty() ? kClassName : Record().ClassName;
  rec.Name = Record().Name;
  auto& props = rec.Properties;
  PutInt(props, "Left", x());
  PutInt(props, "Top", y());
  PutInt(props, "Width", width());
  PutInt(props, "Height", height());
  if (fColor != TVisuColors::clBtnFace) PutColor(props, "Color", fColor);
  if (!fBitmapData.empty()) {
    std::vector<uint8_t> data;
    const uint32_t n = uint32_t(fBitmapData.size());
    for (int i = 0; i < 4; ++i) data.push_back(uint8_t(n >> (8 * i)));
    data.insert(data.end(), fBitmapData.begin(), fBitmapData.end());
    props.push_back({"Bitmap.Data", TFilerValue::Binary(std::move(data))});
  }
  PutBool(props, "Designing", fDesigning);
  PutText(props, "DisplayName", DisplayNameText);
  PutInt(props, "InsertComponent", InsertComponent);
  PutBool(props, "StretchBitmap", StretchBitmap);
  props.insert(props.end(), fKept.begin(), fKept.end());
  for (const TVisuComponent* c : Controls()) rec.Children.push_back(c->MakeRecord());
  rec.Children.insert(rec.Children.end(), fForeign.begin(), fForeign.end());
  return rec;
}

void TVisuBaseFrame::SetRecord(TComponentRecord record) {
  RegisterVisuClasses();
  fKept.clear();
  fForeign.clear();
  fBuildError.clear();
  setObjectName(ToQString(record.Name));
  SetColor(TVisuColors::clBtnFace);
  auto note = [this](const std::string& text) {
    if (fBuildError.empty()) fBuildError = text;
  };
  for (const TPropertyRecord& p : record.Properties) {
    try {
      if (p.Name == "Left")
        move(p.Value.AsInteger(), y());
      else if (p.Name == "Top")
        move(x(), p.Value.AsInteger());
      else if (p.Name == "Width")
        resize(p.Value.AsInteger(), height());
      else if (p.Name == "Height")
        resize(width(), p.Value.AsInteger());
      else if (p.Name == "Color")
        SetColor(ReadColorValue(p.Value));
      else if (p.Name == "Designing")
        fDesigning = p.Value.AsBoolean();
      else if (p.Name == "DisplayName")
        DisplayNameText = p.Value.AsString();
      else if (p.Name == "InsertComponent")
        InsertComponent = p.Value.AsInteger();
      else if (p.Name == "StretchBitmap")
        StretchBitmap = p.Value.AsBoolean();
      else if (p.Name == "Bitmap.Data") {
        const std::vector<uint8_t> data = p.Value.AsBinary();
        if (data.size() < 4 || !SetBitmapData(std::vector<uint8_t>(data.begin() + 4, data.end()))) {
          fKept.push_back(p);
          note(Ansi("Das Hintergrundbild der Seite ist beschädigt"));
        }
      } else
        fKept.push_back(p);
    } catch (const EZYNError& e) {
      fKept.push_back(p);
      note(e.what());
    }
  }
  const bool designing = fDesigning;
  for (const TComponentRecord& child : record.Children) {
    TVisuComponent* c = CreateVisuComponent(child.ClassName, this);
    if (!c) {
      fForeign.push_back(child);
      note(Ansi("Klasse ") + child.ClassName + Ansi(" nicht gefunden"));
      continue;
    }
    try {
      c->ReadRecord(child);
      if (auto* d = dynamic_cast<IVisuDesigner*>(c)) d->SetDesigning(designing);
      c->Self()->show();
    } catch (const EZYNError& e) {
      delete c->Self();
      fForeign.push_back(child);
      note(e.what());
    }
  }
  record.Children.clear();
  TVisuPage::SetRecord(std::move(record));
  update();
}

int TVisuBaseFrame::EditControlRecords(const TRecordEdit& edit) {
  int changed = 0;
  for (TVisuComponent* c : Controls()) {
    TComponentRecord rec = c->MakeRecord();
    const int n = edit(rec);
    if (n == 0) continue;
    c->ReadRecord(rec);
    c->Self()->update();
    changed += n;
  }
  for (TComponentRecord& rec : fForeign) changed += edit(rec);
  return changed;
}

void TVisuBaseFrame::Clear() {
  NewBitmap();
  std::vector<TVisuComponent*> controls = Controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) delete (*it)->Self();
  fForeign.clear();
}

bool TVisuBaseFrame::LoadFromStream(const std::vector<uint8_t>& resource) {
  Clear();
  try {
    SetRecord(RecordFromResource(resource));
  } catch (const EZYNError&) {
    ShowFailure("Fehler beim Laden des Frames");
    return false;
  }
  move(0, 0);
  if (!fBuildError.empty()) {
    ShowFailure("Fehler beim Laden des Frames");
    return false;
  }
  return true;
}

std::vector<uint8_t> TVisuBaseFrame::SaveToStream() const {
  try {
    return ResourceBytes(MakeRecord(), Name());
  } catch (const EZYNError&) {
    ShowFailure("Fehler beim Schreiben des Frames");
    return {};
  }
}

void TVisuBaseFrame::NewBitmap() {
  fBitmap = QImage();
  fBitmapData.clear();
  update();
}

void TVisuBaseFrame::ClearBitmap() { NewBitmap(); }

bool TVisuBaseFrame::LoadPageFile(const std::string& fileName) {
  Clear();
  try {
    TVisuPage::LoadFromFile(fileName);
  } catch (const EZYNError&) {
    ShowFailure("Fehler beim Laden der Seite");
    return false;
  }
  if (QWidget* main = MainWindow()) {
    const QRect r = main->contentsRect();
    setGeometry(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  }
  update();
  return fBuildError.empty();
}

bool TVisuBaseFrame::SavePageFile(const std::string& fileName) const {
  try {
    TVisuPage::SaveToFile(fileName);
    return true;
  } catch (const EZYNError&) {
    ShowFailure("Fehler beim Schreiben des Frames");
    return false;
  }
}

void TVisuBaseFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  if (fBitmap.isNull()) return;
  if (StretchBitmap)
    p.drawImage(rect(), fBitmap);
  else
    p.drawImage(QPoint(0, 0), fBitmap);
}

// ---- TVisuDesignFrame ---------------------------------------------------------------------------

TVisuDesignFrame::TVisuDesignFrame(QWidget* parent) : TVisuBaseFrame(parent), fHooks(new TVisuDesignHooks(this)) {
  InsertComponent = -1;
  AskCaption = [](const std::string& caption, const std::string& prompt, const std::string& def) {
    return FromQString(InputBox(ToQString(caption), ToQString(prompt), ToQString(def)));
  };
}

void TVisuDesignFrame::NewClientBitmap() {
  QImage image(contentsRect().size(), QImage::Format_RGB32);
  if (image.isNull()) {
    NewBitmap();
    return;
  }
  image.fill(Qt::white);
  SetBitmap(image);
}

TComponentRecord TVisuDesignFrame::MakeRecord() const {
  TComponentRecord rec = TVisuBaseFrame::MakeRecord();
  rec.SetProperty("Designing", TFilerValue::Boolean(false));
  return rec;
}

void TVisuDesignFrame::SetRecord(TComponentRecord record) {
  const bool designing = fDesigning;
  TVisuBaseFrame::SetRecord(std::move(record));
  if (designing && !fDesigning) SetDesigning(true);
}

template <class F>
void TVisuDesignFrame::ForEachDesigner(F&& f) {
  // Depth first: a control, then its own parts.
  std::function<void(QObject*)> walk = [&](QObject* parent) {
    for (QObject* child : parent->children()) {
      if (auto* d = dynamic_cast<IVisuDesigner*>(child)) f(d);
      walk(child);
    }
  };
  walk(this);
}

void TVisuDesignFrame::SetDesigning(bool on) {
  if (on == fDesigning) return;
  fDesigning = on;
  ForEachDesigner([on](IVisuDesigner* d) { d->SetDesigning(on); });
}

void TVisuDesignFrame::HookDesignMouse() {
  auto down = [this](QWidget* s, QMouseEvent* e) { DesignMouseDown(s, e); };
  auto move = [this](QWidget* s, QMouseEvent* e) { DesignMouseMove(s, e); };
  auto up = [this](QWidget* s, QMouseEvent* e) { DesignMouseUp(s, e); };
  fHooks->SetMouse(down, up, move);
  ForEachDesigner([&](IVisuDesigner* d) { d->SetMouseHandler(down, up, move); });
}

void TVisuDesignFrame::SetDragDropHandlers(TVisuDragOverEvent over, TVisuDragDropEvent drop) {
  ForEachDesigner([&](IVisuDesigner* d) { d->SetDragDropHandler(over, drop); });
}

void TVisuDesignFrame::DesignMouseDown(QWidget* sender, QMouseEvent* e) {
  const QPoint at = e->position().toPoint();
  if (sender == this) {
    if (e->button() == Qt::LeftButton && InsertComponent != -1) InsertControl(InsertComponent, at.x(), at.y());
    return;
  }
  if (e->button() == Qt::LeftButton) {
    fDragStart = at;
    fDragging = true;
    fDragged = dynamic_cast<IVisuDesigner*>(sender);
  } else if (e->button() == Qt::RightButton) {
    fPopup = dynamic_cast<TVisuComponent*>(sender);
    if (ControlMenu) ControlMenu->popup(sender->mapToGlobal(at));
  }
}

void TVisuDesignFrame::DesignMouseMove(QWidget* sender, QMouseEvent* e) {
  if (!fDragging || !(e->buttons() & Qt::LeftButton) || sender == this) return;
  auto* d = dynamic_cast<IVisuDesigner*>(sender);
  if (!d || d != fDragged) return;
  const QPoint at = e->position().toPoint();
  const QPoint before = sender->pos();
  d->SetPosition(at.x() + sender->x() - fDragStart.x(), at.y() + sender->y() - fDragStart.y());
  if (sender->pos() != before && OnModified) OnModified();
}

void TVisuDesignFrame::DesignMouseUp(QWidget*, QMouseEvent*) {
  fDragging = false;
  fDragged = nullptr;
}

TVisuComponent* TVisuDesignFrame::InsertControl(int index, int x, int y) {
  TVisuComponent* c = CreatePaletteControl(index, this);
  if (c) {
    if (index == 17) static_cast<TExitButton*>(c)->SetCaption(TranslateText("Beenden"));
    if (index == 18 || index == 19) {
      auto* b = static_cast<TVisuSTMConnectButton*>(c);
      b->ConnectType = index == 18 ? TConnectType::ctConnect : TConnectType::ctDisconnect;
      b->SetCaption(TranslateText(index == 18 ? "Anmelden" : "Abmelden"));
    }
    if (auto* b = dynamic_cast<TVisuPushButton*>(c)) b->FitCaption();
    // A new label shows what it is, not its class name.
    if (index == 12) static_cast<TVisuText*>(c)->SetCaption(TranslateText("Standardtext"));
    auto* d = dynamic_cast<IVisuDesigner*>(c);
    if (!d) {
      delete c->Self();
      c = nullptr;
    } else {
      d->SetPosition(x, y);
      d->SetVisuParent(this);
      if (auto* nav = dynamic_cast<TNavigationButton*>(c)) {
        nav->SetCaption(AskCaption(TranslateText("Bezeichnung eingeben"),
                                   TranslateText(Ansi("Bitte geben Sie die Bezeichnung für")) + "\r\n" +
                                       TranslateText("den Navigationsbutton ein"),
                                   TranslateText("unbenannt")));
      }
      d->SetDesigning(fDesigning);
      auto down = [this](QWidget* s, QMouseEvent* e) { DesignMouseDown(s, e); };
      auto move = [this](QWidget* s, QMouseEvent* e) { DesignMouseMove(s, e); };
      auto up = [this](QWidget* s, QMouseEvent* e) { DesignMouseUp(s, e); };
      d->SetMouseHandler(down, up, move);
      if (OnNewControl) OnNewControl(this, c);
      if (OnModified) OnModified();
    }
  }
  update();
  InsertComponent = -1;
  return c;
}

std::unique_ptr<TVisuPage> MakeVisuDesignPage() {
  auto page = std::make_unique<TVisuDesignFrame>();
  page->SetDesigning(true);
  return page;
}

}  // namespace zyn
