// A few seeded runs of every soak configuration (the long runs have their own test label).

#include "SoakRun.h"

namespace zyn::soak {
namespace {

class BusSoak : public ::testing::TestWithParam<size_t> {};

TEST_P(BusSoak, NoFalseSuccessAndNoOperationPastItsBound) { RunSoak(kSoakConfigs[GetParam()], 1, 2, 15); }

INSTANTIATE_TEST_SUITE_P(Configs, BusSoak, ::testing::Range<size_t>(0, std::size(kSoakConfigs)));

}  // namespace
}  // namespace zyn::soak
