#include "native_settings.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>

namespace {
QMutex g_rootMutex;
QString g_rootFolder;

const char* const kStoreFile = "/Quorix One/Registry.ini";
} // namespace

NativeSettings::NativeSettings(const QString& keyPath)
    : m_keyPath(keyPath)
{
}

QString NativeSettings::FilePath()
{
    QMutexLocker locker(&g_rootMutex);
    const QString root = g_rootFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : g_rootFolder;
    return root + QLatin1String(kStoreFile);
}

void NativeSettings::SetRootFolder(const QString& folder)
{
    QMutexLocker locker(&g_rootMutex);
    g_rootFolder = folder;
}

// The key path's backslashes become the ini file's group separators, so each
// registry key is one group and each value one key inside it.
QString NativeSettings::SettingsKey(const QString& name) const
{
    QString key = m_keyPath;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key + QLatin1Char('/') + name;
}

QVariant NativeSettings::Value(const QString& name, const QVariant& defaultValue) const
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(SettingsKey(name), defaultValue);
}

void NativeSettings::SetValue(const QString& name, const QVariant& value)
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.setValue(SettingsKey(name), value);
}

void NativeSettings::Remove(const QString& name)
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.remove(SettingsKey(name));
}

bool NativeSettings::Contains(const QString& name) const
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.contains(SettingsKey(name));
}
