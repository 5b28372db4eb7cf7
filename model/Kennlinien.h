#pragma once
// Dimmer curves: 256 output bytes per curve, kept in "Kennlinien.xml" of the system data folder.

#include "model/base/XMLCollection.h"

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

class TUniqueNames;

class TZYNKennlinie : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  bool CanEdit = false;
  std::string DisplayName;
  std::string InternalName;
  std::array<uint8_t, 256> Werte{};  // byte i is the output for step i

  // The 256 bytes as 512 upper-case hexadecimal digits, byte 0 first.
  std::string GetKennlinie() const;
  // Two digits per byte from byte 0 on; at most 256 bytes; bytes beyond a shorter text keep
  // their value; a last single digit is a one-digit number. EReadError on a non-hex pair.
  void SetKennlinie(const std::string& text);
};

// The outcome of loading the curve file at start.
struct TKennlinienLoad {
  enum TStatus { Loaded, DefaultsMade, Unreadable };
  TStatus Status = Loaded;
  std::string Message;  // German text for the user; empty when there is nothing to report
};

class TZYNKennlinienListe : public TXMLCollectionOf<TZYNKennlinie> {
 public:
  TZYNKennlinienListe();

  // The three standard curves, each with a new internal name and CanEdit false.
  void AddDefaultCurves(TUniqueNames& names);
  // Loads the file; only when it is missing are the standard curves made and saved. A file that
  // cannot be read is reported and left untouched.
  TKennlinienLoad LoadOrCreate(const std::string& fileName, TUniqueNames& names);
};

}  // namespace zyn
