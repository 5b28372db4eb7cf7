#include "shell/FrameManager.h"

#include <QResizeEvent>

namespace zyn {

TFrameObject::TFrameObject(TFrame* frame, QString title) : TitleText(std::move(title)), fFrame(frame) {}

TFrameObject::~TFrameObject() { FreeFrame(); }

void TFrameObject::FreeFrame() {
  TFrame* frame = fFrame;
  fFrame = nullptr;
  if (!frame) return;
  frame->hide();
  frame->setParent(nullptr);
  delete frame;
}

int TFrameListe::IndexOf(const QString& key) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].key.compare(key, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

int TFrameListe::Add(const QString& key, std::unique_ptr<TFrameObject> object) {
  fItems.push_back({key, std::move(object)});
  return Count() - 1;
}

void TFrameListe::Clear() {
  for (size_t i = fItems.size(); i-- > 0;) {
    try {
      if (fItems[i].object) fItems[i].object->FreeFrame();
    } catch (...) {
      // a frame that fails while being freed must not keep the others alive
    }
    try {
      fItems[i].object.reset();
    } catch (...) {
    }
  }
  fItems.clear();
}

TFrameManager::TFrameManager(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  SetColor(fEmptyColor);
}

TFrameManager::~TFrameManager() {
  fDestroying = true;
  fCurrentObject = nullptr;
  fCurrentFrame.clear();
  ClearFrames();
}

int TFrameManager::AddFrame(TFrame* frame, const QString& title, TFramePosition position) {
  if (!frame) return -1;
  const QString name = frame->objectName();
  if (fFrames.IndexOf(name) >= 0) return -1;
  frame->hide();
  auto entry = std::make_unique<TFrameObject>(frame, title);
  entry->FramePosition = position;
  const int index = fFrames.Add(name, std::move(entry));
  if (OnFrameAdded) OnFrameAdded(this, frame, name);
  return index;
}

TFrame* TFrameManager::GetFrame(const QString& name) const {
  const int index = fFrames.IndexOf(name);
  return index < 0 ? nullptr : fFrames.Object(index)->Frame();
}

void TFrameManager::LeaveFrame(TFrameObject* entry) {
  TFrame* frame = entry->Frame();
  if (frame) {
    if (auto* page = dynamic_cast<IFrameMessage*>(frame)) page->FrameDeactivate();
    frame->hide();
    frame->setParent(nullptr);
  }
  fCurrentObject = nullptr;
  fCurrentFrame.clear();
}

void TFrameManager::SetCurrentFrame(const QString& name) {
  // The current page, in whatever spelling, is not entered again.
  if (name == fCurrentFrame) return;
  if (fCurrentObject && fFrames.IndexOf(name) >= 0 && fFrames.Object(fFrames.IndexOf(name)) == fCurrentObject) return;
  if (fCurrentObject) {
    // A page without the contract has nothing pending; it is left like any other.
    auto* page = dynamic_cast<IFrameMessage*>(fCurrentObject->Frame());
    if (page && page->AskApplyChanges() == 2) return;
    LeaveFrame(fCurrentObject);
  }
  const int index = fFrames.IndexOf(name);
  if (index < 0) {
    SetColor(fEmptyColor);
    if (FOnFrameChanged) FOnFrameChanged(this, nullptr, fDefaultTitle);
    return;
  }
  TFrameObject* entry = fFrames.Object(index);
  fCurrentFrame = fFrames.Key(index);
  fCurrentObject = entry;
  const QString title = entry->TitleText;
  TFrame* frame = entry->Frame();
  frame->setParent(this);
  AlignCurrentFrame();
  if (auto* page = dynamic_cast<IFrameMessage*>(frame)) page->FrameActivate();
  // The page may have switched away again while it was being activated.
  if (fCurrentObject != entry) return;
  frame->show();
  if (FOnFrameChanged) FOnFrameChanged(this, frame, title);
}

void TFrameManager::RestoreFrame() {
  if (fSavedFrame.trimmed().isEmpty())
    SetCurrentFrame(QString());
  else
    SetCurrentFrame(fSavedFrame);
}

void TFrameManager::AlignCurrentFrame() {
  if (fDestroying || !fCurrentObject || !fCurrentObject->Frame()) return;
  TFrame* frame = fCurrentObject->Frame();
  const QRect client = contentsRect();
  switch (fCurrentObject->FramePosition) {
    case faCenter: {
      const int left = (client.width() - frame->width()) / 2;
      const int top = (client.height() - frame->height()) / 2;
      frame->move(client.left() + left, client.top() + top);
      break;
    }
    case faClient:
      frame->setGeometry(client);
      break;
    default:
      break;
  }
}

void TFrameManager::ClearFrames() {
  if (fCurrentObject) {
    fCurrentObject = nullptr;
    fCurrentFrame.clear();
  }
  fFrames.Clear();
}

void TFrameManager::SetDrawStyle(TDrawStyle style) {
  fDrawStyle = style;
  update();
}

void TFrameManager::SetEmptyColor(TColor color) {
  fEmptyColor = color;
  SetColor(color);
}

void TFrameManager::SetGradientStartColor(TColor color) {
  fGradientStartColor = color;
  update();
}

void TFrameManager::SetGradientEndColor(TColor color) {
  fGradientEndColor = color;
  update();
}

void TFrameManager::SetColor(TColor color) {
  fColor = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(color));
  setPalette(pal);
  update();
}

void TFrameManager::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  AlignCurrentFrame();
}

}  // namespace zyn
