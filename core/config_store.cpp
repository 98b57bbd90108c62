#include "config_store.h"

#include "paths.h"

#include <QByteArray>
#include <QMutexLocker>
#include <QSettings>
#include <QTextCodec>

namespace {
QMutex g_configStoreMutex;
ConfigStore* g_configStore = nullptr;

QString SettingsKey(const QString& group, const QString& key)
{
    return group + QLatin1Char('/') + key;
}
} // namespace

ConfigStore* ConfigStore::Instance()
{
    QMutexLocker locker(&g_configStoreMutex);
    if (!g_configStore)
        g_configStore = new ConfigStore(AppFolder() + QStringLiteral("/usersetting/Config.ini"));
    return g_configStore;
}

ConfigStore::ConfigStore(const QString& filePath)
    : m_settings(new QSettings(filePath, QSettings::IniFormat))
    , m_path(filePath)
{
    // Values are parsed lazily, so the codec applies to every later read.
    m_settings->setIniCodec("UTF8");
}

ConfigStore::~ConfigStore() = default;

bool ConfigStore::IsIdentityKey(const QString& key)
{
    static const QStringList identityKeys = {
        QStringLiteral("MM"), QStringLiteral("DM"), QStringLiteral("D2M"), QStringLiteral("D4M"),
        QStringLiteral("D8M"), QStringLiteral("Sensor"), QStringLiteral("CID"), QStringLiteral("VID"),
        QStringLiteral("USB_PID"), QStringLiteral("Wireless_PID"), QStringLiteral("Wireless2_PID"),
        QStringLiteral("Wireless4_PID"), QStringLiteral("Wireless8_PID")};
    return identityKeys.contains(key);
}

QString ConfigStore::DecodeIdentity(const QString& stored)
{
    QString text = QString::fromUtf8(QByteArray::fromBase64(stored.toUtf8()));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

QString ConfigStore::DecodeBase64(const QString& text)
{
    return QString::fromLocal8Bit(QByteArray::fromBase64(text.toLocal8Bit()));
}

QString ConfigStore::Value(const QString& group, const QString& key) const
{
    QMutexLocker locker(&m_accessMutex);
    const QString stored = m_settings->value(SettingsKey(group, key)).toString();
    if (m_decodeIdentityKeys == 1 && IsIdentityKey(key))
        return DecodeIdentity(stored);
    return stored;
}

QStringList ConfigStore::ValueList(const QString& group, const QString& key) const
{
    QMutexLocker locker(&m_accessMutex);
    QStringList items = m_settings->value(SettingsKey(group, key)).toStringList();
    if (m_decodeIdentityKeys == 1 && IsIdentityKey(key)) {
        for (QString& item : items)
            item = DecodeIdentity(item);
    }
    return items;
}

int ConfigStore::IntValue(const QString& group, const QString& key) const
{
    return Value(group, key).toInt();
}

void ConfigStore::RemoveKey(const QString& group, const QString& key)
{
    QMutexLocker locker(&m_accessMutex);
    m_settings->remove(SettingsKey(group, key));
}

void ConfigStore::SetValue(const QString& group, const QString& key, const QString& value)
{
    QMutexLocker locker(&m_accessMutex);
    m_settings->setValue(SettingsKey(group, key), value);
}

QString ConfigStore::ModelGroup(int modelIndex)
{
    return QStringLiteral("Drive") + QString::number(modelIndex + 1);
}

QString ConfigStore::ColorText(const QString& key, const QString& fallback) const
{
    const QStringList items = ValueList(QStringLiteral("Option"), key);
    if (items.size() < 3)
        return fallback;
    return items.mid(0, 3).join(QLatin1Char(','));
}
