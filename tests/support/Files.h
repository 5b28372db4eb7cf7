#pragma once
// Temporary folders and files of the tests. Every folder gets a unique name below the system's
// temporary folder (TMPDIR), so two test runs or two build trees never share one, and it is removed
// with everything in it when the object ends.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zyn::test {

class TempFolder {
 public:
  // stem: a readable part of the name ("fZyn<stem>_XXXXXX").
  explicit TempFolder(const std::string& stem = "test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Dir() const { return fDir; }
  // The folder with a trailing "/".
  std::string Path() const { return fDir.string() + "/"; }
  std::string File(const std::string& name) const { return (fDir / name).string(); }

 private:
  std::filesystem::path fDir;
};

// Makes a folder with a unique name below parent and answers it (not removed by itself).
std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent, const std::string& stem);

// Removes a folder with everything in it, first giving the owner back the rights a test took away.
void RemoveFolder(const std::filesystem::path& dir);

std::string ReadWholeFile(const std::filesystem::path& path);
std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);
// Writes the bytes as they stand; false when the file cannot be written.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

// The standard output and error of a shell command ("" when it cannot run).
std::string CommandOutput(const std::string& command);

// True when xmllint finds the file well-formed.
bool XmllintAccepts(const std::filesystem::path& path);

// "\n" line ends as CR LF.
std::string CrLf(const std::string& text);

}  // namespace zyn::test
