#include "device_cache.h"

#include "app_state.h"
#include "mouse_profile.h"
#include "paths.h"

#include <QDataStream>
#include <QFile>
#include <QMutexLocker>
#include <QSaveFile>

#include <cstring>

namespace {

// The length prefix of QDataStream's byte array plus the image.
const qint64 kCacheFileSize = 4 + FlashDataMap::Size;

QString HexByte(uint8_t value)
{
    return QStringLiteral("%1").arg(static_cast<uint>(value), 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString DeviceCacheName(uint8_t cid, uint8_t mid)
{
    return QStringLiteral("Device_CID") + HexByte(cid) + QStringLiteral("_MID") + HexByte(mid)
        + QStringLiteral(".bin");
}

QString CacheNameOnDump()
{
    QMutexLocker locker(&g_deviceImageMutex);
    return g_cacheNameOnDump;
}

bool SaveDeviceImageToCache()
{
    FlashDataMap image;
    QString name;
    {
        QMutexLocker locker(&g_deviceImageMutex);
        if (!MouseProfile::ImageIsOwnDump())
            return false;
        image = g_deviceImage;
        name = g_cacheNameOnDump;
    }
    return WriteDeviceCache(name, image);
}

QString DeviceCachePath(const QString& fileName)
{
    return UserDataFolder() + QStringLiteral("/Device_Info/") + fileName;
}

bool ReadDeviceCache(const QString& fileName, FlashDataMap& image)
{
    if (fileName.isEmpty())
        return false;
    QFile file(DeviceCachePath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() != kCacheFileSize)
        return false;
    QDataStream in(&file);
    QByteArray bytes;
    in >> bytes;
    // Anything else was not written by us: never copy more or less than an image.
    if (in.status() != QDataStream::Ok || bytes.size() != FlashDataMap::Size)
        return false;
    std::memcpy(image.bytes(), bytes.constData(), FlashDataMap::Size);
    return true;
}

bool WriteDeviceCache(const QString& fileName, FlashDataMap image)
{
    if (fileName.isEmpty())
        return false;
    QSaveFile file(DeviceCachePath(fileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out << QByteArray(reinterpret_cast<const char*>(image.bytes()), FlashDataMap::Size);
    if (out.status() != QDataStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
