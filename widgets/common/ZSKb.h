#pragma once
// Link to the optional keyboard-monitor library "ZSKbMon": it watches the lock keys system-wide
// and tells registered windows when Caps Lock, Num Lock or Scroll Lock change. The library is
// looked for only when a status bar asks for it; without it nothing fails and the status bar uses
// its own keyboard watch.

#include <QString>

#include <cstdint>

namespace zyn {

// The library's name as the programme knows it.
QString ZSKbLibraryName();
// Sets the file the loader looks for (the tests point it at a library of their own).
void ZSKbSetLibraryName(const QString& fileName);

// Loads the library (freeing one loaded before) and looks up its two entry points; true when the
// library was found.
bool ZSKbLoad();
// Deregisters every registered window, last first, and frees the library. A library without the
// deregister entry gets its windows taken off the list untold, and a German warning names it.
void ZSKbUnload();
bool ZSKbLoaded();
// Registers a window with the library and returns the message number it answers (0 without the
// library).
int ZSKbRegisterWindow(std::uintptr_t window);
// Takes the window off the list and tells the library (when it has the deregister entry).
void ZSKbDeregisterWindow(std::uintptr_t window);
int ZSKbRegisteredCount();

}  // namespace zyn
