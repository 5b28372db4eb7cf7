#include "visu/VisuUserData.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"

#include <ctime>

namespace zyn {

namespace {

// The scrambling key, built from constants when a user is created (it is not stored as data).
std::vector<uint8_t> BuildKey() {
  std::vector<uint8_t> key(TVisuUserData::kKeyLength);
  for (size_t i = 0; i < key.size(); ++i) {
    key[i] = static_cast<uint8_t>((0x5A + 0x35 * i) ^ (i % 2 ? 0x3C : 0xC3));
  }
  return key;
}

int32_t LevelFromText(const std::string& text) {
  size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  bool ok = i < text.size() && text.size() <= 11;
  int64_t v = 0;
  for (; ok && i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      ok = false;
    else
      v = v * 10 + (text[i] - '0');
  }
  if (ok && text[0] == '-') v = -v;
  if (!ok || v < INT32_MIN || v > INT32_MAX) {
    throw EReadError("'" + text + Ansi("' ist kein gültiger Integerwert"));
  }
  return static_cast<int32_t>(v);
}

}  // namespace

TVisuUserData::TVisuUserData() : fKey(BuildKey()) {}

std::string TVisuUserData::Scramble(std::string_view text) const {
  if (text.size() > fKey.size()) {
    throw EZYNError(Ansi("Benutzername und Passwort dürfen höchstens 15 Zeichen lang sein."));
  }
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>(out[i] ^ fKey[i]);
  return out;
}

void TVisuUserData::GetNameAndPassword(std::string& name, std::string& password) const {
  name = Scramble(UserName);
  password = Scramble(UserPassword);
}

void TVisuUserData::SetNameAndPassword(std::string_view name, std::string_view password) {
  std::string n = Scramble(name);
  std::string p = Scramble(password);
  UserName = std::move(n);
  UserPassword = std::move(p);
}

void TVisuUserData::ReadUser(TReader& reader) {
  UserName = reader.ReadString();
  UserPassword = reader.ReadString();
  UserLevel = LevelFromText(reader.ReadString());
  Ident = reader.ReadString();
  UserEnabled = reader.ReadBoolean();
}

void TVisuUserData::WriteUser(TWriter& writer) const {
  writer.WriteString(UserName);
  writer.WriteString(UserPassword);
  writer.WriteString(std::to_string(UserLevel));
  writer.WriteString(Ident);
  writer.WriteBoolean(UserEnabled);
}

int32_t TUserDataList::Add(std::unique_ptr<TVisuUserData> user, std::string entryText) {
  fUsers.push_back(Entry{std::move(entryText), std::move(user)});
  return Count() - 1;
}

void TUserDataList::Delete(int32_t index) { fUsers.erase(fUsers.begin() + index); }

void TUserDataList::AddDefaultUser() {
  auto user = std::make_unique<TVisuUserData>();
  user->SetNameAndPassword("Administrator", "5827");
  user->UserLevel = 0;
  user->UserEnabled = false;
  user->Ident = MakeIdent(user->UserName);
  std::string text = user->Ident;
  Add(std::move(user), std::move(text));
}

std::string TUserDataList::MakeIdent(const std::string& name) {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char buf[32];
  if (t.tm_hour == 0 && t.tm_min == 0 && t.tm_sec == 0) {
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &t);
  } else {
    std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &t);
  }
  return buf + name;
}

TVisuUserData* TUserDataList::FindByIdent(const std::string& ident) {
  for (auto& e : fUsers) {
    if (e.user->Ident == ident) return e.user.get();
  }
  return nullptr;
}

TVisuUserData* TUserDataList::FindByName(const std::string& name) {
  for (auto& e : fUsers) {
    // A stored name longer than the key cannot be unscrambled and equals no valid name.
    if (e.user->UserName.size() > TVisuUserData::kKeyLength) continue;
    if (e.user->Scramble(e.user->UserName) == name) return e.user.get();
  }
  return nullptr;
}

std::vector<std::unique_ptr<TVisuUserData>> TUserDataList::ReadUserRecords(TReader& reader) {
  std::vector<std::unique_ptr<TVisuUserData>> users;
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto user = std::make_unique<TVisuUserData>();
    user->ReadUser(reader);
    users.push_back(std::move(user));
  }
  reader.ReadListEnd();
  return users;
}

void TUserDataList::AppendRead(std::vector<std::unique_ptr<TVisuUserData>> users) {
  for (auto& u : users) Add(std::move(u));
  if (fUsers.empty()) AddDefaultUser();
}

void TUserDataList::ReadUsers(TReader& reader) {
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto user = std::make_unique<TVisuUserData>();
    user->ReadUser(reader);
    Add(std::move(user));
  }
  reader.ReadListEnd();
  if (fUsers.empty()) AddDefaultUser();
}

void TUserDataList::WriteUsers(TWriter& writer) const {
  writer.WriteListBegin();
  for (const auto& e : fUsers) e.user->WriteUser(writer);
  writer.WriteListEnd();
}

bool TUserDataList::LoadUsersFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  TMemoryStream ms;
  ms.LoadFromFile(fileName);
  std::vector<std::unique_ptr<TVisuUserData>> users;
  {
    TReader reader(ms);
    users = ReadUserRecords(reader);
  }
  AppendRead(std::move(users));
  return true;
}

void TUserDataList::SaveUsersToFile(const std::string& fileName) const {
  TMemoryStream ms;
  {
    TWriter writer(ms);
    WriteUsers(writer);
  }
  ms.SaveToFile(fileName);
}

}  // namespace zyn
