#include "model/base/VersionInfo.h"

#include "model/base/ProgramPaths.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(VersionInfo, OwnProgrammeCarriesTheBuildVersion) {
  TzsVersionInfoResource info;
  EXPECT_EQ(info.ProductName(), "ZYN Systemsoftware");
  EXPECT_FALSE(info.CompanyName().empty());
  EXPECT_FALSE(info.FileDescription().empty());
  EXPECT_FALSE(info.LegalCopyright().empty());
  EXPECT_EQ(info.GetPreDefString(pdProductName), "ZYN Systemsoftware");
  EXPECT_EQ(info.GetPreDefString(pdFileVersion), "2.8.0.0");
  EXPECT_EQ(info.GetPreDefString(11), "");
  EXPECT_EQ(info.GetPreDefString(-1), "");
  EXPECT_EQ(info.FileVersion().GetAsString(), "2.8.0.0");
  EXPECT_EQ(info.ProductVersion().GetAsString(), "2.8.0.0");
  EXPECT_EQ(info.FileVersion().GetPart(0), 2);
  EXPECT_EQ(info.FileVersion().GetPart(1), 8);
  EXPECT_EQ(info.FileVersion().GetPart(2), 0);
  EXPECT_EQ(info.FileVersion().GetPart(3), 0);
  EXPECT_EQ(info.FileVersion().GetPart(4), 0);
  EXPECT_EQ(info.Translations(), (std::vector<std::string>{"040704e4"}));
  EXPECT_EQ(info.Version(), "TzsVersionInfoResource v2.36");

  info.SetFilename(ProgramFilePath());  // naming the running programme is the same
  EXPECT_EQ(info.ProductName(), "ZYN Systemsoftware");
}

TEST(VersionInfo, OtherFilesHaveNoVersionInformation) {
  TzsVersionInfoResource info;
  info.SetFilename("/bin/sh");
  for (int i = 0; i < kPreDefCount; ++i) EXPECT_EQ(info.GetPreDefString(i), "") << i;
  EXPECT_FALSE(info.FileVersion().Valid());
  EXPECT_EQ(info.FileVersion().GetAsString(), "");
  EXPECT_EQ(info.ProductVersion().GetAsString(), "");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(info.FileVersion().GetPart(i), 0);
  EXPECT_TRUE(info.Translations().empty());
  EXPECT_EQ(info.GetFlagsText(), "");
}

TEST(VersionInfo, NumbersTextsAndFlagsOfAGivenResource) {
  TVersionResource r;
  r.Fixed.FileVersionMS = (2u << 16) | 8u;
  r.Fixed.FileVersionLS = (1u << 16) | 20u;
  r.Fixed.ProductVersionMS = (3u << 16) | 1u;
  r.Fixed.ProductVersionLS = 0;
  r.Fixed.FileFlagsMask = 0x3F;
  r.Fixed.FileFlags = vfPatched | vfDebug | vfSpecialBuild | 0x40;
  r.StringTables["040904E4"]["ProductVersion"] = "3.1 beta";
  r.StringTables["040904E4"]["comments"] = "Hinweis";

  TzsVersionInfoResource info;
  info.LoadFromResource(r);
  // Without a "FileVersion" string the four numbers make the text.
  EXPECT_EQ(info.FileVersion().GetAsString(), "2.8.1.20");
  EXPECT_EQ(info.ProductVersion().GetAsString(), "3.1 beta");
  EXPECT_EQ(info.ProductVersion().GetPart(0), 3);
  // Without a translation table the strings come from "040904E4"; keys ignore case.
  EXPECT_EQ(info.Comments(), "Hinweis");
  EXPECT_EQ(info.GetFlagsText(), "Debug, Patched, Special");

  r.Fixed.FileFlags = vfInfoInferred | vfPreRelease | vfPrivateBuild;
  r.Translations.push_back({0x0407, 0x04E4});
  info.LoadFromResource(r);
  EXPECT_EQ(info.GetFlagsText(), "Info Inferred, Pre-Release, Private");
  EXPECT_EQ(info.Comments(), "");  // the German table has no strings

  info.ShowResource = (1u << pdProductName) | (1u << pdFileVersion) | (1u << pdBuildFlags);
  const auto rows = info.ListRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::make_pair(std::string("Product Name"), std::string()));
  EXPECT_EQ(rows[1], std::make_pair(std::string("File Version"), std::string("2.8.1.20")));
  EXPECT_EQ(rows[2], std::make_pair(std::string("Build Flags"), std::string("Info Inferred, Pre-Release, Private")));
}

struct TTextTarget : IVersionLabel {
  std::string text = "(unfilled)";
  void SetVersionText(const std::string& t) override { text = t; }
};
struct TRowsTarget : IVersionListView {
  std::vector<std::pair<std::string, std::string>> rows;
  int fills = 0;
  void FillVersionRows(const std::vector<std::pair<std::string, std::string>>& r) override {
    rows = r;
    ++fills;
  }
};

// The attached labels and list view are filled when attached and again on every read, also
// with empty texts when the file has no version information.
TEST(VersionInfo, AttachedControlsAreFilledOnEveryRead) {
  TVersionResource r;
  r.Fixed.FileVersionMS = (2u << 16) | 8u;
  r.Translations.push_back({0x0407, 0x04E4});
  r.StringTables["040704e4"] = {{"FileVersion", "2.8"},
                                {"LegalCopyright", "(c) ZORV"},
                                {"ProductName", "ZYN Systemsoftware"},
                                {"FileDescription", "Programmierung"}};
  TzsVersionInfoResource info;
  TTextTarget version, copyright, product, description;
  TRowsTarget list;
  info.SetVersionLabel(&version);
  EXPECT_NE(version.text, "(unfilled)");  // filled at once from what was read
  info.SetCopyrightLabel(&copyright);
  info.SetProductLabel(&product);
  info.SetDescriptionLabel(&description);
  info.ShowResource = (1u << pdProductName) | (1u << pdLegalCopyright);
  info.SetVersionListView(&list);
  info.LoadFromResource(r);
  EXPECT_EQ(version.text, "2.8");
  EXPECT_EQ(copyright.text, "(c) ZORV");
  EXPECT_EQ(product.text, "ZYN Systemsoftware");
  EXPECT_EQ(description.text, "Programmierung");
  EXPECT_EQ(list.rows, (std::vector<std::pair<std::string, std::string>>{{"Product Name", "ZYN Systemsoftware"},
                                                                         {"Legal Copyright", "(c) ZORV"}}));
  info.SetFilename("/bin/sh");  // another file: no version information
  EXPECT_EQ(version.text, "");
  EXPECT_EQ(product.text, "");
  EXPECT_EQ(list.rows,
            (std::vector<std::pair<std::string, std::string>>{{"Product Name", ""}, {"Legal Copyright", ""}}));
  EXPECT_GE(list.fills, 3);
}

}  // namespace
}  // namespace zyn
