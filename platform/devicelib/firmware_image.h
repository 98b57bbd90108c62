// Firmware image format: a 728-byte header, then the payload.
//
//   0x00  4  magic "QXFW"
//   0x04  4  payload length (LE)
//   0x08  4  checksum (FNV-1a over bytes 0x10.. to the end of the payload)
//   0x0C  4  format revision (1)
//   0x10  4  version (LE), high byte major, low byte minor
//   0x14  1  kind: 210 mouse, 211 receiver
//   0x15  1  customer id
//   0x16  1  model id
//   0x57 64  model name, NUL-padded
//   0x2D8    payload
//
// The program reads only the fields from 0x10 on; the first 16 bytes let the
// library find the image's length and reject damaged files.
#ifndef DEVICELIB_FIRMWARE_IMAGE_H
#define DEVICELIB_FIRMWARE_IMAGE_H

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace FirmwareImage {

enum : int {
    HeaderSize = 728,
    VersionOffset = 0x10,
    KindOffset = 0x14,
    CidOffset = 0x15,
    MidOffset = 0x16,
    NameOffset = 0x57,
    NameSize = 64,
    MaxPayload = 1 << 20,
    KindMouse = 210,
    KindReceiver = 211
};

struct Header {
    uint32_t version = 0;
    uint8_t kind = 0;
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray name; // up to the first NUL
    uint32_t payloadLength = 0;
};

QByteArray build(uint8_t kind, uint8_t cid, uint8_t mid, const QByteArray& name, uint32_t version,
                 const QByteArray& payload);

// Reads and checks an image of `available` bytes: the magic is checked
// before the length is trusted, the header and the payload it declares must
// lie within the bytes, and the payload must match its checksum.
bool parse(const unsigned char* image, std::size_t available, Header* header);
// The same for an image of unknown length, as the library's callers hand it
// over: the buffer must hold the header and the payload it declares.
bool parse(const unsigned char* image, Header* header);

} // namespace FirmwareImage

#endif // DEVICELIB_FIRMWARE_IMAGE_H
