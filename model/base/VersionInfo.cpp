#include "model/base/VersionInfo.h"

#include "ZynVersion.h"
#include "model/base/ProgramPaths.h"
#include "model/base/TextUtils.h"

#include <cstdio>
#include <cstdlib>

namespace zyn {

namespace {

const char* const kPreDefKeys[kPreDefCount] = {"CompanyName",    "FileDescription", "FileVersion",      "InternalName",
                                               "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName",
                                               "ProductVersion", "Comments",        "BuildFlags"};

const char* const kPreDefCaptions[kPreDefCount] = {
    "Company Name",      "File Description", "File Version",    "Internal Name", "Legal Copyright", "Legal Trademarks",
    "Original Filename", "Product Name",     "Product Version", "Comments",      "Build Flags"};

std::string TranslationText(uint16_t language, uint16_t codePage) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.4x%.4x", language, codePage);
  return buf;
}

std::string Canonical(const std::string& path) {
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    std::string result(resolved);
    std::free(resolved);
    return result;
  }
  return path;
}

}  // namespace

TVersionResource OwnVersionResource() {
  TVersionResource r;
  r.Fixed.FileVersionMS = (uint32_t{ZYN_VERSION_MAJOR} << 16) | ZYN_VERSION_MINOR;
  r.Fixed.FileVersionLS = (uint32_t{ZYN_VERSION_RELEASE} << 16) | ZYN_VERSION_BUILD;
  r.Fixed.ProductVersionMS = r.Fixed.FileVersionMS;
  r.Fixed.ProductVersionLS = r.Fixed.FileVersionLS;
  r.Fixed.FileFlagsMask = 0x3F;
  r.Fixed.FileFlags = ZYN_DEBUG_BUILD ? uint32_t{vfDebug} : uint32_t{0};
  r.Translations.push_back({0x0407, 0x04E4});  // German, Windows-1252
  auto& table = r.StringTables[TranslationText(0x0407, 0x04E4)];
  table["CompanyName"] = ZYN_COMPANY_NAME;
  table["FileDescription"] = ZYN_FILE_DESCRIPTION;
  table["FileVersion"] = ZYN_VERSION_TEXT;
  table["InternalName"] = ZYN_INTERNAL_NAME;
  table["LegalCopyright"] = ZYN_LEGAL_COPYRIGHT;
  table["OriginalFilename"] = ZYN_ORIGINAL_FILENAME;
  table["ProductName"] = ZYN_PRODUCT_NAME;
  table["ProductVersion"] = ZYN_VERSION_TEXT;
  return r;
}

// --- TVersionNumberInformation ------------------------------------------------------------------

void TVersionNumberInformation::Assign(uint32_t ms, uint32_t ls, std::string text) {
  fParts = {static_cast<uint16_t>(ms >> 16), static_cast<uint16_t>(ms & 0xFFFF), static_cast<uint16_t>(ls >> 16),
            static_cast<uint16_t>(ls & 0xFFFF)};
  fText = std::move(text);
  fValid = true;
}

void TVersionNumberInformation::Invalidate() {
  fParts = {};
  fText.clear();
  fValid = false;
}

uint16_t TVersionNumberInformation::GetPart(int index) const {
  if (!fValid || index < 0 || index > 3) return 0;
  return fParts[static_cast<size_t>(index)];
}

std::string TVersionNumberInformation::GetAsString() const {
  if (!fValid) return {};
  if (!fText.empty()) return fText;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", fParts[0], fParts[1], fParts[2], fParts[3]);
  return buf;
}

// --- TzsVersionInfoResource ---------------------------------------------------------------------

TzsVersionInfoResource::TzsVersionInfoResource() { ReadVersionInfo(); }

void TzsVersionInfoResource::SetFilename(const std::string& fileName) {
  fFilename = fileName;
  ReadVersionInfo();
}

void TzsVersionInfoResource::SetForceEXE(bool value) {
  fForceEXE = value;
  ReadVersionInfo();
}

void TzsVersionInfoResource::ReadVersionInfo() {
  const bool own = fFilename.empty() || Canonical(fFilename) == Canonical(ProgramFilePath());
  if (own) {
    LoadFromResource(OwnVersionResource());
  } else {
    LoadFromResource(std::nullopt);
  }
}

void TzsVersionInfoResource::LoadFromResource(const std::optional<TVersionResource>& resource) {
  fTranslations.clear();
  fResource = resource;
  fFixed = {};
  if (!fResource) {
    fFileVersion.Invalidate();
    fProductVersion.Invalidate();
    FillControls();
    return;
  }
  fFixed = fResource->Fixed;
  for (const auto& [language, codePage] : fResource->Translations) {
    fTranslations.push_back(TranslationText(language, codePage));
  }
  fFileVersion.Assign(fFixed.FileVersionMS, fFixed.FileVersionLS, StringValue("FileVersion"));
  fProductVersion.Assign(fFixed.ProductVersionMS, fFixed.ProductVersionLS, StringValue("ProductVersion"));
  FillControls();
}

void TzsVersionInfoResource::FillControls() const {
  if (fVersionLabel) fVersionLabel->SetVersionText(fFileVersion.GetAsString());
  if (fCopyrightLabel) fCopyrightLabel->SetVersionText(LegalCopyright());
  if (fProductLabel) fProductLabel->SetVersionText(ProductName());
  if (fDescriptionLabel) fDescriptionLabel->SetVersionText(FileDescription());
  if (fVersionListView) fVersionListView->FillVersionRows(ListRows());
}

void TzsVersionInfoResource::SetVersionLabel(IVersionLabel* label) {
  fVersionLabel = label;
  FillControls();
}

void TzsVersionInfoResource::SetCopyrightLabel(IVersionLabel* label) {
  fCopyrightLabel = label;
  FillControls();
}

void TzsVersionInfoResource::SetProductLabel(IVersionLabel* label) {
  fProductLabel = label;
  FillControls();
}

void TzsVersionInfoResource::SetDescriptionLabel(IVersionLabel* label) {
  fDescriptionLabel = label;
  FillControls();
}

void TzsVersionInfoResource::SetVersionListView(IVersionListView* view) {
  fVersionListView = view;
  FillControls();
}

std::string TzsVersionInfoResource::StringValue(const std::string& key) const {
  if (!fResource) return {};
  const std::string translation = fTranslations.empty() ? "040904E4" : fTranslations.front();
  for (const auto& [id, table] : fResource->StringTables) {
    if (!SameText(id, translation)) continue;
    for (const auto& [name, value] : table) {
      if (SameText(name, key)) return value;
    }
  }
  return {};
}

std::string TzsVersionInfoResource::GetPreDefString(int index) const {
  if (index < 0 || index >= kPreDefCount) return {};
  return StringValue(kPreDefKeys[index]);
}

std::string TzsVersionInfoResource::GetFlagsText() const {
  static const std::pair<uint32_t, const char*> kFlags[] = {
      {vfDebug, "Debug"},          {vfInfoInferred, "Info Inferred"},
      {vfPatched, "Patched"},      {vfPreRelease, "Pre-Release"},
      {vfPrivateBuild, "Private"}, {vfSpecialBuild, "Special"}};
  const uint32_t set = fFixed.FileFlags & fFixed.FileFlagsMask;
  std::string text;
  for (const auto& [bit, name] : kFlags) {
    if (!(set & bit)) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string TzsVersionInfoResource::PreDefKey(TPreDef pd) { return kPreDefKeys[pd]; }

std::string TzsVersionInfoResource::PreDefCaption(TPreDef pd) { return kPreDefCaptions[pd]; }

std::vector<std::pair<std::string, std::string>> TzsVersionInfoResource::ListRows() const {
  static const TPreDef kOrder[] = {pdProductName,      pdProductVersion,  pdCompanyName, pdLegalCopyright,
                                   pdLegalTrademarks,  pdFileDescription, pdFileVersion, pdInternalName,
                                   pdOriginalFilename, pdBuildFlags,      pdComments};
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TPreDef pd : kOrder) {
    if (!(ShowResource & (1u << pd))) continue;
    std::string value;
    switch (pd) {
      case pdFileVersion:
        value = fFileVersion.GetAsString();
        break;
      case pdProductVersion:
        value = fProductVersion.GetAsString();
        break;
      case pdBuildFlags:
        value = GetFlagsText();
        break;
      default:
        value = GetPreDefString(pd);
        break;
    }
    rows.emplace_back(PreDefCaption(pd), value);
  }
  return rows;
}

}  // namespace zyn
