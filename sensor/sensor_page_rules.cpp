#include "sensor_page_rules.h"

#include "device_all_info.h"
#include "sensor_rate.h"
#include "setting_ranges.h"

namespace SensorPageRules {

namespace {

const int kThousandHzLevel = 3;

// 2000 and 4000 Hz: a cable mouse reporting them shows 1000 Hz.
bool IsCableCappedRate(int code)
{
    return code == 16 || code == 32;
}

// Above 1000 Hz (8000 Hz included): the receivers run the sensor "Corded".
bool IsAboveThousand(int code)
{
    return code == 16 || code == 32 || code == 64;
}

// The receivers whose polling rate can go above 1000 Hz.
bool IsFastReceiver(int connectionType)
{
    return ReceiverClassOf(connectionType) > 1;
}

} // namespace

int PerformanceIndexOfTime(int tenSeconds)
{
    return SettingRanges::IndexIn(SettingRanges::kPerformanceTimes, tenSeconds);
}

int PerformanceTimeOfIndex(int index)
{
    return SettingRanges::EntryAt(SettingRanges::kPerformanceTimes, index);
}

int FillRateLevel(int code, bool wired)
{
    const int level = SensorRate::LevelOfCode(code);
    if (level >= 0 && wired && IsCableCappedRate(code))
        return kThousandHzLevel;
    return level;
}

int RateSetOfConnection(int connectionType)
{
    switch (connectionType) {
    case 0:
    case 2: return 0;
    case 1:
    case 3: return 1;
    case 4: return 2;
    case 5: return 3;
    default: return -1;
    }
}

SensorMode SensorModeOnFill(bool listed, bool wired, int connectionType, int rateCode)
{
    if (!listed)
        return SensorMode::LowPower;
    if (wired || (IsFastReceiver(connectionType) && IsAboveThousand(rateCode)))
        return SensorMode::Corded;
    return SensorMode::Stored;
}

SensorMode SensorModeOnRateReport(bool listed, bool wired, int rateCode)
{
    if (!listed || wired)
        return SensorMode::Keep;
    switch (rateCode) {
    case 1:
    case 2:
    case 4:
    case 8: return SensorMode::Stored;
    case 16:
    case 32:
    case 64: return SensorMode::RevealCorded;
    default: return SensorMode::Keep;
    }
}

SensorMode SensorModeOnRateChoice(bool listed, bool wired, int connectionType, int aboveThousand)
{
    if (!listed)
        return SensorMode::Keep;
    if (aboveThousand == 0 && !wired)
        return SensorMode::Stored;
    if (aboveThousand == 1 && IsFastReceiver(connectionType))
        return SensorMode::RevealCorded;
    return SensorMode::Keep;
}

ResetDefaults ResetDefaultsOf(int connectionType)
{
    ResetDefaults defaults;
    switch (connectionType) {
    case 0:
    case 2:
        defaults = {true, 0, kThousandHzLevel, 0};
        break;
    case 1:
    case 3:
        defaults = {true, 1, kThousandHzLevel, 2};
        break;
    case 5:
        defaults = {true, 3, 6, 2};
        break;
    default:
        break;
    }
    return defaults;
}

} // namespace SensorPageRules
