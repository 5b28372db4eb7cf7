#pragma once
// Component records ("TPF0"): the stored form of a component with its class name, component
// name, named properties and child components, as the visualisation pages use it. The tree is
// kept losslessly: every value keeps its tag and its payload bytes, so reading a record and
// writing it again gives the same bytes, also for properties and classes nobody here knows.

#include "model/base/Filer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct TPropertyRecord;
struct TCollectionItemRecord;

// One tagged value of the value stream. Scalar kinds keep their whole encoding (tag, length
// fields and payload); lists, sets and collections keep their parts.
class TFilerValue {
 public:
  TFilerValue();  // the list end marker / identifier "Null" (tag 0)
  TFilerValue(const TFilerValue&);
  TFilerValue(TFilerValue&&) noexcept;
  TFilerValue& operator=(const TFilerValue&);
  TFilerValue& operator=(TFilerValue&&) noexcept;
  ~TFilerValue();

  // New values, encoded the way the writer of the value stream encodes them.
  static TFilerValue Integer(int32_t value);         // tag 2, 3 or 4, the smallest that fits
  static TFilerValue Int64(int64_t value);           // as Integer within 32 bits, else tag 19
  static TFilerValue String(std::string_view ansi);  // tag 6, 12 or 20
  static TFilerValue WideString(std::u16string_view text);
  static TFilerValue Ident(std::string_view word);  // False/True/nil/Null become tags 8/9/13/0
  static TFilerValue Boolean(bool value);
  static TFilerValue Extended(long double value);         // tag 5
  static TFilerValue Single(float value);                 // tag 15
  static TFilerValue Currency(int64_t scaled);            // tag 16, amount times 10000
  static TFilerValue Date(double value);                  // tag 17
  static TFilerValue Binary(std::vector<uint8_t> bytes);  // tag 10
  static TFilerValue Nil();
  static TFilerValue Set(std::vector<std::string> elements);                // tag 11
  static TFilerValue List(std::vector<TFilerValue> values);                 // tag 1
  static TFilerValue Collection(std::vector<TCollectionItemRecord> items);  // tag 14

  TValueType Type() const { return fType; }
  bool IsInteger() const;  // tags 2, 3, 4 and 19

  // Typed views; a value of another kind raises EReadError "Ungültiger Eigenschaftswert".
  int32_t AsInteger() const;              // tags 2, 3, 4
  int64_t AsInt64() const;                // tags 2, 3, 4, 19
  std::string AsString() const;           // tags 6, 12, 18, 20 as Windows-1252 text
  std::string AsIdent() const;            // tag 7, and "Null", "False", "True", "nil"
  bool AsBoolean() const;                 // tag 9 is true, tag 8 false
  long double AsFloat() const;            // tag 5, 15, 16, 17 and integers
  std::vector<uint8_t> AsBinary() const;  // tag 10

  const std::vector<std::string>& SetElements() const { return fSet; }
  const std::vector<TFilerValue>& ListValues() const { return fList; }
  std::vector<TFilerValue>& ListValues() { return fList; }
  const std::vector<TCollectionItemRecord>& Items() const { return fItems; }
  std::vector<TCollectionItemRecord>& Items() { return fItems; }
  // The encoding of a scalar value (tag, length fields, payload); empty for the other kinds.
  const std::vector<uint8_t>& Encoded() const { return fRaw; }

  // Reads one whole value (its tag included); EReadError for a tag outside the value stream.
  static TFilerValue Read(TReader& reader);
  void Write(TWriter& writer) const;

  bool operator==(const TFilerValue& other) const;

 private:
  friend class TValueParser;
  TValueType fType = TValueType::vaNull;
  std::vector<uint8_t> fRaw;
  std::vector<std::string> fSet;
  std::vector<TFilerValue> fList;
  std::vector<TCollectionItemRecord> fItems;
};

// A property: its (possibly dotted) name and its value.
struct TPropertyRecord {
  std::string Name;
  TFilerValue Value;
  bool operator==(const TPropertyRecord&) const = default;
};

// One item of a collection value: an optional integer index, then its properties.
struct TCollectionItemRecord {
  std::optional<TFilerValue> Index;
  std::vector<TPropertyRecord> Properties;
  bool operator==(const TCollectionItemRecord&) const = default;
};

// Property list helpers shared by records and collection items.
const TPropertyRecord* FindProperty(const std::vector<TPropertyRecord>& props, std::string_view name);
TPropertyRecord* FindProperty(std::vector<TPropertyRecord>& props, std::string_view name);
// Replaces the value of the property, or appends the property when it is missing.
void SetProperty(std::vector<TPropertyRecord>& props, std::string_view name, TFilerValue value);

// The component record of one component and, below it, those of its child components.
class TComponentRecord {
 public:
  // Prefix byte 0xF0 + FilerFlags (1 inherited, 2 child position follows, 4 inline); it is
  // written only when HasPrefix is set, even with no flag, so that a read record keeps it.
  static constexpr uint8_t ffInherited = 1;
  static constexpr uint8_t ffChildPos = 2;
  static constexpr uint8_t ffInline = 4;

  bool HasPrefix = false;
  uint8_t FilerFlags = 0;               // low four bits of the prefix byte
  std::optional<TFilerValue> ChildPos;  // present exactly when ffChildPos is set
  std::string ClassName;
  std::string Name;
  std::vector<TPropertyRecord> Properties;
  std::vector<TComponentRecord> Children;

  const TPropertyRecord* FindProperty(std::string_view name) const;
  TPropertyRecord* FindProperty(std::string_view name);
  void SetProperty(std::string_view name, TFilerValue value);
  bool RemoveProperty(std::string_view name);

  // The record without the signature. Reading fills this object step by step, so after a
  // failure it holds what was read up to that point; the failure is passed on.
  void Read(TReader& reader);
  // Throws EWriteError for a record the stream cannot carry (a name longer than 255
  // characters, an empty property name, a prefix flag without its child position, ...).
  void Write(TWriter& writer) const;

  // A root component: the signature "TPF0", then the record.
  void ReadRoot(TReader& reader);
  void WriteRoot(TWriter& writer) const;

  bool operator==(const TComponentRecord&) const = default;
};

}  // namespace zyn
