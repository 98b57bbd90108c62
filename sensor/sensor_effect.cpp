#include "sensor_effect.h"
#include "ui_sensor_effect.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

#include <algorithm>
#include <iterator>

namespace {

const int kBrightnessBytes[] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};

bool MaySend()
{
    return g_sendEnabled && !g_sensorPageUpdating;
}

} // namespace

SensorEffect::SensorEffect(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorEffect)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));

    const QString caption = FrameStyle::CaptionStyle();
    ui->label->setStyleSheet(caption);
    ui->label_14->setStyleSheet(caption);
    ui->label_15->setStyleSheet(caption);

    ui->Model->setStyleSheet(FrameStyle::ComboStyle(m_pictureFolder, false));

    const QString slider =
        QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:6px;"
                       "background:rgba(0,0,0,50);}"
                       "QSlider:handle:horizontal{ width:  18px;height: 16px;  margin-top: -7px;margin-left: -2px; "
                       "margin-bottom: -7px;margin-right: -2px; border-image: %1;} "
                       "QSlider:sub-page:horizontal{background-color: rgb(%2);}"
                       "QSlider:add-page:horizontal{background-color: rgb(127, 127, 127);}")
            .arg(FrameStyle::Url(m_pictureFolder, QStringLiteral("HuaKuai.png")),
                 FrameStyle::Colour(QStringLiteral("SliderColor")));
    ui->SpeedH->setStyleSheet(slider);
    ui->LightH->setStyleSheet(slider);

    const QString number = QStringLiteral("QSpinBox{color: rgb(%1);background-color: transparent;border: 0px;}")
                               .arg(FrameStyle::Colour(QStringLiteral("LabelColor")));
    ui->SpeedSpinBox->setStyleSheet(number);
    ui->LightSpinBox->setStyleSheet(number);

    FrameStyle::InstallListView(ui->Model);
}

SensorEffect::~SensorEffect() = default;

int SensorEffect::BrightnessByte(int level)
{
    const int index = std::clamp(level, 1, int(std::size(kBrightnessBytes))) - 1;
    return kBrightnessBytes[index];
}

int SensorEffect::BrightnessLevel(int byte)
{
    const auto* found = std::find(std::begin(kBrightnessBytes), std::end(kBrightnessBytes), byte);
    if (found == std::end(kBrightnessBytes))
        return byte;
    return int(found - std::begin(kBrightnessBytes)) + 1;
}

void SensorEffect::SetMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    ui->Model->setCurrentIndex(mode);
    ShowRowsOf(mode);
}

void SensorEffect::SetSpeed(int value)
{
    ui->SpeedH->setValue(value);
}

void SensorEffect::SetBrightnessLevel(int level)
{
    ui->LightH->setValue(level);
}

void SensorEffect::SetSlidersEnabled(bool enabled)
{
    ui->SpeedH->setEnabled(enabled);
    ui->LightH->setEnabled(enabled);
}

void SensorEffect::SetModeEnabled(bool enabled)
{
    ui->Model->setEnabled(enabled);
}

void SensorEffect::SetModeText(int index, const QString& text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorEffect::SetSpeedText(const QString& text)
{
    ui->label_14->setText(text);
}

void SensorEffect::SetBrightnessText(const QString& text)
{
    ui->label_15->setText(text);
}

void SensorEffect::ShowRowsOf(int mode)
{
    // A line stands in the row whose slider is hidden.
    const bool speed = mode == 2;
    const bool brightness = mode == 1;
    ui->SpeedH->setVisible(speed);
    ui->SpeedSpinBox->setVisible(speed);
    ui->line->setVisible(!speed);
    ui->LightH->setVisible(brightness);
    ui->LightSpinBox->setVisible(brightness);
    ui->line_2->setVisible(!brightness);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    if (index < 0 || index > 2)
        return;
    ShowRowsOf(index);
    if (MaySend())
        SetDpiLedMode(index);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    ui->SpeedSpinBox->setValue(value);
    if (MaySend())
        SetDpiLedSpeed(value);
}

void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    // Tracking is off: a drag only shows the number until the release.
    ui->SpeedSpinBox->setValue(position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    ui->LightSpinBox->setValue(value);
    if (MaySend())
        SetDpiLedBrightness(BrightnessByte(value));
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    ui->LightSpinBox->setValue(position);
}
