#include "widgets/controls/ZCLIniCtrl.h"

#include "widgets/controls/ZCLSysIn.h"

#include <QFileInfo>

namespace zyn {

void TZCLIniCtrl::SetIniFile(const QString& value) {
  const QString suffix = QFileInfo(value).suffix();
  iniFile_ = (IsBlank(suffix) && !IsBlank(value)) ? value + QStringLiteral(".INI") : value;
}

void TZCLIniCtrl::SetMaxEntries(int value) {
  if (alphaCounter_ && value > 26) return;
  maxEntries_ = std::clamp(value, 0, 255);
}

void TZCLIniCtrl::SetAlphaCounter(bool value) {
  alphaCounter_ = value;
  if (value && maxEntries_ > 26) maxEntries_ = 26;
}

void TZCLIniCtrl::SetNetUser(bool value) {
  netUser_ = value;
  if (value) user_ = GetUserNameText();
}

void TZCLIniCtrl::SetTarget(TZCLIniTarget value) { target_ = value; }

QString TZCLIniCtrl::GetUserNameText() const { return LoggedOnUserName(); }

QByteArray TZCLIniCtrl::EncodeText(const QByteArray& text) {
  switch (cryptMode_) {
    case icmKey: return Scramble(text, encKey_);
    case icmTextKey: return TextEncode(Scramble(text, encKey_));
    case icmCustom: {
      QByteArray data = text;
      if (OnEncodeString) OnEncodeString(this, data);
      return data;
    }
  }
  return text;
}

QByteArray TZCLIniCtrl::DecodeText(const QByteArray& text) {
  switch (cryptMode_) {
    case icmKey: return Unscramble(text, encKey_);
    case icmTextKey: return Unscramble(TextDecode(text), encKey_);
    case icmCustom: {
      QByteArray data = text;
      if (OnDecodeString) OnDecodeString(this, data);
      return data;
    }
  }
  return text;
}

}  // namespace zyn
