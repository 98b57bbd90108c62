#include "sensor_effect_b.h"
#include "ui_sensor_effect_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"
#include "sensor_effect.h"

#include <QButtonGroup>

namespace {

bool MaySend()
{
    return g_sendEnabled && !g_sensorPageUpdating;
}

} // namespace

SensorEffectB::SensorEffectB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorEffectB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(ui->MM1);
    m_group->addButton(ui->MM2);
    m_group->addButton(ui->MM3);

    const QString caption = FrameStyle::CaptionStyle();
    ui->label->setStyleSheet(caption);
    ui->label_14->setStyleSheet(caption);
    ui->label_15->setStyleSheet(caption);

    const QString box = FrameStyle::CheckBoxStyle(m_pictureFolder);
    ui->MM1->setStyleSheet(box);
    ui->MM2->setStyleSheet(box);
    ui->MM3->setStyleSheet(box);

    const QString slider =
        QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:6px;"
                       "background:rgba(0,0,0,50);}"
                       "QSlider:handle:horizontal{ width:  5px;height: 50px;  margin-top: -20px;margin-left: 0px; "
                       "margin-bottom: -20px;margin-right: 0px; border-image: %1;} "
                       "QSlider:sub-page:horizontal{background-color: rgb(%2);}"
                       "QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}")
            .arg(FrameStyle::Url(m_pictureFolder, QStringLiteral("HuaKuai.png")),
                 FrameStyle::Colour(QStringLiteral("SliderColor")));
    ui->SpeedH->setStyleSheet(slider);
    ui->LightH->setStyleSheet(slider);

    const QString number = QStringLiteral("QSpinBox{color: rgb(%1);background-color: transparent;border: 0px;}")
                               .arg(FrameStyle::Colour(QStringLiteral("LabelColor")));
    ui->SpeedSpinBox->setStyleSheet(number);
    ui->LightSpinBox->setStyleSheet(number);
}

SensorEffectB::~SensorEffectB() = default;

void SensorEffectB::SetMode(int mode)
{
    switch (mode) {
    case 0:
        ui->MM3->setChecked(true);
        break;
    case 1:
        ui->MM1->setChecked(true);
        break;
    case 2:
        ui->MM2->setChecked(true);
        break;
    default:
        return;
    }
    ShowRowsOf(mode);
}

void SensorEffectB::SetModeText(int index, const QString& text)
{
    switch (index) {
    case 0:
        ui->MM3->setText(text);
        break;
    case 1:
        ui->MM1->setText(text);
        break;
    case 2:
        ui->MM2->setText(text);
        break;
    default:
        break;
    }
}

void SensorEffectB::SetSpeed(int value)
{
    ui->SpeedH->setValue(value);
}

void SensorEffectB::SetBrightnessLevel(int level)
{
    ui->LightH->setValue(level);
}

void SensorEffectB::SetSlidersEnabled(bool enabled)
{
    ui->SpeedH->setEnabled(enabled);
    ui->LightH->setEnabled(enabled);
}

void SensorEffectB::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorEffectB::SetSpeedText(const QString& text)
{
    ui->label_14->setText(text);
}

void SensorEffectB::SetBrightnessText(const QString& text)
{
    ui->label_15->setText(text);
}

void SensorEffectB::ShowRowsOf(int mode)
{
    const bool speed = mode == 2;
    const bool brightness = mode == 1;
    ui->SpeedH->setVisible(speed);
    ui->SpeedSpinBox->setVisible(speed);
    ui->line->setVisible(!speed);
    ui->LightH->setVisible(brightness);
    ui->LightSpinBox->setVisible(brightness);
    ui->line_2->setVisible(!brightness);
}

void SensorEffectB::ModeClicked(bool checked, int mode)
{
    if (!checked)
        return;
    ShowRowsOf(mode);
    if (MaySend())
        SetDpiLedMode(mode);
}

void SensorEffectB::on_MM1_clicked(bool checked)
{
    ModeClicked(checked, 1);
}

void SensorEffectB::on_MM2_clicked(bool checked)
{
    ModeClicked(checked, 2);
}

void SensorEffectB::on_MM3_clicked(bool checked)
{
    ModeClicked(checked, 0);
}

void SensorEffectB::on_SpeedH_valueChanged(int value)
{
    ui->SpeedSpinBox->setValue(value);
    if (MaySend())
        SetDpiLedSpeed(value);
}

void SensorEffectB::on_SpeedH_sliderMoved(int position)
{
    ui->SpeedSpinBox->setValue(position);
}

void SensorEffectB::on_LightH_valueChanged(int value)
{
    ui->LightSpinBox->setValue(value);
    if (MaySend())
        SetDpiLedBrightness(SensorEffect::BrightnessByte(value));
}

void SensorEffectB::on_LightH_sliderMoved(int position)
{
    ui->LightSpinBox->setValue(position);
}
