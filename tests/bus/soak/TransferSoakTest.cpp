// Three hundred seeded transfers of a four-module project with a display under random faults on
// the line: no false success, no module switched on without its image.

#include "tests/bus/TransferFaults.h"

namespace zyn::test {
namespace {

class TransferSoak : public ::testing::TestWithParam<uint32_t> {};

TEST_P(TransferSoak, NoFalseSuccessUnderRandomFaults) {
  int successes = 0;
  const uint32_t first = GetParam() * 50 + 100;
  for (uint32_t seed = first; seed < first + 50; ++seed) RunTransferWithFaults(seed, successes);
  // The faults leave most runs working: a batch in which nothing succeeds proves nothing.
  EXPECT_GT(successes, 10);
}

INSTANTIATE_TEST_SUITE_P(Batches, TransferSoak, ::testing::Range<uint32_t>(0, 6));

}  // namespace
}  // namespace zyn::test
