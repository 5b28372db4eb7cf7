#pragma once
// A list of tools: the system and user libraries, the tools of a control module and the
// project-wide tools. Owns its tools; each tool is listed under a key (its FunctionName when read
// from a library file, its InternalName when read from the project stream).

#include "compiler/toollib/ToolObject.h"

#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TReader;
class TWriter;
class TStream;
class TUniqueNames;
class TZYNFunction;
class IToolLookup;
class TEingang;
class TAusgang;
class TRueckmeldung;
class TMerker;
class TUhr;
class TModul;
class TGruppe;

class TZYNFunktionsListe {
 public:
  TZYNFunktionsListe();
  ~TZYNFunktionsListe();
  TZYNFunktionsListe(const TZYNFunktionsListe&) = delete;
  TZYNFunktionsListe& operator=(const TZYNFunktionsListe&) = delete;

  int Count() const { return static_cast<int>(fItems.size()); }
  TZYNFunction* GetFunction(int index) const;  // nullptr at or past the end
  const std::string& Key(int index) const;
  TZYNFunction* Add(const std::string& key, std::unique_ptr<TZYNFunction> tool);
  // Removes the tool and clears every sub-tool reference to it in the list's other tools.
  void Delete(int index);
  int IndexOf(const TZYNFunction* tool) const;
  void Clear();

  TZYNFunction* FindByInternalName(const std::string& internalName) const;
  TZYNFunction* FindByName(const std::string& functionName) const;

  // Raw library form: a 16-bit count and the tools. LoadFromFile is false when the file does not
  // exist; a damaged file raises EReadError and leaves the list as it was.
  bool LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  bool SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream& stream) const;

  // Project-stream form: list begin, the tools, list end. A tool that cannot be read is dropped
  // and reported in `messages` as "Defektes Tool entdeckt: <name>"; reading goes on with the
  // next tool. False when the list itself could not be read to its end (the tools read so far
  // stay in the list).
  bool ReadData(TReader& reader, std::vector<std::string>* messages = nullptr);
  void WriteData(TWriter& writer) const;

  // The project-stream form as a file of its own ("TOOLS.OVR" of an import).
  bool LoadFromOvrFile(const std::string& fileName, std::vector<std::string>* messages = nullptr);
  void SaveToOvrFile(const std::string& fileName) const;

  // CheckAfterLoad of every tool.
  void CheckAfterLoad(const IToolLookup& lookup);
  // After an import: new internal names, and the entries' address texts re-attached to the
  // objects of the current project.
  void RebindAfterImport(TUniqueNames& registry, const IToolLookup& lookup);

  // Drop a deleted object from the entry lists of every tool.
  // Every entry that stands for the object is removed (not only the first).
  void RemoveObjectReferences(const TToolObject& object);  // object lists (type 24)
  void RemoveMerkerReferences(TMerker* merker);            // types 21 and 24
  void RemoveUhrReferences(TUhr* uhr);                     // types 22 and 24
  void RemoveModulReferences(TModul* modul);               // its channels from types 17, 18, 21, 22, 24, 25
  // Clears every sub-tool reference to the tool (it is about to be freed elsewhere).
  void ForgetFunction(const TZYNFunction* tool);

 private:
  struct TEntry {
    std::string Key;
    std::unique_ptr<TZYNFunction> Tool;
  };
  std::vector<TEntry> fItems;
};

}  // namespace zyn
