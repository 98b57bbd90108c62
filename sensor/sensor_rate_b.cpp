#include "sensor_rate_b.h"
#include "ui_sensor_rate_b.h"

#include "frame_style.h"

#include <QButtonGroup>

SensorRateB::SensorRateB(QWidget* parent)
    : SensorRateBase(parent)
    , ui(new Ui::SensorRateB)
{
    ui->setupUi(this);
    AttachLevels(ui->label, {ui->Button125HZ, ui->Button250HZ, ui->Button500HZ, ui->Button1000HZ, ui->Button2000HZ,
                             ui->Button4000HZ, ui->Button8000HZ});
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    // The 8000 Hz box stays out of the exclusive group.
    for (int level = 0; level < kLevelCount - 1; ++level)
        m_group->addButton(ButtonOfLevel(level));

    const QString boxStyle = FrameStyle::CheckBoxStyle(m_pictureFolder);
    for (int level = 0; level < kLevelCount; ++level)
        ButtonOfLevel(level)->setStyleSheet(boxStyle);
}

SensorRateB::~SensorRateB() = default;

void SensorRateB::on_Button125HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 0);
}

void SensorRateB::on_Button250HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 1);
}

void SensorRateB::on_Button500HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 2);
}

void SensorRateB::on_Button1000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 3);
}

void SensorRateB::on_Button2000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 4);
}

void SensorRateB::on_Button4000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 5);
}

void SensorRateB::on_Button8000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 6);
}
