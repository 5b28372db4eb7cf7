#pragma once
// The journeys' own X session: the journey programme starts a private X server (Xvfb) and the small
// window manager twm, waits until the manager runs, and runs the journeys as its child on that
// server. Listing the tests needs no server.

namespace zyn::test {

// Whether this process is the journeys' run inside the session.
bool InJourneySession();

// The gate of the journey programme (see tests/support/TestGate.h).
int RunJourneysInXSession(int argc, char** argv);

}  // namespace zyn::test
