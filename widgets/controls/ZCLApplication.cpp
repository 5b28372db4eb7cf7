#include "widgets/controls/ZCLApplication.h"

namespace zyn {

TZCLTimer::TZCLTimer(QObject* owner) : QObject(owner) {
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &TZCLTimer::Tick);
}

void TZCLTimer::SetInterval(int ms) { timer_.setInterval(ms < 0 ? 0 : ms); }

void TZCLTimer::SetEnabled(bool on) {
  if (on) timer_.start();
  else timer_.stop();
}

void TZCLTimer::Tick() {
  if (OnTimer) OnTimer(this);
}

TZCLApplication& TZCLApplication::Instance() {
  static TZCLApplication application;
  return application;
}

}  // namespace zyn
