// Telegram buttons on a real pseudo-terminal: a release sends the exact bytes through the bus
// link to the control-module simulator.

#include "bus/VisuBusSender.h"
#include "tests/bus/SimFixture.h"
#include "tests/support/AppFixture.h"
#include "visu/ui/VisuButtons.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

class VisuTelegramPtyTest : public SimFixture {
 protected:
  static void SetUpTestSuite() { test::EnsureApp(); }
  // Sends every telegram a button hands over.
  TTelegramEvent ToBus() {
    return [this](QObject*, TTeleType type, int32_t s, int32_t m, int32_t value, int32_t parameter) {
      sent.push_back(sender.SendVisuTelegram(type, s, m, value, parameter));
    };
  }
  TVisuBusSender sender{comm};
  std::vector<bool> sent;
};

TEST_F(VisuTelegramPtyTest, ButtonsSendTheirTelegramBytes) {
  comm.SetA_Steuermodul(2);
  TVisuLEDTeleButton led;
  led.SetTelegram(TTeleType::vtEinEmu, 1, 69, 3, 1, 5, 0);  // value (3 shl 5) or 1 = 97
  led.SetTelegramHandler(ToBus());
  QTest::mouseClick(&led, Qt::LeftButton);

  TTeleButton push;
  push.resize(40, 30);
  push.SetTelegram(TTeleType::vtAusParaTele, 0, 33, 2, 0, 0, 0x1234);  // with parameter, unshifted
  push.SetTelegramHandler(ToBus());
  QTest::mouseClick(&push, Qt::LeftButton);

  ASSERT_EQ(sent, (std::vector<bool>{true, true}));
  const auto received = Received();
  ASSERT_EQ(received.size(), 2u);
  // [0] the PC, [1] group x 16 + control module, then the bytes.
  EXPECT_EQ(received[0], (std::vector<uint8_t>{254, 0x01, 0x06, 0x00, 69, 0x01, 97}));
  EXPECT_EQ(received[1], (std::vector<uint8_t>{254, 0x00, 0x06, 0x00, 33, 0x03, 2, 0x34, 0x12}));
  // The link's own control module is left as it was.
  EXPECT_EQ(comm.A_Steuermodul(), 2);
}

TEST_F(VisuTelegramPtyTest, NothingGoesOutForNoneOrAnUnboundControlModule) {
  EXPECT_FALSE(sender.SendVisuTelegram(TTeleType::vtNone, 0, 33, 1, 0));
  EXPECT_FALSE(sender.SendVisuTelegram(TTeleType::vtAusTele, -1, 33, 1, 0));
  EXPECT_FALSE(sender.SendVisuTelegram(TTeleType::vtAusTele, 4, 33, 1, 0));
  EXPECT_EQ(RawSends(), 0u);
}

}  // namespace
}  // namespace zyn
