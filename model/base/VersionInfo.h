#pragma once
// Version information of a programme file: the predefined strings, the file and product version
// numbers and the flags. Only the running programme carries version information (made by the
// build); every other file reads as having none: empty strings, version parts 0.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zyn {

enum TPreDef {
  pdCompanyName,
  pdFileDescription,
  pdFileVersion,
  pdInternalName,
  pdLegalCopyright,
  pdLegalTrademarks,
  pdOriginalFilename,
  pdProductName,
  pdProductVersion,
  pdComments,
  pdBuildFlags
};
constexpr int kPreDefCount = 11;
using TPreDefs = uint16_t;  // bit (1 << TPreDef)
constexpr TPreDefs kAllPreDefs = (1u << kPreDefCount) - 1;

// Flag bits of the fixed part.
enum TVersionFlag : uint32_t {
  vfDebug = 0x01,
  vfPreRelease = 0x02,
  vfPatched = 0x04,
  vfPrivateBuild = 0x08,
  vfInfoInferred = 0x10,
  vfSpecialBuild = 0x20
};

// The fixed part of a version resource.
struct TFixedFileVersionInfo {
  uint32_t FileVersionMS = 0;  // major << 16 | minor
  uint32_t FileVersionLS = 0;  // release << 16 | build
  uint32_t ProductVersionMS = 0;
  uint32_t ProductVersionLS = 0;
  uint32_t FileFlagsMask = 0;
  uint32_t FileFlags = 0;
};

// The data of one version resource: fixed part, translation table (language, code page) and a
// string table per translation, keyed by "%.4x%.4x" of language and code page.
struct TVersionResource {
  TFixedFileVersionInfo Fixed;
  std::vector<std::pair<uint16_t, uint16_t>> Translations;
  std::map<std::string, std::map<std::string, std::string>> StringTables;
};

// The version data the build gave this programme.
TVersionResource OwnVersionResource();

// A four-part version number with the version text of the string table.
class TVersionNumberInformation {
 public:
  void Assign(uint32_t ms, uint32_t ls, std::string text);
  void Invalidate();
  bool Valid() const { return fValid; }
  // 0 major, 1 minor, 2 release, 3 build; 0 for other indexes or without version information.
  uint16_t GetPart(int index) const;
  // The string table's version text when present, else "%d.%d.%d.%d"; empty without information.
  std::string GetAsString() const;

 private:
  std::array<uint16_t, 4> fParts{};
  std::string fText;
  bool fValid = false;
};

// A control that the version information fills (a label of the user interface, which supplies
// it); the text is model text.
class IVersionLabel {
 public:
  virtual ~IVersionLabel() = default;
  virtual void SetVersionText(const std::string& text) = 0;
};

// A list view that the version information fills: emptied, made a read-only report with the
// columns "Resource" and "Value", then one row (caption, value) per shown key.
class IVersionListView {
 public:
  virtual ~IVersionListView() = default;
  virtual void FillVersionRows(const std::vector<std::pair<std::string, std::string>>& rows) = 0;
};

class TzsVersionInfoResource {
 public:
  // Reads the running programme's version information.
  TzsVersionInfoResource();

  const std::string& Filename() const { return fFilename; }
  // An empty name means the running programme. Re-reads the information.
  void SetFilename(const std::string& fileName);
  bool ForceEXE() const { return fForceEXE; }
  void SetForceEXE(bool value);
  TPreDefs ShowResource = kAllPreDefs;

  // Optional controls (not owned), filled every time the information is read: VersionLabel with
  // the file version text, CopyrightLabel with "LegalCopyright", ProductLabel with "ProductName",
  // DescriptionLabel with "FileDescription", VersionListView with ListRows. Setting one fills it
  // at once.
  IVersionLabel* VersionLabel() const { return fVersionLabel; }
  IVersionLabel* CopyrightLabel() const { return fCopyrightLabel; }
  IVersionLabel* ProductLabel() const { return fProductLabel; }
  IVersionLabel* DescriptionLabel() const { return fDescriptionLabel; }
  IVersionListView* VersionListView() const { return fVersionListView; }
  void SetVersionLabel(IVersionLabel* label);
  void SetCopyrightLabel(IVersionLabel* label);
  void SetProductLabel(IVersionLabel* label);
  void SetDescriptionLabel(IVersionLabel* label);
  void SetVersionListView(IVersionListView* view);

  // Reads the information of Filename again.
  void ReadVersionInfo();
  // Takes the given resource data (nothing: a file without version information).
  void LoadFromResource(const std::optional<TVersionResource>& resource);

  // The string of predefined key index 0..10 from the first translation's string table; empty
  // for other indexes, without information, or when the key is missing.
  std::string GetPreDefString(int index) const;
  std::string CompanyName() const { return GetPreDefString(pdCompanyName); }
  std::string FileDescription() const { return GetPreDefString(pdFileDescription); }
  std::string InternalName() const { return GetPreDefString(pdInternalName); }
  std::string LegalCopyright() const { return GetPreDefString(pdLegalCopyright); }
  std::string LegalTrademarks() const { return GetPreDefString(pdLegalTrademarks); }
  std::string OriginalFilename() const { return GetPreDefString(pdOriginalFilename); }
  std::string ProductName() const { return GetPreDefString(pdProductName); }
  std::string Comments() const { return GetPreDefString(pdComments); }
  std::string Version() const { return "TzsVersionInfoResource v2.36"; }

  const TVersionNumberInformation& FileVersion() const { return fFileVersion; }
  const TVersionNumberInformation& ProductVersion() const { return fProductVersion; }
  const TFixedFileVersionInfo& FixedFileInfo() const { return fFixed; }
  // "%.4x%.4x" of language and code page per translation.
  const std::vector<std::string>& Translations() const { return fTranslations; }
  // The set flags ("Debug", "Info Inferred", "Patched", "Pre-Release", "Private", "Special")
  // joined by ", ".
  std::string GetFlagsText() const;

  // The resource key ("CompanyName" ...) and list caption ("Company Name" ...) of a TPreDef.
  static std::string PreDefKey(TPreDef pd);
  static std::string PreDefCaption(TPreDef pd);
  // The rows (caption, value) of a version list in display order, for the rows in ShowResource.
  std::vector<std::pair<std::string, std::string>> ListRows() const;

 private:
  std::string StringValue(const std::string& key) const;
  void FillControls() const;

  IVersionLabel* fVersionLabel = nullptr;
  IVersionLabel* fCopyrightLabel = nullptr;
  IVersionLabel* fProductLabel = nullptr;
  IVersionLabel* fDescriptionLabel = nullptr;
  IVersionListView* fVersionListView = nullptr;

  std::string fFilename;
  bool fForceEXE = false;
  std::optional<TVersionResource> fResource;
  TFixedFileVersionInfo fFixed;
  std::vector<std::string> fTranslations;
  TVersionNumberInformation fFileVersion;
  TVersionNumberInformation fProductVersion;
};

}  // namespace zyn
