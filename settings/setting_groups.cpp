#include "setting_groups.h"

namespace SettingGroups {

namespace {
const QString kMissing = QStringLiteral("-1");
// The scroll area's width less its 13-pixel bar: nothing hides under the bar.
const int kContentWidth = 849;
// The footer ends where the separator lines end (x 821).
const int kLinkX = 570;
const int kCompanyX = 450;
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
        return {QSize(kContentWidth, offset + 780), QPoint(kLinkX, offset + 710), QPoint(kCompanyX, offset + 730)};
    return {QSize(kContentWidth, offset + 630), QPoint(kLinkX, offset + 540), QPoint(kCompanyX, offset + 560)};
}

} // namespace SettingGroups
