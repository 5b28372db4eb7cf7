#pragma once
// The one place where the user-interface thread waits for the bus: until a condition holds or a
// deadline passes. While it waits it calls the process-events hook, through which the GUI keeps
// its window alive; without a hook (tests, tools) it sleeps on the condition variable.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace zyn {

class TBusWait {
 public:
  using Clock = std::chrono::steady_clock;

  // The GUI installs a function that processes its pending events; empty disables it.
  static void SetProcessEventsHook(std::function<void()> hook);
  static bool HasProcessEventsHook();

  // Waits on cond (lock held by the caller) until done() or the deadline. Returns done().
  // With a hook, the lock is released while the hook runs and the wait is cut into short
  // slices so that events are processed meanwhile.
  static bool WaitUntil(std::condition_variable& cond, std::unique_lock<std::mutex>& lock, Clock::time_point deadline,
                        const std::function<bool()>& done);

  // Pauses for ms milliseconds, processing events through the hook meanwhile.
  static void Delay(int ms);

  // Calls the hook once when one is installed.
  static void ProcessEvents();
};

}  // namespace zyn
