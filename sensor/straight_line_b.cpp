#include "straight_line_b.h"
#include "ui_straight_line_b.h"

#include "device_image_setters.h"

StraightLineB::StraightLineB(QWidget* parent)
    : OnOffFrame(parent)
    , ui(new Ui::StraightLineB)
{
    ui->setupUi(this);
    AttachSwitch(ui->label, ui->StraightLine_2);
}

StraightLineB::~StraightLineB() = default;

void StraightLineB::on_StraightLine_2_clicked(bool checked)
{
    SendClick(checked, SetStraightLine);
}
