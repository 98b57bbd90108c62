#include "stop_close_time.h"
#include "ui_stop_close_time.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

int StopCloseTime::DeviceValue(int item)
{
    return SettingRanges::EntryAt(SettingRanges::kLightOffTimes, item);
}

int StopCloseTime::ItemOfSeconds(int seconds)
{
    // The device counts in 10 s.
    if (seconds % 10 != 0)
        return -1;
    return SettingRanges::IndexIn(SettingRanges::kLightOffTimes, seconds / 10);
}

StopCloseTime::StopCloseTime(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::StopCloseTime)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Light"));
    ui->StopClose->setStyleSheet(FrameStyle::ComboStyle(m_pictureFolder, false));
    ui->StopClose->setMaxVisibleItems(15);
}

StopCloseTime::~StopCloseTime() = default;

void StopCloseTime::SetLevel(int item)
{
    if (item < 0 || item >= ui->StopClose->count())
        return;
    const bool wasBlocked = ui->StopClose->blockSignals(true);
    ui->StopClose->setCurrentIndex(item);
    ui->StopClose->blockSignals(wasBlocked);
}

void StopCloseTime::SetLevelText(int item, const QString& text)
{
    ui->StopClose->setItemText(item, text);
}

void StopCloseTime::on_StopClose_activated(int index)
{
    if (!g_sendEnabled)
        return;
    const int value = DeviceValue(index);
    // A choice made while the button page fills from the device is not sent.
    if (g_buttonPageUpdating || value < 0)
        return;
    SetLightOffTime(value);
}
