#include "dump_codec.h"

#include <algorithm>
#include <cstring>

namespace DumpCodec {
namespace {

int storedEvents(const uint8_t* head)
{
    return std::min(int(head[MacroCountByte]), int(MaxMacroEvents));
}

} // namespace

int encodedSize(const uint8_t* image)
{
    int size = PlainSize;
    for (int i = 0; i < MacroCount; ++i)
        size += MacroHeadSize + storedEvents(image + PlainSize + i * MacroBlockSize) * MacroEventSize;
    return size;
}

bool encode(const uint8_t* image, uint8_t* dump)
{
    if (encodedSize(image) > DumpSize)
        return false;
    std::memset(dump, 0, DumpSize);
    std::memcpy(dump, image, PlainSize);
    uint8_t* out = dump + PlainSize;
    for (int i = 0; i < MacroCount; ++i) {
        const uint8_t* block = image + PlainSize + i * MacroBlockSize;
        const int length = MacroHeadSize + storedEvents(block) * MacroEventSize;
        std::memcpy(out, block, std::size_t(length));
        out += length;
    }
    return true;
}

void decode(const uint8_t* dump, uint8_t* image)
{
    std::memset(image, 0, ImageSize);
    std::memcpy(image, dump, PlainSize);
    const uint8_t* in = dump + PlainSize;
    const uint8_t* end = dump + DumpSize;
    for (int i = 0; i < MacroCount; ++i) {
        if (end - in < MacroHeadSize)
            return;
        const int length = MacroHeadSize + storedEvents(in) * MacroEventSize;
        if (end - in < length)
            return;
        std::memcpy(image + PlainSize + i * MacroBlockSize, in, std::size_t(length));
        in += length;
    }
}

void makeDpiLedPayload(const uint8_t* block, uint8_t* payload)
{
    std::memset(payload, 0, DpiLedPayloadSize);
    payload[0] = DpiLedSize;
    std::memcpy(payload + 1, block, DpiLedSize);
}

bool readDpiLedPayload(const uint8_t* payload, int length, uint8_t* block)
{
    if (!payload || !block || length < DpiLedPayloadSize || payload[0] != DpiLedSize)
        return false;
    std::memcpy(block, payload + 1, DpiLedSize);
    return true;
}

void makeLedBarPayload(const uint8_t* block, uint8_t* payload)
{
    std::memset(payload, 0, LedBarPayloadSize);
    payload[0] = LedBarSize;
    std::memcpy(payload + 1, block, LedBarSize);
}

bool readLedBarPayload(const uint8_t* payload, int length, uint8_t* block)
{
    if (!payload || !block || length < LedBarPayloadSize || payload[0] != LedBarSize)
        return false;
    std::memcpy(block, payload + 1, LedBarSize);
    return true;
}

void makeBatteryPayload(int percent, bool charging, uint8_t* payload)
{
    const int clamped = std::clamp(percent, 0, 100);
    // A single cell: 3.4 V empty to 4.2 V full.
    const int millivolts = 3400 + clamped * 8;
    payload[0] = uint8_t(clamped);
    payload[1] = charging ? 1 : 0;
    payload[2] = uint8_t(millivolts & 0xFF);
    payload[3] = uint8_t(millivolts >> 8);
}

bool readBatteryPayload(const uint8_t* payload, int length, uint8_t* battery4)
{
    if (!payload || !battery4 || length < BatteryPayloadSize)
        return false;
    battery4[0] = std::min<uint8_t>(payload[0], 100);
    battery4[1] = payload[1] & 1;
    battery4[2] = payload[2];
    battery4[3] = payload[3];
    return true;
}

void makeStatusPayload(int flagBits, uint8_t* payload)
{
    payload[0] = uint8_t(flagBits & 0xFF);
    payload[1] = uint8_t((flagBits >> 8) & 0xFF);
}

bool readStatusPayload(const uint8_t* payload, int length, uint8_t* flags7)
{
    if (!payload || !flags7 || length < StatusPayloadSize)
        return false;
    const int bits = payload[0] | payload[1] << 8;
    for (int i = 0; i < 7; ++i)
        flags7[i] = (bits >> i) & 1;
    return true;
}

} // namespace DumpCodec
