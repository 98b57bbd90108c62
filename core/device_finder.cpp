#include "device_finder.h"

#include "device_all_info.h"

#include <devicelib.h>

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
