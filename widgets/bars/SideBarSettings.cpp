#include "widgets/bars/SideBarSettings.h"

#include "platform/QtText.h"
#include "widgets/bars/SideBar.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"

#include <QSettings>

#include <algorithm>
#include <limits>

namespace zyn {

TzbSideBarSettings::TzbSideBarSettings(const QString& fileName)
    : fSettings(fileName.isEmpty()
                    ? std::make_unique<QSettings>(QStringLiteral("ZORV"), QStringLiteral("ZYN Systemsoftware"))
                    : std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

TzbSideBarSettings::~TzbSideBarSettings() = default;

QString TzbSideBarSettings::KeyOf(const std::string& path) {
  QString key = ToQString(path);
  key.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (key.startsWith(QLatin1Char('/'))) key.remove(0, 1);
  while (key.endsWith(QLatin1Char('/'))) key.chop(1);
  return key;
}

int TzbSideBarSettings::ReadInt(const QString& key, int fallback, int min, int max) const {
  const QVariant v = fSettings->value(key);
  if (!v.isValid()) return fallback;
  bool ok = false;
  const qlonglong n = v.toString().trimmed().toLongLong(&ok);
  if (!ok) return fallback;
  return static_cast<int>(std::clamp<qlonglong>(n, min, max));
}

bool TzbSideBarSettings::ReadBool(const QString& key, bool fallback) const {
  const QVariant v = fSettings->value(key);
  if (!v.isValid()) return fallback;
  const QString s = v.toString().trimmed().toLower();
  if (s == QLatin1String("true") || s == QLatin1String("1")) return true;
  if (s == QLatin1String("false") || s == QLatin1String("0")) return false;
  return fallback;
}

std::string TzbSideBarSettings::ReadString(const QString& key, const std::string& fallback) const {
  const QVariant v = fSettings->value(key);
  if (!v.isValid() || !v.canConvert<QString>()) return fallback;
  return FromQString(v.toString());
}

bool TzbSideBarSettings::HasKey(const QString& key) const {
  const int slash = key.lastIndexOf(QLatin1Char('/'));
  fSettings->beginGroup(slash < 0 ? QString() : key.left(slash));
  const bool found = fSettings->childGroups().contains(key.mid(slash + 1));
  fSettings->endGroup();
  return found;
}

void TzbSideBarSettings::Load(TzbSideBar& sideBar, const std::string& path) {
  const QString base = KeyOf(path);
  const int groupCount = ReadInt(base + QStringLiteral("/GroupCount"), 0, 0, kMaxGroups);
  if (groupCount <= 0) return;
  TzbSideGroups& groups = sideBar.Groups();
  groups.BeginUpdate();
  groups.Clear();
  for (int n = 0; n < groupCount; ++n) {
    TzbSideGroup* group = groups.Add();
    const QString key = base + QStringLiteral("/Group") + QString::number(n);
    if (HasKey(key)) LoadGroup(sideBar, *group, key);
  }
  groups.EndUpdate();
}

void TzbSideBarSettings::LoadGroup(TzbSideBar& sideBar, TzbSideGroup& group, const QString& key) {
  group.SetCaption(ReadString(key + QStringLiteral("/Caption"), group.Caption()));
  // Only 1 means small icons; anything else, stored or damaged, keeps the large ones.
  const int iconType =
      ReadInt(key + QStringLiteral("/IconType"), 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  group.SetIconType(iconType == 1 ? zbsgSmallIcon : zbsgLargeIcon);
  const int itemCount = ReadInt(key + QStringLiteral("/ItemCount"), 0, 0, kMaxItems);
  for (int m = 0; m < itemCount; ++m) {
    TzbSideBarItem* item = group.Items().Add();
    const QString itemKey = key + QStringLiteral("/Item") + QString::number(m);
    if (HasKey(itemKey)) LoadItem(sideBar, *item, itemKey);
  }
}

void TzbSideBarSettings::LoadItem(TzbSideBar& sideBar, TzbSideBarItem& item, const QString& key) {
  // The stored item first: binding copies its values, the stored ones below then take over.
  if (TzbSideBarStore* store = sideBar.Store()) {
    const std::string name = ReadString(key + QStringLiteral("/StoredItem"), std::string());
    if (!name.empty()) item.SetStoredItem(store->FindByName(name));
  }
  item.SetCaption(ReadString(key + QStringLiteral("/Caption"), item.Caption()));
  item.CustomData = ReadString(key + QStringLiteral("/CustomData"), item.CustomData);
  item.SetHint(ReadString(key + QStringLiteral("/Hint"), item.Hint()));
  item.SetLargeImage(ReadInt(key + QStringLiteral("/LargeImage"), -1, -1, 1 << 20));
  item.SetSmallImage(ReadInt(key + QStringLiteral("/SmallImage"), -1, -1, 1 << 20));
  item.Tag = ReadInt(key + QStringLiteral("/Tag"), 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  item.SetIsDefault(ReadBool(key + QStringLiteral("/IsDefault"), true));
}

bool TzbSideBarSettings::Save(const TzbSideBar& sideBar, const std::string& path) {
  const QString base = KeyOf(path);
  fSettings->beginGroup(base);
  const QStringList old = fSettings->childGroups();
  for (const QString& child : old) fSettings->remove(child);
  fSettings->endGroup();
  const TzbSideGroups& groups = sideBar.Groups();
  fSettings->setValue(base + QStringLiteral("/GroupCount"), groups.Count());
  for (int n = 0; n < groups.Count(); ++n) {
    const TzbSideGroup& group = *groups[n];
    const QString key = base + QStringLiteral("/Group") + QString::number(n);
    fSettings->setValue(key + QStringLiteral("/Caption"), ToQString(group.Caption()));
    fSettings->setValue(key + QStringLiteral("/IconType"), static_cast<int>(group.IconType()));
    fSettings->setValue(key + QStringLiteral("/ItemCount"), group.Items().Count());
    for (int m = 0; m < group.Items().Count(); ++m) {
      const TzbSideBarItem& item = *group.Items()[m];
      const QString k = key + QStringLiteral("/Item") + QString::number(m);
      fSettings->setValue(k + QStringLiteral("/Caption"), ToQString(item.Caption()));
      fSettings->setValue(k + QStringLiteral("/CustomData"), ToQString(item.CustomData));
      fSettings->setValue(k + QStringLiteral("/Hint"), ToQString(item.Hint()));
      fSettings->setValue(k + QStringLiteral("/IsDefault"), item.IsDefault());
      fSettings->setValue(k + QStringLiteral("/LargeImage"), item.LargeImage());
      fSettings->setValue(k + QStringLiteral("/SmallImage"), item.SmallImage());
      fSettings->setValue(k + QStringLiteral("/Tag"), item.Tag);
      if (item.StoredItem()) fSettings->setValue(k + QStringLiteral("/StoredItem"), ToQString(item.StoredItem()->Name));
    }
  }
  fSettings->sync();
  return fSettings->status() == QSettings::NoError;
}

}  // namespace zyn
