// The mouse's flash layout and the payloads of its small reports.
//
// Flash dump (6912 bytes):
//   0x000  956 bytes  image bytes 0x000-0x3BB as they are (settings, DPI
//                     stages, light blocks, button functions, key records)
//   0x3BC            the 16 macro blocks in order, each trimmed to its
//                     32-byte head (name length, name, event count) and
//                     min(count, 70) eight-byte events; zero after the last
// An image whose macros do not fit cannot be stored.
#ifndef DEVICELIB_DUMP_CODEC_H
#define DEVICELIB_DUMP_CODEC_H

#include <cstdint>

namespace DumpCodec {

enum : int {
    ImageSize = 10428,
    DumpSize = 6912,
    PlainSize = 0x3BC, // bytes stored unchanged at the start of both
    MacroCount = 16,
    MacroBlockSize = 592,
    MacroHeadSize = 32,
    MacroCountByte = 31,
    MacroEventSize = 8,
    MaxMacroEvents = 70,
    // Image fields the mouse itself changes.
    ReportRateOffset = 0x00,
    StageCountOffset = 0x01,
    CurrentStageOffset = 0x02,
    DpiLedOffset = 0x3F,
    DpiLedSize = 4,
    LedBarOffset = 0x43,
    LedBarSize = 7,
    // Report payloads.
    DpiLedPayloadSize = 8,
    LedBarPayloadSize = 9,
    BatteryPayloadSize = 4,
    StatusPayloadSize = 2
};

// Bytes the dump needs for this image; more than DumpSize means it does not fit.
int encodedSize(const uint8_t* image);
// False (dump untouched) when the image does not fit.
bool encode(const uint8_t* image, uint8_t* dump);
// Fills the whole image; macro blocks that would run past the dump are left empty.
void decode(const uint8_t* dump, uint8_t* image);

// DPI light: byte 0 = 4 (block length), bytes 1-4 the image block, rest 0.
void makeDpiLedPayload(const uint8_t* block, uint8_t* payload);
bool readDpiLedPayload(const uint8_t* payload, int length, uint8_t* block);
// Light bar: byte 0 = 7 (block length), bytes 1-7 the image block, byte 8 = 0.
void makeLedBarPayload(const uint8_t* block, uint8_t* payload);
bool readLedBarPayload(const uint8_t* payload, int length, uint8_t* block);
// Battery: byte 0 percent, byte 1 bit 0 charging, bytes 2-3 millivolts (LE).
void makeBatteryPayload(int percent, bool charging, uint8_t* payload);
bool readBatteryPayload(const uint8_t* payload, int length, uint8_t* battery4);
// Status: 16 flag bits (LE); bit n is status byte n.
void makeStatusPayload(int flagBits, uint8_t* payload);
bool readStatusPayload(const uint8_t* payload, int length, uint8_t* flags7);

} // namespace DumpCodec

#endif // DEVICELIB_DUMP_CODEC_H
