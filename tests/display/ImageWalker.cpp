#include "ImageWalker.h"

#include <algorithm>
#include <cstdio>

namespace zyn::test {
namespace {

constexpr int kBase = 0x8000;

class Walker {
 public:
  Walker(const std::vector<uint8_t>& image, TWalkedImage& out) : fImage(image), fOut(out) {}

  int At(int address) {
    const int i = address - kBase;
    if (i < 0 || i >= static_cast<int>(fImage.size())) {
      Fail("read outside the image at " + Hex(address));
      throw 0;
    }
    return fImage[static_cast<size_t>(i)];
  }
  int Next() { return At(fPos++); }
  int NextWord() {
    const int high = Next();
    return high * 256 + Next();
  }
  int Peek() { return fPos - kBase < static_cast<int>(fImage.size()) ? At(fPos) : -1; }
  void Expect(int value, const char* what) {
    const int got = Next();
    if (got != value)
      Fail(std::string(what) + ": expected " + Hex(value) + " got " + Hex(got) + " at " + Hex(fPos - 1));
  }
  void Fail(const std::string& message) { fOut.Errors.push_back(message); }
  static std::string Hex(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%X", v);
    return b;
  }

  const std::vector<uint8_t>& fImage;
  TWalkedImage& fOut;
  int fPos = kBase;
};

bool Contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

}  // namespace

TWalkedImage WalkImage(const std::vector<uint8_t>& image, int pairs, int screens) {
  TWalkedImage out;
  Walker w(image, out);
  try {
    // Header.
    w.Expect(0xFF, "header 0");
    w.Expect(0xFF, "header 1");
    const int section1 = w.NextWord();
    const int records = w.NextWord();
    w.Expect(0, "header 6");
    w.Expect(0, "header 7");
    out.Section4 = w.NextWord();
    for (int i = 0; i < 66; ++i) w.Expect(0xFF, "header FF");
    if (section1 != kBase + 76) w.Fail("section 1 address");

    // Section 1.
    while (w.Peek() == 0x15) {
      w.Next();
      const int s = w.Next();
      w.Expect(0x13, "start-up 13");
      w.Expect(s, "start-up module");
      out.StartupModules.push_back(s);
    }
    w.Expect(0x01, "start jump");
    w.Expect(0x03, "start jump");
    w.Expect(0x0C, "start jump");
    out.StartScreen = w.NextWord();
    w.Expect(0x00, "start jump end");

    // Section 2.
    for (int i = 0; i < 2 * pairs; ++i) {
      out.StateTexts.push_back(w.fPos);
      while (w.Next() != 0) {
      }
    }
    // Section 3.
    for (int n = 1; n <= records; ++n) {
      out.StateRecords.push_back(w.fPos);
      w.Expect(0x01, "state record");
      if (w.NextWord() != n) w.Fail("state record number");
      const int on = w.NextWord(), off = w.NextWord();
      if (!Contains(out.StateTexts, on) || !Contains(out.StateTexts, off)) w.Fail("state text pointer");
    }
    // Section 4.
    if (w.fPos != out.Section4) w.Fail("section 4 address " + Walker::Hex(out.Section4) + " vs " + Walker::Hex(w.fPos));
    std::vector<int> stmNodes, moduleNodes, nextPointers;
    if (w.Peek() != 0xA0) {
      w.Expect(0x00, "empty tree");
    }
    while (w.Peek() == 0xA0) {
      stmNodes.push_back(w.fPos);
      w.Next();
      const int s = w.Next();
      nextPointers.push_back(w.NextWord());
      while (w.Peek() == 0xA1) {
        moduleNodes.push_back(w.fPos);
        w.Next();
        const int v = w.Next();
        nextPointers.push_back(w.NextWord());
        while (w.Peek() == 0xA2) {
          w.Next();
          const int c = w.Next();
          if (w.Peek() != 0xA3) w.Fail("channel without leaf");
          while (w.Peek() == 0xA3) {
            w.Next();
            const int record = w.NextWord();
            if (!Contains(out.StateRecords, record)) w.Fail("tree leaf pointer");
            out.TreeLeaves[record] = {s, v, c};
          }
          w.Expect(0x00, "channel end");
        }
        w.Expect(0x00, "module end");
      }
      w.Expect(0x00, "control module end");
    }
    for (int p : nextPointers)
      if (p != 0 && !Contains(stmNodes, p) && !Contains(moduleNodes, p)) w.Fail("tree next pointer");
    if (out.TreeLeaves.size() != out.StateRecords.size()) w.Fail("records missing in the tree");
    out.Section5 = w.fPos;
    out.Section6 = out.StartScreen;  // the start screen is compiled first in the fixtures

    // Section 6.
    struct Pointer {
      int At, Target, Key;
    };
    std::vector<Pointer> keyPointers, graphicPointers, statePointers;
    w.fPos = out.Section6;
    auto records6 = [&](bool navigation) {
      for (;;) {
        const int at = w.fPos;
        const int code = w.Next();
        switch (code) {
          case 0x00:
            return;
          case 0x04:
            w.Next();
            w.Next();
            w.Next();
            break;
          case 0x07: {
            w.Next();
            w.Next();
            std::string text;
            for (int c; (c = w.Next()) != 0;) text.push_back(static_cast<char>(c));
            if (!navigation) out.Texts.push_back(text);
            break;
          }
          case 0x08:
            w.Next();
            w.Next();
            statePointers.push_back({at, w.NextWord(), 0});
            ++out.StateVariableRecords;
            break;
          case 0x09: {
            w.Next();
            w.Next();
            const int b = w.Next(), h = w.Next();
            graphicPointers.push_back({at, w.NextWord(), b * h});
            ++out.GraphicRecords;
            break;
          }
          case 0x0A:
          case 0x0B:
            w.Next();
            break;
          case 0x0E: {
            w.Next();
            w.Next();
            w.Next();
            const int f = w.Next();
            if (f > 1) w.Fail("highlight flag");
            break;
          }
          case 0x10: {
            const int k = w.Next();
            if (k > 5) w.Fail("key number");
            keyPointers.push_back({at, w.NextWord(), k});
            break;
          }
          case 0x11:
          case 0x12:
            w.Next();
            w.Next();
            w.Next();
            break;
          default:
            w.Fail("unknown screen record " + Walker::Hex(code) + " at " + Walker::Hex(at));
            throw 0;
        }
      }
    };
    for (int s = 0; s < screens; ++s) {
      out.Screens.push_back(w.fPos);
      for (int k = 0; k <= 5; ++k) {
        w.Expect(0x10, "unbind");
        w.Expect(k, "unbind key");
        w.Expect(0, "unbind");
        w.Expect(0, "unbind");
      }
      records6(false);
      while (w.Peek() == 0x0E) {
        out.NavigationBlocks.push_back(w.fPos);
        records6(true);
      }
    }
    // Section 7.
    out.Section7 = w.fPos;
    int section8 = static_cast<int>(image.size()) + kBase;
    for (const auto& g : graphicPointers) section8 = std::min(section8, g.Target);
    while (w.fPos < section8) {
      const int at = w.fPos;
      out.FunctionRecords.push_back(at);
      const int code = w.Next();
      if (code == 0x01) {
        w.Expect(0x03, "jump");
        w.Expect(0x0C, "jump");
        if (!Contains(out.Screens, w.NextWord())) w.Fail("jump target");
        w.Expect(0x00, "jump end");
      } else if (code == 0x0F) {
        w.Expect(0x00, "output");
        const int data = w.NextWord();
        if (data < out.Section5 || data >= out.Section6) w.Fail("telegram block pointer");
        w.Expect(0x00, "output end");
      } else if (code == 0x16) {
        // Input emulation telegrams are 4 bytes and may hold zeros themselves.
        for (int i = 0; i < 4; ++i) w.Next();
        w.Expect(0x00, "input emulation end");
      } else {
        w.Fail("unknown function record " + Walker::Hex(code) + " at " + Walker::Hex(at));
        break;
      }
    }
    // Section 8.
    out.Section8 = w.fPos;
    if (!graphicPointers.empty() && w.fPos != section8) w.Fail("section 8 start");
    for (const auto& g : graphicPointers) {
      auto it = out.GraphicBlocks.find(g.Target);
      if (it != out.GraphicBlocks.end() && it->second != g.Key) w.Fail("graphic block size");
      out.GraphicBlocks[g.Target] = g.Key;
    }
    int expected = out.Section8;
    for (const auto& [at, size] : out.GraphicBlocks) {
      if (at != expected) w.Fail("graphic blocks do not tile section 8");
      expected = at + size;
    }
    out.End = expected;
    if (out.End != static_cast<int>(image.size()) + kBase) w.Fail("image length");

    // Pointers of section 6.
    if (!Contains(out.Screens, out.StartScreen)) w.Fail("start screen");
    for (const auto& p : statePointers)
      if (!Contains(out.StateRecords, p.Target)) w.Fail("state variable pointer at " + Walker::Hex(p.At));
    for (const auto& p : keyPointers) {
      if (p.Target == 0) continue;
      const bool ok = p.Key >= 4 ? Contains(out.NavigationBlocks, p.Target) : Contains(out.FunctionRecords, p.Target);
      if (!ok) w.Fail("key pointer at " + Walker::Hex(p.At) + " to " + Walker::Hex(p.Target));
    }
  } catch (int) {
  }
  return out;
}

}  // namespace zyn::test
