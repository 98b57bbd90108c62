// Firmware images in the folder "bin" beside the program: the header fields
// the program reads and the search that picks an image for a device.
//
// A search visits the regular, non-hidden "*.bin" files in name order (both
// without regard to case). A file matches when its kind, customer id, model
// id and model name equal the arguments; a matching file counts when its
// version text differs from the device's (an update or a downgrade alike).
//
// The settings page's wrappers that keep the chosen image
// (FindFirmwareFile, FindRepairFirmwareFile) are in settings/firmware_images.h.
#ifndef FIRMWARE_SEARCH_H
#define FIRMWARE_SEARCH_H

#include <QByteArray>
#include <QString>

#include <cstdint>

enum : int {
    FirmwareKindMouse = 210,
    FirmwareKindReceiver = 211,
    FirmwareHeaderSize = 728
};

// The fields of the 728-byte header that the program reads.
struct FirmwareHeader {
    uint32_t version = 0; // 0x10, little-endian
    uint8_t kind = 0;     // 0x14
    uint8_t cid = 0;      // 0x15
    uint8_t mid = 0;      // 0x16
    QString modelName;    // 0x57, 64 bytes of local 8-bit text, up to the first zero
};

// False for an image shorter than the header.
bool ParseFirmwareHeader(const QByteArray& image, FirmwareHeader* header);

enum class FirmwareSearchRule {
    // FindFirmwareFile / HasFirmwareFile: a matching file whose version reads
    // as the same number as the device's ("1.10" and "1.1") ends the search.
    Update,
    // FindRepairFirmwareFile: no such stop.
    Repair
};

struct FirmwareSearchResult {
    bool found = false;
    // The last chosen file's bytes when the search was asked to keep them. A
    // search that ends on a file it cannot open answers false but still
    // hands back what it had chosen before.
    QByteArray image;
};

// The search over one folder. currentVersion is the device's version text
// ("v1.2"; "" when the device reports none).
FirmwareSearchResult SearchFirmwareImages(const QString& folder, FirmwareSearchRule rule, uint8_t kind,
                                          const QString& currentVersion, const QString& modelName, uint8_t cid,
                                          uint8_t mid, bool keepImage);

// AppFolder() + "/bin".
QString FirmwareFolder();

// The update rule over FirmwareFolder(), keeping nothing; false at once for an
// empty version.
bool HasFirmwareFile(uint8_t kind, const QString& currentVersion, const QString& modelName, uint8_t cid,
                     uint8_t mid);

// The catalogue key of the receiver model name for receiver class 1, 2, 4 or
// 8 ("DM", "D2M", "D4M", "D8M"); empty for any other class.
QString ReceiverModelKeyOfClass(int receiverClass);

// Whether an image in FirmwareFolder() differs from the version of the
// current device's mouse (kind 210) or of its receiver (211, receiver class
// 1, 2, 4 or 8). The model name comes from the current device's catalogue
// group; false for another class or an empty version.
bool CheckFirmwareUpdate(int kind, const QString& versionText, int receiverClass);

// Option/CID of Config.ini as CheckFirmwareUpdate (or an update run) last
// read it. User-interface thread.
extern int g_firmwareCid;

#endif // FIRMWARE_SEARCH_H
