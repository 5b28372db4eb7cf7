#include "tests/support/XWindowManager.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <poll.h>

namespace zyn::test {

bool WindowManagerRuns(const std::string& display) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
  bool runs = false;
  if (!xcb_connection_has_error(c)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, screen->root), nullptr);
    if (reply) runs = (reply->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    std::free(reply);
  }
  xcb_disconnect(c);
  return runs;
}

bool WaitForWindowManager(int timeoutMs) {
  const char* display = std::getenv("DISPLAY");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!WindowManagerRuns(display ? display : "")) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::poll(nullptr, 0, 10);
  }
  return true;
}

}  // namespace zyn::test
