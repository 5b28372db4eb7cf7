#pragma once
// The application of the GUI tests: one QApplication for the whole test programme, made on the
// first call in the isolated home (TestHome.h). It lives until the programme ends: the input
// devices that QTest registers must outlive it.

#include <gtest/gtest.h>

namespace zyn::test {

void EnsureApp();

// A test fixture whose tests run with the application.
class AppTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApp(); }
};

}  // namespace zyn::test
