#pragma once
// Readers of the text sources of the default system data folder (UTF-8, one record per line,
// fields separated by "|", "#" starts a comment line). Every reader throws EReadError naming the
// file and line of a malformed record.

#include "model/BasisModul.h"
#include "model/CharSet.h"
#include "model/EAFunktionen.h"
#include "model/ModulClassList.h"

#include <string>
#include <vector>

namespace zyn::basedata {

void ReadModuleSource(const std::string& fileName, TModulClassList& list);
void ReadBasisSource(const std::string& fileName, TBasisModulListe& list);
void ReadCommandSource(const std::string& fileName, TEAFunktionsContainer& lists);
std::vector<TZYNCharSet> ReadCharSource(const std::string& fileName);

// Builds MODULE.ZBC, BASIS.ZBC, EAFUNCS.XML and chars.zyb of sourceFolder into targetFolder.
void BuildSystemData(const std::string& sourceFolder, const std::string& targetFolder);

}  // namespace zyn::basedata
