#include "rippe_control.h"
#include "ui_rippe_control.h"

#include "device_image_setters.h"

RippeControl::RippeControl(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::RippeControl)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->RippeControl_2);
}

RippeControl::~RippeControl() = default;

void RippeControl::on_RippeControl_2_clicked(bool checked)
{
    SendClick(checked, SetRippleControl);
}
