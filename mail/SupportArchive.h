#pragma once
// The archive that carries the project file with the support mail: a fresh temporary folder per
// attempt holding "Support.zip" with one entry, the project file under its bare name. The folder
// and the archive are removed when the object goes away, so no archive of an earlier attempt is
// ever reused or left behind.

#include <string>

namespace zyn {

class TSupportArchive {
 public:
  TSupportArchive() = default;
  ~TSupportArchive();
  TSupportArchive(const TSupportArchive&) = delete;
  TSupportArchive& operator=(const TSupportArchive&) = delete;

  // Packs the project file (native path) and returns the archive's native path. Raises
  // ESupportMailError with a German message when the file cannot be read or the archive cannot be
  // written; nothing is left behind then.
  const std::string& Pack(const std::string& projectFile);
  // The archive of the last successful Pack, else empty.
  const std::string& ZipPath() const { return fZipPath; }
  // Removes the temporary folder with everything in it.
  void Remove();

 private:
  std::string fFolder;
  std::string fZipPath;
};

}  // namespace zyn
