// Cached device images, one file per customer id and model id in the
// per-user folder "Device_Info".
//
// A cache file is what QDataStream writes for one byte array: the length
// 10428 as a big-endian 32-bit number (00 00 28 BC), then the image bytes,
// 10432 bytes in all.
#ifndef DEVICE_CACHE_H
#define DEVICE_CACHE_H

#include "flash_data_map.h"

#include <QString>

#include <cstdint>

// "Device_CID" + two upper-case hex digits + "_MID" + two hex digits + ".bin",
// e.g. customer id 0x05 and model id 0x1A give "Device_CID05_MID1A.bin".
QString DeviceCacheName(uint8_t cid, uint8_t mid);

// g_cacheNameOnDump, the cache file of the device whose image g_deviceImage
// holds; it changes with the image, under g_deviceImageMutex.
QString CacheNameOnDump();

// Writes g_deviceImage into its device's cache file when it is the opened
// device's own dump (taken with its name under the image lock); false when
// it is not, or nothing was written.
bool SaveDeviceImageToCache();

// The full path of a cache file: per-user folder + "/Device_Info/" + name.
QString DeviceCachePath(const QString& fileName);

// True when the file holds exactly one stored image; the image is then
// replaced by it. A missing, short, long or foreign file gives false and
// leaves the image untouched.
bool ReadDeviceCache(const QString& fileName, FlashDataMap& image);

// Replaces the file as a whole: a crash or a failed write leaves the previous
// file as it was. False when nothing was written (no name, no folder).
bool WriteDeviceCache(const QString& fileName, FlashDataMap image);

#endif // DEVICE_CACHE_H
