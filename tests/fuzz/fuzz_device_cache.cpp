// Cached device images in the per-user folder Device_Info.
#include "fuzz_support.h"

#include "device_cache.h"
#include "paths.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::StartProgram(argc, argv);
    QDir().mkpath(UserDataFolder() + QStringLiteral("/Device_Info"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QString name = DeviceCacheName(0x17, 0x01);
    QFile file(DeviceCachePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(reinterpret_cast<const char*>(data), qint64(size));
        file.close();
    }
    FlashDataMap image;
    ReadDeviceCache(name, image);
    return 0;
}
