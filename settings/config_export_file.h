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

// The sensor name as the file stores it: its UTF-8 bytes cut to the field
// at a character boundary. Readers compare a file's name with this form of
// the model's name, so a long name still matches its own exports.
QString StoredSensorName(const QString& sensorName);

QByteArray Encode(const QString& sensorName, const FlashDataMap& image);

// Replaces the file at path with an export file, or leaves what was there
// untouched when any part of the write fails.
bool Write(const QString& path, const QString& sensorName, const FlashDataMap& image);

struct Contents {
    QString tag;
    QString sensorName;
    QByteArray image; // as stored: any length, empty when the file ends inside it
    bool complete = false; // all three arrays were read in full
};

// The three arrays of an export file; a file that ends early leaves the
// arrays it did not complete empty.
Contents Decode(const QByteArray& bytes);

} // namespace ConfigExportFile

#endif // CONFIG_EXPORT_FILE_H
