#include "registry_values.h"

#include "app_state.h"
#include "config_store.h"
#include "device_all_info.h"
#include "user_setting_store.h"

#include <native_settings.h>

#include <QCoreApplication>

namespace {
const QString kSoftwareKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\");
}

QString ApplicationKeyPath()
{
    return kSoftwareKey + g_appName + QLatin1Char('\\') + g_appName + QLatin1Char('\\') + g_appName;
}

QString FirmwareStateKeyPath()
{
    return kSoftwareKey + g_appName + QLatin1Char('\\') + g_appName + QStringLiteral("\\Mouse Drive Test");
}

QString StartWithSystemKeyPath()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

void MigrateLanguageIndex()
{
    NativeSettings registry(ApplicationKeyPath());
    const int index = registry.Value(QStringLiteral("LanguageIndex"), 0).toInt();
    if (index != 0) {
        UserSettingStore::Instance()->SetValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                               QString::number(index));
    }
    registry.Remove(QStringLiteral("LanguageIndex"));
}

QString UpdateFailInfo()
{
    return NativeSettings(FirmwareStateKeyPath()).Value(QStringLiteral("UpdateFailInfo")).toString();
}

UpdateFailRecord ParseUpdateFailInfo(const QString& text)
{
    UpdateFailRecord record;
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return record;
    record.complete = true;
    record.kind = parts.at(0).toInt();
    record.classText = parts.at(1);
    record.cid = parts.at(2).toInt();
    record.mid = parts.at(3).toInt();
    return record;
}

void SetUpdateFailInfo(int kind, int receiverClass, int cid, int mid)
{
    const QString text = QStringLiteral("%1,%2,%3,%4").arg(kind).arg(receiverClass).arg(cid).arg(mid);
    NativeSettings(FirmwareStateKeyPath()).SetValue(QStringLiteral("UpdateFailInfo"), text);
}

void RemoveUpdateFailInfo()
{
    NativeSettings(FirmwareStateKeyPath()).Remove(QStringLiteral("UpdateFailInfo"));
}

QString MouseVersionValueName(int modelIndex)
{
    ConfigStore* config = ConfigStore::Instance();
    return QStringLiteral("MouseVer") + config->Value(QStringLiteral("Option"), QStringLiteral("CID"))
        + config->Value(ConfigStore::ModelGroup(modelIndex), QStringLiteral("MID"));
}

QString StoredMouseVersion(int modelIndex)
{
    return NativeSettings(FirmwareStateKeyPath()).Value(MouseVersionValueName(modelIndex)).toString();
}

void StoreMouseVersion(int modelIndex, const QString& versionText)
{
    NativeSettings(FirmwareStateKeyPath()).SetValue(MouseVersionValueName(modelIndex), versionText);
}

QString StoreMouseFirmwareVersion(int modelIndex, unsigned version)
{
    const QString text = VersionText(version);
    StoreMouseVersion(modelIndex, text);
    return text;
}

void SetStartWithSystem(bool on)
{
    NativeSettings run(StartWithSystemKeyPath());
    const QString name = QCoreApplication::applicationName();
    if (on) {
        QString path = QCoreApplication::applicationFilePath();
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
        run.SetValue(name, path);
    } else {
        run.Remove(name);
    }
}
