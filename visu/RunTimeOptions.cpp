#include "visu/RunTimeOptions.h"

#include "model/base/XMLIniFile.h"

namespace zyn {

void WriteRunTimeOptions(const std::string& fileName, const std::string& firstPage, bool connectOnStart) {
  TXMLIniFile ini(fileName);
  ini.WriteString("Options", "Port", "1");
  ini.WriteString("Options", "FirstPage", firstPage);
  ini.WriteBool("System", "ConnectOnStart", connectOnStart);
  ini.UpdateFile();  // here, so that a failure reaches the caller
}

}  // namespace zyn
