#include "setting_groups.h"

namespace SettingGroups {

namespace {
const QString kMissing = QStringLiteral("-1");
}

bool HasFeature(const QStringList& advanced, int index)
{
    return index >= 0 && index < advanced.size() && advanced.at(index).trimmed() != kMissing;
}

bool IsReceiverConnection(int connectionType)
{
    return (connectionType & 0xFA) == 0;
}

bool LongRangeAllowed(const Device& device)
{
    return HasFeature(device.advanced, 0) && !device.wired && IsReceiverConnection(device.connectionType);
}

bool LightAllowed(const Device& device)
{
    return HasFeature(device.advanced, 1) && !device.wired && device.connectionType == 1;
}

Layout LayoutFor(bool anyGroupShown, int offset)
{
    if (anyGroupShown)
        return {QSize(880, offset + 780), QPoint(610, offset + 710), QPoint(490, offset + 730)};
    return {QSize(880, offset + 630), QPoint(610, offset + 540), QPoint(490, offset + 560)};
}

} // namespace SettingGroups
