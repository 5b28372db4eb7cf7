#pragma once
// Builds the byte form of records by hand, independently of the code under test.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zyn::test {

using Bytes = std::vector<uint8_t>;

struct Raw {
  Bytes b;
  Raw& u8(int v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Raw& le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) u8(int(v >> (8 * i)) & 0xFF);
    return *this;
  }
  Raw& str(std::string_view s) {
    u8(int(s.size()));
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Raw& chars(std::string_view s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Raw& zeros(size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
  }
  Raw& bytes(const Bytes& x) {
    b.insert(b.end(), x.begin(), x.end());
    return *this;
  }
  // Value-stream values.
  Raw& sval(std::string_view s) { return u8(6).str(s); }
  Raw& ival8(int v) { return u8(2).u8(v); }
};

}  // namespace zyn::test
