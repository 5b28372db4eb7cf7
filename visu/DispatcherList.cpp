#include "visu/DispatcherList.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/TextUtils.h"

#include <cerrno>
#include <cstdlib>

namespace zyn {

namespace {

const char kHeader[] =
    "<?xml version = \"1.0\" standalone = \"yes\"?>\n"
    "<!-- ZYN- Visualisierung - Liste der zu visualisierenden Kanaele -->\n"
    "<!DOCTYPE XMLDispatcherObjectList [\n"
    "<!ELEMENT XMLDispatcherObjectList (XMLDispatcherObject*) >\n"
    "<!ELEMENT XMLDispatcherObject (Steuermodul, Modul, Kanal, KanalArt, KanalName) >\n"
    "<!ELEMENT Steuermodul (#PCDATA) >\n"
    "<!ELEMENT Modul (#PCDATA) >\n"
    "<!ELEMENT Kanal (#PCDATA) >\n"
    "<!ELEMENT KanalArt (#PCDATA) >\n"
    "<!ELEMENT KanalName (#PCDATA) >\n"
    "]>\n"
    "\r\n";

// Element text as it is, but on one line: a line break or another control character inside a
// name would end the element's line for the line-based readers and lose the entry, so it becomes
// a blank.
std::string ElementText(const std::string& ansi) {
  std::string out = ansi;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return out;
}

int32_t ToInteger(const std::string& value) {
  const std::string t = Trim(value);
  size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  bool ok = i < t.size();
  int64_t v = 0;
  for (; ok && i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9')
      ok = false;
    else
      v = v * 10 + (t[i] - '0');
    if (v > 2147483648ll) ok = false;
  }
  if (ok && t[0] == '-') v = -v;
  if (!ok || v > INT32_MAX || v < INT32_MIN) {
    throw EReadError("'" + value + Ansi("' ist kein gültiger Integerwert"));
  }
  return static_cast<int32_t>(v);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t lf = text.find('\n', start);
    if (lf == std::string::npos) lf = text.size();
    std::string line = text.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = lf + 1;
  }
  return lines;
}

}  // namespace

void TXMLDispatcherObject::ReadData(TReader& reader) {
  Steuermodul = reader.ReadInteger();
  Modul = reader.ReadInteger();
  Kanal = reader.ReadInteger();
  KanalArt = reader.ReadInteger();
  KanalName = reader.ReadString();
  InternalName = reader.ReadString();
}

void TXMLDispatcherObject::WriteData(TWriter& writer) const {
  writer.WriteInteger(Steuermodul);
  writer.WriteInteger(Modul);
  writer.WriteInteger(Kanal);
  writer.WriteInteger(KanalArt);
  writer.WriteString(KanalName);
  writer.WriteString(InternalName);
}

std::string TXMLDispatcherObject::GetXML() const {
  std::string s = "  <XMLDispatcherObject>\n";
  s += "    <Steuermodul>" + std::to_string(Steuermodul) + "</Steuermodul>\n";
  s += "    <Modul>" + std::to_string(Modul) + "</Modul>\n";
  s += "    <Kanal>" + std::to_string(Kanal) + "</Kanal>\n";
  s += "    <KanalArt>" + std::to_string(KanalArt) + "</KanalArt>\n";
  s += "    <KanalName>" + ElementText(KanalName) + "</KanalName>\n";
  s += "  </XMLDispatcherObject>\n\n";
  return s;
}

int32_t TXMLDispatcherObjectList::Add(std::unique_ptr<TXMLDispatcherObject> entry) {
  fItems.push_back(std::move(entry));
  return Count() - 1;
}

void TXMLDispatcherObjectList::Delete(int32_t index) { fItems.erase(fItems.begin() + static_cast<long>(index)); }

int32_t TXMLDispatcherObjectList::IndexOfInternalName(const std::string& name) const {
  for (size_t i = 0; i < fItems.size(); ++i) {
    if (fItems[i]->InternalName == name) return static_cast<int32_t>(i);
  }
  return -1;
}

void TXMLDispatcherObjectList::ReadData(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto entry = std::make_unique<TXMLDispatcherObject>();
    entry->ReadData(reader);
    Add(std::move(entry));
  }
  reader.ReadListEnd();
}

void TXMLDispatcherObjectList::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& e : fItems) e->WriteData(writer);
  writer.WriteListEnd();
}

std::string TXMLDispatcherObjectList::GetXML() const {
  std::string s = kHeader;
  s += "<XMLDispatcherObjectList>\n\n";
  for (const auto& e : fItems) s += e->GetXML();
  s += "</XMLDispatcherObjectList>\r\n";
  return s;
}

void TXMLDispatcherObjectList::WriteXML(const std::string& fileName) const { WriteFileAtomic(fileName, GetXML()); }

void TXMLDispatcherObjectList::ReadXML(const std::string& fileName) {
  const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
  ParseXML(std::string(bytes.begin(), bytes.end()));
}

void TXMLDispatcherObjectList::ParseXML(const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  size_t i = 0;
  while (i < lines.size() && lines[i].find("]>") == std::string::npos) ++i;
  for (++i; i < lines.size(); ++i) {
    if (UpperCase(lines[i]).find("<XMLDISPATCHEROBJECT>") == std::string::npos) continue;
    TXMLDispatcherObject& entry = *fItems.emplace_back(std::make_unique<TXMLDispatcherObject>());
    for (++i; i < lines.size(); ++i) {
      const std::string line = Trim(lines[i]);
      const std::string upper = UpperCase(line);
      if (upper.find("</XMLDISPATCHEROBJECT") != std::string::npos) break;
      if (line.empty()) continue;
      const size_t close = line.find('>');
      if (close == std::string::npos) continue;
      const std::string tag = upper.substr(1, close - 1);
      const size_t next = line.find('<', close + 1);
      // The value is read from the upper-cased line and ends at the next "<".
      const std::string value = upper.substr(close + 1, (next == std::string::npos ? line.size() : next) - close - 1);
      if (tag == "STEUERMODUL")
        entry.Steuermodul = ToInteger(value);
      else if (tag == "MODUL")
        entry.Modul = ToInteger(value);
      else if (tag == "KANAL")
        entry.Kanal = ToInteger(value);
      else if (tag == "KANALART")
        entry.KanalArt = ToInteger(value);
      else if (tag == "KANALNAME")
        entry.KanalName = value;
    }
  }
}

}  // namespace zyn
