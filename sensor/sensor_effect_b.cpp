#include "sensor_effect_b.h"
#include "ui_sensor_effect_b.h"

#include "frame_style.h"

#include <QButtonGroup>

SensorEffectB::SensorEffectB(QWidget* parent)
    : SensorEffectBase(parent)
    , ui(new Ui::SensorEffectB)
{
    ui->setupUi(this);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(ui->MM1);
    m_group->addButton(ui->MM2);
    m_group->addButton(ui->MM3);

    AttachRows({ui->label, ui->label_14, ui->label_15, ui->SpeedH, ui->SpeedSpinBox, ui->line, ui->LightH,
                ui->LightSpinBox, ui->line_2},
               FrameStyle::SliderLook::Bar);

    const QString box = FrameStyle::CheckBoxStyle(m_pictureFolder);
    ui->MM1->setStyleSheet(box);
    ui->MM2->setStyleSheet(box);
    ui->MM3->setStyleSheet(box);
}

SensorEffectB::~SensorEffectB() = default;

QCheckBox* SensorEffectB::BoxOfMode(int mode) const
{
    switch (mode) {
    case 0:
        return ui->MM3;
    case 1:
        return ui->MM1;
    case 2:
        return ui->MM2;
    default:
        return nullptr;
    }
}

void SensorEffectB::SetMode(int mode)
{
    QCheckBox* box = BoxOfMode(mode);
    if (!box)
        return;
    box->setChecked(true);
    ShowRowsOf(mode);
}

void SensorEffectB::SetModeText(int index, const QString& text)
{
    if (QCheckBox* box = BoxOfMode(index))
        box->setText(text);
}

void SensorEffectB::ModeClicked(bool checked, int mode)
{
    if (checked)
        ModeChosen(mode);
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
    SpeedChanged(value);
}

void SensorEffectB::on_SpeedH_sliderMoved(int position)
{
    SpeedMoved(position);
}

void SensorEffectB::on_LightH_valueChanged(int value)
{
    BrightnessChanged(value);
}

void SensorEffectB::on_LightH_sliderMoved(int position)
{
    BrightnessMoved(position);
}
