#pragma once
// Keeping a bar manager's layout: which bars are visible and where, which links every bar and
// sub-menu shows with which user overrides, how often each link was used, and a few manager
// options. Two stored forms exist: the user's settings store (a tree of keys, QSettings in the
// user's configuration folder; user glyphs included) and a plain ini file ("[section]" lines and
// "key=value" lines; sections prefixed with the form's and the manager's name; Booleans "1"/"0",
// numbers decimal; no user glyphs). The same
// writer and reader also keep the state a form defined when it was built, from which a toolbar or
// the usage data are reset.

#include <QByteArray>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

class TzbBarManager;
class TzbBar;

// Where one layout is kept: nodes named by a path below the layout's root (the empty path is the
// root with the manager's options), each holding named text values.
class TzbBarLayoutStore {
 public:
  using TNode = std::vector<std::string>;
  virtual ~TzbBarLayoutStore() = default;
  virtual bool NodeExists(const TNode& node) const = 0;
  virtual std::optional<std::string> Read(const TNode& node, const std::string& name) const = 0;
  virtual void Write(const TNode& node, const std::string& name, const std::string& value) = 0;
  virtual bool StoresBinary() const { return false; }
  virtual std::optional<QByteArray> ReadBinary(const TNode& node, const std::string& name) const {
    return std::nullopt;
  }
  virtual void WriteBinary(const TNode& node, const std::string& name, const QByteArray& value) {}
  // Whether a missing or unreadable value fails the read (the settings store); otherwise the
  // defaults of the ini form stand in.
  virtual bool Strict() const = 0;
  // Removes the layout's own nodes and values (and nothing else kept beside them).
  virtual void EraseLayout() = 0;
};

// The layout kept in memory (the state a form defined when it was built).
std::unique_ptr<TzbBarLayoutStore> MakeMemoryLayoutStore();

// Writes the manager's layout into the store (after erasing the old one).
void WriteBarLayout(TzbBarManager& manager, TzbBarLayoutStore& store);
// Reads a layout; values that cannot be used leave the form's own state.
void ReadBarLayout(TzbBarManager& manager, const TzbBarLayoutStore& store);

// A plain ini file in memory: sections and their keys in the order they were made; names compared
// without regard to case. Made from a file (a missing or unreadable one gives an empty ini) or a
// text; written as "[section]" followed by its "key=value" lines and a blank line.
class TzbBarIniFile {
 public:
  TzbBarIniFile() = default;
  explicit TzbBarIniFile(const std::string& fileName);
  void SetText(const std::string& text);
  std::string Text() const;
  void SaveToFile(const std::string& fileName) const;  // replaced safely; throws when it cannot be written

  bool SectionExists(const std::string& section) const;
  void ReadSections(std::vector<std::string>& sections) const;
  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    return Read(section, key).value_or(def);
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void EraseSection(const std::string& section);

 private:
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Values;
  };
  const TSection* Find(const std::string& section) const;
  std::vector<TSection> fSections;
};

// Limits of what a stored layout may ask for; larger stored values are cut to them.
constexpr int kMaxStoredBars = 256;
constexpr int kMaxStoredLinks = 4096;
constexpr int kMaxStoredRow = 255;
constexpr int kMaxStoredCoordinate = 32767;

}  // namespace zyn
