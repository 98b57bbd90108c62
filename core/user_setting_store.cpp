#include "user_setting_store.h"

#include "paths.h"

#include <QMutexLocker>
#include <QSettings>
#include <QTextCodec>

namespace {
QMutex g_userSettingStoreMutex;
UserSettingStore* g_userSettingStore = nullptr;

QString SettingsKey(const QString& group, const QString& key)
{
    return group + QLatin1Char('/') + key;
}
} // namespace

UserSettingStore* UserSettingStore::Instance()
{
    QMutexLocker locker(&g_userSettingStoreMutex);
    if (!g_userSettingStore)
        g_userSettingStore = new UserSettingStore(UserDataFolder() + QStringLiteral("/Macro.ini"));
    return g_userSettingStore;
}

UserSettingStore::UserSettingStore(const QString& filePath)
    : m_settings(new QSettings(filePath, QSettings::IniFormat))
    , m_path(filePath)
{
    m_settings->setIniCodec("UTF-8");
}

UserSettingStore::~UserSettingStore() = default;

QString UserSettingStore::Value(const QString& group, const QString& key) const
{
    QMutexLocker locker(&m_accessMutex);
    return m_settings->value(SettingsKey(group, key)).toString();
}

void UserSettingStore::SetValue(const QString& group, const QString& key, const QString& value)
{
    QMutexLocker locker(&m_accessMutex);
    m_settings->setValue(SettingsKey(group, key), value);
    // Write through at once: the store lives until the process ends and may
    // never see the event loop again.
    m_settings->sync();
}

QStringList UserSettingStore::ValueList(const QString& group, const QString& key) const
{
    QMutexLocker locker(&m_accessMutex);
    return m_settings->value(SettingsKey(group, key)).toStringList();
}

void UserSettingStore::Remove(const QString& group, const QString& key)
{
    QMutexLocker locker(&m_accessMutex);
    m_settings->remove(SettingsKey(group, key));
    m_settings->sync();
}

int UserSettingStore::LanguageIndex() const
{
    return Value(QStringLiteral("Language"), QStringLiteral("Language")).toInt();
}
