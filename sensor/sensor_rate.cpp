#include "sensor_rate.h"
#include "ui_sensor_rate.h"

#include "frame_style.h"

#include <QButtonGroup>

SensorRate::SensorRate(QWidget* parent)
    : SensorRateBase(parent)
    , ui(new Ui::SensorRate)
{
    ui->setupUi(this);
    AttachLevels(ui->label, {ui->Button125HZ, ui->Button250HZ, ui->Button500HZ, ui->Button1000HZ, ui->Button2000HZ,
                             ui->Button4000HZ, ui->Button8000HZ});
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int level = 0; level < kLevelCount; ++level)
        m_group->addButton(ButtonOfLevel(level));

    const QString buttonStyle =
        QStringLiteral("QToolButton{border:0px;color: rgb(%1);background-position:center;"
                       "background-repeat:no-repeat;background-image: %2;}"
                       "QToolButton:checked{background-image: %3;}")
            .arg(FrameStyle::Colour(QStringLiteral("ButtonColor")),
                 FrameStyle::Url(m_pictureFolder, QStringLiteral("ReportRate.png")),
                 FrameStyle::Url(m_pictureFolder, QStringLiteral("ReportRateClick.png")));
    for (int level = 0; level < kLevelCount; ++level)
        ButtonOfLevel(level)->setStyleSheet(buttonStyle);
}

SensorRate::~SensorRate() = default;

void SensorRate::on_Button125HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 0);
}

void SensorRate::on_Button250HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 1);
}

void SensorRate::on_Button500HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 2);
}

void SensorRate::on_Button1000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 3);
}

void SensorRate::on_Button2000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 4);
}

void SensorRate::on_Button4000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 5);
}

void SensorRate::on_Button8000HZ_clicked(bool checked)
{
    SendClickedLevel(checked, 6);
}
