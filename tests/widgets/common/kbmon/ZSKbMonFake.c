/* A stand-in for the keyboard-monitor library: it remembers the windows registered with it and
   answers each with its own message number. */
#include <stdint.h>

static int registered = 0;
static uintptr_t last_window = 0;

int RegisterKeyboardHook(int index, uintptr_t window) {
  ++registered;
  last_window = window;
  return 0xC000 + index;
}

void DeregisterKeyboardHook(int index, uintptr_t window) {
  (void)index;
  if (window == last_window) last_window = 0;
  --registered;
}

int FakeRegisteredCount(void) { return registered; }
