#include "config_image_check.h"

#include "dpi_code.h"
#include "key_code_table.h"
#include "key_function.h"
#include "macro_block.h"
#include "macro_file.h"

#include <cstring>

namespace ConfigImageCheck {

namespace {

using namespace SettingRanges;

QString SensorPageFault(const FlashDataMap& image, const ModelRanges& model)
{
    if (!Holds(kRateCodes, image.reportRate))
        return QStringLiteral("polling rate");
    if (image.dpiStageCount < 1 || image.dpiStageCount > model.maxStages)
        return QStringLiteral("DPI stage count");
    if (image.currentDpiStage >= image.dpiStageCount)
        return QStringLiteral("current DPI stage");
    if (model.hasDpiRange) {
        for (int stage = 0; stage < image.dpiStageCount; ++stage) {
            const int dpi = ReadDpiStage(image.dpiStages[stage], model.sensor);
            if (dpi < model.dpiMinimum || dpi > model.dpiMaximum)
                return QStringLiteral("DPI of stage %1").arg(stage + 1);
        }
    }
    const bool liftOff = OffersSmallLiftOff(model.sensor) ? Holds(kLiftOffCodesWithSmall, image.liftOffDistance)
                                                          : Holds(kLiftOffCodes, image.liftOffDistance);
    if (!liftOff)
        return QStringLiteral("lift-off distance");
    if (!IsStoredSensorMode(image.sensorMode))
        return QStringLiteral("sensor mode");
    if (!IsSwitchValue(image.performanceMode))
        return QStringLiteral("performance mode");
    if (image.performanceTime != kPerformanceTimeNotChosen && !Holds(kPerformanceTimes, image.performanceTime))
        return QStringLiteral("performance time");
    if (!IsSwitchValue(image.rippleControl) || !IsSwitchValue(image.straightLine) || !IsSwitchValue(image.motionSync))
        return QStringLiteral("sensor switch");

    const int mode = image.dpiLed[0];
    const int brightness = image.dpiLed[1];
    const int speed = image.dpiLed[2];
    const int lightOn = image.dpiLed[3];
    // The mode is shown only while the light is on.
    if (!IsSwitchValue(lightOn) || (lightOn == 1 && !Holds(kDpiLedModes, mode)))
        return QStringLiteral("DPI light mode");
    if (speed < kDpiLedSpeedMinimum || speed > kDpiLedSpeedMaximum)
        return QStringLiteral("DPI light speed");
    const int level = DpiLedBrightnessLevel(brightness);
    if (level < kDpiLedLevelMinimum || level > kDpiLedLevelMaximum)
        return QStringLiteral("DPI light brightness");
    return QString();
}

bool KnownMediaKey(const uint8_t (&recordBytes)[FlashDataMap::KeyEventRecordSize])
{
    KeyEventRecord record;
    std::memcpy(record.bytes, recordBytes, KeyEventRecord::Size);
    const KeyEvent first = record.Event(0);
    return first.kind != KindConsumer || MediaRowOfLowByte(first.code & 0xFF) >= 0;
}

bool IsRepeatCode(int code)
{
    return (code >= 1 && code <= MacroRepeat::MaxCount) || code == MacroRepeat::Until || code == MacroRepeat::UntilLoose
           || code == MacroRepeat::UntilClick;
}

bool FitsMacroBlock(const MacroBlockBytes& block)
{
    return block[MacroBlockLayout::NameLength] <= MacroBlockLayout::NameBytes
           && block[MacroBlockLayout::EventCount] <= MacroBlockLayout::MaxEvents;
}

// What the button page shows for the function of one button: the types it
// knows, with the parameters its menus write.
bool KnownFunction(const FlashDataMap& image, int button, const QString& sensor)
{
    const int type = image.keyFunctions[button][0];
    const int p1 = image.keyFunctions[button][1];
    const int p2 = image.keyFunctions[button][2];
    switch (KeyFunctionType(type)) {
    case KeyFunctionType::Disabled:
    case KeyFunctionType::ReportRateSwitch:
    case KeyFunctionType::ProfileSwitch:
        return true;
    case KeyFunctionType::MouseButton: return Holds(kMouseButtonCodes, p1);
    case KeyFunctionType::DpiSwitch: return Holds(kDpiSwitchCodes, p1);
    case KeyFunctionType::TiltWheel: return Holds(kTiltCodes, p1);
    case KeyFunctionType::Lights: return Holds(kLightsCodes, p1);
    case KeyFunctionType::Wheel: return Holds(kWheelCodes, p1);
    case KeyFunctionType::FireKey: return p1 >= kFireIntervalMinimum && p1 <= kFireIntervalMaximum && p2 <= kFireCountMaximum;
    case KeyFunctionType::KeyRecord: return KnownMediaKey(image.keyEvents[button]);
    case KeyFunctionType::Macro:
        // A button plays its own block.
        return p1 == button && IsRepeatCode(p2) && FitsMacroBlock(image.macroBlocks[button]);
    case KeyFunctionType::DpiLock:
        return Holds(kDpiLockValues,
                     DpiLockValue(p1, sensor, g_sensorDefineNames.toVector(), g_sensorDefineValues));
    }
    return false; // no type of the function menus
}

} // namespace

QString FirstFault(const FlashDataMap& image, const ModelRanges& model)
{
    const QString sensorFault = SensorPageFault(image, model);
    if (!sensorFault.isEmpty())
        return sensorFault;
    if (image.debounceTime > kDebounceMaxMs)
        return QStringLiteral("debounce time");
    if (!Holds(kLightOffTimes, image.lightOffTime))
        return QStringLiteral("idle light-off time");
    for (int button = 0; button < model.buttons; ++button) {
        if (!KnownFunction(image, button, model.sensor))
            return QStringLiteral("button %1 function").arg(button + 1);
    }
    return QString();
}

} // namespace ConfigImageCheck
