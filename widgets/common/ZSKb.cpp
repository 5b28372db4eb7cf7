#include "widgets/common/ZSKb.h"

#include "platform/MessageDlg.h"

#include <QLibrary>

#include <memory>
#include <vector>

namespace zyn {
namespace {

using RegisterProc = int (*)(int index, std::uintptr_t window);
using DeregisterProc = void (*)(int index, std::uintptr_t window);

struct MonitorState {
  QString fileName = QStringLiteral("ZSKbMon");
  std::unique_ptr<QLibrary> library;
  RegisterProc registerHook = nullptr;
  DeregisterProc deregisterHook = nullptr;
  bool loaded = false;
  std::vector<std::uintptr_t> windows;
  // a window left the list that the library could not be told of (it has no deregister entry)
  bool notDeregistered = false;
  ~MonitorState() {
    // the library stays mapped until the process ends; only forget it
    if (library) library.release();
  }
};

MonitorState& State() {
  static MonitorState state;
  return state;
}

// Takes the window at index off the list and tells the library, when it can be told.
void Forget(MonitorState& s, size_t index) {
  const std::uintptr_t window = s.windows[index];
  s.windows.erase(s.windows.begin() + static_cast<std::ptrdiff_t>(index));
  if (s.deregisterHook)
    s.deregisterHook(static_cast<int>(index), window);
  else
    s.notDeregistered = true;
}

}  // namespace

QString ZSKbLibraryName() { return State().fileName; }

void ZSKbSetLibraryName(const QString& fileName) { State().fileName = fileName; }

bool ZSKbLoad() {
  MonitorState& s = State();
  if (s.loaded) ZSKbUnload();
  auto library = std::make_unique<QLibrary>(s.fileName);
  if (!library->load()) return false;
  s.registerHook = reinterpret_cast<RegisterProc>(library->resolve("RegisterKeyboardHook"));
  s.deregisterHook = reinterpret_cast<DeregisterProc>(library->resolve("DeregisterKeyboardHook"));
  s.library = std::move(library);
  s.loaded = true;
  return true;
}

void ZSKbUnload() {
  MonitorState& s = State();
  if (!s.loaded) return;
  while (!s.windows.empty()) Forget(s, s.windows.size() - 1);
  if (s.notDeregistered) {
    s.notDeregistered = false;
    MessageDlg(nullptr,
               QStringLiteral("Die Tastaturüberwachung \"%1\" bietet keine Abmeldung (DeregisterKeyboardHook); "
                              "sie wurde ohne Abmeldung der Fenster freigegeben.")
                   .arg(s.library->fileName()),
               QStringLiteral("Tastaturüberwachung"), MB_OK | MB_ICONWARNING);
  }
  if (s.library->unload()) {
    s.library.reset();
    s.registerHook = nullptr;
    s.deregisterHook = nullptr;
    s.loaded = false;
  }
}

bool ZSKbLoaded() { return State().loaded; }

int ZSKbRegisterWindow(std::uintptr_t window) {
  MonitorState& s = State();
  if (!s.registerHook) return 0;
  s.windows.push_back(window);
  return s.registerHook(static_cast<int>(s.windows.size()) - 1, window);
}

void ZSKbDeregisterWindow(std::uintptr_t window) {
  MonitorState& s = State();
  for (size_t i = s.windows.size(); i-- > 0;) {
    if (s.windows[i] == window) {
      Forget(s, i);
      return;
    }
  }
}

int ZSKbRegisteredCount() { return static_cast<int>(State().windows.size()); }

}  // namespace zyn
