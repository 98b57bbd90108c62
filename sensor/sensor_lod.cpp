#include "sensor_lod.h"
#include "ui_sensor_lod.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "setting_ranges.h"

SensorLOD::SensorLOD(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorLOD)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    ui->LOD->setStyleSheet(FrameStyle::ComboStyle(m_pictureFolder, true));
    FrameStyle::InstallListView(ui->LOD);
    m_smallLevelAsMade = ui->LOD->count() == 3;
    m_enabledAsMade = ui->LOD->isEnabled();
}

SensorLOD::~SensorLOD() = default;

void SensorLOD::AddSmallLevel()
{
    if (ui->LOD->count() == 2)
        ui->LOD->insertItem(0, QStringLiteral("0.7mm"));
}

void SensorLOD::RemoveSmallLevel()
{
    if (ui->LOD->count() == 3)
        ui->LOD->removeItem(0);
}

void SensorLOD::SetLevelEnabled(bool enabled)
{
    ui->LOD->setEnabled(enabled);
}

void SensorLOD::ShowAsMade()
{
    if (m_smallLevelAsMade)
        AddSmallLevel();
    else
        RemoveSmallLevel();
    SetLevelEnabled(m_enabledAsMade);
}

void SensorLOD::SetLevel(int value)
{
    if (ui->LOD->count() == 3) {
        switch (value) {
        case 0:
            ui->LOD->setCurrentIndex(1);
            break;
        case 1:
            ui->LOD->setCurrentIndex(2);
            break;
        case 2:
            ui->LOD->setCurrentIndex(0);
            break;
        default:
            break;
        }
        return;
    }
    // Two items: 0.7 mm (value 2) has no item, and the combo shows none.
    ui->LOD->setCurrentIndex(value);
}

void SensorLOD::SetUnitText(const QString& unit)
{
    const int first = ui->LOD->count() == 3 ? 1 : 0;
    ui->LOD->setItemText(first, QStringLiteral("1 ") + unit);
    ui->LOD->setItemText(first + 1, QStringLiteral("2 ") + unit);
}

void SensorLOD::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void SensorLOD::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void SensorLOD::on_LOD_currentIndexChanged(int index)
{
    // Fills add, remove and select items with the page's updating flag raised.
    if (!g_sendEnabled || g_sensorPageUpdating)
        return;
    const int code = ui->LOD->count() == 3 ? SettingRanges::EntryAt(SettingRanges::kLiftOffCodesWithSmall, index)
                                           : SettingRanges::EntryAt(SettingRanges::kLiftOffCodes, index);
    if (code >= 0)
        SetLiftOffDistance(code);
}
