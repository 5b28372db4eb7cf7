#include "EditorFixture.h"

#include "platform/MessageDlg.h"

#include <filesystem>

namespace zyn::test {

void EditorTest::SetUp() {
  SetMessageDlgHook([this](const QString& text, const QString&, unsigned) {
    shown.push_back(text);
    if (answers.empty()) return static_cast<int>(IDOK);
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  });
}

void EditorTest::TearDown() { SetMessageDlgHook({}); }

std::string EditorTest::CopyDefault(const std::string& name) {
  const std::string target = folder.File(name);
  std::filesystem::copy_file(std::string(ZYN_BINARY_DIR) + "/data/system/" + name, target,
                             std::filesystem::copy_options::overwrite_existing);
  return target;
}

bool EditorTest::Shown(const char* utf8) const {
  const QString wanted = QString::fromUtf8(utf8);
  for (const QString& s : shown)
    if (s.contains(wanted)) return true;
  return false;
}

}  // namespace zyn::test
