#include "model/CharSet.h"

#include "model/EAFunktionen.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/TextUtils.h"

namespace zyn {

void ReadCharSetEntry(TZYNCharSet& entry, TReader& reader) {
  std::string name = reader.ReadString();
  if (name.size() > static_cast<size_t>(kCharSetNameLength)) name.resize(kCharSetNameLength);
  entry.Name = name;
  for (auto& record : entry.Chars) reader.Read(record.data(), record.size());
}

void WriteCharSetEntry(const TZYNCharSet& entry, TWriter& writer) {
  writer.WriteString(entry.Name.substr(0, kCharSetNameLength));
  for (const auto& record : entry.Chars) writer.Write(record.data(), record.size());
}

std::vector<TZYNCharSet> LoadCharSets(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  TReader reader(stream, 1024);
  std::vector<TZYNCharSet> sets;
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    TZYNCharSet entry;
    ReadCharSetEntry(entry, reader);
    sets.push_back(entry);
  }
  reader.ReadListEnd();
  return sets;
}

void SaveCharSets(const std::string& fileName, const std::vector<TZYNCharSet>& sets) {
  TMemoryStream stream;
  {
    TWriter writer(stream, 1024);
    writer.WriteListBegin();
    for (const auto& s : sets) WriteCharSetEntry(s, writer);
    writer.WriteListEnd();
  }
  stream.SaveToFile(fileName);
}

std::vector<TZYNCharSet> FindCharSets(const std::vector<TZYNCharSet>& sets, const std::string& name) {
  std::vector<TZYNCharSet> out;
  const std::string wanted = UpperCase(name);
  for (const auto& s : sets)
    if (UpperCase(s.Name) == wanted) out.push_back(s);
  return out;
}

}  // namespace zyn
