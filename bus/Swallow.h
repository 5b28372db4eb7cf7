#pragma once
// Runs a clean-up step whose failure must not hide the error that is already being reported.

namespace zyn {

template <typename F>
void Swallow(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace zyn
