// The main function of every test programme: the isolated home first, then the tests.
#include "tests/support/TestHome.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  zyn::test::TestHome();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
