// Firmware images in the folder "bin" beside the program: the header the
// program reads, and the searches that pick an image for a device.
//
// A search visits the regular, non-hidden "*.bin" files in name order (both
// without regard to case) and reads only their headers; a header is read
// again only when its file changed. A file counts as an image when it starts
// with the image tag and holds at least the header and the payload the header
// declares; other files, short ones and unreadable ones are passed over. An
// image matches when its kind, customer id, model id and model name equal the
// arguments.
//
// Of the matching images of a wanted version the search takes the last in
// name order:
// - FindFirmwareFile / HasFirmwareFile: an image whose version differs from
//   the device's, older or newer; version texts that read as decimal numbers
//   are the same version when the numbers are equal ("1.50" and "1.5",
//   "1.10" and "1.1"). With no device version (empty text) any matching
//   image (HasFirmwareFile then answers false at once);
// - FindRepairFirmwareFile: an image whose version text differs from the
//   device's (the repair engine passes no version, so any matching image).
// Only the chosen file is read whole.
//
// The searches may run on any thread (the repair engine searches from the
// library's upgrade callback); each list is written by its own engine only.
#ifndef FIRMWARE_IMAGES_H
#define FIRMWARE_IMAGES_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

enum : int {
    FirmwareKindMouse = 210,
    FirmwareKindReceiver = 211,
    FirmwareHeaderSize = 728
};

// The fields of the 728-byte header that the program reads.
struct FirmwareHeader {
    uint32_t payloadLength = 0; // 0x04, little-endian: bytes after the header
    uint32_t version = 0;       // 0x10, little-endian
    uint8_t kind = 0;           // 0x14
    uint8_t cid = 0;            // 0x15
    uint8_t mid = 0;            // 0x16
    QString modelName;          // 0x57, 64 bytes of local 8-bit text, up to the first zero
};

// False for fewer than FirmwareHeaderSize bytes or bytes without the image
// tag. The payload is not looked at: `bytes` may be the header alone.
bool ReadFirmwareHeader(const QByteArray& bytes, FirmwareHeader* header);

// The number of a version text: "v1.a" and "1.a" give 0x010A (major decimal,
// minor hexadecimal up to ff, every lower-case "v" ignored); -1 for a text
// that is no version. The reverse of VersionText (device_all_info.h).
int64_t VersionNumber(const QString& text);

// Whether an image of `version` is an update for a device that reports
// `currentVersion` ("v1.2"; "" none): any image for no version, else one of
// another version, where texts that read as decimal numbers are compared as
// numbers ("1.50" is "1.5", "1.10" is "1.1"); a hexadecimal minor part ("1.a")
// is the same only as the same text.
bool IsUpdateVersion(uint32_t version, const QString& currentVersion);

// Filled by FindFirmwareFile; read by the update run and its callback.
extern QList<QByteArray> g_firmwareImages;
// Filled by FindRepairFirmwareFile; read by the repair engine.
extern QList<QByteArray> g_repairImages;

// AppFolder() + "/bin".
QString FirmwareFolder();

// Empties g_firmwareImages; on true the chosen image (the whole file) is its
// only entry. currentVersion is the device's version text ("v1.2", "" none).
bool FindFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                      uint8_t mid);
// The same question, keeping nothing; false at once for an empty version.
bool HasFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                     uint8_t mid);
// Empties g_repairImages and chooses the last image of another version text
// than currentVersion ("" any) into it. currentVersion loses every "v"
// (callers read the text back).
bool FindRepairFirmwareFile(uint8_t kind, QString& currentVersion, const QString& modelName, uint8_t cid,
                            uint8_t mid);

// The catalogue key of the receiver model name for receiver class 1, 2, 4 or
// 8 ("DM", "D2M", "D4M", "D8M"); empty for any other class.
QString ReceiverModelKeyOfClass(int receiverClass);

// Whether an image in FirmwareFolder() differs from the version of the
// current device's mouse (kind 210) or of its receiver (211). The model name
// comes from the current device's catalogue group. False for a receiver
// class other than 1, 2, 4 or 8 (whatever the kind) and for an empty version.
bool CheckFirmwareUpdate(int kind, const QString& versionText, int receiverClass);

// Option/CID of Config.ini as CheckFirmwareUpdate (or an update run) last
// read it. User-interface thread.
extern int g_firmwareCid;

#endif // FIRMWARE_IMAGES_H
