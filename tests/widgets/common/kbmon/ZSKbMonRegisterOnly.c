/* A keyboard-monitor library that can register windows but has no entry to deregister them. */
#include <stdint.h>

int RegisterKeyboardHook(int index, uintptr_t window) {
  (void)window;
  return 0xC100 + index;
}
