#include "rippe_control_b.h"
#include "ui_rippe_control_b.h"

#include "device_image_setters.h"

RippeControlB::RippeControlB(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::RippeControlB)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->RippeControl_2);
}

RippeControlB::~RippeControlB() = default;

void RippeControlB::on_RippeControl_2_clicked(bool checked)
{
    SendClick(checked, SetRippleControl);
}
