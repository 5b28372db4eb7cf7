// Framing, stuffing and the receive side of the bus link, without a port: telegrams are built
// into the send buffer and received bytes are fed to the receive handler directly.

#include "bus/Fcs16.h"
#include "bus/ZYNComm.h"
#include "model/base/Cp1252.h"
#include "tools/zynsim/core/SimFrameCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zyn {
namespace {

using Bytes = std::vector<uint8_t>;

class TelegramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    comm.SetP_RecTimeout(5);
    comm.SetP_SendRepeat(0);
  }

  // Builds and "sends" a telegram (the port is closed, so nothing leaves) and returns its bytes.
  Bytes Build(const Bytes& bytes) {
    comm.BeginTelegram();
    for (uint8_t b : bytes) comm.AddTelegramByte(b);
    comm.SendTelegram();
    return comm.SendBuffer();
  }

  // A request is pending; the bytes arrive; the wait returns the answer's size.
  uint16_t Receive(const Bytes& wire) {
    Build({0x05, 0x00});
    comm.ProcessReceivedBytes(wire.data(), wire.size());
    return comm.WaitForAnswer();
  }

  TZYNComm comm;
};

TEST_F(TelegramTest, StatusTelegramToModule3) {
  comm.SetA_Steuermodul(3);
  EXPECT_EQ(Build({0x05, 0x00}), (Bytes{0xC0, 0xFE, 0x03, 0x05, 0x00, 0x6B, 0xB4, 0xC1}));
}

TEST_F(TelegramTest, ReceiverByteCarriesGroupAndModule) {
  comm.SetA_ZYNGruppe(2);
  comm.SetA_Steuermodul(5);
  EXPECT_EQ(Build({0x05})[2], 0x25);
}

TEST_F(TelegramTest, FlagAndEscapeBytesAreStuffedInData) {
  const Bytes wire = Build({0x7D, 0xC0, 0xC1});
  const Bytes body(wire.begin() + 3, wire.begin() + 9);
  EXPECT_EQ(body, (Bytes{0x7D, 0x5D, 0x7D, 0xE0, 0x7D, 0xE1}));
  EXPECT_EQ(wire.front(), 0xC0);
  EXPECT_EQ(wire.back(), 0xC1);
}

TEST_F(TelegramTest, FcsBytesAreStuffedLikeData) {
  // Find telegrams whose FCS holds each special byte, low and high, and check its form.
  for (uint8_t special : {uint8_t{0x7D}, uint8_t{0xC0}, uint8_t{0xC1}}) {
    for (int pos = 0; pos < 2; ++pos) {
      bool found = false;
      for (int a = 0; a < 256 && !found; ++a) {
        for (int b = 0; b < 256 && !found; ++b) {
          const uint8_t t[] = {0xFE, 0x00, static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
          const uint16_t fcs = Fcs16(t, sizeof t);
          const uint8_t lo = fcs & 0xFF, hi = fcs >> 8;
          if ((pos == 0 ? lo : hi) != special) continue;
          if (a == 0x7D || a == 0xC0 || a == 0xC1 || b == 0x7D || b == 0xC0 || b == 0xC1) continue;
          found = true;
          const Bytes wire = Build({static_cast<uint8_t>(a), static_cast<uint8_t>(b)});
          Bytes expected{0xC0, 0xFE, 0x00, static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
          for (uint8_t f : {lo, hi}) {
            if (f == 0x7D || f == 0xC0 || f == 0xC1) {
              expected.push_back(0x7D);
              expected.push_back(f ^ 0x20);
            } else {
              expected.push_back(f);
            }
          }
          expected.push_back(0xC1);
          EXPECT_EQ(wire, expected) << "special " << int(special) << " at " << pos;
        }
      }
      EXPECT_TRUE(found);
    }
  }
}

TEST_F(TelegramTest, TelegramLongerThanTheSendBufferIsRefused) {
  comm.SetP_SendBuffSize(32);
  comm.BeginTelegram();
  for (int i = 0; i < 40; ++i) comm.AddTelegramByte(static_cast<uint8_t>(i));
  EXPECT_EQ(comm.SendTelegram(), -1);
  EXPECT_EQ(comm.WaitForAnswer(), 0);
  // A telegram that fits still goes out (0 bytes written: the port is closed).
  EXPECT_EQ(Build({0x05, 0x00}).size(), 8u);
}

TEST_F(TelegramTest, AnswerFromTheAddressedStationEndsTheWait) {
  const Bytes wire = sim::EncodeFrame({0x00, 0xFE, 0x05, 0x00, 12, 30});
  EXPECT_EQ(Receive(wire), 8);
  EXPECT_EQ(comm.Rec(2), 0x05);
  EXPECT_EQ(comm.Rec(5), 30);
  EXPECT_EQ(comm.Rec(6), 0);  // beyond the data
  EXPECT_EQ(comm.E_TransError(), errNone);
}

TEST_F(TelegramTest, GarbageBetweenFramesIsIgnored) {
  Bytes wire{0x13, 0x7D, 0x55, 0xC1, 0x00};
  const Bytes frame = sim::EncodeFrame({0x00, 0xFE, 0x05, 0x00, 0x7D, 0xC0});
  wire.insert(wire.end(), frame.begin(), frame.end());
  wire.insert(wire.end(), {0x99, 0x7D});
  EXPECT_EQ(Receive(wire), 8);
  EXPECT_EQ(comm.Rec(4), 0x7D);
  EXPECT_EQ(comm.Rec(5), 0xC0);
}

TEST_F(TelegramTest, EscapeStateResetsAtStartAndEndFlags) {
  // A dangling escape before a start flag must not change the first byte of the next frame.
  Bytes wire{0xC0, 0x01, 0x7D};
  const Bytes frame = sim::EncodeFrame({0x00, 0xFE, 0x05, 0x00});
  wire.insert(wire.end(), frame.begin(), frame.end());
  EXPECT_EQ(Receive(wire), 6);
  EXPECT_EQ(comm.Rec(0), 0x00);
  // The same after an end flag.
  Bytes wire2{0xC0, 0x7D, 0xC1, 0x7D};
  wire2.insert(wire2.end(), frame.begin(), frame.end());
  EXPECT_EQ(Receive(wire2), 6);
  EXPECT_EQ(comm.Rec(2), 0x05);
}

TEST_F(TelegramTest, CorruptedChecksumIsReportedAndDoesNotEndTheWait) {
  const Bytes t{0x00, 0xFE, 0x05, 0x00};
  const uint16_t bad = Fcs16(t.data(), t.size()) ^ 0x0100;
  std::vector<std::pair<TZYNCommError, int>> errors;
  int blocks = 0;
  comm.OnError = [&](TZYNCommError e, int info) { errors.emplace_back(e, info); };
  comm.OnBlock = [&](const uint8_t*, int count) { blocks = count; };
  EXPECT_EQ(Receive(sim::EncodeFrameWithFcs(t, bad)), 0);
  ASSERT_GE(errors.size(), 1u);
  EXPECT_EQ(errors[0].first, errCRC);
  Bytes received = t;
  received.push_back(bad & 0xFF);
  received.push_back(bad >> 8);
  const int residue = Fcs16Update(kFcs16Init, received.data(), received.size()) ^ 0xFFFF;
  EXPECT_EQ(errors[0].second, residue);
  EXPECT_NE(residue, kFcs16GoodResidue);
  EXPECT_EQ(blocks, 6);
  // The wait ended by its time-out, which is what E_TransError holds last.
  EXPECT_EQ(errors.back().first, errTimeout);
  EXPECT_EQ(comm.E_TransError(), errTimeout);
  EXPECT_EQ(comm.E_TransError(), errNone);
}

TEST_F(TelegramTest, EmptyFrameIsNoAnswer) {
  EXPECT_EQ(Receive({0xC0, 0xC1}), 0);
  EXPECT_EQ(comm.E_TransError(), errTimeout);
}

TEST_F(TelegramTest, FramesOfOtherStationsAreClassified) {
  struct Case {
    Bytes telegram;
    TZYNCommError error;
    int info;
  };
  const Case cases[] = {
      {{0x01, 0xFE, 0x05, 0x00}, errNone, 0},          // another module to the PC: not our answer
      {{0xFE, 0x03, 0x05, 0x00}, errFromOther, 0xFE},  // the PC to module 3 (we address 0)
      {{0xFE, 0x00, 0x05, 0x00}, errNone, 0},          // our own telegram seen on the bus
      {{0x02, 0x03, 0x05, 0x00}, errToOther, 0x03},    // between two other stations
  };
  for (const Case& c : cases) {
    std::vector<std::pair<TZYNCommError, int>> errors;
    comm.OnError = [&](TZYNCommError e, int info) { errors.emplace_back(e, info); };
    EXPECT_EQ(Receive(sim::EncodeFrame(c.telegram)), 0) << int(c.telegram[0]);
    if (c.telegram[1] == 0xFE) {
      ASSERT_EQ(errors.size(), 1u);  // only the time-out
    } else {
      ASSERT_EQ(errors.size(), 2u);
      EXPECT_EQ(errors[0].first, c.error);
      EXPECT_EQ(errors[0].second, c.info);
    }
    EXPECT_EQ(errors.back().first, errTimeout);
  }
}

TEST_F(TelegramTest, ReceiveBufferOverflowIsReportedOnce) {
  comm.SetP_RecBuffSize(16);
  std::vector<std::string> messages;
  comm.OnMessage = [&](const std::string& m) { messages.push_back(m); };
  Bytes t{0x00, 0xFE, 0x09, 0x00};
  t.resize(40, 0x11);
  EXPECT_EQ(Receive(sim::EncodeFrame(t)), 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], Ansi("Überlauf!"));
}

TEST_F(TelegramTest, AddressesOutOfRangeAreRefused) {
  std::vector<std::string> messages;
  comm.OnMessage = [&](const std::string& m) { messages.push_back(m); };
  comm.SetA_Steuermodul(4);
  EXPECT_FALSE(comm.SetA_Steuermodul(8));
  EXPECT_EQ(comm.A_Steuermodul(), 4);
  EXPECT_FALSE(comm.SetA_ZYNGruppe(16));
  EXPECT_EQ(comm.A_ZYNGruppe(), 0);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], Ansi("Steuermoduladresse außerhalb des zulässigen Bereichs.\n"
                              "Zulässige Steuermoduladressen sind 0 bis 7."));
  EXPECT_EQ(messages[1], Ansi("Gruppenadresse außerhalb des zulässigen Bereichs.\n"
                              "Zulässige Gruppenadressen sind 0 bis 15"));
}

TEST_F(TelegramTest, SendWhileCancelledSendsNothingAndEndsWithTheCancelError) {
  comm.SetP_RecTimeout(10000);
  comm.SetCancel(true);
  comm.BeginTelegram();
  comm.AddTelegramByte(0x05);
  EXPECT_EQ(comm.SendTelegram(), 0);
  EXPECT_EQ(comm.WaitForAnswer(), 0);
  EXPECT_EQ(comm.E_TransError(), errCancel);
}

TEST_F(TelegramTest, WithoutAnswerTheTimeoutErrorIsRaisedOnTheWaitingThread) {
  comm.SetP_SendRepeat(2);
  std::vector<TZYNCommError> errors;
  comm.OnError = [&](TZYNCommError e, int) { errors.push_back(e); };
  Build({0x05, 0x00});
  EXPECT_EQ(comm.WaitForAnswer(), 0);
  EXPECT_EQ(errors, std::vector<TZYNCommError>{errTimeout});
}

}  // namespace
}  // namespace zyn
