// The device image: the whole configuration of one mouse as one 10428-byte
// block. Its byte layout is a file format (cache files, export files) and the
// unit the device library sends, so every offset below is fixed.
#ifndef FLASH_DATA_MAP_H
#define FLASH_DATA_MAP_H

#include <cstddef>
#include <cstdint>

// One DPI stage: X code, Y code (always written equal), code flags, colour.
struct DPIStage {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t flags = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

struct FlashDataMap {
    enum : int {
        Size = 10428,
        StageCount = 8,
        ButtonCount = 16,
        KeyFunctionSize = 3,
        KeyEventRecordSize = 52,
        MacroBlockSize = 592
    };

    uint8_t reportRate = 0;          // 0x00 polling-rate code
    uint8_t dpiStageCount = 0;       // 0x01 stages in use
    uint8_t currentDpiStage = 0;     // 0x02
    uint8_t byte3 = 0;               // 0x03 unknown meaning
    uint8_t byte4 = 0;               // 0x04 unknown meaning
    uint8_t liftOffDistance = 0;     // 0x05 1 = 1 mm, 2 = 2 mm, 3 = 0.7 mm
    uint8_t debounceTime = 0;        // 0x06 ms
    uint8_t motionSync = 0;          // 0x07
    uint8_t lightOffTime = 0;        // 0x08 units of 10 s
    uint8_t straightLine = 0;        // 0x09 angle snapping
    uint8_t rippleControl = 0;       // 0x0A
    uint8_t lightOffWhileMoving = 0; // 0x0B
    uint8_t performanceMode = 0;     // 0x0C
    uint8_t performanceTime = 0;     // 0x0D
    uint8_t sensorMode = 0;          // 0x0E
    DPIStage dpiStages[StageCount];  // 0x0F
    uint8_t dpiLed[4] = {};          // 0x3F mode, brightness, speed, enabled
    uint8_t ledBar[7] = {};          // 0x43 mode, red, green, blue, speed, brightness, enabled
    uint8_t keyFunctions[ButtonCount][KeyFunctionSize] = {};      // 0x4A
    uint8_t reserved7A[2] = {};                                    // 0x7A unknown meaning
    uint8_t keyEvents[ButtonCount][KeyEventRecordSize] = {};      // 0x7C
    uint8_t macroBlocks[ButtonCount][MacroBlockSize] = {};        // 0x3BC

    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(this); }
    uint8_t& at(std::size_t offset) { return bytes()[offset]; }
    uint8_t at(std::size_t offset) const { return bytes()[offset]; }
};

// Offsets of the fields, as bytes of the image.
namespace ImageOffset {
enum : std::size_t {
    ReportRate = 0x00,
    DpiStageCount = 0x01,
    CurrentDpiStage = 0x02,
    LiftOffDistance = 0x05,
    DebounceTime = 0x06,
    MotionSync = 0x07,
    LightOffTime = 0x08,
    StraightLine = 0x09,
    RippleControl = 0x0A,
    LightOffWhileMoving = 0x0B,
    PerformanceMode = 0x0C,
    PerformanceTime = 0x0D,
    SensorMode = 0x0E,
    DpiStages = 0x0F,
    DpiLed = 0x3F,
    DpiLedEnabled = 0x42,
    LedBar = 0x43,
    LedBarEnabled = 0x49,
    KeyFunctions = 0x4A,
    KeyEvents = 0x7C,
    MacroBlocks = 0x3BC
};
}

static_assert(sizeof(DPIStage) == 6, "DPIStage is a 6-byte record");
static_assert(sizeof(FlashDataMap) == FlashDataMap::Size, "FlashDataMap is the 10428-byte device image");
static_assert(offsetof(FlashDataMap, dpiStages) == ImageOffset::DpiStages, "stage records at 0x0F");
static_assert(offsetof(FlashDataMap, dpiLed) == ImageOffset::DpiLed, "DPI light block at 0x3F");
static_assert(offsetof(FlashDataMap, ledBar) == ImageOffset::LedBar, "light bar block at 0x43");
static_assert(offsetof(FlashDataMap, keyFunctions) == ImageOffset::KeyFunctions, "key functions at 0x4A");
static_assert(offsetof(FlashDataMap, keyEvents) == ImageOffset::KeyEvents, "key records at 0x7C");
static_assert(offsetof(FlashDataMap, macroBlocks) == ImageOffset::MacroBlocks, "macro blocks at 0x3BC");

// The 10-byte light record of a 4K receiver; byte 0 is the light mode (1-3),
// the rest belongs to the device library and is passed back unchanged.
struct DongleRGB {
    uint8_t bytes[10] = {};
};
static_assert(sizeof(DongleRGB) == 10, "DongleRGB is a 10-byte record");

#endif // FLASH_DATA_MAP_H
