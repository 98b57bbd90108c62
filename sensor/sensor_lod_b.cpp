#include "sensor_lod_b.h"
#include "ui_sensor_lod_b.h"

#include "app_state.h"
#include "device_image_setters.h"
#include "frame_style.h"
#include "paths.h"

#include <QButtonGroup>

SensorLODB::SensorLODB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::SensorLODB)
{
    ui->setupUi(this);
    m_pictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(ui->MM1);
    m_group->addButton(ui->MM2);
    m_group->addButton(ui->MM0);

    ui->label->setStyleSheet(FrameStyle::CaptionStyle());
    const QString boxStyle = FrameStyle::CheckBoxStyle(m_pictureFolder);
    ui->MM1->setStyleSheet(boxStyle);
    ui->MM2->setStyleSheet(boxStyle);
    ui->MM0->hide();
}

SensorLODB::~SensorLODB() = default;

void SensorLODB::ShowSmallLevel()
{
    ui->MM0->show();
    ui->MM0->move(80, ui->MM0->y());
    ui->MM1->move(165, ui->MM1->y());
    ui->MM2->move(250, ui->MM2->y());
}

void SensorLODB::HideSmallLevel()
{
    ui->MM0->hide();
    ui->MM1->move(80, ui->MM1->y());
    ui->MM2->move(165, ui->MM2->y());
}

void SensorLODB::SetLevelEnabled(bool enabled)
{
    ui->MM1->setEnabled(enabled);
    ui->MM2->setEnabled(enabled);
}

void SensorLODB::SetLevel(int value)
{
    switch (value) {
    case 0:
        ui->MM1->setChecked(true);
        break;
    case 1:
        ui->MM2->setChecked(true);
        break;
    case 2:
        if (!ui->MM0->isHidden())
            ui->MM0->setChecked(true);
        break;
    default:
        break;
    }
}

void SensorLODB::SetLabelText(const QString& text)
{
    ui->label->setText(text);
}

void SensorLODB::SetLabelToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void SensorLODB::Send(int code)
{
    if (g_sendEnabled && !g_sensorPageUpdating)
        SetLiftOffDistance(code);
}

void SensorLODB::on_MM0_clicked(bool)
{
    Send(3);
}

void SensorLODB::on_MM1_clicked(bool)
{
    Send(1);
}

void SensorLODB::on_MM2_clicked(bool)
{
    Send(2);
}
