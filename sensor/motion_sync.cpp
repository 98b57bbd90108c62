#include "motion_sync.h"
#include "ui_motion_sync.h"

#include "device_image_setters.h"

MotionSync::MotionSync(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::MotionSync)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->MotionSync_2);
}

MotionSync::~MotionSync() = default;

void MotionSync::on_MotionSync_2_clicked(bool checked)
{
    SendClick(checked, SetMotionSync);
}
