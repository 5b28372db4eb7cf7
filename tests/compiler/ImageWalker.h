#pragma once
// A test-only reader of finished images. It parses the event lists and the then/else lists with
// the true length of every operation and checks that every address in the image lands on what
// it names: link-table and clock-table addresses and flag continuations on an operation in the
// event lists, jumps on an operation in the other image's event lists, logic headers on a
// condition code and on operations of the then/else lists, text references on a record; and
// that the checksummed range ends before the project-information block.
// Section bounds come from the image object; the bytes are read from the image alone.

#include "compiler/Bindata.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace zyn::test {

class TImageWalker {
 public:
  explicit TImageWalker(const TStmImages& images) : fImages(images) {}

  // Problems found in the image of the control module; empty when all is well.
  std::vector<std::string> Check(int stm);
  // Number of addresses checked over all calls.
  int Checked() const { return fChecked; }

 private:
  struct TArea {
    size_t Begin = 0, End = 0;  // image offsets
    std::set<size_t> Ops;       // operation starts (image offsets)
  };
  struct TRef {
    size_t At;  // where the address stands
    uint16_t Address;
    char Kind;  // 'E' event op, 'L' logic op, 'C' combination, 'T' text, 'X' other image's event op
    int Stm;
  };

  const uint8_t* Bytes(int stm) const { return fImages[static_cast<size_t>(stm)]->Bytes(); }
  uint16_t Word(int stm, size_t at) const { return static_cast<uint16_t>((Bytes(stm)[at] << 8) | Bytes(stm)[at + 1]); }
  // Parses operations from begin to end; false with a message on an unknown operation.
  bool ParseOps(int stm, TArea& area, std::vector<TRef>& refs, std::vector<std::string>& problems);
  TArea EventArea(int stm);

  TStmImages fImages;
  int fChecked = 0;
};

inline TImageWalker::TArea TImageWalker::EventArea(int stm) {
  const TBinData& image = *fImages[static_cast<size_t>(stm)];
  TArea area;
  area.Begin = image.EventArea.ImageOffset;
  area.End = area.Begin + image.EventArea.Length();
  return area;
}

inline bool TImageWalker::ParseOps(int stm, TArea& area, std::vector<TRef>& refs, std::vector<std::string>& problems) {
  const uint8_t* b = Bytes(stm);
  size_t p = area.Begin;
  while (p < area.End) {
    const uint8_t op = b[p];
    if (op == 0xFF) {
      // Only the fill may follow.
      for (size_t q = p; q < area.End; ++q) {
        if (b[q] != 0xFF) {
          problems.push_back("byte 0xFF inside the lists at " + std::to_string(p));
          return false;
        }
      }
      return true;
    }
    area.Ops.insert(p);
    size_t length = 0;
    switch (op) {
      case 0:
        length = 1;
        break;
      case 1:
        length = 3 + b[p + 2];
        break;
      case 135:
        length = 4 + b[p + 3];
        break;
      case 37:
        length = 5;
        refs.push_back({p + 3, Word(stm, p + 3), 'X', b[p + 1]});
        break;
      case 41:
        length = 5;
        break;
      case 129:
      case 130:
        length = 5;
        refs.push_back({p + 1, Word(stm, p + 1), 'C', stm});
        refs.push_back({p + 3, Word(stm, p + 3), 'L', stm});
        break;
      case 131:
        length = 7;
        refs.push_back({p + 1, Word(stm, p + 1), 'C', stm});
        refs.push_back({p + 3, Word(stm, p + 3), 'L', stm});
        refs.push_back({p + 5, Word(stm, p + 5), 'L', stm});
        break;
      case 132:
        length = 3;
        refs.push_back({p + 1, Word(stm, p + 1), 'E', stm});
        break;
      case 133:
        length = 3;
        if (Word(stm, p + 1) != 0) refs.push_back({p + 1, Word(stm, p + 1), 'T', stm});
        break;
      case 134:
        length = 5;
        break;  // clock data "Zufallszeit" with four values
      default:
        if (op >= 3 && op <= 72) {
          length = 2;
        } else {
          problems.push_back("unknown operation " + std::to_string(op) + " at " + std::to_string(p));
          return false;
        }
    }
    p += length;
  }
  if (p != area.End) problems.push_back("operation runs past its section at " + std::to_string(p));
  return p == area.End;
}

inline std::vector<std::string> TImageWalker::Check(int stm) {
  std::vector<std::string> problems;
  const TBinData& image = *fImages[static_cast<size_t>(stm)];
  const uint8_t* b = image.Bytes();
  std::vector<TRef> refs;

  // The transfer writes bytes 0..L-1 and then the project-information block at 0xBD00: the
  // contents must end at that block at the latest.
  const size_t length = Word(stm, kHdrLength);
  if (length != image.ImageLength()) problems.push_back("header length differs from the image length");
  if (kModuleBase + length > 0xBD00) problems.push_back("contents reach into the project-information block");

  TArea events = EventArea(stm);
  ParseOps(stm, events, refs, problems);
  TArea lists;
  lists.Begin = image.LogicArea.ImageOffset + image.LogicArea.LogicStart;
  lists.End = image.LogicArea.ImageOffset + image.LogicArea.Length();
  ParseOps(stm, lists, refs, problems);
  const size_t combBegin = image.LogicArea.ImageOffset;
  const size_t combEnd = lists.Begin;
  const size_t textBegin = lists.End;
  const size_t textEnd = textBegin + image.Texts.Length();

  // Link table.
  uint16_t module = Word(stm, kHdrModuleChain);
  if (module != 0xFFFF) {
    while (module != 0) {
      size_t p = module - kModuleBase;
      if (p < kHeaderSize || p + 3 > events.Begin) {
        problems.push_back("module entry outside the link table");
        break;
      }
      module = Word(stm, p + 1);
      for (p += 3; p < events.Begin && b[p] != 0xFF; p += 3) refs.push_back({p + 1, Word(stm, p + 1), 'E', stm});
    }
  }
  // Clock table.
  const uint16_t clocks = Word(stm, kHdrClockTable);
  if (clocks != 0xFFFF) {
    const size_t p = clocks - kModuleBase;
    for (int i = 0; i < b[p]; ++i) {
      for (size_t field : {p + 1 + 10 * i + 3, p + 1 + 10 * i + 8}) {
        if (Word(stm, field) != 0) refs.push_back({field, Word(stm, field), 'E', stm});
      }
    }
  }

  for (const TRef& r : refs) {
    ++fChecked;
    const size_t target = static_cast<size_t>(r.Address) - kModuleBase;
    bool ok = false;
    switch (r.Kind) {
      case 'E':
        ok = events.Ops.count(target) > 0;
        break;
      case 'L':
        ok = lists.Ops.count(target) > 0;
        break;
      case 'T':
        ok = target >= textBegin && target < textEnd && (target - textBegin) % 35 == 0;
        break;
      case 'C': {
        ok = target >= combBegin && target < combEnd;
        size_t q = target;
        while (ok && b[q] != 0) {
          q += 2;
          ok = q < combEnd;
        }
        break;
      }
      case 'X': {
        if (r.Stm < 0 || r.Stm > 3 || fImages[static_cast<size_t>(r.Stm)] == nullptr) break;
        TArea other = EventArea(r.Stm);
        std::vector<TRef> ignored;
        std::vector<std::string> ignoredProblems;
        ParseOps(r.Stm, other, ignored, ignoredProblems);
        ok = other.Ops.count(target) > 0;
        break;
      }
      default:
        break;
    }
    if (!ok) {
      problems.push_back(std::string("address ") + std::to_string(r.Address) + " at " + std::to_string(r.At) + " (" +
                         r.Kind + ") lands on no start");
    }
  }
  return problems;
}

}  // namespace zyn::test
