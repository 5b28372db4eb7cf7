#pragma once
// Collections of items stored as a small XML text file. Every item class describes its persisted
// properties in a hand-kept table (TXMLItemClass); the writer produces one fixed text layout from
// that table and the reader finds item blocks and property elements by plain text search.
//
// Adding an item class:
//
//   class TMyItem : public TXMLCollectionItem {
//    public:
//     static const TXMLItemClass& Class();
//     const TXMLItemClass& ItemClass() const override { return Class(); }
//     std::string Name;
//     int32_t Count = 0;
//   };
//
//   const TXMLItemClass& TMyItem::Class() {
//     static const TXMLItemClass cls = TXMLClassBuilder<TMyItem>("TMyItem")
//         .Text("Name", &TMyItem::Name)
//         .Integer("Count", &TMyItem::Count)
//         .Build();
//     return cls;
//   }
//
// and a collection of them: TXMLCollection list("TMyList", TMyItem::Class()); or a typed
// TXMLCollectionOf<TMyItem>. The table sorts its properties itself.

#include "model/base/Errors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TXMLCollection;
class TXMLCollectionItem;

// Raised when a collection has no item class to describe its items.
class EXMLException : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

// Text escaping of the collection files: every byte except blank, comma, hyphen, digits and ASCII
// letters becomes &#xHH; (two upper-case hexadecimal digits of its Windows-1252 code).
std::string XMLEncode(std::string_view text);
// Reverses XMLEncode (scanning from the end; malformed digits give odd but defined bytes), then
// trims blanks and control characters at both ends.
std::string XMLDecode(std::string_view text);

// Number forms of the collection files, independent of the C locale. Integers are decimal, or
// hexadecimal after "$", "0x" or "0X"; a malformed or out-of-range number raises EReadError.
int32_t XMLStrToInt(std::string_view text);
int64_t XMLStrToInt64(std::string_view text);
// A floating-point number is written in general form with up to 15 significant digits and "." as
// decimal separator ("1.5", "1E20", "-2.5E-7"); reading takes "." or "," as separator.
std::string XMLFloatToStr(double value);
double XMLStrToFloat(std::string_view text);

enum class TXMLPropKind { Integer, Int64, Float, Enumeration, Char, Text, Collection };

// One persisted property: its name, kind and how to get and set it on an item. Integers, 64-bit
// integers, characters and enumerations (Booleans included) go through the ordinal functions.
struct TXMLProperty {
  std::string Name;
  TXMLPropKind Kind = TXMLPropKind::Text;
  std::vector<std::string> EnumNames;  // Enumeration: the value names by ordinal
  std::function<int64_t(const TXMLCollectionItem&)> GetOrdinal;
  std::function<void(TXMLCollectionItem&, int64_t)> SetOrdinal;
  std::function<double(const TXMLCollectionItem&)> GetFloat;
  std::function<void(TXMLCollectionItem&, double)> SetFloat;
  std::function<std::string(const TXMLCollectionItem&)> GetText;
  std::function<void(TXMLCollectionItem&, const std::string&)> SetText;
  std::function<TXMLCollection&(TXMLCollectionItem&)> Nested;  // Collection
};

// The description of an item class: class name, how to create an item, and the property table
// sorted by name without regard to ASCII case (a name that is a prefix of another comes first).
class TXMLItemClass {
 public:
  using TFactory = std::function<std::unique_ptr<TXMLCollectionItem>()>;
  TXMLItemClass(std::string className, TFactory factory, std::vector<TXMLProperty> properties);

  const std::string& ClassName() const { return fClassName; }
  // The class name without its first letter ("TZYNKennlinie" gives "ZYNKennlinie").
  std::string ElementName() const;
  const std::vector<TXMLProperty>& Properties() const { return fProperties; }
  // The property of that name, compared without regard to ASCII case; nullptr when none.
  const TXMLProperty* FindProperty(std::string_view name) const;
  std::unique_ptr<TXMLCollectionItem> CreateItem() const { return fFactory(); }

 private:
  std::string fClassName;
  TFactory fFactory;
  std::vector<TXMLProperty> fProperties;
};

// Builds the property table of item class T from its data members or from getter and setter
// functions. Each call adds one property; Build() sorts them.
template <class T>
class TXMLClassBuilder {
 public:
  explicit TXMLClassBuilder(std::string className) : fClassName(std::move(className)) {}

  TXMLClassBuilder& Integer(std::string name, int32_t T::*field) {
    return Ordinal(std::move(name), TXMLPropKind::Integer, {}, field);
  }
  TXMLClassBuilder& Int64(std::string name, int64_t T::*field) {
    return Ordinal(std::move(name), TXMLPropKind::Int64, {}, field);
  }
  TXMLClassBuilder& Boolean(std::string name, bool T::*field) {
    return Ordinal(std::move(name), TXMLPropKind::Enumeration, {"False", "True"}, field);
  }
  TXMLClassBuilder& Char(std::string name, char T::*field) {
    return Ordinal(std::move(name), TXMLPropKind::Char, {}, field);
  }
  // An enumeration member of any enum type; names are the value names by ordinal.
  template <class E>
  TXMLClassBuilder& Enumeration(std::string name, std::vector<std::string> names, E T::*field) {
    return Ordinal(std::move(name), TXMLPropKind::Enumeration, std::move(names), field);
  }
  TXMLClassBuilder& Float(std::string name, double T::*field) {
    TXMLProperty p = Start(std::move(name), TXMLPropKind::Float);
    p.GetFloat = [field](const TXMLCollectionItem& i) { return static_cast<const T&>(i).*field; };
    p.SetFloat = [field](TXMLCollectionItem& i, double v) { static_cast<T&>(i).*field = v; };
    return Add(std::move(p));
  }
  TXMLClassBuilder& Text(std::string name, std::string T::*field) {
    TXMLProperty p = Start(std::move(name), TXMLPropKind::Text);
    p.GetText = [field](const TXMLCollectionItem& i) { return static_cast<const T&>(i).*field; };
    p.SetText = [field](TXMLCollectionItem& i, const std::string& v) { static_cast<T&>(i).*field = v; };
    return Add(std::move(p));
  }
  // A text property behind a getter and a setter member function.
  TXMLClassBuilder& Text(std::string name, std::string (T::*getter)() const, void (T::*setter)(const std::string&)) {
    TXMLProperty p = Start(std::move(name), TXMLPropKind::Text);
    p.GetText = [getter](const TXMLCollectionItem& i) { return (static_cast<const T&>(i).*getter)(); };
    p.SetText = [setter](TXMLCollectionItem& i, const std::string& v) { (static_cast<T&>(i).*setter)(v); };
    return Add(std::move(p));
  }
  // Number and Boolean properties behind a getter and a setter member function.
  TXMLClassBuilder& Integer(std::string name, int32_t (T::*getter)() const, void (T::*setter)(int32_t)) {
    return OrdinalAccess(std::move(name), TXMLPropKind::Integer, {}, getter, setter);
  }
  TXMLClassBuilder& Boolean(std::string name, bool (T::*getter)() const, void (T::*setter)(bool)) {
    return OrdinalAccess(std::move(name), TXMLPropKind::Enumeration, {"False", "True"}, getter, setter);
  }
  TXMLClassBuilder& Float(std::string name, double (T::*getter)() const, void (T::*setter)(double)) {
    TXMLProperty p = Start(std::move(name), TXMLPropKind::Float);
    p.GetFloat = [getter](const TXMLCollectionItem& i) { return (static_cast<const T&>(i).*getter)(); };
    p.SetFloat = [setter](TXMLCollectionItem& i, double v) { (static_cast<T&>(i).*setter)(v); };
    return Add(std::move(p));
  }
  // A nested collection owned by the item.
  template <class C>
  TXMLClassBuilder& Collection(std::string name, std::unique_ptr<C> T::*field) {
    TXMLProperty p = Start(std::move(name), TXMLPropKind::Collection);
    p.Nested = [field](TXMLCollectionItem& i) -> TXMLCollection& { return *(static_cast<T&>(i).*field); };
    return Add(std::move(p));
  }

  TXMLItemClass Build() {
    return TXMLItemClass(
        fClassName, [] { return std::unique_ptr<TXMLCollectionItem>(new T()); }, std::move(fProps));
  }

 private:
  TXMLProperty Start(std::string name, TXMLPropKind kind) {
    TXMLProperty p;
    p.Name = std::move(name);
    p.Kind = kind;
    return p;
  }
  template <class V>
  TXMLClassBuilder& Ordinal(std::string name, TXMLPropKind kind, std::vector<std::string> names, V T::*field) {
    TXMLProperty p = Start(std::move(name), kind);
    p.EnumNames = std::move(names);
    p.GetOrdinal = [field](const TXMLCollectionItem& i) {
      return static_cast<int64_t>(static_cast<const T&>(i).*field);
    };
    p.SetOrdinal = [field](TXMLCollectionItem& i, int64_t v) { static_cast<T&>(i).*field = static_cast<V>(v); };
    return Add(std::move(p));
  }
  template <class V>
  TXMLClassBuilder& OrdinalAccess(std::string name, TXMLPropKind kind, std::vector<std::string> names,
                                  V (T::*getter)() const, void (T::*setter)(V)) {
    TXMLProperty p = Start(std::move(name), kind);
    p.EnumNames = std::move(names);
    p.GetOrdinal = [getter](const TXMLCollectionItem& i) {
      return static_cast<int64_t>((static_cast<const T&>(i).*getter)());
    };
    p.SetOrdinal = [setter](TXMLCollectionItem& i, int64_t v) { (static_cast<T&>(i).*setter)(static_cast<V>(v)); };
    return Add(std::move(p));
  }
  TXMLClassBuilder& Add(TXMLProperty p) {
    fProps.push_back(std::move(p));
    return *this;
  }

  std::string fClassName;
  std::vector<TXMLProperty> fProps;
};

// One item of a TXMLCollection. Derived classes name their class description.
class TXMLCollectionItem {
 public:
  virtual ~TXMLCollectionItem() = default;
  virtual const TXMLItemClass& ItemClass() const = 0;
  virtual std::string GetElementName() const { return ItemClass().ElementName(); }

  TXMLCollection* Collection() const { return fCollection; }
  int Index() const;

 private:
  friend class TXMLCollection;
  TXMLCollection* fCollection = nullptr;
};

// Fired once per item read, with the item's name path ("TZYNOptionFile[0]").
using TXMLLoadProgressEvent = std::function<void(TXMLCollection& sender, const std::string& entity)>;
// Fired once per item written, with the item count and the item's index.
using TXMLSaveProgressEvent = std::function<void(TXMLCollection& sender, int count, int index)>;

// An owning, ordered collection of items of one item class.
class TXMLCollection {
 public:
  // className names the collection class ("TZYNOptionFile"); its element name drops the first
  // letter. itemClass may be nullptr only for a collection that is never written or read.
  TXMLCollection(std::string className, const TXMLItemClass* itemClass);
  TXMLCollection(std::string className, const TXMLItemClass& itemClass)
      : TXMLCollection(std::move(className), &itemClass) {}
  virtual ~TXMLCollection();
  TXMLCollection(const TXMLCollection&) = delete;
  TXMLCollection& operator=(const TXMLCollection&) = delete;

  const std::string& ClassName() const { return fClassName; }
  const TXMLItemClass* ItemClass() const { return fItemClass; }
  const std::string& Comment() const { return fComment; }
  void SetComment(std::string comment) { fComment = std::move(comment); }

  int Count() const { return static_cast<int>(fItems.size()); }
  TXMLCollectionItem* Add();
  TXMLCollectionItem* GetItem(int index) const;  // nullptr outside 0 .. Count-1
  int IndexOf(const TXMLCollectionItem* item) const;
  void Delete(int index);
  void Clear();

  // The whole file text, lines separated by CR LF. EXMLException without an item class.
  std::string GetXML() const;
  virtual std::string GetDTD() const;
  virtual std::string GetItemDTD() const;
  virtual std::string GetBody() const;
  virtual std::string GetItemsXML() const;
  virtual std::string GetElementName() const;
  // "ClassName", the prefix of its items' name paths.
  virtual std::string GetNamePath() const { return fClassName; }

  // Replaces all items by those found in the text. A malformed number raises EReadError and ends
  // the load; the items read until then stay.
  void LoadFromXML(std::string_view text);
  // False when the file does not exist or cannot be read or parsed (the items read until then
  // stay); true otherwise.
  virtual bool LoadFromFile(const std::string& fileName);
  // Writes GetXML() to the file through a temporary file that replaces it; the old file stays
  // untouched on failure. Raises EWriteError (German message) when the file cannot be written.
  virtual void SaveToFile(const std::string& fileName) const;

  TXMLLoadProgressEvent OnLoad;
  TXMLSaveProgressEvent OnSaveProgress;

 protected:
  // Creates one item of the item class, not yet in the collection.
  virtual std::unique_ptr<TXMLCollectionItem> CreateItem() const;

 private:
  const TXMLItemClass& RequireItemClass() const;
  void AppendItemXML(std::string& xml, const TXMLCollectionItem& item) const;
  void ItemFromXML(TXMLCollectionItem& item, std::string_view block) const;

  std::string fClassName;
  const TXMLItemClass* fItemClass;
  std::string fComment;
  std::vector<std::unique_ptr<TXMLCollectionItem>> fItems;
};

// A collection whose items are all of class T, with typed access.
template <class T>
class TXMLCollectionOf : public TXMLCollection {
 public:
  explicit TXMLCollectionOf(std::string className) : TXMLCollection(std::move(className), T::Class()) {}
  T* Add() { return static_cast<T*>(TXMLCollection::Add()); }
  T* Items(int index) const { return static_cast<T*>(GetItem(index)); }
};

}  // namespace zyn
