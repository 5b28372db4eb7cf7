#pragma once
// The stored layout of a side bar: its groups (caption, icon type) and their items (caption,
// frame key, hint, pictures, tag, stored item) under a key path of the user's settings store, or
// of an ini file when one is named. Values that are missing or malformed read as their defaults,
// and counts are held to sane limits, so a damaged store never breaks the side bar.

#include "widgets/bars/SideBarTypes.h"

#include <QString>

#include <memory>
#include <string>

class QSettings;

namespace zyn {

class TzbSideBarSettings {
 public:
  // Counts read back are held to these limits.
  static constexpr int kMaxGroups = 256;
  static constexpr int kMaxItems = 1024;

  // An empty file name: the user's settings store of the programme.
  explicit TzbSideBarSettings(const QString& fileName);
  ~TzbSideBarSettings();

  // Replaces the groups when the stored group count is above 0.
  void Load(TzbSideBar& sideBar, const std::string& path);
  // Deletes the stored groups below path, then writes the layout; false when the store failed.
  bool Save(const TzbSideBar& sideBar, const std::string& path);

  // The settings key of a key path ("Software\ZYN\SideBar" -> "Software/ZYN/SideBar").
  static QString KeyOf(const std::string& path);

 private:
  int ReadInt(const QString& key, int fallback, int min, int max) const;
  bool ReadBool(const QString& key, bool fallback) const;
  std::string ReadString(const QString& key, const std::string& fallback) const;
  bool HasKey(const QString& key) const;
  void LoadGroup(TzbSideBar& sideBar, TzbSideGroup& group, const QString& key);
  void LoadItem(TzbSideBar& sideBar, TzbSideBarItem& item, const QString& key);

  std::unique_ptr<QSettings> fSettings;
};

}  // namespace zyn
