// The long seeded runs: a hundred seeds of every soak configuration (twenty of the slow peers).

#include "SoakRun.h"

namespace zyn::soak {
namespace {

class BusSoakLong : public ::testing::TestWithParam<size_t> {};

TEST_P(BusSoakLong, NoFalseSuccessAndNoOperationPastItsBound) {
  // A peer whose answers back up costs seconds per operation: twenty seeds of those.
  const TSoakConfig& config = kSoakConfigs[GetParam()];
  RunSoak(config, 100, config.delayMs > 0 ? 20 : 100, 12);
}

INSTANTIATE_TEST_SUITE_P(Configs, BusSoakLong, ::testing::Range<size_t>(0, std::size(kSoakConfigs)));

}  // namespace
}  // namespace zyn::soak
