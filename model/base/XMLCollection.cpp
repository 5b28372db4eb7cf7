#include "model/base/XMLCollection.h"

#include "model/base/Cp1252.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zyn {

namespace {

constexpr const char* kCrLf = "\r\n";

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool LessTextAscii(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
  });
}

bool KeepsRaw(unsigned char c) {
  return c == ' ' || c == ',' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The value of one escaped hexadecimal digit, as the decoder of the collection files reads it:
// digits give their value, other characters from "a" on their code minus 87, the rest 0.
int DecodeDigit(char c) {
  const unsigned char l = static_cast<unsigned char>(AsciiLower(c));
  if (l >= '0' && l <= '9') return l - '0';
  if (l >= 'a') return l - 87;
  return 0;
}

[[noreturn]] void ThrowBadInteger(std::string_view text) {
  throw EReadError("'" + std::string(text) + Ansi("' ist kein gültiger Integerwert"));
}

// Parses an optionally signed decimal or hexadecimal ("$", "0x", "0X") number into a 64-bit
// magnitude; hexadecimal numbers may use the full unsigned width of `bits`.
int64_t ParseInteger(std::string_view text, int bits) {
  std::string_view s = text;
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) ThrowBadInteger(text);
  uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (ec != std::errc() || end != s.data() + s.size()) ThrowBadInteger(text);
  const uint64_t signedMax = (uint64_t{1} << (bits - 1)) - 1;
  const uint64_t unsignedMax = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
  if (base == 16 && !negative) {
    if (magnitude > unsignedMax) ThrowBadInteger(text);
    if (bits == 32) return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    return static_cast<int64_t>(magnitude);
  }
  if (negative) {
    if (magnitude > signedMax + 1) ThrowBadInteger(text);
    return static_cast<int64_t>(0 - magnitude);
  }
  if (magnitude > signedMax) ThrowBadInteger(text);
  return static_cast<int64_t>(magnitude);
}

std::string EnumName(const TXMLProperty& p, int64_t ordinal) {
  if (ordinal < 0 || ordinal >= static_cast<int64_t>(p.EnumNames.size())) return {};
  return p.EnumNames[static_cast<size_t>(ordinal)];
}

// Finds the next "<" at or after pos that is not followed by "/".
size_t NextXMLTag(std::string_view text, size_t pos) {
  for (size_t i = text.find('<', pos); i != std::string_view::npos; i = text.find('<', i + 1)) {
    if (i + 1 >= text.size() || text[i + 1] != '/') return i;
  }
  return std::string::npos;
}

}  // namespace

std::string XMLEncode(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (KeepsRaw(c)) {
      out.push_back(ch);
    } else {
      out += "&#x";
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
      out.push_back(';');
    }
  }
  return out;
}

std::string XMLDecode(std::string_view text) {
  // Scanned from the end: the text already processed is kept reversed, so a decoded character
  // can take part in an escape that starts further to the left, as in a scan that replaces in place.
  std::string rev;
  rev.reserve(text.size());
  for (size_t i = text.size(); i-- > 0;) {
    rev.push_back(text[i]);
    const size_t m = rev.size();
    if (m >= 6 && rev[m - 1] == '&' && rev[m - 2] == '#' && rev[m - 3] == 'x') {
      const int code = DecodeDigit(rev[m - 4]) * 16 + DecodeDigit(rev[m - 5]);
      rev.resize(m - 6);
      rev.push_back(static_cast<char>(code & 0xFF));
    }
  }
  std::reverse(rev.begin(), rev.end());
  return Trim(rev);
}

int32_t XMLStrToInt(std::string_view text) { return static_cast<int32_t>(ParseInteger(text, 32)); }

int64_t XMLStrToInt64(std::string_view text) { return ParseInteger(text, 64); }

std::string XMLFloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::string s(buf, res.ptr);
  const size_t e = s.find('e');
  if (e == std::string::npos) return s;
  // "1.5e-07" becomes "1.5E-7", "1e+20" becomes "1E20".
  std::string mantissa = s.substr(0, e);
  std::string exponent = s.substr(e + 1);
  bool negative = false;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    negative = exponent[0] == '-';
    exponent.erase(0, 1);
  }
  exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
  return mantissa + "E" + (negative ? "-" : "") + exponent;
}

double XMLStrToFloat(std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  const char* first = s.data();
  const char* last = s.data() + s.size();
  if (first != last && *first == '+') ++first;
  double value = 0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (s.empty() || ec != std::errc() || end != last) {
    throw EReadError("'" + std::string(text) + Ansi("' ist kein gültiger Gleitkommawert"));
  }
  return value;
}

// ---------------------------------------------------------------------------------------------

TXMLItemClass::TXMLItemClass(std::string className, TFactory factory, std::vector<TXMLProperty> properties)
    : fClassName(std::move(className)), fFactory(std::move(factory)), fProperties(std::move(properties)) {
  std::stable_sort(fProperties.begin(), fProperties.end(),
                   [](const TXMLProperty& a, const TXMLProperty& b) { return LessTextAscii(a.Name, b.Name); });
}

std::string TXMLItemClass::ElementName() const { return fClassName.empty() ? "" : fClassName.substr(1); }

const TXMLProperty* TXMLItemClass::FindProperty(std::string_view name) const {
  for (const auto& p : fProperties) {
    if (SameText(p.Name, name)) return &p;
  }
  return nullptr;
}

int TXMLCollectionItem::Index() const { return fCollection ? fCollection->IndexOf(this) : -1; }

// ---------------------------------------------------------------------------------------------

TXMLCollection::TXMLCollection(std::string className, const TXMLItemClass* itemClass)
    : fClassName(std::move(className)), fItemClass(itemClass) {}

TXMLCollection::~TXMLCollection() = default;

std::unique_ptr<TXMLCollectionItem> TXMLCollection::CreateItem() const { return RequireItemClass().CreateItem(); }

TXMLCollectionItem* TXMLCollection::Add() {
  fItems.push_back(CreateItem());
  fItems.back()->fCollection = this;
  return fItems.back().get();
}

TXMLCollectionItem* TXMLCollection::GetItem(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fItems[static_cast<size_t>(index)].get();
}

int TXMLCollection::IndexOf(const TXMLCollectionItem* item) const {
  for (size_t i = 0; i < fItems.size(); ++i) {
    if (fItems[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

void TXMLCollection::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  fItems.erase(fItems.begin() + index);
}

void TXMLCollection::Clear() { fItems.clear(); }

const TXMLItemClass& TXMLCollection::RequireItemClass() const {
  if (!fItemClass) throw EXMLException("Collection Item must descend from TXMLCollectionItemClass");
  return *fItemClass;
}

std::string TXMLCollection::GetElementName() const { return fClassName.empty() ? "" : fClassName.substr(1); }

std::string TXMLCollection::GetXML() const {
  std::string xml = "<?xml version = \"1.0\" standalone = \"yes\"?>";
  xml += kCrLf;
  if (!fComment.empty()) xml += "<!-- " + fComment + " -->" + kCrLf;
  xml += GetDTD();
  xml += GetBody();
  return xml;
}

std::string TXMLCollection::GetDTD() const {
  const std::string element = GetElementName();
  std::string dtd = "  <!DOCTYPE " + element + " [" + kCrLf;
  dtd += "    <!ELEMENT " + element + " (" + RequireItemClass().ElementName() + "*) >" + kCrLf;
  dtd += GetItemDTD();
  dtd += std::string("  ]>") + kCrLf;
  return dtd;
}

std::string TXMLCollection::GetItemDTD() const {
  const TXMLItemClass& cls = RequireItemClass();
  std::string names;
  for (const auto& p : cls.Properties()) {
    if (!names.empty()) names += ",";
    names += p.Name;
  }
  std::string dtd = "    <!ELEMENT " + cls.ElementName() + " (" + names + ") >" + kCrLf;
  for (const auto& p : cls.Properties()) {
    if (p.Kind != TXMLPropKind::Collection) {
      dtd += "    <!ELEMENT " + p.Name + " (#PCDATA)>" + kCrLf;
    } else if (Count() > 0) {
      const TXMLCollection& nested = p.Nested(*fItems.front());
      dtd += "    <!ELEMENT " + p.Name + " (" + nested.RequireItemClass().ElementName() + "*)>" + kCrLf;
      dtd += nested.GetItemDTD();
    }
  }
  return dtd;
}

std::string TXMLCollection::GetBody() const {
  const std::string element = GetElementName();
  return "<" + element + ">" + kCrLf + GetItemsXML() + "</" + element + ">" + kCrLf;
}

std::string TXMLCollection::GetItemsXML() const {
  std::string xml;
  for (size_t i = 0; i < fItems.size(); ++i) {
    AppendItemXML(xml, *fItems[i]);
    if (OnSaveProgress) {
      try {
        OnSaveProgress(const_cast<TXMLCollection&>(*this), Count(), static_cast<int>(i));
      } catch (...) {
        // A progress display must not stop the save.
      }
    }
  }
  return xml;
}

void TXMLCollection::AppendItemXML(std::string& xml, const TXMLCollectionItem& item) const {
  const std::string element = item.GetElementName();
  xml.append("  <").append(element).append(">").append(kCrLf);
  for (const auto& p : RequireItemClass().Properties()) {
    xml.append("  <").append(p.Name).append(">");
    switch (p.Kind) {
      case TXMLPropKind::Integer:
      case TXMLPropKind::Int64:
        xml += std::to_string(p.GetOrdinal(item));
        break;
      case TXMLPropKind::Float:
        xml += XMLFloatToStr(p.GetFloat(item));
        break;
      case TXMLPropKind::Enumeration:
        xml += XMLEncode(EnumName(p, p.GetOrdinal(item)));
        break;
      case TXMLPropKind::Char:
        xml += XMLEncode(std::string(1, static_cast<char>(p.GetOrdinal(item))));
        break;
      case TXMLPropKind::Text:
        xml += XMLEncode(p.GetText(item));
        break;
      case TXMLPropKind::Collection:
        xml.append(kCrLf).append(kCrLf);
        xml += p.Nested(const_cast<TXMLCollectionItem&>(item)).GetItemsXML();
        xml.append("  ");
        break;
    }
    xml.append("</").append(p.Name).append(">").append(kCrLf);
  }
  xml.append("  </").append(element).append(">").append(kCrLf).append(kCrLf);
}

void TXMLCollection::LoadFromXML(std::string_view text) {
  Clear();
  const std::string element = RequireItemClass().ElementName();
  const std::string openTag = "<" + element + ">";
  const std::string closeTag = "</" + element + ">";
  size_t pos = 0;
  for (;;) {
    const size_t open = text.find(openTag, pos);
    const size_t close = text.find(closeTag, pos);
    if (open == std::string_view::npos || close == std::string_view::npos || open >= close) break;
    const std::string_view block = text.substr(open, close - open);
    pos = close + closeTag.size();
    TXMLCollectionItem* item = Add();
    ItemFromXML(*item, block);
    if (OnLoad) OnLoad(*this, GetNamePath() + "[" + std::to_string(Count() - 1) + "]");
  }
}

void TXMLCollection::ItemFromXML(TXMLCollectionItem& item, std::string_view block) const {
  const TXMLItemClass& cls = RequireItemClass();
  size_t pos = block.find('>');
  pos = pos == std::string_view::npos ? block.size() : pos + 1;
  std::string closeTag;
  for (;;) {
    const size_t lt = NextXMLTag(block, pos);
    if (lt == std::string_view::npos) break;
    const size_t gt = block.find('>', lt + 1);
    if (gt == std::string_view::npos) break;
    const std::string_view name = block.substr(lt + 1, gt - lt - 1);
    closeTag.assign("</").append(name).append(">");
    const size_t end = block.find(closeTag, gt + 1);
    const std::string_view content =
        end == std::string_view::npos ? std::string_view() : block.substr(gt + 1, end - gt - 1);
    pos = gt + 1;

    const TXMLProperty* p = cls.FindProperty(name);
    if (!p) continue;
    if (p->Kind == TXMLPropKind::Collection) {
      p->Nested(item).LoadFromXML(content);
      continue;
    }
    const std::string value = XMLDecode(content);
    switch (p->Kind) {
      case TXMLPropKind::Integer:
        p->SetOrdinal(item, XMLStrToInt(value));
        break;
      case TXMLPropKind::Int64:
        p->SetOrdinal(item, XMLStrToInt64(value));
        break;
      case TXMLPropKind::Float:
        p->SetFloat(item, XMLStrToFloat(value));
        break;
      case TXMLPropKind::Char:
        p->SetOrdinal(item, value.empty() ? 0 : static_cast<unsigned char>(value[0]));
        break;
      case TXMLPropKind::Enumeration:
        // An unknown value name leaves the property as it is.
        for (size_t i = 0; i < p->EnumNames.size(); ++i) {
          if (SameText(p->EnumNames[i], value)) {
            p->SetOrdinal(item, static_cast<int64_t>(i));
            break;
          }
        }
        break;
      case TXMLPropKind::Text:
        p->SetText(item, value);
        break;
      case TXMLPropKind::Collection:
        break;
    }
  }
}

bool TXMLCollection::LoadFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    LoadFromXML(std::string(bytes.begin(), bytes.end()));
  } catch (...) {
    return false;
  }
  return true;
}

void TXMLCollection::SaveToFile(const std::string& fileName) const { WriteFileAtomic(fileName, GetXML()); }

}  // namespace zyn
