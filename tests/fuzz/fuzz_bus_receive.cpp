// Feeds arbitrary line bytes to the receive side of the bus link while a request is pending,
// and arbitrary module memory to the project-information reader.

#include "bus/ProjektInfo.h"
#include "bus/ZYNComm.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  zyn::TZYNComm comm;
  comm.SetP_RecBuffSize(static_cast<uint16_t>(8 + data[0] * 4));
  comm.SetA_SendQuittung(data[1] & 1);
  comm.SetT_GetAll(data[1] & 2);
  comm.SetA_Steuermodul(data[1] >> 5);
  int blocks = 0;
  comm.OnBlock = [&blocks](const uint8_t* b, int n) { blocks += n > 0 ? b[n - 1] & 1 : 0; };
  comm.SetP_RecTimeout(1);
  comm.SetP_SendRepeat(0);
  comm.BeginTelegram();
  comm.AddTelegramByte(0x05);
  comm.SendTelegram();
  comm.ProcessReceivedBytes(data + 2, size - 2);
  const size_t n = comm.RecBuffer().size();
  for (size_t i = 0; i < n + 4; ++i) blocks += comm.Rec(i);
  if (size >= 138) {
    zyn::TProjektInfoBlock block;
    for (size_t i = 0; i < block.size(); ++i) block[i] = data[i];
    const auto info = zyn::TProjektInfo::FromBlock(block);
    if (info.ToBlock().size() != 138 || info.ProjektName.size() > 20) __builtin_trap();
  }
  return blocks == -1;
}
