#include "device_finder.h"

#include "config_store.h"
#include "device_all_info.h"

#include <devicelib.h>

QStringList ConfiguredProductIds()
{
    QStringList ids;
    for (const char* key : {"USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"}) {
        for (const QString& id : ConfigStore::Instance()->ValueList(QStringLiteral("Option"), QLatin1String(key))) {
            if (!id.isEmpty())
                ids.append(id);
        }
    }
    return ids;
}

QList<QByteArray> CopyFoundPaths(char** found, int count)
{
    QList<QByteArray> paths;
    if (!found)
        return paths;
    const int usable = qBound(0, count, kFinderCapacity);
    for (int i = 0; i < usable; ++i) {
        if (found[i])
            paths.append(QByteArray(found[i]));
    }
    return paths;
}

DeviceAllInfo FoundDeviceRecord(const QByteArray& path, const QString& vid, const QString& pid)
{
    DeviceAllInfo record;
    record.path = QString::fromUtf8(path);
    record.vid = vid;
    record.pid = pid;
    record.version = AttributeVersionText(path);
    record.online = false;
    return record;
}

QString AttributeVersionText(const QByteArray& path)
{
    unsigned char attribute[DEVICELIB_ATTRIBUTE_SIZE] = {};
    UsbFinderC_GetUsbDeviceAttribute(path.constData(), attribute);
    return VersionText(unsigned(attribute[8]) | unsigned(attribute[9]) << 8);
}
