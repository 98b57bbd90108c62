#include "firmware_image.h"

#include <cstdint>
#include <cstring>

namespace FirmwareImage {
namespace {

const char kMagic[4] = {'Q', 'X', 'F', 'W'};
enum : int { LengthOffset = 4, ChecksumOffset = 8, RevisionOffset = 12, ChecksummedFrom = 0x10, Revision = 1 };

uint32_t readLe32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void writeLe32(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

uint32_t fnv1a(const unsigned char* data, std::size_t length)
{
    uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= data[i];
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

QByteArray build(uint8_t kind, uint8_t cid, uint8_t mid, const QByteArray& name, uint32_t version,
                 const QByteArray& payload)
{
    QByteArray image(HeaderSize, '\0');
    char* h = image.data();
    std::memcpy(h, kMagic, 4);
    writeLe32(h + LengthOffset, uint32_t(payload.size()));
    writeLe32(h + RevisionOffset, Revision);
    writeLe32(h + VersionOffset, version);
    h[KindOffset] = char(kind);
    h[CidOffset] = char(cid);
    h[MidOffset] = char(mid);
    std::memcpy(h + NameOffset, name.constData(), std::size_t(qMin(name.size(), int(NameSize))));
    image.append(payload);
    const auto* bytes = reinterpret_cast<const unsigned char*>(image.constData());
    writeLe32(image.data() + ChecksumOffset, fnv1a(bytes + ChecksummedFrom, std::size_t(image.size() - ChecksummedFrom)));
    return image;
}

bool parse(const unsigned char* image, std::size_t available, Header* header)
{
    if (!image || available < std::size_t(HeaderSize) || std::memcmp(image, kMagic, 4) != 0)
        return false;
    const uint32_t payloadLength = readLe32(image + LengthOffset);
    if (payloadLength > uint32_t(MaxPayload))
        return false;
    const std::size_t total = std::size_t(HeaderSize) + payloadLength;
    if (total > available)
        return false;
    if (fnv1a(image + ChecksummedFrom, total - ChecksummedFrom) != readLe32(image + ChecksumOffset))
        return false;
    if (header) {
        header->version = readLe32(image + VersionOffset);
        header->kind = image[KindOffset];
        header->cid = image[CidOffset];
        header->mid = image[MidOffset];
        const auto* name = reinterpret_cast<const char*>(image + NameOffset);
        header->name = QByteArray(name, int(qstrnlen(name, NameSize)));
        header->payloadLength = payloadLength;
    }
    return true;
}

bool parse(const unsigned char* image, Header* header)
{
    return parse(image, SIZE_MAX, header);
}

} // namespace FirmwareImage
