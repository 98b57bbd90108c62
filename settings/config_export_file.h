// Configuration export files: three byte arrays as QDataStream writes them
// (big-endian 32-bit length, then the bytes):
//
//   offset  0  u32 12     tag "Pelvo", NUL-filled to 12 bytes
//   offset 16  u32 12     sensor name (UTF-8, at most 12 bytes, NUL-filled)
//   offset 36  u32 10428  the device image
//
// 10464 bytes in all. Readers take each text up to its first NUL and do not
// require the 12-byte fields.
#ifndef CONFIG_EXPORT_FILE_H
#define CONFIG_EXPORT_FILE_H

#include "flash_data_map.h"

#include <QByteArray>
#include <QString>

namespace ConfigExportFile {

extern const char kTag[]; // "Pelvo"
enum : int { TextFieldSize = 12, FileSize = 10464 };

QByteArray Encode(const QString& sensorName, const FlashDataMap& image);

struct Contents {
    QString tag;
    QString sensorName;
    QByteArray image; // as stored: any length, empty when the file ends inside it
};

// The three arrays of an export file; a file that ends early leaves the
// arrays it did not complete empty.
Contents Decode(const QByteArray& bytes);

} // namespace ConfigExportFile

#endif // CONFIG_EXPORT_FILE_H
