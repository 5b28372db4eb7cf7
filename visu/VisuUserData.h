#pragma once
// Users of the visualisation and the user file "VisuUserData.udf". Names and passwords are
// never held in plain text: each user keeps them scrambled with a fixed 15-byte key.

#include "model/base/Filer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

class TVisuUserData {
 public:
  static constexpr size_t kKeyLength = 15;

  TVisuUserData();

  std::string Ident;  // unique key of the user, kept unscrambled
  bool UserEnabled = false;
  int32_t UserLevel = 0;     // 0 is the administrator
  std::string UserName;      // scrambled
  std::string UserPassword;  // scrambled

  // Character i is XORed with key byte i; the same routine scrambles and unscrambles. A text
  // longer than the key is refused (EZYNError), since it cannot be scrambled.
  std::string Scramble(std::string_view text) const;
  void GetNameAndPassword(std::string& name, std::string& password) const;
  void SetNameAndPassword(std::string_view name, std::string_view password);

  // One user: name, password (both scrambled), level as decimal text, ident, enabled flag.
  void ReadUser(TReader& reader);
  void WriteUser(TWriter& writer) const;

 private:
  std::vector<uint8_t> fKey;
};

class TUserDataList {
 public:
  TUserDataList() = default;
  TUserDataList(const TUserDataList&) = delete;
  TUserDataList& operator=(const TUserDataList&) = delete;

  int32_t Count() const { return static_cast<int32_t>(fUsers.size()); }
  TVisuUserData& User(int32_t index) { return *fUsers.at(static_cast<size_t>(index)).user; }
  const TVisuUserData& User(int32_t index) const { return *fUsers.at(static_cast<size_t>(index)).user; }
  const std::string& EntryText(int32_t index) const { return fUsers.at(static_cast<size_t>(index)).text; }
  int32_t Add(std::unique_ptr<TVisuUserData> user, std::string entryText = {});
  void Delete(int32_t index);
  void Clear() { fUsers.clear(); }

  // The built-in user "Administrator" with password "5827", level 0.
  void AddDefaultUser();
  // The current local date and time ("dd.mm.yyyy hh:nn:ss", no time at exactly midnight)
  // followed by the given (scrambled) name.
  static std::string MakeIdent(const std::string& name);
  TVisuUserData* FindByIdent(const std::string& ident);
  // The first user whose unscrambled name equals the text exactly.
  TVisuUserData* FindByName(const std::string& name);

  // List begin, one user record per user, list end. Reading appends the users and adds the
  // built-in user when the list is still empty afterwards.
  void ReadUsers(TReader& reader);
  void WriteUsers(TWriter& writer) const;

  // The user file is exactly the user list. Loading appends its users; it returns false and
  // changes nothing when the file does not exist, and raises EReadError and changes nothing
  // when the file is damaged. Saving replaces the file as a whole or raises EWriteError.
  bool LoadUsersFromFile(const std::string& fileName);
  void SaveUsersToFile(const std::string& fileName) const;

 private:
  struct Entry {
    std::string text;
    std::unique_ptr<TVisuUserData> user;
  };
  static std::vector<std::unique_ptr<TVisuUserData>> ReadUserRecords(TReader& reader);
  void AppendRead(std::vector<std::unique_ptr<TVisuUserData>> users);

  std::vector<Entry> fUsers;
};

}  // namespace zyn
