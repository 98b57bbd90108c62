#include "sensor_effect.h"
#include "ui_sensor_effect.h"

#include "frame_style.h"
#include "setting_ranges.h"

SensorEffect::SensorEffect(QWidget* parent)
    : SensorEffectBase(parent)
    , ui(new Ui::SensorEffect)
{
    ui->setupUi(this);
    AttachRows({ui->label, ui->label_14, ui->label_15, ui->SpeedH, ui->SpeedSpinBox, ui->line, ui->LightH,
                ui->LightSpinBox, ui->line_2},
               FrameStyle::SliderLook::Knob);
    ui->Model->setStyleSheet(FrameStyle::ComboStyle(m_pictureFolder, false));
    FrameStyle::InstallListView(ui->Model);
}

SensorEffect::~SensorEffect() = default;

int SensorEffect::BrightnessByte(int level)
{
    return SettingRanges::DpiLedBrightnessByte(level);
}

int SensorEffect::BrightnessLevel(int byte)
{
    return SettingRanges::DpiLedBrightnessLevel(byte);
}

void SensorEffect::SetMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    ui->Model->setCurrentIndex(mode);
    ShowRowsOf(mode);
}

void SensorEffect::SetModeEnabled(bool enabled)
{
    ui->Model->setEnabled(enabled);
}

void SensorEffect::SetModeText(int index, const QString& text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    if (index < 0 || index > 2)
        return;
    ModeChosen(index);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    SpeedChanged(value);
}

void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    SpeedMoved(position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    BrightnessChanged(value);
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    BrightnessMoved(position);
}
