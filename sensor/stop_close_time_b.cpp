#include "stop_close_time_b.h"
#include "ui_stop_close_time_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "stop_close_time.h"

namespace {

// The number shown for slider positions 1 to 11: seconds for 1 and 2,
// minutes from 3 on.
const int kShownTimes[StopCloseTime::kItemCount] = {10, 30, 1, 5, 10, 15, 20, 25, 30, 35, 40};

} // namespace

StopCloseTimeB::StopCloseTimeB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::StopCloseTimeB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(FrameStyle::NumberStyle());
    ui->StopClose->setStyleSheet(FrameStyle::ThinSliderStyle(m_pictureFolder));
}

StopCloseTimeB::~StopCloseTimeB() = default;

void StopCloseTimeB::ShowPosition(int position)
{
    if (position < 1 || position > StopCloseTime::kItemCount)
        return;
    ui->spinBoxA->setValue(kShownTimes[position - 1]);
    ui->spinBoxA->setSuffix(position <= 2 ? m_secondsSuffix : m_minutesSuffix);
}

void StopCloseTimeB::SetLevel(int item)
{
    const bool wasBlocked = ui->StopClose->blockSignals(true);
    ui->StopClose->setValue(item + 1);
    ui->StopClose->blockSignals(wasBlocked);
    ShowPosition(ui->StopClose->value());
}

void StopCloseTimeB::SetUnitText(int item, const QString& text)
{
    if (item == 0)
        m_secondsSuffix = QString(text).remove(QStringLiteral("10"));
    else if (item == 5)
        m_minutesSuffix = QString(text).remove(QStringLiteral("15"));
    else
        return;
    ShowPosition(ui->StopClose->value());
}

void StopCloseTimeB::on_StopClose_sliderMoved(int position)
{
    ShowPosition(position);
}

void StopCloseTimeB::on_StopClose_valueChanged(int value)
{
    ShowPosition(value);
    if (g_sendEnabled && !g_lightPageUpdating)
        SetLightOffTime(StopCloseTime::DeviceValue(value - 1));
}
