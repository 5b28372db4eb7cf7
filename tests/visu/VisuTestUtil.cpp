#include "VisuTestUtil.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zyn::test {

TempDir::TempDir(const std::string& name) {
  fPath = std::filesystem::temp_directory_path() /
          ("zyn_visu_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(fPath);
  std::filesystem::create_directories(fPath);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(fPath, ec);
}

Bytes FileBytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

std::string FileText(const std::filesystem::path& p) {
  const Bytes b = FileBytes(p);
  return std::string(b.begin(), b.end());
}

bool XmlLintAccepts(const std::filesystem::path& p) {
  const std::string cmd = "xmllint --noout '" + p.string() + "' 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

TComponentRecord Control(const std::string& cls, const std::string& name,
                         const std::vector<std::pair<std::string, int>>& ints) {
  TComponentRecord rec;
  rec.ClassName = cls;
  rec.Name = name;
  for (const auto& [prop, value] : ints) rec.SetProperty(prop, TFilerValue::Integer(value));
  return rec;
}

}  // namespace zyn::test
