#include "setting_ranges.h"

#include "config_store.h"
#include "dpi_code.h"

#include <QtGlobal>

#include <iterator>

namespace SettingRanges {

bool OffersSmallLiftOff(const QString& sensor)
{
    return sensor == QLatin1String("3950");
}

int DpiLedBrightnessByte(int level)
{
    return kDpiLedBrightnessBytes[qBound(kDpiLedLevelMinimum, level, kDpiLedLevelMaximum) - 1];
}

int DpiLedBrightnessLevel(int byte)
{
    const int index = IndexIn(kDpiLedBrightnessBytes, byte);
    return index < 0 ? byte : index + 1;
}

int MediaRowOfLowByte(int lowByte)
{
    for (int row = 0; row < int(std::size(kMediaUsages)); ++row) {
        if ((kMediaUsages[row] & 0xFF) == lowByte)
            return row;
    }
    return -1;
}

int StageLimit(int dpiMaxGrade)
{
    return qBound(0, dpiMaxGrade, int(FlashDataMap::StageCount));
}

int ButtonLimit(int keyNumber)
{
    return qBound(0, keyNumber, int(FlashDataMap::ButtonCount));
}

ModelRanges ModelRangesOf(int modelIndex)
{
    const ConfigStore* config = ConfigStore::Instance();
    const QString group = ConfigStore::ModelGroup(modelIndex);
    ModelRanges model;
    model.sensor = config->Value(group, QStringLiteral("Sensor"));
    model.maxStages = StageLimit(config->IntValue(group, QStringLiteral("DPIMaxGrade")));
    model.buttons = ButtonLimit(config->IntValue(group, QStringLiteral("KeyNumber")));
    DPIRangeModel range;
    model.hasDpiRange = ParseDpiRangeModel(config->ValueList(group, QStringLiteral("DPIRange")), &range);
    if (model.hasDpiRange) {
        model.dpiMinimum = range.minima.first();
        model.dpiMaximum = range.maxima.last();
    }
    return model;
}

} // namespace SettingRanges
