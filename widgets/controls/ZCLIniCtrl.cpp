#include "widgets/controls/ZCLIniCtrl.h"

#include "widgets/controls/ZCLSysIn.h"

#include <QFileInfo>

namespace zyn {

void TZCLIniCtrl::SetIniFile(const QString& value) {
  const QString suffix = QFileInfo(value).suffix();
  fIniFile = (IsBlank(suffix) && !IsBlank(value)) ? value + QStringLiteral(".INI") : value;
}

void TZCLIniCtrl::SetMaxEntries(int value) {
  if (fAlphaCounter && value > 26) return;
  fMaxEntries = std::clamp(value, 0, 255);
}

void TZCLIniCtrl::SetAlphaCounter(bool value) {
  fAlphaCounter = value;
  if (value && fMaxEntries > 26) fMaxEntries = 26;
}

void TZCLIniCtrl::SetNetUser(bool value) {
  fNetUser = value;
  if (value) fUser = GetUserNameText();
}

void TZCLIniCtrl::SetTarget(TZCLIniTarget value) { fTarget = value; }

QString TZCLIniCtrl::GetUserNameText() const { return LoggedOnUserName(); }

QByteArray TZCLIniCtrl::EncodeText(const QByteArray& text) {
  switch (fCryptMode) {
    case icmKey:
      return Scramble(text, fEncKey);
    case icmTextKey:
      return TextEncode(Scramble(text, fEncKey));
    case icmCustom: {
      QByteArray data = text;
      if (OnEncodeString) OnEncodeString(this, data);
      return data;
    }
  }
  return text;
}

QByteArray TZCLIniCtrl::DecodeText(const QByteArray& text) {
  switch (fCryptMode) {
    case icmKey:
      return Unscramble(text, fEncKey);
    case icmTextKey:
      return Unscramble(TextDecode(text), fEncKey);
    case icmCustom: {
      QByteArray data = text;
      if (OnDecodeString) OnDecodeString(this, data);
      return data;
    }
  }
  return text;
}

}  // namespace zyn
