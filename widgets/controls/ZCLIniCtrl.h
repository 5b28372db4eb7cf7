#pragma once
// The settings component: its configuration and the encoding of stored texts.

#include "widgets/controls/ZCLObject.h"
#include "widgets/controls/ZCLProcs.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace zyn {

enum TZCLRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum TZCLIniTarget { itIniFile, itRegistry, itAuto };
enum TZCLIniCryptMode { icmKey, icmTextKey, icmCustom };

class TZCLIniCtrl : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLIniCtrl(QObject* owner = nullptr) : TZCLCustomComponent(owner) {}

  std::function<void(QObject* Sender, QByteArray& data)> OnEncodeString;
  std::function<void(QObject* Sender, QByteArray& data)> OnDecodeString;

  QString IniFile() const { return iniFile_; }
  // A name without extension gets ".INI".
  void SetIniFile(const QString& value);
  int MaxEntries() const { return maxEntries_; }
  void SetMaxEntries(int value);
  bool AlphaCounter() const { return alphaCounter_; }
  void SetAlphaCounter(bool value);
  bool NetUser() const { return netUser_; }
  void SetNetUser(bool value);
  QString User() const { return user_; }
  void SetUser(const QString& value) { user_ = value; }
  TZCLIniTarget Target() const { return target_; }
  void SetTarget(TZCLIniTarget value);
  TZCLIniTarget EffectiveTarget() const { return target_ == itAuto ? itRegistry : target_; }
  std::uint16_t EncKey() const { return encKey_; }
  void SetEncKey(std::uint16_t value) { encKey_ = value; }
  TZCLIniCryptMode CryptMode() const { return cryptMode_; }
  void SetCryptMode(TZCLIniCryptMode value) { cryptMode_ = value; }
  bool Encoded() const { return encoded_; }
  void SetEncoded(bool value) { encoded_ = value; }
  bool Common() const { return common_; }
  void SetCommon(bool value) { common_ = value; }
  TZCLPathPrefix IniPrefix() const { return iniPrefix_; }
  void SetIniPrefix(TZCLPathPrefix value) { iniPrefix_ = value; }
  QString RegPath() const { return regPath_; }
  void SetRegPath(const QString& value) { regPath_ = value; }
  TZCLRegRootKey RegRoot() const { return regRoot_; }
  void SetRegRoot(TZCLRegRootKey value) { regRoot_ = value; }

  virtual QString GetUserNameText() const;
  virtual QByteArray EncodeText(const QByteArray& text);
  virtual QByteArray DecodeText(const QByteArray& text);

 private:
  bool alphaCounter_ = false;
  bool common_ = true;
  QString iniFile_;
  TZCLPathPrefix iniPrefix_ = ppWindows;
  int maxEntries_ = 16;
  bool netUser_ = false;
  QString user_;
  QString regPath_;
  TZCLRegRootKey regRoot_ = rpCurrentUser;
  TZCLIniTarget target_ = itAuto;
  std::uint16_t encKey_ = 48261;
  bool encoded_ = false;
  TZCLIniCryptMode cryptMode_ = icmKey;
};

}  // namespace zyn
