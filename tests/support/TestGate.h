#pragma once
// A test programme that must run in an environment of its own (the journeys: a private X server
// with a window manager) sets a gate before main runs. The test main asks the gate first: a result
// of 0 or more ends the programme with that status (the gate ran the tests itself, for example in
// a child process); -1 lets the tests run in this process.

namespace zyn::test {

using TTestGate = int (*)(int argc, char** argv);
// Returns true so that it can initialise a namespace-scope variable before main.
bool SetTestGate(TTestGate gate);
TTestGate TestGate();

}  // namespace zyn::test
