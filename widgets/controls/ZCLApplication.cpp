#include "widgets/controls/ZCLApplication.h"

#include <algorithm>

namespace zyn {

TZCLTimerItem::TZCLTimerItem(TZCLTimerPool* pool, std::uint16_t ident) : pool_(pool), ident_(ident) {
  ratio_ = std::max(1, 1000 / pool->MinInterval());
}

void TZCLTimerItem::SetEnabled(bool value) {
  if (value && callCount_ == 0) return;
  if (value != enabled_) counter_ = 0;
  enabled_ = value;
}

void TZCLTimerItem::SetInterval(int value) {
  if (value == interval_) return;
  const int min = pool_->MinInterval();
  if (value == 0) value = min;
  if (value % min != 0) return;
  ratio_ = value / min;
  interval_ = value;
  counter_ = 0;
}

TZCLTimerPool::TZCLTimerPool(QObject* owner, int minInterval)
    : TZCLCustomComponent(owner), minInterval_(std::clamp(minInterval, 1, 65535)) {
  connect(&timer_, &QTimer::timeout, this, &TZCLTimerPool::ProcessPass);
}

TZCLTimerPool::~TZCLTimerPool() { ClearItems(); }

void TZCLTimerPool::SetMinInterval(int value) {
  if (!IsLoading()) return;
  minInterval_ = std::clamp(value, 1, 65535);
}

int TZCLTimerPool::AddItem(std::uint16_t ident, int interval, TZCLNotifyEvent handler) {
  if (FindItem(ident)) throw std::runtime_error("Timer ident already in use");
  if (interval < minInterval_ || interval % minInterval_ != 0)
    throw std::runtime_error("Interval not compatible with MinInterval property!");
  auto item = std::make_unique<TZCLTimerItem>(this, ident);
  item->SetInterval(interval);
  item->Handler = std::move(handler);
  items_.push_back(std::move(item));
  UpdateTimer(true);
  return static_cast<int>(items_.size()) - 1;
}

void TZCLTimerPool::RemoveItem(std::uint16_t ident) {
  updating_ = true;
  auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& i) { return i->ident_ == ident; });
  if (it != items_.end()) {
    (*it)->enabled_ = false;
    (*it)->Handler = nullptr;
    items_.erase(it);
  }
  updating_ = false;
  if (items_.empty()) UpdateTimer(false);
}

TZCLTimerItem* TZCLTimerPool::FindItem(std::uint16_t ident) const {
  for (const auto& i : items_)
    if (i->ident_ == ident) return i.get();
  return nullptr;
}

void TZCLTimerPool::ClearItems() {
  UpdateTimer(false);
  items_.clear();
}

int TZCLTimerPool::ActiveCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& i) { return i->enabled_; }));
}

void TZCLTimerPool::UpdateTimer(bool active) {
  timer_.stop();
  if (active && ActiveCount() > 0) {
    timer_.start(minInterval_);
    pass_ = 1;
  }
}

void TZCLTimerPool::ProcessPass() {
  if (inPass_) return;
  inPass_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inPass_};
  if (!updating_) {
    // Items may be removed by a handler: walk by ident.
    std::vector<std::uint16_t> idents;
    for (const auto& i : items_) idents.push_back(i->ident_);
    for (std::uint16_t ident : idents) {
      TZCLTimerItem* item = FindItem(ident);
      if (!item || !item->enabled_ || pass_ % item->ratio_ != 0) continue;
      item->counter_ = item->counter_ + 1 < 0 ? 0 : item->counter_ + 1;
      if (item->counter_ == item->callCount_) item->enabled_ = false;
      const int counter = item->counter_;
      if (item->Handler) item->Handler(this);
      else if (OnTimer) OnTimer(this, ident, counter);
    }
  }
  pass_ = pass_ + 1 < 0 ? 0 : pass_ + 1;
}

TZCLTimer::TZCLTimer(int interval, TZCLNotifyEvent handler, bool enabled, bool useGlobalPool)
    : OnTimer(std::move(handler)), global_(useGlobalPool), enabled_(enabled), interval_(interval) {
  Start();
}

TZCLTimer::~TZCLTimer() { Stop(); }

void TZCLTimer::Dispatch() {
  if (OnTimer) OnTimer(this);
}

void TZCLTimer::Start() {
  Stop();
  if (global_) {
    if (interval_ % 50 != 0) interval_ = (interval_ / 50 + 1) * 50;
    ident_ = ZCLApplication().AllocateGlobalTimer(interval_, [this](QObject*) { Dispatch(); });
    if (ident_ == 0) throw EOutOfResources("Nicht genügend Timer verfügbar");
    if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(ident_)) item->SetEnabled(enabled_);
  } else {
    own_ = std::make_unique<QTimer>();
    own_->setInterval(interval_);
    QObject::connect(own_.get(), &QTimer::timeout, this, &TZCLTimer::Dispatch);
    if (enabled_) own_->start();
  }
}

void TZCLTimer::Stop() {
  if (global_ && ident_ != 0) {
    if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(ident_)) {
      item->SetEnabled(false);
      item->Handler = nullptr;
    }
    ZCLApplication().ReleaseGlobalTimer(ident_);
    ident_ = 0;
  }
  own_.reset();
}

void TZCLTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (own_) {
    if (value) own_->start();
    else own_->stop();
  } else if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(ident_)) {
    item->SetEnabled(value);
  }
}

void TZCLTimer::SetInterval(int value) {
  if (value == interval_) return;
  if (own_) {
    interval_ = value;
    own_->setInterval(value);
  } else if (TZCLTimerItem* item = ZCLApplication().GetGlobalTimerItem(ident_)) {
    item->SetInterval(value);
    interval_ = item->Interval();
  }
}

TZCLApplication& TZCLApplication::Instance() {
  static TZCLApplication application;
  return application;
}

void TZCLApplication::SetInputMode(std::uint8_t value) {
  if (value == inputMode_) return;
  inputMode_ = value;
  if (OnInputModeChange) OnInputModeChange(nullptr);
}

void TZCLApplication::SetInsertMode(bool on) {
  SetInputMode(on ? (inputMode_ | imInsert) : (inputMode_ & ~imInsert));
}

void TZCLApplication::SetModifiers(bool shift, bool ctrl, bool alt) {
  std::uint8_t mode = inputMode_ & imInsert;
  if (shift) mode |= imShift;
  if (ctrl) mode |= imCtrl;
  alt_ = alt;
  SetInputMode(mode);
}

TZCLTimerPool& TZCLApplication::GlobalPool() {
  if (!pool_) pool_ = std::make_unique<TZCLTimerPool>(nullptr, 50);
  return *pool_;
}

std::uint16_t TZCLApplication::AllocateGlobalTimer(int interval, TZCLNotifyEvent handler) {
  for (int s = 1; s <= 250; ++s) {
    if (slots_[s]) continue;
    const auto ident = static_cast<std::uint16_t>(0xFD00 + s);
    GlobalPool().AddItem(ident, interval, std::move(handler));
    slots_[s] = true;
    return ident;
  }
  return 0;
}

void TZCLApplication::ReleaseGlobalTimer(std::uint16_t ident) {
  if (ident <= 0xFD00) return;
  GlobalPool().RemoveItem(ident);
  const int s = ident - 0xFD00;
  if (s >= 1 && s <= 250) slots_[s] = false;
}

TZCLTimerItem* TZCLApplication::GetGlobalTimerItem(std::uint16_t ident) { return GlobalPool().FindItem(ident); }

QImage TZCLApplication::GetPatternBitmap(TColor color) {
  if (color == patternColor_ && !pattern_.isNull()) return pattern_;
  pattern_ = QImage(8, 8, QImage::Format_RGB32);
  pattern_.fill(Qt::white);
  const QRgb c = ToQColor(color).rgb();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x & 1) != (y & 1)) pattern_.setPixel(x, y, c);
  patternColor_ = color;
  return pattern_;
}

}  // namespace zyn
