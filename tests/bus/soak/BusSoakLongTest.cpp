// The long seeded runs: a hundred seeds of every soak configuration.

#include "SoakRun.h"

namespace zyn::soak {
namespace {

class BusSoakLong : public ::testing::TestWithParam<size_t> {};

TEST_P(BusSoakLong, NoFalseSuccessAndNoOperationPastItsBound) { RunSoak(kSoakConfigs[GetParam()], 100, 100, 12); }

INSTANTIATE_TEST_SUITE_P(Configs, BusSoakLong, ::testing::Range<size_t>(0, std::size(kSoakConfigs)));

}  // namespace
}  // namespace zyn::soak
