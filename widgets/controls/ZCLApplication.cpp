#include "widgets/controls/ZCLApplication.h"

#include "platform/ThemeEngine.h"
#include "widgets/controls/ZCLWndProcComponent.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace zyn {

TZCLTimerItem::TZCLTimerItem(TZCLTimerPool* pool, std::uint16_t ident) : fPool(pool), fIdent(ident) {
  fRatio = std::max(1, 1000 / pool->MinInterval());
}

void TZCLTimerItem::SetEnabled(bool value) {
  if (value && fCallCount == 0) return;
  if (value != fEnabled) fCounter = 0;
  fEnabled = value;
}

void TZCLTimerItem::SetInterval(int value) {
  if (value == fInterval) return;
  const int min = fPool->MinInterval();
  if (value == 0) value = min;
  if (value % min != 0) return;
  fRatio = value / min;
  fInterval = value;
  fCounter = 0;
}

TZCLTimerPool::TZCLTimerPool(QObject* owner, int minInterval)
    : TZCLCustomComponent(owner), fMinInterval(std::clamp(minInterval, 1, 65535)) {
  connect(&fTimer, &QTimer::timeout, this, &TZCLTimerPool::ProcessPass);
}

TZCLTimerPool::~TZCLTimerPool() { ClearItems(); }

void TZCLTimerPool::SetMinInterval(int value) {
  if (!IsLoading()) return;
  fMinInterval = std::clamp(value, 1, 65535);
}

int TZCLTimerPool::AddItem(std::uint16_t ident, int interval, TZCLNotifyEvent handler) {
  if (FindItem(ident)) throw std::runtime_error("Timer ident already in use");
  if (interval < fMinInterval || interval % fMinInterval != 0)
    throw std::runtime_error("Interval not compatible with MinInterval property!");
  auto item = std::make_unique<TZCLTimerItem>(this, ident);
  item->SetInterval(interval);
  item->Handler = std::move(handler);
  fItems.push_back(std::move(item));
  UpdateTimer(true);
  return static_cast<int>(fItems.size()) - 1;
}

void TZCLTimerPool::RemoveItem(std::uint16_t ident) {
  fUpdating = true;
  auto it = std::find_if(fItems.begin(), fItems.end(), [&](const auto& i) { return i->fIdent == ident; });
  if (it != fItems.end()) {
    (*it)->fEnabled = false;
    (*it)->Handler = nullptr;
    fItems.erase(it);
  }
  fUpdating = false;
  if (fItems.empty()) UpdateTimer(false);
}

TZCLTimerItem* TZCLTimerPool::FindItem(std::uint16_t ident) const {
  for (const auto& i : fItems)
    if (i->fIdent == ident) return i.get();
  return nullptr;
}

void TZCLTimerPool::ClearItems() {
  UpdateTimer(false);
  fItems.clear();
}

int TZCLTimerPool::ActiveCount() const {
  return static_cast<int>(std::count_if(fItems.begin(), fItems.end(), [](const auto& i) { return i->fEnabled; }));
}

void TZCLTimerPool::UpdateTimer(bool active) {
  fTimer.stop();
  if (active && ActiveCount() > 0) {
    fTimer.start(fMinInterval);
    fPass = 1;
  }
}

void TZCLTimerPool::ProcessPass() {
  if (fInPass) return;
  fInPass = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{fInPass};
  if (!fUpdating) {
    // Items may be removed by a handler: walk by ident.
    std::vector<std::uint16_t> idents;
    for (const auto& i : fItems) idents.push_back(i->fIdent);
    for (std::uint16_t ident : idents) {
      TZCLTimerItem* item = FindItem(ident);
      if (!item || !item->fEnabled || fPass % item->fRatio != 0) continue;
      item->fCounter = item->fCounter + 1 < 0 ? 0 : item->fCounter + 1;
      if (item->fCounter == item->fCallCount) item->fEnabled = false;
      const int counter = item->fCounter;
      if (item->Handler)
        item->Handler(this);
      else if (OnTimer)
        OnTimer(this, ident, counter);
    }
  }
  fPass = fPass + 1 < 0 ? 0 : fPass + 1;
}

TZCLTimer::TZCLTimer(int interval, TZCLNotifyEvent handler, bool enabled, bool useGlobalPool)
    : OnTimer(std::move(handler)), fGlobal(useGlobalPool), fEnabled(enabled), fInterval(interval) {
  Start();
}

TZCLTimer::~TZCLTimer() { Stop(); }

void TZCLTimer::Dispatch() {
  if (OnTimer) OnTimer(this);
}

void TZCLTimer::Start() {
  Stop();
  if (fGlobal) {
    if (fInterval % 50 != 0) fInterval = (fInterval / 50 + 1) * 50;
    fIdent = ZCLApplication().AllocateGlobalTimer(fInterval, [this](QObject*) { Dispatch(); });
    if (fIdent == 0) throw EOutOfResources("Nicht genügend Timer verfügbar");
    if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(fIdent)) item->SetEnabled(fEnabled);
  } else {
    fOwn = std::make_unique<QTimer>();
    fOwn->setInterval(fInterval);
    QObject::connect(fOwn.get(), &QTimer::timeout, this, &TZCLTimer::Dispatch);
    if (fEnabled) fOwn->start();
  }
}

void TZCLTimer::Stop() {
  if (fGlobal && fIdent != 0) {
    if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(fIdent)) {
      item->SetEnabled(false);
      item->Handler = nullptr;
    }
    ZCLApplication().ReleaseGlobalTimer(fIdent);
    fIdent = 0;
  }
  fOwn.reset();
}

void TZCLTimer::SetEnabled(bool value) {
  if (value == fEnabled) return;
  fEnabled = value;
  if (fOwn) {
    if (value)
      fOwn->start();
    else
      fOwn->stop();
  } else if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(fIdent)) {
    item->SetEnabled(value);
  }
}

void TZCLTimer::SetInterval(int value) {
  if (value == fInterval) return;
  if (fOwn) {
    fInterval = value;
    fOwn->setInterval(value);
  } else if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(fIdent)) {
    item->SetInterval(value);
    fInterval = item->Interval();
  }
}

TZCLApplication& TZCLApplication::Instance() {
  static TZCLApplication application;
  ZCLThemeManager();  // the library's theme manager lives beside the application object
  return application;
}

bool TZCLApplication::StylesActive() {
  const TThemeEngine* engine = GetThemeEngine();
  return engine && engine->IsThemeActive();
}

void TZCLApplication::SetVisualStyleSupport(bool on) {
  if (on == fVisualStyles || (on && !StylesActive())) return;
  fVisualStyles = on;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || fSwitching) return;
  fSwitching = true;
  if (!fStylesOnly) {
    if (!on) {
      fStyleBefore = QApplication::style()->name();
      if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) QApplication::setStyle(classic);
    } else if (!fStyleBefore.isEmpty()) {
      QApplication::setStyle(fStyleBefore);
      fStyleBefore.clear();
    }
  }
  for (QWidget* form : QApplication::topLevelWidgets()) {
    if (!form->isVisible()) continue;
    for (QWidget* control : form->findChildren<QWidget*>()) {
      QEvent change(QEvent::ThemeChange);
      QApplication::sendEvent(control, &change);
    }
    if (!fStylesOnly) {
      QEvent change(QEvent::ThemeChange);
      QApplication::sendEvent(form, &change);
    }
  }
  fSwitching = false;
}

void TZCLApplication::SetInputMode(std::uint8_t value) {
  if (value == fInputMode) return;
  fInputMode = value;
  if (OnInputModeChange) OnInputModeChange(nullptr);
}

void TZCLApplication::SetInsertMode(bool on) { SetInputMode(on ? (fInputMode | imInsert) : (fInputMode & ~imInsert)); }

void TZCLApplication::SetModifiers(bool shift, bool ctrl, bool alt) {
  std::uint8_t mode = fInputMode & imInsert;
  if (shift) mode |= imShift;
  if (ctrl) mode |= imCtrl;
  fAlt = alt;
  SetInputMode(mode);
}

TZCLTimerPool& TZCLApplication::GlobalPool() {
  if (!fPool) fPool = std::make_unique<TZCLTimerPool>(nullptr, 50);
  return *fPool;
}

std::uint16_t TZCLApplication::AllocateGlobalTimer(int interval, TZCLNotifyEvent handler) {
  for (int s = 1; s <= 250; ++s) {
    if (fSlots[s]) continue;
    const auto ident = static_cast<std::uint16_t>(0xFD00 + s);
    GlobalPool().AddItem(ident, interval, std::move(handler));
    fSlots[s] = true;
    return ident;
  }
  return 0;
}

void TZCLApplication::ReleaseGlobalTimer(std::uint16_t ident) {
  if (ident <= 0xFD00) return;
  GlobalPool().RemoveItem(ident);
  const int s = ident - 0xFD00;
  if (s >= 1 && s <= 250) fSlots[s] = false;
}

TZCLTimerItem* TZCLApplication::GetGlobalTimerItem(std::uint16_t ident) { return GlobalPool().FindItem(ident); }

QImage TZCLApplication::GetPatternBitmap(TColor color) {
  if (color == fPatternColor && !fPattern.isNull()) return fPattern;
  fPattern = QImage(8, 8, QImage::Format_RGB32);
  fPattern.fill(Qt::white);
  const QRgb c = ToQColor(color).rgb();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x & 1) != (y & 1)) fPattern.setPixel(x, y, c);
  fPatternColor = color;
  return fPattern;
}

}  // namespace zyn
