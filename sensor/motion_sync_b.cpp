#include "motion_sync_b.h"
#include "ui_motion_sync_b.h"

#include "device_image_setters.h"

MotionSyncB::MotionSyncB(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::MotionSyncB)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->MotionSync_2);
}

MotionSyncB::~MotionSyncB() = default;

void MotionSyncB::on_MotionSync_2_clicked(bool checked)
{
    SendClick(checked, SetMotionSync);
}
