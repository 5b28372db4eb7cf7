// An installer at the bus: the simulator programme stands in for two control modules on a
// pseudo-terminal. The device is typed on the options page, the transfer page shows it, "Alles
// übertragen" programs both modules and switches them on, the read-back page reads what the
// module holds, a module is erased, the clocks are set and the self test puts the module clock
// back to the PC's time. What the modules hold, whether they run and what their clocks say is
// asked of the simulator itself. And the simulator that quits in the middle of a transfer: one
// message naming the device, no success.

#include "bus/ProjektInfo.h"
#include "bus/ui/BusPage.h"
#include "bus/ui/FrSTMInfo.h"
#include "bus/ui/FrSTMListing.h"
#include "bus/ui/FrSelbstTest.h"
#include "bus/ui/FrSetClock.h"
#include "bus/ui/FrTransfer.h"
#include "bus/ui/HexView.h"
#include "compiler/CompileDriver.h"
#include "model/base/ZYNOptionen.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"
#include "tests/support/TestHome.h"
#include "widgets/common/PageTabBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zyn::test {
namespace {

constexpr size_t kAreaSize = 0x8000;     // the program area of a control module ...
constexpr size_t kAreaStart = 0x4000;    // ... from this address on
constexpr size_t kInfoAddress = 0xBD00;  // the project-information block
constexpr int kLongRun = 180000;         // a transfer or a self test on a loaded machine (ms)

// The simulator programme with its pseudo-terminal: commands go to its standard input, its
// answers come on its standard output, its frame log on standard error is read all the time (a
// full pipe would stop it) and can make it quit at a chosen frame.
class TSimulatorProcess {
 public:
  explicit TSimulatorProcess(const std::vector<std::string>& args) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    const std::string program = std::string(ZYN_BINARY_DIR) + "/tools/zynsim/zyn-stm-sim";
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&fPid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) fPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]), ::close(out[1]), ::close(err[1]);
    fIn = in[1];
    fOutReader = std::thread([this, fd = out[0]] { ReadLines(fd, false); });
    fErrReader = std::thread([this, fd = err[0]] { ReadLines(fd, true); });
  }

  ~TSimulatorProcess() {
    if (!Ended()) {
      Send("quit");
      if (!QTest::qWaitFor([this] { return Ended(); }, 5000)) kill(fPid, SIGKILL);
    }
    if (!fExited && fPid > 0) waitpid(fPid, nullptr, 0);
    if (fIn >= 0) ::close(fIn);
    if (fOutReader.joinable()) fOutReader.join();
    if (fErrReader.joinable()) fErrReader.join();
  }

  // The terminal it opened ("zyn-stm-sim: /dev/pts/N"); empty when it did not start.
  std::string Terminal() {
    std::string line;
    QTest::qWaitFor([&] { return !(line = FindOutput("zyn-stm-sim: /dev/")).empty() || Ended(); }, 20000);
    return line.empty() ? std::string() : line.substr(std::string("zyn-stm-sim: ").size());
  }

  void Send(const std::string& command) {
    const std::string line = command + "\n";
    std::lock_guard lock(fWriteMutex);
    if (fIn >= 0) [[maybe_unused]] const ssize_t n = ::write(fIn, line.data(), line.size());
  }

  // Sends the command and waits for the first answer line that begins with prefix and was not
  // there before.
  std::string Ask(const std::string& command, const std::string& prefix) {
    const size_t before = OutputCount();
    Send(command);
    std::string answer;
    QTest::qWaitFor([&] { return !(answer = FindOutput(prefix, before)).empty() || Ended(); }, 20000);
    return answer;
  }

  // "present running 15.06.25 08:15" for control module n.
  std::string State(int n) {
    const std::string prefix = "zyn-stm-sim: stm " + std::to_string(n) + " ";
    const std::string line = Ask("show " + std::to_string(n), prefix);
    return line.empty() ? "no answer" : line.substr(prefix.size());
  }

  // The 64 KB memory of control module n, written into a file by the simulator.
  std::vector<uint8_t> Memory(int n) {
    const std::string file = TestHome() + "stm" + std::to_string(n) + ".bin";
    const std::string answer = Ask("dump " + std::to_string(n) + " " + file, "zyn-stm-sim: dump " + std::to_string(n));
    if (answer.empty() || answer.ends_with("failed")) return {};
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Makes the simulator quit right after it received the first frame whose log line holds
  // pattern, as a pulled-out adapter takes the line away in the middle of a transfer.
  void QuitAtFrame(const std::string& pattern) {
    std::lock_guard lock(fMutex);
    fQuitPattern = pattern;
  }
  bool QuitSent() const { return fQuitSent; }

  bool Ended() {
    if (fPid <= 0 || fExited) return true;
    int status = 0;
    fExited = waitpid(fPid, &status, WNOHANG) == fPid;
    return fExited;
  }

 private:
  void ReadLines(int fd, bool frameLog) {
    std::string pending;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
      pending.append(buffer, static_cast<size_t>(n));
      for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
        const std::string line = pending.substr(0, end);
        std::lock_guard lock(fMutex);
        if (!frameLog) {
          fOutput.push_back(line);
        } else if (!fQuitPattern.empty() && !fQuitSent && line.find(fQuitPattern) != std::string::npos) {
          fQuitSent = true;
          Send("quit");
        }
      }
    }
    ::close(fd);
  }
  size_t OutputCount() {
    std::lock_guard lock(fMutex);
    return fOutput.size();
  }
  std::string FindOutput(const std::string& prefix, size_t from = 0) {
    std::lock_guard lock(fMutex);
    for (size_t i = from; i < fOutput.size(); ++i)
      if (fOutput[i].starts_with(prefix)) return fOutput[i];
    return {};
  }

  pid_t fPid = -1;
  bool fExited = false;
  int fIn = -1;
  std::mutex fMutex, fWriteMutex;
  std::vector<std::string> fOutput;
  std::string fQuitPattern;
  std::atomic<bool> fQuitSent{false};
  std::thread fOutReader, fErrReader;
};

// The local date and time as the simulator shows a clock ("15.06.25 08:15").
std::string ClockText(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d %02d:%02d", local.tm_mday, local.tm_mon + 1, local.tm_year % 100,
                local.tm_hour, local.tm_min);
  return text;
}

std::vector<uint8_t> ReadFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Bus : public TJourney {
 protected:
  void SetUp() override {
    TJourney::SetUp();
    // The device comes from the options page only.
    unsetenv("ZYN_BUS_DEVICE");
  }

  // Types the device into "Einstellungen" > "Allgemein" > "Übertragung" > " Schnittstelle " and
  // applies it.
  void SetDevice(const std::string& device) {
    MenuCommand({"Einstellungen1", "Allgemein1"});
    ASSERT_TRUE(WaitForPage("FrOptionen"));
    QWidget* page = Main().FM->GetFrame(QStringLiteral("FrOptionen"));
    ClickTab(Find<QTabWidget>(QStringLiteral("PageControl1"), page), QStringLiteral("Übertragung"));
    auto* box = Find<QComboBox>(QStringLiteral("CBDevice"), page);
    ASSERT_TRUE(box && box->lineEdit());
    Click(box->lineEdit());
    ASSERT_TRUE(WaitFor([&] { return box->lineEdit()->hasFocus(); }));
    Keys({QStringLiteral("ctrl+a")});
    Type(QString::fromStdString(device));
    ASSERT_TRUE(WaitFor([&] { return box->currentText() == QString::fromStdString(device); }))
        << "the device field holds " << box->currentText().toStdString();
    auto* apply = Find<QToolButton>(QStringLiteral("ToolButton4"), page);
    ASSERT_TRUE(WaitFor([&] { return apply->isEnabled(); }));
    Click(apply);
    ASSERT_TRUE(WaitFor([&] { return GOptionFile->Optionen().SerialPort->First().DevicePath == device; }))
        << "the device was not taken into the options";
  }

  // The transfer page, opened from the side bar, once it shows the device and has found module 0.
  TFrTransfer* OpenTransferPage(const std::string& device) {
    SideBarClick("FrTransfer");
    if (!WaitForPage("FrTransfer")) {
      ADD_FAILURE() << "the transfer page did not open";
      return nullptr;
    }
    auto* page = dynamic_cast<TFrTransfer*>(Main().FM->GetFrame(QStringLiteral("FrTransfer")));
    EXPECT_TRUE(WaitFor([&] { return page->CPL->text().contains(QString::fromStdString(device)); }))
        << "the transfer page shows " << page->CPL->text().toStdString();
    EXPECT_TRUE(WaitFor([&] { return page->STMV->text().contains(QStringLiteral("78")); }))
        << "module 0 was not found: " << page->STMV->text().toStdString();
    return page;
  }

  // "Alles übertragen" and its run, until the page can start another.
  void TransferEverything(TFrTransfer& page) {
    ClickTab(page.TC, QStringLiteral("Alles übertragen"));
    ASSERT_TRUE(WaitFor([&] { return page.BtnGo->isEnabled(); }));
    Click(page.BtnGo);
    ASSERT_TRUE(WaitFor([&] { return page.BtnGo->isEnabled() && !page.Running(); }, kLongRun))
        << "the transfer did not end";
    EXPECT_TRUE(WaitForPage("FrTransfer")) << "the run did not come back to the transfer page";
  }

  static QString Log(const TFrTransfer& page) { return page.Memo1->toPlainText(); }
};

TEST_F(Bus, DeviceTransferReadBackEraseClockAndSelfTest) {
  TSimulatorProcess sim({"--modules", "01", "--baud", "115200"});
  const std::string device = sim.Terminal();
  ASSERT_FALSE(device.empty()) << "the simulator did not start";
  StartGlobals();
  const std::string project = SaveTwoModuleProject("Zweihaus.zpf");
  StartProgram(project);
  ASSERT_TRUE(WaitForPage("FrStmBearb"));

  // The device, typed on the options page, is the one the transfer page shows and uses.
  SetDevice(device);
  TFrTransfer* transfer = OpenTransferPage(device);
  ASSERT_TRUE(transfer);

  // "Alles übertragen": success, both modules hold the compiled program and run.
  TransferEverything(*transfer);
  EXPECT_TRUE(Log(*transfer).contains(QStringLiteral("Übertragung erfolgreich beendet"))) << Log(*transfer).toStdString();
  EXPECT_EQ(transfer->LERR->text(), QStringLiteral("Übertragung erfolgreich beendet!"));
  const std::vector<uint8_t> programs = ReadFile(TCompileDriver::ProgramFileName(project));
  ASSERT_EQ(programs.size(), 2 * kAreaSize) << "the program file of the transfer";
  std::vector<uint8_t> memory0;
  for (int n = 0; n < 2; ++n) {
    EXPECT_TRUE(sim.State(n).starts_with("present running")) << "STM " << n << ": " << sim.State(n);
    const std::vector<uint8_t> memory = sim.Memory(n);
    ASSERT_EQ(memory.size(), 0x10000u);
    TProjektInfoBlock block{};
    std::copy_n(memory.begin() + kInfoAddress, block.size(), block.begin());
    const TProjektInfo info = TProjektInfo::FromBlock(block);
    EXPECT_EQ(info.ProjektName, "Zweihaus");
    const size_t length = info.ImageLength + 1u;  // the image and the byte its checksum covers
    ASSERT_GT(info.ImageLength, 16) << "STM " << n;
    EXPECT_TRUE(std::equal(programs.begin() + static_cast<long>(n * kAreaSize),
                           programs.begin() + static_cast<long>(n * kAreaSize + length), memory.begin() + kAreaStart))
        << "the memory of STM " << n << " is not the compiled program";
    if (n == 0) memory0 = memory;
  }

  // The read-back page reads exactly what module 0 holds.
  MenuCommand({"Steuermodul1", "Auslesen1"});
  ASSERT_TRUE(WaitForPage("FrSTMListing"));
  auto* listing = dynamic_cast<TFrSTMListing*>(Main().FM->GetFrame(QStringLiteral("FrSTMListing")));
  ASSERT_EQ(listing->TC->tabText(listing->TC->currentIndex()), QStringLiteral("Steuermodul 0"));
  Click(listing->BtnRead);
  ASSERT_TRUE(WaitFor([&] { return listing->MPHE->Data().size() == kAreaSize && listing->BtnRead->isEnabled(); },
                      kLongRun))
      << "nothing was read back";
  EXPECT_TRUE(std::equal(listing->MPHE->Data().begin(), listing->MPHE->Data().end(), memory0.begin() + kAreaStart))
      << "the read-back differs from the module's memory";

  // Module 0 erased: the information page reads it as empty, module 1 keeps its project.
  OnDialog(QStringLiteral("Speicher eines Steuermodul löschen"), [this](QWidget* dialog) {
    auto* stm0 = Find<QCheckBox>(QStringLiteral("CSTM0"), dialog);
    ASSERT_FALSE(stm0->isChecked());
    Toggle(stm0);
    ClickButton(dialog, QStringLiteral("Speicher löschen"));
    auto* result = Find<QLabel>(QStringLiteral("LA"), dialog);
    EXPECT_TRUE(WaitFor([&] {
      return result->text() == QStringLiteral("Der Speicher der gewählten Steuermodule wurde gelöscht.");
    })) << result->text().toStdString();
    ClickButton(dialog, QStringLiteral("Schließen"));
  });
  MenuCommand({"Steuermodul1", "Loeschen"});
  ASSERT_TRUE(WaitForDialogsHandled());
  {
    const std::vector<uint8_t> erased = sim.Memory(0);
    ASSERT_EQ(erased.size(), 0x10000u);
    EXPECT_TRUE(std::all_of(erased.begin() + kAreaStart, erased.end(), [](uint8_t b) { return b == 0xFF; }));
  }
  MenuCommand({"Steuermodul1", "STMInfo"});
  ASSERT_TRUE(WaitForPage("FrSTMInfo"));
  auto* info = dynamic_cast<TFrSTMInfo*>(Main().FM->GetFrame(QStringLiteral("FrSTMInfo")));
  ASSERT_EQ(info->TC->tabText(info->TC->currentIndex()), QStringLiteral("Steuermodul 0"));
  Click(info->BtnOK);  // "Informationen auslesen"
  EXPECT_TRUE(WaitFor([&] { return info->Values[0]->text() == QStringLiteral("leer"); }))
      << "module 0 reads " << info->Values[0]->text().toStdString();
  ClickTab(info->TC, QStringLiteral("Steuermodul 1"));
  EXPECT_TRUE(WaitFor([&] { return info->Values[0]->text() == QStringLiteral("Zweihaus"); }))
      << "module 1 reads " << info->Values[0]->text().toStdString();

  // The clocks set to a typed date and time.
  SideBarClick("FrSetClock");
  ASSERT_TRUE(WaitForPage("FrSetClock"));
  auto* clock = dynamic_cast<TFrSetClock*>(Main().FM->GetFrame(QStringLiteral("FrSetClock")));
  ASSERT_TRUE(WaitFor([&] { return clock->ST[0]->isChecked() && clock->ST[1]->isChecked(); }, 20000))
      << "the page did not find both modules";
  ASSERT_TRUE(clock->SZ->isChecked());
  Toggle(clock->SZ);
  ASSERT_TRUE(WaitFor([&] { return clock->EDate->isEnabled(); }));
  Click(clock->EDate);
  ASSERT_TRUE(WaitFor([&] { return clock->EDate->hasFocus(); }));
  Keys({QStringLiteral("ctrl+a")});
  Type(QStringLiteral("15.06.25"));
  Click(clock->ETime);
  ASSERT_TRUE(WaitFor([&] { return clock->ETime->hasFocus(); }));
  Keys({QStringLiteral("ctrl+a")});
  Type(QStringLiteral("08:15:00"));
  ASSERT_TRUE(WaitFor([&] {
    return clock->EDate->text() == QStringLiteral("15.06.25") && clock->ETime->text() == QStringLiteral("08:15:00");
  }));
  Click(clock->BtnTrans);
  EXPECT_TRUE(WaitFor([&] { return clock->Result->text().contains(QStringLiteral("STM0, STM1 (15.06.25 08:15)")); }))
      << clock->Result->text().toStdString();
  EXPECT_TRUE(sim.State(0).ends_with("15.06.25 08:15")) << sim.State(0);
  EXPECT_TRUE(sim.State(1).ends_with("15.06.25 08:15")) << sim.State(1);

  // The self test of module 0 ends without errors and leaves its clock at the PC's time.
  MenuCommand({"Steuermodul1", "Selbsttest"});
  ASSERT_TRUE(WaitForPage("FrSelbstTest"));
  auto* selfTest = dynamic_cast<TFrSelbstTest*>(Main().FM->GetFrame(QStringLiteral("FrSelbstTest")));
  Answer(QStringLiteral("Test wirklich starten"), QStringLiteral("Ja"));
  Answer(QStringLiteral("POR- Freigabe"), QStringLiteral("Nein"));
  const std::time_t started = std::time(nullptr);
  Click(selfTest->BtnStart);
  ASSERT_TRUE(WaitForDialogsHandled(kLongRun));
  ASSERT_TRUE(WaitFor([&] { return selfTest->BtnStart->isEnabled(); }, kLongRun));
  const std::time_t ended = std::time(nullptr);
  const QString log = selfTest->Memo1->toPlainText();
  EXPECT_TRUE(log.contains(QStringLiteral("ohne Fehler beendet"))) << log.toStdString();
  EXPECT_TRUE(log.contains(QStringLiteral("Die Uhr des Steuermoduls wurde auf die Zeit des PCs gestellt")))
      << log.toStdString();
  const std::string state = sim.State(0);
  bool pcTime = false;
  for (std::time_t t = started - 60; t <= ended + 60; t += 30) pcTime = pcTime || state.ends_with(ClockText(t));
  EXPECT_TRUE(pcTime) << "the module clock after the self test: " << state << ", the PC: " << ClockText(ended);

  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

TEST_F(Bus, ASimulatorThatQuitsMidTransferGivesOneMessageNamingTheDevice) {
  TSimulatorProcess sim({"--modules", "01", "--baud", "115200"});
  const std::string device = sim.Terminal();
  ASSERT_FALSE(device.empty()) << "the simulator did not start";
  StartGlobals();
  StartProgram(SaveTwoModuleProject("Zweihaus.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  SetDevice(device);
  TFrTransfer* transfer = OpenTransferPage(device);
  ASSERT_TRUE(transfer);

  // The line goes away at the first program block sent to module 1.
  sim.QuitAtFrame("PC   C0 FE 01 01 ");
  TransferEverything(*transfer);
  EXPECT_TRUE(sim.QuitSent()) << "the transfer never reached module 1";
  EXPECT_TRUE(WaitFor([&] { return sim.Ended(); }));
  const QStringList lines = Log(*transfer).split(QLatin1Char('\n'));
  const QStringList naming = lines.filter(QString::fromStdString(device));
  ASSERT_EQ(naming.size(), 1) << Log(*transfer).toStdString();
  EXPECT_TRUE(naming[0].startsWith(QStringLiteral("Die Verbindung über ") + QString::fromStdString(device)))
      << naming[0].toStdString();
  EXPECT_FALSE(Log(*transfer).contains(QStringLiteral("erfolgreich beendet"))) << Log(*transfer).toStdString();
  EXPECT_NE(transfer->LERR->text(), QStringLiteral("Übertragung erfolgreich beendet!"));
  EXPECT_NE(transfer->TERR->text(), QStringLiteral("keine Übertragungsfehler"));

  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
