#pragma once
// The isolated home of a test programme: a temporary folder that stands in for the user's home,
// with its XDG folders (configuration, data, cache, state, run time). The test main sets it up
// before the first test, points HOME and the XDG variables at it, and removes it when the
// programme ends, so no test reads or writes the real home and nothing is left behind.

#include <string>

namespace zyn::test {

// The home folder with a trailing "/" (made on the first call).
const std::string& TestHome();

// Sets an environment variable for its lifetime and gives it back its former value (or unsets it)
// at the end; for a test that points one XDG folder at a folder of its own.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string fName;
  std::string fFormer;
  bool fWasSet;
};

}  // namespace zyn::test
