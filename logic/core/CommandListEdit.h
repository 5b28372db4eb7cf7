#pragma once
// The rules of the command-list editor: opening a command-list file into a working container of
// its own, new and deleted lists and commands, the fields as the editor shows and writes them,
// saving, and the name list of the commands written into an initialisation file.

#include "model/EAFunktionen.h"

#include <memory>
#include <string>

namespace zyn {

class TCommandListDocument {
 public:
  // The XML form of the file; a chosen name that does not exist is looked for with the extension
  // ".xml" (so "Befehle.zfl" opens "Befehle.xml" beside it). On success the lists replace the
  // working container and the file read becomes the document's file name. On failure the German
  // message naming the file is in `error` and the document stays as it was.
  bool Open(const std::string& chosenName, std::string& error);
  // Writes the working container in XML form to the file (atomically); the file becomes the
  // document's file name. False with the German message when there is nothing open or the file
  // cannot be written.
  bool SaveAs(const std::string& fileName, std::string& error);
  bool Save(std::string& error) { return SaveAs(fFileName, error); }

  bool IsOpen() const { return fContainer != nullptr; }
  const std::string& FileName() const { return fFileName; }
  TEAFunktionsContainer* Container() const { return fContainer.get(); }

  // "neue Liste" with internal name "INTERNAL_NAME", number 0; nullptr while nothing is open.
  TEAFunctionList* NewList();
  // "neue Funktion" appended to the list, command -1, dialog -1.
  static TEABaseFunction* NewCommand(TEAFunctionList& list);
  // The list that holds the command, nullptr when none.
  TEAFunctionList* ListOf(const TEABaseFunction* command) const;
  // Removes the list with its commands, or the command from its list.
  bool DeleteList(TEAFunctionList* list);
  bool DeleteCommand(TEABaseFunction* command);

  // A list read from a single-list file and appended; nullptr with the message when it cannot be
  // read (nothing is appended then).
  TEAFunctionList* ImportList(const std::string& fileName, std::string& error);
  static bool ExportList(const TEAFunctionList& list, const std::string& fileName, std::string& error);

  // Writes for every command of every list, in order, the section of its internal name with
  // "DEU_TEXT", "DEU_FUNC", "DEU_OLD" and "DEU_HINT"; sections and keys already in the file stay
  // unless written. False with the message when nothing is open or the file cannot be written.
  bool ExportNameList(const std::string& iniFileName, std::string& error) const;

 private:
  std::unique_ptr<TEAFunktionsContainer> fContainer;
  std::string fFileName;
};

// The text of a field of 255 characters.
std::string FieldText(const std::string& text);
// The value a spin field shows for a stored number: the number clamped into the range (the entry
// itself is not changed by showing it).
int SpinShown(long long value, int minimum, int maximum);
// The number a spin field's text yields: the number clamped into the range, the minimum for a
// text that is no number.
int SpinValue(const std::string& text, int minimum, int maximum);

}  // namespace zyn
