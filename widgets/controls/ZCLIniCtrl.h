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

  QString IniFile() const { return fIniFile; }
  // A name without extension gets ".INI".
  void SetIniFile(const QString& value);
  int MaxEntries() const { return fMaxEntries; }
  void SetMaxEntries(int value);
  bool AlphaCounter() const { return fAlphaCounter; }
  void SetAlphaCounter(bool value);
  bool NetUser() const { return fNetUser; }
  void SetNetUser(bool value);
  QString User() const { return fUser; }
  void SetUser(const QString& value) { fUser = value; }
  TZCLIniTarget Target() const { return fTarget; }
  void SetTarget(TZCLIniTarget value);
  TZCLIniTarget EffectiveTarget() const { return fTarget == itAuto ? itRegistry : fTarget; }
  std::uint16_t EncKey() const { return fEncKey; }
  void SetEncKey(std::uint16_t value) { fEncKey = value; }
  TZCLIniCryptMode CryptMode() const { return fCryptMode; }
  void SetCryptMode(TZCLIniCryptMode value) { fCryptMode = value; }
  bool Encoded() const { return fEncoded; }
  void SetEncoded(bool value) { fEncoded = value; }
  bool Common() const { return fCommon; }
  void SetCommon(bool value) { fCommon = value; }
  TZCLPathPrefix IniPrefix() const { return fIniPrefix; }
  void SetIniPrefix(TZCLPathPrefix value) { fIniPrefix = value; }
  QString RegPath() const { return fRegPath; }
  void SetRegPath(const QString& value) { fRegPath = value; }
  TZCLRegRootKey RegRoot() const { return fRegRoot; }
  void SetRegRoot(TZCLRegRootKey value) { fRegRoot = value; }

  virtual QString GetUserNameText() const;
  virtual QByteArray EncodeText(const QByteArray& text);
  virtual QByteArray DecodeText(const QByteArray& text);

 private:
  bool fAlphaCounter = false;
  bool fCommon = true;
  QString fIniFile;
  TZCLPathPrefix fIniPrefix = ppWindows;
  int fMaxEntries = 16;
  bool fNetUser = false;
  QString fUser;
  QString fRegPath;
  TZCLRegRootKey fRegRoot = rpCurrentUser;
  TZCLIniTarget fTarget = itAuto;
  std::uint16_t fEncKey = 48261;
  bool fEncoded = false;
  TZCLIniCryptMode fCryptMode = icmKey;
};

}  // namespace zyn
