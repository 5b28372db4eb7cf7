// The programme itself under a virtual X server: started with a project on its command line, its
// main window must come up with the project's name in the caption. The screen is written to the
// build folder as a picture for review.

#include "MainWindowFixture.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

uint32_t Card32(const std::vector<uint8_t>& b, size_t field) {
  const size_t i = field * 4;
  return static_cast<uint32_t>(b[i]) << 24 | static_cast<uint32_t>(b[i + 1]) << 16 |
         static_cast<uint32_t>(b[i + 2]) << 8 | b[i + 3];
}

// The screen of the virtual X server (an XWD dump of 32 bits per pixel) as a picture.
QImage ReadScreenDump(const std::string& file) {
  const std::vector<uint8_t> b = ReadFileBytes(file);
  if (b.size() < 100) return {};
  const uint32_t headerSize = Card32(b, 0), width = Card32(b, 4), height = Card32(b, 5);
  const uint32_t bitsPerPixel = Card32(b, 11), bytesPerLine = Card32(b, 12), colours = Card32(b, 19);
  const size_t offset = headerSize + static_cast<size_t>(colours) * 12;
  if (bitsPerPixel != 32 || offset + static_cast<size_t>(bytesPerLine) * height > b.size()) return {};
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = b.data() + offset + static_cast<size_t>(y) * bytesPerLine + x * 4;
      image.setPixel(static_cast<int>(x), static_cast<int>(y), qRgb(p[2], p[1], p[0]));
    }
  return image;
}

TEST_F(MainWindowTest, ProgrammeStartsUnderXvfbWithTheProjectOfItsCommandLine) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
  if (xvfb.isEmpty() || xdotool.isEmpty()) GTEST_SKIP() << "xvfb-run or xdotool is not installed";

  // The programme in a folder of its own, with options that name this test's system data and
  // record the set-up wizard as completed, so that no question stands before the window.
  const fs::path dir = fs::path(TestHome()) / "programm";
  fs::create_directories(dir / "screen");
  const fs::path program = dir / "zyn";
  fs::copy_file(ZYN_PROGRAM, program, fs::copy_options::overwrite_existing);
  SetBoolOption(boConfigAssist, true);
  GOptionFile->SaveToFile((dir / "zyn.xml").string());
  const std::string project = SaveSmallProject("xvfb_projekt.zpf");

  const fs::path script = dir / "run.sh";
  WriteFileAtomic(script.string(),
                  "\"$1\" \"$2\" & pid=$!\n"
                  "found=1\n"
                  "for i in $(seq 1 100); do\n"
                  "  if xdotool search --name 'xvfb_projekt\\.zpf' >/dev/null 2>&1; then found=0; break; fi\n"
                  "  sleep 0.1\n"
                  "done\n"
                  "sleep 1\n"
                  "cp \"$3/Xvfb_screen0\" \"$3/screen.xwd\" 2>/dev/null\n"
                  "kill $pid 2>/dev/null; wait $pid 2>/dev/null\n"
                  "exit $found\n");
  QProcess run;
  run.setProcessChannelMode(QProcess::MergedChannels);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  run.setProcessEnvironment(env);
  const QString screenDir = QString::fromStdString((dir / "screen").string());
  run.start(xvfb,
            {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24 -fbdir ") + screenDir,
             QStringLiteral("sh"), QString::fromStdString(script.string()), QString::fromStdString(program.string()),
             QString::fromStdString(project), screenDir});
  ASSERT_TRUE(run.waitForFinished(60000)) << "the virtual X server did not finish";
  EXPECT_EQ(run.exitCode(), 0) << "no main window with the project's name: " << run.readAll().toStdString();

  const QImage screen = ReadScreenDump((dir / "screen" / "screen.xwd").string());
  ASSERT_FALSE(screen.isNull());
  screen.save(QString::fromLatin1(ZYN_BINARY_DIR) + QStringLiteral("/main_window_xvfb.png"));
  EXPECT_NE(screen.pixel(100, 100), screen.pixel(600, 400));  // something was drawn
}

}  // namespace
}  // namespace zyn::test
