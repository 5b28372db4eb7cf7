#include "widgets/controls/ZCLIniCtrl.h"
#include "widgets/controls/ZCLWave.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(IniCtrl, ConfigurationRules) {
  TZCLIniCtrl ini;
  ini.SetIniFile(QStringLiteral("settings"));
  EXPECT_EQ(ini.IniFile(), QStringLiteral("settings.INI"));
  ini.SetIniFile(QStringLiteral("settings.cfg"));
  EXPECT_EQ(ini.IniFile(), QStringLiteral("settings.cfg"));
  EXPECT_EQ(ini.MaxEntries(), 16);
  ini.SetMaxEntries(40);
  ini.SetAlphaCounter(true);
  EXPECT_EQ(ini.MaxEntries(), 26);
  ini.SetMaxEntries(30);
  EXPECT_EQ(ini.MaxEntries(), 26);
  EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
  ini.SetNetUser(true);
  EXPECT_FALSE(ini.User().isEmpty());
}

TEST(IniCtrl, EncodingRoundTripsInEveryMode) {
  TZCLIniCtrl ini;
  const QByteArray text("Projektpfad");
  for (TZCLIniCryptMode mode : {icmKey, icmTextKey}) {
    ini.SetCryptMode(mode);
    const QByteArray encoded = ini.EncodeText(text);
    EXPECT_NE(encoded, text);
    EXPECT_EQ(ini.DecodeText(encoded), text);
  }
  ini.SetCryptMode(icmTextKey);
  const QByteArray safe = ini.EncodeText(text);
  for (char c : safe) EXPECT_TRUE(c >= '0' && c <= 'o') << c;
  ini.SetCryptMode(icmCustom);
  EXPECT_EQ(ini.EncodeText(text), text);
  ini.OnEncodeString = [](QObject*, QByteArray& d) { d = d.toUpper(); };
  EXPECT_EQ(ini.EncodeText(text), QByteArray("PROJEKTPFAD"));
}

QByteArray MakeWave(int channels) {
  QByteArray b("RIFF");
  b += QByteArray("\x24\x00\x00\x00", 4);
  b += "WAVEfmt ";
  b += QByteArray("\x10\x00\x00\x00\x01\x00", 6);
  b += static_cast<char>(channels);
  b += '\0';
  b += QByteArray("\x44\xAC\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00", 12);
  b += "data";
  b += QByteArray(4, '\0');
  return b;
}

TEST(Wave, LoadsCheckedDataAndKeepsItOnBadInput) {
  TZCLWave wave;
  int changes = 0;
  wave.OnChange = [&](QObject*) { ++changes; };
  wave.LoadFromBytes(MakeWave(2));
  EXPECT_EQ(wave.Channels(), 2);
  EXPECT_EQ(changes, 1);
  QByteArray bad = MakeWave(1);
  bad[0] = 'X';
  EXPECT_THROW(wave.LoadFromBytes(bad), EInvalidWave);
  EXPECT_EQ(wave.Data(), MakeWave(2));
  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  wave.WriteData(buffer);
  EXPECT_EQ(buffer.data().left(4), QByteArray("\x2C\x00\x00\x00", 4));
  buffer.seek(0);
  TZCLWave copy;
  copy.ReadData(buffer);
  EXPECT_EQ(copy.Data(), wave.Data());
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("klang.wav"));
  wave.SaveToFile(file);
  TZCLWave loaded;
  loaded.LoadFromFile(file);
  EXPECT_EQ(loaded.Data(), wave.Data());
  EXPECT_THROW(loaded.LoadFromFile(dir.filePath(QStringLiteral("fehlt.wav"))), EErrorCheckingWave);
  loaded.Assign(nullptr);
  EXPECT_TRUE(loaded.IsEmpty());
}

}  // namespace
}  // namespace zyn
