#include "sensor_rate_b.h"
#include "ui_sensor_rate_b.h"

#include "frame_style.h"
#include "paths.h"
#include "sensor_rate.h"

#include <QButtonGroup>

SensorRateB::SensorRateB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorRateB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int level = 0; level < SensorRate::kLevelCount - 1; ++level)
        m_group->addButton(ButtonOfLevel(level));

    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    const QString boxStyle = FrameStyle::CheckBoxStyle(m_pictureFolder);
    for (int level = 0; level < SensorRate::kLevelCount; ++level)
        ButtonOfLevel(level)->setStyleSheet(boxStyle);
}

SensorRateB::~SensorRateB() = default;

QAbstractButton* SensorRateB::ButtonOfLevel(int level) const
{
    QAbstractButton* const boxes[SensorRate::kLevelCount] = {ui->Button125HZ,  ui->Button250HZ,  ui->Button500HZ,
                                                             ui->Button1000HZ, ui->Button2000HZ, ui->Button4000HZ,
                                                             ui->Button8000HZ};
    return level >= 0 && level < SensorRate::kLevelCount ? boxes[level] : nullptr;
}

void SensorRateB::SetLevel(int level)
{
    if (QAbstractButton* box = ButtonOfLevel(level))
        box->setChecked(true);
}

void SensorRateB::SetVisibleLevels(int set)
{
    bool shown[3];
    if (!SensorRate::UpperLevelsShown(set, shown))
        return;
    for (int i = 0; i < 3; ++i)
        ButtonOfLevel(4 + i)->setVisible(shown[i]);
}

void SensorRateB::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorRateB::on_Button125HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 0);
}

void SensorRateB::on_Button250HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 1);
}

void SensorRateB::on_Button500HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 2);
}

void SensorRateB::on_Button1000HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 3);
}

void SensorRateB::on_Button2000HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 4);
}

void SensorRateB::on_Button4000HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 5);
}

void SensorRateB::on_Button8000HZ_clicked(bool checked)
{
    SensorRate::SendClickedLevel(checked, 6);
}
