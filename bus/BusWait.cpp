#include "bus/BusWait.h"

#include <thread>

namespace zyn {

namespace {

// Slice between two calls of the hook; short enough for a responsive window.
constexpr auto kHookSlice = std::chrono::milliseconds(5);

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}

std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}

std::function<void()> CurrentHook() {
  std::lock_guard<std::mutex> guard(HookMutex());
  return Hook();
}

}  // namespace

void TBusWait::SetProcessEventsHook(std::function<void()> hook) {
  std::lock_guard<std::mutex> guard(HookMutex());
  Hook() = std::move(hook);
}

bool TBusWait::HasProcessEventsHook() {
  std::lock_guard<std::mutex> guard(HookMutex());
  return static_cast<bool>(Hook());
}

void TBusWait::ProcessEvents() {
  if (auto hook = CurrentHook()) hook();
}

bool TBusWait::WaitUntil(std::condition_variable& cond, std::unique_lock<std::mutex>& lock, Clock::time_point deadline,
                         const std::function<bool()>& done) {
  auto hook = CurrentHook();
  while (!done()) {
    const auto now = Clock::now();
    if (now >= deadline) return done();
    auto until = deadline;
    if (hook) {
      lock.unlock();
      hook();
      lock.lock();
      if (done()) return true;
      until = std::min(deadline, Clock::now() + kHookSlice);
    }
    cond.wait_until(lock, until);
  }
  return true;
}

void TBusWait::Delay(int ms) {
  if (ms <= 0) return;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  auto hook = CurrentHook();
  if (!hook) {
    std::this_thread::sleep_until(deadline);
    return;
  }
  while (Clock::now() < deadline) {
    hook();
    std::this_thread::sleep_until(std::min(deadline, Clock::now() + std::chrono::milliseconds(1)));
  }
}

}  // namespace zyn
