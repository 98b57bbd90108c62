// Helpers around the device library's finder, shared by every scan.
#ifndef DEVICE_FINDER_H
#define DEVICE_FINDER_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The non-empty product ids of the catalogue's cable mouse and 1K, 2K, 4K
// and 8K receivers, in that order.
QStringList ConfiguredProductIds();

// The number of paths every search asks the library for.
constexpr int kFinderCapacity = 5;

// Copies the paths the finder returned: the array belongs to the library and
// is reused by its next search. Counts beyond the capacity and null entries
// are passed over.
QList<QByteArray> CopyFoundPaths(char** found, int count);

// The firmware version text of the USB device at path, from its attribute
// record (bytes 8-9, little-endian).
QString AttributeVersionText(const QByteArray& path);

struct DeviceAllInfo;
// The record of a found path before identification: path, ids of the search
// and the device's version; offline.
DeviceAllInfo FoundDeviceRecord(const QByteArray& path, const QString& vid, const QString& pid);

#endif // DEVICE_FINDER_H
