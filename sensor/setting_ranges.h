// The values the pages offer for each setting of the device image, kept in
// one place: the selectors take their choices from these tables, and an
// image read from a file is held against the same tables before it may reach
// the mouse. Per-model limits come from the catalogue, as the pages read it.
#ifndef SETTING_RANGES_H
#define SETTING_RANGES_H

#include "flash_data_map.h"

#include <QString>

#include <array>
#include <cstddef>

namespace SettingRanges {

// The position of value in table; -1 when it is not there.
template <std::size_t N>
constexpr int IndexIn(const int (&table)[N], int value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == value)
            return int(i);
    }
    return -1;
}

// The entry at index; -1 outside the table.
template <std::size_t N>
constexpr int EntryAt(const int (&table)[N], int index)
{
    return index >= 0 && index < int(N) ? table[index] : -1;
}

template <std::size_t N>
constexpr bool Holds(const int (&table)[N], int value)
{
    return IndexIn(table, value) >= 0;
}

// What stands for value in entries, which follow the table's order; none
// when value is not in the table.
template <class T, std::size_t N>
T EntryFor(const int (&table)[N], int value, const std::array<T, N>& entries, T none = T())
{
    const int index = IndexIn(table, value);
    return index < 0 ? none : entries[std::size_t(index)];
}

// --- sensor page ------------------------------------------------------------------

// Polling rate, byte 0x00: the device code of each rate level, 125, 250,
// 500, 1000, 2000, 4000 and 8000 Hz.
inline constexpr int kRateCodes[] = {0x08, 0x04, 0x02, 0x01, 0x10, 0x20, 0x40};

// Lift-off distance, byte 0x05, by item of the lift-off combo: "1mm" and
// "2mm", and for the sensor that offers it "0.7mm" in front.
inline constexpr int kLiftOffCodes[] = {1, 2};
inline constexpr int kLiftOffCodesWithSmall[] = {3, 1, 2};
// True for the sensor whose combo has the 0.7 mm item.
bool OffersSmallLiftOff(const QString& sensor);

// Sensor mode, byte 0x0E: the items of the mode choice that are stored,
// "LP" and "HP". Its third item, "Corded", follows the connection and is
// never written.
enum SensorModeItem : int { LowPowerMode = 0, HighPerformanceMode = 1, CordedItem = 2 };
constexpr bool IsStoredSensorMode(int mode)
{
    return mode == LowPowerMode || mode == HighPerformanceMode;
}

// Performance time, byte 0x0D in units of 10 s, by item of its combo (30 s
// to 15 min). A mouse that never had a time chosen holds 0, and the combo
// then keeps its selection.
inline constexpr int kPerformanceTimes[] = {3, 6, 12, 30, 60, 90};
constexpr int kPerformanceTimeNotChosen = 0;

// The on/off switches (performance mode, ripple control, angle snapping,
// motion sync) write 0 or 1.
constexpr bool IsSwitchValue(int value)
{
    return value == 0 || value == 1;
}

// DPI light, bytes 0x3F-0x42: mode 1 steady or 2 breathing (byte 0x42 off
// 0 / on 1), breathing speed 1-5, brightness levels 1-10 stored as these
// bytes.
inline constexpr int kDpiLedModes[] = {1, 2};
constexpr int kDpiLedSpeedMinimum = 1;
constexpr int kDpiLedSpeedMaximum = 5;
inline constexpr int kDpiLedBrightnessBytes[] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};
constexpr int kDpiLedLevelMinimum = 1;
constexpr int kDpiLedLevelMaximum = 10;
// Byte of a level (levels outside 1-10 taken as the nearest).
int DpiLedBrightnessByte(int level);
// Level of a byte; a byte outside the table is taken as the level itself
// (the factory stores small levels so).
int DpiLedBrightnessLevel(int byte);

// --- button page and settings page --------------------------------------------------

// Debounce time, byte 0x06: 0 to 20 ms, the item index of its combo.
constexpr int kDebounceMaxMs = 20;

// Idle light-off time, byte 0x08 in units of 10 s, by item of its combo
// (10 s to 40 min).
inline constexpr int kLightOffTimes[] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};

// Button functions: type byte 0-11, and the first parameters the function
// menus write for the types that name an item by it.
constexpr int kKeyFunctionTypes = 12;
inline constexpr int kMouseButtonCodes[] = {1, 2, 4, 8, 16}; // left, right, middle, back, forward
inline constexpr int kDpiSwitchCodes[] = {1, 2, 3};          // cycle, up, down
inline constexpr int kTiltCodes[] = {1, 2};                  // left, right
inline constexpr int kLightsCodes[] = {0, 1, 3, 4};          // all, DPI light, strip, strip effect
inline constexpr int kWheelCodes[] = {1, 2};                 // up, down
// Fire key: interval between shots and shot count (0: while held).
constexpr int kFireIntervalMinimum = 10;
constexpr int kFireIntervalMaximum = 255;
constexpr int kFireCountMaximum = 3;
// The DPI values of the DPI-lock list.
inline constexpr int kDpiLockValues[] = {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200};
// The consumer usages of the multimedia list, in list order; a key record
// names one by its low byte.
inline constexpr int kMediaUsages[] = {0x0183, 0x00CD, 0x00B5, 0x00B6, 0x00B7, 0x00E2, 0x00E9, 0x00EA, 0x018A,
                                       0x0192, 0x0194, 0x0223, 0x0221, 0x0225, 0x0224, 0x0226, 0x0227, 0x022A};
// The row of a usage's low byte in the multimedia list; -1 for none.
int MediaRowOfLowByte(int lowByte);

// --- the selected model ----------------------------------------------------------------

// Stage count limit of a DPIMaxGrade: the image holds eight stage records.
int StageLimit(int dpiMaxGrade);
// Buttons of a KeyNumber: the image holds sixteen function records.
int ButtonLimit(int keyNumber);

// What the catalogue says about one model.
struct ModelRanges {
    QString sensor;       // Sensor key
    int maxStages = 0;    // DPIMaxGrade, within 0-8
    bool hasDpiRange = false;
    int dpiMinimum = 0;   // first segment's minimum of DPIRange
    int dpiMaximum = 0;   // last segment's maximum
    int buttons = 0;      // KeyNumber, within 0-16
};
ModelRanges ModelRangesOf(int modelIndex);

} // namespace SettingRanges

#endif // SETTING_RANGES_H
