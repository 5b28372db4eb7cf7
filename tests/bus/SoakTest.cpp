// A few seeded runs of every soak configuration (the long runs have their own test label).

#include "SoakRun.h"

namespace zyn::soak {
namespace {

class BusSoak : public ::testing::TestWithParam<size_t> {};

TEST_P(BusSoak, NoFalseSuccessAndNoOperationPastItsBound) {
  // A peer whose answers back up costs seconds per operation: fewer of those here.
  const TSoakConfig& config = kSoakConfigs[GetParam()];
  RunSoak(config, 1, config.delayMs > 0 ? 1 : 2, config.delayMs > 0 ? 4 : 10);
}

INSTANTIATE_TEST_SUITE_P(Configs, BusSoak, ::testing::Range<size_t>(0, std::size(kSoakConfigs)));

}  // namespace
}  // namespace zyn::soak
